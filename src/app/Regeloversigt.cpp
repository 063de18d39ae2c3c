#include "app/Regeloversigt.h"

#include "app/Vorivazi.h"

#include <algorithm>
#include <tuple>

namespace {

void TilfoejLektioner(Vorivazi& vorivazi, std::vector<planregler::Lektionstime>& timer)
{
    std::vector<LektionsData> lektioner = vorivazi.AlleLektioner();
    std::sort(lektioner.begin(), lektioner.end(), [](const LektionsData& a, const LektionsData& b) {
        return std::tie(a.hold, a.kolonne, a.raekke) < std::tie(b.hold, b.kolonne, b.raekke);
    });
    int32_t iBlok = 0;
    const LektionsData* forrige = nullptr;
    for (const LektionsData& l : lektioner) {
        const bool fortsaetter = forrige != nullptr && forrige->hold == l.hold && forrige->kolonne == l.kolonne &&
                                 forrige->raekke + 1 == l.raekke && forrige->fag == l.fag &&
                                 forrige->laerer == l.laerer && iBlok < l.blok;
        iBlok = fortsaetter ? iBlok + 1 : 1;
        forrige = &l;
        timer.push_back({{l.kolonne, l.raekke}, !fortsaetter, l.fag, "", {{l.hold, ""}}, {l.laerer}, {l.lokale}});
    }
}

void TilfoejAktiviteter(const Aktivitetsplan& plan, std::vector<planregler::Lektionstime>& timer)
{
    for (const Aktivitetslektion& l : plan.Lektioner()) {
        std::vector<planregler::Deltager> deltagere;
        for (const Deltager& d : l.aktivitet->deltagere)
            deltagere.push_back({d.hold, d.HeleHoldet() ? "" : d.gruppe});
        for (int32_t i = 0; i < l.blok->laengde; ++i)
            timer.push_back({{l.blok->start.kolonne, l.blok->start.raekke + i},
                             i == 0,
                             l.aktivitet->fag,
                             l.aktivitet->id,
                             deltagere,
                             l.aktivitet->laerere,
                             l.blok->lokaler});
    }
}

} // namespace

std::vector<planregler::Lektionstime> PlanensTimer(Vorivazi& vorivazi)
{
    std::vector<planregler::Lektionstime> timer;
    TilfoejLektioner(vorivazi, timer);
    TilfoejAktiviteter(vorivazi.Aktiviteter(), timer);
    return timer;
}

std::vector<Regelstatus> Regeloversigt(Vorivazi& vorivazi, const std::vector<planregler::Regel>& regler)
{
    const std::vector<planregler::Tilstand> tilstande = planregler::Vurder(regler, PlanensTimer(vorivazi));
    std::vector<Regelstatus> oversigt;
    for (size_t i = 0; i < regler.size(); ++i)
        oversigt.push_back({regler[i], tilstande[i]});
    return oversigt;
}
