#!/usr/bin/env bash
# Times the browser's thumbnail strip on a synthetic folder of 402 pictures:
# from Open to the first screenful of thumbnails, with an empty cache each
# time, offscreen at 1280 x 960. Reports medians of 15 runs of each variant,
# run side by side.
#
#   bench/strip.sh               # RUNS=15 BUILD_DIR=my-build BENCH_DIR=/dev/shm/...
#
# Google Benchmark does the timing and the medians here; bench/timing.sh
# gives the build (build-bench/ unless BUILD_DIR names one), the folder and the
# volume.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/bench/timing.sh"
runs=${RUNS:-15}
base=$(bench_base orbalux-strip-bench)

bench_build_targets orbalux-make-volume orbalux_strip_bench
build=$bench_build
bench_volume "$base/volume" "$build/bench/orbalux-make-volume"
echo "volume: $(find "$base/volume" -maxdepth 1 -type f | wc -l) files in $base/volume; $(nproc) cores"
ORBALUX_VOLUME=$base/volume QT_QPA_PLATFORM=offscreen "$build/bench/orbalux_strip_bench" \
  --benchmark_repetitions="$runs" --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=true
