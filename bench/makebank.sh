#!/usr/bin/env bash
# Builds a question bank of N questions from the bundled sample bank, through the bank tool: the
# sample's categories, then its questions and options repeated under new ids until there are N.
#   bench/makebank.sh BANK_TOOL N DATABASE
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 BANK_TOOL N DATABASE" >&2; exit 2; }
tool=$1 n=$2 db=$3
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp "$here/bank/sort.csv" "$work/"
# The sample's ids are below 10000; copy k of question s gets id 10000 * k + s, its options the
# question id * 10 + their position, so ids never collide and options keep their order.
awk -F, -v n="$n" -v OFS=, '
  NR == FNR { if (FNR > 1) { q[++nq] = $0 } else header = $0; next }
  FNR == 1 { print header > sub_out; opt_header = $0; print opt_header > opt_out; next }
  { opts[$2] = opts[$2] $0 "\n" }
  END {
    for (i = 0; i < n; ++i) {
      split(q[i % nq + 1], f, ",")
      k = int(i / nq)
      id = k == 0 ? f[1] : 10000 * k + f[1]
      line = id; for (j = 2; j <= 8; ++j) line = line "," f[j]
      print line > sub_out
      m = split(opts[f[1]], rows, "\n")
      p = 0
      for (r = 1; r <= m; ++r) {
        if (rows[r] == "") continue
        split(rows[r], o, ",")
        print (k == 0 ? o[1] : id * 10 + (++p)), id, o[3], o[4] > opt_out
      }
    }
  }' sub_out="$work/subject.csv" opt_out="$work/options.csv" \
  "$here/bank/subject.csv" "$here/bank/options.csv"

rm -f "$db"
"$tool" import "$work" "$db"
