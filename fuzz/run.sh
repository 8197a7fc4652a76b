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
cmake --build "$build" -j2 --target fuzz_lxl_reader fuzz_lpl_reader fuzz_number_parse fuzz_evaluation

corpus=$build/corpus
mkdir -p "$corpus/lxl" "$corpus/lpl" "$corpus/number" "$corpus/evaluation"
shopt -s nullglob
for f in examples/*.lxl tests/persistence/data/*.lxl; do cp "$f" "$corpus/lxl/"; done
for f in examples/*.lpl tests/persistence/data/*.lpl; do cp "$f" "$corpus/lpl/"; done
for f in fuzz/seeds/number/*; do cp "$f" "$corpus/number/"; done
for f in examples/*.lxl tests/persistence/data/*.lpl; do cp "$f" "$corpus/evaluation/"; done

root=$PWD
run() {
  local name=$1 dir=$2
  echo "== $name"
  # One job at a time; libFuzzer writes the job's log (fuzz-0.log) into the working
  # folder, so run from the build folder and show the log afterwards.
  local rc=0
  (cd "$build" && "$root/$build/fuzz/$name" -max_total_time="$seconds" -max_len=65536 -jobs=1 -workers=1 \
     -print_final_stats=1 -artifact_prefix="$root/$build/$name-" "$root/$dir") || rc=$?
  rm -f "$build/fuzz-0.log"  # libFuzzer has already echoed it
  [ "$rc" -eq 0 ] || failed="$failed $name"
}
failed=""
# Inputs that once failed (fuzz/regressions/<reader>-*) are replayed first; a
# failing one is reported but does not hold up the fuzzing.
replay() {
  local name=$1 prefix=$2 f
  for f in fuzz/regressions/"$prefix"-*; do
    if "$build/fuzz/$name" "$f" >/dev/null 2>&1; then
      echo "regression passes: $f"
    else
      echo "REGRESSION FAILS: $f" >&2
      failed="$failed $f"
    fi
  done
}
replay fuzz_lxl_reader lxl
replay fuzz_lpl_reader lpl
replay fuzz_number_parse number
replay fuzz_evaluation evaluation
run fuzz_lxl_reader "$corpus/lxl"
run fuzz_lpl_reader "$corpus/lpl"
run fuzz_number_parse "$corpus/number"
run fuzz_evaluation "$corpus/evaluation"
if [ -n "$failed" ]; then
  echo "findings in:$failed (inputs in $build)" >&2
  exit 1
fi
