#include "app/Vorivazi.h"

#include "app/Oejebliksbillede.h"
#include "app/Plankontrol.h"
#include "app/Skemavisning.h"
#include "fuldfoerelse/Planregelkontrol.h"
#include "udgiv/Export.h"
#include "db/Plan.h"
#include "db/Portal.h"
#include "db/SqlKlasse.h"
#include "engine/Generator.h"
#include "engine/KontrolListe.h"
#include "skoledata/GemteVaerdier.h"
#include "skoledata/Planregeldata.h"
#include "store/Lektion.h"
#include "store/SkemaArt.h"

#include <algorithm>
#include <limits>
#include <map>
#include <set>
#include <string>

namespace {

// The plan's settings as they are stored.
const std::string spredIndstilling = "spred";
const std::string delDobbelteIndstilling = "deldobbelte";

// A week outside the limits would be cut silently, so it is refused with the reason.
std::string UdenforUgen(Uge uge)
{
    const auto udenfor = [](int32_t vaerdi, int32_t maks, const std::string& enhed) {
        return "Planen har " + std::to_string(vaerdi) + " " + enhed + ", men programmet har plads til 1 til " +
               std::to_string(maks) + ".";
    };
    if (uge.dage < 1 || uge.dage > maksDage)
        return udenfor(uge.dage, maksDage, "dage om ugen");
    if (uge.timer < 1 || uge.timer > maksTimer)
        return udenfor(uge.timer, maksTimer, "timer om dagen");
    return {};
}

// "Der findes intet fuldt skema: Karen, 7.a og 7.b kan ikke få alle deres timer lagt sammen."
std::string UmulighedsTekst(const Umulighed& bevis)
{
    std::string navne;
    for (size_t i = 0; i < bevis.ressourcer.size(); ++i)
        navne += (i == 0 ? "" : i + 1 == bevis.ressourcer.size() ? " og " : ", ") + bevis.ressourcer[i];
    return "Der findes intet fuldt skema: " + navne +
           (bevis.ressourcer.size() == 1 ? " kan ikke få alle sine timer lagt."
                                         : " kan ikke få alle deres timer lagt sammen.");
}

// A class's subjects and weekly hours as its distribution gives them.
std::map<std::pair<std::string, std::string>, int32_t> HoldetsFag(SqlKlasse& sql, const std::string& tff)
{
    std::map<std::pair<std::string, std::string>, int32_t> fag;
    bool raekke = sql.Forespoerg("SELECT HoldID_AHo AS HoldID, FagID_AFa AS FagID, Timer_AFa AS Timer "
                                 "FROM Hold, Holdliste, Fag, Fagprofil WHERE " +
                                     gemteVaerdier::Overholdes("Fag") +
                                     " AND Hold_THo = HoldID_AHo AND FagID_Fp = FagID_AFa AND Type_AHo = Type_FP "
                                     "AND timefagfordelingID_THo = ? AND Timer_AFa > 0 "
                                     "ORDER BY HoldID_AHo, FagID_AFa",
                                 {tff});
    for (; raekke; raekke = sql.Naeste()) {
        std::string hold;
        std::string id;
        int32_t timer = 0;
        if (!sql.HentTekst("HoldID", hold) || !sql.HentTekst("FagID", id) || !sql.HentTal("Timer", timer))
            break;
        fag[{hold, id}] = timer;
    }
    return fag;
}

} // namespace

Vorivazi::Vorivazi(Datakilde tilstand)
    : plan_(std::make_unique<Plan>(tilstand)), sql_(std::make_unique<SqlKlasse>(tilstand)), tilstand_(tilstand)
{
}

Vorivazi::~Vorivazi()
{
    // The generator and the lists refer to the portal; they go first.
    generator_.reset();
    kontrolListe_.reset();
    portal_.reset();
}

bool Vorivazi::ErAaben() const { return portal_ && kontrolListe_ && generator_; }

