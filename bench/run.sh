#!/usr/bin/env bash
# Runs every benchmark script bench/*.bench.sh against the optimised build
# (build/bench, or PKG_BUILD_BENCH). `make bench` builds it first.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export PKG_ROOT=$root
export PKG_BUILD_BENCH=${PKG_BUILD_BENCH:-$root/build/bench}
status=0
for script in "$root"/bench/*.bench.sh; do
  [ -e "$script" ] || continue
  echo "== $(basename "$script")"
  bash "$script" || { echo "!! $(basename "$script") failed"; status=1; }
done
exit $status
