#include "db/Plan.h"

#include "db/SqlKlasse.h"

#include "store/Lektion.h"

Plan::Plan(Datakilde tilstand) : sql_(std::make_unique<SqlKlasse>(tilstand)), tilstand_(tilstand) {}

Plan::~Plan() = default;

bool Plan::HentPlanliste(stack<std::string>& planer)
{
    // Descending, so that the stack gives the plans back in ascending byte order on every engine.
    const bool fundet = tilstand_ == Datakilde::database
                            ? sql_->Forespoerg("select PlanID_P as PlanID from Plan order by PlanID_P desc")
                            : sql_->Forespoerg("PlanListe2.txt");
    if (!fundet)
        return false;
    std::string id;
    while (sql_->HentTekst("PlanID", id)) {
        planer.push(id);
        if (!sql_->Naeste())
            break;
    }
    return true;
}

bool Plan::FindPlan(const std::string& planId, std::string& tff, int32_t& kolonner, int32_t& raekker)
{
    const bool fundet =
        tilstand_ == Datakilde::database
            ? sql_->Forespoerg("select TimeFagFordelingID_P AS TFF, Kolonne_P, Raekke_P from Plan where PlanID_P = ?",
                               {planId})
            : sql_->Forespoerg("PlanListe3.txt");
    // A value that is no number is reported under the column's own name.
    return fundet && sql_->HentTekst("TFF", tff) && sql_->HentTal("Kolonne_P", kolonner) &&
           sql_->HentTal("Raekke_P", raekker);
}

std::string Plan::TomtIdFejl(const std::string& planId, const std::string& tff)
{
    if (tilstand_ != Datakilde::database)
        return "";
    const auto fejl = [](const std::string& en, const std::string& den) {
        return en + " i planen har id'et '" + tomId + "', som programmet bruger for \"ikke sat\". Giv " + den +
               " et andet id i databasen; planen er ikke åbnet.";
    };
    if (sql_->Forespoerg(
            "select LaererID_LFP from LaererFagProfil where LaererID_LFP = ? and TimeFagFordelingID_LFP = ?",
            {tomId, tff}))
        return fejl("En lærer", "læreren");
    if (sql_->Forespoerg("select LokaleID_LP from LokalePlan where LokaleID_LP = ? and PlanID_LP = ?", {tomId, planId}))
        return fejl("Et lokale", "lokalet");
    return "";
}
