# Printing through a real spooler: CUPS with the cups-pdf backend (set up by
# tools/print-spooler.sh, which make test runs first) is the printer "PDF" that
# Wine lists; each job comes back as a PDF file, read with pdftotext, pdfinfo
# and pdffonts (check_printout.py). Driven like a user: Ctrl+P, then Enter in
# the print dialog. Also: print before calculating, the dialog cancelled, no
# printer at all, and the status line after printing.

PRINT_FOLDER=$("$KINETORA_SOURCE/tools/print-spooler.sh" folder)
CHECK_PRINTOUT="$KINETORA_SOURCE/tests/gui/check_printout.py"

pdf_files() { ls "$PRINT_FOLDER" 2>/dev/null | grep '\.pdf$' | sort; }

queue_empty() { [ -z "$(LC_ALL=C lpstat -o PDF 2>/dev/null)" ]; }

# Ctrl+P, then Enter once the print dialog is up; waits for the job's PDF,
# which is kept as $ARTEFACTS/<name>.pdf (and taken out of the spool folder).
# Sets PRINT_MS: from Ctrl+P to the finished PDF.
print_to_pdf() {
  local name=$1 before started new size last_size=-1 tries=0
  before=$(pdf_files)
  started=$(date +%s%N)
  key ctrl+p
  drv wait-box "$(esc 打印)"
  key Return
  while :; do
    new=$(comm -13 <(printf '%s\n' "$before") <(pdf_files) | head -n 1)
    if [ -n "$new" ] && queue_empty; then
      size=$(stat -c %s "$PRINT_FOLDER/$new")
      [ "$size" -gt 0 ] && [ "$size" -eq "$last_size" ] && break
      last_size=$size
    fi
    (( ++tries < 1200 )) || fail "$name: no PDF in $PRINT_FOLDER after 120 s"
    sleep 0.1
  done
  PRINT_MS=$(( ($(date +%s%N) - started) / 1000000 ))
  mv "$PRINT_FOLDER/$new" "$ARTEFACTS/$name.pdf"
  ok "$name: printed in $PRINT_MS ms from Ctrl+P to the PDF ($new)"
}

# Checks the printout against the report box's text; prints the page count.
# Optional: the inputs ("|" between lines), the tool's own signature line (""
# for the common one), and "blocks" to require every block of the report whole
# on one page.
check_printout() {
  local name=$1 words=$2 min_pages=${3:-1} inputs=${4:-} signature=${5:-} blocks=${6:-} tool
  tool=$(drv window-info | sed 's/.* caption=//')
  drv text 3000 > "$ARTEFACTS/$name.report.txt"
  "$CHECK_PRINTOUT" "$ARTEFACTS/$name.pdf" "$ARTEFACTS/$name.report.txt" "$tool" "$words" \
    "$min_pages" "$inputs" "$signature" "$blocks" > "$ARTEFACTS/$name.check.txt" ||
    fail "$name: the printout is not the report"
  ok "$name: $(cat "$ARTEFACTS/$name.check.txt")"
  pdftoppm -r 60 -png -f 1 -l 1 "$ARTEFACTS/$name.pdf" "$ARTEFACTS/$name-page" ||
    fail "$name: pdftoppm"
}

