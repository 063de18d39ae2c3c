#include "analyse/AnalyseSkema.h"

#include "db/Portal.h"

#include <algorithm>

namespace {

constexpr int32_t kandidat = 4;
constexpr int32_t lagt = 5;
constexpr int32_t friIkkeKandidat = 6;
constexpr int32_t ugyldig = -1;

constexpr int32_t holdOptaget = 1;
constexpr int32_t laererOptaget = 2;
constexpr int32_t lokaleOptaget = 7;
constexpr int32_t alleOptaget = 10;

bool ErFri(int32_t kode) { return kode == kandidat || kode == friIkkeKandidat; }

} // namespace

AnalyseSkema::AnalyseSkema(Portal& portal_, std::string hold_, std::string fag_, std::string laerer_,
                           std::string lokale_, int32_t blok_, int32_t maal_, int32_t dage_, int32_t timer_)
    : dage(std::clamp(dage_, 0, maksDage)), timer(std::clamp(timer_, 0, maksTimer)), hold(std::move(hold_)),
      laerer(std::move(laerer_)), lokale(std::move(lokale_)), fag(std::move(fag_)), blok(blok_), maal(maal_),
      portal(portal_)
{
    for (auto& dag : kode)
        std::fill(std::begin(dag), std::end(dag), kandidat);

    const auto saetRaekke = [this](int32_t blokKode, std::initializer_list<int32_t> maalKoder) {
        int32_t* raekke = flettetabel[blokKode - 1];
        raekke[0] = static_cast<int32_t>(maalKoder.size()) + 1;
        std::copy(maalKoder.begin(), maalKoder.end(), raekke + 1);
    };
    saetRaekke(1, {2, 7, 9});
    saetRaekke(2, {1, 7, 8});
    saetRaekke(3, {7});
    saetRaekke(7, {1, 2});
    saetRaekke(8, {2});
    saetRaekke(9, {1});
    saetRaekke(10, {});
}

std::unique_ptr<AnalyseSkema> AnalyseSkema::DobbeltKopi()
{
    std::unique_ptr<AnalyseSkema> kopi(new AnalyseSkema(*this));
    kopi->fundne = 0;
    kopi->kilde = nullptr;
    kopi->MarkerUgyldige(*this);
    return kopi;
}

// ---- map helpers ----

bool AnalyseSkema::Brugt(int32_t k, int32_t r) const { return k >= 0 && k < dage && r >= 0 && r < timer; }

bool AnalyseSkema::DagHar(int32_t k, int32_t soeg) const
{
    int32_t r = 0;
    return FindIRaekke(soeg, k, r);
}

int32_t AnalyseSkema::TaelKode(int32_t soeg) const
{
    int32_t antal = 0;
    for (int32_t k = 0; k < dage; ++k)
        for (int32_t r = 0; r < timer; ++r)
            if (kode[k][r] == soeg)
                ++antal;
    return antal;
}

bool AnalyseSkema::FindNaeste(int32_t soeg, int32_t& k, int32_t& r) const
{
    if (soeg < 0 || soeg > alleOptaget)
        return false;
    int32_t kol = k;
    int32_t rk = r > timer ? 0 : r;
    if (rk == timer) {
        ++kol;
        rk = 0;
    }
    if (!Brugt(kol, rk))
        return false;
    for (; kol < dage; ++kol, rk = 0)
        for (; rk < timer; ++rk)
            if (kode[kol][rk] == soeg) {
                k = kol;
                r = rk;
                return true;
            }
    return false;
}

bool AnalyseSkema::FindIRaekke(int32_t soeg, int32_t k, int32_t& r) const
{
    if (r < 0 || r >= timer)
        r = 0;
    if (k >= 0 && k < dage)
        for (; r < timer; ++r)
            if (kode[k][r] == soeg)
                return true;
    r = 0;
    return false;
}

