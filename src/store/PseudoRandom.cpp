#include "store/PseudoRandom.h"

namespace {
constexpr uint64_t multiplikator = 0x0000015A00004E35ULL;
} // namespace

constinit PseudoRandom pseudoRandom;

void PseudoRandom::Seed(uint32_t froe) { tilstand_ = froe; }

int32_t PseudoRandom::Draw()
{
    tilstand_ = tilstand_ * multiplikator + 1;
    return static_cast<int32_t>((tilstand_ >> 32) & 0x7FFFFFFFULL);
}

int32_t PseudoRandom::DrawModulo(int32_t n)
{
    const int32_t vaerdi = Draw();
    return n > 0 ? vaerdi % n : 0;
}
