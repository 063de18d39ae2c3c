#pragma once

#include "base/Uge.h"

#include <algorithm>
#include <array>
#include <bit>
#include <concepts>
#include <cstdint>

// Why a block of lesson hours may not stand at a start, in the order the rules
// are asked: the first one that holds is the reason given.
enum class Hindring : uint8_t {
    ingen,
    udenforPlanen,       // the day or the hour is not in the plan
    foerFoersteTime,     // the block would start before the day's first hour
    efterSidsteTime,     // the block would run past the day's last hour
    fastlaast,           // the lesson, or the one it would change places with, is pinned
    ingenLaerer,         // the lesson has no teacher yet
    manglerLokale,       // no room it may use exists: no home room, no room of its type
    laererUtilgaengelig, // the teacher cannot (-3) in one of the hours
    pause,               // the planner's rules: nothing is taught in one of the hours
    lukket,              // the planner's rules: a class, group, teacher or every room of a need is away
    fastStarttid,        // the planner's rules: the lesson begins only at other hours
    udenforTidsrum,      // the planner's rules: one of the hours lies outside the lesson's hours
    laererOptaget,       // the teacher teaches another lesson then
    intetLokale,         // every room the lesson may use is taken then
    holdOptaget,         // the class has another lesson then
    fagSammeDag,         // the class has the subject that day already (the spreading rule)
};

// How a class's subject may lie within one day.
enum class Spredning : uint8_t {
    fri,             // as often as it likes
    sammenhaengende, // as one unbroken run of at most Dagsregel::loeb hours, or one block alone
    enBlok,          // once a day, as one block: what the generation keeps
};

// What one day may hold of a class's subject. Spread, the day's hours of it
// form one unbroken run of at most `loeb` hours (single hours and blocks side
// by side), or are one block alone, of any length. loeb 0 leaves only the
// block alone.
struct Dagsregel {
    bool spreder = false;
    int32_t loeb = 0;
};

// The rules a plan may switch; the others always hold. A value of its own is
// the generation's rules.
struct Regelvalg {
    Spredning spredning = Spredning::enBlok;

    // The planner's rules: spread or not.
    static constexpr Regelvalg Planens(bool spred) { return {spred ? Spredning::sammenhaengende : Spredning::fri}; }
    bool Spreder() const { return spredning != Spredning::fri; }
    // The day's rule for a subject of `ugetimer` hours a week in a week of
    // `dage` days. Spread, a run grows with the subject: two hours, or the
    // day's even share of the week's hours when that is more (28 hours on 5
    // days: 6), so every day can have some and none has all.
    constexpr Dagsregel Dag(int32_t ugetimer, int32_t dage) const
    {
        switch (spredning) {
        case Spredning::fri:
            return {false, 0};
        case Spredning::sammenhaengende:
            return {true, std::max(2, dage > 0 ? (ugetimer + dage - 1) / dage : ugetimer)};
        case Spredning::enBlok:
            break;
        }
        return {true, 0};
    }
};

// What the rules ask about one block at one start (and, for rooms, in the
// rooms the caller offers). Each user answers from its own timetables. The
// blocks that move in the same step (the block itself, and a lesson it would
// change places with) are never in their own way.
// clang-format off
template <typename F>
concept Blokfakta = requires(const F& f) {
    { f.Fastlaast() } -> std::same_as<bool>;
    { f.HarLaerer() } -> std::same_as<bool>;
    { f.HarLokaler() } -> std::same_as<bool>;
    { f.LaererUtilgaengelig() } -> std::same_as<bool>;
    { f.LaererOptaget() } -> std::same_as<bool>;
    { f.LokaleOptaget() } -> std::same_as<bool>;
    { f.HoldOptaget() } -> std::same_as<bool>;
    // The hours of that day (bit 0 the first) holding another lesson of the class's subject.
    { f.FagetsTimer() } -> std::same_as<uint32_t>;
    // The class's hours of the subject a week, the block's own included.
    { f.FagetsUgetimer() } -> std::same_as<int32_t>;
};
// clang-format on

// The block of `laengde` hours from `start` would break the spreading rule
// beside the day's other hours of the subject.
constexpr bool BryderSpredning(Dagsregel regel, uint32_t fagetsTimer, Placering start, int32_t laengde)
{
    if (!regel.spreder || fagetsTimer == 0)
        return false;
    const uint32_t alle = fagetsTimer | (((uint32_t{1} << laengde) - 1) << start.raekke);
    const uint32_t fraFoerste = alle >> std::countr_zero(alle);
    return std::popcount(alle) > regel.loeb || (fraFoerste & (fraFoerste + 1)) != 0;
}

