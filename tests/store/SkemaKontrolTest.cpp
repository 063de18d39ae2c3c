#include "SkemaHjaelp.h"
#include "store/SkemaKontrol.h"
#include "support/TestModtager.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using skemahjaelp::BrugteTraekninger;
using skemahjaelp::Fund;
using skemahjaelp::Plan;

namespace {

const Plan plan{{"7a", "7b"}, {"AB", "CD"}, {"L1", "L2"}};

class SkemaKontrolTest : public ::testing::Test {
protected:
    explicit SkemaKontrolTest(int32_t dage = 5, int32_t timer = 8) : s(dage, timer) { plan.Opret(s); }

    std::vector<Fund> Alt() { return plan.Alt(s); }
    bool Har(const std::string& id, SkemaArt art, const std::string& fag, int32_t k, int32_t r)
    {
        for (const Fund& f : plan.Alt(s))
            if (f.art == Bogstav(art) && f.id == id && f.fag == fag && f.kolonne == k && f.raekke == r)
                return true;
        return false;
    }
    // The lesson sits in that cell of its class, teacher and room timetables.
    bool OveraltI(const std::string& fag, int32_t k, int32_t r)
    {
        int antal = 0;
        for (const Fund& f : plan.Alt(s))
            antal += f.art != 'p' && f.fag == fag && f.kolonne == k && f.raekke == r;
        return antal == 3;
    }

    SkemaKontrol s;
};

class SeksTimerPlan : public SkemaKontrolTest {
protected:
    SeksTimerPlan() : SkemaKontrolTest(5, 6) {}
};

} // namespace

TEST(SkemaKontrolDimensioner, OutOfRangeDimensionsBecomeTheLargestWeek)
{
    for (const auto& [d, t] :
         std::vector<std::pair<int32_t, int32_t>>{{maksDage + 1, 8}, {5, maksTimer + 1}, {-1, 4}, {3, -1}}) {
        SkemaKontrol s(d, t);
        EXPECT_EQ(s.Dage(), maksDage) << d << " " << t;
        EXPECT_EQ(s.Timer(), maksTimer) << d << " " << t;
    }
    SkemaKontrol s(3, 6);
    EXPECT_EQ(s.Dage(), 3);
    EXPECT_EQ(s.Timer(), 6);
    SkemaKontrol lang(6, 10);
    EXPECT_EQ(lang.Dage(), 6) << "a Saturday school";
    EXPECT_EQ(lang.Timer(), 10);
    s.SaetDimensioner(9, 20);
    EXPECT_EQ(s.Timer(), 20) << "replacement applies no bounds";
}

TEST_F(SkemaKontrolTest, SaetLektionPlacesOneHourInAllThreeTimetables)
{
    EXPECT_FALSE(s.SaetLektion("9z", "da", "AB", "L1", 1, 0, 0));
    EXPECT_FALSE(s.SaetLektion("7a", "da", "XY", "L1", 1, 0, 0));
    EXPECT_FALSE(s.SaetLektion("7a", "da", "AB", "L9", 1, 0, 0));
    EXPECT_TRUE(s.SaetLektion("7a", "da", "AB", "L1", 2, 4, 7));
    EXPECT_TRUE(OveraltI("da", 4, 7));
    EXPECT_EQ(s.AntalLektionerIalt(), 1) << "one hour, whatever blok says";
}

TEST_F(SkemaKontrolTest, SaetLektionRefusesPositionsOutsideTheGrid)
{
    for (const auto& [k, r] : std::vector<std::pair<int32_t, int32_t>>{{maksDage, 0}, {0, maksTimer}, {-1, 3}, {2, -1}})
        EXPECT_FALSE(s.SaetLektion("7a", "da", "AB", "L1", 1, k, r)) << k << "," << r;
    EXPECT_EQ(s.AntalLektionerIalt(), 0);
}

