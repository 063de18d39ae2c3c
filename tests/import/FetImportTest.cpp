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

// The parts of a file: a week of the given size, teachers T and U, subjects S, M and N, classes A and B unless
// other students are given, and the given activities, rooms and constraints.
struct Fil {
    std::string aktiviteter;
    std::string tid{};
    int dage = 5;
    int timer = 8;
    std::string elever = "<Year><Name>A</Name></Year><Year><Name>B</Name></Year>";
    std::string lokaler{};
    std::string rum{};
};

std::string skole(const Fil& fil)
{
    std::string tekst = "<fet><Days_List>";
    for (int d = 0; d < fil.dage; ++d)
        tekst += "<Day><Name>D" + std::to_string(d) + "</Name></Day>";
    tekst += "</Days_List><Hours_List>";
    for (int t = 0; t < fil.timer; ++t)
        tekst += "<Hour><Name>H" + std::to_string(t) + "</Name></Hour>";
    return tekst +
           "</Hours_List><Subjects_List><Subject><Name>S</Name></Subject><Subject><Name>M</Name></Subject>"
           "<Subject><Name>N</Name></Subject></Subjects_List>"
           "<Teachers_List><Teacher><Name>T</Name></Teacher><Teacher><Name>U</Name></Teacher></Teachers_List>"
           "<Students_List>" +
           fil.elever + "</Students_List><Activities_List>" + fil.aktiviteter + "</Activities_List><Rooms_List>" +
           fil.lokaler + "</Rooms_List><Time_Constraints_List>" + fil.tid +
           "</Time_Constraints_List><Space_Constraints_List>" + fil.rum + "</Space_Constraints_List></fet>";
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
    // Year 2, its one group 2a and that group's one subgroup are the same students: one class, named by the year.
    EXPECT_EQ(Sorteret(data, "HoldLaererRelation"), (std::vector<Raekke>{{"1a"s, "Biologia_2"s, "Bo"s, "Lille"s},
                                                                         {"1a"s, "Dansk"s, "Anne"s, "Lille"s},
                                                                         {"2"s, "Biologia_3"s, "Bo"s, "Lille"s},
                                                                         {"2"s, "Idræt"s, "Anne"s, "Lille"s},
                                                                         {"2"s, "Musik"s, "Bo"s, "Lille"s}}));
    // The room all of a class's requests name and a free room become home rooms.
    EXPECT_EQ(Sorteret(data, "LokaleHoldRelation"),
              (std::vector<Raekke>{{"1a"s, "Lokale 3"s, "Lille"s}, {"2"s, "Lokale 1"s, "Lille"s}}));
    EXPECT_EQ(Sorteret(data, "Tidsprioritet"),
              (std::vector<Raekke>{{"Lille"s, "Bo"s, -3, 0, 0}, {"Lille"s, "Bo"s, -3, 2, 3}}));
    for (const char* linje :
         {"Aktivitet 7 (Dansk) har flere lærere (Anne, Bo)",
          "Aktivitet 8 (Idræt, 2) gentager holdets fag med anden lærer eller blok; ikke overført",
          "Aktivitet 9 (Idræt) har flere hold (1a, 2a)", "1 × ConstraintTeacherMaxGapsPerWeek",
          "Aktivitet 10 (Musik) nævner faget Musik, som filen ikke har erklæret; overført",
          "Ikke overført i alt: 2 aktiviteter med 2 timer: 1 med flere hold (1 time), 1 med flere lærere (1 time)"})
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
        {fil(8, 8), "Filens uge har 8 dage og 8 timer pr. dag; skemaet har plads til 1-7 dage og 1-16 timer pr. dag"},
        {fil(5, 17), "Filens uge har 5 dage og 17 timer pr. dag"},
        {fil(0, 4), "Filens uge har 0 dage"},
        {"<fet><Days_List>", "er ikke gyldig XML (linje 1)"},
        {"<skema/>", "er ikke en skemafil i .fet-formatet"},
        {"<fet>" + dybt, "indlejret for dybt"},
        // Nothing to carry over: a plan without lessons would be of no use.
        {skole({.aktiviteter = aktivitet(1, "T</Teacher><Teacher>U", "S", "A", 2)}),
         "Filen har ingen undervisning, der kan overføres"},
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

TEST(FetOversaettelse, TheWeekMayHaveUpToSevenDaysOfSixteenHoursOrOneOfOne)
{
    for (const auto& [dage, timer] : {std::pair{5, 8}, std::pair{1, 1}, std::pair{7, 16}, std::pair{6, 10}}) {
        Skoledata data;
        std::vector<std::string> rapport;
        std::string fejl;
        ASSERT_TRUE(oversaet(skole({.aktiviteter = aktivitet(1, "T", "S", "A", 1), .dage = dage, .timer = timer}), data,
                             rapport, fejl))
            << fejl;
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
    ASSERT_TRUE(oversaet(skole({.aktiviteter = aktiviteter, .tid = begraensninger}), data, rapport, fejl)) << fejl;

    EXPECT_EQ(Sorteret(data, "HoldLaererRelation"),
              (std::vector<Raekke>{{"A"s, "S_4"s, "T"s, "P"s}, {"B"s, "S_1"s, "T"s, "P"s}, {"C"s, "Y"s, "X"s, "P"s}}));
    EXPECT_EQ(Sorteret(data, "LaererFagProfil"),
              (std::vector<Raekke>{{"T"s, "S_1"s, 1, 1, "P"s}, {"T"s, "S_4"s, 1, 2, "P"s}, {"X"s, "Y"s, 1, 1, "P"s}}));
    // Only a teacher the plan has keeps unavailable hours; an inactive constraint is not carried over.
    EXPECT_EQ(Sorteret(data, "Tidsprioritet"), (std::vector<Raekke>{{"P"s, "T"s, -3, 0, 7}}));
    for (const char* linje :
         {"Aktivitet 3 (S, A) gentager holdets fag med anden lærer eller blok; ikke overført",
          "Aktivitet 4 (S) findes to gange i filen; den anden er ikke overført",
          "Aktivitet 5 (Y) nævner læreren X, faget Y og holdet C, som filen ikke har erklæret; overført, som det står",
          "Lærer U underviser ikke i det overførte; de utilgængelige tider er ikke overført",
          "Lærer Ukendt underviser ikke i det overførte; de utilgængelige tider er ikke overført",
          "1 × ConstraintTeacherNotAvailableTimes: har intet modsvar her (eller er ikke aktiv); ikke overført"})
        EXPECT_TRUE(Indeholder(rapport, linje)) << linje;
    EXPECT_EQ(rapport.size(), 6u + 3u) << "and a home room made for each of A, B and C";
}

TEST_F(FetImport, ASixDayWeekComesInWithItsSaturday)
{
    std::vector<std::string> rapport, fejl;
    ASSERT_TRUE(fetImport::Importer(std::string(BRIKKEN_TESTDATA) + "/seks-dage.fet", "Seks", rapport, fejl))
        << fejl.front();
    const Skoledata data = Skoledatabase().Laes();
    EXPECT_EQ(Sorteret(data, "Plan"), (std::vector<Raekke>{{"Seks"s, "Seks"s, 6, 3}}));
    // Six hours of Danish need the Saturday; Per cannot teach in its last hour.
    EXPECT_EQ(Sorteret(data, "Fag"),
              (std::vector<Raekke>{{"Dansk"s, 6, "Stamlokale"s}, {"Matematik"s, 2, "Stamlokale"s}}));
    EXPECT_EQ(Sorteret(data, "Tidsprioritet"), (std::vector<Raekke>{{"Seks"s, "Per"s, -3, 5, 2}}));
    EXPECT_TRUE(rapport.empty()) << rapport.front();
}

// F: a year with one group with one subgroup. G: a group whose subgroups 201 and 202 are taught apart. H: a year
// whose group Ha is taught, and so is a subgroup of it.
const std::string elevgrupper = "<Year><Name>F</Name><Group><Name>Fg</Name><Subgroup><Name>Fs</Name></Subgroup>"
                                "</Group></Year>"
                                "<Year><Name>G</Name><Group><Name>Gg</Name><Subgroup><Name>201</Name></Subgroup>"
                                "<Subgroup><Name>202</Name></Subgroup></Group></Year>"
                                "<Year><Name>H</Name><Group><Name>Ha</Name><Subgroup><Name>Ha1</Name></Subgroup>"
                                "<Subgroup><Name>Ha2</Name></Subgroup></Group><Group><Name>Hb</Name></Group></Year>";

TEST(FetOversaettelse, AStudentsSetThatNoOtherTaughtSetContainsIsAClass)
{
    const std::string aktiviteter = aktivitet(1, "T", "S", "Fs", 2) + aktivitet(2, "U", "M", "Fg", 1) +
                                    aktivitet(3, "T", "S", "201", 1) + aktivitet(4, "T", "S", "202", 1) +
                                    aktivitet(5, "U", "M", "Ha", 1) + aktivitet(6, "T", "N", "Ha1", 1) +
                                    aktivitet(7, "U", "S", "H", 1) +
                                    aktivitet(8, "T</Teacher><Teacher>U", "S", "201", 1) + // two teachers
                                    aktivitet(9, "T", "S", "201</Students><Students>202", 1);
    Skoledata data;
    std::vector<std::string> rapport;
    std::string fejl;
    ASSERT_TRUE(oversaet(skole({.aktiviteter = aktiviteter, .elever = elevgrupper}), data, rapport, fejl)) << fejl;

    EXPECT_EQ(Sorteret(data, "HoldLaererRelation"), (std::vector<Raekke>{{"201"s, "S_1"s, "T"s, "P"s},
                                                                         {"202"s, "S_1"s, "T"s, "P"s},
                                                                         {"Fg"s, "M"s, "U"s, "P"s},
                                                                         {"Fg"s, "S_2"s, "T"s, "P"s},
                                                                         {"H"s, "S_1"s, "U"s, "P"s},
                                                                         {"Ha"s, "M"s, "U"s, "P"s}}));
    for (const char* linje :
         {"Aktivitet 6 (N) er for undergruppen Ha1, som ikke kan blive et hold (den er en del af Ha); ikke overført",
          "Gruppen Ha og dens årgang H har begge timer",
          "Ikke overført i alt: 3 aktiviteter med 3 timer: 1 for en del af et hold (1 time), 1 med flere hold "
          "(1 time), 1 med flere lærere (1 time)"})
        EXPECT_TRUE(Indeholder(rapport, linje)) << linje;
}

TEST(FetOversaettelse, RoomRequirementsBecomeRoomTypesAndWishesStayWishes)
{
    const std::string aktiviteter = aktivitet(1, "T", "S", "A", 1, 1) + aktivitet(2, "T", "S", "A", 1, 1) +
                                    aktivitet(3, "U", "N", "A", 2) + aktivitet(4, "U", "M", "B", 1) +
                                    aktivitet(5, "U", "M", "A", 1);
    const std::string lokaler = "<Room><Name>Gym</Name></Room><Room><Name>Pool</Name></Room><Room><Name>Lab1</Name>"
                                "</Room><Room><Name>Lab2</Name></Room><Room><Name>Aula</Name></Room>"
                                "<Room><Name>R1</Name></Room><Room><Name>V</Name><Virtual>true</Virtual></Room>";
    const auto krav = [](const std::string& art, const std::string& hvem, const std::string& lokaler, int vaegt) {
        return "<Constraint" + art + "><Weight_Percentage>" + std::to_string(vaegt) + "</Weight_Percentage>" + hvem +
               lokaler + "<Active>true</Active></Constraint" + art + ">";
    };
    // The parts of S ask for the gym and the pool; M's wish for the hall is weak; V is no single room.
    const std::string rum = krav("ActivityPreferredRoom", "<Activity_Id>1</Activity_Id>", "<Room>Gym</Room>", 100) +
                            krav("ActivityPreferredRoom", "<Activity_Id>2</Activity_Id>", "<Room>Pool</Room>", 100) +
                            krav("SubjectPreferredRooms", "<Subject>N</Subject>",
                                 "<Preferred_Room>Lab1</Preferred_Room><Preferred_Room>Lab2</Preferred_Room>", 100) +
                            krav("ActivityPreferredRoom", "<Activity_Id>4</Activity_Id>", "<Room>Pool</Room>", 100) +
                            krav("SubjectPreferredRoom", "<Subject>M</Subject>", "<Room>Aula</Room>", 5) +
                            krav("SubjectPreferredRooms", "<Subject>S</Subject>", "<Preferred_Room>V</Preferred_Room>",
                                 100);
    Skoledata data;
    std::vector<std::string> rapport;
    std::string fejl;
    ASSERT_TRUE(oversaet(skole({.aktiviteter = aktiviteter, .lokaler = lokaler, .rum = rum}), data, rapport, fejl))
        << fejl;

    EXPECT_EQ(Sorteret(data, "Fag"),
              (std::vector<Raekke>{{"M"s, 1, "Gym+Pool"s}, {"N"s, 2, "Lab1+Lab2"s}, {"S"s, 2, "Gym+Pool"s}}));
    EXPECT_EQ(Sorteret(data, "Lokale"), (std::vector<Raekke>{{"Aula"s, "Stamlokale"s},
                                                             {"Gym"s, "Gym+Pool"s},
                                                             {"Lab1"s, "Lab1+Lab2"s},
                                                             {"Lab2"s, "Lab1+Lab2"s},
                                                             {"Pool"s, "Gym+Pool"s},
                                                             {"R1"s, "Stamlokale"s}}));
    for (const char* linje :
         {"1 × ConstraintSubjectPreferredRoom: vægt under 100 %, et ønske og ikke et krav",
          "Fag S ønsker forskellige lokaler; alle dets timer kan bruge Gym, Pool",
          "Fag M ønsker forskellige lokaler; alle dets timer kan bruge Pool, også 1 time uden ønske",
          "Fag M ønsker Pool; lokaletypen Gym+Pool rummer også Gym, som andre fag ønsker"})
        EXPECT_TRUE(Indeholder(rapport, linje)) << linje;
}
