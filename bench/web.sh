#!/usr/bin/env bash
# Times a whole load (decode and chain, every option on) of the 1023-line
# format sample 69_301.009 in the web page's WebAssembly core in headless
# chromium against the native core (orbalux_bench's BM_Load/1023_format), in
# turn for ROUNDS rounds (3 unless given), and prints both medians, their ratio
# and the page's size. The native figure reads the file from disk each time,
# the page's from the bytes already in memory (the page reads a file once).
#
#   bench/web.sh              # ROUNDS=5 BUILD_DIR=my-build
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/bench/timing.sh"
rounds=${ROUNDS:-3}
base=$(bench_base orbalux-web-bench)

bench_build_targets orbalux_bench orbalux_samples
build=$bench_build
WEB_OUT=$base/page bash "$root/tools/build-web.sh" >/dev/null
cp "$root/bench/web/bench.html" "$root/bench/web/bench.js" "$build/samples/69_301.009" "$base/page/"
[ -d "$root/web/tests/node_modules/playwright-core" ] ||
  (cd "$root/web/tests" && npm ci --no-audit --no-fund --loglevel=error)

native=() web=()
for ((round = 1; round <= rounds; round++)); do
  n=$("$build/bench/orbalux_bench" --benchmark_filter='^BM_Load/1023_format$' --benchmark_repetitions=15 \
        --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
      awk -F, '/_median"/ { print $3 }')
  w=$(node "$root/web/tests/bench_page.mjs" "$base/page" 69_301.009 60 | awk '{ printf "%.2f", $1 }')
  echo "round $round: native ${n} ms, chromium ${w} ms"
  native+=("$n") web+=("$w")
done
n=$(echo "${native[*]}" | bench_median_of)
w=$(echo "${web[*]}" | bench_median_of)
echo "whole load of 69_301.009 (1023-line format), medians: native $n ms, chromium $w ms," \
     "ratio $(bench_ratio "$w" "$n")"
echo "page files: $(du -cb "$base"/page/{index.html,style.css,app.js,core.js,png.js,thumbnails.js,orbalux.js,orbalux.wasm} |
  tail -1 | cut -f1) bytes"
