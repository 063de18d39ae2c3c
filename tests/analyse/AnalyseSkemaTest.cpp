// The code map and the repair moves of one demand, on small hand-made weeks.
#include "TestPlan.h"
#include "analyse/AnalyseSkema.h"
#include "support/TestModtager.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Art = AnalyseSkema::PresArt;

bool Logget(const TestModtager& m, const std::string& linje)
{
    return std::find(m.logLinjer.begin(), m.logLinjer.end(), linje) != m.logLinjer.end();
}

AnalyseSkema Kort(Portal& portal, int32_t blok, int32_t maal, int32_t dage = 5, int32_t timer = 8)
{
    return AnalyseSkema(portal, "1a", "MAT", "AB", "R1", blok, maal, dage, timer);
}

} // namespace

TEST(AnalyseKort, StartKortetErLutterKandidaterOgTabellerneErSatOp)
{
    TestPlan plan({"1a"}, {"AB"}, {"R1"});
    AnalyseSkema a = Kort(plan.portal(), 1, 3, 4, 6);
    EXPECT_EQ(a.TaelKode(4), 24);
    EXPECT_EQ(a.Placeret(), 0);
    EXPECT_EQ(a.Fundne(), 0);
    EXPECT_EQ(a.Fase(), 0);

    int32_t k = 0;
    int32_t r = 6; // one past the last row: the next column
    EXPECT_TRUE(a.FindNaeste(4, k, r));
    EXPECT_EQ(k, 1);
    EXPECT_EQ(r, 0);
    k = 3;
    r = 6;
    EXPECT_FALSE(a.FindNaeste(4, k, r));
    k = 0;
    r = 0;
    EXPECT_FALSE(a.FindNaeste(11, k, r));
    r = 3;
    EXPECT_FALSE(a.FindIRaekke(5, 2, r));
    EXPECT_EQ(r, 0);
}

TEST(AnalyseKort, EksisterendeTimeAfFagOgLaererMarkeresOgLukkerDagen)
{
    TestPlan plan({"1a"}, {"AB", "CD"}, {"R1", "R2"});
    plan.Saet("1a", "MAT", "AB", "R1", 1, 2, 3);
    plan.Saet("1a", "MAT", "CD", "R2", 1, 3, 2); // same subject, another teacher
    AnalyseSkema a = Kort(plan.portal(), 1, 2);
    a.ByggKort2();
    a.MarkerEksisterende();
    a.SpaerDageMedFag();

    EXPECT_EQ(a.Fundne(), 1);
    for (int32_t r = 0; r < 8; ++r)
        EXPECT_EQ(a.Kode(2, r), r == 3 ? 5 : 6) << r;
    EXPECT_EQ(a.Kode(3, 2), 1);
    EXPECT_EQ(a.Kode(3, 0), 4);
}

TEST(AnalyseKort, LaererensSpaerredeTimerTaellerSomOptagetIBeggeKort)
{
    TestPlan plan({"1a"}, {"AB", "CD"}, {"R1", "R2"}, {{"AB", 0, 0}, {"AB", 1, 5}});
    plan.Saet("1a", "ENG", "CD", "R2", 1, 1, 5);

    AnalyseSkema to = Kort(plan.portal(), 1, 3);
    to.ByggKort2();
    EXPECT_EQ(to.Kode(0, 0), 2);
    EXPECT_EQ(to.Kode(1, 5), 3);
    EXPECT_EQ(to.TaelKode(4), 38);

    AnalyseSkema tre = Kort(plan.portal(), 1, 3);
    tre.ByggKort3();
    EXPECT_EQ(tre.Fase(), 1);
    EXPECT_EQ(tre.Kode(0, 0), 2);
    EXPECT_EQ(tre.Kode(1, 5), 3);
}

TEST(AnalyseKort, LokaleUdenSkemaGoerHverTimeOptaget)
{
    TestPlan plan({"1a"}, {"AB"}, {"R1"});
    AnalyseSkema a(plan.portal(), "1a", "MAT", "AB", "R9", 1, 3, 5, 8);
    a.ByggKort3();
    EXPECT_EQ(a.TaelKode(4), 0);
    EXPECT_EQ(a.TaelKode(7), 40);
}

