#!/bin/sh
# Runs a Windows program under Wine with the project's throw-away prefix.
# The prefix is made (fonts mapped) by tools/wine-prefix.sh.
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="${WINEPREFIX:-$here/build/wineprefix}"
if [ ! -f "$WINEPREFIX/.kinetora-ready" ]; then
  "$here/tools/wine-prefix.sh" >/dev/null 2>&1
fi
exec /usr/lib/wine/wine64 "$@"
