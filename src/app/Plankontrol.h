#pragma once

#include "fuldfoerelse/Skemabillede.h"

#include <string>

class KontrolListe;
class SqlKlasse;

// The open plan's lesson demands, rooms and teachers' unavailable hours as
// the database holds them, for the check before generating: the lesson list
// is empty until a generation loads it. Runs the planning lists' own queries
// but keeps their rows to itself, so no list is filled or sorted and the next
// generation draws the same pseudo-random numbers as without the check.
Skemabillede LaesPlanensKrav(SqlKlasse& sql, const KontrolListe& kontrolListe, const std::string& planId, Uge uge);
