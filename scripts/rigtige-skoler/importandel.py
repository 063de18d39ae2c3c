#!/usr/bin/env python3
"""What the import keeps of every fet-data file, and whether its classes keep students apart.

    importandel.py [--cli PROGRAM] [--csv FILE] [FET-FILE ...]

Per file a fresh SQLite database: `init`, `import-fet F --plan P`; then the
report's last line (`Overført: N af filens M aktive timer`) and, read from the
database against the file's own students sets, the pairs of classes that share
students (two classes may be timetabled at the same hour, so such a pair could
put a pupil in two rooms). Also checks that each lesson's participants hold the
students its activity names. Without files: all of fet-data. Prints a summary.
"""

import argparse
import csv
import os
import re
import sqlite3
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import fetfil  # noqa: E402
import opgoer  # noqa: E402

ROD = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
OVERFOERT = re.compile(r"Overført: (\d+) af filens (\d+) aktive timer")


def importer(cli, sti, mappe):
    db = "sqlite:" + os.path.join(mappe, "plan.sqlite")
    subprocess.run([cli, "--db", db, "init"], capture_output=True, check=True)
    k = subprocess.run([cli, "--db", db, "import-fet", sti, "--plan", "P"], capture_output=True, text=True)
    return k.returncode, k.stdout + k.stderr


def atomer_af(saet, navn):
    return saet.atomer.get(navn, frozenset({navn}))


def delte_par(saet, con):
    """Pairs of our classes whose students (by the file's sets) meet."""
    klasser = [r[0] for r in con.execute("select Hold_THo from Holdliste where timefagfordelingID_THo = 'P'")]
    atomer = {k: atomer_af(saet, k) for k in klasser}
    for k, grupper in _grupper(con).items():
        # A class the import made of sets in different years holds all its groups' students.
        atomer[k] = atomer.get(k, frozenset()).union(*(atomer_af(saet, g) for g in grupper))
    par = 0
    for i, a in enumerate(klasser):
        for b in klasser[i + 1:]:
            if atomer[a] & atomer[b]:
                par += 1
    return par


def _grupper(con):
    ud = {}
    try:
        for hold, gruppe in con.execute("select HoldID_Gr, GruppeID_Gr from Gruppe where PlanID_Gr = 'P'"):
            ud.setdefault(hold, []).append(gruppe)
    except sqlite3.OperationalError:
        pass
    return ud


def manglende_elever(saet, fil, con):
    """Activities carried as lessons of their own whose participants miss some of their students."""
    try:
        deltagere = {}
        for akt, hold, gruppe in con.execute(
                "select AktivitetID_AD, HoldID_AD, GruppeID_AD from AktivitetDeltager where PlanID_AD = 'P'"):
            deltagere.setdefault(akt, set()).update(atomer_af(saet, hold if gruppe == "tom" else gruppe))
    except sqlite3.OperationalError:
        return 0
    efter_id = {a.id: a for a in fil.aktiviteter}
    return sum(1 for akt, atomer in deltagere.items()
               if akt in efter_id and not saet.atomer_af(efter_id[akt].elever) <= atomer)


def passer(fil):
    dage, timer = len(fil.dage), len(fil.timer)
    if fil.tilstand == "Mornings_Afternoons" and dage % 2 == 0:
        dage, timer = dage // 2, timer * 2
    return 1 <= dage <= 7 and 1 <= timer <= 16


def maal(cli, sti):
    fil = fetfil.laes(sti)
    række = {"fil": opgoer.kort_sti(sti), "passer": passer(fil), "status": "", "overfoert": "", "aktive": "",
             "par": "", "mangler": ""}
    with tempfile.TemporaryDirectory() as mappe:
        status, tekst = importer(cli, sti, mappe)
        række["status"] = status
        m = OVERFOERT.search(tekst)
        if m:
            række["overfoert"], række["aktive"] = int(m.group(1)), int(m.group(2))
        if status == 0:
            saet = fetfil.Elevsaet(fil)
            con = sqlite3.connect(os.path.join(mappe, "plan.sqlite"))
            række["par"] = delte_par(saet, con)
            række["mangler"] = manglende_elever(saet, fil, con)
            con.close()
    return række


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--cli", default=os.path.join(ROD, "build", "rel", "src", "cli", "brikken-cli"))
    p.add_argument("--csv")
    p.add_argument("filer", nargs="*")
    a = p.parse_args()
    filer = a.filer or opgoer.fet_data_filer()
    rækker = []
    for sti in filer:
        r = maal(a.cli, sti)
        rækker.append(r)
        print(f"{r['status']!s:>2} {r['overfoert']!s:>5}/{r['aktive']!s:<5} par {r['par']!s:>3} "
              f"mangler {r['mangler']!s:>3} {r['fil']}", file=sys.stderr)
    if a.csv:
        with open(a.csv, "w", newline="") as ud:
            w = csv.DictWriter(ud, fieldnames=list(rækker[0]), delimiter=";")
            w.writeheader()
            w.writerows(rækker)
    importeret = [r for r in rækker if r["status"] == 0]
    passende = [r for r in importeret if r["passer"]]
    under = [r for r in passende if r["aktive"] and r["overfoert"] < 0.95 * r["aktive"]]
    print(f"filer: {len(rækker)}, passer i 7 x 16: {sum(r['passer'] for r in rækker)}, importeret: {len(importeret)}")
    print(f"aktive timer på de importerede: {sum(r['aktive'] or 0 for r in importeret)}, "
          f"overført: {sum(r['overfoert'] or 0 for r in importeret)}")
    print(f"filer under 95 %: {len(under)}: " + ", ".join(f"{r['fil']} {r['overfoert']}/{r['aktive']}" for r in under))
    print(f"par af hold med fælles elever: {sum(r['par'] or 0 for r in importeret)}; "
          f"lektioner, der mangler elever: {sum(r['mangler'] or 0 for r in importeret)}")
    print("afvist: " + ", ".join(f"{r['fil']}" for r in rækker if r["status"] != 0 and r["passer"]))


if __name__ == "__main__":
    main()
