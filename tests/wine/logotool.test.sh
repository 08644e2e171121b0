#!/usr/bin/env bash
# needs: 32-bit Windows programs
# The 32-bit logotool.exe under Wine must give, byte for byte, the work bitmaps and
# printer jobs that the native build gave for the same small pictures (golden files
# in logotool_data/): the conversions depend on single-precision steps, which an
# x87 build would round differently. Exit codes and binary standard output are
# checked as well.
set -u
exe=""
for candidate in "${PKG_PACKAGE:-}/tools/logotool.exe" "${PKG_BUILD_WIN32:-}/tools/logotool/logotool.exe"; do
  if [ -f "$candidate" ]; then exe=$candidate; break; fi
done
if [ -z "$exe" ]; then
  echo "FAIL logotool.exe not found in the package or the win32 build"
  exit 1
fi
data=${PKG_ROOT:?}/tests/wine/logotool_data
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp "$data/pic24.bmp" "$data/pic8.bmp" "$data/levels8.bmp" "$tmp/"
cd "$tmp" || exit 1

failures=0
fail() { echo "FAIL $1"; failures=$((failures + 1)); }
same() { # name expected actual
  if cmp -s "$2" "$3"; then echo "ok   $1"; else fail "$1: $3 differs from $(basename "$2")"; fi
}
logotool() { wine "$exe" "$@" 2>/dev/null; }

printed=$(logotool convert --mode gray --contrast -28 --brightness 5 pic24.bmp)
[ "$printed" = "pic24Temp.bmp" ] || fail "convert printed '$printed', expected 'pic24Temp.bmp'"
same "gray, 24-bit, contrast -28" "$data/expect_gray24.bmp" pic24Temp.bmp
logotool convert --mode gray --contrast 3 pic8.bmp >/dev/null
same "gray, 8-bit, contrast 3" "$data/expect_gray8.bmp" pic8Temp.bmp
# Settings where x87 arithmetic would round a level differently: level 255 at
# contrast -16, and the colour "Dither M4" stretch about the channel means.
logotool convert --mode gray --contrast -16 levels8.bmp >/dev/null
same "gray, every level, contrast -16" "$data/expect_gray_levels.bmp" levels8Temp.bmp
logotool convert --mode mono --halftone m4 --contrast -36 --brightness 3 pic24.bmp >/dev/null
same "mono m4, 24-bit, contrast -36" "$data/expect_mono24_m4_stretch.bmp" pic24Temp.bmp
for h in none m3 m4 diffuse; do
  logotool convert --mode mono --halftone $h --contrast -63 --brightness 20 pic24.bmp >/dev/null
  same "mono $h, 24-bit" "$data/expect_mono24_$h.bmp" pic24Temp.bmp
  logotool convert --mode mono --halftone $h --contrast 57 pic8.bmp >/dev/null
  same "mono $h, 8-bit" "$data/expect_mono8_$h.bmp" pic8Temp.bmp
done

# Job bytes through standard output: 0A bytes must not become 0D 0A.
logotool job --mode mono --contrast -28 pic24.bmp pic8.bmp >job_mono.prn
same "job, Transformation mode, standard output" "$data/expect_job_mono.prn" job_mono.prn
logotool job --mode gray --brightness -40 --out job_gray.prn pic24.bmp pic8.bmp
same "job, Gray mode, --out" "$data/expect_job_gray.prn" job_gray.prn
logotool clear >clear.prn
same "clear" "$data/expect_clear.prn" clear.prn

logotool convert --mode gray missing.bmp
[ $? -eq 1 ] || fail "a missing file should exit with 1"
logotool convert --mode sepia pic24.bmp
[ $? -eq 2 ] || fail "bad usage should exit with 2"

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all logotool.exe checks passed"
