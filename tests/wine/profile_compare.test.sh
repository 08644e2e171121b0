#!/usr/bin/env bash
# needs: 32-bit Windows programs
# The profile-file engine answers as the system's GetPrivateProfileStringA does:
# on the tricky cases the program writes itself, and key by key on every INI
# file of the package.
set -euo pipefail
exe="$PKG_BUILD_WIN32/tests/wine/profile_compare.exe"
if [ ! -f "$exe" ]; then
  echo "profile_compare.exe not built: $exe" >&2
  exit 1
fi
files=()
while IFS= read -r -d '' f; do
  files+=("$(winepath -w "$f" 2>/dev/null)")
done < <(find "$PKG_ROOT/package" -name '*.ini' -print0 | sort -z)
wine "$exe" "${files[@]}"
