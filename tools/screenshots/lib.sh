# Shared helpers of the screenshot scripts (sourced).
. "$PKG_ROOT/tests/wine/lib.sh"

# shoot TITLE NAME: waits for the top-level window titled TITLE and saves it as
# docs/screenshots/NAME.png.
shoot() {
  local rect
  rect=$(winprobe rect "$1" 30 2>/dev/null) || rect=$(x_rect "$1" 30) ||
    { echo "no window titled \"$1\""; return 1; }
  sleep 1 # let it finish drawing
  read -r x y w h <<<"$rect"
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$PKG_SHOTS/$2.png" ||
    return 1
  echo "  $2.png"
}

# x_rect TITLE SECONDS: the window's rectangle as X sees it, for machines where the
# 32-bit winprobe cannot start.
x_rect() {
  local i info
  for ((i = 0; i < $2; i++)); do
    if info=$(xwininfo -name "$1" 2>/dev/null); then
      echo "$info" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                          /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}'
      return 0
    fi
    sleep 1
  done
  return 1
}

# copy_editions WORK: copies of the English package in WORK/package and of the
# Chinese edition in WORK/package-zh (the package build's, or the English one
# with the Chinese language files and LANGUAGE=0).
copy_editions() {
  mkdir -p "$1/package"
  cp -r "$PKG_PACKAGE"/. "$1/package"/
  mkdir -p "$1/package-zh"
  if [ -d "$PKG_PACKAGE_ZH" ]; then
    cp -r "$PKG_PACKAGE_ZH"/. "$1/package-zh"/
  else
    cp -r "$PKG_PACKAGE"/. "$1/package-zh"/
    cp "$PKG_ROOT"/package/language-zh/*.ini "$1/package-zh/language/"
    sed -i 's/^LANGUAGE=.*/LANGUAGE=0\r/' "$1/package-zh/DRVCONFIG/setup.ini"
  fi
}
