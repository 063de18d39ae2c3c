// The opened plan: creating its timetables, loading and saving its lessons
// and time priorities, export and print.
#include "db/Portal.h"

#include "db/Export.h"
#include "db/SqlKlasse.h"

#include "store/SkemaArt.h"

#include <algorithm>
#include <filesystem>

namespace {

// Rows come in a fixed order on every engine, so that loading places them in
// the same sequence and the timetables come out the same.
const std::string lektionsForespoergsel =
    std::string("select * from Lektion where PlanID_Le = ?") +
    " order by HoldID_Le, FagID_Le, LaererID_Le, LokaleID_Le, Blokstoerrelse_Le, Kolonne_Le, Raekke_Le";
const std::string prioritetsForespoergsel = std::string("select * from TidsPrioritet where PlanID_Ti = ?") +
                                            " order by LaererID_Ti, Kolonne_Ti, Raekke_Ti, Prioritet_Ti";

const std::string lektionsSletning =
    std::string("delete from Lektion where PlanID_Le in (") + "select PlanID_Le from Lektion where PlanID_Le = ?)";
const std::string prioritetsSletning = std::string("delete from Tidsprioritet where PlanID_Ti in (") +
                                       "select PlanID_Ti from Tidsprioritet where PlanID_Ti = ?)";

const PrSkemaArt<std::string> eksportFil{{"HoldSkemaer", "LaererSkemaer", "LokaleSkemaer"}};

} // namespace

Portal::Portal(std::string planId, int32_t kolonner, int32_t raekker, Datakilde tilstand)
    : skemaKontrol_(std::make_unique<SkemaKontrol>(kolonner, raekker)), sql_(std::make_unique<SqlKlasse>(tilstand)),
      planId_(std::move(planId)), kolonner_(kolonner), raekker_(raekker), tilstand_(tilstand),
      export_(std::make_unique<Export>())
{
}

Portal::~Portal() = default;

void Portal::SaetNavnestakke(stack<std::string> hold, stack<std::string> laerer, stack<std::string> lokale)
{
    navne_[SkemaArt::hold] = std::move(hold);
    navne_[SkemaArt::laerer] = std::move(laerer);
    navne_[SkemaArt::lokale] = std::move(lokale);
}

// The priorities are read whether or not lessons are stored: a plan that has
// never been saved still has its teachers' unavailable hours.
bool Portal::Indlaes()
{
    for (const SkemaArt art : alleSkemaArter)
        OpretSkemaer(art, navne_[art]);
    const bool lektioner = IndlaesLektioner();
    const bool prioriteter = IndlaesPrioriteter();
    return lektioner && prioriteter;
}

void Portal::OpretSkemaer(SkemaArt art, stack<std::string>& navne)
{
    while (!navne.tom())
        skemaKontrol_->OpretSkema(navne.pop(), art);
}

bool Portal::IndlaesLektioner()
{
    if (planId_ == tomId)
        return false;
    const bool fundet = tilstand_ == Datakilde::database ? sql_->Forespoerg(lektionsForespoergsel, {planId_})
                                         : sql_->Forespoerg("LektionsListe.txt");
    if (!fundet)
        return false;
    while (true) {
        LektionsData l;
        if (!sql_->HentTekst("HoldID_Le", l.hold) || !sql_->HentTekst("FagID_Le", l.fag) ||
            !sql_->HentTekst("LaererID_Le", l.laerer) || !sql_->HentTekst("LokaleID_Le", l.lokale) ||
            !sql_->HentTal("Blokstoerrelse_Le", l.blok) || !sql_->HentTal("Kolonne_Le", l.kolonne) ||
            !sql_->HentTal("Raekke_Le", l.raekke))
            return true;
        // A lesson is at least one hour long at a known hour; anything else is a damaged row.
        if (l.blok < 1 || HarNull({"Blokstoerrelse_Le", "Kolonne_Le", "Raekke_Le"}))
            besked_.Log("Lektion uden gyldig blokstørrelse eller placering springes over: " + l.hold + " " + l.fag);
        else
            skemaKontrol_->SaetLektion(l.hold, l.fag, l.laerer, l.lokale, l.blok, l.kolonne, l.raekke);
        if (!sql_->Naeste())
            return false;
    }
}

// A NULL number would read as 0 and put the row somewhere it was never stored.
bool Portal::HarNull(std::initializer_list<const char*> kolonner)
{
    return std::any_of(kolonner.begin(), kolonner.end(), [this](const char* k) { return sql_->ErNull(k); });
}

bool Portal::IndlaesPrioriteter()
{
    if (planId_ == tomId)
        return false;
    const bool fundet = tilstand_ == Datakilde::database ? sql_->Forespoerg(prioritetsForespoergsel, {planId_})
                                         : sql_->Forespoerg("TidsPrioritet.txt");
    if (!fundet)
        return false;
    while (true) {
        std::string laerer;
        PLektionsData p;
        if (!sql_->HentTekst("LaererID_Ti", laerer) || !sql_->HentTal("Prioritet_Ti", p.prioritet) ||
            !sql_->HentTal("Kolonne_Ti", p.kolonne) || !sql_->HentTal("Raekke_Ti", p.raekke))
            return true;
        if (HarNull({"Prioritet_Ti", "Kolonne_Ti", "Raekke_Ti"}))
            besked_.Log("Tidsprioritet uden værdi eller placering springes over: " + laerer);
        else
            skemaKontrol_->SaetPrioritet(laerer, p.prioritet, p.kolonne, p.raekke);
        if (!sql_->Naeste())
            return true;
    }
}

