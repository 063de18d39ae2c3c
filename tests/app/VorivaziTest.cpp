#include "app/Vorivazi.h"
#include "db/SqlKlasse.h"
#include "support/HurtigFuldfoerelse.h"
#include "support/TestDatabase.h"
#include "support/TestModtager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

TEST(VorivaziFresh, EmptyStacksLeaveTheirArgumentsAlone)
{
    MedTestModtager m;
    Vorivazi v(Datakilde::database);
    std::string id = "uændret";
    EXPECT_FALSE(v.TagPlanNavn(id));
    EXPECT_FALSE(v.TagNavn(id));
    std::string hold = "h", fag = "f", laerer = "l", lokale = "k";
    int32_t kolonne = 3, raekke = 4;
    EXPECT_FALSE(v.TagLektion(hold, fag, laerer, lokale, kolonne, raekke));
    EXPECT_EQ(id, "uændret");
    EXPECT_EQ(hold + fag + laerer + lokale, "hflk");
    EXPECT_EQ(kolonne, 3);
    EXPECT_EQ(raekke, 4);
}

TEST(VorivaziFresh, OperationsNeedingAPlanRefuseQuietly)
{
    MedTestModtager m;
    Vorivazi v(Datakilde::database);
    EXPECT_FALSE(v.ErAaben());
    EXPECT_FALSE(v.HentNavne(SkemaArt::hold));
    EXPECT_FALSE(v.Gem());
    EXPECT_FALSE(v.Generer(1, 4, 5, 8, 0, true));
    EXPECT_FALSE(v.UdskrivSkema("1.a", SkemaArt::hold));
    v.NytProjekt();
    v.Eksporter();
    EXPECT_EQ(v.SumTimer(), 0);
    EXPECT_EQ(v.AntalLektionerIalt(), 0);
    EXPECT_EQ(v.AntalMellemtimer(), 0);
    EXPECT_EQ(v.AntalLektioner("1.a", SkemaArt::hold), 0);
    EXPECT_EQ(v.TimerFor("1.a", SkemaArt::hold), 0);
    EXPECT_EQ(v.Spredning("1.a", SkemaArt::hold), 0.0);
    EXPECT_TRUE(m.modtager.bokse.empty());
}

class VorivaziPaaDemo : public DatabaseTest {};

TEST_F(VorivaziPaaDemo, PlanListIsHandedOutInTheReverseOfTheCatalogueOrder)
{
    SqlKlasse sql(Datakilde::database);
    ASSERT_TRUE(
        sql.UdfoerSql("insert into Plan values (?, ?, ?, ?)", {std::string("Plan2025"), std::string("x"), 5, 8}));
    Vorivazi v(Datakilde::database);
    ASSERT_TRUE(v.HentPlanliste());
    std::vector<std::string> ider;
    for (std::string id; v.TagPlanNavn(id);)
        ider.push_back(id);
    EXPECT_EQ(ider, (std::vector<std::string>{"Plan2025", "Plan2026", "Plan2027"}));
}

TEST_F(VorivaziPaaDemo, UnknownPlanCreatesNothing)
{
    MedTestModtager m;
    Vorivazi v(Datakilde::database);
    EXPECT_FALSE(v.AabnPlan("Findes ikke"));
    EXPECT_FALSE(v.ErAaben());
    ASSERT_EQ(m.modtager.bokse.size(), 1u);
    EXPECT_EQ(m.modtager.bokse[0].tekst, "Planen findes ikke!");
    EXPECT_EQ(m.modtager.bokse[0].titel, "En fejl er opstået!");
}

TEST_F(VorivaziPaaDemo, APlanBeyondTheGridIsRefusedNamingTheLimitAndItsValue)
{
    SqlKlasse sql(Datakilde::database);
    for (const auto& [id, dage, timer] : {std::tuple{"Otte", 8, 8}, {"Sytten", 5, 17}, {"Ingen", 0, 8}})
        ASSERT_TRUE(sql.UdfoerSql("insert into Plan values (?, ?, ?, ?)",
                                  {std::string(id), std::string("Fordeling2026"), dage, timer}));
    MedTestModtager m;
    Vorivazi v(Datakilde::database);
    for (const char* id : {"Otte", "Sytten", "Ingen"})
        EXPECT_FALSE(v.AabnPlan(id)) << id;
    EXPECT_FALSE(v.ErAaben());
    ASSERT_EQ(m.modtager.bokse.size(), 3u);
    const std::string plads = ", men programmet har plads til 1 til ";
    EXPECT_EQ(m.modtager.bokse[0].tekst, "Planen har 8 dage om ugen" + plads + "7.");
    EXPECT_EQ(m.modtager.bokse[1].tekst, "Planen har 17 timer om dagen" + plads + "16.");
    EXPECT_EQ(m.modtager.bokse[2].tekst, "Planen har 0 dage om ugen" + plads + "7.");
}

