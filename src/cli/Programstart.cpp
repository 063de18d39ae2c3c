#include "cli/Programstart.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

#include <unistd.h>

namespace {

// Qt's GUI module, which printing needs for its fonts, takes longer to load
// than the rest of a short run; so only brikken-cli-pdf, next to this
// program, links it and a printing run is handed over to it whole.
int overladTilPdfProgram(char** argv)
{
    std::error_code fejl;
    const auto mappe = std::filesystem::read_symlink("/proc/self/exe", fejl).parent_path();
    const auto pdfProgram = mappe / "brikken-cli-pdf";
    // Without our own folder, never start whatever the working folder holds.
    if (!fejl)
        ::execv(pdfProgram.c_str(), argv);
    const std::string grund = fejl ? fejl.message() : std::strerror(errno);
    std::cerr << "brikken-cli: " << pdfProgram.string() << " kan ikke startes: " << grund << '\n';
    return kommandoLinje::afslutTrinFejlede;
}

} // namespace

int KoerIProgram(char** argv, const kommandoLinje::Valg& valg, const std::function<int()>& koer)
{
    if (valg.udskriv)
        return overladTilPdfProgram(argv);
    int qtArgc = 1;
    QCoreApplication app(qtArgc, argv);
    return koer();
}
