#!/usr/bin/env bash
# The "Main" and "Water Mark" pages of the real 57KXUI.dll in a real property
# sheet under 64-bit Wine (tests/wine/oemui_document_pages.cpp says what is
# checked).
set -u
. "$(dirname "$0")/lib.sh"

probe="$PKG_BUILD_WIN64/tests/wine/oemui_document_pages.exe"
dll="$PKG_PACKAGE/W64/57KXUI.dll"
[ -f "$dll" ] || dll="$PKG_BUILD_WIN64/oemui/57KXUI.dll"
[ -f "$probe" ] || fail "oemui_document_pages.exe not built: $probe"
[ -f "$dll" ] || fail "57KXUI.dll not built: $dll"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$probe" "$dll" "$work/"
( cd "$work" && wine ./oemui_document_pages.exe ) ||
  fail "oemui_document_pages.exe reported failures (exit $?)"
echo "ok: Main and Water Mark work in a real property sheet"
