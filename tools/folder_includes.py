#!/usr/bin/env python3
"""Counts the includes between folders of the product code.

    tools/folder_includes.py

Every quoted include names a file from the repository's root, so a file in
folder A that includes a file in folder B is one include A -> B. The counts
are shown at every depth: between the top-level folders, and between the
subfolders inside each folder. An include between two files of one folder
is not counted; one from a folder to a subfolder of its own is.

A pair of folders that include each other both ways is listed at the end;
the exit status is 1 when there is any, so the layering can be checked.
Tests and benchmarks are left out: they may reach into every layer.
"""
import os
import re
import subprocess
import sys
from collections import Counter

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SKIPPED = ("tests", "bench")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def product_files():
    files = subprocess.run(["git", "ls-files", "*.h", "*.cpp"], cwd=ROOT, check=True,
                           capture_output=True, text=True).stdout.split()
    return [f for f in files if "/" in f and f.split("/")[0] not in SKIPPED]


def edge(source, target):
    """(parent, from, to) at the depth where the two folders part, or None."""
    a, b = source.split("/")[:-1], target.split("/")[:-1]
    common = 0
    while common < min(len(a), len(b)) and a[common] == b[common]:
        common += 1
    if common == len(a) and common == len(b):
        return None
    parent = "/".join(a[:common]) or "(top)"
    # A file directly in the parent folder counts as the folder "."
    return parent, a[common] if common < len(a) else ".", b[common] if common < len(b) else "."


def main():
    counts = Counter()
    for f in product_files():
        with open(os.path.join(ROOT, f), encoding="utf-8") as text:
            for target in INCLUDE.findall(text.read()):
                if "/" in target and os.path.exists(os.path.join(ROOT, target)):
                    e = edge(f, target)
                    if e:
                        counts[e] += 1

    two_way = []
    for parent in sorted({p for p, _, _ in counts}, key=lambda p: (p != "(top)", p)):
        print(f"Inside {parent}:")
        for (p, a, b), n in sorted(counts.items()):
            if p == parent:
                back = counts.get((p, b, a), 0)
                mark = f"   <-- two-way ({back} back)" if back else ""
                print(f"  {a:>14} -> {b:<14} {n:4}{mark}")
                if back and a < b:
                    two_way.append(f"{parent}: {a} <-> {b}")
        print()
    if two_way:
        print("Folders that include each other both ways:")
        for pair in two_way:
            print("  " + pair)
        return 1
    print("No two folders include each other both ways, at any depth.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
