#!/usr/bin/env bash
# The Operation and Utility pages of the real 57KXUI.dll under 64-bit Wine, in a
# real property sheet, with their modal dialogs (tests/wine/oemui_ops_probe.cpp
# says what is checked): the settings record read back byte for byte, the
# control-font table read from and written to the prefix's driver folder.
set -u
. "$(dirname "$0")/lib.sh"

probe="$PKG_BUILD_WIN64/tests/wine/oemui_ops_probe.exe"
dll="$PKG_PACKAGE/W64/57KXUI.dll"
[ -f "$dll" ] || dll="$PKG_BUILD_WIN64/oemui/57KXUI.dll"
[ -f "$probe" ] || fail "oemui_ops_probe.exe not built: $probe"
[ -f "$dll" ] || fail "57KXUI.dll not built: $dll"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$probe" "$dll" "$work/"
# A 64-bit program needs only the 64-bit loader; on a machine that cannot run
# 32-bit Linux programs, the "wine" launcher (which prefers the 32-bit one)
# would not start at all.
run64() {
  if [ -x /usr/lib/wine/wine64 ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "note: the 32-bit Wine loader cannot run here; using the 64-bit one"
    WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64 "$@"
  else
    wine "$@"
  fi
}
# The prefix is made by the 32-bit wineboot, which may not have run.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  run64 wineboot -i >/dev/null 2>&1
  wineserver -w
fi
( cd "$work" && run64 ./oemui_ops_probe.exe ) || fail "oemui_ops_probe.exe reported failures (exit $?)"
echo "ok: the Operation and Utility pages and their dialogs work in a real sheet"
