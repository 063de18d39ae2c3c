#include "skoledata/Skoledatabase.h"
#include "db/SqlKlasse.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace std::string_literals;

class Skoledatabasen : public DatabaseTest {};

class TomSkoledatabase : public DatabaseTest {
protected:
    TomSkoledatabase() : DatabaseTest(TestDatabase::Indhold::Skema) {}
};

// The rows of a table that belong to a plan, with the plan column left out, sorted.
std::vector<Raekke> PlanensRaekker(const Skoledata& data, const std::string& tabel, size_t planKolonne,
                                   const std::string& plan)
{
    std::vector<Raekke> ud;
    for (Raekke raekke : data.Af(tabel)) {
        if (SomTekst(raekke[planKolonne]) != plan)
            continue;
        raekke.erase(raekke.begin() + static_cast<std::ptrdiff_t>(planKolonne));
        ud.push_back(raekke);
    }
    std::sort(ud.begin(), ud.end());
    return ud;
}

} // namespace

TEST_F(Skoledatabasen, CopyingAPlanCarriesItsRowsAndLeavesTheOriginal)
{
    SqlKlasse sql(Datakilde::database);
    ASSERT_TRUE(sql.UdfoerSql("insert into Lektion values ('Plan2026','1.a','Dansk_ind','Hanne','A1',1,0,0)"));
    Skoledatabase db;
    const Skoledata foer = db.Laes();
    std::vector<std::string> fejl;
    ASSERT_TRUE(db.KopierPlan("Plan2026", "Plan2028", false, fejl)) << fejl.front();
    ASSERT_TRUE(db.KopierPlan("Plan2026", "Plan2029", true, fejl)) << fejl.front();
    const Skoledata efter = db.Laes();

    const std::vector<std::pair<std::string, size_t>> planTabeller{
        {"Plan", 0}, {"HoldLaererRelation", 3}, {"LokaleHoldRelation", 2}, {"LokalePlan", 1}, {"Tidsprioritet", 0}};
    for (const auto& [tabel, kolonne] : planTabeller) {
        const auto original = PlanensRaekker(foer, tabel, kolonne, "Plan2026");
        EXPECT_FALSE(original.empty()) << tabel;
        EXPECT_EQ(PlanensRaekker(efter, tabel, kolonne, "Plan2026"), original) << tabel;
        EXPECT_EQ(PlanensRaekker(efter, tabel, kolonne, "Plan2028"), original) << tabel;
        EXPECT_EQ(PlanensRaekker(efter, tabel, kolonne, "Plan2029"), original) << tabel;
    }
    EXPECT_TRUE(PlanensRaekker(efter, "Lektion", 0, "Plan2028").empty());
    EXPECT_EQ(PlanensRaekker(efter, "Lektion", 0, "Plan2029").size(), 1u);

    EXPECT_FALSE(db.KopierPlan("Plan2026", "Plan2027", false, fejl));
    EXPECT_EQ(fejl, std::vector<std::string>{"Planen Plan2027 findes allerede"});
    EXPECT_FALSE(db.KopierPlan("Plan1999", "Plan2030", false, fejl));
    EXPECT_EQ(fejl, std::vector<std::string>{"Planen Plan1999 findes ikke"});
    EXPECT_EQ(db.Laes().raekker, efter.raekker);
}

TEST_F(TomSkoledatabase, ARefusedWriteLeavesTheDatabaseAsItWas)
{
    Skoledatabase db;
    Skoledata skole;
    skole.Tilfoej("Plan", {"P1"s, "F1"s, 5, 8});
    skole.Tilfoej("Hold", {"1.a"s, "Indskoling"s});
    std::vector<std::string> fejl;
    ASSERT_TRUE(db.Tilfoej(skole, fejl));
    const Skoledata foer = db.Laes();

    // Broken by a rule: nothing of the batch is written.
    Skoledata brudt;
    brudt.Tilfoej("Hold", {"1.b"s, "Indskoling"s});
    brudt.Tilfoej("Fag", {"Dansk"s, 200, "Stamlokale"s});
    EXPECT_FALSE(db.Tilfoej(brudt, fejl));
    EXPECT_EQ(fejl.size(), 1u);
    EXPECT_EQ(db.Laes().raekker, foer.raekker);

    // Refused by the database half-way: the rows written before are rolled back.
    SqlKlasse sql(Datakilde::database);
    ASSERT_TRUE(sql.UdfoerSql("create unique index EnPrType on Lokale (Lokaletype_ALo)"));
    Skoledata afvist;
    afvist.Tilfoej("Hold", {"1.b"s, "Indskoling"s});
    afvist.Tilfoej("Lokale", {"A1"s, "Stamlokale"s});
    afvist.Tilfoej("Lokale", {"A2"s, "Stamlokale"s});
    EXPECT_FALSE(db.Tilfoej(afvist, fejl));
    ASSERT_EQ(fejl.size(), 1u);
    EXPECT_NE(fejl.front().find("databasen afviste rækken; intet er gemt"), std::string::npos) << fejl.front();
    EXPECT_EQ(db.Laes().raekker, foer.raekker);
}

