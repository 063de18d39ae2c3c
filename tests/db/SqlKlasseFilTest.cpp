#include "db/SqlKlasse.h"
#include "db/TSqlModul.h"
#include "support/MidlertidigMappe.h"
#include "support/TestModtager.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

namespace {

std::string Indhold(const std::string& fil)
{
    std::ifstream ind(fil);
    std::ostringstream tekst;
    tekst << ind.rdbuf();
    return tekst.str();
}

void Skriv(const std::string& fil, const std::string& tekst) { std::ofstream(fil) << tekst; }

// Walks a result with the reading protocol every caller uses.
std::vector<std::pair<std::string, int32_t>> LaesTekstOgTal(SqlKlasse& sql, const std::string& kilde)
{
    std::vector<std::pair<std::string, int32_t>> raekker;
    if (!sql.Forespoerg(kilde))
        return raekker;
    std::string tekst;
    int32_t tal = 0;
    while (sql.HentTekst("HoldID", tekst) && sql.HentTal("AntalTimer", tal)) {
        raekker.emplace_back(tekst, tal);
        if (!sql.Naeste())
            break;
    }
    return raekker;
}

using Raekker = std::vector<std::pair<std::string, int32_t>>;

} // namespace

TEST(SqlKlasseFil, InsertsAreAppendedAsLiteralLinesWithNegativeNumbers)
{
    MidlertidigMappe mappe;
    SqlKlasse sql(Datakilde::tekstfiler);
    for (const int32_t raekke : {7, -3}) {
        sql.IndsaetStart("Lektion");
        for (const char* tekst : {"Plan2026", "1.a", "Dansk", "Anne", "A1"})
            sql.TilfoejTekst(tekst);
        sql.TilfoejTal(2);
        sql.TilfoejTal(0);
        sql.TilfoejTal(raekke);
        EXPECT_TRUE(sql.IndsaetSlut());
    }
    EXPECT_EQ(Indhold("Lektion.txt"), "insert into Lektion values ('Plan2026','1.a','Dansk','Anne','A1',2,0,7)\n"
                                      "insert into Lektion values ('Plan2026','1.a','Dansk','Anne','A1',2,0,-3)\n");
}

TEST(SqlKlasseFil, InsertFailsWhenTheFileCannotBeOpened)
{
    MidlertidigMappe mappe;
    SqlKlasse sql(Datakilde::tekstfiler);
    sql.IndsaetStart("findes/ikke/Lektion");
    sql.TilfoejTekst("a");
    MedTestModtager m;
    EXPECT_FALSE(sql.IndsaetSlut());
    EXPECT_EQ(m.modtager.sporTekst, "fejl i indsaetning\n");
}

TEST(SqlKlasseFil, ReadsWhitespaceTokensRowByRow)
{
    MidlertidigMappe mappe;
    SqlKlasse sql(Datakilde::tekstfiler);
    Skriv("HoldListe.txt", "1.a 25\n2.b\t-4   ekstra felter ignoreres\n\n");
    EXPECT_EQ(LaesTekstOgTal(sql, "HoldListe.txt"), (Raekker{{"1.a", 25}, {"2.b", -4}}));
    // The stream is closed at its end: further reads and moves fail.
    std::string tekst;
    EXPECT_FALSE(sql.HentTekst("HoldID", tekst));
    EXPECT_FALSE(sql.Naeste());

    Skriv("UdenLinjeskift.txt", "1.a 25\nÆrø 3");
    EXPECT_EQ(LaesTekstOgTal(sql, "UdenLinjeskift.txt"), (Raekker{{"1.a", 25}, {"Ærø", 3}}));
}

TEST(SqlKlasseFil, MissingOrEmptyFileGivesNoRows)
{
    MidlertidigMappe mappe;
    SqlKlasse sql(Datakilde::tekstfiler);
    EXPECT_FALSE(sql.Forespoerg("Findes.txt"));
    std::string tekst = "uroert";
    EXPECT_FALSE(sql.HentTekst("HoldID", tekst));
    EXPECT_EQ(tekst, "uroert");
    EXPECT_FALSE(sql.Naeste());

    Skriv("Tom.txt", "");
    EXPECT_TRUE(sql.Forespoerg("Tom.txt"));
    EXPECT_FALSE(sql.HentTekst("HoldID", tekst));
}

TEST(SqlKlasseFil, ANonNumericTokenIsNotReadAsANumber)
{
    MidlertidigMappe mappe;
    SqlKlasse sql(Datakilde::tekstfiler);
    Skriv("Liste.txt", "1.a 2x\n");
    ASSERT_TRUE(sql.Forespoerg("Liste.txt"));
    std::string tekst;
    int32_t tal = 99;
    EXPECT_TRUE(sql.HentTekst("HoldID", tekst));
    EXPECT_FALSE(sql.HentTal("AntalTimer", tal));
    EXPECT_EQ(tal, 99);
}

TEST(SqlKlasseFil, SkrivLinjeAppendsLines)
{
    MidlertidigMappe mappe;
    SqlKlasse sql(Datakilde::tekstfiler);
    sql.SkrivLinje("første", "Log");
    sql.SkrivLinje("anden", "Log");
    EXPECT_EQ(Indhold("Log.txt"), "første\nanden\n");
}

TEST(SqlKlasseFil, TransactionsAndStatementsDoNotTouchADatabase)
{
    MidlertidigMappe mappe;
    // The chosen database cannot be reached: any attempt to connect would throw.
    std::string fejl;
    ASSERT_TRUE(TSqlModul::Instans().VaelgForbindelse("postgresql://ingen@127.0.0.1:1/ingen", fejl));
    SqlKlasse sql(Datakilde::tekstfiler);
    EXPECT_NO_THROW({
        sql.StartTransaktion();
        sql.Rollback();
        sql.StartTransaktion();
        sql.Commit();
        EXPECT_TRUE(sql.UdfoerSql("delete from Lektion"));
    });
    TSqlModul::Instans().Luk();
}
