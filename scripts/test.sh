#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs every test headless.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
# The options are given every time: run.sh turns the tests off in the same
# build folder, and a cached OFF would leave nothing to run.
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTOR_BUILD_TESTS=ON \
  -DVELTOR_BUILD_BENCH=ON >/dev/null
cmake --build "$root/build" -j"$(nproc)"
cd "$root/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error -j"$(nproc)"
