// Measures the completion on tight synthetic schools (every class uses every
// hour of a 5 x 6 week): hours placed and gaps after the generation and after
// the completion, and how long the completion takes to place every hour.
//
//   brikken-completion-bench [SEEDS]
//
// Prints one Markdown table row per school; each school gets its own SQLite
// database in a temporary folder, removed at the end.
#include "Quiet.h"
#include "SyntheticSchool.h"

#include "app/Vorivazi.h"
#include "db/TSqlModul.h"

#include <QCoreApplication>

#include <chrono>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Share(int32_t placed, int32_t planned) { return planned > 0 ? 100.0 * placed / planned : 0.0; }

void Measure(const std::filesystem::path& folder, int32_t size, uint64_t seed)
{
    const SyntheticSchool school(seed, size, true);
    std::string error;
    TSqlModul& module = TSqlModul::Instans();
    const std::string file = (folder / (school.PlanId() + ".sqlite")).string();
    if (!module.VaelgForbindelse("sqlite:" + file, error) || !module.Forbind(error))
        throw std::runtime_error(error);
    module.OpretDatabase(false);
    school.Write();

    Vorivazi vorivazi(Datakilde::database);
    Maal before;
    Maal after;
    double toAllPlaced = -1.0;
    double total = 0.0;
    int64_t steps = 0;
    {
        Quiet quiet;
        if (!vorivazi.AabnPlan(school.PlanId()) || !vorivazi.Generer(1, 4, 5, 6, 0, true))
            throw std::runtime_error("Planen kunne ikke genereres");
        const auto start = Clock::now();
        const std::unique_ptr<Fuldfoerelse> completion = vorivazi.NyFuldfoerelse({});
        // One step at a time, to see when the last hour goes in.
        while (completion->Koer(1)) {
            if (toAllPlaced < 0 && completion->Bedste().manglende == 0)
                toAllPlaced = Milliseconds(Clock::now() - start);
        }
        if (toAllPlaced < 0 && completion->Bedste().manglende == 0)
            toAllPlaced = Milliseconds(Clock::now() - start);
        total = Milliseconds(Clock::now() - start);
        before = completion->Foer();
        after = completion->Bedste();
        steps = completion->Skridt();
        vorivazi.AfslutFuldfoerelse(*completion);
    }
    const int32_t planned = vorivazi.SumTimer();
    std::cout << std::fixed << std::setprecision(1) << "| " << size << " | " << seed << " | " << planned << " | "
              << Share(planned - before.manglende, planned) << " % | " << Share(planned - after.manglende, planned)
              << " % | " << before.holdHuller << "→" << after.holdHuller << " | " << before.laererHuller << "→"
              << after.laererHuller << " | ";
    if (toAllPlaced >= 0)
        std::cout << toAllPlaced << " ms";
    else
        std::cout << "–";
    std::cout << " | " << total << " ms | " << steps << " |\n";
    module.Luk();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int seeds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const auto folder = std::filesystem::temp_directory_path() / ("brikken-completion-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::cout << "| hold | frø | timer | placeret efter generering | efter fuldførelse | mellemtimer hold | "
                 "mellemtimer lærere | tid til 100 % | tid i alt | skridt |\n"
                 "|---|---|---|---|---|---|---|---|---|---|\n";
    int status = 0;
    try {
        for (const int32_t size : {5, 10, 20, 40, 80, 150})
            for (int seed = 1; seed <= seeds; ++seed)
                Measure(folder, size, static_cast<uint64_t>(seed));
    } catch (const std::exception& e) {
        std::cerr << "brikken-completion-bench: " << e.what() << '\n';
        status = 1;
    }
    std::filesystem::remove_all(folder);
    return status;
}
