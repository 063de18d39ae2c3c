// The command-line program run as a person or a script would run it.
#include "db/SqlKlasse.h"
#include "db/TSqlModul.h"
#include "support/MidlertidigMappe.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <sys/wait.h>

namespace {

struct Resultat {
    int status;
    std::string ud;
};

Resultat koerCli(const std::string& argumenter)
{
    const std::string kommando = std::string(BRIKKEN_CLI) + " " + argumenter + " 2>/dev/null";
    Resultat resultat{-1, ""};
    FILE* roer = popen(kommando.c_str(), "r");
    if (roer == nullptr)
        return resultat;
    std::array<char, 4096> buffer{};
    while (size_t n = fread(buffer.data(), 1, buffer.size(), roer))
        resultat.ud.append(buffer.data(), n);
    const int status = pclose(roer);
    resultat.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return resultat;
}

std::string citer(const std::string& tekst) { return "'" + tekst + "'"; }

// The stored lessons of a plan, one row per line, in a fixed order.
std::string gemteLektioner(const std::string& forbindelse, const std::string& plan)
{
    std::string fejl;
    TSqlModul::Instans().VaelgForbindelse(forbindelse, fejl);
    SqlKlasse sql(Datakilde::database);
    std::string ud;
    if (sql.Forespoerg("select * from Lektion where PlanID_Le = ? order by HoldID_Le, Kolonne_Le, Raekke_Le",
                       {plan})) {
        for (;;) {
            std::string hold, fag, laerer, lokale;
            int32_t blok = 0, kolonne = 0, raekke = 0;
            if (!sql.HentTekst("HoldID_Le", hold) || !sql.HentTekst("FagID_Le", fag) ||
                !sql.HentTekst("LaererID_Le", laerer) || !sql.HentTekst("LokaleID_Le", lokale) ||
                !sql.HentTal("Blokstoerrelse_Le", blok) || !sql.HentTal("Kolonne_Le", kolonne) ||
                !sql.HentTal("Raekke_Le", raekke))
                break;
            ud += hold + " " + fag + " " + laerer + " " + lokale + " " + std::to_string(blok) + " " +
                  std::to_string(kolonne) + " " + std::to_string(raekke) + "\n";
            if (!sql.Naeste())
                break;
        }
    }
    TSqlModul::Instans().Luk();
    return ud;
}

int linjer(const std::string& tekst) { return static_cast<int>(std::count(tekst.begin(), tekst.end(), '\n')); }

class Cli : public DatabaseTest {
protected:
    Cli() : DatabaseTest(TestDatabase::Indhold::Tom) {}

    void SetUp() override
    {
        DatabaseTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        TSqlModul::Instans().Luk();
        db = "--db " + citer(db_->Forbindelse());
    }

    std::string db;
};

} // namespace

TEST_F(Cli, CreatesTheDemoSchoolOnceAndListsItsPlans)
{
    EXPECT_EQ(koerCli(db + " init --demo").status, 0);
    EXPECT_EQ(koerCli(db + " init").status, 1) << "an existing schema is never touched";
    const Resultat planer = koerCli(db + " plans");
    EXPECT_EQ(planer.status, 0);
    EXPECT_EQ(planer.ud, "Plan2026\nPlan2027\n");
}