TEST_F(VorivaziPaaDemo, OpensAPlanAndHandsOutItsIdsAndLessons)
{
    MedTestModtager m;
    Vorivazi v(Datakilde::database);
    ASSERT_TRUE(v.AabnPlan("Plan2026"));
    // Before the first generation the classes' hours tell what the plan demands.
    const int32_t planlagt = v.SumTimer();
    EXPECT_EQ(planlagt, 332);

    ASSERT_TRUE(v.HentNavne(SkemaArt::hold));
    std::vector<std::string> hold;
    for (std::string id; v.TagNavn(id);)
        hold.push_back(id);
    ASSERT_FALSE(hold.empty());
    EXPECT_TRUE(std::is_sorted(hold.rbegin(), hold.rend())) << "the master list is ascending, handed out reversed";

    m.modtager.logLinjer.clear();
    EXPECT_EQ(v.HentLektioner("ukendt", SkemaArt::hold), 0);
    EXPECT_EQ(m.modtager.logLinjer, (std::vector<std::string>{"henter skema", "104", "ukendt"}));
    std::string a, b, c, d;
    int32_t k = 0, r = 0;
    EXPECT_FALSE(v.TagLektion(a, b, c, d, k, r));

    m.modtager.svar = {true, true};
    ASSERT_TRUE(v.Generer(1, 4, 5, 8, 0, true));
    EXPECT_EQ(v.SumTimer(), planlagt) << "the lessons demand what the classes do";
    EXPECT_GT(v.AntalLektionerIalt(), 0);

    const std::string& klasse = hold.back();
    EXPECT_EQ(v.HentLektioner(klasse, SkemaArt::hold), 1);
    int32_t antal = 0;
    std::pair<int32_t, int32_t> forrige{-1, -1};
    while (v.TagLektion(a, b, c, d, k, r)) {
        EXPECT_EQ(a, klasse);
        EXPECT_LT(forrige, std::make_pair(k, r)) << "lessons come day by day, hour by hour";
        forrige = {k, r};
        ++antal;
    }
    EXPECT_EQ(antal, v.AntalLektioner(klasse, SkemaArt::hold));

    v.NytProjekt();
    EXPECT_EQ(v.SumTimer(), planlagt) << "clearing the timetables leaves the demand";
    EXPECT_EQ(v.AntalLektionerIalt(), 0);
}

TEST_F(VorivaziPaaDemo, CompletionPlacesWhatAShortGenerationLeftAndTheStoreAgrees)
{
    MedTestModtager m;
    Vorivazi v(Datakilde::database);
    ASSERT_TRUE(v.AabnPlan("Plan2026"));
    m.modtager.svar = {true, true};
    ASSERT_TRUE(v.Generer(1, 4, 5, 3, 0, true)); // three hours a day leave many hours missing
    const int32_t lagtFoer = v.AntalLektionerIalt();
    ASSERT_LT(lagtFoer, v.SumTimer());
    EXPECT_EQ(v.Manglende().Mangler(), v.SumTimer() - lagtFoer);

    const std::unique_ptr<Fuldfoerelse> f = v.NyFuldfoerelse(hurtigFuldfoerelse);
    while (f->Koer(1000)) {
    }
    const std::string linje = v.AfslutFuldfoerelse(*f);
    EXPECT_EQ(linje.rfind("Fuldført: placeret " + std::to_string(lagtFoer) + "→", 0), 0u) << linje;
    EXPECT_GT(v.AntalLektionerIalt(), lagtFoer);
    EXPECT_EQ(v.Manglende().Mangler(), v.SumTimer() - v.AntalLektionerIalt());
    EXPECT_EQ(v.AntalMellemtimer(), f->Bedste().holdHuller);
    EXPECT_TRUE(m.modtager.bokse.size() == 2u) << "only the two questions; the check found nothing";
}

namespace {

// PL and the placed lessons of Plan2026 after a generation.
std::pair<int32_t, std::vector<LektionsData>> genererPlan2026()
{
    Vorivazi v(Datakilde::database);
    EXPECT_TRUE(v.AabnPlan("Plan2026"));
    EXPECT_TRUE(v.Generer(1, 4, 5, 8, 0, true));
    std::vector<LektionsData> lektioner;
    v.HentNavne(SkemaArt::hold);
    for (std::string id; v.TagNavn(id);) {
        const auto holdets = v.Lektioner(id, SkemaArt::hold);
        lektioner.insert(lektioner.end(), holdets.begin(), holdets.end());
    }
    return {v.SumTimer(), lektioner};
}

// The message about the school data, "" when there is none.
std::string regelbrud(const TestModtager& m)
{
    for (const auto& boks : m.bokse) {
        if (boks.tekst.starts_with("Nogle gemte skoledata"))
            return boks.tekst;
    }
    return "";
}

} // namespace

