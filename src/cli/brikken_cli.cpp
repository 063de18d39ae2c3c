#include "cli/KommandoLinje.h"
#include "cli/Programstart.h"

#include <iostream>

int main(int argc, char** argv)
{
    const std::vector<std::string> argumenter(argv + 1, argv + argc);
    std::string fejl;
    const auto valg = kommandoLinje::Fortolk(argumenter, fejl);
    if (!valg) {
        std::cerr << "brikken-cli: " << fejl << '\n' << kommandoLinje::Brug();
        return kommandoLinje::afslutBrugsfejl;
    }
    return KoerIProgram(argv, *valg, [&valg] { return kommandoLinje::Koer(*valg, std::cout, std::cerr); });
}
