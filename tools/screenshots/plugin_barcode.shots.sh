#!/usr/bin/env bash
# The plug-in's "1D Code" and "2D Code" pages in a real property sheet, from the
# real 57KXUI.dll (tests/wine/oemui_barcode_pages.exe shows them).
set -u
. "$(dirname "$0")/lib.sh"

probe="$PKG_BUILD_WIN64/tests/wine/oemui_barcode_pages.exe"
dll="$PKG_PACKAGE/W64/57KXUI.dll"
[ -f "$dll" ] || dll="$PKG_BUILD_WIN64/oemui/57KXUI.dll"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$probe" "$dll" "$work/" || exit 1

# The prefix comes up with the 64-bit loader where the 32-bit one cannot start.
[ -f "$WINEPREFIX/system.reg" ] || wine_64 wineboot -i >/dev/null 2>&1

status=0
for page in 0 1; do
  name=$([ "$page" = 0 ] && echo plugin_code_1d || echo plugin_code_2d)
  ( cd "$work" && wine_64 ./oemui_barcode_pages.exe show "$page" 12 ) &
  shoot "Barcode control fonts" "$name" || status=1
  wait
done
exit $status
