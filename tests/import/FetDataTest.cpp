// Real schools from Debian's fet-data (installed by scripts/install-deps.sh), imported and read back, against
// counts this test takes from the files with Qt's own XML reader.

#include "import/FetImport.h"
#include "skoledata/Skoledatabase.h"
#include "support/TestDatabase.h"

#include <QFile>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

namespace {

using Atomer = std::set<std::string>;

struct FilAktivitet {
    std::set<std::string> laerere;
    std::vector<std::string> elever;
    int varighed = 0;
    bool aktiv = true;
};

// What the test needs of a file: each students set's smallest parts, the activities and the sets of rooms
// activities require.
struct Fil {
    std::map<std::string, Atomer> atomer;
    std::map<std::string, FilAktivitet> aktiviteter; // by id
    std::map<std::string, std::set<std::string>> rumvalg;

    int AktiveTimer(const std::function<bool(const FilAktivitet&)>& hvilke) const
    {
        int timer = 0;
        for (const auto& [id, a] : aktiviteter)
            timer += a.aktiv && hvilke(a) ? a.varighed : 0;
        return timer;
    }
};

// An element of the file as Qt's reader gives it.
struct Knude {
    std::string navn;
    std::string tekst;
    std::vector<Knude> boern;

    std::vector<const Knude*> Alle(const std::string& n) const
    {
        std::vector<const Knude*> ud;
        for (const Knude& b : boern) {
            if (b.navn == n)
                ud.push_back(&b);
        }
        return ud;
    }
    std::string Tekst(const std::string& n, const std::string& ellers = "") const
    {
        const auto alle = Alle(n);
        return alle.empty() ? ellers : alle.front()->tekst;
    }
};

Knude LaesKnude(QXmlStreamReader& xml)
{
    Knude k{xml.name().toString().toStdString(), "", {}};
    while (xml.readNext() != QXmlStreamReader::EndElement && !xml.atEnd()) {
        if (xml.isStartElement())
            k.boern.push_back(LaesKnude(xml));
        else if (xml.isCharacters())
            k.tekst += xml.text().toString().trimmed().toStdString();
    }
    return k;
}

Fil LaesFil(const std::string& sti)
{
    QFile f(QString::fromStdString(sti));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << sti;
    QXmlStreamReader xml(&f);
    while (!xml.atEnd() && !xml.isStartElement())
        xml.readNext();
    const Knude rod = LaesKnude(xml);
    EXPECT_FALSE(xml.hasError()) << sti;

    Fil fil;
    for (const Knude* liste : rod.Alle("Students_List")) {
        for (const Knude* aar : liste->Alle("Year")) {
            Atomer& aarets = fil.atomer[aar->Tekst("Name")];
            for (const Knude* gruppe : aar->Alle("Group")) {
                Atomer& gruppens = fil.atomer[gruppe->Tekst("Name")];
                for (const Knude* under : gruppe->Alle("Subgroup")) {
                    fil.atomer[under->Tekst("Name")].insert(under->Tekst("Name"));
                    gruppens.insert(under->Tekst("Name"));
                }
                if (gruppe->Alle("Subgroup").empty())
                    gruppens.insert(gruppe->Tekst("Name"));
                aarets.insert(gruppens.begin(), gruppens.end());
            }
            if (aarets.empty())
                aarets.insert(aar->Tekst("Name"));
        }
    }
    for (const Knude* liste : rod.Alle("Activities_List")) {
        for (const Knude* a : liste->Alle("Activity")) {
            FilAktivitet& ny = fil.aktiviteter[a->Tekst("Id")];
            for (const Knude* t : a->Alle("Teacher"))
                ny.laerere.insert(t->tekst);
            for (const Knude* e : a->Alle("Students"))
                ny.elever.push_back(e->tekst);
            ny.varighed = std::stoi(a->Tekst("Duration"));
            ny.aktiv = a->Tekst("Active", "true") != "false";
        }
    }
    for (const Knude* liste : rod.Alle("Space_Constraints_List")) {
        for (const Knude* b : liste->Alle("ConstraintActivityPreferredRooms")) {
            if (std::stod(b->Tekst("Weight_Percentage")) < 100 || b->Tekst("Active", "true") == "false")
                continue;
            for (const Knude* r : b->Alle("Preferred_Room"))
                fil.rumvalg[b->Tekst("Activity_Id")].insert(r->tekst);
        }
    }
    return fil;
}

class FetData : public DatabaseTest, public testing::WithParamInterface<const char*> {
protected:
    FetData() : DatabaseTest(TestDatabase::Indhold::Skema) {}
};

// One imported lesson of our own, read back.
struct Lektion {
    int timer = 0;
    std::set<std::string> laerere;
    std::set<std::string> lokaler;
    std::set<std::string> hold;
    Atomer elever;
};

std::map<std::string, Lektion> Lektioner(const Skoledata& data, const Fil& fil)
{
    std::map<std::string, Lektion> ud;
    for (const Raekke& r : data.Af("Aktivitet"))
        ud[SomTekst(r[1])].timer = std::get<int32_t>(r[3]);
    for (const Raekke& r : data.Af("AktivitetLaerer"))
        ud[SomTekst(r[1])].laerere.insert(SomTekst(r[2]));
    for (const Raekke& r : data.Af("AktivitetLokale"))
        ud[SomTekst(r[1])].lokaler.insert(SomTekst(r[3]));
    for (const Raekke& r : data.Af("AktivitetDeltager")) {
        Lektion& l = ud[SomTekst(r[1])];
        l.hold.insert(SomTekst(r[2]));
        const std::string saet = SomTekst(r[3]) == "tom" ? SomTekst(r[2]) : SomTekst(r[3]);
        const Atomer& atomer = fil.atomer.contains(saet) ? fil.atomer.at(saet) : Atomer{saet};
        l.elever.insert(atomer.begin(), atomer.end());
    }
    return ud;
}

int SpecificeredeTimer(const Skoledata& data)
{
    std::map<std::string, int> fagTimer;
    for (const Raekke& r : data.Af("Fag"))
        fagTimer[SomTekst(r[0])] = std::get<int32_t>(r[1]);
    int timer = 0;
    for (const Raekke& r : data.Af("HoldLaererRelation"))
        timer += fagTimer.at(SomTekst(r[1]));
    return timer;
}

} // namespace

