#include "SkemaHjaelp.h"
#include "store/PseudoRandom.h"
#include "store/RandomQuicksort.h"
#include "store/Skema.h"
#include "store/SkemaListe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using skemahjaelp::BrugteTraekninger;

std::vector<std::string> IRaekkefoelge(SkemaListe<hold_skema>& liste)
{
    std::vector<std::string> navne;
    liste.Nulstil();
    hold_skema* s = nullptr;
    while (liste.HentNaeste(s))
        navne.push_back(s->navn);
    return navne;
}

// The least a list item needs: a name, an order and nothing to empty.
struct Navn {
    std::string navn;
    Navn() = default;
    explicit Navn(std::string n) : navn(std::move(n)) {}
    void TomAlle() {}
    auto operator<=>(const Navn&) const = default;
};

struct Noegle {
    int noegle;
    char maerke;
    bool operator<(const Noegle& o) const { return noegle < o.noegle; }
    bool operator>(const Noegle& o) const { return noegle > o.noegle; }
    bool operator<=(const Noegle& o) const { return noegle <= o.noegle; }
    bool operator>=(const Noegle& o) const { return noegle >= o.noegle; }
};

// The sort as plainly defined, level by level with a full partition each:
// the shortcut for extreme pivots must give the same order and draws.
void SimpelSort(Noegle* a, int32_t n, bool faldende)
{
    if (n <= 1)
        return;
    const int32_t i1 = pseudoRandom.DrawModulo(n);
    const int32_t i2 = pseudoRandom.DrawModulo(n);
    const int32_t i3 = pseudoRandom.DrawModulo(n);
    std::swap(a[0], a[randomQuicksort::medianAfTre(a, i1, i2, i3)]);
    bool ingenModsat = false;
    const int32_t j = randomQuicksort::Del(a, n, faldende, ingenModsat);
    SimpelSort(a, j, faldende);
    SimpelSort(a + j + 1, n - j - 1, faldende);
}

} // namespace

TEST(RandomQuicksort, RunsOfEqualKeysGiveTheOrderAndDrawsOfThePlainSort)
{
    uint32_t froe = 1;
    auto naeste = [&froe](uint32_t n) { return (froe = froe * 1103515245u + 12345u) / 65536u % n; };
    for (int runde = 0; runde < 300; ++runde) {
        const auto n = static_cast<int32_t>(naeste(120)); // marks stay distinct chars
        const auto vaerdier = naeste(6) + 1;              // few distinct keys: long runs of each
        std::vector<Noegle> a;
        for (int32_t i = 0; i < n; ++i)
            a.push_back({static_cast<int>(naeste(vaerdier) * naeste(3)), static_cast<char>(i)});
        std::vector<Noegle> forventet = a;
        const bool faldende = runde % 2 == 1;
        pseudoRandom.Seed(static_cast<uint32_t>(runde));
        SimpelSort(forventet.data(), n, faldende);
        const int32_t forventetTraek = pseudoRandom.Draw();
        pseudoRandom.Seed(static_cast<uint32_t>(runde));
        randomQuicksort::Sort(a.data(), n, faldende);
        ASSERT_EQ(pseudoRandom.Draw(), forventetTraek) << runde;
        for (int32_t i = 0; i < n; ++i)
            ASSERT_EQ(a[i].maerke, forventet[i].maerke) << runde << " " << i;
    }
}

TEST(RandomQuicksort, SortsAKnownSequenceWithTheKnownNumberOfDraws)
{
    int32_t op[] = {5, 3, 8, 1, 9, 2, 7};
    pseudoRandom.Seed(100);
    randomQuicksort::Sort(op, 7, false);
    EXPECT_EQ(std::vector<int32_t>(op, op + 7), (std::vector<int32_t>{1, 2, 3, 5, 7, 8, 9}));
    EXPECT_EQ(BrugteTraekninger(), 15);

    int32_t ned[] = {5, 3, 8, 1, 9, 2, 7};
    pseudoRandom.Seed(100);
    randomQuicksort::Sort(ned, 7, true);
    EXPECT_EQ(std::vector<int32_t>(ned, ned + 7), (std::vector<int32_t>{9, 8, 7, 5, 3, 2, 1}));
}

TEST(RandomQuicksort, EqualKeysEndInTheOrderThePivotsGive)
{
    Noegle a[] = {{2, 'a'}, {1, 'b'}, {2, 'c'}, {1, 'd'}, {2, 'e'}, {3, 'f'}};
    pseudoRandom.Seed(100);
    randomQuicksort::Sort(a, 6, false);
    std::string maerker;
    for (const Noegle& n : a)
        maerker += n.maerke;
    EXPECT_EQ(maerker, "dbecaf");
    EXPECT_EQ(BrugteTraekninger(), 9);
}

