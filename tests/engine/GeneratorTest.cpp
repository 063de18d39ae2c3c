#include "AabenPlan.h"

#include "db/TSqlModul.h"
#include "support/TestDatabase.h"
#include "support/TestModtager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

using K = KontrolListe;

const std::string lokaleRelationer = "select HoldID_LoHR, LokaleID_LoHR, PlanID_LoHR from LokaleHoldRelation "
                                     "order by PlanID_LoHR, HoldID_LoHR, LokaleID_LoHR";
const std::vector<std::string> lokaleKolonner = {"HoldID_LoHR", "LokaleID_LoHR", "PlanID_LoHR"};
const std::string laererRelationer = "select HoldID_HLR, FagID_HLR, LaererID_HLR, PlanID_HLR from HoldLaererRelation "
                                     "order by PlanID_HLR, HoldID_HLR, FagID_HLR, LaererID_HLR";
const std::vector<std::string> laererKolonner = {"HoldID_HLR", "FagID_HLR", "LaererID_HLR", "PlanID_HLR"};

std::string relationer()
{
    return raekker(lokaleRelationer, lokaleKolonner) + raekker(laererRelationer, laererKolonner);
}

std::string planensRelationer(const std::string& planId)
{
    return raekker("select HoldID_LoHR, LokaleID_LoHR from LokaleHoldRelation where PlanID_LoHR = ? "
                   "order by HoldID_LoHR, LokaleID_LoHR",
                   {"HoldID_LoHR", "LokaleID_LoHR"}, {planId}) +
           raekker("select HoldID_HLR, FagID_HLR, LaererID_HLR from HoldLaererRelation where PlanID_HLR = ? "
                   "order by HoldID_HLR, FagID_HLR, LaererID_HLR",
                   {"HoldID_HLR", "FagID_HLR", "LaererID_HLR"}, {planId});
}

// Lists 7 and 8 in memory in the same shape, sorted like the database rows.
std::string listernesRelationer(KontrolListe& k)
{
    std::vector<std::string> lokaler;
    std::vector<std::string> laerere;
    const Klyngeliste<data>& l7 = k.Liste(K::holdLokaleListe);
    for (int32_t i = 0; i < l7.antal; ++i)
        lokaler.push_back(l7.element[i].tekst[0] + "|" + l7.element[i].tekst[1] + "\n");
    const Klyngeliste<data>& l8 = k.Liste(K::holdLaererListe);
    for (int32_t i = 0; i < l8.antal; ++i)
        laerere.push_back(l8.element[i].tekst[0] + "|" + l8.element[i].tekst[1] + "|" + l8.element[i].tekst[2] + "\n");
    std::sort(lokaler.begin(), lokaler.end());
    std::sort(laerere.begin(), laerere.end());
    std::string ud;
    for (const auto& s : lokaler)
        ud += s;
    for (const auto& s : laerere)
        ud += s;
    return ud;
}

const data* findLektion(KontrolListe& k, const std::string& hold, const std::string& fag)
{
    const Klyngeliste<data>& l = k.Liste(K::laeggeListe);
    for (int32_t i = 0; i < l.antal; ++i)
        if (l.element[i].tekst[0] == hold && l.element[i].tekst[1] == fag)
            return &l.element[i];
    return nullptr;
}

// A lesson as loaded; placing the special-room part chooses rooms that loading left open.
std::string indlaestRaekke(const data& l)
{
    const std::string lokale = l.tekst[3] == "Stamlokale" ? l.tekst[4] : "tom";
    return l.tekst[0] + "|" + l.tekst[1] + "|" + l.tekst[2] + "|" + l.tekst[3] + "|" + lokale;
}

