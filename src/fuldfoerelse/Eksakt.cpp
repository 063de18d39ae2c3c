#include "fuldfoerelse/Eksakt.h"

#include "fuldfoerelse/EksaktLokaler.h"
#include "fuldfoerelse/Ugemaske.h"

#include <cadical.hpp>

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <functional>
#include <initializer_list>
#include <map>
#include <stdexcept>
#include <tuple>

// The task as a SAT problem for CaDiCaL (see docs/completion.md for why this
// solver): one variable per unit and allowed start, exactly one true per
// unit, at most one unit per resource and cell, and per spread key and day
// the spreading rule (one unbroken run, or one block alone).
// Rooms that every demand treats alike form a kind, counted per cell; the
// rooms themselves are handed out per kind and day after a solution.
//
// The rules of each resource, kind of room and spread key sit behind one
// assumption literal, so an impossible task gives the solver's failed
// assumptions as a first core, which is then made smaller one part at a time.

namespace {

using Udfald = EksaktSvar::Udfald;
using Lit = int;

// Counts conflicts (each ends in one learnt clause), so that one work limit
// covers every call to the solver.
class Konflikttaeller : public CaDiCaL::Learner {
public:
    bool learning(int) override
    {
        ++antal;
        return false;
    }
    void learn(int) override {}
    int64_t antal = 0;
};

// Asked by the solver now and then: a set stop flag ends its work.
class Stopflag : public CaDiCaL::Terminator {
public:
    explicit Stopflag(const std::atomic<bool>* stop) : stop_(stop) {}
    bool terminate() override { return stop_ != nullptr && stop_->load(); }

private:
    const std::atomic<bool>* stop_;
};

// Rooms that the same demands may use, with the rooms free at each cell.
struct Lokaleart {
    std::vector<int32_t> lokaler;
    std::array<int32_t, maksCeller> pladser{};
};

// One unit's use of a kind of room from one start; lit is true when it is used.
struct Brug {
    int32_t enhed;
    int32_t krav;
    int32_t start; // index into the unit's starts
    Lit lit;
};

// Counts of a kind of room per cell up to this many helper variables are
// given to the solver at once; larger ones only when a solution breaks them.
constexpr int64_t smaaTaellinger = 4096;

int32_t Dag(int32_t celle) { return celle / maksTimer; }

class Loeser {
public:
    Loeser(const EksaktOpgave& opgave, int64_t graense, const std::atomic<bool>* stop);
    EksaktSvar Loes();

private:
    // The parts a core is made of, numbered resources, then kinds of room,
    // then spread keys; each has one assumption literal.
    int32_t AntalLed() const { return antalRessourcer_ + AntalArter() + antalNoegler_; }
    int32_t AntalArter() const { return static_cast<int32_t>(arter_.size()); }
    int32_t ArtLed(int32_t art) const { return antalRessourcer_ + art; }
    int32_t NoegleLed(int32_t noegle) const { return antalRessourcer_ + AntalArter() + noegle; }

    void LaesOpgave();
    void FindLokalearter();
    void FindDraebere();
    int32_t Laengde(int32_t e) const { return opgave_.enheder[e].laengde; }
    Ugemaske Blok(int32_t celle, int32_t laengde) const;

    Lit NyVar() { return ++antalVar_; }
    void Klausul(std::initializer_list<Lit> lits, Lit vagt);
    void Klausul(const std::vector<Lit>& lits, Lit vagt);
    void HoejstK(const std::vector<Lit>& lits, int32_t k, Lit vagt);
    void KodEnheder();
    void KodRessourcer();
    void KodNoegler();
    void KodNoeglensDag(int32_t k, int32_t dag, const std::vector<std::pair<int32_t, int32_t>>& starter);
    int32_t Polletter(int32_t e) const;
    void KodLokaler();
    void TaelArt(int32_t art, int32_t celle);
    void BrydSymmetri();

    bool Mangler(int32_t led, const std::vector<char>& med) const;
    std::vector<int32_t> Taelleskerne(int32_t led) const;
    std::vector<int32_t> MindsteTaelleskerne() const;

    Udfald Loes(const std::vector<int32_t>& led);
    void LaesLoesning();
    Fordeling Forfin(const std::vector<int32_t>& led);
    Fordeling FordelArt(int32_t art, bool& tilfoejet);
    void Forbyd(int32_t art, const std::vector<Dagtimer>& ledige, std::vector<Lokaleblok> blokke,
                std::vector<Lit> lits);
    std::vector<int32_t> Fejlede(const std::vector<int32_t>& led);
    std::vector<int32_t> Formindsk(std::vector<int32_t> kerne);
    EksaktSvar Umulig(const std::vector<int32_t>& kerne) const;

    const EksaktOpgave& opgave_;
    const int64_t graense_;
    Stopflag stopflag_;
    CaDiCaL::Solver sat_;
    Konflikttaeller taeller_;
    int32_t antalVar_ = 0;
    int32_t antalRessourcer_ = 0;
    int32_t antalNoegler_ = 0;
    Dagtimer planensTimer_ = 0;

