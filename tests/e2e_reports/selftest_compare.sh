#!/bin/bash
# Runs a program's self-test under Wine and compares the file it writes byte for
# byte with the expected file. A non-empty expected file must also read as the
# self-test file of a custom-report tool: the single OUT line, one DETAIL line
# and "ERRORS|0" last. An empty expected file means the file must be written
# and stay empty (its UTF-8 text is too long), with exit code 3.
# Usage: selftest_compare.sh <program.exe> <expected file> <work dir>
set -u
exe=$1 expected=$2 work=$3
root=$(cd "$(dirname "$0")/../.." && pwd)

fail() { echo "FAIL: $*"; exit 1; }

rm -rf "$work" && mkdir -p "$work"
(cd "$work" && "$root/cmake/wine-run.sh" "$exe" --selftest report.txt >/dev/null 2>&1)
code=$?
want=0
[ -s "$expected" ] || want=3
[ "$code" -eq "$want" ] || fail "exit code $code, expected $want"
got="$work/report.txt"
[ -f "$got" ] || fail "report.txt not written"

if ! cmp -s "$got" "$expected"; then
    echo "--- expected"; od -c "$expected" | head -40
    echo "--- written"; od -c "$got" | head -40
    fail "report.txt differs from $expected"
fi

if [ -s "$expected" ]; then
    [ "$(sed -n 3p "$got")" = $'OUT|报告文本|见 DETAIL|\r' ] || fail "third line is not the custom OUT line"
    [ "$(tail -n 1 "$got")" = $'ERRORS|0\r' ] || fail "last line is not ERRORS|0"
    [ "$(grep -c '^DETAIL|' "$got")" -eq 1 ] || fail "not exactly one DETAIL line"
    [ "$(grep -c $'\r$' "$got")" -eq "$(wc -l < "$got")" ] || fail "a line without CR LF"
    [ "$(wc -l < "$got")" -eq 6 ] || fail "not six lines"
else
    [ ! -s "$got" ] || fail "report.txt is not empty"
fi
echo "PASS: $(basename "$expected")"
