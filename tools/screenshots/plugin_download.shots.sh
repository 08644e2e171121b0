#!/usr/bin/env bash
# The printer's Download page from the real 57KXUI.dll in a property sheet, with
# three logos in each preview mode (Original, Transformation, Gray), and its Font
# page. The probe places the sheet and says where it is; the picture is taken from
# the virtual display as `shoot` does.
set -u
. "$PKG_ROOT/tools/screenshots/lib.sh"

probe="$PKG_BUILD_WIN64/tests/wine/oemui_download_probe.exe"
dll="$PKG_PACKAGE/W64/57KXUI.dll"
[ -f "$dll" ] || dll="$PKG_BUILD_WIN64/oemui/57KXUI.dll"
[ -f "$probe" ] && [ -f "$dll" ] || { echo "oemui_download_probe.exe or 57KXUI.dll not built"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$probe" "$dll" "$work/"
make_download_logos "$work/logos" || exit 1
folder=$(wine64_run winepath -w "$work/logos" 2>/dev/null | tr -d '\r')

status=0
for mode in original transformation gray font; do
  out="$work/$mode.out"
  ( cd "$work" && wine64_run ./oemui_download_probe.exe show "$folder" "$mode" >"$out" 2>/dev/null ) &
  for _ in $(seq 1 600); do grep -q '^ready' "$out" 2>/dev/null && break; sleep 0.1; done
  rect=$(grep '^ready' "$out" | tr -d '\r')
  name=plugin_download_$mode
  [ "$mode" = font ] && name=plugin_font
  if [ -n "$rect" ]; then
    read -r _ x y w h <<<"$rect"
    sleep 1 # let it finish drawing
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$PKG_SHOTS/$name.png" &&
      echo "  $name.png" || status=1
  else
    echo "the probe did not show the sheet in $mode mode"; status=1
  fi
  touch "$work/logos/shown"
  wait
done
exit $status
