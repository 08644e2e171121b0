#!/usr/bin/env bash
# Tessaly.exe loads and speaks on the old Windows it meets: Wine told to be
# Windows 98 or NT 4.0 (winecfg's version setting for the program) shows the
# setup's own refusal, and as Windows 95 the program passes that check. The
# boxes are found by their text, whatever their caption.
set -u
. "$(dirname "$0")/lib.sh"
pkg=$(mktemp -d)
cp -r "$PKG_PACKAGE"/. "$pkg"/
tessaly_into "$pkg"
nonsupport=$(ini_value "$pkg/language/setup.ini" Setup Nonsupport)
[ -n "$nonsupport" ] || fail "no Nonsupport text in the language file"

# winecfg's per-program version setting, for the program and for the probe
# that reports what a program is told.
pretend() {
  for program in Tessaly.exe winprobe.exe; do
    wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$program" /v Version /d "$1" /f >/dev/null 2>&1 ||
      fail "cannot set the version $1"
  done
  echo "as $1: $(winprobe version | tr -d '\r')"
}
trap 'rm -rf "$pkg"; wine reg delete "HKCU\\Software\\Wine\\AppDefaults\\Tessaly.exe" /f >/dev/null 2>&1;
      wine reg delete "HKCU\\Software\\Wine\\AppDefaults\\winprobe.exe" /f >/dev/null 2>&1' EXIT

for version in win98 nt40; do
  pretend "$version"
  ( cd "$pkg" && wine ./Tessaly.exe ) &
  program=$!
  if ! shown=$(winprobe box "$nonsupport" 30); then
    kill $program 2>/dev/null
    fail "as $version no box showed \"$nonsupport\" ($shown)"
  fi
  echo "$shown"
  wait $program && fail "as $version Tessaly.exe went on after the refusal"
  echo "ok: refused as $version"
done

# Windows 95 passes the version check: no refusal within the wait, and the
# program either ended well or is still running (its wizard open).
pretend win95
( cd "$pkg" && wine ./Tessaly.exe ) &
program=$!
if ! winprobe nobox "$nonsupport" 15; then
  kill $program 2>/dev/null
  fail "as win95 the Nonsupport box appeared"
fi
if kill -0 $program 2>/dev/null; then
  echo "as win95 Tessaly.exe is still running: ended here"
  wineserver -k >/dev/null 2>&1
  wait $program 2>/dev/null
else
  wait $program || fail "as win95 Tessaly.exe ended with exit code $?"
fi
echo "ok: Windows 95 passes the version check"
