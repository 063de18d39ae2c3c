#include "AabenPlan.h"
#include "Planlister.h"

#include "support/MidlertidigMappe.h"
#include "support/TestDatabase.h"
#include "support/TestModtager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>

namespace {

using K = KontrolListe;

data* find(KontrolListe& k, KontrolListe::ListeNr liste, const std::string& id)
{
    Klyngeliste<data>& l = k.Liste(liste);
    for (int32_t i = 0; i < l.antal; ++i)
        if (l.element[i].tekst[0] == id)
            return &l.element[i];
    return nullptr;
}

bool sorteret(KontrolListe& k, KontrolListe::ListeNr liste, int32_t tekst)
{
    const Klyngeliste<data>& l = k.Liste(liste);
    for (int32_t i = 1; i < l.antal; ++i)
        if (l.element[i - 1].tekst[tekst] > l.element[i].tekst[tekst])
            return false;
    return true;
}

class IndlaesningTest : public DatabaseTest {
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(p.Aabn("Plan2026"));
    }
    AabenPlan p;
};

} // namespace

TEST_F(IndlaesningTest, OpeningLoadsTheOpenPlansListsWithDerivedRoomLoads)
{
    KontrolListe& k = *p.k;
    EXPECT_EQ(k.Liste(K::holdLokaleListe).antal, 12) << "only the open plan's home rooms";
    EXPECT_TRUE(sorteret(k, K::holdListe, 0));
    EXPECT_TRUE(sorteret(k, K::lokaleListe, 0));
    EXPECT_TRUE(sorteret(k, K::holdLokaleListe, 1));
    EXPECT_EQ(find(k, K::holdListe, "3.a"), nullptr) << "3.a is not in this plan's distribution";
    ASSERT_NE(find(k, K::holdListe, "1.a"), nullptr);
    EXPECT_EQ(find(k, K::holdListe, "1.a")->heltal[0], 25);

    const data* a1 = find(k, K::lokaleListe, "A1");
    ASSERT_NE(a1, nullptr);
    EXPECT_EQ(a1->tekst[1], "Stamlokale");
    EXPECT_EQ(a1->heltal[0], 25) << "a home room expects its class's hours";
    EXPECT_EQ(a1->ben[0], nullptr);
    EXPECT_EQ(find(k, K::lokaleListe, "B5")->heltal[0], 0) << "a home room without a class";
    EXPECT_EQ(find(k, K::lokaleListe, "Biblioteket"), nullptr) << "not in this plan";

    const data* gymsal = find(k, K::lokaleListe, "Gymsal");
    const data* type = find(k, K::lokaletypeListe, "Gymnastiksal");
    ASSERT_NE(gymsal, nullptr);
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(gymsal->ben[0], type);
    EXPECT_EQ(type->heltal[0], 2);
    EXPECT_GT(type->heltal[1], 0);
    EXPECT_EQ(gymsal->heltal[0], type->heltal[1] / 2);
    EXPECT_EQ(find(k, K::lokaletypeListe, "Stamlokale"), nullptr);
}

TEST_F(IndlaesningTest, LessonsComeOncePerClassAndSubjectWithTheirLinks)
{
    KontrolListe& k = *p.k;
    k.IndlaesListe(K::holdLaererListe);
    k.IndlaesListe(K::fagprofilListe);
    k.IndlaesListe(K::laeggeListe);
    const Klyngeliste<data>& lektioner = k.Liste(K::laeggeListe);
    ASSERT_GT(lektioner.antal, 0);

    std::set<std::string> par;
    for (int32_t i = 0; i < lektioner.antal; ++i) {
        const data& l = lektioner.element[i];
        EXPECT_TRUE(par.insert(l.tekst[0] + "/" + l.tekst[1]).second)
            << l.tekst[0] << " " << l.tekst[1] << ": the class has home-room rows in two plans";
        EXPECT_EQ(l.ben[K::benHold], find(k, K::holdListe, l.tekst[0]));
        EXPECT_NE(l.ben[K::benFag], nullptr);
        EXPECT_EQ(l.heltal[2], 0);
        if (l.tekst[3] == "Stamlokale") {
            EXPECT_EQ(l.ben[K::benLokaletype], nullptr);
            if (l.tekst[0] != "9.a") {
                EXPECT_EQ(l.ben[K::benLokale], find(k, K::lokaleListe, l.tekst[4]));
            }
        } else {
            EXPECT_EQ(l.tekst[4], "tom");
            EXPECT_EQ(l.ben[K::benLokale], nullptr);
            EXPECT_NE(l.ben[K::benLokaletype], nullptr) << l.tekst[3];
        }
    }
    EXPECT_EQ(static_cast<int32_t>(par.size()), k.Liste(K::holdLaererListe).antal);
    EXPECT_GT(k.SumTimer(), 0);
}

