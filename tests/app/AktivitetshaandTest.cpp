// The planner's hand on lessons of the new kind: a block moves whole within
// the rules, ordinary lessons keep off its hours, and a pin is saved with the
// plan, on every engine.
#include "app/Vorivazi.h"
#include "db/TSqlModul.h"
#include "skoledata/Skoledatabase.h"
#include "support/TestDatabase.h"
#include "support/TestModtager.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace std::string_literals;

const std::string plan = "Plan2026";

// 7.a's language groups in parallel on Monday's second hour, German again on
// Thursday's first; 7.a and 7.b have sport together on Tuesday's first two
// hours with Dorthe and Åse (who cannot come on Fridays) in two halls; 7.b has
// Danish with Ulla, who also teaches German, on Monday's first hour.
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
    s.Tilfoej("AktivitetLaerer", {plan, "Ty"s, "Ulla"s});
    s.Tilfoej("AktivitetLaerer", {plan, "Fr"s, "Eva"s});
    s.Tilfoej("AktivitetLaerer", {plan, "Id"s, "Dorthe"s});
    s.Tilfoej("AktivitetLaerer", {plan, "Id"s, "Åse"s});
    s.Tilfoej("AktivitetLokale", {plan, "Ty"s, 1, "B1"s});
    s.Tilfoej("AktivitetLokale", {plan, "Fr"s, 1, "B2"s});
    s.Tilfoej("AktivitetLokale", {plan, "Id"s, 1, "Gymsal"s});
    s.Tilfoej("AktivitetLokale", {plan, "Id"s, 2, "Hallen"s});
    s.Tilfoej("Lektion", {plan, "7.b"s, "Dansk_uds"s, "Ulla"s, "B3"s, 1, 0, 0});
    for (const auto& [id, lokale] : {std::pair{"Ty"s, "B1"s}, {"Fr"s, "B2"s}}) {
        s.Tilfoej("AktivitetSkema", {plan, id, 0, 1, 1});
        s.Tilfoej("AktivitetSkemaLokale", {plan, id, 0, 1, 1, lokale});
    }
    s.Tilfoej("AktivitetSkema", {plan, "Ty"s, 3, 0, 1});
    s.Tilfoej("AktivitetSkemaLokale", {plan, "Ty"s, 3, 0, 1, "B1"s});
    s.Tilfoej("AktivitetSkema", {plan, "Id"s, 1, 0, 2});
    s.Tilfoej("AktivitetSkemaLokale", {plan, "Id"s, 1, 0, 1, "Gymsal"s});
    s.Tilfoej("AktivitetSkemaLokale", {plan, "Id"s, 1, 0, 2, "Hallen"s});
    return s;
}

class Aktivitetshaand : public DatabaseTest {
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

    // Where each block starts ("Id 1,0"), pinned ones marked.
    static std::vector<std::string> Blokke(const Vorivazi& v)
    {
        std::vector<std::string> ud;
        for (const Aktivitetsblok& b : v.Aktiviteter().Blokke())
            ud.push_back(b.aktivitet + " " + std::to_string(b.start.kolonne) + "," + std::to_string(b.start.raekke) +
                         (b.laast ? " laast" : ""));
        std::sort(ud.begin(), ud.end());
        return ud;
    }
};

} // namespace

