#!/usr/bin/env bash
# Every test level: native unit, controller and scenario tests and the fuzz
# smoke runs (AddressSanitizer + UndefinedBehaviorSanitizer), then the Wine
# tests of the real binaries in the assembled package.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

echo "== native tests (ASan + UBSan)"
ctest --test-dir build/native --output-on-failure -j 2 2>&1 | tee build/native-tests.log |
  grep -E '^\s*[0-9]+/[0-9]+ Test|tests passed|Failed|\*\*\*' 
native_status=${PIPESTATUS[0]}
summary=$(grep -E 'tests passed, [0-9]+ tests failed out of' build/native-tests.log | tail -n 1)
native_total=$(echo "$summary" | sed -E 's/.*out of ([0-9]+).*/\1/')
native_failed=$(echo "$summary" | sed -E 's/.*, ([0-9]+) tests failed.*/\1/')
native_total=${native_total:-0}
native_failed=${native_failed:-0}
[ "$native_status" -eq 0 ] || [ "$native_failed" -gt 0 ] || native_failed=1

echo "== package"
bash tools/assemble_package.sh >build/package.log 2>&1
package_status=$?
[ $package_status -eq 0 ] || { cat build/package.log; }

wine_passed=0 wine_failed=0 wine_skipped=0
if [ $package_status -eq 0 ]; then
  echo "== Wine tests"
  bash tests/wine/run.sh | tee build/wine-tests.log
  line=$(grep -E '^wine: [0-9]+ passed, [0-9]+ failed' build/wine-tests.log | tail -n 1)
  wine_passed=$(echo "$line" | sed -E 's/wine: ([0-9]+) passed.*/\1/')
  wine_failed=$(echo "$line" | sed -E 's/.* ([0-9]+) failed.*/\1/')
  wine_skipped=$(sed -n -E 's/^wine: ([0-9]+) skipped.*/\1/p' build/wine-tests.log | tail -n 1)
  wine_passed=${wine_passed:-0}
  wine_skipped=${wine_skipped:-0}
  wine_failed=${wine_failed:-1}
else
  wine_failed=1
fi

passed=$((native_total - native_failed + wine_passed))
failed=$((native_failed + wine_failed))
echo
if [ "$wine_skipped" -gt 0 ]; then
  echo "$passed passed, $failed failed, $wine_skipped skipped"
else
  echo "$passed passed, $failed failed"
fi
[ "$failed" -eq 0 ]