TEST_F(Cli, GeneratesSavesAndShowsExactlyTheSavedLessons)
{
    ASSERT_EQ(koerCli(db + " init --demo").status, 0);
    EXPECT_EQ(koerCli(db + " run Plan2026 --generate --yes --save").status, 1) << "write protection is on by default";
    EXPECT_EQ(gemteLektioner(db_->Forbindelse(), "Plan2026"), "");

    const Resultat genereret = koerCli(db + " run Plan2026 --generate --yes --writable --save --times");
    ASSERT_EQ(genereret.status, 0) << genereret.ud;
    std::smatch tal;
    ASSERT_TRUE(std::regex_search(genereret.ud, tal, std::regex(R"(PL=(\d+) LL=(\d+) L%=(\d+\.\d\d) ML=(\d+))")))
        << genereret.ud;
    const std::string gemt = gemteLektioner(db_->Forbindelse(), "Plan2026");
    EXPECT_EQ(std::stoi(tal[2]), linjer(gemt)) << "the status line counts the saved lesson hours";
    EXPECT_GT(std::stoi(tal[1]), 0);
    for (const char* etiket : {"Kontrol af lister\t", "Total tid:\t", "Gemning af nye lektioner: \t", "Total: \t"})
        EXPECT_NE(genereret.ud.find(etiket), std::string::npos) << etiket;

    MidlertidigMappe mappe;
    const Resultat vist = koerCli(db + " run Plan2026 --show h:1.a --export " + citer(mappe.Sti().string()));
    ASSERT_EQ(vist.status, 0);
    int raekker1a = 0;
    for (size_t pos = 0; (pos = gemt.find("1.a ", pos)) != std::string::npos; pos += 4)
        raekker1a += pos == 0 || gemt[pos - 1] == '\n';
    EXPECT_NE(vist.ud.find(" LL=" + std::to_string(raekker1a) + " "), std::string::npos) << vist.ud;
    EXPECT_NE(vist.ud.find("PL=" + std::string(tal[1]) + " LL=" + std::string(tal[2]) + " "), std::string::npos)
        << "opening again sees every saved lesson and what the plan demands\n"
        << vist.ud;

    std::ifstream hold(mappe.Sti() / "HoldSkemaer.txt");
    const std::string side((std::istreambuf_iterator<char>(hold)), std::istreambuf_iterator<char>());
    EXPECT_NE(side.find("\n1.a\n----------\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(mappe.Sti() / "LaererSkemaer.txt"));
    EXPECT_TRUE(std::filesystem::exists(mappe.Sti() / "LokaleSkemaer.txt"));
}

TEST_F(Cli, TheSameDatabaseGivesTheSameRowsInEveryRun)
{
    // Two databases in the same state, each generated by a process of its own.
    TestDatabase andenDb(TestDatabase::Indhold::Tom);
    ASSERT_EQ(andenDb.Tilstand(), TestDatabase::Status::Klar) << andenDb.Grund();
    TSqlModul::Instans().Luk();
    std::vector<std::string> gemt;
    for (const std::string& forbindelse : {db_->Forbindelse(), andenDb.Forbindelse()}) {
        const std::string valg = "--db " + citer(forbindelse);
        ASSERT_EQ(koerCli(valg + " init --demo").status, 0);
        ASSERT_EQ(koerCli(valg + " run Plan2027 --generate --yes --save --writable").status, 0);
        gemt.push_back(gemteLektioner(forbindelse, "Plan2027"));
    }
    ASSERT_FALSE(gemt[0].empty());
    EXPECT_EQ(gemt[0], gemt[1]);
}

// The default week and automatic generation keep to a plan of four hours a day.
TEST_F(Cli, GenerationKeepsToThePlansOwnHours)
{
    ASSERT_EQ(koerCli(db + " init --demo").status, 0);
    {
        std::string fejl;
        TSqlModul::Instans().VaelgForbindelse(db_->Forbindelse(), fejl);
        ASSERT_TRUE(SqlKlasse(Datakilde::database).UdfoerSql("update Plan set Raekke_P = 4 where PlanID_P in (?, ?)",
                                             {std::string("Plan2026"), std::string("Plan2027")}));
        TSqlModul::Instans().Luk();
    }
    for (const std::string koersel : {"Plan2026 --generate", "Plan2027 --auto"}) {
        ASSERT_EQ(koerCli(db + " run " + koersel + " --yes --writable --save").status, 0) << koersel;
        const std::string plan = koersel.substr(0, 8);
        const std::string gemt = gemteLektioner(db_->Forbindelse(), plan);
        ASSERT_FALSE(gemt.empty()) << koersel;
        std::istringstream linjer(gemt);
        for (std::string linje; std::getline(linjer, linje);)
            EXPECT_LT(std::stoi(linje.substr(linje.rfind(' ') + 1)), 4) << koersel << ": " << linje;
    }
}

TEST_F(Cli, FailuresAndUsageErrorsHaveTheirExitStatus)
{
    ASSERT_EQ(koerCli(db + " init --demo").status, 0);
    EXPECT_EQ(koerCli(db + " run Findes_ikke --generate").status, 1);
    EXPECT_EQ(koerCli(db + " run Plan2026 --generate").status, 1) << "the fixed assignment is cancelled without --yes";
    EXPECT_EQ(koerCli(db + " run Plan2026 --show h:ukendt").status, 1);
    EXPECT_EQ(koerCli(db + " run Plan2026 --days 9").status, 2);
    EXPECT_EQ(koerCli("--db odbc: plans").status, 2);
}

namespace {

// A throwaway database on the named engine, whatever engine this run is for.
std::unique_ptr<TestDatabase> databasePaa(const std::string& motor)
{
    const char* forrige = std::getenv("BRIKKEN_TEST_MOTOR");
    const std::string gemt = forrige ? forrige : "";
    setenv("BRIKKEN_TEST_MOTOR", motor.c_str(), 1);
    auto db = std::make_unique<TestDatabase>(TestDatabase::Indhold::Tom);
    setenv("BRIKKEN_TEST_MOTOR", gemt.c_str(), 1);
    TSqlModul::Instans().Luk();
    return db;
}

} // namespace

TEST(CliPaaAlleMotorer, EveryEngineSavesTheSameRows)
{
    std::vector<std::unique_ptr<TestDatabase>> databaser;
    for (const std::string motor : {"sqlite", "postgresql", "odbc"}) {
        databaser.push_back(databasePaa(motor));
        if (databaser.back()->Tilstand() == TestDatabase::Status::Springes)
            GTEST_SKIP() << databaser.back()->Grund();
        ASSERT_EQ(databaser.back()->Tilstand(), TestDatabase::Status::Klar) << databaser.back()->Grund();
    }
    std::vector<std::string> gemt;
    for (const auto& db : databaser) {
        const std::string valg = "--db " + citer(db->Forbindelse());
        ASSERT_EQ(koerCli(valg + " init --demo").status, 0) << db->Motor();
        ASSERT_EQ(koerCli(valg + " run Plan2026 --generate --yes --writable --save").status, 0) << db->Motor();
        gemt.push_back(gemteLektioner(db->Forbindelse(), "Plan2026"));
    }
    ASSERT_FALSE(gemt[0].empty());
    EXPECT_EQ(gemt[1], gemt[0]) << "PostgreSQL and SQLite";
    EXPECT_EQ(gemt[2], gemt[0]) << "ODBC and SQLite";
}