bool Vorivazi::AabnPlan(const std::string& planId)
{
    if (!plan_->FindPlan(planId, tff_, kolonner_, raekker_)) {
        besked_.VisFejl("Planen findes ikke!", fejlTitel);
        return false;
    }
    if (const std::string fejl = plan_->TomtIdFejl(planId, tff_); !fejl.empty()) {
        besked_.VisFejl(fejl, fejlTitel);
        return false;
    }
    if (const std::string fejl = UdenforUgen({kolonner_, raekker_}); !fejl.empty()) {
        besked_.VisFejl(fejl, fejlTitel);
        return false;
    }
    // The order of creation decides when the shared pseudo-random sequence is reseeded.
    portal_ = std::make_unique<Portal>(planId, kolonner_, raekker_, tilstand_);
    kontrolListe_ = std::make_unique<KontrolListe>(portal_.get(), sql_.get(), tilstand_, kolonner_, raekker_, planId,
                                                   tff_);
    generator_ = std::make_unique<Generator>(kontrolListe_.get(), portal_.get(), kolonner_, raekker_);

    for (const KontrolListe::ListeNr liste :
         {KontrolListe::holdLokaleListe, KontrolListe::holdListe, KontrolListe::fagListe, KontrolListe::laererListe,
          KontrolListe::lokaletypeListe, KontrolListe::lokaleListe})
        kontrolListe_->IndlaesListe(liste);
    stack<std::string> holdNavne = kontrolListe_->NavneStak(SkemaArt::hold);
    stack<std::string> laererNavne = kontrolListe_->NavneStak(SkemaArt::laerer);
    stack<std::string> lokaleNavne = kontrolListe_->NavneStak(SkemaArt::lokale);
    portal_->SaetNavnestakke(std::move(holdNavne), std::move(laererNavne), std::move(lokaleNavne));
    portal_->SaetFag(PlanensFag());
    portal_->Indlaes();
    regler_ = Regelvalg::Planens(portal_->Indstilling(spredIndstilling, 1) != 0);
    delDobbelte_ = portal_->Indstilling(delDobbelteIndstilling, 0) != 0;
    MeldRegelbrud();
    return true;
}

// The subjects of the subject list: the ones the plan's hours are counted in.
std::set<std::string> Vorivazi::PlanensFag()
{
    std::set<std::string> fag;
    const Klyngeliste<data>& liste = kontrolListe_->Liste(KontrolListe::fagListe);
    for (int32_t i = 0; i < liste.antal; ++i)
        fag.insert(liste.element[i].tekst[0]);
    return fag;
}

// The lists left these rows out; the planner mends them in the school-data window.
void Vorivazi::MeldRegelbrud() const
{
    if (tilstand_ != Datakilde::database)
        return;
    const std::vector<std::string> brud = gemteVaerdier::Brud(tff_);
    if (brud.empty())
        return;
    std::string linjer;
    for (const std::string& linje : brud) {
        besked_.Log("Gemte skoledata bruges ikke: " + linje);
        linjer += "\n  " + linje;
    }
    besked_.VisInfo("Nogle gemte skoledata holder sig ikke inden for reglerne og bruges ikke i planen; ret dem under "
                    "Data → Skoledata …:" +
                    linjer);
}

bool Vorivazi::HentPlanliste() { return plan_->HentPlanliste(planNavne_); }

bool Vorivazi::TagPlanNavn(std::string& id)
{
    if (planNavne_.antal() == 0)
        return false;
    id = planNavne_.pop();
    return true;
}

bool Vorivazi::HentNavne(SkemaArt art)
{
    if (!kontrolListe_)
        return false;
    return kontrolListe_->FyldNavne(navne_, art);
}

bool Vorivazi::TagNavn(std::string& id)
{
    if (navne_.antal() == 0)
        return false;
    id = navne_.pop();
    return true;
}

int32_t Vorivazi::HentLektioner(const std::string& id, SkemaArt art)
{
    besked_.Log("henter skema");
    besked_.LogTal(static_cast<unsigned char>(Bogstav(art)));
    besked_.Log(id);
    if (!portal_)
        return 0;
    return portal_->HentLektioner(id, lektioner_, art) ? 1 : 0;
}

bool Vorivazi::TagLektion(std::string& hold, std::string& fag, std::string& laerer, std::string& lokale,
                          int32_t& kolonne, int32_t& raekke)
{
    if (lektioner_.antal() == 0)
        return false;
    LektionsData lektion = lektioner_.pop();
    hold = std::move(lektion.hold);
    fag = std::move(lektion.fag);
    laerer = std::move(lektion.laerer);
    lokale = std::move(lektion.lokale);
    kolonne = lektion.kolonne;
    raekke = lektion.raekke;
    besked_.Log(hold);
    return true;
}