// Sections taught apart that are whole classes; groups of a class, two teachers and a choice of rooms; joined
// classes and lessons with two teachers.
INSTANTIATE_TEST_SUITE_P(TreSkoler, FetData,
                         testing::Values("Saudi-Arabia/Arabic_Saudi_1.fet", "Sudan/Khartoum-2010-02-13.fet",
                                         "Spain/3-school/primaria.fet"));

TEST_P(FetData, ASchoolComesInWholeWithItsGroupsTeachersAndRoomChoices)
{
    const std::string navn = GetParam();
    const std::string sti = "/usr/share/doc/fet-data/examples/FET-5-official/" + navn;
    ASSERT_TRUE(std::filesystem::exists(sti)) << sti << ": scripts/install-deps.sh installs fet-data";
    const Fil fil = LaesFil(sti);
    std::vector<std::string> rapport, fejl;
    ASSERT_TRUE(fetImport::Importer(sti, "P", rapport, fejl)) << fejl.front();
    const Skoledata data = Skoledatabase().Laes();

    const int aktive = fil.AktiveTimer([](const FilAktivitet&) { return true; });
    EXPECT_EQ(rapport.back(),
              "Overført: " + std::to_string(aktive) + " af filens " + std::to_string(aktive) + " aktive timer (100 %)");
    int egne = 0;
    int flereLaerere = 0;
    for (const auto& [id, l] : Lektioner(data, fil)) {
        egne += l.timer;
        flereLaerere += l.laerere.size() > 1 ? l.timer : 0;
        // Every student the activity names takes part, with all its teachers and the rooms it may choose from.
        const FilAktivitet& a = fil.aktiviteter.at(id);
        for (const std::string& s : a.elever) {
            const Atomer& atomer = fil.atomer.contains(s) ? fil.atomer.at(s) : Atomer{s};
            EXPECT_TRUE(std::includes(l.elever.begin(), l.elever.end(), atomer.begin(), atomer.end()))
                << "aktivitet " << id << ", " << s;
        }
        EXPECT_EQ(l.laerere, a.laerere) << "aktivitet " << id;
        if (const auto valg = fil.rumvalg.find(id); valg != fil.rumvalg.end()) {
            EXPECT_TRUE(std::includes(l.lokaler.begin(), l.lokaler.end(), valg->second.begin(), valg->second.end()))
                << "aktivitet " << id;
        }
    }
    EXPECT_EQ(SpecificeredeTimer(data) + egne, aktive);
    EXPECT_EQ(flereLaerere, fil.AktiveTimer([](const FilAktivitet& a) { return a.laerere.size() > 1; }));

    // No two classes share a student, so no two of their lessons can put one in two rooms.
    std::vector<Atomer> klasser;
    for (const Raekke& r : data.Af("Hold")) {
        Atomer atomer = fil.atomer.contains(SomTekst(r[0])) ? fil.atomer.at(SomTekst(r[0])) : Atomer{};
        for (const Raekke& g : data.Af("Gruppe")) {
            if (g[1] == r[0])
                atomer.insert(fil.atomer.at(SomTekst(g[3])).begin(), fil.atomer.at(SomTekst(g[3])).end());
        }
        for (const Atomer& anden : klasser) {
            EXPECT_FALSE(std::any_of(atomer.begin(), atomer.end(), [&](const auto& a) { return anden.contains(a); }))
                << SomTekst(r[0]);
        }
        klasser.push_back(atomer);
    }
    // What makes each school a test of its kind.
    if (navn.starts_with("Saudi")) {
        EXPECT_EQ(data.Af("Hold").size(), 19u) << "its sections are classes";
        EXPECT_TRUE(data.Af("Gruppe").empty());
    } else {
        EXPECT_GT(flereLaerere, 0);
    }
    if (navn.starts_with("Sudan")) {
        EXPECT_FALSE(data.Af("Gruppe").empty());
        EXPECT_FALSE(fil.rumvalg.empty());
    }
}

