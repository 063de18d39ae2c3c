#include "ui/faelles/Lokaltal.h"

#include "base/Talformat.h"

#include <QLocale>

namespace {

// The number formats write English separators; the locale's may be longer
// than one character (a narrow no-break space, say), so they are put in here.
QString medLokaleSeparatorer(const std::string& engelsk)
{
    const QLocale lokale = QLocale::system();
    QString resultat;
    for (const char tegn : engelsk) {
        if (tegn == engelskeSeparatorer.tusind)
            resultat += lokale.groupSeparator();
        else if (tegn == engelskeSeparatorer.decimal)
            resultat += lokale.decimalPoint();
        else
            resultat += QChar::fromLatin1(tegn);
    }
    return resultat;
}

} // namespace

QString SekunderTekst(double sekunder) { return medLokaleSeparatorer(FormaterSekunder(sekunder, engelskeSeparatorer)); }

QString ProcentTekst(double procent) { return medLokaleSeparatorer(FormaterProcent(procent, engelskeSeparatorer)); }
