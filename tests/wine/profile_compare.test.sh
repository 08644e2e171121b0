#!/usr/bin/env bash
# The profile-file engine answers as the system's GetPrivateProfileStringA does:
# on the tricky cases the program writes itself, and key by key on every INI
# file of the package.
set -euo pipefail
exe="$PKG_BUILD_WIN32/tests/wine/profile_compare.exe"
# The engine is the same in both builds; a kernel without 32-bit support runs the 64-bit one.
[ -n "${PKG_WINE32_MISSING:-}" ] && exe="$PKG_BUILD_WIN64/tests/wine/profile_compare.exe"
if [ ! -f "$exe" ]; then
  echo "profile_compare.exe not built: $exe" >&2
  exit 1
fi
files=()
while IFS= read -r -d '' f; do
  files+=("$(winepath -w "$f" 2>/dev/null)")
done < <(find "$PKG_ROOT/package" -name '*.ini' -print0 | sort -z)
wine "$exe" "${files[@]}"
