#include "import/FetImport.h"
#include "skoledata/Skoledatabase.h"
#include "import/XmlElement.h"
#include "support/MidlertidigMappe.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {

using namespace std::string_literals;

const std::string lilleSkole = std::string(BRIKKEN_TESTDATA) + "/lille-skole.fet";

class FetImport : public DatabaseTest {
protected:
    FetImport() : DatabaseTest(TestDatabase::Indhold::Skema) {}
};

std::vector<Raekke> Sorteret(const Skoledata& data, const std::string& tabel)
{
    std::vector<Raekke> raekker = data.Af(tabel);
    std::sort(raekker.begin(), raekker.end());
    return raekker;
}

bool Indeholder(const std::vector<std::string>& linjer, const std::string& tekst)
{
    return std::any_of(linjer.begin(), linjer.end(),
                       [&](const std::string& l) { return l.find(tekst) != std::string::npos; });
}

} // namespace

TEST_F(FetImport, CarriesTheSmallSchoolOverAndReportsWhatItCannot)
{
    std::vector<std::string> rapport, fejl;
    ASSERT_TRUE(fetImport::Importer(lilleSkole, "Lille", rapport, fejl)) << fejl.front();
    const Skoledata data = Skoledatabase().Laes();

    EXPECT_EQ(Sorteret(data, "Plan"), (std::vector<Raekke>{{"Lille"s, "Lille"s, 3, 4}}));
    // Different hours per class split the subject; the hall asked for becomes a room type.
    EXPECT_EQ(Sorteret(data, "Fag"), (std::vector<Raekke>{{"Biologia_2"s, 2, "Stamlokale"s},
                                                          {"Biologia_3"s, 3, "Stamlokale"s},
                                                          {"Dansk"s, 4, "Stamlokale"s},
                                                          {"Idræt"s, 1, "Hal"s},
                                                          {"Musik"s, 1, "Stamlokale"s}}));
    // Two double lessons give block size 2.
    EXPECT_EQ(Sorteret(data, "LaererFagProfil"), (std::vector<Raekke>{{"Anne"s, "Dansk"s, 1, 2, "Lille"s},
                                                                      {"Anne"s, "Idræt"s, 1, 1, "Lille"s},
                                                                      {"Bo"s, "Biologia_2"s, 1, 1, "Lille"s},
                                                                      {"Bo"s, "Biologia_3"s, 1, 3, "Lille"s},
                                                                      {"Bo"s, "Musik"s, 1, 1, "Lille"s}}));
    EXPECT_EQ(Sorteret(data, "HoldLaererRelation"), (std::vector<Raekke>{{"1a"s, "Biologia_2"s, "Bo"s, "Lille"s},
                                                                         {"1a"s, "Dansk"s, "Anne"s, "Lille"s},
                                                                         {"2"s, "Musik"s, "Bo"s, "Lille"s},
                                                                         {"2a"s, "Biologia_3"s, "Bo"s, "Lille"s},
                                                                         {"2a"s, "Idræt"s, "Anne"s, "Lille"s}}));
    // The room all of a class's activities ask for and a free room become home rooms;
    // a class without one gets a room made for it.
    EXPECT_EQ(Sorteret(data, "LokaleHoldRelation"),
              (std::vector<Raekke>{
                  {"1a"s, "Lokale 3"s, "Lille"s}, {"2"s, "Lokale 1"s, "Lille"s}, {"2a"s, "Stamlokale_2a"s, "Lille"s}}));
    EXPECT_EQ(Sorteret(data, "Tidsprioritet"),
              (std::vector<Raekke>{{"Lille"s, "Bo"s, -3, 0, 0}, {"Lille"s, "Bo"s, -3, 2, 3}}));
    for (const char* linje : {"Aktivitet 7 (Dansk) har flere lærere (Anne, Bo)", "undergruppen 2a-hold1",
                              "Aktivitet 9 (Idræt) har flere hold (1a, 2a)", "stamlokalet Stamlokale_2a er oprettet",
                              "1 × ConstraintTeacherMaxGapsPerWeek", "Gruppen 2a og dens årgang 2 har begge timer"})
        EXPECT_TRUE(Indeholder(rapport, linje)) << linje;
    EXPECT_EQ(rapport.size(), 6u);

    // The same file again: the same rows, and the stored plan is not touched.
    XmlElement rod;
    std::string grund;
    ASSERT_TRUE(XmlElement::LaesFil(lilleSkole, rod, grund));
    Skoledata igen;
    std::vector<std::string> igenRapport;
    ASSERT_TRUE(fetImport::Oversaet(rod, "Lille", igen, igenRapport, grund));
    for (const auto& [tabel, raekker] : igen.raekker)
        EXPECT_EQ(Sorteret(igen, tabel), Sorteret(data, tabel)) << tabel;
    EXPECT_FALSE(fetImport::Importer(lilleSkole, "Lille", rapport, fejl));
    EXPECT_EQ(fejl, std::vector<std::string>{"Planen Lille findes allerede; importen er afvist"});
    EXPECT_EQ(Skoledatabase().Laes().raekker, data.raekker);
}

TEST_F(FetImport, RefusesFilesItCannotUseAndWritesNothing)
{
    const std::string uge = R"(<fet><Days_List>DAGE</Days_List><Hours_List>TIMER</Hours_List></fet>)";
    const auto gentag = [](const std::string& element, int antal) {
        std::string ud;
        for (int i = 0; i < antal; ++i)
            ud += "<" + element + "><Name>" + std::to_string(i) + "</Name></" + element + ">";
        return ud;
    };
    const auto fil = [&](int dage, int timer) {
        std::string tekst = uge;
        tekst.replace(tekst.find("DAGE"), 4, gentag("Day", dage));
        tekst.replace(tekst.find("TIMER"), 5, gentag("Hour", timer));
        return tekst;
    };
    std::string dybt;
    for (int i = 0; i < 100; ++i)
        dybt += "<a>";
    const std::vector<std::pair<std::string, std::string>> tilfaelde{
        {fil(6, 8), "Filens uge har 6 dage og 8 timer pr. dag; skemaet har plads til 1-5 dage og 1-8 timer pr. dag"},
        {fil(5, 9), "Filens uge har 5 dage og 9 timer pr. dag"},
        {fil(0, 4), "Filens uge har 0 dage"},
        {"<fet><Days_List>", "er ikke gyldig XML (linje 1)"},
        {"<skema/>", "er ikke en skemafil i .fet-formatet"},
        {"<fet>" + dybt, "indlejret for dybt"},
    };
    MidlertidigMappe mappe;
    const Skoledata foer = Skoledatabase().Laes();
    for (const auto& [indhold, besked] : tilfaelde) {
        std::ofstream("skole.fet") << indhold;
        std::vector<std::string> rapport, fejl;
        EXPECT_FALSE(fetImport::Importer("skole.fet", "P", rapport, fejl)) << besked;
        ASSERT_EQ(fejl.size(), 1u) << besked;
        EXPECT_NE(fejl.front().find(besked), std::string::npos) << fejl.front();
    }
    std::vector<std::string> rapport, fejl;
    EXPECT_FALSE(fetImport::Importer("findes-ikke.fet", "P", rapport, fejl));
    EXPECT_NE(fejl.front().find("kan ikke åbnes"), std::string::npos) << fejl.front();
    EXPECT_EQ(Skoledatabase().Laes().raekker, foer.raekker);
}
