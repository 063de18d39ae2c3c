#pragma once

#include <array>
#include <cstdint>
#include <string>

// The program's constants, written once: the limits of a week, the id that
// means "not set", the room type of home rooms, the priority "cannot".

// The largest week a plan may have. Arrays of cells are sized by these, and
// the bit sets of the completion hold one bit per cell of such a week.
inline constexpr int32_t maksDage = 7;
inline constexpr int32_t maksTimer = 16;
inline constexpr int32_t maksCeller = maksDage * maksTimer;

// The week every plan had before longer weeks came: its text page, its
// engine figures and its generation settings stay exactly as they were.
inline constexpr int32_t klassiskeDage = 5;
inline constexpr int32_t klassiskeTimer = 8;

// The days of a timetable's columns, Monday first.
inline constexpr std::array<const char*, maksDage> dagNavne{"Mandag", "Tirsdag", "Onsdag", "Torsdag",
                                                            "Fredag", "Lørdag",  "Søndag"};

// The id that marks "not set": a lesson still without teacher or room.
inline const std::string tomId = "tom";

// The room type of a class's home room.
inline const std::string stamlokaleType = "Stamlokale";

// The lowest priority: the teacher cannot teach in that hour.
inline constexpr int32_t utilgaengelig = -3;

// A cell position: day column and hour row, both from 0.
struct Placering {
    int32_t kolonne = 0;
    int32_t raekke = 0;

    bool operator==(const Placering&) const = default;
};

// The week of one plan: its days and hours a day. The one test of "inside the plan".
struct Uge {
    int32_t dage = maksDage;
    int32_t timer = maksTimer;

    // A week within the limits, at least 1 x 1.
    bool Gyldig() const { return dage >= 1 && dage <= maksDage && timer >= 1 && timer <= maksTimer; }
    bool Indeholder(Placering p) const
    {
        return p.kolonne >= 0 && p.kolonne < dage && p.raekke >= 0 && p.raekke < timer;
    }
    // Every hour of a block of `laengde` hours that starts at p lies in the plan.
    bool RummerBlok(Placering p, int32_t laengde) const
    {
        return laengde >= 1 && Indeholder(p) && p.raekke + laengde <= timer;
    }
};
