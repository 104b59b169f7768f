#!/usr/bin/env bash
# Times orbalux-convert --movie on the synthetic volume (about 400 pictures of
# every line format, see tools/bench-volume.sh) at 10 frames a second and the
# pictures' own size, in each movie format: GIF, MP4 (H.264) and WebM (VP9).
#
#   tools/bench-movie.sh            # 3 rounds
#   RUNS=5 BUILD_DIR=build BENCH_DIR=/tmp/bench tools/bench-movie.sh
#
# Each round writes every format once, in turn, so that the machine's load
# falls on all of them alike; the report gives medians over the rounds, the
# frames each movie holds (read back by ffprobe when it is installed) and its
# size. The target: the WebM in under 60 s on two cores.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
runs=${RUNS:-3}
if [ -z "${BENCH_DIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  BENCH_DIR=/dev/shm/orbalux-bench
fi
base=${BENCH_DIR:-${TMPDIR:-/tmp}/orbalux-bench}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DORBALUX_BUILD_TOOLS=ON >/dev/null
cmake --build "$build" -j2 --target orbalux-convert orbalux-make-volume >/dev/null
converter=$build/cli/orbalux-convert

volume=$base/volume
mkdir -p "$base"
if [ "$(find "$volume" -maxdepth 1 -type f 2>/dev/null | wc -l)" -lt 400 ]; then
  rm -rf "$volume"
  "$build/cli/orbalux-make-volume" "$volume"
fi
files=$(find "$volume" -maxdepth 1 -type f | wc -l)
echo "volume: $files files in $volume; $runs rounds; $(nproc) cores; 10 fps"

formats=(gif mp4 webm)
now() { date +%s.%N; }
declare -A times sizes
for ((round = 1; round <= runs; round++)); do
  line="round $round:"
  for f in "${formats[@]}"; do
    out=$base/movie.$f
    rm -f "$out"
    t0=$(now)
    "$converter" -q --fps 10 --movie "$out" "$volume" 2>/dev/null
    t1=$(now)
    s=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.2f", b - a }')
    times[$f]="${times[$f]:-} $s"
    sizes[$f]=$(stat -c %s "$out")
    line+=" $f ${s}s"
  done
  echo "$line"
done

median() { tr ' ' '\n' | grep -v '^$' | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
frames() {
  if command -v ffprobe >/dev/null; then
    ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames,width,height \
      -of csv=p=0 "$1" | awk -F, '{ printf "%s x %s, %s frames", $1, $2, $3 }'
  else
    echo "-"
  fi
}
echo
printf '%-6s %9s %10s %10s  %s\n' format median_s frames/s size_MB picture
declare -A med
for f in "${formats[@]}"; do
  med[$f]=$(echo "${times[$f]}" | median)
  printf '%-6s %9.2f %10.1f %10.1f  %s\n' "$f" "${med[$f]}" \
    "$(awk -v n="$files" -v t="${med[$f]}" 'BEGIN { print n / t }')" \
    "$(awk -v b="${sizes[$f]}" 'BEGIN { print b / 1e6 }')" "$(frames "$base/movie.$f")"
done
echo
echo "WebM at 10 fps: ${med[webm]} s for the volume (target under 60 s)"