TEST_F(Skoledatabasen, EditsAreSavedAndAnOverwriteOfAnotherPlannersChangeIsRefused)
{
    // Two planners read the same rows.
    Skoledatabase db;
    const Skoledata foerstesLaesning = db.Laes();
    const Skoledata andensLaesning = db.Laes();
    const auto medTimer = [](Skoledata data, int32_t timer) {
        for (Raekke& fag : data.raekker["Fag"]) {
            if (SomTekst(fag[0]) == "Dansk_ind")
                fag[1] = timer;
        }
        return data;
    };
    std::vector<std::string> fejl;
    ASSERT_TRUE(db.Gem(foerstesLaesning, medTimer(foerstesLaesning, 8), fejl)) << fejl.front();
    const Skoledata gemt = db.Laes();
    EXPECT_EQ(gemt.raekker, medTimer(foerstesLaesning, 8).raekker);

    EXPECT_FALSE(db.Gem(andensLaesning, medTimer(andensLaesning, 7), fejl));
    ASSERT_EQ(fejl.size(), 1u);
    EXPECT_EQ(fejl.front(), "Fag (Dansk_ind) er ændret eller slettet af en anden, siden den blev læst; intet er gemt. "
                            "Læs data igen og gentag ændringen");
    EXPECT_EQ(db.Laes().raekker, gemt.raekker);

    // A class that rows refer to is not deleted behind their back; carried through, it is renamed everywhere.
    Skoledata uden1a = gemt;
    std::erase_if(uden1a.raekker["Hold"], [](const Raekke& r) { return SomTekst(r[0]) == "1.a"; });
    EXPECT_FALSE(db.Gem(gemt, uden1a, fejl));
    ASSERT_EQ(fejl.size(), 1u);
    EXPECT_EQ(fejl.front().rfind("Hold (1.a) kan ikke slettes eller omdøbes, for den bruges af: ", 0), 0u)
        << fejl.front();
    EXPECT_NE(fejl.front().find("Undervisning (Plan2026, 1.a, Dansk_ind)"), std::string::npos) << fejl.front();

    Skoledata omdoebt = gemt;
    for (Raekke& hold : omdoebt.raekker["Hold"]) {
        if (SomTekst(hold[0]) == "1.a")
            hold[0] = "1.x"s;
    }
    omdoebt.Omdoeb(Felt::Hold, "1.a", "1.x");
    ASSERT_TRUE(db.Gem(gemt, omdoebt, fejl)) << fejl.front();
    const Skoledata efter = db.Laes();
    EXPECT_TRUE(efter.Afhaengige(Felt::Hold, "1.a").empty());
    EXPECT_EQ(efter.Afhaengige(Felt::Hold, "1.x").size(), gemt.Afhaengige(Felt::Hold, "1.a").size());

    // A stored NULL reads as "" and is still found when the row is changed.
    ASSERT_TRUE(SqlKlasse(Datakilde::database).UdfoerSql("insert into Hold values ('9.z', null)"));
    const Skoledata medNull = db.Laes();
    Skoledata rettet = medNull;
    for (Raekke& hold : rettet.raekker["Hold"]) {
        if (SomTekst(hold[0]) == "9.z")
            hold[1] = "Udskoling"s;
    }
    ASSERT_TRUE(db.Gem(medNull, rettet, fejl)) << fejl.front();
    // Read back: the NULL row is gone, not kept beside the corrected one.
    std::vector<Raekke> hold9z;
    for (const Raekke& hold : db.Laes().Af("Hold")) {
        if (SomTekst(hold[0]) == "9.z")
            hold9z.push_back(hold);
    }
    EXPECT_EQ(hold9z, (std::vector<Raekke>{{"9.z"s, "Udskoling"s}}));
    SqlKlasse sql(Datakilde::database);
    ASSERT_TRUE(sql.Forespoerg("select count(*) as antal from Hold where Type_AHo is null"));
    int32_t nuller = -1;
    ASSERT_TRUE(sql.HentTal("antal", nuller));
    EXPECT_EQ(nuller, 0);
}

