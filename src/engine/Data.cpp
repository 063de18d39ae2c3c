#include "Data.h"

#include <functional>

int32_t data::sorteringsfelt = 1;

namespace {

const std::string ikkeSatTekst = "tom";
constexpr int32_t ikkeSatHeltal = -1;
constexpr double ikkeSatDecimal = -1.0;

constexpr int32_t foersteHeltalsfelt = 6;
constexpr int32_t foersteDecimalfelt = 10;

// Applies the comparison to the current sort field of both records; with no
// field (0) every comparison is false, equality included.
template <typename Sammenligning>
bool sammenlign(const data& a, const data& b, Sammenligning op)
{
    const int32_t felt = data::sorteringsfelt;
    if (felt >= 1 && felt < foersteHeltalsfelt)
        return op(a.tekst[felt - 1], b.tekst[felt - 1]); // std::string compares bytes as unsigned
    if (felt >= foersteHeltalsfelt && felt < foersteDecimalfelt)
        return op(a.heltal[felt - foersteHeltalsfelt], b.heltal[felt - foersteHeltalsfelt]);
    if (felt >= foersteDecimalfelt && felt <= data::sidsteFelt)
        return op(a.decimaltal[felt - foersteDecimalfelt], b.decimaltal[felt - foersteDecimalfelt]);
    return false;
}

void skrivFelt(std::ostream& ud, const data& d, int32_t felt)
{
    if (felt >= 1 && felt < foersteHeltalsfelt)
        ud << d.tekst[felt - 1];
    else if (felt >= foersteHeltalsfelt && felt < foersteDecimalfelt)
        ud << d.heltal[felt - foersteHeltalsfelt];
    else if (felt >= foersteDecimalfelt && felt <= data::sidsteFelt)
        ud << d.decimaltal[felt - foersteDecimalfelt];
}

} // namespace

void data::SaetFelt(int32_t felt)
{
    if (felt >= ingenFelt && felt <= sidsteFelt)
        sorteringsfelt = felt;
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

void data::Nulstil()
{
    tekst.fill(ikkeSatTekst);
    heltal.fill(ikkeSatHeltal);
    decimaltal.fill(ikkeSatDecimal);
    ben.fill(nullptr);
}

bool data::operator<(const data& anden) const { return sammenlign(*this, anden, std::less<>{}); }
bool data::operator>(const data& anden) const { return sammenlign(*this, anden, std::greater<>{}); }
bool data::operator==(const data& anden) const { return sammenlign(*this, anden, std::equal_to<>{}); }
bool data::operator!=(const data& anden) const { return sammenlign(*this, anden, std::not_equal_to<>{}); }
bool data::operator<=(const data& anden) const { return sammenlign(*this, anden, std::less_equal<>{}); }
bool data::operator>=(const data& anden) const { return sammenlign(*this, anden, std::greater_equal<>{}); }

std::ostream& operator<<(std::ostream& ud, const data& d)
{
    if (data::sorteringsfelt != data::ingenFelt) {
        skrivFelt(ud, d, data::sorteringsfelt);
        return ud;
    }
    for (const std::string& t : d.tekst)
        if (t != ikkeSatTekst)
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
        data::SaetFelt(1);
        ud << " | " << *b;
        data::SaetFelt(data::ingenFelt);
    }
    return ud;
}
