#include "Planlister.h"

#include "db/Portal.h"
#include "support/MidlertidigMappe.h"
#include "support/TestModtager.h"

#include <gtest/gtest.h>

namespace {

using K = KontrolListe;

struct Udtag {
    std::string hold, fag, laerer, lokaletype, lokale;
    int32_t blok = 0;
    int32_t rest = 0;
};

bool naeste(KontrolListe& k, Del del, Udtag& u)
{
    return k.NaesteLektion(u.hold, u.fag, u.laerer, u.lokaletype, u.lokale, u.blok, del, u.rest);
}

void beregnAlle(KontrolListe& k, Del del)
{
    const K::ListeNr rum = del == Del::saerlokale ? K::lokaletypeListe : K::lokaleListe;
    for (const K::ListeNr art : {K::holdListe, K::laererListe, rum, K::fagListe, K::laeggeListe})
        k.BeregnVaegte(art, del);
}

// Class 1a and teacher AB with a lab lesson and a home-room lesson.
class KontrolListeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        p.Tilfoej(K::holdListe, {"1a"}, {30, 10});
        p.Tilfoej(K::fagListe, {"da", "Stamlokale"}, {5});
        p.Tilfoej(K::fagListe, {"fy", "Lab"}, {4});
        p.Tilfoej(K::laererListe, {"AB"}, {20, 0});
        p.Tilfoej(K::lokaletypeListe, {"Lab"}, {2, 16, 0});
        data& lab = p.Tilfoej(K::lokaleListe, {"L1", "Lab"}, {8, 3});
        p.Tilfoej(K::lokaleListe, {"L2", "Lab"}, {8, 0}).ben[0] = lab.ben[0] = p.Find(K::lokaletypeListe, "Lab");
        p.Tilfoej(K::lokaleListe, {"S1", "Stamlokale"}, {30, 0});
        p.Lektion("1a", "da", "AB", "Stamlokale", "S1");
        p.Lektion("1a", "fy", "AB", "Lab", "tom", 2).heltal[1] = 1;
        ASSERT_TRUE(p.k->KlargoerLaeggeliste());
    }

    data& lektion(int32_t i) { return p.k->Liste(K::laeggeListe).element[i]; }

    MedTestModtager m;
    Planlister p;
};

} // namespace

TEST_F(KontrolListeTest, SplitPutsHomeRoomLessonsLast)
{
    EXPECT_EQ(p.k->Graense(), 1);
    EXPECT_EQ(lektion(0).tekst[1], "fy");
    EXPECT_EQ(lektion(1).tekst[1], "da");
}

TEST(KontrolListeDeling, PartsMayBeEmpty)
{
    MedTestModtager m;
    Planlister kunStam;
    kunStam.Lektion("1a", "da", "AB", "Stamlokale", "S1");
    kunStam.Lektion("1b", "da", "AB", "Stamlokale", "S2");
    EXPECT_FALSE(kunStam.k->KlargoerLaeggeliste());
    EXPECT_EQ(kunStam.k->Graense(), 0);

    Planlister kunLab;
    kunLab.Lektion("1a", "fy", "AB", "Lab", "tom");
    kunLab.Lektion("1b", "fy", "AB", "Lab", "tom");
    EXPECT_TRUE(kunLab.k->KlargoerLaeggeliste());
    EXPECT_EQ(kunLab.k->Graense(), 2);
    Udtag u;
    EXPECT_FALSE(naeste(*kunLab.k, Del::stamlokale, u)) << "the home-room part is empty";
}

