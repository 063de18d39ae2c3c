#pragma once

#include <array>
#include <cstdint>

// The schools measured, in classes: from a small school to a very large one
// (150 classes, about 1,450 lessons to place). Automatic generation runs from
// the school of ordinary size up.
inline constexpr std::array<int32_t, 8> schoolSizes{2, 5, 10, 15, 20, 40, 80, 150};
inline constexpr std::array<int32_t, 4> largeSchoolSizes{20, 40, 80, 150};
inline constexpr int32_t largestSchool = schoolSizes.back();

// Generation ("Generer/N") and automatic generation ("AutoGenerer/N").
void RegisterGenerationBenchmarks();
// Opening ("Aabn/ENGINE/N") and saving ("Gem/ENGINE/N", with the client-library
// baseline of saving in the same iterations), on SQLite and, when a server is
// given, on PostgreSQL.
void RegisterPersistenceBenchmarks(bool withPostgreSQL);
// A timetable view's data path for one class, teacher and room ("Visning/h", "/l", "/k").
void RegisterViewBenchmarks();
// "Kontrollér planen" on a plan just opened ("Kontrol/N", 20, 150 and 400 classes).
void RegisterCheckBenchmarks();
