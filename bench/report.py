#!/usr/bin/env python3
"""Prints the one table of benchmark figures and ratios, with the goals beside them.

    report.py RESULTS_DIR

RESULTS_DIR holds what tools/bench.sh gathered: timing.json (Google Benchmark, every repetition),
instructions-KIND-SETTING.txt (the plug-in's own instructions per call), render.json (the reference
renderer with the plug-in and with its built-in probe), allocations.txt (the allocation test's
verdict) and machine.txt. Timings are medians over the repetitions; ratios are medians of the
ratios of repetitions run side by side.
"""
import json
import statistics
import sys
from collections import defaultdict
from pathlib import Path


def load_timing(path):
    """name -> {repetition index: run} for the single runs (no aggregates)."""
    runs = defaultdict(dict)
    for run in json.loads(path.read_text())["benchmarks"]:
        if run.get("run_type") == "iteration":
            runs[run["run_name"]][run.get("repetition_index", 0)] = run
    return runs


def rate(runs, name):
    """Median calls per second (CPU time for one thread, wall time for several)."""
    return statistics.median(r["items_per_second"] for r in runs[name].values())


def ratio(runs, over, under, key):
    """Median of the per-repetition ratios key(over) / key(under)."""
    pairs = [(runs[over][i], runs[under][i]) for i in runs[over] if i in runs[under]]
    return statistics.median(key(a) / key(b) for a, b in pairs)


def seconds_per_call(run):
    return 1.0 / run["items_per_second"]


def calls_per_second(run):
    return run["items_per_second"]


def verdict(value, goal, at_most=True):
    met = value <= goal if at_most else value >= goal
    return "yes" if met else "NO"


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    results = Path(sys.argv[1])
    runs = load_timing(results / "timing.json")
    repetitions = max(len(r) for r in runs.values())
    rows = []  # (figure, measured, goal, met)

    def row(figure, measured, goal="", met=""):
        rows.append((figure, measured, goal, met))

    def section(title):
        rows.append((title, None, None, None))

    section("1. Forwarding: mi_point_to_world of a host that copies, per call")
    if "forwarding/forwarder" in runs:
        for name, label in [("forwarder", "resolved forwarder (binding layer)"),
                            ("loader_stub", "dynamic loader's stub"),
                            ("direct_pointer", "direct call through a pointer")]:
            row(f"   {label}", f"{1e9 / rate(runs, 'forwarding/' + name):.2f} ns")
        r = ratio(runs, "forwarding/forwarder", "forwarding/loader_stub", seconds_per_call)
        row("   forwarder / loader's stub", f"{r:.3f}", "<= 1.10", verdict(r, 1.10))
        r = ratio(runs, "forwarding/forwarder", "forwarding/direct_pointer", seconds_per_call)
        row("   forwarder / direct pointer", f"{r:.3f}")
    else:
        row("   (no binding layer in this build)", "-")

    section("2. Shader: vantrel against a host that answers at once")
    for setting in ("minimal", "full"):
        for kind in ("loader_bound", "binding"):
            name = f"shader/{setting}/{kind}"
            if name in runs:
                row(f"   {setting}, {kind.replace('_', '-')}: calls/s",
                    f"{rate(runs, name) / 1e6:.1f} M")
    goals = {"minimal": 250, "full": 450}
    for setting in ("minimal", "full", "scene"):
        for kind in ("loader_bound", "binding"):
            path = results / f"instructions-{kind}-{setting}.txt"
            if not path.exists():
                continue
            count = float(path.read_text().split()[0])
            goal = goals.get(setting)
            row(f"   {setting}, {kind.replace('_', '-')}: own instructions/call", f"{count:.0f}",
                f"<= {goal}" if goal else "", verdict(count, goal) if goal else "")

    section("3. Scaling: full setting, one shared parameter block, calls/s")
    scaling = sorted((runs[n][0]["threads"], n) for n in runs if n.startswith("scaling/"))
    for threads, name in scaling:
        row(f"   {threads} thread{'s' if threads > 1 else ''}", f"{rate(runs, name) / 1e6:.1f} M")
    one = next((n for t, n in scaling if t == 1), None)
    for threads, name in scaling:
        if threads > 1 and one:
            r = ratio(runs, name, one, calls_per_second)
            goal = ">= 1.9" if threads == 2 else ""
            row(f"   {threads} threads / 1 thread", f"{r:.2f}", goal,
                verdict(r, 1.9, at_most=False) if threads == 2 else "")
    for threads, name in scaling:
        if threads > 1 and one:
            r = ratio(runs, name, one, lambda run: run["cpu_ns_per_call"])
            row(f"   CPU time per call, {threads} threads / 1 thread", f"{r:.2f}")

    section("4. Reference renderer, built-in scene: frame render time")
    render = json.loads((results / "render.json").read_text())
    plugin, builtin = render["plugin_seconds"], render["builtin_seconds"]
    row(f"   with the plug-in ({render['width']} x {render['height']}, "
        f"{render['threads']} threads)", f"{statistics.median(plugin) * 1e3:.1f} ms")
    row("   with the built-in probe", f"{statistics.median(builtin) * 1e3:.1f} ms")
    r = statistics.median(p / b for p, b in zip(plugin, builtin))
    row("   plug-in / built-in probe", f"{r:.3f}", "<= 1.05", verdict(r, 1.05))

    section("5. Heap allocations (tests/allocation, counted exactly)")
    passed = (results / "allocations.txt").read_text().strip() == "passed"
    row("   per vantrel call and per resolved forwarded call", "0" if passed else "not 0",
        "0", "yes" if passed else "NO")

    machine = (results / "machine.txt").read_text().strip()
    print(f"{machine}; timings are medians of {repetitions} repetitions on a shared machine")
    width = max(len(r[0]) for r in rows)
    print(f"{'Figure':<{width}}  {'Measured':>10}  {'Goal':>8}  Met")
    for figure, measured, goal, met in rows:
        if measured is None:
            print(figure)
        else:
            print(f"{figure:<{width}}  {measured:>10}  {goal:>8}  {met}".rstrip())


if __name__ == "__main__":
    main()
