// The one answer to "may this block stand here": every reason at its boundary,
// and which reason wins when several hold.
#include "regler/Placeringsregler.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

struct Fakta {
    bool fastlaast = false;
    bool harLaerer = true;
    bool harLokaler = true;
    bool utilgaengelig = false;
    bool laererOptaget = false;
    bool lokaleOptaget = false;
    bool holdOptaget = false;
    uint32_t fagetsTimer = 0; // the day's other hours of the subject
    int32_t ugetimer = 0;     // the subject's hours a week

    bool Fastlaast() const { return fastlaast; }
    bool HarLaerer() const { return harLaerer; }
    bool HarLokaler() const { return harLokaler; }
    bool LaererUtilgaengelig() const { return utilgaengelig; }
    bool LaererOptaget() const { return laererOptaget; }
    bool LokaleOptaget() const { return lokaleOptaget; }
    bool HoldOptaget() const { return holdOptaget; }
    uint32_t FagetsTimer() const { return fagetsTimer; }
    int32_t FagetsUgetimer() const { return ugetimer; }
};

struct Tilfaelde {
    const char* navn;
    Placering start;
    int32_t laengde;
    Fakta fakta;
    Spredning spredning;
    Hindring forventet;
};

// A plan of 4 days and 6 hours.
constexpr Uge uge{4, 6};
constexpr Spredning enBlok = Spredning::enBlok;
constexpr Spredning sammen = Spredning::sammenhaengende;
constexpr Spredning fri = Spredning::fri;

} // namespace

TEST(Placeringsregler, EveryReasonAtItsBoundary)
{
    const Tilfaelde tilfaelde[] = {
        {"the last hour of the last day", {3, 5}, 1, {}, enBlok, Hindring::ingen},
        {"a day after the plan's days", {4, 0}, 1, {}, enBlok, Hindring::udenforPlanen},
        {"a day before Monday", {-1, 0}, 1, {}, enBlok, Hindring::udenforPlanen},
        {"the hour after the day's hours", {0, 6}, 1, {}, enBlok, Hindring::udenforPlanen},
        {"the hour before the first", {0, -1}, 2, {}, enBlok, Hindring::foerFoersteTime},
        {"a double lesson ending in the last hour", {0, 4}, 2, {}, enBlok, Hindring::ingen},
        {"a double lesson starting in the last hour", {0, 5}, 2, {}, enBlok, Hindring::efterSidsteTime},
        {"pinned", {0, 0}, 1, {.fastlaast = true}, enBlok, Hindring::fastlaast},
        {"no teacher", {0, 0}, 1, {.harLaerer = false}, enBlok, Hindring::ingenLaerer},
        {"no room at all", {0, 0}, 1, {.harLokaler = false}, enBlok, Hindring::manglerLokale},
        {"the teacher cannot", {0, 0}, 1, {.utilgaengelig = true}, enBlok, Hindring::laererUtilgaengelig},
        {"the teacher teaches", {0, 0}, 1, {.laererOptaget = true}, enBlok, Hindring::laererOptaget},
        {"the rooms are taken", {0, 0}, 1, {.lokaleOptaget = true}, enBlok, Hindring::intetLokale},
        {"the class has a lesson", {0, 0}, 1, {.holdOptaget = true}, enBlok, Hindring::holdOptaget},
        // The subject in hour 3 that day.
        {"one block a day: next to it", {0, 2}, 1, {.fagetsTimer = 0b1000}, enBlok, Hindring::fagSammeDag},
        {"unbroken: next to it", {0, 2}, 1, {.fagetsTimer = 0b1000}, sammen, Hindring::ingen},
        {"unbroken: after it", {0, 4}, 1, {.fagetsTimer = 0b1000}, sammen, Hindring::ingen},
        {"unbroken: a gap between", {0, 1}, 1, {.fagetsTimer = 0b1000}, sammen, Hindring::fagSammeDag},
        {"unbroken: three hours in a row", {0, 1}, 2, {.fagetsTimer = 0b1000}, sammen, Hindring::fagSammeDag},
        {"unbroken: a double lesson already", {0, 5}, 1, {.fagetsTimer = 0b11000}, sammen, Hindring::fagSammeDag},
        {"unbroken: alone that day", {0, 1}, 2, {}, sammen, Hindring::ingen},
        {"not spreading", {0, 0}, 1, {.fagetsTimer = 0b1000}, fri, Hindring::ingen},
    };
    for (const Tilfaelde& t : tilfaelde)
        EXPECT_EQ(FoersteHindring(uge, t.start, t.laengde, t.fakta, Regelvalg{t.spredning}), t.forventet) << t.navn;
}

