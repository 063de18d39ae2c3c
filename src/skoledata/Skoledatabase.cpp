#include "skoledata/Skoledatabase.h"

#include "skoledata/Skoleregler.h"
#include "db/SqlKlasse.h"
#include "db/TSqlModul.h"

#include <algorithm>
#include <set>

Skoledatabase::Skoledatabase() : sql_(std::make_unique<SqlKlasse>(Datakilde::database)) {}

Skoledatabase::~Skoledatabase() = default;

std::vector<Raekke> Skoledatabase::LaesTabel(const Tabel& tabel)
{
    std::vector<Raekke> raekker;
    if (tabel.egen && !TSqlModul::Instans().HarTabel(tabel.navn))
        return raekker;
    std::string orden;
    for (const size_t k : tabel.noegle)
        orden += (orden.empty() ? " order by " : ", ") + tabel.kolonner[k].navn;
    if (!sql_->Forespoerg("select * from " + tabel.navn + orden))
        return raekker;
    for (;;) {
        Raekke raekke;
        for (const Kolonne& kolonne : tabel.kolonner) {
            std::string tekst;
            int32_t tal = 0;
            const bool laest = ErTal(kolonne.felt) ? sql_->HentTal(kolonne.navn, tal)
                                                   : sql_->HentTekst(kolonne.navn, tekst);
            if (!laest)
                return raekker;
            if (ErTal(kolonne.felt))
                raekke.emplace_back(tal);
            else
                raekke.emplace_back(tekst);
        }
        raekker.push_back(std::move(raekke));
        if (!sql_->Naeste())
            return raekker;
    }
}

Skoledata Skoledatabase::Laes()
{
    Skoledata data;
    for (const Tabel& tabel : Skematabeller())
        data.raekker[tabel.navn] = LaesTabel(tabel);
    return data;
}

Skoledata Skoledatabase::Laes(const std::vector<std::string>& tabeller)
{
    Skoledata data;
    for (const std::string& navn : tabeller)
        data.raekker[navn] = LaesTabel(TabelNavngivet(navn));
    return data;
}

bool Skoledatabase::Tilfoej(const Skoledata& nye, std::vector<std::string>& fejl) { return Gem({}, nye, fejl); }

namespace {

// The rows of `a` that `b` does not hold, counting equal rows one by one.
Skoledata Forskel(const Skoledata& a, const Skoledata& b)
{
    Skoledata ud;
    for (const auto& [navn, raekker] : a.raekker) {
        std::multiset<Raekke> andre(b.Af(navn).begin(), b.Af(navn).end());
        for (const Raekke& raekke : raekker) {
            if (const auto fundet = andre.find(raekke); fundet != andre.end())
                andre.erase(fundet);
            else
                ud.Tilfoej(navn, raekke);
        }
    }
    return ud;
}

// Ids of Plan, Hold, Fag, Lokale or Aktivitet rows that go while stored rows still refer to them.
std::vector<std::string> BrugteIder(const Skoledata& tilbage, const Skoledata& fjernes, const Skoledata& nye)
{
    std::vector<std::string> fejl;
    for (const Tabel& tabel : Skematabeller()) {
        for (size_t k = 0; k < tabel.kolonner.size(); ++k) {
            const Kolonne& kolonne = tabel.kolonner[k];
            if (!kolonne.definerer)
                continue;
            const auto& genindsatte = nye.Af(tabel.navn);
            for (const Raekke& raekke : fjernes.Af(tabel.navn)) {
                const std::string id = SomTekst(raekke[k]);
                const std::string plan = IdPlan(tabel, raekke);
                if (std::any_of(genindsatte.begin(), genindsatte.end(),
                                [&](const Raekke& r) { return SomTekst(r[k]) == id && IdPlan(tabel, r) == plan; }))
                    continue;
                const auto brugere = tilbage.Afhaengige(kolonne.felt, id, plan);
                if (brugere.empty())
                    continue;
                std::string liste;
                for (const std::string& b : brugere)
                    liste += (liste.empty() ? "" : "; ") + b;
                fejl.push_back(tabel.betegnelse + " (" + NoegleTekst(tabel, raekke) +
                               ") kan ikke slettes eller omdøbes, for den bruges af: " + liste);
            }
        }
    }
    return fejl;
}

std::string AendretAfAndre(const Tabel& tabel, const Raekke& raekke)
{
    return tabel.betegnelse + " (" + NoegleTekst(tabel, raekke) +
           ") er ændret eller slettet af en anden, siden den blev læst; intet er gemt. Læs data igen og gentag "
           "ændringen";
}

} // namespace

bool Skoledatabase::Slet(const Tabel& tabel, const Raekke& raekke)
{
    // Every value read must still be there: a row changed by someone else since matches nothing.
    std::string saetning = "delete from " + tabel.navn + " where ";
    for (size_t k = 0; k < tabel.kolonner.size(); ++k) {
        const std::string& navn = tabel.kolonner[k].navn;
        // A NULL was read as "" or 0, so such a value also matches a NULL.
        const bool kanVaereNull = raekke[k] == SqlVaerdi(std::string()) || raekke[k] == SqlVaerdi(int32_t{0});
        saetning += (k == 0 ? "" : " and ") +
                    (kanVaereNull ? "(" + navn + " = ? or " + navn + " is null)" : navn + " = ?");
    }
    return sql_->UdfoerSql(saetning, raekke) && sql_->PaavirkedeRaekker() > 0;
}

