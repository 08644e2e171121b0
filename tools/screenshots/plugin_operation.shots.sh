#!/usr/bin/env bash
# The plug-in's Operation page with its dialog, and the Utility page with the
# control-font table and its entry dialog, from the real 57KXUI.dll in a real
# property sheet (tests/wine/oemui_ops_probe.exe holds each one up).
set -u
. "$PKG_ROOT/tools/screenshots/lib.sh"

probe="$PKG_BUILD_WIN64/tests/wine/oemui_ops_probe.exe"
dll="$PKG_PACKAGE/W64/57KXUI.dll"
[ -f "$dll" ] || dll="$PKG_BUILD_WIN64/oemui/57KXUI.dll"
[ -f "$probe" ] && [ -f "$dll" ] || { echo "oemui_ops_probe.exe or 57KXUI.dll not built"; exit 1; }

# The 64-bit probe needs only the 64-bit loader, and winprobe (32-bit) can only
# find windows where 32-bit programs run; elsewhere X tells where a window is.
if /usr/lib/wine/wine --version >/dev/null 2>&1 || [ ! -x /usr/lib/wine/wine64 ]; then
  run64() { wine "$@"; }
  shot() { shoot "$@"; }
else
  run64() { WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64 "$@"; }
  shot() {
    local info="" x y w h
    for _ in $(seq 1 900); do # a fresh prefix takes a while to come up
      info=$(xwininfo -name "$1" 2>/dev/null) && break
      sleep 0.1
    done
    [ -n "$info" ] || { echo "no window titled \"$1\""; return 1; }
    sleep 1 # let it finish drawing
    info=$(xwininfo -name "$1")
    x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    w=$(sed -n 's/.*Width: *//p' <<<"$info")
    h=$(sed -n 's/.*Height: *//p' <<<"$info")
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$PKG_SHOTS/$2.png" || return 1
    echo "  $2.png"
  }
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$probe" "$dll" "$work/"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  run64 wineboot -i >/dev/null 2>&1
  wineserver -w
fi
( cd "$work" && run64 ./oemui_ops_probe.exe 3 >"$work/probe.log" 2>&1 ) &
probe_pid=$!
status=0
shot "QRT-K500NX Printing Preferences" plugin_operation_page || status=1
shot "End Document Operation" plugin_operation_dialog || status=1
shot "QRT-K500NX Properties" plugin_utility_page || status=1
shot "Control Font Character Translation Table" plugin_control_table || status=1
shot "Control Font Character Translator" plugin_control_entry || status=1
wait "$probe_pid" || { echo "the probe reported failures:"; grep FAIL "$work/probe.log"; status=1; }
exit $status
