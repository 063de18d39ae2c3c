#!/usr/bin/env python3
"""The planner's hard rules broken after the completion, per kind, with and without keeping them.

    regelbrud.py [--cli PROGRAM] [--seconds S] [--jobs N] [--json FILE] [FET-FILE ...]

Per file a fresh SQLite database: `init`, `import-fet F --plan P`. Then from two
copies of it:
- "uden": the plan's rules set aside (their rows moved to other tables), then
  `run P --generate --yes --writable --complete --seconds S --save`; the rules
  put back and judged with `run P --rules`. This is the completion that does
  not know them.
- "med": `run P --generate --yes --writable --complete --seconds S --save
  --rules --export-csv out.csv`, and `kontroller.py out.csv --fet F` on it
  (its own count of lessons in the file's breaks).
Counted per kind: hard rules (weight `krav`) broken and by how much; lesson
hours placed (`LL=`); the processor time of each run. Without files: every
fet-data file that imports. Prints a Markdown table.
"""

import argparse
import collections
import concurrent.futures
import json
import os
import re
import shutil
import sqlite3
import subprocess
import sys
import tempfile

HER = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HER)
import opgoer  # noqa: E402

ROD = os.path.abspath(os.path.join(HER, "..", ".."))
TABELLER = ["Planregel", "PlanregelTid", "PlanregelLektion"]
PLACERET = re.compile(r"\bLL=(\d+)")
PAUSER = re.compile(r"i skolens pauser:\s+(\d+)")


def koer(cli, db, *args):
    """The run's output and its processor seconds: wall time on a shared machine says little."""
    p = subprocess.Popen([cli, "--db", "sqlite:" + db] + list(args), stdout=subprocess.PIPE,
                         stderr=subprocess.STDOUT, text=True)
    udskrift = p.stdout.read()
    p.stdout.close()
    _, _, forbrug = os.wait4(p.pid, 0)
    return udskrift, forbrug.ru_utime + forbrug.ru_stime


def brud(udskrift):
    """Per kind: (rules broken, amount) of the hard ones in `--rules` lines."""
    ud = collections.defaultdict(lambda: [0, 0])
    for linje in udskrift.splitlines():
        felter = linje.split("\t")
        if len(felter) >= 6 and felter[2] == "krav" and felter[3] == "brudt":
            ud[felter[1]][0] += 1
            ud[felter[1]][1] += int(felter[4])
    return {art: tuple(v) for art, v in ud.items()}


def placeret(udskrift):
    m = PLACERET.findall(udskrift)
    return int(m[-1]) if m else None


def flyt_regler(db, ud):
    con = sqlite3.connect(db)
    findes = {r[0] for r in con.execute("select name from sqlite_master where type = 'table'")}
    for t in TABELLER:
        if t not in findes:
            continue
        if ud:
            con.execute("create table Gemt%s as select * from %s" % (t, t))
            con.execute("delete from %s" % t)
        else:
            con.execute("insert into %s select * from Gemt%s" % (t, t))
            con.execute("drop table Gemt%s" % t)
    con.commit()
    con.close()


def maal(cli, sekunder, sti):
    mappe = tempfile.mkdtemp(prefix="regelbrud-")
    try:
        grund = os.path.join(mappe, "grund.sqlite")
        koer(cli, grund, "init")
        tekst, _ = koer(cli, grund, "import-fet", sti, "--plan", "P")
        if "Overført:" not in tekst:
            return None
        kort = ["run", "P", "--generate", "--yes", "--writable", "--complete", "--seconds", str(sekunder), "--save"]
        uden = os.path.join(mappe, "uden.sqlite")
        shutil.copy(grund, uden)
        flyt_regler(uden, True)
        ud_uden, tid_uden = koer(cli, uden, *kort)
        flyt_regler(uden, False)
        regler_uden, _ = koer(cli, uden, "run", "P", "--rules")
        med = os.path.join(mappe, "med.sqlite")
        shutil.copy(grund, med)
        csvfil = os.path.join(mappe, "out.csv")
        ud_med, tid_med = koer(cli, med, *kort, "--rules", "--export-csv", csvfil)
        kontrol = subprocess.run([sys.executable, os.path.join(HER, "kontroller.py"), csvfil, "--fet", sti],
                                 capture_output=True, text=True).stdout
        pauser = PAUSER.search(kontrol)
        return {
            "fil": opgoer.kort_sti(sti),
            "uden": {"brud": brud(regler_uden), "placeret": placeret(ud_uden), "sekunder": tid_uden},
            "med": {"brud": brud(ud_med), "placeret": placeret(ud_med), "sekunder": tid_med,
                    "i_pauser": int(pauser.group(1)) if pauser else None},
        }
    finally:
        shutil.rmtree(mappe, ignore_errors=True)


def tabel(resultater):
    arter = sorted({a for r in resultater for s in ("uden", "med") for a in r[s]["brud"]})
    linjer = ["| kind | broken without | by how much | broken with | by how much |", "|---|---|---|---|---|"]
    for art in arter:
        tal = [sum(r[s]["brud"].get(art, (0, 0))[i] for r in resultater) for s in ("uden", "med") for i in (0, 1)]
        linjer.append("| `%s` | %s |" % (art, " | ".join("{:,}".format(t) for t in tal)))
    total = [sum(sum(v[i] for v in r[s]["brud"].values()) for r in resultater) for s in ("uden", "med")
             for i in (0, 1)]
    linjer.append("| all | %s |" % " | ".join("{:,}".format(t) for t in total))
    skoler = [sum(1 for r in resultater if r[s]["brud"]) for s in ("uden", "med")]
    timer = [sum(r[s]["placeret"] or 0 for r in resultater) for s in ("uden", "med")]
    tider = [sum(r[s]["sekunder"] for r in resultater) for s in ("uden", "med")]
    forhold = sorted(r["med"]["sekunder"] / max(r["uden"]["sekunder"], 0.01) for r in resultater)
    linjer += ["", "Files: %d; with a hard rule broken: %d without, %d with." % (len(resultater), *skoler),
               "Hours placed: %s without, %s with." % tuple("{:,}".format(t) for t in timer),
               "Processor time of the runs: %.0f s without, %.0f s with; per file with/without: median %.2f, max %.2f."
               % (*tider, forhold[len(forhold) // 2] if forhold else 0, forhold[-1] if forhold else 0),
               "Lessons in the file's breaks by kontroller.py, with: %d." % sum(r["med"]["i_pauser"] or 0
                                                                             for r in resultater)]
    return "\n".join(linjer)


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("filer", nargs="*")
    p.add_argument("--cli", default=os.path.join(ROD, "build", "rel", "src", "cli", "brikken-cli"))
    p.add_argument("--seconds", type=int, default=10)
    p.add_argument("--jobs", type=int, default=1)
    p.add_argument("--json", help="also write every file's figures here")
    args = p.parse_args()
    filer = args.filer or opgoer.fet_data_filer()
    with concurrent.futures.ThreadPoolExecutor(args.jobs) as pulje:
        resultater = [r for r in pulje.map(lambda f: maal(args.cli, args.seconds, f), filer) if r]
    if args.json:
        with open(args.json, "w", encoding="utf-8") as f:
            json.dump(resultater, f, ensure_ascii=False, indent=1)
    print(tabel(resultater))


if __name__ == "__main__":
    sys.exit(main())
