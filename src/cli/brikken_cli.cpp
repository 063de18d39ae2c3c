#include "cli/KommandoLinje.h"
#include "cli/Programstart.h"

#include <iostream>
#include <string_view>

int main(int argc, char** argv)
{
    const std::vector<std::string> argumenter(argv + 1, argv + argc);
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string_view(argv[i]) == "--db" && kommandoLinje::SkjulAdgangskode(argv[i + 1]))
            std::cerr << "brikken-cli: " << kommandoLinje::adgangskodeAdvarsel << '\n';
    }
    if (argumenter.size() == 1 && (argumenter[0] == "--help" || argumenter[0] == "-h")) {
        std::cout << kommandoLinje::Brug();
        return 0;
    }
    std::string fejl;
    const auto valg = kommandoLinje::Fortolk(argumenter, fejl);
    if (!valg) {
        std::cerr << "brikken-cli: " << fejl << '\n' << kommandoLinje::Brug();
        return kommandoLinje::afslutBrugsfejl;
    }
    return KoerIProgram(argv, argumenter, *valg, [&valg] { return kommandoLinje::Koer(*valg, std::cout, std::cerr); });
}
