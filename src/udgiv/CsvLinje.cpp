#include "udgiv/CsvLinje.h"

namespace csv {

namespace {

std::string felt(const std::string& tekst)
{
    if (tekst.find_first_of(";\"\r\n") == std::string::npos)
        return tekst;
    std::string ud = "\"";
    for (const char tegn : tekst)
        ud += tegn == '"' ? std::string("\"\"") : std::string(1, tegn);
    return ud + "\"";
}

} // namespace

std::string Linje(const std::vector<std::string>& felter)
{
    std::string linje;
    for (size_t i = 0; i < felter.size(); ++i)
        linje += (i == 0 ? "" : std::string(1, skille)) + felt(felter[i]);
    return linje + "\r\n";
}

} // namespace csv
