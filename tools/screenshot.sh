#!/usr/bin/env bash
# Starts the browser under Xvfb on a sample picture and saves a screenshot of
# the screen as docs/screenshot.png (or the file given as the argument).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${ORBALUX_BUILD_DIR:-build}"  # where to build
bash tools/install-deps.sh imagemagick
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target orbalux orbalux_samples
out="${1:-docs/screenshot.png}"
mkdir -p "$(dirname "$out")"
picture="$build/samples/69_091.005"
# Inside Xvfb: start the browser filling the screen, give it time to load and
# draw, take the root window, stop the browser.
xvfb-run -a -s "-screen 0 1280x960x24" bash -c '
  "$3/shell/orbalux" -geometry 1280x960+0+0 "$1" &
  browser=$!
  trap "kill $browser 2>/dev/null || true" EXIT
  sleep 5
  kill -0 $browser || { echo "screenshot.sh: the browser did not start" >&2; exit 1; }
  import -window root "$2"
' screenshot "$picture" "$out" "$build"
echo "wrote $out"
