#!/usr/bin/env bash
# Builds the core (no Qt) with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs its tests. Floating-point division by zero is not checked: the program relies
# on IEEE results there.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/asan
# -O1 with line tables only: quick to build, still line numbers in the reports.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
  -DLODO_BUILD_GUI=OFF -DLODO_SANITIZE=ON -DLODO_BUILD_TESTS=ON -DLODO_BUILD_BENCH=OFF
cmake --build "$build" -j2
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j2 --timeout 300
