# Field texts that are not a finite number stop calculate with the "输入有误"
# message and the focus in the field, and leave the last result as it was;
# texts with a numeric prefix, or none, are no error.
run_case() {
  start_app "$KINETORA_APP"
  drv set-text 2000 30 click 1001 $(expect_result 30)

  local message
  message=$(esc '第 1 项“半衰期”请输入数字。')
  for text in 1e999 inf nan -1e999 '１ｅ９９９'; do
    drv set-text 2000 "$(esc "$text")" click 1001 \
        expect-box "$(esc 输入有误)" "$message" \
        expect-focus 2000 $(expect_result 30) expect-status "$(esc '计算完成  Kinetora')"
    ok "\"$text\": input error message, focus in the field, last result kept"
  done

  # Read as numbers (the rest of the text ignored), or as 0, without a message.
  local row text t
  for row in 'abc|0' '12 h|12' '\u3000|0' '\t5|5' '|0' ' 12abc|12'; do
    text=${row%|*}
    t=${row#*|}
    drv set-text 2000 "$text" click 1001 $(expect_result "$t") expect-no-box
    ok "\"$text\" reads as $t without a message"
  done
  # A half-life of 0 voids every output: the verdict says so in the level-2 colour.
  drv set-text 2000 0 click 1001 $(expect_result 0)
  shot_until level2 $VERDICT_BOX "$COLOUR_LEVEL2" 100 100000 "t = 0: level-2 verdict colour"
  stop_app
}
