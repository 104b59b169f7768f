#!/usr/bin/env bash
# Checks that a higher --png-level never gives a larger file than level 1:
# converts the synthetic volume at every level from 1 to 9 and compares each
# picture's PNG with its level-1 PNG, byte count against byte count. Prints
# each level's total, its time and the files that grew; exits 1 when any did.
#
#   bench/png-level-sizes.sh
#   BUILD_DIR=my-build WORK_DIR=/tmp/levels bench/png-level-sizes.sh
#
# The build (build-bench/ unless BUILD_DIR names one) and the volume are
# bench/timing.sh's.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/bench/timing.sh"
work=${WORK_DIR:-${TMPDIR:-/tmp}/orbalux-png-levels}
bench_build_targets orbalux-convert orbalux-make-volume
build=$bench_build
converter=$build/cli/orbalux-convert

mkdir -p "$work"
bench_volume "$work/volume" "$build/bench/orbalux-make-volume" >/dev/null
for level in 1 2 3 4 5 6 7 8 9; do
  rm -rf "$work/level$level"
  start=$(date +%s.%N)
  "$converter" -q --png-level "$level" "$work/volume" -o "$work/level$level" 2> >(grep -v ': warning: ' >&2)
  awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f\n", b - a }' >"$work/level$level.seconds"
done

grown=0
for level in 1 2 3 4 5 6 7 8 9; do
  total=$(find "$work/level$level" -name '*.png' -printf '%s\n' | awk '{s += $1} END {print s}')
  seconds=$(cat "$work/level$level.seconds")
  larger=0
  for file in "$work/level$level"/*.png; do
    name=$(basename "$file")
    size=$(stat -c %s "$file")
    base=$(stat -c %s "$work/level1/$name")
    if [ "$size" -gt "$base" ]; then
      larger=$((larger + 1))
      [ "$larger" -le 3 ] && echo "  level $level: $name $size bytes > $base at level 1"
    fi
  done
  echo "level $level: $total bytes in all, $larger files larger than at level 1, $seconds s"
  grown=$((grown + larger))
done
[ "$grown" -eq 0 ]
