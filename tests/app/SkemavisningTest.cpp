#include "app/Skemavisning.h"

#include <gtest/gtest.h>

TEST(Skemavisning, AbbreviationsCountCharactersNotBytes)
{
    EXPECT_EQ(Forkortet("Idræt", 4), "Idræ");
    EXPECT_EQ(Forkortet("æøåæø", 4), "æøåæ") << "never cut inside a Danish letter";
    EXPECT_EQ(Forkortet("Åse", 4), "Åse");
    EXPECT_EQ(Forkortet("", 4), "");
}

namespace {

LektionsData Lektion(const std::string& hold, const std::string& lokale, int32_t kolonne)
{
    LektionsData l;
    l.hold = hold;
    l.fag = "Idræt";
    l.laerer = "Gorm";
    l.lokale = lokale;
    l.kolonne = kolonne;
    return l;
}

} // namespace

TEST(Skemavisning, PlannedHoursFollowTheDemandsAndThePlacement)
{
    Skemabillede billede;
    billede.lokalerAfType = {{"Gymnastiksal", {"Gymsal", "Hallen"}}, {stamlokaleType, {"A1", "A2"}}};
    // Before a generation the planning lists' figure stands.
    EXPECT_EQ(PlanlagteTimer(billede, SkemaArt::lokale, "Gymsal", 12), 12);
    EXPECT_EQ(PlanlagteTimer(billede, SkemaArt::laerer, "Gorm", 7), 7);

    billede.krav = {{"1.a", "Idræt", "Gorm", "Gymnastiksal", "tom", 1, 5},
                    {"1.b", "Idræt", "Gorm", "Gymnastiksal", "tom", 1, 5},
                    {"1.a", "Dansk", "Anne", stamlokaleType, "A1", 1, 8}};
    for (int32_t dag = 0; dag < 5; ++dag)
        billede.lektioner.push_back(Lektion("1.a", "Gymsal", dag));
    billede.lektioner.push_back(Lektion("1.b", "Gymsal", 0));
    billede.lektioner.push_back(Lektion("1.b", "Gymsal", 1));
    // 7 of the type's 10 hours are placed, all in one hall: each hall gets half of the 3 missing, rounded up.
    EXPECT_EQ(PlanlagteTimer(billede, SkemaArt::lokale, "Gymsal", 5), 9);
    EXPECT_EQ(PlanlagteTimer(billede, SkemaArt::lokale, "Hallen", 5), 2);
    // A home room plans the hours its class is taught there; a room of no demand none.
    EXPECT_EQ(PlanlagteTimer(billede, SkemaArt::lokale, "A1", 25), 8);
    EXPECT_EQ(PlanlagteTimer(billede, SkemaArt::lokale, "A2", 25), 0);
    // A teacher plans every demand given to the teacher; a class keeps its required hours.
    EXPECT_EQ(PlanlagteTimer(billede, SkemaArt::laerer, "Gorm", 7), 10);
    EXPECT_EQ(PlanlagteTimer(billede, SkemaArt::hold, "1.a", 25), 25);

    // Lessons a home room holds of no demand there (its class's former room) are planned where they stand.
    billede.lektioner.push_back(Lektion("1.b", "A2", 2));
    billede.lektioner.push_back(Lektion("1.a", "A1", 3));
    EXPECT_EQ(PlanlagteTimer(billede, SkemaArt::lokale, "A2", 25), 1);
    EXPECT_EQ(PlanlagteTimer(billede, SkemaArt::lokale, "A1", 25), 9) << "1.a Idræt is no demand of A1";
}

TEST(Skemavisning, LessonsOfTheNewKindShowTheirGroupsSideBySideAndEveryClassOfAJoinedLesson)
{
    Aktivitetsplan plan;
    plan.enheder.TilfoejGruppe("7.a", "Sprog", "Tysk");
    plan.enheder.TilfoejGruppe("7.a", "Sprog", "Fransk");
    plan.TilfoejAktivitet({"Ty", "Tysk", 1, 1, {{"7.a", "Tysk"}}, {"Eva"}, {{1, {"B1"}}}});
    plan.TilfoejAktivitet({"Fr", "Fransk", 1, 1, {{"7.a", "Fransk"}}, {"Ole"}, {{1, {"B2"}}}});
    plan.TilfoejAktivitet({"Id", "Idræt", 2, 2, {{"7.a"}, {"7.b"}}, {"Bo", "Kim"}, {{1, {"Hal"}}, {2, {"Sal"}}}});
    plan.Placer({"Ty", {0, 1}, 1, {"B1"}});
    plan.Placer({"Fr", {0, 1}, 1, {"B2"}});
    plan.Placer({"Id", {1, 0}, 2, {"Hal", "Sal"}});

    const auto tekster = [&](SkemaArt art, const std::string& id) {
        std::vector<std::string> ud;
        for (const Aktivitetscelle& c : AktivitetsCeller(plan, art, id))
            ud.push_back(std::to_string(c.p.kolonne) + "," + std::to_string(c.p.raekke) + " " + c.tekst);
        return ud;
    };
    EXPECT_EQ(tekster(SkemaArt::hold, "7.a"),
              (std::vector<std::string>{"0,1 Tysk Eva / Fransk Ole", "1,0 Idræt Bo, Kim", "1,1 Idræt Bo, Kim"}));
    EXPECT_EQ(tekster(SkemaArt::hold, "7.b"), (std::vector<std::string>{"1,0 Idræt Bo, Kim", "1,1 Idræt Bo, Kim"}));
    EXPECT_EQ(tekster(SkemaArt::laerer, "Kim"),
              (std::vector<std::string>{"1,0 7.a, 7.b Idræt Hal, Sal", "1,1 7.a, 7.b Idræt Hal, Sal"}));
    EXPECT_EQ(tekster(SkemaArt::lokale, "B2"), (std::vector<std::string>{"0,1 7.a Fransk Ole"}));
    EXPECT_TRUE(tekster(SkemaArt::lokale, "Hal2").empty());
}
