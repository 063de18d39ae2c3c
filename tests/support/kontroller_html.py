#!/usr/bin/env python3
"""Checks a folder of web pages: every page parses with balanced tags, every
local link and style sheet exists, and xmllint's HTML parser (when
installed) reports nothing. Prints each problem; exit status 1 when any."""
import html.parser
import os
import shutil
import subprocess
import sys

TOMME = {"meta", "link", "br", "img", "hr", "input", "col", "wbr"}


class Kontrol(html.parser.HTMLParser):
    def __init__(self, mappe, fil, fejl):
        super().__init__(convert_charrefs=True)
        self.mappe, self.fil, self.fejl, self.aabne = mappe, fil, fejl, []

    def handle_starttag(self, tag, attrs):
        for navn, vaerdi in attrs:
            if navn in ("href", "src") and vaerdi and "://" not in vaerdi:
                if not os.path.exists(os.path.join(self.mappe, vaerdi.split("#")[0])):
                    self.fejl.append(f"{self.fil}: linket {vaerdi} findes ikke")
        if tag not in TOMME:
            self.aabne.append(tag)

    def handle_endtag(self, tag):
        if not self.aabne or self.aabne[-1] != tag:
            self.fejl.append(f"{self.fil}: </{tag}> lukker {self.aabne[-1:] or 'intet'}")
        else:
            self.aabne.pop()


def main(mappe):
    fejl = []
    sider = sorted(f for f in os.listdir(mappe) if f.endswith(".html"))
    for fil in sider:
        with open(os.path.join(mappe, fil), encoding="utf-8") as f:
            tekst = f.read()
        if not tekst.startswith("<!DOCTYPE html>"):
            fejl.append(f"{fil}: mangler <!DOCTYPE html>")
        kontrol = Kontrol(mappe, fil, fejl)
        kontrol.feed(tekst)
        kontrol.close()
        if kontrol.aabne:
            fejl.append(f"{fil}: ikke lukket: {kontrol.aabne}")
        if shutil.which("xmllint"):
            svar = subprocess.run(["xmllint", "--html", "--noout", os.path.join(mappe, fil)],
                                  capture_output=True, text=True)
            if svar.returncode != 0 or svar.stderr.strip():
                fejl.append(f"{fil}: xmllint: {svar.stderr.strip()}")
    if not sider:
        fejl.append("ingen sider")
    for linje in fejl:
        print(linje)
    return 1 if fejl else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
