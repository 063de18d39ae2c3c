#include "Talformat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

double rundTilBetydende(double vaerdi, int betydendeCifre)
{
    if (vaerdi == 0.0 || !std::isfinite(vaerdi))
        return vaerdi;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", betydendeCifre - 1, vaerdi);
    return std::strtod(buffer, nullptr);
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
    std::snprintf(buffer, sizeof buffer, "%.*f", decimaler, std::fabs(rundet));
    const std::string tekst = buffer;
    const auto punktum = tekst.find('.');
    std::string resultat = (rundet < 0 && std::stod(tekst) != 0.0) ? "-" : "";
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
