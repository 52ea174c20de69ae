#!/bin/bash
# Builds the libFuzzer targets (fuzz/CMakeLists.txt, clang-14) and runs each.
#   tools/fuzz-run.sh SECONDS [target...]    fuzz each target for SECONDS
#   FUZZ_SMOKE=1 tools/fuzz-run.sh SECONDS   smoke check: replay the committed
#                                            corpus and regression inputs, then fuzz
#                                            briefly without keeping new inputs
# The committed seeds (fuzz/corpus/<target>/) are read, never written; new
# inputs go to build/fuzz/work/<target>/. A crash leaves its input in
# build/fuzz/crashes/ and the script fails; copy it to fuzz/regressions/<target>/
# once the fault is fixed, so every later run replays it.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
build=${FUZZ_BUILD:-$root/build/fuzz}
jobs=${FUZZ_BUILD_JOBS:-2}

cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null || exit 1
cmake --build "$build" -j"$jobs" >"$build/build.log" 2>&1 || { tail -40 "$build/build.log"; exit 1; }

if [ $# -gt 0 ]; then
  targets="$*"
else
  targets=$(cat "$build/targets.txt" | tr ';' ' ')
fi

mkdir -p "$build/crashes"
status=0
summary=""
for target in $targets; do
  corpus="$root/fuzz/corpus/$target"
  regressions="$root/fuzz/regressions/$target"
  log="$build/$target.log"
  if [ -n "${FUZZ_SMOKE:-}" ]; then
    work=$(mktemp -d)
  else
    work="$build/work/$target"
  fi
  mkdir -p "$work"
  # Replay the regression inputs first: each once, any failure is fatal.
  if [ -d "$regressions" ] && [ -n "$(ls -A "$regressions" 2>/dev/null)" ]; then
    if ! "$build/$target" "$regressions"/* >"$build/$target.regressions.log" 2>&1; then
      echo "$target: a regression input fails again:"
      tail -30 "$build/$target.regressions.log"
      status=1
    fi
  fi
  dirs=("$work")
  [ -d "$corpus" ] && dirs+=("$corpus")
  "$build/$target" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 \
      -rss_limit_mb=2048 -max_len=4096 -dict="$root/fuzz/formula.dict" \
      -artifact_prefix="$build/crashes/$target-" "${dirs[@]}" >"$log" 2>&1
  rc=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  speed=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*')
  corp=$(ls "$work" | wc -l)
  if [ $rc -ne 0 ]; then
    status=1
    result="FAILED (exit $rc; see $log and $build/crashes/)"
    grep -m1 -E 'ERROR|check failed|runtime error' "$log"
  else
    result="no crash"
  fi
  summary+=$(printf '%-20s %12s runs %8s/s  cov %5s  new inputs %5s  %s' "$target" \
      "${runs:-?}" "${speed:-?}" "${cov:-?}" "$corp" "$result")$'\n'
  if [ -n "${FUZZ_SMOKE:-}" ]; then rm -rf "$work"; fi
done
echo
printf '%s' "$summary"
exit $status
