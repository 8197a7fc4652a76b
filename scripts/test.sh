#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the core and GUI
# tests, the core tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the Debian package with the installed programs.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLODO_BUILD_TESTS=ON
cmake --build build -j2
# GUI tests need a real X server.
xvfb-run -a -s "-screen 0 1600x1000x24" ctest --test-dir build --output-on-failure -j2
./scripts/sanitizer-tests.sh
./scripts/package-test.sh build
