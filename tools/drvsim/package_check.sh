#!/usr/bin/env bash
# The last step of `make package`: the assembled packages checked (configuration,
# driver files, language texts, Uninstall.ini and INF files agree), then the
# package installed on a fresh simulated 64-bit Windows 7 with one USB printer
# attached, as a typical install of the sample receipt model on its USB port;
# prints the printer.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
drvsim=${DRVSIM:-$root/build/native/tools/drvsim/drvsim}
package=${PACKAGE:-$root/out/package}
machine=$(mktemp -d "${TMPDIR:-/tmp}/drvsim-package-check.XXXXXX")
trap 'rm -rf "$machine"' EXIT

for checked in "$package" "$package-zh"; do
  [ -d "$checked" ] || continue
  echo "== drvsim check: ${checked#"$root"/}"
  if ! "$drvsim" check --package "$checked" | sed 's/^/  /'; then
    echo "package: ${checked#"$root"/} has errors" >&2
    exit 1
  fi
done

echo "== drvsim: typical USB install of QRT-K500NX on Windows 7 x64"
"$drvsim" init --machine "$machine" --os 7 --bits 64 --usb-printer 0x0108 --force >/dev/null
"$drvsim" setup --machine "$machine" --package "$package" --type receipt --model QRT-K500NX \
  --port USB_QRT-K500NX_1 --raster
"$drvsim" show --machine "$machine" | sed -n '/^Printers:/,/^Drivers:/p' | sed '$d'
