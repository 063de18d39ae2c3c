#include "skoledata/Skoledata.h"

#include <algorithm>
#include <optional>
#include <set>
#include <stdexcept>

namespace {

Kolonne Id(const std::string& navn, Felt felt) { return {navn, felt, true, false}; }
Kolonne Ref(const std::string& navn, Felt felt) { return {navn, felt, false, false}; }
Kolonne RefEllerTom(const std::string& navn, Felt felt) { return {navn, felt, false, true}; }

// The columns of a table that refer to ids of the field.
std::vector<size_t> Henvisninger(const Tabel& tabel, Felt felt)
{
    std::vector<size_t> ud;
    for (size_t k = 0; k < tabel.kolonner.size(); ++k) {
        if (tabel.kolonner[k].felt == felt && !tabel.kolonner[k].definerer)
            ud.push_back(k);
    }
    return ud;
}

std::optional<size_t> PlanKolonne(const Tabel& tabel)
{
    for (size_t k = 0; k < tabel.kolonner.size(); ++k) {
        if (tabel.kolonner[k].felt == Felt::Plan && !tabel.kolonner[k].definerer)
            return k;
    }
    return std::nullopt;
}

// Whether column k of the row refers to the id; with a plan, only in rows of that plan.
bool Henviser(const Tabel& tabel, const Raekke& raekke, size_t k, const std::string& id, const std::string& plan)
{
    if (SomTekst(raekke[k]) != id)
        return false;
    const auto planKolonne = PlanKolonne(tabel);
    return plan.empty() || !planKolonne || SomTekst(raekke[*planKolonne]) == plan;
}

} // namespace

