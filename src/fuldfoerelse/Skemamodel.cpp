#include "fuldfoerelse/Skemamodel.h"

#include <algorithm>
#include <bit>
#include <tuple>

// The rules' questions about unit e at celle, in room lokale or (-1) any of its
// rooms. kunFaste: only units that never move count as in the way, so the
// answer says whether pushing movable units out would make the start possible.
class Skemamodel::Fakta {
public:
    Fakta(const Skemamodel& m, int32_t e, int32_t celle, int32_t lokale, bool kunFaste)
        : m_(m), enhed_(m.enheder_[e]), e_(e), celle_(celle), lokale_(lokale), kunFaste_(kunFaste),
          maske_(BlokMaske(celle, enhed_.laengde)),
          egen_(enhed_.celle >= 0 && !kunFaste ? BlokMaske(enhed_.celle, enhed_.laengde) : 0)
    {
    }

    bool Fastlaast() const { return enhed_.fast; }
    bool HarLaerer() const { return enhed_.laerer >= 0; }
    bool HarLokaler() const { return !m_.Lokaler(enhed_.krav).empty(); }
    bool LaererUtilgaengelig() const { return (m_.spaerret_[enhed_.laerer] & maske_) != 0; }
    bool LaererOptaget() const { return Optaget(m_.laerere_[enhed_.laerer], egen_); }
    bool LokaleOptaget() const
    {
        const auto& lokaler = m_.Lokaler(enhed_.krav);
        return lokale_ >= 0 ? !LokaleLedigt(lokale_)
                            : std::none_of(lokaler.begin(), lokaler.end(), [&](int32_t l) { return LokaleLedigt(l); });
    }
    bool HoldOptaget() const { return Optaget(m_.hold_[enhed_.hold], egen_); }
    bool FagSammeDag() const { return m_.FagPaaDagen(e_, celle_ / maksTimer, kunFaste_); }

private:
    bool Optaget(const Ressource& r, Maske egen) const
    {
        return ((kunFaste_ ? r.fast : r.optaget) & ~egen & maske_) != 0;
    }
    bool LokaleLedigt(int32_t l) const { return !Optaget(m_.lokaler_[l], l == enhed_.lokale ? egen_ : 0); }

    const Skemamodel& m_;
    const Enhed& enhed_;
    int32_t e_;
    int32_t celle_;
    int32_t lokale_;
    bool kunFaste_;
    Maske maske_;
    Maske egen_;
};

int32_t Skemamodel::Navne::Find(const std::string& navn) const
{
    const auto fundet = indeks.find(navn);
    return fundet == indeks.end() ? -1 : fundet->second;
}

int32_t Skemamodel::Navne::Tilfoej(const std::string& navn)
{
    const auto [plads, ny] = indeks.try_emplace(navn, static_cast<int32_t>(navne.size()));
    if (ny)
        navne.push_back(navn);
    return plads->second;
}

Skemamodel::Skemamodel(const Skemabillede& billede) : billede_(billede)
{
    for (const auto& [laerer, prioriteter] : billede_.prioriteter) {
        laererNavne_.Tilfoej(laerer);
        Maske spaerret = 0;
        for (int32_t celle = 0; celle < maksCeller; ++celle)
            if (prioriteter[celle] == utilgaengelig)
                spaerret |= CelleMaske(celle);
        spaerret_.push_back(spaerret);
    }
    for (const auto& [type, lokaler] : billede_.lokalerAfType)
        for (const std::string& lokale : lokaler)
            lokaleNavne_.Tilfoej(lokale);
    LaesKrav();
    LaesLektioner();
    TilfoejManglende();
    hold_.resize(holdNavne_.navne.size());
    laerere_.resize(laererNavne_.navne.size());
    prioritet_.resize(laererNavne_.navne.size());
    for (const auto& [laerer, prioriteter] : billede_.prioriteter)
        prioritet_[laererNavne_.Find(laerer)].assign(prioriteter.begin(), prioriteter.end());
    lokaler_.resize(lokaleNavne_.navne.size());
    fagDag_.assign(holdFagNavne_.navne.size(), std::vector<int32_t>(maksDage, 0));
    placeret_.assign(billede_.krav.size(), 0);
    for (const Timekrav& krav : billede_.krav)
        maal_.manglende += krav.timer;
    // Everything read counts once it is put back through the one path that counts.
    const std::vector<Enhed> laest = enheder_;
    for (Enhed& enhed : enheder_)
        enhed.celle = -1;
    Gendan(laest);
    for (int32_t celle = 0; celle < maksCeller; ++celle)
        if (billede_.uge.Indeholder(PlaceringAf(celle)))
            startceller_.push_back(celle);
}

