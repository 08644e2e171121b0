#!/usr/bin/env bash
# Runs every libFuzzer target of the fuzz build for a while (FUZZ_SECONDS each,
# default 30), starting from its seed corpus. New inputs go to
# build/fuzz/corpus/<target>; the seeds in fuzz/corpus stay as they are.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-30}
failed=0
for bin in "$root"/build/fuzz/fuzz/fuzz_*; do
  [ -x "$bin" ] || continue
  name=${bin##*/fuzz_}
  work=$root/build/fuzz/corpus/$name
  mkdir -p "$work"
  seeds=()
  [ -d "$root/fuzz/corpus/$name" ] && seeds=("$root/fuzz/corpus/$name")
  if "$bin" -max_total_time="$seconds" -print_final_stats=1 "$work" "${seeds[@]}" \
       >"$work.log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work.log")
    echo "  ok    $name (${runs:-?} runs in ${seconds} s)"
  else
    failed=$((failed + 1))
    echo "  FAIL  $name (log: ${work#"$root"/}.log)"
    grep -E 'ERROR|SUMMARY' "$work.log" | head -n 5 | sed 's/^/        /'
  fi
done
[ "$failed" -eq 0 ]
