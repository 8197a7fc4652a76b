#!/usr/bin/env bash
# Builds the Debian package from the build tree, unpacks it into a scratch root and
# checks the installed programs: lodo-cli on every example, and the application
# started on an example under a virtual X server and closed with its Quit shortcut.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out="$build/package"
rm -rf "$out" && mkdir -p "$out"
cpack --config "$build/CPackConfig.cmake" -B "$out" -G DEB > "$out/cpack.log"
deb=$(ls "$out"/lodo-calculator_*.deb)
echo "package: $deb"
dpkg-deb -I "$deb" | grep -E 'Depends|Version' || true

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
for f in usr/bin/lodo-cli usr/bin/lodo-calculator usr/share/applications/lodo-calculator.desktop \
         usr/share/icons/hicolor/scalable/apps/lodo-calculator.svg \
         usr/share/mime/packages/lodo-calculator.xml; do
  [ -e "$root/$f" ] || { echo "missing from the package: $f"; exit 1; }
done

for example in "$root"/usr/share/lodo-calculator/examples/*.lxl; do
  "$root/usr/bin/lodo-cli" evaluate "$example" --json > /dev/null
  echo "evaluated $(basename "$example")"
done

timeout 120 xvfb-run -a -s "-screen 0 1600x1000x24" scripts/gui-smoke.sh \
  "$root/usr/bin/lodo-calculator" "$root/usr/share/lodo-calculator/examples/stack-nozzle-line.lxl"
echo "application opened the example and closed cleanly"
