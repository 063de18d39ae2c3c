#include "ui/faelles/Oversaettelse.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool BrugDanskeQtTekster(QCoreApplication& applikation)
{
    const QLocale dansk(QLocale::Danish, QLocale::Denmark);
    QLocale::setDefault(dansk);
    auto* oversaetter = new QTranslator(&applikation);
    if (!oversaetter->load(dansk, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete oversaetter;
        return false;
    }
    return QCoreApplication::installTranslator(oversaetter);
}
