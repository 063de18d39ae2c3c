// The completion with lessons that join classes, groups, teachers and rooms,
// checked from its result by the clash rule of the rules module and by gaps
// counted here.
#include "fuldfoerelse/Fuldfoerelse.h"
#include "fuldfoerelse/ManglendeTimer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <map>
#include <set>

namespace {

using namespace std::string_literals;

const Fuldfoerelsesvalg hurtig{.froe = 1, .maksSkridt = 200000, .maksUdenFremskridt = 2000};

// A 5 x 4 week that 7.a and 7.b fill to the last hour, which their language
// groups can only do side by side. Both classes learn German and French in
// joined groups, 7.a and 7.b's girls have sport together with two teachers in
// two halls, the boys of 7.b with one of them; 7.c has no groups and a
// homework class without a teacher; two teachers share a duty.
Skemabillede skolen()
{
    Skemabillede b;
    b.uge.dage = 5;
    b.uge.timer = 4;
    b.lokalerAfType[stamlokaleType] = {"A1", "A2", "A3"};
    for (const char* laerer : {"Ulla", "Karen", "Lis", "Gorm", "Eva", "Dorthe", "Bo"})
        b.prioriteter[laerer].fill(0);
    b.krav = {{"7.a", "Dansk", "Ulla", stamlokaleType, "A1", 1, 9},
              {"7.a", "Matematik", "Karen", stamlokaleType, "A1", 2, 4},
              {"7.b", "Dansk", "Karen", stamlokaleType, "A2", 1, 6},
              {"7.b", "Matematik", "Ulla", stamlokaleType, "A2", 1, 4},
              {"7.c", "Dansk", "Lis", stamlokaleType, "A3", 1, 8},
              {"7.c", "Matematik", "Lis", stamlokaleType, "A3", 2, 6}};
    Aktivitetsplan& a = b.aktiviteter;
    for (const char* hold : {"7.a", "7.b"})
        for (const char* sprog : {"Tysk", "Fransk"})
            a.enheder.TilfoejGruppe(hold, "Sprog", sprog);
    a.enheder.TilfoejGruppe("7.b", "Idræt", "piger");
    a.enheder.TilfoejGruppe("7.b", "Idræt", "drenge");
    a.TilfoejAktivitet({"Ty", "Tysk", 3, 1, {{"7.a", "Tysk"}, {"7.b", "Tysk"}}, {"Gorm"}, {{1, {"B1"}}}});
    a.TilfoejAktivitet({"Fr", "Fransk", 3, 1, {{"7.a", "Fransk"}, {"7.b", "Fransk"}}, {"Eva"}, {{1, {"B2"}}}});
    a.TilfoejAktivitet({"Id",
                        "Idræt",
                        4,
                        2,
                        {{"7.a"}, {"7.b", "piger"}},
                        {"Dorthe", "Bo"},
                        {{1, {"Gymsal"}}, {2, {"Hallen", "Gymsal"}}}});
    a.TilfoejAktivitet({"Idd", "Idræt", 2, 2, {{"7.b", "drenge"}}, {"Bo"}, {{1, {"Hallen"}}}});
    a.TilfoejAktivitet({"Ti", "Tilsyn", 3, 1, {}, {"Ulla", "Lis"}, {{1, {"Gaard"}}}});
    a.TilfoejAktivitet({"Lc", "Lektiecafé", 2, 1, {{"7.c"}}, {}, {{1, {"A3"}}}});
    return b;
}

// One lesson or block in one hour: what it takes, and which it is.
struct Time {
    Optagelse optagelse;
    std::string hvad;
};

std::map<std::pair<int32_t, int32_t>, std::vector<Time>>
timerne(const Skemabillede& b, const std::vector<LektionsData>& lektioner, const std::vector<Aktivitetsblok>& blokke)
{
    std::map<std::pair<int32_t, int32_t>, std::vector<Time>> timer;
    for (const LektionsData& l : lektioner)
        timer[{l.kolonne, l.raekke}].push_back({{{{l.hold}}, {l.laerer}, {l.lokale}}, l.hold + " " + l.fag});
    for (const Aktivitetsblok& blok : blokke) {
        const Aktivitet& a = *b.aktiviteter.Find(blok.aktivitet);
        for (int32_t i = 0; i < blok.laengde; ++i)
            timer[{blok.start.kolonne, blok.start.raekke + i}].push_back(
                {{a.deltagere, a.laerere, blok.lokaler}, a.id});
    }
    return timer;
}

// Every pair of lessons in one hour that share a student unit, a teacher or a room.
std::vector<std::string> sammenstoed(const Skemabillede& b, const std::vector<LektionsData>& lektioner,
                                     const std::vector<Aktivitetsblok>& blokke)
{
    std::vector<std::string> fund;
    for (const auto& [celle, timer] : timerne(b, lektioner, blokke))
        for (size_t i = 0; i < timer.size(); ++i)
            for (size_t j = i + 1; j < timer.size(); ++j)
                if (Sammenstoed(b.aktiviteter.enheder, timer[i].optagelse, timer[j].optagelse) != Hindring::ingen)
                    fund.push_back(std::to_string(celle.first) + "," + std::to_string(celle.second) + ": " +
                                   timer[i].hvad + " / " + timer[j].hvad);
    return fund;
}

// A class's gaps: hours between its first and last lesson of a day when none
// of its students is taught.
int32_t holdHuller(const Skemabillede& b, const std::vector<LektionsData>& lektioner,
                   const std::vector<Aktivitetsblok>& blokke)
{
    std::map<std::pair<std::string, int32_t>, std::set<int32_t>> timer; // class, day -> hours
    for (const auto& [celle, hvem] : timerne(b, lektioner, blokke))
        for (const Time& t : hvem)
            for (const Deltager& d : t.optagelse.deltagere)
                timer[{d.hold, celle.first}].insert(celle.second);
    int32_t huller = 0;
    for (const auto& [noegle, dagens] : timer)
        huller += *dagens.rbegin() - *dagens.begin() + 1 - static_cast<int32_t>(dagens.size());
    return huller;
}

} // namespace

