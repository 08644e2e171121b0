#!/usr/bin/env bash
# The uninstaller's main dialog with a printer of the package listed, in the
# English package and in the Chinese edition.
set -u
. "$PKG_ROOT/tools/screenshots/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A printer the uninstaller lists, made through Wine's spooler.
printers_probe add "QRT-K500NX(P)" "QRT-K500NX Receipt" >/dev/null

copy_editions "$work"
en=$work/package zh=$work/package-zh
uninstall_into "$en"
uninstall_into "$zh"

shot() { # shot PACKAGE NAME [LOCALE]: the main dialog of the package's Uninstall.exe
  local title
  title=$(ini_value "$1/language/uninstall.ini" Uninstall Title | iconv -f GBK -t UTF-8)
  # The program's texts are ANSI bytes: the Chinese edition's are read in code
  # page 936, which Wine takes from a Chinese locale.
  ( cd "$1" && LC_ALL=${3:-${LC_ALL:-}} wine ./Uninstall.exe ) &
  local program=$!
  winprobe rect "$title" 60 >/dev/null || { echo "no window titled \"$title\""; return 1; }
  winprobe click "$title" 1012 # tick everything, as a user about to remove it
  sleep 1
  shoot "$title" "$2" || return 1
  winprobe click "$title" 2 # Exit
  wait $program
}

status=0
shot "$en" uninstall_main_en || status=1
shot "$zh" uninstall_main_zh zh_CN.UTF-8 || status=1
exit $status
