// The planner's hand moves on the generated demo plan, seen through all three kinds of timetable.
#include "app/Vorivazi.h"
#include "db/SqlKlasse.h"
#include "support/HurtigFuldfoerelse.h"
#include "support/TestDatabase.h"
#include "support/TestModtager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <tuple>

namespace {

using Tilstand = std::set<std::tuple<char, std::string, std::string, std::string, std::string, int, int, int>>;

// Every lesson hour of every timetable of every kind.
Tilstand tilstand(Vorivazi& v)
{
    Tilstand ud;
    for (const SkemaArt art : alleSkemaArter) {
        v.HentNavne(art);
        for (std::string id; v.TagNavn(id);)
            for (const LektionsData& l : v.Lektioner(id, art))
                ud.insert({Bogstav(art), l.hold, l.fag, l.laerer, l.lokale, l.blok, l.kolonne, l.raekke});
    }
    return ud;
}

class Haandflytninger : public DatabaseTest {};

class HaandflytningerSyntetisk : public DatabaseTest {
protected:
    HaandflytningerSyntetisk() : DatabaseTest(TestDatabase::Indhold::Skema) {}
};

} // namespace

TEST_F(Haandflytninger, TestsLeaveEverythingMovesChangeAllThreeAndEveryStepCanBeTakenBack)
{
    MedTestModtager m;
    m.modtager.svar = {true, true};
    Vorivazi v(Datakilde::database);
    ASSERT_TRUE(v.AabnPlan("Plan2026"));
    ASSERT_TRUE(v.Generer(1, 4, 5, 8, 0, true));
    const Tilstand foer = tilstand(v);

    // Monday's Klassenstid (hour 5) and Engelsk (hour 6) of 1.a share room A1 (see the command-line test).
    const Flytsvar proevet = v.ProevFlyt("1.a", SkemaArt::hold, {3, 0}, {0, 4});
    EXPECT_EQ(proevet.udfald, FlytUdfald::byt);
    EXPECT_EQ(proevet.grund, "1.a Klassenstid");
    EXPECT_EQ(v.ProevFlyt("1.a", SkemaArt::hold, {0, 1}, {0, 7}).udfald, FlytUdfald::ledig);
    const Flytsvar afvist = v.Flyt("1.a", SkemaArt::hold, {0, 5}, {1, 4});
    EXPECT_EQ(afvist.udfald, FlytUdfald::afvist);
    EXPECT_EQ(afvist.grund, "læreren Gorm er optaget af 7.a Tysk");
    EXPECT_EQ(v.ProevFlyt("1.a", SkemaArt::hold, {0, 0}, {0, 7}).grund, "efter dagens sidste time");
    EXPECT_EQ(v.ProevFlyt("1.a", SkemaArt::hold, {0, 0}, {5, 0}).grund, "uden for planen");
    EXPECT_EQ(tilstand(v), foer) << "tests and refusals change nothing";

    // A swap and the same move back; the teacher's view moves the same lesson.
    EXPECT_EQ(v.Flyt("Ida", SkemaArt::laerer, {3, 0}, {0, 4}).udfald, FlytUdfald::byt);
    EXPECT_NE(tilstand(v), foer);
    EXPECT_EQ(v.Flyt("1.a", SkemaArt::hold, {0, 4}, {3, 0}).udfald, FlytUdfald::byt);
    EXPECT_EQ(tilstand(v), foer);

    // A double lesson leaves as one block and comes back into the same hours.
    const Udfald<LektionsData> fjernet = v.FjernLektion("A1", SkemaArt::lokale, {0, 1});
    ASSERT_TRUE(fjernet);
    EXPECT_EQ(fjernet->blok, 2);
    EXPECT_EQ(fjernet->raekke, 0);
    EXPECT_EQ(tilstand(v).size(), foer.size() - 6);
    EXPECT_FALSE(v.FjernLektion("1.a", SkemaArt::hold, {0, 0})) << "the hour is empty now";
    EXPECT_TRUE(v.PlacerLektion(*fjernet));
    EXPECT_FALSE(v.PlacerLektion(*fjernet)) << "the hours are taken";
    EXPECT_EQ(tilstand(v), foer);
}

