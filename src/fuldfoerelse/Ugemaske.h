#pragma once

#include "base/Uge.h"

#include <bit>
#include <cstdint>

// One bit per cell of the largest week: cell = day * maksTimer + hour. Two
// machine words hold 7 x 16 cells, so occupancy tests stay single operations.
__extension__ using Ugemaske = unsigned __int128;
static_assert(maksCeller <= 128, "a week's cells must fit the mask");
static_assert(maksTimer <= 32, "a day's cells must fit 32 bits");

inline constexpr Ugemaske CelleMaske(int32_t celle) { return Ugemaske{1} << celle; }

// The cells of one day, hour 0 in bit 0.
inline constexpr uint32_t DagensTimer(Ugemaske maske, int32_t dag)
{
    constexpr uint32_t dagMaske = maksTimer == 32 ? ~uint32_t{0} : (uint32_t{1} << maksTimer) - 1;
    return static_cast<uint32_t>(maske >> (dag * maksTimer)) & dagMaske;
}

// Gap hours: empty hours between a day's first and last lesson, over the week.
inline int32_t Huller(Ugemaske optaget)
{
    int32_t huller = 0;
    for (int32_t dag = 0; dag < maksDage; ++dag)
        if (const uint32_t timer = DagensTimer(optaget, dag); timer != 0)
            huller += static_cast<int32_t>(std::bit_width(timer)) - std::countr_zero(timer) - std::popcount(timer);
    return huller;
}
