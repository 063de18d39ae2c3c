#include "base/Stopur.h"

#include <chrono>

namespace {
const auto programStart = std::chrono::steady_clock::now();
}

int32_t Stopur::Tik()
{
    const auto forloebet = std::chrono::steady_clock::now() - programStart;
    return static_cast<int32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(forloebet).count());
}

void Stopur::Start() { start_ = Tik(); }

void Stopur::Stop() { stop_ = Tik(); }

double Stopur::Sekunder() const { return (stop_ - start_) * 0.001; }

void Stopur::Tid(double& sekunder) const { sekunder = Sekunder(); }

std::ostream& operator<<(std::ostream& ud, const Stopur& ur) { return ud << ur.Sekunder() << " sekunder."; }
