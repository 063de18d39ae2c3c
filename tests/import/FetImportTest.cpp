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
    // Two teachers, a subgroup that is all of its class, and two classes together: lessons of their own.
    EXPECT_EQ(Sorteret(data, "Aktivitet"), (std::vector<Raekke>{{"Lille"s, "7"s, "Dansk"s, 1, 1},
                                                                {"Lille"s, "8"s, "Idræt"s, 1, 1},
                                                                {"Lille"s, "9"s, "Idræt"s, 1, 1}}));
    EXPECT_EQ(Sorteret(data, "AktivitetDeltager"), (std::vector<Raekke>{{"Lille"s, "7"s, "2"s, "tom"s},
                                                                        {"Lille"s, "8"s, "2"s, "tom"s},
                                                                        {"Lille"s, "9"s, "1a"s, "tom"s},
                                                                        {"Lille"s, "9"s, "2"s, "tom"s}}));
    EXPECT_EQ(
        Sorteret(data, "AktivitetLaerer"),
        (std::vector<Raekke>{
            {"Lille"s, "7"s, "Anne"s}, {"Lille"s, "7"s, "Bo"s}, {"Lille"s, "8"s, "Bo"s}, {"Lille"s, "9"s, "Bo"s}}));
    EXPECT_EQ(Sorteret(data, "AktivitetLokale"),
              (std::vector<Raekke>{{"Lille"s, "8"s, 1, "Hal"s}, {"Lille"s, "9"s, 1, "Hal"s}}));
    EXPECT_EQ(rapport,
              (std::vector<std::string>{
                  "Aktivitet 10 (Musik) nævner faget Musik, som filen ikke har erklæret; overført, som det står",
                  "1 × regel \"lærer huller pr. uge\" overført",
                  "1 × ConstraintTeacherMaxSpanPerDay: har intet modsvar her (eller er ikke aktiv); ikke overført",
                  "Overført: 14 af filens 14 aktive timer (100 %)"}));
    EXPECT_EQ(Sorteret(data, "Planregel"), (std::vector<Raekke>{{"Lille"s, 1, "lærer huller pr. uge"s, "Anne"s, "tom"s,
                                                                 "tom"s, "tom"s, "tom"s, "tom"s, 1, 100}}));

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
        {skole({.aktiviteter = aktivitet(1, "T", "S", "A", 0)}), "Filen har ingen undervisning, der kan overføres"},
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
    // Even a refused file's report ends with its share.
    Skoledata data;
    std::vector<std::string> rapport;
    std::string grund;
    EXPECT_FALSE(oversaet(skole({.aktiviteter = aktivitet(1, "T", "S", "A", 0) + aktivitet(2, "", "S", "", 2)}), data,
                          rapport, grund));
    EXPECT_EQ(rapport.back(), "Overført: 0 af filens 2 aktive timer (0 %)");
    std::vector<std::string> fejl;
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
    // The same subject again with another block is a lesson of its own, under the file's subject.
    EXPECT_EQ(data.Af("Aktivitet"), (std::vector<Raekke>{{"P"s, "3"s, "S"s, 1, 1}}));
    EXPECT_EQ(Sorteret(data, "Fag"), (std::vector<Raekke>{{"S"s, 0, "Stamlokale"s},
                                                          {"S_1"s, 1, "Stamlokale"s},
                                                          {"S_4"s, 4, "Stamlokale"s},
                                                          {"Y"s, 1, "Stamlokale"s}}));
    for (const char* linje :
         {"Aktivitet 4 (S) findes to gange i filen; den anden er ikke overført",
          "Aktivitet 5 (Y) nævner læreren X, faget Y og holdet C, som filen ikke har erklæret; overført, som det står",
          "Lærer U underviser ikke i det overførte; de utilgængelige tider er ikke overført",
          "Lærer Ukendt underviser ikke i det overførte; de utilgængelige tider er ikke overført",
          "1 × ConstraintTeacherNotAvailableTimes: har intet modsvar her (eller er ikke aktiv); ikke overført"})
        EXPECT_TRUE(Indeholder(rapport, linje)) << linje;
    EXPECT_EQ(rapport.size(), 5u + 3u + 1u) << "and a home room made for each of A, B and C, and the share";
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
    EXPECT_EQ(rapport, std::vector<std::string>{"Overført: 8 af filens 8 aktive timer (100 %)"});
}

