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

// A week of the given size, teachers T and U, subject S, classes A and B, and the given activities and constraints.
std::string skole(const std::string& aktiviteter, const std::string& begraensninger = "", int dage = 5, int timer = 8)
{
    std::string tekst = "<fet><Days_List>";
    for (int d = 0; d < dage; ++d)
        tekst += "<Day><Name>D" + std::to_string(d) + "</Name></Day>";
    tekst += "</Days_List><Hours_List>";
    for (int t = 0; t < timer; ++t)
        tekst += "<Hour><Name>H" + std::to_string(t) + "</Name></Hour>";
    return tekst +
           "</Hours_List><Subjects_List><Subject><Name>S</Name></Subject></Subjects_List>"
           "<Teachers_List><Teacher><Name>T</Name></Teacher><Teacher><Name>U</Name></Teacher></Teachers_List>"
           "<Students_List><Year><Name>A</Name></Year><Year><Name>B</Name></Year></Students_List><Activities_List>" +
           aktiviteter + "</Activities_List><Time_Constraints_List>" + begraensninger +
           "</Time_Constraints_List></fet>";
}

// An activity of `timer` hours; a group of split parts shares gruppe.
std::string aktivitet(int id, const std::string& laerer, const std::string& fag, const std::string& hold, int timer,
                      int gruppe = 0)
{
    return "<Activity><Teacher>" + laerer + "</Teacher><Subject>" + fag + "</Subject><Students>" + hold +
           "</Students><Duration>" + std::to_string(timer) + "</Duration><Id>" + std::to_string(id) +
           "</Id><Activity_Group_Id>" + std::to_string(gruppe) + "</Activity_Group_Id><Active>true</Active></Activity>";
}

std::string utilgaengelig(const std::string& laerer, bool aktiv = true)
{
    return "<ConstraintTeacherNotAvailableTimes><Teacher>" + laerer +
           "</Teacher><Not_Available_Time><Day>D0</Day><Hour>H7</Hour></Not_Available_Time><Active>" +
           (aktiv ? "true" : "false") + "</Active></ConstraintTeacherNotAvailableTimes>";
}

// Translates the text as a file would be; false with the reason when refused.
bool oversaet(const std::string& tekst, Skoledata& ud, std::vector<std::string>& rapport, std::string& fejl)
{
    MidlertidigMappe mappe;
    std::ofstream("skole.fet") << tekst;
    XmlElement rod;
    return XmlElement::LaesFil("skole.fet", rod, fejl) && fetImport::Oversaet(rod, "P", ud, rapport, fejl);
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
                              "1 × ConstraintTeacherMaxGapsPerWeek", "Gruppen 2a og dens årgang 2 har begge timer",
                              "Aktivitet 10 (Musik) nævner faget Musik, som filen ikke har erklæret; overført"})
        EXPECT_TRUE(Indeholder(rapport, linje)) << linje;
    EXPECT_EQ(rapport.size(), 7u);

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

TEST(FetOversaettelse, TheWeekMayHaveFiveDaysOfEightHoursOrOneOfOne)
{
    for (const auto& [dage, timer] : {std::pair{5, 8}, std::pair{1, 1}}) {
        Skoledata data;
        std::vector<std::string> rapport;
        std::string fejl;
        ASSERT_TRUE(oversaet(skole(aktivitet(1, "T", "S", "A", 1), "", dage, timer), data, rapport, fejl)) << fejl;
        EXPECT_EQ(data.Af("Plan"), (std::vector<Raekke>{{"P"s, "P"s, dage, timer}}));
    }
}

TEST(FetOversaettelse, WhatTheFileGetsWrongIsReportedAndNothingThePlanWouldRefuseIsWritten)
{
    Skoledata data;
    std::vector<std::string> rapport;
    std::string fejl;
    const std::string aktiviteter = aktivitet(1, "T", "S", "A", 2, 1) +
                                    aktivitet(2, "T", "S", "A", 2, 1) + // a double lesson twice
                                    aktivitet(3, "T", "S", "A", 1) +    // the same subject as single hours
                                    aktivitet(4, "T", "S", "B", 1) +
                                    aktivitet(4, "U", "S", "B", 3) + // a second activity 4
                                    aktivitet(5, "X", "Y", "C", 1);  // nothing of it declared
    const std::string begraensninger = utilgaengelig("T") + utilgaengelig("U") + utilgaengelig("Ukendt") +
                                       utilgaengelig("X", false);
    ASSERT_TRUE(oversaet(skole(aktiviteter, begraensninger), data, rapport, fejl)) << fejl;

    EXPECT_EQ(Sorteret(data, "HoldLaererRelation"),
              (std::vector<Raekke>{{"A"s, "S_4"s, "T"s, "P"s}, {"B"s, "S_1"s, "T"s, "P"s}, {"C"s, "Y"s, "X"s, "P"s}}));
    EXPECT_EQ(Sorteret(data, "LaererFagProfil"),
              (std::vector<Raekke>{{"T"s, "S_1"s, 1, 1, "P"s}, {"T"s, "S_4"s, 1, 2, "P"s}, {"X"s, "Y"s, 1, 1, "P"s}}));
    // Only a teacher the plan has keeps unavailable hours; an inactive constraint is not carried over.
    EXPECT_EQ(Sorteret(data, "Tidsprioritet"), (std::vector<Raekke>{{"P"s, "T"s, -3, 0, 7}}));
    for (const char* linje :
         {"Aktivitet 3 (S, A) gentager holdets fag med anden lærer, blok eller lokale; ikke overført",
          "Aktivitet 4 (S) findes to gange i filen; den anden er ikke overført",
          "Aktivitet 5 (Y) nævner læreren X, faget Y og holdet C, som filen ikke har erklæret; overført, som det står",
          "Lærer U underviser ikke i det overførte; de utilgængelige tider er ikke overført",
          "Lærer Ukendt underviser ikke i det overførte; de utilgængelige tider er ikke overført",
          "1 × ConstraintTeacherNotAvailableTimes: har intet modsvar her (eller er ikke aktiv); ikke overført"})
        EXPECT_TRUE(Indeholder(rapport, linje)) << linje;
    EXPECT_EQ(rapport.size(), 6u + 3u) << "and a home room made for each of A, B and C";
}
