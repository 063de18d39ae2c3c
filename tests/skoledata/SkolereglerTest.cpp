#include "skoledata/Skoleregler.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

Skoledata LilleSkole()
{
    Skoledata data;
    data.Tilfoej("Plan", {"P1"s, "F1"s, 5, 8});
    data.Tilfoej("Hold", {"1.a"s, "Indskoling"s});
    data.Tilfoej("Fag", {"Dansk"s, 9, "Stamlokale"s});
    data.Tilfoej("Lokale", {"A1"s, "Stamlokale"s});
    return data;
}

struct Tilfaelde {
    std::string tabel;
    Raekke raekke;
    std::string besked; // empty: the row is accepted
};

} // namespace

TEST(Skoleregler, EveryBadInputIsRefusedWithItsMessageAndGoodOnesPass)
{
    const std::string langt(256, 'x');
    const std::string langtMenTilladt = [] {
        std::string s;
        for (int i = 0; i < 255; ++i)
            s += "æ"; // 255 characters, 510 bytes
        return s;
    }();
    const std::vector<Tilfaelde> tilfaelde{
        {"Hold", {""s, "Indskoling"s}, "Hold (): hold må ikke være tom"},
        {"Plan", {" "s, "F1"s, 5, 8}, "Planer ( ): plan må ikke være tom"},
        {"Hold", {"1.\nb"s, "Indskoling"s}, "hold må ikke indeholde styretegn"},
        {"Hold",
         {"1.\xC2\x85"
          "b"s,
          "Indskoling"s},
         "hold må ikke indeholde styretegn"},
        {"Hold", {langt, "Indskoling"s}, "hold må højst have 255 tegn"},
        {"Hold", {"tom"s, "Indskoling"s}, "Hold (tom): hold må ikke hedde \"tom\""},
        {"Hold", {"1.b"s, ""s}, "Hold (1.b): holdtype må ikke være tom"},
        {"Hold", {"1.b"s, 3}, "holdtype skal være en tekst"},
        {"Fag", {"Tysk"s, 41, "Stamlokale"s}, "Fag (Tysk): ugetimer skal være et tal fra 0 til 40, ikke 41"},
        {"Fag", {"Tysk"s, -1, "Stamlokale"s}, "ikke -1"},
        {"Fag", {"Tysk"s, "to"s, "Stamlokale"s}, "ugetimer skal være et heltal, ikke \"to\""},
        {"Plan", {"P2"s, "F2"s, 8, 8}, "Planer (P2): dage skal være et tal fra 1 til 7, ikke 8"},
        {"Plan", {"P2"s, "F2"s, 5, 0}, "timer pr. dag skal være et tal fra 1 til 16, ikke 0"},
        {"Plan", {"P2"s, "F2"s, 5, 17}, "timer pr. dag skal være et tal fra 1 til 16, ikke 17"},
        {"Plan", {"P1"s, "F1"s, 5, 8}, "Planer (P1): planen findes allerede"},
        {"Tidsprioritet", {"P1"s, "Hanne"s, 4, 0, 0}, "prioritet skal være et tal fra -3 til 3, ikke 4"},
        {"Tidsprioritet", {"P1"s, "Hanne"s, -3, 7, 0}, "dag skal være et tal fra 0 til 6, ikke 7"},
        {"Tidsprioritet", {"P1"s, "Hanne"s, -3, 0, 16}, "time skal være et tal fra 0 til 15, ikke 16"},
        // The C1 controls end at U+009F; U+00A0 (no-break space) is an ordinary character.
        {"Hold",
         {"1.\xC2\x9F"
          "b"s,
          "Indskoling"s},
         "hold må ikke indeholde styretegn"},
        {"Holdliste", {"9.z"s, "F1"s}, "Fordelingernes hold (F1, 9.z): hold \"9.z\" findes ikke; vælg en der findes"},
        {"HoldLaererRelation", {"1.a"s, "Tysk"s, "Hanne"s, "P1"s}, "fag \"Tysk\" findes ikke"},
        {"LokaleHoldRelation", {"1.a"s, "B7"s, "P1"s}, "lokale \"B7\" findes ikke"},
        {"Fag", {"Sløjd"s, 2, "Værksted"s}, "Fag (Sløjd): lokaletype \"Værksted\" har intet lokale"},
        {"Fag",
         {"Dansk"s, 8, "Stamlokale"s},
         "Fag (Dansk): findes allerede med andre værdier (gemt: Dansk, 9, Stamlokale; ny: Dansk, 8, Stamlokale)"},
        {"Lokale", {"A1"s}, "Lokaler: en række har 1 værdier, ikke 2"},
        // Accepted: the marker for "not assigned", a stored row again, long non-ASCII ids.
        {"HoldLaererRelation", {"1.a"s, "Dansk"s, "tom"s, "P1"s}, ""},
        {"LokaleHoldRelation", {"1.a"s, "tom"s, "P1"s}, ""},
        {"Fag", {"Dansk"s, 9, "Stamlokale"s}, ""},
        {"Hold", {langtMenTilladt, "Indskoling"s}, ""},
        {"Hold",
         {"1.\xC2\xA0"
          "b"s,
          "Indskoling"s},
         ""},
        {"Tidsprioritet", {"P1"s, "Hanne"s, -3, 4, 7}, ""},
    };
    const Skoledata gemte = LilleSkole();
    for (const Tilfaelde& t : tilfaelde) {
        Skoledata nye;
        nye.Tilfoej(t.tabel, t.raekke);
        const auto fejl = skoleregler::Kontroller(gemte, nye);
        if (t.besked.empty()) {
            EXPECT_TRUE(fejl.empty()) << t.tabel << ": " << (fejl.empty() ? "" : fejl.front());
            continue;
        }
        ASSERT_EQ(fejl.size(), 1u) << t.tabel << " " << t.besked;
        EXPECT_NE(fejl.front().find(t.besked), std::string::npos) << fejl.front();
    }

    // A key given twice among the new rows, and a reference to a new id.
    Skoledata nye;
    nye.Tilfoej("Hold", {"2.a"s, "Mellemtrin"s});
    nye.Tilfoej("Hold", {"2.a"s, "Mellemtrin"s});
    nye.Tilfoej("Holdliste", {"2.a"s, "F1"s});
    EXPECT_EQ(skoleregler::Kontroller(gemte, nye), std::vector<std::string>{"Hold (2.a): findes to gange"});
}
