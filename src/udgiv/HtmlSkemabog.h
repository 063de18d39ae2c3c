#pragma once

#include "store/Skemabog.h"

#include <string>

// The timetables as web pages in one folder (created when missing): an index,
// one page per timetable, the two whole-school overviews and one shared style
// sheet with a print style. The pages link to each other by relative names,
// so they open straight from the folder. No file is replaced before every
// file has been written; false with the reason.
bool SkrivHtmlSkemabog(const Skemabog& bog, const std::string& mappe, std::string& fejl);
