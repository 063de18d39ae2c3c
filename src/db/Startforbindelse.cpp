#include "db/Startforbindelse.h"

#include "db/Forbindelsesvalg.h"
#include "db/TSqlModul.h"

#include <QSqlQuery>

#include <filesystem>

namespace {

std::string SaadanVaelges()
{
    return "\nForbindelsen vælges i " + Forbindelsesvalg::IndstillingsFil() + " (type og sti).";
}

// SQLite opens any file; only a query tells whether it is a database.
bool ErSqliteDatabase(TSqlModul& modul)
{
    QSqlQuery& query = modul.Query();
    const bool database = query.exec("SELECT count(*) FROM sqlite_master");
    query.finish();
    return database;
}

// Why a database that could be opened is of no use, or nothing when it is.
std::string Ubrugelig(TSqlModul& modul, const Forbindelsesvalg& valg, bool standardFil)
{
    if (valg.type == Forbindelsesvalg::Type::SQLite && !ErSqliteDatabase(modul))
        return "Filen " + valg.sti + " er ikke en database." + SaadanVaelges();
    if (!standardFil && !modul.HarTabeller())
        return "Databasen " + modul.Beskrivelse() +
               " har ikke programmets tabeller; de kan oprettes med: brikken-cli --db FORBINDELSE init --demo" +
               SaadanVaelges();
    return {};
}

} // namespace

bool ForbindVedStart(std::string& fejl)
{
    TSqlModul& modul = TSqlModul::Instans();
    modul.BrugIndstillinger();
    const Forbindelsesvalg& valg = modul.Valg();
    const bool sqlite = valg.type == Forbindelsesvalg::Type::SQLite;
    const bool standardFil = sqlite && valg.sti == Forbindelsesvalg::StandardDatabaseFil();
    std::string grund;
    if (sqlite && !standardFil && !std::filesystem::exists(valg.sti))
        grund = "Databasefilen " + valg.sti + " findes ikke." + SaadanVaelges();
    else if (!modul.Forbind(fejl))
        return false;
    else
        grund = Ubrugelig(modul, valg, standardFil);
    if (!grund.empty()) {
        // Later attempts, such as reading the plan list, give the same reason
        // instead of creating the file or showing the engine's text.
        modul.Afvis(grund);
        fejl = grund;
        return false;
    }
    if (!modul.HarTabeller())
        modul.OpretDatabase(true);
    return true;
}