TEST_F(KontrolListeTest, WeightMultipliesTheTightnessFigures)
{
    m.modtager.sporTekst.clear();
    beregnAlle(*p.k, Del::saerlokale);
    EXPECT_EQ(m.modtager.sporTekst, "1 ") << "class tightness goes to the trace";

    EXPECT_DOUBLE_EQ(p.Find(K::holdListe, "1a")->decimaltal[0], 30.0 / 30.0);
    EXPECT_DOUBLE_EQ(p.Find(K::laererListe, "AB")->decimaltal[0], 20.0 / 40.0);
    EXPECT_DOUBLE_EQ(p.Find(K::lokaletypeListe, "Lab")->decimaltal[0], 16.0 / 80.0);
    const double fagTaethed = (4.0 - 1.0) / (30.0 + 40.0);
    EXPECT_DOUBLE_EQ(lektion(0).decimaltal[0], fagTaethed);
    EXPECT_DOUBLE_EQ(lektion(0).decimaltal[1], 2 * 1.0 * 0.5 * 0.2 * fagTaethed);

    beregnAlle(*p.k, Del::stamlokale);
    EXPECT_DOUBLE_EQ(p.Find(K::lokaleListe, "S1")->decimaltal[0], 30.0 / 40.0);
    EXPECT_DOUBLE_EQ(lektion(1).decimaltal[1], 1 * 1.0 * 0.5 * 0.75 * (5.0 + 1.0) / 70.0)
        << "the lesson's placed hours are still unset (-1) before the first refresh";
}

TEST_F(KontrolListeTest, SaturatedClassIsNoLongerHandedOut)
{
    p.Find(K::holdListe, "1a")->heltal[1] = 40;
    beregnAlle(*p.k, Del::saerlokale);
    beregnAlle(*p.k, Del::stamlokale);
    EXPECT_EQ(lektion(0).decimaltal[1], 0.0);
    EXPECT_EQ(lektion(1).decimaltal[1], 0.0);
    Udtag u;
    p.k->StartDel(Del::saerlokale);
    EXPECT_FALSE(naeste(*p.k, Del::saerlokale, u));
    p.k->StartDel(Del::stamlokale);
    EXPECT_FALSE(naeste(*p.k, Del::stamlokale, u));
}

TEST(KontrolListeUdlevering, HeaviestFirstAndAtMostMaksForsoegTimes)
{
    MedTestModtager m;
    Planlister p;
    p.Tilfoej(K::fagListe, {"da"}, {5});
    p.Lektion("1a", "da", "AB", "Stamlokale", "S1").decimaltal[1] = 0.2;
    p.Lektion("1b", "da", "CD", "Stamlokale", "S2").decimaltal[1] = 0.7;
    p.Lektion("1c", "da", "EF", "Stamlokale", "S3").decimaltal[1] = 0.0;
    p.k->KlargoerLaeggeliste();
    p.k->SaetMaksForsoeg(2);

    std::vector<std::string> udleveret;
    for (int32_t runde = 0; runde < 3; ++runde) {
        p.k->SorterLaeggeliste(Del::stamlokale);
        Udtag u;
        while (naeste(*p.k, Del::stamlokale, u))
            udleveret.push_back(u.hold);
    }
    EXPECT_EQ(udleveret, (std::vector<std::string>{"1b", "1a", "1b", "1a"}))
        << "weight 0 is never handed out; each lesson at most twice";

    p.k->Liste(K::laeggeListe).element[0].heltal[2] = 0;
    p.k->StartDel(Del::stamlokale);
    Udtag u;
    ASSERT_TRUE(naeste(*p.k, Del::stamlokale, u));
    EXPECT_EQ(u.hold, "1b");
    EXPECT_EQ(u.rest, 5 - (-1));
    EXPECT_EQ(u.lokale, "S2");
}

TEST_F(KontrolListeTest, PartBStopsAtTheBoundary)
{
    beregnAlle(*p.k, Del::saerlokale);
    beregnAlle(*p.k, Del::stamlokale);
    p.k->SorterLaeggeliste(Del::saerlokale);
    Udtag u;
    ASSERT_TRUE(naeste(*p.k, Del::saerlokale, u));
    EXPECT_EQ(u.fag, "fy");
    EXPECT_EQ(u.blok, 2);
    EXPECT_EQ(u.rest, 3);
    EXPECT_FALSE(naeste(*p.k, Del::saerlokale, u));
}

