#include "SyntheticSchool.h"

#include "app/Vorivazi.h"
#include "support/TestDatabase.h"
#include "support/TestModtager.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

namespace {

std::map<std::string, size_t> RowsPerTable(const SyntheticSchool& school)
{
    std::map<std::string, size_t> rows;
    for (const auto& row : school.Rows())
        ++rows[row.table];
    return rows;
}

} // namespace

TEST(SyntheticSchool, TheSameSeedAndSizeGiveTheSameRowsAndAnotherSeedOthers)
{
    const SyntheticSchool a(7, 12);
    const SyntheticSchool b(7, 12);
    const SyntheticSchool c(8, 12);
    ASSERT_EQ(a.Rows().size(), b.Rows().size());
    for (size_t i = 0; i < a.Rows().size(); ++i) {
        EXPECT_EQ(a.Rows()[i].table, b.Rows()[i].table);
        EXPECT_EQ(a.Rows()[i].values, b.Rows()[i].values);
    }
    bool differ = a.Rows().size() != c.Rows().size();
    for (size_t i = 0; !differ && i < a.Rows().size(); ++i)
        differ = a.Rows()[i].values != c.Rows()[i].values;
    EXPECT_TRUE(differ);
}

TEST(SyntheticSchool, EverySizeStaysWithinTheProgramsLists)
{
    for (int32_t size = 1; size <= SyntheticSchool::maxClasses; ++size) {
        const SyntheticSchool school(1, size);
        const auto rows = RowsPerTable(school);
        EXPECT_EQ(rows.at("HoldLaererRelation"), static_cast<size_t>(school.Lessons())) << size;
        EXPECT_LE(school.Lessons(), 200) << size;
        EXPECT_LE(rows.at("LaererFagProfil"), 200u) << size;
        EXPECT_LE(rows.at("Lokale"), 200u) << size;
        EXPECT_EQ(rows.at("Hold"), static_cast<size_t>(size));
        EXPECT_GT(school.Hours(), school.Lessons());
    }
    EXPECT_THROW(SyntheticSchool(1, 0), std::invalid_argument);
    EXPECT_THROW(SyntheticSchool(1, SyntheticSchool::maxClasses + 1), std::invalid_argument);
}

class SyntheticSchoolDb : public DatabaseTest {
protected:
    SyntheticSchoolDb() : DatabaseTest(TestDatabase::Indhold::Skema) {}
};

TEST_F(SyntheticSchoolDb, AWrittenSchoolOpensAndGeneratesAlmostCompletely)
{
    const SyntheticSchool school(3, 9);
    school.Write();
    MedTestModtager m;
    m.modtager.standardSvar = true; // the fixed assignment completes the open relations
    Vorivazi vorivazi(Datakilde::database);
    ASSERT_TRUE(vorivazi.AabnPlan(school.PlanId()));
    testing::internal::CaptureStdout();
    ASSERT_TRUE(vorivazi.Generer(1, 4, 5, 8, 0, true));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(vorivazi.SumTimer(), school.Hours());
    EXPECT_GE(vorivazi.AntalLektionerIalt(), school.Hours() * 95 / 100);
    for (const auto& box : m.modtager.bokse)
        EXPECT_EQ(box.art, "spoerg") << box.tekst;
}
