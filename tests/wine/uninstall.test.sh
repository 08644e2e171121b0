#!/usr/bin/env bash
# The real Uninstall.exe from the package under Wine: it lists a printer the
# test created through Wine's spooler with a driver whose name Uninstall.ini
# names, shows its message lines, and removes the printer when the user ticks
# everything and presses Uninstall; Wine's spooler then no longer lists it.
set -u
. "$(dirname "$0")/lib.sh"
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
cp -r "$PKG_PACKAGE"/. "$copy"/
uninstall_into "$copy"
lang=$copy/language/uninstall.ini
title=$(ini_value "$lang" Uninstall Title)
msg() { ini_value "$lang" Message "$1" | sed "s/%s/${2:-}/"; }
printers() { printers_probe | tr -d '\r'; }
step() { winprobe "$@" || fail "winprobe $*"; sleep 0.7; }
printer="QRT-K500NX(P)"

added=$(printers_probe add "$printer" "QRT-K500NX Receipt" | tr -d '\r')
echo "$added"
[ "$added" = "added $printer" ] || fail "the test's printer could not be created: $added"
printers | grep -q "^printer $printer port LPT1: " || fail "Wine's spooler does not list $printer"
echo "ok: created $printer through Wine's spooler"

# Started from another folder, the program still works from its own.
( cd / && wine "$copy/Uninstall.exe" ) &
program=$!
winprobe rect "$title" 60 >/dev/null || fail "the uninstaller's window did not open"
sleep 1
rows=$(winprobe items "$title" 1010 | tr -d '\r')
echo "listed:" $rows
grep -qx "\[ \] $printer" <<<"$rows" || fail "the list does not offer $printer"
grep -q "Acme\|Microsoft" <<<"$rows" && fail "the list offers another maker's printer"
lines=$(winprobe items "$title" 1008 | tr -d '\r')
echo "messages: $lines"
[ "$(tail -n 1 <<<"$lines")" = "$(msg IDS_SELECTPRN1)" ] || fail "no \"$(msg IDS_SELECTPRN1)\" line"
controls=$(winprobe controls "$title" | tr -d '\r')
grep -qE "^1002 Button $(ini_value "$lang" Uninstall Uninstall)$" <<<"$controls" ||
  fail "button 1002 does not read $(ini_value "$lang" Uninstall Uninstall)"
echo "ok: the list offers $printer and the message list asks to select"

step click "$title" 1012      # Select all
rows=$(winprobe items "$title" 1010 | tr -d '\r')
grep -qx "\[x\] $printer" <<<"$rows" || fail "Select all did not tick $printer"
winprobe click "$title" 1002  # Uninstall
reboot=$(ini_value "$lang" Reboot Title)
if winprobe rect "$reboot" 60 >/dev/null; then
  sleep 0.5
  step click "$reboot" 2      # No: no restart
else
  echo "no restart dialog appeared"
fi
winprobe gone "$reboot" 10 || fail "the restart dialog stayed"
lines=$(winprobe items "$title" 1008 | tr -d '\r')
echo "$lines" | sed 's/^/  | /'
grep -qxF "$(msg IDS_DELETING2 "$printer")" <<<"$lines" || fail "no deleting line for $printer"
grep -qxF "$(msg IDS_SUCCESS "$printer")" <<<"$lines" || fail "no success line for $printer"
rows=$(winprobe items "$title" 1010 | tr -d '\r')
[ -z "$rows" ] || fail "the list still offers: $rows"
listing=$(printers)
echo "$listing"
grep -q "^printer $printer " <<<"$listing" && fail "Wine's spooler still lists $printer"
if grep -q "^driver Windows x64 QRT-K500NX Receipt" <<<"$listing"; then
  # Which of the uninstaller's calls Wine refused, asked directly.
  echo "WINE: the driver stayed: \"$(tail -n 1 <<<"$lines")\"; DeletePrinterDriverExA with" \
    "DPD_DELETE_UNUSED_FILES answers $(printers_probe delete-driver "QRT-K500NX Receipt" 1 |
      tr -d '\r'), without flags $(printers_probe delete-driver "QRT-K500NX Receipt" 0 | tr -d '\r')"
fi
echo "ok: $printer removed with its message lines"

step click "$title" 2          # Exit
wait $program || fail "Uninstall.exe exited $?"
echo "ok: Exit ends the program"
