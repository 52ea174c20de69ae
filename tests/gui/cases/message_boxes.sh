# The five message boxes as a Chinese Windows shows them: the message and the
# button in Chinese glyphs, not the hollow boxes a face without Chinese draws,
# and the button reads 确定. The other cases read the box texts through Win32,
# which cannot see this: here the screenshot is read. Each box is kept as
# <name>.png, and in BOX_SHOTS as message-box-<name>.png when that is set
# (make gui-screenshot).
run_case() {
  local base file suite_unix
  base=$(drv local-appdata)
  file="$base\\ToviMedSuite\\records\\T030.csv"
  suite_unix=$(drv unix-path "$(esc "$base\\ToviMedSuite")")
  [ -n "$suite_unix" ] || fail "no Unix path for the record folder"
  rm -rf "$suite_unix"

  start_app "$KINETORA_APP"
  drv click 1003
  check_box notice 提示 '请先点击“计算”生成结果。'
  drv set-text 2000 1e999 click 1001
  check_box input-error 输入有误 '第 1 项“半衰期”请输入数字。'
  drv set-text 2000 8 click 1001 $(expect_result 8) click 1002
  check_box saved 已保存 '本次结果已追加保存到本地记录（CSV，可用 Excel 打开）。'
  # The lock lasts as long as the driver: until the box shows the save failed.
  drv lock-file "$(esc "$file")" click 1002 box-layout unlock-file >/dev/null
  check_box save-failed 保存失败 \
    "记录未能写入：${file//\\/\\\\}\r\n文件可能正被其他程序（如 Excel）占用，请关闭后重试。"
  drv click 1005
  check_box about 关于本工具 ""
  stop_app
  rm -rf "$suite_unix"
}

# check_box <name> <caption> <text with \r\n>: the open box's message and button
# show glyphs, the button reads 确定; keeps the picture, then closes the box:
# through the driver, which checks caption and text, or with Enter when no text
# is given (the About text is copy_reset_about's to check).
check_box() {
  local name=$1 caption=$2 text=$3 what x y w h label
  local box=() message=() button=() button_label=""
  while read -r what x y w h label; do
    case $what in
      box) box=("$x" "$y" "$w" "$h") ;;
      text) message=("$x" "$y" "$w" "$h") ;;
      button) button=($(( x + 5 )) $(( y + 5 )) $(( w - 10 )) $(( h - 10 ))); button_label=$label ;;
    esac
  done < <(drv box-layout)
  # The box is painted a little after it is shown: until two shots agree.
  local glyphs previous="" tries=0
  while :; do
    shot "$name-screen"
    glyphs=$(hollow_boxes "$name-screen" "${message[@]}")
    [ "$glyphs" = "$previous" ] && [ "${glyphs%% *}" != "tiles 0" ] && break
    (( ++tries < 50 )) || fail "$name: the message is not painted"
    previous=$glyphs
    sleep 0.2
  done
  [[ $glyphs == *" hollow 0" ]] ||
    fail "$name: the message shows hollow boxes instead of Chinese ($glyphs)"
  glyphs=$(hollow_boxes "$name-screen" "${button[@]}")
  [[ $glyphs != "tiles 0 "* && $glyphs == *" hollow 0" ]] ||
    fail "$name: the button shows hollow boxes instead of Chinese ($glyphs)"
  [ "$button_label" = 确定 ] || fail "$name: the button reads \"$button_label\", not \"确定\""
  ok "$name: message and button in Chinese glyphs, the button reads 确定"

  "$CONVERT" "$ARTEFACTS/$name-screen.png" -crop "${box[2]}x${box[3]}+${box[0]}+${box[1]}" +repage \
    -strip -define png:exclude-chunks=date,time "$ARTEFACTS/$name.png" || fail "cropping $name"
  if [ -n "${BOX_SHOTS:-}" ]; then
    cp "$ARTEFACTS/$name.png" "$BOX_SHOTS/message-box-$name.png"
  fi
  if [ -n "$text" ]; then
    drv expect-box "$(esc "$caption")" "$(esc_b "$text")"
  else
    key Return
    local gone=0 tries
    for tries in {1..50}; do
      "$WINE_RUN" "$KINETORA_DRIVER" expect-no-box 2>/dev/null && { gone=1; break; }
      sleep 0.2
    done
    (( gone )) || fail "$name: Enter did not close the box"
  fi
}

# hollow_boxes <shot> <x> <y> <w> <h>: "tiles N hollow M" for a box of the screen.
hollow_boxes() {
  "$CONVERT" "$ARTEFACTS/$1.png" -crop "${4}x${5}+$2+$3" +repage -colorspace gray -depth 8 \
    -compress none pgm:- | awk -f "$KINETORA_SOURCE/tests/gui/hollow_boxes.awk"
}
