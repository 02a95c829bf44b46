#!/usr/bin/env bash
# Builds VELTORobl for Windows x86-64 on a Debian machine: installs what it
# needs with apt, cross-builds Qt's base modules and libjpeg-turbo from their
# Debian source packages with MinGW-w64 (cached under the user's cache folder,
# so that only the first run takes long), builds the program and writes
# build-windows/veltorobl-<version>-setup.exe and a portable zip.
#   scripts/package-windows.sh [--check]   (--check: also runs the core's and
#                                           batch mode's tests under Wine)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
check=0
[ "${1:-}" = --check ] && check=1
cache=${XDG_CACHE_HOME:-$HOME/.cache}/veltorobl-windows
jobs=$(nproc)
triplet=x86_64-w64-mingw32
qt_version=6.4.2
step() { printf '\n== %s\n' "$*"; }

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

step "Packages"
packages=(cmake ninja-build dpkg-dev g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  libz-mingw-w64-dev qt6-base-dev qt6-base-dev-tools qt6-translations-l10n nsis zip
  fonts-dejavu-core googletest)
[ $check = 1 ] && packages+=(wine64)
missing=()
for p in "${packages[@]}"; do dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ]; then
  as_root apt-get update
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
# The sources of Debian's own Qt and libjpeg-turbo: the same versions the
# Linux build uses, with Debian's patches.
if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
      as_root tee /etc/apt/sources.list.d/veltorobl-src.sources >/dev/null
  else
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
      as_root tee /etc/apt/sources.list.d/veltorobl-src.list >/dev/null
  fi
  as_root apt-get update
fi

mkdir -p "$cache/src" "$cache/prefix"
toolchain="$cache/mingw-w64.cmake"
cat >"$toolchain" <<EOF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER $triplet-gcc-posix)
set(CMAKE_CXX_COMPILER $triplet-g++-posix)
set(CMAKE_RC_COMPILER $triplet-windres)
set(CMAKE_FIND_ROOT_PATH /usr/$triplet $cache/prefix $cache/qt)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF

source_of() {  # source_of PACKAGE -> prints the unpacked folder
  local dir
  dir=$(find "$cache/src" -maxdepth 1 -type d -name "$1-*" | head -1)
  if [ -z "$dir" ]; then
    (cd "$cache/src" && apt-get source -q "$1" >/dev/null)
    dir=$(find "$cache/src" -maxdepth 1 -type d -name "$1-*" | head -1)
  fi
  echo "$dir"
}

