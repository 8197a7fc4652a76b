#!/usr/bin/env bash
# Installs what building, running and testing Lodo Calculator needs on Debian 12.
set -euo pipefail
packages=(
  cmake g++ ninja-build ccache pkg-config
  libpugixml-dev libfmt-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-charts-dev qt6-3d-dev libqt6svg6-dev libgl1-mesa-dev
  xvfb xauth xdotool poppler-utils fonts-liberation dpkg-dev
  clang-14 libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
