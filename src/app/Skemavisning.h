#pragma once

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

// Hours placed as a percentage of the hours planned; 0 when none are planned.
double LagtProcent(int32_t planlagt, int32_t lagt);

// The first `tegn` characters of a UTF-8 text (characters, not bytes).
std::string Forkortet(const std::string& tekst, size_t tegn);
