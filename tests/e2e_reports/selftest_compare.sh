#!/bin/bash
# Runs a program's self-test under Wine and compares the file it writes byte for
# byte with the expected file. An expected file of a custom-report tool (its OUT
# line says "见 DETAIL") must also read as such a self-test file: the single OUT
# line, one DETAIL line and "ERRORS|0" last. An empty expected file means the
# file must be written and stay empty (its UTF-8 text is too long), with
# exit code 3.
#
# "{today+N}" in an expected file (N whole days, or "{today-N}") stands for the
# date N days from the day the test runs, as YYYY-MM-DD: the follow-up plan
# counts its dates from today. "{weekday+N}" stands for that date's weekday as
# the plan prints it, "（周三）", with "（周末，请确认门诊安排）" after a Saturday
# or a Sunday. Should the day change while the program runs, it runs once more.
# Usage: selftest_compare.sh <program.exe> <expected file> <work dir>
set -u
exe=$1 expected=$2 work=$3
root=$(cd "$(dirname "$0")/../.." && pwd)

fail() { echo "FAIL: $*"; exit 1; }

run_selftest() {
    rm -f "$work/report.txt"
    (cd "$work" && "$root/cmake/wine-run.sh" "$exe" --selftest report.txt >/dev/null 2>&1)
}

# The expected file with each {today+N} replaced by its date and each
# {weekday+N} by its weekday, into $2.
weekday_names=(一 二 三 四 五 六 日)
date_expected() {
    local script="" token days weekday text
    for token in $(grep -ao '{today[+-][0-9]*}' "$1" | sort -u); do
        days=${token#\{today}
        days=${days%\}}
        script+="s/$token/$(date -d "$days days" +%F)/g;"
    done
    for token in $(grep -ao '{weekday[+-][0-9]*}' "$1" | sort -u); do
        days=${token#\{weekday}
        days=${days%\}}
        weekday=$(date -d "$days days" +%u)
        text="（周${weekday_names[weekday - 1]}）"
        [ "$weekday" -ge 6 ] && text+="（周末，请确认门诊安排）"
        script+="s/$token/$text/g;"
    done
    sed -e "$script" "$1" > "$2"
}

rm -rf "$work" && mkdir -p "$work"
day=$(date +%F)
run_selftest
code=$?
want=0
[ -s "$expected" ] || want=3
if grep -aqE '\{(today|weekday)[+-][0-9]*\}' "$expected"; then
    if [ "$(date +%F)" != "$day" ]; then
        run_selftest
        code=$?
    fi
    date_expected "$expected" "$work/expected.txt"
    expected=$work/expected.txt
fi
[ "$code" -eq "$want" ] || fail "exit code $code, expected $want"
got="$work/report.txt"
[ -f "$got" ] || fail "report.txt not written"

if ! cmp -s "$got" "$expected"; then
    echo "--- expected"; od -c "$expected" | head -40
    echo "--- written"; od -c "$got" | head -40
    fail "report.txt differs from $expected"
fi

if grep -aq $'^OUT|报告文本|见 DETAIL|\r$' "$expected"; then
    [ "$(sed -n 3p "$got")" = $'OUT|报告文本|见 DETAIL|\r' ] || fail "third line is not the custom OUT line"
    [ "$(tail -n 1 "$got")" = $'ERRORS|0\r' ] || fail "last line is not ERRORS|0"
    [ "$(grep -c '^DETAIL|' "$got")" -eq 1 ] || fail "not exactly one DETAIL line"
    [ "$(grep -c $'\r$' "$got")" -eq "$(wc -l < "$got")" ] || fail "a line without CR LF"
    [ "$(wc -l < "$got")" -eq 6 ] || fail "not six lines"
elif [ ! -s "$expected" ]; then
    [ ! -s "$got" ] || fail "report.txt is not empty"
fi
echo "PASS: $(basename "$2")"
