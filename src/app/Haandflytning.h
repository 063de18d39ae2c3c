#pragma once

#include "base/Udfald.h"
#include "regler/Placeringsregler.h"
#include "regler/Planregler.h"
#include "store/Aktiviteter.h"
#include "store/Lektion.h"
#include "store/SkemaArt.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class Portal;

// What a hand move of a lesson would do: move into a free hour, change
// places with the lesson there, or nothing, with the reason in Danish.
enum class FlytUdfald { ledig, byt, afvist };

struct Flytsvar {
    FlytUdfald udfald = FlytUdfald::afvist;
    std::string grund; // afvist: why; byt: the lesson swapped with
};

// The planner's own moves of one lesson (a double lesson as its block) between
// hours, across its class, teacher and room timetables at once. The placement
// rules decide and name the reason; the store's guarded move carries a move
// out and leaves everything as it was when it refuses. A block of an activity
// moves whole, with all its participants, teachers and rooms, into free
// hours only. Days and hours count from 0.
class Haandflytning {
public:
    Haandflytning(Portal& portal, Uge uge, Regelvalg valg, std::vector<planregler::Regel> planregler = {});

    // The lesson at fra, or else the activity's block there, with the hour at fra going to til.
    Flytsvar Proev(const std::string& id, SkemaArt art, Placering fra, Placering til);
    // Moves or swaps when the test allows it, otherwise changes nothing.
    Flytsvar Udfoer(const std::string& id, SkemaArt art, Placering fra, Placering til);
    // The activity's block in the timetable's hour; where a class's groups
    // have several side by side, the one that starts first.
    std::optional<Aktivitetsblok> BlokI(const std::string& id, SkemaArt art, Placering p) const;
    // The activity's block that starts at start, to start at til.
    Flytsvar ProevBlok(const std::string& aktivitet, Placering start, Placering til);
    Flytsvar FlytBlok(const std::string& aktivitet, Placering start, Placering til);
    // Pins (or frees) the activity's block that starts at start; gives the block.
    Udfald<Aktivitetsblok> SaetBlokFastlaast(const std::string& aktivitet, Placering start, bool fastlaast);
    // Takes the lesson's block out of its three timetables: its hours become
    // missing. Gives the block taken out (with its first hour).
    Udfald<LektionsData> Fjern(const std::string& id, SkemaArt art, Placering p);
    // Puts a block back into free hours of its three timetables, as undoing a removal needs.
    bool Placer(const LektionsData& l);
    // Where one new block of lesson l may start at til, in the first of lokaler
    // free there: the block, or why it may not.
    Udfald<LektionsData> NyBlok(LektionsData l, const std::vector<std::string>& lokaler, Placering til);
    // Pins (or frees) every hour of the lesson's block; gives the lesson.
    Udfald<LektionsData> SaetFastlaast(const std::string& id, SkemaArt art, Placering p, bool fastlaast);

private:
    struct Blok {
        LektionsData lektion; // with its first hour
        Placering til;
    };
    class PlanFakta;
    class BlokFakta;

    // The lesson's block at fra and the target block with the same offset, or the refusal.
    Udfald<Blok> FindBlok(const std::string& id, SkemaArt art, Placering fra, Placering til);
    std::optional<LektionsData> LektionI(const std::string& id, SkemaArt art, Placering p);
    bool GitreneEnige(const LektionsData& l);
    std::optional<LektionsData> Modpart(const Blok& b);
    std::string Afvisningsgrund(const Blok& b, const std::optional<LektionsData>& modpart);
    // Why block l may not start at til in one of lokaler, the blocks of
    // flytter moving at the same time; empty when it may.
    std::string Grund(const LektionsData& l, const std::vector<std::string>& lokaler, Placering til,
                      const std::vector<LektionsData>& flytter);
    bool ErFastlaast(const LektionsData& l) const;
    // Of lokaler, those the planner's rules keep open in every hour of block l at til.
    std::vector<std::string> AabneLokaler(const LektionsData& l, const std::vector<std::string>& lokaler,
                                          Placering til) const;
    // The plan's lessons in the block's hours of its classes, teachers and rooms.
    std::vector<LektionsData> LektionerUnder(const Aktivitetsblok& blok);
    std::string BlokGrund(Hindring hindring, const Aktivitetsblok& blok, const Aktivitetssammenstoed& sammenstoed);

    Portal& portal_;
    Uge uge_;
    Regelvalg valg_;
    std::vector<planregler::Regel> planregler_;
};

// How a lesson is named to the planner: class and subject ("7.a Dansk").
std::string Beskriv(const LektionsData& l);

// The reason a pinned lesson gives.
inline const std::string fastlaastTekst = "lektionen er fastlåst";
