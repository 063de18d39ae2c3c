#include "engine/Data.h"
#include "engine/Klyngeliste.h"
#include "store/PseudoRandom.h"
#include "support/TestModtager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

data medTekst(const std::string& t, int32_t h = -1)
{
    data d;
    d.tekst[0] = t;
    d.heltal[0] = h;
    return d;
}

data medTal(int32_t h)
{
    data d;
    d.heltal[0] = h;
    return d;
}

using Liste = Klyngeliste<data>;

std::unique_ptr<Liste> listeMedTal(const std::vector<int32_t>& tal)
{
    auto l = std::make_unique<Liste>();
    for (const int32_t t : tal)
        l->Indsaet(medTal(t));
    return l;
}

std::vector<int32_t> tal(const Liste& l)
{
    std::vector<int32_t> ud;
    for (int32_t i = 0; i < l.antal; ++i)
        ud.push_back(l.element[i].heltal[0]);
    return ud;
}

constexpr int32_t tekstFelt = 1;
constexpr int32_t talFelt = 6;

} // namespace

class DataTest : public ::testing::Test {
protected:
    void SetUp() override { data::sortering.Saet(1); }
    void TearDown() override { data::sortering.Saet(1); }
};

TEST_F(DataTest, TextsCompareByUnsignedBytes)
{
    EXPECT_LT(medTekst("B"), medTekst("a")) << "upper case before lower case";
    EXPECT_LT(medTekst("z"), medTekst("\xD8")) << "Latin-1 letter after z";
    EXPECT_LT(medTekst("z"), medTekst("\xC3\x98")) << "UTF-8 letter after z";
    EXPECT_LT(medTekst("ab"), medTekst("abc")) << "a prefix sorts first";
    EXPECT_TRUE(medTekst("x") == medTekst("x"));
    EXPECT_TRUE(medTekst("x") <= medTekst("x"));
    EXPECT_TRUE(medTekst("x") >= medTekst("x"));
    EXPECT_FALSE(medTekst("x") != medTekst("x"));
}

TEST_F(DataTest, NumbersCompareAsSigned)
{
    data::sortering.Saet(talFelt);
    EXPECT_LT(medTal(-5), medTal(3));
    EXPECT_GT(medTal(7), medTal(-1));
    data a;
    data b;
    a.decimaltal[1] = -0.5;
    b.decimaltal[1] = 0.25;
    data::sortering.Saet(11);
    EXPECT_LT(a, b);
    EXPECT_FALSE(a >= b);
}

TEST_F(DataTest, SortFieldRefusesNumbersOutsideTheRecord)
{
    data::sortering.Saet(7);
    data::sortering.Saet(12);
    EXPECT_EQ(data::sortering.felt, 7);
    data::sortering.Saet(-1);
    EXPECT_EQ(data::sortering.felt, 7);
    data::sortering.Saet(0);
    EXPECT_EQ(data::sortering.felt, 0);
}

TEST_F(DataTest, NoFieldMakesEveryComparisonFalse)
{
    data::sortering.Saet(0);
    const data a = medTekst("x");
    const data b = medTekst("x");
    EXPECT_FALSE(a == b);
    EXPECT_FALSE(a != b);
    EXPECT_FALSE(a < b || a > b || a <= b || a >= b);
}

TEST_F(DataTest, ResetAndAssignmentLeaveTheCountFieldsAlone)
{
    data kilde = medTekst("1a", 28);
    kilde.decimaltal[0] = 0.5;
    kilde.ben[2] = &kilde;
    kilde.antalFelter = 99;

    data maal;
    maal = kilde;
    EXPECT_EQ(maal.tekst[0], "1a");
    EXPECT_EQ(maal.heltal[0], 28);
    EXPECT_EQ(maal.decimaltal[0], 0.5);
    EXPECT_EQ(maal.ben[2], &kilde);
    EXPECT_EQ(maal.antalFelter, 11);

    kilde.Nulstil();
    EXPECT_EQ(kilde.tekst[0], "tom");
    EXPECT_EQ(kilde.heltal[0], -1);
    EXPECT_EQ(kilde.decimaltal[0], -1.0);
    EXPECT_EQ(kilde.ben[2], nullptr);
    EXPECT_EQ(kilde.antalFelter, 99);
}

