#include "regler/Elevenheder.h"

#include <algorithm>
#include <set>

void Elevenheder::TilfoejGruppe(const std::string& hold, const std::string& inddeling, const std::string& gruppe)
{
    if (!Inddeling(hold, gruppe).empty())
        return;
    std::vector<Opdeling>& opdelinger = inddelinger_[hold];
    auto fundet = std::find_if(opdelinger.begin(), opdelinger.end(),
                               [&](const Opdeling& o) { return o.navn == inddeling; });
    if (fundet == opdelinger.end())
        fundet = opdelinger.insert(opdelinger.end(), Opdeling{inddeling, {}});
    fundet->grupper.push_back(gruppe);
}

std::string Elevenheder::Inddeling(const std::string& hold, const std::string& gruppe) const
{
    const auto opdelinger = inddelinger_.find(hold);
    if (opdelinger == inddelinger_.end())
        return "";
    for (const Opdeling& o : opdelinger->second) {
        if (std::find(o.grupper.begin(), o.grupper.end(), gruppe) != o.grupper.end())
            return o.navn;
    }
    return "";
}

int32_t Elevenheder::AntalEnheder(const std::string& hold) const
{
    int32_t antal = 1;
    if (const auto opdelinger = inddelinger_.find(hold); opdelinger != inddelinger_.end()) {
        for (const Opdeling& o : opdelinger->second)
            antal *= static_cast<int32_t>(o.grupper.size());
    }
    return antal;
}

// A unit's number counts its groups' places as the digits of a number whose
// bases are the divisions' sizes, the first division the lowest digit.
std::vector<int32_t> Elevenheder::Optager(const Deltager& deltager) const
{
    const int32_t antal = AntalEnheder(deltager.hold);
    std::vector<int32_t> enheder;
    if (deltager.HeleHoldet()) {
        for (int32_t nr = 0; nr < antal; ++nr)
            enheder.push_back(nr);
        return enheder;
    }
    const auto opdelinger = inddelinger_.find(deltager.hold);
    if (opdelinger == inddelinger_.end())
        return enheder;
    int32_t vaegt = 1;
    for (const Opdeling& o : opdelinger->second) {
        const auto stoerrelse = static_cast<int32_t>(o.grupper.size());
        const auto plads = std::find(o.grupper.begin(), o.grupper.end(), deltager.gruppe);
        if (plads != o.grupper.end()) {
            const auto ciffer = static_cast<int32_t>(plads - o.grupper.begin());
            for (int32_t nr = 0; nr < antal; ++nr) {
                if ((nr / vaegt) % stoerrelse == ciffer)
                    enheder.push_back(nr);
            }
            return enheder;
        }
        vaegt *= stoerrelse;
    }
    return enheder;
}

bool Elevenheder::DelerElever(const std::vector<Deltager>& a, const std::vector<Deltager>& b) const
{
    std::set<std::pair<std::string, int32_t>> optaget;
    for (const Deltager& d : a) {
        for (const int32_t nr : Optager(d))
            optaget.emplace(d.hold, nr);
    }
    return std::any_of(b.begin(), b.end(), [&](const Deltager& d) {
        const std::vector<int32_t> enheder = Optager(d);
        return std::any_of(enheder.begin(), enheder.end(), [&](int32_t nr) { return optaget.contains({d.hold, nr}); });
    });
}

namespace {

bool Faelles(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    return std::any_of(a.begin(), a.end(), [&](const std::string& id) {
        return id != tomId && std::find(b.begin(), b.end(), id) != b.end();
    });
}

} // namespace

Hindring Sammenstoed(const Elevenheder& enheder, const Optagelse& a, const Optagelse& b)
{
    if (Faelles(a.laerere, b.laerere))
        return Hindring::laererOptaget;
    if (Faelles(a.lokaler, b.lokaler))
        return Hindring::intetLokale;
    if (enheder.DelerElever(a.deltagere, b.deltagere))
        return Hindring::holdOptaget;
    return Hindring::ingen;
}
