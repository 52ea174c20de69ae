# The Wine environment of every Windows run of the project: the throw-away
# prefix under build/, Wine's own diagnostics off, and no offer to download
# Mono or Gecko. Sourced, not run, by cmake/wine-run.sh, tools/wine-prefix.sh
# and tools/with-wine-session.sh, which set root to the source folder first.
# KINETORA_WINEPREFIX names another prefix (the start-up benchmark runs a copy);
# a WINEPREFIX of the user's own is deliberately not used.
export WINEPREFIX="${KINETORA_WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
