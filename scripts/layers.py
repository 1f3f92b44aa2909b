#!/usr/bin/env python3
"""The program's folders and what each may include: prints the include graph between them and
checks that every include runs down the layers below (or stays in its own folder). Exits 1 when
one runs up or sideways.

  scripts/layers.py          the graph, one line per folder, and the verdict
  scripts/layers.py --dot    the graph in Graphviz form
"""
import os
import re
import sys

# Top to bottom: a folder may include its own files and those of folders in lower layers.
LAYERS = [
    ["app"],
    ["noteform_unit"],
    ["document"],
    ["recovery", "notefiles", "dialogs"],
    ["storage", "AdvPanel", "WndActImg", "glGBtn"],
    ["notetext"],
    ["toolkit"],
]
LAYER_OF = {unit: depth for depth, units in enumerate(LAYERS) for unit in units}
SRC = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def unit_of(path):
    return os.path.relpath(path, SRC).split(os.sep)[0]


def edges():
    found = {}
    for root, _, files in os.walk(SRC):
        for name in files:
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(root, name)
            unit = unit_of(path)
            with open(path, encoding="utf-8") as source:
                for included in INCLUDE.findall(source.read()):
                    target = os.path.normpath(os.path.join(root, included))
                    if not os.path.exists(target):
                        target = os.path.normpath(os.path.join(SRC, included))
                    if not os.path.exists(target):
                        continue
                    other = unit_of(target)
                    if other != unit:
                        found.setdefault((unit, other), []).append(
                            os.path.relpath(path, SRC) + " -> " + included)
    return found


def main():
    graph = edges()
    if "--dot" in sys.argv:
        print("digraph layers {")
        for (a, b), where in sorted(graph.items()):
            print(f'  "{a}" -> "{b}" [label="{len(where)}"];')
        print("}")
        return 0
    wrong = []
    for depth, units in enumerate(LAYERS):
        for unit in units:
            targets = sorted(b for (a, b) in graph if a == unit)
            print(f"{unit:14} -> {', '.join(targets) if targets else '(nothing)'}")
    for (a, b), where in sorted(graph.items()):
        if a not in LAYER_OF or b not in LAYER_OF:
            wrong.append(f"{a} -> {b}: a folder with no layer ({where[0]})")
        elif LAYER_OF[b] <= LAYER_OF[a]:
            wrong.append(f"{a} -> {b} runs up or sideways ({where[0]})")
    for line in wrong:
        print("WRONG " + line)
    print("layers: " + ("ok" if not wrong else f"{len(wrong)} wrong"))
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
