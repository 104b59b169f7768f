#!/usr/bin/env bash
# Times orbalux-convert on a synthetic volume (one picture file for every file
# name of the catalogue, every line format, plus a few unlisted names), side by
# side with ImageMagick turning the BMPs that the converter wrote into PNG,
# file by file with two processes, as a user would script it.
#
#   tools/bench-volume.sh            # 5 rounds
#   RUNS=3 BUILD_DIR=build BENCH_DIR=/tmp/bench tools/bench-volume.sh
#   BASELINE_BUILD=../old/build tools/bench-volume.sh   # and an older build's PNG
#
# Each round runs every variant once, in turn, so that the machine's load
# falls on all of them alike; the report gives medians over the rounds.
# BENCH_DIR defaults to a folder in /dev/shm when there is one: a memory file
# system, so that the figures measure the converters rather than the disk.
# The "write_only" line shows what copying the BMP files alone costs there.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
runs=${RUNS:-5}
if [ -z "${BENCH_DIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  BENCH_DIR=/dev/shm/orbalux-bench
fi
base=${BENCH_DIR:-${TMPDIR:-/tmp}/orbalux-bench}

if ! command -v convert >/dev/null; then
  bash "$root/tools/install-deps.sh" imagemagick
fi
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
echo "volume: $files files, $(du -sh "$volume" | cut -f1) in $volume; $runs rounds; $(nproc) cores"

# The variants: name, then the command (run with the output folder as $out).
variants=(png_j1 png_j2 bmp_j1 bmp_j2 png6_j2 write_only magick_p2)
if [ -n "${BASELINE_BUILD:-}" ]; then variants+=(baseline_png_j2); fi
run_variant() {
  local out=$1
  case $2 in
    png_j1)  "$converter" -q --jobs 1 --format png "$volume" -o "$out" ;;
    png_j2)  "$converter" -q --jobs 2 --format png "$volume" -o "$out" ;;
    bmp_j1)  "$converter" -q --jobs 1 --format bmp "$volume" -o "$out" ;;
    bmp_j2)  "$converter" -q --jobs 2 --format bmp "$volume" -o "$out" ;;
    png6_j2) "$converter" -q --jobs 2 --format png --png-level 6 "$volume" -o "$out" ;;
    baseline_png_j2) "$BASELINE_BUILD/cli/orbalux-convert" -q --jobs 2 --format png "$volume" -o "$out" ;;
    write_only)
      mkdir -p "$out"
      cp "$base/bmp"/*.bmp "$out/" ;;
    magick_p2)
      mkdir -p "$out"
      (cd "$base/bmp" && printf '%s\0' *.bmp | xargs -0 -P2 -I{} convert {} "$out/{}.png") ;;
  esac
}

# The BMPs that ImageMagick and the write-only copy start from.
rm -rf "$base/bmp"
"$converter" -q --jobs 2 --format bmp "$volume" -o "$base/bmp"

now() { date +%s.%N; }
declare -A times sizes
for ((round = 1; round <= runs; round++)); do
  line="round $round:"
  for v in "${variants[@]}"; do
    out=$base/out_$v
    rm -rf "$out"
    t0=$(now)
    run_variant "$out" "$v"
    t1=$(now)
    s=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }')
    times[$v]="${times[$v]:-} $s"
    sizes[$v]=$(du -sb "$out" | cut -f1)
    line+=" $v ${s}s"
  done
  echo "$line"
done

median() { tr ' ' '\n' | grep -v '^$' | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
declare -A med
echo
printf '%-11s %9s %10s %12s\n' variant median_s files/s output_MB
for v in "${variants[@]}"; do
  med[$v]=$(echo "${times[$v]}" | median)
  printf '%-11s %9.3f %10.1f %12.1f\n' "$v" "${med[$v]}" \
    "$(awk -v n="$files" -v t="${med[$v]}" 'BEGIN { print n / t }')" \
    "$(awk -v b="${sizes[$v]}" 'BEGIN { print b / 1e6 }')"
done

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", a / b }'; }
echo
echo "PNG, 2 jobs, against ImageMagick with 2 processes: $(ratio "${med[magick_p2]}" "${med[png_j2]}")x faster (target 50x)"
if [ -n "${BASELINE_BUILD:-}" ]; then
  echo "PNG, 2 jobs: $(ratio "${med[baseline_png_j2]}" "${med[png_j2]}")x faster than the baseline build" \
       "($(ratio "${med[magick_p2]}" "${med[baseline_png_j2]}")x ImageMagick), files" \
       "$(awk -v a="${sizes[png_j2]}" -v b="${sizes[baseline_png_j2]}" 'BEGIN { printf "%+.2f%%", 100 * (a - b) / b }') in size"
fi
echo "PNG level 1 against level 6, 2 jobs: $(ratio "${med[png6_j2]}" "${med[png_j2]}")x faster," \
     "files $(awk -v a="${sizes[png_j2]}" -v b="${sizes[png6_j2]}" 'BEGIN { printf "%+.1f%%", 100 * (a - b) / b }') in size"
echo "BMP, 2 jobs: ${med[bmp_j2]} s for the volume (target under 3 s); 2 jobs over 1: $(ratio "${med[bmp_j1]}" "${med[bmp_j2]}")x"
echo "PNG, 2 jobs over 1: $(ratio "${med[png_j1]}" "${med[png_j2]}")x"
