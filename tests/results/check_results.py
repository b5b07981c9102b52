#!/usr/bin/python3
"""Reads the labelled CSV tables of a run with Python's csv module and checks them against the
plain result files of the same run, and checks that runs.jsonl holds what repeats the run.

  check_results.py check RUNDIR          the CSVs against the result files; writes RUNDIR/replay.uxs
  check_results.py same FIRST REPLAY     the replay wrote the same files and the same records
"""
import csv
import hashlib
import json
import os
import re
import sys

KINDS = ["H", "I", "D", "DA"]
NAMES = ["Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune",
         "Pluto", "IC"]
failures = []


def fail(text):
    failures.append(text)


def lines(rundir, name):
    with open(os.path.join(rundir, name), encoding="latin-1") as f:
        return f.read().split("\n")[:-1]


def table(rundir, name):
    with open(os.path.join(rundir, name), newline="", encoding="utf-8") as f:
        return list(csv.DictReader(f))


def same(file_name, file_lines, values, fmt):
    """The file's lines are the CSV's numbers printed as the program prints them."""
    printed = [fmt % v for v in values]
    if file_lines != printed:
        fail("%s: %d lines, CSV gives %d; first difference %s" % (
            file_name, len(file_lines), len(printed),
            next(((a, b) for a, b in zip(file_lines, printed) if a != b), "in length")))


def matrices(rows):
    """element/row_sum/matrix_sum rows of the long format, by kind."""
    m = {k: {} for k in KINDS}
    rsum = {k: {} for k in KINDS}
    total = {}
    for r in rows:
        kind = r["kind"]
        if r["quantity"] == "element":
            m[kind][(NAMES.index(r["row"]), NAMES.index(r["column"]))] = float(r["value"])
        elif r["quantity"] == "row_sum":
            rsum[kind][NAMES.index(r["row"])] = float(r["value"])
        elif r["quantity"] == "matrix_sum":
            total[kind] = float(r["value"])
        else:
            fail("unknown quantity %r" % r["quantity"])
    return m, rsum, total


def check_continuum(rundir, last):
    m, rsum, total = matrices(table(rundir, "continuum.csv"))
    n = last + 1
    for k, name in enumerate(["zshcontinuum.txt", "zsicontinuum.txt", "zsdcontinuum.txt",
                              "zsdacontinuum.txt"]):
        same(name, lines(rundir, name), [rsum[KINDS[k]][p] for p in range(n)], "%f")
    for name in ["matrixsumcontinuum.txt", "mscontinuum.txt"]:
        same(name, lines(rundir, name), [total[k] for k in KINDS], "%f")
    same("dathcontinuum.txt", lines(rundir, "dathcontinuum.txt"),
         [m["H"][(i, j)] for i in range(n) for j in range(i + 1, n)], "%f")
    if len(m["H"]) != n * n:
        fail("continuum.csv: %d H elements for %d principles" % (len(m["H"]), n))


def check_event_matrices(rundir, last):
    m, rsum, total = matrices(table(rundir, "eventmatrices.csv"))
    n = last + 1
    for k, kind in enumerate(KINDS):
        same("zsumm%s.txt" % kind.lower(), lines(rundir, "zsumm%s.txt" % kind.lower()),
             [rsum[kind][p] for p in range(n)], "%f")
        matrix_file = ["dath.txt", "dati.txt", "datz.txt", "data.txt"][k]
        same(matrix_file, lines(rundir, matrix_file),
             [m[kind][(i, j)] for i in range(n) for j in range(n)], "%f")
    same("matrixsumevent.txt", lines(rundir, "matrixsumevent.txt"), [total[k] for k in KINDS],
         "%f")


def check_events(rundir, first_row):
    rows = table(rundir, "events.csv")
    count = int(float(lines(rundir, "eventsdat.txt")[0]))
    if len(rows) != count:
        fail("events.csv: %d rows, eventsdat.txt says %d" % (len(rows), count))
    if [int(r["event"]) for r in rows] != list(range(1, count + 1)):
        fail("events.csv: events not numbered 1..%d" % count)
    if [int(r["row"]) for r in rows] != list(range(first_row, first_row + count)):
        fail("events.csv: table rows are not %d.." % first_row)
    same("juliandat.txt", lines(rundir, "juliandat.txt"),
         [float(r["julian_date"]) for r in rows], "%f")
    for kind in KINDS:
        name = "events%s.txt" % kind.lower()
        same(name, lines(rundir, name), [float(r["S" + kind]) for r in rows], "%f")
    for r in rows:
        if not re.fullmatch(r"\d{4}-\d\d-\d\d", r["date"]) or not r["name"]:
            fail("events.csv: row %s has date %r, name %r" % (r["event"], r["date"], r["name"]))


def check_density(rundir, groups):
    rows = table(rundir, "density.csv")
    if [int(r["group"]) for r in rows] != list(range(1, groups + 1)):
        fail("density.csv: groups are not 1..%d" % groups)
    # The terminal prints the extremes, which start at fixed values (0/0, 200/1, 0/0, 20000/1).
    text = open(os.path.join(rundir, "terminal.log"), encoding="latin-1").read()
    found = re.search(r"minH: (\S+) maxH : (\S+) \n  minI: (\S+) maxI: (\S+) \s*\n  minD: (\S+) "
                      r"maxD : (\S+) \n  minDA: (\S+) maxDA: (\S+)", text)
    if not found:
        fail("terminal.log: no limits line")
        return
    starts = {"H": (0.0, 0.0), "I": (200.0, 1.0), "D": (0.0, 0.0), "DA": (20000.0, 1.0)}
    printed = []
    for kind in KINDS:
        values = [float(r[kind]) for r in rows]
        printed += ["%3.2f" % min([starts[kind][0]] + values),
                    "%3.2f" % max([starts[kind][1]] + values)]
    if list(found.groups()) != printed:
        fail("density.csv extremes %s, terminal %s" % (printed, list(found.groups())))


