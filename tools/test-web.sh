#!/usr/bin/env bash
# The web page's test in a real browser (web/tests/page_test.mjs): builds the
# page (tools/build-web.sh), installs playwright-core from the committed lock
# file, and drives Debian's chromium headless against the converter's output.
# Exits 77 (ctest's skip) with the reason when emscripten, chromium or node is
# missing; tools/install-deps.sh installs them.
#   tools/test-web.sh ORBALUX_CONVERT SAMPLE_DIR ORBALUX_MAKE_VOLUME
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -ne 3 ]; then
  echo "usage: tools/test-web.sh ORBALUX_CONVERT SAMPLE_DIR ORBALUX_MAKE_VOLUME" >&2
  exit 2
fi
missing=()
command -v emcmake >/dev/null || missing+=(emscripten)
[ -x "${CHROMIUM:-/usr/bin/chromium}" ] || missing+=(chromium)
command -v node >/dev/null || missing+=(node)
command -v npm >/dev/null || missing+=(npm)
if [ ${#missing[@]} -gt 0 ]; then
  echo "web page test skipped: ${missing[*]} not installed (bash tools/install-deps.sh installs them)"
  exit 77
fi
export WEB_OUT=${WEB_OUT:-$root/build/web}
bash "$root/tools/build-web.sh"
cd "$root/web/tests"
# Offline first: a cached copy of the pinned package serves when the registry
# is slow or out of reach.
npm ci --prefer-offline --no-audit --no-fund --loglevel=error
node page_test.mjs "$WEB_OUT" "$1" "$2" "$3"