TEST_F(SkemaKontrolTest, SaetLektionRefusesAnOccupiedHourAndLogsIt)
{
    MedTestModtager m;
    ASSERT_TRUE(s.SaetLektion("7a", "da", "AB", "L1", 1, 0, 0));
    const auto foer = Alt();
    EXPECT_FALSE(s.SaetLektion("7a", "ma", "CD", "L2", 1, 0, 0)) << "class busy";
    EXPECT_FALSE(s.SaetLektion("7b", "ma", "AB", "L2", 1, 0, 0)) << "teacher busy";
    EXPECT_FALSE(s.SaetLektion("7b", "ma", "CD", "L1", 1, 0, 0)) << "room busy";
    std::vector<std::string> afvist;
    for (const std::string& linje : m.modtager.logLinjer)
        if (linje.starts_with("Lektion afvist"))
            afvist.push_back(linje);
    ASSERT_EQ(afvist.size(), 3u);
    EXPECT_EQ(afvist[0], "Lektion afvist, timen er optaget: hold 7a, fag ma, lærer CD, lokale L2, Mandag time 1");
    EXPECT_EQ(Alt(), foer);
    EXPECT_TRUE(s.SaetLektion("7b", "ma", "CD", "L2", 1, 0, 0)) << "nothing shared";
    int32_t antal = -1;
    for (const SkemaArt art : alleSkemaArter)
        EXPECT_TRUE(s.Kontroller(antal, art));
}

TEST(SkemaKontrolTraekninger, SaetLektionLooksUpAlsoWhenItRefuses)
{
    const Plan p{{"c", "a", "b"}, {"Z", "X", "Y"}, {"3", "1", "2"}};
    int brugt[2] = {};
    for (int i = 0; i < 2; ++i) {
        SkemaKontrol s(5, 8);
        p.Opret(s);
        s.SaetLektion("a", "da", "X", "1", 1, i == 0 ? 0 : 9, 0);
        brugt[i] = BrugteTraekninger();
    }
    EXPECT_GT(brugt[0], 0);
    EXPECT_EQ(brugt[0], brugt[1]) << "the refused lesson sorted the lists at the same moment";
}

TEST_F(SkemaKontrolTest, LessonsOutsideTheConfiguredPlanStillLoad)
{
    s.SaetDimensioner(3, 6);
    EXPECT_TRUE(s.SaetLektion("7a", "da", "AB", "L1", 1, 4, 7));
    EXPECT_FALSE(s.ErLedig("7a", SkemaArt::hold, 4, 7)) << "outside the plan";
    EXPECT_FALSE(s.HarFag("7a", "da", 4, 7));
    EXPECT_EQ(s.AntalLektioner("7a", SkemaArt::hold), 1);
}

TEST_F(SeksTimerPlan, PrioritiesOnlyInsideThePlanForKnownTeachers)
{
    EXPECT_TRUE(s.SaetPrioritet("AB", -3, 4, 5));
    EXPECT_TRUE(s.SaetPrioritet("AB", 3, 0, 0));
    EXPECT_FALSE(s.SaetPrioritet("AB", -3, 0, 6));
    EXPECT_FALSE(s.SaetPrioritet("AB", -4, 1, 1));
    EXPECT_FALSE(s.SaetPrioritet("XY", -3, 1, 1));
    EXPECT_EQ(s.AntalSpaerringer("AB"), 1);
    EXPECT_EQ(s.AntalSpaerringer("XY"), 0);
    EXPECT_TRUE(s.ErSpaerret("AB", 4, 5));
    EXPECT_FALSE(s.ErSpaerret("AB", 0, 0));
    EXPECT_FALSE(s.ErSpaerret("XY", 4, 5));
}

TEST_F(SkemaKontrolTest, HentLektionerLogsTeacherIdsAndAcceptsEmptyTimetables)
{
    MedTestModtager m;
    stack<LektionsData> lektioner;
    EXPECT_TRUE(s.HentLektioner("AB", lektioner, SkemaArt::laerer));
    EXPECT_TRUE(s.HentLektioner("7a", lektioner, SkemaArt::hold));
    EXPECT_FALSE(s.HentLektioner("XY", lektioner, SkemaArt::laerer));
    EXPECT_EQ(lektioner.antal(), 0);
    EXPECT_EQ(m.modtager.logLinjer, (std::vector<std::string>{"AB", "XY"}));
}

TEST_F(SkemaKontrolTest, CursorsWalkEveryTimetableOfAKind)
{
    s.SaetLektion("7b", "da", "CD", "L2", 1, 1, 2);
    s.SaetPrioritet("CD", -3, 0, 0);
    s.SaetPrioritet("CD", 2, 0, 1);
    stack<LektionsData> lektioner;
    s.NulstilMarkoer(SkemaArt::lokale);
    EXPECT_TRUE(s.HentNaesteLektioner(lektioner, SkemaArt::lokale));
    EXPECT_TRUE(s.HentNaesteLektioner(lektioner, SkemaArt::lokale));
    EXPECT_FALSE(s.HentNaesteLektioner(lektioner, SkemaArt::lokale));
    ASSERT_EQ(lektioner.antal(), 1);
    lektioner.pop();

    std::vector<std::string> navne;
    std::string navn;
    stack<PLektionsData> prioriteter;
    s.NulstilMarkoer(SkemaArt::laerer);
    while (s.HentNaestePrioriteter(prioriteter, navn))
        navne.push_back(navn);
    EXPECT_EQ(navne, (std::vector<std::string>{"AB", "CD"}));
    EXPECT_EQ(prioriteter.antal(), 2);
}

