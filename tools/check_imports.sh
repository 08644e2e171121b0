#!/usr/bin/env bash
# check_imports.sh LIST PE [OBJDUMP]
# Holds one program's import table against an allow-list (tools/imports/):
# every function it imports by name must be listed with the source of the fact
# that the oldest Windows the program starts on exports it, and the program's
# PE subsystem version must be one that Windows' loader accepts there. Prints
# one line per import outside the list and exits 1 when there is any.
#
# List syntax, one statement per line (# starts a comment):
#   source TAG TEXT...       where the facts marked TAG come from
#   subsystem MACHINE X.Y    the highest subsystem version the oldest loader of that
#                            machine type (i386, x86-64) takes
#   include FILE             the entries of another list (beside this one)
#   DLL FUNCTION TAG         FUNCTION may be imported from DLL (case-blind) by name
set -euo pipefail
list=$1
pe=$2
objdump=${3:-}
if [ -z "$objdump" ]; then
  objdump=i686-w64-mingw32-objdump
  $objdump -f "$pe" >/dev/null 2>&1 || objdump=x86_64-w64-mingw32-objdump
fi

# The list with its includes, as "path:line: statement" lines.
expand() {
  local file=$1 n=0 line
  [ -f "$file" ] || { echo "$file: no such import list" >&2; return 1; }
  while IFS= read -r line || [ -n "$line" ]; do
    n=$((n + 1))
    line=${line%%#*}
    line=$(echo "$line" | tr -s ' \t\r' ' ' | sed 's/^ //; s/ $//')
    [ -n "$line" ] || continue
    if [[ $line == include\ * ]]; then
      expand "$(dirname "$file")/${line#include }" || return 1
    else
      echo "$file:$n: $line"
    fi
  done <"$file"
}

statements=$(expand "$list")
imports=$($objdump -p "$pe" | awk '
  /^The / { inImports = /^The Import Tables/; dll = ""; next }
  !inImports { next }
  /^[ \t]*DLL Name:/ { dll = $3; next }
  dll != "" && /^\t[0-9a-f]+\t/ { print tolower(dll) "!" ($3 == "<none>" ? "ordinal " $2 : $3) }')
subsystem=$($objdump -p "$pe" | awk '/^MajorSubsystemVersion/ { major = $2 } /^MinorSubsystemVersion/ { minor = $2 } END { print major "." minor }')
machine=$($objdump -f "$pe" | sed -n 's/.*file format pei-//p')

echo "$statements" | awk -v pe="$(basename "$pe")" -v listname="$(realpath --relative-to="$(dirname "$0")/.." "$list")" -v subsystem="$subsystem" -v machine="$machine" -v imports="$imports" '
  function fail(text) { print "package: " text > "/dev/stderr"; bad = 1 }
  function version(v,   p) { split(v, p, "."); return p[1] * 1000 + p[2] }
  {
    where = $1; kind = $2
    if (kind == "source") { sources[$3] = 1; next }
    if (kind == "subsystem") { highest[$3] = $4; next }
    if (NF != 4) { fail(where " is not \"DLL FUNCTION SOURCE\""); next }
    entry[tolower($2) "!" $3] = 1
    used[$4] = used[$4] where " "
  }
  END {
    for (tag in used)
      if (!(tag in sources)) fail(used[tag] "cite source \"" tag "\", which the list does not define")
    if (!(machine in highest))
      fail(listname " gives no subsystem version for " machine " programs like " pe)
    else if (version(subsystem) > version(highest[machine]))
      fail(pe " has subsystem version " subsystem "; the oldest loader it must start on takes " highest[machine] " at most")
    n = split(imports, lines, "\n")
    for (i = 1; i <= n; i++) {
      if (lines[i] == "") continue
      if (!(lines[i] in entry)) {
        split(lines[i], part, "!")
        fail(pe " imports " part[2] " from " part[1] ", which " listname " does not list: look it up at run time, or list it with its source")
      }
    }
    exit bad
  }'