void AnalyseSkema::ErstatIRaekke(int32_t fra, int32_t til, int32_t k, int32_t startRaekke)
{
    if (k < 0 || k >= dage)
        return;
    for (int32_t r = std::max(startRaekke, 0); r < timer; ++r)
        if (kode[k][r] == fra)
            kode[k][r] = til;
}

void AnalyseSkema::Spejl(int32_t ny, int32_t k, int32_t r)
{
    if (kilde == nullptr)
        return;
    for (int32_t i = 0; i < 2; ++i)
        if (kilde->Brugt(k, r + i))
            kilde->kode[k][r + i] = ny;
}

void AnalyseSkema::SaetKode(int32_t k, int32_t r, int32_t ny)
{
    kode[k][r] = ny;
    if (fase == 2)
        Spejl(ny, k, r);
}

// ---- building the map ----

bool AnalyseSkema::LaererOptaget(int32_t k, int32_t r)
{
    // An hour where the teacher cannot teach counts as taken.
    return !portal.ErLedig(laerer, SkemaArt::laerer, k, r) || portal.ErSpaerret(laerer, k, r);
}

void AnalyseSkema::ByggKort(bool medLokale)
{
    for (int32_t k = 0; k < dage; ++k)
        for (int32_t r = 0; r < timer; ++r) {
            // Look-up order class, teacher, room: the first look-up of an
            // unsorted list draws from the shared sequence.
            const bool holdTaget = !portal.ErLedig(hold, SkemaArt::hold, k, r);
            const bool laererTaget = LaererOptaget(k, r);
            const bool lokaleTaget = medLokale && !portal.ErLedig(lokale, SkemaArt::lokale, k, r);
            const int32_t sum = (holdTaget ? holdOptaget : 0) + (laererTaget ? laererOptaget : 0) +
                                (lokaleTaget ? lokaleOptaget : 0);
            if (sum != 0)
                kode[k][r] = sum;
        }
}

void AnalyseSkema::ByggKort2()
{
    ByggKort(false);
    fase = 0;
}

void AnalyseSkema::ByggKort3()
{
    ByggKort(true);
    fase = 1;
}

void AnalyseSkema::MarkerFag(int32_t soeg)
{
    for (int32_t k = 0; k < dage; ++k)
        for (int32_t r = 0; r < timer; ++r)
            if (kode[k][r] == soeg && portal.HarFag(hold, fag, k, r)) {
                kode[k][r] = lagt;
                ++fundne;
            }
}

void AnalyseSkema::MarkerEksisterende()
{
    const int32_t klasseOgLaerer = holdOptaget + laererOptaget;
    MarkerFag(fase == 0 ? klasseOgLaerer : alleOptaget);
    if (fase == 1)
        MarkerFag(klasseOgLaerer);
}

void AnalyseSkema::SpaerDageMedFag()
{
    for (int32_t k = 0; k < dage; ++k)
        if (DagHar(k, lagt))
            ErstatIRaekke(kandidat, friIkkeKandidat, k, 0);
}

void AnalyseSkema::VaelgEnkeltPladser()
{
    for (int32_t k = 0; k < dage; ++k) {
        int32_t r = 0;
        if (FindIRaekke(kandidat, k, r))
            ErstatIRaekke(kandidat, friIkkeKandidat, k, r + 1);
    }
}

void AnalyseSkema::VaelgDobbeltPladser()
{
    for (int32_t k = 0; k < dage; ++k)
        for (int32_t r = 0; r < timer && FindIRaekke(kandidat, k, r); ++r) {
            if (r + 1 < timer && kode[k][r + 1] == kandidat) {
                ErstatIRaekke(kandidat, friIkkeKandidat, k, r + 2);
                break;
            }
            kode[k][r] = friIkkeKandidat;
        }
}

// ---- the double-lesson copy ----