TEST_F(KontrolListeTest, RoomChoiceTakesTheLeastUsedRoomAndRecordsThePlacement)
{
    lektion(0).decimaltal[1] = 1.0;
    p.k->SorterLaeggeliste(Del::saerlokale);
    Udtag u;
    ASSERT_TRUE(naeste(*p.k, Del::saerlokale, u));
    std::string lokale;
    ASSERT_TRUE(p.k->VaelgLokale("Lab", lokale));
    EXPECT_EQ(lokale, "L2");

    Klyngeliste<data>& lokaler = p.k->Liste(K::lokaleListe);
    EXPECT_EQ(lokaler.element[0].tekst[0], "L1") << "rooms are back in id order";
    EXPECT_EQ(lokaler.element[1].tekst[0], "L2");
    EXPECT_EQ(lokaler.element[2].tekst[0], "S1");
    EXPECT_EQ(lektion(0).tekst[4], "L2");
    EXPECT_EQ(lektion(0).ben[K::benLokale], &lokaler.element[1]);

    p.k->RegistrerPlacering(2, Del::saerlokale);
    EXPECT_EQ(p.Find(K::holdListe, "1a")->heltal[1], 12);
    EXPECT_EQ(p.Find(K::laererListe, "AB")->heltal[1], 2);
    EXPECT_EQ(p.Find(K::lokaleListe, "L2")->heltal[1], 2);
    EXPECT_EQ(p.Find(K::lokaletypeListe, "Lab")->heltal[1], 18);
    EXPECT_EQ(lektion(0).heltal[1], 3);

    EXPECT_FALSE(p.k->VaelgLokale("Sal", lokale));
    EXPECT_EQ(lokale, "L2");
    EXPECT_EQ(lokaler.element[2].tekst[0], "S1");
}

TEST(KontrolListeManglende, LessonsWithMissingRecordsWeighNothing)
{
    MedTestModtager m;
    Planlister p;
    p.Tilfoej(K::holdListe, {"1a"}, {30, 0});
    p.Tilfoej(K::fagListe, {"da"}, {5});
    p.Tilfoej(K::fagListe, {"fy"}, {4});
    p.Tilfoej(K::laererListe, {"AB"}, {20, 0});
    p.Tilfoej(K::lokaletypeListe, {"Lab"}, {1, 4, 0});
    p.Tilfoej(K::lokaleListe, {"S1", "Stamlokale"}, {30, 0});
    p.Lektion("1a", "fy", "AB", "Sal", "tom");       // no room type
    p.Lektion("1a", "fy", "XX", "Lab", "tom");       // no teacher
    p.Lektion("9z", "da", "AB", "Stamlokale", "S1"); // no class
    p.Lektion("1a", "ma", "AB", "Stamlokale", "S1"); // no subject
    p.Lektion("1a", "da", "AB", "Stamlokale", "S9"); // no room
    p.k->KlargoerLaeggeliste();
    beregnAlle(*p.k, Del::saerlokale);
    beregnAlle(*p.k, Del::stamlokale);
    const Klyngeliste<data>& lektioner = p.k->Liste(K::laeggeListe);
    for (int32_t i = 0; i < lektioner.antal; ++i)
        EXPECT_EQ(lektioner.element[i].decimaltal[1], 0.0) << i;
    Udtag u;
    p.k->StartDel(Del::saerlokale);
    EXPECT_FALSE(naeste(*p.k, Del::saerlokale, u));
    p.k->StartDel(Del::stamlokale);
    EXPECT_FALSE(naeste(*p.k, Del::stamlokale, u));
    EXPECT_EQ(p.k->SumTimer(), 4 + 4 + 5 + 5) << "lessons without a subject record add nothing";
}

TEST(KontrolListeNavne, StacksHoursAndSums)
{
    Planlister p;
    EXPECT_EQ(p.k->SumTimer(), 0);
    stack<std::string> navne;
    EXPECT_FALSE(p.k->FyldNavne(navne, SkemaArt::hold));
    EXPECT_EQ(navne.antal(), 0);

    p.Tilfoej(K::holdListe, {"1a"}, {28});
    p.Tilfoej(K::holdListe, {"1b"}, {30});
    p.Tilfoej(K::laererListe, {"AB"}, {12});
    p.Tilfoej(K::fagListe, {"da"}, {-1});
    p.Lektion("1a", "da", "AB", "Stamlokale", "S1");

    stack<std::string> hold = p.k->NavneStak(SkemaArt::hold);
    ASSERT_EQ(hold.antal(), 2);
    EXPECT_EQ(hold.pop(), "1b") << "the last id pushed comes first";
    EXPECT_EQ(hold.pop(), "1a");
    EXPECT_EQ(p.k->NavneStak(SkemaArt::laerer).antal(), 1);
    EXPECT_TRUE(p.k->FyldNavne(navne, SkemaArt::laerer));
    EXPECT_EQ(navne.antal(), 1);

    EXPECT_EQ(p.k->TimerFor("1b", SkemaArt::hold), 30);
    EXPECT_EQ(p.k->TimerFor("AB", SkemaArt::laerer), 12);
    EXPECT_EQ(p.k->TimerFor("1c", SkemaArt::hold), 0);
    EXPECT_EQ(p.k->SumTimer(), 0) << "a subject without hours (-1) is skipped";

    p.k->Ryd(K::laeggeListe);
    EXPECT_EQ(p.k->Liste(K::laeggeListe).antal, 0);
    EXPECT_EQ(p.k->ListeNavn(K::laeggeListe), "lægge");
}