TEST(SkemaListe, EachInsertionLooksUpFirstWhichSortsWhatIsThere)
{
    SkemaListe<hold_skema> liste;
    ASSERT_TRUE(liste.Indsaet("C"));
    ASSERT_TRUE(liste.Indsaet("A"));
    ASSERT_TRUE(liste.Indsaet("B"));
    EXPECT_EQ(IRaekkefoelge(liste), (std::vector<std::string>{"A", "C", "B"}));
    EXPECT_EQ(BrugteTraekninger(), 3) << "only the two-item sort drew";

    SkemaListe<hold_skema> igen; // reseeds
    for (const char* n : {"C", "A", "B"})
        igen.Indsaet(n);
    hold_skema* s = nullptr;
    ASSERT_TRUE(igen.Hent("B", s));
    EXPECT_EQ(s->navn, "B");
    EXPECT_EQ(IRaekkefoelge(igen), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(BrugteTraekninger(), 6);
}

TEST(SkemaListe, DrawsOfAnOpeningSequenceAreExact)
{
    SkemaListe<laerer_skema> liste;
    for (int i : {7, 3, 9, 1, 4, 8, 2, 6, 5, 0})
        ASSERT_TRUE(liste.Indsaet("hold0" + std::to_string(i)));
    laerer_skema* s = nullptr;
    ASSERT_TRUE(liste.Hent("hold05", s));
    EXPECT_EQ(BrugteTraekninger(), 84);
}

TEST(SkemaListe, ConstructionReseedsTheSharedSequence)
{
    pseudoRandom.Seed(7);
    pseudoRandom.Draw();
    SkemaListe<lokale_skema> liste;
    EXPECT_EQ(BrugteTraekninger(), 0);
}

TEST(SkemaListe, RefusesDuplicatesAndGrowsPastTheOldLimit)
{
    SkemaListe<Navn> liste;
    EXPECT_TRUE(liste.Indsaet("7a"));
    EXPECT_FALSE(liste.Indsaet("7a"));
    for (int i = 1; i < 2000; ++i)
        ASSERT_TRUE(liste.Indsaet("h" + std::to_string(i)));
    EXPECT_EQ(liste.Antal(), 2000);
    EXPECT_FALSE(liste.Indsaet("h1999"));
    Navn* fundet = nullptr;
    ASSERT_TRUE(liste.Hent("h1234", fundet));
    EXPECT_EQ(fundet->navn, "h1234");
}

TEST(SkemaListe, LooksUpEveryNameAndMissesTheOthers)
{
    SkemaListe<hold_skema> liste;
    hold_skema* s = nullptr;
    EXPECT_FALSE(liste.Hent("x", s)) << "empty list";
    const std::vector<std::string> navne = {"m", "b", "x", "d", "k", "a", "z", "q"};
    for (const std::string& n : navne)
        liste.Indsaet(n);
    for (const std::string& n : navne) {
        ASSERT_TRUE(liste.Hent(n, s)) << n;
        EXPECT_EQ(s->navn, n);
        ASSERT_TRUE(liste.Hent(n, s)) << "cached: " << n;
        EXPECT_EQ(s->navn, n);
    }
    for (const char* n : {"0", "c", "y", "zz", "", "M"})
        EXPECT_FALSE(liste.Hent(n, s)) << n;
}

TEST(SkemaListe, CursorWalksOnceAndEmptyingKeepsTheTimetables)
{
    SkemaListe<hold_skema> liste;
    liste.Indsaet("7a");
    liste.Indsaet("7b");
    hold_skema* s = nullptr;
    ASSERT_TRUE(liste.Hent("7a", s));
    laerer_skema laerer("AB");
    lokale_skema lokale("L1");
    Placer(lektion("7a", "da", "AB", "L1", 1), *s, laerer, lokale, 0, 0);

    liste.Nulstil();
    EXPECT_TRUE(liste.HentNaeste(s));
    EXPECT_TRUE(liste.HentNaeste(s));
    EXPECT_FALSE(liste.HentNaeste(s));
    EXPECT_FALSE(liste.HentNaeste(s));

    liste.TomAlle();
    ASSERT_TRUE(liste.Hent("7a", s));
    EXPECT_EQ(s->AntalLektioner(), 0);
    EXPECT_EQ(liste.Antal(), 2);
    EXPECT_TRUE(laerer.HarFag("da", 0, 0)) << "the other grids are emptied separately";
}
