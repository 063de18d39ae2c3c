#!/usr/bin/env python3
"""Writes the peer's timetable in the columns of our published CSV, to check the checker.

    fet2csv.py FET-FILE OUTPUT-DIR > skema.csv

OUTPUT-DIR is where fet-cl wrote (fet.sh keeps it as CACHE/KEY-Ns/ud). One row
per hour of a placed activity per class-or-group × teacher × room, with the
appended columns Gruppe;Inddeling;Lektion (Lektion is FET's activity id).
Classes and groups are those of fetfil.Elevsaet (klasser, hold_og_grupper),
all groups in one division (FET keeps parts
that share students apart by itself). Days and hours are numbers from 1.
kontroller.py on this file must find no hard rule broken, and the same gap
hours as fetresultat.py.
"""

import csv
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import fetfil  # noqa: E402
import fetresultat  # noqa: E402


def main():
    if len(sys.argv) != 3:
        sys.exit("brug: fet2csv.py FET-FIL UDMAPPE")
    fil = fetfil.laes(sys.argv[1])
    navn = os.path.splitext(os.path.basename(sys.argv[1]))[0]
    mappe, _ = fetresultat.find_skema(sys.argv[2], navn)
    if mappe is None:
        sys.exit("%s: intet skema fra fet-cl" % sys.argv[2])
    placeret = fetresultat.placeringer(mappe, navn, fil.virtuelle_lokaler)
    saet = fetfil.Elevsaet(fil)
    klasser = saet.klasser(fil.aktive())
    w = csv.writer(sys.stdout, delimiter=";", lineterminator="\n")
    w.writerow(["Plan", "Dag", "Time", "Hold", "Fag", "Lærer", "Lokale", "Blokstørrelse", "Gruppe", "Inddeling",
                "Lektion"])
    for a in fil.aktive():
        if a.id not in placeret:
            continue
        dag, time, lokaler = placeret[a.id]
        d, h = fil.dag_nr(dag), fil.time_nr(time)
        for t in range(h, h + a.varighed):
            for hold, gruppe in saet.hold_og_grupper(klasser, a.elever) or [("", "")]:
                for laerer in a.laerere or [""]:
                    for lokale in lokaler or [""]:
                        w.writerow(["FET", d + 1, t + 1, hold, a.fag, laerer, lokale, a.varighed, gruppe,
                                    "fet" if gruppe else "", a.id])


if __name__ == "__main__":
    main()
