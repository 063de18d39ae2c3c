#include "store/SListe.h"
#include "store/Skema.h"
#include "store/Stack.h"
#include "support/TestModtager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Trio {
    hold_skema hold{"7a"};
    laerer_skema laerer{"AB"};
    lokale_skema lokale{"L1"};

    void Saet(const std::string& fag, int32_t k, int32_t r, int32_t blok = 1)
    {
        Placer(lektion("7a", fag, "AB", "L1", blok), hold, laerer, lokale, k, r);
    }
};

} // namespace

TEST(Gitter, PlacedLessonIsSharedByItsThreeGridsAndCopiedOut)
{
    Trio t;
    t.Saet("da", 2, 3);
    lektion ud;
    ASSERT_TRUE(t.laerer.KopierLektion(2, 3, ud));
    EXPECT_EQ(ud, lektion("7a", "da", "AB", "L1", 1));
    EXPECT_TRUE(t.lokale.Matcher(ud, 2, 3));
    EXPECT_FALSE(t.hold.Matcher(lektion("7a", "da", "AB", "L1", 2), 2, 3)) << "blok is part of the match";

    lektion uaendret("x", "x", "x", "x", 9);
    EXPECT_FALSE(t.hold.KopierLektion(2, 4, uaendret));
    EXPECT_EQ(uaendret.blok, 9) << "an empty cell leaves the caller's lesson alone";

    t.hold.Fjern(2, 3);
    EXPECT_TRUE(t.hold.ErTom(2, 3));
    EXPECT_FALSE(t.laerer.ErTom(2, 3)) << "removing from one grid leaves the others";
}

TEST(Gitter, PositionsOutsideTheGridHoldAndTakeNothing)
{
    Trio t;
    for (const auto& [k, r] :
         std::vector<std::pair<int32_t, int32_t>>{{maksDage, 0}, {0, maksTimer}, {-1, 0}, {0, -1}}) {
        t.Saet("da", k, r);
        EXPECT_FALSE(t.hold.ErTom(k, r)) << "there is no free cell there";
        EXPECT_FALSE(t.laerer.SaetPrioritet(1, k, r));
    }
    EXPECT_EQ(t.hold.AntalLektioner(), 0);
    constexpr int32_t sidste = maksTimer - 1;
    t.Saet("da", 0, sidste);
    t.hold.Flyt(0, sidste, 0, maksTimer);
    t.hold.Ombyt(0, sidste, maksDage, sidste);
    EXPECT_FALSE(t.hold.ErTom(0, sidste));
    EXPECT_FALSE(t.hold.ErDobbeltLektion(0, sidste)) << "the last hour has no following hour";
}

TEST(Gitter, ExchangeMoveAndMoveOntoItself)
{
    Trio t;
    t.Saet("da", 0, 0);
    t.Saet("ma", 1, 1);
    t.hold.Ombyt(0, 0, 1, 1);
    EXPECT_TRUE(t.hold.HarFag("ma", 0, 0));
    EXPECT_TRUE(t.hold.HarFag("da", 1, 1));
    t.hold.Flyt(0, 0, 1, 1);
    EXPECT_TRUE(t.hold.ErTom(0, 0));
    EXPECT_TRUE(t.hold.HarFag("ma", 1, 1));
    t.hold.Flyt(1, 1, 1, 1);
    EXPECT_TRUE(t.hold.HarFag("ma", 1, 1)) << "a cell moved onto itself keeps its lesson";
}

TEST(Gitter, SubjectQueriesAndDoubleLessons)
{
    Trio t;
    t.Saet("fy", 3, 7); // beyond any plan's configured hours, still found
    t.Saet("da", 1, 2, 2);
    t.Saet("da", 1, 3, 2);
    t.Saet("ma", 2, 2, 2);
    t.Saet("en", 2, 3, 2);
    t.Saet("ty", 4, 0, 2);

    int32_t r = -1;
    EXPECT_TRUE(t.hold.FagPaaDag(lektion("x", "fy", "x", "x", 1), 3, r));
    EXPECT_EQ(r, 7);
    EXPECT_FALSE(t.hold.FagPaaDag(lektion("x", "fy", "x", "x", 1), 2, r));
    EXPECT_EQ(t.hold.AntalFag("da"), 2);
    EXPECT_TRUE(t.hold.ErDobbeltLektion(1, 2));
    EXPECT_FALSE(t.hold.ErDobbeltLektion(1, 3)) << "the next hour is empty";
    EXPECT_FALSE(t.hold.ErDobbeltLektion(2, 2)) << "blok 2 but different subjects";
    EXPECT_FALSE(t.hold.ErDobbeltLektion(4, 0)) << "only the first hour is occupied";
}

TEST(Gitter, TeacherPrioritiesAndAdmission)
{
    laerer_skema l("AB");
    EXPECT_TRUE(l.SaetPrioritet(3, 0, 0));
    EXPECT_TRUE(l.SaetPrioritet(-3, 4, 7));
    EXPECT_FALSE(l.SaetPrioritet(4, 1, 1));
    EXPECT_FALSE(l.SaetPrioritet(-4, 1, 1));
    EXPECT_EQ(l.Prioritet(1, 1), 0);
    EXPECT_EQ(l.AntalSpaerringer(), 1);
    EXPECT_EQ(l.Prioritet(4, 7), utilgaengelig);

    stack<PLektionsData> p;
    l.SamlPrioriteter(p);
    ASSERT_EQ(p.antal(), 2);
    const PLektionsData sidst = p.pop();
    const PLektionsData foerst = p.pop();
    EXPECT_EQ(sidst.prioritet, -3);
    EXPECT_EQ(sidst.kolonne, 4);
    EXPECT_EQ(foerst.prioritet, 3);
    EXPECT_EQ(foerst.raekke, 0);
}

