#!/usr/bin/env bash
# The 32-bit setup on 64-bit Windows registers its driver for the machine's
# own environment, "Windows x64", not for the caller's default that a missing
# environment stands for (environment_probe.exe in the 64-bit prefix, against
# Wine's spooler, which answers a missing environment as Windows does).
# Environment (tests/wine/run.sh): PKG_PACKAGE, PKG_BUILD_WIN32, WINEPREFIX.
set -u
. "$(dirname "$0")/lib.sh"
probe="$PKG_BUILD_WIN32/tests/wine/environment_probe.exe"
[ -f "$probe" ] || fail "environment_probe.exe not built: $probe"

output=$(cd "$PKG_PACKAGE" && wine "$probe" "$(winepath -w "$PKG_PACKAGE" 2>/dev/null)" 2>/dev/null |
  tr -d '\r')
echo "$output" | sed 's/^/  probe: /'
expect() { echo "$output" | grep -Fqx "$1" || fail "no line: $1"; echo "ok: $1"; }

expect "64-bit Windows: yes"
expect "driver environment: Windows x64"
expect "engine's driver folder: x64"
expect "engine's processor folder: x64"
expect "addDriver ok"
expect "listed under Windows x64: yes"
expect "listed under Windows NT x86: no"
