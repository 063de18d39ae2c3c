#pragma once

#include "fuldfoerelse/Fuldfoerelse.h"
#include "fuldfoerelse/Gennemfoerlighed.h"
#include "fuldfoerelse/ManglendeTimer.h"
#include "base/Besked.h"
#include "db/Datakilde.h"
#include "app/Haandflytning.h"
#include "db/Overskrivning.h"
#include "store/Aktiviteter.h"
#include "store/Lektion.h"
#include "store/SkemaArt.h"
#include "store/Stack.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

class Generator;
class KontrolListe;
class Plan;
class Portal;
class SqlKlasse;

// What the windows and the command line both tell the user about saving and export.
inline const std::string skrivebeskyttetTekst = "Programmet er sat op til ikke at skrive til databasen!";
// The refusal of a write while the protection is on, with how to lift it.
inline std::string SkrivebeskyttetBesked(const std::string& slaaFra)
{
    return slaaFra.empty() ? skrivebeskyttetTekst : skrivebeskyttetTekst + "\n" + slaaFra;
}
inline const std::string ingenPlanTekst = "ingen plan er åben";
inline const std::string gemtTekst = "Skemaerne er gemt i databasen!";
inline const std::string eksporteretTekst =
    "Skemaerne er nu exporteret til 3 filer.!\n'HoldSkemaer.txt', 'LaererSkemaer.txt' og 'LokaleSkemaer.txt'";

// The one object through which every window reaches plans, timetables,
// generation and persistence. Fresh until a plan is opened; a plan is never
// closed, opening another one goes through a new facade.
class Vorivazi {
public:
    explicit Vorivazi(Datakilde tilstand);
    ~Vorivazi();
    Vorivazi(const Vorivazi&) = delete;
    Vorivazi& operator=(const Vorivazi&) = delete;

    bool AabnPlan(const std::string& planId);
    bool ErAaben() const;

    bool HentPlanliste();
    bool TagPlanNavn(std::string& id);
    bool HentNavne(SkemaArt art);
    bool TagNavn(std::string& id);
    int32_t HentLektioner(const std::string& id, SkemaArt art);
    bool TagLektion(std::string& hold, std::string& fag, std::string& laerer, std::string& lokale, int32_t& kolonne,
                    int32_t& raekke);

    // Writes the three export files into the folder ("" is the working folder);
    // false, with the planner told why, when they could not be written.
    bool Eksporter(const std::string& mappe = "");
    void NytProjekt();
    bool Gem(Overskrivning overskriv = Overskrivning::Spoerg);
    bool Generer(int32_t frekvens, int32_t styrke, int32_t dage, int32_t timer, int32_t genereret,
                 bool skrivebeskyttet);
    // Generer in steps (Generator's Begynd, Trin and Stop), for the job runner.
    bool BegyndGenerering(int32_t frekvens, int32_t styrke, int32_t dage, int32_t timer, int32_t genereret,
                          bool skrivebeskyttet);
    bool GenereringsTrin();
    void StopGenerering();
    bool UdskrivSkema(const std::string& id, SkemaArt art);
    // Automatic generation widens one hour per day at a time up to this:
    // seven hours, or the plan's own day when it is shorter.
    int32_t AutoTimer() const;

    double Spredning(const std::string& id, SkemaArt art);
    int32_t AntalLektioner(const std::string& id, SkemaArt art);
    int32_t TimerFor(const std::string& id, SkemaArt art);
    // The planned hours a view shows (Skemavisning's PlanlagteTimer); TimerFor
    // is the planning lists' figure, which the generation leaves behind.
    int32_t PlanlagteTimer(const std::string& id, SkemaArt art);
    int32_t SumTimer();
    int32_t AntalLektionerIalt();
    int32_t AntalMellemtimer();

