#include "store/Skemabog.h"

#include <algorithm>
#include <array>

namespace {

// Light colours, so black text stays readable on them, and far enough apart
// to tell neighbouring subjects from each other; more subjects reuse them.
constexpr std::array<const char*, 20> palet{"#cfe2f3", "#d9ead3", "#fce5cd", "#ead1dc", "#fff2cc", "#d0e0e3", "#d9d2e9",
                                            "#f4cccc", "#e2efc0", "#c9daf8", "#f6d8b8", "#dcdcdc", "#b9e4d6", "#f2c6e0",
                                            "#e8dcc4", "#c4d7ec", "#f9f1a5", "#d6c7e8", "#bfe3b4", "#f7cfc4"};

} // namespace

const UdgivetLektion* UdgivetSkema::Lektion(int32_t dag, int32_t time) const
{
    const auto fundet = std::find_if(lektioner.begin(), lektioner.end(), [&](const UdgivetLektion& l) {
        return l.lektion.kolonne == dag && l.lektion.raekke == time;
    });
    return fundet == lektioner.end() ? nullptr : &*fundet;
}

const UdgivetAktivitetscelle* UdgivetSkema::AktivitetI(int32_t dag, int32_t time) const
{
    const auto fundet = std::find_if(aktivitetsceller.begin(), aktivitetsceller.end(),
                                     [&](const UdgivetAktivitetscelle& c) {
                                         return c.p == Placering{dag, time};
                                     });
    return fundet == aktivitetsceller.end() ? nullptr : &*fundet;
}

std::string UdgivetSkema::FagI(int32_t dag, int32_t time) const
{
    if (const UdgivetLektion* l = Lektion(dag, time))
        return l->lektion.fag;
    if (const UdgivetAktivitetscelle* c = AktivitetI(dag, time))
        return c->fag;
    return "";
}

bool UdgivetSkema::ErSpaerret(int32_t dag, int32_t time) const
{
    return std::any_of(spaerret.begin(), spaerret.end(),
                       [&](const Placering& p) { return p.kolonne == dag && p.raekke == time; });
}

std::vector<const UdgivetSkema*> Skemabog::AfArt(SkemaArt art) const
{
    std::vector<const UdgivetSkema*> ud;
    for (const UdgivetSkema& skema : skemaer) {
        if (skema.art == art)
            ud.push_back(&skema);
    }
    return ud;
}

std::string Skemabog::FagFarve(const std::string& navn) const
{
    const auto fundet = std::lower_bound(fag.begin(), fag.end(), navn);
    const auto nr = static_cast<size_t>(fundet - fag.begin());
    return palet[nr % palet.size()];
}

std::string ArtNavn(SkemaArt art)
{
    static const PrSkemaArt<std::string> navne{{"Hold", "Lærer", "Lokale"}};
    return navne[art];
}

std::string ArtFlertal(SkemaArt art)
{
    static const PrSkemaArt<std::string> navne{{"Hold", "Lærere", "Lokaler"}};
    return navne[art];
}
