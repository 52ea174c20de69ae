# The keyboard of a dialog, in the infusion card (five inputs: bed, dose,
# volume, drops a minute, drip factor): Tab moves to the next field and selects
# its text, so "7 Tab 9" fills two fields; Shift+Tab goes back and wraps round
# to the report box; Tab from the last field reaches the calculate button,
# which shows a focus rectangle, and Space presses it; Tab from the main window
# itself (after a calculation) starts again at the first field; Ctrl+S saves
# from the main window, a field and the report box, and types nothing.
run_case() {
  local base file_unix saved_box
  base=$(drv local-appdata)
  file_unix="$(drv unix-path "$(esc "$base\\ToviMedSuite")")/records/T110.csv"
  rm -f "$file_unix"
  saved_box="expect-box $(esc 已保存) $(esc '本次结果已追加保存到本地记录（CSV，可用 Excel 打开）。')"

  start_app "$KINETORA_SUITE_DIR/Kinetora-T110.exe"

  click_control 2000
  key ctrl+a
  type_text 7
  key Tab
  type_text 9
  key F5
  drv expect-text 2000 7 expect-text 2001 9 \
      expect-text-line 3000 1 "$(esc '床号：7')" \
      expect-text-line 3000 5 "$(esc '药液：医嘱药量 9 ＿＿（单位按医嘱），加入溶媒 100 ml')"
  ok "7 Tab 9 F5: bed 7, dose 9 on the card"

  click_control 2001
  drv expect-focus 2001
  key shift+Tab
  drv expect-focus 2000
  type_text 5
  drv expect-text 2000 5
  ok "Shift+Tab from the dose: the bed field, its text replaced by what is typed"
  key shift+Tab
  drv expect-focus 3000
  key Tab
  drv expect-focus 2000
  ok "Shift+Tab from the first field wraps round to the report box, Tab back to the first field"

  click_control 2004
  drv expect-focus 2004
  key Tab
  drv expect-focus 1001
  local x y w h
  read -r x y w h <<< "20 668 152 40"
  shot_until focus_rect "$x" "$y" "$w" "$h" '#FF8557' 100 100000 "focus rectangle on the calculate button"
  key space
  drv expect-text 2000 5 expect-text-line 3000 1 "$(esc '床号：5')" expect-focus 0
  ok "Tab from the last field reaches 计算; Space presses it: the card for bed 5"
  key Tab
  drv expect-focus 2000
  ok "Tab after a calculation (the main window focused): the first field"

  # Ctrl+S: from the main window right after F5, from a field, from the report box.
  key F5
  drv expect-focus 0
  key ctrl+s
  drv $saved_box wait-no-box
  [ -s "$file_unix" ] || fail "Ctrl+S saved no record in $file_unix"
  local size_before
  size_before=$(stat -c %s "$file_unix")
  click_control 2001
  key ctrl+s
  drv $saved_box wait-no-box expect-focus 2001 expect-text 2001 9
  (( $(stat -c %s "$file_unix") > size_before )) || fail "Ctrl+S in a field saved nothing"
  size_before=$(stat -c %s "$file_unix")
  click_control 3000
  key ctrl+s
  drv $saved_box wait-no-box expect-focus 3000
  (( $(stat -c %s "$file_unix") > size_before )) || fail "Ctrl+S in the report box saved nothing"
  ok "Ctrl+S saves from the main window, a field and the report box; the field keeps its text"

  stop_app
}