TEST_F(Aktivitetshaand, AJoinedBlockMovesWholeOnlyWhereTheRulesAllowIt)
{
    MedTestModtager m;
    Vorivazi v(Datakilde::database);
    ASSERT_TRUE(v.AabnPlan(plan));
    const std::vector<std::string> foer = Blokke(v);

    // Refused, with the reason; nothing moves.
    const auto grund = [&](const std::string& id, SkemaArt art, Placering fra, Placering til) {
        const Flytsvar svar = v.Flyt(id, art, fra, til);
        return svar.udfald == FlytUdfald::afvist ? svar.grund : "flyttet";
    };
    EXPECT_EQ(grund("7.a", SkemaArt::hold, {1, 1}, {0, 1}), "klassen 7.b har 7.b Dansk_uds");
    EXPECT_EQ(grund("Hallen", SkemaArt::lokale, {1, 0}, {0, 1}), "klassen 7.a har Fransk 7.a Fransk");
    EXPECT_EQ(grund("Åse", SkemaArt::laerer, {1, 0}, {4, 3}), "læreren Åse er utilgængelig");
    EXPECT_EQ(grund("Dorthe", SkemaArt::laerer, {1, 0}, {2, 7}), "efter dagens sidste time");
    EXPECT_EQ(grund("Ulla", SkemaArt::laerer, {0, 1}, {0, 0}), "læreren Ulla er optaget af 7.b Dansk_uds");
    EXPECT_EQ(grund("B1", SkemaArt::lokale, {0, 1}, {3, 2}), "aktiviteten har allerede en time den dag");
    EXPECT_EQ(grund("7.b", SkemaArt::hold, {1, 0}, {1, 0}), "aktiviteten står der allerede");
    EXPECT_EQ(Blokke(v), foer);

    // Ordinary lessons keep off the activities' hours: the class, the teacher.
    EXPECT_EQ(grund("7.b", SkemaArt::hold, {0, 0}, {1, 1}), "klassen har Idræt 7.a, 7.b");
    EXPECT_EQ(grund("B3", SkemaArt::lokale, {0, 0}, {0, 1}), "læreren Ulla er optaget af Tysk 7.a Tysk");
    EXPECT_EQ(v.Lektioner("7.b", SkemaArt::hold).front().raekke, 0);

    // One hour later, over its own second hour; then from any hour of any of its timetables.
    EXPECT_EQ(v.ProevFlyt("Gymsal", SkemaArt::lokale, {1, 1}, {1, 2}).udfald, FlytUdfald::ledig);
    EXPECT_EQ(grund("7.b", SkemaArt::hold, {1, 1}, {2, 4}), "flyttet");
    EXPECT_EQ(v.AktivitetsblokI("Åse", SkemaArt::laerer, {2, 4})->start, (Placering{2, 3}));
    EXPECT_FALSE(v.AktivitetsblokI("7.a", SkemaArt::hold, {1, 0}));
    EXPECT_EQ(grund("B1", SkemaArt::lokale, {0, 1}, {3, 1}), "flyttet") << "German's two hours form one run";
    EXPECT_EQ(grund("7.b", SkemaArt::hold, {0, 0}, {1, 0}), "flyttet") << "Tuesday is free now";

    // Saved and opened again where they were moved to.
    ASSERT_TRUE(v.Gem(Overskrivning::Tillad));
    Vorivazi igen(Datakilde::database);
    ASSERT_TRUE(igen.AabnPlan(plan));
    EXPECT_EQ(Blokke(igen), (std::vector<std::string>{"Fr 0,1", "Id 2,3", "Ty 3,0", "Ty 3,1"}));
    EXPECT_TRUE(m.modtager.bokse.empty()) << m.modtager.bokse.front().tekst;
}

TEST_F(Aktivitetshaand, APinIsKeptInATableOfItsOwnAndReadBack)
{
    MedTestModtager m;
    {
        Vorivazi v(Datakilde::database);
        ASSERT_TRUE(v.AabnPlan(plan));
        ASSERT_TRUE(v.Gem(Overskrivning::Tillad));
        EXPECT_FALSE(TSqlModul::Instans().HarTabel("AktivitetFastlaasning")) << "no pin, no table";
        EXPECT_FALSE(v.SaetAktivitetsblokFastlaast("Id", {1, 1}, true)) << "the block starts an hour earlier";
        ASSERT_TRUE(v.SaetAktivitetsblokFastlaast("Id", {1, 0}, true));
        EXPECT_EQ(v.Flyt("Hallen", SkemaArt::lokale, {1, 1}, {2, 1}).grund, "lektionen er fastlåst");
        ASSERT_TRUE(v.Gem(Overskrivning::Tillad));
    }
    EXPECT_EQ(Lagret("AktivitetFastlaasning"), (std::vector<Raekke>{{plan, "Id"s, 1, 0}}));
    // A pin of a block the plan does not have is named, and saved back as it was.
    Skoledata fremmed;
    fremmed.Tilfoej("AktivitetFastlaasning", {plan, "Fr"s, 4, 4});
    std::vector<std::string> fejl;
    ASSERT_TRUE(Skoledatabase().Tilfoej(fremmed, fejl)) << fejl.front();
    {
        Vorivazi v(Datakilde::database);
        ASSERT_TRUE(v.AabnPlan(plan));
        EXPECT_EQ(Blokke(v), (std::vector<std::string>{"Fr 0,1", "Id 1,0 laast", "Ty 0,1", "Ty 3,0"}));
        ASSERT_EQ(m.modtager.bokse.size(), 1u);
        EXPECT_NE(m.modtager.bokse.front().tekst.find("1 fastlåsning af en aktivitetstime uden en aktivitetstime"),
                  std::string::npos)
            << m.modtager.bokse.front().tekst;
        ASSERT_TRUE(v.SaetAktivitetsblokFastlaast("Id", {1, 0}, false));
        EXPECT_EQ(v.Flyt("Hallen", SkemaArt::lokale, {1, 1}, {2, 1}).udfald, FlytUdfald::ledig);
        ASSERT_TRUE(v.Gem(Overskrivning::Tillad));
    }
    EXPECT_EQ(Lagret("AktivitetFastlaasning"), (std::vector<Raekke>{{plan, "Fr"s, 4, 4}}));
}
