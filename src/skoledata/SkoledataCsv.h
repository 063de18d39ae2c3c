#pragma once

#include "skoledata/Skoledata.h"

#include <string>
#include <vector>

// One table's rows as a spreadsheet file: UTF-8, a header row with the
// planner's column names, ';' between fields as spreadsheets under a Danish
// locale expect, and '"' around fields that hold ';', '"' or a line break.
namespace skoledataCsv {

std::string Skriv(const Tabel& tabel, const std::vector<Raekke>& raekker);
// Writes the file whole or not at all (udgiv/AtomiskFil); false with the reason.
bool SkrivFil(const Tabel& tabel, const std::vector<Raekke>& raekker, const std::string& fil, std::string& fejl);

// False with one message per fault (naming the row) when the file does not
// have the table's columns; values are not judged here but by the rules on
// saving, so a number column keeps a text that is not a number.
bool Laes(const Tabel& tabel, const std::string& tekst, std::vector<Raekke>& ud, std::vector<std::string>& fejl);

} // namespace skoledataCsv
