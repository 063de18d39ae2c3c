#include "fuldfoerelse/Fuldfoerelse.h"

#include <limits>
#include <vector>

namespace {

// How long a lesson just put in stays safe from being pushed out again.
constexpr int64_t tabuGrund = 7;
constexpr int32_t tabuSpredning = 8;

} // namespace

uint64_t Fuldfoerelse::Tilfaeldig::Naeste()
{
    // SplitMix64
    uint64_t z = (tilstand_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

Fuldfoerelse::Fuldfoerelse(const Skemabillede& billede, Fuldfoerelsesvalg valg)
    : model_(billede), tilfaeldig_(valg.froe), valg_(valg), pulje_(model_.Ledige()),
      tabuTil_(model_.Enheder().size(), 0), bedsteEnheder_(model_.Enheder()), foer_(model_.Status()), bedste_(foer_)
{
}

bool Fuldfoerelse::Faerdig() const
{
    if (skridt_ >= valg_.maksSkridt || skridt_ - sidstForbedret_ >= valg_.maksUdenFremskridt)
        return true;
    const Maal& nu = model_.Status();
    return pulje_.empty() && nu.holdHuller == 0 && nu.laererHuller == 0;
}

bool Fuldfoerelse::Koer(int64_t skridt)
{
    for (int64_t i = 0; i < skridt && !Faerdig(); ++i)
        Trin();
    return !Faerdig();
}

std::string Fuldfoerelse::Opsummering() const
{
    int32_t ialt = 0;
    for (const Timekrav& krav : model_.Billede().krav)
        ialt += krav.timer;
    const auto fraTil = [](int32_t fra, int32_t til) { return std::to_string(fra) + "→" + std::to_string(til); };
    return "Fuldført: placeret " + fraTil(ialt - foer_.manglende, ialt - bedste_.manglende) + " af " +
           std::to_string(ialt) + ", mellemtimer hold " + fraTil(foer_.holdHuller, bedste_.holdHuller) + ", lærere " +
           fraTil(foer_.laererHuller, bedste_.laererHuller);
}

std::vector<LektionsData> Fuldfoerelse::BedsteLektioner()
{
    model_.Gendan(bedsteEnheder_);
    return model_.Lektioner();
}

// One step: place a missing lesson when there is one, otherwise try to
// remove gaps; remember the timetables whenever they are the best yet.
void Fuldfoerelse::Trin()
{
    ++skridt_;
    if (!pulje_.empty()) {
        const int32_t i = tilfaeldig_.Under(pulje_.size());
        const int32_t e = pulje_[i];
        pulje_[i] = pulje_.back();
        pulje_.pop_back();
        Indsaet(e);
    } else {
        Forbedr();
    }
    if (model_.Status() < bedste_) {
        bedste_ = model_.Status();
        bedsteEnheder_ = model_.Enheder();
        sidstForbedret_ = skridt_;
    }
}

// Lessons outside the plan move only from the pool, into the plan.
bool Fuldfoerelse::KanFlyttes(int32_t e) const
{
    const Skemamodel::Enhed& enhed = model_.Enheder()[e];
    return !enhed.fast && enhed.celle >= 0 && model_.IPlanen(enhed.celle, enhed.laengde);
}

// A lesson outside the plan stays where it was until it finds a place inside.
void Fuldfoerelse::Indsaet(int32_t e)
{
    const Skemamodel::Enhed gammel = model_.Enheder()[e];
    if (gammel.celle >= 0)
        model_.Fjern(e);
    if (IndsaetDirekte(e) || IndsaetMedUdskubning(e))
        return;
    if (gammel.celle >= 0)
        model_.Saet(e, gammel.celle, gammel.lokale);
    pulje_.push_back(e);
    Forbedr();
}

// The best free start for the lesson, if any.
bool Fuldfoerelse::IndsaetDirekte(int32_t e)
{
    int32_t bedsteCelle = -1;
    int32_t bedsteLokale = -1;
    Maal bedst;
    for (const int32_t celle : model_.Startceller()) {
        const int32_t lokale = model_.LedigtLokale(e, celle);
        if (lokale < 0)
            continue;
        model_.Saet(e, celle, lokale);
        if (bedsteCelle < 0 || model_.Status() < bedst) {
            bedst = model_.Status();
            bedsteCelle = celle;
            bedsteLokale = lokale;
        }
        model_.Fjern(e);
    }
    if (bedsteCelle < 0)
        return false;
    model_.Saet(e, bedsteCelle, bedsteLokale);
    tabuTil_[e] = skridt_ + tabuGrund + tilfaeldig_.Under(tabuSpredning);
    return true;
}

// No free start: take the start that pushes out the fewest hours of lessons
// not recently placed, put the lesson there and queue what was pushed out.
bool Fuldfoerelse::IndsaetMedUdskubning(int32_t e)
{
    int32_t bedsteCelle = -1;
    int32_t bedsteLokale = -1;
    int64_t bedstePris = std::numeric_limits<int64_t>::max();
    const int32_t krav = model_.Enheder()[e].krav;
    for (const int32_t celle : model_.Startceller()) {
        for (const int32_t lokale : model_.Lokaler(krav)) {
            if (!model_.Blokerende(e, celle, lokale, blokerende_))
                continue;
            int64_t pris = 0;
            for (const int32_t anden : blokerende_)
                pris += model_.Enheder()[anden].laengde * (tabuTil_[anden] > skridt_ ? 100 : 4);
            pris = pris * 16 + tilfaeldig_.Under(16);
            if (pris < bedstePris) {
                bedstePris = pris;
                bedsteCelle = celle;
                bedsteLokale = lokale;
            }
        }
    }
    if (bedsteCelle < 0)
        return false;
    model_.Blokerende(e, bedsteCelle, bedsteLokale, blokerende_);
    for (const int32_t anden : blokerende_) {
        model_.Fjern(anden);
        pulje_.push_back(anden);
    }
    model_.Saet(e, bedsteCelle, bedsteLokale);
    tabuTil_[e] = skridt_ + tabuGrund + tilfaeldig_.Under(tabuSpredning);
    return true;
}

// A random movable lesson moves to a free hour or swaps with another lesson
// of its class, when that leaves the timetables no worse.
void Fuldfoerelse::Forbedr()
{
    const auto& enheder = model_.Enheder();
    const int32_t e = tilfaeldig_.Under(enheder.size());
    if (!KanFlyttes(e))
        return;
    if (tilfaeldig_.Under(2) == 0)
        Flyt(e);
    else
        Byt(e);
}

bool Fuldfoerelse::Flyt(int32_t e)
{
    const Maal foer = model_.Status();
    const Skemamodel::Enhed gammel = model_.Enheder()[e];
    model_.Fjern(e);
    const int32_t celle = model_.Startceller()[tilfaeldig_.Under(model_.Startceller().size())];
    const int32_t lokale = model_.LedigtLokale(e, celle);
    if (lokale >= 0) {
        model_.Saet(e, celle, lokale);
        if (model_.Status() <= foer)
            return true;
        model_.Fjern(e);
    }
    model_.Saet(e, gammel.celle, gammel.lokale);
    return false;
}

bool Fuldfoerelse::Byt(int32_t e)
{
    const auto& enheder = model_.Enheder();
    std::vector<int32_t> partnere;
    for (size_t f = 0; f < enheder.size(); ++f)
        if (static_cast<int32_t>(f) != e && KanFlyttes(static_cast<int32_t>(f)) && enheder[f].hold == enheder[e].hold &&
            enheder[f].laengde == enheder[e].laengde)
            partnere.push_back(static_cast<int32_t>(f));
    if (partnere.empty())
        return false;
    const int32_t f = partnere[tilfaeldig_.Under(partnere.size())];
    const Maal foer = model_.Status();
    const Skemamodel::Enhed a = enheder[e];
    const Skemamodel::Enhed b = enheder[f];
    model_.Fjern(e);
    model_.Fjern(f);
    const int32_t lokaleE = model_.LedigtLokale(e, b.celle);
    if (lokaleE >= 0) {
        model_.Saet(e, b.celle, lokaleE);
        const int32_t lokaleF = model_.LedigtLokale(f, a.celle);
        if (lokaleF >= 0) {
            model_.Saet(f, a.celle, lokaleF);
            if (model_.Status() <= foer)
                return true;
            model_.Fjern(f);
        }
        model_.Fjern(e);
    }
    model_.Saet(e, a.celle, a.lokale);
    model_.Saet(f, b.celle, b.lokale);
    return false;
}
