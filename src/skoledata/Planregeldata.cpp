#include "skoledata/Planregeldata.h"

#include "skoledata/Skoledatabase.h"
#include "skoledata/Skoleregler.h"

#include <map>

namespace {

// "tom" stands for "anyone"; the rules module leaves such a field empty.
std::string Navn(const SqlVaerdi& vaerdi)
{
    std::string navn = SomTekst(vaerdi);
    return navn == skoleregler::tomMarkoer ? "" : navn;
}

int32_t Tal(const SqlVaerdi& vaerdi)
{
    const auto* tal = std::get_if<int32_t>(&vaerdi);
    return tal != nullptr ? *tal : 0;
}

} // namespace

std::vector<planregler::Regel> PlanensRegler(const Skoledata& data, const std::string& planId)
{
    std::map<int32_t, planregler::Regel> regler;
    for (const Raekke& r : data.Af("Planregel")) {
        const auto art = planregler::ArtNavngivet(SomTekst(r.at(2)));
        if (SomTekst(r.at(0)) != planId || !art)
            continue;
        planregler::Regel regel;
        regel.id = Tal(r.at(1));
        regel.art = *art;
        regel.laerer = Navn(r.at(3));
        regel.hold = Navn(r.at(4));
        regel.gruppe = Navn(r.at(5));
        regel.lokale = Navn(r.at(6));
        regel.lektioner = {regel.laerer, regel.hold, Navn(r.at(7)), Navn(r.at(8))};
        regel.graense = Tal(r.at(9));
        regel.vaegt = Tal(r.at(10));
        regler[regel.id] = regel;
    }
    for (const Raekke& r : data.Af("PlanregelTid")) {
        const auto regel = regler.find(Tal(r.at(1)));
        if (SomTekst(r.at(0)) == planId && regel != regler.end())
            regel->second.tider.push_back({Tal(r.at(2)), Tal(r.at(3))});
    }
    for (const Raekke& r : data.Af("PlanregelLektion")) {
        const auto regel = regler.find(Tal(r.at(1)));
        if (SomTekst(r.at(0)) == planId && regel != regler.end())
            regel->second.sammen.push_back({"", Navn(r.at(2)), Navn(r.at(3)), Navn(r.at(4))});
    }
    std::vector<planregler::Regel> ud;
    for (auto& [id, regel] : regler)
        ud.push_back(std::move(regel));
    return ud;
}

std::vector<planregler::Regel> LaesPlanensRegler(const std::string& planId)
{
    return PlanensRegler(Skoledatabase().Laes({"Planregel", "PlanregelTid", "PlanregelLektion"}), planId);
}
