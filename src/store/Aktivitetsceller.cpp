#include "store/Aktivitetsceller.h"

#include "base/Opremsning.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace {

// Every class once, in the order the lesson names them.
std::vector<std::string> Holdene(const Aktivitet& a)
{
    std::vector<std::string> hold;
    for (const Deltager& d : a.deltagere) {
        if (std::find(hold.begin(), hold.end(), d.hold) == hold.end())
            hold.push_back(d.hold);
    }
    return hold;
}

std::string AktivitetsTekst(SkemaArt art, const Aktivitetslektion& l)
{
    const Aktivitet& a = *l.aktivitet;
    std::vector<std::string> dele;
    if (art != SkemaArt::hold)
        dele.push_back(Opremsning(Holdene(a)));
    dele.push_back(a.fag);
    dele.push_back(Opremsning(art == SkemaArt::laerer ? l.blok->lokaler : a.laerere));
    std::string tekst;
    for (const std::string& del : dele) {
        if (!del.empty())
            tekst += (tekst.empty() ? "" : " ") + del;
    }
    return tekst;
}

} // namespace

std::vector<Aktivitetscelle> AktivitetsCeller(const Aktivitetsplan& plan, SkemaArt art, const std::string& id)
{
    std::vector<Aktivitetscelle> celler;
    for (const Aktivitetslektion& l : plan.Lektioner(art, id)) {
        const std::string tekst = AktivitetsTekst(art, l);
        for (int32_t time = l.blok->start.raekke; time < l.blok->start.raekke + l.blok->laengde; ++time) {
            const Placering p{l.blok->start.kolonne, time};
            const auto celle = std::find_if(celler.begin(), celler.end(),
                                            [&](const Aktivitetscelle& c) { return c.p == p; });
            if (celle == celler.end())
                celler.push_back({p, tekst, l.aktivitet->fag});
            else
                celle->tekst += " / " + tekst;
        }
    }
    std::sort(celler.begin(), celler.end(), [](const Aktivitetscelle& a, const Aktivitetscelle& b) {
        return std::tie(a.p.kolonne, a.p.raekke) < std::tie(b.p.kolonne, b.p.raekke);
    });
    return celler;
}

std::vector<std::string> AktivitetsSkemaer(const Aktivitetsplan& plan, SkemaArt art)
{
    std::set<std::string> ider;
    for (const Aktivitet& a : plan.Aktiviteter()) {
        if (art == SkemaArt::hold) {
            for (const Deltager& d : a.deltagere)
                ider.insert(d.hold);
        } else if (art == SkemaArt::laerer) {
            ider.insert(a.laerere.begin(), a.laerere.end());
        } else {
            for (const Lokalebehov& b : a.behov)
                ider.insert(b.lokaler.begin(), b.lokaler.end());
        }
    }
    return {ider.begin(), ider.end()};
}
