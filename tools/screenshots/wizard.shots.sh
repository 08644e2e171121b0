#!/usr/bin/env bash
# The setup wizard's pages, its About box and its progress dialog, in the
# English package and in the Chinese edition.
set -u
. "$PKG_ROOT/tools/screenshots/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

copy_editions "$work"
en=$work/package zh=$work/package-zh
for p in "$en" "$zh"; do
  tessaly_into "$p"
  usb_library_into "$p" # one printer attached, as on a till
done

universal_driver_standins # so that the installation runs long enough to be seen

shots() { # shots PACKAGE SUFFIX [LOCALE]: every page of the package's Tessaly.exe
  local lang=$1/language/setup.ini suffix=$2 title about
  title=$(ini_value "$lang" Setup Caption | iconv -f GBK -t UTF-8)
  about=$(ini_value "$lang" About Caption | iconv -f GBK -t UTF-8)
  # The program's texts are ANSI bytes: the Chinese edition's are read in code
  # page 936, which Wine takes from a Chinese locale.
  ( cd "$1" && LC_ALL=${3:-${LC_ALL:-}} wine ./Tessaly.exe ) &
  local program=$! status=0
  winprobe rect "$title" 60 >/dev/null || { echo "no window titled \"$title\""; return 1; }
  winprobe click "$title" 1057 && sleep 1 # the licence accepted
  shoot "$title" "wizard_licence_$suffix" || status=1
  winprobe syscommand "$title" 16 # the system menu's About item
  shoot "$about" "wizard_about_$suffix" || status=1
  winprobe click "$about" 1
  sleep 1
  local page
  for page in type mode os port; do
    winprobe click "$title" 1 && sleep 1 # Next
    shoot "$title" "wizard_${page}_$suffix" || status=1
  done
  winprobe choose "$title" 1049 "LPT1:"
  # The progress dialog has no caption and lives for about a second under Wine,
  # while the program is too busy to answer messages: a catcher waits for it
  # before Install is pressed.
  (
    rect=$(winprobe untitled 60) || exit 1
    read -r x y w h <<<"$rect"
    sleep 0.1 # its first painting
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$PKG_SHOTS/wizard_progress_$suffix.png" &&
      echo "  wizard_progress_$suffix.png"
  ) &
  local catcher=$!
  sleep 2
  winprobe click "$title" 1 # Install
  wait $catcher || { echo "no picture of the progress dialog"; status=1; }
  winprobe message "$title" 180 >/dev/null # the result, whatever Wine's spooler made of it
  wineserver -k >/dev/null 2>&1
  wait $program
  return $status
}

status=0
shots "$en" en || status=1
shots "$zh" zh zh_CN.UTF-8 || status=1
exit $status
