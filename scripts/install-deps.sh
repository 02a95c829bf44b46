#!/usr/bin/env bash
# Installs what the build and the tests need on Debian, only what is missing.
set -euo pipefail
packages=(cmake g++ make qt6-base-dev qt6-translations-l10n libgl-dev libxcb1-dev libjpeg62-turbo-dev zlib1g-dev
          libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth
          fonts-dejavu-core python3
          poppler-utils unzip)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  # Through env, since sudo drops the caller's environment: no package may stop to ask.
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi
