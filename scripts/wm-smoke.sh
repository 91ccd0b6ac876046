#!/usr/bin/env bash
# Under a real window manager (Xvfb and openbox), the boxes that stop the learner must open on top
# of the always-on-top windows that raised them: the error-prone reset question and the time-out.
# Runs the built program from a scratch copy of its folder, with a 3-second examination time in
# system.ini and a few error counters raised in data.db.
# BUILD_DIR names the build directory (default build); SMOKE_DISPLAY the X display (default :97);
# SMOKE_SHOTS a folder that receives a screenshot of each box.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
display=${SMOKE_DISPLAY:-:97}
shots=${SMOKE_SHOTS:-}

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
trap "exit 1" INT TERM

fail() {
  echo "wm-smoke: FAIL: $*" >&2
  xprop -root _NET_CLIENT_LIST_STACKING >&2 || true
  exit 1
}

[ -x "$build/velmoor/velmoor" ] && [ -f "$build/velmoor/data.db" ] ||
  fail "no program in $build/velmoor: build it first (make build)"
# The program folder is the folder of the executable.
cp -R "$build/velmoor/." "$work/"
printf 'alltime=3\nmark=90\n' >"$work/system.ini"
sqlite3 "$work/data.db" \
  "UPDATE subject SET errorTimes = 1 WHERE rowid IN (SELECT rowid FROM subject LIMIT 3);"

export DISPLAY=$display
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 300); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || fail "no X server on $display"
openbox >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done

"$work/velmoor" >/dev/null 2>&1 &
app=$!
pids+=("$app")

# Client windows, bottom to top, as the window manager stacks them.
stacking() {
  xprop -root _NET_CLIENT_LIST_STACKING | sed -n 's/.*# //p' | tr -d ',' | tr ' ' '\n' | grep .
}
# The first managed dialog window, or nothing.
dialog() {
  local w
  for w in $(stacking); do
    if xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_DIALOG; then
      echo "$w"
      return
    fi
  done
}
# The managed window of the given size, or nothing.
window_of_size() {
  local w
  for w in $(stacking); do
    if xdotool getwindowgeometry "$w" 2>/dev/null | grep -q "Geometry: $1\$"; then
      echo "$w"
      return
    fi
  done
}
wait_for() {
  local what=$1 found=""
  shift
  for _ in $(seq 300); do
    found=$("$@" || true)
    [ -n "$found" ] && break
    sleep 0.1
  done
  [ -n "$found" ] || fail "$what did not appear"
  echo "$found"
}
# Checks that box is the topmost window, above the always-on-top window owner, and titled title.
check_topmost() {
  local box=$1 owner=$2 title=$3 name
  sleep 0.5 # let the window manager settle the stacking
  name=$(xprop -id "$box" WM_NAME | sed -n 's/^WM_NAME([A-Z_0-9]*) = "\(.*\)"$/\1/p')
  [ "$name" = "$title" ] || fail "box titled '$name', expected '$title'"
  [ "$(stacking | tail -n 1)" = "$box" ] || fail "box '$title' is not the topmost window"
  xprop -id "$owner" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE ||
    fail "the window under box '$title' does not stay on top"
  xprop -id "$box" WM_TRANSIENT_FOR | grep -q 'window id' || fail "box '$title' has no owner"
  [ -z "$shots" ] || import -window root "$shots/$title.png"
  echo "wm-smoke: box '$title' is the topmost window"
}

main=$(wait_for "the main menu" window_of_size 786x576)

# The error-prone questions, closed with their reset question "是否清空易错试题?".
xdotool mousemove --window "$main" 686 231 click 1
ycst=$(wait_for "the error-prone questions" window_of_size 795x585)
xdotool mousemove --window "$ycst" 600 548 click 1
box=$(wait_for "the reset question" dialog)
check_topmost "$box" "$ycst" "提示"
xdotool key Escape # No: the counters stay
for _ in $(seq 50); do [ -z "$(dialog)" ] && break; sleep 0.1; done

# A mock examination that runs out of time: "时间到！".
xdotool mousemove --window "$main" 300 300 click 1
xdotool key KP_Multiply
wait_for "the vehicle-class dialog" window_of_size 373x253 >/dev/null
xdotool key Return
wait_for "the instructions" window_of_size 792x576 >/dev/null
xdotool key Return
mnks=$(wait_for "the examination window" window_of_size 796x580)
box=$(wait_for "the time-out box" dialog)
check_topmost "$box" "$mnks" "Velmoor"
xdotool key Return
wait_for "the result window" window_of_size 458x431 >/dev/null
kill -0 "$app" || fail "the program ended"
echo "wm-smoke: passed"
