#!/usr/bin/env bash
# Fails when the build loads a CMake package or a pkg-config module whose Debian
# package scripts/install-deps.sh does not bring in through Depends alone, so a
# machine that happens to have the package cannot hide a missing install step.
#   check-deps.sh BUILD_DIR [PACKAGE...]   (packages default to install-deps.sh's list)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: check-deps.sh BUILD_DIR [PACKAGE...]}
shift
cache="$build/CMakeCache.txt"
[ -f "$cache" ] || { echo "check-deps: $cache not found: configure first" >&2; exit 2; }
if (($#)); then list=("$@"); else mapfile -t list < <(./scripts/install-deps.sh --list); fi

# Every package the list pulls in without Recommends; alternatives count, as apt may
# pick any of them.
closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts \
    --no-breaks --no-replaces --no-enhances "${list[@]}" 2>/dev/null |
  sed -n -e 's/^\([^ <][^ ]*\)$/\1/p' -e 's/^ *|\?\(Pre\)\?Depends: \([^<][^ ]*\)$/\2/p' |
  sed 's/:any$//' | sort -u)

owner_of() {  # the package that installed a file, trying both sides of the merged /usr
  local f=$1 out
  for p in "$f" "$(readlink -f "$f")" "${f#/usr}" "/usr${f}"; do
    out=$(dpkg -S "$p" 2>/dev/null | head -1) && [ -n "$out" ] && { echo "${out%%:*}" | sed 's/,.*//; s/:[a-z0-9]*$//'; return; }
  done
  return 1
}

files=()
# CMake packages the configure step found: one config file from each *_DIR.
while IFS= read -r dir; do
  name=$(basename "$dir")
  for cfg in "$dir/${name}Config.cmake" "$dir/$(tr '[:upper:]' '[:lower:]' <<<"$name")-config.cmake"; do
    [ -f "$cfg" ] && { files+=("$cfg"); break; }
  done
done < <(sed -n 's/^[A-Za-z0-9_]*_DIR:PATH=\(\/.*\)$/\1/p' "$cache" | sort -u)
# pkg-config modules pkg_check_modules asked for, with what they require.
modules=$(sed -n 's/^__pkg_config_arguments_[A-Za-z0-9_]*:INTERNAL=//p' "$cache" | tr ';' '\n' |
  grep -vxE 'REQUIRED|QUIET|IMPORTED_TARGET|GLOBAL|NO_CMAKE_PATH|NO_CMAKE_ENVIRONMENT_PATH' |
  sed 's/[<>=].*//' | sort -u)
for m in $modules; do
  for r in $m $(pkg-config --print-requires "$m" 2>/dev/null | awk '{print $1}'); do
    pc=$(pkg-config --path "$r" 2>/dev/null) && files+=("$pc")
  done
done

status=0
declare -A seen=()
for f in "${files[@]}"; do
  pkg=$(owner_of "$f") || { echo "check-deps: $f (loaded by the build) belongs to no Debian package"; status=1; continue; }
  [ -n "${seen[$pkg]:-}" ] && continue
  seen[$pkg]=1
  grep -qxF "$pkg" <<<"$closure" ||
    { echo "check-deps: the build loads $f from package $pkg, which scripts/install-deps.sh does not install"; status=1; }
done
((status)) || echo "check-deps: all ${#seen[@]} packages the build loads come from scripts/install-deps.sh"
exit $status
