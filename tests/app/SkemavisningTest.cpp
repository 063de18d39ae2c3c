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
