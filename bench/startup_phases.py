#!/usr/bin/env python3
"""The start-up marks of several runs (files that toolkit/startup_marks.h writes, runs separated by
"---" lines) as a table: for each phase, the median milliseconds from the process's creation and
the median time since the phase before, for the note and for the floor."""
import statistics
import sys


def runs_of(path):
    runs = []
    for line in open(path, encoding="utf-8", errors="replace"):
        line = line.strip()
        if line == "---":
            runs.append({})
        elif line and runs:
            at, _, phase = line.partition(" ")
            runs[-1].setdefault(phase, float(at))  # a phase that repeats counts once
    return [run for run in runs if run]


def table(title, runs):
    phases = []
    for run in runs:
        for phase in sorted(run, key=run.get):
            if phase not in phases:
                phases.append(phase)
    print(f"{title} ({len(runs)} runs): phase, median ms since the process was created, "
          "median ms since the phase before")
    before = None
    for phase in phases:
        at = [run[phase] for run in runs if phase in run]
        step = [run[phase] - run[before] for run in runs if phase in run and before in run]
        print(f"  {phase:<28} {statistics.median(at):8.1f} "
              f"{statistics.median(step) if step else 0.0:8.1f}")
        before = phase


for path, title in zip(sys.argv[1:], ("note", "floor")):
    table(title, runs_of(path))
