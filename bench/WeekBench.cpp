// Measures what a longer week costs: generation and completion of the same
// synthetic school (same seed and number of classes) in a week of 5 x 8 and
// of 6 x 10, per lesson hour placed.
//
//   brikken-week-bench [REPEATS]
//
// Prints one Markdown table row per school and week (medians of the repeats)
// and, per school, the ratio of the longer week's cost to the classic one's.
#include "Quiet.h"
#include "SyntheticSchool.h"

#include "app/Vorivazi.h"
#include "db/TSqlModul.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Cost {
    double generation = 0; // ms per lesson hour placed
    double completion = 0;
    // The completion runs until its step budget is spent without progress, so
    // its total follows the improvements it finds; per step is the model's cost.
    double perStep = 0; // microseconds
    int64_t steps = 0;
};

Cost Measure(const std::filesystem::path& folder, int32_t size, int32_t days, int32_t hours, int repeats)
{
    const SyntheticSchool school(1, size, false, days, hours);
    std::string error;
    TSqlModul& module = TSqlModul::Instans();
    const std::string file = (folder / (school.PlanId() + ".sqlite")).string();
    if (!module.VaelgForbindelse("sqlite:" + file, error) || !module.Forbind(error))
        throw std::runtime_error(error);
    module.OpretDatabase(false);
    school.Write();
    std::vector<double> generation;
    std::vector<double> completion;
    std::vector<double> perStep;
    int32_t placed = 0;
    int64_t steps = 0;
    for (int r = 0; r < repeats; ++r) {
        Quiet quiet;
        Vorivazi vorivazi(Datakilde::database);
        if (!vorivazi.AabnPlan(school.PlanId()))
            throw std::runtime_error("Planen kunne ikke åbnes");
        const auto start = Clock::now();
        vorivazi.Generer(1, 4, days, hours, 0, true);
        const auto generated = Clock::now();
        const std::unique_ptr<Fuldfoerelse> search = vorivazi.NyFuldfoerelse({});
        while (search->Koer(1000)) {
        }
        vorivazi.AfslutFuldfoerelse(*search);
        const double completed = Milliseconds(Clock::now() - generated);
        placed = vorivazi.AntalLektionerIalt();
        steps = search->Skridt();
        generation.push_back(Milliseconds(generated - start) / std::max(placed, 1));
        completion.push_back(completed / std::max(placed, 1));
        perStep.push_back(1000 * completed / static_cast<double>(std::max<int64_t>(steps, 1)));
    }
    std::cout << std::fixed << std::setprecision(4) << "| " << size << " | " << days << " × " << hours << " | "
              << school.Hours() << " | " << placed << " | " << Median(generation) << " | " << Median(completion)
              << " | " << steps << " | " << std::setprecision(2) << Median(perStep) << " |\n";
    module.Luk();
    return {Median(generation), Median(completion), Median(perStep), steps};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const auto folder = std::filesystem::temp_directory_path() / ("brikken-week-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::cout << "| hold | uge | timer | lagt | generering ms/time | fuldførelse ms/time | skridt | µs/skridt |\n"
                 "|---|---|---|---|---|---|---|---|\n";
    int status = 0;
    try {
        for (const int32_t size : {20, 40, 80}) {
            const Cost classic = Measure(folder, size, 5, 8, repeats);
            const Cost longer = Measure(folder, size, 6, 10, repeats);
            std::cout << std::setprecision(2) << "| " << size << " | 6 × 10 / 5 × 8 | | | "
                      << longer.generation / classic.generation << " | " << longer.completion / classic.completion
                      << " | | " << longer.perStep / classic.perStep << " |\n";
        }
    } catch (const std::exception& e) {
        std::cerr << "brikken-week-bench: " << e.what() << '\n';
        status = 1;
    }
    std::filesystem::remove_all(folder);
    return status;
}