TEST_F(VorivaziPaaDemo, StoredNumbersOutsideTheRulesAreNamedAtOpeningAndLeftOut)
{
    SqlKlasse sql(Datakilde::database);
    ASSERT_TRUE(sql.UdfoerSql("update Fag set Timer_AFa = 0 where FagID_AFa = 'Musik'"));
    MedTestModtager m;
    m.modtager.standardSvar = true;
    const int32_t udenMusik = genererPlan2026().first;
    EXPECT_EQ(regelbrud(m.modtager), "");

    ASSERT_TRUE(sql.UdfoerSql("update Fag set Timer_AFa = 1000000 where FagID_AFa = 'Musik'"));
    const auto [pl, lektioner] = genererPlan2026();
    EXPECT_EQ(pl, udenMusik);
    EXPECT_TRUE(std::none_of(lektioner.begin(), lektioner.end(), [](const auto& l) { return l.fag == "Musik"; }));
    EXPECT_NE(regelbrud(m.modtager).find("\n  Fag (Musik): ugetimer skal være et tal fra 0 til 112, ikke 1000000"),
              std::string::npos)
        << regelbrud(m.modtager);

    ASSERT_TRUE(sql.UdfoerSql("update LaererFagProfil set Blokstoerrelse_LFP = 9 where LaererID_LFP = 'Lærke' and "
                              "FagID_LFP = 'Billedkunst' and TimeFagFordelingID_LFP = 'Fordeling2026'"));
    // Another distribution's profiles are no concern of this plan.
    ASSERT_TRUE(sql.UdfoerSql("update LaererFagProfil set AntalHold_LFP = -1 where TimeFagFordelingID_LFP = "
                              "'Fordeling2027'"));
    m.modtager.bokse.clear();
    const auto lektionerUdenLaerke = genererPlan2026().second;
    const std::string besked = regelbrud(m.modtager);
    EXPECT_NE(besked.find("\n  Lærernes fagprofiler (Fordeling2026, Billedkunst, Lærke): blokstørrelse skal være et "
                          "tal fra 1 til 8, ikke 9"),
              std::string::npos)
        << besked;
    EXPECT_EQ(besked.find("Fordeling2027"), std::string::npos) << besked;
    EXPECT_TRUE(std::none_of(lektionerUdenLaerke.begin(), lektionerUdenLaerke.end(),
                             [](const auto& l) { return l.fag == "Billedkunst" && l.laerer == "Lærke"; }));
}

TEST_F(VorivaziPaaDemo, EveryTimetablesFiguresAreTrueAfterGenerationAndCompletion)
{
    MedTestModtager m;
    m.modtager.standardSvar = true;
    Vorivazi v(Datakilde::database);
    ASSERT_TRUE(v.AabnPlan("Plan2026"));
    PrSkemaArt<std::vector<std::string>> ider;
    for (const SkemaArt art : alleSkemaArter) {
        v.HentNavne(art);
        for (std::string id; v.TagNavn(id);)
            ider[art].push_back(id);
    }
    const auto kontroller = [&](const std::string& hvornaar) {
        int32_t laerertimer = 0;
        for (const SkemaArt art : alleSkemaArter) {
            for (const std::string& id : ider[art]) {
                const int32_t planlagt = v.PlanlagteTimer(id, art);
                const int32_t lagt = v.AntalLektioner(id, art);
                EXPECT_GE(planlagt, lagt) << hvornaar << ": " << Bogstav(art) << ":" << id;
                if (v.AntalLektionerIalt() == v.SumTimer()) {
                    EXPECT_EQ(planlagt, lagt) << hvornaar << ": " << Bogstav(art) << ":" << id;
                }
                laerertimer += art == SkemaArt::laerer ? planlagt : 0;
            }
        }
        EXPECT_EQ(laerertimer, v.SumTimer()) << hvornaar << ": every hour has its teacher";
    };
    ASSERT_TRUE(v.Generer(1, 4, 5, 8, 0, true));
    kontroller("generated");
    const std::unique_ptr<Fuldfoerelse> f = v.NyFuldfoerelse({});
    while (f->Koer(1000)) {
    }
    v.AfslutFuldfoerelse(*f);
    ASSERT_EQ(v.AntalLektionerIalt(), v.SumTimer());
    kontroller("completed");
}
