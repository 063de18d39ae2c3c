#pragma once

#include "store/Lektion.h"

#include <array>

// The days of a timetable's columns, Monday first.
inline constexpr std::array<const char*, maksDage> dagNavne{"Mandag", "Tirsdag", "Onsdag", "Torsdag", "Fredag"};
