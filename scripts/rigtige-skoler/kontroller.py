#!/usr/bin/env python3
"""Checks a published timetable (brikken-cli run … --export-csv FILE) on its own.

    kontroller.py SKEMA.csv [--fet FILE.fet] [--uge DxT] [--json]

Reads only the CSV (and the .fet file the plan was imported from), never the
program's code or database. Hard rules, each broken one makes the exit status 1:

- no class, teacher or room has two lessons in one hour; with the columns
  Gruppe/Inddeling/Lektion: rows with the same Lektion are one lesson, two
  groups of one division may share an hour, a whole-class lesson excludes every
  group of its class and groups of different divisions exclude each other;
- every lesson lies inside the plan's days and hours (from --fet or --uge);
- no teacher teaches in an hour the .fet file marks not available (weight 100 %).

Also counted, not hard: split days (a class's or group's subject on one day in
hours that are not one unbroken run), class and teacher gap hours per week
(rules in maal.py; a class is taken when any of its groups is), lessons in
the school's break hours and in teachers' not-available hours of lower weight.
"""

import argparse
import collections
import csv
import json
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import maal  # noqa: E402

DAGE = ["mandag", "tirsdag", "onsdag", "torsdag", "fredag", "lørdag", "søndag"]
GRUNDKOLONNER = ["Plan", "Dag", "Time", "Hold", "Fag", "Lærer", "Lokale", "Blokstørrelse"]
INGEN = {"", "tom"}  # no teacher / no room


class Lektion:
    """One lesson in one hour: the rows of one Lektion id (or one row in the old format)."""

    def __init__(self, noegle, dag, time):
        self.noegle, self.dag, self.time = noegle, dag, time
        self.hold = {}        # class -> set of (group, division); ("", "") is the whole class
        self.laerere, self.lokaler, self.fag = set(), set(), set()


def dag_nr(tekst):
    t = tekst.strip().lower()
    if t in DAGE:
        return DAGE.index(t)
    return int(t) - 1  # a number counted from 1


def laes_csv(sti):
    with open(sti, encoding="utf-8-sig", newline="") as f:
        rækker = list(csv.reader(f, delimiter=";"))
    if not rækker:
        raise ValueError("filen er tom")
    hoved = rækker[0]
    mangler = [k for k in GRUNDKOLONNER if k not in hoved]
    if mangler:
        raise ValueError("kolonner mangler: " + ", ".join(mangler))
    return [dict(zip(hoved, r)) for r in rækker[1:] if any(r)]


def lektioner(rækker):
    """The lessons per hour. Without a Lektion column every row is a lesson of its own."""
    ud = {}
    for nr, r in enumerate(rækker, start=2):
        dag, time = dag_nr(r["Dag"]), int(r["Time"]) - 1
        id_ = r.get("Lektion", "").strip()
        noegle = (id_, dag, time) if id_ else ("linje %d" % nr, dag, time)
        lek = ud.setdefault(noegle, Lektion(id_ or "linje %d" % nr, dag, time))
        lek.hold.setdefault(r["Hold"].strip(), set()).add((r.get("Gruppe", "").strip(), r.get("Inddeling", "").strip()))
        if r["Lærer"].strip() not in INGEN:
            lek.laerere.add(r["Lærer"].strip())
        if r["Lokale"].strip() not in INGEN:
            lek.lokaler.add(r["Lokale"].strip())
        lek.fag.add(r["Fag"].strip())
    return list(ud.values())


def holdkonflikt(a, b):
    """Why two lessons of one class cannot share an hour, or None when they may."""
    for ga, da in a:
        for gb, db in b:
            if not ga or not gb:
                return "hele holdet og en gruppe" if ga or gb else "hele holdet to gange"
            if ga == gb:
                return "gruppen %s to gange" % ga
            if da != db:
                return "grupperne %s og %s af forskellige inddelinger" % (ga, gb)
    return None


def dobbeltbookinger(lektioner_):
    """Clashes as text lines, by kind of owner."""
    ud = {"hold dobbeltbooket": [], "lærer dobbeltbooket": [], "lokale dobbeltbooket": []}
    pr_time = collections.defaultdict(list)
    for lek in lektioner_:
        pr_time[(lek.dag, lek.time)].append(lek)
    for (dag, time), alle in sorted(pr_time.items()):
        sted = "%s %d" % (DAGE[dag].capitalize() if 0 <= dag < 7 else dag + 1, time + 1)
        for i, a in enumerate(alle):
            for b in alle[i + 1:]:
                for hold in sorted(set(a.hold) & set(b.hold)):
                    if hold:
                        grund = holdkonflikt(a.hold[hold], b.hold[hold])
                        if grund:
                            ud["hold dobbeltbooket"].append("%s: hold %s, %s (%s / %s)" % (sted, hold, grund, a.noegle, b.noegle))
                for laerer in sorted(a.laerere & b.laerere):
                    ud["lærer dobbeltbooket"].append("%s: lærer %s (%s / %s)" % (sted, laerer, a.noegle, b.noegle))
                for lokale in sorted(a.lokaler & b.lokaler):
                    ud["lokale dobbeltbooket"].append("%s: lokale %s (%s / %s)" % (sted, lokale, a.noegle, b.noegle))
    return ud


