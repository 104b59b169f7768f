#!/usr/bin/env bash
# Times gdal_translate with the MARINER67 plugin turning a whole synthetic
# volume into GeoTIFF, side by side with orbalux-convert writing PNG from the
# same files, with one and with two processes at a time; and, for GDAL's own
# cost of a run, gdal_translate turning the converter's PNGs of the same
# pictures into GeoTIFF with GDAL's PNG driver.
#
#   tools/bench-gdal.sh            # 5 rounds
#   RUNS=3 BUILD_DIR=build BENCH_DIR=/tmp/bench tools/bench-gdal.sh
#
# Each round runs every variant once, in turn, so that the machine's load
# falls on all of them alike; the report gives medians over the rounds.
# BENCH_DIR defaults to a folder in /dev/shm when there is one (a memory file
# system), so that the figures measure the programs rather than the disk.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
runs=${RUNS:-5}
if [ -z "${BENCH_DIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  BENCH_DIR=/dev/shm/orbalux-bench-gdal
fi
base=${BENCH_DIR:-${TMPDIR:-/tmp}/orbalux-bench-gdal}

cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j2 --target orbalux-convert orbalux-make-volume gdal_MARINER67 >/dev/null
converter=$build/cli/orbalux-convert
export GDAL_DRIVER_PATH=$build/gdal

volume=$base/volume
mkdir -p "$base"
if [ "$(find "$volume" -maxdepth 1 -type f 2>/dev/null | wc -l)" -lt 400 ]; then
  rm -rf "$volume"
  "$build/cli/orbalux-make-volume" "$volume"
fi
files=$(find "$volume" -maxdepth 1 -type f | wc -l)
echo "volume: $files files, $(du -sh "$volume" | cut -f1) in $volume; $runs rounds; $(nproc) cores"

variants=(convert_png_j1 gdal_tiff_p1 gdal_png_tiff_p1 convert_png_j2 gdal_tiff_p2)
run_variant() {
  local out=$1
  case $2 in
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

now() { date +%s.%N; }
declare -A times sizes counts
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
    counts[$v]=$(find "$out" -type f | wc -l)
    line+=" $v ${s}s"
  done
  echo "$line"
done

median() { tr ' ' '\n' | grep -v '^$' | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
declare -A med
echo
printf '%-15s %9s %10s %7s %10s\n' variant median_s files/s outputs output_MB
for v in "${variants[@]}"; do
  med[$v]=$(echo "${times[$v]}" | median)
  printf '%-15s %9.3f %10.1f %7d %10.1f\n' "$v" "${med[$v]}" \
    "$(awk -v n="$files" -v t="${med[$v]}" 'BEGIN { print n / t }')" "${counts[$v]}" \
    "$(awk -v b="${sizes[$v]}" 'BEGIN { print b / 1e6 }')"
done

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo
echo "gdal_translate to GeoTIFF over orbalux-convert to PNG, one at a time: $(ratio "${med[gdal_tiff_p1]}" "${med[convert_png_j1]}")x the time"
echo "the same, two at a time: $(ratio "${med[gdal_tiff_p2]}" "${med[convert_png_j2]}")x the time"
echo "gdal_translate from the picture files over from their PNGs, one at a time: $(ratio "${med[gdal_tiff_p1]}" "${med[gdal_png_tiff_p1]}")x the time"
