# The timing loop the benchmark scripts share; source it, do not run it.
#
# On a machine whose cores other work shares, one run says little: each round
# runs every variant once, in turn, so that the load falls on all of them
# alike, and the figures are medians over the rounds.
#
#   run_variant() { ...; }               # runs variant $1 once
#   bench_rounds "$runs" a b c           # prints each round's seconds
#   echo "${bench_median[a]}"            # then reads the medians
#
# The caller may define bench_before VARIANT (run untimed before each run,
# e.g. to clear its output) and bench_after VARIANT (untimed, after it, e.g.
# to note the output's size).

bench_now() { date +%s.%N; }

# The median of the numbers on standard input, one or more a line.
bench_median_of() {
  tr ' ' '\n' | grep -v '^$' | sort -g |
    awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# A over B with DIGITS decimals (2 when not given).
bench_ratio() { awk -v a="$1" -v b="$2" -v d="${3:-2}" 'BEGIN { printf "%.*f", d, a / b }'; }

declare -A bench_times bench_median
bench_rounds() {
  local runs=$1 round v t0 t1 s line
  shift
  for ((round = 1; round <= runs; round++)); do
    line="round $round:"
    for v in "$@"; do
      if declare -F bench_before >/dev/null; then bench_before "$v"; fi
      t0=$(bench_now)
      run_variant "$v"
      t1=$(bench_now)
      if declare -F bench_after >/dev/null; then bench_after "$v"; fi
      s=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }')
      bench_times[$v]="${bench_times[$v]:-} $s"
      line+=" $v ${s}s"
    done
    echo "$line"
  done
  for v in "$@"; do
    bench_median[$v]=$(echo "${bench_times[$v]}" | bench_median_of)
  done
}

# The builds a script times side by side: this one (bench_build) named
# "this", then each NAME=DIR of BASELINES, in that order, into bench_names and
# bench_builds (by name).
declare -A bench_builds
bench_names=()
bench_baselines() {
  local pair
  bench_builds=([this]=$bench_build)
  bench_names=(this)
  for pair in ${BASELINES:-}; do
    bench_builds[${pair%%=*}]=${pair#*=}
    bench_names+=("${pair%%=*}")
  done
}

# Where a script keeps its volume and outputs: BENCH_DIR, else a folder NAME in
# /dev/shm when there is one (a memory file system, so that the figures measure
# the programs rather than the disk), else in the temporary folder.
bench_base() {
  if [ -n "${BENCH_DIR:-}" ]; then
    echo "$BENCH_DIR"
  elif [ -d /dev/shm ] && [ -w /dev/shm ]; then
    echo "/dev/shm/$1"
  else
    echo "${TMPDIR:-/tmp}/$1"
  fi
}

# Builds TARGETS for a script and sets bench_build to the folder: BUILD_DIR when
# given, a build the user made, whose configuration is left as it is (it needs
# ORBALUX_BUILD_BENCH=ON); else build-bench in the repository, the scripts' own,
# configured here for speed with the benchmarks and without tests or manual
# pages. No script configures the user's build/ or installs anything.
bench_build_targets() {
  local root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  if [ -n "${BUILD_DIR:-}" ]; then
    bench_build=$BUILD_DIR
    [ -f "$bench_build/CMakeCache.txt" ] || { echo "BUILD_DIR=$bench_build is not a configured build" >&2; return 2; }
  else
    bench_build=$root/build-bench
    cmake -S "$root" -B "$bench_build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
          -DORBALUX_BUILD_BENCH=ON -DORBALUX_MAN_PAGES=OFF >/dev/null
  fi
  cmake --build "$bench_build" -j2 --target "$@" >/dev/null
}

# The synthetic volume in folder $1, made with the build's orbalux-make-volume
# ($2) unless it is already there.
bench_volume() {
  if [ "$(find "$1" -maxdepth 1 -type f 2>/dev/null | wc -l)" -lt 400 ]; then
    rm -rf "$1"
    "$2" "$1"
  fi
}
