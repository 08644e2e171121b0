#!/usr/bin/env bash
# The seam's Win32 device-setup adapters against the real SetupAPI under Wine:
#  - every package INF, and one with the reader's corner cases, lists as in
#    tests/wine/device_setup/*.txt (the simulated SetupAPI is held to the same
#    files by tests/platform/sim_inf_conformance_test.cpp);
#  - a cabinet is walked member by member, skipped members stay out;
#  - the present devices of a class can be enumerated to the end.
# Environment (tests/wine/run.sh): PKG_ROOT, PKG_BUILD_WIN32, PKG_BUILD_WIN64,
# WINEPREFIX, DISPLAY.
set -u

expected="$PKG_ROOT/tests/wine/device_setup"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

pass() { echo "ok   - $1"; }
fail() {
    echo "FAIL - $1"
    failures=$((failures + 1))
}
windows_path() { winepath -w "$1" 2> /dev/null; }

# An uncompressed cabinet (MSCF, one folder) of the given name=content pairs.
make_cabinet() {  # file name=content...
    python3 - "$@" << 'PY'
import struct, sys
out, pairs = sys.argv[1], [a.split("=", 1) for a in sys.argv[2:]]
members = [(n, c.encode() * (40000 // max(len(c), 1) if n.endswith(".big") else 1)) for n, c in pairs]
data = b"".join(d for _, d in members)
files, offset = b"", 0
for name, d in members:
    files += struct.pack("<IIHHHH", len(d), offset, 0, 0x3C21, 0x6000, 0x20) + name.encode() + b"\0"
    offset += len(d)
chunks = [data[i:i + 32768] for i in range(0, len(data), 32768)] or [b""]
blocks = b"".join(struct.pack("<IHH", 0, len(c), len(c)) + c for c in chunks)
first_file = 36 + 8
first_data = first_file + len(files)
header = b"MSCF" + struct.pack("<IIIIIBBHHHHH", 0, first_data + len(blocks), 0, first_file, 0,
                               3, 1, 1, len(members), 0, 0, 0)
open(out, "wb").write(header + struct.pack("<IHH", first_data, len(chunks), 0) + files + blocks)
PY
}

check_probe() {  # label probe.exe
    local label=$1 probe=$2 inf name listing
    for inf in "$expected/tricky.inf" "$PKG_ROOT"/package/USBDRV/USBDriver*/*.INF; do
        name=$(basename "$inf" .INF)
        case "$inf" in
        */USBDriver/*) name="USBDriver_$name" ;;
        */USBDriver_x64/*) name="USBDriver_x64_$name" ;;
        *) name=$(basename "$inf" .inf) ;;
        esac
        listing=$(wine "$probe" inf "$(windows_path "$inf")" 2> /dev/null | tr -d '\r')
        if [ "$listing" == "$(cat "$expected/$name.txt")"$'\n'"result ok" ]; then
            pass "$label: $name reads as expected"
        else
            fail "$label: $name reads as:"$'\n'"$listing"
        fi
    done

    mkdir -p "$work/$label"
    make_cabinet "$work/set.cab" "a.dll=AAA" "b.skip=BB" "c.big=CCCC"
    listing=$(wine "$probe" cab "$(windows_path "$work/set.cab")" "$(windows_path "$work/$label")" \
        2> /dev/null | tr -d '\r')
    if [ "$listing" == "$(printf 'member a.dll\nmember b.skip\nmember c.big\nresult ok')" ] &&
        [ "$(cat "$work/$label/a.dll")" == "AAA" ] && [ ! -e "$work/$label/b.skip" ] &&
        [ "$(stat -c %s "$work/$label/c.big")" == 40000 ]; then
        pass "$label: cabinet members are extracted where asked, skipped ones not"
    else
        fail "$label: cabinet walk: $listing; extracted: $(ls "$work/$label" | tr '\n' ' ')"
    fi

    listing=$(wine "$probe" classdevs 2> /dev/null | tr -d '\r')
    if [ "$(echo "$listing" | tail -n 1)" == "result ok" ]; then
        pass "$label: present devices enumerate to ERROR_NO_MORE_ITEMS ($(echo "$listing" | head -n 1))"
    else
        fail "$label: device enumeration: $listing"
    fi
}

if [ -n "${PKG_WINE32_MISSING:-}" ]; then
    echo "WINE: win32 not checked: this machine's kernel runs no 32-bit programs"
else
    check_probe win32 "$PKG_BUILD_WIN32/tests/wine/device_setup_probe.exe"
fi
probe64="$PKG_BUILD_WIN64/tests/wine/device_setup_probe.exe"
if [ -f "$probe64" ] && { [ -n "${PKG_WINE32_MISSING:-}" ] || [ -d "$WINEPREFIX/drive_c/windows/syswow64" ]; }; then
    check_probe win64 "$probe64"
else
    echo "skip - win64: probe not built or the prefix runs no 64-bit programs"
fi

[ "$failures" -eq 0 ]
