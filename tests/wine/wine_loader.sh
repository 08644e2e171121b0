# Sourced by tests/wine/run.sh and tools/screenshots/run.sh: makes `wine` (and
# Debian's `wine-stable`, which `wineboot` and `winepath` start) the loader
# this machine can run.
#
# Debian's `wine` starts the 32-bit loader whenever it is installed, and on a
# kernel without 32-bit support that fails with "Exec format error" for every
# program, 64-bit ones included. There the 64-bit loader runs the 64-bit
# programs; a 32-bit program cannot run at all, and starting one is noted in
# the file $PKG_WINE32_SKIPS (one program a line) so that the run reports its
# test as skipped for that reason rather than as failed.
wine_loader_setup() {
  local dir=$1 wine64=/usr/lib/wine/wine64
  mkdir -p "$dir"
  export PKG_WINE32_SKIPS=$dir/wine32-skips
  : >"$PKG_WINE32_SKIPS"
  if /usr/lib/wine/wine --version >/dev/null 2>&1 || [ ! -x "$wine64" ]; then
    unset PKG_WINE32_MISSING
    return
  fi
  export PKG_WINE32_MISSING=1 WINELOADER=$wine64
  mkdir -p "$dir/bin"
  cat >"$dir/bin/wine" <<SCRIPT
#!/bin/sh
# The PE machine field of a program: 014c is i386.
case "\$1" in
  *.exe|*.EXE)
    if [ -f "\$1" ]; then
      at=\$(od -An -tu4 -j60 -N4 "\$1" | tr -d ' ')
      machine=\$(od -An -tx2 -j\$((at + 4)) -N2 "\$1" | tr -d ' ')
      if [ "\$machine" = 014c ]; then
        echo "\$1" >>"$PKG_WINE32_SKIPS"
        echo "wine: \$1 is a 32-bit program, and this machine's kernel runs no 32-bit code" >&2
        exit 126
      fi
    fi ;;
esac
exec $wine64 "\$@"
SCRIPT
  chmod +x "$dir/bin/wine"
  ln -sf wine "$dir/bin/wine-stable"
  export PATH=$dir/bin:$PATH
}