const std::vector<Tabel>& Skematabeller()
{
    using F = Felt;
    static const std::vector<Tabel> tabeller{
        {"Plan",
         "Planer",
         {Id("PlanID_P", F::Plan), Ref("TimeFagFordelingID_P", F::Fordeling), Ref("Kolonne_P", F::Dage),
          Ref("Raekke_P", F::TimerPrDag)},
         {0}},
        {"Hold", "Hold", {Id("HoldID_AHo", F::Hold), Ref("Type_AHo", F::Holdtype)}, {0}},
        {"Holdliste",
         "Fordelingernes hold",
         {Ref("Hold_THo", F::Hold), Ref("timefagfordelingID_THo", F::Fordeling)},
         {1, 0}},
        {"Fag",
         "Fag",
         {Id("FagID_AFa", F::Fag), Ref("Timer_AFa", F::Timer), Ref("Lokaletype_AFa", F::Lokaletype)},
         {0}},
        {"Fagprofil", "Fagprofiler", {Ref("Type_FP", F::Holdtype), Ref("FagID_Fp", F::Fag)}, {0, 1}},
        {"Fagliste", "Fagliste", {Ref("FagID_TFa", F::Fag)}, {0}},
        {"LaererFagProfil",
         "Lærernes fagprofiler",
         {Ref("LaererID_LFP", F::Laerer), Ref("FagID_LFP", F::Fag), Ref("AntalHold_LFP", F::AntalHold),
          Ref("Blokstoerrelse_LFP", F::Blok), Ref("TimeFagFordelingID_LFP", F::Fordeling)},
         {4, 1, 0}},
        {"Lokale", "Lokaler", {Id("LokaleID_ALo", F::Lokale), Ref("Lokaletype_ALo", F::Lokaletype)}, {0}},
        {"HoldLaererRelation",
         "Undervisning",
         {Ref("HoldID_HLR", F::Hold), Ref("FagID_HLR", F::Fag), RefEllerTom("LaererID_HLR", F::Laerer),
          Ref("PlanID_HLR", F::Plan)},
         {3, 0, 1}},
        {"LokaleHoldRelation",
         "Stamlokaler",
         {Ref("HoldID_LoHR", F::Hold), RefEllerTom("LokaleID_LoHR", F::Lokale), Ref("PlanID_LoHR", F::Plan)},
         {2, 0}},
        {"LokalePlan", "Planernes lokaler", {Ref("LokaleID_LP", F::Lokale), Ref("PlanID_LP", F::Plan)}, {1, 0}},
        {"Lektion",
         "Lektioner",
         {Ref("PlanID_Le", F::Plan), Ref("HoldID_Le", F::Hold), Ref("FagID_Le", F::Fag), Ref("LaererID_Le", F::Laerer),
          Ref("LokaleID_Le", F::Lokale), Ref("Blokstoerrelse_Le", F::Blok), Ref("Kolonne_Le", F::Dag),
          Ref("Raekke_Le", F::Time)},
         {0, 1, 6, 7}},
        {"Tidsprioritet",
         "Utilgængelige timer",
         {Ref("PlanID_Ti", F::Plan), Ref("LaererID_Ti", F::Laerer), Ref("Prioritet_Ti", F::Prioritet),
          Ref("Kolonne_Ti", F::Dag), Ref("Raekke_Ti", F::Time)},
         {0, 1, 3, 4}},
        // A class's divisions: each row one group of one division, so the
        // class's students fall into one group of every division.
        {"Gruppe",
         "Grupper",
         {Ref("PlanID_Gr", F::Plan), Ref("HoldID_Gr", F::Hold), Ref("InddelingID_Gr", F::Inddeling),
          Ref("GruppeID_Gr", F::Gruppe)},
         {0, 1, 3},
         true},
        // Teaching that one class, one teacher and one room cannot describe:
        // classes and groups taught together, several teachers, several rooms,
        // a duty without students. Placed as one.
        {"Aktivitet",
         "Aktiviteter",
         {Ref("PlanID_Ak", F::Plan), Id("AktivitetID_Ak", F::Aktivitet), Ref("FagID_Ak", F::Fag),
          Ref("Timer_Ak", F::Timer), Ref("Blokstoerrelse_Ak", F::Laengde)},
         {0, 1},
         true},
        // A whole class (group "tom") or one of its groups.
        {"AktivitetDeltager",
         "Aktiviteternes deltagere",
         {Ref("PlanID_AD", F::Plan), Ref("AktivitetID_AD", F::Aktivitet), Ref("HoldID_AD", F::Hold),
          RefEllerTom("GruppeID_AD", F::Gruppe)},
         {0, 1, 2, 3},
         true},
        {"AktivitetLaerer",
         "Aktiviteternes lærere",
         {Ref("PlanID_AL", F::Plan), Ref("AktivitetID_AL", F::Aktivitet), Ref("LaererID_AL", F::Laerer)},
         {0, 1, 2},
         true},
        // Each room need (numbered from 1) takes one of its rooms.
        {"AktivitetLokale",
         "Aktiviteternes lokaler",
         {Ref("PlanID_ALo", F::Plan), Ref("AktivitetID_ALo", F::Aktivitet), Ref("Behov_ALo", F::Behov),
          Ref("LokaleID_ALo", F::Lokale)},
         {0, 1, 2, 3},
         true},
        // Where the plan's activities stand, saved with its lessons.
        {"AktivitetSkema",
         "Aktiviteternes timer",
         {Ref("PlanID_AS", F::Plan), Ref("AktivitetID_AS", F::Aktivitet), Ref("Kolonne_AS", F::Dag),
          Ref("Raekke_AS", F::Time), Ref("Laengde_AS", F::Laengde)},
         {0, 1, 2, 3},
         true},
        {"AktivitetSkemaLokale",
         "Aktiviteternes lokaler i skemaet",
         {Ref("PlanID_ASL", F::Plan), Ref("AktivitetID_ASL", F::Aktivitet), Ref("Kolonne_ASL", F::Dag),
          Ref("Raekke_ASL", F::Time), Ref("Behov_ASL", F::Behov), Ref("LokaleID_ASL", F::Lokale)},
         {0, 1, 2, 3, 4},
         true},
        // The blocks the planner pinned, by their start: saved with the lessons.
        {"AktivitetFastlaasning",
         "Aktiviteternes fastlåsninger",
         {Ref("PlanID_AFa", F::Plan), Ref("AktivitetID_AFa", F::Aktivitet), Ref("Kolonne_AFa", F::Dag),
          Ref("Raekke_AFa", F::Time)},
         {0, 1, 2, 3},
         true},
        // The planner's own rules: one row per rule, its kind, whom it concerns
        // (the columns not "tom"), a limit and a weight (100 = a requirement).
        {"Planregel",
         "Planens regler",
         {Ref("PlanID_PR", F::Plan), Ref("RegelID_PR", F::Regel), Ref("Art_PR", F::Regelart),
          RefEllerTom("LaererID_PR", F::Laerer), RefEllerTom("HoldID_PR", F::Hold),
          RefEllerTom("GruppeID_PR", F::Gruppe), RefEllerTom("LokaleID_PR", F::Lokale), RefEllerTom("FagID_PR", F::Fag),
          RefEllerTom("AktivitetID_PR", F::Aktivitet), Ref("Graense_PR", F::Graense), Ref("Vaegt_PR", F::Vaegt)},
         {0, 1},
         true},
        // The hours a rule names: closed hours, or the allowed starts of lessons.
        {"PlanregelTid",
         "Reglernes timer",
         {Ref("PlanID_PRT", F::Plan), Ref("RegelID_PRT", F::Regel), Ref("Kolonne_PRT", F::Dag),
          Ref("Raekke_PRT", F::Time)},
         {0, 1, 2, 3},
         true},
        // The lessons a rule names together: a class's subject or an activity.
        {"PlanregelLektion",
         "Reglernes lektioner",
         {Ref("PlanID_PRL", F::Plan), Ref("RegelID_PRL", F::Regel), RefEllerTom("HoldID_PRL", F::Hold),
          RefEllerTom("FagID_PRL", F::Fag), RefEllerTom("AktivitetID_PRL", F::Aktivitet)},
         {0, 1, 2, 3, 4},
         true},
    };
    return tabeller;
}

