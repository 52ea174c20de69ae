# The window on the ward PCs' screens. At 96, 120, 144 and 192 dpi on a screen
# large enough the client area is 1020 x 720 times dpi / 96, centred on the
# work area; every control sits where the layout tables put it at that factor,
# every static text and button caption fits its control at the scaled font,
# and the bands, panels, rules, buttons and status line are painted at the
# scaled places. On the work areas that a 40-pixel taskbar leaves of 1366 x 768
# and 1024 x 768, and at 144 dpi on the first of them, the whole window is
# scaled down by one factor until it lies inside the work area, with its
# buttons and status line painted there: the client area is then exactly as
# tall as the work area leaves room for. WM_DPICHANGED, as on moving to a
# monitor of 144 dpi and back, places the controls, fonts and window at the new
# factor.
#
# Each screen is an X display of its own (Xvfb) with a Wine server of its own on
# a prefix of its own, build/wineprefix-screens, made like the tests' prefix:
# the DPI is the prefix's LogPixels, read when a program starts; the work area
# is the display's _NET_WORKAREA, read when the Wine server starts.
# With SCREENSHOT_144 set (make gui-screenshot) the window at 144 dpi after
# calculating t = 30 is written there. The lookup programs T106 and T111 list
# their numbers under the inputs, fitting at 96 and 144 dpi and on 1024 x 768.

SCREENS_ROOT=$KINETORA_SOURCE
XVFB_PID=""
READY_STATUS='就绪：填写参数后按 F5 或点击“计算”'

# The program's rounding of a design length v at the factor num / den (v >= 0):
# to the nearest pixel, halves up.
sc() { echo $(( (2 * $1 * SCALE_NUM + SCALE_DEN) / (2 * SCALE_DEN) )); }

# Runs a command line in the Wine environment of the screens' prefix, where
# $wine and $wineserver name Wine's programs.
in_wine_env() { ( root=$SCREENS_ROOT; . "$SCREENS_ROOT/tools/wine-env.sh"; eval "$1" ); }

# screen_open <width> <height> [<work area x,y,w,h>]: a display of that size,
# its work area, and a Wine server started on it.
screen_open() {
  local width=$1 height=$2 work=${3:-} number_file="$ARTEFACTS/display-number" number=""
  rm -f "$number_file"
  # -noreset: the work area set below must outlive xprop, the display's only client then.
  Xvfb -displayfd 9 -noreset -nolisten tcp -screen 0 "${width}x${height}x24" \
    9>"$number_file" </dev/null >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    number=$(cat "$number_file" 2>/dev/null)
    [ -n "$number" ] && break
    sleep 0.1
  done
  [ -n "$number" ] || fail "no X display of ${width}x$height"
  export DISPLAY=":$number"
  if [ -n "$work" ]; then
    xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "$work" || fail "setting the work area"
  fi
  in_wine_env '"$wineserver" -p && "$wine" cmd /c exit' </dev/null >/dev/null 2>&1
  ok "screen ${width}x$height${work:+, work area $work}"
}

screen_close() {
  in_wine_env '"$wineserver" -k' </dev/null >/dev/null 2>&1
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
  XVFB_PID=""
}

# Also when the case fails: lib.sh runs it after ending the program.
case_cleanup() { screen_close; }

set_dpi() {
  "$WINE_RUN" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
    </dev/null >/dev/null 2>&1 || fail "setting LogPixels to $1"
}

