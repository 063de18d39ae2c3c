#include "regler/Tidsregler.h"

#include "base/Opremsning.h"

#include <algorithm>

namespace planregler {

namespace {

// One hard rule as it bears on one block: the hours it closes, or those it allows.
struct Virkning {
    Hindring hindring = Hindring::ingen;
    std::string hvem;
    Dagsmasker timer{};
};

Dagsmasker Maske(const std::vector<Tid>& tider)
{
    Dagsmasker maske{};
    for (const Tid tid : tider) {
        if (tid.dag >= 0 && tid.dag < maksDage && tid.time >= 0 && tid.time < maksTimer)
            maske[static_cast<size_t>(tid.dag)] |= uint32_t{1} << tid.time;
    }
    return maske;
}

bool Krav(const Regel& r) { return r.vaegt >= krav; }

Hindring HindringAf(Art art)
{
    switch (art) {
    case Art::pause:
        return Hindring::pause;
    case Art::lukket:
        return Hindring::lukket;
    case Art::starttid:
        return Hindring::fastStarttid;
    case Art::tidsrum:
        return Hindring::udenforTidsrum;
    default:
        return Hindring::ingen;
    }
}

// A room's closed hours come in through the block's room needs, not here.
bool LukkerLokale(const Regel& r) { return r.art == Art::lukket && r.hold.empty() && !r.lokale.empty(); }

// A closed class, group or teacher is named in the reason; a rule for all is not.
bool Navngiver(const Regel& r) { return r.art == Art::lukket && (!r.hold.empty() || !r.laerer.empty()); }

// The hours a need cannot use: those where every room it may use is closed.
Virkning LokaleVirkning(const std::vector<Regel>& regler, const std::vector<std::string>& lokaler)
{
    Virkning v{Hindring::lukket, (lokaler.size() == 1 ? "lokale " : "lokalerne ") + Opremsning(lokaler, ", "), {}};
    v.timer.fill(~uint32_t{0});
    for (const std::string& lokale : lokaler) {
        const Dagsmasker lukket = LukkedeTimer(regler, lokale);
        for (size_t d = 0; d < v.timer.size(); ++d)
            v.timer[d] &= lukket[d];
    }
    return v;
}

// The hard rules that bear on the block, in the order their reasons are given.
std::vector<Virkning> Virkninger(const std::vector<Regel>& regler, const Blok& blok)
{
    Lektionstime time;
    time.fag = blok.fag;
    time.aktivitet = blok.aktivitet;
    time.deltagere = blok.deltagere;
    time.laerere = blok.laerere;
    std::vector<Virkning> ud;
    std::vector<const Regel*> taget; // the first of each set of alternatives, by the Virkning it made
    for (const Regel& r : regler) {
        const Hindring hindring = HindringAf(r.art);
        if (!Krav(r) || hindring == Hindring::ingen || LukkerLokale(r) || !Rammer(r, time))
            continue;
        const auto foerste = std::find_if(taget.begin(), taget.end(),
                                          [&](const Regel* t) { return Alternativer(*t, r); });
        if (foerste == taget.end()) {
            ud.push_back({hindring, Navngiver(r) ? HvemTekst(r) : "", Maske(r.tider)});
            taget.push_back(&r);
            continue;
        }
        // An alternative widens the hours of the first.
        const Dagsmasker flere = Maske(r.tider);
        Dagsmasker& timer = ud[static_cast<size_t>(foerste - taget.begin())].timer;
        for (size_t d = 0; d < timer.size(); ++d)
            timer[d] |= flere[d];
    }
    for (const std::vector<std::string>& lokaler : blok.lokalevalg) {
        if (Virkning v = LokaleVirkning(regler, lokaler);
            !lokaler.empty() && std::any_of(v.timer.begin(), v.timer.end(), [](uint32_t t) { return t != 0; }))
            ud.push_back(std::move(v));
    }
    std::stable_sort(ud.begin(), ud.end(),
                     [](const Virkning& a, const Virkning& b) { return a.hindring < b.hindring; });
    return ud;
}

bool Forbyder(const Virkning& v, Placering start, int32_t laengde)
{
    const uint64_t blok = ((uint64_t{1} << std::clamp(laengde, 0, maksTimer)) - 1) << start.raekke;
    const uint64_t timer = v.timer[static_cast<size_t>(start.kolonne)];
    switch (v.hindring) {
    case Hindring::fastStarttid:
        return ((timer >> start.raekke) & 1) == 0;
    case Hindring::udenforTidsrum:
        return (blok & ~timer) != 0;
    default:
        return (blok & timer) != 0;
    }
}

bool IUgen(Placering start)
{
    return start.kolonne >= 0 && start.kolonne < maksDage && start.raekke >= 0 && start.raekke < maksTimer;
}

} // namespace

Regelhindring FoersteRegelhindring(const std::vector<Regel>& regler, const Blok& blok, Placering start)
{
    if (!IUgen(start))
        return {};
    for (const Virkning& v : Virkninger(regler, blok)) {
        if (Forbyder(v, start, blok.laengde))
            return {v.hindring, v.hvem};
    }
    return {};
}

Dagsmasker StarterEfterRegler(const std::vector<Regel>& regler, const Blok& blok, const Uge& uge)
{
    const std::vector<Virkning> virkninger = Virkninger(regler, blok);
    Dagsmasker starter{};
    for (int32_t dag = 0; dag < uge.dage && dag < maksDage; ++dag) {
        for (int32_t time = 0; time < uge.timer && time < maksTimer; ++time) {
            if (std::none_of(virkninger.begin(), virkninger.end(), [&](const Virkning& v) {
                    return Forbyder(v, {dag, time}, blok.laengde);
                }))
                starter[static_cast<size_t>(dag)] |= uint32_t{1} << time;
        }
    }
    return starter;
}

Dagsmasker LukkedeTimer(const std::vector<Regel>& regler, const std::string& lokale)
{
    Dagsmasker lukket{};
    for (const Regel& r : regler) {
        if (Krav(r) && LukkerLokale(r) && r.lokale == lokale) {
            const Dagsmasker timer = Maske(r.tider);
            for (size_t d = 0; d < lukket.size(); ++d)
                lukket[d] |= timer[d];
        }
    }
    return lukket;
}

std::string Tekst(const Regelhindring& hindring)
{
    if (hindring.hindring == Hindring::lukket && !hindring.hvem.empty())
        return "lukket for " + hindring.hvem;
    return HindringsTekst(hindring.hindring);
}

} // namespace planregler
