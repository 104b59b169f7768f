#!/usr/bin/env bash
# Times orbalux-convert on a synthetic volume (one picture file for every file
# name of the catalogue, every line format, plus a few unlisted names), side by
# side with ImageMagick turning the BMPs that the converter wrote into PNG,
# file by file with two processes, as a user would script it.
#
#   bench/volume.sh            # 5 rounds
#   RUNS=3 BUILD_DIR=build BENCH_DIR=/tmp/bench bench/volume.sh   # a build of your own
#   BASELINE_BUILD=../old/build bench/volume.sh   # and an older build's PNG
#
# The rounds, the medians and the build (build-bench/ unless BUILD_DIR names
# one) are bench/timing.sh's; BENCH_DIR defaults to a folder in /dev/shm when
# there is one. Without ImageMagick (package imagemagick) its variant is left
# out. The "write_only" line shows what copying the BMP files alone costs there.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/bench/timing.sh"
runs=${RUNS:-5}
base=$(bench_base orbalux-bench)

bench_build_targets orbalux-convert orbalux-make-volume
build=$bench_build
converter=$build/cli/orbalux-convert

volume=$base/volume
mkdir -p "$base"
bench_volume "$volume" "$build/bench/orbalux-make-volume"
files=$(find "$volume" -maxdepth 1 -type f | wc -l)
echo "volume: $files files, $(du -sh "$volume" | cut -f1) in $volume; $runs rounds; $(nproc) cores"

# The variants, each writing into its own output folder.
variants=(png_j1 png_j2 bmp_j1 bmp_j2 png6_j2 write_only)
if command -v convert >/dev/null; then
  variants+=(magick_p2)
else
  echo "ImageMagick's convert not found: the magick_p2 variant is left out (install the imagemagick package for it)"
fi
if [ -n "${BASELINE_BUILD:-}" ]; then variants+=(baseline_png_j2); fi
run_variant() {
  local out=$base/out_$1
  case $1 in
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

declare -A sizes
bench_before() { rm -rf "$base/out_$1"; }
bench_after() { sizes[$1]=$(du -sb "$base/out_$1" | cut -f1); }
bench_rounds "$runs" "${variants[@]}"
med() { echo "${bench_median[$1]}"; }
ratio() { bench_ratio "$(med "$1")" "$(med "$2")" 1; }

echo
printf '%-11s %9s %10s %12s\n' variant median_s files/s output_MB
for v in "${variants[@]}"; do
  printf '%-11s %9.3f %10.1f %12.1f\n' "$v" "$(med "$v")" \
    "$(awk -v n="$files" -v t="$(med "$v")" 'BEGIN { print n / t }')" \
    "$(awk -v b="${sizes[$v]}" 'BEGIN { print b / 1e6 }')"
done

echo
if [ -n "${sizes[magick_p2]:-}" ]; then
  echo "PNG, 2 jobs, against ImageMagick with 2 processes: $(ratio magick_p2 png_j2)x faster (target 50x)"
fi
if [ -n "${BASELINE_BUILD:-}" ]; then
  echo "PNG, 2 jobs: $(ratio baseline_png_j2 png_j2)x faster than the baseline build, files" \
       "$(awk -v a="${sizes[png_j2]}" -v b="${sizes[baseline_png_j2]}" 'BEGIN { printf "%+.2f%%", 100 * (a - b) / b }') in size"
fi
echo "PNG level 1 against level 6, 2 jobs: $(ratio png6_j2 png_j2)x faster," \
     "files $(awk -v a="${sizes[png_j2]}" -v b="${sizes[png6_j2]}" 'BEGIN { printf "%+.1f%%", 100 * (a - b) / b }') in size"
echo "BMP, 2 jobs: $(med bmp_j2) s for the volume (target under 3 s); 2 jobs over 1: $(ratio bmp_j1 bmp_j2)x"
echo "PNG, 2 jobs over 1: $(ratio png_j1 png_j2)x"