run_case() {
  "$KINETORA_SOURCE/tools/print-spooler.sh" ensure || fail "the print spooler is not set up"

  start_app "$KINETORA_APP"
  # Before a result: the notice, by the button and by Ctrl+P from an input.
  drv click 1006 expect-box "$(esc 提示)" "$(esc '请先点击“计算”生成结果，再打印。')"
  click_control 2000
  drv expect-focus 2000
  key ctrl+p
  drv expect-box "$(esc 提示)" "$(esc '请先点击“计算”生成结果，再打印。')"
  ok "before calculating: the notice, from the button and from Ctrl+P"

  drv set-text 2000 30 click 1001 $(expect_result 30) expect-status "$(esc '计算完成  Kinetora')"
  # Cancelled: no job, no message, the status line as it was.
  local before
  before=$(pdf_files)
  key ctrl+p
  drv wait-box "$(esc 打印)"
  key Escape
  drv wait-no-box sleep 1500 expect-no-box expect-status "$(esc '计算完成  Kinetora')"
  [ "$(pdf_files)" = "$before" ] && queue_empty || fail "cancel: a job was printed"
  ok "print dialog cancelled: nothing printed, no message, status unchanged"

  print_to_pdf half_life
  drv expect-no-box expect-status "$(esc '已发送到打印机：PDF')"
  ok "status line after printing"
  check_printout half_life '【注意】' 1 '半衰期：30 h'
  cp "$ARTEFACTS/half_life-page-1.png" "$ARTEFACTS/first-page-half-life.png"
  stop_app

  start_app "$KINETORA_SUITE_DIR/Kinetora-T110.exe"
  drv click 1001 sleep 500
  print_to_pdf infusion_card
  check_printout infusion_card "$(level_words_shown)" 1 \
    '床号：12 床|医嘱药量：2 医嘱单位|溶媒量：100 ml|滴速：40 滴/分|滴系数：20 滴/ml'
  stop_app

  # The checklist's page ends with its three signatures, not the common line.
  start_app "$KINETORA_SUITE_DIR/Kinetora-T108.exe"
  drv click 1001 sleep 500
  print_to_pdf checklist
  check_printout checklist "$(level_words_shown)" 1 "" \
    '手术医师：＿＿＿＿  麻醉医师：＿＿＿＿  手术室护士：＿＿＿＿'
  stop_app

  # Thirty beds of the handover sheet: several pages, no bed's block split.
  start_app "$KINETORA_SUITE_DIR/Kinetora-T109.exe"
  drv set-text 2000 30 click 1001 sleep 500
  print_to_pdf handover_30
  check_printout handover_30 "$(level_words_shown)" 2 '交班床位数：30 床' "" blocks
  stop_app

  start_app "$KINETORA_SUITE_DIR/Kinetora-T101.exe"
  drv set-text 2000 40 set-text 2001 31 click 1001 expect-length 3000 2183
  print_to_pdf roster_40x31
  check_printout roster_40x31 "$(level_words_shown)" 1 '护士人数：40 人|排班天数：31 天|轮转起点：0'
  stop_app

  # Chinese lines on paper: no line opening with closing punctuation or split
  # at a slash, on the handover sheet and the infusion card, whose rate keeps
  # its unit "滴/分" whole.
  start_app "$KINETORA_SUITE_DIR/Kinetora-T109.exe"
  drv click 1001 sleep 500
  print_to_pdf handover
  check_printout handover "$(level_words_shown)"
  local paper bad name
  for name in handover infusion_card; do
    paper=$(pdftotext -layout "$ARTEFACTS/$name.pdf" -)
    bad=$(sed 's/^ *//' <<< "$paper" | grep -n -e '^[。，、；：？！）》”’℃％%／/]' -e '[（《“‘／/]$') &&
      fail "$name: a printed line breaks at punctuation or a slash: $bad"
  done
  grep -q '滴速：40 滴/分' <<< "$(pdftotext "$ARTEFACTS/infusion_card.pdf" -)" ||
    fail "infusion card: \"滴速：40 滴/分\" not whole on paper"
  ok "handover and infusion card: every line break where Chinese text may break"
  stop_app

  # No printer: Wine finds none when CUPS cannot be reached.
  CUPS_SERVER=/nonexistent/cups.sock start_app "$KINETORA_APP"
  drv set-text 2000 30 click 1001 $(expect_result 30)
  key ctrl+p
  drv expect-box "$(esc 打印失败)" "$(esc '未找到打印机：请先在 Windows 中添加打印机。')" \
      expect-status "$(esc '计算完成  Kinetora')"
  ok "no printer: the message, status unchanged"
  stop_app
}

# The level words of the verdict the window shows, from its colour.
level_words_shown() {
  shot level
  local colour words=
  for colour in "$COLOUR_LEVEL0:【正常】" "$COLOUR_LEVEL1:【注意】" "$COLOUR_LEVEL2:【警示】" "$COLOUR_LEVEL3:【危急】"; do
    if [ "$(colour_count level $VERDICT_BOX "${colour%%:*}")" -gt 20 ]; then words=${colour#*:}; fi
  done
  [ -n "$words" ] || fail "no verdict colour on screen"
  printf '%s' "$words"
}