TEST_F(Haandflytninger, PinnedLessonsStayThroughHandMovesTheCompletionSavingAndReopening)
{
    MedTestModtager m;
    m.modtager.svar = {true, true};
    std::vector<LektionsData> laaste;
    {
        Vorivazi v(Datakilde::database);
        ASSERT_TRUE(v.AabnPlan("Plan2026"));
        ASSERT_TRUE(v.Generer(1, 4, 5, 3, 0, true)); // leaves hours for the completion to place
        laaste = v.Lektioner("1.a", SkemaArt::hold);
        for (const LektionsData& l : laaste)
            ASSERT_TRUE(v.SaetFastlaast("1.a", SkemaArt::hold, {l.kolonne, l.raekke}, true));
        const Placering her{laaste.front().kolonne, laaste.front().raekke};
        EXPECT_EQ(v.ProevFlyt("1.a", SkemaArt::hold, her, {4, 0}).grund, fastlaastTekst);
        EXPECT_FALSE(v.FjernLektion("1.a", SkemaArt::hold, her));

        const std::unique_ptr<Fuldfoerelse> f = v.NyFuldfoerelse(hurtigFuldfoerelse);
        while (f->Koer(1000)) {
        }
        v.AfslutFuldfoerelse(*f);
        ASSERT_TRUE(f->Forbedret());
        const std::vector<LektionsData> efter = v.Lektioner("1.a", SkemaArt::hold);
        for (const LektionsData& l : laaste)
            EXPECT_TRUE(std::any_of(efter.begin(), efter.end(),
                                    [&](const LektionsData& e) {
                                        return e.fag == l.fag && e.kolonne == l.kolonne && e.raekke == l.raekke;
                                    }))
                << l.fag << " moved from " << l.kolonne << "," << l.raekke;
        ASSERT_TRUE(v.Gem());
    }
    Vorivazi v(Datakilde::database);
    ASSERT_TRUE(v.AabnPlan("Plan2026"));
    for (const LektionsData& l : laaste)
        EXPECT_TRUE(v.ErFastlaast(l.hold, l.kolonne, l.raekke)) << "the pins are read back with the plan";
    const Placering her{laaste.front().kolonne, laaste.front().raekke};
    ASSERT_TRUE(v.SaetFastlaast("1.a", SkemaArt::hold, her, false));
    EXPECT_FALSE(v.ErFastlaast("1.a", her.kolonne, her.raekke));
}

namespace {

// Every hour of the plan, Monday's first first.
std::vector<Placering> planensTimer(Vorivazi& v)
{
    std::vector<Placering> timer;
    for (int32_t dag = 0; dag < v.PlanDage(); ++dag)
        for (int32_t time = 0; time < v.PlanTimer(); ++time)
            timer.push_back({dag, time});
    return timer;
}

void laesSkole(const std::string& plan)
{
    std::ifstream script(std::filesystem::path(BRIKKEN_GOLDEN_DIR) / plan / "skole.sql");
    ASSERT_TRUE(script.is_open()) << plan;
    SqlKlasse sql(Datakilde::database);
    for (std::string linje; std::getline(script, linje);) {
        // sqlite3 quotes the table name Plan, which the server would then take as case-sensitive.
        if (const auto citat = linje.find("\"Plan\""); citat != std::string::npos)
            linje.replace(citat, 6, "Plan");
        if (!linje.empty() && !linje.starts_with("--")) {
            ASSERT_TRUE(sql.UdfoerSql(linje)) << linje;
        }
    }
}

// The missing-hours window calls an hour free exactly where the planner may
// drop a block of the demand, with spreading on and off.
void kontrollerLedigOgSlip(Vorivazi& v)
{
    for (const bool spred : {true, false}) {
        v.SaetRegler(Regelvalg::Planens(spred));
        const ManglendeTimer manglende = v.Manglende();
        ASSERT_FALSE(manglende.krav.empty());
        for (const ManglendeKrav& m : manglende.krav) {
            for (const Placering p : planensTimer(v)) {
                const auto aarsag = std::find_if(m.aarsager.begin(), m.aarsager.end(), [&](const TimeAarsag& a) {
                    return a.kolonne == p.kolonne && a.raekke == p.raekke;
                });
                const bool ledig = aarsag != m.aarsager.end() && aarsag->hindring == Hindring::ingen;
                const Udfald<LektionsData> slip = v.NyLektion(m.krav, p);
                EXPECT_EQ(ledig, static_cast<bool>(slip))
                    << m.krav.hold << " " << m.krav.fag << " at " << p.kolonne << "," << p.raekke
                    << (spred ? " spreading: " : ": ") << slip.Grund();
                EXPECT_TRUE(!slip || (slip->kolonne == p.kolonne && slip->raekke == p.raekke))
                    << "the new lesson stands where it was dropped";
            }
        }
    }
}

} // namespace

TEST_F(Haandflytninger, MissingHoursCallAnHourFreeExactlyWhereADropIsAccepted)
{
    MedTestModtager m;
    m.modtager.svar = {true, true};
    Vorivazi v(Datakilde::database);
    ASSERT_TRUE(v.AabnPlan("Plan2026"));
    ASSERT_TRUE(v.Generer(1, 4, 5, 4, 0, true));
    kontrollerLedigOgSlip(v);
}

TEST_F(HaandflytningerSyntetisk, MissingHoursCallAnHourFreeExactlyWhereADropIsAccepted)
{
    MedTestModtager m;
    laesSkole("Syntetisk10_2");
    m.modtager.svar = {true, true};
    Vorivazi v(Datakilde::database);
    ASSERT_TRUE(v.AabnPlan("Syntetisk10_2"));
    ASSERT_TRUE(v.Generer(1, 1, 5, 5, 0, true));
    kontrollerLedigOgSlip(v);
}

