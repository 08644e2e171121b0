#!/usr/bin/env bash
# Logo conversions on 1024 x 768 pictures (24-bit and 8-bit):
#  1. bench_logo: each conversion in-process, file to file and in memory;
#  2. logotool convert against ImageMagick's comparable command, as whole processes;
#  3. ImageMagick's own in-process timing (-bench) of the same commands, and of the
#     picture read alone, so that its bare operator can be told apart.
# ImageMagick runs on one thread, as logotool does.
set -euo pipefail
root=${PKG_ROOT:-$(cd "$(dirname "$0")/.." && pwd)}
build=${PKG_BUILD_BENCH:-$root/build/bench}
bench_logo=$build/bench/bench_logo
spawn=$build/bench/spawn_timer
logotool=$build/tools/logotool/logotool
magick=/usr/bin/convert   # the real ImageMagick, not a stand-in earlier on PATH
export MAGICK_THREAD_LIMIT=1
runs=${LOGO_BENCH_RUNS:-40}
magick_runs=${LOGO_BENCH_MAGICK_RUNS:-10}

for tool in "$bench_logo" "$spawn" "$logotool" "$magick"; do
  [ -x "$tool" ] || { echo "logo.bench.sh: $tool is missing (build the bench preset first)"; exit 1; }
done

work=$build/logo-bench
mkdir -p "$work"
pic24=$work/photo24.bmp
pic8=$work/photo8.bmp
if [ ! -s "$pic24" ] || [ ! -s "$pic8" ]; then
  # A plasma picture: smooth areas and fine detail. BMP3 keeps the 40-byte
  # information header the logo tools read.
  "$magick" -seed 7 -size 1024x768 plasma:fractal -type TrueColor "BMP3:$pic24"
  # The 8-bit picture is the 24-bit one's gray work bitmap: a 256-entry palette file.
  mv "$("$logotool" convert --mode gray "$pic24")" "$pic8"
fi

echo "-- 1. in-process (Google Benchmark; CPU time is one core's time)"
csv=$work/bench_logo.csv
"$bench_logo" --picture24="$pic24" --picture8="$pic8" --benchmark_min_time=0.5 \
  --benchmark_out="$csv" --benchmark_out_format=csv 2>/dev/null

# Wall and CPU time in ms of a bench_logo case, from its CSV
# (name,iterations,real_time,cpu_time,...).
ours_ms() {
  awk -F, -v name="\"$1\"" '$1 == name { printf "%.3f %.3f\n", $3 / 1e6, $4 / 1e6 }' "$csv"
}

# ImageMagick's one-thread -bench figures: wall and user CPU in ms per iteration.
magick_bench_ms() {
  local pic=$1; shift
  "$magick" "$pic" -bench 20 "$@" null: 2>&1 | awk '/Performance\[1\]/ {
      for (i = 1; i <= NF; ++i) {
        if ($i ~ /ips$/) { v = $i; sub(/ips/, "", v); wall = 1000 / v }
        if ($i ~ /u$/ && $i !~ /ips$/) { v = $i; sub(/u/, "", v); cpu = v * 1000 / 20 }
      }
      printf "%.3f %.3f\n", wall, cpu }'
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.1fx", a / b; else print "-" }'; }
ms() { awk -v u="$1" 'BEGIN { printf "%.3f", u / 1000 }'; }
minus() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a - b }'; }

# Every mode of the page, each against ImageMagick's nearest operation: a threshold
# for "None", an 8x8 and a 16x16 ordered dither for "Dither M3" and "Dither M4".
cases="gray none m3 m4 diffuse"
command_of() {
  case $1 in
    gray)    ours=(convert --mode gray)                    ; theirs=(-colorspace Gray)                         ; name=gray ;;
    none)    ours=(convert --mode mono --halftone none)    ; theirs=(-colorspace Gray -threshold 50%)          ; name=none ;;
    m3)      ours=(convert --mode mono --halftone m3)      ; theirs=(-colorspace Gray -ordered-dither o8x8)    ; name=dither-m3 ;;
    m4)      ours=(convert --mode mono --halftone m4)      ; theirs=(-colorspace Gray -ordered-dither h16x16o) ; name=dither-m4 ;;
    diffuse) ours=(convert --mode mono --halftone diffuse) ; theirs=(-dither FloydSteinberg -monochrome)       ; name=error-diffuse ;;
  esac
}

