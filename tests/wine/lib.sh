# Shared helpers of the Wine test scripts (sourced).

# The value of KEY in [SECTION] of an INI file, blanks trimmed.
ini_value() {
  awk -v section="$2" -v key="$3" '
    BEGIN { IGNORECASE = 1 }
    /^\[/ { gsub(/\r/, ""); in_section = (tolower($0) == "[" tolower(section) "]"); next }
    in_section {
      line = $0; gsub(/\r/, "", line)
      eq = index(line, "=")
      if (eq > 0) {
        k = substr(line, 1, eq - 1); gsub(/^[ \t]+|[ \t]+$/, "", k)
        if (tolower(k) == tolower(key)) { v = substr(line, eq + 1); gsub(/^[ \t]+|[ \t]+$/, "", v); print v; exit }
      }
    }' "$1"
}

# The 64-bit build where this machine runs no 32-bit programs (wine_loader.sh).
winprobe() {
  if [ -n "${PKG_WINE32_MISSING:-}" ]; then
    wine "$PKG_BUILD_WIN64/tests/wine/winprobe.exe" "$@"
  else
    wine "$PKG_BUILD_WIN32/tests/wine/winprobe.exe" "$@"
  fi
}

# The spooler's printers and drivers (printers_probe.cpp), from the build this
# machine can run.
printers_probe() {
  if [ -n "${PKG_WINE32_MISSING:-}" ]; then
    wine "$PKG_BUILD_WIN64/tests/wine/printers_probe.exe" "$@"
  else
    wine "$PKG_BUILD_WIN32/tests/wine/printers_probe.exe" "$@"
  fi
}

# test_build_into PACKAGE FOLDER PROGRAM: where this machine runs no 32-bit
# programs, the 64-bit build of PROGRAM (the same program, built for the tests
# in build/win64/FOLDER) takes the package's place.
test_build_into() {
  if [ -n "${PKG_WINE32_MISSING:-}" ]; then
    cp "$PKG_BUILD_WIN64/$2/$3" "$1/$3"
    echo "WINE: no 32-bit programs run here; the 64-bit build of $3 runs instead"
  fi
}
uninstall_into() { test_build_into "$1" uninstall Uninstall.exe; }
tessaly_into() { test_build_into "$1" setup Tessaly.exe; }

# The stand-in of the maker's USB library with one printer attached, for the
# build of Tessaly.exe that runs here.
usb_library_into() {
  if [ -n "${PKG_WINE32_MISSING:-}" ]; then
    cp "$PKG_BUILD_WIN64/tests/wine/kvusbint_x64/KvUsbInt.dll" "$1/"
  else
    cp "$PKG_BUILD_WIN32/tests/wine/kvusbint_stdcall/KvUsbInt.dll" "$1/"
  fi
}

# Windows 7 keeps the universal printer driver the package's drivers build on
# in its driver store; Wine has none, so lay stand-ins where Windows keeps them
# (the setup copies them; the spooler registers them with the driver).
universal_driver_standins() {
  local store="$WINEPREFIX/drive_c/windows/system32/DriverStore/FileRepository/ntprint.inf_amd64_neutral_0" f
  mkdir -p "$store/Amd64" "$store/I386"
  for f in unidrvui.dll unidrv.dll unires.dll unidrv.hlp stdnames.gpd ttfsub.gpd; do
    echo "stand-in of the universal printer driver's $f" >"$store/Amd64/$f"
    cp "$store/Amd64/$f" "$store/I386/$f"
  done
  echo "; ntprint.inf (stand-in)" >"$store/ntprint.inf"
}

fail() { echo "FAIL: $*"; exit 1; }

# The Windows name of a Unix path, through Wine's Z: drive.
win_path() { echo "Z:${1//\//\\}"; }

# `wine` starts its 32-bit loader first; a machine whose kernel runs no 32-bit
# programs (that loader fails with "Exec format error") still runs 64-bit ones
# with the 64-bit loader. wine_64 runs a 64-bit program either way.
can_run_32bit() { wine cmd /c exit >/dev/null 2>&1; }
wine_64() {
  if can_run_32bit; then
    wine "$@"
  else
    local loader
    loader=$(command -v wine64 || echo /usr/lib/wine/wine64)
    WINELOADER=$loader "$loader" "$@"
  fi
}
# A 64-bit program under Wine. The `wine` loader is the 32-bit one, which a kernel
# without 32-bit support cannot start at all; the 64-bit loader is then taken directly.
wine64_run() {
  if [ -x /usr/lib/wine/wine64 ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64 "$@"
  else
    wine "$@"
  fi
}

# make_download_logos DIR: the logos the Download page tests and screenshots use,
# made with ImageMagick as users make them (the colour one with its default
# 124-byte information header), and a small firmware file.
make_download_logos() {
  mkdir -p "$1"
  convert -size 200x120 gradient:'#fff2a0-#4aa0ff' -fill '#203060' -draw 'circle 100,60 100,18' \
    -fill '#e04040' -draw 'rectangle 66,50 134,70' -type TrueColor "$1/logo24.bmp" &&
  convert -size 160x96 radial-gradient:white-black -colorspace Gray -type Palette -compress None \
    "BMP3:$1/logo8.bmp" &&
  convert -size 120x80 xc:white -fill black -draw 'circle 60,40 60,8' -draw 'rectangle 4,4 30,76' \
    -monochrome -compress None "$1/logo1.bmp" &&
  head -c 3000 /dev/urandom >"$1/firmware.JK"
}
