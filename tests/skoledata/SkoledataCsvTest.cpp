#include "skoledata/Skoledatabase.h"
#include "skoledata/SkoledataCsv.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

class SkoledataCsv : public DatabaseTest {};

} // namespace

TEST_F(SkoledataCsv, EveryTableComesBackFromItsFileWithTheSameRows)
{
    Skoledata data = Skoledatabase().Laes();
    // Values a spreadsheet must get back unchanged.
    data.Tilfoej("Hold", {"Hold;1 \"x\""s, "Type\r\nto"s});
    data.Tilfoej("Tidsprioritet", {"Plan2026"s, "Åse"s, -3, 4, 7});
    // Texts a spreadsheet would take for formulas, and one that only looks guarded.
    data.Tilfoej("Hold", {"=HYPERLINK(\"x\")"s, "@SUM(A1)"s});
    data.Tilfoej("Fag", {"-1"s, 3, "'+1"s});
    // The tables of our own, like the others.
    data.Tilfoej("Gruppe", {"Plan2026"s, "7.a"s, "Sprog"s, "Tysk"s});
    data.Tilfoej("AktivitetLokale", {"Plan2026"s, "=1"s, 2, "Hal A"s});
    for (const Tabel& tabel : Skematabeller()) {
        const std::string fil = skoledataCsv::Skriv(tabel, data.Af(tabel.navn));
        std::vector<Raekke> igen;
        std::vector<std::string> fejl;
        ASSERT_TRUE(skoledataCsv::Laes(tabel, fil, igen, fejl)) << tabel.navn << ": " << fejl.front();
        EXPECT_EQ(igen, data.Af(tabel.navn)) << tabel.navn;
    }
    EXPECT_EQ(skoledataCsv::Skriv(TabelNavngivet("Fagliste"), {{"Dansk"s}}), "fag\r\nDansk\r\n");
    EXPECT_EQ(skoledataCsv::Skriv(TabelNavngivet("Tidsprioritet"), {{"P"s, "-x"s, -3, 0, 0}}),
              "plan;lærer;prioritet;dag;time\r\nP;'-x;-3;0;0\r\n");
    EXPECT_EQ(skoledataCsv::Skriv(TabelNavngivet("AktivitetDeltager"), {{"P"s, "1"s, "7.a"s, "tom"s}}),
              "plan;aktivitet;hold;gruppe\r\nP;1;7.a;tom\r\n");
}

TEST(SkoledataCsvFil, ReadsWhatSpreadsheetsWriteAndNamesWhatItCannot)
{
    const Tabel& fag = TabelNavngivet("Fag");
    std::vector<Raekke> raekker;
    std::vector<std::string> fejl;
    // A byte order mark, line feeds only, a missing final line break; "ti" is kept for the rules to refuse.
    EXPECT_FALSE(skoledataCsv::Laes(fag, "\xEF\xBB\xBFugetimer;lokaletype\n", raekker, fejl));
    EXPECT_EQ(fejl, std::vector<std::string>{"Række 1: overskrifterne skal være fag;ugetimer;lokaletype for Fag"});
    ASSERT_TRUE(skoledataCsv::Laes(fag,
                                   "\xEF\xBB\xBF"
                                   "fag;ugetimer;lokaletype\nDansk;9;Stamlokale\nTysk;ti;\"A;B\"",
                                   raekker, fejl));
    EXPECT_EQ(raekker, (std::vector<Raekke>{{"Dansk"s, 9, "Stamlokale"s}, {"Tysk"s, "ti"s, "A;B"s}}));

    raekker.clear();
    EXPECT_FALSE(
        skoledataCsv::Laes(fag, "fag;ugetimer;lokaletype\r\nDansk;9\r\nTysk;3;Stamlokale;x\r\n", raekker, fejl));
    EXPECT_EQ(fejl, (std::vector<std::string>{"Række 2: 2 felter, ikke 3 (fag;ugetimer;lokaletype)",
                                              "Række 3: 4 felter, ikke 3 (fag;ugetimer;lokaletype)"}));
    EXPECT_TRUE(raekker.empty()) << "nothing is taken from a file with faults";
}
