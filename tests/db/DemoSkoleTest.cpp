#include "db/SqlKlasse.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <set>
#include <vector>

namespace {

using Raekke = std::vector<std::string>;

// Runs a planning-list query the way the list loader does and returns its rows;
// columns whose name starts with '#' are read as integers.
std::vector<Raekke> Liste(const std::string& foresporgsel, const SqlParametre& parametre,
                          const std::vector<std::string>& kolonner)
{
    SqlKlasse sql(Datakilde::database);
    std::vector<Raekke> raekker;
    if (!sql.Forespoerg(foresporgsel, parametre))
        return raekker;
    for (;;) {
        Raekke raekke;
        for (const std::string& kolonne : kolonner) {
            std::string tekst;
            int32_t tal = 0;
            const bool laest = kolonne[0] == '#' ? sql.HentTal(kolonne.substr(1), tal) : sql.HentTekst(kolonne, tekst);
            if (!laest)
                return raekker;
            raekke.push_back(kolonne[0] == '#' ? std::to_string(tal) : tekst);
        }
        raekker.push_back(raekke);
        if (!sql.Naeste())
            return raekker;
    }
}

struct Aargang {
    std::string plan;
    std::string tff;
    size_t hold;
};

void PrintTo(const Aargang& aargang, std::ostream* ud) { *ud << aargang.plan; }

class DemoSkole : public DatabaseTest, public testing::WithParamInterface<Aargang> {};

const std::string stam = "Stamlokale";

} // namespace

