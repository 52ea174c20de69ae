#!/bin/sh
# Runs a command with one persistent wineserver for all the Wine processes it
# starts, which then start in a fraction of the time:
#   tools/with-wine-session.sh COMMAND [ARGUMENT...]
# The warm-up starts Wine's background services detached from our output: under
# ctest they would otherwise hold its pipes open. The server is ended afterwards;
# the exit code is the command's.
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-env.sh"
"$wineserver" -p
"$wine" cmd /c exit </dev/null >/dev/null 2>&1
"$@"
rc=$?
"$wineserver" -k
exit $rc