// The block of `laengde` hours from `start` can never keep the spreading rule
// beside the day's fixed hours of the subject, whatever else comes: together
// they span more than a run. (A gap between them may still be filled.)
constexpr bool SpredningUdelukket(Dagsregel regel, uint32_t faste, Placering start, int32_t laengde)
{
    if (!regel.spreder || faste == 0)
        return false;
    const uint32_t alle = faste | (((uint32_t{1} << laengde) - 1) << start.raekke);
    return static_cast<int32_t>(std::bit_width(alle)) - std::countr_zero(alle) > regel.loeb;
}

// Where the block of `laengde` hours may not start in the plan's week.
constexpr Hindring UgeHindring(const Uge& uge, Placering start, int32_t laengde)
{
    if (start.kolonne < 0 || start.kolonne >= uge.dage || start.raekke >= uge.timer)
        return Hindring::udenforPlanen;
    if (start.raekke < 0)
        return Hindring::foerFoersteTime;
    if (!uge.RummerBlok(start, laengde))
        return Hindring::efterSidsteTime;
    return Hindring::ingen;
}

// The one answer to "may this block stand here": Hindring::ingen, or the
// first reason it may not. planregel: what the planner's own rules say of
// the start (planregler::FoersteRegelhindring); the generation knows none.
template <Blokfakta F>
Hindring FoersteHindring(const Uge& uge, Placering start, int32_t laengde, const F& fakta, const Regelvalg& valg,
                         Hindring planregel = Hindring::ingen)
{
    if (const Hindring uden = UgeHindring(uge, start, laengde); uden != Hindring::ingen)
        return uden;
    if (fakta.Fastlaast())
        return Hindring::fastlaast;
    if (!fakta.HarLaerer())
        return Hindring::ingenLaerer;
    if (!fakta.HarLokaler())
        return Hindring::manglerLokale;
    if (fakta.LaererUtilgaengelig())
        return Hindring::laererUtilgaengelig;
    if (planregel != Hindring::ingen)
        return planregel;
    if (fakta.LaererOptaget())
        return Hindring::laererOptaget;
    if (fakta.LokaleOptaget())
        return Hindring::intetLokale;
    if (fakta.HoldOptaget())
        return Hindring::holdOptaget;
    if (BryderSpredning(valg.Dag(fakta.FagetsUgetimer(), uge.dage), fakta.FagetsTimer(), start, laengde))
        return Hindring::fagSammeDag;
    return Hindring::ingen;
}

// Hours of the week as one bit set per day, hour 0 in bit 0.
using Dagsmasker = std::array<uint32_t, maksDage>;

// The hours where a block of `laengde` hours of a subject of `ugetimer` hours
// a week may start by the rules about the block alone: in the plan and within
// the day, none of its teachers unavailable (spaerret: their -3 hours), not
// on the subject's lessons that never move (faste: their hours), and not so
// far from them that no run could hold both (SpredningUdelukket). Every other rule depends on what else moves. The
// completion's search, its exact solver and the check before generating all start here.
Dagsmasker TilladteStarter(const Uge& uge, int32_t laengde, const Dagsmasker& spaerret, const Dagsmasker& faste,
                           const Regelvalg& valg, int32_t ugetimer);

// Of the lessons at a move's target hour in the moved lesson's class, teacher
// and room timetables (nullptr: none), the one it changes places with: the
// class's lesson when it has the teacher or the room, the teacher's when it
// has the class or the room, the room's when it has the class or the teacher.
// Any other lesson there is only in the way.
template <typename L>
const L* Byttepartner(const L& flyttet, const L* iHold, const L* iLaerer, const L* iLokale)
{
    if (iHold != nullptr && (iHold->laerer == flyttet.laerer || iHold->lokale == flyttet.lokale))
        return iHold;
    if (iLaerer != nullptr && (iLaerer->hold == flyttet.hold || iLaerer->lokale == flyttet.lokale))
        return iLaerer;
    if (iLokale != nullptr && (iLokale->hold == flyttet.hold || iLokale->laerer == flyttet.laerer))
        return iLokale;
    return nullptr;
}

// The reason in a few Danish words, as lists and summaries show it ("lærer optaget").
const char* HindringsTekst(Hindring hindring);