TEST_F(DataTest, PrintingShowsOneFieldOrEverythingSet)
{
    data hold = medTekst("1a");
    data lektion = medTekst("1a", 2);
    lektion.tekst[1] = "da";
    lektion.decimaltal[1] = 0.5;
    lektion.ben[0] = &hold;

    data::sortering.Saet(2);
    std::ostringstream eetFelt;
    eetFelt << lektion;
    EXPECT_EQ(eetFelt.str(), "da");

    data::sortering.Saet(0);
    std::ostringstream alt;
    alt << lektion;
    EXPECT_EQ(alt.str(), "1a da 2 0.5  | 1a");
    EXPECT_EQ(data::sortering.felt, 0) << "field 0 again after a link";
}

TEST(Klyngeliste, GrowsPastTheOldLimitAndRefillsClearedSlotsInPlace)
{
    auto l = std::make_unique<Liste>();
    for (int32_t i = 0; i < 1000; ++i)
        l->Indsaet(medTal(i));
    EXPECT_EQ(l->antal, 1000);
    EXPECT_EQ(l->element[999].heltal[0], 999);

    const data* foerste = &l->element[0];
    l->Ryd();
    l->Indsaet(medTal(7));
    EXPECT_EQ(l->antal, 1);
    EXPECT_EQ(&l->element[0], foerste) << "a refill reuses the slots";
    EXPECT_EQ(l->element[1].heltal[0], 1) << "the slots past the count keep their records";
}

TEST(Klyngeliste, CursorHandsOutEachRecordOnceAndStopsAtTheEnd)
{
    auto l = listeMedTal({4, 5});
    data* d = nullptr;
    ASSERT_TRUE(l->HentNaeste(d));
    EXPECT_EQ(d, &l->element[0]);
    ASSERT_TRUE(l->HentNaeste(d));
    EXPECT_EQ(d->heltal[0], 5);
    EXPECT_FALSE(l->HentNaeste(d));
    EXPECT_EQ(l->markoer, 2);
    EXPECT_EQ(d, &l->element[1]) << "a miss leaves the out argument";
}

TEST(Klyngeliste, BinarySearchFindsEveryKeyInSortedListsOfAnyLength)
{
    for (int32_t n = 1; n <= 60; ++n) {
        std::vector<int32_t> v;
        for (int32_t i = 0; i < n; ++i)
            v.push_back(3 * i);
        auto l = listeMedTal(v);
        for (int32_t i = 0; i < n; ++i) {
            l->sidstFundet = -1; // no help from the cache
            data* d = nullptr;
            ASSERT_TRUE(l->Hent(d, medTal(3 * i), talFelt)) << "n=" << n << " key=" << 3 * i;
            EXPECT_EQ(d->heltal[0], 3 * i);
            EXPECT_EQ(l->sidstFundet, i);
            l->sidstFundet = -1;
            EXPECT_FALSE(l->Hent(d, medTal(3 * i + 1), talFelt)) << "n=" << n;
        }
    }
}

TEST(Klyngeliste, BinarySearchMissesOutsideTheRangeAndOnAnEmptyList)
{
    auto l = listeMedTal({});
    data* d = nullptr;
    EXPECT_FALSE(l->Hent(d, medTal(1), talFelt));
    l = listeMedTal({2, 4, 6});
    EXPECT_FALSE(l->Hent(d, medTal(1), talFelt));
    EXPECT_FALSE(l->Hent(d, medTal(7), talFelt));
    EXPECT_EQ(d, nullptr);
    EXPECT_FALSE(l->Findes(talFelt, medTal(2), 1, 2));
    EXPECT_TRUE(l->Findes(talFelt, medTal(6), 1, 2));
    EXPECT_FALSE(l->Findes(talFelt, medTal(6), 3, 1)) << "a range past the records in use is empty";
}

