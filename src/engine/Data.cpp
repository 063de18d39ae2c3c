#include "engine/Data.h"

#include "base/Uge.h"

#include <utility>

data::Sortering data::sortering;

namespace {

constexpr int32_t ikkeSatHeltal = -1;
constexpr double ikkeSatDecimal = -1.0;

void skrivFelt(std::ostream& ud, const data& d, int32_t felt)
{
    if (felt >= 1 && felt < data::foersteHeltalsfelt)
        ud << d.tekst[felt - 1];
    else if (felt >= data::foersteHeltalsfelt && felt < data::foersteDecimalfelt)
        ud << d.heltal[felt - data::foersteHeltalsfelt];
    else if (felt >= data::foersteDecimalfelt && felt <= data::sidsteFelt)
        ud << d.decimaltal[felt - data::foersteDecimalfelt];
}

} // namespace

void data::Sortering::Saet(int32_t nytFelt)
{
    if (nytFelt >= ingenFelt && nytFelt <= sidsteFelt)
        felt = nytFelt;
}

data::data() { Nulstil(); }

data::data(const data& anden) { *this = anden; }

data& data::operator=(const data& anden)
{
    tekst = anden.tekst;
    heltal = anden.heltal;
    decimaltal = anden.decimaltal;
    ben = anden.ben;
    return *this;
}

data::data(data&& anden) noexcept { *this = std::move(anden); }

data& data::operator=(data&& anden) noexcept
{
    tekst = std::move(anden.tekst);
    heltal = anden.heltal;
    decimaltal = anden.decimaltal;
    ben = anden.ben;
    return *this;
}

void data::Nulstil()
{
    tekst.fill(tomId);
    heltal.fill(ikkeSatHeltal);
    decimaltal.fill(ikkeSatDecimal);
    ben.fill(nullptr);
}

std::ostream& operator<<(std::ostream& ud, const data& d)
{
    if (data::sortering.felt != data::ingenFelt) {
        skrivFelt(ud, d, data::sortering.felt);
        return ud;
    }
    for (const std::string& t : d.tekst)
        if (t != tomId)
            ud << t << " ";
    for (const int32_t h : d.heltal)
        if (h != ikkeSatHeltal)
            ud << h << " ";
    for (const double x : d.decimaltal)
        if (x != ikkeSatDecimal)
            ud << x << " ";
    for (const data* b : d.ben) {
        if (b == nullptr)
            continue;
        data::sortering.Saet(1);
        ud << " | " << *b;
        data::sortering.Saet(data::ingenFelt);
    }
    return ud;
}
