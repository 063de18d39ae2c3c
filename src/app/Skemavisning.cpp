#include "app/Skemavisning.h"

std::string CelleTekst(char art, const std::string& hold, const std::string& fag, const std::string& laerer,
                       const std::string& lokale)
{
    switch (art) {
    case 'h':
        return fag + " " + laerer + " " + lokale;
    case 'l':
        return hold + " " + fag + " " + lokale;
    default:
        return hold + " " + fag + " " + laerer;
    }
}

double LagtProcent(int32_t planlagt, int32_t lagt) { return planlagt > 0 ? 100.0 * lagt / planlagt : 0.0; }
