#!/usr/bin/env bash
# Tessaly.exe's start-up checks, for real under Wine (a 64-bit prefix: the
# 32-bit program runs under WOW64).
set -u
. "$(dirname "$0")/lib.sh"
pkg=$PKG_PACKAGE
lang=$pkg/language/setup.ini

# 1. A good package on 64-bit Windows passes every check and ends without a message.
( cd "$pkg" && wine ./Tessaly.exe ) &
program=$!
if winprobe read Error 5; then
  kill $program 2>/dev/null
  fail "a message box appeared for a good package"
fi
wait $program || fail "Tessaly.exe refused a good package (exit $?)"
echo "ok: good package passes"

# 2. While a window titled "Uninstall" is open, Tessaly refuses with the Close text.
winprobe hold Uninstall 8 &
holder=$!
sleep 2
( cd "$pkg" && wine ./Tessaly.exe ) &
program=$!
shown=$(winprobe read Error 30)
echo "$shown"
expected=$(ini_value "$lang" Setup Close)
[ -n "$expected" ] || fail "no Close text in $lang"
echo "$shown" | grep -qF "$expected" || fail "expected \"$expected\""
wait $program && fail "Tessaly.exe went on while the uninstaller was open"
wait $holder  # the window closes by itself after its 8 seconds
echo "ok: refused while the uninstaller is open"

# 3. A 32-bit-only package is refused on 64-bit Windows with IDS_X64.
copy=$(mktemp -d)
cp -r "$pkg"/. "$copy"/
sed -i 's/^Supported32OR64=.*/Supported32OR64=1\r/' "$copy/DRVCONFIG/setup.ini"
grep -q '^Supported32OR64=1' "$copy/DRVCONFIG/setup.ini" ||
  sed -i 's/^\[DEVICENAME\].*/&\nSupported32OR64=1\r/' "$copy/DRVCONFIG/setup.ini"
( cd "$copy" && wine ./Tessaly.exe ) &
program=$!
shown=$(winprobe read Error 30)
echo "$shown"
expected=$(ini_value "$lang" Message IDS_X64)
echo "$shown" | grep -qF "$expected" || fail "expected \"$expected\""
wait $program && fail "Tessaly.exe went on with a 32-bit-only package"
rm -rf "$copy"
echo "ok: 32-bit-only package refused on 64-bit Windows"
