#pragma once

#include <cstdint>

// The one pseudo-random sequence of the process. The timetable lists and the
// planning lists reseed it when they are built and draw quicksort pivots
// from it, so the same data and operations always give the same timetables.
namespace pseudoRandom {

void Seed(uint32_t froe);

// Next value, 0 ... 0x7FFFFFFF.
int32_t Draw();

// Next value modulo n; 0 when n is not positive (a draw is still taken).
int32_t DrawModulo(int32_t n);

} // namespace pseudoRandom
