#!/usr/bin/env python3
"""Checks the printed manual against its source: every chapter heading is in the PDF's text,
every picture the source names is printed, and chapters start pages of their own."""
import re
import subprocess
import sys


def main(pdf, markdown):
    source = open(markdown, encoding="utf-8").read()
    chapters = re.findall(r"^## (.+)$", source, re.M)
    pictures = re.findall(r"!\[[^\]]*\]\(([^)]+)\)", source)
    pages = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True, text=True,
                           check=True).stdout.split("\f")
    problems = []
    for chapter in chapters:
        starts = [i for i, page in enumerate(pages)
                  if " ".join(page.split()).startswith(chapter)]
        if not starts:
            problems.append("chapter not at the top of a page: " + chapter)
    listing = subprocess.run(["pdfimages", "-list", pdf], capture_output=True, text=True,
                             check=True).stdout.splitlines()[2:]
    if len(listing) != len(pictures):
        problems.append("%d pictures printed, %d named (%s)" % (len(listing), len(pictures),
                                                                ", ".join(pictures)))
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print("usage: check_manual.py manual.pdf manual.md")
        sys.exit(2)
    sys.exit(main(sys.argv[1], sys.argv[2]))
