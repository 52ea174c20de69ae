# The report box as a nurse reads it.
# - Every character the reports write (each wide-text literal of reports/)
#   draws on screen: not blank, not a hollow box ("体温＿℃" showed a blank
#   where "℃" belongs). The box is read from the screen, a page of characters
#   at a time, each with a blank after it, after U+0378, a character no font
#   has, whose picture is the one a missing character gets.
# - Its lines wrap as Chinese text wraps: no shown line begins with closing
#   punctuation, and no line ends at a slash ("次/" | "分"), for the default
#   report of every program with a report.
run_case() {
  start_app "$KINETORA_SUITE_DIR/Kinetora-T109.exe"
  local characters page n=0 c probe=$'\u0378 '
  page=$probe
  characters=$(cat "$KINETORA_SOURCE"/reports/*.cpp "$KINETORA_SOURCE"/reports/*.h |
    grep -o 'L"[^"]*"' | sed 's/^L"//; s/"$//' | grep -o . | grep -v '^[[:space:]]$' | sort -u)
  (( $(wc -l <<< "$characters") > 300 )) || fail "too few characters read from reports/"
  while IFS= read -r c; do
    page+="$c "
    if (( ++n % 120 == 0 )); then
      drv set-text 3000 "$(esc "$page")" sleep 300 check-glyphs 3000 >/dev/null
      page=$probe
    fi
  done <<< "$characters"
  [ "$page" = "$probe" ] || drv set-text 3000 "$(esc "$page")" sleep 300 check-glyphs 3000 >/dev/null
  ok "$n characters of the reports draw on screen, none blank or a box"
  stop_app

  local program lines bad
  for program in T101 T102 T103 T104 T105 T106 T107 T108 T109 T110 T111; do
    start_app "$KINETORA_SUITE_DIR/Kinetora-$program.exe"
    drv click 1001
    lines=$(drv shown-lines 3000)
    (( $(wc -l <<< "$lines") > 1 )) || fail "$program: no report shown"
    bad=$(grep -n -e '^[。，、；：？！）》”’℃％%／/]' -e '[（《“‘／/]$' <<< "$lines") &&
      fail "$program: a line breaks at punctuation or a slash: $bad"
    ok "$program: $(wc -l <<< "$lines") shown lines, none opening with closing punctuation or split at a slash"
    stop_app
  done
}