# The window at the factor SCALE_NUM / SCALE_DEN, named <what> in the artefacts.
# With "moved" it has taken a DPI other than the system's: Wine still draws
# its frame at the system DPI, thinner than the frame the window was sized
# for, so the client area may be taller by the difference, and the window
# stays where it was instead of being centred.
check_window() {
  local what=$1 moved=${2:-} wl wt wr wb left top width height
  read -r wl wt wr wb < <(drv work-area)
  read -r left top width height _ < <(drv window-rect)
  local taller=0
  [ -n "$moved" ] && taller=1
  (( CLIENT_W == $(sc 1020) && (CLIENT_H == $(sc 720) || (taller && CLIENT_H > $(sc 720))) )) ||
    fail "$what: client ${CLIENT_W}x$CLIENT_H, expected $(sc 1020)x$(sc 720)"
  (( left >= wl && top >= wt && left + width <= wr && top + height <= wb )) ||
    fail "$what: window ${width}x$height at $left,$top leaves the work area $wl,$wt-$wr,$wb"
  [ -n "$moved" ] || (( left == wl + (wr - wl - width) / 2 && top == wt + (wb - wt - height) / 2 )) ||
    fail "$what: window ${width}x$height at $left,$top is not centred on the work area $wl,$wt-$wr,$wb"
  local placed="inside and centred on"
  [ -n "$moved" ] && placed="inside"
  ok "$what: client ${CLIENT_W}x$CLIENT_H, window ${width}x$height at $left,$top, $placed the work area $wl,$wt-$wr,$wb"

  drv scale "$SCALE_NUM" "$SCALE_DEN" check-text-fit > "$ARTEFACTS/text-fit-$what.txt"
  ok "$what: every control at its scaled place, $(wc -l < "$ARTEFACTS/text-fit-$what.txt") texts fit their controls"
  drv scale "$SCALE_NUM" "$SCALE_DEN" expect-status "$(esc "$READY_STATUS")"
  ok "$what: the status line painted at its scaled place and font"

  shot_until "$what" "$(sc 492)" "$(sc 142)" "$(sc 300)" "$(sc 46)" "$COLOUR_LEVEL0" 10 1000000 \
    "$what: the hint painted"
  local row x y colour name
  while IFS='|' read -r x y colour name; do
    expect_pixel "$what" "$(sc "$x")" "$(sc "$y")" "$colour" "$what: $name"
  done <<'PIXELS'
400|40|#006C96|header band
4|44|#0084B0|accent strip
468|300|#F4F7F9|page between the panels
20|300|#DAE2E8|left panel outline, left edge
476|300|#DAE2E8|right panel outline, left edge
700|96|#DAE2E8|right panel outline, top edge
300|133|#E4EAEE|rule under the left title
900|133|#E4EAEE|rule under the right title
800|665|#ECF1F4|footer band
10|700|#ECF1F4|footer band left of the buttons
30|700|#007AA8|calculate button fill
20|668|#006A94|calculate button outline
190|700|#FFFFFF|save button fill
184|690|#CED8E0|save button outline
720|700|#FFFFFF|print button fill
PIXELS
  # Right and bottom outlines lie one pixel inside the scaled edge.
  expect_pixel "$what" "$(( $(sc 460) - 1 ))" "$(sc 300)" '#DAE2E8' "$what: left panel outline, right edge"
  expect_pixel "$what" "$(sc 200)" "$(( $(sc 648) - 1 ))" '#DAE2E8' "$what: left panel outline, bottom edge"
  expect_pixel "$what" "$(( $(sc 728) - 1 ))" "$(sc 690)" '#CED8E0' "$what: print button outline, right edge"
}

# The window of a lookup program after calculating, as
# <program>-<dpi>dpi.png, and in LOOKUP_SHOTS (make gui-screenshot) as
# docs' lookup-<program>-<dpi>dpi.png.
lookup_shot() {
  local program=$1 dpi=$2 name="${1,,}-${2}dpi"
  shot_until "$name-screen" "$(sc 492)" "$(sc 142)" "$(sc 492)" "$(sc 46)" "$COLOUR_LEVEL0" 0 1000000 \
    "$name: painted"
  sleep 0.5
  shot "$name-screen"
  "$CONVERT" "$ARTEFACTS/$name-screen.png" -crop "${CLIENT_W}x${CLIENT_H}+$CLIENT_X+$CLIENT_Y" +repage \
    -strip -define png:exclude-chunks=date,time "$ARTEFACTS/$name.png" || fail "cropping $name"
  if [ -n "${LOOKUP_SHOTS:-}" ]; then
    cp "$ARTEFACTS/$name.png" "$LOOKUP_SHOTS/lookup-$name.png" || fail "writing $name"
    ok "$name written to $LOOKUP_SHOTS"
  fi
}

