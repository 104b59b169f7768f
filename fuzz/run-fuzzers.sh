#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, makes the seed corpus with the encoder, and runs
# each target for SECONDS_PER_TARGET seconds, one after the other. Exits
# non-zero when any target finds something: a crash, a sanitizer report, a
# leak, a broken check, a time-out or running out of memory.
#
#   bash fuzz/run-fuzzers.sh 20
#
# Environment: ORBALUX_FUZZ_BUILD (build folder, default build-fuzz in the
# repository), ORBALUX_FUZZ_JOBS (compile jobs), ORBALUX_CLANG (the clang
# version; by default the newest clang-N installed, which tools/install-deps.sh
# chooses by Debian release: 14 on Debian 12, 19 on Debian 13). A finding is kept as
# BUILD/findings/TARGET-crash-...; replay it with BUILD/TARGET_fuzzer FILE.
set -euo pipefail
seconds=${1:?usage: run-fuzzers.sh SECONDS_PER_TARGET}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORBALUX_FUZZ_BUILD:-$root/build-fuzz}
jobs=${ORBALUX_FUZZ_JOBS:-$(nproc)}

clang=${ORBALUX_CLANG:-$(compgen -c clang++- | sed -n 's/^clang++-\([0-9]*\)$/\1/p' | sort -n | tail -n 1)}
[ -n "$clang" ] || { echo "run-fuzzers.sh: no clang++-N found; run tools/install-deps.sh" >&2; exit 2; }
CC=clang-$clang CXX=clang++-$clang cmake -S "$root/fuzz" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$jobs" >/dev/null

rm -rf "$build/corpus" "$build/findings"
mkdir -p "$build/findings"
"$build/make_seed_corpus" "$build/corpus"
# The driver's target reads the load target's inputs.
cp -r "$build/corpus/load" "$build/corpus/gdal"

# Target and its longest input: the load's four setting bytes and a file of
# up to 2,200,000 bytes; the chain's commands and such a file; the header's
# first few kilobytes; the driver's, as the load's; the deflate's, rows of a
# picture several blocks long.
targets=("load 2200004" "chain 2200100" "header 4200" "gdal 2200004" "deflate 300000")
status=0
for entry in "${targets[@]}"; do
  read -r name max_len <<<"$entry"
  log="$build/$name.log"
  if "$build/${name}_fuzzer" "$build/corpus/$name" \
       -max_total_time="$seconds" -max_len="$max_len" -timeout=120 -rss_limit_mb=3072 \
       -print_final_stats=1 -artifact_prefix="$build/findings/$name-" >"$log" 2>&1; then
    verdict="no findings"
  else
    verdict="FINDING, see $log"
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  echo "fuzz $name: ${runs:-?} runs, ${rate:-?} per second, $verdict"
  [ "$verdict" = "no findings" ] || grep -E "ERROR|check failed|SUMMARY|Test unit written" "$log" | head -20
done
exit $status
