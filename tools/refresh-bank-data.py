#!/usr/bin/env python3
"""Refreshes the bank data tables compiled into the program from newer published copies.

  tools/refresh-bank-data.py entities NEWER_FILE   -> resources/es-bank-entities.csv
  tools/refresh-bank-data.py countries NEWER_FILE  -> resources/iso3166-1-es.csv

entities accepts a CSV with the columns code;name;bic[;source] (";" or "," between fields, a
heading line) or the Spanish registry JSON of the schwifty library
(schwifty/registry/bank_registry/generated_es.json: objects with bank_code, name, bic).
countries accepts a CSV alpha2;name or the es.json of the i18n-iso-countries package
({"countries": {"ES": "España", ...}}, a list value giving the official name first).

Rows are checked (entity code of 4 digits, BIC of 8 or 11 letters and digits, padded with "XXX";
country codes of 2 letters), sorted by code, de-duplicated keeping the first, and written as
UTF-8 with ";" between fields. The date of the refresh and the file it came from are recorded in
resources/bank-data-refreshed.txt. Rebuild afterwards: the CSV files are compiled in.
"""
import csv
import datetime
import io
import json
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
RESOURCES = ROOT / "resources"
TARGETS = {"entities": "es-bank-entities.csv", "countries": "iso3166-1-es.csv"}


def read_csv_rows(text):
    dialect = ";" if text.splitlines()[0].count(";") else ","
    rows = list(csv.reader(io.StringIO(text), delimiter=dialect))
    return [r for r in rows[1:] if r and any(cell.strip() for cell in r)]


def entities(text, origin):
    if text.lstrip().startswith("["):
        rows = [[e.get("bank_code", ""), e.get("name", ""), e.get("bic", ""), "schwifty"]
                for e in json.loads(text)]
    else:
        rows = [r + [origin] * (4 - len(r)) for r in read_csv_rows(text)]
    out = {}
    for code, name, bic, source, *_ in rows:
        code, name, bic = code.strip(), " ".join(name.split()), bic.strip().upper()
        if len(bic) == 8:
            bic += "XXX"
        if not re.fullmatch(r"\d{4}", code) or not re.fullmatch(r"[A-Z0-9]{11}", bic):
            print(f"skipped: {code};{name};{bic}", file=sys.stderr)
            continue
        out.setdefault(code, [code, name.replace(";", ","), bic, source.strip() or origin])
    return ["code;name;bic;source"] + [";".join(out[c]) for c in sorted(out)]


def countries(text, origin):
    if text.lstrip().startswith("{"):
        data = json.loads(text).get("countries", {})
        rows = [[code, names[0] if isinstance(names, list) else names]
                for code, names in data.items()]
    else:
        rows = read_csv_rows(text)
    out = {}
    for code, name, *_ in rows:
        code = code.strip().upper()
        if not re.fullmatch(r"[A-Z]{2}", code):
            print(f"skipped: {code};{name}", file=sys.stderr)
            continue
        out.setdefault(code, [code, " ".join(name.split()).replace(";", ",")])
    return ["alpha2;name_es"] + [";".join(out[c]) for c in sorted(out)]


def record_date(target, origin):
    log = RESOURCES / "bank-data-refreshed.txt"
    lines = log.read_text(encoding="utf-8").splitlines() if log.exists() else []
    lines = [l for l in lines if not l.startswith(target + " ")]
    lines.append(f"{target} {datetime.date.today().isoformat()} from {origin}")
    log.write_text("\n".join(sorted(lines)) + "\n", encoding="utf-8")


def main(argv):
    if len(argv) != 3 or argv[1] not in TARGETS:
        print(__doc__, file=sys.stderr)
        return 2
    kind, source = argv[1], pathlib.Path(argv[2])
    text = source.read_text(encoding="utf-8-sig")
    lines = (entities if kind == "entities" else countries)(text, source.name)
    target = TARGETS[kind]
    old = (RESOURCES / target).read_text(encoding="utf-8").splitlines()
    (RESOURCES / target).write_text("\n".join(lines) + "\n", encoding="utf-8")
    record_date(target, source.name)
    print(f"{target}: {len(lines) - 1} rows (before: {len(old) - 1})")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