void Skemamodel::LaesKrav()
{
    for (const Timekrav& krav : billede_.krav) {
        kravHold_.push_back(holdNavne_.Tilfoej(krav.hold));
        kravHoldFag_.push_back(holdFagNavne_.Tilfoej(krav.hold + '\n' + krav.fag));
        kravLaerer_.push_back(krav.laerer == tomId ? -1 : laererNavne_.Find(krav.laerer));
        std::vector<int32_t> lokaler;
        if (krav.IStamlokale()) {
            if (const int32_t lokale = lokaleNavne_.Find(krav.lokale); lokale >= 0)
                lokaler.push_back(lokale);
        } else if (const auto typen = billede_.lokalerAfType.find(krav.lokaletype);
                   typen != billede_.lokalerAfType.end()) {
            for (const std::string& lokale : typen->second)
                lokaler.push_back(lokaleNavne_.Find(lokale));
        }
        lokalerForKrav_.push_back(std::move(lokaler));
    }
}

// Lessons are read in class, day and hour order so that the two hours of a
// double lesson meet and the units come out the same for the same timetables.
void Skemamodel::LaesLektioner()
{
    std::vector<LektionsData> lektioner = billede_.lektioner;
    std::sort(lektioner.begin(), lektioner.end(), [](const LektionsData& a, const LektionsData& b) {
        return std::tie(a.hold, a.kolonne, a.raekke) < std::tie(b.hold, b.kolonne, b.raekke);
    });
    std::vector<int32_t> taget(billede_.krav.size(), 0);
    for (size_t i = 0; i < lektioner.size(); ++i) {
        const LektionsData& l = lektioner[i];
        Enhed enhed;
        enhed.hold = holdNavne_.Tilfoej(l.hold);
        enhed.laerer = laererNavne_.Tilfoej(l.laerer);
        if (spaerret_.size() < laererNavne_.navne.size())
            spaerret_.push_back(0);
        enhed.lokale = lokaleNavne_.Tilfoej(l.lokale);
        enhed.holdFag = holdFagNavne_.Tilfoej(l.hold + '\n' + l.fag);
        enhed.blokFelt = l.blok;
        enhed.kilde = l;
        if (!Uge{}.Indeholder({l.kolonne, l.raekke})) {
            enhed.fast = true; // kept as read, outside every grid
            enheder_.push_back(enhed);
            continue;
        }
        enhed.celle = CelleAf({l.kolonne, l.raekke});
        const bool dobbelt = l.blok == 2 && i + 1 < lektioner.size() && lektioner[i + 1].hold == l.hold &&
                             lektioner[i + 1].kolonne == l.kolonne && lektioner[i + 1].raekke == l.raekke + 1 &&
                             lektioner[i + 1].fag == l.fag && lektioner[i + 1].laerer == l.laerer &&
                             lektioner[i + 1].lokale == l.lokale && lektioner[i + 1].blok == 2;
        const int32_t laengde = dobbelt ? 2 : 1;
        const int32_t krav = FindKrav(l);
        if (krav >= 0 && taget[krav] + laengde <= billede_.krav[krav].timer) {
            // Only a demand's lessons move, so only they are held together as a unit.
            enhed.krav = krav;
            enhed.laengde = laengde;
            taget[krav] += laengde;
            enhed.fast = ErLaast(l) || (dobbelt && ErLaast(lektioner[i + 1]));
            if (dobbelt)
                ++i;
        } else {
            enhed.fast = true;
        }
        enheder_.push_back(enhed);
    }
}

int32_t Skemamodel::FindKrav(const LektionsData& l) const
{
    for (size_t k = 0; k < billede_.krav.size(); ++k) {
        const Timekrav& krav = billede_.krav[k];
        if (krav.hold != l.hold || krav.fag != l.fag || krav.laerer != l.laerer)
            continue;
        const int32_t lokale = lokaleNavne_.Find(l.lokale);
        const auto& lokaler = lokalerForKrav_[k];
        if (std::find(lokaler.begin(), lokaler.end(), lokale) != lokaler.end())
            return static_cast<int32_t>(k);
    }
    return -1;
}