TEST(Placeringsregler, TheFirstReasonWinsInAFixedOrder)
{
    // Each reason beats every reason after it.
    Fakta alt{true, false, false, true, true, true, true, 1};
    const Hindring orden[] = {Hindring::fastlaast,           Hindring::ingenLaerer,   Hindring::manglerLokale,
                              Hindring::laererUtilgaengelig, Hindring::laererOptaget, Hindring::intetLokale,
                              Hindring::holdOptaget,         Hindring::fagSammeDag,   Hindring::ingen};
    bool Fakta::*felter[] = {&Fakta::fastlaast,     &Fakta::harLaerer,     &Fakta::harLokaler, &Fakta::utilgaengelig,
                             &Fakta::laererOptaget, &Fakta::lokaleOptaget, &Fakta::holdOptaget};
    for (size_t i = 0; i < std::size(orden); ++i) {
        EXPECT_EQ(FoersteHindring(uge, {0, 0}, 1, alt, Regelvalg{}), orden[i]) << i;
        if (i < std::size(felter))
            alt.*felter[i] = !(alt.*felter[i]);
        else
            alt.fagetsTimer = 0;
    }
    EXPECT_EQ(FoersteHindring(uge, {9, 0}, 1, Fakta{.fastlaast = true}, Regelvalg{}), Hindring::udenforPlanen)
        << "the week is asked first";
    // The planner's rules are asked right after the teacher's unavailable hours.
    EXPECT_EQ(FoersteHindring(uge, {0, 0}, 1, Fakta{.utilgaengelig = true}, Regelvalg{}, Hindring::pause),
              Hindring::laererUtilgaengelig);
    EXPECT_EQ(FoersteHindring(uge, {0, 0}, 1, Fakta{.laererOptaget = true}, Regelvalg{}, Hindring::lukket),
              Hindring::lukket);
    EXPECT_EQ(Regelvalg::Planens(true).spredning, Spredning::sammenhaengende);
    EXPECT_FALSE(Regelvalg::Planens(false).Spreder());
    EXPECT_EQ(Regelvalg{}.spredning, Spredning::enBlok) << "the generation's own";
}

TEST(Placeringsregler, EveryReasonHasItsOwnWords)
{
    std::set<std::string> tekster;
    for (int h = 0; h <= static_cast<int>(Hindring::fagSammeDag); ++h)
        tekster.insert(HindringsTekst(static_cast<Hindring>(h)));
    EXPECT_EQ(tekster.size(), static_cast<size_t>(Hindring::fagSammeDag) + 1);
    EXPECT_EQ(std::string(HindringsTekst(Hindring::fastStarttid)), "fast starttid");
    EXPECT_EQ(std::string(HindringsTekst(Hindring::ingen)), "ledig");
}

// A run of a subject may be as long as its even share of the week, at least two.
TEST(Placeringsregler, TheRunFollowsTheWeek)
{
    const Regelvalg spredt = Regelvalg::Planens(true);
    EXPECT_EQ(spredt.Dag(3, 5).loeb, 2) << "fewer hours than days";
    EXPECT_EQ(spredt.Dag(10, 5).loeb, 2);
    EXPECT_EQ(spredt.Dag(11, 5).loeb, 3) << "more";
    EXPECT_EQ(spredt.Dag(28, 5).loeb, 6) << "a class teacher's subject";
    EXPECT_EQ(spredt.Dag(28, 7).loeb, 4);
    EXPECT_FALSE(Regelvalg::Planens(false).Dag(28, 5).spreder);
    EXPECT_EQ(Regelvalg{}.Dag(28, 5).loeb, 0) << "the generation keeps one block a day whatever the hours";

    struct Loeb {
        const char* navn;
        int32_t raekke;
        int32_t laengde;
        uint32_t fagetsTimer;
        int32_t ugetimer;
        Hindring forventet;
    };
    constexpr Uge uge7{5, 7};
    const Loeb tilfaelde[] = {
        {"3 hours: a second beside", 2, 1, 0b10, 3, Hindring::ingen},
        {"3 hours: a third in a row", 3, 1, 0b110, 3, Hindring::fagSammeDag},
        {"28 hours: the sixth in a row", 5, 1, 0b11111, 28, Hindring::ingen},
        {"28 hours: the seventh", 6, 1, 0b111111, 28, Hindring::fagSammeDag},
        {"28 hours: a gap", 4, 1, 0b111, 28, Hindring::fagSammeDag},
        {"28 hours: a double beside four", 4, 2, 0b1111, 28, Hindring::ingen},
        {"11 hours: a double beside one", 1, 2, 0b1, 11, Hindring::ingen},
        {"11 hours: a double beside two", 2, 2, 0b11, 11, Hindring::fagSammeDag},
        {"a block longer than the run, alone", 0, 3, 0, 4, Hindring::ingen},
        {"a block longer than the run, beside one", 1, 3, 0b1, 4, Hindring::fagSammeDag},
        {"a block as long as the run, beside one", 1, 3, 0b1, 11, Hindring::fagSammeDag},
        {"a block shorter than the run, beside one", 1, 3, 0b1, 16, Hindring::ingen},
    };
    for (const Loeb& t : tilfaelde)
        EXPECT_EQ(FoersteHindring(uge7, {0, t.raekke}, t.laengde,
                                  Fakta{.fagetsTimer = t.fagetsTimer, .ugetimer = t.ugetimer}, spredt),
                  t.forventet)
            << t.navn;
}