class Skole:
    """What the .fet file says about the week and the teachers' hours."""

    def __init__(self, sti):
        import fetfil
        fil = fetfil.laes(sti)
        self.dage, self.timer = len(fil.dage), len(fil.timer)
        self.utilgaengelig = collections.defaultdict(dict)  # teacher -> {(day, hour): weight}
        self.pauser = set()
        for b in fil.begraensninger:
            if not b.aktiv:
                continue
            if b.art == "ConstraintTeacherNotAvailableTimes":
                laerer = fetfil._tekst(b.element, "Teacher")
                for t in b.element.findall("Not_Available_Time"):
                    d, h = fil.dag_nr(fetfil._tekst(t, "Day")), fil.time_nr(fetfil._tekst(t, "Hour"))
                    if d is not None and h is not None:
                        gammel = self.utilgaengelig[laerer].get((d, h), 0)
                        self.utilgaengelig[laerer][(d, h)] = max(gammel, b.vaegt)
            elif b.art == "ConstraintBreakTimes" and b.vaegt >= 100:
                for t in b.element.findall("Break_Time"):
                    d, h = fil.dag_nr(fetfil._tekst(t, "Day")), fil.time_nr(fetfil._tekst(t, "Hour"))
                    if d is not None and h is not None:
                        self.pauser.add((d, h))


def kontroller(rækker, dage=None, timer=None, skole=None):
    lek = lektioner(rækker)
    fejl = dobbeltbookinger(lek)
    fejl["uden for ugen"] = []
    fejl["lærer utilgængelig"] = []
    info = {"lærer utilgængelig (vægt < 100 %)": 0, "i skolens pauser": 0}
    hold_uge, laerer_uge, fagtimer = maal.ny_uge(), maal.ny_uge(), maal.ny_uge()
    for l in lek:
        if l.dag < 0 or l.time < 0 or (dage and l.dag >= dage) or (timer and l.time >= timer):
            fejl["uden for ugen"].append("%s: dag %d time %d" % (l.noegle, l.dag + 1, l.time + 1))
        for laerer in l.laerere:
            laerer_uge[laerer][l.dag].add(l.time)
            if skole:
                vaegt = skole.utilgaengelig.get(laerer, {}).get((l.dag, l.time))
                if vaegt is not None and vaegt >= 100:
                    fejl["lærer utilgængelig"].append("%s: %s dag %d time %d" % (l.noegle, laerer, l.dag + 1, l.time + 1))
                elif vaegt is not None:
                    info["lærer utilgængelig (vægt < 100 %)"] += 1
        if skole and (l.dag, l.time) in skole.pauser:
            info["i skolens pauser"] += 1
        for hold, grupper in l.hold.items():
            if not hold:
                continue
            hold_uge[hold][l.dag].add(l.time)
            for gruppe, _ in grupper:
                for fag in l.fag:
                    fagtimer[((hold, gruppe), fag)][l.dag].add(l.time)
    pauser = frozenset(skole.pauser) if skole else frozenset()
    delte = maal.delte_dage(fagtimer)
    maalt = {
        "lektionstimer": len(lek),
        "holdtimer": sum(len(t) for d in hold_uge.values() for t in d.values()),
        "delte_dage": len(delte),
        "klassehuller": sum(maal.huller(hold_uge, pauser).values()),
        "laererhuller": sum(maal.huller(laerer_uge, pauser).values()),
    }
    return fejl, info, maalt, delte


def rapport(sti, fejl, info, maalt, delte, ugetekst):
    linjer = ["Kontrol af %s: %d lektionstimer (%s)" % (sti, maalt["lektionstimer"], ugetekst)]
    linjer.append("Hårde regler:")
    for art, liste in fejl.items():
        linjer.append("  %-22s %d" % (art + ":", len(liste)))
        linjer.extend("    " + x for x in liste[:5])
        if len(liste) > 5:
            linjer.append("    … og %d mere" % (len(liste) - 5))
    linjer.append("Mål:")
    linjer.append("  delte dage:            %d" % maalt["delte_dage"])
    linjer.extend("    %s%s %s dag %d" % (s[0], "/" + s[1] if s[1] else "", f, d + 1) for (s, f, d) in delte[:3])
    linjer.append("  mellemtimer hold:      %d" % maalt["klassehuller"])
    linjer.append("  mellemtimer lærere:    %d" % maalt["laererhuller"])
    for k, v in info.items():
        linjer.append("  %-22s %d" % (k + ":", v))
    brudt = sum(len(x) for x in fejl.values())
    linjer.append("Resultat: %s" % ("%d hårde regler brudt" % brudt if brudt else "ingen hård regel brudt"))
    return "\n".join(linjer) + "\n"


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("csv")
    p.add_argument("--fet", help="the .fet file the plan came from: its week and teachers' hours")
    p.add_argument("--uge", metavar="DxT", help="the plan's days x hours when there is no .fet file")
    p.add_argument("--json", action="store_true", help="print the figures as one JSON object")
    args = p.parse_args()
    try:
        rækker = laes_csv(args.csv)
    except (OSError, ValueError) as e:
        print("%s: %s" % (args.csv, e), file=sys.stderr)
        return 2
    skole = Skole(args.fet) if args.fet else None
    dage = timer = None
    if skole:
        dage, timer = skole.dage, skole.timer
    elif args.uge:
        dage, timer = (int(x) for x in args.uge.lower().split("x"))
    try:
        fejl, info, maalt, delte = kontroller(rækker, dage, timer, skole)
    except ValueError as e:
        print("%s: ulæselig række: %s" % (args.csv, e), file=sys.stderr)
        return 2
    brudt = sum(len(x) for x in fejl.values())
    if args.json:
        ud = dict(maalt)
        ud.update({"brudt_" + k.replace(" ", "_"): len(v) for k, v in fejl.items()})
        ud["haarde_brud"] = brudt
        ud["kolonner"] = ";".join(rækker[0].keys()) if rækker else ""
        print(json.dumps(ud, ensure_ascii=False))
    else:
        uge = "%d dage × %d timer" % (dage, timer) if dage else "ugen ikke kendt"
        sys.stdout.write(rapport(args.csv, fejl, info, maalt, delte, uge))
    return 1 if brudt else 0


if __name__ == "__main__":
    sys.exit(main())
