// Byte-for-byte regression test of the generation's results. Each case builds
// a fresh SQLite database, runs brikken-cli on it and compares the lessons,
// priorities and relations left in the database, the three exported files and
// what the run printed with the files recorded in this folder.
// BRIKKEN_GOLDEN_UPDATE=1 records the files anew instead of comparing.
#include "db/SqlKlasse.h"
#include "skoledata/Skoledatabase.h"
#include "db/TSqlModul.h"
#include "support/MidlertidigMappe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <sys/wait.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Skole {
    const char* plan;
    bool demo; // from the demo school; otherwise from PLAN/skole.sql
};

struct Indstilling {
    const char* navn;
    const char* valg;
};

constexpr std::array skoler{Skole{"Plan2026", true}, Skole{"Plan2027", true}, Skole{"Syntetisk5_1", false},
                            Skole{"Syntetisk10_2", false}, Skole{"Syntetisk20_3", false}};

constexpr std::array indstillinger{
    Indstilling{"standard", "--generate --writable --save"},
    Indstilling{"frekvens3_styrke2", "--generate --frequency 3 --strength 2 --writable --save"},
    Indstilling{"dage4_timer7", "--generate --days 4 --hours 7 --writable --save"},
    Indstilling{"auto", "--auto --writable --save"},
    // Without --writable nothing may be written back; the tables show that.
    Indstilling{"skrivebeskyttet", "--generate"},
};

// The tables generation and saving write, each with every column.
const std::vector<std::pair<std::string, std::vector<std::string>>> tabeller{
    {"Lektion",
     {"PlanID_Le", "HoldID_Le", "FagID_Le", "LaererID_Le", "LokaleID_Le", "Blokstoerrelse_Le", "Kolonne_Le",
      "Raekke_Le"}},
    {"Tidsprioritet", {"PlanID_Ti", "LaererID_Ti", "Prioritet_Ti", "Kolonne_Ti", "Raekke_Ti"}},
    {"HoldLaererRelation", {"HoldID_HLR", "FagID_HLR", "LaererID_HLR", "PlanID_HLR"}},
    {"LokaleHoldRelation", {"HoldID_LoHR", "LokaleID_LoHR", "PlanID_LoHR"}},
};

const std::array eksportFiler{"HoldSkemaer.txt", "LaererSkemaer.txt", "LokaleSkemaer.txt"};

std::string citer(const std::string& tekst) { return "'" + tekst + "'"; }

std::string laes(const fs::path& fil)
{
    std::ifstream ind(fil, std::ios::binary);
    std::ostringstream ud;
    ud << ind.rdbuf();
    return ud.str();
}

