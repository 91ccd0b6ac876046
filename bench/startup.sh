#!/usr/bin/env bash
# Whole-process start-up: the program from launch to an idle, painted main menu, against the bare
# Qt peer with the same windows (bench/bare_peer.cpp), on the bundled bank and on generated banks;
# then on the generated banks as installed for several users (each user's own folder); last, on the
# bundled bank against the peer showing the main menu's Chinese texts as well.
# Runs are paired and interleaved (the order flips every round) and offscreen; reported are the
# medians of the wall times, of the per-pair ratios and of peak RSS.
#   bench/startup.sh [BUILD_DIR [ROUNDS [SIZES...]]]     e.g. bench/startup.sh build 21 20000 100000
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
rounds=${2:-21}
shift $(( $# > 2 ? 2 : $# ))
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(20000 100000)

program=$build/velmoor
peer=$build/bin/bare_peer
timer=$build/bin/timed_run
[ -x "$program/velmoor" ] && [ -x "$peer" ] && [ -x "$timer" ] ||
  { echo "build velmoor, bare_peer and timed_run first" >&2; exit 2; }
export QT_QPA_PLATFORM=offscreen VELMOOR_QUIT_WHEN_IDLE=1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs one command; appends "microseconds max-RSS-KiB" to the file $1.
timed() {
  local out=$1; shift
  "$timer" "$@" >> "$out"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# A program folder beside the built one, with its own bank.
folder_with() {
  local dir=$work/bank$1
  mkdir -p "$dir"
  cp "$program/velmoor" "$dir/"
  for f in html upload system.ini; do ln -s "$program/$f" "$dir/$f"; done
  "$here/bench/makebank.sh" "$program/velmoor-bank" "$1" "$dir/data.db" >/dev/null
  echo "$dir"
}

# measure LABEL FOLDER [PEER_MODE]
measure() {
  local label=$1 dir=$2 mode=${3:-startup}
  local p=$work/p.$label q=$work/q.$label
  : > "$p"; : > "$q"
  # One unmeasured pair warms the page cache.
  "$dir/velmoor" >/dev/null 2>&1; "$peer" "$mode" >/dev/null 2>&1
  for ((i = 0; i < rounds; ++i)); do
    if (( i % 2 == 0 )); then timed "$p" "$dir/velmoor"; timed "$q" "$peer" "$mode"
    else timed "$q" "$peer" "$mode"; timed "$p" "$dir/velmoor"; fi
  done
  local tp tq ratio rp rq
  tp=$(cut -d' ' -f1 "$p" | median)
  tq=$(cut -d' ' -f1 "$q" | median)
  ratio=$(paste -d' ' "$p" "$q" | awk '{ print $1 / $3 }' | median)
  rp=$(cut -d' ' -f2 "$p" | median)
  rq=$(cut -d' ' -f2 "$q" | median)
  awk -v l="$label" -v tp="$tp" -v tq="$tq" -v r="$ratio" -v rp="$rp" -v rq="$rq" 'BEGIN {
    printf "%-12s program %7.1f ms  peer %7.1f ms  ratio %5.2f   RSS %6.1f / %6.1f MiB = %4.2f\n",
           l, tp / 1000, tq / 1000, r, rp / 1024, rq / 1024, rp / rq }'
}

echo "start-up to an idle main menu, $rounds pairs, $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
measure bundled "$program"
for n in "${sizes[@]}"; do
  measure "$n" "$(folder_with "$n")"
done
# Installed for several users: the folder holds "shared", so each run works in the user's own
# folder made from it. The first start copies the bank and records it; the bank file has rested by
# then, so later starts tell it unchanged without reading it.
for n in "${sizes[@]}"; do
  dir=$work/bank$n
  touch "$dir/shared"
  export XDG_DATA_HOME=$work/home$n
  sleep 2
  "$dir/velmoor" >/dev/null 2>&1
  measure "$n-own" "$dir"
  unset XDG_DATA_HOME
done
# Against a peer that also shows the main menu's Chinese texts in the program's faces.
measure chinese "$program" startup-chinese
