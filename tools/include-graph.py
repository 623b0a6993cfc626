#!/usr/bin/env python3
"""Folder-level include graph of src/core: which folder includes which, and
every include that runs against the floors given (lowest first); exits 1 when
there is one."""
import os
import re
import sys
from collections import defaultdict

root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "core")
floors = sys.argv[1:] if len(sys.argv) > 1 else []
edges = defaultdict(set)
files = defaultdict(list)
for folder in sorted(os.listdir(root)):
    path = os.path.join(root, folder)
    if not os.path.isdir(path):
        continue
    # A folder's own subfolders (files/quoted) belong to its floor.
    names = sorted(os.path.relpath(os.path.join(d, n), path) for d, _, ns in os.walk(path) for n in ns)
    for name in names:
        with open(os.path.join(path, name), encoding="utf-8") as f:
            for line in f:
                m = re.match(r'\s*#include "core/([^/]+)/([^"]+)"', line)
                if m and m.group(1) != folder:
                    edges[folder].add(m.group(1))
                    files[(folder, m.group(1))].append(f"{folder}/{name} -> {m.group(1)}/{m.group(2)}")
for folder in sorted(edges):
    print(f"{folder:12} -> {', '.join(sorted(edges[folder]))}")
if floors:
    level = {f: i for i, f in enumerate(floors)}
    up = [line for (a, b), lines in sorted(files.items())
          if level.get(b, 99) > level.get(a, 99) or (level.get(b, 99) == level.get(a, 99) and a != b)
          for line in lines]
    print(f"\n{len(up)} includes against the floors")
    for line in up:
        print("  " + line)
    sys.exit(1 if up else 0)
