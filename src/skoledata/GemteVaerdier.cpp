#include "skoledata/GemteVaerdier.h"

#include "skoledata/Skoledata.h"
#include "skoledata/Skoleregler.h"

namespace gemteVaerdier {

namespace {

// The tables the planning lists read numbers from.
const std::vector<std::string> taltabeller{"Fag", "LaererFagProfil"};

std::vector<const Kolonne*> Talkolonner(const Tabel& tabel)
{
    std::vector<const Kolonne*> ud;
    for (const Kolonne& kolonne : tabel.kolonner) {
        if (skoleregler::Graenser(kolonne.felt))
            ud.push_back(&kolonne);
    }
    return ud;
}

std::string Overholder(const Kolonne& kolonne)
{
    const auto graenser = skoleregler::Graenser(kolonne.felt);
    return "(" + kolonne.navn + " is null or " + kolonne.navn + " between " + std::to_string(graenser->mindst) +
           " and " + std::to_string(graenser->hoejst) + ")";
}

// The rows of the table that break a rule; a table of distributions only the plan's own.
std::string Forespoergsel(const Tabel& tabel, bool& medFordeling)
{
    std::string tekst = "select * from " + tabel.navn + " where not " + Overholdes(tabel.navn);
    medFordeling = false;
    for (const Kolonne& kolonne : tabel.kolonner) {
        if (kolonne.felt == Felt::Fordeling) {
            tekst += " and " + kolonne.navn + " = ?";
            medFordeling = true;
        }
    }
    return tekst;
}

bool LaesRaekke(SqlKlasse& sql, const Tabel& tabel, Raekke& raekke)
{
    for (size_t k = 0; k < raekke.size(); ++k) {
        if (!sql.HentVaerdi(tabel.kolonner[k].navn, raekke[k]))
            return false;
    }
    return true;
}

void TilfoejBrud(const Tabel& tabel, const Raekke& raekke, std::vector<std::string>& brud)
{
    for (size_t k = 0; k < tabel.kolonner.size(); ++k) {
        const Kolonne& kolonne = tabel.kolonner[k];
        if (!skoleregler::Graenser(kolonne.felt) || std::holds_alternative<std::monostate>(raekke[k]))
            continue;
        if (const std::string fejl = skoleregler::VaerdiFejl(kolonne, raekke[k]); !fejl.empty())
            brud.push_back(tabel.betegnelse + " (" + NoegleTekst(tabel, raekke) + "): " + FeltBetegnelse(kolonne.felt) +
                           " " + fejl);
    }
}

} // namespace

std::string Overholdes(const std::string& tabel)
{
    std::string overholdes;
    for (const Kolonne* kolonne : Talkolonner(TabelNavngivet(tabel)))
        overholdes += (overholdes.empty() ? "" : " and ") + Overholder(*kolonne);
    return "(" + overholdes + ")";
}

std::vector<std::string> Brud(const std::string& tff)
{
    std::vector<std::string> brud;
    SqlKlasse sql(Datakilde::database);
    for (const std::string& navn : taltabeller) {
        const Tabel& tabel = TabelNavngivet(navn);
        bool medFordeling = false;
        const std::string tekst = Forespoergsel(tabel, medFordeling);
        bool flere = sql.Forespoerg(tekst, medFordeling ? SqlParametre{tff} : SqlParametre{});
        // The walk ends at the first read past the last row, not at the move there.
        for (Raekke raekke(tabel.kolonner.size()); flere && LaesRaekke(sql, tabel, raekke); flere = sql.Naeste())
            TilfoejBrud(tabel, raekke, brud);
    }
    return brud;
}

} // namespace gemteVaerdier