    std::vector<std::vector<int32_t>> starter_;                // per unit, the allowed starts inside the plan
    std::vector<Ugemaske> fast_;                               // per resource, cells of lessons that never move
    std::vector<Dagsmasker> fasteTimer_;                       // per spread key, hours of lessons that never move
    std::vector<int32_t> loeb_;                                // per spread key, the day's longest run
    std::vector<Lokaleart> arter_;                             // kinds of room
    std::vector<int32_t> artAf_;                               // per room its kind, -1: no demand uses it
    std::vector<std::vector<std::vector<int32_t>>> kravArter_; // per unit and room demand, its kinds
    std::vector<std::vector<std::vector<int32_t>>> draebere_;  // per unit and start, parts that forbid it alone
    std::vector<std::vector<int32_t>> enhederAf_;              // per part, the units it concerns

    std::vector<Lit> vagt_; // per part
    std::vector<std::vector<Lit>> x_;
    std::vector<std::vector<std::vector<Lit>>> valg_;  // per unit and demand: one per kind (when several)
    std::vector<std::vector<std::vector<Brug>>> brug_; // per kind and cell
    std::vector<std::vector<char>> kodet_;             // per kind and cell: counted in the solver
    std::vector<int32_t> valgtStart_;                  // per unit, index of its start
    std::vector<std::vector<int32_t>> valgtArt_;       // per unit and demand, index into its kinds
    std::vector<std::vector<int32_t>> lokale_;         // per unit and demand, its room
};

Loeser::Loeser(const EksaktOpgave& opgave, int64_t graense, const std::atomic<bool>* stop)
    : opgave_(opgave), graense_(graense), stopflag_(stop)
{
    sat_.connect_learner(&taeller_);
    sat_.connect_terminator(&stopflag_);
    // Tuned for satisfiable problems: on the tight schools it finds complete
    // placements with next to no conflicts where the default needs 1000 to 200000.
    sat_.configure("sat");
    // Bounded variable elimination and ternary resolution took most of the
    // time and memory on the real school that needs the solver (a quarter of
    // the time, a third of the memory without them; docs/performance.md).
    sat_.set("elim", 0);
    sat_.set("ternary", 0);
    LaesOpgave();
    FindLokalearter();
    FindDraebere();
    vagt_.resize(AntalLed());
    for (Lit& vagt : vagt_)
        vagt = NyVar();
    KodEnheder();
    KodRessourcer();
    KodNoegler();
    KodLokaler();
    BrydSymmetri();
}

// The starts whose block lies in the plan, and the fixed lessons as bits.
void Loeser::LaesOpgave()
{
    antalRessourcer_ = opgave_.antalRessourcer;
    antalNoegler_ = static_cast<int32_t>(std::max(opgave_.spredTimerOptaget.size(), opgave_.spredLoeb.size()));
    for (int32_t t = 0; t < opgave_.uge.timer; ++t)
        planensTimer_ |= Dagtimer{1} << t;
    const auto ressource = [&](int32_t r) {
        if (r < 0 || r >= antalRessourcer_)
            throw std::invalid_argument("ressource uden for opgaven");
        return r;
    };
    for (const EksaktOpgave::Enhed& enhed : opgave_.enheder) {
        for (const int32_t r : enhed.ressourcer)
            ressource(r);
        for (const auto& valg : enhed.lokalevalg)
            for (const int32_t r : valg)
                ressource(r);
        antalNoegler_ = std::max(antalNoegler_, enhed.spredNoegle + 1);
        std::vector<int32_t> starter;
        for (const int32_t celle : enhed.starter)
            if (celle >= 0 && celle < maksCeller &&
                opgave_.uge.RummerBlok({celle / maksTimer, celle % maksTimer}, enhed.laengde))
                starter.push_back(celle);
        std::sort(starter.begin(), starter.end());
        starter.erase(std::unique(starter.begin(), starter.end()), starter.end());
        starter_.push_back(std::move(starter));
    }
    fast_.assign(antalRessourcer_, 0);
    for (size_t r = 0; r < opgave_.optaget.size() && static_cast<int32_t>(r) < antalRessourcer_; ++r)
        for (const int32_t celle : opgave_.optaget[r])
            if (celle >= 0 && celle < maksCeller)
                fast_[r] |= CelleMaske(celle);
    fasteTimer_.assign(antalNoegler_, {});
    std::copy(opgave_.spredTimerOptaget.begin(), opgave_.spredTimerOptaget.end(), fasteTimer_.begin());
    loeb_.assign(antalNoegler_, 0);
    std::copy(opgave_.spredLoeb.begin(), opgave_.spredLoeb.end(), loeb_.begin());
}

Ugemaske Loeser::Blok(int32_t celle, int32_t laengde) const { return ((Ugemaske{1} << laengde) - 1) << celle; }

// Rooms listed by exactly the same demands are one kind: no demand can tell
// them apart, so the solver only counts how many of a kind are in use.
void Loeser::FindLokalearter()
{
    std::map<std::vector<int32_t>, int32_t> lister;
    std::vector<std::vector<int32_t>> listerAf(antalRessourcer_);
    std::vector<std::vector<std::vector<int32_t>>> normeret;
    for (const EksaktOpgave::Enhed& enhed : opgave_.enheder) {
        auto& krav = normeret.emplace_back();
        for (std::vector<int32_t> valg : enhed.lokalevalg) {
            std::sort(valg.begin(), valg.end());
            valg.erase(std::unique(valg.begin(), valg.end()), valg.end());
            const auto [plads, ny] = lister.try_emplace(valg, static_cast<int32_t>(lister.size()));
            if (ny)
                for (const int32_t lokale : valg)
                    listerAf[lokale].push_back(plads->second);
            krav.push_back(std::move(valg));
        }
    }
    std::map<std::vector<int32_t>, int32_t> artAfLister;
    artAf_.assign(antalRessourcer_, -1);
    for (int32_t lokale = 0; lokale < antalRessourcer_; ++lokale) {
        if (listerAf[lokale].empty())
            continue;
        const auto [plads, ny] = artAfLister.try_emplace(listerAf[lokale], AntalArter());
        if (ny)
            arter_.emplace_back();
        Lokaleart& art = arter_[plads->second];
        art.lokaler.push_back(lokale);
        artAf_[lokale] = plads->second;
        for (int32_t celle = 0; celle < maksCeller; ++celle)
            art.pladser[celle] += ((fast_[lokale] >> celle) & 1) == 0 ? 1 : 0;
    }
    for (const auto& krav : normeret) {
        auto& arter = kravArter_.emplace_back();
        for (const std::vector<int32_t>& valg : krav) {
            std::vector<int32_t> kravets;
            for (const int32_t lokale : valg)
                kravets.push_back(artAf_[lokale]);
            std::sort(kravets.begin(), kravets.end());
            kravets.erase(std::unique(kravets.begin(), kravets.end()), kravets.end());
            arter.push_back(std::move(kravets));
        }
    }
}

// Per start the parts whose fixed lessons forbid it by themselves, and per
// part the units it concerns.
void Loeser::FindDraebere()
{
    enhederAf_.assign(AntalLed(), {});
    draebere_.resize(opgave_.enheder.size());
    for (size_t e = 0; e < opgave_.enheder.size(); ++e) {
        const EksaktOpgave::Enhed& enhed = opgave_.enheder[e];
        const auto angaar = [&](int32_t led) {
            auto& enheder = enhederAf_[led];
            if (enheder.empty() || enheder.back() != static_cast<int32_t>(e))
                enheder.push_back(static_cast<int32_t>(e));
        };
        for (const int32_t r : enhed.ressourcer)
            angaar(r);
        for (const auto& arter : kravArter_[e])
            for (const int32_t art : arter)
                angaar(ArtLed(art));
        if (enhed.spredNoegle >= 0)
            angaar(NoegleLed(enhed.spredNoegle));
        for (const int32_t celle : starter_[e]) {
            auto& draebere = draebere_[e].emplace_back();
            const Ugemaske blok = Blok(celle, enhed.laengde);
            for (const int32_t r : enhed.ressourcer)
                if ((fast_[r] & blok) != 0)
                    draebere.push_back(r);
            for (const auto& arter : kravArter_[e])
                for (int32_t c = celle; arter.size() == 1 && c < celle + enhed.laengde; ++c)
                    if (arter_[arter[0]].pladser[c] == 0) {
                        draebere.push_back(ArtLed(arter[0]));
                        break;
                    }
            if (const int32_t k = enhed.spredNoegle;
                k >= 0 && SpredningUdelukket({true, loeb_[k]}, fasteTimer_[k][Dag(celle)],
                                             {Dag(celle), celle % maksTimer}, enhed.laengde))
                draebere.push_back(NoegleLed(k));
        }
    }
}

void Loeser::Klausul(std::initializer_list<Lit> lits, Lit vagt)
{
    if (vagt != 0)
        sat_.add(-vagt);
    for (const Lit lit : lits)
        sat_.add(lit);
    sat_.add(0);
}

void Loeser::Klausul(const std::vector<Lit>& lits, Lit vagt)
{
    if (vagt != 0)
        sat_.add(-vagt);
    for (const Lit lit : lits)
        sat_.add(lit);
    sat_.add(0);
}

// At most k of lits true, as a sequential counter (Sinz 2005): n * k helper
// variables, s[i][j] meaning "at least j+1 of the first i+1 are true".
// Small sets at most one use the plain pairs.
void Loeser::HoejstK(const std::vector<Lit>& lits, int32_t k, Lit vagt)
{
    const size_t n = lits.size();
    if (n <= static_cast<size_t>(k))
        return;
    if (k == 0) {
        for (const Lit lit : lits)
            Klausul({-lit}, vagt);
        return;
    }
    if (k == 1 && n <= 4) {
        for (size_t i = 0; i < n; ++i)
            for (size_t j = i + 1; j < n; ++j)
                Klausul({-lits[i], -lits[j]}, vagt);
        return;
    }
    std::vector<Lit> forrige(k);
    std::vector<Lit> s(k);
    for (size_t i = 0; i + 1 < n; ++i) {
        for (Lit& lit : s)
            lit = NyVar();
        Klausul({-lits[i], s[0]}, vagt);
        if (i == 0) {
            for (int32_t j = 1; j < k; ++j)
                Klausul({-s[j]}, vagt);
        } else {
            for (int32_t j = 0; j < k; ++j)
                Klausul({-forrige[j], s[j]}, vagt);
            for (int32_t j = 1; j < k; ++j)
                Klausul({-lits[i], -forrige[j - 1], s[j]}, vagt);
            Klausul({-lits[i], -forrige[k - 1]}, vagt);
        }
        std::swap(forrige, s);
    }
    Klausul({-lits[n - 1], -forrige[k - 1]}, vagt);
}

// Exactly one start per unit: these hold whatever else is left out.
void Loeser::KodEnheder()
{
    x_.resize(opgave_.enheder.size());
    for (size_t e = 0; e < opgave_.enheder.size(); ++e) {
        for (size_t i = 0; i < starter_[e].size(); ++i)
            x_[e].push_back(NyVar());
        Klausul(x_[e], 0);
        HoejstK(x_[e], 1, 0);
    }
}

// Per resource and cell at most one unit, none where a fixed lesson is.
void Loeser::KodRessourcer()
{
    std::vector<std::vector<std::vector<Lit>>> daekker(antalRessourcer_, std::vector<std::vector<Lit>>(maksCeller));
    for (size_t e = 0; e < opgave_.enheder.size(); ++e)
        for (size_t i = 0; i < starter_[e].size(); ++i)
            for (int32_t c = starter_[e][i]; c < starter_[e][i] + Laengde(static_cast<int32_t>(e)); ++c)
                for (const int32_t r : opgave_.enheder[e].ressourcer)
                    daekker[r][c].push_back(x_[e][i]);
    for (int32_t r = 0; r < antalRessourcer_; ++r)
        for (int32_t c = 0; c < maksCeller; ++c)
            HoejstK(daekker[r][c], ((fast_[r] >> c) & 1) != 0 ? 0 : 1, vagt_[r]);
}

// Per spread key and day the spreading rule, over the starts of its units.
void Loeser::KodNoegler()
{
    // Per key and day: (unit, index of its start).
    std::vector<std::vector<std::vector<std::pair<int32_t, int32_t>>>> paaDagen(
        antalNoegler_, std::vector<std::vector<std::pair<int32_t, int32_t>>>(maksDage));
    for (size_t e = 0; e < opgave_.enheder.size(); ++e)
        if (const int32_t k = opgave_.enheder[e].spredNoegle; k >= 0)
            for (size_t i = 0; i < starter_[e].size(); ++i)
                paaDagen[k][Dag(starter_[e][i])].emplace_back(static_cast<int32_t>(e), static_cast<int32_t>(i));
    for (int32_t k = 0; k < antalNoegler_; ++k)
        for (int32_t dag = 0; dag < maksDage; ++dag)
            if (!paaDagen[k][dag].empty())
                KodNoeglensDag(k, dag, paaDagen[k][dag]);
}

// A block longer than the run stands alone: not beside fixed hours, and
// with nothing else of the key that day. The shorter ones and the fixed hours
// lie within one window of `loeb` hours (at most one window a day) without a
// gap; o[t] says hour t holds the key.
void Loeser::KodNoeglensDag(int32_t k, int32_t dag, const std::vector<std::pair<int32_t, int32_t>>& starter)
{
    const Lit vagt = vagt_[NoegleLed(k)];
    const int32_t loeb = loeb_[k];
    const uint32_t faste = fasteTimer_[k][dag];
    std::vector<Lit> lange;
    std::vector<std::vector<Lit>> daekker(maksTimer);
    std::vector<Lit> korte;
    for (const auto& [e, i] : starter) {
        const Lit x = x_[e][i];
        if (Laengde(e) > loeb) {
            lange.push_back(x);
            continue;
        }
        korte.push_back(x);
        for (int32_t c = starter_[e][i]; c < starter_[e][i] + Laengde(e); ++c)
            daekker[c % maksTimer].push_back(x);
    }
    if (!lange.empty() && faste != 0) {
        HoejstK(lange, 0, vagt);
    } else if (!lange.empty()) {
        if (!korte.empty()) {
            const Lit nogen = NyVar();
            for (const Lit x : korte)
                Klausul({-x, nogen}, 0);
            lange.push_back(nogen);
        }
        HoejstK(lange, 1, vagt);
    }
    if (korte.empty())
        return;
    constexpr Lit sand = INT_MAX;
    std::vector<Lit> o(opgave_.uge.timer, 0);
    for (int32_t t = 0; t < opgave_.uge.timer; ++t) {
        if (((faste >> t) & 1) != 0) {
            o[t] = sand;
        } else if (!daekker[t].empty()) {
            o[t] = NyVar();
            for (const Lit x : daekker[t])
                Klausul({-x, o[t]}, 0);
            std::vector<Lit> grund{-o[t]};
            grund.insert(grund.end(), daekker[t].begin(), daekker[t].end());
            Klausul(grund, 0);
        }
    }
    // "Not o": nothing when o always holds, a literal otherwise.
    const auto ikke = [&](std::vector<Lit>& klausul, Lit lit) {
        if (lit != sand)
            klausul.push_back(-lit);
    };
    if (loeb < opgave_.uge.timer) {
        std::vector<Lit> vindue(opgave_.uge.timer - loeb + 1);
        for (Lit& w : vindue)
            w = NyVar();
        HoejstK(vindue, 1, vagt);
        for (int32_t t = 0; t < opgave_.uge.timer; ++t) {
            if (o[t] == 0)
                continue;
            std::vector<Lit> klausul;
            ikke(klausul, o[t]);
            for (int32_t j = std::max(0, t - loeb + 1); j <= t && j < static_cast<int32_t>(vindue.size()); ++j)
                klausul.push_back(vindue[j]);
            Klausul(klausul, vagt);
        }
    }
    for (int32_t a = 0; a < opgave_.uge.timer; ++a)
        for (int32_t c = a + 2; c < std::min(a + loeb, opgave_.uge.timer); ++c) {
            if (o[a] == 0 || o[c] == 0 || (o[a] == sand && o[c] == sand))
                continue;
            for (int32_t b = a + 1; b < c; ++b) {
                if (o[b] == sand)
                    continue;
                std::vector<Lit> klausul;
                ikke(klausul, o[a]);
                ikke(klausul, o[c]);
                if (o[b] != 0)
                    klausul.push_back(o[b]);
                Klausul(klausul, vagt);
            }
        }
}

// A demand with one kind uses it wherever its unit stands; with several it
// chooses one, and a helper variable says "this kind from this start". Small
// counts per kind and cell are given at once; a large one (hundreds of units
// over dozens of rooms) only once a solution breaks it (Forfin): most kinds
// never fill up at most cells.
void Loeser::KodLokaler()
{
    brug_.assign(AntalArter(), std::vector<std::vector<Brug>>(maksCeller));
    kodet_.assign(AntalArter(), std::vector<char>(maksCeller, 0));
    valg_.resize(opgave_.enheder.size());
    for (size_t e = 0; e < opgave_.enheder.size(); ++e) {
        for (size_t d = 0; d < kravArter_[e].size(); ++d) {
            const std::vector<int32_t>& arter = kravArter_[e][d];
            std::vector<Lit> valg;
            if (arter.size() > 1) {
                for (size_t a = 0; a < arter.size(); ++a)
                    valg.push_back(NyVar());
                Klausul(valg, 0);
                HoejstK(valg, 1, 0);
            }
            for (size_t a = 0; a < arter.size(); ++a)
                for (size_t i = 0; i < starter_[e].size(); ++i) {
                    Lit lit = x_[e][i];
                    if (arter.size() > 1) {
                        lit = NyVar();
                        Klausul({-x_[e][i], -valg[a], lit}, 0);
                    }
                    for (int32_t c = starter_[e][i]; c < starter_[e][i] + Laengde(static_cast<int32_t>(e)); ++c)
                        brug_[arter[a]][c].push_back(
                            {static_cast<int32_t>(e), static_cast<int32_t>(d), static_cast<int32_t>(i), lit});
                }
            valg_[e].push_back(std::move(valg));
        }
    }
    for (int32_t art = 0; art < AntalArter(); ++art)
        for (int32_t c = 0; c < maksCeller; ++c)
            if (static_cast<int64_t>(brug_[art][c].size()) * arter_[art].pladser[c] <= smaaTaellinger)
                TaelArt(art, c);
}

void Loeser::TaelArt(int32_t art, int32_t c)
{
    std::vector<Lit> lits;
    for (const Brug& b : brug_[art][c])
        lits.push_back(b.lit);
    HoejstK(lits, arter_[art].pladser[c], vagt_[ArtLed(art)]);
    kodet_[art][c] = 1;
}

// Units alike in everything (hours of one demand) could trade places: each
// must start after the one before, so the solver does not try both orders.
// A ladder o[i] "starts at index i or later" keeps it to a few clauses per start.
void Loeser::BrydSymmetri()
{
    std::map<
        std::tuple<std::vector<int32_t>, std::vector<std::vector<int32_t>>, int32_t, int32_t, std::vector<int32_t>>,
        int32_t>
        forrige;
    for (size_t e = 0; e < opgave_.enheder.size(); ++e) {
        const EksaktOpgave::Enhed& enhed = opgave_.enheder[e];
        const auto [plads, ny] = forrige.try_emplace(
            {enhed.ressourcer, enhed.lokalevalg, enhed.laengde, enhed.spredNoegle, starter_[e]}, e);
        if (ny)
            continue;
        const std::vector<Lit>& foer = x_[plads->second];
        const std::vector<Lit>& efter = x_[e];
        const size_t n = efter.size();
        std::vector<Lit> senere(n + 1, 0);
        for (size_t i = n; i-- > 0;) {
            senere[i] = NyVar();
            if (i + 1 < n)
                Klausul({-senere[i], efter[i], senere[i + 1]}, 0);
            else
                Klausul({-senere[i], efter[i]}, 0);
        }
        for (size_t i = 0; i < n; ++i)
            if (i + 1 < n)
                Klausul({-foer[i], senere[i + 1]}, 0);
            else
                Klausul({-foer[i]}, 0);
        plads->second = static_cast<int32_t>(e);
    }
}

// Counting before searching: the hours of one part's units against the
// places it has left (cells, or days for a key), a matching that finds the
// shortage a SAT solver would need exponentially many steps for (one hour
// too many for a teacher is the pigeonhole problem). Starts are forbidden by
// the fixed lessons of the parts in `med`. Hours of one block are counted
// apart, which can only make a shortage harder to find, never invent one.
bool Loeser::Mangler(int32_t led, const std::vector<char>& med) const
{
    const bool noegle = led >= NoegleLed(0);
    const bool art = !noegle && led >= antalRessourcer_;
    std::vector<int32_t> pladser(noegle ? maksDage : maksCeller, 1);
    if (art)
        std::copy(arter_[led - antalRessourcer_].pladser.begin(), arter_[led - antalRessourcer_].pladser.end(),
                  pladser.begin());
    if (noegle) {
        // A day holds a run of `loeb` hours of the key less its fixed hours.
        const int32_t k = led - NoegleLed(0);
        for (int32_t dag = 0; dag < maksDage; ++dag)
            pladser[dag] = std::max(0, std::max(loeb_[k], 1) - std::popcount(fasteTimer_[k][dag]));
    }
    std::vector<std::vector<int32_t>> valg; // per hour to place, the places it may take
    for (const int32_t e : enhederAf_[led]) {
        // A kind counts the demands that can use no other kind.
        const auto kunDenne = [&](const std::vector<int32_t>& a) { return a.size() == 1 && ArtLed(a[0]) == led; };
        const int32_t gange =
            art ? static_cast<int32_t>(std::count_if(kravArter_[e].begin(), kravArter_[e].end(), kunDenne)) : 1;
        std::vector<int32_t> steder;
        for (size_t i = 0; i < starter_[e].size(); ++i) {
            const auto& draebere = draebere_[e][i];
            if (std::any_of(draebere.begin(), draebere.end(), [&](int32_t d) { return med[d]; }))
                continue;
            for (int32_t c = starter_[e][i]; c < starter_[e][i] + (noegle ? 1 : Laengde(e)); ++c)
                steder.push_back(noegle ? Dag(c) : c);
        }
        std::sort(steder.begin(), steder.end());
        steder.erase(std::unique(steder.begin(), steder.end()), steder.end());
        for (int32_t t = 0; t < gange * (noegle ? Polletter(e) : Laengde(e)); ++t)
            valg.push_back(steder);
    }
    // Augmenting paths over places with room for pladser[p] hours each.
    std::vector<std::vector<int32_t>> holdere(pladser.size());
    std::vector<char> set;
    std::function<bool(int32_t)> anbring = [&](int32_t t) {
        for (const int32_t p : valg[t])
            if (static_cast<int32_t>(holdere[p].size()) < pladser[p]) {
                holdere[p].push_back(t);
                return true;
            }
        for (const int32_t p : valg[t]) {
            if (set[p])
                continue;
            set[p] = 1;
            if (static_cast<int32_t>(holdere[p].size()) < pladser[p]) {
                holdere[p].push_back(t);
                return true;
            }
            for (int32_t& anden : holdere[p])
                if (anbring(anden)) {
                    anden = t;
                    return true;
                }
        }
        return false;
    };
    for (size_t t = 0; t < valg.size(); ++t) {
        set.assign(pladser.size(), 0);
        if (!anbring(static_cast<int32_t>(t)))
            return true;
    }
    return false;
}

// The share of a key's day a unit takes: its hours, or the whole day for a
// block longer than the run, which stands alone.
int32_t Loeser::Polletter(int32_t e) const
{
    const int32_t loeb = loeb_[opgave_.enheder[e].spredNoegle];
    return Laengde(e) <= loeb ? Laengde(e) : std::max(loeb, 1);
}

// The part together with the fewest other parts whose fixed lessons it needs
// to fall short; empty when it does not fall short.
std::vector<int32_t> Loeser::Taelleskerne(int32_t led) const
{
    std::vector<char> med(AntalLed(), 1);
    if (!Mangler(led, med))
        return {};
    std::vector<int32_t> hjaelpere;
    for (const int32_t e : enhederAf_[led])
        for (const auto& draebere : draebere_[e])
            hjaelpere.insert(hjaelpere.end(), draebere.begin(), draebere.end());
    std::sort(hjaelpere.begin(), hjaelpere.end());
    hjaelpere.erase(std::unique(hjaelpere.begin(), hjaelpere.end()), hjaelpere.end());
    std::vector<int32_t> kerne{led};
    for (const int32_t h : hjaelpere) {
        if (h == led)
            continue;
        med[h] = 0;
        if (!Mangler(led, med)) {
            med[h] = 1;
            kerne.push_back(h);
        }
    }
    std::sort(kerne.begin(), kerne.end());
    return kerne;
}

std::vector<int32_t> Loeser::MindsteTaelleskerne() const
{
    std::vector<int32_t> mindste;
    for (int32_t led = 0; led < AntalLed() && mindste.size() != 1; ++led)
        if (const std::vector<int32_t> kerne = Taelleskerne(led);
            !kerne.empty() && (mindste.empty() || kerne.size() < mindste.size()))
            mindste = kerne;
    return mindste;
}

// Solves with the rules of the given parts only. A solution whose rooms do
// not fit adds what it broke and asks again.
Udfald Loeser::Loes(const std::vector<int32_t>& led)
{
    for (;;) {
        const int64_t rest = graense_ - taeller_.antal;
        if (rest < 0)
            return Udfald::ukendt;
        for (const int32_t l : led)
            sat_.assume(vagt_[l]);
        sat_.limit("conflicts", static_cast<int>(std::min<int64_t>(rest, INT_MAX)));
        const int svar = sat_.solve();
        if (svar == 20)
            return Udfald::umulig;
        if (svar != 10)
            return Udfald::ukendt;
        LaesLoesning();
        switch (Forfin(led)) {
        case Fordeling::fundet:
            return Udfald::fundet;
        case Fordeling::ukendt:
            return Udfald::ukendt;
        case Fordeling::umulig:
            break;
        }
    }
}

void Loeser::LaesLoesning()
{
    valgtStart_.assign(opgave_.enheder.size(), -1);
    valgtArt_.assign(opgave_.enheder.size(), {});
    for (size_t e = 0; e < opgave_.enheder.size(); ++e) {
        for (size_t i = 0; i < x_[e].size() && valgtStart_[e] < 0; ++i)
            if (sat_.val(x_[e][i]) > 0)
                valgtStart_[e] = static_cast<int32_t>(i);
        for (const std::vector<Lit>& valg : valg_[e]) {
            int32_t valgt = 0;
            for (size_t a = 0; a < valg.size(); ++a)
                if (sat_.val(valg[a]) > 0) {
                    valgt = static_cast<int32_t>(a);
                    break;
                }
            valgtArt_[e].push_back(valgt);
        }
    }
}

// fundet: every active kind's rooms handed out (in lokale_); umulig: the
// solution broke a count or a day's rooms, which is now forbidden.
Fordeling Loeser::Forfin(const std::vector<int32_t>& led)
{
    lokale_.assign(opgave_.enheder.size(), {});
    for (size_t e = 0; e < opgave_.enheder.size(); ++e)
        lokale_[e].assign(kravArter_[e].size(), -1);
    bool tilfoejet = false;
    for (const int32_t l : led)
        if (l >= antalRessourcer_ && l < NoegleLed(0))
            if (FordelArt(l - antalRessourcer_, tilfoejet) == Fordeling::ukendt)
                return Fordeling::ukendt;
    return tilfoejet ? Fordeling::umulig : Fordeling::fundet;
}

Fordeling Loeser::FordelArt(int32_t art, bool& tilfoejet)
{
    const auto bruges = [&](const Brug& b) {
        return valgtStart_[b.enhed] == b.start && kravArter_[b.enhed][b.krav][valgtArt_[b.enhed][b.krav]] == art;
    };
    bool overfyldt = false;
    for (int32_t c = 0; c < maksCeller; ++c) {
        const auto& brug = brug_[art][c];
        if (kodet_[art][c] || std::count_if(brug.begin(), brug.end(), bruges) <= arter_[art].pladser[c])
            continue;
        TaelArt(art, c);
        overfyldt = true;
    }
    if (overfyldt) {
        tilfoejet = true;
        return Fordeling::umulig;
    }
    const std::vector<int32_t>& lokaler = arter_[art].lokaler;
    for (int32_t dag = 0; dag < opgave_.uge.dage; ++dag) {
        std::vector<Dagtimer> ledige;
        for (const int32_t lokale : lokaler)
            ledige.push_back(planensTimer_ & ~DagensTimer(fast_[lokale], dag));
        std::vector<Lokaleblok> blokke;
        std::vector<const Brug*> hvem;
        for (int32_t c = dag * maksTimer; c < (dag + 1) * maksTimer; ++c)
            for (const Brug& b : brug_[art][c])
                if (bruges(b) && starter_[b.enhed][b.start] == c) {
                    blokke.push_back({c % maksTimer, Laengde(b.enhed)});
                    hvem.push_back(&b);
                }
        std::vector<int32_t> rum;
        const Fordeling fordeling = FordelLokaler(ledige, blokke, rum);
        if (fordeling == Fordeling::ukendt)
            return fordeling;
        if (fordeling == Fordeling::umulig) {
            std::vector<Lit> lits;
            for (const Brug* b : hvem)
                lits.push_back(b->lit);
            Forbyd(art, ledige, blokke, lits);
            tilfoejet = true;
            continue;
        }
        for (size_t i = 0; i < hvem.size(); ++i)
            lokale_[hvem[i]->enhed][hvem[i]->krav] = lokaler[rum[i]];
    }
    return Fordeling::fundet;
}

// Forbids a day's blocks that cannot share the kind's rooms, after leaving
// out every block the shortage does not need.
void Loeser::Forbyd(int32_t art, const std::vector<Dagtimer>& ledige, std::vector<Lokaleblok> blokke,
                    std::vector<Lit> lits)
{
    std::vector<int32_t> rum;
    for (size_t i = 0; i < blokke.size();) {
        std::vector<Lokaleblok> uden = blokke;
        uden.erase(uden.begin() + static_cast<std::ptrdiff_t>(i));
        if (FordelLokaler(ledige, uden, rum) == Fordeling::umulig) {
            blokke = std::move(uden);
            lits.erase(lits.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    for (Lit& lit : lits)
        lit = -lit;
    Klausul(lits, vagt_[ArtLed(art)]);
}

std::vector<int32_t> Loeser::Fejlede(const std::vector<int32_t>& led)
{
    std::vector<int32_t> fejlede;
    for (const int32_t l : led)
        if (sat_.failed(vagt_[l]))
            fejlede.push_back(l);
    return fejlede;
}

// Leaves out one part at a time and keeps it out when the rest is still
// impossible (then the solver's failed assumptions shrink it further). A part
// whose check runs out of work stays in: the core is then valid, if not the smallest.
std::vector<int32_t> Loeser::Formindsk(std::vector<int32_t> kerne)
{
    for (size_t i = 0; i < kerne.size();) {
        std::vector<int32_t> uden = kerne;
        uden.erase(uden.begin() + static_cast<std::ptrdiff_t>(i));
        if (Loes(uden) == Udfald::umulig)
            kerne = Fejlede(uden); // still holds the parts before i: each was needed in a larger set
        else
            ++i;
    }
    return kerne;
}

EksaktSvar Loeser::Umulig(const std::vector<int32_t>& kerne) const
{
    EksaktSvar svar;
    svar.udfald = Udfald::umulig;
    for (const int32_t led : kerne) {
        if (led < antalRessourcer_)
            svar.kerneRessourcer.push_back(led);
        else if (led < NoegleLed(0))
            for (const int32_t lokale : arter_[led - antalRessourcer_].lokaler)
                svar.kerneRessourcer.push_back(lokale);
        else
            svar.kerneSpredNoegler.push_back(led - NoegleLed(0));
        svar.kerneEnheder.insert(svar.kerneEnheder.end(), enhederAf_[led].begin(), enhederAf_[led].end());
    }
    for (auto* liste : {&svar.kerneRessourcer, &svar.kerneEnheder}) {
        std::sort(liste->begin(), liste->end());
        liste->erase(std::unique(liste->begin(), liste->end()), liste->end());
    }
    return svar;
}

EksaktSvar Loeser::Loes()
{
    for (size_t e = 0; e < opgave_.enheder.size(); ++e) {
        const auto& krav = kravArter_[e];
        if (starter_[e].empty() ||
            std::any_of(krav.begin(), krav.end(), [](const std::vector<int32_t>& a) { return a.empty(); })) {
            EksaktSvar svar;
            svar.udfald = Udfald::umulig;
            svar.kerneEnheder = {static_cast<int32_t>(e)};
            return svar;
        }
    }
    if (const std::vector<int32_t> kerne = MindsteTaelleskerne(); !kerne.empty())
        return Umulig(kerne);
    std::vector<int32_t> alle(AntalLed());
    for (int32_t l = 0; l < AntalLed(); ++l)
        alle[l] = l;
    EksaktSvar svar;
    switch (Loes(alle)) {
    case Udfald::fundet:
        svar.udfald = Udfald::fundet;
        for (size_t e = 0; e < opgave_.enheder.size(); ++e)
            svar.start.push_back(starter_[e][valgtStart_[e]]);
        svar.lokale = lokale_;
        break;
    case Udfald::umulig:
        svar = Umulig(Formindsk(Fejlede(alle)));
        break;
    case Udfald::ukendt:
        break;
    }
    svar.konflikter = taeller_.antal;
    return svar;
}

// Per unit its starts times its hours times the resources and rooms it takes.
int64_t Daekning(const EksaktOpgave& opgave)
{
    int64_t daekning = 0;
    for (const EksaktOpgave::Enhed& enhed : opgave.enheder)
        daekning += static_cast<int64_t>(enhed.starter.size()) * enhed.laengde *
                    static_cast<int64_t>(enhed.ressourcer.size() + enhed.lokalevalg.size());
    return daekning;
}

} // namespace

EksaktSvar LoesEksakt(const EksaktOpgave& opgave, int64_t konfliktGraense, const std::atomic<bool>* stop)
{
    if (Daekning(opgave) > maksDaekning)
        return {};
    return Loeser(opgave, konfliktGraense, stop).Loes();
}
