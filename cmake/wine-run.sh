#!/bin/sh
# Runs a Windows program under Wine in the project's environment
# (tools/wine-env.sh); makes the prefix first when it is missing.
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-env.sh"
if [ ! -f "$WINEPREFIX/.kinetora-ready" ]; then
  "$root/tools/wine-prefix.sh" >/dev/null 2>&1
fi
exec "$wine" "$@"
