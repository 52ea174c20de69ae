# Two programs of the suite in the window, each titled with its tool's name: the
# dosing timetable reads its inputs like any tool; the surgical safety
# checklist has none: one line in the input panel says that nothing needs to
# be entered, the calculate button has the focus, and F5 gives the report.
run_case() {
  start_app "$KINETORA_SUITE_DIR/Kinetora-T102.exe"
  expect_caption 给药时间表
  drv expect-focus 2000 expect-text 2000 8 set-text 2002 2 click 1001 \
      expect-text 3000 "$(esc_b '首剂时间 8:00，间隔 8 小时，共 2 次：\r\n第 1 次  第1天 08:00\r\n第 2 次  第1天 16:00\r\n说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。\r\n')" \
      expect-text-at $VERDICT_AT "$(esc 给药时间表已生成，注意首剂与夜间给药时间)"
  ok "dosing timetable: two doses from the default start and interval"
  stop_app

  start_app "$KINETORA_SUITE_DIR/Kinetora-T108.exe"
  expect_caption 手术安全核查
  drv controls > "$ARTEFACTS/controls_t108.txt"
  diff -u "$KINETORA_SOURCE/tests/gui/expected/controls_t108.txt" "$ARTEFACTS/controls_t108.txt" ||
    fail "controls differ from tests/gui/expected/controls_t108.txt"
  ok "no input rows: the line saying that no input is needed, then the usual controls"
  shot_until no_inputs 36 151 408 22 "$COLOUR_MUTED" 20 100000 "the no-input line painted"
  drv expect-focus 1001
  key F5
  drv expect-text 3000 "$(esc_b "$(checklist_report)")" \
      expect-text-at $VERDICT_AT "$(esc 三方核查缺一不可，签字后归档)"
  shot_until checklist $VERDICT_BOX "$COLOUR_LEVEL0" 100 100000 "F5: the checklist and its verdict in green"
  stop_app
}

COLOUR_MUTED='#78848E'

expect_caption() {
  local info
  info=$(drv window-info)
  [[ "$info" == *" caption=$1" ]] || fail "title: expected $1 in: $info"
  ok "title: $1"
}

checklist_report() {
  local parties='三方确认：□ 手术医师  □ 麻醉医师  □ 手术室护士'
  printf '%s' '手术安全核查表（三步核查，逐项核对后在□内打√）：\r\n'
  printf '%s' '\r\n'
  printf '%s' '【麻醉实施前】\r\n'
  printf '%s' '□ 患者身份、手术部位、术式、知情同意\r\n'
  printf '%s' '□ 手术部位标识\r\n'
  printf '%s' '□ 麻醉设备与药品安全检查\r\n'
  printf '%s' '□ 脉搏血氧仪已连接并工作\r\n'
  printf '%s' '□ 过敏史\r\n'
  printf '%s' '□ 气道与插管风险\r\n'
  printf '%s' '□ 出血风险\r\n'
  printf '%s' '□ 影像与植入物\r\n'
  printf '%s' '□ 皮肤准备\r\n'
  printf '%s' "$parties\r\n"
  printf '%s' '\r\n'
  printf '%s' '【手术开始前】\r\n'
  printf '%s' '□ 团队自我介绍\r\n'
  printf '%s' '□ 确认患者、部位、术式\r\n'
  printf '%s' '□ 预计手术时间与失血量\r\n'
  printf '%s' '□ 预防性抗菌药物已于切皮前 60 分钟内给予（或无需给予）\r\n'
  printf '%s' '□ 器械灭菌合格\r\n'
  printf '%s' '□ 影像资料到位\r\n'
  printf '%s' "$parties\r\n"
  printf '%s' '\r\n'
  printf '%s' '【患者离室前】\r\n'
  printf '%s' '□ 手术名称与记录一致\r\n'
  printf '%s' '□ 标本标识与送检\r\n'
  printf '%s' '□ 器械敷料清点\r\n'
  printf '%s' '□ 皮肤与管路\r\n'
  printf '%s' '□ 恢复与转运方案\r\n'
  printf '%s' "$parties\r\n"
  printf '%s' '\r\n'
  printf '%s' '要求：三方（外科、麻醉、护理）共同口述确认并签字，任一环节缺失不得进入下一环节。\r\n'
}
