#!/usr/bin/env bash
# Installs what is missing, checks the C++ lines changed on this branch
# against .clang-format (tools/format-check.sh), builds with the tests and the
# benchmark, and runs every test (the installed tree's check and the web
# page's in chromium among them); then builds the core, the driver and the
# browser again under AddressSanitizer (with its leak check) and
# UndefinedBehaviorSanitizer and runs their tests; then
# runs each fuzz target briefly, the deflate's among them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/format-check.sh
jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DORBALUX_BUILD_BENCH=ON
cmake --build build -j"$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DORBALUX_SANITIZE=ON -DBUILD_TESTING=ON \
      -DORBALUX_BUILD_BENCH=OFF -DORBALUX_MAN_PAGES=OFF
cmake --build build-asan -j"$jobs"
(cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs" -L 'core|gdal|shell')
bash fuzz/run-fuzzers.sh 20
echo "all tests passed"