// Runs brikken-cli with its standard output and error into the given files; the exit status.
int koerCli(const std::string& argumenter, const fs::path& ud, const fs::path& fejl)
{
    const std::string kommando = std::string(BRIKKEN_CLI) + " " + argumenter + " >" + citer(ud) + " 2>" + citer(fejl);
    const int status = std::system(kommando.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void forbind(const fs::path& db)
{
    std::string fejl;
    TSqlModul& modul = TSqlModul::Instans();
    if (!modul.VaelgForbindelse("sqlite:" + db.string(), fejl) || !modul.Forbind(fejl))
        throw DatabaseFejl(fejl);
}

void opretDatabase(const fs::path& db, const Skole& skole)
{
    forbind(db);
    TSqlModul::Instans().OpretDatabase(skole.demo);
    if (!skole.demo) {
        std::ifstream script(fs::path(BRIKKEN_GOLDEN_DIR) / skole.plan / "skole.sql");
        ASSERT_TRUE(script.is_open()) << skole.plan;
        SqlKlasse sql(Datakilde::database);
        sql.StartTransaktion();
        for (std::string linje; std::getline(script, linje);) {
            if (!linje.empty() && !linje.starts_with("--")) {
                ASSERT_TRUE(sql.UdfoerSql(linje)) << linje;
            }
        }
        sql.Commit();
    }
    TSqlModul::Instans().Luk();
}

// One line per row, tab between values, rows ordered by every column.
std::string dump(const std::string& tabel, const std::vector<std::string>& kolonner)
{
    std::string liste;
    for (const std::string& kolonne : kolonner)
        liste += (liste.empty() ? "" : ", ") + kolonne;
    SqlKlasse sql(Datakilde::database);
    std::string ud;
    if (!sql.Forespoerg("select " + liste + " from " + tabel + " order by " + liste))
        return ud;
    for (std::string vaerdi; sql.HentTekst(kolonner[0], vaerdi); sql.Naeste()) {
        for (size_t i = 0; i < kolonner.size(); ++i) {
            sql.HentTekst(kolonner[i], vaerdi);
            ud += (i == 0 ? "" : "\t") + (sql.ErNull(kolonner[i]) ? std::string("NULL") : vaerdi);
        }
        ud += '\n';
    }
    return ud;
}

std::vector<std::string> linjer(const std::string& tekst)
{
    std::vector<std::string> ud;
    size_t start = 0;
    for (size_t slut; (slut = tekst.find('\n', start)) != std::string::npos; start = slut + 1)
        ud.push_back(tekst.substr(start, slut - start));
    ud.push_back(tekst.substr(start)); // what follows the last line ending, often nothing
    return ud;
}

void sammenlign(const std::string& sag, const std::string& fil, const std::string& forventet,
                const std::string& faktisk)
{
    if (forventet == faktisk)
        return;
    const auto f = linjer(forventet);
    const auto a = linjer(faktisk);
    size_t i = 0;
    while (i < f.size() && i < a.size() && f[i] == a[i])
        ++i;
    // The trace has lines of many thousand characters: show those around the first difference.
    size_t fra = 0;
    if (i < f.size() && i < a.size() && std::max(f[i].size(), a[i].size()) > 120) {
        const auto [ff, aa] = std::mismatch(f[i].begin(), f[i].end(), a[i].begin(), a[i].end());
        fra = static_cast<size_t>(ff - f[i].begin()) > 60 ? static_cast<size_t>(ff - f[i].begin()) - 60 : 0;
    }
    const auto vis = [i, fra](const std::vector<std::string>& l) {
        if (i >= l.size())
            return std::string("<end of file>");
        const std::string del = l[i].substr(std::min(fra, l[i].size()), 120);
        return (fra > 0 ? "..." : "") + citer(del) + (fra + del.size() < l[i].size() ? "..." : "");
    };
    ADD_FAILURE() << sag << ": " << fil << " differs first in line " << i + 1
                  << (fra > 0 ? ", from character " + std::to_string(fra + 1) : "") << "\n  expected: " << vis(f)
                  << "\n  actual:   " << vis(a);
}

// The run's tables, export files and output by file name; `forbered` may add
// to the database before the run.
std::map<std::string, std::string> koer(const Skole& skole, const Indstilling& indstilling,
                                        const std::function<void()>& forbered = {})
{
    const std::string sag = std::string(skole.plan) + "/" + indstilling.navn;
    MidlertidigMappe mappe;
    const fs::path db = mappe.Sti() / "golden.sqlite";
    const fs::path eksport = mappe.Sti() / "eksport";
    std::map<std::string, std::string> faktisk;
    opretDatabase(db, skole);
    if (forbered) {
        forbind(db);
        forbered();
        TSqlModul::Instans().Luk();
    }
    if (::testing::Test::HasFatalFailure())
        return faktisk;

    // --log sends the engine's diagnostic trace and the messages to standard error.
    const int status = koerCli("--db " + citer("sqlite:" + db.string()) + " run " + skole.plan + " " +
                                   indstilling.valg + " --yes --log --export " + citer(eksport),
                               mappe.Sti() / "stdout.txt", mappe.Sti() / "log.txt");
    EXPECT_EQ(status, 0) << sag << "\n" << laes(mappe.Sti() / "log.txt");
    forbind(db);
    for (const auto& [tabel, kolonner] : tabeller)
        faktisk[tabel + ".txt"] = dump(tabel, kolonner);
    TSqlModul::Instans().Luk();
    for (const char* fil : eksportFiler)
        faktisk[fil] = laes(eksport / fil);
    for (const char* fil : {"stdout.txt", "log.txt"})
        faktisk[fil] = laes(mappe.Sti() / fil);
    return faktisk;
}

void sammenlignMedOptaget(const std::string& sag, const fs::path& optaget,
                          const std::map<std::string, std::string>& faktisk)
{
    for (const auto& [fil, indhold] : faktisk) {
        if (!fs::exists(optaget / fil))
            ADD_FAILURE() << sag << ": " << fil << " is not recorded; BRIKKEN_GOLDEN_UPDATE=1 records it";
        else
            sammenlign(sag, fil, laes(optaget / fil), indhold);
    }
}

class Golden : public ::testing::TestWithParam<std::tuple<Skole, Indstilling>> {};

TEST_P(Golden, RunGivesTheRecordedResults)
{
    const auto& [skole, indstilling] = GetParam();
    const std::string sag = std::string(skole.plan) + "/" + indstilling.navn;
    const std::map<std::string, std::string> faktisk = koer(skole, indstilling);
    if (HasFailure())
        return;
    const fs::path optaget = fs::path(BRIKKEN_GOLDEN_DIR) / skole.plan / indstilling.navn;
    const char* opdater = std::getenv("BRIKKEN_GOLDEN_UPDATE");
    if (opdater != nullptr && std::string(opdater) == "1") {
        fs::remove_all(optaget);
        fs::create_directories(optaget);
        for (const auto& [fil, indhold] : faktisk)
            std::ofstream(optaget / fil, std::ios::binary) << indhold;
        return;
    }
    sammenlignMedOptaget(sag, optaget, faktisk);
}

// Tables of our own that hold only another plan's groups and activities
// change nothing of this plan's run: the recorded standard run.
TEST(GoldenMedAktiviteter, AnotherPlansActivitiesLeaveTheRunAsRecorded)
{
    const auto andenPlans = [] {
        using namespace std::string_literals;
        Skoledata s;
        s.Tilfoej("Gruppe", {"Plan2027"s, "1.a"s, "Køn"s, "piger"s});
        s.Tilfoej("Gruppe", {"Plan2027"s, "1.a"s, "Køn"s, "drenge"s});
        s.Tilfoej("Aktivitet", {"Plan2027"s, "A1"s, "Idræt"s, 2, 2});
        s.Tilfoej("AktivitetDeltager", {"Plan2027"s, "A1"s, "1.a"s, "piger"s});
        s.Tilfoej("AktivitetLaerer", {"Plan2027"s, "A1"s, "Hanne"s});
        s.Tilfoej("AktivitetLokale", {"Plan2027"s, "A1"s, 1, "Gymsal"s});
        s.Tilfoej("AktivitetSkema", {"Plan2027"s, "A1"s, 0, 2, 2});
        s.Tilfoej("AktivitetSkemaLokale", {"Plan2027"s, "A1"s, 0, 2, 1, "Gymsal"s});
        std::vector<std::string> fejl;
        ASSERT_TRUE(Skoledatabase().Tilfoej(s, fejl)) << fejl.front();
    };
    const Skole& skole = skoler[0];
    const Indstilling& indstilling = indstillinger[0];
    const std::map<std::string, std::string> faktisk = koer(skole, indstilling, andenPlans);
    if (HasFailure())
        return;
    sammenlignMedOptaget(std::string(skole.plan) + "/" + indstilling.navn + " med aktiviteter",
                         fs::path(BRIKKEN_GOLDEN_DIR) / skole.plan / indstilling.navn, faktisk);
}

INSTANTIATE_TEST_SUITE_P(, Golden, ::testing::Combine(::testing::ValuesIn(skoler), ::testing::ValuesIn(indstillinger)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).plan) + "_" + std::get<1>(info.param).navn;
                         });

} // namespace