bool AnalyseSkema::ErGyldigDobbeltBlok(const AnalyseSkema& kildeKort, int32_t k, int32_t r)
{
    const int32_t c = kildeKort.kode[k][r];
    if (c == lagt)
        return true;
    if (r >= timer - 1 || kildeKort.kode[k][r + 1] != c)
        return false;
    if (ErFri(c))
        return true;
    const SkemaSaet saet = Skemaer(c);
    if (saet.antal == 0)
        return false;
    for (int32_t i = 0; i < saet.antal; ++i)
        if (!portal.ErDobbeltLektion(*saet.skemaer[i].id, saet.skemaer[i].art, k, r))
            return false;
    return true;
}

void AnalyseSkema::MarkerUgyldige(AnalyseSkema& kildeKort)
{
    kilde = &kildeKort;
    for (int32_t k = 0; k < dage; ++k)
        for (int32_t r = 0; r < timer; ++r)
            if (!ErGyldigDobbeltBlok(kildeKort, k, r))
                kode[k][r] = ugyldig;
    fase = 2;
}

// ---- placing ----

bool AnalyseSkema::Optaget(const std::string& id, SkemaArt art, int32_t k, int32_t r)
{
    // A timetable that does not exist counts as free: SaetLektion will refuse
    // the hour, which is still counted.
    return !portal.ErLedig(id, art, k, r) && portal.AntalLektioner(id, art) > 0;
}

bool AnalyseSkema::KanLaegges(int32_t k, int32_t r)
{
    // After a move of a double lesson only its first hour's code changes, so
    // a candidate may stand over a taken hour: ask the timetables.
    if (r + blok > timer)
        return false;
    for (int32_t i = 0; i < blok; ++i)
        if (Optaget(hold, SkemaArt::hold, k, r + i) || Optaget(laerer, SkemaArt::laerer, k, r + i) ||
            portal.ErSpaerret(laerer, k, r + i) || Optaget(lokale, SkemaArt::lokale, k, r + i))
            return false;
    return true;
}

bool AnalyseSkema::LaegLektioner(int32_t& antalLagt)
{
    for (int32_t r = 0; r < timer; ++r)
        for (int32_t k = 0; k < dage; ++k) {
            if (placeret > maal - blok)
                return false;
            if (kode[k][r] != kandidat || !KanLaegges(k, r))
                continue;
            placeret += blok;
            // Hours placed through the copy belong to the demand as well.
            if (kilde != nullptr)
                kilde->placeret += blok;
            for (int32_t i = 0; i < blok; ++i) {
                portal.SaetLektion(hold, fag, laerer, lokale, blok, k, r + i);
                ++antalLagt;
            }
            if (fase == 2)
                SaetKode(k, r, lagt);
            else
                for (int32_t i = 0; i < blok; ++i)
                    kode[k][r + i] = lagt;
            if (placeret == maal)
                return true;
        }
    return false;
}

// ---- moving blocks ----

AnalyseSkema::SkemaSaet AnalyseSkema::Skemaer(int32_t blokKode) const
{
    const SkemaRef h{&hold, SkemaArt::hold};
    const SkemaRef l{&laerer, SkemaArt::laerer};
    const SkemaRef lo{&lokale, SkemaArt::lokale};
    switch (blokKode) {
    case 1:
        return {{h}, 1};
    case 2:
        return {{l}, 1};
    case 3:
        return {{h, l}, 2};
    case 7:
        return {{lo}, 1};
    case 8:
        return {{h, lo}, 2};
    case 9:
        return {{lo, l}, 2};
    case 10:
        return {{h, l, lo}, 3};
    default:
        return {};
    }
}

bool AnalyseSkema::FlytBlok(int32_t blokKode, Placering fra, Placering til)
{
    if (blokKode == lagt) {
        // Only while the class and teacher map is in use may the demand's own
        // hours move, in the class timetable.
        if (fase != 0)
            return false;
        blokKode = holdOptaget;
    }
    const SkemaSaet saet = Skemaer(blokKode);
    if (saet.antal == 1)
        return portal.FlytLektion(*saet.skemaer[0].id, blok, saet.skemaer[0].art, fra, til);
    if (saet.antal == 0)
        return false;
    // A block of several timetables moves only when every part of it can.
    for (int32_t i = 0; i < saet.antal; ++i)
        if (!portal.ProevFlytLektion(*saet.skemaer[i].id, blok, saet.skemaer[i].art, fra, til))
            return false;
    for (int32_t i = 0; i < saet.antal; ++i)
        portal.TvingFlyt(*saet.skemaer[i].id, saet.skemaer[i].art, fra, til);
    return true;
}

