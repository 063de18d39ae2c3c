#pragma once

#include <array>
#include <cstdint>

// The schools measured, in classes: from a small school to the largest the
// program's lists hold (192 lessons to place of at most 200).
inline constexpr std::array<int32_t, 5> schoolSizes{2, 5, 10, 15, 20};
inline constexpr int32_t largestSchool = schoolSizes.back();

// Generation ("Generer/N") and automatic generation of the largest school ("AutoGenerer/N").
void RegisterGenerationBenchmarks();
// Opening ("Aabn/ENGINE/N") and saving ("Gem/ENGINE/N", with the client-library
// baseline of saving in the same iterations), on SQLite and, when a server is
// given, on PostgreSQL.
void RegisterPersistenceBenchmarks(bool withPostgreSQL);
// A timetable view's data path for one class, teacher and room ("Visning/h", "/l", "/k").
void RegisterViewBenchmarks();