class GeneratorTest : public DatabaseTest {
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        m.modtager.standardSvar = true;
    }

    // Opens Plan2026 afresh and generates it with the default settings.
    std::string Generer(bool skrivebeskyttet, AabenPlan& p)
    {
        EXPECT_TRUE(p.Aabn("Plan2026"));
        EXPECT_TRUE(p.generator->Generer(1, 4, 5, 8, 0, skrivebeskyttet));
        return p.Skemaer();
    }

    MedTestModtager m;
};

} // namespace

TEST_F(GeneratorTest, DemoPlanGeneratesEndToEndAndTheTimetablesAgree)
{
    AabenPlan p;
    const std::string skemaer = Generer(false, p);

    std::vector<std::string> etiketter;
    for (const auto& r : m.modtager.tidsLinjer) {
        etiketter.push_back(r.etiket);
        EXPECT_EQ(r.raekke, static_cast<int32_t>(etiketter.size()));
    }
    EXPECT_EQ(etiketter,
              (std::vector<std::string>{"Kontrol af lister", "Klargoering til 1 del",
                                        "Lægning af HLPL relationer:", "Klargør til anden del:",
                                        "Lægning af HLP relationer:", "Kontrol af skemaer: ", "Total tid:"}));
    for (const auto& b : m.modtager.bokse)
        EXPECT_EQ(b.art, "spoerg") << b.tekst;
    m.modtager.sporTekst.clear();
    EXPECT_TRUE(p.portal->KontrollerAlle());
    EXPECT_EQ(m.modtager.sporTekst, "0 0 0 ");
    EXPECT_GT(p.portal->AntalLektionerIalt(), p.k->SumTimer() * 9 / 10);
    EXPECT_NE(skemaer.find("9.a "), std::string::npos) << "the class without a home room got one";
    EXPECT_EQ(p.portal->PlanId(), "Plan2026");
}

TEST_F(GeneratorTest, FixedAssignmentWritesBackExactlyTheOpenPlansRelations)
{
    const std::string andenPlan = planensRelationer("Plan2027");
    AabenPlan p;
    ASSERT_TRUE(p.Aabn("Plan2026"));
    p.k->IndlaesListe(K::holdLaererListe);
    p.k->IndlaesListe(K::fagprofilListe);
    ASSERT_TRUE(p.k->TildelStamlokaler());
    p.k->TildelLaerere();
    ASSERT_TRUE(p.k->GemListe(K::holdLokaleListe));
    ASSERT_TRUE(p.k->GemListe(K::holdLaererListe));

    const std::string skrevet = planensRelationer("Plan2026");
    EXPECT_EQ(skrevet, listernesRelationer(*p.k));
    EXPECT_EQ(skrevet.find("9.a|tom"), std::string::npos);
    EXPECT_EQ(planensRelationer("Plan2027"), andenPlan) << "another plan's rows are untouched";
}

TEST_F(GeneratorTest, AnUpdateWithAQuoteInAnIdIsBoundNotBroken)
{
    SqlKlasse sql(Datakilde::database);
    ASSERT_TRUE(sql.UdfoerSql("insert into LokaleHoldRelation values (?, ?, ?)",
                              {std::string("6.o'x"), std::string("tom"), std::string("Plan2026")}));
    AabenPlan p;
    ASSERT_TRUE(p.Aabn("Plan2026"));
    Klyngeliste<data>& l7 = p.k->Liste(K::holdLokaleListe);
    for (int32_t i = 0; i < l7.antal; ++i)
        if (l7.element[i].tekst[0] == "6.o'x")
            l7.element[i].tekst[1] = "B6";
    ASSERT_TRUE(p.k->GemListe(K::holdLokaleListe));
    EXPECT_NE(planensRelationer("Plan2026").find("6.o'x|B6"), std::string::npos);
}

