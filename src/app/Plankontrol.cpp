#include "app/Plankontrol.h"

#include "db/SqlKlasse.h"
#include "engine/KontrolListe.h"

#include <map>
#include <set>
#include <tuple>

namespace {

bool Aabn(SqlKlasse& sql, const KontrolListe::Forespoergsel& forespoergsel)
{
    return sql.Forespoerg(forespoergsel.tekst, forespoergsel.parametre);
}

// A subject without a row here is left out of the lessons, as the generation leaves it out.
std::map<std::string, int32_t> FagetsTimer(SqlKlasse& sql, const KontrolListe& kontrolListe)
{
    std::map<std::string, int32_t> timer;
    for (bool raekke = Aabn(sql, kontrolListe.ListeForespoergsel(KontrolListe::fagListe)); raekke;
         raekke = sql.Naeste()) {
        std::string fag;
        int32_t t = 0;
        if (sql.HentTekst("FagID", fag) && sql.HentTal("Timer", t))
            timer.emplace(fag, t);
    }
    return timer;
}

void LaesLokaler(SqlKlasse& sql, const KontrolListe& kontrolListe, Skemabillede& billede)
{
    for (bool raekke = Aabn(sql, kontrolListe.ListeForespoergsel(KontrolListe::lokaleListe)); raekke;
         raekke = sql.Naeste()) {
        std::string lokale;
        std::string type;
        if (sql.HentTekst("LokaleID", lokale) && sql.HentTekst("LokaleType", type))
            billede.lokalerAfType[type].push_back(lokale);
    }
}

// The rows of the lesson list as the generation reads them before it completes home rooms and teachers.
void LaesKrav(SqlKlasse& sql, const KontrolListe& kontrolListe, Skemabillede& billede)
{
    const std::map<std::string, int32_t> fagetsTimer = FagetsTimer(sql, kontrolListe);
    for (bool raekke = Aabn(sql, kontrolListe.ListeForespoergsel(KontrolListe::laeggeListe)); raekke;
         raekke = sql.Naeste()) {
        Timekrav krav;
        if (!sql.HentTekst("HoldID", krav.hold) || !sql.HentTekst("FagID", krav.fag) ||
            !sql.HentTekst("LaererID", krav.laerer) || !sql.HentTekst("LokaleType", krav.lokaletype) ||
            !sql.HentTekst("LokaleID", krav.lokale) || !sql.HentTal("Bloksize", krav.blok))
            continue;
        const auto timer = fagetsTimer.find(krav.fag);
        if (timer == fagetsTimer.end())
            continue;
        krav.timer = timer->second;
        if (!krav.IStamlokale())
            krav.lokale = tomId;
        billede.krav.push_back(std::move(krav));
    }
}

// As the plan's opening reads them: values in range, the first of two rows for one hour.
void LaesPrioriteter(SqlKlasse& sql, const std::string& planId, Skemabillede& billede)
{
    const std::string tekst = "select LaererID_Ti, Prioritet_Ti, Kolonne_Ti, Raekke_Ti from Tidsprioritet "
                              "where PlanID_Ti = ? order by LaererID_Ti, Kolonne_Ti, Raekke_Ti, Prioritet_Ti";
    std::set<std::tuple<std::string, int32_t, int32_t>> sete;
    for (bool raekke = sql.Forespoerg(tekst, {planId}); raekke; raekke = sql.Naeste()) {
        SqlVaerdi laerer, prioritet, kolonne, time;
        if (!sql.HentVaerdi("LaererID_Ti", laerer) || !sql.HentVaerdi("Prioritet_Ti", prioritet) ||
            !sql.HentVaerdi("Kolonne_Ti", kolonne) || !sql.HentVaerdi("Raekke_Ti", time))
            continue;
        const auto* id = std::get_if<std::string>(&laerer);
        const auto* p = std::get_if<int32_t>(&prioritet);
        const auto* k = std::get_if<int32_t>(&kolonne);
        const auto* r = std::get_if<int32_t>(&time);
        if (id == nullptr || p == nullptr || k == nullptr || r == nullptr || *p < utilgaengelig || *p > 3 ||
            !billede.uge.Indeholder({*k, *r}) || !sete.emplace(*id, *k, *r).second)
            continue;
        auto [celler, ny] = billede.prioriteter.try_emplace(*id);
        if (ny)
            celler->second.fill(0);
        celler->second[*k * maksTimer + *r] = *p;
    }
}

} // namespace

Skemabillede LaesPlanensKrav(SqlKlasse& sql, const KontrolListe& kontrolListe, const std::string& planId, Uge uge)
{
    Skemabillede billede;
    billede.uge = uge;
    LaesKrav(sql, kontrolListe, billede);
    LaesLokaler(sql, kontrolListe, billede);
    LaesPrioriteter(sql, planId, billede);
    return billede;
}
