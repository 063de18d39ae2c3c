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
    elif not peer.get("fundet"):
        celler += ["refused: " + peer.get("udfald", ""), "", "", "", vaerdi(peer.get("sekunder"))]
    else:
        celler += [pct(peer.get("timer_placeret"), timer) + ("" if peer.get("komplet") else " ✗"),
                   vaerdi(peer.get("klassehuller")), vaerdi(peer.get("laererhuller")),
                   vaerdi(peer.get("delte_dage")), vaerdi(peer.get("sekunder"))]
    return "| " + " | ".join(celler) + " |"


def afvigelse(vores):
    """What in one run of ours looks wrong: a failed step, a broken rule, counts that disagree."""
    if vores is None:
        return []
    if vores.get("import_status") != 0:
        fejl = vores.get("import_fejl", "")
        # The import refuses a week too big and a file with nothing to carry over, and says so.
        return [] if "skemaet har plads til" in fejl or "ingen undervisning" in fejl else ["import failed: " + fejl]
    ud = []
    if vores.get("run_status") != 0:
        ud.append("run ended with status %s: %s" % (vores.get("run_status"), vores.get("run_fejl", "")))
    k = vores.get("kontrol")
    if k is None:
        ud.append("no CSV to check")
        return ud
    if k.get("haarde_brud"):
        ud.append("%d hard rules broken (kontrol.txt)" % k["haarde_brud"])
    if "Lektion" not in k.get("kolonner", "") and k.get("lektionstimer") != vores.get("placeret"):
        ud.append("the CSV has %s lesson hours, the status line LL=%s" % (k.get("lektionstimer"), vores.get("placeret")))
    if vores.get("importeret") == 0:
        ud.append("the import exited 0 but brought no hours (PL=0)")
    if vores.get("ubrugelige"):
        ud.append("the imported plan has stored rows it cannot use: " + "; ".join(vores["ubrugelige"]))
    return ud


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
    print("|" + "---|" * 15)
    sum_timer = sum_imp = sum_plac = sum_peer = 0
    komplet_vores = komplet_peer = begge = afvist = alt_importeret_placeret = tomme = 0
    afvigelser = []
    peer_kontrol = []  # (file, hard rules broken, figures agree)
    for sti in filer:
        vores = brikken_resultat(args.brikken_cache, sti, args.brikken_seconds)
        peer = fet_resultat(args.fet_cache, sti, args.fet_seconds)
        print(raekke(sti, vores, peer))
        timer = (vores or peer or {}).get("timer") or 0
        sum_timer += timer
        ok = vores is not None and vores.get("import_status") == 0
        afvist += vores is not None and not ok
        afvigelser += [(kort(sti), a) for a in afvigelse(vores)]
        if ok:
            sum_imp += vores.get("importeret") or 0
            sum_plac += vores.get("placeret") or 0
        vores_komplet = ok and vores.get("placeret") == timer
        if ok and vores.get("importeret"):
            alt_importeret_placeret += vores.get("placeret") == vores.get("importeret")
        tomme += ok and not vores.get("importeret")
        komplet_vores += vores_komplet
        if peer:
            k = laes_json(os.path.join(args.fet_cache, "%s-%ss" % (noegle(sti), args.fet_seconds), "kontrol.json"))
            if k:
                enige = all(k.get(n) == peer.get(n) for n in ("klassehuller", "laererhuller", "delte_dage"))
                peer_kontrol.append((kort(sti), k.get("haarde_brud"), enige))
            sum_peer += peer.get("timer_placeret") or 0
            komplet_peer += bool(peer.get("komplet"))
            begge += bool(peer.get("komplet")) and vores_komplet
    print()
    print("Totals over %d files, %d active hours: ours imported %s and placed %s of the active hours "
          "(%d import refusals, %d imports with no hours); the peer placed %s. Every active hour placed: "
          "ours %d files, the peer %d, both %d. Ours placed every imported hour on %d files."
          % (len(filer), sum_timer, pct(sum_imp, sum_timer), pct(sum_plac, sum_timer), afvist, tomme,
             pct(sum_peer, sum_timer), komplet_vores, komplet_peer, begge, alt_importeret_placeret))
    if peer_kontrol:
        brudt = [(f, b) for f, b, _ in peer_kontrol if b]
        uenige = [f for f, _, e in peer_kontrol if not e]
        print()
        print("The checker on the peer's own %d timetables: hard rules broken in %d (%s); gaps and split days "
              "as fetresultat.py counts them in %d." % (len(peer_kontrol), len(brudt),
                                                        ", ".join("%s: %d" % x for x in brudt) or "none",
                                                        len(peer_kontrol) - len(uenige)))
    if afvigelser:
        print()
        print("Faults seen in our runs:")
        print()
        for fil, a in afvigelser:
            print("- %s: %s" % (fil, a))


if __name__ == "__main__":
    main()
