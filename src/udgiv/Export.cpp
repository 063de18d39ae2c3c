#include "udgiv/Export.h"

#include "udgiv/Udskriver.h"

#include "base/Besked.h"
#include "base/Uge.h"

#include <algorithm>

namespace {

constexpr int32_t cellebredde = 14;
constexpr int32_t baandhoejde = 3;
// Columns for one text of a lesson: half a day's cell less the blank between.
constexpr int32_t feltBredde = 6;

// Code points of a UTF-8 text; a byte that does not start a valid sequence
// becomes U+FFFD, so every input still takes a predictable number of columns.
std::u32string tilTegn(const std::string& tekst)
{
    constexpr char32_t erstatning = 0xFFFD;
    std::u32string tegn;
    size_t i = 0;
    while (i < tekst.size()) {
        const auto foerste = static_cast<unsigned char>(tekst[i]);
        int32_t laengde = 0;
        char32_t vaerdi = 0;
        if (foerste < 0x80) {
            laengde = 1;
            vaerdi = foerste;
        } else if ((foerste & 0xE0) == 0xC0) {
            laengde = 2;
            vaerdi = foerste & 0x1F;
        } else if ((foerste & 0xF0) == 0xE0) {
            laengde = 3;
            vaerdi = foerste & 0x0F;
        } else if ((foerste & 0xF8) == 0xF0) {
            laengde = 4;
            vaerdi = foerste & 0x07;
        }
        bool gyldig = laengde > 0 && i + laengde <= tekst.size();
        for (int32_t j = 1; gyldig && j < laengde; ++j) {
            const auto naeste = static_cast<unsigned char>(tekst[i + j]);
            gyldig = (naeste & 0xC0) == 0x80;
            vaerdi = (vaerdi << 6) | (naeste & 0x3F);
        }
        if (gyldig) {
            tegn += vaerdi;
            i += laengde;
        } else {
            tegn += erstatning;
            ++i;
        }
    }
    return tegn;
}

void tilfoejUtf8(std::string& ud, char32_t tegn)
{
    if (tegn < 0x80) {
        ud += static_cast<char>(tegn);
    } else if (tegn < 0x800) {
        ud += static_cast<char>(0xC0 | (tegn >> 6));
        ud += static_cast<char>(0x80 | (tegn & 0x3F));
    } else if (tegn < 0x10000) {
        ud += static_cast<char>(0xE0 | (tegn >> 12));
        ud += static_cast<char>(0x80 | ((tegn >> 6) & 0x3F));
        ud += static_cast<char>(0x80 | (tegn & 0x3F));
    } else {
        ud += static_cast<char>(0xF0 | (tegn >> 18));
        ud += static_cast<char>(0x80 | ((tegn >> 12) & 0x3F));
        ud += static_cast<char>(0x80 | ((tegn >> 6) & 0x3F));
        ud += static_cast<char>(0x80 | (tegn & 0x3F));
    }
}

} // namespace

// A week within 5 x 8 keeps the classic page of 28 lines of 85 characters.
Export::Export(int32_t dage, int32_t timer)
    : dage_(std::clamp(dage, klassiskeDage, maksDage)), lektioner_(std::clamp(timer, klassiskeTimer, maksTimer)),
      skabelon_(LavSkabelon(dage_, lektioner_)), arbejdsside_(skabelon_)
{
}

Export::Side Export::LavSkabelon(int32_t dage, int32_t lektioner)
{
    const int32_t bredde = cellebredde * (dage + 1) + 1;
    Side side(baandhoejde * (lektioner + 1) + 1, std::u32string(bredde, U' '));
    for (int32_t linje = 0; linje < static_cast<int32_t>(side.size()); ++linje) {
        const bool kantlinje = linje % baandhoejde == 0;
        for (int32_t kolonne = 0; kolonne < bredde; ++kolonne) {
            const bool kantkolonne = kolonne % cellebredde == 0;
            if (kantlinje && kantkolonne)
                side[linje][kolonne] = U'+';
            else if (kantkolonne)
                side[linje][kolonne] = U'|';
            else if (kantlinje)
                side[linje][kolonne] = U'-';
            else
                side[linje][kolonne] = U' ';
        }
    }
    for (int32_t dag = 0; dag < dage; ++dag)
        Skriv(side, 1, 18 + cellebredde * dag, dagNavne[dag], bredde);
    for (int32_t lektion = 1; lektion <= lektioner; ++lektion) {
        Skriv(side, baandhoejde * lektion + 1, 2, "Lektion", bredde);
        Skriv(side, baandhoejde * lektion + 1, 10, std::to_string(lektion), bredde);
    }
    return side;
}

