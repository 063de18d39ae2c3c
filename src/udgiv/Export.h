#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One timetable as a character page: a week of five days and eight lessons
// drawn with "-", "|" and "+" on 28 lines of 85 characters. A plan with more
// days or hours gets a page that grows to fit: a day column of the same width
// for each day, a band of three lines for each lesson. A character is one
// Unicode code point, so a Danish letter takes one column; files are UTF-8.
class Export {
public:
    static constexpr int32_t antalLinjer = 28;
    static constexpr int32_t linjeBredde = 85;

    // The page of a plan with that many days and hours a day.
    explicit Export(int32_t dage = 5, int32_t timer = 8);

    int32_t Linjer() const { return static_cast<int32_t>(skabelon_.size()); }
    int32_t Bredde() const { return static_cast<int32_t>(skabelon_.front().size()); }

    void NulstilSide();
    // dag 0 ... days - 1, lektion 1 ... hours. Each text is cut to its six
    // columns of the cell.
    bool IndsaetPaaPlan(const std::string& hold, const std::string& fag, const std::string& laerer,
                        const std::string& lokale, int32_t dag, int32_t lektion);
    // The words of lessons of the new kind in that hour (store/Aktivitetsceller)
    // run over both lines of the cell, 13 columns each, broken at a blank
    // where the first line's words fit; the rest is cut.
    bool IndsaetAktivitet(const std::string& tekst, int32_t dag, int32_t lektion);
    // The page as it goes into an export file: a blank line, the title, a rule and the page's lines.
    std::string SideTekst(const std::string& titel) const;
    // Prints through the process's Udskriver; false when printing failed.
    bool UdskrivSide(const std::string& titel) const;

    // A line of the page being filled, in UTF-8.
    std::string Linje(int32_t nr) const;

private:
    using Side = std::vector<std::u32string>;

    static Side LavSkabelon(int32_t dage, int32_t lektioner);
    // Whether the hour lies on the page; the engine's trace notes one that does not.
    bool PaaSiden(int32_t dag, int32_t lektion) const;
    // At most `hoejst` characters, and nothing outside the page.
    static void Skriv(Side& side, int32_t linje, int32_t kolonne, const std::string& tekst, int32_t hoejst);
    static void Skriv(Side& side, int32_t linje, int32_t kolonne, const std::u32string& tekst, int32_t hoejst);

    int32_t dage_;
    int32_t lektioner_;
    Side skabelon_;
    Side arbejdsside_;
};
