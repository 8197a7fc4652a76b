#!/usr/bin/env bash
# Installs what building, running and testing Lodo Calculator needs on Debian 12.
# Every name is a real package: a virtual one never reads as installed, and each must
# bring what the build loads through its Depends alone (apt runs without Recommends).
# scripts/check-deps.sh holds the build to that.
set -euo pipefail
packages=(
  cmake g++ ninja-build ccache pkg-config
  libpugixml-dev libfmt-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libqt6opengl6-dev qt6-charts-dev qt6-3d-dev qt6-svg-dev libgl1-mesa-dev
  xvfb xauth xdotool poppler-utils fonts-liberation dpkg-dev
  clang-14 libclang-rt-14-dev clang-format
)
if [ "${1:-}" = "--list" ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
((${#missing[@]})) || exit 0
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