namespace {

// The file's constraints that become each kind of our rules. Teachers' hard closed hours stay the specified
// priorities; only their wishes are rules.
const std::multimap<std::string, std::string> regelartAf{
    {"pause", "ConstraintBreakTimes"},
    {"lukket", "ConstraintStudentsSetNotAvailableTimes"},
    {"lukket", "ConstraintRoomNotAvailableTimes"},
    {"lukket", "ConstraintTeacherNotAvailableTimes"},
    {"lærer dage", "ConstraintTeacherMaxDaysPerWeek"},
    {"lærer dage", "ConstraintTeachersMaxDaysPerWeek"},
    {"lærer timer pr. dag", "ConstraintTeacherMaxHoursDaily"},
    {"lærer timer pr. dag", "ConstraintTeachersMaxHoursDaily"},
    {"lærer mindst timer pr. dag", "ConstraintTeacherMinHoursDaily"},
    {"lærer mindst timer pr. dag", "ConstraintTeachersMinHoursDaily"},
    {"lærer huller pr. dag", "ConstraintTeachersMaxGapsPerDay"},
    {"lærer huller pr. uge", "ConstraintTeacherMaxGapsPerWeek"},
    {"lærer huller pr. uge", "ConstraintTeachersMaxGapsPerWeek"},
    {"lærer timer i træk", "ConstraintTeacherMaxHoursContinuously"},
    {"lærer timer i træk", "ConstraintTeachersMaxHoursContinuously"},
    {"hold huller pr. uge", "ConstraintStudentsMaxGapsPerWeek"},
    {"hold huller pr. uge", "ConstraintStudentsSetMaxGapsPerWeek"},
    {"hold tidlig start", "ConstraintStudentsEarlyMaxBeginningsAtSecondHour"},
    {"starttid", "ConstraintActivityPreferredStartingTime"},
    {"starttid", "ConstraintActivityPreferredStartingTimes"},
    {"starttid", "ConstraintActivitiesPreferredStartingTimes"},
    {"samme start", "ConstraintActivitiesSameStartingTime"},
    {"dage imellem", "ConstraintMinDaysBetweenActivities"}};

// The weights of the file's active constraints of one name (a weight of 0 asks for nothing and is not carried).
std::multiset<int> Vaegte(const Knude& rod, const std::string& navn)
{
    std::multiset<int> ud;
    for (const char* liste : {"Time_Constraints_List", "Space_Constraints_List"}) {
        for (const Knude* l : rod.Alle(liste)) {
            for (const Knude* b : l->Alle(navn)) {
                const int vaegt = static_cast<int>(std::stod(b->Tekst("Weight_Percentage")));
                const bool laererKrav = navn == "ConstraintTeacherNotAvailableTimes" && vaegt >= 100;
                if (b->Tekst("Active", "true") != "false" && !laererKrav)
                    ud.insert(vaegt);
            }
        }
    }
    return ud;
}

// How many of a name the report says are not carried.
int IkkeOverfoert(const std::vector<std::string>& rapport, const std::string& navn)
{
    const std::string start = " × " + navn + ": ";
    for (const std::string& linje : rapport) {
        if (const auto i = linje.find(start); i != std::string::npos)
            return std::stoi(linje.substr(0, i));
    }
    return 0;
}

} // namespace

