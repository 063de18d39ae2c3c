#pragma once

#include "base/Uge.h"

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
    laererOptaget,       // the teacher teaches another lesson then
    intetLokale,         // every room the lesson may use is taken then
    holdOptaget,         // the class has another lesson then
    fagSammeDag,         // the class has the subject that day already (the spreading rule)
};

// How a class's subject may lie within one day.
enum class Spredning : uint8_t {
    fri,             // as often as it likes
    sammenhaengende, // once a day, as one unbroken run of at most two hours (a double lesson)
    enBlok,          // once a day, as one block: what the generation keeps
};

// The rules a plan may switch; the others always hold. A value of its own is
// the generation's rules.
struct Regelvalg {
    Spredning spredning = Spredning::enBlok;

    // The planner's rules: spread or not.
    static constexpr Regelvalg Planens(bool spred) { return {spred ? Spredning::sammenhaengende : Spredning::fri}; }
    bool Spreder() const { return spredning != Spredning::fri; }
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
};
// clang-format on

// The block of `laengde` hours from `start` would break the spreading rule
// beside the day's other hours of the subject.
constexpr bool BryderSpredning(Spredning spredning, uint32_t fagetsTimer, Placering start, int32_t laengde)
{
    if (spredning == Spredning::fri || fagetsTimer == 0)
        return false;
    if (spredning == Spredning::enBlok)
        return true;
    const uint32_t alle = fagetsTimer | (((uint32_t{1} << laengde) - 1) << start.raekke);
    const uint32_t fraFoerste = alle >> std::countr_zero(alle);
    return std::popcount(alle) > 2 || (fraFoerste & (fraFoerste + 1)) != 0;
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
// first reason it may not.
template <Blokfakta F>
Hindring FoersteHindring(const Uge& uge, Placering start, int32_t laengde, const F& fakta, const Regelvalg& valg)
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
    if (fakta.LaererOptaget())
        return Hindring::laererOptaget;
    if (fakta.LokaleOptaget())
        return Hindring::intetLokale;
    if (fakta.HoldOptaget())
        return Hindring::holdOptaget;
    if (BryderSpredning(valg.spredning, fakta.FagetsTimer(), start, laengde))
        return Hindring::fagSammeDag;
    return Hindring::ingen;
}

// The reason in a few Danish words, as lists and summaries show it ("lærer optaget").
const char* HindringsTekst(Hindring hindring);
