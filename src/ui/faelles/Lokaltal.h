#pragma once

#include <QString>

// Numbers as the windows show them: with Danish separators, as the PDF and
// web pages write them, whatever the user's locale.
QString SekunderTekst(double sekunder);
QString ProcentTekst(double procent);
