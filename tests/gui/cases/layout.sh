# The window as it opens: class and styles, a client area of exactly 1020x720
# in a window centred on the screen that tracks only its own size, every
# control, the initial focus and status, and the painted bands, panels and
# outlines.
run_case() {
  start_app "$KINETORA_APP"

  local info left top width height screen_w screen_h
  read -r left top width height screen_w screen_h < <(drv window-rect)
  info=$(drv window-info)
  for field in class-style=0x0 style=0x14CA0000 exstyle=0x00000100 client=1020x720 \
               min-track=${width}x$height max-track=${width}x$height caption=Kinetora; do
    [[ " $info " == *" $field "* ]] || fail "window: expected $field in: $info"
  done
  ok "window: class style 0, caption, system menu and minimise box only, client 1020x720, tracking ${width}x$height"
  # WS_VISIBLE and WS_CLIPSIBLINGS (0x14000000) are added by the system.
  (( left == (screen_w - width) / 2 && top == (screen_h - height) / 2 )) ||
    fail "window ${width}x$height at $left,$top is not centred on the ${screen_w}x$screen_h screen"
  ok "window ${width}x$height at $left,$top: centred on the ${screen_w}x$screen_h screen"

  drv controls > "$ARTEFACTS/controls.txt"
  diff -u "$KINETORA_SOURCE/tests/gui/expected/controls.txt" "$ARTEFACTS/controls.txt" ||
    fail "controls differ from tests/gui/expected/controls.txt"
  ok "controls: classes, ids, styles, positions, sizes and texts"

  drv expect-focus 2000 expect-status "$(esc '就绪：填写参数后按 F5 或点击“计算”')"
  ok "focus in the first input, ready status painted"

  shot_until start $VERDICT_BOX "$COLOUR_LEVEL0" 100 100000 "hint in the level-0 green"
  expect_pixel start 400 40  '#006C96' "header band"
  expect_pixel start 1000 80 '#006C96' "header band, right end"
  expect_pixel start 4 44    '#0084B0' "accent strip"
  expect_pixel start 468 300 '#F4F7F9' "page between the panels"
  expect_pixel start 100 400 '#FFFFFF' "left panel"
  expect_pixel start 700 620 '#FFFFFF' "right panel"
  expect_pixel start 20 300  '#DAE2E8' "left panel outline, left edge"
  expect_pixel start 459 300 '#DAE2E8' "left panel outline, right edge"
  expect_pixel start 200 647 '#DAE2E8' "left panel outline, bottom edge"
  expect_pixel start 476 300 '#DAE2E8' "right panel outline, left edge"
  expect_pixel start 999 300 '#DAE2E8' "right panel outline, right edge"
  expect_pixel start 700 96  '#DAE2E8' "right panel outline, top edge"
  expect_pixel start 300 133 '#E4EAEE' "rule under the left title"
  expect_pixel start 900 133 '#E4EAEE' "rule under the right title"
  expect_pixel start 800 665 '#ECF1F4' "footer band"
  expect_pixel start 10 700  '#ECF1F4' "footer band left of the buttons"
  expect_pixel start 30 700  '#007AA8' "calculate button fill"
  expect_pixel start 20 668  '#006A94' "calculate button outline"
  expect_pixel start 190 700 '#FFFFFF' "save button fill"
  expect_pixel start 184 690 '#CED8E0' "save button outline"
  expect_colour_count start 36 104 300 30 '#006C96' 20 100000 "panel title in the header blue"

  stop_app
}
