#!/usr/bin/env bash
# The 1D and 2D Code pages of the real 57KXUI.dll under 64-bit Wine, in a real
# property sheet (tests/wine/oemui_barcode_pages.cpp says what is checked); and
# barcodetool.exe from the package answering as the native tool does.
set -u
. "$(dirname "$0")/lib.sh"

probe="$PKG_BUILD_WIN64/tests/wine/oemui_barcode_pages.exe"
dll="$PKG_PACKAGE/W64/57KXUI.dll"
[ -f "$dll" ] || dll="$PKG_BUILD_WIN64/oemui/57KXUI.dll"
[ -f "$probe" ] || fail "oemui_barcode_pages.exe not built: $probe"
[ -f "$dll" ] || fail "57KXUI.dll not built: $dll"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$probe" "$dll" "$work/"
( cd "$work" && wine_64 ./oemui_barcode_pages.exe ) || fail "oemui_barcode_pages.exe reported failures"
echo "ok: the barcode pages work in a real property sheet"

if ! can_run_32bit; then
  echo "skipped: barcodetool.exe (32-bit): this machine cannot start 32-bit programs"
  exit 0
fi

tool="$PKG_PACKAGE/tools/barcodetool.exe"
[ -f "$tool" ] || tool="$PKG_BUILD_WIN32/tools/barcodetool/barcodetool.exe"
[ -f "$tool" ] || fail "barcodetool.exe not built"
out=$(wine "$tool" check --font 1d --symbology 8 --data '{C1234' | tr -d '\r')
[ "$out" = "7B 43 0C 22" ] || fail "barcodetool.exe check printed '$out'"
# Bar heights whose points end in .4 snap down in double precision: the 32-bit
# build must agree with the native one.
for pair in 6:5 41:40 156:155 161:161; do
  h=${pair%:*} want=${pair#*:}
  out=$(wine "$tool" fontsize --bar-height "$h" --hri-position 0 --hri-font 0 | head -1 | tr -d '\r')
  [ "$out" = "$want" ] || fail "barcodetool.exe fontsize --bar-height $h gave $out, not $want"
done
( cd "$work" && wine "$tool" print --font 2d --symbology 0 --data AB --out pdf.prn ) ||
  fail "barcodetool.exe print failed"
got=$(xxd -p "$work/pdf.prn" | tr -d '\n')
[ "$got" = "1d700101030303031d71051d6b0a4142000a1d564200" ] ||
  fail "barcodetool.exe print wrote $got"
wine "$tool" check --font 1d --symbology 1 --data 123456789012 >/dev/null 2>&1
[ $? -eq 1 ] || fail "barcodetool.exe check did not refuse UPC-E data starting with 1"
echo "ok: barcodetool.exe checks, sizes and prints as the native tool"