TEST_F(Skoledatabasen, TablesOfOurOwnComeWithTheFirstRowsAndTravelWithThePlan)
{
    Skoledatabase db;
    EXPECT_TRUE(db.Laes().Af("Aktivitet").empty());
    Skoledata sport;
    sport.Tilfoej("Gruppe", {"Plan2026"s, "1.a"s, "Køn"s, "drenge"s});
    sport.Tilfoej("Gruppe", {"Plan2026"s, "1.a"s, "Køn"s, "piger"s});
    sport.Tilfoej("Aktivitet", {"Plan2026"s, "A1"s, "Idræt"s, 2, 2});
    sport.Tilfoej("AktivitetDeltager", {"Plan2026"s, "A1"s, "1.a"s, "piger"s});
    sport.Tilfoej("AktivitetDeltager", {"Plan2026"s, "A1"s, "2.a"s, "tom"s});
    sport.Tilfoej("AktivitetLaerer", {"Plan2026"s, "A1"s, "Hanne"s});
    sport.Tilfoej("AktivitetLokale", {"Plan2026"s, "A1"s, 1, "Gymsal"s});
    sport.Tilfoej("AktivitetSkema", {"Plan2026"s, "A1"s, 0, 2, 2});
    sport.Tilfoej("AktivitetSkemaLokale", {"Plan2026"s, "A1"s, 0, 2, 1, "Gymsal"s});
    std::vector<std::string> fejl;
    ASSERT_TRUE(db.Tilfoej(sport, fejl)) << fejl.front();
    for (const auto& [tabel, raekker] : sport.raekker)
        EXPECT_EQ(db.Laes().Af(tabel), raekker) << tabel;

    // The teaching is the plan's; where it stands goes along only with the lessons.
    ASSERT_TRUE(db.KopierPlan("Plan2026", "Plan2028", false, fejl)) << fejl.front();
    ASSERT_TRUE(db.KopierPlan("Plan2026", "Plan2029", true, fejl)) << fejl.front();
    const Skoledata efter = db.Laes();
    EXPECT_EQ(PlanensRaekker(efter, "AktivitetDeltager", 0, "Plan2028").size(), 2u);
    EXPECT_TRUE(PlanensRaekker(efter, "AktivitetSkema", 0, "Plan2028").empty());
    EXPECT_EQ(PlanensRaekker(efter, "AktivitetSkemaLokale", 0, "Plan2029").size(), 1u);

    // A need is numbered from 1, and a participant must be a class.
    Skoledata forkert;
    forkert.Tilfoej("AktivitetLokale", {"Plan2026"s, "A1"s, 0, "Gymsal"s});
    forkert.Tilfoej("AktivitetDeltager", {"Plan2026"s, "A1"s, "9.z"s, "tom"s});
    EXPECT_FALSE(db.Tilfoej(forkert, fejl));
    EXPECT_EQ(fejl.size(), 2u);
}

TEST_F(Skoledatabasen, ThePlannersRulesAreTablesOfOurOwnThatTravelWithThePlan)
{
    Skoledatabase db;
    EXPECT_TRUE(db.Laes().Af("Planregel").empty());
    Skoledata regler;
    regler.Tilfoej("Planregel", {"Plan2026"s, 1, "pause"s, "tom"s, "tom"s, "tom"s, "tom"s, "tom"s, "tom"s, 0, 100});
    regler.Tilfoej("PlanregelTid", {"Plan2026"s, 1, 0, 3});
    regler.Tilfoej("Planregel",
                   {"Plan2026"s, 2, "lærer dage"s, "Hanne"s, "tom"s, "tom"s, "tom"s, "tom"s, "tom"s, 4, 80});
    regler.Tilfoej("Planregel",
                   {"Plan2026"s, 3, "dage imellem"s, "tom"s, "tom"s, "tom"s, "tom"s, "tom"s, "tom"s, 2, 100});
    regler.Tilfoej("PlanregelLektion", {"Plan2026"s, 3, "1.a"s, "Dansk_ind"s, "tom"s});
    std::vector<std::string> fejl;
    ASSERT_TRUE(db.Tilfoej(regler, fejl)) << fejl.front();
    for (const auto& [tabel, raekker] : regler.raekker)
        EXPECT_EQ(db.Laes().Af(tabel), raekker) << tabel;
    ASSERT_TRUE(db.KopierPlan("Plan2026", "Plan2028", false, fejl)) << fejl.front();
    EXPECT_EQ(PlanensRaekker(db.Laes(), "Planregel", 0, "Plan2028").size(), 3u);
    EXPECT_EQ(PlanensRaekker(db.Laes(), "PlanregelLektion", 0, "Plan2028").size(), 1u);

    // A kind the rules module does not know, a weight above 100 % and a class that does not exist.
    Skoledata forkert;
    forkert.Tilfoej("Planregel",
                    {"Plan2026"s, 4, "højst dage"s, "Hanne"s, "tom"s, "tom"s, "tom"s, "tom"s, "tom"s, 4, 100});
    forkert.Tilfoej("Planregel",
                    {"Plan2026"s, 5, "lærer dage"s, "Hanne"s, "tom"s, "tom"s, "tom"s, "tom"s, "tom"s, 4, 101});
    forkert.Tilfoej("Planregel", {"Plan2026"s, 6, "lukket"s, "tom"s, "9.z"s, "tom"s, "tom"s, "tom"s, "tom"s, 0, 100});
    EXPECT_FALSE(db.Tilfoej(forkert, fejl));
    EXPECT_EQ(fejl.size(), 3u);
}
