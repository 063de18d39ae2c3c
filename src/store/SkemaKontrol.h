#pragma once

#include "store/Lektion.h"
#include "store/Skema.h"
#include "store/SkemaArt.h"
#include "store/SkemaListe.h"
#include "store/Stack.h"
#include "regler/Placeringsregler.h"

#include <cstdint>
#include <optional>
#include <string>

// A move is performed, or only tried: then everything is left as it was.
// The values are the letters the modes had.
enum class Flytning : char { udfoer = 'u', proev = 'v' };

// All timetables of the open plan: one per class, teacher and room. The only
// place where lessons are put into, moved between and taken out of the grids;
// it keeps every lesson hour in the same cell of its class, teacher and room
// timetables.
class SkemaKontrol {
public:
    SkemaKontrol(int32_t dage, int32_t timer);
    ~SkemaKontrol();
    SkemaKontrol(const SkemaKontrol&) = delete;
    SkemaKontrol& operator=(const SkemaKontrol&) = delete;

    // No bounds: callers pass 1 ... 5 days and 1 ... 8 hours.
    void SaetDimensioner(int32_t dage, int32_t timer);
    int32_t Dage() const;
    int32_t Timer() const;

    bool OpretSkema(const std::string& id, SkemaArt art);
    bool SaetLektion(const std::string& hold, const std::string& fag, const std::string& laerer,
                     const std::string& lokale, int32_t blok, int32_t kolonne, int32_t raekke);
    bool SaetPrioritet(const std::string& laerer, int32_t vaerdi, int32_t kolonne, int32_t raekke);

    // Writes a teacher's id to the log first: the trace of the generation shows it.
    bool HentLektioner(const std::string& id, stack<LektionsData>& lektioner, SkemaArt art);
    // The same without the log line, for readers outside the generation.
    bool LaesLektioner(const std::string& id, stack<LektionsData>& lektioner, SkemaArt art);
    // The lesson in one cell of a timetable, inside the plan.
    std::optional<LektionsData> Lektion(const std::string& id, SkemaArt art, Placering p);
    bool HentNaesteLektioner(stack<LektionsData>& lektioner, SkemaArt art);
    bool HentNaestePrioriteter(stack<PLektionsData>& prioriteter, std::string& navn);
    void NulstilMarkoer(SkemaArt art);
    void RydSkemaer();

    bool ErLedig(const std::string& id, SkemaArt art, int32_t kolonne, int32_t raekke);
    // The teacher exists and has priority -3 at that hour inside the plan.
    bool ErSpaerret(const std::string& laerer, int32_t kolonne, int32_t raekke);
    bool HarFag(const std::string& hold, const std::string& fag, int32_t kolonne, int32_t raekke);
    bool ErDobbeltLektion(const std::string& id, SkemaArt art, int32_t kolonne, int32_t raekke);

    // The guarded move or swap of a block; the rules are the generation's
    // unless the planner's own are given.
    bool FlytLektion(const std::string& id, int32_t blok, SkemaArt art, Placering fra, Placering til, Flytning flytning,
                     const Regelvalg& valg = {});
    void TvingFlyt(const std::string& id, SkemaArt art, Placering fra, Placering til);
    // Takes the block starting at fra out of its class, teacher and room
    // timetables; false, with nothing changed, unless all three hold it.
    bool FjernLektion(const std::string& id, SkemaArt art, Placering fra);

    bool Kontroller(int32_t& antal, SkemaArt art);

    int32_t AntalLektionerIalt();
    int32_t AntalMellemtimer();
    double Spredning(const std::string& id, SkemaArt art);
    int32_t AntalLektioner(const std::string& id, SkemaArt art);
    int32_t AntalFag(const std::string& hold, const std::string& fag);
    int32_t AntalSpaerringer(const std::string& laerer);

private:
    // Calls f with the list of timetables of the kind.
    template <typename F>
    auto MedListe(SkemaArt art, F f);
    // The timetable of the kind, or nullptr.
    skema* FindSkema(const std::string& id, SkemaArt art);
    bool NaesteSkema(SkemaArt art, skema*& naeste);
    // The class, teacher and room timetables of the lesson, looked up in that order.
    bool FindTrio(const lektion& l, SkemaTrio& trio);
    // The plan's week, never reaching outside the grid whatever dimensions it was given.
    Uge PlanensUge() const;
    bool ErIPlanen(int32_t kolonne, int32_t raekke) const;
    bool BlokIPlanen(Placering p, int32_t timer) const;

    Uge uge_;
    SkemaListe<hold_skema> holdListe_;
    SkemaListe<laerer_skema> laererListe_;
    SkemaListe<lokale_skema> lokaleListe_;
};
