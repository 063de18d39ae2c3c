#!/usr/bin/env python3
"""Inventory of FET example schools: week, hours by kind of activity, constraints used.

    opgoer.py [--csv FILE] [--md FILE] [FET-FILE ...]
    opgoer.py --passer 5x8 [FET-FILE ...]

Without files it reads every .fet file of Debian's fet-data. Writes one CSV
row per file and prints a summary (also to --md as Markdown). With --passer
it prints only the paths of the files whose week fits DAYSxHOURS.
"""

import argparse
import collections
import csv
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import fetfil  # noqa: E402

EKSEMPLER = "/usr/share/doc/fet-data/examples/"

# The hour categories of the CSV, in order; an activity may count in several.
KATEGORIER = [
    ("timer_aargang", "one students set, a year"),
    ("timer_gruppe", "one students set, a group"),
    ("timer_undergruppe", "one students set, a subgroup"),
    ("timer_del_af_klasse", "one set that is a strict part of a class (needs groups)"),
    ("timer_flere_hold", "several students sets"),
    ("timer_flere_laerere", "several teachers"),
    ("timer_ingen_elever", "no students"),
    ("timer_ingen_laerer", "no teacher"),
    ("timer_enkle", "one whole class, one teacher"),
]

# Present in every file and not a school's own wish.
GRUNDREGLER = {"ConstraintBasicCompulsoryTime", "ConstraintBasicCompulsorySpace"}


def fet_data_filer():
    ud = subprocess.run(["dpkg", "-L", "fet-data"], capture_output=True, text=True, check=True).stdout
    return sorted(linje for linje in ud.splitlines() if linje.endswith(".fet"))


def kort_sti(sti):
    return sti[len(EKSEMPLER):] if sti.startswith(EKSEMPLER) else sti


def land(sti):
    dele = kort_sti(sti).split("/")
    return dele[1] if len(dele) > 2 and dele[0].startswith("FET-") else ""


def kategorier(a, saet, klasser):
    ud = set()
    if not a.elever:
        ud.add("timer_ingen_elever")
    elif len(a.elever) > 1:
        ud.add("timer_flere_hold")
    else:
        art = saet.art.get(a.elever[0])
        if art == "year":
            ud.add("timer_aargang")
        elif art == "group":
            ud.add("timer_gruppe")
        elif art == "subgroup":
            ud.add("timer_undergruppe")
        if er_del_af_klasse(a.elever[0], saet, klasser):
            ud.add("timer_del_af_klasse")
    if len(a.laerere) > 1:
        ud.add("timer_flere_laerere")
    if not a.laerere:
        ud.add("timer_ingen_laerer")
    if len(a.elever) == 1 and len(a.laerere) == 1 and "timer_del_af_klasse" not in ud:
        ud.add("timer_enkle")
    return ud


def er_del_af_klasse(navn, saet, klasser):
    """A set whose students are a strict part of a class (see Elevsaet.klasser)."""
    atomer = saet.atomer.get(navn)
    return atomer is not None and any(atomer < k for k in klasser.values())


def opgoer(sti):
    fil = fetfil.laes(sti)
    saet = fetfil.Elevsaet(fil)
    aktive = fil.aktive()
    klasser = saet.klasser(aktive)
    rk = {
        "fil": kort_sti(sti),
        "land": land(sti),
        "tilstand": fil.tilstand,
        "dage": len(fil.dage),
        "timer_pr_dag": len(fil.timer),
        "aktiviteter": len(aktive),
        "inaktive": len(fil.aktiviteter) - len(aktive),
        "timer": sum(a.varighed for a in aktive),
    }
    for k, _ in KATEGORIER:
        rk[k] = 0
    for a in aktive:
        for k in kategorier(a, saet, klasser):
            rk[k] += a.varighed
    arter = collections.Counter()
    haarde = collections.Counter()
    for b in fil.begraensninger:
        if b.aktiv and b.art not in GRUNDREGLER:
            arter[(b.slags, b.art)] += 1
            haarde[(b.slags, b.art)] += b.vaegt >= 100
    for slags in ("tid", "lokale"):
        rk["regler_" + slags] = " ".join(
            "%s=%d/%d" % (art, n, haarde[(s, art)]) for (s, art), n in sorted(arter.items()) if s == slags)
    return rk, arter


def passer(rk, dage, timer):
    return rk["dage"] <= dage and rk["timer_pr_dag"] <= timer


