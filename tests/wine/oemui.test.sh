#!/usr/bin/env bash
# The real 57KXUI.dll under 64-bit Wine, loaded and driven through its COM
# interface as the universal printer driver's UI host drives it
# (tests/wine/oemui_host.cpp says what is checked).
set -u
. "$(dirname "$0")/lib.sh"

host="$PKG_BUILD_WIN64/tests/wine/oemui_host.exe"
dll="$PKG_PACKAGE/W64/57KXUI.dll"
[ -f "$dll" ] || dll="$PKG_BUILD_WIN64/oemui/57KXUI.dll"
[ -f "$host" ] || fail "oemui_host.exe not built: $host"
[ -f "$dll" ] || fail "57KXUI.dll not built: $dll"

# The plug-in is static: it may import Windows' own DLLs only.
if command -v x86_64-w64-mingw32-objdump >/dev/null; then
  imports=$(x86_64-w64-mingw32-objdump -p "$dll" | awk '/DLL Name:/ { print toupper($3) }')
  echo "imports: $(echo $imports)"
  for name in $imports; do
    case "$name" in
      KERNEL32.DLL|USER32.DLL|GDI32.DLL|COMCTL32.DLL|COMDLG32.DLL|WINSPOOL.DRV|ADVAPI32.DLL|OLE32.DLL|MSVCRT.DLL|SHELL32.DLL|VERSION.DLL) ;;
      *) fail "57KXUI.dll imports $name" ;;
    esac
  done
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$host" "$dll" "$work/"
( cd "$work" && wine ./oemui_host.exe ) || fail "oemui_host.exe reported failures (exit $?)"
echo "ok: 57KXUI.dll answers as the UI host expects"
