#!/bin/sh
# Creates the throw-away Wine prefix under build/ once, with the Chinese UI
# fonts mapped to the WenQuanYi fonts so Chinese text renders.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-env.sh"
[ -f "$WINEPREFIX/.kinetora-ready" ] && exit 0
mkdir -p "$WINEPREFIX"
"$wine" wineboot -i >/dev/null 2>&1 || true
key='HKCU\Software\Wine\Fonts\Replacements'
"$wine" reg add "$key" /v "Microsoft YaHei UI" /t REG_SZ /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
"$wine" reg add "$key" /v "Consolas" /t REG_SZ /d "WenQuanYi Micro Hei Mono" /f >/dev/null 2>&1
"$wineserver" -w || true
touch "$WINEPREFIX/.kinetora-ready"