TEST_F(GeneratorTest, WriteProtectionSendsNoUpdateButLessonsUseTheCompletedRelations)
{
    const std::string foer = relationer();
    AabenPlan p;
    Generer(true, p);
    EXPECT_EQ(relationer(), foer);

    KontrolListe& k = *p.k;
    std::string rum;
    const Klyngeliste<data>& l7 = k.Liste(K::holdLokaleListe);
    for (int32_t i = 0; i < l7.antal; ++i)
        if (l7.element[i].tekst[0] == "9.a")
            rum = l7.element[i].tekst[1];
    ASSERT_NE(rum, "tom");
    const data* dansk = findLektion(k, "9.a", "Dansk_uds");
    ASSERT_NE(dansk, nullptr);
    EXPECT_EQ(dansk->tekst[4], rum);
    EXPECT_NE(dansk->ben[K::benLokale], nullptr);

    const Klyngeliste<data>& l8 = k.Liste(K::holdLaererListe);
    for (int32_t i = 0; i < l8.antal; ++i) {
        const data& r = l8.element[i];
        const data* l = findLektion(k, r.tekst[0], r.tekst[1]);
        ASSERT_NE(l, nullptr) << r.tekst[0] << " " << r.tekst[1];
        EXPECT_EQ(l->tekst[2], r.tekst[2]) << r.tekst[0] << " " << r.tekst[1];
    }

    // Written back instead, the same relations give the same lessons to place.
    AabenPlan skrevet;
    ASSERT_TRUE(skrevet.Aabn("Plan2026"));
    skrevet.k->IndlaesListe(K::holdLaererListe);
    skrevet.k->IndlaesListe(K::fagprofilListe);
    skrevet.k->TildelStamlokaler();
    skrevet.k->TildelLaerere();
    ASSERT_TRUE(skrevet.k->GemListe(K::holdLokaleListe));
    ASSERT_TRUE(skrevet.k->GemListe(K::holdLaererListe));
    skrevet.k->IndlaesListe(K::laeggeListe);
    const Klyngeliste<data>& a = k.Liste(K::laeggeListe);
    const Klyngeliste<data>& b = skrevet.k->Liste(K::laeggeListe);
    ASSERT_EQ(a.antal, b.antal);
    std::multiset<std::string> raekkerA;
    std::multiset<std::string> raekkerB;
    for (int32_t i = 0; i < a.antal; ++i) {
        raekkerA.insert(indlaestRaekke(a.element[i]));
        raekkerB.insert(indlaestRaekke(b.element[i]));
    }
    EXPECT_EQ(raekkerA, raekkerB);
}

TEST_F(GeneratorTest, SamePlanTwiceInOneProcessGivesTheSameTimetables)
{
    std::string foerste;
    {
        AabenPlan p;
        foerste = Generer(true, p);
    }
    AabenPlan p;
    EXPECT_EQ(Generer(true, p), foerste);
    EXPECT_FALSE(foerste.empty());
}

// Run by the next test in a child process; skipped when run on its own.
TEST(GeneratorBarn, WritesTheTimetablesOfPlan2026)
{
    const char* forbindelse = std::getenv("BRIKKEN_BARN_DB");
    const char* fil = std::getenv("BRIKKEN_BARN_FIL");
    if (forbindelse == nullptr || fil == nullptr)
        GTEST_SKIP() << "only run from SamePlanInAnotherProcessGivesTheSameTimetables";
    std::string fejl;
    ASSERT_TRUE(TSqlModul::Instans().VaelgForbindelse(forbindelse, fejl)) << fejl;
    MedTestModtager m;
    m.modtager.standardSvar = true;
    AabenPlan p;
    ASSERT_TRUE(p.Aabn("Plan2026"));
    ASSERT_TRUE(p.generator->Generer(1, 4, 5, 8, 0, true));
    std::ofstream(fil) << p.Skemaer();
    TSqlModul::Instans().Luk(); // before the static objects of the database driver go
}

