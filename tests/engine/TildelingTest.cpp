#include "Planlister.h"

#include "support/TestModtager.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

using K = KontrolListe;

const std::string lokaleSpoergsmaal =
    "Ikke alle hold har fået tildelt et fast lokale\n ønskes en randomiseret tildeling?";
const std::string laererSpoergsmaal =
    "Ikke alle hold har fået tildelt en fast lærer i alle fag\n ønskes en randomiseret tildeling?";

std::string tekst(KontrolListe& k, KontrolListe::ListeNr liste, int32_t i, int32_t felt)
{
    return k.Liste(liste).element[i].tekst[felt];
}

} // namespace

TEST(TildelStamlokaler, NothingToDoAsksNothing)
{
    MedTestModtager m;
    Planlister p;
    p.Tilfoej(K::holdLokaleListe, {"1a", "S1"});
    EXPECT_TRUE(p.k->TildelStamlokaler());
    p.Tilfoej(K::holdLaererListe, {"1a", "da", "AB"});
    EXPECT_TRUE(p.k->TildelLaerere());
    EXPECT_TRUE(m.modtager.bokse.empty());
}

TEST(TildelStamlokaler, FreeRoomGoesToAClassAndTooFewRoomsFail)
{
    MedTestModtager m;
    m.modtager.svar = {true};
    Planlister p;
    p.Tilfoej(K::holdListe, {"1a"}, {28});
    p.Tilfoej(K::holdListe, {"1b"}, {30});
    p.Tilfoej(K::holdListe, {"1c"}, {26});
    p.Tilfoej(K::holdListe, {"2a"}, {32});
    p.Tilfoej(K::lokaleListe, {"L1", "Lab"});
    p.Tilfoej(K::lokaleListe, {"S1", "Stamlokale"}, {32});
    p.Tilfoej(K::lokaleListe, {"S2", "Stamlokale"}, {0});
    p.Tilfoej(K::holdLokaleListe, {"1a", "tom"});
    p.Tilfoej(K::holdLokaleListe, {"1b", "tom"});
    p.Tilfoej(K::holdLokaleListe, {"1c", "tom"});
    p.Tilfoej(K::holdLokaleListe, {"2a", "S1"});

    EXPECT_FALSE(p.k->TildelStamlokaler());
    ASSERT_EQ(m.modtager.bokse.size(), 2u) << "the rooms running out is told";
    EXPECT_EQ(m.modtager.bokse[0].tekst, lokaleSpoergsmaal);
    EXPECT_EQ(m.modtager.bokse[0].titel, "Accept af handling!");
    EXPECT_EQ(m.modtager.bokse[1].tekst.rfind("Der er ikke ledige stamlokaler nok: 2 hold", 0), 0u)
        << m.modtager.bokse[1].tekst;

    // The gather leaves the roomless classes in place; the first one gets S2.
    EXPECT_EQ(tekst(*p.k, K::holdLokaleListe, 0, 0), "1a");
    EXPECT_EQ(tekst(*p.k, K::holdLokaleListe, 0, 1), "S2");
    EXPECT_EQ(tekst(*p.k, K::holdLokaleListe, 1, 1), "tom");
    EXPECT_EQ(tekst(*p.k, K::holdLokaleListe, 2, 1), "tom");
    EXPECT_EQ(p.Find(K::lokaleListe, "S2")->heltal[0], 28) << "the room expects its class's hours";
}

TEST(TildelStamlokaler, CancelOrNoHomeRoomsStop)
{
    MedTestModtager m;
    Planlister p;
    p.Tilfoej(K::lokaleListe, {"L1", "Lab"});
    p.Tilfoej(K::holdLokaleListe, {"1a", "tom"});
    EXPECT_FALSE(p.k->TildelStamlokaler()) << "Cancel";
    EXPECT_EQ(tekst(*p.k, K::holdLokaleListe, 0, 1), "tom");
    ASSERT_EQ(m.modtager.bokse.size(), 1u);

    m.modtager.svar = {true};
    EXPECT_FALSE(p.k->TildelStamlokaler());
    ASSERT_EQ(m.modtager.bokse.size(), 3u);
    EXPECT_EQ(m.modtager.bokse[2].art, "fejl");
    EXPECT_EQ(m.modtager.bokse[2].tekst, "Fejl: Der er ikke nok ledige stamlokaler");
    EXPECT_EQ(m.modtager.bokse[2].titel, "Genereringen er stoppet!");
}

TEST(TildelLaerere, RowsAreServedFromTheEndOfTheGatheredBlock)
{
    MedTestModtager m;
    m.modtager.svar = {true};
    Planlister p;
    p.Tilfoej(K::fagprofilListe, {"AB", "da"}, {2});
    p.Tilfoej(K::fagprofilListe, {"CD", "ty"}, {0});
    p.Tilfoej(K::holdLaererListe, {"1a", "da", "tom"});
    p.Tilfoej(K::holdLaererListe, {"1b", "da", "tom"});
    p.Tilfoej(K::holdLaererListe, {"1c", "da", "tom"});
    p.Tilfoej(K::holdLaererListe, {"1c", "bi", "tom"});

    EXPECT_FALSE(p.k->TildelLaerere()) << "profiles exist for da, but none has room left for one row";
    ASSERT_EQ(m.modtager.bokse.size(), 2u);
    EXPECT_EQ(m.modtager.bokse[0].tekst, laererSpoergsmaal);
    EXPECT_NE(m.modtager.bokse[1].tekst.find("1 hold og fag har stadig ingen lærer (1a da)"), std::string::npos)
        << m.modtager.bokse[1].tekst;
    EXPECT_EQ(tekst(*p.k, K::holdLaererListe, 0, 2), "tom");
    EXPECT_EQ(tekst(*p.k, K::holdLaererListe, 1, 2), "AB");
    EXPECT_EQ(tekst(*p.k, K::holdLaererListe, 2, 2), "AB");
    EXPECT_EQ(tekst(*p.k, K::holdLaererListe, 3, 2), "tom") << "no profile for bi: stays open";
    EXPECT_EQ(p.Find(K::fagprofilListe, "AB")->heltal[0], 0);
}