namespace {

std::string ordnet(const std::string& tekst)
{
    const size_t start = tekst.find_first_not_of(' ');
    return start == std::string::npos ? "" : tekst.substr(start, tekst.find_last_not_of(' ') - start + 1);
}

} // namespace

TEST(GoldenCli, ShowPutsEverySavedLessonInItsDayColumnAndHourRow)
{
    MidlertidigMappe mappe;
    const fs::path db = mappe.Sti() / "vis.sqlite";
    opretDatabase(db, skoler[0]);
    const std::string forbindelse = "--db " + citer("sqlite:" + db.string());
    const fs::path ud = mappe.Sti() / "ud.txt";
    const fs::path fejl = mappe.Sti() / "fejl.txt";
    ASSERT_EQ(koerCli(forbindelse + " run Plan2026 --generate --yes --writable --save", ud, fejl), 0) << laes(fejl);

    // The saved lessons of 1.a as cells: day column, hour row -> subject teacher room.
    std::map<std::pair<int, int>, std::string> gemt;
    forbind(db);
    {
        SqlKlasse sql(Datakilde::database);
        ASSERT_TRUE(sql.Forespoerg("select FagID_Le, LaererID_Le, LokaleID_Le, Kolonne_Le, Raekke_Le from Lektion "
                                   "where PlanID_Le = 'Plan2026' and HoldID_Le = '1.a'"));
        std::string fag, laerer, lokale;
        int32_t kolonne = 0, raekke = 0;
        for (; sql.HentTekst("FagID_Le", fag); sql.Naeste()) {
            sql.HentTekst("LaererID_Le", laerer);
            sql.HentTekst("LokaleID_Le", lokale);
            sql.HentTal("Kolonne_Le", kolonne);
            sql.HentTal("Raekke_Le", raekke);
            gemt[{kolonne, raekke}] = fag + " " + laerer + " " + lokale;
        }
    }
    TSqlModul::Instans().Luk();
    ASSERT_GT(gemt.size(), 10U);

    ASSERT_EQ(koerCli(forbindelse + " run Plan2026 --show h:1.a", ud, fejl), 0) << laes(fejl);
    std::map<std::pair<int, int>, std::string> vist;
    std::istringstream grid(laes(ud));
    for (std::string linje; std::getline(grid, linje);) {
        // An hour row: its number right-aligned in two characters, then one cell per day.
        if (linje.size() < 2 || linje[1] < '1' || linje[1] > '9' || linje.find(" | ") != 2)
            continue;
        const int raekke = std::stoi(linje.substr(0, 2)) - 1;
        std::istringstream celler(linje.substr(4));
        int kolonne = 0;
        for (std::string celle; std::getline(celler, celle, '|'); ++kolonne) {
            if (!ordnet(celle).empty())
                vist[{kolonne, raekke}] = ordnet(celle);
        }
    }
    EXPECT_EQ(vist, gemt) << laes(ud);
}

TEST(GoldenCli, AMalformedKindAndIdIsAUsageErrorThatNamesTheReason)
{
    MidlertidigMappe mappe;
    const fs::path ud = mappe.Sti() / "ud.txt";
    const fs::path fejl = mappe.Sti() / "fejl.txt";
    const std::string forbindelse = "--db " + citer("sqlite:" + (mappe.Sti() / "tom.sqlite").string());
    for (const auto& [valg, grund] :
         std::vector<std::pair<std::string, std::string>>{{"x:7.a", "ukendt skematype 'x' i x:7.a (brug h, l eller k)"},
                                                          {"h7.a", "mangler ':' mellem type og id i h7.a"},
                                                          {"h:", "mangler id efter ':' i h:"}}) {
        EXPECT_EQ(koerCli(forbindelse + " run Plan2026 --show " + valg, ud, fejl), 2) << valg;
        EXPECT_NE(laes(fejl).find("--show: " + grund), std::string::npos) << laes(fejl);
    }
}
