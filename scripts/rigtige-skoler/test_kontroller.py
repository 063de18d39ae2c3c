"""The checker on tiny hand-made timetables: each hard rule broken once, and the figures.

    python3 -m unittest discover -s scripts/rigtige-skoler
"""

import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import kontroller  # noqa: E402

HER = os.path.dirname(os.path.abspath(__file__))
GAMMEL = "Plan;Dag;Time;Hold;Fag;Lærer;Lokale;Blokstørrelse"
NY = GAMMEL + ";Gruppe;Inddeling;Lektion"

FET = """<?xml version="1.0" encoding="UTF-8"?>
<fet version="6.8.5">
<Days_List><Number_of_Days>2</Number_of_Days>
<Day><Name>Mo</Name></Day><Day><Name>Tu</Name></Day></Days_List>
<Hours_List><Number_of_Hours>3</Number_of_Hours>
<Hour><Name>1</Name></Hour><Hour><Name>2</Name></Hour><Hour><Name>3</Name></Hour></Hours_List>
<Time_Constraints_List>
<ConstraintTeacherNotAvailableTimes><Weight_Percentage>100</Weight_Percentage><Teacher>Eva</Teacher>
<Not_Available_Time><Day>Tu</Day><Hour>2</Hour></Not_Available_Time><Active>true</Active>
</ConstraintTeacherNotAvailableTimes>
<ConstraintTeacherNotAvailableTimes><Weight_Percentage>80</Weight_Percentage><Teacher>Ole</Teacher>
<Not_Available_Time><Day>Mo</Day><Hour>1</Hour></Not_Available_Time><Active>true</Active>
</ConstraintTeacherNotAvailableTimes>
<ConstraintBreakTimes><Weight_Percentage>100</Weight_Percentage>
<Break_Time><Day>Mo</Day><Hour>2</Hour></Break_Time><Active>true</Active>
</ConstraintBreakTimes>
</Time_Constraints_List>
</fet>
"""


def kontrol(linjer, hoved=GAMMEL, dage=None, timer=None, skole=None):
    rækker = [dict(zip(hoved.split(";"), l.split(";"))) for l in linjer]
    fejl, info, maalt, _ = kontroller.kontroller(rækker, dage, timer, skole)
    return {k: len(v) for k, v in fejl.items() if v}, info, maalt


class HaardeRegler(unittest.TestCase):
    def test_gyldigt_skema_bryder_intet(self):
        fejl, _, maalt = kontrol(["P;Mandag;1;7a;Dansk;Eva;A;1", "P;Mandag;1;7b;Tysk;Ole;B;1",
                                  "P;Mandag;2;7a;Tysk;Ole;B;1"], dage=5, timer=8)
        self.assertEqual(fejl, {})
        self.assertEqual(maalt["lektionstimer"], 3)

    def test_hold_laerer_og_lokale_to_gange_i_en_time(self):
        self.assertEqual(kontrol(["P;Mandag;1;7a;Dansk;Eva;A;1", "P;Mandag;1;7a;Tysk;Ole;B;1"])[0],
                         {"hold dobbeltbooket": 1})
        self.assertEqual(kontrol(["P;Tirsdag;3;7a;Dansk;Eva;A;1", "P;Tirsdag;3;7b;Dansk;Eva;B;1"])[0],
                         {"lærer dobbeltbooket": 1})
        self.assertEqual(kontrol(["P;Fredag;8;7a;Dansk;Eva;A;1", "P;Fredag;8;7b;Tysk;Ole;A;1"])[0],
                         {"lokale dobbeltbooket": 1})

    def test_tom_laerer_og_lokale_er_ingen_booking(self):
        fejl, _, _ = kontrol(["P;Mandag;1;7a;Dansk;tom;;1", "P;Mandag;1;7b;Tysk;tom;;1"])
        self.assertEqual(fejl, {})

    def test_uden_for_planens_uge(self):
        self.assertEqual(kontrol(["P;Mandag;9;7a;Dansk;Eva;A;1"], dage=5, timer=8)[0], {"uden for ugen": 1})
        self.assertEqual(kontrol(["P;Lørdag;1;7a;Dansk;Eva;A;1"], dage=5, timer=8)[0], {"uden for ugen": 1})
        self.assertEqual(kontrol(["P;Lørdag;9;7a;Dansk;Eva;A;1"], dage=6, timer=10)[0], {})

    def test_laererens_utilgaengelige_tid_fra_fet_filen(self):
        with tempfile.NamedTemporaryFile("w", suffix=".fet", delete=False) as f:
            f.write(FET)
        self.addCleanup(os.unlink, f.name)
        skole = kontroller.Skole(f.name)
        fejl, info, _ = kontrol(["P;Tirsdag;2;7a;Dansk;Eva;A;1", "P;Mandag;1;7a;Tysk;Ole;A;1",
                                 "P;Mandag;2;7b;Tysk;Ole;A;1"], dage=skole.dage, timer=skole.timer, skole=skole)
        # Eva's hour is hard; Ole's wish of 80 % and the break are only counted.
        self.assertEqual(fejl, {"lærer utilgængelig": 1})
        self.assertEqual(info["lærer utilgængelig (vægt < 100 %)"], 1)
        self.assertEqual(info["i skolens pauser"], 1)
        self.assertEqual(kontrol(["P;Onsdag;1;7a;Dansk;Eva;A;1"], dage=skole.dage, timer=skole.timer,
                                 skole=skole)[0], {"uden for ugen": 1})


