# A first look at a build of its own (the 32-bit one): the program opens, F5
# gives the report and verdict for t = 8, the default, and saving writes one
# record to a new T030.csv. The other cases check the same window code in depth.
run_case() {
  local base suite_unix file_unix
  base=$(drv local-appdata)
  suite_unix=$(drv unix-path "$(esc "$base\\ToviMedSuite")")
  [ -n "$suite_unix" ] || fail "no Unix path for the record folder"
  file_unix="$suite_unix/records/T030.csv"
  rm -rf "$suite_unix"

  start_app "$KINETORA_APP"
  click_control 2000
  key F5
  drv $(expect_result 8)
  ok "F5: report and verdict for t = 8"

  drv click 1002 \
      expect-box "$(esc 已保存)" "$(esc '本次结果已追加保存到本地记录（CSV，可用 Excel 打开）。')"
  expect_file saved "$(printf '\xef\xbb\xbf')时间,工具,半衰期,结果\r\n$(record 8)"
  ok "saved: T030.csv with byte-order mark, header and the record"

  stop_app
}
