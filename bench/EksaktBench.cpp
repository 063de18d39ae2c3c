// Measures the exact solver on tight synthetic schools: time to a complete
// placement, and to a proof with a core when a teacher has one hour too many.
//
//   brikken-eksakt-bench [DAYSxHOURS] [CLASSES ...]
//
// Defaults: a 5 x 6 week and 5, 10, 20, 40, 80 and 150 classes, three seeds
// each. Prints one Markdown table row per school: hours to place, class hours
// the construction left free, the answer, processor time, conflicts and the
// core's resources + spread keys.
#include "EksaktSkole.h"

#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int64_t konfliktGraense = 5'000'000;

const char* Navn(Skoleart art)
{
    switch (art) {
    case Skoleart::mulig:
        return "mulig";
    case Skoleart::enTimeForMeget:
        return "en time for meget";
    case Skoleart::skjultForMeget:
        return "skjult for meget";
    }
    return "";
}

const char* Navn(EksaktSvar::Udfald udfald)
{
    switch (udfald) {
    case EksaktSvar::Udfald::fundet:
        return "fundet";
    case EksaktSvar::Udfald::umulig:
        return "umulig";
    case EksaktSvar::Udfald::ukendt:
        return "ukendt";
    }
    return "";
}

void Maal(uint32_t froe, int32_t hold, Uge uge, Skoleart art)
{
    const EksaktSkole skole = LavEksaktSkole(froe, hold, uge, art);
    // Processor time: the machines we measure on are shared.
    const std::clock_t start = std::clock();
    const EksaktSvar svar = LoesEksakt(skole.opgave, konfliktGraense);
    const double ms = 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    if (svar.udfald == EksaktSvar::Udfald::fundet && !FoersteBrud(skole.opgave, svar).empty())
        throw std::runtime_error("forkert skema: " + FoersteBrud(skole.opgave, svar));
    std::printf("| %d×%d | %d | %u | %s | %d | %d | %s | %.1f | %lld | %zu+%zu |\n", uge.dage, uge.timer, hold, froe,
                Navn(art), skole.timer, skole.ledige, Navn(svar.udfald), ms, static_cast<long long>(svar.konflikter),
                svar.kerneRessourcer.size(), svar.kerneSpredNoegler.size());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) // NOLINT(bugprone-exception-escape): a wrong timetable ends the run
{
    Uge uge{5, 6};
    std::vector<int32_t> stoerrelser;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (const auto x = arg.find('x'); x != std::string::npos)
            uge = {std::atoi(arg.substr(0, x).c_str()), std::atoi(arg.substr(x + 1).c_str())};
        else
            stoerrelser.push_back(std::atoi(arg.c_str()));
    }
    if (stoerrelser.empty())
        stoerrelser = {5, 10, 20, 40, 80, 150};
    std::printf("| uge | hold | frø | skole | timer | ledige | udfald | ms cpu | konflikter | kerne |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|\n");
    for (const int32_t hold : stoerrelser)
        for (uint32_t froe = 1; froe <= 3; ++froe)
            for (const Skoleart art : {Skoleart::mulig, Skoleart::enTimeForMeget, Skoleart::skjultForMeget})
                Maal(froe, hold, uge, art);
}