class GrupperOgSamlæsning(unittest.TestCase):
    def test_to_grupper_af_en_inddeling_deler_en_time(self):
        fejl, _, maalt = kontrol(["P;Mandag;1;7a;Tysk;Eva;A;1;7a-ty;Sprog;1",
                                  "P;Mandag;1;7a;Fransk;Ole;B;1;7a-fr;Sprog;2"], hoved=NY)
        self.assertEqual(fejl, {})
        self.assertEqual(maalt["holdtimer"], 1)

    def test_hele_holdet_udelukker_dets_grupper(self):
        fejl, _, _ = kontrol(["P;Mandag;1;7a;Dansk;Eva;A;1;;;1",
                              "P;Mandag;1;7a;Fransk;Ole;B;1;7a-fr;Sprog;2"], hoved=NY)
        self.assertEqual(fejl, {"hold dobbeltbooket": 1})

    def test_grupper_af_forskellige_inddelinger_udelukker_hinanden(self):
        fejl, _, _ = kontrol(["P;Mandag;1;7a;Tysk;Eva;A;1;7a-ty;Sprog;1",
                              "P;Mandag;1;7a;Idræt;Ole;Hal;1;7a-piger;Idræt;2"], hoved=NY)
        self.assertEqual(fejl, {"hold dobbeltbooket": 1})

    def test_samlaest_lektion_med_to_laerere_er_en_lektion(self):
        # One joined sport lesson: two classes, two teachers, two rooms, four rows.
        linjer = ["P;Mandag;1;%s;Idræt;%s;%s;1;;;9" % (h, l, r)
                  for h in ("7a", "7b") for l, r in (("Eva", "Hal"), ("Ole", "Sal"))]
        fejl, _, maalt = kontrol(linjer, hoved=NY)
        self.assertEqual(fejl, {})
        self.assertEqual(maalt["lektionstimer"], 1)
        # The same teacher in another lesson that hour is a clash.
        fejl, _, _ = kontrol(linjer + ["P;Mandag;1;8a;Dansk;Eva;C;1;;;10"], hoved=NY)
        self.assertEqual(fejl, {"lærer dobbeltbooket": 1})

    def test_lektion_uden_hold(self):
        fejl, _, maalt = kontrol(["P;Mandag;1;;Møde;Eva;;1;;;1", "P;Mandag;2;7a;Dansk;Eva;A;1;;;2"], hoved=NY)
        self.assertEqual(fejl, {})
        self.assertEqual(maalt["holdtimer"], 1)


class Maal(unittest.TestCase):
    def test_delte_dage_og_mellemtimer(self):
        _, _, maalt = kontrol(["P;Mandag;1;7a;Dansk;Eva;A;2", "P;Mandag;2;7a;Dansk;Eva;A;2",
                               "P;Mandag;4;7a;Dansk;Eva;A;1",  # split: 1-2 and 4
                               "P;Tirsdag;1;7a;Tysk;Ole;A;1", "P;Tirsdag;3;7a;Tysk;Ole;A;1"])  # split, a gap
        self.assertEqual(maalt["delte_dage"], 2)
        self.assertEqual(maalt["klassehuller"], 2)
        self.assertEqual(maalt["laererhuller"], 2)

    def test_en_dobbeltlektion_er_ingen_delt_dag(self):
        _, _, maalt = kontrol(["P;Mandag;3;7a;Dansk;Eva;A;2", "P;Mandag;4;7a;Dansk;Eva;A;2"])
        self.assertEqual(maalt["delte_dage"], 0)

    def test_holdet_har_mellemtime_kun_naar_alle_grupper_er_fri(self):
        _, _, maalt = kontrol(["P;Mandag;1;7a;Tysk;Eva;A;1;7a-ty;Sprog;1",
                               "P;Mandag;2;7a;Fransk;Ole;B;1;7a-fr;Sprog;2",
                               "P;Mandag;3;7a;Dansk;Kim;A;1;;;3"], hoved=NY)
        self.assertEqual(maalt["klassehuller"], 0)


class Kommandolinje(unittest.TestCase):
    def koer(self, tekst, *valg):
        with tempfile.NamedTemporaryFile("w", suffix=".csv", delete=False, encoding="utf-8-sig") as f:
            f.write(tekst)
        self.addCleanup(os.unlink, f.name)
        return subprocess.run([sys.executable, os.path.join(HER, "kontroller.py"), f.name, *valg],
                              capture_output=True, text=True)

    def test_udgangsstatus(self):
        ok = self.koer(GAMMEL + "\nP;Mandag;1;7a;Dansk;Eva;A;1\n", "--uge", "5x8")
        self.assertEqual(ok.returncode, 0, ok.stdout)
        self.assertIn("ingen hård regel brudt", ok.stdout)
        brudt = self.koer(GAMMEL + "\nP;Mandag;1;7a;Dansk;Eva;A;1\nP;Mandag;1;7b;Tysk;Eva;B;1\n")
        self.assertEqual(brudt.returncode, 1)
        self.assertIn("lærer Eva", brudt.stdout)
        self.assertEqual(self.koer("Plan;Dag\nP;Mandag\n").returncode, 2)


if __name__ == "__main__":
    unittest.main()