// F: a year with one group with one subgroup. G: a group whose subgroups 201 and 202 are taught apart. H: a year
// whose group Ha is taught, and so is a subgroup of it.
const std::string elevgrupper = "<Year><Name>F</Name><Group><Name>Fg</Name><Subgroup><Name>Fs</Name></Subgroup>"
                                "</Group></Year>"
                                "<Year><Name>G</Name><Group><Name>Gg</Name><Subgroup><Name>201</Name></Subgroup>"
                                "<Subgroup><Name>202</Name></Subgroup></Group></Year>"
                                "<Year><Name>H</Name><Group><Name>Ha</Name><Subgroup><Name>Ha1</Name></Subgroup>"
                                "<Subgroup><Name>Ha2</Name></Subgroup></Group><Group><Name>Hb</Name></Group></Year>";

TEST(FetOversaettelse, TaughtSetsSharingStudentsAreOneClassAndTheSmallerOnesItsGroups)
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

    // Fs is all of Fg; 201 and 202 never meet, so they stay classes of their own.
    EXPECT_EQ(Sorteret(data, "HoldLaererRelation"), (std::vector<Raekke>{{"201"s, "S_1"s, "T"s, "P"s},
                                                                         {"202"s, "S_1"s, "T"s, "P"s},
                                                                         {"Fg"s, "M"s, "U"s, "P"s},
                                                                         {"Fg"s, "S_2"s, "T"s, "P"s},
                                                                         {"H"s, "S_1"s, "U"s, "P"s}}));
    // H's groups Ha and Hb cannot hold Ha1 alone: one division of its smallest sets, and Ha is two of them.
    EXPECT_EQ(Sorteret(data, "Gruppe"), (std::vector<Raekke>{{"P"s, "H"s, "Ha1/Ha2/Hb"s, "Ha1"s},
                                                             {"P"s, "H"s, "Ha1/Ha2/Hb"s, "Ha2"s},
                                                             {"P"s, "H"s, "Ha1/Ha2/Hb"s, "Hb"s}}));
    EXPECT_EQ(Sorteret(data, "AktivitetDeltager"), (std::vector<Raekke>{{"P"s, "5"s, "H"s, "Ha1"s},
                                                                        {"P"s, "5"s, "H"s, "Ha2"s},
                                                                        {"P"s, "6"s, "H"s, "Ha1"s},
                                                                        {"P"s, "8"s, "201"s, "tom"s},
                                                                        {"P"s, "9"s, "201"s, "tom"s},
                                                                        {"P"s, "9"s, "202"s, "tom"s}}));
    EXPECT_EQ(Sorteret(data, "Hold").size(), 4u);
    EXPECT_EQ(rapport.back(), "Overført: 10 af filens 10 aktive timer (100 %)");
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
    // Aula, a room only wished for, is no class's home room.
    EXPECT_EQ(Sorteret(data, "Lokale"), (std::vector<Raekke>{{"Gym"s, "Gym+Pool"s},
                                                             {"Lab1"s, "Lab1+Lab2"s},
                                                             {"Lab2"s, "Lab1+Lab2"s},
                                                             {"Pool"s, "Gym+Pool"s},
                                                             {"R1"s, "Stamlokale"s},
                                                             {"Stamlokale_B"s, "Stamlokale"s}}));
    for (const char* linje :
         {"1 × ConstraintSubjectPreferredRoom: vægt under 100 %, et ønske og ikke et krav",
          "Fag S ønsker forskellige lokaler; alle dets timer kan bruge Gym, Pool",
          "Fag M ønsker forskellige lokaler; alle dets timer kan bruge Pool, også 1 time uden ønske",
          "Fag M ønsker Pool; lokaletypen Gym+Pool rummer også Gym, som andre fag ønsker"})
        EXPECT_TRUE(Indeholder(rapport, linje)) << linje;
}

