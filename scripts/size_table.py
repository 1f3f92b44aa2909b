#!/usr/bin/env python3
"""What each part of pinlet.exe costs, from the linker's map (build/win/pinlet.map): bytes by
section, and by unit (the program's own folders, the C++ run-time's parts, the C run-time) with
their code, unwind tables (.eh_frame) and read-only data. Usage: size_table.py MAP SOURCE_ROOT"""
import collections
import os
import re
import sys

SECTIONS = (".text", ".eh_frame", ".rdata", ".data", ".idata", ".rsrc", ".reloc")
RUNTIME = (  # archive -> what it is
    ("libstdc++.a", "C++ run-time (exceptions, strings, threads)"),
    ("libgcc_eh.a", "unwinder (libgcc_eh)"),
    ("libgcc.a", "unwinder (libgcc_eh)"),
    ("libpthread.a", "threads (winpthread)"),
)


def input_sizes(path):
    """(output section, input file) -> bytes, from the map's input-section lines."""
    sizes = collections.Counter()
    out = pending = None
    for line in open(path, errors="replace"):
        line = line.rstrip("\n")
        head = re.match(r"^(\.\S+)(\s|$)", line)
        if head:
            out = head.group(1)
            continue
        if re.match(r"^ \S+$", line):  # a long input section's name, its numbers on the next line
            pending = True
            continue
        m = re.match(r"^ (?:\S+)?\s+0x[0-9a-f]+\s+0x([0-9a-f]+)\s+(\S.*)$", line)
        if m and (pending or not line.startswith("  ")) and out in SECTIONS:
            sizes[(out, os.path.basename(m.group(2)))] += int(m.group(1), 16)
        pending = None
    return sizes


def unit_of(name, folders):
    for archive, unit in RUNTIME:
        if name.startswith(archive):
            return unit
    obj = re.search(r"\(([^)]+)\.cpp\.obj\)$", name) or re.match(r"^([^()]+)\.cpp\.obj$", name)
    if obj:
        return "program: " + folders.get(obj.group(1), "?")
    return "C run-time (mingw, msvcrt imports)"


def main():
    sizes = input_sizes(sys.argv[1])
    folders = {}
    for base, _, files in os.walk(os.path.join(sys.argv[2], "src")):
        for f in files:
            if f.endswith(".cpp"):
                rel = os.path.relpath(base, os.path.join(sys.argv[2], "src"))
                folders[f[:-4]] = rel.split(os.sep)[0] if not rel.startswith("toolkit") else rel
    by_section = collections.Counter()
    by_unit = collections.defaultdict(collections.Counter)
    for (section, name), size in sizes.items():
        by_section[section] += size
        if section in (".text", ".eh_frame", ".rdata", ".data"):
            by_unit[unit_of(name, folders)][section] += size
    print("| section | bytes |\n|---|---:|")
    for section in SECTIONS:
        print(f"| {section} | {by_section[section]:,} |")
    print("\n| unit | code | unwind tables | data | together |\n|---|---:|---:|---:|---:|")
    for unit, s in sorted(by_unit.items(), key=lambda kv: -sum(kv[1].values())):
        print(f"| {unit} | {s['.text']:,} | {s['.eh_frame']:,} | {s['.rdata'] + s['.data']:,} "
              f"| {sum(s.values()):,} |")


main()
