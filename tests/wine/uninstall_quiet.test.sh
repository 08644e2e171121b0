#!/usr/bin/env bash
# Uninstall.exe /quiet with a response file: a file it cannot use is refused
# with 87 and a log line naming the line, and nothing is removed; a good one
# removes the printer it names without opening a window and exits 3010 (a
# restart is needed; the shell sees the low byte, 194), with every step and
# message line in the log. The printer is made through Wine's spooler.
set -u
. "$(dirname "$0")/lib.sh"
copy=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$copy" "$work"' EXIT
cp -r "$PKG_PACKAGE"/. "$copy"/
uninstall_into "$copy"
title=$(ini_value "$copy/language/uninstall.ini" Uninstall Title)
printers() { printers_probe | tr -d '\r'; }
printer="QRT-K500NX(P)"

added=$(printers_probe add "$printer" "QRT-K500NX Receipt" | tr -d '\r')
[ "$added" = "added $printer" ] || fail "the test's printer could not be created: $added"

printf '[Uninstall]\r\nItem=%s\r\n' "$printer" >"$work/bad.ini"
wine "$copy/Uninstall.exe" /quiet /response "$(win_path "$work/bad.ini")" /log "$(win_path "$work/bad.log")"
status=$?
tr -d '\r' <"$work/bad.log" | sed 's/^/  | /'
[ "$status" -eq 87 ] || fail "a response file with an unknown key gave exit $status, not 87"
grep -q 'result    87 .*line 2: unknown key "Item" in \[Uninstall\]' "$work/bad.log" ||
  fail "the log does not name the unknown key and its line"
grep -q "^printer $printer " <<<"$(printers)" || fail "a refused response file removed $printer"
echo "ok: an unknown key is refused with 87, naming line 2; nothing removed"

printf '[Uninstall]\r\nItems=%s\r\nUSBDriver=no\r\n' "$printer" >"$work/tills.ini"
wine "$copy/Uninstall.exe" /quiet /response "$(win_path "$work/tills.ini")" /log "$(win_path "$work/u.log")" &
program=$!
winprobe rect "$title" 8 >/dev/null && fail "a quiet run opened the window \"$title\""
wait $program
status=$?
tr -d '\r' <"$work/u.log" | sed 's/^/  | /'
[ "$status" -eq $((3010 % 256)) ] || fail "Uninstall.exe /quiet exited $status, not 3010"
grep -q "message   .*$printer" "$work/u.log" || fail "the log holds no message line about $printer"
grep -q "result    3010 removed $printer; Windows must be restarted" "$work/u.log" ||
  fail "the log's result line is missing"
grep -q "^printer $printer " <<<"$(printers)" && fail "Wine's spooler still lists $printer"
echo "ok: $printer removed with no window, exit 3010 and the log"
