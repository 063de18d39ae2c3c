#include "cli/Programstart.h"

#include "app/Udgivelse.h"
#include "udgiv/PdfSkemabog.h"
#include "udgiv/PdfUdskriver.h"

#include <QGuiApplication>

int KoerIProgram(char** argv, const std::vector<std::string>&, const kommandoLinje::Valg& valg,
                 const std::function<int()>& koer)
{
    // Fonts for the PDF page need Qt's GUI side, but the command line never
    // shows a window.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    SaetPdfBogSkriver(&SkrivPdfSkemabog);
    PdfUdskriver pdf(valg.pdf);
    Udskriver* const forrige = Udskriver::SaetAktiv(&pdf);
    const int status = koer();
    Udskriver::SaetAktiv(forrige);
    return status;
}
