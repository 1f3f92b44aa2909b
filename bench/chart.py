"""Draws how the note opens files against their size, beside notepad, as a PNG.

Usage: chart.py chart.dat chart.png, where each line of chart.dat is
"<bytes> <lines|line> <pinlet first> <pinlet whole> <pinlet unanswered> <notepad first>
<notepad whole> <notepad unanswered>" in milliseconds (-1: did not happen within the limit).
Three panels, log-log: the time to the first screen, the time to the whole text and the longest
time the program did not answer; Pinlet and notepad, ordinary files and one-line files.
"""
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402


def main(data_path, png_path):
    rows = [line.split() for line in open(data_path) if line.strip()]
    panels = (("time to the first screen", 2, 5), ("time to the whole text", 3, 6),
              ("longest time without answering", 4, 7))
    figure, axes = plt.subplots(1, 3, figsize=(15, 4.8), constrained_layout=True)
    styles = {("Pinlet", "lines"): ("tab:blue", "-", "o"), ("Pinlet", "line"): ("tab:blue", "--", "s"),
              ("notepad", "lines"): ("tab:orange", "-", "o"),
              ("notepad", "line"): ("tab:orange", "--", "s")}
    for axis, (title, pinlet_column, notepad_column) in zip(axes, panels):
        for program, column in (("Pinlet", pinlet_column), ("notepad", notepad_column)):
            for kind, label in (("lines", "ordinary lines"), ("line", "one line")):
                points = sorted((int(r[0]), float(r[column])) for r in rows
                                if r[1] == kind and float(r[column]) >= 0)
                if not points:
                    continue
                colour, line, marker = styles[(program, kind)]
                axis.plot([p[0] / 1024 for p in points], [max(p[1], 1) for p in points],
                          color=colour, linestyle=line, marker=marker,
                          label=f"{program}, {label}")
        if title.startswith("longest"):
            axis.axhline(250, color="grey", linewidth=0.8, linestyle=":")
        axis.set_xscale("log")
        axis.set_yscale("log")
        axis.set_title(title)
        axis.set_xlabel("file size, KB")
        axis.set_ylabel("milliseconds")
        axis.grid(True, which="both", linewidth=0.3)
    axes[0].legend(loc="upper left", fontsize="small")
    figure.suptitle("Opening a note under Wine: Pinlet beside notepad (both wrapping lines)")
    figure.savefig(png_path, dpi=100)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
