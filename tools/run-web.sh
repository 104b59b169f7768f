#!/usr/bin/env bash
# Builds the web page (tools/build-web.sh) and serves it on
# http://localhost:8000/ (PORT to choose another) with Python's http.server,
# until stopped with Ctrl+C; from WEB_OUT when the build went there.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/build-web.sh
port=${PORT:-8000}
out=${WEB_OUT:-build/web}
echo "serving $out on http://localhost:$port/ (Ctrl+C stops)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$out"
