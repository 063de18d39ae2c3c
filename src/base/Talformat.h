#pragma once

#include <string>

// The separators of the user's locale: Danish writes 1.234,57, English 1,234.57.
struct Talseparatorer {
    char tusind;
    char decimal;
};

inline constexpr Talseparatorer danskeSeparatorer{'.', ','};
inline constexpr Talseparatorer engelskeSeparatorer{',', '.'};

// Rounds to the given number of significant digits, then writes exactly
// `decimaler` decimals with thousands separators.
std::string FormaterTal(double vaerdi, int betydendeCifre, int decimaler, Talseparatorer separatorer);

// Seconds of a timed row: 6 significant digits, 6 decimals.
std::string FormaterSekunder(double sekunder, Talseparatorer separatorer);

// Percentages of the status bars: 3 significant digits, 2 decimals.
std::string FormaterProcent(double procent, Talseparatorer separatorer);