TEST(Placeringsregler, AllowedStartsOfABlockAlone)
{
    Dagsmasker spaerret{};
    spaerret[1] = 0b1000; // the teacher cannot in hour 3 of day 1
    Dagsmasker faste{};
    faste[2] = 0b1000; // a fixed lesson of the subject in hour 3 of day 2
    const Dagsmasker dobbelt = TilladteStarter(uge, 2, spaerret, faste, Regelvalg::Planens(true), 4);
    EXPECT_EQ(dobbelt[0], 0b11111u) << "not from the last hour";
    EXPECT_EQ(dobbelt[1], 0b10011u) << "not over the teacher's -3";
    EXPECT_EQ(dobbelt[2], 0u) << "three hours of the subject in a row";
    EXPECT_EQ(dobbelt[4], 0u) << "outside the plan's days";
    const Dagsmasker enkelt = TilladteStarter(uge, 1, spaerret, faste, Regelvalg::Planens(true), 4);
    EXPECT_EQ(enkelt[2], 0b10100u) << "beside the fixed hour only";
    EXPECT_EQ(TilladteStarter(uge, 1, spaerret, faste, Regelvalg::Planens(false), 4)[2], 0b110111u)
        << "the fixed lesson is the class's own";
    EXPECT_EQ(TilladteStarter(uge, 1, spaerret, faste, Regelvalg{}, 4)[2], 0u) << "the generation: one block a day";
}

TEST(Placeringsregler, TheSwapPartnerSharesMoreThanTheTimetable)
{
    struct L {
        std::string hold, laerer, lokale;
    };
    const L flyttet{"7a", "AB", "L1"};
    const L hosHold{"7a", "CD", "L1"}; // same room
    const L fremmedHos7a{"7a", "CD", "L2"};
    const L hosLaerer{"7b", "AB", "L1"};
    const L fremmedHosAB{"7b", "AB", "L3"};
    const L hosLokale{"7b", "AB", "L1"};
    const L fremmedILokale{"7b", "EF", "L1"};
    EXPECT_EQ(Byttepartner(flyttet, &hosHold, &hosLaerer, &hosLokale), &hosHold);
    EXPECT_EQ(Byttepartner(flyttet, &fremmedHos7a, &hosLaerer, &hosLokale), &hosLaerer);
    EXPECT_EQ(Byttepartner(flyttet, &fremmedHos7a, &fremmedHosAB, &hosLokale), &hosLokale);
    EXPECT_EQ(Byttepartner(flyttet, &fremmedHos7a, &fremmedHosAB, &fremmedILokale), nullptr)
        << "only in the way: the class's lesson with another teacher and room, and so on";
    EXPECT_EQ(Byttepartner<L>(flyttet, nullptr, nullptr, nullptr), nullptr);
}

TEST(Uge, InsideThePlanAndBlocksWithinOneDay)
{
    EXPECT_TRUE(uge.Indeholder({3, 5}));
    EXPECT_FALSE(uge.Indeholder({4, 5}));
    EXPECT_FALSE(uge.Indeholder({3, 6}));
    EXPECT_FALSE(uge.Indeholder({0, -1}));
    EXPECT_TRUE(uge.RummerBlok({0, 4}, 2));
    EXPECT_FALSE(uge.RummerBlok({0, 5}, 2));
    EXPECT_FALSE(uge.RummerBlok({4, 0}, 1));
    EXPECT_TRUE((Uge{1, 1}).Gyldig());
    EXPECT_FALSE((Uge{0, 8}).Gyldig());
    EXPECT_FALSE((Uge{maksDage + 1, 1}).Gyldig());
    EXPECT_FALSE((Uge{1, maksTimer + 1}).Gyldig());
    EXPECT_TRUE((Uge{maksDage, maksTimer}).Gyldig());
}
