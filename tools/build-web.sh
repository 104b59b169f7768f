#!/usr/bin/env bash
# Builds the web page into build/web/: the core as WebAssembly with Debian's
# emscripten (a CMake build of its own in build-web-obj/), then the page's
# HTML, CSS and scripts beside it. Serve build/web/ with any static server
# (tools/run-web.sh does).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=${WEB_OUT:-$root/build/web}
obj=${WEB_OBJ:-$root/build-web-obj}
if ! command -v emcmake >/dev/null; then
  echo "build-web.sh: emscripten is not installed (bash tools/install-deps.sh installs it)" >&2
  exit 1
fi
# emscripten's JavaScript optimiser needs the acorn module; Debian's node
# finds Debian's copy by itself, another node needs the path.
export NODE_PATH=${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
emcmake cmake -S . -B "$obj" -DCMAKE_BUILD_TYPE=Release -DORBALUX_WEB=ON -DBUILD_TESTING=OFF "${launcher[@]}" >/dev/null
cmake --build "$obj" --target orbalux_web -j"${JOBS:-2}"
mkdir -p "$out"
cp "$obj/web/orbalux.js" "$obj/web/orbalux.wasm" "$out/"
cp web/page/* "$out/"
echo "the page is in $out"
