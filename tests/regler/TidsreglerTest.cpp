// Where the planner's hard rules let a block stand, and the reason they give.
#include "regler/Tidsregler.h"

#include <gtest/gtest.h>

using namespace planregler;

namespace {

Regel Lukket(const std::string& hold, const std::string& gruppe, const std::string& lokale, const std::string& laerer,
             std::vector<Tid> tider)
{
    Regel r;
    r.art = Art::lukket;
    r.hold = hold;
    r.gruppe = gruppe;
    r.lokale = lokale;
    r.laerer = laerer;
    r.tider = std::move(tider);
    return r;
}

Regel Pause(std::vector<Tid> tider, int32_t vaegt = krav)
{
    Regel r;
    r.art = Art::pause;
    r.tider = std::move(tider);
    r.vaegt = vaegt;
    return r;
}

Regel Tider(Art art, Lektionsvalg lektioner, std::vector<Tid> tider)
{
    Regel r;
    r.art = art;
    r.lektioner = std::move(lektioner);
    r.tider = std::move(tider);
    return r;
}

// 1a's double lesson of Danish with Lone, in room A1 or A2; a single hour of 3c's German group with Eva in B1.
const Blok hele{"Da", "", {{"1a", ""}}, {"Lone"}, {{"A1", "A2"}}, 2};
const Blok gruppe{"Ty", "", {{"3c", "tysk"}}, {"Eva"}, {{"B1"}}, 1};

struct Tilfaelde {
    std::string navn;
    std::vector<Regel> regler;
    Blok blok;
    Placering start;
    std::string forventet; // the reason's words; "ledig" when none
};

} // namespace

TEST(Tidsregler, EachKindKeepsTheBlockFromTheHoursItRulesAndNamesWhy)
{
    const std::vector<Tilfaelde> tilfaelde{
        {"a break in the second hour", {Pause({{0, 1}})}, hele, {0, 0}, "pause"},
        {"a break after the block", {Pause({{0, 2}})}, hele, {0, 0}, "ledig"},
        {"a break only wished for", {Pause({{0, 1}}, 50)}, hele, {0, 0}, "ledig"},
        {"the class closed", {Lukket("1a", "", "", "", {{0, 1}})}, hele, {0, 0}, "lukket for 1a"},
        {"another class closed", {Lukket("1b", "", "", "", {{0, 1}})}, hele, {0, 0}, "ledig"},
        {"a group of the class closed: the whole class has the lesson",
         {Lukket("1a", "piger", "", "", {{0, 0}})},
         hele,
         {0, 0},
         "lukket for 1a piger"},
        {"the group closed", {Lukket("3c", "tysk", "", "", {{2, 3}})}, gruppe, {2, 3}, "lukket for 3c tysk"},
        {"another group closed", {Lukket("3c", "fransk", "", "", {{2, 3}})}, gruppe, {2, 3}, "ledig"},
        {"the group's class closed", {Lukket("3c", "", "", "", {{2, 3}})}, gruppe, {2, 3}, "lukket for 3c"},
        {"the teacher closed", {Lukket("", "", "", "Lone", {{0, 1}})}, hele, {0, 0}, "lukket for Lone"},
        {"everyone closed", {Lukket("", "", "", "", {{0, 1}})}, hele, {0, 0}, "lukket"},
        {"one of two rooms closed: the other is free", {Lukket("", "", "A1", "", {{0, 1}})}, hele, {0, 0}, "ledig"},
        {"both rooms closed",
         {Lukket("", "", "A1", "", {{0, 1}}), Lukket("", "", "A2", "", {{0, 0}, {0, 1}})},
         hele,
         {0, 0},
         "lukket for lokalerne A1, A2"},
        {"the only room closed", {Lukket("", "", "B1", "", {{2, 3}})}, gruppe, {2, 3}, "lukket for lokale B1"},
        {"a start time", {Tider(Art::starttid, {"", "1a", "Da", ""}, {{1, 0}})}, hele, {0, 0}, "fast starttid"},
        {"at its start time", {Tider(Art::starttid, {"", "1a", "Da", ""}, {{1, 0}})}, hele, {1, 0}, "ledig"},
        {"another subject's start time", {Tider(Art::starttid, {"", "", "Ma", ""}, {{1, 0}})}, hele, {0, 0}, "ledig"},
        {"every lesson's start times", {Tider(Art::starttid, {}, {{1, 0}})}, gruppe, {2, 3}, "fast starttid"},
        {"a teacher's start times",
         {Tider(Art::starttid, {"Eva", "", "", ""}, {{1, 0}})},
         gruppe,
         {2, 3},
         "fast starttid"},
        {"two start times of the same lessons: either",
         {Tider(Art::starttid, {"", "1a", "Da", ""}, {{1, 0}}), Tider(Art::starttid, {"", "1a", "Da", ""}, {{2, 0}})},
         hele,
         {2, 0},
         "ledig"},
        {"two start times of the same lessons: neither",
         {Tider(Art::starttid, {"", "1a", "Da", ""}, {{1, 0}}), Tider(Art::starttid, {"", "1a", "Da", ""}, {{2, 0}})},
         hele,
         {0, 0},
         "fast starttid"},
        {"start times of different lessons both hold",
         {Tider(Art::starttid, {"", "1a", "Da", ""}, {{1, 0}}), Tider(Art::starttid, {"", "1a", "", ""}, {{2, 0}})},
         hele,
         {2, 0},
         "fast starttid"},
        {"an activity's start times", {Tider(Art::starttid, {"", "", "", "A7"}, {{1, 0}})}, gruppe, {2, 3}, "ledig"},
        {"time slots holding the block",
         {Tider(Art::tidsrum, {"", "1a", "", ""}, {{0, 0}, {0, 1}})},
         hele,
         {0, 0},
         "ledig"},
        {"the block's second hour outside the slots",
         {Tider(Art::tidsrum, {"", "1a", "", ""}, {{0, 1}, {0, 3}})},
         hele,
         {0, 1},
         "uden for tidsrummet"},
        {"a break is named before a closed class",
         {Lukket("1a", "", "", "", {{0, 0}}), Pause({{0, 1}})},
         hele,
         {0, 0},
         "pause"},
    };
    const Uge uge{5, 8};
    for (const Tilfaelde& t : tilfaelde) {
        EXPECT_EQ(Tekst(FoersteRegelhindring(t.regler, t.blok, t.start)), t.forventet) << t.navn;
        const bool tilladt = ((StarterEfterRegler(t.regler, t.blok, uge)[t.start.kolonne] >> t.start.raekke) & 1) != 0;
        EXPECT_EQ(tilladt, t.forventet == "ledig") << t.navn << ": the starts agree";
    }
}

