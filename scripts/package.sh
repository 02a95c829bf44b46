#!/usr/bin/env bash
# Installs what is missing, builds the program and makes its Debian package
# (build-package/veltorobl_<version>_<arch>.deb); checks it with lintian when
# lintian is installed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
build="$root/build-package"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELTOR_BUILD_TESTS=OFF -DVELTOR_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/veltorobl_*.deb)
echo "$deb"
if command -v lintian >/dev/null; then lintian "$deb" || true; fi
