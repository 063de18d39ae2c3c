// A hand-built school with lessons of the new kind, written as rows, opened,
// saved and opened again on every engine.
#include "app/Udgivelse.h"
#include "app/Vorivazi.h"
#include "db/SqlKlasse.h"
#include "skoledata/Skoledatabase.h"
#include "support/TestDatabase.h"
#include "support/TestModtager.h"
#include "udgiv/CsvSkemabog.h"
#include "udgiv/Udskriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <unistd.h>

namespace {

using namespace std::string_literals;

const std::string plan = "Plan2026";

// 7.a is split into language groups that are taught in parallel; 7.a and 7.b
// have sport together with two teachers in two halls; 7.b has no groups and
// one lesson of the specified kind.
Skoledata skolen()
{
    Skoledata s;
    s.Tilfoej("Fag", {"Fransk"s, 3, "Stamlokale"s});
    s.Tilfoej("Gruppe", {plan, "7.a"s, "Sprog"s, "Tysk"s});
    s.Tilfoej("Gruppe", {plan, "7.a"s, "Sprog"s, "Fransk"s});
    for (const auto& [id, fag, blok] : {std::tuple{"Ty"s, "Tysk"s, 1}, {"Fr"s, "Fransk"s, 1}, {"Id"s, "Idræt"s, 2}})
        s.Tilfoej("Aktivitet", {plan, id, fag, 2, blok});
    s.Tilfoej("AktivitetDeltager", {plan, "Ty"s, "7.a"s, "Tysk"s});
    s.Tilfoej("AktivitetDeltager", {plan, "Fr"s, "7.a"s, "Fransk"s});
    s.Tilfoej("AktivitetDeltager", {plan, "Id"s, "7.a"s, "tom"s});
    s.Tilfoej("AktivitetDeltager", {plan, "Id"s, "7.b"s, "tom"s});
    s.Tilfoej("AktivitetLaerer", {plan, "Ty"s, "Gorm"s});
    s.Tilfoej("AktivitetLaerer", {plan, "Fr"s, "Eva"s});
    s.Tilfoej("AktivitetLaerer", {plan, "Id"s, "Dorthe"s});
    s.Tilfoej("AktivitetLaerer", {plan, "Id"s, "Bo"s});
    s.Tilfoej("AktivitetLokale", {plan, "Ty"s, 1, "B1"s});
    s.Tilfoej("AktivitetLokale", {plan, "Fr"s, 1, "B2"s});
    s.Tilfoej("AktivitetLokale", {plan, "Id"s, 1, "Gymsal"s});
    s.Tilfoej("AktivitetLokale", {plan, "Id"s, 2, "Hallen"s});
    // Monday: Dansk for 7.b in the first hour, the languages in parallel in the second.
    s.Tilfoej("Lektion", {plan, "7.b"s, "Dansk_uds"s, "Ulla"s, "B3"s, 1, 0, 0});
    for (const auto& [id, lokale] : {std::pair{"Ty"s, "B1"s}, {"Fr"s, "B2"s}}) {
        s.Tilfoej("AktivitetSkema", {plan, id, 0, 1, 1});
        s.Tilfoej("AktivitetSkemaLokale", {plan, id, 0, 1, 1, lokale});
    }
    // Tuesday: sport for both classes in the first two hours.
    s.Tilfoej("AktivitetSkema", {plan, "Id"s, 1, 0, 2});
    s.Tilfoej("AktivitetSkemaLokale", {plan, "Id"s, 1, 0, 1, "Gymsal"s});
    s.Tilfoej("AktivitetSkemaLokale", {plan, "Id"s, 1, 0, 2, "Hallen"s});
    return s;
}

// The checker knows nothing of the program: it reads the exported rows
// alone. In one hour, rows of different lessons must not share a teacher, a
// room or students: a class's whole-class row excludes every other row of
// the class, and two groups exclude each other unless they are different
// groups of one division. Gives the clashes it finds.
std::vector<std::string> sammenstoed(const std::string& csv)
{
    struct Raekke {
        std::string hold, laerer, lokale, gruppe, inddeling, lektion;
    };
    std::map<std::string, std::vector<Raekke>> timer; // by day and hour
    std::istringstream linjer(csv);
    std::string linje;
    std::getline(linjer, linje); // the header
    while (std::getline(linjer, linje)) {
        std::vector<std::string> f;
        std::istringstream felter(linje.substr(0, linje.size() - 1)); // without CR
        for (std::string felt; std::getline(felter, felt, ';');)
            f.push_back(felt);
        f.resize(11);
        timer[f[1] + " " + f[2]].push_back({f[3], f[5], f[6], f[8], f[9], f[10]});
    }
    std::vector<std::string> fund;
    for (const auto& [time, raekker] : timer) {
        for (const Raekke& a : raekker) {
            for (const Raekke& b : raekker) {
                if (a.lektion >= b.lektion)
                    continue;
                const bool elever = !a.hold.empty() && a.hold == b.hold &&
                                    (a.gruppe.empty() || b.gruppe.empty() || a.gruppe == b.gruppe ||
                                     a.inddeling != b.inddeling);
                if (elever || (!a.laerer.empty() && a.laerer == b.laerer) ||
                    (!a.lokale.empty() && a.lokale == b.lokale))
                    fund.push_back(time + ": lektion " + a.lektion + " og " + b.lektion);
            }
        }
    }
    return fund;
}

class Aktiviteter : public DatabaseTest {
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        if (IsSkipped())
            return;
        std::vector<std::string> fejl;
        ASSERT_TRUE(Skoledatabase().Tilfoej(skolen(), fejl)) << fejl.front();
    }

