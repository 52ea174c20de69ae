# The Wine environment of every Windows run of the project: the throw-away
# prefix under build/, Wine's own diagnostics off, no offer to download Mono or
# Gecko, and the locale of a Chinese Windows PC, as on the wards: zh_CN gives
# the ANSI code page 936 and Wine's own texts in Chinese (tools/wine-prefix.sh
# generates the locale when it is missing).
# Sourced, not run, by cmake/wine-run.sh, tools/wine-prefix.sh and
# tools/with-wine-session.sh, which set root to the source folder first.
# KINETORA_WINEPREFIX names another prefix (the start-up benchmark runs a copy);
# a WINEPREFIX of the user's own is deliberately not used.
export WINEPREFIX="${KINETORA_WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8
wine=/usr/lib/wine/wine64
# Wine's 32-bit half (package wine32): wine64 hands 32-bit programs to it.
wine32=/usr/lib/wine/wine
wineserver=/usr/lib/wine/wineserver
