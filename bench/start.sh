#!/usr/bin/env bash
# Times a program's start as a whole process: one picture to PNG and
# `orbalux-convert --version`, and the browser's `--version`, each a batch of
# BATCH runs a round, side by side with older builds; and counts the shared
# libraries each loads. A converter run that writes no movie should load no
# movie encoder.
#
#   bench/start.sh                                       # this tree's build-bench/
#   BASELINES="old=../old/build main=../main/build" bench/start.sh
#   RUNS=9 BATCH=10 BUILD_DIR=build bench/start.sh
#
# The rounds, the medians and the build are bench/timing.sh's. A baseline
# build needs only orbalux-convert (and orbalux, for the browser's line).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/bench/timing.sh"
runs=${RUNS:-9}
batch=${BATCH:-10}
base=$(bench_base orbalux-bench)

bench_build_targets orbalux-convert orbalux orbalux-make-volume
bench_baselines

volume=$base/volume
mkdir -p "$base"
bench_volume "$volume" "$bench_build/bench/orbalux-make-volume"
picture=$(find "$volume" -maxdepth 1 -type f -name '69_*' | sort | head -n 1)
out=$base/start-out
mkdir -p "$out"

echo "libraries loaded (LD_DEBUG=libs, one picture to PNG / browser --version):"
for name in "${bench_names[@]}"; do
  b=${bench_builds[$name]}
  c=$(LD_DEBUG=libs "$b/cli/orbalux-convert" -q -o "$out/one.png" "$picture" 2>&1 | grep -c 'calling init:' || true)
  s=-
  [ -x "$b/shell/orbalux" ] &&
    s=$(LD_DEBUG=libs QT_QPA_PLATFORM=offscreen "$b/shell/orbalux" --version 2>&1 | grep -c 'calling init:' || true)
  echo "  $name: converter $c, browser $s"
done

variants=()
for name in "${bench_names[@]}"; do
  variants+=("$name:png" "$name:version")
  [ -x "${bench_builds[$name]}/shell/orbalux" ] && variants+=("$name:browser")
done
run_variant() {
  local b=${bench_builds[${1%%:*}]} i
  for ((i = 0; i < batch; i++)); do
    case ${1#*:} in
      png) "$b/cli/orbalux-convert" -q -o "$out/one.png" "$picture" 2>/dev/null ;;
      version) "$b/cli/orbalux-convert" --version >/dev/null ;;
      browser) QT_QPA_PLATFORM=offscreen "$b/shell/orbalux" --version >/dev/null ;;
    esac
  done
}
echo "$runs rounds of $batch runs each; $(nproc) cores"
bench_rounds "$runs" "${variants[@]}" >/dev/null

echo
# Each line against the last build (in BASELINES' order) that ran it too.
printf '%-24s %10s  %s\n' variant "ms a run" "ratio"
for v in "${variants[@]}"; do
  ms=$(awk -v s="${bench_median[$v]}" -v n="$batch" 'BEGIN { printf "%.1f", 1000 * s / n }')
  ratio=-
  for name in "${bench_names[@]}"; do
    ref=$name:${v#*:}
    [ -n "${bench_median[$ref]:-}" ] && ratio="$(bench_ratio "${bench_median[$v]}" "${bench_median[$ref]}") of $name"
  done
  printf '%-24s %10s  %s\n' "$v" "$ms" "$ratio"
done
