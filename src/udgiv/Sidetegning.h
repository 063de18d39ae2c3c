#pragma once

#include <cstdint>
#include <string>

class QPaintDevice;
class QPainter;

// Draws the texts of a printed page onto a printer's or a PDF file's page.
// Positions are device units at `oploesning` dots per inch, where the page's
// 87 columns fit the width of an A4 or letter sheet. Needs a running
// QGuiApplication.
namespace sidetegning {

inline constexpr int oploesning = 300;

// Starts painting on enhed, already set to `oploesning`, in the named font,
// everything scaled by skala.
bool Begynd(QPainter& maler, QPaintDevice& enhed, const std::string& skrifttype, double skala);
// (x, y) is the top left corner of the text, not its baseline.
void Tegn(QPainter& maler, int32_t x, int32_t y, const std::string& tekst);

} // namespace sidetegning