TEST_F(GeneratorTest, SamePlanInAnotherProcessGivesTheSameTimetables)
{
    AabenPlan p;
    const std::string her = Generer(true, p);
    const std::string fil =
        (std::filesystem::temp_directory_path() / ("brikken_barn_" + std::to_string(::getpid()) + ".txt")).string();
    ::setenv("BRIKKEN_BARN_DB", db_->Forbindelse().c_str(), 1);
    ::setenv("BRIKKEN_BARN_FIL", fil.c_str(), 1);
    const std::string kommando = std::filesystem::read_symlink("/proc/self/exe").string() +
                                 " --gtest_filter=GeneratorBarn.WritesTheTimetablesOfPlan2026 > /dev/null";
    const int svar = std::system(kommando.c_str());
    ::unsetenv("BRIKKEN_BARN_DB");
    ::unsetenv("BRIKKEN_BARN_FIL");
    ASSERT_EQ(svar, 0);
    std::stringstream der;
    der << std::ifstream(fil).rdbuf();
    std::filesystem::remove(fil);
    EXPECT_EQ(der.str(), her);
}

TEST_F(GeneratorTest, ContinuationPlacesOnlyWhatIsMissingWithoutLoadingAgain)
{
    AabenPlan p;
    ASSERT_TRUE(p.Aabn("Plan2026"));
    ASSERT_TRUE(p.generator->Generer(1, 4, 5, 4, 0, true));
    const int32_t lektioner = p.k->Liste(K::laeggeListe).antal;
    const int32_t foerste = p.portal->AntalLektionerIalt();
    const size_t spoergsmaal = m.modtager.bokse.size();
    ASSERT_TRUE(p.generator->Generer(1, 4, 5, 8, 1, true));
    EXPECT_EQ(p.k->Liste(K::laeggeListe).antal, lektioner) << "list 6 is not loaded again";
    EXPECT_EQ(m.modtager.bokse.size(), spoergsmaal) << "no fixed assignment the second time";
    EXPECT_GT(p.portal->AntalLektionerIalt(), foerste);
    EXPECT_EQ(p.portal->Raekker(), 8);
}

TEST_F(GeneratorTest, DecliningTheAssignmentStopsWithoutTimeRows)
{
    m.modtager.standardSvar = false;
    AabenPlan p;
    ASSERT_TRUE(p.Aabn("Plan2026"));
    EXPECT_FALSE(p.generator->Generer(1, 4, 3, 6, 0, false));
    EXPECT_TRUE(m.modtager.tidsLinjer.empty());
    ASSERT_EQ(m.modtager.bokse.size(), 1u);
    EXPECT_EQ(m.modtager.bokse[0].art, "spoerg");
    EXPECT_EQ(p.portal->AntalLektionerIalt(), 0);
}

// A plan of four days of five hours gets nothing outside them, however wide
// the run asks, and the Communicator says why.
TEST_F(GeneratorTest, ARunIsCutToThePlansOwnDaysAndHours)
{
    SqlKlasse sql(Datakilde::database);
    ASSERT_TRUE(
        sql.UdfoerSql("update Plan set Kolonne_P = 4, Raekke_P = 5 where PlanID_P = ?", {std::string("Plan2026")}));
    AabenPlan p;
    const std::string skemaer = Generer(true, p);
    ASSERT_FALSE(skemaer.empty());
    std::istringstream linjer(skemaer);
    for (std::string linje; std::getline(linjer, linje);) {
        std::istringstream felter(linje);
        std::string hold, fag, laerer, lokale;
        int32_t blok = 0, dag = 0, time = 0;
        felter >> hold >> fag >> laerer >> lokale >> blok >> dag >> time;
        EXPECT_LT(dag, 4) << linje;
        EXPECT_LT(time, 5) << linje;
    }
    EXPECT_EQ(p.portal->Raekker(), 5);
    const auto& log = m.modtager.logLinjer;
    EXPECT_NE(std::find(log.begin(), log.end(),
                        "Planen har 4 dage og 5 timer om dagen; genereringen lægger kun lektioner inden for dem"),
              log.end());
}