    // The rules the plan switches on or off; hand moves, the missing hours and
    // the completion all keep the same ones.
    // Read from the plan when it opens and saved with it.
    const Regelvalg& Regler() const { return regler_; }
    void SaetRegler(const Regelvalg& regler);
    // A double lesson the completion cannot place may become two single hours on different days.
    bool DelDobbelte() const { return delDobbelte_; }
    void SaetDelDobbelte(bool delDobbelte);
    // The check before generating: what keeps a complete timetable from
    // existing, and what the planner should know, read from the plan as the
    // database holds it. Leaves the next generation exactly as without it.
    Udfald<std::vector<Fund>> KontrollerPlan();
    // The demands with hours still missing, with the reasons, and the lessons outside the plan.
    ManglendeTimer Manglende();
    // A completion that starts from the timetables as they are now; nullptr without an open plan.
    std::unique_ptr<Fuldfoerelse> NyFuldfoerelse(const Fuldfoerelsesvalg& valg);
    // Writes the best timetables it found back when they are better and checks
    // them; logs and returns the line that compares before and after.
    std::string AfslutFuldfoerelse(Fuldfoerelse& fuldfoerelse);
    // The open plan as publishing needs it: its id and own week, one
    // timetable's lessons with their block sizes, a teacher's unavailable hours.
    std::string PlanId() const;
    int32_t PlanDage() const { return kolonner_; }
    int32_t PlanTimer() const { return raekker_; }
    std::vector<LektionsData> Lektioner(const std::string& id, SkemaArt art);
    bool ErSpaerret(const std::string& laerer, int32_t dag, int32_t time);
    // The plan's lessons of the new kind (store/Aktiviteter.h); none without an open plan.
    const Aktivitetsplan& Aktiviteter() const;

    // The planner's hand moves (days and hours from 0); refused when no plan is open.
    Flytsvar ProevFlyt(const std::string& id, SkemaArt art, Placering fra, Placering til);
    Flytsvar Flyt(const std::string& id, SkemaArt art, Placering fra, Placering til);
    Udfald<LektionsData> FjernLektion(const std::string& id, SkemaArt art, Placering p);
    // Pinned lessons stay where they are through hand moves and the completion.
    Udfald<LektionsData> SaetFastlaast(const std::string& id, SkemaArt art, Placering p, bool fastlaast);
    bool ErFastlaast(const std::string& hold, int32_t kolonne, int32_t raekke);
    bool PlacerLektion(const LektionsData& lektion);
    // An activity's block in the timetable's hour, moved or pinned by its
    // activity and start (Flyt and ProevFlyt move it from any of its hours).
    std::optional<Aktivitetsblok> AktivitetsblokI(const std::string& id, SkemaArt art, Placering p);
    Flytsvar FlytAktivitetsblok(const std::string& aktivitet, Placering start, Placering til);
    Udfald<Aktivitetsblok> SaetAktivitetsblokFastlaast(const std::string& aktivitet, Placering start, bool fastlaast);
    // Every lesson hour the timetables hold, and the timetables set to hold
    // exactly such a list again: how "Nyt projekt" and a cancelled fresh
    // generation are undone.
    std::vector<LektionsData> AlleLektioner();
    void SaetAlleLektioner(const std::vector<LektionsData>& lektioner);
    // One block of a missing demand placed at til by hand: the block it would be, or why not.
    Udfald<LektionsData> NyLektion(const Timekrav& krav, Placering til);

private:
    Skemabillede Billede();
    const std::vector<Timekrav>& LagredeKrav();
    std::vector<Fund> TimerUdenKrav(const std::vector<Timekrav>& krav);
    bool KanGenerere();
    std::set<std::string> PlanensFag();
    // The check's findings that name what a completion left unplaced: why it stayed short.
    std::vector<std::string> FundOmDetManglende();
    Haandflytning Haandflytninger();
    // The open plan's own rules; none in text-file mode.
    std::vector<planregler::Regel> Planregler() const;
    // The rooms a demand may use: its home room, or every room of its type.
    std::vector<std::string> Lokaler(const Timekrav& krav);
    void MeldRegelbrud() const;

    std::unique_ptr<Portal> portal_;
    std::unique_ptr<KontrolListe> kontrolListe_;
    std::unique_ptr<Generator> generator_;
    std::unique_ptr<Plan> plan_;
    std::unique_ptr<SqlKlasse> sql_;
    Datakilde tilstand_;
    std::string tff_;
    int32_t kolonner_ = 0;
    int32_t raekker_ = 0;
    stack<std::string> planNavne_;
    stack<std::string> navne_;
    stack<LektionsData> lektioner_;
    std::optional<std::vector<Timekrav>> lagredeKrav_;
    Regelvalg regler_ = Regelvalg::Planens(true);
    bool delDobbelte_ = false;
    Besked besked_;
};
