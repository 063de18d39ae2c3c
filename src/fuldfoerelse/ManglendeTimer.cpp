#include "fuldfoerelse/ManglendeTimer.h"

#include <algorithm>
#include <map>

namespace {

// The detail a planner needs to act on an obstacle at a cell.
std::string Detalje(const Skemamodel& model, int32_t e, int32_t celle, Hindring hindring)
{
    const Skemamodel::Enhed& enhed = model.Enheder()[e];
    std::string detalje;
    const auto tilfoej = [&detalje](const std::string& navn) {
        if (detalje.find(navn) == std::string::npos)
            detalje += (detalje.empty() ? "" : ", ") + navn;
    };
    for (const Skemamodel::Enhed& anden : model.Enheder()) {
        if (anden.celle < 0 || anden.celle / maksTimer != celle / maksTimer)
            continue;
        const bool overlapper = anden.celle < celle + enhed.laengde && celle < anden.celle + anden.laengde;
        if (hindring == Hindring::laererOptaget && overlapper && anden.laerer == enhed.laerer)
            tilfoej(model.HoldNavn(anden.hold));
        else if (hindring == Hindring::intetLokale && overlapper && anden.lokale >= 0 &&
                 std::count(model.Lokaler(enhed.krav).begin(), model.Lokaler(enhed.krav).end(), anden.lokale) > 0)
            tilfoej(model.LokaleNavn(anden.lokale) + " (" + model.HoldNavn(anden.hold) + ")");
    }
    return detalje;
}

std::vector<TimeAarsag> Aarsager(const Skemamodel& model, int32_t e)
{
    const Skemamodel::Enhed& enhed = model.Enheder()[e];
    std::vector<TimeAarsag> aarsager;
    for (const int32_t celle : model.Startceller()) {
        if (!model.HoldLedigt(enhed.hold, celle))
            continue;
        const Hindring hindring = model.FoersteHindring(e, celle, -1);
        aarsager.push_back({celle / maksTimer, celle % maksTimer, hindring, Detalje(model, e, celle, hindring)});
    }
    return aarsager;
}

bool UdenforPlanen(const Skemabillede& billede, const LektionsData& l)
{
    return l.kolonne < 0 || l.kolonne >= billede.dage || l.raekke < 0 || l.raekke >= billede.timer;
}

} // namespace

const char* HindringsTekst(Hindring hindring)
{
    switch (hindring) {
    case Hindring::ingen:
        return "ledig";
    case Hindring::laererOptaget:
        return "lærer optaget";
    case Hindring::laererUtilgaengelig:
        return "lærer utilgængelig";
    case Hindring::intetLokale:
        return "intet lokale";
    case Hindring::efterSidsteTime:
        return "efter dagens sidste time";
    case Hindring::fagSammeDag:
        return "faget samme dag";
    case Hindring::holdOptaget:
        return "holdet optaget";
    case Hindring::ingenLaerer:
        return "ingen lærer";
    }
    return "";
}

std::string ManglendeKrav::Opsummering() const
{
    if (aarsager.empty())
        return "holdet har ingen ledig time";
    std::map<Hindring, int32_t> antal;
    for (const TimeAarsag& aarsag : aarsager)
        ++antal[aarsag.hindring];
    std::string tekst;
    for (const auto& [hindring, n] : antal)
        tekst += (tekst.empty() ? "" : ", ") + std::string(HindringsTekst(hindring)) + " " + std::to_string(n);
    return tekst;
}

int32_t ManglendeTimer::Mangler() const
{
    int32_t mangler = 0;
    for (const ManglendeKrav& k : krav)
        mangler += k.mangler;
    return mangler;
}

ManglendeTimer FindManglendeTimer(const Skemabillede& billede)
{
    const Skemamodel model(billede);
    ManglendeTimer resultat;
    std::vector<bool> set(billede.krav.size(), false);
    for (const int32_t e : model.Ledige()) {
        const int32_t k = model.Enheder()[e].krav;
        if (set[k])
            continue;
        set[k] = true;
        const int32_t placeret = model.Placeret(k);
        resultat.krav.push_back({billede.krav[k], placeret, billede.krav[k].timer - placeret, Aarsager(model, e)});
    }
    for (const LektionsData& l : billede.lektioner)
        if (UdenforPlanen(billede, l))
            resultat.udenforPlanen.push_back(l);
    return resultat;
}
