#pragma once

#include "fuldfoerelse/Skemabillede.h"
#include "store/Aktivitetsceller.h"
#include "store/SkemaArt.h"

#include <cstdint>
#include <string>
#include <vector>

// What a timetable view shows, in the windows and on the command line alike.

// A lesson's cell: the three ids that do not name the timetable itself.
std::vector<std::string> CelleLinjer(SkemaArt art, const std::string& hold, const std::string& fag,
                                     const std::string& laerer, const std::string& lokale);
// The same ids on one line.
std::string CelleTekst(SkemaArt art, const std::string& hold, const std::string& fag, const std::string& laerer,
                       const std::string& lokale);

// An activity in a list row: who takes part ("7.a Tysk, 7.b"), its teachers
// and its room needs, each need's rooms joined by '/' ("Gymsal, Hal1/Hal2").
struct Aktivitetsangivelse {
    std::string deltagere;
    std::string laerere;
    std::string lokaler;
};
Aktivitetsangivelse Angivelse(const Aktivitet& aktivitet);

// The hours planned for a timetable as its view shows them. Without demands
// (text files), and for a class always, `lister`: the planning lists'
// figure. A teacher plans the hours of the demands given to the teacher, the
// fixed assignment's included. A home room plans the hours its class is taught
// there, not the class's whole week, and the lessons it holds of no such
// demand. A special room's hours are not its own: the plan asks for hours in a
// type of room and the placement chooses among its rooms, so it plans what it
// holds and its share of what its type still lacks.
int32_t PlanlagteTimer(const Skemabillede& billede, SkemaArt art, const std::string& id, int32_t lister);

// Hours placed as a percentage of the hours planned; 0 when none are planned.
double LagtProcent(int32_t planlagt, int32_t lagt);

// The first `tegn` characters of a UTF-8 text (characters, not bytes).
std::string Forkortet(const std::string& tekst, size_t tegn);
