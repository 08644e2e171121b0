# Shared helpers of the screenshot scripts (sourced).
. "$PKG_ROOT/tests/wine/lib.sh"

# shoot TITLE NAME: waits for the top-level window titled TITLE and saves it as
# docs/screenshots/NAME.png.
shoot() {
  local rect
  rect=$(winprobe rect "$1" 30) || { echo "no window titled \"$1\""; return 1; }
  sleep 1 # let it finish drawing
  read -r x y w h <<<"$rect"
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$PKG_SHOTS/$2.png" ||
    return 1
  echo "  $2.png"
}