TEST(TildelLaerere, SubjectsWithoutProfilesDoNotFailAndCancelChangesNothing)
{
    MedTestModtager m;
    Planlister p;
    p.Tilfoej(K::fagprofilListe, {"AB", "da"}, {1});
    p.Tilfoej(K::holdLaererListe, {"1a", "bi", "tom"});
    p.Tilfoej(K::holdLaererListe, {"1a", "da", "tom"});
    EXPECT_FALSE(p.k->TildelLaerere()) << "Cancel";
    EXPECT_EQ(tekst(*p.k, K::holdLaererListe, 1, 2), "tom");

    m.modtager.svar = {true};
    EXPECT_TRUE(p.k->TildelLaerere());
    EXPECT_EQ(tekst(*p.k, K::holdLaererListe, 0, 2), "tom");
    EXPECT_EQ(tekst(*p.k, K::holdLaererListe, 1, 2), "AB");
}

TEST(TildelLaerere, RowsThatAlreadyNameTheTeacherCountAgainstHerProfile)
{
    MedTestModtager m;
    m.modtager.svar = {true};
    Planlister p;
    p.Tilfoej(K::fagprofilListe, {"AB", "da"}, {2});
    p.Tilfoej(K::fagprofilListe, {"CD", "da"}, {1});
    p.Tilfoej(K::fagprofilListe, {"CD", "ty"}, {3});
    p.Tilfoej(K::holdLaererListe, {"1a", "da", "AB"});
    p.Tilfoej(K::holdLaererListe, {"1b", "ty", "CD"}); // another subject: takes nothing from CD's da
    p.Tilfoej(K::holdLaererListe, {"1c", "da", "tom"});
    p.Tilfoej(K::holdLaererListe, {"1d", "da", "tom"});

    EXPECT_TRUE(p.k->TildelLaerere());
    std::map<std::string, std::string> laerer;
    for (int32_t i = 0; i < 4; ++i)
        laerer[tekst(*p.k, K::holdLaererListe, i, 0)] = tekst(*p.k, K::holdLaererListe, i, 2);
    EXPECT_EQ(std::multiset<std::string>({laerer["1c"], laerer["1d"]}), std::multiset<std::string>({"AB", "CD"}))
        << "AB has room for one class more, CD for one";
    EXPECT_EQ(p.Find(K::fagprofilListe, "AB")->heltal[0], 0);

    // More rows name her than her profile allows: none left, never below none.
    Planlister q;
    q.Tilfoej(K::fagprofilListe, {"AB", "da"}, {1});
    q.Tilfoej(K::holdLaererListe, {"1a", "da", "AB"});
    q.Tilfoej(K::holdLaererListe, {"1b", "da", "AB"});
    q.Tilfoej(K::holdLaererListe, {"1c", "da", "tom"});
    m.modtager.svar = {true};
    EXPECT_FALSE(q.k->TildelLaerere());
    EXPECT_EQ(q.Find(K::fagprofilListe, "AB")->heltal[0], 0);
}

TEST(TildelLaerere, AClassIsChargedOnceAndASplitAllowanceRowByRow)
{
    MedTestModtager m;
    m.modtager.svar = {true};
    Planlister p;
    // AB may take three classes in da, written as two profile rows; she has 1a, named twice.
    p.Tilfoej(K::fagprofilListe, {"AB", "da"}, {1});
    p.Tilfoej(K::fagprofilListe, {"AB", "da"}, {2});
    p.Tilfoej(K::holdLaererListe, {"1a", "da", "AB"});
    p.Tilfoej(K::holdLaererListe, {"1a", "da", "AB"});
    p.Tilfoej(K::holdLaererListe, {"1b", "da", "tom"});
    p.Tilfoej(K::holdLaererListe, {"1c", "da", "tom"});

    EXPECT_TRUE(p.k->TildelLaerere()) << (m.modtager.bokse.empty() ? "" : m.modtager.bokse.back().tekst);
    for (int32_t i = 0; i < 4; ++i)
        EXPECT_EQ(tekst(*p.k, K::holdLaererListe, i, 2), "AB") << tekst(*p.k, K::holdLaererListe, i, 0);
    int32_t rest = 0;
    for (int32_t i = 0; i < p.k->Liste(K::fagprofilListe).antal; ++i) {
        EXPECT_GE(p.k->Liste(K::fagprofilListe).element[i].heltal[0], 0);
        rest += p.k->Liste(K::fagprofilListe).element[i].heltal[0];
    }
    EXPECT_EQ(rest, 0);
}
