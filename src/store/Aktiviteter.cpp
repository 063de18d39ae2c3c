#include "store/Aktiviteter.h"

#include "base/Opremsning.h"

#include <algorithm>
#include <tuple>

namespace {

bool Overlapper(const Aktivitetsblok& a, const Aktivitetsblok& b)
{
    return a.start.kolonne == b.start.kolonne && a.start.raekke < b.start.raekke + b.laengde &&
           b.start.raekke < a.start.raekke + a.laengde;
}

// The activity's block that starts at start, in blokke (const or not).
template <typename Blokke>
auto BlokkenVed(Blokke& blokke, const std::string& aktivitet, Placering start)
{
    return std::find_if(blokke.begin(), blokke.end(),
                        [&](const Aktivitetsblok& b) { return b.aktivitet == aktivitet && b.start == start; });
}

bool Rummer(const std::vector<std::string>& ider, const std::string& id)
{
    return std::find(ider.begin(), ider.end(), id) != ider.end();
}

} // namespace

void Aktivitetsplan::TilfoejAktivitet(Aktivitet aktivitet)
{
    const auto plads = std::lower_bound(aktiviteter_.begin(), aktiviteter_.end(), aktivitet.id,
                                        [](const Aktivitet& a, const std::string& id) { return a.id < id; });
    aktiviteter_.insert(plads, std::move(aktivitet));
}

const Aktivitet* Aktivitetsplan::Find(const std::string& id) const
{
    const auto fundet = std::lower_bound(aktiviteter_.begin(), aktiviteter_.end(), id,
                                         [](const Aktivitet& a, const std::string& noegle) { return a.id < noegle; });
    return fundet != aktiviteter_.end() && fundet->id == id ? &*fundet : nullptr;
}

Optagelse Aktivitetsplan::OptagelseAf(const Aktivitetsblok& blok) const
{
    const Aktivitet* aktivitet = Find(blok.aktivitet);
    if (aktivitet == nullptr)
        return {{}, {}, blok.lokaler};
    return {aktivitet->deltagere, aktivitet->laerere, blok.lokaler};
}

Hindring Aktivitetsplan::HindringFor(const Aktivitetsblok& blok, const std::vector<LektionsData>& lektioner) const
{
    return FoersteSammenstoed(blok, lektioner).hindring;
}

Aktivitetssammenstoed Aktivitetsplan::FoersteSammenstoed(const Aktivitetsblok& blok,
                                                         const std::vector<LektionsData>& lektioner,
                                                         const Aktivitetsblok* flyttes) const
{
    const Optagelse ny = OptagelseAf(blok);
    for (const LektionsData& l : lektioner) {
        if (!blok.Daekker({l.kolonne, l.raekke}))
            continue;
        if (const Hindring h = Sammenstoed(enheder, ny, {{{l.hold}}, {l.laerer}, {l.lokale}}); h != Hindring::ingen)
            return {h, l, nullptr};
    }
    for (const Aktivitetsblok& anden : blokke_) {
        if (&anden == flyttes || !Overlapper(blok, anden))
            continue;
        if (const Hindring h = Sammenstoed(enheder, ny, OptagelseAf(anden)); h != Hindring::ingen)
            return {h, std::nullopt, &anden};
    }
    return {};
}

const Aktivitetsblok* Aktivitetsplan::BlokIVejen(const Optagelse& optagelse, Placering time) const
{
    for (const Aktivitetsblok& blok : blokke_) {
        if (blok.Daekker(time) && Sammenstoed(enheder, optagelse, OptagelseAf(blok)) != Hindring::ingen)
            return &blok;
    }
    return nullptr;
}

const Aktivitetsblok* Aktivitetsplan::BlokVed(const std::string& aktivitet, Placering start) const
{
    const auto fundet = BlokkenVed(blokke_, aktivitet, start);
    return fundet == blokke_.end() ? nullptr : &*fundet;
}

bool Aktivitetsplan::Flyt(const std::string& aktivitet, Placering start, Placering til)
{
    const auto blok = BlokkenVed(blokke_, aktivitet, start);
    if (blok == blokke_.end())
        return false;
    blok->start = til;
    return true;
}

bool Aktivitetsplan::SaetLaast(const std::string& aktivitet, Placering start, bool laast)
{
    const auto blok = BlokkenVed(blokke_, aktivitet, start);
    if (blok == blokke_.end())
        return false;
    blok->laast = laast;
    return true;
}

void Aktivitetsplan::Placer(Aktivitetsblok blok) { blokke_.push_back(std::move(blok)); }

std::vector<Aktivitetslektion> Aktivitetsplan::Lektioner() const
{
    std::vector<Aktivitetslektion> ud;
    for (const Aktivitetsblok& blok : blokke_)
        ud.push_back({Find(blok.aktivitet), &blok});
    return ud;
}

std::vector<Aktivitetslektion> Aktivitetsplan::Lektioner(SkemaArt art, const std::string& id) const
{
    std::vector<Aktivitetslektion> ud;
    for (const Aktivitetslektion& l : Lektioner()) {
        const Aktivitet& a = *l.aktivitet;
        const bool optager = art == SkemaArt::hold     ? std::any_of(a.deltagere.begin(), a.deltagere.end(),
                                                                     [&](const Deltager& d) { return d.hold == id; })
                             : art == SkemaArt::laerer ? Rummer(a.laerere, id)
                                                       : Rummer(l.blok->lokaler, id);
        if (optager)
            ud.push_back(l);
    }
    std::stable_sort(ud.begin(), ud.end(), [](const Aktivitetslektion& a, const Aktivitetslektion& b) {
        return std::tie(a.blok->start.kolonne, a.blok->start.raekke) <
               std::tie(b.blok->start.kolonne, b.blok->start.raekke);
    });
    return ud;
}

std::vector<ManglendeAktivitet> Aktivitetsplan::Manglende() const
{
    std::vector<ManglendeAktivitet> ud;
    for (const Aktivitet& a : aktiviteter_) {
        int32_t placeret = 0;
        for (const Aktivitetsblok& blok : blokke_)
            placeret += blok.aktivitet == a.id ? blok.laengde : 0;
        if (placeret < a.timer)
            ud.push_back({&a, placeret, a.timer - placeret});
    }
    return ud;
}

std::string DeltagerNavn(const Deltager& deltager)
{
    return deltager.HeleHoldet() ? deltager.hold : deltager.hold + " " + deltager.gruppe;
}

std::vector<std::string> Hvem(const Aktivitet& aktivitet)
{
    if (aktivitet.deltagere.empty())
        return aktivitet.laerere;
    std::vector<std::string> hvem;
    for (const Deltager& d : aktivitet.deltagere)
        hvem.push_back(DeltagerNavn(d));
    return hvem;
}

std::string AktivitetsNavn(const Aktivitet& aktivitet)
{
    const std::vector<std::string> hvem = Hvem(aktivitet);
    return hvem.empty() ? aktivitet.fag : aktivitet.fag + " " + Opremsning(hvem);
}
