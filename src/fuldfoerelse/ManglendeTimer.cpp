#include "fuldfoerelse/ManglendeTimer.h"

#include <algorithm>
#include <map>

namespace {

// The class of a unit, as the planner names it.
const std::string& HoldNavn(const Skemamodel& model, int32_t e)
{
    for (const int32_t r : model.Enheder()[e].folk)
        if (model.ArtAf(r) == Skemamodel::Art::hold)
            return model.Navn(r);
    return model.Navn(model.Enheder()[e].folk.front());
}

// The detail a planner needs to act on an obstacle at a cell: the classes the
// teacher teaches then, the rooms taken and by which class, or who is closed.
std::string Detalje(const Skemamodel& model, int32_t e, int32_t celle, Hindring hindring)
{
    if (hindring == Hindring::lukket)
        return planregler::FoersteRegelhindring(model.Billede().planregler, model.RegelBlok(e),
                                                Skemamodel::PlaceringAf(celle))
            .hvem;
    const Skemamodel::Enhed& enhed = model.Enheder()[e];
    std::vector<std::string> navne;
    const auto tilfoej = [&navne](std::string navn) {
        if (std::find(navne.begin(), navne.end(), navn) == navne.end())
            navne.push_back(std::move(navn));
    };
    const int32_t dagensSlut = (celle / maksTimer + 1) * maksTimer;
    for (int32_t c = celle; c < std::min(celle + enhed.laengde, dagensSlut); ++c) {
        if (hindring == Hindring::laererOptaget) {
            for (const int32_t r : enhed.folk)
                if (const int32_t anden = model.Ejer(r, c);
                    model.ArtAf(r) == Skemamodel::Art::laerer && anden >= 0 && anden != e)
                    tilfoej(HoldNavn(model, anden));
        } else if (hindring == Hindring::intetLokale) {
            for (const auto& lokaler : model.Kravene()[enhed.krav].lokalevalg)
                for (const int32_t lokale : lokaler)
                    if (const int32_t anden = model.Ejer(lokale, c); anden >= 0 && anden != e)
                        tilfoej(model.Navn(lokale) + " (" + HoldNavn(model, anden) + ")");
        }
    }
    std::string detalje;
    for (const std::string& navn : navne)
        detalje += (detalje.empty() ? "" : ", ") + navn;
    return detalje;
}

std::vector<TimeAarsag> Aarsager(const Skemamodel& model, int32_t e)
{
    std::vector<TimeAarsag> aarsager;
    for (const int32_t celle : model.Startceller()) {
        if (!model.HoldLedigt(e, celle))
            continue;
        const Hindring hindring = model.FoersteHindring(e, celle);
        const Placering p = Skemamodel::PlaceringAf(celle);
        aarsager.push_back({p.kolonne, p.raekke, hindring, Detalje(model, e, celle, hindring)});
    }
    return aarsager;
}

// "lærer optaget 12, lærer utilgængelig 5, intet lokale 3"
std::string Optaelling(const std::vector<TimeAarsag>& aarsager)
{
    std::map<Hindring, int32_t> antal;
    for (const TimeAarsag& aarsag : aarsager)
        ++antal[aarsag.hindring];
    std::string tekst;
    for (const auto& [hindring, n] : antal)
        tekst += (tekst.empty() ? "" : ", ") + std::string(HindringsTekst(hindring)) + " " + std::to_string(n);
    return tekst;
}

} // namespace

std::string ManglendeKrav::Opsummering() const
{
    return aarsager.empty() ? "holdet har ingen ledig time" : Optaelling(aarsager);
}

std::string ManglendeAktivitetstimer::Opsummering() const
{
    return aarsager.empty() ? "deltagerne har ingen ledig time" : Optaelling(aarsager);
}

int32_t ManglendeTimer::Mangler() const
{
    int32_t mangler = 0;
    for (const ManglendeKrav& k : krav)
        mangler += k.mangler;
    for (const ManglendeAktivitetstimer& a : aktiviteter)
        mangler += a.mangler;
    return mangler;
}

ManglendeTimer FindManglendeTimer(const Skemabillede& billede)
{
    const Skemamodel model(billede);
    ManglendeTimer resultat;
    std::vector<bool> set(model.Kravene().size(), false);
    for (const int32_t e : model.Ledige()) {
        const int32_t k = model.Enheder()[e].krav;
        if (set[k])
            continue;
        set[k] = true;
        const int32_t placeret = model.Placeret(k);
        if (const Aktivitet* aktivitet = model.AktivitetAf(e)) {
            resultat.aktiviteter.push_back({*aktivitet, model.NoegleNavn(model.Kravene()[k].spredNoegle),
                                            model.Enheder()[e].laengde, placeret, aktivitet->timer - placeret,
                                            Aarsager(model, e)});
            continue;
        }
        // The block the planner drops next is the one the reasons are for.
        Timekrav krav = billede.krav[k];
        krav.blok = model.Enheder()[e].laengde;
        resultat.krav.push_back({krav, placeret, krav.timer - placeret, Aarsager(model, e)});
    }
    for (const LektionsData& l : billede.lektioner)
        if (!billede.uge.Indeholder({l.kolonne, l.raekke}))
            resultat.udenforPlanen.push_back(l);
    return resultat;
}
