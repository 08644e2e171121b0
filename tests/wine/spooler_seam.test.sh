#!/usr/bin/env bash
# The seam's Win32 spooler, service-manager and file-version adapters against
# the system under Wine (spooler_probe.exe): the answers Windows and Wine share
# are checked; where Wine's spooler is known to answer otherwise than Windows
# (the driver folder of a 32-bit caller on 64-bit Windows, AddPrinterA's order
# of checks, the standard TCP/IP port monitor it does not have, a Spooler
# service it does not run) the answer is only logged.
# Environment (tests/wine/run.sh): PKG_ROOT, PKG_BUILD_WIN32, WINEPREFIX.
set -u

probe="$PKG_BUILD_WIN32/tests/wine/spooler_probe.exe"
# A kernel without 32-bit support runs the 64-bit probe: the same adapters.
[ -n "${PKG_WINE32_MISSING:-}" ] && probe="$PKG_BUILD_WIN64/tests/wine/spooler_probe.exe"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
pass() { echo "ok   - $1"; }
fail() {
    echo "FAIL - $1"
    failures=$((failures + 1))
}

if [ ! -f "$probe" ]; then
    echo "spooler_probe.exe not built: $probe" >&2
    exit 1
fi
printf 'not an executable\r\n' > "$work/plain.txt"
versioned=$(winepath -w "$PKG_ROOT/fuzz/corpus/pe_version/version_only32.dll" 2> /dev/null)
output=$(wine "$probe" "$versioned" "$(winepath -w "$work/plain.txt" 2> /dev/null)" 2> /dev/null | tr -d '\r')
echo "$output" | sed 's/^/  probe: /'

expect() {  # exact line, or a regular expression with -E
    if [ "$1" == "-E" ]; then
        if echo "$output" | grep -Eqx "$2"; then pass "$2"; else fail "no line matching: $2"; fi
    elif echo "$output" | grep -Fqx "$1"; then
        pass "$1"
    else
        fail "no line: $1"
    fi
}

expect -E 'GetPrinterDriverDirectoryA ok (w32x86|x64)'
expect -E 'GetPrintProcessorDirectoryA ok (w32x86|x64)'
expect 'GetPrinterDriverDirectoryA(Windows 3.1) error 1805'
expect 'EnumPortsA ok has LPT1:, has FILE:'
expect 'EnumMonitorsA ok has Local Port'
expect 'EnumPrintProcessorsA ok has WinPrint'
expect 'EnumPrintersA ok'
expect 'EnumPrinterDriversA ok'
expect 'OpenPrinterA(unknown) error 1801'
expect -E 'AddPrinterA\(unknown port and driver\) error [0-9]+'
expect 'AddMonitorA(missing DLL) error 126'
expect 'OpenSCManagerA ok'
expect 'OpenServiceA(Spooler) ok'
expect -E 'QueryServiceStatus ok state [1-4]'
expect 'OpenServiceA(unknown) error 1060'
expect 'GetFileVersionInfoA(versioned) ok 2.1.0.7'
expect 'GetFileVersionInfoA(plain) error 1812'
expect -E 'GetFileVersionInfoA\(missing\) error (2|3)'

[ "$failures" -eq 0 ]
