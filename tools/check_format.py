#!/usr/bin/env python3
"""Fails when clang-format would change a C++ file of the tree (the repository's .clang-format).

Usage: tools/check_format.py CLANG_FORMAT [repository root]. The build pins Debian's
clang-format 14; a missing program is a failure, not a pass."""
import os
import shutil
import subprocess
import sys


def sources(root):
    for dirpath, dirnames, filenames in os.walk(root):
        rel = os.path.relpath(dirpath, root)
        dirnames[:] = sorted(d for d in dirnames
                             if not d.startswith(".") and not (rel == "." and d.startswith("build")))
        for name in sorted(filenames):
            if name.endswith((".cpp", ".h")):
                yield os.path.join(dirpath, name)


def main():
    if len(sys.argv) < 2 or not sys.argv[1] or not shutil.which(sys.argv[1]):
        print("clang-format not found (%s): install clang-format-14 (make deps)" %
              (sys.argv[1] if len(sys.argv) > 1 else ""))
        return 1
    root = os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else
                           os.path.join(os.path.dirname(__file__), ".."))
    files = list(sources(root))
    changed = []
    for i in range(0, len(files), 50):
        batch = files[i:i + 50]
        result = subprocess.run([sys.argv[1], "--dry-run", "--Werror", "--style=file"] + batch,
                                capture_output=True, text=True)
        if result.returncode != 0:
            changed += sorted({line.split(":")[0] for line in result.stderr.splitlines()
                               if ": error:" in line})
    for path in changed:
        print("not formatted: %s (run clang-format-14 -i on it)" % os.path.relpath(path, root))
    return 1 if changed else 0


if __name__ == "__main__":
    sys.exit(main())