TEST_F(SkemaKontrolTest, RydSkemaerKeepsTimetablesAndPriorities)
{
    s.SaetLektion("7a", "da", "AB", "L1", 1, 0, 0);
    s.SaetPrioritet("AB", -3, 1, 1);
    s.RydSkemaer();
    EXPECT_EQ(s.AntalLektionerIalt(), 0);
    EXPECT_EQ(s.AntalLektioner("AB", SkemaArt::laerer), 0);
    EXPECT_EQ(s.AntalSpaerringer("AB"), 1);
    EXPECT_TRUE(s.SaetLektion("7a", "da", "AB", "L1", 1, 0, 0));
}

TEST_F(SeksTimerPlan, QuestionsAreAnsweredOnlyInsideThePlan)
{
    s.SaetLektion("7a", "da", "AB", "L1", 2, 0, 4);
    s.SaetLektion("7a", "da", "AB", "L1", 2, 0, 5);
    s.SaetLektion("7b", "ma", "CD", "L2", 2, 0, 6);
    s.SaetLektion("7b", "ma", "CD", "L2", 2, 0, 7);
    EXPECT_TRUE(s.ErLedig("7a", SkemaArt::hold, 0, 3));
    EXPECT_FALSE(s.ErLedig("7a", SkemaArt::hold, 0, 4));
    EXPECT_FALSE(s.ErLedig("7b", SkemaArt::hold, 0, 6)) << "outside the plan";
    EXPECT_FALSE(s.ErLedig("9z", SkemaArt::hold, 0, 3));
    EXPECT_TRUE(s.HarFag("7a", "da", 0, 5));
    EXPECT_FALSE(s.HarFag("7a", "ma", 0, 5));
    for (const SkemaArt art : alleSkemaArter)
        EXPECT_TRUE(s.ErDobbeltLektion(art == SkemaArt::hold     ? "7a"
                                       : art == SkemaArt::laerer ? "AB"
                                                                 : "L1",
                                       art, 0, 4));
    EXPECT_FALSE(s.ErDobbeltLektion("7a", SkemaArt::hold, 0, 5)) << "second hour";
    EXPECT_FALSE(s.ErDobbeltLektion("7b", SkemaArt::hold, 0, 6)) << "outside the plan";
}

TEST_F(SkemaKontrolTest, Figures)
{
    s.SaetLektion("7a", "da", "AB", "L1", 1, 0, 1);
    s.SaetLektion("7a", "ma", "AB", "L1", 1, 0, 4);
    s.SaetLektion("7a", "da", "AB", "L1", 1, 1, 2);
    s.SaetLektion("7b", "fy", "CD", "L2", 1, 1, 0);
    s.SaetLektion("7b", "fy", "CD", "L2", 1, 1, 2);
    EXPECT_EQ(s.AntalLektionerIalt(), 5);
    EXPECT_EQ(s.AntalMellemtimer(), 3);
    EXPECT_EQ(s.AntalLektioner("AB", SkemaArt::laerer), 3);
    EXPECT_EQ(s.AntalLektioner("9z", SkemaArt::hold), 0);
    EXPECT_EQ(s.AntalFag("7a", "da"), 2);
    EXPECT_EQ(s.AntalFag("9z", "da"), 0);
    EXPECT_NEAR(s.Spredning("7a", SkemaArt::hold), 47.1405, 1e-4);
    EXPECT_EQ(s.Spredning("9z", SkemaArt::hold), 0.0);
    int32_t antal = -1;
    for (const SkemaArt art : alleSkemaArter) {
        EXPECT_TRUE(s.Kontroller(antal, art));
        EXPECT_EQ(antal, 0);
    }
}

