#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program from its own folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTOR_BUILD_TESTS=OFF -DVELTOR_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build" --target VELTORobl -j"$(nproc)"
cd "$root/build/run"
exec ./VELTORobl