bool Vorivazi::Eksporter(const std::string& mappe) { return portal_ && portal_->Eksporter(mappe); }

void Vorivazi::NytProjekt()
{
    if (!ErAaben())
        return;
    for (const KontrolListe::ListeNr liste :
         {KontrolListe::laeggeListe, KontrolListe::holdLaererListe, KontrolListe::fagprofilListe})
        kontrolListe_->Ryd(liste);
    lagredeKrav_.reset(); // a generation may have written its assignment back since they were read
    portal_->RydSkemaer();
    std::vector<Aktivitetsblok> laaste;
    for (const Aktivitetsblok& blok : portal_->Aktiviteter().Blokke())
        if (blok.laast)
            laaste.push_back(blok);
    portal_->SaetAktivitetsblokke(std::move(laaste));
}

bool Vorivazi::Gem(Overskrivning overskriv) { return portal_ && portal_->Gem(overskriv); }

bool Vorivazi::Generer(int32_t frekvens, int32_t styrke, int32_t dage, int32_t timer, int32_t genereret,
                       bool skrivebeskyttet)
{
    return (genereret != 0 || KanGenerere()) && generator_ &&
           generator_->Generer(frekvens, styrke, dage, timer, genereret, skrivebeskyttet);
}

bool Vorivazi::BegyndGenerering(int32_t frekvens, int32_t styrke, int32_t dage, int32_t timer, int32_t genereret,
                                bool skrivebeskyttet)
{
    return (genereret != 0 || KanGenerere()) && generator_ &&
           generator_->Begynd(frekvens, styrke, dage, timer, genereret, skrivebeskyttet);
}

bool Vorivazi::GenereringsTrin() { return generator_ && generator_->Trin(); }

void Vorivazi::StopGenerering()
{
    if (generator_)
        generator_->Stop();
}

bool Vorivazi::UdskrivSkema(const std::string& id, SkemaArt art) { return portal_ && portal_->UdskrivSkema(id, art); }

// Within the classic 8-hour day the last hour stays free, as it always has; a
// longer day is the school's own and is used whole.
int32_t Vorivazi::AutoTimer() const
{
    constexpr int32_t klassiskHoejst = klassiskeTimer - 1;
    return raekker_ <= klassiskeTimer ? std::min(klassiskHoejst, raekker_) : raekker_;
}

double Vorivazi::Spredning(const std::string& id, SkemaArt art) { return portal_ ? portal_->Spredning(id, art) : 0.0; }

int32_t Vorivazi::AntalLektioner(const std::string& id, SkemaArt art)
{
    return portal_ ? portal_->AntalLektioner(id, art) : 0;
}

int32_t Vorivazi::TimerFor(const std::string& id, SkemaArt art)
{
    return kontrolListe_ ? kontrolListe_->TimerFor(id, art) : 0;
}

int32_t Vorivazi::PlanlagteTimer(const std::string& id, SkemaArt art)
{
    const int32_t lister = TimerFor(id, art);
    if (art == SkemaArt::hold || !ErAaben())
        return lister;
    return ::PlanlagteTimer(Billede(), art, id, lister);
}

// The hours of the lesson demands, the same the missing hours are counted from.
int32_t Vorivazi::SumTimer()
{
    if (!ErAaben() || kontrolListe_->Liste(KontrolListe::laeggeListe).antal > 0 || tilstand_ != Datakilde::database)
        return kontrolListe_ ? kontrolListe_->SumTimer() : 0;
    int64_t sum = 0;
    for (const Timekrav& krav : LagredeKrav())
        sum += krav.timer;
    return static_cast<int32_t>(std::min<int64_t>(sum, std::numeric_limits<int32_t>::max()));
}

int32_t Vorivazi::AntalLektionerIalt() { return portal_ ? portal_->AntalLektionerIalt() : 0; }

int32_t Vorivazi::AntalMellemtimer() { return portal_ ? portal_->AntalMellemtimer() : 0; }

void Vorivazi::SaetRegler(const Regelvalg& regler)
{
    regler_ = regler;
    if (portal_)
        portal_->SaetIndstilling(spredIndstilling, regler.Spreder() ? 1 : 0);
}