TEST(Klyngeliste, CacheAnswersARepeatedSearchAfterInsertionsBehind)
{
    auto l = listeMedTal({1, 3, 5, 7});
    data* foerste = nullptr;
    ASSERT_TRUE(l->Hent(foerste, medTal(5), talFelt));
    const auto plads = foerste - l->element.data();
    l->Indsaet(medTal(0)); // the list is no longer sorted
    l->Indsaet(medTal(2));
    data* anden = nullptr;
    ASSERT_TRUE(l->Hent(anden, medTal(5), talFelt));
    EXPECT_EQ(anden - l->element.data(), plads);
}

TEST(Klyngeliste, ClearedRecordsAreNeverFound)
{
    auto l = listeMedTal({1, 3, 5});
    data* d = nullptr;
    ASSERT_TRUE(l->Hent(d, medTal(5), talFelt));
    int32_t indeks = 0;
    ASSERT_TRUE(l->LinearSoegning(talFelt, medTal(5), indeks));
    l->Ryd();
    d = nullptr;
    EXPECT_FALSE(l->Hent(d, medTal(5), talFelt));
    EXPECT_FALSE(l->LinearSoegning(talFelt, medTal(5), indeks));
    EXPECT_FALSE(l->Findes(talFelt, medTal(5), 0, 3));
    l->Indsaet(medTal(9));
    EXPECT_FALSE(l->Hent(d, medTal(5), talFelt)) << "the old slot 2 lies beyond the one record in use";
    EXPECT_EQ(l->Tael(talFelt, medTal(5), 0, 3), 0);
}

TEST(Klyngeliste, LinearSearchFindsTheFirstAndResetsTheCacheOnAMiss)
{
    auto l = listeMedTal({8, 2, 8});
    int32_t indeks = -1;
    ASSERT_TRUE(l->LinearSoegning(talFelt, medTal(8), indeks));
    EXPECT_EQ(indeks, 0);
    l->sidstFundet = 2;
    ASSERT_TRUE(l->LinearSoegning(talFelt, medTal(8), indeks));
    EXPECT_EQ(indeks, 2) << "the cached element answers first";
    EXPECT_FALSE(l->LinearSoegning(talFelt, medTal(4), indeks));
    EXPECT_EQ(indeks, 2);
    EXPECT_EQ(l->sidstFundet, 0);
}

TEST(Klyngeliste, IntervalSearchWidensToTheWholeRun)
{
    auto l = listeMedTal({1, 2, 2, 2, 3, 5, 5});
    int32_t foerste = -1;
    int32_t sidste = -1;
    ASSERT_TRUE(l->HentInterval(talFelt, medTal(2), foerste, sidste, Omraade::hele));
    EXPECT_EQ(foerste, 1);
    EXPECT_EQ(sidste, 3);
    EXPECT_EQ(l->sidstFundet, 1);
    ASSERT_TRUE(l->HentInterval(talFelt, medTal(5), foerste, sidste, Omraade::hele));
    EXPECT_EQ(foerste, 5);
    EXPECT_EQ(sidste, 6);
    EXPECT_FALSE(l->HentInterval(talFelt, medTal(4), foerste, sidste, Omraade::hele));
    EXPECT_EQ(foerste, 5);

    // Sub-list of 3 elements from index 2: {2, 2, 3}; bounds relative to it.
    foerste = 2;
    sidste = 3;
    ASSERT_TRUE(l->HentInterval(talFelt, medTal(2), foerste, sidste, Omraade::del));
    EXPECT_EQ(foerste, 0);
    EXPECT_EQ(sidste, 1);
    foerste = 2;
    sidste = 3;
    EXPECT_FALSE(l->HentInterval(talFelt, medTal(1), foerste, sidste, Omraade::del));
}

