#pragma once

#include <array>
#include <cstdint>
#include <string>

// One timetable as a character page: a week of five days and eight lessons
// drawn with "-", "|" and "+" on 28 lines of 85 characters. A character is one
// Unicode code point, so a Danish letter takes one column; files are UTF-8.
class Export {
public:
    static constexpr int32_t antalLinjer = 28;
    static constexpr int32_t linjeBredde = 85;

    Export();

    void NulstilSide();
    // dag 0 ... 4, lektion 1 ... 8. Each text is cut to its six columns of
    // the cell.
    bool IndsaetPaaPlan(const std::string& hold, const std::string& fag, const std::string& laerer,
                        const std::string& lokale, int32_t dag, int32_t lektion);
    // The page as it goes into an export file: a blank line, the title, a rule and the 28 lines.
    std::string SideTekst(const std::string& titel) const;
    // Prints through the process's Udskriver; false when printing failed.
    bool UdskrivSide(const std::string& titel) const;

    // Line 0 ... 27 of the page being filled, in UTF-8.
    std::string Linje(int32_t nr) const;

private:
    using Side = std::array<std::array<char32_t, linjeBredde>, antalLinjer>;

    static Side LavSkabelon();
    // At most `hoejst` characters, and nothing outside the page.
    static void Skriv(Side& side, int32_t linje, int32_t kolonne, const std::string& tekst,
                      int32_t hoejst = linjeBredde);

    Side skabelon_;
    Side arbejdsside_;
};
