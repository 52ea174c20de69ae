#!/bin/bash
# The user's manual as the release writes it: the sections on printing and
# keys, and the sources of the reports' facts that their reference lines leave
# out. Wrapping may break a text anywhere, so line ends and blanks are dropped.
# Usage: manual_sections.sh <kinetora_manual>
set -u
manual=$(mktemp)
trap 'rm -f "$manual"' EXIT
"$1" "$manual" || { echo "FAIL: the manual was not written"; exit 1; }
text=$(tr -d '\r\n ' < "$manual")
failures=0
while read -r fragment; do
  [[ "$text" == *"$fragment"* ]] || { echo "FAIL: the manual lacks \"$fragment\""; failures=$((failures + 1)); }
done <<'TABLE'
二、打印
Ctrl+P，在Windows的打印对话框中
手术医师、麻醉医师和手术室护士三方签名
小数不作查询，提示“输入超出范围”
小数或超出时不出模板
三、键盘
Shift+Tab：按相反的顺序移动。
出处：床号不作为身份识别，以姓名与住院号核对：中国医院协会《患者安全目标》
1,000及以上加千位分隔：ISMP易错剂量表示
常用滴速成人40–60、儿童20–40滴/分：《基础护理学》
出处：维生素C与碳酸氢钠：维生素C注射液说明书
头孢曲松与氨溴索：徐海艳《注射用头孢曲松钠与17种常用注射液联合用药的配伍禁忌》
万古霉素与呋塞米经Y型管：依据Trissel《注射药物手册》与KingGuide的配伍表
TABLE
[ "$failures" -eq 0 ] && echo "the manual has its sections on printing and keys and the reports' sources"
[ "$failures" -eq 0 ]
