#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the core and GUI
# tests, the core tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the Debian package with the installed programs.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/check-format.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLODO_BUILD_TESTS=ON
./scripts/check-deps.sh build
# The check itself must catch a package left off the install list.
if ./scripts/check-deps.sh build $(./scripts/install-deps.sh --list | grep -vx libqt6opengl6-dev) >/dev/null; then
  echo "check-deps.sh did not notice libqt6opengl6-dev missing from the install list" >&2
  exit 1
fi
cmake --build build -j2
# GUI tests need a real X server.
xvfb-run -a -s "-screen 0 1600x1000x24" ctest --test-dir build --output-on-failure -j2
./scripts/sanitizer-tests.sh
./scripts/package-test.sh build
