#!/usr/bin/env bash
# Runs every tests/wine/*.test.sh against the built programs under Wine, in a
# fresh Wine prefix, on a virtual X display. Each script passes with exit code 0.
# Names given (`run.sh uninstall oemui_ops`) run only those scripts.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
export PKG_ROOT=$root
export PKG_BUILD_WIN32=$root/build/win32
export PKG_BUILD_WIN64=$root/build/win64
export PKG_PACKAGE=$root/out/package
export WINEPREFIX=$root/build/wine-prefix
export WINEDEBUG=-all
# No Mono or Gecko installers: the prefix must come up without a network.
export WINEDLLOVERRIDES="mscoree,mshtml="
logs=$root/build/wine-logs
rm -rf "$logs" "$WINEPREFIX"
mkdir -p "$logs"
. "$root/tests/wine/wine_loader.sh"
wine_loader_setup "$logs"

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
cleanup() {
  wineserver -k >/dev/null 2>&1
  kill "$xvfb" >/dev/null 2>&1
}
trap cleanup EXIT

echo "== wine: preparing a clean prefix"
timeout 300 wineboot -i >"$logs/wineboot.log" 2>&1
wineserver -w

passed=0 failed=0 skipped=0 failures=()
tests=("$root"/tests/wine/*.test.sh)
if [ $# -gt 0 ]; then
  tests=()
  for name in "$@"; do tests+=("$root/tests/wine/$name.test.sh"); done
fi
for t in "${tests[@]}"; do
  name=$(basename "$t" .test.sh)
  [ -f "$t" ] || { failed=$((failed + 1)); failures+=("$name"); echo "  FAIL  $name: no such test"; continue; }
  : >"$PKG_WINE32_SKIPS"
  if timeout 300 bash "$t" >"$logs/$name.log" 2>&1; then
    passed=$((passed + 1)); echo "  ok    $name"
  elif [ -s "$PKG_WINE32_SKIPS" ]; then
    skipped=$((skipped + 1))
    echo "  skip  $name: needs 32-bit programs, which this machine cannot run ($(sort -u "$PKG_WINE32_SKIPS" | xargs -n1 basename | tr '\n' ' '))"
  else
    failed=$((failed + 1)); failures+=("$name"); echo "  FAIL  $name (log: build/wine-logs/$name.log)"
    sed 's/^/        /' "$logs/$name.log" | tail -n 20
  fi
  # Nothing of one test may linger into the next.
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
done
[ "$skipped" -eq 0 ] || echo "wine: $skipped skipped (no 32-bit Wine on this machine)"
echo "wine: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