const Tabel& TabelNavngivet(const std::string& navn)
{
    for (const Tabel& tabel : Skematabeller()) {
        if (tabel.navn == navn)
            return tabel;
    }
    throw std::invalid_argument("ukendt tabel " + navn);
}

bool ErSkemaTabel(const Tabel& tabel)
{
    return tabel.navn == "Lektion" || tabel.navn == "AktivitetSkema" || tabel.navn == "AktivitetSkemaLokale" ||
           tabel.navn == "AktivitetFastlaasning";
}

std::string FeltBetegnelse(Felt felt)
{
    switch (felt) {
    case Felt::Plan:
        return "plan";
    case Felt::Fordeling:
        return "fordeling";
    case Felt::Hold:
        return "hold";
    case Felt::Holdtype:
        return "holdtype";
    case Felt::Fag:
        return "fag";
    case Felt::Laerer:
        return "lærer";
    case Felt::Lokale:
        return "lokale";
    case Felt::Lokaletype:
        return "lokaletype";
    case Felt::Inddeling:
        return "inddeling";
    case Felt::Gruppe:
        return "gruppe";
    case Felt::Aktivitet:
        return "aktivitet";
    case Felt::Timer:
        return "ugetimer";
    case Felt::Dage:
        return "dage";
    case Felt::TimerPrDag:
        return "timer pr. dag";
    case Felt::AntalHold:
        return "antal hold";
    case Felt::Blok:
        return "blokstørrelse";
    case Felt::Prioritet:
        return "prioritet";
    case Felt::Dag:
        return "dag";
    case Felt::Time:
        return "time";
    case Felt::Behov:
        return "lokalebehov";
    case Felt::Laengde:
        return "længde";
    case Felt::Regelart:
        return "regelart";
    case Felt::Regel:
        return "regel";
    case Felt::Graense:
        return "grænse";
    case Felt::Vaegt:
        return "vægt";
    }
    return "";
}

bool ErTal(Felt felt) { return felt >= Felt::Timer; }

bool ErHenvisning(const Kolonne& kolonne)
{
    const Felt f = kolonne.felt;
    return !kolonne.definerer &&
           (f == Felt::Plan || f == Felt::Hold || f == Felt::Fag || f == Felt::Lokale || f == Felt::Aktivitet);
}

std::vector<Raekke> Skoledata::Af(const std::string& tabel) &&
{
    const auto fundet = raekker.find(tabel);
    return fundet == raekker.end() ? std::vector<Raekke>{} : std::move(fundet->second);
}

const std::vector<Raekke>& Skoledata::Af(const std::string& tabel) const&
{
    static const std::vector<Raekke> ingen;
    const auto fundet = raekker.find(tabel);
    return fundet == raekker.end() ? ingen : fundet->second;
}

bool Skoledata::HarPlan(const std::string& planId) const
{
    const auto& planer = Af("Plan");
    return std::any_of(planer.begin(), planer.end(), [&](const Raekke& r) { return SomTekst(r.at(0)) == planId; });
}

std::vector<std::string> Skoledata::Afhaengige(Felt felt, const std::string& id, const std::string& plan) const
{
    std::vector<std::string> ud;
    for (const Tabel& tabel : Skematabeller()) {
        for (const size_t k : Henvisninger(tabel, felt)) {
            for (const Raekke& raekke : Af(tabel.navn)) {
                if (Henviser(tabel, raekke, k, id, plan))
                    ud.push_back(tabel.betegnelse + " (" + NoegleTekst(tabel, raekke) + ")");
            }
        }
    }
    return ud;
}

void Skoledata::Omdoeb(Felt felt, const std::string& fra, const std::string& til, const std::string& plan)
{
    for (const Tabel& tabel : Skematabeller()) {
        for (const size_t k : Henvisninger(tabel, felt)) {
            for (Raekke& raekke : raekker[tabel.navn]) {
                if (Henviser(tabel, raekke, k, fra, plan))
                    raekke[k] = til;
            }
        }
    }
}

void Skoledata::FjernAfhaengige(Felt felt, const std::string& id, const std::string& plan)
{
    for (const Tabel& tabel : Skematabeller()) {
        for (const size_t k : Henvisninger(tabel, felt)) {
            std::vector<Raekke>& alle = raekker[tabel.navn];
            const auto fjernes = std::stable_partition(
                alle.begin(), alle.end(), [&](const Raekke& raekke) { return !Henviser(tabel, raekke, k, id, plan); });
            std::vector<Raekke> fjernede(std::make_move_iterator(fjernes), std::make_move_iterator(alle.end()));
            alle.erase(fjernes, alle.end());
            // An activity of a removed subject takes its participants, teachers and rooms along.
            for (const Raekke& raekke : fjernede)
                FjernDefineretId(tabel, raekke);
        }
    }
}

