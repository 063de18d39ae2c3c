#pragma once

#include "store/Skemabog.h"

#include <string>

// Every placed lesson hour as one row of a spreadsheet file: ';' between
// fields and UTF-8 with a byte order mark, so a spreadsheet under a Danish
// locale opens it directly. False with the reason when it cannot be written.
bool SkrivCsvSkemabog(const Skemabog& bog, const std::string& fil, std::string& fejl);

// The file's content, as SkrivCsvSkemabog writes it.
std::string CsvSkemabog(const Skemabog& bog);