TEST(IndlaesningFil, EveryRowLoadsBeyondTheOldLimit)
{
    MidlertidigMappe mappe;
    {
        std::ofstream fil("LokaleHoldRelationListe.txt");
        for (int32_t i = 0; i < 1500; ++i)
            fil << "H" << 1000 + i << " S" << i << "\n";
    }
    Planlister stor;
    MedTestModtager m;
    stor.k->IndlaesListe(K::holdLokaleListe);
    EXPECT_EQ(m.modtager.sporTekst, "");
    EXPECT_EQ(stor.k->Liste(K::holdLokaleListe).antal, 1500);
    EXPECT_EQ(stor.k->Liste(K::holdLokaleListe).element[1499].tekst[1], "S1499");
}

TEST(IndlaesningFil, RoomTypesTakeTheirHoursFromTheSecondFile)
{
    MidlertidigMappe mappe;
    std::ofstream("LokaleTypeListe1.txt") << "Lab 2\nSal 1\n";
    std::ofstream("LokaleTypeListe2.txt") << "Sal 6\nVaerksted 4\n";
    std::ofstream("LokaleListe.txt") << "L1 Lab\nL2 Lab\nS1 Sal\nX1 Vaerksted\n";
    Planlister p;
    p.k->IndlaesListe(K::lokaletypeListe);
    p.k->IndlaesListe(K::lokaleListe);
    EXPECT_EQ(p.Find(K::lokaletypeListe, "Lab")->heltal[1], -1) << "no hours needed in the type";
    EXPECT_EQ(p.Find(K::lokaletypeListe, "Sal")->heltal[1], 6);
    EXPECT_EQ(p.Find(K::lokaleListe, "L1")->heltal[0], 0) << "-1 hours shared by two rooms";
    EXPECT_EQ(p.Find(K::lokaleListe, "S1")->heltal[0], 6);
    EXPECT_EQ(p.Find(K::lokaleListe, "X1")->heltal[0], 0) << "a type without rooms in the plan";
    EXPECT_EQ(p.Find(K::lokaleListe, "X1")->ben[0], nullptr);
}

// Under write protection the lessons read the relations as the fixed
// assignment completed them in memory, as if they had been written.
TEST(IndlaesningFil, WriteProtectedLessonsTakeCompletedRelationsFromMemory)
{
    MidlertidigMappe mappe;
    std::ofstream("LaeggeListe.txt") << "1a da AB Stamlokale tom 1\n"
                                        "1a da tom Stamlokale tom 1\n"
                                        "1a fy tom Lab tom 2\n"
                                        "1b da tom Stamlokale S2 1\n";
    auto indlaes = [](Planlister& p, bool beskyttet) {
        p.Tilfoej(K::holdLokaleListe, {"1a", "S1"});
        p.Tilfoej(K::holdLokaleListe, {"1b", "S2"});
        p.Tilfoej(K::holdLaererListe, {"1a", "da", "CD"});
        p.Tilfoej(K::holdLaererListe, {"1a", "da", "AB"});
        p.Tilfoej(K::holdLaererListe, {"1a", "fy", "EF"});
        p.Tilfoej(K::holdLaererListe, {"1b", "da", "tom"});
        p.k->SaetSkrivebeskyttet(beskyttet);
        p.k->IndlaesListe(K::laeggeListe);
    };
    auto raekke = [](Planlister& p, int32_t i) {
        const data& l = p.k->Liste(K::laeggeListe).element[i];
        return l.tekst[0] + " " + l.tekst[1] + " " + l.tekst[2] + " " + l.tekst[3] + " " + l.tekst[4];
    };

    Planlister beskyttet;
    indlaes(beskyttet, true);
    ASSERT_EQ(beskyttet.k->Liste(K::laeggeListe).antal, 3) << "the second row became a copy of the first";
    EXPECT_EQ(raekke(beskyttet, 0), "1a da AB Stamlokale S1");
    EXPECT_EQ(raekke(beskyttet, 1), "1a fy EF Lab tom");
    EXPECT_EQ(raekke(beskyttet, 2), "1b da tom Stamlokale S2") << "still open in memory too";

    Planlister skrivbar;
    indlaes(skrivbar, false);
    ASSERT_EQ(skrivbar.k->Liste(K::laeggeListe).antal, 4);
    EXPECT_EQ(raekke(skrivbar, 1), "1a da tom Stamlokale tom");
}

