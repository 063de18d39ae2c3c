#include "cli/KommandoLinje.h"

#include "cli/KommandoLinjeModtager.h"
#include "app/Skemavisning.h"
#include "app/Udgivelse.h"
#include "base/Talformat.h"
#include "app/Vorivazi.h"
#include "app/Opgaver.h"
#include "app/Skoledatatjeneste.h"
#include "db/Forbindelsesvalg.h"
#include "db/SqlKlasse.h"
#include "db/TSqlModul.h"
#include "regler/Planregler.h"
#include "app/Regeloversigt.h"
#include "skoledata/Planregeldata.h"
#include "base/Uge.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string_view>

namespace kommandoLinje {

namespace {

// Steps of the completion between two looks at the clock.
constexpr int64_t fuldfoerelsesSkive = 500;
// Figures on the command line use a decimal dot, whatever the locale.
constexpr Talseparatorer punktum = engelskeSeparatorer;

struct Interval {
    int mindst;
    int hoejst;
};

bool laesTal(const std::string& tekst, Interval interval, int& ud)
{
    int vaerdi = 0;
    const auto [slut, fejl] = std::from_chars(tekst.data(), tekst.data() + tekst.size(), vaerdi);
    if (fejl != std::errc{} || slut != tekst.data() + tekst.size())
        return false;
    if (vaerdi < interval.mindst || vaerdi > interval.hoejst)
        return false;
    ud = vaerdi;
    return true;
}

// Empty when TYPE:ID is well formed, otherwise what is wrong with it.
std::string laesSkemaValg(const std::string& tekst, SkemaValg& ud)
{
    const size_t kolon = tekst.find(':');
    if (kolon == std::string::npos)
        return "mangler ':' mellem type og id i " + tekst;
    const std::string type = tekst.substr(0, kolon);
    const std::optional<SkemaArt> art = type.size() == 1 ? SkemaArtFor(type[0]) : std::nullopt;
    if (!art)
        return "ukendt skematype '" + type + "' i " + tekst + " (brug h, l eller k)";
    if (kolon + 1 == tekst.size())
        return "mangler id efter ':' i " + tekst;
    ud = {*art, tekst.substr(kolon + 1)};
    return "";
}

// Empty when DAY,HOUR is well formed, otherwise what is wrong with it.
std::string laesTime(const std::string& tekst, int& dag, int& time)
{
    const size_t komma = tekst.find(',');
    if (komma == std::string::npos || !laesTal(tekst.substr(0, komma), {1, maksDage}, dag) ||
        !laesTal(tekst.substr(komma + 1), {1, maksTimer}, time))
        return "'" + tekst + "' er ikke DAG,TIME (1-" + std::to_string(maksDage) + ",1-" + std::to_string(maksTimer) +
               ")";
    return "";
}

// Empty when TYPE:ID:DAY,HOUR:DAY,HOUR is well formed, otherwise what is wrong with it.
std::string laesFlytValg(const std::string& tekst, FlytValg& ud)
{
    const size_t tilKolon = tekst.rfind(':');
    const size_t fraKolon = tilKolon == std::string::npos || tilKolon == 0 ? std::string::npos
                                                                           : tekst.rfind(':', tilKolon - 1);
    if (fraKolon == std::string::npos)
        return "skal være TYPE:ID:DAG,TIME:DAG,TIME, ikke " + tekst;
    if (std::string grund = laesSkemaValg(tekst.substr(0, fraKolon), ud.skema); !grund.empty())
        return grund;
    if (std::string grund = laesTime(tekst.substr(fraKolon + 1, tilKolon - fraKolon - 1), ud.fraDag, ud.fraTime);
        !grund.empty())
        return grund;
    return laesTime(tekst.substr(tilKolon + 1), ud.tilDag, ud.tilTime);
}

// Width on screen: one column per character, not per byte.
size_t bredde(const std::string& tekst)
{
    return static_cast<size_t>(std::count_if(tekst.begin(), tekst.end(),
                                             [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string udfyld(const std::string& tekst, size_t ialt) { return tekst + std::string(ialt - bredde(tekst), ' '); }

std::string procent(double vaerdi) { return FormaterProcent(vaerdi, punktum); }

class Koersel {
public:
    Koersel(const Valg& valg, std::ostream& ud) : valg_(valg), ud_(ud), vorivazi_(Datakilde::database) {}

    int Plan()
    {
        if (!vorivazi_.AabnPlan(valg_.plan))
            return afslutTrinFejlede;
        if (valg_.spred || valg_.spredIkke)
            vorivazi_.SaetRegler(Regelvalg::Planens(!valg_.spredIkke));
        for (const SkemaArt art : alleSkemaArter) {
            vorivazi_.HentNavne(art);
            std::string id;
            while (vorivazi_.TagNavn(id))
                ider_[art].push_back(id);
        }
        if (valg_.ryd)
            vorivazi_.NytProjekt();
        if ((valg_.generer && !generer()) || (valg_.autoGenerer && !autoGenerer()))
            return afslutTrinFejlede;
        for (const FlytValg& flyt : valg_.flyt) {
            if (!flytLektion(flyt))
                return afslutTrinFejlede;
        }
        if (valg_.fuldfoer && !fuldfoer())
            return afslutTrinFejlede;
        if (valg_.gem && !gem())
            return afslutTrinFejlede;
        if (valg_.eksportMappe && !eksporter(*valg_.eksportMappe))
            return afslutTrinFejlede;
        for (const auto& [sti, form] :
             {std::pair{valg_.pdfBog, Udgivelsesform::pdf}, std::pair{valg_.htmlMappe, Udgivelsesform::html},
              std::pair{valg_.csvFil, Udgivelsesform::csv}}) {
            if (sti && !Udgiv(vorivazi_, form, *sti))
                return afslutTrinFejlede;
        }
        if (valg_.udskriv && !udskriv(*valg_.udskriv))
            return afslutTrinFejlede;
        for (const SkemaValg& skema : valg_.vis) {
            if (!vis(skema))
                return afslutTrinFejlede;
        }
        skrivStatus();
        if (valg_.manglende)
            skrivManglende();
        if (valg_.regler)
            skrivRegler();
        // A script asked for a complete timetable; it learns that it did not get one.
        if (valg_.fuldfoer && vorivazi_.Manglende().Mangler() > 0)
            return afslutTimerMangler;
        return afslutOK;
    }

private:
    Genereringsvalg GenereringsValg() const
    {
        return {valg_.frekvens, valg_.styrke, valg_.dage, valg_.timer, !valg_.skrivbar};
    }

    bool generer()
    {
        Genereringsopgave generering(vorivazi_, GenereringsValg(), false);
        KoerOpgave(generering);
        genereret_ = generering.Lykkedes();
        return genereret_;
    }

    // Runs with 1, 2, ... hours per day, each continuing the last one that finished.
    bool autoGenerer()
    {
        AutoGenereringsopgave generering(vorivazi_, GenereringsValg(), genereret_);
        KoerOpgave(generering);
        genereret_ = generering.Genereret();
        return generering.NogenLykkedes();
    }

    bool flytLektion(const FlytValg& flyt)
    {
        const Flytsvar svar = vorivazi_.Flyt(flyt.skema.id, flyt.skema.art, {flyt.fraDag - 1, flyt.fraTime - 1},
                                             {flyt.tilDag - 1, flyt.tilTime - 1});
        const std::string hvad = flyt.skema.id + " " + std::to_string(flyt.fraDag) + "," +
                                 std::to_string(flyt.fraTime) + " til " + std::to_string(flyt.tilDag) + "," +
                                 std::to_string(flyt.tilTime);
        if (svar.udfald == FlytUdfald::afvist) {
            besked_.VisFejl("Flytningen " + hvad + " er afvist: " + svar.grund, fejlTitel);
            return false;
        }
        besked_.Log(svar.udfald == FlytUdfald::byt ? "Byttet " + hvad + " med " + svar.grund : "Flyttet " + hvad);
        return true;
    }

    // The step budget makes the result repeatable; the seconds only stop a search that runs long,
    // also inside the exact solver.
    bool fuldfoer()
    {
        const Tidsfrist frist(std::chrono::seconds(valg_.sekunder));
        Fuldfoerelsesopgave fuldfoerelse(vorivazi_, fuldfoerelsesSkive, &frist.Stop());
        if (!fuldfoerelse.Klar())
            return false;
        KoerOpgave(fuldfoerelse, [&frist] { return frist.Stop().load(); });
        ud_ << fuldfoerelse.Linje() << '\n';
        return true;
    }

    void skrivManglende()
    {
        const ManglendeTimer manglende = vorivazi_.Manglende();
        ud_ << "Hold\tFag\tLærer\tLokale\tBlok\tØnsket\tPlaceret\tMangler\tÅrsager\n";
        for (const ManglendeKrav& k : manglende.krav)
            ud_ << k.krav.hold << '\t' << k.krav.fag << '\t' << k.krav.laerer << '\t' << k.krav.Lokaleangivelse()
                << '\t' << k.krav.blok << '\t' << k.krav.timer << '\t' << k.placeret << '\t' << k.mangler << '\t'
                << k.Opsummering() << '\n';
        for (const LektionsData& l : manglende.udenforPlanen)
            ud_ << "Uden for planen\t" << l.hold << '\t' << l.fag << '\t' << l.laerer << '\t' << l.lokale << '\t'
                << (l.kolonne >= 0 && l.kolonne < static_cast<int32_t>(dagNavne.size()) ? dagNavne[l.kolonne] : "?")
                << '\t' << l.raekke + 1 << '\n';
        for (const ManglendeAktivitetstimer& m : manglende.aktiviteter) {
            const Aktivitetsangivelse a = Angivelse(m.aktivitet);
            ud_ << a.deltagere << '\t' << m.aktivitet.fag << '\t' << a.laerere << '\t' << a.lokaler << '\t' << m.blok
                << '\t' << m.aktivitet.timer << '\t' << m.placeret << '\t' << m.mangler << '\t' << m.Opsummering()
                << '\n';
        }
    }

    // Each of the plan's own rules, kept or broken and by how much.
    void skrivRegler()
    {
        const std::vector<Regelstatus> oversigt = Regeloversigt(vorivazi_, LaesPlanensRegler(valg_.plan));
        ud_ << "Regel\tArt\tVægt\tTilstand\tBrud\tBeskrivelse\n";
        int brudte = 0;
        for (const auto& [r, t] : oversigt) {
            brudte += t.brud > 0 ? 1 : 0;
            ud_ << r.id << '\t' << planregler::Navn(r.art) << '\t'
                << (r.vaegt >= planregler::krav ? std::string("krav") : std::to_string(r.vaegt) + " %") << '\t'
                << (t.brud > 0 ? "brudt" : "holdt") << '\t' << t.brud << '\t'
                << (t.brud > 0 ? t.tekst : planregler::Beskrivelse(r)) << '\n';
        }
        ud_ << "Regler: " << oversigt.size() << ", holdt " << oversigt.size() - static_cast<size_t>(brudte)
            << ", brudt " << brudte << '\n';
    }

    bool gem()
    {
        if (!valg_.skrivbar) {
            besked_.VisFejl(SkrivebeskyttetBesked("Giv --writable for at skrive til databasen."), fejlTitel);
            return false;
        }
        if (!vorivazi_.Gem(valg_.tving ? Overskrivning::Tillad : Overskrivning::Afvis))
            return false;
        besked_.VisInfo(gemtTekst);
        return true;
    }

    bool eksporter(const std::string& mappe)
    {
        std::error_code fejl;
        std::filesystem::create_directories(mappe, fejl);
        if (fejl) {
            besked_.VisFejl("Mappen " + mappe + " kan ikke oprettes: " + fejl.message(), fejlTitel);
            return false;
        }
        if (!vorivazi_.Eksporter(mappe))
            return false;
        besked_.VisInfo(eksporteretTekst);
        return true;
    }

    bool kendtId(const SkemaValg& skema)
    {
        const auto& ider = ider_[skema.art];
        if (std::find(ider.begin(), ider.end(), skema.id) != ider.end())
            return true;
        besked_.VisFejl("Planen har intet skema med id " + skema.id + " af typen " + Bogstav(skema.art), fejlTitel);
        return false;
    }

    bool udskriv(const SkemaValg& skema)
    {
        if (!kendtId(skema))
            return false;
        return vorivazi_.UdskrivSkema(skema.id, skema.art) && pdfErSkrevet();
    }

    // Printing into a file reports no error of its own when the disk is full.
    bool pdfErSkrevet()
    {
        std::error_code fejl;
        const bool fil = std::filesystem::is_regular_file(valg_.pdf, fejl);
        if (fil && std::filesystem::file_size(valg_.pdf, fejl) > 0 && !fejl)
            return true;
        besked_.VisFejl("PDF-filen " + valg_.pdf +
                            " blev ikke skrevet. Er disken fuld, eller kan der ikke skrives "
                            "der? Vælg en anden fil med --pdf.",
                        fejlTitel);
        return false;
    }

    bool vis(const SkemaValg& skema)
    {
        if (!kendtId(skema))
            return false;
        const int32_t dage = vorivazi_.PlanDage();
        const int32_t timer = vorivazi_.PlanTimer();
        std::vector<std::vector<std::string>> celler(timer, std::vector<std::string>(dage));
        vorivazi_.HentLektioner(skema.id, skema.art);
        std::string hold, fag, laerer, lokale;
        int32_t kolonne = 0;
        int32_t raekke = 0;
        while (vorivazi_.TagLektion(hold, fag, laerer, lokale, kolonne, raekke)) {
            if (kolonne >= 0 && kolonne < dage && raekke >= 0 && raekke < timer)
                celler[raekke][kolonne] = CelleTekst(skema.art, hold, fag, laerer, lokale);
        }
        for (const Aktivitetscelle& c : AktivitetsCeller(vorivazi_.Aktiviteter(), skema.art, skema.id)) {
            if (c.p.kolonne < dage && c.p.raekke < timer) {
                std::string& celle = celler[c.p.raekke][c.p.kolonne];
                celle += (celle.empty() ? "" : " / ") + c.tekst;
            }
        }
        const int32_t planlagt = vorivazi_.PlanlagteTimer(skema.id, skema.art);
        const int32_t lagt = vorivazi_.AntalLektioner(skema.id, skema.art);
        ud_ << "Skema - " << skema.id << '\n'
            << SkemaSomTekst(celler) << "PL=" << planlagt << " LL=" << lagt
            << " L%=" << procent(LagtProcent(planlagt, lagt))
            << " CV%=" << procent(vorivazi_.Spredning(skema.id, skema.art)) << "\n\n";
        return true;
    }

    void skrivStatus()
    {
        const int32_t pl = vorivazi_.SumTimer();
        const int32_t ll = vorivazi_.AntalLektionerIalt();
        ud_ << "PL=" << pl << " LL=" << ll << " L%=" << procent(LagtProcent(pl, ll))
            << " ML=" << vorivazi_.AntalMellemtimer() << '\n';
    }

    const Valg& valg_;
    std::ostream& ud_;
    Vorivazi vorivazi_;
    PrSkemaArt<std::vector<std::string>> ider_;
    bool genereret_ = false;
    Besked besked_;
};

int init(const Valg& valg, std::ostream& fejl)
{
    TSqlModul& modul = TSqlModul::Instans();
    if (modul.HarTabeller()) {
        fejl << fejlTitel << ": Databasen har allerede tabellerne; den røres ikke.\n";
        return afslutTrinFejlede;
    }
    modul.OpretDatabase(valg.demo);
    return afslutOK;
}

int plans(std::ostream& ud)
{
    Vorivazi vorivazi(Datakilde::database);
    vorivazi.HentPlanliste();
    std::string id;
    while (vorivazi.TagPlanNavn(id))
        ud << id << '\n';
    return afslutOK;
}

// Exit status 1 when a finding means the plan cannot be complete; warnings alone are 0.
int kontroller(const Valg& valg, std::ostream& ud)
{
    Vorivazi vorivazi(Datakilde::database);
    if (!vorivazi.AabnPlan(valg.plan))
        return afslutTrinFejlede;
    // The plan's own rule unless the command line waives it.
    if (valg.spredIkke)
        vorivazi.SaetRegler(Regelvalg::Planens(false));
    const Udfald<std::vector<Fund>> fund = vorivazi.KontrollerPlan();
    if (!fund) {
        Besked().VisFejl(fund.Grund(), fejlTitel);
        return afslutTrinFejlede;
    }
    if (fund->empty())
        ud << ingenFundTekst << '\n';
    for (const Fund& f : *fund)
        ud << Fundlinje(f) << '\n';
    const bool umulig = std::any_of(fund->begin(), fund->end(), [](const Fund& f) { return f.umulig; });
    return umulig ? afslutTrinFejlede : afslutOK;
}

int skrivFejl(const std::vector<std::string>& grunde, std::ostream& fejl)
{
    for (const std::string& grund : grunde)
        fejl << fejlTitel << ": " << grund << '\n';
    return afslutTrinFejlede;
}

// copy-plan and import-fet are themselves the wish to write; --writable guards the steps of run.
int kopierPlan(const Valg& valg, std::ostream& ud, std::ostream& fejl)
{
    std::vector<std::string> grunde;
    if (!Skoledatatjeneste::UdenBeskyttelse().KopierPlan(valg.plan, valg.tilPlan, valg.medLektioner, grunde))
        return skrivFejl(grunde, fejl);
    ud << "Planen " << valg.plan << " er kopieret til " << valg.tilPlan << '\n';
    return afslutOK;
}

// The report of what was not carried over comes last, also when the import succeeds.
int importerFet(const Valg& valg, std::ostream& ud, std::ostream& fejl)
{
    std::vector<std::string> rapport;
    std::vector<std::string> grunde;
    const bool ok = Skoledatatjeneste::UdenBeskyttelse().ImporterFet(valg.fil, valg.plan, rapport, grunde);
    if (ok)
        ud << "Planen " << valg.plan << " er importeret fra " << valg.fil << '\n';
    for (const std::string& linje : rapport)
        ud << "Rapport: " << linje << '\n';
    return ok ? afslutOK : skrivFejl(grunde, fejl);
}

const std::string saadanOprettes = "; den oprettes med: brikken-cli --db FORBINDELSE init --demo";

// Only init makes a database: connecting to a file named on the command line
// that is not there would leave an empty one behind. "" when it is there.
std::string ManglendeFil(const Valg& valg, const TSqlModul& modul)
{
    const Forbindelsesvalg& forbindelse = modul.Valg();
    std::error_code ingen;
    if (valg.kommando == Valg::Kommando::init || valg.forbindelse.empty() ||
        forbindelse.type != Forbindelsesvalg::Type::SQLite || std::filesystem::is_regular_file(forbindelse.sti, ingen))
        return "";
    return "Databasen findes ikke (" + modul.Beskrivelse() + ")" + saadanOprettes;
}

// A database without the program's tables would answer every command with the engine's text.
std::string ManglendeTabeller(const Valg& valg, TSqlModul& modul)
{
    if (valg.kommando == Valg::Kommando::init || modul.HarTabeller())
        return "";
    return "Databasen har ikke programmets tabeller (" + modul.Beskrivelse() + ")" + saadanOprettes;
}

void skrivTider(const KommandoLinjeModtager& modtager, std::ostream& ud)
{
    for (const auto& raekke : modtager.TidsRaekker())
        ud << raekke.etiket << '\t' << FormaterSekunder(raekke.sekunder, punktum) << '\n';
}

// The options each command takes besides --db and --log.
const std::set<std::string>& KommandoensValg(Valg::Kommando kommando)
{
    static const std::map<Valg::Kommando, std::set<std::string>> valg{
        {Valg::Kommando::init, {"--demo"}},
        {Valg::Kommando::plans, {}},
        {Valg::Kommando::run,
         {"--clear",      "--generate", "--auto",    "--days",      "--hours",  "--frequency",  "--strength",
          "--yes",        "--writable", "--save",    "--force",     "--export", "--export-pdf", "--export-html",
          "--export-csv", "--complete", "--seconds", "--spread",    "--move",   "--print",      "--pdf",
          "--show",       "--unplaced", "--times",   "--no-spread", "--rules"}},
        {Valg::Kommando::check, {"--no-spread"}},
        {Valg::Kommando::copyPlan, {"--lessons"}},
        {Valg::Kommando::importFet, {"--plan"}},
    };
    return valg.at(kommando);
}

// Options that only change another step of run, and what they need.
struct Afhaengighed {
    std::string valg;
    std::vector<std::string> kraever;
};

// Why an option given would change nothing, or "": a run does not silently
// ignore what was asked of it.
std::string UbrugtValg(const Valg& valg, const std::set<std::string>& givne)
{
    static const std::vector<std::string> altid{"--db", "--log"};
    const std::string kommando = valg.kommando == Valg::Kommando::copyPlan    ? "copy-plan"
                                 : valg.kommando == Valg::Kommando::importFet ? "import-fet"
                                 : valg.kommando == Valg::Kommando::init      ? "init"
                                 : valg.kommando == Valg::Kommando::plans     ? "plans"
                                 : valg.kommando == Valg::Kommando::check     ? "check"
                                                                              : "run";
    for (const std::string& givet : givne) {
        if (!KommandoensValg(valg.kommando).contains(givet) &&
            std::find(altid.begin(), altid.end(), givet) == altid.end())
            return givet + " bruges ikke af " + kommando;
    }
    if (givne.contains("--spread") && givne.contains("--no-spread"))
        return "--spread og --no-spread udelukker hinanden";
    if (valg.kommando != Valg::Kommando::run)
        return "";
    static const std::vector<Afhaengighed> afhaengigheder{
        {"--force", {"--save"}},
        {"--seconds", {"--complete"}},
        // Only the fixed assignment of a generation asks, and only generating and saving write.
        {"--yes", {"--generate", "--auto"}},
        {"--writable", {"--save", "--generate", "--auto"}},
        {"--spread", {"--complete", "--unplaced", "--move", "--save"}},
        {"--no-spread", {"--complete", "--unplaced", "--move", "--save"}},
        {"--days", {"--generate", "--auto"}},
        {"--hours", {"--generate", "--auto"}},
        {"--frequency", {"--generate", "--auto"}},
        {"--strength", {"--generate", "--auto"}}};
    for (const auto& [afhaengigt, kraever] : afhaengigheder) {
        if (givne.contains(afhaengigt) &&
            std::none_of(kraever.begin(), kraever.end(), [&](const std::string& k) { return givne.contains(k); })) {
            std::string liste;
            for (const std::string& k : kraever)
                liste += (liste.empty() ? "" : " eller ") + k;
            return afhaengigt + " bruges kun med " + liste;
        }
    }
    return "";
}

} // namespace

std::string Brug()
{
    return "Brug:\n"
           "  brikken-cli [--db FORBINDELSE] init [--demo]\n"
           "  brikken-cli [--db FORBINDELSE] plans\n"
           "  brikken-cli [--db FORBINDELSE] run PLAN [--clear] [--generate | --auto] [--days N] [--hours N]\n"
           "              [--frequency N] [--strength N] [--yes] [--writable] [--save [--force]]\n"
           "              [--export MAPPE] [--export-pdf FIL] [--export-html MAPPE] [--export-csv FIL]\n"
           "              [--complete [--seconds S]] [--no-spread] [--move TYPE:ID:DAG,TIME:DAG,TIME]\n"
           "              [--print TYPE:ID --pdf FIL] [--show TYPE:ID] [--unplaced] [--rules] [--log] [--times]\n"
           "  brikken-cli [--db FORBINDELSE] check PLAN [--no-spread]\n"
           "  brikken-cli [--db FORBINDELSE] copy-plan FRA TIL [--lessons]\n"
           "  brikken-cli [--db FORBINDELSE] import-fet FIL --plan ID\n"
           "FORBINDELSE: sqlite:STI (eller blot STI), postgresql://BRUGER:KODE@VÆRT:PORT/DATABASE, odbc:DSN\n"
           "TYPE: h (hold), l (lærer) eller k (lokale)\n"
           "--days og --hours: højst planens egne dage og timer, som også er standard\n";
}

std::optional<Valg> Fortolk(const std::vector<std::string>& argumenter, std::string& fejl)
{
    static const std::map<std::string, bool Valg::*> kontakter{{"--demo", &Valg::demo},
                                                               {"--clear", &Valg::ryd},
                                                               {"--generate", &Valg::generer},
                                                               {"--auto", &Valg::autoGenerer},
                                                               {"--yes", &Valg::ja},
                                                               {"--writable", &Valg::skrivbar},
                                                               {"--save", &Valg::gem},
                                                               {"--force", &Valg::tving},
                                                               {"--log", &Valg::log},
                                                               {"--times", &Valg::tider},
                                                               {"--lessons", &Valg::medLektioner},
                                                               {"--complete", &Valg::fuldfoer},
                                                               {"--unplaced", &Valg::manglende},
                                                               {"--spread", &Valg::spred},
                                                               {"--no-spread", &Valg::spredIkke},
                                                               {"--rules", &Valg::regler}};
    static const std::map<std::string, std::pair<Interval, int Valg::*>> talValg{
        {"--days", {{1, maksDage}, &Valg::dage}},
        {"--hours", {{1, maksTimer}, &Valg::timer}},
        {"--frequency", {{1, 8}, &Valg::frekvens}},
        {"--strength", {{1, 6}, &Valg::styrke}},
        {"--seconds", {{1, 3600}, &Valg::sekunder}}};
    static const std::map<std::string, std::optional<std::string> Valg::*> stiValg{{"--export", &Valg::eksportMappe},
                                                                                   {"--export-pdf", &Valg::pdfBog},
                                                                                   {"--export-html", &Valg::htmlMappe},
                                                                                   {"--export-csv", &Valg::csvFil}};
    static const std::vector<std::string> tekstValg{"--db", "--pdf", "--print", "--show", "--plan", "--move"};
    // Every step of these is wanted; any other option given twice would silently lose its first value.
    static const std::set<std::string> gentagelige{"--move", "--show"};

    Valg valg;
    std::vector<std::string> ord;
    std::set<std::string> givne;
    for (size_t i = 0; i < argumenter.size(); ++i) {
        const std::string& a = argumenter[i];
        if (givne.contains(a) && !gentagelige.contains(a)) {
            fejl = a + " er givet mere end én gang";
            return std::nullopt;
        }
        if (const auto kontakt = kontakter.find(a); kontakt != kontakter.end()) {
            valg.*(kontakt->second) = true;
            givne.insert(a);
            continue;
        }
        // A word that looks like an option is never a plan or a file.
        if (!a.starts_with("-")) {
            ord.push_back(a);
            continue;
        }
        const auto tal = talValg.find(a);
        const auto sti = stiValg.find(a);
        if (tal == talValg.end() && sti == stiValg.end() &&
            std::find(tekstValg.begin(), tekstValg.end(), a) == tekstValg.end()) {
            fejl = "ukendt valg " + a;
            return std::nullopt;
        }
        // An empty value would quietly mean the default: the configured database, the working folder.
        if (i + 1 == argumenter.size() || argumenter[i + 1].starts_with("--") || argumenter[i + 1].empty()) {
            fejl = a + " kræver en værdi";
            return std::nullopt;
        }
        givne.insert(a);
        const std::string& v = argumenter[++i];
        if (tal != talValg.end()) {
            const auto& [interval, felt] = tal->second;
            if (!laesTal(v, interval, valg.*felt)) {
                fejl = a + " skal være et tal fra " + std::to_string(interval.mindst) + " til " +
                       std::to_string(interval.hoejst) + ", ikke " + v;
                return std::nullopt;
            }
        } else if (a == "--db") {
            valg.forbindelse = v;
        } else if (sti != stiValg.end()) {
            valg.*(sti->second) = v;
        } else if (a == "--pdf") {
            valg.pdf = v;
        } else if (a == "--plan") {
            valg.plan = v;
        } else if (a == "--move") {
            FlytValg flyt;
            if (const std::string grund = laesFlytValg(v, flyt); !grund.empty()) {
                fejl = a + ": " + grund;
                return std::nullopt;
            }
            valg.flyt.push_back(flyt);
        } else {
            SkemaValg skema;
            if (const std::string grund = laesSkemaValg(v, skema); !grund.empty()) {
                fejl = a + ": " + grund;
                return std::nullopt;
            }
            if (a == "--print")
                valg.udskriv = skema;
            else
                valg.vis.push_back(skema);
        }
    }

    if (ord.empty()) {
        fejl = "der mangler en kommando";
        return std::nullopt;
    }
    if (ord[0] == "init" && ord.size() == 1) {
        valg.kommando = Valg::Kommando::init;
    } else if (ord[0] == "plans" && ord.size() == 1) {
        valg.kommando = Valg::Kommando::plans;
    } else if (ord[0] == "run" && ord.size() == 2) {
        valg.kommando = Valg::Kommando::run;
        valg.plan = ord[1];
    } else if (ord[0] == "check" && ord.size() == 2) {
        valg.kommando = Valg::Kommando::check;
        valg.plan = ord[1];
    } else if (ord[0] == "copy-plan" && ord.size() == 3) {
        valg.kommando = Valg::Kommando::copyPlan;
        valg.plan = ord[1];
        valg.tilPlan = ord[2];
    } else if (ord[0] == "import-fet" && ord.size() == 2 && !valg.plan.empty()) {
        valg.kommando = Valg::Kommando::importFet;
        valg.fil = ord[1];
    } else if (ord[0] == "copy-plan" || ord[0] == "import-fet") {
        fejl = ord[0] == "copy-plan" ? "copy-plan kræver to planer: FRA og TIL"
                                     : "import-fet kræver én fil og --plan ID";
        return std::nullopt;
    } else {
        fejl = ord[0] == "run" || ord[0] == "check" ? ord[0] + " kræver netop én plan" : "ukendt kommando " + ord[0];
        return std::nullopt;
    }
    if (fejl = UbrugtValg(valg, givne); !fejl.empty())
        return std::nullopt;
    if (valg.generer && valg.autoGenerer) {
        fejl = "--generate og --auto kan ikke bruges sammen";
        return std::nullopt;
    }
    if (valg.udskriv.has_value() != !valg.pdf.empty()) {
        fejl = "--print og --pdf skal bruges sammen";
        return std::nullopt;
    }
    return valg;
}

bool SkjulAdgangskode(char* argument)
{
    const std::string_view tekst(argument);
    if (!tekst.starts_with("postgresql://") && !tekst.starts_with("postgres://"))
        return false;
    const size_t start = tekst.find("://") + 3;
    const size_t slut = tekst.find_first_of("/?#", start);
    const size_t snabel = tekst.rfind('@', slut == std::string_view::npos ? tekst.size() : slut);
    if (snabel == std::string_view::npos || snabel < start)
        return false;
    const size_t kolon = tekst.find(':', start);
    if (kolon == std::string_view::npos || kolon + 1 >= snabel)
        return false;
    std::fill(argument + kolon + 1, argument + snabel, '*');
    return true;
}

std::string SkemaSomTekst(const std::vector<std::vector<std::string>>& celler)
{
    size_t celleBredde = 0;
    for (const char* dag : dagNavne)
        celleBredde = std::max(celleBredde, bredde(dag));
    for (const auto& raekke : celler)
        for (const std::string& celle : raekke)
            celleBredde = std::max(celleBredde, bredde(celle));

    std::ostringstream ud;
    const auto skrivLinje = [&](std::string linje, const auto& felter) {
        for (const auto& felt : felter)
            linje += " | " + udfyld(felt, celleBredde);
        ud << linje.substr(0, linje.find_last_not_of(' ') + 1) << '\n';
    };
    const size_t dage = celler.empty() ? 0 : celler.front().size();
    skrivLinje("  ", std::vector<std::string>(dagNavne.begin(), dagNavne.begin() + static_cast<std::ptrdiff_t>(dage)));
    for (size_t time = 0; time < celler.size(); ++time) {
        std::string nummer = std::to_string(time + 1);
        nummer.insert(0, 2 - std::min<size_t>(nummer.size(), 2), ' ');
        skrivLinje(nummer, celler[time]);
    }
    return ud.str();
}

int Koer(const Valg& valg, std::ostream& ud, std::ostream& fejl)
{
    KommandoLinjeModtager modtager(fejl, valg.ja, valg.log);
    const MidlertidigModtager installeret(modtager);

    TSqlModul& modul = TSqlModul::Instans();
    std::string grund;
    if (valg.forbindelse.empty()) {
        modul.BrugIndstillinger();
    } else if (!modul.VaelgForbindelse(valg.forbindelse, grund)) {
        fejl << grund << '\n' << Brug();
        return afslutBrugsfejl;
    }
    if (const std::string mangler = ManglendeFil(valg, modul); !mangler.empty()) {
        fejl << mangler << '\n';
        return afslutBrugsfejl;
    }
    if (!modul.Forbind(grund)) {
        fejl << "Databasen kan ikke nås (" << modul.Beskrivelse() << "): " << grund << '\n';
        return afslutBrugsfejl;
    }

    int status = afslutOK;
    try {
        if (const std::string mangler = ManglendeTabeller(valg, modul); !mangler.empty()) {
            fejl << mangler << '\n';
            modul.Luk();
            return afslutBrugsfejl;
        }
        switch (valg.kommando) {
        case Valg::Kommando::init:
            status = init(valg, fejl);
            break;
        case Valg::Kommando::plans:
            status = plans(ud);
            break;
        case Valg::Kommando::run:
            status = Koersel(valg, ud).Plan();
            break;
        case Valg::Kommando::check:
            status = kontroller(valg, ud);
            break;
        case Valg::Kommando::copyPlan:
            status = kopierPlan(valg, ud, fejl);
            break;
        case Valg::Kommando::importFet:
            status = importerFet(valg, ud, fejl);
            break;
        }
    } catch (const DatabaseFejl& e) {
        fejl << fejlTitel << ": " << e.what() << '\n';
        status = afslutTrinFejlede;
    }
    if (valg.tider)
        skrivTider(modtager, ud);
    modul.Luk();
    return status;
}

} // namespace kommandoLinje