class FetRegler : public FetData {};

// Two Italian schools that use the common kinds of rules between them, hard and weighted.
INSTANTIATE_TEST_SUITE_P(ToSkoler, FetRegler,
                         testing::Values("Italy/2010/Liceo-2010.fet", "Italy/2009/liceo-scientifico.fet"));

TEST_P(FetRegler, EachRuleComesInWithItsWeightOrIsCountedAsNotCarried)
{
    const std::string sti = std::string("/usr/share/doc/fet-data/examples/FET-5-official/") + GetParam();
    ASSERT_TRUE(std::filesystem::exists(sti)) << sti << ": scripts/install-deps.sh installs fet-data";
    QFile f(QString::fromStdString(sti));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&f);
    while (!xml.atEnd() && !xml.isStartElement())
        xml.readNext();
    const Knude rod = LaesKnude(xml);
    std::vector<std::string> rapport, fejl;
    ASSERT_TRUE(fetImport::Importer(sti, "P", rapport, fejl)) << fejl.front();
    std::map<std::string, std::multiset<int>> vores;
    for (const Raekke& r : Skoledatabase().Laes().Af("Planregel"))
        vores[SomTekst(r[2])].insert(std::get<int32_t>(r[10]));

    int arter = 0;
    for (auto art = regelartAf.begin(); art != regelartAf.end(); art = regelartAf.upper_bound(art->first)) {
        std::multiset<int> filens;
        int ikkeOverfoert = 0;
        const auto [fra, til] = regelartAf.equal_range(art->first);
        for (auto navn = fra; navn != til; ++navn) {
            const std::multiset<int> v = Vaegte(rod, navn->second);
            filens.insert(v.begin(), v.end());
            ikkeOverfoert += IkkeOverfoert(rapport, navn->second);
        }
        arter += vores[art->first].empty() ? 0 : 1;
        if (ikkeOverfoert == 0)
            EXPECT_EQ(vores[art->first], filens) << art->first;
        else
            EXPECT_EQ(vores[art->first].size() + static_cast<size_t>(ikkeOverfoert), filens.size()) << art->first;
    }
    EXPECT_GE(arter, 9) << "the two files use most common kinds";
}
