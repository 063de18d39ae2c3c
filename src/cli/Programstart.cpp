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
int overladTilPdfProgram(char* programNavn, const std::vector<std::string>& argumenter)
{
    std::error_code fejl;
    const auto mappe = std::filesystem::read_symlink("/proc/self/exe", fejl).parent_path();
    const auto pdfProgram = mappe / "brikken-cli-pdf";
    // Without our own folder, never start whatever the working folder holds.
    if (!fejl) {
        std::vector<char*> pdfArgv{programNavn};
        for (const std::string& argument : argumenter)
            pdfArgv.push_back(const_cast<char*>(argument.c_str()));
        pdfArgv.push_back(nullptr);
        ::execv(pdfProgram.c_str(), pdfArgv.data());
    }
    const std::string grund = fejl ? fejl.message() : std::strerror(errno);
    std::cerr << "brikken-cli: " << pdfProgram.string() << " kan ikke startes: " << grund << '\n';
    return kommandoLinje::afslutTrinFejlede;
}

} // namespace

int KoerIProgram(char** argv, const std::vector<std::string>& argumenter, const kommandoLinje::Valg& valg,
                 const std::function<int()>& koer)
{
    if (kommandoLinje::TegnerSider(valg))
        return overladTilPdfProgram(argv[0], argumenter);
    int qtArgc = 1;
    QCoreApplication app(qtArgc, argv);
    return koer();
}
