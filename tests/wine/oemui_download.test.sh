#!/usr/bin/env bash
# The Download and Font pages of the real 57KXUI.dll in a real property sheet under
# 64-bit Wine (tests/wine/oemui_download_probe.cpp says what is checked). The logos
# are made with ImageMagick as users make them today: the colour one with its
# default 124-byte information header.
set -u
. "$(dirname "$0")/lib.sh"

probe="$PKG_BUILD_WIN64/tests/wine/oemui_download_probe.exe"
dll="$PKG_PACKAGE/W64/57KXUI.dll"
[ -f "$dll" ] || dll="$PKG_BUILD_WIN64/oemui/57KXUI.dll"
[ -f "$probe" ] || fail "oemui_download_probe.exe not built: $probe"
[ -f "$dll" ] || fail "57KXUI.dll not built: $dll"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$probe" "$dll" "$work/"
make_download_logos "$work/logos"
folder=$(wine64_run winepath -w "$work/logos" 2>/dev/null | tr -d '\r')
[ -n "$folder" ] || fail "winepath gave no Windows path for $work/logos"
( cd "$work" && wine64_run ./oemui_download_probe.exe check "$folder" ) ||
  fail "oemui_download_probe.exe reported failures (exit $?)"
echo "ok: the Download and Font pages work in a real property sheet"
