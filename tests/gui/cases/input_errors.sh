# A field is read whole or not at all. A text that is not one plain number
# (with the field's own unit, or a clock time where the input takes one) stops
# calculate with the "输入有误" message and the focus in the field, and the
# window goes back to having no result: no stale report or verdict stays beside
# the changed field. Numbers with blanks around them or their unit are read.
run_case() {
  start_app "$KINETORA_APP"

  local message hint changed
  message=$(esc '第 1 项“半衰期”请输入数字。')
  hint=$(esc "$VERDICT_HINT")
  changed=$(esc 输入已更改，请重新计算)
  for text in '1,5' '12,5' 'abc' '' '12abc' '0x10' '2 3' '12 min' 1e999 inf nan '１ｅ９９９'; do
    drv set-text 2000 30 click 1001 $(expect_result 30) \
        set-text 2000 "$(esc "$text")" click 1001 \
        expect-box "$(esc 输入有误)" "$message" \
        expect-focus 2000 expect-text 3000 '' expect-text-at $VERDICT_AT "$hint" \
        expect-status "$changed"
    ok "\"$text\": input error message, focus in the field, no result left on screen"
  done
  shot_until no_result $VERDICT_BOX "$COLOUR_LEVEL0" 100 100000 "the hint in the level-0 green"
  expect_colour_count no_result $VERDICT_BOX "$COLOUR_LEVEL1" 0 0 "no level-1 colour left"

  # Read whole: blanks around the number, the field's unit, full-width forms.
  local row text t
  for row in ' 12 |12' '12 h|12' '12h|12' '\t5|5' '\u3000\uff11\uff12\uff48|12'; do
    text=${row%|*}
    t=${row#*|}
    drv set-text 2000 "$text" click 1001 $(expect_result "$t") expect-no-box
    ok "\"$text\" reads as $t without a message"
  done
  # A half-life of 0 voids every output: the verdict says so in the level-2 colour.
  drv set-text 2000 0 click 1001 $(expect_result 0)
  shot_until level2 $VERDICT_BOX "$COLOUR_LEVEL2" 100 100000 "t = 0: level-2 verdict colour"
  stop_app

  # The dosing timetable's first dose takes a clock time: 22:30 is 22.5 h.
  start_app "$KINETORA_SUITE_DIR/Kinetora-T102.exe"
  local colon
  for colon in ':' '：'; do
    drv set-text 2000 "$(esc "22${colon}30")" set-text 2002 2 click 1001 expect-no-box \
        expect-text-line 3000 0 "$(esc '首剂时间 22:30，间隔 8 小时，共 2 次：')" \
        expect-text-line 3000 1 "$(esc '第 1 次  第1天 22:30')" \
        expect-text-line 3000 2 "$(esc '第 2 次  第2天 06:30')"
    ok "first dose 22${colon}30: doses at 22:30 and 06:30 the next day"
  done
  drv set-text 2000 '24:00' click 1001 \
      expect-box "$(esc 输入有误)" "$(esc '第 1 项“首剂时间”请输入数字。')" expect-focus 2000
  ok "24:00 is no time of day: input error"

  # Typed at the keyboard: after Enter closes the message, the bad field has
  # the focus with its text selected, so what is typed next replaces it. Each
  # row: the field, the bad text typed into it, the good text typed after.
  local field bad good
  for row in '2000|abc|9:00' '2001|8x|12' '2002|0.5.|4'; do
    IFS='|' read -r field bad good <<< "$row"
    drv set-text 2000 8 set-text 2001 8 set-text 2002 6
    click_control "$field"
    key ctrl+a
    type_text "$bad"
    key Return
    drv wait-box "$(esc 输入有误)"
    key Return
    drv wait-no-box expect-focus "$field"
    type_text "$good"
    drv expect-text "$field" "$good"
    ok "field $field: \"$bad\", Enter, Enter, \"$good\" leaves \"$good\""
  done
  stop_app

  # Only a field the tool marks optional may be empty: the infusion card's bed
  # (an extra bed gets a blank to write in); an empty dose is an input error.
  start_app "$KINETORA_SUITE_DIR/Kinetora-T110.exe"
  drv set-text 2000 '' click 1001 expect-no-box \
      expect-text-line 3000 1 "$(esc '床号＿＿＿＿')" \
      expect-text-at $VERDICT_AT "$(esc 输液卡已生成，双人核对后执行)"
  ok "bed left empty: the card with a blank bed number"
  drv set-text 2001 '' click 1001 \
      expect-box "$(esc 输入有误)" "$(esc '第 2 项“医嘱药量”请输入数字。')" expect-focus 2001
  ok "dose left empty: input error"
  stop_app
}
