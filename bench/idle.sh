#!/usr/bin/env bash
# Idle CPU: the program's main menu, its examination clock and an animated question picture, each
# left alone for SECONDS beside the bare Qt peer doing the same (bench/bare_peer.cpp), both at
# once, offscreen. Prints the CPU time (user + system) each used and their ratio, per round and
# the median over the rounds.
#   bench/idle.sh [BUILD_DIR [SECONDS [ROUNDS]]]       e.g. bench/idle.sh build 60 3
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
seconds=${2:-60}
rounds=${3:-1}
program=$build/bin/idle_program
peer=$build/bin/bare_peer
folder=$build/velmoor
gif=$folder/upload/car_hazard_flash.gif
[ -x "$program" ] && [ -x "$peer" ] && [ -f "$folder/data.db" ] || { echo "build everything first" >&2; exit 2; }
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "idle CPU over $seconds s, $rounds round(s), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
for scene in menu clock movie; do
  case $scene in
    menu)  p_args=(menu "$seconds" "$folder"); q_args=(menu "$seconds") ;;
    clock) p_args=(clock "$seconds");          q_args=(clock "$seconds") ;;
    movie) p_args=(movie "$seconds" "$gif");   q_args=(movie "$seconds" "$gif") ;;
  esac
  : > "$work/ratios"
  for ((r = 0; r < rounds; ++r)); do
    "$program" "${p_args[@]}" > "$work/p" 2>/dev/null &
    "$peer" "${q_args[@]}" > "$work/q" 2>/dev/null &
    wait
    p=$(tail -1 "$work/p") q=$(tail -1 "$work/q")
    awk -v s="$scene" -v p="$p" -v q="$q" 'BEGIN { printf "%-6s program %8.1f ms  peer %8.1f ms  ratio %5.2f\n", s, p, q, p / q }'
    awk -v p="$p" -v q="$q" 'BEGIN { print p / q }' >> "$work/ratios"
  done
  echo "$scene median ratio $(median < "$work/ratios")"
done
