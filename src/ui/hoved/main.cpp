// The windowed program: the application object, the long-lived windows in
// their fixed order, and the event loop until the main window closes.

#include "app/Udgivelse.h"
#include "base/Besked.h"
#include "udgiv/PdfSkemabog.h"
#include "udgiv/PrinterUdskriver.h"
#include "db/SqlKlasse.h"
#include "db/Startforbindelse.h"
#include "db/TSqlModul.h"
#include "ui/hoved/Billeder.h"
#include "ui/hoved/Programvinduer.h"
#include "ui/hoved/TMainFrame.h"
#include "ui/faelles/Oversaettelse.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <string>

namespace {

// Connects to the configured database; the default one is created with the
// demo school the first time, so that there are plans to open at once.
void startDatamodul()
{
    std::string fejl;
    try {
        if (!ForbindVedStart(fejl))
            Besked().VisFejl(fejl, fejlTitel);
    } catch (const DatabaseFejl& databasefejl) {
        Besked().VisFejl(databasefejl.what(), fejlTitel);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication applikation(argc, argv);
    QApplication::setApplicationName("Brikken++");
    QApplication::setWindowIcon(Programikon());
    // Without the translations Qt's dialogs stay English; nothing else depends on them.
    BrugDanskeQtTekster(applikation);
    PrinterUdskriver printer;
    Udskriver::SaetAktiv(&printer);
    SaetPdfBogSkriver(&SkrivPdfSkemabog);
    int status = 0;
    try {
        {
            Programvinduer vinduer(startDatamodul);
            TMainFrame& hovedvindue = *vinduer.mainFrame;
            // Fills the screen also where no window manager maximises windows.
            hovedvindue.setGeometry(hovedvindue.screen()->availableGeometry());
            hovedvindue.showMaximized();
            // Once the window is up: the last plan, or the list of plans to choose from.
            QTimer::singleShot(0, &hovedvindue, [&hovedvindue] { hovedvindue.Begynd(); });
            status = applikation.exec();
        }
        // The windows and their plan are gone: the connection and its driver
        // go now, while the application that loaded the driver still exists.
        TSqlModul::Instans().Luk();
    } catch (const std::exception& fejl) {
        QMessageBox::critical(nullptr, QString::fromStdString(fejlTitel), QString::fromUtf8(fejl.what()));
        return 1;
    }
    return status;
}
