#pragma once

#include "base/Besked.h"
#include "base/Stopur.h"
#include "db/Datakilde.h"
#include "db/Overskrivning.h"
#include "db/SqlKlasse.h"
#include "store/Aktiviteter.h"
#include "store/Lektion.h"
#include "store/SkemaArt.h"
#include "store/SkemaKontrol.h"
#include "store/Stack.h"

#include <array>
#include <cstdint>
#include <optional>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

class Export;

inline const std::string andenHarGemtTekst = "Planen er gemt af en anden, siden du åbnede den.";

// The opened plan: its timetables, their loading and saving, export and print.
// Every other timetable operation is passed straight on to SkemaKontrol.
class Portal {
public:
    Portal(std::string planId, int32_t kolonner, int32_t raekker, Datakilde tilstand);
    ~Portal();
    Portal(const Portal&) = delete;
    Portal& operator=(const Portal&) = delete;

    // The ids of the timetables Indlaes creates; the portal empties the stacks.
    void SaetNavnestakke(stack<std::string> hold, stack<std::string> laerer, stack<std::string> lokale);
    // The subjects the plan has hours in; a stored lesson of another subject
    // is kept out of the timetables (without the call every subject counts).
    void SaetFag(std::set<std::string> fag) { fag_ = std::move(fag); }
    // Stored rows that cannot be used are reported and kept for the next save.
    void Indlaes();
    // Lessons and priorities are replaced in one transaction; saves of the same
    // plan from several programs take turns.
    bool Gem(Overskrivning overskriv = Overskrivning::Spoerg);
    // Writes the three export files into the folder ("" is the working folder),
    // all or none; false when they could not be written (the planner is told why).
    bool Eksporter(const std::string& mappe = "");
    bool UdskrivSkema(const std::string& id, SkemaArt art);
    void SaetDimensioner(int32_t dage, int32_t timer);

    const std::string& PlanId() const { return planId_; }
    int32_t Kolonner() const { return kolonner_; }
    int32_t Raekker() const { return raekker_; }

    bool KontrollerAlle();
    bool HentLektioner(const std::string& id, stack<LektionsData>& lektioner, SkemaArt art);
    // Reads without a log line, for the many reads of hand moves, views and publishing.
    bool LaesLektioner(const std::string& id, stack<LektionsData>& lektioner, SkemaArt art);
    std::optional<LektionsData> Lektion(const std::string& id, SkemaArt art, Placering p);
    void RydSkemaer();
    double Spredning(const std::string& id, SkemaArt art);
    int32_t AntalLektionerIalt();
    int32_t AntalMellemtimer();
    int32_t AntalFag(const std::string& hold, const std::string& fag);
    int32_t AntalLektioner(const std::string& id, SkemaArt art);
    int32_t AntalSpaerringer(const std::string& laerer);
    bool ErLedig(const std::string& id, SkemaArt art, int32_t kolonne, int32_t raekke);
    bool ErSpaerret(const std::string& laerer, int32_t kolonne, int32_t raekke);
    bool HarFag(const std::string& hold, const std::string& fag, int32_t kolonne, int32_t raekke);
    bool ErDobbeltLektion(const std::string& id, SkemaArt art, int32_t kolonne, int32_t raekke);
    bool SaetLektion(const std::string& hold, const std::string& fag, const std::string& laerer,
                     const std::string& lokale, int32_t blok, int32_t kolonne, int32_t raekke);
    void TvingFlyt(const std::string& id, SkemaArt art, Placering fra, Placering til);
    bool FlytLektion(const std::string& id, int32_t blok, SkemaArt art, Placering fra, Placering til,
                     const Regelvalg& valg = {});
    bool ProevFlytLektion(const std::string& id, int32_t blok, SkemaArt art, Placering fra, Placering til,
                          const Regelvalg& valg = {});
    bool FjernLektion(const std::string& id, SkemaArt art, Placering fra);
    void NulstilMarkoer(SkemaArt art);
    bool HentNaesteLektioner(stack<LektionsData>& lektioner, SkemaArt art);
    bool HentNaestePrioriteter(stack<PLektionsData>& prioriteter, std::string& navn);

    // Pinned hours (class, day, hour): the completion and hand moves leave
    // their lessons where they are. Saved with the lessons.
    using Fastlaasning = std::tuple<std::string, int32_t, int32_t>;
    void Fastlaas(const std::string& hold, int32_t kolonne, int32_t raekke);
    void Frigiv(const std::string& hold, int32_t kolonne, int32_t raekke);
    bool ErFastlaast(const std::string& hold, int32_t kolonne, int32_t raekke) const;
    const std::set<Fastlaasning>& Fastlaaste() const { return fastlaaste_; }
    // Stored lessons outside the plan's days and hours (a day made shorter):
    // kept out of the timetables, listed with the missing hours.
    const std::vector<LektionsData>& GemteUdenforPlanen() const { return udenforPlanen_; }

    // The planner's settings of the plan by name ("spred", "deldobbelte"),
    // saved with the lessons in a table of our own; a setting never made
    // gives the default.
    int32_t Indstilling(const std::string& navn, int32_t standard) const;
    void SaetIndstilling(const std::string& navn, int32_t vaerdi);