TEST(FetOversaettelse, SplitPartsThatDifferAreKeptApartAndABadDurationNamesItsActivity)
{
    // Activity 1's parts: two double lessons, a single hour, one naming another subject, one another class, one
    // another teacher, and an inactive one.
    const auto inaktiv = [](std::string a) { return a.replace(a.find("true"), 4, "false"); };
    const std::string aktiviteter = aktivitet(1, "T", "S", "A", 2, 1) + aktivitet(2, "T", "S", "A", 2, 1) +
                                    aktivitet(3, "T", "S", "A", 1, 1) + aktivitet(4, "T", "M", "A", 1, 1) +
                                    aktivitet(5, "T", "S", "B", 1, 1) + aktivitet(6, "U", "S", "A", 1, 1) +
                                    inaktiv(aktivitet(7, "T", "S", "A", 3, 1)) +
                                    inaktiv(aktivitet(8, "T", "N", "B", 2));
    std::string varigheder;
    int id = 20;
    for (const char* varighed : {"-2", "0", "abc", "1e14", "9"}) {
        std::string a = aktivitet(id++, "T", "N", "A", 1);
        varigheder += a.replace(a.find("<Duration>1<"), 12, "<Duration>" + std::string(varighed) + "<");
    }
    Skoledata data;
    std::vector<std::string> rapport;
    std::string fejl;
    ASSERT_TRUE(oversaet(skole({.aktiviteter = aktiviteter + varigheder}), data, rapport, fejl)) << fejl;

    // The doubles are A's subject S; the single hour, B's part and U's part are lessons of their own.
    EXPECT_EQ(Sorteret(data, "HoldLaererRelation"),
              (std::vector<Raekke>{{"A"s, "M"s, "T"s, "P"s}, {"A"s, "S_4"s, "T"s, "P"s}, {"B"s, "S_1"s, "T"s, "P"s}}));
    EXPECT_EQ(Sorteret(data, "Fag"), (std::vector<Raekke>{{"M"s, 1, "Stamlokale"s},
                                                          {"S"s, 0, "Stamlokale"s},
                                                          {"S_1"s, 1, "Stamlokale"s},
                                                          {"S_4"s, 4, "Stamlokale"s}}));
    EXPECT_EQ(Sorteret(data, "Aktivitet"), (std::vector<Raekke>{{"P"s, "3"s, "S"s, 1, 1}, {"P"s, "6"s, "S"s, 1, 1}}));
    for (const char* linje :
         {"Aktivitet 1 (S) er delt i dele af forskellig længde; hver længde er sin egen lektion",
          "Aktivitet 4 (M) er en del af aktivitet 1, men nævner et andet fag, hold eller andre lærere; lagt for sig",
          "Aktivitet 5 (S) er en del af aktivitet 1", "Aktivitet 6 (S) er en del af aktivitet 1",
          "Aktivitet 20 (N) varer \"-2\"; en lektion varer 1-8 timer i træk; ikke overført",
          "Aktivitet 21 (N) varer \"0\"", "Aktivitet 22 (N) varer \"abc\"", "Aktivitet 23 (N) varer \"1e14\"",
          "Aktivitet 24 (N) varer \"9\"", "Sprunget over: 2 aktiviteter, der ikke er aktive (5 timer)",
          "Ikke overført i alt: 5 aktiviteter med 9 timer: 5 med en varighed, der ikke kan bruges (9 timer)"})
        EXPECT_TRUE(Indeholder(rapport, linje)) << linje;
    // Each active hour once; only the 9 of the too long lesson are an hour count among the bad durations.
    EXPECT_EQ(rapport.back(), "Overført: 8 af filens 17 aktive timer (47 %)");
}

