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
        {"Fag", {"Tysk"s, 113, "Stamlokale"s}, "Fag (Tysk): ugetimer skal være et tal fra 0 til 112, ikke 113"},
        {"Fag", {"Tysk"s, -1, "Stamlokale"s}, "ikke -1"},
        {"Fag", {"Tysk"s, "to"s, "Stamlokale"s}, "ugetimer skal være et heltal, ikke \"to\""},
        {"Plan", {"P2"s, "F2"s, 8, 8}, "Planer (P2): dage skal være et tal fra 1 til 7, ikke 8"},
        {"Plan", {"P2"s, "F2"s, 5, 0}, "timer pr. dag skal være et tal fra 1 til 16, ikke 0"},
        {"Plan", {"P2"s, "F2"s, 7, 17}, "timer pr. dag skal være et tal fra 1 til 16, ikke 17"},
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
        {"Tidsprioritet", {"P1"s, "Hanne"s, -3, 6, 15}, ""},
        {"Plan", {"P3"s, "F1"s, 7, 16}, ""},
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

namespace {

// Two classes learning German together, 7.a split by language; 7.c has no groups.
Skoledata SprogSkole()
{
    Skoledata data;
    data.Tilfoej("Plan", {"P1"s, "F1"s, 5, 8});
    data.Tilfoej("Plan", {"P2"s, "F1"s, 5, 8});
    for (const std::string hold : {"7.a", "7.b", "7.c"})
        data.Tilfoej("Hold", {hold, "Udskoling"s});
    data.Tilfoej("Fag", {"Tysk"s, 2, "Stamlokale"s});
    data.Tilfoej("Fag", {"Idræt"s, 2, "Hal"s});
    data.Tilfoej("Lokale", {"Hal A"s, "Hal"s});
    data.Tilfoej("Lokale", {"Hal B"s, "Hal"s});
    for (const std::string hold : {"7.a", "7.b"}) {
        data.Tilfoej("Gruppe", {"P1"s, hold, "Sprog"s, "Tysk"s});
        data.Tilfoej("Gruppe", {"P1"s, hold, "Sprog"s, "Fransk"s});
    }
    data.Tilfoej("Aktivitet", {"P1"s, "A1"s, "Tysk"s, 2, 2});
    data.Tilfoej("AktivitetDeltager", {"P1"s, "A1"s, "7.a"s, "Tysk"s});
    data.Tilfoej("AktivitetDeltager", {"P1"s, "A1"s, "7.b"s, "Tysk"s});
    data.Tilfoej("AktivitetLaerer", {"P1"s, "A1"s, "Eva"s});
    return data;
}

struct Raekker {
    std::vector<std::pair<std::string, Raekke>> raekker;
    std::string besked; // empty: the rows are accepted
};

} // namespace

