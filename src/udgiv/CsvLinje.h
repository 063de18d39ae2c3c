#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Spreadsheet files as a Danish locale expects them: ';' between fields, and a
// byte order mark first so UTF-8 is recognised.
//
// A spreadsheet takes a cell that starts with '=', '+', '-' or '@' (or a tab
// or a carriage return) for a formula, so an id such as "=HYPERLINK(...)"
// would run when the file is opened. Such a text is written with a leading
// apostrophe, which spreadsheets show as a text marker; a text that already
// starts with apostrophes before such a character gets one more, so that
// reading back (UdenVaern) gives exactly the text written. Numbers are
// written as they are: a negative number stays a number.
namespace csv {

constexpr char skille = ';';
inline const std::string bom = "\xEF\xBB\xBF";

// One field: a text, or a number a spreadsheet may compute with.
struct Felt {
    Felt(std::string tekst) : tekst(std::move(tekst)) {}
    Felt(const char* tekst) : tekst(tekst) {}
    static Felt Tal(int64_t tal);

    std::string tekst;
    bool tal = false;
};

// One record ending in CRLF; a field holding the separator, a quote or a line
// break is quoted, its quotes doubled.
std::string Linje(const std::vector<Felt>& felter);

// The text a field of a file read back stands for: one guarding apostrophe less.
std::string UdenVaern(const std::string& felt);

} // namespace csv
