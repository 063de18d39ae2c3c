#include "app/Oejebliksbillede.h"

#include "db/Portal.h"
#include "engine/KontrolListe.h"

namespace {

void LaesKrav(KontrolListe& kontrolListe, Skemabillede& billede)
{
    const Klyngeliste<data>& lektioner = kontrolListe.Liste(KontrolListe::laeggeListe);
    for (int32_t i = 0; i < lektioner.antal; ++i) {
        const data& l = lektioner.element[i];
        const data* fag = l.ben[KontrolListe::benFag];
        // Hours are counted as the planned total counts them.
        if (fag == nullptr || fag->heltal[0] == -1)
            continue;
        billede.krav.push_back(
            {l.tekst[0], l.tekst[1], l.tekst[2], l.tekst[3], l.tekst[4], l.heltal[0], fag->heltal[0]});
    }
}

void LaesLokaler(KontrolListe& kontrolListe, Skemabillede& billede)
{
    const Klyngeliste<data>& lokaler = kontrolListe.Liste(KontrolListe::lokaleListe);
    for (int32_t i = 0; i < lokaler.antal; ++i)
        billede.lokalerAfType[lokaler.element[i].tekst[1]].push_back(lokaler.element[i].tekst[0]);
}

void LaesLektioner(Portal& portal, Skemabillede& billede)
{
    stack<LektionsData> lektioner;
    portal.NulstilMarkoer(SkemaArt::hold);
    while (portal.HentNaesteLektioner(lektioner, SkemaArt::hold)) {
        while (lektioner.antal() > 0)
            billede.lektioner.push_back(lektioner.pop());
    }
}

void LaesPrioriteter(Portal& portal, Skemabillede& billede)
{
    stack<PLektionsData> prioriteter;
    std::string laerer;
    portal.NulstilMarkoer(SkemaArt::laerer);
    while (portal.HentNaestePrioriteter(prioriteter, laerer)) {
        auto& celler = billede.prioriteter[laerer];
        celler.fill(0);
        while (prioriteter.antal() > 0) {
            const PLektionsData p = prioriteter.pop();
            if (Uge{}.Indeholder({p.kolonne, p.raekke}))
                celler[p.kolonne * maksTimer + p.raekke] = p.prioritet;
        }
    }
}

} // namespace

Skemabillede TagOejebliksbillede(Portal& portal, KontrolListe& kontrolListe)
{
    Skemabillede billede;
    // The store falls back to the full week in the same way for dimensions it refuses.
    const Uge planens{portal.Kolonner(), portal.Raekker()};
    billede.uge = planens.Gyldig() ? planens : Uge{};
    LaesKrav(kontrolListe, billede);
    LaesLokaler(kontrolListe, billede);
    LaesLektioner(portal, billede);
    LaesPrioriteter(portal, billede);
    return billede;
}
