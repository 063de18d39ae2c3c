// The planner's hand moves on the generated demo plan, seen through all three kinds of timetable.
#include "app/Vorivazi.h"
#include "support/TestDatabase.h"
#include "support/TestModtager.h"

#include <gtest/gtest.h>

#include <algorithm>
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

        const std::unique_ptr<Fuldfoerelse> f = v.NyFuldfoerelse({});
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
