#!/usr/bin/env python3
"""Fails when a headless binary (escolia-cli, the benches, the logic tests) needs Qt Widgets or
Qt PrintSupport: only the windowed program and the screen tests may load them.
Usage: tools/check_headless.py BINARY..."""
import subprocess
import sys

FORBIDDEN = ("libQt6Widgets", "libQt6PrintSupport")


def needed(binary):
    out = subprocess.run(["readelf", "-d", binary], capture_output=True, text=True, check=True)
    return [line.split("[", 1)[1].rstrip("]") for line in out.stdout.splitlines()
            if "(NEEDED)" in line]


def main():
    failed = False
    for binary in sys.argv[1:]:
        libs = needed(binary)
        bad = [lib for lib in libs if lib.startswith(FORBIDDEN)]
        print("%s needs: %s" % (binary, " ".join(libs)))
        if bad:
            print("  not headless: %s" % " ".join(bad))
            failed = True
    return 1 if failed or len(sys.argv) < 2 else 0


if __name__ == "__main__":
    sys.exit(main())