// A run stopped at the fixed assignment leaves the lists loaded; the next run
// must load them afresh instead of on top.
TEST_F(GeneratorTest, ARetryAfterADeclinedAssignmentRunsLikeTheFirst)
{
    AabenPlan p;
    ASSERT_TRUE(p.Aabn("Plan2026"));
    m.modtager.svar = {true, false}; // home rooms yes, teachers no
    testing::internal::CaptureStdout();
    EXPECT_FALSE(p.generator->Generer(1, 4, 5, 8, 0, true));
    const int32_t relationer = p.k->Liste(K::holdLaererListe).antal;
    const int32_t profiler = p.k->Liste(K::fagprofilListe).antal;
    m.modtager.bokse.clear();

    EXPECT_TRUE(p.generator->Generer(1, 4, 5, 8, 0, true));
    testing::internal::GetCapturedStdout();
    for (const auto& b : m.modtager.bokse)
        EXPECT_EQ(b.art, "spoerg") << b.tekst;
    EXPECT_EQ(p.k->Liste(K::holdLaererListe).antal, relationer);
    EXPECT_EQ(p.k->Liste(K::fagprofilListe).antal, profiler);
    EXPECT_GT(p.portal->AntalLektionerIalt(), p.k->SumTimer() * 9 / 10);
}

TEST_F(GeneratorTest, EveryWayTheFixedAssignmentFailsIsTold)
{
    const auto fejl = [&] {
        for (const auto& b : m.modtager.bokse)
            if (b.art == "fejl")
                return b.tekst;
        return std::string();
    };
    // Profiles that cannot take one more class leave the rows without a teacher open.
    SqlKlasse sql(Datakilde::database);
    ASSERT_TRUE(sql.UdfoerSql("update LaererFagProfil set AntalHold_LFP = 0"));
    {
        AabenPlan p;
        ASSERT_TRUE(p.Aabn("Plan2026"));
        testing::internal::CaptureStdout();
        EXPECT_FALSE(p.generator->Generer(1, 4, 5, 8, 0, false));
        testing::internal::GetCapturedStdout();
        EXPECT_NE(fejl().find("fagprofiler rækker ikke"), std::string::npos) << fejl();
        EXPECT_NE(fejl().find("2.b Musik"), std::string::npos) << fejl();
    }
    ASSERT_TRUE(sql.UdfoerSql("update LaererFagProfil set AntalHold_LFP = 9"));

    // The completed relations cannot be written back.
    m.modtager.bokse.clear();
    AabenPlan p;
    ASSERT_TRUE(p.Aabn("Plan2026"));
    ASSERT_TRUE(sql.UdfoerSql("drop table LokaleHoldRelation"));
    testing::internal::CaptureStdout();
    EXPECT_FALSE(p.generator->Generer(1, 4, 5, 8, 0, false));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(fejl().rfind("De tildelte stamlokaler kunne ikke skrives til databasen", 0), 0U) << fejl();
}

TEST_F(GeneratorTest, AbsurdHoursAreRefusedOrSummedWithoutOverflow)
{
    SqlKlasse sql(Datakilde::database);
    const auto sumTimer = [] {
        AabenPlan p;
        EXPECT_TRUE(p.Aabn("Plan2026"));
        p.k->IndlaesListe(K::laeggeListe);
        p.k->KlargoerLaeggeliste();
        return p.k->SumTimer();
    };
    ASSERT_TRUE(sql.UdfoerSql("update Fag set Timer_AFa = 0 where FagID_AFa like 'Dansk%'"));
    const int32_t udenDansk = sumTimer();
    // Hours beyond the school-data rules are refused: the subjects are left out
    // of the lists (opening the plan names them), so no sum can overflow.
    for (const char* timer : {"1000000000", "2147483647"}) {
        ASSERT_TRUE(
            sql.UdfoerSql(std::string("update Fag set Timer_AFa = ") + timer + " where FagID_AFa like 'Dansk%'"));
        EXPECT_EQ(sumTimer(), udenDansk) << timer;
    }
}
