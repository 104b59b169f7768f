#!/usr/bin/env bash
# Times orbalux-convert --movie on the synthetic volume (about 400 pictures of
# every line format, see bench/volume.sh) at 10 frames a second and the
# pictures' own size, in each movie format: GIF, MP4 (H.264) and WebM (VP9).
#
#   bench/movie.sh            # 3 rounds
#   RUNS=5 BUILD_DIR=build BENCH_DIR=/tmp/bench bench/movie.sh
#
# The rounds, the medians and the build (build-bench/ unless BUILD_DIR names
# one) are bench/timing.sh's; the report gives, beside the
# medians, the frames each movie holds (read back by ffprobe when it is installed) and its
# size. The target: the WebM in under 60 s on two cores.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/bench/timing.sh"
runs=${RUNS:-3}
base=$(bench_base orbalux-bench)

bench_build_targets orbalux-convert orbalux-make-volume
build=$bench_build
converter=$build/cli/orbalux-convert

volume=$base/volume
mkdir -p "$base"
bench_volume "$volume" "$build/bench/orbalux-make-volume"
files=$(find "$volume" -maxdepth 1 -type f | wc -l)
echo "volume: $files files in $volume; $runs rounds; $(nproc) cores; 10 fps"

formats=(gif mp4 webm)
run_variant() { "$converter" -q --fps 10 --movie "$base/movie.$1" "$volume" 2>/dev/null; }
declare -A sizes
bench_before() { rm -f "$base/movie.$1"; }
bench_after() { sizes[$1]=$(stat -c %s "$base/movie.$1"); }
bench_rounds "$runs" "${formats[@]}"
med() { echo "${bench_median[$1]}"; }

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
for f in "${formats[@]}"; do
  printf '%-6s %9.2f %10.1f %10.1f  %s\n' "$f" "$(med "$f")" \
    "$(awk -v n="$files" -v t="$(med "$f")" 'BEGIN { print n / t }')" \
    "$(awk -v b="${sizes[$f]}" 'BEGIN { print b / 1e6 }')" "$(frames "$base/movie.$f")"
done
echo
echo "WebM at 10 fps: $(med webm) s for the volume (target under 60 s)"
