#!/usr/bin/env python3
"""Collects what brikken.sh left in one file's folder into one JSON object.

    brikkenresultat.py FET-FILE FOLDER

From the folder: import.status/import.txt (the import's report and its last
line, `Overført: N af filens M aktive timer`), run.status,
run.ms and run.txt (the status line PL=… LL=… and the completion's line) and
kontrol.json (kontroller.py). From the .fet file: its active hours.
"""

import json
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import fetfil  # noqa: E402


def laes(mappe, navn, standard=None):
    try:
        with open(os.path.join(mappe, navn), encoding="utf-8") as f:
            return f.read()
    except OSError:
        return standard


def tal(tekst):
    return int(tekst.strip()) if tekst and tekst.strip().lstrip("-").isdigit() else None


def ubrugelige_raekker(run):
    """The summary lines of the message about stored rows the opened plan cannot use."""
    linjer = run.splitlines()
    for i, l in enumerate(linjer):
        if "kan ikke bruges" in l:
            ud = []
            for n in linjer[i + 1:]:
                if not re.match(r"^  \d+ ", n):
                    break
                ud.append(n.strip())
            return ud
    return []


def resultat(fet_sti, mappe):
    fil = fetfil.laes(fet_sti)
    ud = {"fil": fet_sti, "timer": sum(a.varighed for a in fil.aktive()),
          "import_status": tal(laes(mappe, "import.status"))}
    imp = laes(mappe, "import.txt", "") + laes(mappe, "init.txt", "")
    ud["ikke_overfoert"] = sum("ikke overført" in l for l in imp.splitlines())
    m = re.search(r"Overført: (\d+) af filens \d+ aktive timer", imp)
    if m:
        ud["overfoert"] = int(m.group(1))
    if ud["import_status"] != 0:
        fejl = [l for l in imp.splitlines() if l.strip()]
        ud["import_fejl"] = fejl[-1] if fejl else ""
        return ud
    run = laes(mappe, "run.txt", "")
    ud["run_status"] = tal(laes(mappe, "run.status"))
    ms = tal(laes(mappe, "run.ms"))
    ud["sekunder"] = ms / 1000.0 if ms is not None else None
    m = re.search(r"^PL=(\d+) LL=(\d+)", run, re.M)
    if m:
        ud["importeret"], ud["placeret"] = int(m.group(1)), int(m.group(2))
    m = re.search(r"Fuldført: placeret (\d+)→(\d+) af (\d+), mellemtimer hold (\d+)→(\d+), lærere (\d+)→(\d+)", run)
    if m:
        ud["fuldfoert"] = [int(x) for x in m.groups()]
    ud["ubrugelige"] = ubrugelige_raekker(run)
    if ud["run_status"] != 0:
        fejl = [l for l in run.splitlines() if l.strip()]
        ud["run_fejl"] = fejl[-1] if fejl else ""
    kontrol = laes(mappe, "kontrol.json")
    if kontrol:
        ud["kontrol"] = json.loads(kontrol)
        ud["kontrol_status"] = tal(laes(mappe, "kontrol.status"))
    return ud


def main():
    if len(sys.argv) != 3:
        sys.exit("brug: brikkenresultat.py FET-FIL MAPPE")
    print(json.dumps(resultat(sys.argv[1], sys.argv[2]), ensure_ascii=False))


if __name__ == "__main__":
    main()