namespace {

// A participant row (plan, activity, class, group) of the group.
bool Deltager(const Raekke& r, const Gruppenavn& g)
{
    return SomTekst(r.at(0)) == g.plan && SomTekst(r.at(2)) == g.hold && SomTekst(r.at(3)) == g.gruppe;
}

} // namespace

std::vector<std::string> Skoledata::Afhaengige(const Gruppenavn& gruppe) const
{
    const Tabel& tabel = TabelNavngivet("AktivitetDeltager");
    std::vector<std::string> ud;
    for (const Raekke& r : Af(tabel.navn)) {
        if (Deltager(r, gruppe))
            ud.push_back(tabel.betegnelse + " (" + NoegleTekst(tabel, r) + ")");
    }
    return ud;
}

void Skoledata::Omdoeb(const Gruppenavn& gruppe, const std::string& til)
{
    for (Raekke& r : raekker["AktivitetDeltager"]) {
        if (Deltager(r, gruppe))
            r[3] = til;
    }
}

std::vector<std::string> Skoledata::TommeUden(const Gruppenavn& gruppe) const
{
    std::set<std::string> ramte;
    for (const Raekke& r : Af("AktivitetDeltager")) {
        if (Deltager(r, gruppe))
            ramte.insert(SomTekst(r[1]));
    }
    const auto& deltagere = Af("AktivitetDeltager");
    const auto& laerere = Af("AktivitetLaerer");
    std::vector<std::string> tomme;
    for (const std::string& aktivitet : ramte) {
        const auto afAktiviteten = [&](const Raekke& r) {
            return SomTekst(r.at(0)) == gruppe.plan && SomTekst(r.at(1)) == aktivitet;
        };
        if (std::none_of(deltagere.begin(), deltagere.end(),
                         [&](const Raekke& r) { return afAktiviteten(r) && !Deltager(r, gruppe); }) &&
            std::none_of(laerere.begin(), laerere.end(), afAktiviteten))
            tomme.push_back(aktivitet);
    }
    return tomme;
}

std::vector<std::string> Skoledata::FjernAfhaengige(const Gruppenavn& gruppe)
{
    const std::vector<std::string> tomme = TommeUden(gruppe);
    std::erase_if(raekker["AktivitetDeltager"], [&](const Raekke& r) { return Deltager(r, gruppe); });
    for (const std::string& aktivitet : tomme) {
        std::erase_if(raekker["Aktivitet"], [&](const Raekke& r) {
            return SomTekst(r.at(0)) == gruppe.plan && SomTekst(r.at(1)) == aktivitet;
        });
        FjernAfhaengige(Felt::Aktivitet, aktivitet, gruppe.plan);
    }
    return tomme;
}

void Skoledata::FjernDefineretId(const Tabel& tabel, const Raekke& raekke)
{
    for (size_t k = 0; k < tabel.kolonner.size(); ++k) {
        if (tabel.kolonner[k].definerer)
            FjernAfhaengige(tabel.kolonner[k].felt, SomTekst(raekke[k]), IdPlan(tabel, raekke));
    }
}

std::string IdPlan(const Tabel& tabel, const Raekke& raekke)
{
    const bool harId = std::any_of(tabel.kolonner.begin(), tabel.kolonner.end(),
                                   [](const Kolonne& k) { return k.definerer; });
    const auto planKolonne = PlanKolonne(tabel);
    return harId && planKolonne ? SomTekst(raekke.at(*planKolonne)) : "";
}

std::string SomTekst(const SqlVaerdi& vaerdi)
{
    if (const auto* tekst = std::get_if<std::string>(&vaerdi))
        return *tekst;
    if (const auto* tal = std::get_if<int32_t>(&vaerdi))
        return std::to_string(*tal);
    if (const auto* bytes = std::get_if<SqlBytes>(&vaerdi))
        return SomHex(*bytes);
    return "";
}

std::string RaekkeTekst(const Raekke& raekke)
{
    std::string tekst;
    for (const SqlVaerdi& vaerdi : raekke)
        tekst += (tekst.empty() ? "" : ", ") + SomTekst(vaerdi);
    return tekst;
}

Raekke NoegleAf(const Tabel& tabel, const Raekke& raekke)
{
    Raekke noegle;
    for (const size_t i : tabel.noegle)
        noegle.push_back(raekke.at(i));
    return noegle;
}

std::string NoegleTekst(const Tabel& tabel, const Raekke& raekke) { return RaekkeTekst(NoegleAf(tabel, raekke)); }
