#include "app/Skemavisning.h"

std::vector<std::string> CelleLinjer(SkemaArt art, const std::string& hold, const std::string& fag,
                                     const std::string& laerer, const std::string& lokale)
{
    if (art == SkemaArt::hold)
        return {fag, laerer, lokale};
    if (art == SkemaArt::laerer)
        return {hold, fag, lokale};
    return {hold, fag, laerer};
}

std::string CelleTekst(SkemaArt art, const std::string& hold, const std::string& fag, const std::string& laerer,
                       const std::string& lokale)
{
    const std::vector<std::string> linjer = CelleLinjer(art, hold, fag, laerer, lokale);
    return linjer[0] + " " + linjer[1] + " " + linjer[2];
}

double LagtProcent(int32_t planlagt, int32_t lagt) { return planlagt > 0 ? 100.0 * lagt / planlagt : 0.0; }

std::string Forkortet(const std::string& tekst, size_t tegn)
{
    size_t talt = 0;
    for (size_t i = 0; i < tekst.size(); ++i) {
        // A byte that does not continue a character starts the next one.
        if ((static_cast<unsigned char>(tekst[i]) & 0xC0) != 0x80 && talt++ == tegn)
            return tekst.substr(0, i);
    }
    return tekst;
}
