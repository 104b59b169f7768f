#!/usr/bin/env bash
# Times gdal_translate with the MARINER67 plugin turning a whole synthetic
# volume into GeoTIFF, side by side with orbalux-convert writing PNG from the
# same files, with one and with two processes at a time; and, for GDAL's own
# cost of a run, gdal_translate turning the converter's PNGs of the same
# pictures into GeoTIFF with GDAL's PNG driver.
#
#   bench/gdal.sh            # 5 rounds
#   RUNS=3 BUILD_DIR=build BENCH_DIR=/tmp/bench bench/gdal.sh
#
# The rounds, the medians and the build (build-bench/ unless BUILD_DIR names
# one) are bench/timing.sh's; BENCH_DIR defaults to a folder in /dev/shm when
# there is one.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/bench/timing.sh"
runs=${RUNS:-5}
base=$(bench_base orbalux-bench-gdal)

bench_build_targets orbalux-convert orbalux-make-volume gdal_MARINER67
build=$bench_build
converter=$build/cli/orbalux-convert
export GDAL_DRIVER_PATH=$build/gdal

volume=$base/volume
mkdir -p "$base"
bench_volume "$volume" "$build/bench/orbalux-make-volume"
files=$(find "$volume" -maxdepth 1 -type f | wc -l)
echo "volume: $files files, $(du -sh "$volume" | cut -f1) in $volume; $runs rounds; $(nproc) cores"

variants=(convert_png_j1 gdal_tiff_p1 gdal_png_tiff_p1 convert_png_j2 gdal_tiff_p2)
run_variant() {
  local out=$base/out_$1
  case $1 in
    convert_png_j1) "$converter" -q --jobs 1 --format png "$volume" -o "$out" ;;
    convert_png_j2) "$converter" -q --jobs 2 --format png "$volume" -o "$out" ;;
    gdal_tiff_p1)
      mkdir -p "$out"
      (cd "$volume" && printf '%s\0' * | xargs -0 -P1 -I{} gdal_translate -q -of GTiff {} "$out/{}.tif") ;;
    gdal_png_tiff_p1)
      mkdir -p "$out"
      (cd "$base/out_convert_png_j1" && printf '%s\0' *.png | xargs -0 -P1 -I{} gdal_translate -q -of GTiff {} "$out/{}.tif") ;;
    gdal_tiff_p2)
      mkdir -p "$out"
      (cd "$volume" && printf '%s\0' * | xargs -0 -P2 -I{} gdal_translate -q -of GTiff {} "$out/{}.tif") ;;
  esac
}

declare -A sizes counts
bench_before() { rm -rf "$base/out_$1"; }
bench_after() {
  sizes[$1]=$(du -sb "$base/out_$1" | cut -f1)
  counts[$1]=$(find "$base/out_$1" -type f | wc -l)
}
bench_rounds "$runs" "${variants[@]}"
med() { echo "${bench_median[$1]}"; }
ratio() { bench_ratio "$(med "$1")" "$(med "$2")"; }

echo
printf '%-15s %9s %10s %7s %10s\n' variant median_s files/s outputs output_MB
for v in "${variants[@]}"; do
  printf '%-15s %9.3f %10.1f %7d %10.1f\n' "$v" "$(med "$v")" \
    "$(awk -v n="$files" -v t="$(med "$v")" 'BEGIN { print n / t }')" "${counts[$v]}" \
    "$(awk -v b="${sizes[$v]}" 'BEGIN { print b / 1e6 }')"
done

echo
echo "gdal_translate to GeoTIFF over orbalux-convert to PNG, one at a time: $(ratio gdal_tiff_p1 convert_png_j1)x the time"
echo "the same, two at a time: $(ratio gdal_tiff_p2 convert_png_j2)x the time"
echo "gdal_translate from the picture files over from their PNGs, one at a time: $(ratio gdal_tiff_p1 gdal_png_tiff_p1)x the time"
