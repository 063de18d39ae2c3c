#pragma once

#include <cstdint>

// A 64-bit linear congruential sequence; quicksort draws its pivots from it.
class PseudoRandom {
public:
    void Seed(uint32_t froe);

    // Next value, 0 ... 0x7FFFFFFF.
    int32_t Draw();

    // Next value modulo n; 0 when n is not positive (a draw is still taken).
    int32_t DrawModulo(int32_t n);

private:
    uint64_t tilstand_ = 0;
};

// The one sequence of the process. Every sort of a timetable list or a
// planning list draws from it, and the constructor of each such list reseeds
// it, so the same data and operations always give the same timetables. That is
// why the order in which lists are created matters: a list created later
// restarts the sequence for every sort that follows, also in lists made before
// it. Constant-initialised, so it is ready before any static list is built.
extern constinit PseudoRandom pseudoRandom;
