#!/usr/bin/env bash
# needs: 32-bit Windows programs
# The seam's adapter of the maker's USB library, KvUsbInt.dll, whose calling
# convention is not published: five thousand rounds of open, descriptor and
# close on a stand-in built as stdcall and on one built as cdecl answer the
# same, and the set-identity command reaches the library whole.
# Environment (tests/wine/run.sh): PKG_BUILD_WIN32, WINEPREFIX.
set -u
probe="$PKG_BUILD_WIN32/tests/wine/usb_library_probe.exe"
failures=0
for convention in stdcall cdecl; do
    library="$PKG_BUILD_WIN32/tests/wine/kvusbint_$convention/KvUsbInt.dll"
    if [ ! -f "$probe" ] || [ ! -f "$library" ]; then
        echo "FAIL - not built: $probe, $library"
        exit 1
    fi
    out=$(wine "$probe" "$(winepath -w "$library" 2> /dev/null)" 2> /dev/null | tr -d '\r')
    status=$?
    if [ "$status" -eq 0 ] && [ "$out" == "identity 0109 010A written 10" ]; then
        echo "ok   - $convention: $out"
    else
        echo "FAIL - $convention: exit $status, [$out]"
        failures=$((failures + 1))
    fi
done
[ "$failures" -eq 0 ]
