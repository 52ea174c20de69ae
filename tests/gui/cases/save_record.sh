# Saving: folders and T030.csv made on the first save with byte-order mark,
# header and record; later saves append one record each; once a field changed
# after the calculation (an edit, or an input error) there is no result to save
# and the file stays as it was; a file held open
# by another program without sharing: the "保存失败" warning, the failure status
# and the file unchanged; once it is closed, saving the same result works; a
# record file that ends in a torn record (its report field still open): the
# next save closes it and its record is a row of its own.
run_case() {
  local base file suite_unix file_unix
  base=$(drv local-appdata)
  file="$base\\ToviMedSuite\\records\\T030.csv"
  suite_unix=$(drv unix-path "$(esc "$base\\ToviMedSuite")")
  file_unix="$suite_unix/records/T030.csv"
  [ -n "$suite_unix" ] || fail "no Unix path for the record folder"
  rm -rf "$suite_unix"

  start_app "$KINETORA_APP"
  local saved_box saved_status
  saved_box="expect-box $(esc 已保存) $(esc '本次结果已追加保存到本地记录（CSV，可用 Excel 打开）。')"
  saved_status="expect-status $(esc "记录已保存：$file")"

  drv click 1001 $(expect_result 8) click 1002 $saved_box $saved_status
  [ -f "$file_unix" ] || fail "no record file at $file_unix"
  expect_file first_save "$(printf '\xef\xbb\xbf')时间,工具,半衰期,结果\r\n$(record 8)"
  ok "first save: folders made, T030.csv with byte-order mark, header and record; status"

  drv set-text 2000 30 click 1001 $(expect_result 30) click 1002 $saved_box
  expect_file second_save "$(printf '\xef\xbb\xbf')时间,工具,半衰期,结果\r\n$(record 8)$(record 30)"
  ok "second save appends one record, no second mark or header"

  # No result once the field changed: an edit without calculating again, or a
  # calculate stopped by an input error. Save is refused and the file stays.
  local notice_box changed
  notice_box="expect-box $(esc 提示) $(esc '请先点击“计算”生成结果，再保存记录。')"
  changed=$(esc 输入已更改，请重新计算)
  drv set-text 2000 36 click 1001 $(expect_result 36) set-text 2000 12 \
      expect-text 3000 '' expect-text-at $VERDICT_AT "$(esc "$VERDICT_HINT")" \
      expect-status "$changed" click 1002 $notice_box expect-status "$changed"
  expect_file after_edit "$(printf '\xef\xbb\xbf')时间,工具,半衰期,结果\r\n$(record 8)$(record 30)"
  ok "edit after calculate: report and verdict gone at once, save refused, file unchanged"

  drv set-text 2000 30 click 1001 $(expect_result 30) set-text 2000 1e999 click 1001 \
      expect-box "$(esc 输入有误)" "$(esc '第 1 项“半衰期”请输入数字。')" \
      click 1002 $notice_box
  expect_file after_input_error "$(printf '\xef\xbb\xbf')时间,工具,半衰期,结果\r\n$(record 8)$(record 30)"
  ok "input error, then save: save refused, file unchanged"
  drv set-text 2000 30 click 1001 $(expect_result 30) click 1002 $saved_box
  expect_file third_save \
      "$(printf '\xef\xbb\xbf')时间,工具,半衰期,结果\r\n$(record 8)$(record 30)$(record 30)"

  cp "$file_unix" "$ARTEFACTS/before_locked_save.csv"
  drv lock-file "$(esc "$file")" click 1002 \
      expect-box "$(esc 保存失败)" \
        "$(esc_b "记录未能写入：${file//\\/\\\\}\r\n文件可能正被其他程序（如 Excel）占用，请关闭后重试。")" \
      expect-status "$(esc '保存失败：记录未写入')" unlock-file
  cmp "$file_unix" "$ARTEFACTS/before_locked_save.csv" || fail "the locked save changed the file"
  ok "file held open without sharing: warning box, failure status, file unchanged"

  drv click 1002 $saved_box $saved_status
  expect_file after_unlock \
      "$(printf '\xef\xbb\xbf')时间,工具,半衰期,结果\r\n$(record 8)$(record 30)$(record 30)$(record 30)"
  ok "once the file is free the same result saves"

  # Half a record, as a crash in the middle of a save leaves it: the quote that
  # opens its report field is on the line before the torn one.
  local before torn
  before="$(printf '\xef\xbb\xbf')时间,工具,半衰期,结果\r\n$(record 8)$(record 30)$(record 30)$(record 30)"
  torn='<time>,Kinetora,半衰期=8,"消除速率常数：0.087 1/h\r\n达稳态'
  printf '%b' "${torn/<time>/2026-12-07 09:05:03}" >> "$file_unix"
  drv set-text 2000 12 click 1001 $(expect_result 12) click 1002 $saved_box $saved_status
  expect_file after_torn_end "$before$torn\"\r\n$(record 12)"
  ok "torn record with an open quote: closed with a quote and CR LF, the new record on its own"

  stop_app
}