run_case() {
  export KINETORA_WINEPREFIX="$SCREENS_ROOT/build/wineprefix-screens"
  "$SCREENS_ROOT/tools/wine-prefix.sh" >/dev/null || fail "making $KINETORA_WINEPREFIX"
  trap case_cleanup EXIT

  # Room for the window at 192 dpi: 2040 x 1440 and its frame.
  screen_open 2200 1560
  local dpi
  for dpi in 96 120 144 192; do
    SCALE_NUM=$dpi SCALE_DEN=96
    set_dpi "$dpi"
    start_app "$KINETORA_APP"
    check_window "dpi$dpi"
    if (( dpi == 144 )); then
      drv set-text 2000 30 click 1001 expect-text 3000 "$(esc_b "$(report_for 30)")" \
          expect-text-at "$(sc 492)" "$(sc 142)" "$(esc "$(verdict_for 30)")"
      drv scale "$SCALE_NUM" "$SCALE_DEN" check-text-fit >> "$ARTEFACTS/text-fit-dpi$dpi.txt"
      shot_until window_t30 "$(sc 492)" "$(sc 142)" "$(sc 492)" "$(sc 46)" "$COLOUR_LEVEL1" 100 1000000 \
        "dpi$dpi: t = 30, the verdict in the level-1 colour"
      "$CONVERT" "$ARTEFACTS/window_t30.png" -crop "${CLIENT_W}x${CLIENT_H}+$CLIENT_X+$CLIENT_Y" +repage \
        -strip -define png:exclude-chunks=date,time "$ARTEFACTS/window-144dpi.png" || fail "cropping"
      if [ -n "${SCREENSHOT_144:-}" ]; then
        cp "$ARTEFACTS/window-144dpi.png" "$SCREENSHOT_144" || fail "writing $SCREENSHOT_144"
        ok "window at 144 dpi after t = 30 written to $SCREENSHOT_144"
      fi
      ok "dpi$dpi: t = 30 calculated; the report and the long verdict fit"
    fi
    if (( dpi == 96 )); then
      drv dpi-changed 144
      read -r CLIENT_X CLIENT_Y CLIENT_W CLIENT_H < <(drv geometry)
      SCALE_NUM=144
      check_window dpi96-changed-to-144 moved
      drv dpi-changed 96
      read -r CLIENT_X CLIENT_Y CLIENT_W CLIENT_H < <(drv geometry)
      SCALE_NUM=96
      check_window dpi96-changed-back
    fi
    stop_app
    # The lookup programs' numbers under their inputs, after calculating.
    if (( dpi == 96 || dpi == 144 )); then
      local program
      for program in T106 T111; do
        start_app "$KINETORA_SUITE_DIR/Kinetora-$program.exe"
        check_window "${program,,}-dpi$dpi"
        drv click 1001
        lookup_shot "$program" "$dpi"
        stop_app
      done
    fi
    # Five input rows, where rounding could take a label's room away.
    if (( dpi != 96 )); then
      start_app "$KINETORA_SUITE_DIR/Kinetora-T110.exe"
      check_window "t110-dpi$dpi"
      stop_app
    fi
  done
  set_dpi 96
  screen_close

  # A 40-pixel taskbar at the foot of 1366 x 768 and of 1024 x 768, at 96 dpi;
  # and at 144 dpi on the first. The factor is the one that makes the client
  # area as tall as the work area less the frame: read it from the client
  # height, then check the window against it.
  local row width height work
  for row in '1366|768|0,0,1366,728|96' '1024|768|0,0,1024,728|96' '1366|768|0,0,1366,728|144'; do
    IFS='|' read -r width height work dpi <<< "$row"
    screen_open "$width" "$height" "$work"
    set_dpi "$dpi"
    start_app "$KINETORA_APP"
    SCALE_NUM=$CLIENT_H SCALE_DEN=720
    local top_left bottom
    read -r _ top_left _ bottom < <(drv work-area)
    local window_top window_height
    read -r _ window_top _ window_height _ < <(drv window-rect)
    (( window_top == top_left && window_top + window_height == bottom )) ||
      fail "${width}x$height at $dpi dpi: the window (top $window_top, height $window_height) does not fill the work area's height"
    check_window "work${width}x${height}-dpi$dpi"
    stop_app
    if (( width == 1024 )); then
      start_app "$KINETORA_SUITE_DIR/Kinetora-T106.exe"
      check_window "t106-work${width}x${height}-dpi$dpi"
      stop_app
    fi
    set_dpi 96
    screen_close
  done
}
