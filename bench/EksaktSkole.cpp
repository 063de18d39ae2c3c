#include "EksaktSkole.h"

#include "fuldfoerelse/Ugemaske.h"

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <tuple>

namespace {

struct Lektion {
    int32_t hold, laerer, lokale, noegle, celle, laengde;
    bool fast;
};

struct Bygger {
    Bygger(uint32_t froe, int32_t antalHold, Uge uge)
        : tal(froe), h(antalHold), t(2 * antalHold), sale(std::max(1, antalHold / 3)), uge(uge)
    {
    }

    int32_t Under(int32_t n) { return static_cast<int32_t>(tal() % static_cast<uint32_t>(n)); }
    int32_t Laerer(int32_t i) const { return h + i; }
    int32_t Stamlokale(int32_t hold) const { return h + t + hold; }
    int32_t Sal(int32_t i) const { return h + t + h + i; }
    static Ugemaske Blok(int32_t celle, int32_t laengde) { return ((Ugemaske{1} << laengde) - 1) << celle; }

    // Lessons day by day, class by class, hour by hour; a cell stays free
    // when no teacher of the class fits it.
    void Skema()
    {
        optaget.assign(h + t + h + sale, 0);
        spaerret.assign(h + t + h + sale, 0);
        for (int32_t l = 0; l < t; ++l)
            spaerret[Laerer(l)] = CelleMaske(Under(uge.dage) * maksTimer + Under(uge.timer));
        for (int32_t dag = 0; dag < uge.dage; ++dag)
            for (int32_t hold = 0; hold < h; ++hold)
                for (int32_t time = 0; time < uge.timer;) {
                    const int32_t celle = dag * maksTimer + time;
                    const int32_t laengde = time + 1 < uge.timer && Under(4) == 0 ? 2 : 1;
                    const int32_t sal = Sal(Under(sale));
                    const bool iSal = Under(4) == 0 && Ledig(sal, celle, laengde);
                    const int32_t lokale = iSal ? sal : Stamlokale(hold);
                    int32_t laerer = -1;
                    int32_t noegle = -1;
                    for (int32_t forsoeg = 0; forsoeg < 50 && laerer < 0; ++forsoeg) {
                        const int32_t l = Laerer((hold * 2 + Under(forsoeg < 25 ? 4 : t)) % t);
                        const int32_t k = Noegle(hold, l, iSal, laengde);
                        if (Ledig(l, celle, laengde) && !dage.count({k, dag})) {
                            laerer = l;
                            noegle = k;
                        }
                    }
                    if (laerer < 0) {
                        ++ledige;
                        ++time;
                        continue;
                    }
                    for (const int32_t r : {hold, laerer, lokale})
                        optaget[r] |= Blok(celle, laengde);
                    dage.insert({noegle, dag});
                    lektioner.push_back({hold, laerer, lokale, noegle, celle, laengde, Under(10) == 0});
                    time += laengde;
                }
    }

    bool Ledig(int32_t r, int32_t celle, int32_t laengde) const
    {
        return ((optaget[r] | spaerret[r]) & Blok(celle, laengde)) == 0;
    }

    int32_t Noegle(int32_t hold, int32_t laerer, bool iSal, int32_t laengde)
    {
        return noegler.try_emplace({hold, laerer, iSal, laengde}, static_cast<int32_t>(noegler.size())).first->second;
    }

    // The teacher with the most hours may teach only those (and `ekstra`) and
    // takes one single hour from a colleague in one of her classes.
    void EnTimeForMeget(bool skjult)
    {
        std::vector<int32_t> timer(h + t, 0);
        for (const Lektion& l : lektioner)
            timer[l.laerer] += l.laengde;
        laerer = static_cast<int32_t>(std::max_element(timer.begin(), timer.end()) - timer.begin());
        const Ugemaske hendes = optaget[laerer];
        std::set<int32_t> klasser;
        for (const Lektion& l : lektioner)
            if (l.laerer == laerer)
                klasser.insert(l.hold);
        spaerret[laerer] = ~hendes;
        if (skjult) {
            // A cell she may use where every class of hers has a fixed lesson.
            for (int32_t celle = 0; celle < maksCeller; ++celle) {
                if (((hendes >> celle) & 1) != 0 || !uge.Indeholder({celle / maksTimer, celle % maksTimer}) ||
                    std::any_of(klasser.begin(), klasser.end(),
                                [&](int32_t k) { return ((optaget[k] >> celle) & 1) == 0; }))
                    continue;
                spaerret[laerer] &= ~CelleMaske(celle);
                for (Lektion& l : lektioner)
                    if (klasser.count(l.hold) && ((Blok(l.celle, l.laengde) >> celle) & 1) != 0)
                        l.fast = true;
                break;
            }
        }
        for (Lektion& l : lektioner)
            if (l.laerer != laerer && l.laengde == 1 && !l.fast && klasser.count(l.hold)) {
                l.laerer = laerer;
                l.noegle = Noegle(l.hold, laerer, l.lokale != Stamlokale(l.hold), 99);
                return;
            }
    }

