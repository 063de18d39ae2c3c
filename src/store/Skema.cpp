#include "store/Skema.h"

#include "store/SListe.h"

bool skema::IGitter(int32_t k, int32_t r) { return Uge{}.Indeholder({k, r}); }

const lektion* skema::Celle(int32_t k, int32_t r) const { return IGitter(k, r) ? celle_[k][r].get() : nullptr; }

void skema::SaetCelle(int32_t k, int32_t r, LektionsReference l)
{
    if (IGitter(k, r))
        celle_[k][r] = std::move(l);
}

bool skema::KopierLektion(int32_t k, int32_t r, lektion& ud) const
{
    const lektion* l = Celle(k, r);
    if (l == nullptr)
        return false;
    ud = *l;
    return true;
}

bool skema::ErTom(int32_t k, int32_t r) const { return IGitter(k, r) && Celle(k, r) == nullptr; }

void skema::Fjern(int32_t k, int32_t r) { SaetCelle(k, r, nullptr); }

void skema::Ombyt(int32_t k1, int32_t r1, int32_t k2, int32_t r2)
{
    if (IGitter(k1, r1) && IGitter(k2, r2))
        std::swap(celle_[k1][r1], celle_[k2][r2]);
}

void skema::Flyt(int32_t k1, int32_t r1, int32_t k2, int32_t r2)
{
    // A cell moved onto itself keeps its lesson.
    if (!IGitter(k1, r1) || !IGitter(k2, r2) || (k1 == k2 && r1 == r2))
        return;
    celle_[k2][r2] = std::move(celle_[k1][r1]);
}

int32_t skema::AntalLektioner() const
{
    int32_t antal = 0;
    for (const auto& dag : celle_)
        for (const auto& l : dag)
            antal += l != nullptr;
    return antal;
}

bool skema::HarFag(const std::string& fag, int32_t k, int32_t r) const
{
    const lektion* l = Celle(k, r);
    return l != nullptr && l->fag == fag;
}

int32_t skema::AntalFag(const std::string& fag) const
{
    int32_t antal = 0;
    for (const auto& dag : celle_)
        for (const auto& l : dag)
            antal += l != nullptr && l->fag == fag;
    return antal;
}

bool skema::FagPaaDag(const lektion& l, int32_t k, int32_t& r) const
{
    for (int32_t i = 0; i < maksTimer; ++i) {
        if (HarFag(l.fag, k, i)) {
            r = i;
            return true;
        }
    }
    return false;
}

bool skema::ErDobbeltLektion(int32_t k, int32_t r) const
{
    const lektion* foerste = Celle(k, r);
    if (foerste == nullptr)
        return false;
    const lektion* anden = Celle(k, r + 1);
    return anden != nullptr && foerste->blok == 2 && anden->blok == 2 && foerste->fag == anden->fag;
}

bool skema::Matcher(const lektion& l, int32_t k, int32_t r) const
{
    const lektion* i = Celle(k, r);
    return i != nullptr && *i == l;
}

bool skema::SamlLektioner(stack<LektionsData>& lektioner) const
{
    bool fundet = false;
    for (int32_t k = maksDage - 1; k >= 0; --k) {
        for (int32_t r = maksTimer - 1; r >= 0; --r) {
            if (const lektion* l = celle_[k][r].get()) {
                lektioner.push(LektionsData(*l, k, r));
                fundet = true;
            }
        }
    }
    return fundet;
}

void skema::TomAlle()
{
    for (auto& dag : celle_)
        dag.fill(nullptr);
}

int32_t skema::SidsteOptagneRaekke(int32_t k) const
{
    for (int32_t r = maksTimer - 1; r >= 0; --r)
        if (Celle(k, r) != nullptr)
            return r;
    return -1;
}

int32_t skema::Mellemtimer() const
{
    int32_t mellemtimer = 0;
    for (int32_t k = 0; k < maksDage; ++k) {
        int32_t foerste = -1;
        int32_t optagne = 0;
        for (int32_t r = 0; r < maksTimer; ++r) {
            if (celle_[k][r] != nullptr) {
                if (foerste < 0)
                    foerste = r;
                ++optagne;
            }
        }
        if (foerste >= 0)
            mellemtimer += SidsteOptagneRaekke(k) - foerste + 1 - optagne;
    }
    return mellemtimer;
}

double skema::Spredning() const
{
    SListe dagslaengder;
    for (int32_t k = 0; k < maksDage; ++k) {
        const int32_t sidste = SidsteOptagneRaekke(k);
        if (sidste >= 0)
            dagslaengder.Tilfoej(sidste);
    }
    return dagslaengder.Variationskoefficient();
}

void Placer(const lektion& l, hold_skema& hold, laerer_skema& laerer, lokale_skema& lokale, int32_t k, int32_t r)
{
    if (!skema::IGitter(k, r))
        return;
    auto ny = std::make_shared<const lektion>(l);
    hold.SaetCelle(k, r, ny);
    laerer.SaetCelle(k, r, ny);
    lokale.SaetCelle(k, r, std::move(ny));
}

bool laerer_skema::SaetPrioritet(int32_t vaerdi, int32_t k, int32_t r)
{
    if (vaerdi <= -4 || vaerdi >= 4 || !IGitter(k, r))
        return false;
    prioritet_[k][r] = vaerdi;
    return true;
}

int32_t laerer_skema::Prioritet(int32_t k, int32_t r) const { return IGitter(k, r) ? prioritet_[k][r] : 0; }

int32_t laerer_skema::AntalSpaerringer() const
{
    int32_t antal = 0;
    for (const auto& dag : prioritet_)
        for (const int32_t p : dag)
            antal += p == utilgaengelig;
    return antal;
}

void laerer_skema::SamlPrioriteter(stack<PLektionsData>& prioriteter) const
{
    for (int32_t k = 0; k < maksDage; ++k)
        for (int32_t r = 0; r < maksTimer; ++r)
            if (prioritet_[k][r] != 0)
                prioriteter.push(PLektionsData{prioritet_[k][r], k, r});
}
