#!/usr/bin/env python3
"""Our time to a complete timetable against the peer's, one row per file, as Markdown.

    side_om_side.py [--fet-cache DIR] [--brikken-cache DIR] [--runde2 SUFFIX] [--seconds S] [FET-FILE ...]
    side_om_side.py --filer      the fet-data files that import (week fits 7 x 16), smallest first
    side_om_side.py --taette     of those, the close cases worth a second round

Ours: the lesson hours in the exported timetable of the hours the import
carried over. Reads what fet.sh and brikken.sh cached (both with --seconds S, default 60);
a second round lies in the caches named with SUFFIX appended (default "-2"),
and where a file has one, both times are shown and their mean decides. The
target: where the peer completes, ours completes too and takes no longer than
the peer, or at most 1 s where the peer takes less than 1 s.
"""

import argparse
import os
import sys

HER = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HER)
import fetfil  # noqa: E402
import importandel  # noqa: E402
import opgoer  # noqa: E402
import tabel  # noqa: E402

# Ours to the peer's time within which a file counts as close and is run a second time.
TAET = (0.5, 2.0)


def filer():
    """The files that import, smallest school first: a run cut short has then measured the most files."""
    skoler = [(s, fetfil.laes(s)) for s in opgoer.fet_data_filer()]
    return [s for s, fil in sorted(skoler, key=lambda sf: sum(a.varighed for a in sf[1].aktive()))
            if importandel.passer(fil)]


def graense(peer_s):
    """The time ours may take on a file the peer completes in peer_s seconds."""
    return max(peer_s, 1.0)


def koersel(args, sti, runde2=False):
    """(ours, peer) of one round; None where that round was not run."""
    fet_cache, brikken_cache = args.fet_cache, args.brikken_cache
    if runde2:
        fet_cache, brikken_cache = fet_cache + args.runde2, brikken_cache + args.runde2
    return (tabel.brikken_resultat(brikken_cache, sti, args.seconds),
            tabel.fet_resultat(fet_cache, sti, args.seconds))


def placeret(vores):
    """Lesson hours in our timetable: every lesson once, also one of several classes (the checker's count)."""
    return vores.get("kontrol", {}).get("lektionstimer")


def vores_komplet(vores):
    return bool(vores and vores.get("import_status") == 0 and vores.get("overfoert")
                and placeret(vores) == vores.get("overfoert"))


def middel(tider):
    tider = [t for t in tider if t is not None]
    return sum(tider) / len(tider) if tider else None


def taet(vores, peer):
    """A file where both complete and ours is within TAET of the time it may take."""
    if not (peer and peer.get("komplet") and vores_komplet(vores) and vores.get("sekunder") is not None):
        return False
    forhold = vores["sekunder"] / graense(peer["sekunder"])
    return TAET[0] <= forhold <= TAET[1]


def sekunder_tekst(tider):
    return " / ".join("%.2f" % t for t in tider if t is not None) or "–"


def vurdering(vores_runder, peer_runder):
    """'yes', 'no' or '–' (no target: the peer does not complete, or we did not run)."""
    peer = peer_runder[0]
    if not (peer and peer.get("komplet")) or not vores_runder[0]:
        return "–"
    if not all(vores_komplet(v) for v in vores_runder if v):
        return "no"
    vores_s = middel([v.get("sekunder") for v in vores_runder if v])
    peer_s = middel([p.get("sekunder") for p in peer_runder if p])
    return "yes" if vores_s is not None and vores_s <= graense(peer_s) else "no"


def raekke(sti, vores_runder, peer_runder):
    vores, peer = vores_runder[0], peer_runder[0]
    timer = (vores or peer or {}).get("timer")
    celler = [tabel.kort(sti), tabel.vaerdi(timer)]
    if vores is None:
        celler += ["not run", ""]
    elif vores.get("import_status") != 0:
        celler += ["refused", ""]
    else:
        celler += ["%s/%s" % (tabel.vaerdi(placeret(vores)), tabel.vaerdi(vores.get("overfoert"))),
                   sekunder_tekst([v.get("sekunder") for v in vores_runder if v])]
    if peer is None:
        celler += ["not run", ""]
    elif not peer.get("fundet"):
        celler += ["refused", sekunder_tekst([peer.get("sekunder")])]
    else:
        peer_placeret = "complete" if peer.get("komplet") else "✗ %s" % tabel.vaerdi(peer.get("timer_placeret"))
        celler += [peer_placeret, sekunder_tekst([p.get("sekunder") for p in peer_runder if p])]
    celler.append(vurdering(vores_runder, peer_runder))
    return "| " + " | ".join(celler) + " |"


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("filer", nargs="*")
    p.add_argument("--fet-cache", default="/tmp/fet-resultater")
    p.add_argument("--brikken-cache", default="/tmp/brikken-resultater")
    p.add_argument("--runde2", default="-2")
    p.add_argument("--seconds", default="60")
    p.add_argument("--filer", dest="kun_filer", action="store_true")
    p.add_argument("--taette", action="store_true")
    args = p.parse_args()
    valgte = args.filer or filer()
    if args.kun_filer:
        for sti in valgte:
            print(sti)
        return
    if args.taette:
        for sti in valgte:
            if taet(*koersel(args, sti)):
                print(sti)
        return
    print("| file | hours | ours: placed/imported | ours s | peer: placed | peer s | ours ≤ peer (≤ 1 s) |")
    print("|" + "---|" * 7)
    udfald = []
    for sti in sorted(valgte):
        (vores, peer), (vores2, peer2) = koersel(args, sti), koersel(args, sti, runde2=True)
        vores_runder, peer_runder = [vores, vores2], [peer, peer2]
        print(raekke(sti, vores_runder, peer_runder))
        udfald.append((vurdering(vores_runder, peer_runder), vores_komplet(vores), bool(peer and peer.get("komplet"))))
    print()
    print("%d files: ours complete on %d, the peer on %d; of the %d the peer completes, ours meets the time on %d "
          "and misses it on %d." % (len(udfald), sum(u[1] for u in udfald), sum(u[2] for u in udfald),
                                    sum(u[0] != "–" for u in udfald), sum(u[0] == "yes" for u in udfald),
                                    sum(u[0] == "no" for u in udfald)))


if __name__ == "__main__":
    main()
