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

# Wall time in ms of a bench_logo case, from its CSV (name,iterations,real_time,cpu_time,...).
ours_ms() {
  awk -F, -v name="\"$1\"" '$1 == name { printf "%.3f", $3 / 1e6 }' "$csv"
}

# ImageMagick's one-thread -bench figure in ms per iteration.
magick_bench_ms() {
  local pic=$1; shift
  "$magick" "$pic" -bench 20 "$@" null: 2>&1 |
    awk '/Performance\[1\]/ { for (i = 1; i <= NF; ++i) if ($i ~ /ips$/) { sub(/ips/, "", $i); printf "%.3f", 1000 / $i } }'
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.1f", a / b; else print "-" }'; }

echo
echo "-- 2. whole processes (median of $runs logotool runs, $magick_runs ImageMagick runs; wall time)"
echo "-- 3. in-process: logotool's conversion (bench_logo, wall) against ImageMagick -bench"
printf '%-7s %-10s | %9s %9s %8s %7s | %9s %9s %7s | %9s %9s %7s\n' \
  picture case "logotool" "magick" "ratio" "RSS KiB" "ours" "magick" ratio "memory" "operator" ratio
printf '%-7s %-10s | %9s %9s %8s %7s | %9s %9s %7s | %9s %9s %7s\n' \
  "" "" "ms/proc" "ms/proc" "" "l / m" "file ms" "-bench" "" "ms" "ms" ""

for depth in 24 8; do
  pic=$work/photo$depth.bmp
  read_ms=$(magick_bench_ms "$pic")
  for case in gray m3 diffuse; do
    case $case in
      gray)    ours=(convert --mode gray)                     ; theirs=(-colorspace Gray)                      ; name=gray ;;
      m3)      ours=(convert --mode mono --halftone m3)       ; theirs=(-colorspace Gray -ordered-dither o8x8) ; name=dither-m3 ;;
      diffuse) ours=(convert --mode mono --halftone diffuse)  ; theirs=(-dither FloydSteinberg -monochrome)    ; name=error-diffuse ;;
    esac
    read -r l_us _ l_rss < <("$spawn" "$runs" "$logotool" "${ours[@]}" "$pic")
    read -r m_us _ m_rss < <("$spawn" "$magick_runs" "$magick" "$pic" "${theirs[@]}" "$work/magick_$case.bmp")
    l_ms=$(awk -v u="$l_us" 'BEGIN { printf "%.3f", u / 1000 }')
    m_ms=$(awk -v u="$m_us" 'BEGIN { printf "%.3f", u / 1000 }')
    file_ms=$(ours_ms "file/$depth-bit/$name")
    mem_ms=$(ours_ms "memory/$depth-bit/$name")
    bench_ms=$(magick_bench_ms "$pic" "${theirs[@]}")
    op_ms=$(awk -v a="$bench_ms" -v b="$read_ms" 'BEGIN { printf "%.3f", a - b }')
    printf '%-7s %-10s | %9s %9s %8s %7s | %9s %9s %7s | %9s %9s %7s\n' \
      "$depth-bit" "$case" "$l_ms" "$m_ms" "$(ratio "$m_ms" "$l_ms")x" "$l_rss/$m_rss" \
      "$file_ms" "$bench_ms" "$(ratio "$bench_ms" "$file_ms")x" \
      "$mem_ms" "$op_ms" "$(ratio "$op_ms" "$mem_ms")x"
  done
  printf '%-7s %-10s   ImageMagick -bench of reading the picture alone: %s ms\n' "$depth-bit" "" "$read_ms"
done
rm -f "$work"/photo*Temp.bmp "$work"/magick_*.bmp