TEST_P(DemoSkole, TheNinePlanningListsHaveSensibleRows)
{
    const auto& [plan, tff, antalHold] = GetParam();

    const auto hold = Liste(
        "SELECT HoldID_AHo AS HoldID, SUM(Timer_AFa) AS AntalTimer FROM Hold, Holdliste, Fag, Fagprofil "
        "WHERE Hold_THo = HoldID_AHo AND FagID_Fp = FagID_Afa AND Type_AHo = Type_FP And "
        "timefagfordelingID_THo = ? GROUP BY HoldID_AHo ",
        {tff}, {"HoldID", "#AntalTimer"});
    ASSERT_EQ(hold.size(), antalHold);
    for (const Raekke& r : hold)
        EXPECT_TRUE(std::stoi(r[1]) >= 25 && std::stoi(r[1]) <= 30) << r[0] << " " << r[1];

    const auto fag = Liste("SELECT DISTINCT FagID_Afa AS FagID, Lokaletype_Afa AS Lokaletype, Timer_AFa AS Timer, "
                           "AntalHold_LFP AS Hold FROM Fag, Fagliste, LaererFagProfil WHERE TimeFagFordelingID_LFP = ? "
                           "AND FagID_TFa = FagID_AFa AND FagID_TFa = FagID_LFP ORDER BY FagID_AFa ",
                           {tff}, {"FagID", "Lokaletype", "#Timer", "#Hold"});
    std::set<std::string> fagIds, specialFag;
    for (const Raekke& r : fag) {
        fagIds.insert(r[0]);
        if (r[1] != stam)
            specialFag.insert(r[0]);
    }
    EXPECT_GE(fagIds.size(), 12u);
    EXPECT_GE(specialFag.size(), 4u);

    const auto laerere = Liste("SELECT LaererID_HLR AS LaererID, SUM(Timer_AFa) AS Timer FROM HoldLaererRelation, Fag "
                               "WHERE PlanID_HLR = ? AND FagID_HLR = FagID_AFa GROUP BY LaererID_HLR",
                               {plan}, {"LaererID", "#Timer"});
    EXPECT_GE(laerere.size(), 21u); // twenty or more teachers and "tom"
    for (const Raekke& r : laerere)
        EXPECT_LE(std::stoi(r[1]), 30) << r[0];

    const auto lokaletyper = Liste(
        "SELECT\tLokaletype_ALo AS LokaleType, COUNT(Lokaletype_ALo) AS Antal_Lokaler "
        "FROM Lokale, LokalePlan WHERE Lokaletype_ALo != ? And LokaleID_ALo = LokaleID_LP And "
        "PlanID_LP = ? GROUP BY Lokaletype_ALo",
        {stam, plan}, {"LokaleType", "#Antal_Lokaler"});
    const auto typeTimer = Liste("SELECT\tLokaletype_AFa AS LokaleType, SUM(Timer_AFa) AS Antal_Timer "
                                 "FROM Fag, HoldLaererRelation WHERE Lokaletype_AFa != ? AND FagID_HLR = FagID_AFa And "
                                 "PlanID_HLR = ? GROUP BY Lokaletype_AFa",
                                 {stam, plan}, {"LokaleType", "#Antal_Timer"});
    std::map<std::string, int> lokaler;
    for (const Raekke& r : lokaletyper)
        lokaler[r[0]] = std::stoi(r[1]);
    EXPECT_GE(typeTimer.size(), 4u);
    for (const Raekke& r : typeTimer) // every special room type fits into its rooms' weeks
        EXPECT_LE(std::stoi(r[1]), 40 * lokaler[r[0]]) << r[0];

    const auto rum = Liste("SELECT LokaleID_LP as LokaleID, Lokaletype_ALo as Lokaletype FROM Lokaleplan, Lokale "
                           "WHERE LokaleID_ALo = LokaleID_LP AND PlanID_LP = ? ORDER BY LokaleID_LP",
                           {plan}, {"LokaleID", "LokaleType"});
    int stamlokaler = 0;
    for (const Raekke& r : rum)
        stamlokaler += r[1] == stam;

    const auto laegge = Liste(
        "SELECT DISTINCT HoldID_HLR AS HoldID, FagID_HLR AS FagID, LaererID_HLR AS LaererID, "
        "Lokaletype_AFa AS LokaleType, LokaleID_LoHR AS LokaleID, Blokstoerrelse_LFP AS Bloksize "
        "FROM LaererFagProfil, Fag, HoldLaererRelation, LokaleHoldRelation WHERE PlanID_HLR = ? AND "
        "TimeFagFordelingID_LFP = ? AND FagID_HLR = FagID_AFa AND FagID_HLR = FagID_LFP AND "
        "HoldID_HLR = HoldID_LoHR ORDER BY HoldID_HLR ",
        {plan, tff}, {"HoldID", "FagID", "LaererID", "LokaleType", "LokaleID", "#Bloksize"});
    std::set<std::pair<std::string, std::string>> holdFag;
    int dobbelt = 0, udenLaerer = 0;
    for (const Raekke& r : laegge) {
        holdFag.insert({r[0], r[1]});
        dobbelt += r[5] == "2";
        udenLaerer += r[2] == "tom";
    }
    EXPECT_EQ(holdFag.size(), laegge.size()) << "one row per class and subject";
    EXPECT_GT(laegge.size(), 100u);
    EXPECT_LT(laegge.size(), 160u);
    EXPECT_GT(dobbelt, 0);
    EXPECT_GT(udenLaerer, 0);

    const auto holdLokale = Liste("SELECT HoldID_LoHR AS HoldID, LokaleID_LoHR AS LokaleID FROM LokaleHoldRelation "
                                  "WHERE PlanID_LoHR = ? ORDER BY HoldID_LoHR ",
                                  {plan}, {"HoldID", "LokaleID"});
    ASSERT_EQ(holdLokale.size(), antalHold);
    int udenLokale = 0;
    for (const Raekke& r : holdLokale)
        udenLokale += r[1] == "tom";
    EXPECT_GT(udenLokale, 0);
    EXPECT_GE(stamlokaler, static_cast<int>(antalHold)) << "enough home rooms for the fixed assignment";

    const auto holdLaerer = Liste("SELECT HoldID_HLR AS HoldID, LaererID_HLR AS LaererID, FagID_HLR AS FagID "
                                  "FROM HoldLaererRelation WHERE PlanID_HLR = ? ORDER BY HoldID_HLR",
                                  {plan}, {"HoldID", "FagID", "LaererID"});
    EXPECT_EQ(holdLaerer.size(), laegge.size());

    const auto profiler = Liste("Select LaererID_LFP AS LaererID, FagID_LFP AS FagID, AntalHold_LFP AS AntalHold "
                                "From LaererFagProfil Where TimeFagFordelingID_LFP = ? Order by FagID_LFP",
                                {tff}, {"LaererID", "FagID", "#AntalHold"});
    std::set<std::string> profilLaerere;
    for (const Raekke& r : profiler)
        profilLaerere.insert(r[0]);
    EXPECT_GE(profilLaerere.size(), 20u);

    const auto spaerret = Liste("select LaererID_Ti from Tidsprioritet where PlanID_Ti = ? and Prioritet_Ti = -3",
                                {plan}, {"LaererID_Ti"});
    EXPECT_FALSE(spaerret.empty());
}

INSTANTIATE_TEST_SUITE_P(Aargange, DemoSkole,
                         testing::Values(Aargang{"Plan2026", "Fordeling2026", 12},
                                         Aargang{"Plan2027", "Fordeling2027", 13}),
                         [](const testing::TestParamInfo<Aargang>& info) { return info.param.plan; });