TEST(Klyngeliste, SortingOrdersAndKeepsEveryRecord)
{
    auto l = listeMedTal({5, -2, 9, 0, 5, 3, 11, -7, 3, 3});
    l->Sorter(talFelt);
    EXPECT_EQ(tal(*l), (std::vector<int32_t>{-7, -2, 0, 3, 3, 3, 5, 5, 9, 11}));
    l->SorterDel(talFelt, 2, 5, 1);
    EXPECT_EQ(tal(*l), (std::vector<int32_t>{-7, -2, 5, 3, 3, 3, 0, 5, 9, 11}));
    l->Sorter(data::ingenFelt); // nothing compares on no field: the list stays as it is
    EXPECT_EQ(tal(*l), (std::vector<int32_t>{-7, -2, 5, 3, 3, 3, 0, 5, 9, 11}));
}

TEST(Klyngeliste, SortingEqualKeysIsRepeatableAndLosesNothing)
{
    auto sorteret = [] {
        auto l = std::make_unique<Liste>(); // reseeds the shared sequence
        for (int32_t i = 0; i < 30; ++i)
            l->Indsaet(medTekst("ens", i));
        l->Sorter(tekstFelt);
        return tal(*l);
    };
    const std::vector<int32_t> a = sorteret();
    const std::vector<int32_t> b = sorteret();
    EXPECT_EQ(a, b);
    std::vector<int32_t> saet = a;
    std::sort(saet.begin(), saet.end());
    for (int32_t i = 0; i < 30; ++i)
        EXPECT_EQ(saet[i], i);
}

TEST(Klyngeliste, GatherMovesMatchesToEitherEnd)
{
    const data d = medTal(1);
    auto l = listeMedTal({0, 1, 0, 1});
    EXPECT_EQ(l->Saml(talFelt, d, Samling::bagerst), 2);
    EXPECT_EQ(tal(*l), (std::vector<int32_t>{0, 0, 1, 1}));

    l = listeMedTal({0, 1, 0, 1});
    EXPECT_EQ(l->Saml(talFelt, d, Samling::forrest), 2);
    EXPECT_EQ(tal(*l), (std::vector<int32_t>{1, 1, 0, 0}));

    l = listeMedTal({0, 0, 0});
    EXPECT_EQ(l->Saml(talFelt, d, Samling::bagerst), 3) << "nothing matches: the list length";
    EXPECT_EQ(l->Saml(talFelt, d, Samling::forrest), 0);

    l = listeMedTal({1, 1, 1});
    EXPECT_EQ(l->Saml(talFelt, d, Samling::forrest), 3);
    EXPECT_EQ(l->Saml(talFelt, d, Samling::bagerst), 0);

    l = listeMedTal({1, 0, 0, 1, 0, 1, 1, 0});
    EXPECT_EQ(l->Saml(talFelt, d, Samling::forrest), 4);
    EXPECT_EQ(tal(*l), (std::vector<int32_t>{1, 1, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(l->Saml(talFelt, d, Samling::bagerst), 4);
    EXPECT_EQ(tal(*l), (std::vector<int32_t>{0, 0, 0, 0, 1, 1, 1, 1}));
}

TEST(Klyngeliste, CountResetAndPrint)
{
    auto l = listeMedTal({2, 7, 2, 2});
    EXPECT_EQ(l->Tael(talFelt, medTal(2), 1, 3), 1);
    EXPECT_EQ(l->Tael(talFelt, medTal(2), 0, 4), 3);
    l->element[1].heltal[2] = 6;
    l->NulstilFelt();
    EXPECT_EQ(l->element[1].heltal[2], 0);

    MedTestModtager m;
    l->Udskriv();
    EXPECT_EQ(m.modtager.sporTekst, "2 0 \n7 0 \n2 0 \n2 0 \n");
    EXPECT_EQ(data::sortering.felt, 0);
    data::sortering.Saet(1);
}