def resume(rækker, regelbrug):
    n = len(rækker)
    ud = ["# Inventory of %d FET files" % n, ""]
    ud.append("| week | files |")
    ud.append("|---|---|")
    for d, t in ((5, 8), (6, 8), (5, 10), (6, 10), (7, 16)):
        ud.append("| fits %d days × %d hours | %d |" % (d, t, sum(passer(r, d, t) for r in rækker)))
    ud.append("| more than 5 days | %d |" % sum(r["dage"] > 5 for r in rækker))
    ud.append("| more than 8 hours a day | %d |" % sum(r["timer_pr_dag"] > 8 for r in rækker))
    ud.append("| more than 7 days | %d |" % sum(r["dage"] > 7 for r in rækker))
    ud.append("| more than 16 hours a day | %d |" % sum(r["timer_pr_dag"] > 16 for r in rækker))
    ud.append("| mode other than Official | %d |" % sum(r["tilstand"] != "Official" for r in rækker))
    ud.append("")
    for titel, udvalg in (("all files", rækker), ("files that fit 5 × 8", [r for r in rækker if passer(r, 5, 8)])):
        timer = sum(r["timer"] for r in udvalg) or 1
        ud.append("Active hours by kind of activity, %s (%d files, %d active hours):" % (titel, len(udvalg), timer))
        ud.append("")
        ud.append("| kind | files using it | hours | share of hours |")
        ud.append("|---|---|---|---|")
        for k, tekst in KATEGORIER:
            t = sum(r[k] for r in udvalg)
            ud.append("| %s | %d | %d | %.1f %% |" % (tekst, sum(r[k] > 0 for r in udvalg), t, 100.0 * t / timer))
        ud.append("")
    ud.append("Constraint kinds by number of files using them (active, basic ones left out):")
    ud.append("")
    ud.append("| kind | time/space | files | files (5 × 8) | constraints | of which weight 100 % |")
    ud.append("|---|---|---|---|---|---|")
    smaa = {r["fil"] for r in rækker if passer(r, 5, 8)}
    filer_pr_art = collections.Counter()
    smaa_pr_art = collections.Counter()
    antal = collections.Counter()
    haarde = collections.Counter()
    for fil, arter in regelbrug:
        for (slags, art), k in arter.items():
            filer_pr_art[(slags, art)] += 1
            smaa_pr_art[(slags, art)] += fil in smaa
            antal[(slags, art)] += k
    for r in rækker:
        for slags in ("tid", "lokale"):
            for del_ in r["regler_" + slags].split():
                art, tal = del_.split("=")
                haarde[(slags, art)] += int(tal.split("/")[1])
    for (slags, art), f in sorted(filer_pr_art.items(), key=lambda x: (-x[1], x[0][1]))[:30]:
        ud.append("| %s | %s | %d | %d | %d | %d |" % (
            art.replace("Constraint", ""), "time" if slags == "tid" else "space", f, smaa_pr_art[(slags, art)],
            antal[(slags, art)], haarde[(slags, art)]))
    return "\n".join(ud) + "\n"


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("filer", nargs="*")
    p.add_argument("--csv", help="write one row per file here")
    p.add_argument("--md", help="write the summary here too")
    p.add_argument("--passer", metavar="DxT", help="only list the files whose week fits D days x T hours")
    args = p.parse_args()
    filer = args.filer or fet_data_filer()
    if args.passer:
        dage, timer = (int(x) for x in args.passer.lower().split("x"))
        for sti in filer:
            fil = fetfil.laes(sti)
            if len(fil.dage) <= dage and len(fil.timer) <= timer:
                print(sti)
        return
    rækker, regelbrug = [], []
    for sti in filer:
        try:
            rk, arter = opgoer(sti)
        except Exception as e:  # a broken file is reported, not fatal
            print("%s: kan ikke læses: %s" % (sti, e), file=sys.stderr)
            continue
        rækker.append(rk)
        regelbrug.append((rk["fil"], arter))
    if args.csv:
        with open(args.csv, "w", newline="", encoding="utf-8") as f:
            w = csv.DictWriter(f, fieldnames=list(rækker[0].keys()) if rækker else ["fil"], delimiter=";")
            w.writeheader()
            w.writerows(rækker)
    tekst = resume(rækker, regelbrug)
    if args.md:
        with open(args.md, "w", encoding="utf-8") as f:
            f.write(tekst)
    sys.stdout.write(tekst)


if __name__ == "__main__":
    main()
