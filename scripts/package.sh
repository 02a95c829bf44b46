#!/usr/bin/env bash
# Installs what is missing, builds the program and makes its Debian package
# (build-package/veltorobl_<version>_<arch>.deb); checks it with lintian when
# lintian is installed.
set -euo pipefail
# The data folders hold Polish file names (Dane/materiały.txt): CMake and CPack
# read them only under a UTF-8 locale, and a bare machine may have none set.
export LC_ALL=C.UTF-8
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
build="$root/build-package"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELTOR_BUILD_TESTS=OFF -DVELTOR_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/veltorobl_*.deb)
echo "$deb"
if command -v lintian >/dev/null; then lintian "$deb" || true; fi