    // The plan's activities (store/Aktiviteter.h): their definitions as the
    // school data hold them, and their blocks, saved with the lessons. Read
    // on opening, read-only apart from saving them back.
    const Aktivitetsplan& Aktiviteter() const { return aktiviteter_; }
    // The stored priorities (kolonne * maksTimer + raekke) of teachers whom only
    // activities name: the plan has no timetable for them, but the completion
    // must keep their unavailable hours.
    std::map<std::string, std::array<int32_t, maksCeller>> AktivitetslaerernesPrioriteter() const;
    // The placed blocks as a completion or clearing the timetables leaves them.
    void SaetAktivitetsblokke(std::vector<Aktivitetsblok> blokke) { aktiviteter_.ErstatBlokke(std::move(blokke)); }
    // The planner's hand moves and pins of a block; the rules are the
    // caller's. False when the activity has no block starting there. Pinned
    // blocks are saved in a table of our own, created by the first save that
    // has one.
    bool FlytAktivitetsblok(const std::string& aktivitet, Placering start, Placering til);
    bool SaetAktivitetsblokLaast(const std::string& aktivitet, Placering start, bool laast);

    // One of the plan's stored tables (Portal.cpp).
    struct Tabel;

private:
    using Raekke = std::vector<SqlVaerdi>;

    // Order-free digest of a plan's stored rows: tells whether they changed.
    struct Fingeraftryk {
        uint64_t sum = 0;
        uint64_t antal = 0;
        void Tilfoej(const Tabel& tabel, const Raekke& raekke);
        bool operator==(const Fingeraftryk&) const = default;
    };

    void OpretSkemaer(SkemaArt art, stack<std::string>& navne);
    void GennemgaaRaekker(const Tabel& tabel, const std::function<void(const Raekke&)>& brug);
    // Each gives "" when the row went into the timetables, else why it could not.
    void BrugLektioner(const std::vector<Raekke>& lektioner);
    // Why a lesson row cannot be used whatever the other rows hold, or "".
    std::string LektionsFejl(const Raekke& r) const;
    std::string BrugPrioritet(const Raekke& r, std::set<std::tuple<std::string, int32_t, int32_t>>& sete);
    std::string BrugFastlaasning(const Raekke& r);
    void Behold(const Tabel& tabel, const Raekke& raekke, const std::string& grund);
    void MeldUbrugte() const;
    Fingeraftryk LagretFingeraftryk();
    std::string TagPlanen(Overskrivning overskriv);
    // The question before another planner's save is overwritten: what it holds and what takes its place.
    std::string OverskrivningsSpoergsmaal();
    std::string Erstat(Stopur& trin, Overskrivning overskriv, Fingeraftryk& nyt);
    // Runs the save as one transaction; see Portal.cpp.
    bool Transaktion(const std::function<std::string()>& erstat);
    bool IndsaetLektioner(Fingeraftryk& nyt);
    bool IndsaetPrioriteter(Fingeraftryk& nyt);
    void LaesFastlaasninger();
    bool GemFastlaasninger();
    void LaesIndstillinger();
    bool GemIndstillinger();
    // The activities' definitions, then their blocks beside the lessons read before.
    void LaesAktiviteter();
    void LaesAktivitetsdefinitioner(std::map<std::string, Aktivitet>& aktiviteter, std::set<std::string>& ubrugelige);
    void LaesAktivitetsblokke();
    std::string BrugAktivitetsblok(const Raekke& r, std::vector<Raekke>& lokaler,
                                   const std::vector<LektionsData>& lektioner);
    void AktivitetsFingeraftryk(Fingeraftryk& fingeraftryk);
    bool GemAktivitetsblokke(Fingeraftryk& nyt);
    bool OpretAktivitetsskemaTabeller();
    void LaesAktivitetslaase();
    bool GemAktivitetslaase();
    // The rows kept from opening, written back as they were read.
    bool IndsaetUbrugte(const Tabel& tabel, Fingeraftryk& nyt);
    bool IndsaetRaekke(const Tabel& tabel, const Raekke& raekke, Fingeraftryk& nyt);
    void SkrivTid(Stopur& ur, const std::string& etiket, int32_t raekke) const;
    // One page per timetable of the kind that has lessons.
    std::string Sider(SkemaArt art);

    std::unique_ptr<SkemaKontrol> skemaKontrol_;
    std::unique_ptr<SqlKlasse> sql_;
    std::string planId_;
    int32_t kolonner_;
    int32_t raekker_;
    Datakilde tilstand_;
    PrSkemaArt<stack<std::string>> navne_;
    std::unique_ptr<Export> export_;
    Besked besked_;
    PrSkemaArt<std::set<std::string>> ider_;
    std::optional<std::set<std::string>> fag_;
    std::vector<LektionsData> udenforPlanen_;
    // Stored rows the program could not use, exactly as read, per table;
    // saving writes them back.
    struct Ubrugte {
        std::vector<Raekke> raekker;
        std::map<std::string, int32_t> grunde; // how many rows for each reason
    };
    // The lessons, priorities, pins, the activities' blocks and their rooms,
    // the five tables of their definitions (which saving leaves alone) and
    // the pins of their blocks.
    static constexpr size_t antalTabeller = 11;
    std::array<Ubrugte, antalTabeller> ubrugte_;
    Fingeraftryk fingeraftryk_; // of the stored rows as opened or last saved
    std::set<Fastlaasning> fastlaaste_;
    std::map<std::string, int32_t> indstillinger_;
    Aktivitetsplan aktiviteter_;
    std::vector<std::string> ubrugteIndstillinger_; // name = value(s), as a person reads them
};