void Vorivazi::SaetDelDobbelte(bool delDobbelte)
{
    delDobbelte_ = delDobbelte;
    if (portal_)
        portal_->SaetIndstilling(delDobbelteIndstilling, delDobbelte ? 1 : 0);
}

// Until a generation loads the lesson list, the demands as the database holds
// them: the missing hours and the completion work on a plan just opened too.
// Read once; a generation writes its assignment back and reads them anew.
const std::vector<Timekrav>& Vorivazi::LagredeKrav()
{
    if (!lagredeKrav_)
        lagredeKrav_ = LaesPlanensKrav(*sql_, *kontrolListe_, portal_->PlanId(), {kolonner_, raekker_}).krav;
    return *lagredeKrav_;
}

Skemabillede Vorivazi::Billede()
{
    Skemabillede billede = TagOejebliksbillede(*portal_, *kontrolListe_);
    if (billede.krav.empty() && kontrolListe_->Liste(KontrolListe::laeggeListe).antal == 0 &&
        tilstand_ == Datakilde::database)
        billede.krav = LagredeKrav();
    billede.regler = regler_;
    billede.delDobbelte = delDobbelte_;
    billede.aktiviteter = portal_->Aktiviteter();
    billede.prioriteter.merge(portal_->AktivitetslaerernesPrioriteter());
    billede.planregler = Planregler();
    for (const auto& [hold, kolonne, raekke] : portal_->Fastlaaste()) {
        LektionsData laast;
        laast.hold = hold;
        laast.kolonne = kolonne;
        laast.raekke = raekke;
        billede.laaste.push_back(laast);
    }
    return billede;
}

Udfald<std::vector<Fund>> Vorivazi::KontrollerPlan()
{
    if (!ErAaben())
        return Udfald<std::vector<Fund>>::Afvist(ingenPlanTekst);
    if (tilstand_ != Datakilde::database)
        return Udfald<std::vector<Fund>>::Afvist("kontrollen læser planen i databasen");
    Skemabillede billede = LaesPlanensKrav(*sql_, *kontrolListe_, portal_->PlanId(), {kolonner_, raekker_});
    billede.regler = regler_;
    billede.aktiviteter = portal_->Aktiviteter();
    billede.planregler = Planregler();
    std::vector<Fund> fund = TimerUdenKrav(billede.krav);
    for (Fund& f : KontrollerPlanregler(billede))
        fund.push_back(std::move(f));
    for (Fund& f : KontrollerGennemfoerlighed(billede))
        fund.push_back(std::move(f));
    return fund;
}

// Hours of a class's subjects that no lesson demand carries: the plan names no
// teacher relation for them (or no teacher has the subject in her profile), so
// nothing can place them and no figure counts them.
std::vector<Fund> Vorivazi::TimerUdenKrav(const std::vector<Timekrav>& krav)
{
    std::map<std::pair<std::string, std::string>, int32_t> uden = HoldetsFag(*sql_, tff_);
    for (const Timekrav& k : krav)
        uden.erase({k.hold, k.fag});
    std::map<std::string, std::pair<int32_t, std::string>> prHold; // hours, "Dansk 3, Musik 2"
    for (const auto& [noegle, timer] : uden) {
        auto& [ialt, fag] = prHold[noegle.first];
        ialt += timer;
        fag += (fag.empty() ? "" : ", ") + noegle.second + " " + std::to_string(timer);
    }
    std::vector<Fund> fund;
    for (const auto& [hold, timer] : prHold)
        fund.push_back({Fundart::holdTimer,
                        true,
                        {hold},
                        hold + " har " + std::to_string(timer.first) + (timer.first == 1 ? " time" : " timer") +
                            " om ugen, som ingen lektion kan lægges for (" + timer.second +
                            "): planen har ingen lærerrelation for faget, eller ingen lærer har det i sin "
                            "fagprofil. Tilføj holdet og faget under Data → Skoledata … (læreren må være tom)."});
    return fund;
}

