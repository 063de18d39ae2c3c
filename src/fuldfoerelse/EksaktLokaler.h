#pragma once

#include <cstdint>
#include <vector>

// Handing out the rooms of one kind on one day, for the exact solver. The
// solver only counts a kind's rooms per hour; that is enough for single hours,
// but a block needs one room for all its hours, and rooms kept busy by fixed
// lessons at different hours may leave no such room.

// Hours of one day as bits, hour 0 in bit 0.
using Dagtimer = uint32_t;

struct Lokaleblok {
    int32_t time = 0;
    int32_t laengde = 1;
};

enum class Fordeling { fundet, umulig, ukendt };

// ledige: per room the hours it is free. On fundet, rum holds per block the
// index of its room in ledige. ukendt: the search gave up (a bound on its steps).
Fordeling FordelLokaler(const std::vector<Dagtimer>& ledige, const std::vector<Lokaleblok>& blokke,
                        std::vector<int32_t>& rum);
