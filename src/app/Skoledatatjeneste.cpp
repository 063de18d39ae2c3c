#include "app/Skoledatatjeneste.h"

#include "app/Vorivazi.h"
#include "import/FetImport.h"
#include "skoledata/Skoledatabase.h"

Skoledatatjeneste::Skoledatatjeneste(Skrivebeskyttelse beskyttelse) : beskyttelse_(std::move(beskyttelse)) {}

Skoledatatjeneste Skoledatatjeneste::UdenBeskyttelse()
{
    return Skoledatatjeneste({[] { return false; }, ""});
}

Skoledata Skoledatatjeneste::Laes() const { return Skoledatabase().Laes(); }

std::vector<std::string> Skoledatatjeneste::PlanIder() const
{
    std::vector<std::string> ider;
    const Skoledata data = Laes();
    for (const Raekke& plan : data.Af("Plan"))
        ider.push_back(SomTekst(plan[0]));
    return ider;
}

std::string Skoledatatjeneste::Skrivefejl() const
{
    return beskyttelse_.slaaetTil() ? SkrivebeskyttetBesked(beskyttelse_.slaaFra) : "";
}

bool Skoledatatjeneste::MaaSkrive(std::vector<std::string>& fejl) const
{
    const std::string grund = Skrivefejl();
    fejl.clear();
    if (!grund.empty())
        fejl.push_back(grund);
    return grund.empty();
}

std::vector<std::string> Skoledatatjeneste::Kontroller(const Skoledata& foer, const Skoledata& efter) const
{
    return Skoledatabase().Kontroller(foer, efter);
}

bool Skoledatatjeneste::Gem(const Skoledata& foer, const Skoledata& efter, std::vector<std::string>& fejl) const
{
    return MaaSkrive(fejl) && Skoledatabase().Gem(foer, efter, fejl);
}

bool Skoledatatjeneste::KopierPlan(const std::string& fra, const std::string& til, bool medLektioner,
                                   std::vector<std::string>& fejl) const
{
    return MaaSkrive(fejl) && Skoledatabase().KopierPlan(fra, til, medLektioner, fejl);
}

bool Skoledatatjeneste::ImporterFet(const std::string& sti, const std::string& planId,
                                    std::vector<std::string>& rapport, std::vector<std::string>& fejl) const
{
    rapport.clear();
    return MaaSkrive(fejl) && fetImport::Importer(sti, planId, rapport, fejl);
}
