#!/usr/bin/env bash
# The browser's long walk (orbalux_step_memory: Next to the last picture of
# the synthetic volume and back, PASSES times, the thumbnail strip filling in
# the first pass) for this build and older ones, in turn, RUNS rounds; prints
# each round's step times (wall p99 and largest, first pass and later
# passes), the resident memory after pass 1 and its largest drift from it,
# then the medians side by side with each baseline's over this build's.
# BUSY=N keeps N busy loops running meanwhile, as other work on a shared
# machine does: what a step waits for shows when the cores are not free.
#
#   bench/walk.sh
#   BUSY=2 RUNS=3 PASSES=16 BASELINES="old=../old/build" bench/walk.sh
#
# A baseline build needs orbalux_step_memory built from this tree's
# bench/step_memory.cpp (copy it in before building an older tree), so that
# every build is measured the same way.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/bench/timing.sh"
runs=${RUNS:-3}
passes=${PASSES:-16}
busy=${BUSY:-0}
base=$(bench_base orbalux-bench)

bench_build_targets orbalux_step_memory orbalux-make-volume
bench_baselines
volume=$base/volume
mkdir -p "$base"
bench_volume "$volume" "$bench_build/bench/orbalux-make-volume"

loops=()
stop_loops() { [ ${#loops[@]} -eq 0 ] || kill "${loops[@]}" 2>/dev/null || true; }
trap stop_loops EXIT
for ((i = 0; i < busy; i++)); do
  (while :; do :; done) &
  loops+=($!)
done

# The figures of one walk: first-pass p99 and largest, later p99 and largest,
# resident after pass 1, largest drift.
figures() {
  awk '
    BEGIN { fp = fm = lp = lm = first = d = "-" }
    /^pass  1:/ { first = $6 }
    /^pass 1 \(the strip filling\), wall/ { fp = $15; fm = $17 }
    /^later passes, wall/ { lp = $12; lm = $14 }
    /largest drift/ { d = $(NF - 3) }
    END { gsub(",", "", fp); gsub(",", "", lp); printf "%s %s %s %s %s %s\n", fp, fm, lp, lm, first, d }'
}

labels=("first p99" "first max" "later p99" "later max" "MB pass 1" "MB drift")
declare -A values
echo "$passes passes over $(find "$volume" -maxdepth 1 -type f | wc -l) files; $runs rounds; $busy busy loops; $(nproc) cores"
for ((round = 1; round <= runs; round++)); do
  for name in "${bench_names[@]}"; do
    read -r -a f < <(QT_QPA_PLATFORM=offscreen "${bench_builds[$name]}/bench/orbalux_step_memory" "$volume" "$passes" \
                     2>/dev/null | figures || true)
    echo "round $round: $name: p99/max ms first ${f[0]}/${f[1]} later ${f[2]}/${f[3]}; MB ${f[4]} drift ${f[5]}"
    for i in "${!labels[@]}"; do values[$name:$i]="${values[$name:$i]:-} ${f[$i]}"; done
  done
done

echo
printf '%-12s' ""
for name in "${bench_names[@]}"; do printf '%12s' "$name"; done
for name in "${bench_names[@]:1}"; do printf '%14s' "$name/this"; done
echo
for i in "${!labels[@]}"; do
  printf '%-12s' "${labels[$i]}"
  declare -A med=()
  for name in "${bench_names[@]}"; do
    med[$name]=$(echo "${values[$name:$i]}" | bench_median_of)
    printf '%12s' "${med[$name]}"
  done
  for name in "${bench_names[@]:1}"; do
    r=-
    awk -v t="${med[this]}" 'BEGIN { exit !(t > 0) }' && r=$(bench_ratio "${med[$name]}" "${med[this]}")
    printf '%14s' "$r"
  done
  echo
done
