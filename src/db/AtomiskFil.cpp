#include "db/AtomiskFil.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <random>

namespace {

std::string tilfaeldigEndelse()
{
    static const char tegn[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device kilde;
    std::uniform_int_distribution<size_t> valg(0, sizeof(tegn) - 2);
    std::string endelse;
    for (int i = 0; i < 6; ++i)
        endelse += tegn[valg(kilde)];
    return endelse;
}

} // namespace

AtomiskFil::AtomiskFil(std::filesystem::path maal) : maal_(std::move(maal))
{
    do {
        midlertidig_ = maal_;
        midlertidig_ += ".tmp-" + tilfaeldigEndelse();
    } while (std::filesystem::exists(midlertidig_));
}

AtomiskFil::~AtomiskFil()
{
    if (!fuldfoert_) {
        std::error_code ingen;
        std::filesystem::remove(midlertidig_, ingen);
    }
}

bool AtomiskFil::Skriv(const std::string& indhold, std::string& fejl)
{
    std::ofstream ud(midlertidig_, std::ios::binary | std::ios::trunc);
    if (ud.is_open())
        ud.write(indhold.data(), static_cast<std::streamsize>(indhold.size()));
    ud.close();
    if (!ud.fail())
        return true;
    fejl = "Filen " + maal_.string() + " kunne ikke skrives: " + std::strerror(errno);
    return false;
}

bool AtomiskFil::Fuldfoer(std::string& fejl)
{
    std::error_code grund;
    std::filesystem::rename(midlertidig_, maal_, grund);
    if (grund) {
        fejl = "Filen " + maal_.string() + " kunne ikke gemmes: " + grund.message();
        return false;
    }
    fuldfoert_ = true;
    return true;
}

bool AtomiskFil::SkrivHele(const std::filesystem::path& maal, const std::string& indhold, std::string& fejl)
{
    AtomiskFil fil(maal);
    return fil.Skriv(indhold, fejl) && fil.Fuldfoer(fejl);
}
