#!/usr/bin/env bash
# The profile-file engine answers as the system's GetPrivateProfileStringA does.
set -euo pipefail
exe="$PKG_BUILD_WIN32/tests/wine/profile_compare.exe"
if [ ! -f "$exe" ]; then
  echo "profile_compare.exe not built: $exe" >&2
  exit 1
fi
wine "$exe"
