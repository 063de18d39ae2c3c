#pragma once

#include "regler/Placeringsregler.h"
#include "regler/Planregler.h"

#include <string>
#include <vector>

// Where the planner's hard rules let a block of lesson hours stand: breaks,
// closed hours of a class, group, teacher or room, start times and time
// slots. One place decides; the completion, its exact solver, the missing
// hours and hand moves ask here.
namespace planregler {

// A block of lesson hours as these rules see it.
struct Blok {
    std::string fag;
    std::string aktivitet; // empty for the specified lesson
    std::vector<Deltager> deltagere;
    std::vector<std::string> laerere;
    std::vector<std::vector<std::string>> lokalevalg; // per room need: the rooms it may use
    int32_t laengde = 1;
};

// The first hard rule that keeps a block from a start: the reason, in the
// order of Hindring, and whom it closes ("1.a", "lokale A1"; empty else).
struct Regelhindring {
    Hindring hindring = Hindring::ingen;
    std::string hvem;
};

Regelhindring FoersteRegelhindring(const std::vector<Regel>& regler, const Blok& blok, Placering start);

// The starts in the week the hard rules leave the block. A room need is
// closed only when each of its rooms is: which room is free is the room
// choice's question (LukkedeTimer).
Dagsmasker StarterEfterRegler(const std::vector<Regel>& regler, const Blok& blok, const Uge& uge);

// The hours the hard rules close a room.
Dagsmasker LukkedeTimer(const std::vector<Regel>& regler, const std::string& lokale);

// The reason in the planner's words: "lukket for 1.a", "pause", "fast starttid".
std::string Tekst(const Regelhindring& hindring);

} // namespace planregler