def check_probability(rundir, last, groups):
    rows = table(rundir, "probability.csv")
    n = last + 1
    codes = {k: {} for k in KINDS}
    bigger = []
    for r in rows:
        if r["count"] and abs(float(r["percent"]) - int(r["count"]) * 100.0 / groups) > 1e-9:
            fail("probability.csv: share %s of %s/%s" % (r["percent"], r["count"], groups))
        if r["quantity"] == "element":
            codes[r["kind"]][(NAMES.index(r["row"]), NAMES.index(r["column"]))] = r["significance"]
        elif r["quantity"] == "row_sum":
            codes[r["kind"]][(NAMES.index(r["row"]), n)] = r["significance"]
        else:
            bigger.append("%7.2f" % float(r["percent"]))
    for kind in KINDS:
        same("significance%s.txt" % kind.lower(),
             lines(rundir, "significance%s.txt" % kind.lower()),
             [int(codes[kind][(i, j)]) for i in range(n) for j in range(n + 1)], "%i")
    page = open(os.path.join(rundir, "probability.txt"), encoding="latin-1").read()
    if re.findall(r"bigger are: (.{7}) %", page) != bigger:
        fail("probability.txt 'bigger are' %s, CSV %s" % (re.findall(r"bigger are: (.{7}) %",
                                                                  page), bigger))


def records(rundir):
    with open(os.path.join(rundir, "runs.jsonl"), encoding="utf-8") as f:
        return [json.loads(line) for line in f]


def replay_script(runs):
    """An automation script that gives every recorded answer again."""
    out = []
    for run in runs:
        if run["seed"]["module_runs_before"] == 0:
            out.append("seed %d" % run["seed"]["value"])
        out += ["tab Menu", 'click "%s"' % run["module"]]
        for a in run["answers"]:
            d, v = a["dialog"], a["answer"]
            if d == "InputInt":
                out += ["expect InputInt", "fill %d" % v, "click OK"]
            elif d == "InputDouble":
                out += ["expect InputDouble", "fill %r" % v, "click OK"]
            elif d == "InputYesNo":
                out += ["expect InputYesNo", "click %s" % ("Yes" if v == "yes" else "No")]
            elif d == "InputDate":
                out.append('expect "%s"' % a["message"])
                for i, field in enumerate(["day", "month", "year", "hour", "minute"]):
                    out.append("input %d %d" % (i + 1, v[field]))
                out.append("click OK")
            elif d == "file":
                out.append('file "%s"' % v if v else "file cancel")
            else:
                fail("no replay for dialog %s" % d)
    return "\n".join(out + ["quit"]) + "\n"


def check(rundir):
    runs = records(rundir)
    modules = [r["module"] for r in runs]
    wanted = ["Statistics 1 - Continuum", "Event Analysis", "Statistics 2 - Density Function",
              "Matrix Probability"]
    if modules != wanted:
        fail("runs.jsonl modules %s" % modules)
        return
    continuum, events, density, probability = runs
    last = int(float(lines(rundir, "datdat.txt")[0]))
    first_row = events["table"]["first_row"]
    check_continuum(rundir, last)
    check_event_matrices(rundir, last)
    check_events(rundir, first_row)
    groups = [a["answer"] for a in density["answers"] if a["dialog"] == "InputInt"][0]
    check_density(rundir, groups)
    groups = [a["answer"] for a in probability["answers"] if a["dialog"] == "InputInt"][0]
    check_probability(rundir, last, groups)
    # The record: seeds as the script set them, the table by its digest, the files written.
    seeds = [(r["seed"]["value"], r["seed"]["source"], r["seed"]["module_runs_before"])
             for r in runs]
    if seeds != [(5, "script", 0), (5, "script", 1), (11, "script", 0), (11, "script", 1)]:
        fail("runs.jsonl seeds %s" % seeds)
    t = events["table"]
    digest = hashlib.sha256(open(t["file"], "rb").read()).hexdigest()
    if t["sha256"] != digest or t["rows"] != len(table(rundir, "events.csv")):
        fail("runs.jsonl table %s, file digest %s" % (t, digest))
    for name, run in zip(["continuum.csv", "eventmatrices.csv", "density.csv",
                          "probability.csv"], runs):
        if name not in run["files"] or not run["files_written"] or not run["program"]:
            fail("runs.jsonl %s: %s" % (run["module"], run["files"]))
    with open(os.path.join(rundir, "replay.uxs"), "w") as f:
        f.write(replay_script(runs))


def same_runs(first, replay):
    a, b = records(first), records(replay)
    for r in a + b:
        del r["start"], r["end"]
    if a != b:
        fail("the replay's records differ from the first run's")
    for run in a:
        for name in run["files"]:
            if open(os.path.join(first, name), "rb").read() != \
                    open(os.path.join(replay, name), "rb").read():
                fail("the replay wrote a different %s" % name)


if __name__ == "__main__":
    if sys.argv[1] == "check":
        check(sys.argv[2])
    else:
        same_runs(sys.argv[2], sys.argv[3])
    for text in failures:
        print(text)
    sys.exit(1 if failures else 0)
