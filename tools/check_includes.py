#!/usr/bin/env python3
"""Fails when a source file includes a header of a folder its own folder may not use.

The allowed edges below are the house's layers (docs/architecture.md): each library uses only
the folders under it, a folder's forms use its logic and the forms under them, and the two
programs sit on top. Run from anywhere: tools/check_includes.py [repository root]."""
import os
import re
import sys

LOGIC = ["host", "schema", "core", "rules", "billing"]
TOP = ["classroom", "messaging", "maintenance"]
# Libraries inside a folder, which the folder's users reach as the folder itself.
LIBRARIES_OF = {"rules/lectores": "rules"}


def below(folder):
    """The logic folders a logic folder may use: those before it in the order."""
    if folder in TOP:
        return set(LOGIC)
    return set(LOGIC[: LOGIC.index(folder)])


def allowed_edges():
    edges = {}
    for folder in LOGIC + TOP:
        edges[folder] = below(folder)
        # A folder's dialogs use its logic, the logic under it and the dialogs of that logic.
        forms = {folder} | below(folder)
        edges[folder + "/forms"] = forms | {f + "/forms" for f in below(folder)}
    edges["subsystems"] = set(LOGIC + TOP)
    everything_headless = set(LOGIC + TOP) | {"subsystems"}
    edges["cli"] = everything_headless
    edges["bench"] = everything_headless | {"cli"}
    edges["app"] = everything_headless | {f + "/forms" for f in LOGIC + TOP}
    # The import's file readers are a library of rules that stands on the host alone.
    edges["rules/lectores"] = {"host"}
    # The bank tables are generated from resources/ into core.
    edges["resources"] = {"core"}
    # Tests are no layer: logic tests may use any logic, the headless program (whose commands
    # they run in-process) and each other's data; screen tests and the shared support (whose
    # screen-test main installs the forms) may use anything. The link check (check_headless.py)
    # keeps the logic tests' binaries free of widgets.
    tests = {"tests/" + f for f in LOGIC + TOP + ["cli", "app", "support", "fuzz"]}
    tests |= {"tests/%s_forms" % f for f in LOGIC + TOP}
    for test in tests:
        gui = test.endswith("_forms") or test in ("tests/app", "tests/support")
        edges[test] = (edges["app"] | {"app"} if gui else everything_headless) | {"cli"} | tests
    return edges


INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SOURCES = (".h", ".cpp", ".in")


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(__file__), ".."))
    edges = allowed_edges()
    bad = []
    for dirpath, dirnames, filenames in os.walk(root):
        rel_dir = os.path.relpath(dirpath, root).replace(os.sep, "/")
        dirnames[:] = [d for d in dirnames if not d.startswith(".") and
                       not (rel_dir == "." and d.startswith("build"))]
        for name in filenames:
            if not name.endswith(SOURCES):
                continue
            path = os.path.join(dirpath, name)
            with open(path, encoding="utf-8", errors="replace") as source:
                for number, line in enumerate(source, 1):
                    match = INCLUDE.match(line)
                    if not match:
                        continue
                    target = os.path.dirname(match.group(1))
                    # Including a folder's own library is including the folder.
                    if rel_dir != target:
                        target = LIBRARIES_OF.get(target, target)
                    if target in ("", rel_dir):
                        continue
                    if target not in edges.get(rel_dir, set()):
                        bad.append("%s/%s:%d: %s may not include %s" %
                                   (rel_dir, name, number, rel_dir, match.group(1)))
    for line in bad:
        print(line)
    if bad:
        print("%d include(s) outside the allowed edges (tools/check_includes.py)" % len(bad))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