if [ ! -f "$cache/qt/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
  step "Qt $qt_version for Windows (the first run only: about 25 minutes on 2 cores)"
  qtsrc=$(source_of qt6-base)
  # The Debian source leaves out wintab.h, so tablet events are off; the
  # Windows platform plugin of this version needs OpenGL on.
  cmake -S "$qtsrc" -B "$cache/build-qt" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$cache/qt" -DBUILD_SHARED_LIBS=ON \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQt6HostInfo_DIR=/usr/lib/x86_64-linux-gnu/cmake/Qt6HostInfo \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF \
    -DFEATURE_dbus=OFF -DFEATURE_tabletevent=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DINPUT_opengl=desktop
  cmake --build "$cache/build-qt" -j"$jobs"
  cmake --install "$cache/build-qt"
fi

if [ ! -f "$cache/prefix/lib/libjpeg.a" ]; then
  step "libjpeg-turbo for Windows"
  jsrc=$(source_of libjpeg-turbo)
  cmake -S "$jsrc" -B "$cache/build-jpeg" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$cache/prefix" -DENABLE_SHARED=OFF \
    -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF
  cmake --build "$cache/build-jpeg" -j"$jobs"
  cmake --install "$cache/build-jpeg"
fi

if [ $check = 1 ] && [ ! -f "$cache/prefix/lib/libgtest.a" ]; then
  step "GoogleTest for Windows"
  cmake -S /usr/src/googletest -B "$cache/build-gtest" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$cache/prefix" -DCMAKE_INSTALL_LIBDIR=lib
  cmake --build "$cache/build-gtest" -j"$jobs"
  cmake --install "$cache/build-gtest"
fi

step "VELTORobl for Windows"
out="$root/build-windows"
tests=OFF
[ $check = 1 ] && tests=ON
cmake -S "$root" -B "$out" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$cache/qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DCMAKE_PREFIX_PATH="$cache/prefix" -DCMAKE_BUILD_TYPE=Release -DVELTOR_BUILD_TESTS=$tests \
  -DVELTOR_BUILD_BENCH=OFF >/dev/null
cmake --build "$out" -j"$jobs"

step "The program's folder"
version=$(sed -n 's/^project(VELTORobl VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
stage="$out/stage/VELTORobl"
rm -rf "$out/stage"
mkdir -p "$stage/platforms" "$stage/styles" "$stage/imageformats" "$stage/printsupport" "$stage/translations"
cp "$out/run/VELTORobl.exe" "$stage/"
cp -r "$out/run/Dane" "$out/run/System" "$out/run/obrazki" "$out/run/Pomoc" "$out/run/Projekty" "$stage/"
[ -d "$out/run/Czcionki" ] && cp -r "$out/run/Czcionki" "$stage/"
for m in Core Gui Widgets PrintSupport; do cp "$cache/qt/bin/Qt6$m.dll" "$stage/"; done
cp "$cache/qt/plugins/platforms/qwindows.dll" "$cache/qt/plugins/platforms/qoffscreen.dll" "$stage/platforms/"
cp "$cache/qt/plugins/styles/"*.dll "$stage/styles/" 2>/dev/null || true
cp "$cache/qt/plugins/imageformats/"*.dll "$stage/imageformats/" 2>/dev/null || true
cp "$cache/qt/plugins/printsupport/"*.dll "$stage/printsupport/" 2>/dev/null || true
cp /usr/share/qt6/translations/qtbase_pl.qm "$stage/translations/"
cp "$root/packaging/windows/qt.conf" "$root/packaging/icons/veltorobl.ico" "$stage/"
gccdir=$(dirname "$($triplet-g++-posix -print-libgcc-file-name)")
for dll in libstdc++-6.dll libgcc_s_seh-1.dll; do cp "$gccdir/$dll" "$stage/"; done
cp "/usr/$triplet/lib/libwinpthread-1.dll" "$stage/"
cp "/usr/$triplet/bin/zlib1.dll" "$stage/" 2>/dev/null || cp "/usr/$triplet/lib/zlib1.dll" "$stage/"

step "Installer and zip"
(cd "$out/stage" && rm -f "../veltorobl-$version-windows.zip" && zip -qr "../veltorobl-$version-windows.zip" VELTORobl)
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$out/veltorobl-$version-setup.exe" \
  "$root/packaging/windows/veltorobl.nsi"
echo "Written: $out/veltorobl-$version-setup.exe and $out/veltorobl-$version-windows.zip"

if [ $check = 1 ]; then
  step "Tests under Wine"
  export WINEDEBUG=-all QT_QPA_PLATFORM=offscreen
  # Debian's wine64 package installs the loader without the `wine` wrapper.
  wine=$(command -v wine || command -v wine64 || echo /usr/lib/wine/wine64)
  # Run beside the program, where qt.conf points Qt at its plugins.
  checkdir="$out/check"
  rm -rf "$checkdir" && cp -r "$stage" "$checkdir"
  cp "$out"/tests/*.exe "$checkdir/"
  for t in veltor_calc_tests veltor_project_tests veltor_batch_tests; do
    (cd "$checkdir" && "$wine" "./$t.exe" --gtest_brief=1)
  done
  # The same results as the Linux build, byte for byte.
  (cd "$checkdir" && "$wine" ./VELTORobl.exe --oblicz "Projekty/Przykład.Veltor" >"$out/check-sample.json")
  echo "Sample project's results: $out/check-sample.json"
fi