bool Skemamodel::ErLaast(const LektionsData& l) const
{
    return std::any_of(billede_.laaste.begin(), billede_.laaste.end(), [&](const LektionsData& laast) {
        return laast.hold == l.hold && laast.kolonne == l.kolonne && laast.raekke == l.raekke;
    });
}

// The hours a demand still lacks become unplaced units: double lessons while
// two or more hours are missing, when the demand asks for them.
void Skemamodel::TilfoejManglende()
{
    std::vector<int32_t> lagt(billede_.krav.size(), 0);
    for (const Enhed& enhed : enheder_)
        if (enhed.krav >= 0)
            lagt[enhed.krav] += enhed.laengde;
    for (size_t k = 0; k < billede_.krav.size(); ++k) {
        const Timekrav& krav = billede_.krav[k];
        for (int32_t rest = krav.timer - lagt[k]; rest > 0;) {
            Enhed enhed;
            enhed.krav = static_cast<int32_t>(k);
            enhed.hold = kravHold_[k];
            enhed.laerer = kravLaerer_[k];
            enhed.holdFag = kravHoldFag_[k];
            enhed.laengde = krav.blok == 2 && rest >= 2 ? 2 : 1;
            enhed.blokFelt = enhed.laengde;
            rest -= enhed.laengde;
            enheder_.push_back(enhed);
        }
    }
}

int32_t Skemamodel::Placeret(int32_t krav) const { return placeret_[krav]; }

std::vector<int32_t> Skemamodel::Ledige() const
{
    std::vector<int32_t> ledige;
    for (size_t e = 0; e < enheder_.size(); ++e)
        if (!enheder_[e].fast && (enheder_[e].celle < 0 || !IPlanen(enheder_[e].celle, enheder_[e].laengde)))
            ledige.push_back(static_cast<int32_t>(e));
    return ledige;
}

bool Skemamodel::IPlanen(int32_t celle, int32_t laengde) const
{
    return billede_.uge.RummerBlok(PlaceringAf(celle), laengde);
}

// The cells of a block, cut at the end of the day.
Skemamodel::Maske Skemamodel::BlokMaske(int32_t celle, int32_t laengde)
{
    const int32_t time = celle % maksTimer;
    const int32_t timer = std::min(laengde, maksTimer - time);
    return ((Maske{1} << timer) - 1) << celle;
}

bool Skemamodel::HoldLedigt(int32_t hold, int32_t celle) const { return ((hold_[hold].optaget >> celle) & 1) == 0; }

// Another unit of the class's subject that day (with kunFaste: one that never moves).
bool Skemamodel::FagPaaDagen(int32_t e, int32_t dag, bool kunFaste) const
{
    const Enhed& enhed = enheder_[e];
    if (!kunFaste) {
        const int32_t egen = enhed.celle >= 0 && enhed.celle / maksTimer == dag ? 1 : 0;
        return fagDag_[enhed.holdFag][dag] - egen > 0;
    }
    for (int32_t c = dag * maksTimer; c < (dag + 1) * maksTimer; ++c) {
        const int32_t anden = hold_[enhed.hold].ejer[c];
        if (anden >= 0 && anden != e && enheder_[anden].fast && enheder_[anden].holdFag == enhed.holdFag)
            return true;
    }
    return false;
}

Hindring Skemamodel::FoersteHindring(int32_t e, int32_t celle, int32_t lokale) const
{
    return ::FoersteHindring(billede_.uge, PlaceringAf(celle), enheder_[e].laengde,
                             Fakta(*this, e, celle, lokale, false), billede_.regler);
}

int32_t Skemamodel::LedigtLokale(int32_t e, int32_t celle) const
{
    for (const int32_t lokale : Lokaler(enheder_[e].krav))
        if (FoersteHindring(e, celle, lokale) == Hindring::ingen)
            return lokale;
    return -1;
}

bool Skemamodel::Blokerende(int32_t e, int32_t celle, int32_t lokale, std::vector<int32_t>& ud) const
{
    ud.clear();
    const Enhed& enhed = enheder_[e];
    if (::FoersteHindring(billede_.uge, PlaceringAf(celle), enhed.laengde, Fakta(*this, e, celle, lokale, true),
                          billede_.regler) != Hindring::ingen)
        return false;
    const auto tilfoej = [&](int32_t anden) {
        if (anden >= 0 && anden != e && std::find(ud.begin(), ud.end(), anden) == ud.end())
            ud.push_back(anden);
    };
    for (int32_t c = celle; c < celle + enhed.laengde; ++c)
        for (const Ressource* r : {&hold_[enhed.hold], &laerere_[enhed.laerer], &lokaler_[lokale]})
            tilfoej(r->ejer[c]);
    if (billede_.regler.spred) {
        const int32_t dag = celle / maksTimer;
        for (int32_t c = dag * maksTimer; c < (dag + 1) * maksTimer; ++c) {
            const int32_t anden = hold_[enhed.hold].ejer[c];
            if (anden >= 0 && enheder_[anden].holdFag == enhed.holdFag)
                tilfoej(anden);
        }
    }
    return true;
}

