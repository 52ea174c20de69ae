#!/bin/bash
# Line and branch coverage of the host test suite over engine/, reports/,
# records/ and the portable parts of window/ and app/ (the Win32-only files are
# not built on the host and so never appear). Usage: tools/coverage.sh [build dir]   (default build/coverage)
# Goals: 95 % of lines (printed) and 90 % of branches: fewer branches fail the run.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/coverage}
cd "$root" || exit 1
mkdir -p "$build" && build=$(cd "$build" && pwd)  # absolute: the tests run inside it

cmake --preset host -B "$build" -DKINETORA_COVERAGE=ON -DKINETORA_SANITIZE=OFF >/dev/null || exit 1
cmake --build "$build" -j2 >"$build/build.log" 2>&1 || { tail -40 "$build/build.log"; exit 1; }
find "$build" -name '*.gcda' -delete
(cd "$build" && ctest -L host -j2 --timeout 300 >"$build/ctest.log" 2>&1)
tests_rc=$?
tail -3 "$build/ctest.log"
[ $tests_rc -ne 0 ] && echo "(some host tests failed: coverage below is of the run as it went)"

common=(-r "$root" "$build" --filter 'engine/' --filter 'reports/' --filter 'app/' --filter 'window/' --filter 'records/'
        --exclude-unreachable-branches --exclude-throw-branches)
echo
echo "Lines:"
gcovr "${common[@]}" --txt - 2>/dev/null | sed -n '/^File/,$p'
echo "Branches:"
gcovr "${common[@]}" --branches --txt - 2>/dev/null | sed -n '/^File/,$p'
gcovr "${common[@]}" --json-summary "$build/summary.json" >/dev/null 2>&1
python3 - "$build/summary.json" <<'PY' || exit 1
import json, sys
s = json.load(open(sys.argv[1]))
lines, branches = s["line_percent"], s["branch_percent"]
print("Total: lines %.1f %% (%d of %d), branches %.1f %% (%d of %d)" % (
    lines, s["line_covered"], s["line_total"], branches, s["branch_covered"], s["branch_total"]))
for name, value, goal in (("lines", lines, 95.0), ("branches", branches, 90.0)):
    print("  %s: %s (goal %.0f %%)" % (name, "met" if value >= goal else "MISSED", goal))
if branches < 90.0:
    print("Branch coverage below 90 %: add tests a real fault would fail.")
    sys.exit(1)
PY
exit $tests_rc