bool AnalyseSkema::KanFlettes(int32_t blokKode, int32_t maalKode, bool ogsaaSeks) const
{
    if (blokKode < 1 || blokKode > 11)
        return false;
    const int32_t* raekke = flettetabel[blokKode - 1];
    const int32_t n = std::min(raekke[0], 4);
    if (n <= 1)
        return false;
    if (ogsaaSeks && maalKode == friIkkeKandidat)
        return true;
    return std::find(raekke + 1, raekke + n, maalKode) != raekke + n;
}

bool AnalyseSkema::FletBlok(int32_t blokKode, Placering fra, Placering til, bool ogsaaSeks)
{
    const int32_t maalKode = kode[til.kolonne][til.raekke];
    if (!KanFlettes(blokKode, maalKode, ogsaaSeks) || !FlytBlok(blokKode, fra, til))
        return false;
    SaetKode(fra.kolonne, fra.raekke, kandidat);
    SaetKode(til.kolonne, til.raekke, maalKode == friIkkeKandidat ? blokKode : maalKode + blokKode);
    return true;
}

bool AnalyseSkema::FlytTilFri(int32_t blokKode, Placering fra, Placering til)
{
    if (kode[til.kolonne][til.raekke] != kandidat || !FlytBlok(blokKode, fra, til))
        return false;
    SaetKode(fra.kolonne, fra.raekke, kandidat);
    SaetKode(til.kolonne, til.raekke, blokKode);
    besked.Log("bytter");
    return true;
}

// ---- pressing blocks towards the start of the day ----

std::span<const int32_t> AnalyseSkema::Koderaekke() const
{
    // The class and teacher map knows no room codes.
    return std::span<const int32_t>(koderaekkefoelge).subspan(fase == 0 ? 4 : 0);
}

void AnalyseSkema::PresOp()
{
    besked.Log("presser op");
    if (fase < 2)
        FlytFemFeltOp();
    for (const int32_t c : Koderaekke())
        Pres(PresArt::Flet, c);
    for (const int32_t c : Koderaekke())
        Pres(PresArt::Flyt, c);
}

void AnalyseSkema::FlytFemFeltOp()
{
    for (int32_t k = 0; k < dage; ++k) {
        int32_t r5 = 0;
        if (!FindIRaekke(lagt, k, r5))
            continue;
        // An odd single hour inside a run of double lessons moves on its own.
        const bool enkeltTime = blok == 2 && r5 > 0 && r5 < timer - 1 && kode[k][r5 - 1] != lagt &&
                                kode[k][r5 + 1] != lagt;
        for (int32_t t = 0; t < r5; ++t) {
            const int32_t egenBlok = blok;
            if (enkeltTime)
                blok = 1;
            const bool flyttet = ErFri(kode[k][t]) && FlytBlok(lagt, {k, r5}, {k, t});
            blok = egenBlok;
            if (flyttet) {
                SaetKode(k, r5, kandidat);
                SaetKode(k, t, lagt);
                besked.Log("Flytter 5 felt op");
                break;
            }
        }
    }
}

bool AnalyseSkema::PresBlok(PresArt art, int32_t blokKode, Placering fra)
{
    for (int32_t t = 0; t < fra.raekke; ++t)
        for (int32_t k = 0; k < dage; ++k) {
            const Placering til{k, t};
            if (art == PresArt::Flet ? FletBlok(blokKode, fra, til, true) : FlytTilFri(blokKode, fra, til))
                return true;
        }
    return false;
}