TEST(AnalyseKort, VaelgPladserBeholderFoersteTimeEllerFoerstePar)
{
    TestPlan plan({"1a"}, {"AB", "CD"}, {"R1", "R2"});
    plan.Saet("1a", "ENG", "CD", "R2", 1, 0, 1); // Monday: 4 1 4 4 ...
    AnalyseSkema enkelt = Kort(plan.portal(), 1, 3);
    enkelt.ByggKort2();
    enkelt.VaelgEnkeltPladser();
    EXPECT_EQ(enkelt.TaelKode(4), 5);
    EXPECT_EQ(enkelt.Kode(0, 0), 4);
    EXPECT_EQ(enkelt.Kode(0, 2), 6);

    AnalyseSkema dobbelt = Kort(plan.portal(), 2, 4);
    dobbelt.ByggKort2();
    dobbelt.VaelgDobbeltPladser();
    EXPECT_EQ(dobbelt.Kode(0, 0), 6); // a single free hour is no pair
    EXPECT_EQ(dobbelt.Kode(0, 2), 4);
    EXPECT_EQ(dobbelt.Kode(0, 3), 4);
    EXPECT_EQ(dobbelt.Kode(0, 4), 6);
    EXPECT_EQ(dobbelt.TaelKode(4), 10);
}

TEST(AnalyseFlyt, BlokMedKlasseOgLaererFlytterIntetNaarLaererdelenIkkeKan)
{
    TestPlan plan({"1a", "2b"}, {"AB", "CD"}, {"R1", "R2", "R3"}, {{"AB", 0, 0}});
    plan.Saet("1a", "FYS", "CD", "R2", 1, 0, 3);
    plan.Saet("2b", "BIO", "AB", "R3", 1, 0, 3);
    AnalyseSkema a = Kort(plan.portal(), 1, 3);
    a.ByggKort2();
    ASSERT_EQ(a.Kode(0, 3), 3);

    // The teacher cannot teach at (0, 0); the class part alone could move.
    EXPECT_FALSE(a.FlytBlok(3, {0, 3}, {0, 0}));
    EXPECT_EQ(plan.Felter("1a", SkemaArt::hold, "FYS"), (std::vector<Felt>{{0, 3}}));
    EXPECT_EQ(plan.Felter("AB", SkemaArt::laerer, "BIO"), (std::vector<Felt>{{0, 3}}));

    EXPECT_TRUE(a.FlytBlok(3, {0, 3}, {0, 1}));
    EXPECT_EQ(plan.Felter("1a", SkemaArt::hold, "FYS"), (std::vector<Felt>{{0, 1}}));
    EXPECT_EQ(plan.Felter("AB", SkemaArt::laerer, "BIO"), (std::vector<Felt>{{0, 1}}));
    EXPECT_TRUE(plan.portal().KontrollerAlle());
}

TEST(AnalyseFlyt, BlokMedAlleTreFlettesAldrigMenFlyttesTilTidligereFriTime)
{
    MedTestModtager m;
    TestPlan plan({"1a"}, {"AB"}, {"R1"});
    plan.Saet("1a", "ENG", "AB", "R1", 1, 0, 2);
    AnalyseSkema a = Kort(plan.portal(), 1, 3);
    a.ByggKort3();
    a.MarkerEksisterende();
    a.VaelgEnkeltPladser(); // Monday: 4 6 10 6 ...
    ASSERT_EQ(a.Kode(0, 2), 10);
    ASSERT_EQ(a.Kode(0, 1), 6);

    a.Pres(Art::Flet, 10);
    EXPECT_EQ(a.Kode(0, 2), 10);
    EXPECT_EQ(plan.Felter("1a", SkemaArt::hold, "ENG"), (std::vector<Felt>{{0, 2}}));
    EXPECT_FALSE(Logget(m.modtager, "bytter"));

    a.Pres(Art::Flyt, 10);
    EXPECT_EQ(a.Kode(0, 0), 10);
    EXPECT_EQ(a.Kode(0, 2), 4);
    EXPECT_EQ(plan.Felter("R1", SkemaArt::lokale, "ENG"), (std::vector<Felt>{{0, 0}}));
    EXPECT_TRUE(Logget(m.modtager, "bytter"));
    EXPECT_TRUE(plan.portal().KontrollerAlle());
}

