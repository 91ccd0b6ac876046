#!/bin/sh
# Takes the README's pictures of the main windows on the sample bank into docs/screenshots, on a
# virtual display with a window manager, so framed windows show their frames as on a desktop.
# BUILD_DIR names the build directory (default build). Needs Xvfb and openbox
# (scripts/install-deps.sh installs them).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja
cmake --build "$build" -j2 --target velmoor-bank velmoor-screenshots

work=$(mktemp -d)
xvfb=
wm=
cleanup() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
"$build/velmoor/velmoor-bank" import "$root/bank" "$work/data.db"
# The import brings the pictures along; older bank tools did not.
[ -d "$work/upload" ] || cp -R "$root/bank/upload" "$work/upload"

# A free display number, a 1024 x 768 screen, and the window manager on it.
display=90
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
  display=$((display + 1))
done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in 1 2 3 4 5 6 7 8 9 10; do
  [ -e "/tmp/.X11-unix/X$display" ] && break
  sleep 0.5
done
DISPLAY=":$display" openbox --sm-disable >/dev/null 2>&1 &
wm=$!
sleep 1

DISPLAY=":$display" QT_QPA_PLATFORM=xcb \
  "$build/bin/velmoor-screenshots" "$work" "$root/docs/screenshots"
