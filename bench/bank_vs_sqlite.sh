#!/usr/bin/env bash
# Times velmoor-bank import and export against the sqlite3 shell's .import (alone, and followed by
# the same search index the tool builds) and CSV output on the same generated bank, in paired runs
# (the order alternates), and prints the median times, their ratio and the peak memory of each
# side. Each run is timed by bench/timed_run.cpp, built beside the tool (BUILD_DIR/bin).
#
#   bench/bank_vs_sqlite.sh [path/to/velmoor-bank] [questions] [runs]
set -euo pipefail

tool=${1:-build/velmoor/velmoor-bank}
questions=${2:-100000}
runs=${3:-5}
tool=$(realpath "$tool")
timer=$(dirname "$tool")/../bin/timed_run
for need in sqlite3 "$timer" awk; do
  command -v "$need" >/dev/null || { echo "needs $need" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bank=$work/bank
mkdir -p "$bank"

# Questions in 10 categories with 4 options each; texts of realistic length with Chinese,
# commas, doubled quotes and line breaks, in UTF-8.
awk -v n="$questions" -v dir="$bank" 'BEGIN {
  sort = dir "/sort.csv"; subject = dir "/subject.csv"; options = dir "/options.csv"
  print "sortID,sortname,scale0,scale1,scale2,scale3,scale4" > sort
  for (s = 1; s <= 10; ++s) printf "%d,类别%d,10,10,10,5,5\n", s, s > sort
  print "subid,subtitle,subpic,info,infopic,typeId,sortid,stid,errorTimes" > subject
  print "optid,subid,optcontent,iskey" > options
  optid = 1
  for (q = 1; q <= n; ++q) {
    pic = (q % 3 == 0) ? q ".jpg" : ""
    printf "%d,\"驾驶机动车在道路上行驶，遇到\"\"前方施工\"\"标志时，应当怎样做？%d\",%s," \
           "\"依据道路交通安全法，\n应当减速慢行，注意观察。\",,%d,%d,%d,0\n",
           q, q, pic, (q % 2) ? 1 : 2, q % 10 + 1, q % 11 > subject
    for (o = 0; o < 4; ++o)
      printf "%d,%d,选项内容，较长的一段说明文字%d,%d\n", optid++, q, o, (o == 0) > options
  }
}'

# The same tables for the shell, made by the tool itself: the bank's tables and indexes only, not
# the search index and the triggers that keep it in step.
"$tool" import "$bank" "$work/schema.db" >/dev/null
sqlite3 "$work/schema.db" "SELECT sql || ';' FROM sqlite_master WHERE type IN ('table', 'index')
                           AND sql IS NOT NULL AND name NOT LIKE 'search%'
                           AND name NOT LIKE 'sqlite%'" > "$work/schema.sql"

cat > "$work/import.sql" <<EOF
.read $work/schema.sql
.import --csv --skip 1 $bank/sort.csv sort
.import --csv --skip 1 $bank/subject.csv subject
.import --csv --skip 1 $bank/options.csv options
EOF
# The tool's import also builds the search index; the shell doing the same afterwards, for a
# second comparison.
cat > "$work/import-indexed.sql" <<EOF
.read $work/import.sql
CREATE VIRTUAL TABLE search_text USING fts5(body, tokenize = 'trigram');
INSERT INTO search_text (search_text, rank) VALUES ('hashsize', 4194304);
INSERT INTO search_text (rowid, body)
SELECT s.subid, coalesce(s.subtitle, '') || char(10) || coalesce(o.texts, '') || char(10) ||
       coalesce(nullif(s.info, 'NULL'), '')
FROM subject s LEFT JOIN (SELECT subid, group_concat(optcontent, char(10)) AS texts FROM options
                          GROUP BY subid) o ON o.subid = s.subid;
EOF
cat > "$work/export.sql" <<EOF
.headers on
.mode csv
.once $work/sqlite-out/sort.csv
SELECT sortID, sortname, scale0, scale1, scale2, scale3, scale4 FROM sort ORDER BY rowid;
.once $work/sqlite-out/subject.csv
SELECT subid, subtitle, subpic, info, infopic, typeId, sortid, stid, errorTimes FROM subject ORDER BY subid, rowid;
.once $work/sqlite-out/options.csv
SELECT optid, subid, optcontent, iskey FROM options ORDER BY rowid;
EOF

# Prints "seconds kilobytes" of one command.
measure() {
  "$timer" "$@" </dev/null | awk '{ print $1 / 1e6, $2 }'
}

velmoor_import() { rm -f "$work"/v.db*; measure "$tool" import "$bank" "$work/v.db"; }
sqlite_import() { rm -f "$work"/s.db*; measure sqlite3 "$work/s.db" ".read $work/import.sql"; }
sqlite_import_indexed() {
  rm -f "$work"/s.db*; measure sqlite3 "$work/s.db" ".read $work/import-indexed.sql"
}
velmoor_export() { rm -rf "$work/velmoor-out"; measure "$tool" export "$work/v.db" "$work/velmoor-out"; }
sqlite_export() {
  rm -rf "$work/sqlite-out"; mkdir "$work/sqlite-out"
  measure sqlite3 "$work/v.db" ".read $work/export.sql"
}

# One warm-up of each, then paired runs in alternating order.
velmoor_import >/dev/null; sqlite_import >/dev/null
velmoor_export >/dev/null; sqlite_export >/dev/null
: > "$work/results"
for ((i = 0; i < runs; ++i)); do
  if ((i % 2 == 0)); then
    vi=$(velmoor_import); si=$(sqlite_import); sx=$(sqlite_import_indexed)
    ve=$(velmoor_export); se=$(sqlite_export)
  else
    sx=$(sqlite_import_indexed); si=$(sqlite_import); vi=$(velmoor_import)
    se=$(sqlite_export); ve=$(velmoor_export)
  fi
  echo "import $vi $si" >> "$work/results"
  echo "import+index $vi $sx" >> "$work/results"
  echo "export $ve $se" >> "$work/results"
done

bytes=$(cat "$bank"/*.csv | wc -c)
echo "bank: $questions questions, $((questions * 4)) options, $((bytes / 1024 / 1024)) MiB of CSV; $runs paired runs"
for what in import import+index export; do
  awk -v what="$what" '$1 == what { v[++n] = $2; s[n] = $4; r[n] = $2 / $4
                                    if ($3 > vm) vm = $3; if ($5 > sm) sm = $5 }
    function median(a, n,   i, j, t) {
      for (i = 2; i <= n; ++i) for (j = i; j > 1 && a[j - 1] > a[j]; --j) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
      return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2 }
    END { printf "%s: velmoor-bank %.2f s, sqlite3 %.2f s, ratio %.2f (median of paired ratios); " \
                 "peak RSS velmoor-bank %.1f MiB, sqlite3 %.1f MiB\n",
                 what, median(v, n), median(s, n), median(r, n), vm / 1024, sm / 1024 }' "$work/results"
done
