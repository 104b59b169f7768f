#!/usr/bin/env bash
# Installs what is missing, builds the browser and starts it on a sample
# picture (or on the picture file given as the argument). Without a display it
# runs the browser under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${ORBALUX_BUILD_DIR:-build}"  # where to build
bash tools/install-deps.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DORBALUX_BUILD_TOOLS=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target orbalux orbalux_samples
picture="${1:-$build/samples/69_091.005}"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$build/shell/orbalux" "$picture"
fi
echo "run.sh: no display; running the browser under Xvfb (stop it with Ctrl+C)" >&2
exec xvfb-run -a -s "-screen 0 1280x960x24" "$build/shell/orbalux" -geometry 1280x960+0+0 "$picture"
