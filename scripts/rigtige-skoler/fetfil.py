"""Reads the XML of a .fet file into plain Python data.

Only what the measuring scripts need: the week, the students sets, the
activities and the constraints with their weights. Written from the files
themselves, so that the measurement shares nothing with the program measured.
"""

import xml.etree.ElementTree as ET
from dataclasses import dataclass, field


@dataclass
class Aktivitet:
    id: str
    fag: str
    laerere: list
    elever: list
    varighed: int
    gruppe_id: str
    aktiv: bool


@dataclass
class Begraensning:
    art: str          # the element's tag, e.g. ConstraintTeacherNotAvailableTimes
    slags: str        # "tid" or "lokale"
    vaegt: float
    aktiv: bool
    element: object = field(repr=False)


@dataclass
class Fetfil:
    sti: str
    tilstand: str     # FET's mode: Official, Mornings_Afternoons, Terms, Block_Planning
    dage: list
    timer: list
    aargange: dict    # year -> {group -> [subgroups]}
    aktiviteter: list
    begraensninger: list
    virtuelle_lokaler: set  # rooms that stand for a choice of real rooms

    def aktive(self):
        return [a for a in self.aktiviteter if a.aktiv]

    def dag_nr(self, navn):
        return self.dage.index(navn) if navn in self.dage else None

    def time_nr(self, navn):
        return self.timer.index(navn) if navn in self.timer else None


def _tekst(e, navn, standard=""):
    under = e.find(navn)
    if under is None or under.text is None:
        return standard
    return under.text.strip()


def _navne(liste, barn):
    """Names of a Days_List/Hours_List: <Day><Name>x</Name></Day>, or <Day>x</Day> in old files."""
    navne = []
    if liste is None:
        return navne
    for e in liste.findall(barn):
        navn = _tekst(e, "Name", None)
        navne.append(navn if navn is not None else (e.text or "").strip())
    return navne


def _aktiv(e):
    return _tekst(e, "Active", "true").lower() != "false"


def _elevtrae(rod):
    aargange = {}
    liste = rod.find("Students_List")
    if liste is None:
        return aargange
    for aar in liste.findall("Year"):
        grupper = {}
        for gruppe in aar.findall("Group"):
            grupper[_tekst(gruppe, "Name")] = [_tekst(s, "Name") for s in gruppe.findall("Subgroup")]
        aargange[_tekst(aar, "Name")] = grupper
    return aargange


def _aktiviteter(rod):
    liste = rod.find("Activities_List")
    ud = []
    if liste is None:
        return ud
    for a in liste.findall("Activity"):
        ud.append(Aktivitet(
            id=_tekst(a, "Id"),
            fag=_tekst(a, "Subject"),
            laerere=[(t.text or "").strip() for t in a.findall("Teacher")],
            elever=[(s.text or "").strip() for s in a.findall("Students")],
            varighed=int(_tekst(a, "Duration", "1") or 1),
            gruppe_id=_tekst(a, "Activity_Group_Id", "0"),
            aktiv=_aktiv(a)))
    return ud


def _begraensninger(rod):
    ud = []
    for liste, slags in (("Time_Constraints_List", "tid"), ("Space_Constraints_List", "lokale")):
        e = rod.find(liste)
        if e is None:
            continue
        for b in e:
            vaegt = _tekst(b, "Weight_Percentage", "100") or "100"
            ud.append(Begraensning(art=b.tag, slags=slags, vaegt=float(vaegt), aktiv=_aktiv(b), element=b))
    return ud


def laes(sti):
    rod = ET.parse(sti).getroot()
    return Fetfil(
        sti=sti,
        tilstand=_tekst(rod, "Mode", "Official"),
        dage=_navne(rod.find("Days_List"), "Day"),
        timer=_navne(rod.find("Hours_List"), "Hour"),
        aargange=_elevtrae(rod),
        aktiviteter=_aktiviteter(rod),
        begraensninger=_begraensninger(rod),
        virtuelle_lokaler={_tekst(r, "Name") for r in rod.iter("Room") if _tekst(r, "Virtual") == "true"})


class Elevsaet:
    """The students sets of a file as sets of atoms (subgroups, or a group/year without parts).

    A year's activity occupies every subgroup of the year; two sets clash when
    their atoms meet. The same group or subgroup name may stand under several
    years or groups: it is one set, as in FET.
    """

    def __init__(self, fil):
        self.art = {}      # name -> "year" | "group" | "subgroup"
        self.atomer = {}   # name -> frozenset of atoms
        self.hel = {}      # name -> True when it is the only part of its parent
        self.aarstal = {}  # name -> set of years it lies in
        for aar, grupper in fil.aargange.items():
            aar_atomer = set()
            for gruppe, under in grupper.items():
                g_atomer = set(under) if under else {gruppe}
                for s in under:
                    self.art.setdefault(s, "subgroup")
                    self.atomer[s] = frozenset({s})
                    self.hel[s] = self.hel.get(s, True) and len(under) == 1
                    self.aarstal.setdefault(s, set()).add(aar)
                self.art.setdefault(gruppe, "group")
                self.atomer[gruppe] = frozenset(self.atomer.get(gruppe, frozenset()) | g_atomer)
                self.hel[gruppe] = self.hel.get(gruppe, True) and len(grupper) == 1
                self.aarstal.setdefault(gruppe, set()).add(aar)
                aar_atomer |= g_atomer
            self.art[aar] = "year"
            self.atomer[aar] = frozenset(aar_atomer or {aar})
            self.hel[aar] = True
            self.aarstal.setdefault(aar, set()).add(aar)

    def atomer_af(self, navne):
        ud = set()
        for n in navne:
            ud |= self.atomer.get(n, frozenset({n}))
        return frozenset(ud)

    def klasser(self, aktiviteter):
        """The sets counted as classes for gaps: a year that activities name, else its groups.

        Returns {class name: atoms}. A class's hour is taken when any of its
        atoms has a lesson, so a class has a gap only when all its parts are free.
        """
        nævnte = {s for a in aktiviteter for s in a.elever}
        ud = {}
        for aar in (n for n, k in self.art.items() if k == "year"):
            grupper = [g for g, k in self.art.items() if k == "group" and aar in self.aarstal.get(g, ())]
            if aar in nævnte or not grupper:
                ud[aar] = self.atomer[aar]
            else:
                for g in grupper:
                    ud[g] = self.atomer[g]
        # A set named by activities but missing from the students list still counts.
        for s in nævnte:
            if s not in self.art and s:
                ud[s] = frozenset({s})
        return ud

    def hold_og_grupper(self, klasser, navne):
        """[(class, group)] that the students sets named cover; group "" is the whole class.

        A set that is a strict part of a class is a group of it, as our CSV has it."""
        ud = set()
        for navn in navne:
            atomer = self.atomer_af([navn])
            for klasse, k_atomer in klasser.items():
                if k_atomer <= atomer:
                    ud.add((klasse, ""))
                elif atomer & k_atomer:
                    ud.add((klasse, navn))
        return sorted(ud)