TEST(Tidsregler, TheStartsLeftAreThoseNoRuleForbids)
{
    const std::vector<Regel> regler{
        Pause({{0, 2}}), Lukket("1a", "", "", "", {{1, 0}}),
        Tider(Art::tidsrum, {"", "1a", "", ""}, {{0, 0}, {0, 1}, {0, 3}, {0, 4}, {1, 1}, {1, 2}, {1, 3}})};
    const Dagsmasker starter = StarterEfterRegler(regler, hele, Uge{3, 5});
    EXPECT_EQ(starter[0], 0b01001u) << "0-1 and 3-4: the break splits Monday";
    EXPECT_EQ(starter[1], 0b00110u) << "1-2 and 2-3: the class is away at 0 and 3 is the slots' end";
    EXPECT_EQ(starter[2], 0u);
    EXPECT_EQ(starter[3], 0u) << "outside the plan's days";
    EXPECT_EQ(StarterEfterRegler({}, hele, Uge{2, 3})[1], 0b111u) << "no rules: the whole day";
}

TEST(Tidsregler, ARoomIsClosedByItsOwnHardRulesOnly)
{
    Regel vaegtet = Lukket("", "", "A1", "", {{2, 2}});
    vaegtet.vaegt = 80;
    const std::vector<Regel> regler{Lukket("", "", "A1", "", {{0, 1}, {0, 3}}), Lukket("", "", "A2", "", {{1, 1}}),
                                    vaegtet, Lukket("1a", "", "", "", {{4, 4}})};
    const Dagsmasker lukket = LukkedeTimer(regler, "A1");
    EXPECT_EQ(lukket[0], 0b1010u);
    EXPECT_EQ(lukket[1], 0u);
    EXPECT_EQ(lukket[2], 0u) << "a wish closes nothing";
    EXPECT_EQ(lukket[4], 0u) << "a class's closed hours are not the room's";
}
