#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format makes of it, naming the files.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
bad=()
for f in "${files[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if ((${#bad[@]})); then
  echo "check-format: not formatted (run clang-format -i on them): ${bad[*]}" >&2
  exit 1
fi
echo "check-format: ${#files[@]} files formatted"
