// The opened plan: creating its timetables, loading and saving its lessons
// and time priorities, export and print.
#include "db/Portal.h"

#include "udgiv/AtomiskFil.h"
#include "udgiv/Export.h"
#include "db/SqlKlasse.h"
#include "db/TSqlModul.h"

#include "store/Aktivitetsceller.h"
#include "store/SkemaArt.h"

#include <algorithm>
#include <filesystem>

// A stored table of the plan: how to read its rows and where saving writes them.
struct Portal::Tabel {
    size_t nr;                         // index into the portal's unusable rows
    std::string navn;                  // database table
    std::string forespoergsel;         // the plan's rows, in a fixed order on every engine
    std::string sletning;              // deletes every row of the plan
    std::string fil;                   // file mode: the rows to read
    std::string gemFil;                // file mode: the table written to
    std::vector<std::string> kolonner; // the columns after the plan id, in table order
    std::string enhed;                 // "lektion" / "tidsprioritet"
    std::string flertal;
};

namespace {

// Rows come in a fixed order on every engine, so that loading places them in
// the same sequence and the timetables come out the same.
const Portal::Tabel& lektionsTabel()
{
    static const Portal::Tabel tabel{
        0,
        "Lektion",
        "select * from Lektion where PlanID_Le = ? order by HoldID_Le, FagID_Le, LaererID_Le, LokaleID_Le, "
        "Blokstoerrelse_Le, Kolonne_Le, Raekke_Le",
        "delete from Lektion where PlanID_Le in (select PlanID_Le from Lektion where PlanID_Le = ?)",
        "LektionsListe.txt",
        "LektionsListeGem",
        {"HoldID_Le", "FagID_Le", "LaererID_Le", "LokaleID_Le", "Blokstoerrelse_Le", "Kolonne_Le", "Raekke_Le"},
        "lektion",
        "lektioner"};
    return tabel;
}

const Portal::Tabel& prioritetsTabel()
{
    static const Portal::Tabel tabel{
        1,
        "Tidsprioritet",
        "select * from TidsPrioritet where PlanID_Ti = ? order by LaererID_Ti, Kolonne_Ti, Raekke_Ti, Prioritet_Ti",
        "delete from Tidsprioritet where PlanID_Ti in (select PlanID_Ti from Tidsprioritet where PlanID_Ti = ?)",
        "TidsPrioritet.txt",
        "TidsPrioritetGem.txt",
        {"LaererID_Ti", "Prioritet_Ti", "Kolonne_Ti", "Raekke_Ti"},
        "tidsprioritet",
        "tidsprioriteter"};
    return tabel;
}

// Pins came after the other tables, so a database may not have their table
// yet; only a database keeps them.
const Portal::Tabel& fastlaasningsTabel()
{
    static const Portal::Tabel tabel{
        2,
        "Fastlaasning",
        "select * from Fastlaasning where PlanID_Fa = ? order by HoldID_Fa, Kolonne_Fa, Raekke_Fa",
        "delete from Fastlaasning where PlanID_Fa = ?",
        "",
        "",
        {"HoldID_Fa", "Kolonne_Fa", "Raekke_Fa"},
        "fastlåsning",
        "fastlåsninger"};
    return tabel;
}

// The activities' tables are our own: created by the first write of school
// data that has such rows, so a database may lack any of them. Only a
// database keeps them. Their blocks and rooms are saved with the lessons.
Portal::Tabel aktivitetsTabel(size_t nr, const std::string& navn, const std::string& endelse,
                              std::vector<std::string> kolonner, const std::string& enhed, const std::string& flertal)
{
    std::string orden;
    for (const std::string& kolonne : kolonner)
        orden += (orden.empty() ? "" : ", ") + kolonne;
    return {nr,
            navn,
            "select * from " + navn + " where PlanID_" + endelse + " = ? order by " + orden,
            "delete from " + navn + " where PlanID_" + endelse + " = ?",
            "",
            "",
            std::move(kolonner),
            enhed,
            flertal};
}

const Portal::Tabel& aktivitetsskemaTabel()
{
    static const Portal::Tabel tabel = aktivitetsTabel(3, "AktivitetSkema", "AS",
                                                       {"AktivitetID_AS", "Kolonne_AS", "Raekke_AS", "Laengde_AS"},
                                                       "aktivitetstime", "aktivitetstimer");
    return tabel;
}

const Portal::Tabel& aktivitetsskemaLokaleTabel()
{
    static const Portal::Tabel tabel = aktivitetsTabel(
        4, "AktivitetSkemaLokale", "ASL", {"AktivitetID_ASL", "Kolonne_ASL", "Raekke_ASL", "Behov_ASL", "LokaleID_ASL"},
        "lokale til en aktivitetstime", "lokaler til aktivitetstimer");
    return tabel;
}

const Portal::Tabel& gruppeTabel()
{
    static const Portal::Tabel tabel = aktivitetsTabel(
        5, "Gruppe", "Gr", {"HoldID_Gr", "InddelingID_Gr", "GruppeID_Gr"}, "gruppe", "grupper");
    return tabel;
}

const Portal::Tabel& aktivitetTabel()
{
    static const Portal::Tabel tabel = aktivitetsTabel(6, "Aktivitet", "Ak",
                                                       {"AktivitetID_Ak", "FagID_Ak", "Timer_Ak", "Blokstoerrelse_Ak"},
                                                       "aktivitet", "aktiviteter");
    return tabel;
}

const Portal::Tabel& deltagerTabel()
{
    static const Portal::Tabel tabel = aktivitetsTabel(7, "AktivitetDeltager", "AD",
                                                       {"AktivitetID_AD", "HoldID_AD", "GruppeID_AD"},
                                                       "aktivitetsdeltager", "aktivitetsdeltagere");
    return tabel;
}

const Portal::Tabel& aktivitetLaererTabel()
{
    static const Portal::Tabel tabel = aktivitetsTabel(8, "AktivitetLaerer", "AL", {"AktivitetID_AL", "LaererID_AL"},
                                                       "aktivitetslærer", "aktivitetslærere");
    return tabel;
}

const Portal::Tabel& aktivitetLokaleTabel()
{
    static const Portal::Tabel tabel = aktivitetsTabel(
        9, "AktivitetLokale", "ALo", {"AktivitetID_ALo", "Behov_ALo", "LokaleID_ALo"}, "lokalebehov", "lokalebehov");
    return tabel;
}

// A pinned block is named by its activity and its start.
const Portal::Tabel& aktivitetslaasTabel()
{
    static const Portal::Tabel tabel = aktivitetsTabel(
        10, "AktivitetFastlaasning", "AFa", {"AktivitetID_AFa", "Kolonne_AFa", "Raekke_AFa"},
        "fastlåsning af en aktivitetstime", "fastlåsninger af aktivitetstimer");
    return tabel;
}

// Changes nothing, but holds the plan's catalogue row (on SQLite the whole
// database) until the save commits, so that two saves of a plan take turns.
const std::string planLaas = "update Plan set Kolonne_P = Kolonne_P where PlanID_P = ?";

const std::string optagetTekst = "Databasen er optaget af en anden, der gemmer, eller den kan ikke skrives; "
                                 "planen er ikke gemt. Prøv igen om lidt.";
const std::string ikkeOverskrevetTekst = "Planen er gemt af en anden, siden du åbnede den; den er ikke overskrevet.";

// Reasons a stored row is not used.
const std::string tommeFelter = "med tomme felter (NULL)";
const std::string ugyldigeVaerdier = "med værdier, der ikke er gyldige tal eller tekster";
const std::string udenforPlanen = "uden for planens dage og timer";
const std::string brudtBlok = "med en blokstørrelse, der ikke passer til lektionens timer i træk";
const std::string ubrugeligtId = "med et tomt id eller et id med styretegn (linjeskift, tabulator o.l.)";

// As the school data's rules have it: not empty, not only spaces, no control characters.
bool ErBrugbartId(const std::string& id)
{
    return id.find_first_not_of(' ') != std::string::npos &&
           std::none_of(id.begin(), id.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

// A lesson row (its types checked) as the timetables would hold it.
LektionsData SomLektion(const std::vector<SqlVaerdi>& r)
{
    LektionsData l;
    l.hold = std::get<std::string>(r[0]);
    l.fag = std::get<std::string>(r[1]);
    l.laerer = std::get<std::string>(r[2]);
    l.lokale = std::get<std::string>(r[3]);
    l.blok = std::get<int32_t>(r[4]);
    l.kolonne = std::get<int32_t>(r[5]);
    l.raekke = std::get<int32_t>(r[6]);
    return l;
}

// U+FFFD is what the driver makes of bytes that are not UTF-8: such an id no longer matches.
bool ErGyldigTekst(const SqlVaerdi& v)
{
    const auto* tekst = std::get_if<std::string>(&v);
    return tekst != nullptr && tekst->find("\xEF\xBF\xBD") == std::string::npos;
}

// "" when the row has the types its table needs; texts come first, then integers.
std::string TypeFejl(const std::vector<SqlVaerdi>& r, size_t tekster)
{
    for (const SqlVaerdi& v : r) {
        if (std::holds_alternative<std::monostate>(v))
            return tommeFelter;
    }
    for (size_t i = 0; i < r.size(); ++i) {
        if (i < tekster ? !ErGyldigTekst(r[i]) : !std::holds_alternative<int32_t>(r[i]))
            return ugyldigeVaerdier;
    }
    return "";
}

// A value as a person reads it: a text quoted, so that it is never taken for a number or NULL.
std::string Felt(const SqlVaerdi& v)
{
    if (const auto* tekst = std::get_if<std::string>(&v))
        return "'" + *tekst + "'";
    if (const auto* tal = std::get_if<int32_t>(&v))
        return std::to_string(*tal);
    if (const auto* bytes = std::get_if<SqlBytes>(&v))
        return SomHex(*bytes);
    return "NULL";
}

std::string SomTekst(const std::vector<SqlVaerdi>& r, char skilletegn)
{
    std::string tekst;
    for (const SqlVaerdi& v : r)
        tekst += (tekst.empty() ? "" : std::string(1, skilletegn)) + Felt(v);
    return tekst;
}

const PrSkemaArt<std::string> eksportFil{{"HoldSkemaer", "LaererSkemaer", "LokaleSkemaer"}};

} // namespace

Portal::Portal(std::string planId, int32_t kolonner, int32_t raekker, Datakilde tilstand)
    : skemaKontrol_(std::make_unique<SkemaKontrol>(kolonner, raekker)), sql_(std::make_unique<SqlKlasse>(tilstand)),
      planId_(std::move(planId)), kolonner_(kolonner), raekker_(raekker), tilstand_(tilstand),
      export_(std::make_unique<Export>(kolonner, raekker))
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
void Portal::Indlaes()
{
    for (const SkemaArt art : alleSkemaArter)
        OpretSkemaer(art, navne_[art]);
    fingeraftryk_ = {};
    ubrugte_ = {};
    udenforPlanen_.clear();
    std::vector<Raekke> lektioner;
    GennemgaaRaekker(lektionsTabel(), [this, &lektioner](const Raekke& r) {
        fingeraftryk_.Tilfoej(lektionsTabel(), r);
        lektioner.push_back(r);
    });
    BrugLektioner(lektioner);
    std::set<std::tuple<std::string, int32_t, int32_t>> sete;
    GennemgaaRaekker(prioritetsTabel(), [&](const Raekke& r) {
        fingeraftryk_.Tilfoej(prioritetsTabel(), r);
        if (const std::string grund = BrugPrioritet(r, sete); !grund.empty())
            Behold(prioritetsTabel(), r, grund);
    });
    LaesFastlaasninger();
    LaesIndstillinger();
    LaesAktiviteter();
    MeldUbrugte();
}

void Portal::LaesFastlaasninger()
{
    fastlaaste_.clear();
    if (tilstand_ != Datakilde::database || !TSqlModul::Instans().HarTabel(fastlaasningsTabel().navn))
        return;
    GennemgaaRaekker(fastlaasningsTabel(), [this](const Raekke& r) {
        if (const std::string grund = BrugFastlaasning(r); !grund.empty())
            Behold(fastlaasningsTabel(), r, grund);
    });
}

// Pins are no part of the check for another planner's save. The table is
// looked for first: PostgreSQL would print a notice on every save that it
// exists already ("if not exists" is for two first saves at once).
bool Portal::GemFastlaasninger()
{
    const Tabel& tabel = fastlaasningsTabel();
    TSqlModul& modul = TSqlModul::Instans();
    const std::string tekst = modul.Teksttype();
    const std::string opret = "create table if not exists Fastlaasning (PlanID_Fa " + tekst + " not null, HoldID_Fa " +
                              tekst + " not null, Kolonne_Fa integer not null, Raekke_Fa integer not null)";
    if ((!modul.HarTabel(tabel.navn) && !sql_->UdfoerSql(opret)) || !sql_->UdfoerSql(tabel.sletning, {planId_}))
        return false;
    Fingeraftryk medregnesIkke;
    return std::all_of(fastlaaste_.begin(), fastlaaste_.end(),
                       [&](const Fastlaasning& f) {
                           const auto& [hold, kolonne, raekke] = f;
                           return IndsaetRaekke(tabel, {hold, kolonne, raekke}, medregnesIkke);
                       }) &&
           IndsaetUbrugte(tabel, medregnesIkke);
}

// A setting whose value is no whole number (NULL included), or whose name is
// stored twice, is left out and named: the default holds until the planner
// sets it again, and the rows stay as stored.
void Portal::LaesIndstillinger()
{
    indstillinger_.clear();
    ubrugteIndstillinger_.clear();
    if (tilstand_ != Datakilde::database || !TSqlModul::Instans().HarTabel("Planindstilling") ||
        !sql_->Forespoerg("select Navn_PI as Navn, Vaerdi_PI as Vaerdi from Planindstilling where PlanID_PI = ? "
                          "order by Navn_PI",
                          {planId_}))
        return;
    std::map<std::string, std::vector<SqlVaerdi>> gemte;
    SqlVaerdi navn;
    SqlVaerdi vaerdi;
    while (sql_->HentVaerdi("Navn", navn) && sql_->HentVaerdi("Vaerdi", vaerdi)) {
        gemte[Felt(navn)].push_back(vaerdi);
        if (!sql_->Naeste())
            break;
    }
    for (const auto& [felt, vaerdier] : gemte) {
        // A name read as a text is quoted; a NULL or a number as a name is no setting.
        const std::optional<int32_t> tal = vaerdier.size() == 1 ? SomHeltal(vaerdier.front()) : std::nullopt;
        if (tal && felt.starts_with('\''))
            indstillinger_[felt.substr(1, felt.size() - 2)] = *tal;
        else
            ubrugteIndstillinger_.push_back(felt + " = " + SomTekst(vaerdier, '/'));
    }
    for (const std::string& linje : ubrugteIndstillinger_)
        besked_.Log("Gemt planindstilling kan ikke bruges (ikke ét helt tal): " + linje);
}

// Only the settings this program made are replaced; others stay as stored.
bool Portal::GemIndstillinger()
{
    TSqlModul& modul = TSqlModul::Instans();
    const std::string tekst = modul.Teksttype();
    const std::string opret = "create table if not exists Planindstilling (PlanID_PI " + tekst + " not null, Navn_PI " +
                              tekst + " not null, Vaerdi_PI integer)";
    if (indstillinger_.empty() || (!modul.HarTabel("Planindstilling") && !sql_->UdfoerSql(opret)))
        return indstillinger_.empty();
    return std::all_of(indstillinger_.begin(), indstillinger_.end(), [&](const auto& indstilling) {
        const auto& [navn, vaerdi] = indstilling;
        return sql_->UdfoerSql("delete from Planindstilling where PlanID_PI = ? and Navn_PI = ?", {planId_, navn}) &&
               sql_->UdfoerSql("insert into Planindstilling values (?, ?, ?)", {planId_, navn, vaerdi});
    });
}

int32_t Portal::Indstilling(const std::string& navn, int32_t standard) const
{
    const auto fundet = indstillinger_.find(navn);
    return fundet == indstillinger_.end() ? standard : fundet->second;
}

void Portal::SaetIndstilling(const std::string& navn, int32_t vaerdi) { indstillinger_[navn] = vaerdi; }

void Portal::Fastlaas(const std::string& hold, int32_t kolonne, int32_t raekke)
{
    fastlaaste_.insert({hold, kolonne, raekke});
}

// A copy of the pin kept from opening would bring it back at the next opening.
void Portal::Frigiv(const std::string& hold, int32_t kolonne, int32_t raekke)
{
    fastlaaste_.erase({hold, kolonne, raekke});
    std::erase(ubrugte_[fastlaasningsTabel().nr].raekker, Raekke{hold, kolonne, raekke});
}

bool Portal::ErFastlaast(const std::string& hold, int32_t kolonne, int32_t raekke) const
{
    return fastlaaste_.contains({hold, kolonne, raekke});
}

void Portal::OpretSkemaer(SkemaArt art, stack<std::string>& navne)
{
    while (!navne.tom()) {
        const std::string id = navne.pop();
        ider_[art].insert(id);
        skemaKontrol_->OpretSkema(id, art);
    }
}

void Portal::GennemgaaRaekker(const Tabel& tabel, const std::function<void(const Raekke&)>& brug)
{
    if (planId_ == tomId)
        return;
    const bool fundet = tilstand_ == Datakilde::database ? sql_->Forespoerg(tabel.forespoergsel, {planId_})
                                                         : sql_->Forespoerg(tabel.fil);
    if (!fundet)
        return;
    Raekke raekke(tabel.kolonner.size());
    do {
        for (size_t i = 0; i < raekke.size(); ++i) {
            if (!sql_->HentVaerdi(tabel.kolonner[i], raekke[i]))
                return;
        }
        brug(raekke);
    } while (sql_->Naeste());
}

// A block is stored as one row per hour, so its rows stand in a run of hours
// of one day; a run its block size does not divide (a double lesson at the
// last hour alone, a block longer than the day) cannot be moved or counted.
void Portal::BrugLektioner(const std::vector<Raekke>& lektioner)
{
    std::vector<std::string> grunde;
    for (const Raekke& r : lektioner)
        grunde.push_back(LektionsFejl(r));
    const auto samme = [&](size_t a, size_t b) {
        return grunde[b].empty() && std::equal(lektioner[a].begin(), lektioner[a].begin() + 6, lektioner[b].begin()) &&
               std::get<int32_t>(lektioner[b][6]) == std::get<int32_t>(lektioner[a][6]) + 1;
    };
    for (size_t i = 0; i < lektioner.size();) {
        size_t slut = i + 1;
        if (grunde[i].empty()) {
            while (slut < lektioner.size() && samme(slut - 1, slut))
                ++slut;
            if ((slut - i) % static_cast<size_t>(std::get<int32_t>(lektioner[i][4])) != 0)
                std::fill(grunde.begin() + static_cast<std::ptrdiff_t>(i),
                          grunde.begin() + static_cast<std::ptrdiff_t>(slut), brudtBlok);
        }
        i = slut;
    }
    for (size_t i = 0; i < lektioner.size(); ++i) {
        const Raekke& r = lektioner[i];
        const auto tekst = [&](size_t k) -> const std::string& { return std::get<std::string>(r[k]); };
        const auto tal = [&](size_t k) { return std::get<int32_t>(r[k]); };
        if (grunde[i].empty() &&
            !skemaKontrol_->SaetLektion(tekst(0), tekst(1), tekst(2), tekst(3), tal(4), tal(5), tal(6)))
            grunde[i] = "på en time, der allerede er optaget";
        if (!grunde[i].empty())
            Behold(lektionsTabel(), r, grunde[i]);
        if (grunde[i] == udenforPlanen)
            udenforPlanen_.push_back(SomLektion(r));
    }
}

std::string Portal::LektionsFejl(const Raekke& r) const
{
    if (std::string fejl = TypeFejl(r, 4); !fejl.empty())
        return fejl;
    const auto tekst = [&](size_t i) -> const std::string& { return std::get<std::string>(r[i]); };
    const auto tal = [&](size_t i) { return std::get<int32_t>(r[i]); };
    if (!std::all_of(r.begin(), r.begin() + 4,
                     [](const SqlVaerdi& v) { return ErBrugbartId(std::get<std::string>(v)); }))
        return ubrugeligtId;
    if (tal(4) < 1)
        return "med blokstørrelse under 1";
    if (tal(5) < 0 || tal(5) >= kolonner_ || tal(6) < 0 || tal(6) >= raekker_)
        return udenforPlanen;
    if (!ider_[SkemaArt::hold].contains(tekst(0)) || !ider_[SkemaArt::laerer].contains(tekst(2)) ||
        !ider_[SkemaArt::lokale].contains(tekst(3)))
        return "med et hold, en lærer eller et lokale, der ikke er i planen";
    if (fag_ && !fag_->contains(tekst(1)))
        return "i et fag, planen ikke har timer i";
    return "";
}

std::string Portal::BrugPrioritet(const Raekke& r, std::set<std::tuple<std::string, int32_t, int32_t>>& sete)
{
    if (std::string fejl = TypeFejl(r, 1); !fejl.empty())
        return fejl;
    const std::string& laerer = std::get<std::string>(r[0]);
    const int32_t prioritet = std::get<int32_t>(r[1]);
    const int32_t kolonne = std::get<int32_t>(r[2]);
    const int32_t raekke = std::get<int32_t>(r[3]);
    if (prioritet < -3 || prioritet > 3)
        return "med en prioritet uden for -3 ... 3";
    if (kolonne < 0 || kolonne >= kolonner_ || raekke < 0 || raekke >= raekker_)
        return udenforPlanen;
    if (!ider_[SkemaArt::laerer].contains(laerer))
        return "for en lærer, der ikke er i planen";
    if (!sete.emplace(laerer, kolonne, raekke).second)
        return "for en time, der allerede har en prioritet";
    skemaKontrol_->SaetPrioritet(laerer, prioritet, kolonne, raekke);
    return "";
}

std::string Portal::BrugFastlaasning(const Raekke& r)
{
    if (std::string fejl = TypeFejl(r, 1); !fejl.empty())
        return fejl;
    const std::string& hold = std::get<std::string>(r[0]);
    const int32_t kolonne = std::get<int32_t>(r[1]);
    const int32_t raekke = std::get<int32_t>(r[2]);
    if (kolonne < 0 || kolonne >= kolonner_ || raekke < 0 || raekke >= raekker_)
        return udenforPlanen;
    if (!ider_[SkemaArt::hold].contains(hold))
        return "for et hold, der ikke er i planen";
    // The second of two equal rows is kept as stored, so that saving gives back every row.
    if (!fastlaaste_.insert({hold, kolonne, raekke}).second)
        return "for en time, der allerede er fastlåst";
    return "";
}

void Portal::Behold(const Tabel& tabel, const Raekke& raekke, const std::string& grund)
{
    Ubrugte& ubrugte = ubrugte_[tabel.nr];
    ubrugte.raekker.push_back(raekke);
    ++ubrugte.grunde[grund];
    besked_.Log("Gemt " + tabel.enhed + " kan ikke bruges (" + grund + "): " + SomTekst(raekke, ' '));
}

// The counts per reason, and the first rows themselves, so that the command
// line shows them too; the log has every row.
void Portal::MeldUbrugte() const
{
    constexpr size_t vist = 10;
    std::string linjer;
    std::string eksempler;
    size_t ialt = 0;
    for (const Tabel* tabel : {&lektionsTabel(), &prioritetsTabel(), &fastlaasningsTabel(), &aktivitetsskemaTabel(),
                               &aktivitetsskemaLokaleTabel(), &gruppeTabel(), &aktivitetTabel(), &deltagerTabel(),
                               &aktivitetLaererTabel(), &aktivitetLokaleTabel(), &aktivitetslaasTabel()}) {
        const Ubrugte& ubrugte = ubrugte_[tabel->nr];
        for (const auto& [grund, antal] : ubrugte.grunde)
            linjer += "\n  " + std::to_string(antal) + " " + (antal == 1 ? tabel->enhed : tabel->flertal) + " " + grund;
        for (const Raekke& r : ubrugte.raekker) {
            if (ialt++ < vist)
                eksempler += "\n  " + tabel->navn + ": " + SomTekst(r, ' ');
        }
    }
    if (!ubrugteIndstillinger_.empty()) {
        const size_t antal = ubrugteIndstillinger_.size();
        linjer += "\n  " + std::to_string(antal) + (antal == 1 ? " planindstilling" : " planindstillinger") +
                  " uden netop ét helt tal som værdi (standarden gælder):";
        for (const std::string& linje : ubrugteIndstillinger_)
            linjer += " " + linje;
    }
    if (ialt == 0 && ubrugteIndstillinger_.empty())
        return;
    besked_.VisInfo("Nogle gemte rækker i planen kan ikke bruges. De står ikke i skemaerne, men gemmes uændret "
                    "igen, så intet går tabt:" +
                    linjer +
                    (ialt == 0 ? "" : "\nRækkerne" + std::string(ialt > vist ? " (alle står i loggen)" : "") + ":") +
                    eksempler);
}

void Portal::Fingeraftryk::Tilfoej(const Tabel& tabel, const Raekke& raekke)
{
    // A sum does not depend on the order the rows come in.
    sum += std::hash<std::string>{}(tabel.navn + '\x1f' + SomTekst(raekke, '\x1f')) * 0x9E3779B97F4A7C15ULL;
    ++antal;
}

Portal::Fingeraftryk Portal::LagretFingeraftryk()
{
    Fingeraftryk lagret;
    for (const Tabel* tabel : {&lektionsTabel(), &prioritetsTabel()})
        GennemgaaRaekker(*tabel, [&](const Raekke& r) { lagret.Tilfoej(*tabel, r); });
    AktivitetsFingeraftryk(lagret);
    return lagret;
}

bool Portal::Gem(Overskrivning overskriv)
{
    besked_.TidsTitel("Gemning");
    Stopur total;
    Stopur trin;
    total.Start();
    trin.Start();
    Fingeraftryk nyt;
    if (!Transaktion([&] { return Erstat(trin, overskriv, nyt); }))
        return false;
    fingeraftryk_ = nyt;
    SkrivTid(total, "Total: ", 5);
    return true;
}

// Once the plan is held, no other save can come between the comparison and the commit.
std::string Portal::TagPlanen(Overskrivning overskriv)
{
    if (!sql_->UdfoerSql(planLaas, {planId_}))
        return optagetTekst + "\n(" + sql_->SidsteFejl() + ")";
    if (overskriv == Overskrivning::Tillad || LagretFingeraftryk() == fingeraftryk_)
        return "";
    if (overskriv == Overskrivning::Spoerg && besked_.SpoergForsigtigt(OverskrivningsSpoergsmaal(), "Planen er ændret"))
        return "";
    return ikkeOverskrevetTekst;
}

std::string Portal::OverskrivningsSpoergsmaal()
{
    int32_t lektioner = 0;
    int32_t prioriteter = 0;
    GennemgaaRaekker(lektionsTabel(), [&](const Raekke&) { ++lektioner; });
    GennemgaaRaekker(prioritetsTabel(), [&](const Raekke&) { ++prioriteter; });
    return andenHarGemtTekst + " Overskriver du, erstattes de " + std::to_string(lektioner) + " lektionstimer og " +
           std::to_string(prioriteter) + " tidsprioriteter, der er gemt nu, af skemaerne her (" +
           std::to_string(AntalLektionerIalt()) + " lektionstimer), og det, den anden har ændret, går tabt. Overskriv?";
}

// Gives the message of the step that failed, or "" when every step succeeded.
std::string Portal::Erstat(Stopur& trin, Overskrivning overskriv, Fingeraftryk& nyt)
{
    if (tilstand_ == Datakilde::database) {
        if (std::string fejl = TagPlanen(overskriv); !fejl.empty())
            return fejl;
        if (!sql_->UdfoerSql(lektionsTabel().sletning, {planId_}))
            return "Gamle lektioner kunne ikke slettes!";
    }
    SkrivTid(trin, "Sletning af lektioner:", 1);
    trin.Start();
    if (!IndsaetLektioner(nyt))
        return "Lektionerne kunne ikke gemmes";
    SkrivTid(trin, "Gemning af nye lektioner: ", 2);
    trin.Start();
    if (tilstand_ == Datakilde::database && !sql_->UdfoerSql(prioritetsTabel().sletning, {planId_}))
        return "Gamle LektionsPrioriteter kunne ikke slettes";
    SkrivTid(trin, "Sletning af Prioriteter: ", 3);
    trin.Start();
    if (!IndsaetPrioriteter(nyt))
        return "Lektions prioriteterne kunne ikke gemmes";
    SkrivTid(trin, "Gemning af nye Prioriteter: ", 4);
    if (tilstand_ == Datakilde::database && !GemFastlaasninger())
        return "Fastlåsningerne kunne ikke gemmes";
    if (tilstand_ == Datakilde::database && !GemIndstillinger())
        return "Planens indstillinger kunne ikke gemmes";
    if (tilstand_ == Datakilde::database && !GemAktivitetsblokke(nyt))
        return "Aktiviteternes timer kunne ikke gemmes";
    if (tilstand_ == Datakilde::database && !GemAktivitetslaase())
        return "Aktiviteternes fastlåsninger kunne ikke gemmes";
    return "";
}

// The transaction is rolled back before a failure is shown, and before an
// exception (a lost connection, say) leaves the save.
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

bool Portal::IndsaetLektioner(Fingeraftryk& nyt)
{
    const Tabel& tabel = lektionsTabel();
    skemaKontrol_->NulstilMarkoer(SkemaArt::hold);
    stack<LektionsData> lektioner;
    while (skemaKontrol_->HentNaesteLektioner(lektioner, SkemaArt::hold)) {
        while (!lektioner.tom()) {
            const LektionsData l = lektioner.pop();
            if (!IndsaetRaekke(tabel, {l.hold, l.fag, l.laerer, l.lokale, l.blok, l.kolonne, l.raekke}, nyt))
                return false;
        }
    }
    return IndsaetUbrugte(tabel, nyt);
}

bool Portal::IndsaetPrioriteter(Fingeraftryk& nyt)
{
    const Tabel& tabel = prioritetsTabel();
    skemaKontrol_->NulstilMarkoer(SkemaArt::laerer);
    stack<PLektionsData> prioriteter;
    std::string laerer;
    while (skemaKontrol_->HentNaestePrioriteter(prioriteter, laerer)) {
        while (!prioriteter.tom()) {
            const PLektionsData p = prioriteter.pop();
            if (!IndsaetRaekke(tabel, {laerer, p.prioritet, p.kolonne, p.raekke}, nyt))
                return false;
        }
    }
    return IndsaetUbrugte(tabel, nyt);
}

bool Portal::IndsaetUbrugte(const Tabel& tabel, Fingeraftryk& nyt)
{
    const auto& ubrugte = ubrugte_[tabel.nr].raekker;
    return std::all_of(ubrugte.begin(), ubrugte.end(), [&](const Raekke& r) { return IndsaetRaekke(tabel, r, nyt); });
}

bool Portal::IndsaetRaekke(const Tabel& tabel, const Raekke& raekke, Fingeraftryk& nyt)
{
    sql_->IndsaetStart(tilstand_ == Datakilde::database ? tabel.navn : tabel.gemFil);
    sql_->TilfoejTekst(planId_);
    for (const SqlVaerdi& v : raekke)
        sql_->TilfoejVaerdi(v);
    nyt.Tilfoej(tabel, raekke);
    return sql_->IndsaetSlut();
}

void Portal::SkrivTid(Stopur& ur, const std::string& etiket, int32_t raekke) const
{
    ur.Stop();
    besked_.TidsLinje(ur.Sekunder(), etiket, raekke);
}

namespace {

// The hours that lessons of the new kind fill on the page being drawn. A
// lesson placed on such an hour keeps the cell, as the page has room for one.
void indsaetAktiviteter(Export& side, const Aktivitetsplan& plan, const std::string& id, SkemaArt art,
                        const std::vector<Placering>& optaget)
{
    for (const Aktivitetscelle& celle : AktivitetsCeller(plan, art, id)) {
        if (std::find(optaget.begin(), optaget.end(), celle.p) == optaget.end())
            side.IndsaetAktivitet(celle.tekst, celle.p.kolonne, celle.p.raekke + 1);
    }
}

} // namespace

bool Portal::Eksporter(const std::string& mappe)
{
    std::vector<atomiskFil::Fil> filer;
    for (const SkemaArt art : alleSkemaArter)
        filer.push_back({(std::filesystem::path(mappe) / (eksportFil[art] + ".txt")).string(), Sider(art)});
    std::string fejl;
    if (atomiskFil::Skriv(filer, fejl))
        return true;
    besked_.VisFejl("Skemaerne kunne ikke eksporteres: " + fejl, fejlTitel);
    return false;
}

std::string Portal::Sider(SkemaArt art)
{
    std::vector<std::pair<std::string, std::string>> sider; // id and page, in the order of the store's list
    skemaKontrol_->NulstilMarkoer(art);
    stack<LektionsData> lektioner;
    while (skemaKontrol_->HentNaesteLektioner(lektioner, art)) {
        if (lektioner.tom())
            continue;
        std::string titel;
        export_->NulstilSide();
        std::vector<Placering> optaget;
        while (!lektioner.tom()) {
            const LektionsData l = lektioner.pop();
            export_->IndsaetPaaPlan(l.hold, l.fag, l.laerer, l.lokale, l.kolonne, l.raekke + 1);
            optaget.push_back({l.kolonne, l.raekke});
            titel = IdForArt(l, art);
        }
        indsaetAktiviteter(*export_, aktiviteter_, titel, art, optaget);
        sider.emplace_back(titel, export_->SideTekst(titel));
    }
    // A timetable that only lessons of the new kind fill gets its page among the others, by id.
    for (const std::string& id : AktivitetsSkemaer(aktiviteter_, art)) {
        const auto plads = std::lower_bound(sider.begin(), sider.end(), id,
                                            [](const auto& side, const std::string& ny) { return side.first < ny; });
        if ((plads != sider.end() && plads->first == id) || AktivitetsCeller(aktiviteter_, art, id).empty())
            continue;
        export_->NulstilSide();
        indsaetAktiviteter(*export_, aktiviteter_, id, art, {});
        sider.insert(plads, {id, export_->SideTekst(id)});
    }
    std::string tekst;
    for (const auto& side : sider)
        tekst += side.second;
    return tekst;
}

bool Portal::UdskrivSkema(const std::string& id, SkemaArt art)
{
    export_->NulstilSide();
    stack<LektionsData> lektioner;
    skemaKontrol_->HentLektioner(id, lektioner, art);
    std::vector<Placering> optaget;
    while (!lektioner.tom()) {
        const LektionsData l = lektioner.pop();
        export_->IndsaetPaaPlan(l.hold, l.fag, l.laerer, l.lokale, l.kolonne, l.raekke + 1);
        optaget.push_back({l.kolonne, l.raekke});
    }
    indsaetAktiviteter(*export_, aktiviteter_, id, art, optaget);
    return export_->UdskrivSide(id);
}

// --- Activities ---

namespace {

// "" when the row has the types its columns need: 't' a text, 'i' an integer.
std::string AktivitetsTypeFejl(const std::vector<SqlVaerdi>& r, const std::string& typer)
{
    for (size_t i = 0; i < r.size(); ++i) {
        if (std::holds_alternative<std::monostate>(r[i]))
            return tommeFelter;
        if (typer[i] == 't' ? !ErGyldigTekst(r[i]) : !std::holds_alternative<int32_t>(r[i]))
            return ugyldigeVaerdier;
    }
    return "";
}

const std::string ukendtAktivitet = "for en aktivitet, der ikke findes i planen";

// A block's place, as its rooms' rows name it.
using Blokplads = std::tuple<std::string, int32_t, int32_t>;

Blokplads PladsAf(const std::vector<SqlVaerdi>& r)
{
    return {std::get<std::string>(r[0]), std::get<int32_t>(r[1]), std::get<int32_t>(r[2])};
}

} // namespace

void Portal::LaesAktiviteter()
{
    aktiviteter_ = {};
    if (tilstand_ != Datakilde::database)
        return;
    std::map<std::string, Aktivitet> aktiviteter;
    std::set<std::string> ubrugelige;
    LaesAktivitetsdefinitioner(aktiviteter, ubrugelige);
    for (auto& [id, aktivitet] : aktiviteter) {
        if (!ubrugelige.contains(id))
            aktiviteter_.TilfoejAktivitet(std::move(aktivitet));
    }
    LaesAktivitetsblokke();
    LaesAktivitetslaase();
}

// A participant, teacher or need that cannot be used makes its whole activity
// unusable: placed without it, the activity would say less than the planner wrote.
void Portal::LaesAktivitetsdefinitioner(std::map<std::string, Aktivitet>& aktiviteter,
                                        std::set<std::string>& ubrugelige)
{
    const auto gennemgaa = [&](const Tabel& tabel, const std::string& typer,
                               const std::function<std::string(const Raekke&)>& brug) {
        if (!TSqlModul::Instans().HarTabel(tabel.navn))
            return;
        GennemgaaRaekker(tabel, [&](const Raekke& r) {
            std::string grund = AktivitetsTypeFejl(r, typer);
            if (grund.empty())
                grund = brug(r);
            if (!grund.empty())
                Behold(tabel, r, grund);
        });
    };
    gennemgaa(gruppeTabel(), "ttt", [&](const Raekke& r) -> std::string {
        const std::string& hold = std::get<std::string>(r[0]);
        if (!ider_[SkemaArt::hold].contains(hold))
            return "for et hold, der ikke er i planen";
        aktiviteter_.enheder.TilfoejGruppe(hold, std::get<std::string>(r[1]), std::get<std::string>(r[2]));
        return "";
    });
    gennemgaa(aktivitetTabel(), "ttii", [&](const Raekke& r) -> std::string {
        const int32_t timer = std::get<int32_t>(r[2]);
        const int32_t blok = std::get<int32_t>(r[3]);
        if (timer < 0 || blok < 1)
            return "med timer under 0 eller blokstørrelse under 1";
        const std::string& id = std::get<std::string>(r[0]);
        aktiviteter[id] = {id, std::get<std::string>(r[1]), timer, blok, {}, {}, {}};
        return "";
    });
    // The rows that hang on an activity: those of an unknown activity are kept aside.
    const auto tilAktivitet = [&](const Raekke& r, const std::function<std::string(Aktivitet&)>& brug) {
        const auto fundet = aktiviteter.find(std::get<std::string>(r[0]));
        if (fundet == aktiviteter.end())
            return ukendtAktivitet;
        std::string grund = brug(fundet->second);
        if (!grund.empty())
            ubrugelige.insert(fundet->first);
        return grund;
    };
    gennemgaa(deltagerTabel(), "ttt", [&](const Raekke& r) {
        return tilAktivitet(r, [&](Aktivitet& a) -> std::string {
            const Deltager deltager{std::get<std::string>(r[1]), std::get<std::string>(r[2])};
            if (!ider_[SkemaArt::hold].contains(deltager.hold) || !aktiviteter_.enheder.Kender(deltager))
                return "med et hold eller en gruppe, der ikke er i planen";
            a.deltagere.push_back(deltager);
            return "";
        });
    });
    gennemgaa(aktivitetLaererTabel(), "tt", [&](const Raekke& r) {
        return tilAktivitet(r, [&](Aktivitet& a) -> std::string {
            a.laerere.push_back(std::get<std::string>(r[1]));
            return "";
        });
    });
    gennemgaa(aktivitetLokaleTabel(), "tit", [&](const Raekke& r) {
        return tilAktivitet(r, [&](Aktivitet& a) -> std::string {
            const int32_t nr = std::get<int32_t>(r[1]);
            if (nr < 1)
                return "med et lokalebehov under 1";
            if (a.behov.empty() || a.behov.back().nr != nr)
                a.behov.push_back({nr, {}});
            a.behov.back().lokaler.push_back(std::get<std::string>(r[2]));
            return "";
        });
    });
}

// A block's rooms are read first, so that each block takes its own along; a
// block that cannot be used keeps its rooms' rows with it.
void Portal::LaesAktivitetsblokke()
{
    TSqlModul& modul = TSqlModul::Instans();
    std::map<Blokplads, std::vector<Raekke>> lokaler;
    if (modul.HarTabel(aktivitetsskemaLokaleTabel().navn)) {
        GennemgaaRaekker(aktivitetsskemaLokaleTabel(), [&](const Raekke& r) {
            fingeraftryk_.Tilfoej(aktivitetsskemaLokaleTabel(), r);
            if (const std::string grund = AktivitetsTypeFejl(r, "tiiit"); !grund.empty())
                Behold(aktivitetsskemaLokaleTabel(), r, grund);
            else
                lokaler[PladsAf(r)].push_back(r);
        });
    }
    if (modul.HarTabel(aktivitetsskemaTabel().navn)) {
        std::vector<LektionsData> lektioner;
        skemaKontrol_->NulstilMarkoer(SkemaArt::hold);
        stack<LektionsData> stak;
        while (skemaKontrol_->HentNaesteLektioner(stak, SkemaArt::hold)) {
            while (!stak.tom())
                lektioner.push_back(stak.pop());
        }
        GennemgaaRaekker(aktivitetsskemaTabel(), [&](const Raekke& r) {
            fingeraftryk_.Tilfoej(aktivitetsskemaTabel(), r);
            std::vector<Raekke> blokkensLokaler;
            std::string grund = AktivitetsTypeFejl(r, "tiii");
            if (grund.empty()) {
                blokkensLokaler = std::move(lokaler[PladsAf(r)]);
                lokaler.erase(PladsAf(r));
                grund = BrugAktivitetsblok(r, blokkensLokaler, lektioner);
            }
            if (grund.empty())
                return;
            Behold(aktivitetsskemaTabel(), r, grund);
            for (const Raekke& lokale : blokkensLokaler)
                Behold(aktivitetsskemaLokaleTabel(), lokale, "for en aktivitetstime, der ikke kan bruges");
        });
    }
    for (const auto& [plads, raekker] : lokaler) {
        for (const Raekke& r : raekker)
            Behold(aktivitetsskemaLokaleTabel(), r, "uden en aktivitetstime på det sted");
    }
}

std::string Portal::BrugAktivitetsblok(const Raekke& r, std::vector<Raekke>& lokaler,
                                       const std::vector<LektionsData>& lektioner)
{
    const Aktivitet* aktivitet = aktiviteter_.Find(std::get<std::string>(r[0]));
    if (aktivitet == nullptr)
        return ukendtAktivitet;
    Aktivitetsblok blok{aktivitet->id, {std::get<int32_t>(r[1]), std::get<int32_t>(r[2])}, std::get<int32_t>(r[3]), {}};
    if (!Uge{kolonner_, raekker_}.RummerBlok(blok.start, blok.laengde))
        return udenforPlanen;
    // One room per need, from the need's own rooms.
    std::sort(lokaler.begin(), lokaler.end(),
              [](const Raekke& a, const Raekke& b) { return std::get<int32_t>(a[3]) < std::get<int32_t>(b[3]); });
    bool passer = lokaler.size() == aktivitet->behov.size();
    for (size_t i = 0; passer && i < lokaler.size(); ++i) {
        const Lokalebehov& behov = aktivitet->behov[i];
        const std::string& lokale = std::get<std::string>(lokaler[i][4]);
        passer = std::get<int32_t>(lokaler[i][3]) == behov.nr &&
                 std::find(behov.lokaler.begin(), behov.lokaler.end(), lokale) != behov.lokaler.end();
        blok.lokaler.push_back(lokale);
    }
    if (!passer)
        return "med lokaler, der ikke svarer til aktivitetens lokalebehov";
    if (aktiviteter_.HindringFor(blok, lektioner) != Hindring::ingen)
        return "på en time, hvor nogen af deltagerne, lærerne eller lokalerne er optaget";
    aktiviteter_.Placer(std::move(blok));
    return "";
}

// The same columns as the school data's tables of the same names.
bool Portal::OpretAktivitetsskemaTabeller()
{
    const std::string tekst = TSqlModul::Instans().Teksttype();
    return sql_->UdfoerSql("create table if not exists AktivitetSkema (PlanID_AS " + tekst +
                           " not null, AktivitetID_AS " + tekst +
                           " not null, Kolonne_AS integer not null, Raekke_AS integer not null, Laengde_AS integer "
                           "not null)") &&
           sql_->UdfoerSql("create table if not exists AktivitetSkemaLokale (PlanID_ASL " + tekst +
                           " not null, AktivitetID_ASL " + tekst +
                           " not null, Kolonne_ASL integer not null, Raekke_ASL integer not null, Behov_ASL integer "
                           "not null, LokaleID_ASL " +
                           tekst + " not null)");
}

std::map<std::string, std::array<int32_t, maksCeller>> Portal::AktivitetslaerernesPrioriteter() const
{
    std::set<std::string> laerere;
    for (const Aktivitet& a : aktiviteter_.Aktiviteter())
        for (const std::string& laerer : a.laerere)
            if (!ider_[SkemaArt::laerer].contains(laerer))
                laerere.insert(laerer);
    std::map<std::string, std::array<int32_t, maksCeller>> prioriteter;
    for (const Raekke& r : ubrugte_[prioritetsTabel().nr].raekker) {
        const auto* laerer = std::get_if<std::string>(&r[0]);
        const auto* prioritet = std::get_if<int32_t>(&r[1]);
        const auto* kolonne = std::get_if<int32_t>(&r[2]);
        const auto* raekke = std::get_if<int32_t>(&r[3]);
        if (laerer == nullptr || prioritet == nullptr || kolonne == nullptr || raekke == nullptr ||
            !laerere.contains(*laerer) || !Uge{kolonner_, raekker_}.Indeholder({*kolonne, *raekke}) ||
            *prioritet < utilgaengelig || *prioritet > 3)
            continue;
        auto [celler, ny] = prioriteter.try_emplace(*laerer);
        if (ny)
            celler->second.fill(0);
        celler->second[*kolonne * maksTimer + *raekke] = *prioritet;
    }
    return prioriteter;
}

void Portal::AktivitetsFingeraftryk(Fingeraftryk& fingeraftryk)
{
    if (tilstand_ != Datakilde::database)
        return;
    for (const Tabel* tabel : {&aktivitetsskemaTabel(), &aktivitetsskemaLokaleTabel()}) {
        if (TSqlModul::Instans().HarTabel(tabel->navn))
            GennemgaaRaekker(*tabel, [&](const Raekke& r) { fingeraftryk.Tilfoej(*tabel, r); });
    }
}

// The first blocks a completion places create their tables; a plan without
// blocks creates nothing.
bool Portal::GemAktivitetsblokke(Fingeraftryk& nyt)
{
    TSqlModul& modul = TSqlModul::Instans();
    for (const Tabel* tabel : {&aktivitetsskemaTabel(), &aktivitetsskemaLokaleTabel()}) {
        if (modul.HarTabel(tabel->navn) && !sql_->UdfoerSql(tabel->sletning, {planId_}))
            return false;
    }
    if (!aktiviteter_.Blokke().empty() && !OpretAktivitetsskemaTabeller())
        return false;
    for (const Aktivitetsblok& blok : aktiviteter_.Blokke()) {
        if (!IndsaetRaekke(aktivitetsskemaTabel(),
                           {blok.aktivitet, blok.start.kolonne, blok.start.raekke, blok.laengde}, nyt))
            return false;
        const Aktivitet& aktivitet = *aktiviteter_.Find(blok.aktivitet);
        for (size_t i = 0; i < blok.lokaler.size(); ++i) {
            if (!IndsaetRaekke(
                    aktivitetsskemaLokaleTabel(),
                    {blok.aktivitet, blok.start.kolonne, blok.start.raekke, aktivitet.behov[i].nr, blok.lokaler[i]},
                    nyt))
                return false;
        }
    }
    // Kept rows came from their tables, so those exist.
    return IndsaetUbrugte(aktivitetsskemaTabel(), nyt) && IndsaetUbrugte(aktivitetsskemaLokaleTabel(), nyt);
}

bool Portal::FlytAktivitetsblok(const std::string& aktivitet, Placering start, Placering til)
{
    return aktiviteter_.Flyt(aktivitet, start, til);
}

// A copy of the pin kept from opening would bring it back at the next opening.
bool Portal::SaetAktivitetsblokLaast(const std::string& aktivitet, Placering start, bool laast)
{
    if (!aktiviteter_.SaetLaast(aktivitet, start, laast))
        return false;
    if (!laast)
        std::erase(ubrugte_[aktivitetslaasTabel().nr].raekker, Raekke{aktivitet, start.kolonne, start.raekke});
    return true;
}

// A pin whose block is not in the plan (kept aside, or gone) is kept as stored.
void Portal::LaesAktivitetslaase()
{
    const Tabel& tabel = aktivitetslaasTabel();
    if (!TSqlModul::Instans().HarTabel(tabel.navn))
        return;
    GennemgaaRaekker(tabel, [&](const Raekke& r) {
        std::string grund = AktivitetsTypeFejl(r, "tii");
        if (grund.empty()) {
            const std::string& aktivitet = std::get<std::string>(r[0]);
            const Placering start{std::get<int32_t>(r[1]), std::get<int32_t>(r[2])};
            const Aktivitetsblok* blok = aktiviteter_.BlokVed(aktivitet, start);
            grund = blok == nullptr ? "uden en aktivitetstime, der starter der"
                    : blok->laast   ? "for en aktivitetstime, der allerede er fastlåst"
                                    : "";
        }
        if (grund.empty())
            aktiviteter_.SaetLaast(std::get<std::string>(r[0]), {std::get<int32_t>(r[1]), std::get<int32_t>(r[2])},
                                   true);
        else
            Behold(tabel, r, grund);
    });
}

// Like the lessons' pins no part of the check for another planner's save. A
// plan without pinned blocks creates nothing.
bool Portal::GemAktivitetslaase()
{
    const Tabel& tabel = aktivitetslaasTabel();
    TSqlModul& modul = TSqlModul::Instans();
    const bool laaste = std::any_of(aktiviteter_.Blokke().begin(), aktiviteter_.Blokke().end(),
                                    [](const Aktivitetsblok& b) { return b.laast; });
    const bool findes = modul.HarTabel(tabel.navn);
    if (!findes && !laaste)
        return true;
    const std::string tekst = modul.Teksttype();
    const std::string opret = "create table if not exists " + tabel.navn + " (PlanID_AFa " + tekst +
                              " not null, AktivitetID_AFa " + tekst +
                              " not null, Kolonne_AFa integer not null, Raekke_AFa integer not null)";
    if ((!findes && !sql_->UdfoerSql(opret)) || !sql_->UdfoerSql(tabel.sletning, {planId_}))
        return false;
    Fingeraftryk medregnesIkke;
    for (const Aktivitetsblok& blok : aktiviteter_.Blokke()) {
        if (blok.laast && !IndsaetRaekke(tabel, {blok.aktivitet, blok.start.kolonne, blok.start.raekke}, medregnesIkke))
            return false;
    }
    return IndsaetUbrugte(tabel, medregnesIkke);
}
