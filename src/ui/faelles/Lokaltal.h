#pragma once

#include <QString>

// Numbers as the windows show them, with the separators of the user's locale.
QString SekunderTekst(double sekunder);
QString ProcentTekst(double procent);
