# Copy (the clipboard text, the status only when the clipboard took it), reset
# (defaults back, no result: copy and save refused), and the About box.
run_case() {
  start_app "$KINETORA_APP"
  local marker notice
  marker=$(esc '剪贴板原有内容')
  notice=$(esc 提示)

  drv set-clipboard "$marker" click 1003 expect-box "$notice" "$(esc '请先点击“计算”生成结果。')" \
      expect-clipboard "$marker"
  ok "copy before any calculation: the notice, clipboard untouched"

  drv click 1001 $(expect_result 8) click 1003 \
      expect-clipboard "$(esc_b "$(clipboard_for 8)")" \
      expect-status "$(esc 结果已复制到剪贴板)"
  ok "copy: name, inputs, report, \"—— \" and verdict; status"

  # The clipboard held by another program: nothing is copied and the status
  # does not claim it. The About box that follows shows that the copy ran.
  drv set-text 2000 30 click 1001 $(expect_result 30) expect-status "$(esc '计算完成  Kinetora')" \
      hold-clipboard click 1003 click 1005 \
      expect-box "$(esc 关于本工具)" "$(esc_b "$(about_text)")" \
      release-clipboard \
      expect-status "$(esc '计算完成  Kinetora')" \
      expect-clipboard "$(esc_b "$(clipboard_for 8)")"
  ok "copy while the clipboard is held: no status, old clipboard text kept"
  ok "About: the nine lines"

  drv set-text 2000 12 click 1004 expect-text 2000 8 expect-text 3000 '' \
      expect-text-at $VERDICT_AT "$(esc "$VERDICT_HINT")" expect-status "$(esc 已恢复默认值)"
  ok "reset: default input, empty report, the hint, status"
  shot_until reset $VERDICT_BOX "$COLOUR_LEVEL0" 100 100000 "hint in the level-0 green after reset"
  expect_colour_count reset $VERDICT_BOX "$COLOUR_LEVEL1" 0 0 "no level-1 colour after reset"

  drv click 1003 expect-box "$notice" "$(esc '请先点击“计算”生成结果。')" \
      click 1002 expect-box "$notice" "$(esc '请先点击“计算”生成结果，再保存记录。')" \
      expect-status "$(esc 已恢复默认值)"
  ok "after reset copy and save are refused, the status stays"

  stop_app
}

about_text() {
  printf '%s' 'Kinetora\r\n\r\n分类：临床药理\r\n参考依据：ke=0.693/t1/2；约 5 个半衰期达稳态，3.3 个半衰期消除 90%（《药理学》药物代谢动力学章，人民卫生出版社）\r\n\r\n'
  printf '%s' '本工具为临床辅助计算/记录工具，结果不能替代医师诊疗判断，\r\n具体用药与处置请结合患者实际情况及本院规范执行。\r\n\r\n'
  printf '%s' '版本 V1.0    官网：www.tovimed.example'
}