TEST(Aktivitetsfuldfoerelse, PlacesEveryHourOfAFullSchoolWithoutAClash)
{
    Skemabillede b = skolen();
    // German is pinned to Monday's first hour.
    b.aktiviteter.Placer({"Ty", {0, 0}, 1, {"B1"}, true});
    Fuldfoerelse f(b, hurtig);
    while (f.Koer(1000)) {
    }
    EXPECT_EQ(f.Bedste().manglende, 0) << f.Opsummering();
    EXPECT_EQ(f.Opsummering().rfind("Fuldført: placeret 1→54 af 54,", 0), 0u) << f.Opsummering();
    const std::vector<LektionsData> lektioner = f.BedsteLektioner();
    const std::vector<Aktivitetsblok> blokke = f.BedsteAktivitetsblokke();
    EXPECT_EQ(sammenstoed(b, lektioner, blokke), std::vector<std::string>{});
    EXPECT_EQ(holdHuller(b, lektioner, blokke), f.Bedste().holdHuller);

    std::map<std::string, int32_t> timer;
    std::set<int32_t> tysk;
    std::set<int32_t> fransk;
    std::set<int32_t> idraetsdage;
    for (const Aktivitetsblok& blok : blokke) {
        const Aktivitet& a = *b.aktiviteter.Find(blok.aktivitet);
        timer[a.id] += blok.laengde;
        EXPECT_EQ(blok.laengde, a.blok) << a.id;
        ASSERT_EQ(blok.lokaler.size(), a.behov.size()) << a.id;
        for (size_t i = 0; i < a.behov.size(); ++i)
            EXPECT_EQ(std::count(a.behov[i].lokaler.begin(), a.behov[i].lokaler.end(), blok.lokaler[i]), 1);
        const int32_t celle = Skemamodel::CelleAf(blok.start);
        (a.id == "Ty" ? tysk : fransk).insert(celle);
        if (a.id == "Id") {
            EXPECT_TRUE(idraetsdage.insert(blok.start.kolonne).second) << "sport is spread over the week";
        }
        EXPECT_EQ(a.id == "Ty" && celle == 0, blok.laast) << "only the pinned block is pinned";
    }
    EXPECT_EQ(timer,
              (std::map<std::string, int32_t>{{"Fr", 3}, {"Id", 4}, {"Idd", 2}, {"Lc", 2}, {"Ti", 3}, {"Ty", 3}}));
    EXPECT_TRUE(tysk.contains(0)) << "the pinned block stays";
    for (const int32_t celle : tysk)
        EXPECT_TRUE(fransk.contains(celle)) << "the full classes need their language groups side by side";
    std::map<std::string, int32_t> lektionstimer;
    for (const LektionsData& l : lektioner)
        ++lektionstimer[l.hold + " " + l.fag];
    for (const Timekrav& k : b.krav)
        EXPECT_EQ(lektionstimer[k.hold + " " + k.fag], k.timer) << k.hold << " " << k.fag;
}

