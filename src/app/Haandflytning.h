#pragma once

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

inline const std::string fastlaastTekst = "lektionen er fastlåst";

struct Flytsvar {
    FlytUdfald udfald = FlytUdfald::afvist;
    std::string grund; // afvist: why; byt: the lesson swapped with
};

// The planner's own moves of one lesson (a double lesson as its block) between
// hours, across its class, teacher and room timetables at once. Built on the
// guarded move, which leaves all three as they were when it refuses. Days and
// hours count from 0.
class Haandflytning {
public:
    Haandflytning(Portal& portal, int32_t dage, int32_t timer);

    Flytsvar Proev(const std::string& id, SkemaArt art, Placering fra, Placering til);
    // Moves or swaps when the test allows it, otherwise changes nothing.
    Flytsvar Udfoer(const std::string& id, SkemaArt art, Placering fra, Placering til);
    // Takes the lesson's block out of its three timetables: its hours become
    // missing. Gives the block taken out (with its first hour), or nothing.
    std::optional<LektionsData> Fjern(const std::string& id, SkemaArt art, Placering p);
    // Puts a block back into free hours of its three timetables, as undoing a removal needs.
    bool Placer(const LektionsData& l);
    // Where one new block of lesson l may start at til, by the rules of a move,
    // in the first of lokaler free there: the block, or nothing with svar saying why.
    std::optional<LektionsData> NyBlok(LektionsData l, const std::vector<std::string>& lokaler, Placering til,
                                       Flytsvar& svar);
    // Pins (or frees) every hour of the lesson's block; gives the lesson, or nothing.
    std::optional<LektionsData> SaetFastlaast(const std::string& id, SkemaArt art, Placering p, bool fastlaast);

private:
    struct Blok {
        LektionsData lektion;
        Placering fra;
        Placering til;
    };

    // The lesson's block and the target block with the same offset, or the
    // refusal.
    std::optional<Blok> FindBlok(const std::string& id, SkemaArt art, Placering fra, Placering til, Flytsvar& svar);
    std::optional<LektionsData> LektionI(const std::string& id, SkemaArt art, Placering p);
    bool GitreneEnige(const LektionsData& l);
    std::string Hindring(const LektionsData& l, Placering til, const std::optional<LektionsData>& undtaget);
    std::string Afvisningsgrund(const Blok& b);
    std::optional<LektionsData> Modpart(const Blok& b);
    bool ErIPlanen(Placering p) const;
    bool ErFastlaast(const LektionsData& l) const;

    Portal& portal_;
    int32_t dage_;
    int32_t timer_;
};

// How a lesson is named to the planner: class and subject ("7.a Dansk").
std::string Beskriv(const LektionsData& l);
