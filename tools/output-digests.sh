#!/usr/bin/env bash
# Prints one digest line per converted file: every sample picture through the
# converter under a spread of option sets, as BMP and as PNG, and its --info.
# Run it before and after a change that should not alter any output and
# compare the two listings (diff): a restructure must leave them equal.
#   bash tools/output-digests.sh [BUILD_DIR [PICTURE_FOLDER]] > digests.txt
set -euo pipefail
build=${1:-build}
convert="$build/cli/orbalux-convert"
samples=${2:-$build/samples}
[ -x "$convert" ] || { echo "output-digests.sh: no converter at $convert" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
option_sets=(
  ""
  "--despeckle"
  "--stretch --invert"
  "--percent-stretch=1,99"
  "--equalize --flip"
  "--rotate --half"
  "--quarter --horizontal-stretch"
  "--brightness=3 --contrast=-2"
  "--fill-missing --keep-gaps"
  "--stretch --despeckle --half --horizontal-stretch"
  "--original"
)
for set in "${option_sets[@]}"; do
  for format in bmp png; do
    out="$work/out"
    rm -rf "$out"; mkdir -p "$out"
    # shellcheck disable=SC2086 # the set is a list of words
    if ! "$convert" -q -j 1 --format "$format" $set -o "$out" "$samples"/* 2>"$work/err"; then
      echo "[$set] $format: $(head -1 "$work/err")"
    fi
    for f in "$out"/*; do
      [ -e "$f" ] || continue
      echo "[$set] $format $(basename "$f") $(sha256sum < "$f" | cut -c1-16)"
    done
  done
done
"$convert" --info "$samples"/* 2>&1 | sha256sum | sed 's/^/--info /'
"$convert" --info --json "$samples"/* 2>&1 | sha256sum | sed 's/^/--info --json /'