TEST(AnalyseFlyt, KlasseblokFlettesIndILaererensOptagneTime)
{
    TestPlan plan({"1a", "2b"}, {"AB", "CD"}, {"R1", "R2", "R3"});
    plan.Saet("1a", "TYS", "CD", "R2", 1, 1, 4);
    plan.Saet("2b", "BIO", "AB", "R3", 1, 3, 0);
    AnalyseSkema a = Kort(plan.portal(), 1, 3);
    a.ByggKort2();

    a.Pres(Art::Flet, 1);
    EXPECT_EQ(a.Kode(1, 4), 4);
    EXPECT_EQ(a.Kode(3, 0), 3);
    EXPECT_EQ(plan.Felter("1a", SkemaArt::hold, "TYS"), (std::vector<Felt>{{3, 0}}));
}

TEST(AnalyseFlyt, EgneTimerFlyttesOpKunIKortetForKlasseOgLaerer)
{
    {
        MedTestModtager m;
        TestPlan plan({"1a"}, {"AB"}, {"R1"});
        plan.Saet("1a", "MAT", "AB", "R1", 1, 1, 4);
        AnalyseSkema a = Kort(plan.portal(), 1, 2);
        a.ByggKort2();
        a.MarkerEksisterende();
        a.FlytFemFeltOp();
        EXPECT_EQ(a.Kode(1, 0), 5);
        EXPECT_EQ(a.Kode(1, 4), 4);
        EXPECT_EQ(plan.Felter("AB", SkemaArt::laerer, "MAT"), (std::vector<Felt>{{1, 0}}));
        EXPECT_TRUE(Logget(m.modtager, "Flytter 5 felt op"));
    }
    {
        TestPlan plan({"1a"}, {"AB"}, {"R1"});
        plan.Saet("1a", "MAT", "AB", "R1", 1, 1, 4);
        AnalyseSkema a = Kort(plan.portal(), 1, 2);
        a.ByggKort3();
        a.MarkerEksisterende();
        ASSERT_EQ(a.Kode(1, 4), 5);
        EXPECT_FALSE(a.FlytBlok(5, {1, 4}, {1, 0}));
        a.PresOp();
        EXPECT_EQ(a.Kode(1, 4), 5);
        EXPECT_EQ(plan.Felter("1a", SkemaArt::hold, "MAT"), (std::vector<Felt>{{1, 4}}));
    }
}

TEST(AnalyseKopi, DobbeltKopiMarkererUflytbarePar)
{
    TestPlan plan({"1a"}, {"AB", "CD"}, {"R1", "R2"});
    plan.Saet("1a", "FYS", "CD", "R2", 2, 0, 2);
    plan.Saet("1a", "KEM", "CD", "R2", 1, 0, 5);
    plan.Saet("1a", "BIO", "CD", "R2", 1, 0, 6);
    AnalyseSkema a = Kort(plan.portal(), 2, 4);
    a.ByggKort2(); // Monday: 4 4 1 1 4 1 1 4
    auto kopi = a.DobbeltKopi();

    EXPECT_EQ(kopi->Fase(), 2);
    const int32_t forventet[8] = {4, -1, 1, -1, -1, -1, -1, -1};
    for (int32_t r = 0; r < 8; ++r)
        EXPECT_EQ(kopi->Kode(0, r), forventet[r]) << r;
    EXPECT_EQ(a.Kode(0, 3), 1); // the source map is untouched
}

