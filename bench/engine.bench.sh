#!/usr/bin/env bash
# Whole installations on the simulated machine (bench_engine): CPU time of a
# typical USB installation, and how it grows with the printers already on the
# port; a serial installation whose name is taken 1, 10 and 97 times.
set -euo pipefail
root=${PKG_ROOT:-$(cd "$(dirname "$0")/.." && pwd)}
build=${PKG_BUILD_BENCH:-$root/build/bench}
bench=$build/bench/bench_engine
[ -x "$bench" ] || { echo "engine.bench.sh: $bench is missing (build the bench preset first)"; exit 1; }
"$bench" --benchmark_min_time=0.5 --benchmark_repetitions=${ENGINE_BENCH_REPETITIONS:-3} \
  --benchmark_report_aggregates_only=true