// The same statement on every engine; only the text type differs.
bool Skoledatabase::OpretEgenTabel(const Tabel& tabel)
{
    TSqlModul& modul = TSqlModul::Instans();
    if (!tabel.egen || modul.HarTabel(tabel.navn))
        return true;
    const std::string tekst = modul.Teksttype();
    std::string kolonner;
    for (const Kolonne& kolonne : tabel.kolonner)
        kolonner += (kolonner.empty() ? "" : ", ") + kolonne.navn + " " + (ErTal(kolonne.felt) ? "integer" : tekst) +
                    " not null";
    return sql_->UdfoerSql("create table if not exists " + tabel.navn + " (" + kolonner + ")");
}

bool Skoledatabase::Indsaet(const Tabel& tabel, const Raekke& raekke)
{
    sql_->IndsaetStart(tabel.navn);
    for (const SqlVaerdi& vaerdi : raekke) {
        if (const auto* tekst = std::get_if<std::string>(&vaerdi))
            sql_->TilfoejTekst(*tekst);
        else
            sql_->TilfoejTal(std::get<int32_t>(vaerdi));
    }
    return sql_->IndsaetSlut();
}

std::vector<std::string> Skoledatabase::Forbered(const Skoledata& foer, const Skoledata& efter, Aendring& aendring)
{
    aendring.fjernes = Forskel(foer, efter);
    const Skoledata nye = Forskel(efter, foer);
    const Skoledata gemte = Laes();
    std::vector<std::string> fejl;
    for (const auto& [navn, raekker] : Forskel(aendring.fjernes, gemte).raekker) {
        for (const Raekke& raekke : raekker)
            fejl.push_back(AendretAfAndre(TabelNavngivet(navn), raekke));
    }
    if (!fejl.empty())
        return fejl;
    const Skoledata tilbage = Forskel(gemte, aendring.fjernes);
    fejl = skoleregler::Kontroller(tilbage, nye, aendring.fjernes);
    const auto brugte = BrugteIder(tilbage, aendring.fjernes, nye);
    fejl.insert(fejl.end(), brugte.begin(), brugte.end());
    aendring.indsaettes = skoleregler::UdenGemte(tilbage, nye);
    return fejl;
}

std::vector<std::string> Skoledatabase::Kontroller(const Skoledata& foer, const Skoledata& efter)
{
    Aendring aendring;
    return Forbered(foer, efter, aendring);
}

bool Skoledatabase::Gem(const Skoledata& foer, const Skoledata& efter, std::vector<std::string>& fejl)
{
    Aendring aendring;
    fejl = Forbered(foer, efter, aendring);
    if (!fejl.empty())
        return false;
    const auto& tabeller = Skematabeller();
    sql_->StartTransaktion();
    // Referring tables go first when rows are deleted and last when they are inserted.
    for (auto tabel = tabeller.rbegin(); tabel != tabeller.rend(); ++tabel) {
        for (const Raekke& raekke : aendring.fjernes.Af(tabel->navn)) {
            if (!Slet(*tabel, raekke)) {
                sql_->Rollback();
                fejl.push_back(AendretAfAndre(*tabel, raekke));
                return false;
            }
        }
    }
    for (const Tabel& tabel : tabeller) {
        const auto& raekker = aendring.indsaettes.Af(tabel.navn);
        if (!raekker.empty() && !OpretEgenTabel(tabel)) {
            sql_->Rollback();
            fejl.push_back(tabel.betegnelse + ": databasen kunne ikke oprette tabellen " + tabel.navn +
                           "; intet er gemt");
            return false;
        }
        for (const Raekke& raekke : raekker) {
            if (!Indsaet(tabel, raekke)) {
                sql_->Rollback();
                fejl.push_back(tabel.betegnelse + " (" + NoegleTekst(tabel, raekke) +
                               "): databasen afviste rækken; intet er gemt");
                return false;
            }
        }
    }
    sql_->Commit();
    return true;
}

bool Skoledatabase::KopierPlan(const std::string& fra, const std::string& til, bool medLektioner,
                               std::vector<std::string>& fejl)
{
    // Said once, not for every copied row that would carry the id.
    if (const std::string idFejl = skoleregler::IdFejl(til); !idFejl.empty()) {
        fejl = {TabelNavngivet("Plan").betegnelse + " (" + til + "): plan " + idFejl};
        return false;
    }
    const Skoledata gemte = Laes();
    if (!gemte.HarPlan(fra) || gemte.HarPlan(til)) {
        fejl = {"Planen " + (gemte.HarPlan(til) ? til + " findes allerede" : fra + " findes ikke")};
        return false;
    }
    Skoledata kopi;
    for (const Tabel& tabel : Skematabeller()) {
        const auto planKolonne = std::find_if(tabel.kolonner.begin(), tabel.kolonner.end(),
                                              [](const Kolonne& k) { return k.felt == Felt::Plan; });
        if (planKolonne == tabel.kolonner.end() || (ErSkemaTabel(tabel) && !medLektioner))
            continue;
        const auto k = static_cast<size_t>(planKolonne - tabel.kolonner.begin());
        for (Raekke raekke : gemte.Af(tabel.navn)) {
            if (SomTekst(raekke[k]) != fra)
                continue;
            raekke[k] = til;
            kopi.Tilfoej(tabel.navn, std::move(raekke));
        }
    }
    return Tilfoej(kopi, fejl);
}
