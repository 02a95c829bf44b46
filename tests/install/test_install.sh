#!/usr/bin/env bash
# Installs the built program into a temporary root, as the package does, and
# starts the installed copy offscreen from another folder with a project path
# relative to that folder: it must find its data, show the main window and open
# the project.   test_install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
cmake --install "$build" --prefix "$root/usr" >/dev/null

for f in bin/veltorobl lib/veltorobl/VELTORobl lib/veltorobl/Dane/para.txt lib/veltorobl/Pomoc/index.htm \
         lib/veltorobl/obrazki/glowna.png share/applications/veltorobl.desktop share/mime/packages/veltorobl.xml \
         share/icons/hicolor/48x48/apps/veltorobl.png share/icons/hicolor/scalable/apps/veltorobl.svg \
         share/doc/veltorobl/copyright; do
  [ -e "$root/usr/$f" ] || { echo "not installed: $f"; exit 1; }
done
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$root/usr/share/applications/veltorobl.desktop"; fi

mkdir -p "$root/elsewhere/projekty"
cp "$source/data/Projekty/Przykład.Veltor" "$root/elsewhere/projekty/sciana.Veltor"
cd "$root/elsewhere"
out=$(QT_QPA_PLATFORM=offscreen VELTOR_STARTUP_CHECK=1 timeout 120 "$root/usr/bin/veltorobl" projekty/sciana.Veltor)
echo "$out"
expected="VELTORobl: main window shown=1, folder=$root/usr/lib/veltorobl, layers="
case "$out" in
  "$expected"0) echo "the project was not opened"; exit 1 ;;
  "$expected"*) echo "installed copy started" ;;
  *) echo "unexpected start-up"; exit 1 ;;
esac