    static std::vector<Raekke> Lagret(const std::string& tabel)
    {
        std::vector<Raekke> raekker = Skoledatabase().Laes().Af(tabel);
        std::sort(raekker.begin(), raekker.end());
        return raekker;
    }

    static std::vector<std::string> Blokke(const Vorivazi& v)
    {
        std::vector<std::string> ud;
        for (const Aktivitetsblok& b : v.Aktiviteter().Blokke()) {
            std::string lokaler;
            for (const std::string& lokale : b.lokaler)
                lokaler += " " + lokale;
            ud.push_back(b.aktivitet + " " + std::to_string(b.start.kolonne) + "," + std::to_string(b.start.raekke) +
                         "+" + std::to_string(b.laengde) + lokaler);
        }
        return ud;
    }
};

} // namespace

TEST_F(Aktiviteter, AreReadWithThePlanAndSavedBackAsTheyWere)
{
    MedTestModtager m;
    const std::vector<Raekke> skema = Lagret("AktivitetSkema");
    const std::vector<Raekke> lokaler = Lagret("AktivitetSkemaLokale");
    {
        Vorivazi v(Datakilde::database);
        ASSERT_TRUE(v.AabnPlan(plan));
        EXPECT_EQ(Blokke(v), (std::vector<std::string>{"Fr 0,1+1 B2", "Id 1,0+2 Gymsal Hallen", "Ty 0,1+1 B1"}));
        EXPECT_EQ(v.AntalLektionerIalt(), 1) << "the specified lesson stays in the specified timetables";
        ASSERT_TRUE(v.Gem(Overskrivning::Tillad));
    }
    EXPECT_EQ(Lagret("AktivitetSkema"), skema);
    EXPECT_EQ(Lagret("AktivitetSkemaLokale"), lokaler);
    Vorivazi igen(Datakilde::database);
    ASSERT_TRUE(igen.AabnPlan(plan));
    EXPECT_EQ(Blokke(igen).size(), 3u);
    EXPECT_TRUE(m.modtager.bokse.empty()) << m.modtager.bokse.front().tekst;

    // One row per hour, participant, teacher and room: sport 2 x 2 x 2 x 2,
    // the languages and Danish one each.
    const std::string csv = CsvSkemabog(SamlSkemabog(igen));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 16 + 2 + 1);
    EXPECT_NE(csv.find("\r\nPlan2026;Mandag;2;7.a;Fransk;Eva;B2;1;Fransk;Sprog;"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\r\nPlan2026;Tirsdag;2;7.b;Idræt;Dorthe;Hallen;2;;;"), std::string::npos) << csv;
    EXPECT_TRUE(sammenstoed(csv).empty()) << sammenstoed(csv).front();
    // The checker does see a clash: German moved onto the sport's hour.
    std::string flyttet = csv;
    const size_t tysk = flyttet.find("Mandag;2;7.a;Tysk");
    ASSERT_NE(tysk, std::string::npos);
    flyttet.replace(tysk, 8, "Tirsdag;1");
    EXPECT_EQ(sammenstoed(flyttet).size(), 4u) << "one for each of 7.a's sport rows in that hour";
}

TEST_F(Aktiviteter, TheCompletionPlacesThemAndTheirFirstBlocksCreateTheirTables)
{
    MedTestModtager m;
    SqlKlasse sql(Datakilde::database);
    for (const char* tabel : {"AktivitetSkemaLokale", "AktivitetSkema"})
        ASSERT_TRUE(sql.UdfoerSql("drop table "s + tabel)) << tabel;
    {
        Vorivazi v(Datakilde::database);
        ASSERT_TRUE(v.AabnPlan(plan));
        m.modtager.svar = {true, true};
        ASSERT_TRUE(v.Generer(1, 4, 5, 8, 0, true));
        int32_t mangler = 0;
        for (const ManglendeAktivitetstimer& a : v.Manglende().aktiviteter)
            mangler += a.mangler;
        EXPECT_EQ(mangler, 6);
        const std::unique_ptr<Fuldfoerelse> f = v.NyFuldfoerelse({.maksSkridt = 100000, .maksUdenFremskridt = 2000});
        while (f->Koer(1000)) {
        }
        v.AfslutFuldfoerelse(*f);
        EXPECT_EQ(v.Manglende().aktiviteter.size(), 0u);
        ASSERT_TRUE(v.Gem(Overskrivning::Tillad));
    }
    const size_t bokse = m.modtager.bokse.size();
    Vorivazi igen(Datakilde::database);
    ASSERT_TRUE(igen.AabnPlan(plan));
    EXPECT_EQ(m.modtager.bokse.size(), bokse) << "every block saved is read back";
    int32_t timer = 0;
    for (const Aktivitetsblok& b : igen.Aktiviteter().Blokke())
        timer += b.laengde;
    EXPECT_EQ(timer, 6);
    const std::string csv = CsvSkemabog(SamlSkemabog(igen));
    EXPECT_TRUE(sammenstoed(csv).empty()) << sammenstoed(csv).front();

    // Clearing the timetables leaves only pinned blocks, and no pin is set here.
    igen.NytProjekt();
    EXPECT_TRUE(igen.Aktiviteter().Blokke().empty());
}

TEST_F(Aktiviteter, TheUnavailableHoursOfATeacherOnlyActivitiesNameStayFree)
{
    MedTestModtager m;
    // Gorm teaches German only; the plan has no timetable of hers.
    Skoledata mere;
    mere.Tilfoej("Tidsprioritet", {plan, "Gorm"s, -3, 2, 0});
    std::vector<std::string> fejl;
    ASSERT_TRUE(Skoledatabase().Tilfoej(mere, fejl)) << fejl.front();
    Vorivazi v(Datakilde::database);
    ASSERT_TRUE(v.AabnPlan(plan));
    v.NytProjekt();
    const ManglendeTimer manglende = v.Manglende();
    const auto tysk = std::find_if(manglende.aktiviteter.begin(), manglende.aktiviteter.end(),
                                   [](const ManglendeAktivitetstimer& a) { return a.aktivitet.id == "Ty"; });
    ASSERT_NE(tysk, manglende.aktiviteter.end());
    const auto onsdag = std::find_if(tysk->aarsager.begin(), tysk->aarsager.end(),
                                     [](const TimeAarsag& a) { return a.kolonne == 2 && a.raekke == 0; });
    ASSERT_NE(onsdag, tysk->aarsager.end());
    EXPECT_EQ(onsdag->hindring, Hindring::laererUtilgaengelig);
}

TEST_F(Aktiviteter, ABlockThatClashesIsReportedAndKept)
{
    MedTestModtager m;
    // German in the sport hour shares 7.a's students; French on Monday's
    // first hour meets no one; a room row that has no block.
    Skoledata mere;
    mere.Tilfoej("AktivitetSkema", {plan, "Ty"s, 1, 1, 1});
    mere.Tilfoej("AktivitetSkemaLokale", {plan, "Ty"s, 1, 1, 1, "B1"s});
    mere.Tilfoej("AktivitetSkema", {plan, "Fr"s, 2, 0, 1});
    mere.Tilfoej("AktivitetSkemaLokale", {plan, "Fr"s, 2, 0, 1, "B2"s});
    mere.Tilfoej("AktivitetSkemaLokale", {plan, "Fr"s, 3, 0, 1, "B2"s});
    std::vector<std::string> fejl;
    ASSERT_TRUE(Skoledatabase().Tilfoej(mere, fejl)) << fejl.front();
    const std::vector<Raekke> skema = Lagret("AktivitetSkema");
    const std::vector<Raekke> lokaler = Lagret("AktivitetSkemaLokale");

    Vorivazi v(Datakilde::database);
    ASSERT_TRUE(v.AabnPlan(plan));
    EXPECT_EQ(Blokke(v).size(), 4u);
    ASSERT_EQ(m.modtager.bokse.size(), 1u);
    const std::string& besked = m.modtager.bokse.front().tekst;
    EXPECT_NE(besked.find("1 aktivitetstime på en time, hvor nogen af deltagerne"), std::string::npos) << besked;
    EXPECT_NE(besked.find("1 lokale til en aktivitetstime for en aktivitetstime, der ikke kan bruges"),
              std::string::npos)
        << besked;
    EXPECT_NE(besked.find("1 lokale til en aktivitetstime uden en aktivitetstime"), std::string::npos) << besked;
    ASSERT_TRUE(v.Gem(Overskrivning::Tillad));
    EXPECT_EQ(Lagret("AktivitetSkema"), skema);
    EXPECT_EQ(Lagret("AktivitetSkemaLokale"), lokaler);
}

TEST_F(Aktiviteter, EveryTimetableTheyNameIsPublishedWithTheirCells)
{
    MedTestModtager m;
    Vorivazi v(Datakilde::database);
    ASSERT_TRUE(v.AabnPlan(plan));
    const Skemabog bog = SamlSkemabog(v);
    const auto skema = [&](SkemaArt art, const std::string& id) -> const UdgivetSkema* {
        for (const UdgivetSkema* s : bog.AfArt(art)) {
            if (s->id == id)
                return s;
        }
        return nullptr;
    };
    // Gorm teaches only German, Hallen is used only by the sport.
    ASSERT_NE(skema(SkemaArt::laerer, "Gorm"), nullptr);
    ASSERT_NE(skema(SkemaArt::lokale, "Hallen"), nullptr);
    ASSERT_NE(skema(SkemaArt::hold, "7.a"), nullptr);

    const UdgivetAktivitetscelle* sprog = skema(SkemaArt::hold, "7.a")->AktivitetI(0, 1);
    ASSERT_NE(sprog, nullptr);
    EXPECT_TRUE(sprog->tekst == "Fransk Eva / Tysk Gorm" || sprog->tekst == "Tysk Gorm / Fransk Eva") << sprog->tekst;
    EXPECT_EQ(skema(SkemaArt::laerer, "Gorm")->AktivitetI(0, 1)->tekst, "7.a Tysk B1");
    for (const int32_t time : {0, 1}) {
        const UdgivetAktivitetscelle* idraet = skema(SkemaArt::lokale, "Hallen")->AktivitetI(1, time);
        ASSERT_NE(idraet, nullptr);
        EXPECT_EQ(idraet->tekst.rfind("7.a, 7.b Idræt ", 0), 0u) << idraet->tekst;
    }
    EXPECT_EQ(skema(SkemaArt::hold, "7.a")->AktivitetI(0, 0), nullptr);
}

namespace {

// Keeps the lines of a printed page.
class Tekstudskriver : public Udskriver {
public:
    std::vector<std::string> linjer;
    bool Start(const std::string&, const std::string&, double) override { return true; }
    void Tegn(int32_t, int32_t, const std::string& tekst) override { linjer.push_back(tekst); }
    bool Slut() override { return true; }
};

std::string laesFil(const std::filesystem::path& fil)
{
    std::ifstream ind(fil, std::ios::binary);
    return {std::istreambuf_iterator<char>(ind), std::istreambuf_iterator<char>()};
}

} // namespace

TEST_F(Aktiviteter, TheTextPagesAndPrintShowThemAndGiveTheirTeachersAPage)
{
    MedTestModtager m;
    Vorivazi v(Datakilde::database);
    ASSERT_TRUE(v.AabnPlan(plan));
    const std::filesystem::path mappe = std::filesystem::temp_directory_path() /
                                        ("aktiviteter-" + std::to_string(getpid()));
    std::filesystem::create_directories(mappe);
    ASSERT_TRUE(v.Eksporter(mappe.string()));
    const std::string hold = laesFil(mappe / "HoldSkemaer.txt");
    const std::string laerere = laesFil(mappe / "LaererSkemaer.txt");
    const std::string lokaler = laesFil(mappe / "LokaleSkemaer.txt");
    std::filesystem::remove_all(mappe);

    // 7.a has no lesson of the specified kind, Gorm and Hallen only activities.
    EXPECT_NE(hold.find("\n7.a\n----------\n"), std::string::npos) << hold;
    EXPECT_NE(hold.find("| Lektion 2   |Fransk Eva /"), std::string::npos) << hold;
    EXPECT_NE(hold.find("|             |Tysk Gorm    |"), std::string::npos) << hold;
    EXPECT_NE(laerere.find("\nGorm\n----------\n"), std::string::npos) << laerere;
    EXPECT_NE(laerere.find("| Lektion 2   |7.a Tysk B1  |"), std::string::npos) << laerere;
    EXPECT_NE(lokaler.find("\nHallen\n----------\n"), std::string::npos) << lokaler;
    // 7.b's Danish stays beside the joined sport, its teachers named.
    const size_t b = hold.find("\n7.b\n");
    ASSERT_NE(b, std::string::npos);
    EXPECT_NE(hold.find("| Lektion 1   |Dansk_ Ulla  |Idræt Bo,    |", b), std::string::npos) << hold;

    Tekstudskriver udskriver;
    Udskriver* forrige = Udskriver::SaetAktiv(&udskriver);
    const bool udskrevet = v.UdskrivSkema("Dorthe", SkemaArt::laerer);
    Udskriver::SaetAktiv(forrige);
    ASSERT_TRUE(udskrevet);
    ASSERT_GT(udskriver.linjer.size(), 8u);
    EXPECT_EQ(udskriver.linjer[0], "Dorthe");
    EXPECT_EQ(udskriver.linjer[2 + 7].substr(0, 43), "| Lektion 2   |             |7.a, 7.b     |");
}
