#!/usr/bin/env python3
"""Puts the cached results of fet.sh and brikken.sh side by side as Markdown.

    tabel.py [--fet-cache DIR] [--fet-seconds N] [--brikken-cache DIR] [--brikken-seconds S] [FET-FILE ...]

Without files: every fet-data file whose week fits 5 × 8. For our program the
newest result of each file (any build) is taken.
"""

import argparse
import glob
import json
import os
import subprocess
import sys

HER = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HER)
import opgoer  # noqa: E402


def noegle(sti):
    return opgoer.kort_sti(sti)[:-len(".fet")].replace("/", "__")


def laes_json(sti):
    try:
        with open(sti, encoding="utf-8") as f:
            return json.load(f)
    except (OSError, ValueError):
        return None


def fet_resultat(cache, sti, sekunder):
    return laes_json(os.path.join(cache, "%s-%ss" % (noegle(sti), sekunder), "resultat.json"))


def brikken_resultat(cache, sti, sekunder):
    kandidater = glob.glob(os.path.join(glob.escape(cache), "%s-%ss-*" % (glob.escape(noegle(sti)), sekunder),
                                        "resultat.json"))
    return laes_json(max(kandidater, key=os.path.getmtime)) if kandidater else None


def pct(del_, hel):
    return "%.0f %%" % (100.0 * del_ / hel) if hel and del_ is not None else "–"


def vaerdi(x):
    return "–" if x is None else str(x)


def kort(sti):
    k = opgoer.kort_sti(sti)
    for forstavelse in ("FET-5-official/", "FET-6-official/"):
        if k.startswith(forstavelse):
            return k[len(forstavelse):] + (" (v6)" if forstavelse.startswith("FET-6") else "")
    return k


def raekke(sti, vores, peer):
    timer = (vores or peer or {}).get("timer")
    celler = [kort(sti), vaerdi(timer)]
    if vores is None:
        celler += ["not run"] + [""] * 7
    elif vores.get("import_status") != 0:
        celler += ["refused"] + [""] * 7
    else:
        k = vores.get("kontrol", {})
        celler += [pct(vores.get("importeret"), timer), pct(vores.get("placeret"), timer),
                   "%s/%s" % (vaerdi(vores.get("placeret")), vaerdi(vores.get("importeret"))),
                   vaerdi(k.get("klassehuller")), vaerdi(k.get("laererhuller")), vaerdi(k.get("delte_dage")),
                   vaerdi(k.get("haarde_brud")), vaerdi(vores.get("sekunder"))]
    if peer is None:
        celler += ["not run", "", "", "", ""]
    else:
        celler += [pct(peer.get("timer_placeret"), timer) + ("" if peer.get("komplet") else " ✗"),
                   vaerdi(peer.get("klassehuller")), vaerdi(peer.get("laererhuller")),
                   vaerdi(peer.get("delte_dage")), vaerdi(peer.get("sekunder"))]
    return "| " + " | ".join(celler) + " |"


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("filer", nargs="*")
    p.add_argument("--fet-cache", default="/tmp/fet-resultater")
    p.add_argument("--fet-seconds", default="60")
    p.add_argument("--brikken-cache", default="/tmp/brikken-resultater")
    p.add_argument("--brikken-seconds", default="10")
    args = p.parse_args()
    filer = args.filer or subprocess.run([sys.executable, os.path.join(HER, "opgoer.py"), "--passer", "5x8"],
                                         capture_output=True, text=True, check=True).stdout.split()
    print("| file | active hours | ours: imported | ours: placed | placed/imported | class gaps | teacher gaps "
          "| split days | hard rules broken | ours s | peer: placed | class gaps | teacher gaps | split days | peer s |")
    print("|" + "---|" * 16)
    sum_timer = sum_imp = sum_plac = sum_peer = 0
    komplet_vores = komplet_peer = begge = afvist = 0
    for sti in filer:
        vores = brikken_resultat(args.brikken_cache, sti, args.brikken_seconds)
        peer = fet_resultat(args.fet_cache, sti, args.fet_seconds)
        print(raekke(sti, vores, peer))
        timer = (vores or peer or {}).get("timer") or 0
        sum_timer += timer
        ok = vores is not None and vores.get("import_status") == 0
        afvist += vores is not None and not ok
        if ok:
            sum_imp += vores.get("importeret") or 0
            sum_plac += vores.get("placeret") or 0
        vores_komplet = ok and vores.get("placeret") == timer
        komplet_vores += vores_komplet
        if peer:
            sum_peer += peer.get("timer_placeret") or 0
            komplet_peer += bool(peer.get("komplet"))
            begge += bool(peer.get("komplet")) and vores_komplet
    print()
    print("Totals over %d files, %d active hours: ours imported %s and placed %s of the active hours "
          "(%d import refusals); the peer placed %s. Every active hour placed: ours %d files, the peer %d, both %d."
          % (len(filer), sum_timer, pct(sum_imp, sum_timer), pct(sum_plac, sum_timer), afvist,
             pct(sum_peer, sum_timer), komplet_vores, komplet_peer, begge))


if __name__ == "__main__":
    main()