TEST(Gitter, CollectedLessonsPopDayByDayHourByHour)
{
    Trio t;
    stack<LektionsData> s;
    EXPECT_FALSE(t.hold.SamlLektioner(s));
    t.Saet("ma", 3, 0);
    t.Saet("da", 0, 2);
    EXPECT_TRUE(t.hold.SamlLektioner(s));
    const LektionsData a = s.pop();
    const LektionsData b = s.pop();
    EXPECT_EQ(a.kolonne, 0);
    EXPECT_EQ(a.raekke, 2);
    EXPECT_EQ(a.fag, "da");
    EXPECT_EQ(b.kolonne, 3);
    EXPECT_EQ(b.raekke, 0);
    EXPECT_EQ(b.lokale, "L1");
}

TEST(Gitter, GapHoursAndLastOccupiedRow)
{
    Trio t;
    EXPECT_EQ(t.hold.Mellemtimer(), 0);
    t.Saet("a", 0, 1);
    t.Saet("b", 0, 4);
    t.Saet("a", 1, 2);
    t.Saet("b", 1, 6);
    t.Saet("a", 2, 5);
    EXPECT_EQ(t.hold.Mellemtimer(), 5) << "2 on Monday, 3 on Tuesday, none on a single-lesson day";
    EXPECT_EQ(t.hold.SidsteOptagneRaekke(1), 6);
    EXPECT_EQ(t.hold.SidsteOptagneRaekke(3), -1);
}

TEST(Gitter, DayLengthSpread)
{
    Trio t;
    EXPECT_DOUBLE_EQ(t.hold.Spredning(), 0.0);
    t.Saet("a", 2, 4);
    EXPECT_DOUBLE_EQ(t.hold.Spredning(), 0.0) << "one day has no spread";
    t.hold.TomAlle();
    t.Saet("a", 0, 3);
    t.Saet("a", 1, 5);
    EXPECT_NEAR(t.hold.Spredning(), 35.3553, 1e-4);
    t.hold.TomAlle();
    t.Saet("a", 0, 0);
    t.Saet("a", 1, 0);
    EXPECT_DOUBLE_EQ(t.hold.Spredning(), 0.0) << "a mean of 0 gives 0";
}

TEST(Gitter, OrderedByNameAndCopiesShareTheLessons)
{
    EXPECT_LT(hold_skema("B"), hold_skema("a")) << "byte order";
    EXPECT_GT(hold_skema("\xC3\x98"), hold_skema("z")) << "UTF-8 letters after ASCII";
    EXPECT_EQ(laerer_skema("AB"), laerer_skema("AB"));
    EXPECT_LE(lokale_skema("A"), lokale_skema("A"));

    Trio t;
    t.laerer.SaetPrioritet(-3, 1, 1);
    t.Saet("da", 0, 0);
    {
        hold_skema kopi;
        kopi = t.hold;
        laerer_skema laererKopi;
        laererKopi = t.laerer;
        EXPECT_EQ(kopi.navn, "7a");
        EXPECT_TRUE(kopi.HarFag("da", 0, 0));
        EXPECT_EQ(laererKopi.AntalSpaerringer(), 1);
    }
    lektion ud;
    EXPECT_TRUE(t.hold.KopierLektion(0, 0, ud)) << "destroying the copy freed nothing";
    EXPECT_EQ(ud.fag, "da");
}

TEST(SListe, RefusesTheHundredAndFirstSample)
{
    SListe s;
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(s.Tilfoej(1.0));
    MedTestModtager m;
    EXPECT_FALSE(s.Tilfoej(1.0));
    EXPECT_EQ(m.modtager.sporTekst, "\nSListen er fyldt");
    EXPECT_EQ(s.Antal(), 100);
    s.Nulstil();
    EXPECT_DOUBLE_EQ(s.Variationskoefficient(), 0.0);
}

TEST(Stak, HandingOverMovesEveryElementOnceAndAnEmptyPopIsTraced)
{
    stack<std::string> a;
    a.push("1a");
    a.push("1b");
    stack<std::string> b(std::move(a));
    EXPECT_TRUE(a.tom()); // NOLINT(bugprone-use-after-move): the state it leaves is tested
    stack<std::string> c;
    c.push("gammel");
    c = std::move(b);
    EXPECT_TRUE(b.tom()); // NOLINT(bugprone-use-after-move): the state it leaves is tested
    ASSERT_EQ(c.antal(), 2);
    EXPECT_EQ(c.pop(), "1b");
    EXPECT_EQ(c.pop(), "1a");
    MedTestModtager m;
    EXPECT_EQ(c.pop(), "");
    EXPECT_EQ(m.modtager.sporTekst, "\nstacken er tom (man kan ikke poppe noget der ikke er der!)");
}
