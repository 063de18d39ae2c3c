#include "cli/KommandoLinje.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <iostream>
#include <string_view>

int main(int argc, char** argv)
{
    const std::vector<std::string> argumenter(argv + 1, argv + argc);
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string_view(argv[i]) == "--db" && kommandoLinje::SkjulAdgangskode(argv[i + 1]))
            std::cerr << "brikken-cli: " << kommandoLinje::adgangskodeAdvarsel << '\n';
    }
    std::string fejl;
    const auto valg = kommandoLinje::Fortolk(argumenter, fejl);
    if (!valg) {
        std::cerr << "brikken-cli: " << fejl << '\n' << kommandoLinje::Brug();
        return kommandoLinje::afslutBrugsfejl;
    }
    int qtArgc = 1;
    if (!valg->udskriv) {
        QCoreApplication app(qtArgc, argv);
        return kommandoLinje::Koer(*valg, std::cout, std::cerr);
    }
    // Printing into a PDF needs Qt's GUI side, but the command line never shows a window.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(qtArgc, argv);
    return kommandoLinje::Koer(*valg, std::cout, std::cerr);
}
