# Chooses how `wine` starts programs (sourced). PKG_WINE32 is 1 when the
# machine runs 32-bit Wine; otherwise `wine` becomes the 64-bit loader, which
# runs 64-bit Windows programs and the prefix's own tools.
if /usr/lib/wine/wine --version >/dev/null 2>&1 || ! [ -x /usr/lib/wine/wine64 ]; then
  export PKG_WINE32=1
else
  export PKG_WINE32=0
  shim=$(mktemp -d "${TMPDIR:-/tmp}/wine64-shim.XXXXXX")
  cat >"$shim/wine" <<'SHIM'
#!/bin/sh
WINELOADER=/usr/lib/wine/wine64 exec /usr/lib/wine/wine64 "$@"
SHIM
  chmod +x "$shim/wine"
  # wineboot and the other tools start their programs through wine-stable.
  cp "$shim/wine" "$shim/wine-stable"
  export PATH="$shim:$PATH"
fi