TEST(Skoleregler, GroupsAndActivitiesAreRefusedWithWhatToChange)
{
    const std::vector<Raekker> tilfaelde{
        {{{"AktivitetDeltager", {"P1"s, "A1"s, "7.a"s, "Spansk"s}}},
         "Aktiviteternes deltagere (P1, A1, 7.a, Spansk): gruppe \"Spansk\" er ikke en gruppe af hold 7.a i plan P1; "
         "vælg en af Fransk, Tysk, eller tom for hele holdet"},
        {{{"AktivitetDeltager", {"P1"s, "A1"s, "7.c"s, "Tysk"s}}},
         "gruppe \"Tysk\": hold 7.c har ingen grupper i plan P1; tilføj gruppen under Grupper, eller vælg tom for hele "
         "holdet"},
        {{{"AktivitetDeltager", {"P1"s, "A1"s, "9.z"s, "tom"s}}}, "hold \"9.z\" findes ikke"},
        {{{"AktivitetDeltager", {"P1"s, "A1"s, "7.c"s, "tom"s}}}, ""},
        // A division of one group would be the class under another name: its other groups are missing.
        {{{"Gruppe", {"P1"s, "7.c"s, "Idræt"s, "piger"s}}},
         "Grupper (P1, 7.c, piger): inddeling \"Idræt\" har kun gruppen \"piger\"; en inddeling deler holdet i mindst "
         "to grupper, så tilføj de andre, eller lad aktiviteterne bruge hele holdet (gruppe tom)"},
        {{{"Gruppe", {"P1"s, "7.c"s, "Idræt"s, "piger"s}}, {"Gruppe", {"P1"s, "7.c"s, "Idræt"s, "drenge"s}}}, ""},
        {{{"Gruppe", {"P1"s, "7.a"s, "Køn"s, "Tysk"s}}, {"Gruppe", {"P1"s, "7.a"s, "Køn"s, "piger"s}}},
         "Grupper (P1, 7.a, Tysk): gruppe \"Tysk\" bruges to gange i hold 7.a; giv den ene gruppe et andet navn"},
        {{{"Aktivitet", {"P1"s, "A2"s, "Idræt"s, 2, 1}}},
         "Aktiviteter (P1, A2): aktivitet har hverken deltagere eller lærere; tilføj mindst én af dem, eller slet "
         "aktiviteten"},
        // A duty without students, and a lesson without a teacher, are activities.
        {{{"Aktivitet", {"P1"s, "A2"s, "Idræt"s, 2, 1}}, {"AktivitetLaerer", {"P1"s, "A2"s, "Ole"s}}}, ""},
        {{{"Aktivitet", {"P1"s, "A2"s, "Idræt"s, 2, 1}}, {"AktivitetDeltager", {"P1"s, "A2"s, "7.c"s, "tom"s}}}, ""},
        {{{"Aktivitet", {"P1"s, "A2"s, "Idræt"s, 5, 2}}, {"AktivitetLaerer", {"P1"s, "A2"s, "Ole"s}}},
         "Aktiviteter (P1, A2): ugetimer 5 er ikke et helt antal blokke på 2 timer; vælg 4 eller 6, eller en anden "
         "blokstørrelse"},
        {{{"Aktivitet", {"P1"s, "A2"s, "Idræt"s, 9, 9}}, {"AktivitetLaerer", {"P1"s, "A2"s, "Ole"s}}},
         "længde 9 er længere end planens dag på 8 timer; vælg højst 8"},
        {{{"Aktivitet", {"P1"s, "A2"s, "Latin"s, 2, 1}}, {"AktivitetLaerer", {"P1"s, "A2"s, "Ole"s}}},
         "fag \"Latin\" findes ikke"},
        {{{"AktivitetLokale", {"P1"s, "A1"s, 2, "Hal A"s}}},
         "Aktiviteternes lokaler (P1, A1, 2, Hal A): lokalebehov 2, men aktiviteten har intet lokalebehov 1; nummerér "
         "behovene 1, 2, 3 … uden huller"},
        {{{"AktivitetLokale", {"P1"s, "A1"s, 1, "Hal A"s}},
          {"AktivitetLokale", {"P1"s, "A1"s, 1, "Hal B"s}},
          {"AktivitetLokale", {"P1"s, "A1"s, 2, "Hal B"s}}},
         ""},
        {{{"AktivitetLokale", {"P1"s, "A1"s, 1, "Hal Z"s}}}, "lokale \"Hal Z\" findes ikke"},
        // Activity ids count within their plan.
        {{{"AktivitetLaerer", {"P2"s, "A1"s, "Ole"s}}},
         "Aktiviteternes lærere (P2, A1, Ole): aktivitet \"A1\" findes ikke i plan P2; vælg en af planens aktiviteter"},
        {{{"Aktivitet", {"P2"s, "A1"s, "Idræt"s, 2, 1}}, {"AktivitetLaerer", {"P2"s, "A1"s, "Ole"s}}}, ""},
    };
    const Skoledata gemte = SprogSkole();
    for (const Raekker& t : tilfaelde) {
        Skoledata nye;
        for (const auto& [tabel, raekke] : t.raekker)
            nye.Tilfoej(tabel, raekke);
        const auto fejl = skoleregler::Kontroller(gemte, nye);
        if (t.besked.empty()) {
            EXPECT_TRUE(fejl.empty()) << t.raekker.front().first << ": " << (fejl.empty() ? "" : fejl.front());
            continue;
        }
        ASSERT_EQ(fejl.size(), 1u) << t.besked << "\n" << fejl.front();
        EXPECT_NE(fejl.front().find(t.besked), std::string::npos) << fejl.front();
    }

    // Removing every participant and teacher leaves the stored activity empty.
    Skoledata tilbage = gemte;
    Skoledata fjernede;
    for (const std::string tabel : {"AktivitetDeltager", "AktivitetLaerer"})
        fjernede.raekker[tabel] = std::move(tilbage.raekker[tabel]);
    EXPECT_EQ(skoleregler::Kontroller(tilbage, {}, fjernede),
              std::vector<std::string>{"Aktiviteter (P1, A1): aktivitet har hverken deltagere eller lærere; tilføj "
                                       "mindst én af dem, eller slet aktiviteten"});
    // The window asks the same rules of one cell.
    const Tabel& deltager = TabelNavngivet("AktivitetDeltager");
    Skoledata medSpansk = gemte;
    medSpansk.Tilfoej("AktivitetDeltager", {"P1"s, "A1"s, "7.b"s, "Spansk"s});
    EXPECT_NE(skoleregler::Cellekontrol(medSpansk)
                  .Fejl(deltager, medSpansk.Af("AktivitetDeltager").back(), 3)
                  .find("er ikke en gruppe af hold 7.b"),
              std::string::npos);
    EXPECT_EQ(skoleregler::Cellekontrol(medSpansk).Fejl(deltager, medSpansk.Af("AktivitetDeltager").front(), 3), "");
}