void AnalyseSkema::Pres(PresArt art, int32_t blokKode)
{
    for (int32_t r = timer - 1; r >= 1; --r)
        for (int32_t k = 0; k < dage; ++k)
            if (kode[k][r] == blokKode)
                PresBlok(art, blokKode, {k, r});
}

// ---- freeing single hours and pairs ----

bool AnalyseSkema::Flet(int32_t blokKode, int32_t k, int32_t r)
{
    for (int32_t t = 0; t < timer; ++t)
        for (int32_t kt = 0; kt < dage; ++kt)
            if (FletBlok(blokKode, {k, r}, {kt, t}, false))
                return true;
    return false;
}

bool AnalyseSkema::FlytTilSeks(int32_t blokKode, int32_t k, int32_t r, int32_t udeladtKolonne, int32_t udeladtRaekke)
{
    int32_t kt = 0;
    for (int32_t t = 0; FindNaeste(friIkkeKandidat, kt, t); ++t) {
        if (kt == udeladtKolonne || t == udeladtRaekke || !FlytBlok(blokKode, {k, r}, {kt, t}))
            continue;
        SaetKode(k, r, kandidat);
        SaetKode(kt, t, blokKode);
        return true;
    }
    return false;
}

bool AnalyseSkema::FrigoerFelt(int32_t k, int32_t r)
{
    if (!Brugt(k, r))
        return false;
    const int32_t c = kode[k][r];
    if (c == kandidat || c == lagt || c == friIkkeKandidat || placeret > maal - blok)
        return false;
    return FlytTilSeks(c, k, r, -1, -1) || Flet(c, k, r);
}

bool AnalyseSkema::FrigoerFoersteFelt(int32_t blokKode, int32_t k)
{
    for (int32_t r = 0; r < timer && FindIRaekke(blokKode, k, r); ++r)
        if (FrigoerFelt(k, r))
            return true;
    return false;
}

bool AnalyseSkema::SkabFrieLektioner()
{
    besked.Log("skaber frie lektioner");
    bool kandidatDag[maksDage] = {};
    for (int32_t k = 0; k < dage; ++k)
        kandidatDag[k] = !DagHar(k, lagt);
    int32_t antal = placeret;
    for (const int32_t c : Koderaekke()) {
        if (antal > maal - blok)
            break;
        for (int32_t k = 0; k < dage; ++k) {
            if (!kandidatDag[k] || !FrigoerFoersteFelt(c, k))
                continue;
            besked.Log("danner fri lektion i");
            antal += blok;
            kandidatDag[k] = false;
            if (antal == maal)
                return true;
        }
    }
    return false;
}

bool AnalyseSkema::FlytNabo(int32_t k, int32_t nabo, int32_t seksRaekke)
{
    const int32_t c = kode[k][nabo];
    return Flet(c, k, nabo) || FlytTilSeks(c, k, nabo, k, seksRaekke);
}

bool AnalyseSkema::SkabFrieDobbeltLektioner()
{
    besked.Log("skaber frie DobbeltLektioner:");
    int32_t antal = placeret;
    for (int32_t k = 0; k < dage && antal <= maal - 2; ++k) {
        if (DagHar(k, lagt) || DagHar(k, kandidat))
            continue;
        int32_t r = 0;
        if (!FindIRaekke(friIkkeKandidat, k, r))
            continue;
        // A lone free hour: freeing a neighbour makes a pair.
        const bool friFoer = r > 0 && ErFri(kode[k][r - 1]);
        const bool friEfter = r + 1 < timer && ErFri(kode[k][r + 1]);
        if (friFoer || friEfter)
            continue;
        bool flyttet = r - 1 >= 0 && FlytNabo(k, r - 1, r);
        if (!flyttet && r + 1 < timer)
            flyttet = FlytNabo(k, r + 1, r);
        if (!flyttet)
            continue;
        besked.Log("danner dobbelt lektion i");
        SaetKode(k, r, kandidat);
        antal += 2;
        if (antal == maal)
            return true;
    }
    return false;
}
