#include "db/Startforbindelse.h"

#include "db/Forbindelsesvalg.h"
#include "db/TSqlModul.h"

#include <QSqlQuery>

#include <filesystem>

namespace {

std::string SaadanVaelges()
{
    return "\nForbindelsen vælges i " + Forbindelsesvalg::IndstillingsFil() +
           " (type og sti), eller med --db på kommandolinjen.";
}

// SQLite opens any file; only a query tells whether it is a database.
bool ErSqliteDatabase(TSqlModul& modul)
{
    QSqlQuery& query = modul.Query();
    const bool database = query.exec("SELECT count(*) FROM sqlite_master");
    query.finish();
    return database;
}

} // namespace

bool ForbindVedStart(std::string& fejl)
{
    TSqlModul& modul = TSqlModul::Instans();
    modul.BrugIndstillinger();
    const Forbindelsesvalg& valg = modul.Valg();
    const bool sqlite = valg.type == Forbindelsesvalg::Type::SQLite;
    const bool standardFil = sqlite && valg.sti == Forbindelsesvalg::StandardDatabaseFil();
    if (sqlite && !standardFil && !std::filesystem::exists(valg.sti)) {
        fejl = "Databasefilen " + valg.sti + " findes ikke." + SaadanVaelges();
        return false;
    }
    if (!modul.Forbind(fejl))
        return false;
    if (sqlite && !ErSqliteDatabase(modul)) {
        modul.Luk();
        fejl = "Filen " + valg.sti + " er ikke en database." + SaadanVaelges();
        return false;
    }
    if (modul.HarTabeller())
        return true;
    if (standardFil) {
        modul.OpretDatabase(true);
        return true;
    }
    fejl = "Databasen " + modul.Beskrivelse() +
           " har ikke programmets tabeller; de kan oprettes med: brikken-cli --db FORBINDELSE init --demo" +
           SaadanVaelges();
    return false;
}