// A teacher's hours away from her wishes: 3 - priority per hour; nothing for
// a teacher with no priorities at all.
int32_t Skemamodel::Straf(int32_t laerer, int32_t celle, int32_t laengde) const
{
    const auto& prioriteter = prioritet_[laerer];
    if (prioriteter.empty())
        return 0;
    int32_t straf = 0;
    for (int32_t c = celle; c < celle + laengde && c < maksCeller; ++c)
        straf += 3 - prioriteter[c];
    return straf;
}

// Adds (fortegn 1) or takes away (-1) the unit at its cell in every count.
void Skemamodel::Tael(int32_t e, int32_t fortegn)
{
    const Enhed& enhed = enheder_[e];
    const Maske maske = BlokMaske(enhed.celle, enhed.laengde);
    Ressource& hold = hold_[enhed.hold];
    Ressource* laerer = enhed.laerer >= 0 ? &laerere_[enhed.laerer] : nullptr;
    maal_.holdHuller -= Huller(hold.optaget);
    if (laerer != nullptr)
        maal_.laererHuller -= Huller(laerer->optaget);
    for (Ressource* r : {&hold, laerer, enhed.lokale >= 0 ? &lokaler_[enhed.lokale] : nullptr}) {
        if (r == nullptr)
            continue;
        r->optaget = fortegn > 0 ? r->optaget | maske : r->optaget & ~maske;
        if (enhed.fast)
            r->fast = fortegn > 0 ? r->fast | maske : r->fast & ~maske;
        for (int32_t c = enhed.celle; c < enhed.celle + enhed.laengde && c < maksCeller; ++c)
            r->ejer[c] = fortegn > 0 ? e : -1;
    }
    maal_.holdHuller += Huller(hold.optaget);
    if (laerer != nullptr) {
        maal_.laererHuller += Huller(laerer->optaget);
        maal_.straf += fortegn * Straf(enhed.laerer, enhed.celle, enhed.laengde);
    }
    fagDag_[enhed.holdFag][enhed.celle / maksTimer] += fortegn;
    // An hour outside the plan is still to be placed.
    if (enhed.krav >= 0 && IPlanen(enhed.celle, enhed.laengde)) {
        placeret_[enhed.krav] += fortegn * enhed.laengde;
        maal_.manglende -= fortegn * enhed.laengde;
    }
}

void Skemamodel::Saet(int32_t e, int32_t celle, int32_t lokale)
{
    enheder_[e].celle = celle;
    enheder_[e].lokale = lokale;
    Tael(e, 1);
}

void Skemamodel::Fjern(int32_t e)
{
    Tael(e, -1);
    enheder_[e].celle = -1;
}

void Skemamodel::Gendan(const std::vector<Enhed>& enheder)
{
    for (size_t e = 0; e < enheder_.size(); ++e)
        if (enheder_[e].celle >= 0)
            Fjern(static_cast<int32_t>(e));
    for (size_t e = 0; e < enheder.size(); ++e)
        if (enheder[e].celle >= 0)
            Saet(static_cast<int32_t>(e), enheder[e].celle, enheder[e].lokale);
}

std::vector<LektionsData> Skemamodel::Lektioner() const
{
    std::vector<LektionsData> lektioner;
    for (const Enhed& enhed : enheder_) {
        if (enhed.krav < 0) {
            lektioner.push_back(enhed.kilde);
            continue;
        }
        if (enhed.celle < 0)
            continue;
        const Timekrav& krav = billede_.krav[enhed.krav];
        const lektion l(krav.hold, krav.fag, krav.laerer, lokaleNavne_.navne[enhed.lokale], enhed.blokFelt);
        const Placering p = PlaceringAf(enhed.celle);
        for (int32_t i = 0; i < enhed.laengde; ++i)
            lektioner.emplace_back(l, p.kolonne, p.raekke + i);
    }
    return lektioner;
}
