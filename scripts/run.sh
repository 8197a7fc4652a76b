#!/usr/bin/env bash
# Installs what is missing, builds and starts the application.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLODO_BUILD_TESTS=OFF
cmake --build build -j2 --target lodo-calculator lodo-cli
exec ./build/app/lodo-calculator "$@"
