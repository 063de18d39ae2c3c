#include "BrikkenApplikation.h"

#include "Billeder.h"
#include "app/Besked.h"
#include "db/SqlKlasse.h"

namespace {

const std::string fejlTitel = "En fejl er opstået!";

} // namespace

BrikkenApplikation::BrikkenApplikation(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName("Brikken++");
    setWindowIcon(Programikon());
}

bool BrikkenApplikation::notify(QObject* modtager, QEvent* haendelse)
{
    try {
        return QApplication::notify(modtager, haendelse);
    } catch (const DatabaseFejl& fejl) {
        Besked().VisFejl(fejl.what(), fejlTitel);
    } catch (const std::exception& fejl) {
        Besked().VisFejl(fejl.what(), fejlTitel);
        exit(1);
    }
    return false;
}
