#!/bin/bash
# Runs one GUI test case: tests/gui/cases/<case>.sh, with the helpers of
# lib.sh. Uses the X display in DISPLAY, or starts its own Xvfb when there is
# none. Environment (set by CTest): KINETORA_SOURCE, KINETORA_APP,
# KINETORA_COMPAT_APP, KINETORA_SUITE_DIR (the folder of
# the suite's programs), KINETORA_DRIVER, KINETORA_OBJDUMP,
# GUI_ARTEFACTS (screenshots and files of each case are kept there).
set -u
case_name=${1:?usage: run_case.sh <case>}
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

source "$here/lib.sh"
source "$here/cases/$case_name.sh"

# The window (a 1020 x 720 client area and its frame, within 1036 x 780) must
# fit the screen: the pixel checks read the screen.
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
(( screen_w >= 1036 && screen_h >= 780 )) ||
  fail "the display is ${screen_w}x$screen_h; the GUI tests need at least 1036x780 (24-bit)"

started=$(date +%s%N)
run_case
finished=$(date +%s%N)
echo "gui.$case_name passed in $(( (finished - started) / 1000000 )) ms"