TEST(Aktivitetsfuldfoerelse, AClassHasAGapOnlyWhereAllItsStudentsAreFree)
{
    Skemabillede b;
    b.uge.dage = 5;
    b.uge.timer = 6;
    b.lokalerAfType[stamlokaleType] = {"A1"};
    b.krav = {{"7.a", "Dansk", "Ulla", stamlokaleType, "A1", 1, 2}};
    b.prioriteter["Ulla"].fill(0);
    b.aktiviteter.enheder.TilfoejGruppe("7.a", "Sprog", "Tysk");
    b.aktiviteter.enheder.TilfoejGruppe("7.a", "Sprog", "Fransk");
    b.aktiviteter.TilfoejAktivitet({"Ty", "Tysk", 1, 1, {{"7.a", "Tysk"}}, {"Gorm"}, {{1, {"B1"}}}});
    for (const int32_t time : {0, 2})
        b.lektioner.push_back(LektionsData(lektion("7.a", "Dansk", "Ulla", "A1", 1), 0, time));
    // German between the two Danish hours: the French group waits, the class does not.
    Skemabillede mellem = b;
    mellem.aktiviteter.Placer({"Ty", {0, 1}, 1, {"B1"}, false});
    EXPECT_EQ(Skemamodel(mellem).Status().manglende, 0);
    EXPECT_EQ(Skemamodel(mellem).Status().holdHuller, 0);
    EXPECT_EQ(Skemamodel(mellem).Status().laererHuller, 1) << "Ulla waits an hour";
    Skemabillede tirsdag = b;
    tirsdag.aktiviteter.Placer({"Ty", {1, 0}, 1, {"B1"}, false});
    EXPECT_EQ(Skemamodel(tirsdag).Status().holdHuller, 1);
}

TEST(Aktivitetsfuldfoerelse, ABlockOnALessonsHourIsPlacedAgainAndTheLessonStays)
{
    Skemabillede b = skolen();
    b.lektioner.push_back(LektionsData(lektion("7.a", "Dansk", "Ulla", "A1", 1), 0, 0));
    // French for 7.a's French group where the whole class has Danish: laid by
    // something that did not see the block.
    b.aktiviteter.Placer({"Fr", {0, 0}, 1, {"B2"}, false});
    // Lis's duty is where it may be.
    b.aktiviteter.Placer({"Ti", {1, 0}, 1, {"Gaard"}, false});
    const Skemamodel model(b);
    EXPECT_EQ(model.Lektioner().size(), 1u);
    const std::vector<Aktivitetsblok> blokke = model.Aktivitetsblokke();
    ASSERT_EQ(blokke.size(), 1u);
    EXPECT_EQ(blokke.front().aktivitet, "Ti");
    int32_t ledigeFransk = 0;
    for (const int32_t e : model.Ledige())
        ledigeFransk += model.AktivitetAf(e) != nullptr && model.AktivitetAf(e)->id == "Fr" ? 1 : 0;
    EXPECT_EQ(ledigeFransk, 3);
}

TEST(Aktivitetsfuldfoerelse, MissingHoursOfAnActivityComeWithTheirReasons)
{
    Skemabillede b = skolen();
    // Gorm cannot on Monday; the homework class has nothing against it.
    for (int32_t time = 0; time < maksTimer; ++time)
        b.prioriteter["Gorm"][time] = utilgaengelig;
    const ManglendeTimer manglende = FindManglendeTimer(b);
    int32_t ialt = 0;
    for (const ManglendeKrav& k : manglende.krav)
        ialt += k.mangler;
    std::map<std::string, const ManglendeAktivitetstimer*> aktiviteter;
    for (const ManglendeAktivitetstimer& a : manglende.aktiviteter) {
        aktiviteter[a.aktivitet.id] = &a;
        ialt += a.mangler;
    }
    EXPECT_EQ(manglende.Mangler(), ialt);
    ASSERT_EQ(aktiviteter.size(), 6u);
    const ManglendeAktivitetstimer& tysk = *aktiviteter["Ty"];
    EXPECT_EQ(tysk.navn, "7.a Tysk, 7.b Tysk Tysk");
    EXPECT_EQ(tysk.mangler, 3);
    EXPECT_EQ(tysk.Opsummering(), "ledig 16, lærer utilgængelig 4");
    EXPECT_EQ(aktiviteter["Ti"]->navn, "Ulla, Lis Tilsyn");
    EXPECT_EQ(aktiviteter["Id"]->blok, 2);
    EXPECT_EQ(aktiviteter["Lc"]->Opsummering(), "ledig 20") << "a lesson without a teacher may be placed";
}
