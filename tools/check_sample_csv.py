#!/usr/bin/env python3
"""Checks the bundled sample bank CSV files (subject.csv, options.csv) for consistency.

Usage: check_sample_csv.py [BANK_DIR]   (default: bank/ beside this script's parent)

Reports per category and question type counts and the spread of key positions, and
fails (exit status 1) on any structural problem: bad ids, wrong option counts, not
exactly one key, duplicate ids or stems, empty stems or explanations, stems that are
too long or span several paragraphs, wrong study set for the lorry/bus categories.

It also fails when the bank teaches the wrong skill or repeats its papers:
- the key is the strictly longest option in more than 30 % of the multiple-choice
  questions, or in more than 40 % of one category's, or in less than 10 % of them
  (a key that is never the longest gives itself away too);
- a category's pool is less than twice its largest quota, or holds less than twice
  the true/false or multiple-choice questions that quota draws (40 % true/false);
- a category's true/false keys are not between 40 % and 60 % "正确";
- two stems are near duplicates (character-bigram Jaccard similarity of the stems
  without punctuation at or above 0.8, pictures apart);
- a general category is spread unevenly over the study sets 1 to 8.
"""
import csv
import itertools
import os
import re
import sys
from collections import Counter, defaultdict

SUBJECT_HEADER = ["subid", "subtitle", "subpic", "info", "infopic", "typeId", "sortid", "stid"]
OPTIONS_HEADER = ["optid", "subid", "optcontent", "iskey"]
SORT_HEADER = ["sortID", "sortname", "scale0", "scale1", "scale2", "scale3", "scale4"]
MAX_STEM = 100  # the longest stem of a real bank
OWN_SET = {6: 9, 7: 10}
MAX_LONGEST_KEY = 0.30
MIN_LONGEST_KEY = 0.10
MAX_LONGEST_KEY_CATEGORY = 0.40
MIN_POOL_RATIO = 2
TRUE_SHARE = (0.40, 0.60)
NEAR_DUPLICATE = 0.8


def bigrams(text):
    plain = re.sub(r"[\W_]+", "", text)
    return {plain[i : i + 2] for i in range(len(plain) - 1)}


def similarity(x, y):
    """Jaccard similarity of two bigram sets."""
    return len(x & y) / len(x | y) if x | y else 1.0


def percent(part, whole):
    return f"{part}/{whole} ({100 * part / whole:.0f} %)" if whole else f"{part}/0"


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
    sorts = read(os.path.join(folder, "sort.csv"), SORT_HEADER)
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
    longest = Counter()  # key strictly longer than every other option
    longest_or_tied = Counter()
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
            key_len = len(texts[keys[0] - 1])
            others = [len(t) for p, t in enumerate(texts, start=1) if p != keys[0]]
            longest[sort] += key_len > max(others)
            longest_or_tied[sort] += key_len >= max(others)

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

    # Measures of a bank worth practising with.
    quotas = {}
    for n, r in sorts:
        try:
            quotas[int(r["sortID"])] = [int(r[f"scale{k}"]) for k in range(5)]
        except ValueError:
            err(f"sort.csv row {n}: non-numeric field")
    all_mc = sum(counts[(s, 2)] for s in quotas)
    all_longest = sum(longest[s] for s in quotas)
    print(f"key strictly longest option: {percent(all_longest, all_mc)} of multiple-choice "
          f"questions (longest or tied: {percent(sum(longest_or_tied.values()), all_mc)})")
    if all_mc and not MIN_LONGEST_KEY <= all_longest / all_mc <= MAX_LONGEST_KEY:
        err(f"the key is the strictly longest option in {percent(all_longest, all_mc)} of the "
            f"multiple-choice questions (want {MIN_LONGEST_KEY:.0%} to {MAX_LONGEST_KEY:.0%})")
    for sort, scales in sorted(quotas.items()):
        tf, mc = counts[(sort, 1)], counts[(sort, 2)]
        top = max(scales)
        need_tf = top * 4 // 10
        print(f"category {sort}: key strictly longest {percent(longest[sort], mc)}; pool "
              f"{tf + mc} for a largest quota of {top}; true/false {percent(tf_true[sort], tf)} "
              f"正确")
        if mc and longest[sort] / mc > MAX_LONGEST_KEY_CATEGORY:
            err(f"category {sort}: the key is the strictly longest option in "
                f"{percent(longest[sort], mc)} of its multiple-choice questions "
                f"(max {MAX_LONGEST_KEY_CATEGORY:.0%})")
        if top > 0:
            if tf + mc < MIN_POOL_RATIO * top:
                err(f"category {sort}: {tf + mc} questions, less than {MIN_POOL_RATIO} times its "
                    f"largest quota {top}")
            for kind, have, need in (("true/false", tf, need_tf), ("multiple-choice", mc,
                                                                   top - need_tf)):
                if have < MIN_POOL_RATIO * need:
                    err(f"category {sort}: {have} {kind} questions, less than {MIN_POOL_RATIO} "
                        f"times the {need} its largest quota draws")
        if tf and not TRUE_SHARE[0] <= tf_true[sort] / tf <= TRUE_SHARE[1]:
            err(f"category {sort}: {percent(tf_true[sort], tf)} of the true/false keys are 正确 "
                f"(want {TRUE_SHARE[0]:.0%} to {TRUE_SHARE[1]:.0%})")
        if sort not in OWN_SET and sets[sort]:
            spread = [sets[sort][st] for st in range(1, 9)]
            if max(spread) - min(spread) > 1:
                err(f"category {sort}: uneven over the study sets 1 to 8 ({spread})")
    for sort in sorted({s for s, _ in counts} - set(quotas)):
        err(f"category {sort} is not in sort.csv")

    # Picture questions share stems such as "如图所示，这个标志是何含义？"; their pictures differ.
    grams = {sid: bigrams(sub[sid][3]["subtitle"]) for sid in order}
    for a, b in itertools.combinations(order, 2):
        pa, pb = sub[a][3]["subpic"].strip(), sub[b][3]["subpic"].strip()
        if pa != "NULL" and pb != "NULL" and pa != pb:
            continue
        score = similarity(grams[a], grams[b])
        if score >= NEAR_DUPLICATE:
            err(f"subid {a} and {b}: near-duplicate stems (similarity {score:.2f})")
    for w in warnings:
        print("NOTE", w)
    for e in errors:
        print("ERROR", e)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
