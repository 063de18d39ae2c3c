#include "db/Skoledatabase.h"

#include "db/Skoleregler.h"
#include "db/SqlKlasse.h"

#include <algorithm>

Skoledatabase::Skoledatabase() : sql_(std::make_unique<SqlKlasse>('d')) {}

Skoledatabase::~Skoledatabase() = default;

std::vector<Raekke> Skoledatabase::LaesTabel(const Tabel& tabel)
{
    std::vector<Raekke> raekker;
    if (!sql_->Forespoerg("select * from " + tabel.navn))
        return raekker;
    for (;;) {
        Raekke raekke;
        for (const Kolonne& kolonne : tabel.kolonner) {
            std::string tekst;
            int32_t tal = 0;
            const bool laest = ErTal(kolonne.felt) ? sql_->HentTal(kolonne.navn, tal) : sql_->HentTekst(kolonne.navn, tekst);
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

bool Skoledatabase::Tilfoej(const Skoledata& nye, std::vector<std::string>& fejl)
{
    const Skoledata gemte = Laes();
    fejl = skoleregler::Kontroller(gemte, nye);
    if (!fejl.empty())
        return false;
    const Skoledata skrives = skoleregler::UdenGemte(gemte, nye);
    sql_->StartTransaktion();
    // Referenced tables first, so that the rows always point at stored ids.
    for (const Tabel& tabel : Skematabeller()) {
        for (const Raekke& raekke : skrives.Af(tabel.navn)) {
            sql_->IndsaetStart(tabel.navn);
            for (const SqlVaerdi& vaerdi : raekke) {
                if (const auto* tekst = std::get_if<std::string>(&vaerdi))
                    sql_->TilfoejTekst(*tekst);
                else
                    sql_->TilfoejTal(std::get<int32_t>(vaerdi));
            }
            if (!sql_->IndsaetSlut()) {
                sql_->Rollback();
                fejl.push_back(tabel.betegnelse + " (" + NoegleTekst(tabel, raekke) +
                               "): databasen afviste rækken; intet er skrevet");
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
    const Skoledata gemte = Laes();
    if (!gemte.HarPlan(fra) || gemte.HarPlan(til)) {
        fejl = {"Planen " + (gemte.HarPlan(til) ? til + " findes allerede" : fra + " findes ikke")};
        return false;
    }
    Skoledata kopi;
    for (const Tabel& tabel : Skematabeller()) {
        const auto planKolonne = std::find_if(tabel.kolonner.begin(), tabel.kolonner.end(),
                                              [](const Kolonne& k) { return k.felt == Felt::Plan; });
        if (planKolonne == tabel.kolonner.end() || (tabel.navn == "Lektion" && !medLektioner))
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