// A copy dropped under write protection never reached the list: it leaves
// the look-up caches as the row before it left them.
TEST(IndlaesningFil, ADroppedCopyLooksNothingUp)
{
    MidlertidigMappe mappe;
    std::ofstream("LaeggeListe.txt") << "1a da AB Stamlokale S1 1\n"
                                        "1a da CD Stamlokale S1 1\n"
                                        "1a da tom Stamlokale S1 1\n";
    Planlister p;
    p.Tilfoej(K::laererListe, {"AB"});
    p.Tilfoej(K::laererListe, {"CD"});
    p.Tilfoej(K::holdLaererListe, {"1a", "da", "CD"});
    p.Tilfoej(K::holdLaererListe, {"1a", "da", "AB"});
    p.k->SaetSkrivebeskyttet(true);
    p.k->IndlaesListe(K::laeggeListe);
    EXPECT_EQ(p.k->Liste(K::laeggeListe).antal, 2);
    EXPECT_EQ(p.k->Liste(K::laererListe).sidstFundet, 1) << "still at CD";
}

TEST(Forespoergsler, ValuesAreBoundAndEveryQueryEndsInATotalOrder)
{
    Planlister p; // file mode answers with file names
    EXPECT_EQ(p.k->ListeForespoergsel(K::laeggeListe).tekst, "LaeggeListe.txt");
    EXPECT_EQ(p.k->ListeForespoergsel(K::andenLokaletypeForespoergsel).tekst, "LokaleTypeListe2.txt");

    SqlKlasse sql(Datakilde::database);
    KontrolListe k(nullptr, &sql, Datakilde::database, 5, 8, "P'1", "T1");
    const KontrolListe::Forespoergsel lektioner = k.ListeForespoergsel(K::laeggeListe);
    EXPECT_NE(lektioner.tekst.find("LEFT JOIN LokaleHoldRelation ON HoldID_HLR = HoldID_LoHR AND PlanID_LoHR = ? "),
              std::string::npos);
    EXPECT_NE(lektioner.tekst.find(
                  "ORDER BY HoldID_HLR, FagID_HLR, LaererID_HLR, Lokaletype_AFa, LokaleID, Blokstoerrelse_LFP"),
              std::string::npos);
    // The distribution binds inside the profiles' subquery, before the plan.
    EXPECT_EQ(lektioner.parametre,
              (SqlParametre{std::string("tom"), std::string("T1"), std::string("P'1"), std::string("P'1")}));
    for (const int32_t n : {1, 2, 3, 4, 40, 5, 6, 7, 8, 9}) {
        const KontrolListe::Forespoergsel f = k.ListeForespoergsel(n);
        EXPECT_EQ(f.tekst.find('\''), std::string::npos) << n;
        EXPECT_EQ(std::count(f.tekst.begin(), f.tekst.end(), '?'), static_cast<long>(f.parametre.size())) << n;
        const auto orden = f.tekst.rfind("ORDER BY") != std::string::npos ? f.tekst.rfind("ORDER BY")
                                                                          : f.tekst.rfind("Order by");
        EXPECT_NE(orden, std::string::npos) << n;
    }
}
