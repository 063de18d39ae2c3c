// The open plan's activities: where a block may stand beside the lessons and
// the other blocks, and which activities are still short of hours.
#include "store/Aktiviteter.h"

#include <gtest/gtest.h>

namespace {

LektionsData timen(const std::string& hold, const std::string& laerer, const std::string& lokale, Placering p)
{
    LektionsData l;
    l.hold = hold;
    l.laerer = laerer;
    l.lokale = lokale;
    l.kolonne = p.kolonne;
    l.raekke = p.raekke;
    return l;
}

Aktivitetsplan planen()
{
    Aktivitetsplan plan;
    plan.enheder.TilfoejGruppe("7.a", "Sprog", "Tysk");
    plan.enheder.TilfoejGruppe("7.a", "Sprog", "Fransk");
    plan.TilfoejAktivitet({"Ty", "Tysk", 3, 1, {{"7.a", "Tysk"}}, {"Eva"}, {{1, {"B1"}}}});
    plan.TilfoejAktivitet({"Fr", "Fransk", 1, 1, {{"7.a", "Fransk"}}, {"Ole"}, {{1, {"B2"}}}});
    plan.TilfoejAktivitet({"Id", "Idræt", 2, 2, {{"7.a"}, {"7.b"}}, {"Bo"}, {{1, {"Hal"}}}});
    plan.TilfoejAktivitet({"Mø", "Møde", 1, 1, {}, {"Eva", "Ole"}, {}});
    return plan;
}

} // namespace

TEST(Aktivitetsplan, ABlockMeetsTheLessonsAndBlocksOfItsHoursOnly)
{
    Aktivitetsplan plan = planen();
    plan.Placer({"Id", {1, 2}, 2, {"Hal"}});
    const std::vector<LektionsData> lektioner{timen("7.b", "Kim", "A1", {0, 0}), timen("8.a", "Ole", "A2", {0, 3})};

    EXPECT_EQ(plan.HindringFor({"Ty", {0, 0}, 1, {"B1"}}, lektioner), Hindring::ingen);
    EXPECT_EQ(plan.HindringFor({"Fr", {0, 3}, 1, {"B2"}}, lektioner), Hindring::laererOptaget);
    EXPECT_EQ(plan.HindringFor({"Id", {0, 0}, 1, {"Hal"}}, lektioner), Hindring::holdOptaget)
        << "a one-class lesson takes its whole class";
    // The sport stands on Tuesday's third and fourth hours.
    EXPECT_EQ(plan.HindringFor({"Ty", {1, 3}, 1, {"B1"}}, lektioner), Hindring::holdOptaget);
    EXPECT_EQ(plan.HindringFor({"Ty", {1, 1}, 1, {"B1"}}, lektioner), Hindring::ingen);
    EXPECT_EQ(plan.HindringFor({"Ty", {1, 4}, 1, {"B1"}}, lektioner), Hindring::ingen);
    EXPECT_EQ(plan.HindringFor({"Fr", {1, 1}, 2, {"Hal"}}, lektioner), Hindring::intetLokale);

    plan.Placer({"Ty", {0, 1}, 1, {"B1"}});
    EXPECT_EQ(plan.HindringFor({"Fr", {0, 1}, 1, {"B2"}}, lektioner), Hindring::ingen) << "one division in parallel";
    EXPECT_EQ(plan.HindringFor({"Mø", {0, 1}, 1, {}}, lektioner), Hindring::laererOptaget);

    ASSERT_EQ(plan.Lektioner(SkemaArt::hold, "7.a").size(), 2u);
    EXPECT_EQ(plan.Lektioner(SkemaArt::hold, "7.a")[0].blok->aktivitet, "Ty") << "by day and hour";
    EXPECT_EQ(plan.Lektioner(SkemaArt::lokale, "Hal").size(), 1u);
    EXPECT_TRUE(plan.Lektioner(SkemaArt::laerer, "Kim").empty());
}

TEST(Aktivitetsplan, TheActivitiesShortOfHoursCountTheirPlacedBlocks)
{
    Aktivitetsplan plan = planen();
    plan.Placer({"Id", {1, 2}, 2, {"Hal"}});
    plan.Placer({"Ty", {0, 1}, 1, {"B1"}});
    std::vector<std::string> manglende;
    for (const ManglendeAktivitet& m : plan.Manglende())
        manglende.push_back(m.aktivitet->id + " " + std::to_string(m.placeret) + " " + std::to_string(m.mangler));
    EXPECT_EQ(manglende, (std::vector<std::string>{"Fr 0 1", "Mø 0 1", "Ty 1 2"}));
}
