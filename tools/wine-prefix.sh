#!/bin/sh
# Makes the throw-away Wine prefix of tools/wine-env.sh behave like the ward
# PCs the program is made for, a Chinese Windows:
#   - the Chinese locale of wine-env.sh, generated when missing: ANSI code page
#     936, and Wine's own texts in Chinese (a message box's button reads 确定);
#   - every face Wine draws its own interface with, and the program's own faces,
#     mapped to the WenQuanYi fonts, so Chinese shows instead of hollow boxes.
#     Message boxes, captions and menus use "MS Shell Dlg", which the Chinese
#     locale substitutes by SimSun ("MS Shell Dlg 2" by Tahoma). Wine applies a
#     replacement only to a face it cannot find on the machine. NSimSun, the
#     fixed-pitch face the report falls back on, is the fixed-pitch Zen Hei,
#     which has the signs Micro Hei draws empty ("℃").
#   - the 32-bit system folder (syswow64) for the 32-bit programs, when Wine's
#     32-bit half is installed.
# The prefix is made afresh whenever this script or wine-env.sh changes, or
# Wine's 32-bit half comes or goes: its stamp holds their checksum. When it is
# up to date this takes a few milliseconds, so every Wine run calls it first.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-env.sh"
stamp="$WINEPREFIX/.kinetora-ready"
settings=$( (cat "$root/tools/wine-prefix.sh" "$root/tools/wine-env.sh"
            [ -x "$wine32" ] && echo "32-bit") | sha1sum | cut -d' ' -f1)
[ "$(cat "$stamp" 2>/dev/null)" = "$settings" ] && exit 0

# Parallel tests may all find the prefix out of date: one makes it.
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
[ "$(cat "$stamp" 2>/dev/null)" = "$settings" ] && exit 0

"$root/tools/ensure-locale.sh" "$LANG"
echo "Making the Wine prefix $WINEPREFIX (Chinese locale and fonts)" >&2
"$wineserver" -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
"$wine" wineboot -i >/dev/null 2>&1 || true
# One regedit for all the settings: each Wine process costs a fraction of a second.
settings_file="$WINEPREFIX/drive_c/windows/temp/kinetora-prefix.reg"
cat > "$settings_file" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"MS Shell Dlg"="WenQuanYi Micro Hei"
"MS Shell Dlg 2"="WenQuanYi Micro Hei"
"SimSun"="WenQuanYi Micro Hei"
"NSimSun"="WenQuanYi Zen Hei Mono"
"Tahoma"="WenQuanYi Micro Hei"
"Segoe UI"="WenQuanYi Micro Hei"
"Microsoft Sans Serif"="WenQuanYi Micro Hei"
"MS Sans Serif"="WenQuanYi Micro Hei"
"Microsoft YaHei"="WenQuanYi Micro Hei"
"Microsoft YaHei UI"="WenQuanYi Micro Hei"
"Consolas"="WenQuanYi Micro Hei Mono"
REG
"$wine" regedit /S 'C:\windows\temp\kinetora-prefix.reg' >/dev/null 2>&1
rm -f "$settings_file"
"$wineserver" -w || true
echo "$settings" > "$stamp"
