# Programs carrying tools with custom report kinds, in the window: the report in
# the report box, the verdict in its level's colour (the compatibility report
# sets levels 3, 2 and 1; no pair of drugs is green: a pair without a rule is
# not known to be compatible), and the longest roster of the duty-roster
# program whole in the report box and on the clipboard, its grid as cells.
run_case() {
  start_app "$KINETORA_COMPAT_APP"
  local row a b rule level verdict colour name
  for row in '1|2|newborn' '9|7|vitamin_c' '10|4|apart' '4|3|y_site' '4|5|reported' '2|3|none'; do
    IFS='|' read -r a b rule <<< "$row"
    case $rule in
      newborn) level=3; verdict='禁忌：不可同瓶输注，需间隔冲管'; colour=$COLOUR_LEVEL3 ;;
      vitamin_c) level=3; verdict='禁忌：不可同瓶输注，需间隔冲管'; colour=$COLOUR_LEVEL3 ;;
      apart) level=2; verdict='不宜同瓶，建议分开输注'; colour=$COLOUR_LEVEL2 ;;
      y_site) level=2; verdict='不宜同瓶，分开输注并冲管'; colour=$COLOUR_LEVEL2 ;;
      reported) level=1; verdict='建议分开输注'; colour=$COLOUR_LEVEL1 ;;
      none) level=1; verdict='未收录：无法判断能否配伍，请查说明书或本院配伍表'; colour=$COLOUR_LEVEL1 ;;
    esac
    drv set-text 2000 "$a" set-text 2001 "$b" click 1001 \
        expect-text-at $VERDICT_AT "$(esc "$verdict")" \
        expect-text 3000 "$(esc_b "$(compatibility_report "$a" "$b" "$rule")")"
    shot_until "compat_${a}_${b}" $VERDICT_BOX "$colour" 100 100000 "drugs $a and $b: level $level colour"
    for other in "$COLOUR_LEVEL0" "$COLOUR_LEVEL1" "$COLOUR_LEVEL2" "$COLOUR_LEVEL3"; do
      [ "$other" = "$colour" ] && continue
      expect_colour_count "compat_${a}_${b}" $VERDICT_BOX "$other" 0 0 "drugs $a and $b: not $other"
    done
  done
  # For a custom report the summary is the report alone, without the verdict.
  drv click 1003 \
      expect-clipboard "$(esc_b "配伍测试\r\n药物A 2；药物B 3\r\n$(compatibility_report 2 3 none)")"
  ok "compatibility report: clipboard holds the name, the inputs and the report"
  stop_app

  # The longest roster of the duty-roster program, 40 nurses over 31 days:
  # the clipboard carries the whole report.
  start_app "$KINETORA_SUITE_DIR/Kinetora-T101.exe"
  drv set-text 2000 40 set-text 2001 31 click 1001 expect-length 3000 2183 click 1003 \
      expect-status "$(esc 结果已复制到剪贴板)" \
      expect-clipboard-report "$(esc '护士人数 40 人；排班天数 31 天；轮转起点 0')"
  ok "40-nurse, 31-day roster: the inputs and the whole report on the clipboard"
  # Beside the text, the grid as cells: HTML Format and Csv, read back as cells
  # by an HTML parser, the csv module and LibreOffice Calc.
  drv save-clipboard-format "HTML Format" "$(esc "$ARTEFACTS/roster.html")" \
      save-clipboard-format Csv "$(esc "$ARTEFACTS/roster.csv")"
  drv text 3000 > "$ARTEFACTS/roster.report.txt"
  local cells
  cells=$("$KINETORA_SOURCE/tests/gui/check_grid_clipboard.py" "$ARTEFACTS/roster.html" \
      "$ARTEFACTS/roster.csv" "$ARTEFACTS/roster.report.txt" 40 31 "$ARTEFACTS/calc") ||
    fail "40-nurse, 31-day roster: the clipboard's cells: $cells"
  ok "40-nurse, 31-day roster: the clipboard's cells, one nurse a row and one day a column ($cells)"
  stop_app
}

compatibility_report() {
  local a=$1 b=$2 rule=$3 conclusion
  case $rule in
    newborn) conclusion='结论：禁忌配伍。头孢曲松与含钙注射液可形成不溶性沉淀；钙剂与碳酸氢钠亦不宜同瓶。新生儿（≤28 天）禁止与任何含钙静脉制剂合用，即使不同管路、不同时间输注。' ;;
    vitamin_c) conclusion='结论：禁忌配伍。维生素C注射液说明书载其与碳酸氢钠配伍禁忌（碱性溶液中易氧化失效），不可同瓶或同管连续输注。' ;;
    apart) conclusion='结论：不宜同瓶。呋塞米与多巴胺、氨溴索与碱性液混合易发生理化变化。' ;;
    y_site) conclusion='结论：不宜同瓶。万古霉素与呋塞米经 Y 型管同输不相容（沉淀），须分开输注，两药之间充分冲管。' ;;
    reported) conclusion='结论：有文献报告两药混合后出现浑浊或沉淀，建议分开输注，请药师核对。' ;;
    none) conclusion='结论：本工具未收录该组合，不能据此判断可以同瓶或同管；请查说明书与本院配伍表，未确认前分开输注并冲管。' ;;
  esac
  printf '%s' "待查：$a 号 $(drug_name "$a")  +  $b 号 $(drug_name "$b")\r\n\r\n"
  printf '%s' '编号：1头孢曲松 2葡萄糖酸钙 3万古霉素 4呋塞米 5氨溴索\r\n'
  printf '%s' '      6奥美拉唑 7维生素C 8胰岛素 9碳酸氢钠 10多巴胺\r\n\r\n'
  printf '%s' "$conclusion\r\n"
}

drug_name() {
  local names=(头孢曲松 头孢曲松 葡萄糖酸钙 万古霉素 呋塞米 氨溴索 奥美拉唑 维生素C 胰岛素 碳酸氢钠 多巴胺)
  printf '%s' "${names[$1]}"
}