TEST_F(Haandflytninger, RefusalsNameTheirReasonAndTheBlockIsNeverInItsOwnWay)
{
    MedTestModtager m;
    m.modtager.svar = {true, true};
    Vorivazi v(Datakilde::database);
    ASSERT_TRUE(v.AabnPlan("Plan2026"));
    ASSERT_TRUE(v.Generer(1, 4, 5, 8, 0, true));
    const std::vector<LektionsData> lektioner = v.Lektioner("1.a", SkemaArt::hold);
    const auto ledig = [&](Placering p) {
        return std::none_of(lektioner.begin(), lektioner.end(),
                            [&](const LektionsData& l) { return l.kolonne == p.kolonne && l.raekke == p.raekke; });
    };

    // A double lesson moved one hour along its own day: its own hours are no
    // other lesson of the subject that day.
    const auto dobbelt = std::find_if(lektioner.begin(), lektioner.end(), [&](const LektionsData& l) {
        return l.blok == 2 && l.raekke + 2 < v.PlanTimer() && ledig({l.kolonne, l.raekke + 2});
    });
    ASSERT_NE(dobbelt, lektioner.end());
    const Flytsvar ned = v.ProevFlyt("1.a", SkemaArt::hold, {dobbelt->kolonne, dobbelt->raekke},
                                     {dobbelt->kolonne, dobbelt->raekke + 1});
    EXPECT_TRUE(ned.udfald != FlytUdfald::afvist || ned.grund.find("den dag") == std::string::npos) << ned.grund;

    // A drop onto an hour that already holds the very same lesson is refused.
    const LektionsData& enkelt = *std::find_if(lektioner.begin(), lektioner.end(),
                                               [](const LektionsData& l) { return l.blok == 1; });
    Timekrav krav{enkelt.hold, enkelt.fag, enkelt.laerer, stamlokaleType, enkelt.lokale, 1, 99};
    const Udfald<LektionsData> oven = v.NyLektion(krav, {enkelt.kolonne, enkelt.raekke});
    EXPECT_FALSE(oven);
    EXPECT_NE(oven.Grund().find("optaget af " + Beskriv(enkelt)), std::string::npos) << oven.Grund();

    // Pinned: a removal and a swap onto it say so.
    const Placering her{enkelt.kolonne, enkelt.raekke};
    const auto bytter = std::find_if(lektioner.begin(), lektioner.end(), [&](const LektionsData& l) {
        return v.ProevFlyt("1.a", SkemaArt::hold, {l.kolonne, l.raekke}, her).udfald == FlytUdfald::byt;
    });
    ASSERT_TRUE(v.SaetFastlaast("1.a", SkemaArt::hold, her, true));
    EXPECT_EQ(v.FjernLektion("1.a", SkemaArt::hold, her).Grund(), fastlaastTekst);
    ASSERT_NE(bytter, lektioner.end());
    EXPECT_EQ(v.ProevFlyt("1.a", SkemaArt::hold, {bytter->kolonne, bytter->raekke}, her).grund,
              "byt med " + Beskriv(enkelt) + ": " + fastlaastTekst);
}

TEST_F(Haandflytninger, WithoutSpreadingASubjectMayComeTwiceADay)
{
    MedTestModtager m;
    m.modtager.svar = {true, true};
    Vorivazi v(Datakilde::database);
    ASSERT_TRUE(v.AabnPlan("Plan2026"));
    ASSERT_TRUE(v.Generer(1, 4, 5, 8, 0, true));
    const std::vector<LektionsData> lektioner = v.Lektioner("1.a", SkemaArt::hold);
    // Two single lessons of one subject on different days, and a free hour on the second's day.
    for (const LektionsData& a : lektioner)
        for (const LektionsData& b : lektioner) {
            if (a.blok != 1 || b.blok != 1 || a.fag != b.fag || a.kolonne == b.kolonne)
                continue;
            for (int32_t time = 0; time < v.PlanTimer(); ++time) {
                const Placering til{b.kolonne, time};
                v.SaetRegler(Regelvalg::Planens(true));
                const Flytsvar spredt = v.ProevFlyt("1.a", SkemaArt::hold, {a.kolonne, a.raekke}, til);
                if (spredt.grund != "klassen har allerede " + a.fag + " den dag")
                    continue;
                v.SaetRegler(Regelvalg::Planens(false));
                EXPECT_NE(v.ProevFlyt("1.a", SkemaArt::hold, {a.kolonne, a.raekke}, til).grund, spredt.grund);
                return;
            }
        }
    GTEST_SKIP() << "no lesson of the demo plan can be moved next to its subject";
}