    EksaktSkole Opgave()
    {
        EksaktSkole skole;
        EksaktOpgave& o = skole.opgave;
        o.uge = uge;
        o.antalRessourcer = h + t + h + sale;
        o.optaget.resize(o.antalRessourcer);
        o.spredTimerOptaget.resize(noegler.size());
        std::vector<int32_t> salene;
        for (int32_t s = 0; s < sale; ++s)
            salene.push_back(Sal(s));
        for (const Lektion& l : lektioner) {
            if (l.fast) {
                for (const int32_t r : {l.hold, l.laerer, l.lokale})
                    for (int32_t c = l.celle; c < l.celle + l.laengde; ++c)
                        o.optaget[r].push_back(c);
                o.spredTimerOptaget[l.noegle][l.celle / maksTimer] |= ((uint32_t{1} << l.laengde) - 1)
                                                                      << (l.celle % maksTimer);
                continue;
            }
            EksaktOpgave::Enhed e;
            e.ressourcer = {l.hold, l.laerer};
            e.lokalevalg = {l.lokale == Stamlokale(l.hold) ? std::vector<int32_t>{l.lokale} : salene};
            e.laengde = l.laengde;
            e.spredNoegle = l.noegle;
            for (int32_t dag = 0; dag < uge.dage; ++dag)
                for (int32_t time = 0; time + l.laengde <= uge.timer; ++time)
                    if ((spaerret[l.laerer] & Blok(dag * maksTimer + time, l.laengde)) == 0)
                        e.starter.push_back(dag * maksTimer + time);
            o.enheder.push_back(std::move(e));
            skole.timer += l.laengde;
        }
        skole.laerer = laerer;
        skole.ledige = ledige;
        return skole;
    }

    std::mt19937 tal;
    int32_t h, t, sale;
    Uge uge;
    std::vector<Ugemaske> optaget;
    std::vector<Ugemaske> spaerret;
    std::map<std::tuple<int32_t, int32_t, bool, int32_t>, int32_t> noegler;
    std::set<std::pair<int32_t, int32_t>> dage; // key, day
    std::vector<Lektion> lektioner;
    int32_t laerer = -1;
    int32_t ledige = 0;
};

} // namespace

EksaktSkole LavEksaktSkole(uint32_t froe, int32_t antalHold, Uge uge, Skoleart art)
{
    Bygger b(froe, antalHold, uge);
    b.Skema();
    if (art != Skoleart::mulig)
        b.EnTimeForMeget(art == Skoleart::skjultForMeget);
    return b.Opgave();
}

std::string FoersteBrud(const EksaktOpgave& opgave, const EksaktSvar& svar)
{
    std::set<std::pair<int32_t, int32_t>> taget; // resource, cell
    std::set<std::pair<int32_t, int32_t>> noeglerDage;
    for (size_t r = 0; r < opgave.optaget.size(); ++r)
        for (const int32_t c : opgave.optaget[r])
            taget.insert({static_cast<int32_t>(r), c});
    for (size_t k = 0; k < opgave.spredTimerOptaget.size(); ++k)
        for (int32_t d = 0; d < maksDage; ++d)
            if (opgave.spredTimerOptaget[k][d] != 0)
                noeglerDage.insert({static_cast<int32_t>(k), d});
    for (size_t e = 0; e < opgave.enheder.size(); ++e) {
        const EksaktOpgave::Enhed& enhed = opgave.enheder[e];
        const int32_t start = svar.start[e];
        if (std::find(enhed.starter.begin(), enhed.starter.end(), start) == enhed.starter.end())
            return "start ikke tilladt";
        std::vector<int32_t> brugte = enhed.ressourcer;
        for (size_t d = 0; d < enhed.lokalevalg.size(); ++d) {
            const auto& valg = enhed.lokalevalg[d];
            if (std::find(valg.begin(), valg.end(), svar.lokale[e][d]) == valg.end())
                return "lokale ikke tilladt";
            brugte.push_back(svar.lokale[e][d]);
        }
        for (const int32_t r : brugte)
            for (int32_t c = start; c < start + enhed.laengde; ++c)
                if (!taget.insert({r, c}).second)
                    return "dobbeltbooket";
        if (enhed.spredNoegle >= 0 && !noeglerDage.insert({enhed.spredNoegle, start / maksTimer}).second)
            return "to på en dag";
    }
    return "";
}
