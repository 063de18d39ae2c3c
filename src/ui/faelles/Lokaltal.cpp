#include "ui/faelles/Lokaltal.h"

#include "base/Talformat.h"

QString SekunderTekst(double sekunder) { return QString::fromStdString(FormaterSekunder(sekunder, danskeSeparatorer)); }

QString ProcentTekst(double procent) { return QString::fromStdString(FormaterProcent(procent, danskeSeparatorer)); }