// Said before the first generation starts; with nothing at all to place it does not start.
bool Vorivazi::KanGenerere()
{
    lagredeKrav_.reset();
    if (tilstand_ != Datakilde::database || !ErAaben())
        return true;
    const std::vector<Timekrav>& krav = LagredeKrav();
    const std::vector<Fund> uden = TimerUdenKrav(krav);
    lagredeKrav_.reset();
    if (uden.empty())
        return true;
    std::string linjer;
    for (const Fund& f : uden)
        linjer += "\n  " + f.tekst;
    if (krav.empty()) {
        besked_.VisFejl("Der er ingen lektioner at lægge, og skemaerne er ikke genereret:" + linjer, fejlTitel);
        return false;
    }
    besked_.VisInfo("Nogle timer lægges ikke, fordi ingen lektion er til dem:" + linjer);
    return true;
}

// The stored lessons a shorter week left out are listed with those outside it.
ManglendeTimer Vorivazi::Manglende()
{
    if (!ErAaben())
        return {};
    ManglendeTimer manglende = FindManglendeTimer(Billede());
    const std::vector<LektionsData>& gemte = portal_->GemteUdenforPlanen();
    manglende.udenforPlanen.insert(manglende.udenforPlanen.end(), gemte.begin(), gemte.end());
    return manglende;
}

std::unique_ptr<Fuldfoerelse> Vorivazi::NyFuldfoerelse(const Fuldfoerelsesvalg& valg)
{
    if (!ErAaben())
        return nullptr;
    return std::make_unique<Fuldfoerelse>(Billede(), valg);
}

std::string Vorivazi::AfslutFuldfoerelse(Fuldfoerelse& fuldfoerelse)
{
    if (ErAaben() && fuldfoerelse.Forbedret()) {
        // Emptied and filled again through the store, so the grids hold exactly the completed lessons.
        const std::vector<LektionsData> lektioner = fuldfoerelse.BedsteLektioner();
        portal_->RydSkemaer();
        for (const LektionsData& l : lektioner)
            portal_->SaetLektion(l.hold, l.fag, l.laerer, l.lokale, l.blok, l.kolonne, l.raekke);
        portal_->SaetAktivitetsblokke(fuldfoerelse.BedsteAktivitetsblokke());
        if (!portal_->KontrollerAlle())
            besked_.VisFejl("Der er uoverensstemmelser i skemaerne", fejlTitel);
    }
    std::string linje = fuldfoerelse.Opsummering();
    if (const std::optional<Umulighed>& bevis = fuldfoerelse.Bevis())
        linje += "\n" + UmulighedsTekst(*bevis);
    for (const std::string& fund : FundOmDetManglende())
        linje += "\n" + fund;
    besked_.Log(linje);
    return linje;
}

std::vector<std::string> Vorivazi::FundOmDetManglende()
{
    const ManglendeTimer manglende = Manglende();
    if (manglende.Mangler() == 0 || tilstand_ != Datakilde::database)
        return {};
    std::set<std::string> beroerte;
    for (const ManglendeKrav& m : manglende.krav) {
        if (m.mangler > 0)
            beroerte.insert({m.krav.hold, m.krav.fag, m.krav.laerer, m.krav.Lokaleangivelse()});
    }
    const Udfald<std::vector<Fund>> fund = KontrollerPlan();
    std::vector<std::string> linjer;
    if (!fund)
        return linjer;
    for (const Fund& f : *fund) {
        // Warnings may be about rows the generation has filled in since.
        if (f.umulig &&
            std::any_of(f.navne.begin(), f.navne.end(), [&](const std::string& n) { return beroerte.contains(n); }))
            linjer.push_back(Fundlinje(f));
    }
    return linjer;
}

std::string Vorivazi::PlanId() const { return portal_ ? portal_->PlanId() : ""; }

std::vector<LektionsData> Vorivazi::Lektioner(const std::string& id, SkemaArt art)
{
    std::vector<LektionsData> ud;
    if (!portal_)
        return ud;
    stack<LektionsData> lektioner;
    portal_->LaesLektioner(id, lektioner, art);
    while (!lektioner.tom())
        ud.push_back(lektioner.pop());
    return ud;
}

bool Vorivazi::ErSpaerret(const std::string& laerer, int32_t dag, int32_t time)
{
    return portal_ && portal_->ErSpaerret(laerer, dag, time);
}

const Aktivitetsplan& Vorivazi::Aktiviteter() const
{
    static const Aktivitetsplan ingen;
    return portal_ ? portal_->Aktiviteter() : ingen;
}

