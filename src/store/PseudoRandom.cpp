#include "store/PseudoRandom.h"

namespace pseudoRandom {

namespace {
uint64_t tilstand = 0;
constexpr uint64_t multiplikator = 0x0000015A00004E35ULL;
} // namespace

void Seed(uint32_t froe) { tilstand = froe; }

int32_t Draw()
{
    tilstand = tilstand * multiplikator + 1;
    return static_cast<int32_t>((tilstand >> 32) & 0x7FFFFFFFULL);
}

int32_t DrawModulo(int32_t n)
{
    const int32_t vaerdi = Draw();
    return n > 0 ? vaerdi % n : 0;
}

} // namespace pseudoRandom
