#include "app/Skemavisning.h"

#include "base/Opremsning.h"

#include <algorithm>
#include <set>
#include <utility>

std::vector<std::string> CelleLinjer(SkemaArt art, const std::string& hold, const std::string& fag,
                                     const std::string& laerer, const std::string& lokale)
{
    if (art == SkemaArt::hold)
        return {fag, laerer, lokale};
    if (art == SkemaArt::laerer)
        return {hold, fag, lokale};
    return {hold, fag, laerer};
}

std::string CelleTekst(SkemaArt art, const std::string& hold, const std::string& fag, const std::string& laerer,
                       const std::string& lokale)
{
    const std::vector<std::string> linjer = CelleLinjer(art, hold, fag, laerer, lokale);
    return linjer[0] + " " + linjer[1] + " " + linjer[2];
}

Aktivitetsangivelse Angivelse(const Aktivitet& aktivitet)
{
    std::vector<std::string> deltagere;
    for (const Deltager& d : aktivitet.deltagere)
        deltagere.push_back(DeltagerNavn(d));
    std::vector<std::string> behov;
    for (const Lokalebehov& b : aktivitet.behov) {
        std::string rum;
        for (const std::string& lokale : b.lokaler)
            rum += (rum.empty() ? "" : "/") + lokale;
        behov.push_back(rum);
    }
    return {Opremsning(deltagere), Opremsning(aktivitet.laerere), Opremsning(behov)};
}

namespace {

// Lessons in a home room that none of its classes' demands asks for there (a
// class's former home room, say): they are planned where they stand, so that
// planned and placed hours count the same lessons.
int32_t FremmedeTimer(const Skemabillede& billede, const std::string& lokale)
{
    std::set<std::pair<std::string, std::string>> egne;
    for (const Timekrav& krav : billede.krav) {
        if (krav.IStamlokale() && krav.lokale == lokale)
            egne.insert({krav.hold, krav.fag});
    }
    return static_cast<int32_t>(
        std::count_if(billede.lektioner.begin(), billede.lektioner.end(), [&](const LektionsData& l) {
            return l.lokale == lokale && !egne.contains({l.hold, l.fag});
        }));
}

int32_t PlanlagteLokaletimer(const Skemabillede& billede, const std::string& lokale, int32_t lister)
{
    const auto type = std::find_if(billede.lokalerAfType.begin(), billede.lokalerAfType.end(), [&](const auto& t) {
        return std::find(t.second.begin(), t.second.end(), lokale) != t.second.end();
    });
    if (type == billede.lokalerAfType.end())
        return lister;
    const std::vector<std::string>& rum = type->second;
    int32_t stamtimer = 0;
    int32_t oensket = 0;
    for (const Timekrav& krav : billede.krav) {
        stamtimer += krav.IStamlokale() && krav.lokale == lokale ? krav.timer : 0;
        oensket += krav.lokaletype == type->first ? krav.timer : 0;
    }
    if (type->first == stamlokaleType)
        return stamtimer + FremmedeTimer(billede, lokale);
    int32_t iTypen = 0;
    int32_t iRummet = 0;
    for (const LektionsData& l : billede.lektioner) {
        iRummet += l.lokale == lokale ? 1 : 0;
        iTypen += std::find(rum.begin(), rum.end(), l.lokale) != rum.end() ? 1 : 0;
    }
    const auto antalRum = static_cast<int32_t>(rum.size());
    const int32_t mangler = std::max(0, oensket - iTypen);
    return iRummet + (mangler + antalRum - 1) / antalRum;
}

} // namespace

int32_t PlanlagteTimer(const Skemabillede& billede, SkemaArt art, const std::string& id, int32_t lister)
{
    if (billede.krav.empty() || art == SkemaArt::hold)
        return lister;
    if (art == SkemaArt::lokale)
        return PlanlagteLokaletimer(billede, id, lister);
    int32_t timer = 0;
    for (const Timekrav& krav : billede.krav)
        timer += krav.laerer == id ? krav.timer : 0;
    return timer;
}

double LagtProcent(int32_t planlagt, int32_t lagt) { return planlagt > 0 ? 100.0 * lagt / planlagt : 0.0; }

std::string Forkortet(const std::string& tekst, size_t tegn)
{
    size_t talt = 0;
    for (size_t i = 0; i < tekst.size(); ++i) {
        // A byte that does not continue a character starts the next one.
        if ((static_cast<unsigned char>(tekst[i]) & 0xC0) != 0x80 && talt++ == tegn)
            return tekst.substr(0, i);
    }
    return tekst;
}
