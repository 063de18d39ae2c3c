#!/usr/bin/env python3
"""Figures of a timetable that fet-cl wrote, counted from its activities XML.

    fetresultat.py FET-FILE OUTPUT-DIR [--sekunder S] [--graense N]

Prints one JSON object: active hours, hours placed, complete or not, class and
teacher gap hours per week, split days and FET's own conflict total. When FET
ran out of time it wrote its best partial timetable ("-highest"); that one is
read then.
"""

import argparse
import glob
import json
import os
import re
import sys
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import fetfil  # noqa: E402
import maal  # noqa: E402


def find_skema(udmappe, navn):
    """The folder of the finished timetable, else of the best partial one."""
    for endelse in ("", "-highest", "-current"):
        mappe = os.path.join(udmappe, "timetables", navn + endelse)
        if os.path.exists(os.path.join(mappe, navn + "_activities.xml")):
            return mappe, endelse == ""
    return None, False


def pauser(fil):
    ud = set()
    for b in fil.begraensninger:
        if b.aktiv and b.art == "ConstraintBreakTimes" and b.vaegt >= 100:
            for t in b.element.findall("Break_Time"):
                d, h = fil.dag_nr(fetfil._tekst(t, "Day")), fil.time_nr(fetfil._tekst(t, "Hour"))
                if d is not None and h is not None:
                    ud.add((d, h))
    return frozenset(ud)


def konfliktsum(mappe):
    filer = glob.glob(os.path.join(mappe, "*_soft_conflicts.txt"))
    if not filer:
        return None
    with open(filer[0], encoding="utf-8-sig") as f:
        m = re.search(r"Total (?:soft )?conflicts: ([0-9.]+)", f.read())
    return float(m.group(1)) if m else None


def placeringer(mappe, navn, virtuelle=frozenset()):
    """{activity id: (day name, hour name, [rooms])} of the placed activities.

    A virtual room stands for the real rooms FET chose, listed beside it."""
    rod = ET.parse(os.path.join(mappe, navn + "_activities.xml")).getroot()
    ud = {}
    for a in rod.findall("Activity"):
        dag, time = fetfil._tekst(a, "Day"), fetfil._tekst(a, "Hour")
        if dag and time:
            lokaler = [(r.text or "").strip() for r in a.findall("Real_Room")]
            lokale = fetfil._tekst(a, "Room")
            if not lokaler and lokale and lokale not in virtuelle:
                lokaler = [lokale]
            ud[fetfil._tekst(a, "Id")] = (dag, time, lokaler)
    return ud


def maal_skema(fil, placeret):
    """Gaps and split days of the placed activities, by the rules of maal.py."""
    saet = fetfil.Elevsaet(fil)
    aktive = fil.aktive()
    klasser = saet.klasser(aktive)
    klasse_uge, laerer_uge, fagtimer = maal.ny_uge(), maal.ny_uge(), maal.ny_uge()
    timer_placeret = 0
    for a in aktive:
        if a.id not in placeret:
            continue
        dag_navn, time_navn, _ = placeret[a.id]
        d, h = fil.dag_nr(dag_navn), fil.time_nr(time_navn)
        if d is None or h is None:
            continue
        timer = set(range(h, h + a.varighed))
        timer_placeret += a.varighed
        atomer = saet.atomer_af(a.elever)
        for k, k_atomer in klasser.items():
            if atomer & k_atomer:
                klasse_uge[k][d] |= timer
        for t in a.laerere:
            laerer_uge[t][d] |= timer
        for hold_gruppe in saet.hold_og_grupper(klasser, a.elever):
            fagtimer[(hold_gruppe, a.fag)][d] |= timer
    p = pauser(fil)
    return {
        "timer_placeret": timer_placeret,
        "klassehuller": sum(maal.huller(klasse_uge, p).values()),
        "laererhuller": sum(maal.huller(laerer_uge, p).values()),
        "delte_dage": len(maal.delte_dage(fagtimer)),
    }


def udfald(udmappe):
    """fet-cl's own last word: "Simulation successful", "Time exceeded", "Cannot precompute - …"."""
    try:
        with open(os.path.join(udmappe, "logs", "result.txt"), encoding="utf-8-sig") as f:
            linjer = [l.strip() for l in f if l.strip()]
    except OSError:
        return "no result.txt"
    return linjer[-1] if linjer else ""


def resultat(fet_sti, udmappe):
    fil = fetfil.laes(fet_sti)
    navn = os.path.splitext(os.path.basename(fet_sti))[0]
    timer = sum(a.varighed for a in fil.aktive())
    mappe, faerdig = find_skema(udmappe, navn)
    ud = {"fil": fet_sti, "timer": timer, "fundet": mappe is not None, "udfald": udfald(udmappe)}
    if mappe is None:
        ud.update(timer_placeret=0, komplet=False)
        return ud
    ud.update(maal_skema(fil, placeringer(mappe, navn)))
    ud["komplet"] = faerdig and ud["timer_placeret"] == timer
    ud["konflikter"] = konfliktsum(mappe)
    return ud


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("fil")
    p.add_argument("udmappe")
    p.add_argument("--sekunder", type=float, help="the run's wall time, recorded as it is")
    p.add_argument("--graense", type=int, help="the run's time limit, recorded as it is")
    args = p.parse_args()
    ud = resultat(args.fil, args.udmappe)
    ud["sekunder"], ud["graense"] = args.sekunder, args.graense
    print(json.dumps(ud, ensure_ascii=False))


if __name__ == "__main__":
    main()
