#!/bin/sh
# Grabs the main windows on the sample bank into docs/screenshots. BUILD_DIR names the build
# directory (default build).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja
cmake --build "$build" -j2 --target velmoor-bank velmoor-screenshots

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/velmoor/velmoor-bank" import "$root/bank" "$work/data.db"
cp -R "$root/bank/upload" "$work/upload"
QT_QPA_PLATFORM=offscreen "$build/bin/velmoor-screenshots" "$work" "$root/docs/screenshots"