TEST_F(SeksTimerPlan, DoubleLessonMayNotEndAfterTheLastHour)
{
    s.SaetLektion("7a", "da", "AB", "L1", 2, 0, 0);
    s.SaetLektion("7a", "da", "AB", "L1", 2, 0, 1);
    const auto foer = Alt();
    EXPECT_FALSE(s.FlytLektion("7a", 2, SkemaArt::hold, {0, 0}, {1, 5}, Flytning::udfoer));
    EXPECT_EQ(Alt(), foer);
    EXPECT_TRUE(s.FlytLektion("7a", 2, SkemaArt::hold, {0, 0}, {1, 4}, Flytning::udfoer));
    EXPECT_TRUE(OveraltI("da", 1, 4));
    EXPECT_TRUE(OveraltI("da", 1, 5));
    EXPECT_EQ(s.AntalLektionerIalt(), 2);
}

TEST_F(SkemaKontrolTest, TestMoveLeavesEverythingAsItWas)
{
    s.SaetLektion("7a", "da", "AB", "L1", 1, 0, 0);
    s.SaetLektion("7a", "ma", "AB", "L2", 1, 1, 0);
    s.SaetLektion("7b", "fy", "CD", "L1", 1, 2, 0);
    const auto foer = Alt();
    EXPECT_TRUE(s.FlytLektion("7a", 1, SkemaArt::hold, {0, 0}, {3, 3}, Flytning::proev));
    EXPECT_TRUE(s.FlytLektion("AB", 1, SkemaArt::laerer, {0, 0}, {1, 0}, Flytning::proev)) << "a swap";
    EXPECT_FALSE(s.FlytLektion("7a", 1, SkemaArt::hold, {0, 0}, {2, 0}, Flytning::proev))
        << "the room is taken by another class";
    EXPECT_EQ(Alt(), foer);
}

TEST_F(SkemaKontrolTest, LessonsOfTheSameClassAndTeacherSwap)
{
    s.SaetLektion("7a", "da", "AB", "L1", 1, 0, 0);
    s.SaetLektion("7a", "ma", "AB", "L2", 1, 1, 3);
    EXPECT_TRUE(s.FlytLektion("7a", 1, SkemaArt::hold, {0, 0}, {1, 3}, Flytning::udfoer));
    EXPECT_TRUE(OveraltI("da", 1, 3));
    EXPECT_TRUE(OveraltI("ma", 0, 0));
    EXPECT_EQ(s.AntalLektionerIalt(), 2);
}

TEST_F(SkemaKontrolTest, LessonsSharingOnlyTheTeacherDoNotSwap)
{
    s.SaetLektion("7a", "da", "AB", "L1", 1, 0, 0);
    s.SaetLektion("7b", "ma", "AB", "L2", 1, 1, 3);
    const auto foer = Alt();
    EXPECT_FALSE(s.FlytLektion("7a", 1, SkemaArt::hold, {0, 0}, {1, 3}, Flytning::udfoer));
    EXPECT_EQ(Alt(), foer);
}

TEST_F(SkemaKontrolTest, GuardedMoveRespectsUnavailableHoursAndSubjectsOfTheDay)
{
    s.SaetLektion("7a", "da", "AB", "L1", 1, 0, 0);
    s.SaetLektion("7a", "da", "CD", "L2", 1, 2, 5);
    s.SaetPrioritet("AB", -3, 1, 1);
    const auto foer = Alt();
    EXPECT_FALSE(s.FlytLektion("7a", 1, SkemaArt::hold, {0, 0}, {1, 1}, Flytning::udfoer)) << "teacher unavailable";
    EXPECT_FALSE(s.FlytLektion("7a", 1, SkemaArt::hold, {0, 0}, {2, 1}, Flytning::udfoer))
        << "da is already on Wednesday";
    EXPECT_FALSE(s.FlytLektion("7a", 1, SkemaArt::hold, {0, 0}, {1, 1}, Flytning::proev, Regelvalg::Planens(false)))
        << "without spreading the teacher still cannot";
    EXPECT_TRUE(s.FlytLektion("7a", 1, SkemaArt::hold, {0, 0}, {2, 1}, Flytning::proev, Regelvalg::Planens(false)))
        << "a plan without spreading may have da twice on Wednesday";
    EXPECT_FALSE(s.FlytLektion("7b", 1, SkemaArt::hold, {0, 0}, {3, 1}, Flytning::udfoer)) << "not 7b's lesson";
    EXPECT_FALSE(s.FlytLektion("7a", 2, SkemaArt::hold, {0, 0}, {3, 1}, Flytning::udfoer)) << "not a double lesson";
    EXPECT_FALSE(s.FlytLektion("7a", 1, SkemaArt::hold, {0, 1}, {3, 1}, Flytning::udfoer)) << "nothing there";
    EXPECT_EQ(Alt(), foer);
    EXPECT_TRUE(s.FlytLektion("L1", 1, SkemaArt::lokale, {0, 0}, {3, 1}, Flytning::udfoer));
    EXPECT_TRUE(OveraltI("da", 3, 1));
}

