# Helpers of the GUI test cases (sourced by run_case.sh).
#
#   start_app <exe>         starts a program, waits for its window, reads its
#                           client origin and size into CLIENT_X/Y/W/H
#   stop_app                closes the window and checks the exit code 0
#   case_cleanup            run when the case ends after a started program, also
#                           on a failure: a case defines it for what it set up
#   drv <command...>        runs gui_driver.exe; the case fails when it does
#   drv_again <command...>  the same for queries and waits, which may run twice:
#                           once more when the driver ended without a failure
#                           of its own (Wine under load)
#   esc <text>              the text with every unit as \uXXXX (driver arguments)
#   esc_b <text>            the same after turning \r and \n into CR and LF
#   click_control <id>      a real mouse click into a control (xdotool)
#   key <keys...>           real key presses (xdotool)
#   type_text <text>        real typing (xdotool) of text on the keyboard (ASCII)
#   shot <name>             screenshot of the whole screen, kept as an artefact
#   shot_until <name> <x> <y> <w> <h> <#RRGGBB> <min> <max> <what>
#                           screenshots until the box shows that many pixels
#   expect_pixel <shot> <x> <y> <#RRGGBB> <what>      (client coordinates)
#   expect_colour_count <shot> <x> <y> <w> <h> <#RRGGBB> <min> <max> <what>
#   record <t>              one record of the built-in tool for a half-life
#   expect_file <name> <text>  the record file $file_unix, times replaced, is
#                           the text
#   ok <what>               logs a passed step
#   fail <what>             ends the case as failed

