#!/usr/bin/env bash
# Builds the fuzzers with clang and runs each in turn on a seed corpus gathered from
# the example lines and the reader tests' files.
#   fuzz/run.sh [seconds per fuzzer, default 180]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-180}
build=build/fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++-14 -DLODO_FUZZ=ON -DLODO_BUILD_GUI=OFF -DLODO_BUILD_TESTS=OFF
cmake --build "$build" -j2 --target fuzz_lxl_reader fuzz_lpl_reader fuzz_number_parse

corpus=$build/corpus
mkdir -p "$corpus/lxl" "$corpus/lpl" "$corpus/number"
shopt -s nullglob
for f in examples/*.lxl tests/persistence/data/*.lxl fuzz/regressions/lxl-*; do cp "$f" "$corpus/lxl/"; done
for f in examples/*.lpl tests/persistence/data/*.lpl fuzz/regressions/lpl-*; do cp "$f" "$corpus/lpl/"; done
for f in fuzz/seeds/number/* fuzz/regressions/number-*; do cp "$f" "$corpus/number/"; done

run() {
  local name=$1 dir=$2
  echo "== $name"
  "$build/fuzz/$name" -max_total_time="$seconds" -jobs=1 -workers=1 -print_final_stats=1 \
    -artifact_prefix="$build/$name-" "$dir"
}
run fuzz_lxl_reader "$corpus/lxl"
run fuzz_lpl_reader "$corpus/lpl"
run fuzz_number_parse "$corpus/number"
