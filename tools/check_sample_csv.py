#!/usr/bin/env python3
"""Checks the bundled sample bank CSV files (subject.csv, options.csv) for consistency.

Usage: check_sample_csv.py [BANK_DIR]   (default: bank/ beside this script's parent)

Reports per category and question type counts and the spread of key positions, and
fails (exit status 1) on any structural problem: bad ids, wrong option counts, not
exactly one key, duplicate ids or stems, empty stems or explanations, stems that are
too long or span several paragraphs, wrong study set for the lorry/bus categories.
"""
import csv
import os
import sys
from collections import Counter, defaultdict

SUBJECT_HEADER = ["subid", "subtitle", "subpic", "info", "infopic", "typeId", "sortid", "stid"]
OPTIONS_HEADER = ["optid", "subid", "optcontent", "iskey"]
MAX_STEM = 90
OWN_SET = {6: 9, 7: 10}


def read(path, header):
    with open(path, encoding="utf-8", newline="") as f:
        rows = list(csv.reader(f))
    if not rows or rows[0][: len(header)] != header:
        raise SystemExit(f"{path}: header must start with {','.join(header)}")
    names = rows[0]
    out = []
    for n, row in enumerate(rows[1:], start=2):
        if len(row) != len(names):
            raise SystemExit(f"{path} row {n}: {len(row)} cells, header has {len(names)}")
        out.append((n, dict(zip(names, row))))
    return out


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "bank")
    subjects = read(os.path.join(folder, "subject.csv"), SUBJECT_HEADER)
    options = read(os.path.join(folder, "options.csv"), OPTIONS_HEADER)
    errors = []
    warnings = []

    def err(msg):
        errors.append(msg)

    sub = {}
    stems = {}
    order = []
    for n, r in subjects:
        try:
            sid, typ, sort, st = int(r["subid"]), int(r["typeId"]), int(r["sortid"]), int(r["stid"])
        except ValueError:
            err(f"subject.csv row {n}: non-numeric id field")
            continue
        if sid in sub:
            err(f"subject.csv row {n}: duplicate subid {sid}")
        sub[sid] = (typ, sort, st, r)
        order.append(sid)
        stem, info = r["subtitle"].strip(), r["info"].strip()
        if not stem:
            err(f"subid {sid}: empty stem")
        if not info:
            err(f"subid {sid}: empty explanation")
        if "\n" in r["subtitle"]:
            err(f"subid {sid}: stem spans several lines")
        if len(stem) > MAX_STEM:
            err(f"subid {sid}: stem has {len(stem)} characters (max {MAX_STEM})")
        # Picture questions share stems such as "如图所示……"; the picture tells them apart.
        seen = (stem, r["subpic"])
        if seen in stems:
            err(f"subid {sid}: same stem and picture as subid {stems[seen]}")
        stems[seen] = sid
        if typ not in (1, 2):
            err(f"subid {sid}: typeId {typ} is neither 1 nor 2")
        if not 1 <= st <= 10:
            err(f"subid {sid}: stid {st} outside 1..10")
        if sort in OWN_SET and st != OWN_SET[sort]:
            err(f"subid {sid}: category {sort} belongs to study set {OWN_SET[sort]}, not {st}")
        if sort not in OWN_SET and st > 8:
            err(f"subid {sid}: general category {sort} in the dedicated study set {st}")
        if sid // 1000 != sort:
            warnings.append(f"subid {sid}: id lies outside the block {sort}001..{sort}999 of its category")
        for field in ("subpic", "infopic"):
            if r[field].strip() == "":
                err(f"subid {sid}: {field} is empty (write NULL for no picture)")
    if order != sorted(order):
        err("subject.csv: rows are not in subid order")

    opts = defaultdict(list)
    optids = set()
    seen_done = set()
    last = None
    for n, r in options:
        try:
            oid, sid, key = int(r["optid"]), int(r["subid"]), int(r["iskey"])
        except ValueError:
            err(f"options.csv row {n}: non-numeric field")
            continue
        if oid in optids:
            err(f"options.csv row {n}: duplicate optid {oid}")
        optids.add(oid)
        if sid not in sub:
            err(f"options.csv row {n}: subid {sid} has no question")
        if sid != last:
            if sid in seen_done:
                err(f"options.csv row {n}: options of subid {sid} are not consecutive")
            if last is not None:
                seen_done.add(last)
            last = sid
        if key not in (0, 1):
            err(f"options.csv row {n}: iskey {key} is neither 0 nor 1")
        if not r["optcontent"].strip():
            err(f"options.csv row {n}: empty option text")
        opts[sid].append((oid, r["optcontent"].strip(), key))

    counts = Counter()
    keypos = defaultdict(Counter)
    tf_true = Counter()
    for sid in order:
        typ, sort, st, r = sub[sid]
        counts[(sort, typ)] += 1
        o = opts.get(sid, [])
        want = 2 if typ == 1 else 4
        if len(o) != want:
            err(f"subid {sid}: {len(o)} options, want {want}")
            continue
        for pos, (oid, text, key) in enumerate(o, start=1):
            if oid != sid * 10 + pos:
                err(f"subid {sid}: option {pos} has optid {oid}, want {sid * 10 + pos}")
        keys = [pos for pos, (_, _, key) in enumerate(o, start=1) if key == 1]
        if len(keys) != 1:
            err(f"subid {sid}: {len(keys)} keys, want exactly one")
            continue
        if typ == 1:
            if [t for _, t, _ in o] != ["正确", "错误"]:
                err(f"subid {sid}: true/false options must be 正确, 错误")
            tf_true[sort] += keys[0] == 1
        else:
            texts = [t for _, t, _ in o]
            if len(set(texts)) != 4:
                err(f"subid {sid}: repeated option text")
            keypos[sort][keys[0]] += 1

    sets = defaultdict(Counter)
    for sid in order:
        sets[sub[sid][1]][sub[sid][2]] += 1
    for sort in sorted({s for s, _ in counts}):
        tf, mc = counts[(sort, 1)], counts[(sort, 2)]
        spread = " ".join(f"{'ABCD'[p - 1]}={keypos[sort][p]}" for p in range(1, 5))
        setinfo = " ".join(f"{k}:{v}" for k, v in sorted(sets[sort].items()))
        print(f"category {sort}: {tf + mc} questions, {tf} true/false ({tf_true[sort]} true), "
              f"{mc} multiple choice; keys {spread}; study sets {setinfo}")
    print(f"{len(order)} questions, {len(optids)} options")
    for w in warnings:
        print("NOTE", w)
    for e in errors:
        print("ERROR", e)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
