#pragma once

#include <string>
#include <vector>

// Spreadsheet files as a Danish locale expects them: ';' between fields, and a
// byte order mark first so UTF-8 is recognised.
namespace csv {

constexpr char skille = ';';
inline const std::string bom = "\xEF\xBB\xBF";

// One record ending in CRLF; a field holding the separator, a quote or a line
// break is quoted, its quotes doubled.
std::string Linje(const std::vector<std::string>& felter);

} // namespace csv
