#include "udgiv/CsvLinje.h"

namespace csv {

namespace {

constexpr char vaern = '\'';

// Starts with apostrophes, if any, and then a character that makes a formula.
bool LignerFormel(const std::string& tekst)
{
    const size_t start = tekst.find_first_not_of(vaern);
    return start != std::string::npos && std::string("=+-@\t\r").find(tekst[start]) != std::string::npos;
}

std::string Citeret(const std::string& tekst)
{
    if (tekst.find_first_of(";\"\r\n") == std::string::npos)
        return tekst;
    std::string ud = "\"";
    for (const char tegn : tekst)
        ud += tegn == '"' ? std::string("\"\"") : std::string(1, tegn);
    return ud + "\"";
}

} // namespace

Felt Felt::Tal(int64_t tal)
{
    Felt felt(std::to_string(tal));
    felt.tal = true;
    return felt;
}

std::string Linje(const std::vector<Felt>& felter)
{
    std::string linje;
    for (size_t i = 0; i < felter.size(); ++i) {
        const Felt& f = felter[i];
        const bool vaernes = !f.tal && LignerFormel(f.tekst);
        linje += (i == 0 ? "" : std::string(1, skille)) + Citeret(vaernes ? vaern + f.tekst : f.tekst);
    }
    return linje + "\r\n";
}

std::string UdenVaern(const std::string& felt)
{
    return felt.starts_with(vaern) && LignerFormel(felt) ? felt.substr(1) : felt;
}

} // namespace csv