TEST(AnalyseKopi, TimerLagtGennemKopienSpejlesOgTaellerIKildekortet)
{
    TestPlan plan({"1a"}, {"AB"}, {"R1"});
    AnalyseSkema a = Kort(plan.portal(), 2, 4);
    a.ByggKort3();
    a.VaelgDobbeltPladser();
    auto kopi = a.DobbeltKopi();

    int32_t lagt = 0;
    EXPECT_TRUE(kopi->LaegLektioner(lagt));
    EXPECT_EQ(lagt, 4);
    EXPECT_EQ(a.Placeret(), 4);
    for (const Felt& f : std::vector<Felt>{{0, 0}, {0, 1}, {1, 0}, {1, 1}})
        EXPECT_EQ(a.Kode(f.first, f.second), 5);
    EXPECT_EQ(kopi->Kode(0, 0), 5); // the copy marks the pair by its first hour

    // The source map knows the demand is complete: nothing more is placed.
    EXPECT_FALSE(a.LaegLektioner(lagt));
    EXPECT_EQ(lagt, 4);
    EXPECT_EQ(plan.Felter("1a", SkemaArt::hold, "MAT"), (std::vector<Felt>{{0, 0}, {0, 1}, {1, 0}, {1, 1}}));
}

TEST(AnalyseLaeg, KandidatOverEnOptagetTimeSpringesOver)
{
    TestPlan plan({"1a", "2b"}, {"AB"}, {"R1", "R2"});
    AnalyseSkema a = Kort(plan.portal(), 2, 2, 5, 7);
    a.ByggKort3();
    a.VaelgDobbeltPladser();
    plan.Saet("2b", "ENG", "AB", "R2", 1, 0, 1); // taken behind the map's back

    int32_t lagt = 0;
    EXPECT_TRUE(a.LaegLektioner(lagt));
    EXPECT_EQ(a.Kode(0, 0), 4);
    EXPECT_EQ(plan.Felter("1a", SkemaArt::hold, "MAT"), (std::vector<Felt>{{1, 0}, {1, 1}}));

    // A pair cannot start in the last hour of the day.
    AnalyseSkema sidst = Kort(plan.portal(), 2, 2, 5, 7);
    for (int32_t k = 0; k < 5; ++k)
        for (int32_t r = 0; r < 6; ++r)
            sidst.SaetKode(k, r, 6);
    EXPECT_FALSE(sidst.LaegLektioner(lagt));
    EXPECT_EQ(lagt, 2);
}

TEST(AnalyseFrigoer, FrieDobbeltLektionerFlytterEnNaboblokVaek)
{
    MedTestModtager m;
    TestPlan plan({"1a"}, {"AB", "CD", "EF"}, {"R1", "R2", "R3"}, {}, 2, 5);
    plan.Saet("1a", "ENG", "CD", "R2", 2, 0, 0);
    plan.Saet("1a", "TYS", "EF", "R3", 2, 0, 3);
    AnalyseSkema a = Kort(plan.portal(), 2, 2, 2, 5);
    a.ByggKort2(); // Monday 1 1 4 1 1, Tuesday free
    a.SaetKode(0, 2, 6);
    for (int32_t r = 0; r < 5; ++r)
        a.SaetKode(1, r, 6);

    // The upper neighbour is only the second hour of its double lesson; the
    // lower one moves to Tuesday.
    EXPECT_TRUE(a.SkabFrieDobbeltLektioner());
    EXPECT_EQ(a.Kode(0, 2), 4);
    EXPECT_EQ(a.Kode(0, 3), 4);
    EXPECT_EQ(a.Kode(1, 0), 1);
    EXPECT_EQ(plan.Felter("1a", SkemaArt::hold, "TYS"), (std::vector<Felt>{{1, 0}, {1, 1}}));
    EXPECT_TRUE(Logget(m.modtager, "skaber frie DobbeltLektioner:"));
    EXPECT_TRUE(Logget(m.modtager, "danner dobbelt lektion i"));

    int32_t lagt = 0;
    EXPECT_TRUE(a.LaegLektioner(lagt));
    EXPECT_EQ(plan.Felter("1a", SkemaArt::hold, "MAT"), (std::vector<Felt>{{0, 2}, {0, 3}}));
    EXPECT_TRUE(plan.portal().KontrollerAlle());
}
