#!/usr/bin/env python3
"""Fails when a source file of the tree (C++ or Python) is longer than 600 lines (split it by
purpose)."""
import os
import sys

LIMIT = 600


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(__file__), ".."))
    long_files = []
    for dirpath, dirnames, filenames in os.walk(root):
        rel = os.path.relpath(dirpath, root)
        dirnames[:] = [d for d in dirnames
                       if not d.startswith(".") and not (rel == "." and d.startswith("build"))]
        for name in filenames:
            if name.endswith((".cpp", ".h", ".in", ".py")):
                path = os.path.join(dirpath, name)
                with open(path, encoding="utf-8", errors="replace") as f:
                    lines = sum(1 for _ in f)
                if lines > LIMIT:
                    long_files.append((os.path.relpath(path, root), lines))
    for path, lines in sorted(long_files):
        print("%s: %d lines (at most %d)" % (path, lines, LIMIT))
    return 1 if long_files else 0


if __name__ == "__main__":
    sys.exit(main())
