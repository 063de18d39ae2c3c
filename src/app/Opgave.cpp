#include "app/Opgave.h"

namespace {

// The slices alone; true when they ran to the end.
bool KoerSkiver(Opgave& opgave, const std::function<bool()>& stop, const std::function<void(const Fremskridt&)>& vis)
{
    while (opgave.Naeste()) {
        if (vis)
            vis(opgave.Status());
        if (stop && stop())
            return false;
    }
    return true;
}

} // namespace

bool KoerOpgave(Opgave& opgave, const std::function<bool()>& stop, const std::function<void(const Fremskridt&)>& vis)
{
    const bool helt = KoerSkiver(opgave, stop, vis);
    opgave.Afslut(!helt);
    return helt;
}

Baggrundskoersel::Baggrundskoersel(Opgave& opgave, const std::atomic<bool>& stop) : opgave_(opgave)
{
    traad_ = std::thread([this, &stop] {
        helt_ = KoerSkiver(
            opgave_, [&stop] { return stop.load(); },
            [this](const Fremskridt& f) {
                const std::lock_guard laast(laas_);
                status_ = f;
            });
        faerdig_ = true;
    });
}

Baggrundskoersel::~Baggrundskoersel()
{
    if (traad_.joinable())
        traad_.join();
}

Fremskridt Baggrundskoersel::Status() const
{
    const std::lock_guard laast(laas_);
    return status_;
}

bool Baggrundskoersel::Afslut()
{
    traad_.join();
    opgave_.Afslut(!helt_);
    return helt_;
}

Tidsfrist::Tidsfrist(std::chrono::milliseconds frist)
{
    const auto udloeb = std::chrono::steady_clock::now() + frist;
    traad_ = std::thread([this, udloeb] {
        std::unique_lock laast(laas_);
        if (!vaekket_.wait_until(laast, udloeb, [this] { return slut_; }))
            stop_ = true;
    });
}

Tidsfrist::~Tidsfrist()
{
    {
        const std::lock_guard laast(laas_);
        slut_ = true;
    }
    vaekket_.notify_one();
    traad_.join();
}
