#!/usr/bin/env bash
# The plug-in's "Main" page and its "Water Mark" page with an image and with a
# text watermark, from the real 57KXUI.dll in a property sheet.
set -u
. "$PKG_ROOT/tools/screenshots/lib.sh"

probe="$PKG_BUILD_WIN64/tests/wine/oemui_document_pages.exe"
dll="$PKG_PACKAGE/W64/57KXUI.dll"
[ -f "$dll" ] || dll="$PKG_BUILD_WIN64/oemui/57KXUI.dll"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$probe" "$dll" "$work/"

status=0
for mode in main image text; do
  ( cd "$work" && exec wine ./oemui_document_pages.exe --show "$mode" ) &
  pid=$!
  # A loaded machine needs a while to paint the whole page.
  winprobe rect "Plug-in pages ($mode)" 60 >/dev/null && sleep 4
  shoot "Plug-in pages ($mode)" "plugin_document_$mode" || status=1
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
done
exit $status
