#!/usr/bin/env bash
# The import check that `make package` runs (tools/check_imports.sh): a program
# that imports a function its list does not hold fails with that function's
# name, and so does a list entry whose source the list does not define.
# Environment (tests/wine/run.sh): PKG_ROOT, PKG_PACKAGE.
set -u
. "$(dirname "$0")/lib.sh"
check="$PKG_ROOT/tools/check_imports.sh"
lists="$PKG_ROOT/tools/imports"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

bash "$check" "$lists/oldest.txt" "$PKG_PACKAGE/Tessaly.exe" || fail "the package's Tessaly.exe fails its own list"
echo "ok: Tessaly.exe holds to tools/imports/oldest.txt"

grep -v '^user32.dll *MessageBoxA ' "$lists/oldest.txt" >"$work/oldest.txt"
if out=$(bash "$check" "$work/oldest.txt" "$PKG_PACKAGE/Tessaly.exe" 2>&1); then
  fail "a list without MessageBoxA passed"
fi
echo "$out"
echo "$out" | grep -q "imports MessageBoxA from user32.dll" || fail "the failure does not name MessageBoxA"
echo "ok: an import outside the list fails with its name"

{ cat "$lists/oldest.txt"; echo "user32.dll MessageBoxW nowhere"; } >"$work/oldest.txt"
if out=$(bash "$check" "$work/oldest.txt" "$PKG_PACKAGE/Tessaly.exe" 2>&1); then
  fail "an entry without a known source passed"
fi
echo "$out" | grep -q 'source "nowhere"' || fail "the failure does not name the source: $out"
echo "ok: every entry needs a source the list defines"
