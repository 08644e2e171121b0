#!/usr/bin/env bash
# Assembles the package tree in out/package from the data in package/, the
# placeholders and programs of the win32 and win64 builds, then checks every
# binary in it: the right machine type for its folder, no imports but Windows
# system DLLs, and for the package's programs every imported function against
# the allow-list of the oldest Windows they start on (tools/imports/). Prints a
# short summary.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/out/package
w32=$root/build/win32
w64=$root/build/win64
rm -rf "$out"
mkdir -p "$out"

# The package's data: everything in package/ but its sources and notes.
(cd "$root/package" && find . -type f \
   ! -name 'README.md' ! -name 'CMakeLists.txt' ! -name '*.cmake' ! -name '*.rc' \
   ! -name '*.c' ! -name '*.cpp' ! -name '*.h' ! -path './language-zh/*' ! -path './placeholders/*' \
   -print0) | while IFS= read -r -d '' f; do
  mkdir -p "$out/$(dirname "$f")"
  cp "$root/package/$f" "$out/$f"
done

# Placeholders for the driver-set files that come from outside, by bitness.
# (The folder is also the package/ folder's build folder: leave CMake's own files.)
for build in "$w32" "$w64"; do
  [ -d "$build/package" ] || continue
  (cd "$build/package" && find . -path ./CMakeFiles -prune -o -path ./placeholders -prune -o \
     -type f ! -name '*.cmake' ! -name 'CMakeCache.txt' -print0) | while IFS= read -r -d '' f; do
    mkdir -p "$out/$(dirname "$f")"
    cp "$build/package/$f" "$out/$f"
  done
done

missing=0
place() {  # place <built file> <folder in the package>
  if [ -f "$1" ]; then
    mkdir -p "$out/$2"
    cp "$1" "$out/$2/"
  else
    echo "package: missing $1" >&2
    missing=1
  fi
}
place "$w32/setup/Tessaly.exe" .
place "$w32/uninstall/Uninstall.exe" .
place "$w32/usbinstall/Install.exe" USBDRV/USBDriver
place "$w64/usbinstall/Install.exe" USBDRV/USBDriver_x64
place "$w64/oemui/57KXUI.dll" W64
place "$w32/tools/logotool/logotool.exe" tools
place "$w32/tools/barcodetool/barcodetool.exe" tools
[ "$missing" -eq 0 ] || { echo "package: incomplete build" >&2; exit 1; }

# Every binary: machine type by folder, imports from Windows system DLLs only.
allowed='^(kernel32|user32|gdi32|advapi32|shell32|comctl32|comdlg32|winspool\.drv|setupapi|newdev|version|ole32|oleaut32|shlwapi|msvcrt|ntdll|ws2_32|imm32|uxtheme)(\.dll)?$'
bad=0
binaries=0
listed=0
placeholders=0
while IFS= read -r -d '' f; do
  rel=${f#"$out"/}
  # Driver files that come from outside may be plain placeholders, not programs.
  if [ "$(head -c 2 "$f")" != "MZ" ]; then
    placeholders=$((placeholders + 1)); continue
  fi
  case "$rel" in
    W64/*|*/USBDriver_x64/*) want=pei-x86-64; objdump=x86_64-w64-mingw32-objdump ;;
    *) want=pei-i386; objdump=i686-w64-mingw32-objdump ;;
  esac
  format=$($objdump -f "$f" 2>/dev/null | sed -n 's/.*file format \(.*\)/\1/p')
  if [ "$format" != "$want" ]; then
    echo "package: $rel is '$format', expected $want" >&2; bad=1; continue
  fi
  while read -r dll; do
    if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then
      echo "package: $rel imports $dll, which is not a Windows system DLL" >&2; bad=1
    fi
  done < <($objdump -p "$f" | sed -n 's/^\s*DLL Name: //p')
  list=$(awk -v name="$(basename "$f")" '!/^#/ && tolower($1) == tolower(name) { print $2 }' \
           "$root/tools/imports/programs.txt")
  if [ -n "$list" ]; then
    bash "$root/tools/check_imports.sh" "$root/tools/imports/$list" "$f" "$objdump" || bad=1
    listed=$((listed + 1))
  fi
  binaries=$((binaries + 1))
done < <(find "$out" -type f \( -iname '*.exe' -o -iname '*.dll' -o -iname '*.sys' -o -iname '*.drv' \) -print0)
[ "$bad" -eq 0 ] || { echo "package: binary check failed" >&2; exit 1; }

echo "== package: out/package"
(cd "$out" && for d in . DRVCONFIG language W32 W64 USBDRV/USBDriver USBDRV/USBDriver_x64 tools; do
  [ -d "$d" ] || continue
  n=$(find "$d" -maxdepth 1 -type f | wc -l)
  printf '  %-22s %3d files\n' "$d" "$n"
done)
echo "  $binaries binaries checked: machine types right, only Windows system DLLs imported"
echo "  $listed programs' imported functions all on their lists in tools/imports/"
[ "$placeholders" -eq 0 ] || echo "  $placeholders driver files are plain placeholders (not programs)"
echo "  total $(du -sh "$out" | cut -f1)"

# The Chinese edition beside it: the same files with the Chinese language files
# (code page 936) and the package switched to the Chinese dialog font.
zh=$root/out/package-zh
rm -rf "$zh"
cp -r "$out" "$zh"
cp "$root/package/language-zh/"* "$zh/language/"
sed -i 's/^LANGUAGE=[^\r]*/LANGUAGE=0/' "$zh/DRVCONFIG/setup.ini"
grep -q '^LANGUAGE=0' "$zh/DRVCONFIG/setup.ini" || { echo "package: no LANGUAGE key to switch" >&2; exit 1; }
echo "== package: out/package-zh, the Chinese edition (language files, LANGUAGE=0)"
