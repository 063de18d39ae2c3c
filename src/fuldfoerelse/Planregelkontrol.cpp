#include "fuldfoerelse/Planregelkontrol.h"

#include "base/Opremsning.h"
#include "regler/Tidsregler.h"

#include <bit>
#include <map>
#include <set>
#include <utility>

namespace {

int32_t Antal(const Dagsmasker& timer)
{
    int32_t antal = 0;
    for (const uint32_t dag : timer)
        antal += std::popcount(dag);
    return antal;
}

// The hours of the week breaks, closed hours and time slots leave every
// lesson of a class. A start time limits where blocks begin, not the hours
// they fill, so it does not count here.
int32_t AabneTimer(const Skemabillede& b, const std::string& hold)
{
    std::vector<planregler::Regel> regler;
    for (const planregler::Regel& r : b.planregler) {
        if (r.art != planregler::Art::starttid)
            regler.push_back(r);
    }
    return Antal(planregler::StarterEfterRegler(regler, {"", "", {{hold, ""}}, {}, {}, 1}, b.uge));
}

std::vector<Fund> HoldUdenTimer(const Skemabillede& b)
{
    std::map<std::string, int32_t> timer;
    for (const Timekrav& k : b.krav)
        timer[k.hold] += k.timer;
    std::vector<Fund> fund;
    for (const auto& [hold, antal] : timer) {
        if (const int32_t aabne = AabneTimer(b, hold); antal > aabne)
            fund.push_back({Fundart::holdTimer,
                            true,
                            {hold},
                            hold + " har " + std::to_string(antal) + " timer om ugen, men pauser og lukkede timer " +
                                "lader kun " + std::to_string(aabne) + " af ugens timer åbne for holdet."});
    }
    return fund;
}

std::vector<std::string> Lokaler(const Skemabillede& b, const Timekrav& k)
{
    if (k.IStamlokale())
        return {k.lokale};
    const auto typen = b.lokalerAfType.find(k.lokaletype);
    return typen == b.lokalerAfType.end() ? std::vector<std::string>{} : typen->second;
}

// A single hour of the demand, the weakest it can be laid as.
planregler::Blok EnTime(const Skemabillede& b, const Timekrav& k)
{
    return {k.fag, "", {{k.hold, ""}}, {k.laerer}, {Lokaler(b, k)}, 1};
}

// Every reason the rules give over the week, once each.
std::string Grunde(const Skemabillede& b, const planregler::Blok& blok)
{
    std::set<std::string> grunde;
    for (int32_t dag = 0; dag < b.uge.dage; ++dag) {
        for (int32_t time = 0; time < b.uge.timer; ++time)
            grunde.insert(planregler::Tekst(planregler::FoersteRegelhindring(b.planregler, blok, {dag, time})));
    }
    return Opremsning(grunde, ", ");
}

std::vector<Fund> LektionerUdenTid(const Skemabillede& b)
{
    std::vector<Fund> fund;
    for (const Timekrav& k : b.krav) {
        const planregler::Blok blok = EnTime(b, k);
        if (k.timer > 0 && Antal(planregler::StarterEfterRegler(b.planregler, blok, b.uge)) == 0)
            fund.push_back({Fundart::blokUdenDag,
                            true,
                            {k.hold, k.fag},
                            k.hold + " " + k.fag + " kan ikke ligge i nogen time af ugen efter planens regler (" +
                                Grunde(b, blok) + ")."});
    }
    return fund;
}

} // namespace

std::vector<Fund> KontrollerPlanregler(const Skemabillede& billede)
{
    if (billede.planregler.empty())
        return {};
    std::vector<Fund> fund = HoldUdenTimer(billede);
    for (Fund& f : LektionerUdenTid(billede))
        fund.push_back(std::move(f));
    return fund;
}
