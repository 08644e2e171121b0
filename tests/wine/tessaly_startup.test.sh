#!/usr/bin/env bash
# Tessaly.exe's start-up checks, for real under Wine (a 64-bit prefix: the
# 32-bit program runs under WOW64).
set -u
. "$(dirname "$0")/lib.sh"
pkg=$(mktemp -d)
trap 'rm -rf "$pkg"' EXIT
cp -r "$PKG_PACKAGE"/. "$pkg"/
tessaly_into "$pkg"
lang=$pkg/language/setup.ini
title=$(ini_value "$lang" Setup Caption)

# 1. A good package passes every check: the wizard opens, no message first;
#    Cancel ends it.
( cd "$pkg" && wine ./Tessaly.exe ) &
program=$!
winprobe rect "$title" 60 >/dev/null || fail "the wizard did not open for a good package"
winprobe message "$title" 2 >/dev/null && fail "a message box appeared for a good package"
winprobe click "$title" 2
wait $program
winprobe gone "$title" 10 || fail "Cancel did not end the wizard"
echo "ok: good package opens the wizard; Cancel ends it"

# 2. While a window titled "Uninstall" is open, Tessaly refuses with the Close text.
winprobe hold Uninstall 8 &
holder=$!
sleep 2
( cd "$pkg" && wine ./Tessaly.exe ) &
program=$!
shown=$(winprobe message "$title" 30)
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
shown=$(winprobe message "$title" 30)
echo "$shown"
expected=$(ini_value "$lang" Message IDS_X64)
echo "$shown" | grep -qF "$expected" || fail "expected \"$expected\""
wait $program && fail "Tessaly.exe went on with a 32-bit-only package"
echo "ok: 32-bit-only package refused on 64-bit Windows"

# 4. Without its language file (a damaged package) the refusal still says why,
#    in the package's English words.
rm -rf "$copy/language"
( cd "$copy" && wine ./Tessaly.exe ) &
program=$!
shown=$(winprobe message "$title" 30)
echo "$shown"
echo "$shown" | grep -qF "$expected" || fail "no text without the language file"
wait $program
rm -rf "$copy"
echo "ok: a missing language file falls back to the English texts"
