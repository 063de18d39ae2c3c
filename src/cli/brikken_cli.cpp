#include "cli/KommandoLinje.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <iostream>
#include <streambuf>

namespace {

// Swallows what is written to it.
class TomBuffer : public std::streambuf {
protected:
    int overflow(int tegn) override { return traits_type::not_eof(tegn); }
};

int koer(const kommandoLinje::Valg& valg)
{
    // The engine writes its diagnostic trace to standard output; the command
    // line keeps standard output for its own results and shows the trace on
    // standard error only with --log.
    std::ostream ud(std::cout.rdbuf());
    TomBuffer tom;
    std::streambuf* standardUd = std::cout.rdbuf(valg.log ? std::cerr.rdbuf() : &tom);
    const int status = kommandoLinje::Koer(valg, ud, std::cerr);
    ud.flush();
    std::cout.rdbuf(standardUd);
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> argumenter(argv + 1, argv + argc);
    std::string fejl;
    const auto valg = kommandoLinje::Fortolk(argumenter, fejl);
    if (!valg) {
        std::cerr << "brikken-cli: " << fejl << '\n' << kommandoLinje::Brug();
        return kommandoLinje::afslutBrugsfejl;
    }
    int qtArgc = 1;
    if (!kommandoLinje::TegnerSider(*valg)) {
        QCoreApplication app(qtArgc, argv);
        return koer(*valg);
    }
    // Pages are drawn with Qt's GUI side, but the command line never shows a window.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(qtArgc, argv);
    return koer(*valg);
}
