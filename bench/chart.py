"""Draws the time to open a note against its size, Pinlet and notepad, as a PNG.

Usage: chart.py chart.dat chart.png, where each line of chart.dat is
"<megabytes> <lf|crlf> <pinlet ms> <notepad ms>". Drawn with ImageMagick's own vector format.
"""
import subprocess
import sys

W, H, LEFT, BOTTOM, TOP, RIGHT = 640, 400, 70, 50, 30, 150


def main(data_path, png_path):
    rows = [line.split() for line in open(data_path) if line.strip()]
    series = {}
    for mb, kind, pinlet, notepad in rows:
        series.setdefault(f"Pinlet {kind}", []).append((int(mb), float(pinlet)))
        series.setdefault(f"notepad {kind}", []).append((int(mb), float(notepad)))
    max_mb = max(mb for points in series.values() for mb, _ in points)
    max_ms = max(ms for points in series.values() for _, ms in points) * 1.1 or 1

    def xy(mb, ms):
        x = LEFT + (W - LEFT - RIGHT) * mb / max_mb
        y = H - BOTTOM - (H - BOTTOM - TOP) * max(ms, 0) / max_ms
        return f"{x:.1f},{y:.1f}"

    colours = {"Pinlet lf": "#1f77b4", "Pinlet crlf": "#17becf",
               "notepad lf": "#d62728", "notepad crlf": "#ff7f0e"}
    mvg = ["stroke black", "fill none",
           f"line {LEFT},{H - BOTTOM} {W - RIGHT},{H - BOTTOM}",
           f"line {LEFT},{H - BOTTOM} {LEFT},{TOP}",
           "fill black", "stroke none", "font-size 12",
           f"text {W // 2 - 80},{H - 12} 'file size, MB'",
           f"text 8,{TOP - 10} 'ms to open'"]
    for mb in sorted({mb for points in series.values() for mb, _ in points}):
        x = xy(mb, 0).split(",")[0]
        mvg.append(f"text {float(x) - 6:.0f},{H - BOTTOM + 16} '{mb}'")
    for i in range(5):
        ms = max_ms * i / 4
        y = xy(0, ms).split(",")[1]
        mvg.append(f"text 8,{float(y) + 4:.0f} '{ms:.0f}'")
    for n, (name, points) in enumerate(sorted(series.items())):
        colour = colours.get(name, "black")
        path = " ".join(xy(mb, ms) for mb, ms in sorted(points))
        mvg += [f"stroke '{colour}'", "stroke-width 2", "fill none", f"polyline {path}",
                "stroke none", f"fill '{colour}'",
                f"text {W - RIGHT + 10},{TOP + 20 * n + 10} '{name}'"]
    subprocess.run(["convert", "-size", f"{W}x{H}", "xc:white", "-draw", "\n".join(mvg),
                    png_path], check=True)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
