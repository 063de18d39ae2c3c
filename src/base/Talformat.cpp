#include "base/Talformat.h"

#include <cmath>
#include <charconv>

namespace {

// to_chars and from_chars ignore the C library's locale, which a toolkit may
// have switched to the user's.
double rundTilBetydende(double vaerdi, int betydendeCifre)
{
    if (vaerdi == 0.0 || !std::isfinite(vaerdi))
        return vaerdi;
    char buffer[64];
    const auto slut =
        std::to_chars(buffer, buffer + sizeof buffer, vaerdi, std::chars_format::scientific, betydendeCifre - 1).ptr;
    double rundet = vaerdi;
    std::from_chars(buffer, slut, rundet);
    return rundet;
}

std::string medTusindtalsSeparator(const std::string& heltal, char separator)
{
    std::string resultat;
    const int laengde = static_cast<int>(heltal.size());
    for (int i = 0; i < laengde; ++i) {
        if (i > 0 && (laengde - i) % 3 == 0)
            resultat += separator;
        resultat += heltal[i];
    }
    return resultat;
}

} // namespace

std::string FormaterTal(double vaerdi, int betydendeCifre, int decimaler, Talseparatorer separatorer)
{
    if (!std::isfinite(vaerdi))
        return std::isnan(vaerdi) ? "NaN" : (vaerdi < 0 ? "-INF" : "INF");
    const double rundet = rundTilBetydende(vaerdi, betydendeCifre);
    char buffer[512];
    const auto slut =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(rundet), std::chars_format::fixed, decimaler).ptr;
    const std::string tekst(buffer, slut);
    const auto punktum = tekst.find('.');
    const bool kunNuller = tekst.find_first_not_of("0.") == std::string::npos;
    std::string resultat = (rundet < 0 && !kunNuller) ? "-" : "";
    resultat += medTusindtalsSeparator(tekst.substr(0, punktum), separatorer.tusind);
    if (punktum != std::string::npos)
        resultat += separatorer.decimal + tekst.substr(punktum + 1);
    return resultat;
}

std::string FormaterSekunder(double sekunder, Talseparatorer separatorer)
{
    return FormaterTal(sekunder, 6, 6, separatorer);
}

std::string FormaterProcent(double procent, Talseparatorer separatorer)
{
    return FormaterTal(procent, 3, 2, separatorer);
}
