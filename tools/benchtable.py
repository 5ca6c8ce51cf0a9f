#!/usr/bin/env python3
"""Puts the figures of several benchmark runs side by side, as the README's Benchmark tables.

Usage:  python3 tools/benchtable.py FIGURES.json...

Each file is one run of tools/benchmark.sh (one view size, one Wine).  Columns go by view size
(the screen the run had) and then by Wine, in the order the files are given.  Prints four
Markdown tables: what each run ran under; every transition on the benchmark's view (steps and
nominal ms, then wall ms and work per step for each Wine); every command in the real program
where the runs timed it; the fade's frame.  A median is followed by the least and the most of
its runs where they lie more than 5 % apart from it.
"""
import json
import re
import sys


def load(path):
    with open(path) as f:
        run = json.load(f)
    wine = re.search(r"Wine (\d+)", run["machine"])
    run["wine"] = "Wine " + wine.group(1) if wine else run["machine"].split(", ")[-1]
    run["size"] = "%d × %d" % tuple(run["client"])
    run["label"] = "800 × 600 view" if not run.get("maximised") else (
        "%d × %d screen, maximised" % tuple(run["screen"]))
    return run


def columns(runs):
    """The runs grouped by screen label, each group in the order given."""
    groups = {}
    for run in runs:
        groups.setdefault(run["label"], []).append(run)
    return list(groups.items())


def spread(median, values):
    """The median, and in brackets the least and the most where one lies 5 % from it."""
    low, high = min(values), max(values)
    if high - median <= 0.05 * median and median - low <= 0.05 * median:
        return "%.0f" % median
    return "%.0f (%.0f–%.0f)" % (median, low, high)


def median(values):
    values = sorted(values)
    half = len(values) // 2
    return values[half] if len(values) % 2 else (values[half - 1] + values[half]) / 2


def conditions_table(runs):
    head = ["run", "screen (X)", "processor", "X11 Driver: Managed, Decorated, ClientSideGraphics",
            "load average at the start; at the end", "region of 6,720 rectangles made: ms at "
            "the start; at the end", "runs"]
    lines = ["| " + " | ".join(head) + " |", "|---|---|---|---|---|---:|---:|"]
    for run in runs:
        c = run.get("conditions")
        if not c:
            continue
        lines.append("| %s, %s | %s | %s × %d | %s, %s, %s | %s; %s | %.1f; %.1f | %d |" % (
            run["label"], c["platform"], c["x_screen"], c["processor"], c["processors"],
            c["managed"], c["decorated"], c["client_side_graphics"], c["load_start"],
            c["load_end"], c.get("rebuild_start_ms", 0), c.get("rebuild_end_ms", 0), c["runs"]))
    return "\n".join(lines)


def key(row):
    return (row["type"], row["flags"], row["name"])


def steps_cell(group, k):
    """Steps and nominal ms of a row on one screen: one value if every Wine agrees."""
    cells = []
    for run in group:
        row = run["rows"].get(k)
        if row is None or row["steps"] == 0:
            continue
        cell = "%d / %.0f" % (row["steps"], row["nominal_ms"])
        if cell not in [c for c, _ in cells]:
            cells.append((cell, run["wine"]))
    if len(cells) <= 1:
        return cells[0][0] if cells else ""
    return cells[0][0] + "".join(" (%s: %s)" % (w, c) for c, w in cells[1:])


def transitions_table(runs):
    groups = columns(runs)
    head = ["transition", "flags", "delay"]
    for label, group in groups:
        sizes = [run["size"] for run in group]
        sizes = [size for i, size in enumerate(sizes) if size not in sizes[:i]]
        head.append("%s (%s): steps / nominal ms" % (label, "; ".join(sizes)))
        head += ["%s: wall ms / work us" % run["wine"] for run in group]
    lines = ["| " + " | ".join(head) + " |",
             "|---|---|---:|" + "---:|" * (len(head) - 3)]
    order = []
    for run in runs:
        run["rows"] = {key(row): row for row in run.get("transitions", [])}
        order += [key(row) for row in run.get("transitions", []) if key(row) not in order]
    for k in order:
        sample = next(run["rows"][k] for run in runs if k in run["rows"])
        cells = [sample["name"], sample["flags"], str(sample["delay"])]
        for _, group in groups:
            cells.append(steps_cell(group, k))
            for run in group:
                row = run["rows"].get(k)
                cells.append("%s / %.0f" % (spread(row["wall_ms"], row["wall_runs_ms"]),
                                             row["work_median_us"])
                             if row and row["steps"] else "")
        lines.append("| " + " | ".join(cells) + " |")
    return "\n".join(lines)


