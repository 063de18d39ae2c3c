#pragma once

#include "skoledata/Skoledata.h"

#include <string>
#include <vector>

struct XmlElement;

// Turns a timetable file of the widely used free XML format (".fet") into
// the rows of one new plan. Whatever has no counterpart in our tables is
// named in the report instead of being dropped.
namespace fetImport {

// False with `fejl` when the file's week does not fit the timetable grid.
bool Oversaet(const XmlElement& rod, const std::string& planId, Skoledata& ud, std::vector<std::string>& rapport,
              std::string& fejl);

// Reads the file, translates it and adds the plan in one transaction; false
// with the reasons, and nothing written, when any step refuses.
bool Importer(const std::string& sti, const std::string& planId, std::vector<std::string>& rapport,
              std::vector<std::string>& fejl);

} // namespace fetImport