echo
echo "-- 2. whole processes: median of $runs logotool and $magick_runs ImageMagick runs"
echo "   (wall time, and processor time, user + system, which a busy machine does not inflate;"
echo "   the goal is logotool at least 20x faster than ImageMagick in every row)"
printf '%-7s %-8s | %9s %9s %7s | %9s %9s %7s | %13s\n' picture case \
  "logotool" "magick" "ratio" "logotool" "magick" "ratio" "max RSS KiB"
printf '%-7s %-8s | %9s %9s %7s | %9s %9s %7s | %13s\n' "" "" \
  "wall ms" "wall ms" "" "cpu ms" "cpu ms" "" "ours/magick"
for depth in 24 8; do
  pic=$work/photo$depth.bmp
  for case in $cases; do
    command_of "$case"
    read -r l_wall _ l_rss l_cpu < <("$spawn" "$runs" "$logotool" "${ours[@]}" "$pic")
    read -r m_wall _ m_rss m_cpu < <("$spawn" "$magick_runs" "$magick" "$pic" "${theirs[@]}" "$work/magick_$case.bmp")
    printf '%-7s %-8s | %9s %9s %7s | %9s %9s %7s | %13s\n' "$depth-bit" "$case" \
      "$(ms "$l_wall")" "$(ms "$m_wall")" "$(ratio "$m_wall" "$l_wall")" \
      "$(ms "$l_cpu")" "$(ms "$m_cpu")" "$(ratio "$m_cpu" "$l_cpu")" "$l_rss/$m_rss"
  done
done

echo
echo "-- 3. in-process: ImageMagick -bench (one thread) against bench_logo"
echo "   command: whole command (read picture, operator, write to null:) against our file-to-file conversion"
echo "   operator: -bench of the command less -bench of reading alone, against our conversion in memory"
printf '%-7s %-8s | %9s %9s %7s %9s %9s %7s | %9s %9s %7s %9s %9s %7s\n' picture case \
  "magick" "ours" "ratio" "magick" "ours" "ratio" "magick" "ours" "ratio" "magick" "ours" "ratio"
printf '%-7s %-8s | %9s %9s %7s %9s %9s %7s | %9s %9s %7s %9s %9s %7s\n' "" "" \
  "cmd wall" "file wall" "" "cmd cpu" "file cpu" "" "op wall" "mem wall" "" "op cpu" "mem cpu" ""
for depth in 24 8; do
  pic=$work/photo$depth.bmp
  read -r read_wall read_cpu < <(magick_bench_ms "$pic")
  for case in $cases; do
    command_of "$case"
    read -r b_wall b_cpu < <(magick_bench_ms "$pic" "${theirs[@]}")
    read -r f_wall f_cpu < <(ours_ms "file/$depth-bit/$name")
    read -r k_wall k_cpu < <(ours_ms "memory/$depth-bit/$name")
    o_wall=$(minus "$b_wall" "$read_wall")
    o_cpu=$(minus "$b_cpu" "$read_cpu")
    printf '%-7s %-8s | %9s %9s %7s %9s %9s %7s | %9s %9s %7s %9s %9s %7s\n' "$depth-bit" "$case" \
      "$b_wall" "$f_wall" "$(ratio "$b_wall" "$f_wall")" "$b_cpu" "$f_cpu" "$(ratio "$b_cpu" "$f_cpu")" \
      "$o_wall" "$k_wall" "$(ratio "$o_wall" "$k_wall")" "$o_cpu" "$k_cpu" "$(ratio "$o_cpu" "$k_cpu")"
  done
  echo "        ImageMagick -bench of reading the $depth-bit picture alone: $read_wall ms wall, $read_cpu ms cpu"
done
echo "   (ImageMagick's cpu is user time only, to 10 ms per 20 iterations; ours includes system time)"
rm -f "$work"/photo*Temp.bmp "$work"/magick_*.bmp
