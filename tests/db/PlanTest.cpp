#include "db/Plan.h"
#include "db/SqlKlasse.h"
#include "support/MidlertidigMappe.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace {

std::vector<std::string> Udtoem(stack<std::string>& planer)
{
    std::vector<std::string> ids;
    while (planer.antal() > 0)
        ids.push_back(planer.pop());
    return ids;
}

class PlanKatalog : public DatabaseTest {};

class TomtKatalog : public DatabaseTest {
protected:
    TomtKatalog() : DatabaseTest(TestDatabase::Indhold::Skema) {}
};

} // namespace

TEST_F(PlanKatalog, ListsThePlansSoTheStackGivesThemBackInByteOrder)
{
    SqlKlasse sql(Datakilde::database);
    for (const char* id : {"Årsplan", "plan'b", "Zplan"})
        ASSERT_TRUE(sql.UdfoerSql("insert into Plan values (?, 'Fordeling2026', 5, 8)", {std::string(id)}));
    Plan plan(Datakilde::database);
    stack<std::string> planer;
    EXPECT_TRUE(plan.HentPlanliste(planer));
    EXPECT_EQ(Udtoem(planer), (std::vector<std::string>{"Plan2026", "Plan2027", "Zplan", "plan'b", "Årsplan"}));
}

TEST_F(PlanKatalog, FindsAPlanByItsBoundId)
{
    Plan plan(Datakilde::database);
    std::string tff;
    int32_t kolonner = 0, raekker = 0;
    EXPECT_TRUE(plan.FindPlan("Plan2027", tff, kolonner, raekker));
    EXPECT_EQ(tff, "Fordeling2027");
    EXPECT_EQ(kolonner, 5);
    EXPECT_EQ(raekker, 8);

    EXPECT_FALSE(plan.FindPlan("Plan2026' or '1'='1", tff, kolonner, raekker));
    EXPECT_FALSE(plan.FindPlan("plan2026", tff, kolonner, raekker)); // ids compare case-sensitively

    SqlKlasse sql(Datakilde::database);
    ASSERT_TRUE(sql.UdfoerSql("insert into Plan values ('O''Brien', 'F''x', 4, 6)"));
    EXPECT_TRUE(plan.FindPlan("O'Brien", tff, kolonner, raekker));
    EXPECT_EQ(tff, "F'x");
    EXPECT_EQ(kolonner, 4);
    EXPECT_EQ(raekker, 6);
}

TEST_F(TomtKatalog, AnEmptyCatalogueGivesFalseAndNoIds)
{
    Plan plan(Datakilde::database);
    stack<std::string> planer;
    EXPECT_FALSE(plan.HentPlanliste(planer));
    EXPECT_EQ(planer.antal(), 0);
}

TEST(PlanFil, ReadsTheCatalogueFiles)
{
    MidlertidigMappe mappe;
    std::ofstream("PlanListe2.txt") << "Plan2027\nPlan2026\n";
    std::ofstream("PlanListe3.txt") << "Fordeling2026 5 7\n";
    Plan plan(Datakilde::tekstfiler);
    stack<std::string> planer;
    EXPECT_TRUE(plan.HentPlanliste(planer));
    EXPECT_EQ(Udtoem(planer), (std::vector<std::string>{"Plan2026", "Plan2027"}));
    std::string tff;
    int32_t kolonner = 0, raekker = 0;
    EXPECT_TRUE(plan.FindPlan("Plan2026", tff, kolonner, raekker));
    EXPECT_EQ(tff, "Fordeling2026");
    EXPECT_EQ(raekker, 7);
}

TEST(PlanFil, MissingFilesGiveFalse)
{
    MidlertidigMappe mappe;
    Plan plan(Datakilde::tekstfiler);
    stack<std::string> planer;
    EXPECT_FALSE(plan.HentPlanliste(planer));
    std::string tff;
    int32_t kolonner = 0, raekker = 0;
    EXPECT_FALSE(plan.FindPlan("Plan2026", tff, kolonner, raekker));
}

TEST_F(PlanKatalog, ATeacherOrRoomCalledLikeTheNotSetMarkerIsRefused)
{
    Plan plan(Datakilde::database);
    EXPECT_EQ(plan.TomtIdFejl("Plan2026", "Fordeling2026"), "") << "the marker in the relations is no teacher";
    SqlKlasse sql(Datakilde::database);
    ASSERT_TRUE(sql.UdfoerSql("insert into LaererFagProfil values ('tom', 'Dansk', 1, 1, 'Fordeling2026')"));
    EXPECT_EQ(plan.TomtIdFejl("Plan2026", "Fordeling2026").rfind("En lærer i planen har id'et 'tom'", 0), 0U);
    EXPECT_EQ(plan.TomtIdFejl("Plan2027", "Fordeling2027"), "");
    ASSERT_TRUE(sql.UdfoerSql("insert into LokalePlan values ('tom', 'Plan2027')"));
    EXPECT_EQ(plan.TomtIdFejl("Plan2027", "Fordeling2027").rfind("Et lokale i planen har id'et 'tom'", 0), 0U);
}

TEST_F(PlanKatalog, ANumberThatIsNoWholeNumberIsRefusedNotCoerced)
{
    if (db_->Motor() != "sqlite")
        GTEST_SKIP() << "only SQLite stores a text or a 64-bit number in an integer column";
    SqlKlasse sql(Datakilde::database);
    ASSERT_TRUE(sql.UdfoerSql("insert into Plan values ('Tekst', 'F', 'abc', 8)"));
    ASSERT_TRUE(sql.UdfoerSql("insert into Plan values ('Stor', 'F', 4294967297, 8)"));
    Plan plan(Datakilde::database);
    std::string tff;
    int32_t kolonner = 0, raekker = 0;
    EXPECT_THROW(plan.FindPlan("Tekst", tff, kolonner, raekker), DatabaseFejl);
    EXPECT_THROW(plan.FindPlan("Stor", tff, kolonner, raekker), DatabaseFejl);
}