WINE_RUN="$KINETORA_SOURCE/cmake/wine-run.sh"
ARTEFACTS="$GUI_ARTEFACTS/$case_name"
CONVERT=/usr/bin/convert   # ImageMagick itself, not a wrapper earlier on PATH
mkdir -p "$ARTEFACTS"
rm -f "$ARTEFACTS"/*.png
APP_PID=""

ok() { echo "ok - $*"; }

fail() {
  echo "FAIL - $*" >&2
  exit 1
}

to_escapes() {
  iconv -f UTF-8 -t UTF-16BE | od -An -v -tx1 | tr -d ' \n' | sed 's/\(..\)\(..\)/\\u\1\2/g'
}
esc() { printf '%s' "$1" | to_escapes; }
# The same for a text with backslash escapes (\r, \n) of its own.
esc_b() { printf '%b' "$1" | to_escapes; }

drv() {
  local rc=0
  "$WINE_RUN" "$KINETORA_DRIVER" "$@" || rc=$?
  [ "$rc" -eq 0 ] || fail "driver: $* (exit code $rc)"
}

# The driver itself ends with 1 on a failed check and 2 on a usage error; any
# other code means its process did not finish (killed or crashed under Wine).
driver_unfinished() { [ "$1" -ne 0 ] && [ "$1" -ne 1 ] && [ "$1" -ne 2 ]; }

drv_again() {
  local rc=0
  "$WINE_RUN" "$KINETORA_DRIVER" "$@" || rc=$?
  if driver_unfinished "$rc"; then
    echo "note - driver: $* ended with exit code $rc, not a failure of its own: once more" >&2
    rc=0
    "$WINE_RUN" "$KINETORA_DRIVER" "$@" || rc=$?
  fi
  [ "$rc" -eq 0 ] || fail "driver: $* (exit code $rc)"
}

start_app() {
  local exe=$1
  # A window left over by an earlier, interrupted run would be found instead.
  # This first Wine process may start Wine's background services: it must not
  # hand them the test's output pipes, which they would hold open.
  "$WINE_RUN" "$KINETORA_DRIVER" close wait-gone 10000 </dev/null >/dev/null 2>&1
  "$WINE_RUN" "$exe" </dev/null >"$ARTEFACTS/$(basename "$exe").log" 2>&1 &
  APP_PID=$!
  trap 'stop_app_quietly; case_cleanup' EXIT
  drv_again wait-window 60000
  read -r CLIENT_X CLIENT_Y CLIENT_W CLIENT_H < <(drv_again geometry)
  ok "started $(basename "$exe"): client area at $CLIENT_X,$CLIENT_Y, ${CLIENT_W}x$CLIENT_H"
}

stop_app() {
  drv close
  drv_again wait-gone 10000
  local code=0
  wait "$APP_PID" || code=$?
  APP_PID=""
  [ "$code" -eq 0 ] || fail "exit code $code after closing the window"
  ok "window closed, exit code 0"
}

case_cleanup() { :; }

# On a failed case: close the window, or end the program if it does not go.
stop_app_quietly() {
  [ -n "$APP_PID" ] || return 0
  if ! "$WINE_RUN" "$KINETORA_DRIVER" close wait-gone 5000 >/dev/null 2>&1; then
    kill "$APP_PID" 2>/dev/null
  fi
  wait "$APP_PID" 2>/dev/null
}

click_control() {
  local x y
  read -r x y < <(drv centre "$1")
  xdotool mousemove "$x" "$y" click 1
}

key() { xdotool key --clearmodifiers "$@"; }

type_text() { xdotool type --delay 20 -- "$1"; }

shot() {
  import -window root "$ARTEFACTS/$1.png" || fail "screenshot $1"
}

pixel() {
  "$CONVERT" "$ARTEFACTS/$1.png" -format "#%[hex:p{$(( CLIENT_X + $2 )),$(( CLIENT_Y + $3 ))}]" info:
}

expect_pixel() {
  local shot=$1 x=$2 y=$3 colour=$4 what=$5 actual
  actual=$(pixel "$shot" "$x" "$y")
  [ "${actual^^}" = "${colour^^}" ] || fail "$what: pixel $x,$y of $shot is $actual, not $colour"
  ok "$what: $colour at $x,$y"
}

# Number of pixels of exactly one colour in a box of the client area.
colour_count() {
  local shot=$1 x=$2 y=$3 w=$4 h=$5 colour=$6
  "$CONVERT" "$ARTEFACTS/$shot.png" -crop "${w}x${h}+$(( CLIENT_X + x ))+$(( CLIENT_Y + y ))" +repage \
    -fill black +opaque "$colour" -fill white -opaque "$colour" \
    -format "%[fx:round(mean*w*h)]" info:
}

# Takes screenshots until the box holds min to max pixels of the colour: the
# program's drawing reaches the screen a little after its controls change.
shot_until() {
  local shot=$1 x=$2 y=$3 w=$4 h=$5 colour=$6 min=$7 max=$8 what=$9 count tries=0
  while :; do
    shot "$shot"
    count=$(colour_count "$shot" "$x" "$y" "$w" "$h" "$colour")
    if [ "$count" -ge "$min" ] && [ "$count" -le "$max" ]; then
      ok "$what: $count pixels of $colour"
      return
    fi
    (( ++tries < 50 )) || fail "$what: $count pixels of $colour in $shot, expected $min to $max"
    sleep 0.2
  done
}

expect_colour_count() {
  local shot=$1 x=$2 y=$3 w=$4 h=$5 colour=$6 min=$7 max=$8 what=$9 count
  count=$(colour_count "$shot" "$x" "$y" "$w" "$h" "$colour")
  [ "$count" -ge "$min" ] && [ "$count" -le "$max" ] ||
    fail "$what: $count pixels of $colour in $shot, expected $min to $max"
  ok "$what: $count pixels of $colour"
}

# The report of the built-in tool for a half-life, as the report box shows it
# (backslash escapes for the line ends).
report_for() {
  case $1 in
    0)    printf '%s' '消除速率常数：-- 1/h\r\n达稳态时间：0.0 h\r\n消除 90% 时间：0.0 h\r\n（部分结果无法计算，请检查输入是否合理）\r\n' ;;
    5)    printf '%s' '消除速率常数：0.139 1/h\r\n达稳态时间：25.0 h\r\n消除 90% 时间：16.6 h\r\n' ;;
    8)    printf '%s' '消除速率常数：0.087 1/h\r\n达稳态时间：40.0 h\r\n消除 90% 时间：26.6 h\r\n' ;;
    12)   printf '%s' '消除速率常数：0.058 1/h\r\n达稳态时间：60.0 h\r\n消除 90% 时间：39.8 h\r\n' ;;
    12.5) printf '%s' '消除速率常数：0.055 1/h\r\n达稳态时间：62.5 h\r\n消除 90% 时间：41.5 h\r\n' ;;
    30)   printf '%s' '消除速率常数：0.023 1/h\r\n达稳态时间：150.0 h\r\n消除 90% 时间：99.6 h\r\n' ;;
    36)   printf '%s' '消除速率常数：0.019 1/h\r\n达稳态时间：180.0 h\r\n消除 90% 时间：119.5 h\r\n' ;;
    48)   printf '%s' '消除速率常数：0.014 1/h\r\n达稳态时间：240.0 h\r\n消除 90% 时间：159.4 h\r\n' ;;
    *)    fail "no report known for t = $1" ;;
  esac
}

VERDICT_NORMAL='药代参数估算完成'
VERDICT_LONG='半衰期较长，蓄积风险高，注意 loading 与监测'
VERDICT_HINT='填写左侧参数，点击“计算”'
VERDICT_INVALID='半衰期须大于 0：结果无效，请检查输入'
COLOUR_LEVEL0='#008060'
COLOUR_LEVEL1='#B08400'
COLOUR_LEVEL2='#D66C00'
COLOUR_LEVEL3='#BE1E2D'

# The verdict label: its top-left corner and box in the client area.
VERDICT_AT="492 142"
VERDICT_BOX="492 142 492 46"

verdict_for() {
  case $1 in
    30|36|48) printf '%s' "$VERDICT_LONG" ;;
    0)     printf '%s' "$VERDICT_INVALID" ;;
    *)     printf '%s' "$VERDICT_NORMAL" ;;
  esac
}

# Driver arguments that wait for the built-in tool's report and verdict for t.
expect_result() {
  echo expect-text 3000 "$(esc_b "$(report_for "$1")")" \
       expect-text-at $VERDICT_AT "$(esc "$(verdict_for "$1")")"
}

# The summary that copy puts after the tool's name and inputs.
summary_for() {
  printf '%s' "$(report_for "$1")—— $(verdict_for "$1")"
}

# The clipboard text of the built-in tool's result for t: the name, the
# inputs line, the summary.
clipboard_for() {
  printf '%s' "Kinetora\r\n半衰期 $1 h\r\n$(summary_for "$1")"
}

# The level of the built-in tool's verdict for t in words, as on paper.
level_words_for() {
  case $1 in
    30|36|48) printf '%s' '【注意】' ;;
    0)        printf '%s' '【警示】' ;;
    *)        printf '%s' '【正常】' ;;
  esac
}

# One record with the time replaced by <time> (the result field is quoted: it
# holds line breaks): the verdict line as on paper, then the report.
record() {
  printf '%s' "<time>,Kinetora,半衰期=$1,\"$(level_words_for "$1")$(verdict_for "$1")\r\n$(report_for "$1")\"\r\n"
}

# Compares the record file, times replaced, with the expected text (backslash
# escapes for the line ends); keeps the file as an artefact.
expect_file() {
  local name=$1 expected=$2
  cp "$file_unix" "$ARTEFACTS/$name.csv"
  if grep -a -v -E '^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2},Kinetora,' \
       <(grep -a -E '^[0-9]{4}-' "$file_unix") >/dev/null; then
    fail "$name: a record does not start with a local time"
  fi
  sed -E 's/^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2},/<time>,/' "$file_unix" \
    > "$ARTEFACTS/$name.normalised"
  printf '%b' "$expected" > "$ARTEFACTS/$name.expected"
  cmp "$ARTEFACTS/$name.expected" "$ARTEFACTS/$name.normalised" ||
    fail "$name: the record file differs from $ARTEFACTS/$name.expected"
}
