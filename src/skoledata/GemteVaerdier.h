#pragma once

#include <string>
#include <vector>

// Stored numbers outside the rules of the school-data window (skoleregler),
// such as a subject of a million weekly hours. The planning lists leave such
// rows out, so that they cannot fill the figures with nonsense, and opening a
// plan names them, so that the planner can mend them in the window.
namespace gemteVaerdier {

// An SQL condition that holds when every number of a row of the table keeps
// to its rules. NULL passes: the planning lists have always read it as 0.
std::string Overholdes(const std::string& tabel);

// One line per rule broken by a stored row the plan's lists read: every
// subject, and the teachers' subject profiles of the plan's distribution.
std::vector<std::string> Brud(const std::string& tff);

} // namespace gemteVaerdier
