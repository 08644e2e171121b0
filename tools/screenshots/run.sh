#!/usr/bin/env bash
# make screenshots: every dialog of the package as Wine draws it, from the real
# binaries, on a virtual X display. Each tools/screenshots/*.shots.sh takes its
# pictures with `shoot` (lib.sh) into docs/screenshots/.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
export PKG_ROOT=$root
export PKG_BUILD_WIN32=$root/build/win32
export PKG_BUILD_WIN64=$root/build/win64
export PKG_PACKAGE=$root/out/package
export PKG_PACKAGE_ZH=$root/out/package-zh
export PKG_SHOTS=$root/docs/screenshots
export WINEPREFIX=$root/build/wine-shots
. "$root/tests/wine/wine_loader.sh"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$PKG_SHOTS"
rm -rf "$WINEPREFIX"
. "$root/tests/wine/wine_loader.sh"
wine_loader_setup "$root/build/wine-shots-loader"

display=:$((80 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
cleanup() {
  wineserver -k >/dev/null 2>&1
  kill "$xvfb" >/dev/null 2>&1
}
trap cleanup EXIT
timeout 300 wineboot -i >/dev/null 2>&1
wineserver -w

status=0
# Names given (`run.sh wizard`) take only those scripts' pictures.
scripts=("$root"/tools/screenshots/*.shots.sh)
if [ $# -gt 0 ]; then
  scripts=()
  for name in "$@"; do scripts+=("$root/tools/screenshots/$name.shots.sh"); done
fi
for s in "${scripts[@]}"; do
  [ -e "$s" ] || { echo "FAIL: no script $s"; status=1; continue; }
  echo "== $(basename "$s" .shots.sh)"
  if ! timeout 600 bash "$s"; then
    echo "FAIL: $(basename "$s")"
    status=1
  fi
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
done
ls "$PKG_SHOTS"/*.png 2>/dev/null | sed "s|^$root/||"
exit $status
