# Real keystrokes: typing into the field, F5 and Enter run calculate; F5 right
# after a calculation (the main window focused) does nothing; Enter in the
# report box and F5 on a focused button do; full-width digits and the
# ideographic full stop typed through an input method read as numbers; the
# focus comes back to the clicked button once Enter has closed a message box.
run_case() {
  start_app "$KINETORA_APP"

  click_control 2000
  drv expect-focus 2000
  key ctrl+a
  type_text "30"
  drv expect-text 2000 30
  key F5
  drv $(expect_result 30) expect-focus 0 expect-status "$(esc '计算完成  Kinetora')"
  ok "typed 30, F5: report and verdict for t = 30, focus on the main window, status"
  shot_until level1 $VERDICT_BOX "$COLOUR_LEVEL1" 100 100000 "level-1 verdict colour"
  expect_colour_count level1 $VERDICT_BOX "$COLOUR_LEVEL0" 0 0 "no level-0 colour"

  # F5 aimed at the main window itself: nothing happens. The changed field has
  # taken the result away, and F5 brings none back. The click into the report
  # box comes after the key, so once the box has the focus the key has been
  # handled.
  drv set-text 2000 8
  key F5
  click_control 3000
  drv expect-focus 3000 expect-text 3000 '' expect-status "$(esc 输入已更改，请重新计算)"
  ok "F5 right after a calculation does nothing"
  key Return
  drv $(expect_result 8) expect-focus 0
  ok "Enter in the report box calculates"
  shot_until level0 $VERDICT_BOX "$COLOUR_LEVEL0" 100 100000 "level-0 verdict colour"
  expect_colour_count level0 $VERDICT_BOX "$COLOUR_LEVEL1" 0 0 "no level-1 colour"

  # Full-width forms as an input method in full-width mode delivers them: one
  # Unicode key event per character. (xdotool would have to remap a key for
  # each of them, and under load the program can read a key after its
  # mapping has already changed again.)
  # The Chinese input method's full stop "。" is a decimal point too.
  local typed
  for typed in '１２．５' '12。5'; do
    click_control 2000
    key ctrl+a
    drv type-unicode "$(esc "$typed")" expect-text 2000 "$(esc "$typed")"
    key Return
    drv $(expect_result 12.5) set-text 2000 8
    click_control 1001
    drv $(expect_result 8)
    ok "$typed typed and Enter in the field: t = 12.5"
  done

  # A clicked button keeps the focus; F5 then calculates.
  click_control 1004
  drv expect-focus 1004 expect-text 2000 8 set-text 2000 48
  key F5
  drv $(expect_result 48)
  ok "F5 with a button focused calculates"

  # A message box takes the focus; closing it with Enter gives it back to the
  # button that opened it, so F5 calculates the changed value.
  local row id caption t
  for row in '1002|已保存|30' '1005|关于本工具|5'; do
    IFS='|' read -r id caption t <<< "$row"
    click_control "$id"
    drv wait-box "$(esc "$caption")"
    key Return
    drv wait-no-box expect-focus "$id" set-text 2000 "$t"
    key F5
    drv $(expect_result "$t")
    ok "\"$caption\" closed with Enter: focus back on button $id, F5 calculates t = $t"
  done

  stop_app
}
