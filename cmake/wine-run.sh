#!/bin/sh
# Runs a Windows program under Wine in the project's environment
# (tools/wine-env.sh), once the prefix is up to date.
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/wine-prefix.sh" >/dev/null || exit 1
. "$root/tools/wine-env.sh"
exec "$wine" "$@"
