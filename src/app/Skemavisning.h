#pragma once

#include "store/SkemaArt.h"

#include <cstdint>
#include <string>

// What a timetable view shows, in the windows and on the command line alike.

// A lesson's cell: the three ids that do not name the timetable itself.
std::string CelleTekst(SkemaArt art, const std::string& hold, const std::string& fag, const std::string& laerer,
                       const std::string& lokale);

// Hours placed as a percentage of the hours planned; 0 when none are planned.
double LagtProcent(int32_t planlagt, int32_t lagt);