bool Portal::Gem()
{
    besked_.TidsTitel("Gemning");
    Stopur total;
    Stopur trin;
    total.Start();
    trin.Start();
    if (!ErstatLektioner(trin))
        return false;
    SkrivTid(trin, "Gemning af nye lektioner: ", 2);
    trin.Start();
    if (!ErstatPrioriteter(trin))
        return false;
    SkrivTid(trin, "Gemning af nye Prioriteter: ", 4);
    SkrivTid(total, "Total: ", 5);
    return true;
}

bool Portal::ErstatLektioner(Stopur& trin)
{
    return Transaktion([&]() -> std::string {
        if (tilstand_ == Datakilde::database && !sql_->UdfoerSql(lektionsSletning, {planId_}))
            return "Gamle lektioner kunne ikke slettes!";
        SkrivTid(trin, "Sletning af lektioner:", 1);
        skemaKontrol_->NulstilMarkoer(SkemaArt::hold);
        trin.Start();
        stack<LektionsData> lektioner;
        while (skemaKontrol_->HentNaesteLektioner(lektioner, SkemaArt::hold)) {
            while (!lektioner.tom()) {
                if (!IndsaetLektion(lektioner.pop()))
                    return "Lektionerne kunne ikke gemmes";
            }
        }
        return "";
    });
}

bool Portal::ErstatPrioriteter(Stopur& trin)
{
    return Transaktion([&]() -> std::string {
        if (tilstand_ == Datakilde::database && !sql_->UdfoerSql(prioritetsSletning, {planId_}))
            return "Gamle LektionsPrioriteter kunne ikke slettes";
        SkrivTid(trin, "Sletning af Prioriteter: ", 3);
        trin.Start();
        skemaKontrol_->NulstilMarkoer(SkemaArt::laerer);
        stack<PLektionsData> prioriteter;
        std::string laerer;
        while (skemaKontrol_->HentNaestePrioriteter(prioriteter, laerer)) {
            while (!prioriteter.tom()) {
                if (!IndsaetPrioritet(laerer, prioriteter.pop()))
                    return "Lektions prioriteterne kunne ikke gemmes";
            }
        }
        return "";
    });
}

// erstat gives the message of the step that failed, or "" when every step
// succeeded. The transaction is rolled back before a failure is shown, and
// before an exception (a lost connection, say) leaves the save.
bool Portal::Transaktion(const std::function<std::string()>& erstat)
{
    sql_->StartTransaktion();
    std::string fejl;
    try {
        fejl = erstat();
        if (fejl.empty())
            sql_->Commit();
    } catch (...) {
        try {
            sql_->Rollback();
        } catch (...) {
            // The first error is the one worth reporting.
        }
        throw;
    }
    if (fejl.empty())
        return true;
    sql_->Rollback();
    besked_.VisFejl(fejl, fejlTitel);
    return false;
}

bool Portal::IndsaetLektion(const LektionsData& lektion)
{
    sql_->IndsaetStart(tilstand_ == Datakilde::database ? "Lektion" : "LektionsListeGem");
    sql_->TilfoejTekst(planId_);
    sql_->TilfoejTekst(lektion.hold);
    sql_->TilfoejTekst(lektion.fag);
    sql_->TilfoejTekst(lektion.laerer);
    sql_->TilfoejTekst(lektion.lokale);
    sql_->TilfoejTal(lektion.blok);
    sql_->TilfoejTal(lektion.kolonne);
    sql_->TilfoejTal(lektion.raekke);
    return sql_->IndsaetSlut();
}

bool Portal::IndsaetPrioritet(const std::string& laerer, const PLektionsData& prioritet)
{
    sql_->IndsaetStart(tilstand_ == Datakilde::database ? "Tidsprioritet" : "TidsPrioritetGem.txt");
    sql_->TilfoejTekst(planId_);
    sql_->TilfoejTekst(laerer);
    sql_->TilfoejTal(prioritet.prioritet);
    sql_->TilfoejTal(prioritet.kolonne);
    sql_->TilfoejTal(prioritet.raekke);
    return sql_->IndsaetSlut();
}

void Portal::SkrivTid(Stopur& ur, const std::string& etiket, int32_t raekke) const
{
    ur.Stop();
    besked_.TidsLinje(ur.Sekunder(), etiket, raekke);
}

void Portal::Eksporter(SkemaArt art, const std::string& mappe)
{
    const std::string fil = (std::filesystem::path(mappe) / eksportFil[art]).string();
    if (!export_->TomFil(fil) || !SkrivSider(art, fil))
        besked_.VisFejl("Filen " + fil + ".txt kunne ikke skrives", fejlTitel);
}

bool Portal::SkrivSider(SkemaArt art, const std::string& fil)
{
    skemaKontrol_->NulstilMarkoer(art);
    stack<LektionsData> lektioner;
    while (skemaKontrol_->HentNaesteLektioner(lektioner, art)) {
        if (lektioner.tom())
            continue;
        std::string titel;
        export_->NulstilSide();
        while (!lektioner.tom()) {
            const LektionsData l = lektioner.pop();
            export_->IndsaetPaaPlan(l.hold, l.fag, l.laerer, l.lokale, l.kolonne, l.raekke + 1);
            titel = IdForArt(l, art);
        }
        if (!export_->SkrivSide(fil, titel))
            return false;
    }
    return true;
}

bool Portal::UdskrivSkema(const std::string& id, SkemaArt art)
{
    export_->NulstilSide();
    stack<LektionsData> lektioner;
    skemaKontrol_->HentLektioner(id, lektioner, art);
    while (!lektioner.tom()) {
        const LektionsData l = lektioner.pop();
        export_->IndsaetPaaPlan(l.hold, l.fag, l.laerer, l.lokale, l.kolonne, l.raekke + 1);
    }
    return export_->UdskrivSide(id);
}
