#!/usr/bin/env bash
# Starts the browser under Xvfb on a sample picture, opens the histogram
# window, rests the pointer on the picture so the status bar reads it out,
# and saves the screen as docs/screenshot-tools.png (or the file given).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${ORBALUX_BUILD_DIR:-build}"  # where to build
bash tools/install-deps.sh imagemagick xdotool
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target orbalux orbalux_samples
out="${1:-docs/screenshot-tools.png}"
mkdir -p "$(dirname "$out")"
picture="$build/samples/69_091.005"
xvfb-run -a -s "-screen 0 1280x960x24" bash -c '
  "$3/shell/orbalux" -geometry 1280x960+0+0 "$1" &
  browser=$!
  trap "kill $browser 2>/dev/null || true" EXIT
  sleep 4
  kill -0 $browser || { echo "screenshot-tools.sh: the browser did not start" >&2; exit 1; }
  window=$(xdotool search --sync --pid $browser --name "Orbalux CD-WO" | head -n 1)
  xdotool windowfocus --sync "$window" key ctrl+h
  sleep 1
  xdotool mousemove 420 380
  sleep 1
  xdotool mousemove 421 381
  sleep 2
  import -window root "$2"
' screenshot "$picture" "$out" "$build"
echo "wrote $out"