void Export::NulstilSide() { arbejdsside_ = skabelon_; }

bool Export::PaaSiden(int32_t dag, int32_t lektion) const
{
    if (lektion < 1 || lektion > lektioner_) {
        Besked().Spor("\nFejl ved COL Export::IndsaetPaaPlan");
        return false;
    }
    if (dag < 0 || dag >= dage_) {
        Besked().Spor("\nFejl ved ROW Export::IndsaetPaaPlan");
        return false;
    }
    return true;
}

bool Export::IndsaetPaaPlan(const std::string& hold, const std::string& fag, const std::string& laerer,
                            const std::string& lokale, int32_t dag, int32_t lektion)
{
    if (!PaaSiden(dag, lektion))
        return false;
    // Each text keeps to its half of the cell, so a long id neither hides its
    // neighbour nor breaks the border; one blank column parts the halves.
    const int32_t linje = baandhoejde * lektion + 1;
    const int32_t kolonne = cellebredde * dag + 15;
    Skriv(arbejdsside_, linje, kolonne, fag, feltBredde);
    Skriv(arbejdsside_, linje + 1, kolonne, lokale, feltBredde);
    Skriv(arbejdsside_, linje, kolonne + feltBredde + 1, laerer, feltBredde);
    Skriv(arbejdsside_, linje + 1, kolonne + feltBredde + 1, hold, feltBredde);
    return true;
}

bool Export::IndsaetAktivitet(const std::string& tekst, int32_t dag, int32_t lektion)
{
    if (!PaaSiden(dag, lektion))
        return false;
    constexpr size_t inde = cellebredde - 1;
    const std::u32string tegn = tilTegn(tekst);
    // The first line ends at the last blank that keeps its words whole, or where the cell ends.
    size_t bryd = tegn.size() <= inde ? tegn.size() : tegn.rfind(U' ', inde);
    if (bryd == std::u32string::npos || bryd == 0)
        bryd = inde;
    const size_t rest = bryd < tegn.size() && tegn[bryd] == U' ' ? bryd + 1 : bryd;
    const int32_t linje = baandhoejde * lektion + 1;
    const int32_t kolonne = cellebredde * dag + 15;
    Skriv(arbejdsside_, linje, kolonne, tegn.substr(0, bryd), inde);
    if (rest < tegn.size())
        Skriv(arbejdsside_, linje + 1, kolonne, tegn.substr(rest), inde);
    return true;
}

void Export::Skriv(Side& side, int32_t linje, int32_t kolonne, const std::string& tekst, int32_t hoejst)
{
    Skriv(side, linje, kolonne, tilTegn(tekst), hoejst);
}

void Export::Skriv(Side& side, int32_t linje, int32_t kolonne, const std::u32string& tekst, int32_t hoejst)
{
    const int32_t slut = std::min(static_cast<int32_t>(side[linje].size()), kolonne + hoejst);
    for (const char32_t tegn : tekst) {
        if (kolonne >= slut)
            return;
        side[linje][kolonne++] = tegn;
    }
}

std::string Export::Linje(int32_t nr) const
{
    std::string linje;
    for (const char32_t tegn : arbejdsside_.at(nr))
        tilfoejUtf8(linje, tegn);
    return linje;
}

std::string Export::SideTekst(const std::string& titel) const
{
    std::string side = "\n" + titel + "\n" + std::string(10, '-') + "\n";
    for (int32_t nr = 0; nr < Linjer(); ++nr)
        side += Linje(nr) + "\n";
    return side;
}

bool Export::UdskrivSide(const std::string& titel) const
{
    // A larger page is drawn smaller, so that it fits the paper the classic page fills.
    const double skala = std::min(
        {1.0, static_cast<double>(linjeBredde) / Bredde(), static_cast<double>(antalLinjer) / Linjer()});
    Udskriver& udskriver = Udskriver::Aktiv();
    if (!udskriver.Start("LinePrinter", titel, skala))
        return false;
    udskriver.Tegn(460, 120, titel);
    udskriver.Tegn(460, 140, std::string(20, '-'));
    for (int32_t nr = 0; nr < Linjer(); ++nr)
        udskriver.Tegn(460, 180 + 40 * nr, Linje(nr) + "  ");
    return udskriver.Slut();
}
