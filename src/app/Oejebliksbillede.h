#pragma once

#include "fuldfoerelse/Skemabillede.h"

class KontrolListe;
class Portal;

// A copy of the open plan's timetables, lesson demands, rooms and teacher
// priorities. Reads the lists element by element, so no look-up sorts them
// and the generation's pseudo-random sequence stays untouched.
Skemabillede TagOejebliksbillede(Portal& portal, KontrolListe& kontrolListe);