TEST(KontrolListeOpdatering, CountersComeFromTheTimetables)
{
    MedTestModtager m;
    MidlertidigMappe mappe; // file mode finds no stored lessons here
    Portal portal("P1", 5, 8, Datakilde::tekstfiler);
    stack<std::string> hold;
    stack<std::string> laerere;
    stack<std::string> lokaler;
    hold.push("1a");
    laerere.push("AB");
    for (const char* id : {"L1", "L2", "S1"})
        lokaler.push(id);
    portal.SaetNavnestakke(std::move(hold), std::move(laerere), std::move(lokaler));
    portal.Indlaes();
    ASSERT_TRUE(portal.SaetLektion("1a", "fy", "AB", "L1", 1, 0, 0));
    ASSERT_TRUE(portal.SaetLektion("1a", "fy", "AB", "L2", 1, 0, 1));
    ASSERT_TRUE(portal.SaetLektion("1a", "da", "AB", "S1", 1, 1, 0));

    Planlister p(&portal);
    p.Tilfoej(K::holdListe, {"1a"}, {30, 0});
    p.Tilfoej(K::fagListe, {"da", "Stamlokale"}, {5});
    p.Tilfoej(K::fagListe, {"fy", "Lab"}, {4});
    p.Tilfoej(K::laererListe, {"AB"}, {20, 0});
    data& lab = p.Tilfoej(K::lokaletypeListe, {"Lab"}, {2, 4, 0});
    p.Tilfoej(K::lokaleListe, {"L1", "Lab"}).ben[0] = &lab;
    p.Tilfoej(K::lokaleListe, {"L2", "Lab"}).ben[0] = &lab;
    p.Tilfoej(K::lokaleListe, {"S1", "Stamlokale"}, {30, 0});
    p.Lektion("1a", "fy", "AB", "Lab", "tom").heltal[2] = 3;
    p.Lektion("1a", "da", "AB", "Stamlokale", "S1");
    p.k->KlargoerLaeggeliste();

    p.k->OpdaterTimer(K::lokaletypeListe, Del::saerlokale);
    p.k->OpdaterTimer(K::lokaletypeListe, Del::saerlokale);
    EXPECT_EQ(lab.heltal[2], 2) << "a second refresh recounts instead of adding";
    EXPECT_EQ(p.Find(K::lokaleListe, "L1")->heltal[1], 1);
    EXPECT_EQ(p.Find(K::lokaleListe, "S1")->heltal[1], 0) << "home rooms are not counted for types";

    for (const K::ListeNr art : {K::holdListe, K::laererListe, K::fagListe})
        p.k->OpdaterTimer(art, Del::saerlokale);
    EXPECT_EQ(p.Find(K::holdListe, "1a")->heltal[1], 3);
    EXPECT_EQ(p.Find(K::laererListe, "AB")->heltal[1], 3);
    const data& fy = p.k->Liste(K::laeggeListe).element[0];
    EXPECT_EQ(fy.heltal[1], 2) << "hours of the class in this subject";
    EXPECT_EQ(fy.heltal[2], 0) << "the hand-out count starts again";

    p.k->OpdaterTimer(K::lokaleListe, Del::stamlokale);
    EXPECT_EQ(p.Find(K::lokaleListe, "S1")->heltal[1], 1);
    EXPECT_EQ(lab.heltal[2], 2);
}
