#!/bin/bash
# make run on a machine without a display, as a new user runs it: it builds the
# program, runs its self-test and prints the report. Read from what make run
# prints: the exit code line and the report's last line.
# Usage: run_selftest.sh <source folder>
set -u
source_dir=$1
# The report's lines end in CR LF.
output=$(env -u DISPLAY make --no-print-directory -C "$source_dir" run 2>&1; echo "status $?")
status=$(tail -n 1 <<<"$output" | cut -d' ' -f2)
output=$(tr -d '\r' <<<"$output")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

[ "$status" -eq 0 ] || fail "make run exited $status"
grep -qx 'exit code 0' <<<"$output" || fail "the self-test did not exit 0"
grep -qx 'TOOL|30|Kinetora|临床药理' <<<"$output" || fail "no self-test report printed"
grep -qx 'ERRORS|0' <<<"$output" || fail "the report has no ERRORS|0 line"
if [ "$failures" -ne 0 ]; then
    echo "make run printed:"; echo "$output"
    exit 1
fi
echo "make run without a display printed the self-test report with ERRORS|0"