TEST_F(SkemaKontrolTest, MovingALessonOntoItselfKeepsIt)
{
    s.SaetLektion("7a", "da", "AB", "L1", 1, 0, 0);
    s.SaetLektion("7a", "ma", "AB", "L1", 2, 1, 0);
    s.SaetLektion("7a", "ma", "AB", "L1", 2, 1, 1);
    const auto foer = Alt();
    for (const Flytning flytning : {Flytning::proev, Flytning::udfoer}) {
        EXPECT_TRUE(s.FlytLektion("7a", 1, SkemaArt::hold, {0, 0}, {0, 0}, flytning));
        s.FlytLektion("7a", 2, SkemaArt::hold, {1, 0}, {1, 0}, flytning);
        s.TvingFlyt("7a", SkemaArt::hold, {0, 0}, {0, 0});
        s.TvingFlyt("7a", SkemaArt::hold, {1, 0}, {1, 0});
        EXPECT_EQ(Alt(), foer);
    }
}

TEST_F(SkemaKontrolTest, DoubleLessonMovedUpOneHourKeepsBothHours)
{
    s.SaetLektion("7a", "da", "AB", "L1", 2, 0, 1);
    s.SaetLektion("7a", "da", "AB", "L1", 2, 0, 2);
    ASSERT_TRUE(s.FlytLektion("7a", 2, SkemaArt::hold, {0, 1}, {0, 0}, Flytning::proev));
    s.TvingFlyt("7a", SkemaArt::hold, {0, 1}, {0, 0});
    EXPECT_TRUE(OveraltI("da", 0, 0));
    EXPECT_TRUE(OveraltI("da", 0, 1));
    EXPECT_EQ(s.AntalLektionerIalt(), 2);
    EXPECT_TRUE(s.ErDobbeltLektion("AB", SkemaArt::laerer, 0, 0));

    ASSERT_TRUE(s.FlytLektion("7a", 2, SkemaArt::hold, {0, 0}, {0, 3}, Flytning::proev));
    s.TvingFlyt("7a", SkemaArt::hold, {0, 0}, {0, 3});
    EXPECT_TRUE(OveraltI("da", 0, 3));
    EXPECT_TRUE(OveraltI("da", 0, 4));
    EXPECT_EQ(s.AntalLektionerIalt(), 2);
}

TEST_F(SkemaKontrolTest, ForcedMoveAndSwapAfterATest)
{
    s.SaetLektion("7a", "da", "AB", "L1", 1, 0, 0);
    s.SaetLektion("7a", "ma", "AB", "L2", 1, 1, 3);
    s.SaetLektion("7b", "fy", "CD", "L2", 1, 2, 2);
    ASSERT_TRUE(s.FlytLektion("AB", 1, SkemaArt::laerer, {0, 0}, {1, 3}, Flytning::proev));
    s.TvingFlyt("AB", SkemaArt::laerer, {0, 0}, {1, 3});
    EXPECT_TRUE(OveraltI("da", 1, 3));
    EXPECT_TRUE(OveraltI("ma", 0, 0));
    ASSERT_TRUE(s.FlytLektion("L2", 1, SkemaArt::lokale, {2, 2}, {4, 7}, Flytning::proev));
    s.TvingFlyt("L2", SkemaArt::lokale, {2, 2}, {4, 7});
    EXPECT_TRUE(OveraltI("fy", 4, 7));
    EXPECT_EQ(s.AntalLektionerIalt(), 3);
}

TEST_F(SkemaKontrolTest, ForcedMoveNeverOverwritesNorLeavesTheGrid)
{
    s.SaetLektion("7a", "da", "AB", "L1", 1, 0, 0);
    s.SaetLektion("7a", "ma", "CD", "L2", 1, 1, 0);
    const auto foer = Alt();
    s.TvingFlyt("7a", SkemaArt::hold, {0, 0}, {1, 0}) /* untested: only the class is shared */;
    s.TvingFlyt("7a", SkemaArt::hold, {0, 0}, {maksDage, 0});
    s.TvingFlyt("7a", SkemaArt::hold, {0, 0}, {0, maksTimer});
    s.TvingFlyt("7a", SkemaArt::hold, {0, -1}, {0, 0});
    s.TvingFlyt("9z", SkemaArt::hold, {0, 0}, {2, 0});
    EXPECT_EQ(Alt(), foer);
}
