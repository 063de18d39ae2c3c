#include "SyntheticSchool.h"

#include "app/Vorivazi.h"
#include "db/SqlKlasse.h"
#include "support/HurtigFuldfoerelse.h"
#include "support/TestDatabase.h"
#include "support/TestModtager.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
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

TEST(SyntheticSchool, EverySizeHasOneLessonPerClassSubjectAndUniqueIds)
{
    for (int32_t size = 1; size <= SyntheticSchool::maxClasses; size += size < 20 ? 1 : size < 150 ? 10 : size) {
        const SyntheticSchool school(1, size);
        const auto rows = RowsPerTable(school);
        EXPECT_EQ(rows.at("HoldLaererRelation"), static_cast<size_t>(school.Lessons())) << size;
        EXPECT_EQ(rows.at("Hold"), static_cast<size_t>(size));
        EXPECT_EQ(rows.at("Lokale"), static_cast<size_t>(school.Rooms()));
        EXPECT_GT(school.Hours(), school.Lessons());
        std::set<SqlParametre> keys; // the first column is each of these tables' key
        for (const auto& row : school.Rows()) {
            if (row.table == "Hold" || row.table == "Lokale") {
                EXPECT_TRUE(keys.insert({row.table, row.values[0]}).second) << size;
            }
        }
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

// Far beyond the old limit of 200 lessons to place: the generation must still
// keep the grids consistent, book nobody twice and respect blocked hours.
TEST_F(SyntheticSchoolDb, ALargeSchoolGeneratesWithoutClashesOrBlockedHours)
{
    const SyntheticSchool school(5, 100);
    ASSERT_GT(school.Lessons(), 900);
    school.Write();
    MedTestModtager m;
    m.modtager.standardSvar = true;
    Vorivazi vorivazi(Datakilde::database);
    ASSERT_TRUE(vorivazi.AabnPlan(school.PlanId()));
    ASSERT_TRUE(vorivazi.Generer(1, 4, 5, 8, 0, true));
    EXPECT_TRUE(m.modtager.sporTekst.ends_with(" 0 0 0 ")) << "the closing check counts no disagreements";
    EXPECT_GE(vorivazi.AntalLektionerIalt(), school.Hours() * 95 / 100);
    ASSERT_TRUE(vorivazi.Gem());
    for (const auto& box : m.modtager.bokse)
        EXPECT_NE(box.art, "fejl") << box.tekst;

    SqlKlasse sql(Datakilde::database);
    auto count = [&sql](const std::string& query) {
        int32_t n = -1;
        EXPECT_TRUE(sql.Forespoerg("select count(*) as n from (" + query + ") x") && sql.HentTal("n", n)) << query;
        return n;
    };
    for (const char* who : {"HoldID_Le", "LaererID_Le", "LokaleID_Le"})
        EXPECT_EQ(count(std::string("select ") + who + " from Lektion group by " + who +
                        ", Kolonne_Le, Raekke_Le having count(*) > 1"),
                  0)
            << who << " booked twice in one hour";
    EXPECT_EQ(count("select * from Lektion, Tidsprioritet where LaererID_Le = LaererID_Ti and "
                    "Kolonne_Le = Kolonne_Ti and Raekke_Le = Raekke_Ti and Prioritet_Ti = -3"),
              0);
    EXPECT_GT(count("select * from Tidsprioritet where Prioritet_Ti = -3"), 0);
}

// A week of 7 days and 16 hours goes through generation, completion and saving
// with every rule kept, checked from the saved rows alone.
TEST_F(SyntheticSchoolDb, ALongWeekGeneratesCompletesAndSavesWithEveryRuleKept)
{
    const SyntheticSchool school(2, 6, false, maksDage, maksTimer);
    school.Write();
    MedTestModtager m;
    m.modtager.standardSvar = true;
    Vorivazi vorivazi(Datakilde::database);
    ASSERT_TRUE(vorivazi.AabnPlan(school.PlanId()));
    ASSERT_TRUE(vorivazi.Generer(1, 4, maksDage, maksTimer, 0, true));
    const std::unique_ptr<Fuldfoerelse> fuldfoerelse = vorivazi.NyFuldfoerelse(hurtigFuldfoerelse);
    while (fuldfoerelse->Koer(10000)) {
    }
    vorivazi.AfslutFuldfoerelse(*fuldfoerelse);
    const int32_t lagt = vorivazi.AntalLektionerIalt();
    EXPECT_GE(lagt, school.Hours() * 95 / 100);
    ASSERT_TRUE(vorivazi.Gem());

    SqlKlasse sql(Datakilde::database);
    auto count = [&sql](const std::string& query) {
        int32_t n = -1;
        EXPECT_TRUE(sql.Forespoerg("select count(*) as n from (" + query + ") x") && sql.HentTal("n", n)) << query;
        return n;
    };
    EXPECT_EQ(count("select * from Lektion"), lagt);
    EXPECT_GT(count("select * from Lektion where Kolonne_Le >= 5 or Raekke_Le >= 8"), 0) << "the long week is used";
    EXPECT_EQ(count("select * from Lektion where Kolonne_Le < 0 or Kolonne_Le >= 7 or Raekke_Le < 0 or "
                    "Raekke_Le >= 16"),
              0);
    for (const char* who : {"HoldID_Le", "LaererID_Le", "LokaleID_Le"})
        EXPECT_EQ(count(std::string("select ") + who + " from Lektion group by " + who +
                        ", Kolonne_Le, Raekke_Le having count(*) > 1"),
                  0)
            << who << " booked twice in one hour";
    EXPECT_EQ(count("select * from Lektion, Tidsprioritet where LaererID_Le = LaererID_Ti and "
                    "Kolonne_Le = Kolonne_Ti and Raekke_Le = Raekke_Ti and Prioritet_Ti = -3"),
              0);
    // A subject once a day: one hour, or two hours side by side.
    EXPECT_EQ(count("select HoldID_Le from Lektion group by HoldID_Le, FagID_Le, Kolonne_Le having count(*) > 2 or "
                    "max(Raekke_Le) - min(Raekke_Le) <> count(*) - 1"),
              0);
}

// A tight school is built so that its classes fill the week with what the
// teachers can: the check before generating finds nothing that makes a
// complete timetable impossible, only the class left without a home room.
TEST_F(SyntheticSchoolDb, ATightSchoolPassesTheCheckBeforeGenerating)
{
    const SyntheticSchool school(1, 40, true);
    school.Write();
    MedTestModtager m;
    Vorivazi vorivazi(Datakilde::database);
    ASSERT_TRUE(vorivazi.AabnPlan(school.PlanId()));
    const Udfald<std::vector<Fund>> fund = vorivazi.KontrollerPlan();
    ASSERT_TRUE(fund);
    ASSERT_EQ(fund->size(), 1u);
    EXPECT_EQ(fund->front().art, Fundart::stamlokaleMangler);
    EXPECT_FALSE(fund->front().umulig);
}