TEST(FetOversaettelse, MorningsAndAfternoonsAreOneDayWithTheHoursOfBoth)
{
    const std::string utilgaengeligt = "<ConstraintTeacherNotAvailableTimes><Teacher>T</Teacher><Not_Available_Time>"
                                       "<Day>D3</Day><Hour>H1</Hour></Not_Available_Time><Active>true</Active>"
                                       "</ConstraintTeacherNotAvailableTimes>";
    std::string tekst = skole(
        {.aktiviteter = aktivitet(1, "T", "S", "A", 2), .tid = utilgaengeligt, .dage = 4, .timer = 3});
    tekst.replace(0, 5, "<fet><Mode>Mornings_Afternoons</Mode>");
    Skoledata data;
    std::vector<std::string> rapport;
    std::string fejl;
    ASSERT_TRUE(oversaet(tekst, data, rapport, fejl)) << fejl;
    EXPECT_EQ(data.Af("Plan"), (std::vector<Raekke>{{"P"s, "P"s, 2, 6}}));
    // The fourth half day is the second day's afternoon: its second hour is that day's fifth.
    EXPECT_EQ(data.Af("Tidsprioritet"), (std::vector<Raekke>{{"P"s, "T"s, -3, 1, 4}}));
    EXPECT_EQ(rapport.front(), "Filen deler hver dag i formiddag og eftermiddag: 4 halve dage à 3 timer er lagt som "
                               "2 dage à 6 timer");

    // Halves whose whole days would not fit the grid (3 days of 18 hours) leave the week as the file has it.
    tekst = skole({.aktiviteter = aktivitet(1, "T", "S", "A", 2), .dage = 6, .timer = 9});
    tekst.replace(0, 5, "<fet><Mode>Mornings_Afternoons</Mode>");
    Skoledata halve;
    EXPECT_TRUE(oversaet(tekst, halve, rapport, fejl)) << fejl;
    EXPECT_EQ(halve.Af("Plan"), (std::vector<Raekke>{{"P"s, "P"s, 6, 9}}));
}

TEST(FetOversaettelse, AVirtualRoomRequiredAloneIsOneRoomOfEachOfItsSets)
{
    const std::string lokaler = "<Room><Name>Hal1</Name></Room><Room><Name>Hal2</Name></Room><Room><Name>Hal3</Name>"
                                "</Room><Room><Name>R1</Name></Room><Room><Name>V</Name><Virtual>true</Virtual>"
                                "<Set_of_Real_Rooms><Real_Room>Hal1</Real_Room><Real_Room>Hal2</Real_Room>"
                                "</Set_of_Real_Rooms><Set_of_Real_Rooms><Real_Room>Hal3</Real_Room>"
                                "</Set_of_Real_Rooms></Room>";
    const auto krav = [](int id, const std::string& rum) {
        return "<ConstraintActivityPreferredRooms><Weight_Percentage>100</Weight_Percentage><Activity_Id>" +
               std::to_string(id) + "</Activity_Id>" + rum + "<Active>true</Active></ConstraintActivityPreferredRooms>";
    };
    // Activity 1 needs two halls at once; activity 2 names the virtual room beside a real one.
    const std::string rum = krav(1, "<Preferred_Room>V</Preferred_Room>") +
                            krav(2, "<Preferred_Room>V</Preferred_Room><Preferred_Room>Hal3</Preferred_Room>");
    Skoledata data;
    std::vector<std::string> rapport;
    std::string fejl;
    ASSERT_TRUE(oversaet(skole({.aktiviteter = aktivitet(1, "T", "S", "A", 2) + aktivitet(2, "U", "M", "A", 1),
                                .lokaler = lokaler,
                                .rum = rum}),
                         data, rapport, fejl))
        << fejl;
    EXPECT_EQ(data.Af("Aktivitet"), (std::vector<Raekke>{{"P"s, "1"s, "S"s, 2, 2}}));
    EXPECT_EQ(Sorteret(data, "AktivitetLokale"),
              (std::vector<Raekke>{{"P"s, "1"s, 1, "Hal1"s}, {"P"s, "1"s, 1, "Hal2"s}, {"P"s, "1"s, 2, "Hal3"s}}));
    EXPECT_EQ(data.Af("HoldLaererRelation"), (std::vector<Raekke>{{"A"s, "M"s, "U"s, "P"s}}));
    for (const char* linje : {"1 × ConstraintActivityPreferredRooms: nævner et virtuelt lokale",
                              "Lokale V er virtuelt (flere lokaler på én gang): ikke et lokale her"})
        EXPECT_TRUE(Indeholder(rapport, linje)) << linje;
    // The halls are the lesson's, not a class's home room.
    EXPECT_EQ(data.Af("LokaleHoldRelation"), (std::vector<Raekke>{{"A"s, "R1"s, "P"s}}));
}