def program_cell(c):
    """A command's median (× nominal); for a growing shape, whose runs are labelled with the way
    they went, the median of each way seen."""
    if not c:
        return ""
    ways = c.get("ways", "")
    groups = [("", c["runs_ms"])]
    if ways:
        groups = [(name, [ms for ms, w in zip(c["runs_ms"], ways) if w == way])
                  for name, way in (("forward ", "F"), ("reversed ", "R"), ("way not seen ", "?"))]
    parts = []
    for name, values in groups:
        if not values:
            continue
        m = median(values)
        notes = ["%.2f" % (m / c["nominal_ms"])] if c["nominal_ms"] else []
        if ways:
            notes.append("%d run%s" % (len(values), "" if len(values) == 1 else "s"))
        parts.append(name + spread(m, values) + (" (%s)" % "; ".join(notes) if notes else ""))
    return "; ".join(parts)


def program_table(runs):
    timed = [run for run in runs if run.get("program", {}).get("commands")]
    if not timed:
        return ""
    groups = columns(timed)
    head = ["command"]
    for label, group in groups:
        head.append("%s: nominal ms" % label)
        head += ["%s: ms (× nominal)" % run["wine"] for run in group]
    lines = ["| " + " | ".join(head) + " |", "|---|" + "---:|" * (len(head) - 1)]
    names = []
    for run in timed:
        names += [c["name"] for c in run["program"]["commands"] if c["name"] not in names]
    for name in names:
        cells = [name]
        for _, group in groups:
            commands = [next((c for c in run["program"]["commands"] if c["name"] == name), None)
                        for run in group]
            nominals = []
            for run, c in zip(group, commands):
                # Steps are counted on the benchmark's view: the program's nominal time is known
                # only where its view is that size (maximised).
                nominal = "%.0f" % c["nominal_ms"] if c and c["nominal_ms"] else None
                if nominal and nominal not in [n for n, _ in nominals]:
                    nominals.append((nominal, run["wine"]))
            cells.append(nominals[0][0] + "".join(" (%s: %s)" % (w, n) for n, w in nominals[1:])
                         if nominals else "")
            cells += [program_cell(c) for c in commands]
        lines.append("| " + " | ".join(cells) + " |")
    return "\n".join(lines)


def fade_table(runs):
    head = ["view", "Wine", "frame median us", "of the refresh", "busy part",
            "darken us", "DrawDib us", "fill us", "whole picture: DrawDib us",
            "opened per draw us", "BitBlt us"]
    lines = ["| " + " | ".join(head) + " |", "|---|---|" + "---:|" * (len(head) - 2)]
    for run in runs:
        fade = run.get("fade")
        if not fade:
            continue
        share = fade["frame_median_us"] / (fade["refresh_interval_ms"] * 10.0)
        lines.append("| %s | %s | %.0f | %.0f %% | %d × %d | %.0f | %.0f | %.0f | %.0f | %.0f | %.0f |"
                     % (run["size"], run["wine"], fade["frame_median_us"], share,
                        fade["busy"][0], fade["busy"][1], fade["darken_us"], fade["drawdib_us"],
                        fade["fill_us"], fade["whole_drawdib_us"],
                        fade["whole_drawdib_one_shot_us"], fade["whole_bitblt_us"]))
    return "\n".join(lines)


def main(paths):
    if not paths:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    runs = [load(path) for path in paths]
    for table in (conditions_table(runs), transitions_table(runs), program_table(runs),
                  fade_table(runs)):
        if table:
            print(table + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
