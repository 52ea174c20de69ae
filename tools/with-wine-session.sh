#!/bin/sh
# Runs a command with one persistent wineserver for all the Wine processes it
# starts (through cmake/wine-run.sh), which then start in a fraction of the
# time:
#   tools/with-wine-session.sh COMMAND [ARGUMENT...]
# The prefix is brought up to date first, as making it needs a server of its
# own. The warm-up starts Wine's background services detached from our output:
# under ctest they would otherwise hold its pipes open. The server is ended
# afterwards; the exit code is the command's. The command itself runs in the
# caller's environment, not Wine's.
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/wine-prefix.sh" >/dev/null || exit 1
(
  . "$root/tools/wine-env.sh"
  "$wineserver" -p
  "$wine" cmd /c exit </dev/null >/dev/null 2>&1
)
"$@"
rc=$?
(. "$root/tools/wine-env.sh" && "$wineserver" -k)
exit $rc
