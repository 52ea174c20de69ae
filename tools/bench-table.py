#!/usr/bin/env python3
"""Turns the JSON output of kinetora_bench (run with --benchmark_repetitions)
into one table of medians and ratios, and checks the evaluator's goals:

  * evaluate_formula at least 100x faster than muparser's fresh parse
    (SetExpr + Eval) on every formula;
  * within 10x of muparser's pre-compiled Eval on the one-operator formulas.

Usage: bench-table.py result.json   (exit code 0 also when a goal is missed:
the table says so; 2 when the file holds no usable result)
"""
import json
import sys

FRESH_GOAL = 100.0
COMPILED_GOAL = 10.0
ONE_OPERATOR = {"0.693/t", "5*t", "3.32*t", "t>24"}


def medians(path):
    """(name, arg) -> (median ns, label) from the *_median aggregates."""
    with open(path, encoding="utf-8") as f:
        data = json.load(f)
    out = {}
    labels = {}
    for b in data.get("benchmarks", []):
        run = b.get("run_name", b["name"])
        if "label" in b and b["label"]:
            labels[run] = b["label"]
        if b.get("error_occurred"):
            labels[run] = "ERROR: " + b.get("error_message", "")
        if b.get("run_type") == "aggregate" and b.get("aggregate_name") == "median":
            unit = b.get("time_unit", "ns")
            scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}[unit]
            out[run] = b["real_time"] * scale
        elif b.get("run_type") == "iteration" and b.get("repetitions", 1) <= 1:
            unit = b.get("time_unit", "ns")
            scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}[unit]
            out.setdefault(run, b["real_time"] * scale)
    return out, labels, data.get("context", {})


def fmt_ns(v):
    if v is None:
        return "-"
    if v >= 1e6:
        return "%.2f ms" % (v / 1e6)
    if v >= 1e3:
        return "%.2f us" % (v / 1e3)
    return "%.1f ns" % v


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    med, labels, ctx = medians(sys.argv[1])
    if not med:
        print("no benchmark results in", sys.argv[1])
        return 2

    rows = []
    i = 0
    while "evaluate_formula/%d" % i in med or "evaluate_formula/%d" % i in labels:
        key = "/%d" % i
        ev = med.get("evaluate_formula" + key)
        fr = med.get("muparser_fresh" + key)
        co = med.get("muparser_compiled" + key)
        fl = med.get("cpp_floor" + key)
        kf = med.get("evaluate_keys_first" + key)
        text = labels.get("evaluate_formula" + key, "?")
        rows.append((text, ev, fr, co, fl, kf))
        i += 1

    with open(sys.argv[1], encoding="utf-8") as f:
        reps = max([b.get("repetitions", 1) for b in json.load(f).get("benchmarks", [])] or [1])
    print("Real-time medians of %d repetitions, %s CPU(s) at %s MHz, load %s" % (
        reps, ctx.get("num_cpus", "?"), ctx.get("mhz_per_cpu", "?"),
        " ".join("%.2f" % x for x in ctx.get("load_avg", []))))
    print("Ratios: fresh/eval = muparser fresh parse / evaluate_formula (goal >= %gx); "
          "eval/compiled = evaluate_formula / muparser pre-compiled (goal <= %gx on "
          "one-operator formulas); eval/floor = evaluate_formula / hand-written C++;\n"
          "keys first = evaluate_formula with \"t\" and \"x\" first of the 14 inputs "
          "(the difference is the key scan)." % (
              FRESH_GOAL, COMPILED_GOAL))
    print()
    head = ("formula", "evaluate", "keys first", "mu fresh", "mu compiled", "C++ floor",
            "fresh/eval", "eval/compiled", "eval/floor", "goals")
    w = max(len(r[0]) for r in rows) if rows else 10
    line = "%-*s %10s %10s %10s %11s %10s %10s %13s %10s  %s"
    print(line % ((w,) + head))
    print("-" * (w + 105))
    missed = []
    for text, ev, fr, co, fl, kf in rows:
        r_fresh = fr / ev if ev and fr else None
        r_comp = ev / co if ev and co else None
        r_floor = ev / fl if ev and fl else None
        goals = []
        if r_fresh is None or r_fresh < FRESH_GOAL:
            goals.append("MISSED >=%gx fresh" % FRESH_GOAL)
            missed.append((text, "fresh", r_fresh))
        if text in ONE_OPERATOR and (r_comp is None or r_comp > COMPILED_GOAL):
            goals.append("MISSED <=%gx compiled" % COMPILED_GOAL)
            missed.append((text, "compiled", r_comp))
        print(line % (w, text, fmt_ns(ev), fmt_ns(kf), fmt_ns(fr), fmt_ns(co), fmt_ns(fl),
                      "%.0fx" % r_fresh if r_fresh else "-",
                      "%.1fx" % r_comp if r_comp else "-",
                      "%.1fx" % r_floor if r_floor else "-",
                      ", ".join(goals) if goals else "met"))
    print()

    others = []
    if "compute_tool" in med:
        others.append(("compute_tool", labels.get("compute_tool", ""), med["compute_tool"]))
    i = 0
    while "format_value/%d" % i in med:
        others.append(("format_value", labels.get("format_value/%d" % i, ""),
                       med["format_value/%d" % i]))
        i += 1
    for kind in range(1, 12):
        k = "build_custom_report/%d" % kind
        if k in med:
            others.append(("report kind %d" % kind, labels.get(k, ""), med[k]))
    if others:
        w2 = max(len(o[0]) + len(o[1]) + 3 for o in others)
        for name, label, v in others:
            print("%-*s %11s" % (w2, "%s (%s)" % (name, label), fmt_ns(v)))
        print()

    if missed:
        print("Goals missed:")
        for text, which, ratio in missed:
            if which == "fresh":
                print("  %-52s fresh/eval %s (goal >= %gx)" % (
                    text, "%.0fx" % ratio if ratio else "n/a", FRESH_GOAL))
            else:
                print("  %-52s eval/compiled %s (goal <= %gx)" % (
                    text, "%.1fx" % ratio if ratio else "n/a", COMPILED_GOAL))
    else:
        print("All evaluator goals met.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
