#include "app/Skemavisning.h"

std::string CelleTekst(SkemaArt art, const std::string& hold, const std::string& fag, const std::string& laerer,
                       const std::string& lokale)
{
    if (art == SkemaArt::hold)
        return fag + " " + laerer + " " + lokale;
    if (art == SkemaArt::laerer)
        return hold + " " + fag + " " + lokale;
    return hold + " " + fag + " " + laerer;
}

double LagtProcent(int32_t planlagt, int32_t lagt) { return planlagt > 0 ? 100.0 * lagt / planlagt : 0.0; }
