# Not a test: the picture of the window after calculating t = 30, for the
# documentation (make gui-screenshot). SCREENSHOT names the output file.
run_case() {
  start_app "$KINETORA_APP"
  click_control 2000
  key ctrl+a
  type_text "30"
  key F5
  drv $(expect_result 30) expect-status "$(esc '计算完成  Kinetora')"
  shot_until window_t30 $VERDICT_BOX "$COLOUR_LEVEL1" 100 100000 "verdict painted"
  "$CONVERT" "$ARTEFACTS/window_t30.png" -crop "${CLIENT_W}x${CLIENT_H}+$CLIENT_X+$CLIENT_Y" +repage \
    -strip -define png:exclude-chunks=date,time "$SCREENSHOT" || fail "cropping the screenshot"
  ok "window after t = 30 written to $SCREENSHOT"
  stop_app
}
