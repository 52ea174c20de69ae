#!/bin/sh
# Creates the throw-away Wine prefix under build/ once, with the Chinese UI
# fonts mapped to the WenQuanYi fonts so Chinese text renders.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="${WINEPREFIX:-$here/build/wineprefix}"
[ -f "$WINEPREFIX/.kinetora-ready" ] && exit 0
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
key='HKCU\Software\Wine\Fonts\Replacements'
/usr/lib/wine/wine64 reg add "$key" /v "Microsoft YaHei UI" /t REG_SZ /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
/usr/lib/wine/wine64 reg add "$key" /v "Consolas" /t REG_SZ /d "WenQuanYi Micro Hei Mono" /f >/dev/null 2>&1
/usr/lib/wine/wineserver -w || true
touch "$WINEPREFIX/.kinetora-ready"