Haandflytning Vorivazi::Haandflytninger()
{
    return Haandflytning(*portal_, Uge{kolonner_, raekker_}, regler_, Planregler());
}

// Read anew each time: the school-data window may have changed them.
std::vector<planregler::Regel> Vorivazi::Planregler() const
{
    if (tilstand_ != Datakilde::database)
        return {};
    return LaesPlanensRegler(portal_->PlanId());
}

Flytsvar Vorivazi::ProevFlyt(const std::string& id, SkemaArt art, Placering fra, Placering til)
{
    if (!portal_)
        return {FlytUdfald::afvist, ingenPlanTekst};
    return Haandflytninger().Proev(id, art, fra, til);
}

Flytsvar Vorivazi::Flyt(const std::string& id, SkemaArt art, Placering fra, Placering til)
{
    if (!portal_)
        return {FlytUdfald::afvist, ingenPlanTekst};
    return Haandflytninger().Udfoer(id, art, fra, til);
}

Udfald<LektionsData> Vorivazi::FjernLektion(const std::string& id, SkemaArt art, Placering p)
{
    if (!portal_)
        return Udfald<LektionsData>::Afvist(ingenPlanTekst);
    return Haandflytninger().Fjern(id, art, p);
}

Udfald<LektionsData> Vorivazi::SaetFastlaast(const std::string& id, SkemaArt art, Placering p, bool fastlaast)
{
    if (!portal_)
        return Udfald<LektionsData>::Afvist(ingenPlanTekst);
    return Haandflytninger().SaetFastlaast(id, art, p, fastlaast);
}

bool Vorivazi::ErFastlaast(const std::string& hold, int32_t kolonne, int32_t raekke)
{
    return portal_ && portal_->ErFastlaast(hold, kolonne, raekke);
}

bool Vorivazi::PlacerLektion(const LektionsData& lektion) { return portal_ && Haandflytninger().Placer(lektion); }

std::optional<Aktivitetsblok> Vorivazi::AktivitetsblokI(const std::string& id, SkemaArt art, Placering p)
{
    return portal_ ? Haandflytninger().BlokI(id, art, p) : std::nullopt;
}

Flytsvar Vorivazi::FlytAktivitetsblok(const std::string& aktivitet, Placering start, Placering til)
{
    if (!portal_)
        return {FlytUdfald::afvist, ingenPlanTekst};
    return Haandflytninger().FlytBlok(aktivitet, start, til);
}

Udfald<Aktivitetsblok> Vorivazi::SaetAktivitetsblokFastlaast(const std::string& aktivitet, Placering start,
                                                             bool fastlaast)
{
    if (!portal_)
        return Udfald<Aktivitetsblok>::Afvist(ingenPlanTekst);
    return Haandflytninger().SaetBlokFastlaast(aktivitet, start, fastlaast);
}

std::vector<LektionsData> Vorivazi::AlleLektioner()
{
    return ErAaben() ? TagOejebliksbillede(*portal_, *kontrolListe_).lektioner : std::vector<LektionsData>{};
}

void Vorivazi::SaetAlleLektioner(const std::vector<LektionsData>& lektioner)
{
    if (!ErAaben())
        return;
    portal_->RydSkemaer();
    for (const LektionsData& l : lektioner)
        portal_->SaetLektion(l.hold, l.fag, l.laerer, l.lokale, l.blok, l.kolonne, l.raekke);
}

std::vector<std::string> Vorivazi::Lokaler(const Timekrav& krav)
{
    if (krav.IStamlokale())
        return krav.lokale == tomId ? std::vector<std::string>{} : std::vector<std::string>{krav.lokale};
    return Billede().lokalerAfType[krav.lokaletype];
}

Udfald<LektionsData> Vorivazi::NyLektion(const Timekrav& krav, Placering til)
{
    if (!portal_)
        return Udfald<LektionsData>::Afvist(ingenPlanTekst);
    LektionsData l;
    l.hold = krav.hold;
    l.fag = krav.fag;
    l.laerer = krav.laerer;
    l.blok = krav.blok;
    // A demand for a type of room takes the first room of that type free at the hour.
    return Haandflytninger().NyBlok(l, Lokaler(krav), til);
}
