#include "db/Plan.h"

#include "db/SqlKlasse.h"

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
            ? sql_->Forespoerg("select TimeFagFordelingID_P AS TFF, Kolonne_P as c, Raekke_P as r from Plan where PlanID_P = ?",
                               {planId})
            : sql_->Forespoerg("PlanListe3.txt");
    return fundet && sql_->HentTekst("TFF", tff) && sql_->HentTal("c", kolonner) && sql_->HentTal("r", raekker);
}
