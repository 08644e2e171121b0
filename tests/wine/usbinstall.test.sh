#!/usr/bin/env bash
# Install under Wine, watched from outside the way the setup program and the
# uninstaller watch it: by its window title and its log box.
#  - an unknown argument shows the window and closes it by itself, log empty;
#  - "2" on a clean machine (no printer) starts its log and closes by itself;
#    Wine's driver update fails without an error code, which Install takes for
#    a printer that is there, so the pre-installation is checked only when
#    Wine says why it failed;
#  - "22" logs its two lines, closes by itself, and of two USB-class INF files
#    in the inf folder deletes the package's own and leaves the other maker's;
#  - the same for the 64-bit copy, where the prefix runs 64-bit programs.
# Environment (tests/wine/run.sh): PKG_ROOT, PKG_BUILD_WIN32, PKG_BUILD_WIN64,
# WINEPREFIX (a clean prefix), DISPLAY (Xvfb).
set -u

# The probe of the bitness this machine runs (a kernel without 32-bit support
# runs only the 64-bit one).
probe="$PKG_BUILD_WIN32/tests/wine/usbinstall_probe.exe"
[ -n "${PKG_WINE32_MISSING:-}" ] && probe="$PKG_BUILD_WIN64/tests/wine/usbinstall_probe.exe"
inf_folder="$WINEPREFIX/drive_c/windows/inf"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

pass() { echo "ok   - $1"; }
fail() {
    echo "FAIL - $1"
    failures=$((failures + 1))
}
expect_eq() {  # description expected actual
    if [ "$2" == "$3" ]; then pass "$1"; else fail "$1: expected [$2], got [$3]"; fi
}

# A package folder as the callers start Install from: the program beside its
# INF and driver files (any bytes stand for KVPUSB.sys, which is built elsewhere).
package_folder() {  # name install.exe driver-folder
    local folder="$work/$1"
    mkdir -p "$folder"
    cp "$2" "$folder/Install.exe"
    cp "$PKG_ROOT/package/USBDRV/$3/"* "$folder/"
    [ -f "$folder/KVPUSB.sys" ] || echo "placeholder" > "$folder/KVPUSB.sys"
    echo "$folder"
}

# Runs Install with one argument while the probe watches; leaves the probe's
# report (carriage returns removed) in $work/report and Install's status in $status.
watch_install() {  # wine-command install.exe argument
    local runner=$1 exe=$2 argument=$3
    wine "$probe" 60000 > "$work/report.raw" 2>/dev/null &
    local probe_pid=$!
    sleep 2  # the probe is up before the window can appear
    timeout 90 "$runner" "$exe" "$argument" > /dev/null 2>&1
    status=$?
    wait "$probe_pid"
    tr -d '\r' < "$work/report.raw" > "$work/report"
}

field() { sed -n "s/^$1: //p" "$work/report"; }
log_text() { sed -n '/^log:$/,$p' "$work/report" | tail -n +2; }

oem_infs_of_package() {
    grep -l -i 'Provider="KORVANE"' "$inf_folder"/oem*.inf 2>/dev/null | wc -l
}

check_program() {  # label wine-command install.exe driver-folder
    local label=$1 runner=$2 exe=$3 folder
    folder=$(package_folder "$label" "$exe" "$4")

    watch_install "$runner" "$folder/Install.exe" "xyz"
    expect_eq "$label: unknown argument ends the program by itself" 0 "$status"
    expect_eq "$label: unknown argument shows the window" "seen" "$(field window)"
    expect_eq "$label: unknown argument closes the window" "yes" "$(field closed)"
    expect_eq "$label: unknown argument writes no log" "" "$(log_text)"

    watch_install "$runner" "$folder/Install.exe" "2"
    expect_eq "$label: \"2\" ends by itself" 0 "$status"
    expect_eq "$label: \"2\" closes its window" "yes" "$(field closed)"
    expect_eq "$label: \"2\" starts its log" "start install the device drivers." \
        "$(log_text | head -n 1)"
    case "$(log_text | sed -n 2p)" in
    "USB device no exist, start to preinstall.")
        expect_eq "$label: the pre-installed INF is in the inf folder" 1 "$(oem_infs_of_package)"
        ;;
    "usb device already exist, start to install drivers.")
        pass "$label: \"2\" took the driver update for done"
        ;;
    *) fail "$label: \"2\" second line: [$(log_text | sed -n 2p)]" ;;
    esac

    # What "22" must tell apart: the package's INF and another maker's.
    cp "$folder/KVPUSB.INF" "$inf_folder/oem90.inf"
    echo "x" > "$inf_folder/oem90.pnf"
    printf '[Version]\r\nSignature="$Windows NT$"\r\nClass=USB\r\nProvider=%%P%%\r\n[Strings]\r\nP="Other Maker"\r\n' \
        > "$inf_folder/oem91.inf"

    watch_install "$runner" "$folder/Install.exe" "22"
    expect_eq "$label: \"22\" ends by itself" 0 "$status"
    expect_eq "$label: \"22\" shows the window" "seen" "$(field window)"
    expect_eq "$label: \"22\" closes its window" "yes" "$(field closed)"
    expect_eq "$label: \"22\" log" \
        "$(printf 'uninstall the device drivers and delete application.\nuninstall finish.....')" \
        "$(log_text)"
    # 200 ms after the last line; Wine under Xvfb without a window manager adds
    # up to two seconds before a hidden window is destroyed.
    local delay
    delay=$(field close-delay-ms)
    if [ -n "$delay" ] && [ "$delay" -lt 5000 ]; then
        pass "$label: window closes soon after the last line (${delay} ms)"
    else
        fail "$label: window closes soon after the last line (got '${delay}' ms)"
    fi
    expect_eq "$label: \"22\" deleted the package's INF files from the inf folder" 0 \
        "$(oem_infs_of_package)"
    if [ -f "$inf_folder/oem90.pnf" ]; then fail "$label: oem90.pnf is left"; else pass "$label: its PNF went too"; fi
    if [ -f "$inf_folder/oem91.inf" ]; then
        pass "$label: another maker's USB INF stays"
    else
        fail "$label: another maker's USB INF was deleted"
    fi
    rm -f "$inf_folder/oem91.inf"
}

if [ -n "${PKG_WINE32_MISSING:-}" ]; then
    echo "WINE: win32 not checked: this machine's kernel runs no 32-bit programs"
else
    check_program "win32" wine "$PKG_BUILD_WIN32/usbinstall/Install.exe" USBDriver
fi

exe64="$PKG_BUILD_WIN64/usbinstall/Install.exe"
runner64=wine
command -v wine64 > /dev/null && runner64=wine64
if [ ! -f "$exe64" ]; then
    echo "skip - win64: $exe64 is not built"
elif [ -z "${PKG_WINE32_MISSING:-}" ] && [ ! -d "$WINEPREFIX/drive_c/windows/syswow64" ]; then
    echo "skip - win64: the prefix runs no 64-bit programs"
else
    check_program "win64" "$runner64" "$exe64" USBDriver_x64
fi

[ "$failures" -eq 0 ]
