#include "BenchPlans.h"
#include "Quiet.h"
#include "Suites.h"

#include <string>

namespace {

// Counter names of the six timed phases (rows 1 to 6 of the time window).
constexpr std::array<const char*, 6> phaseCounters{"fase1_lister_ms",   "fase2_klargoer_ms", "fase3_HLPL_ms",
                                                   "fase4_klargoer_ms", "fase5_HLP_ms",      "fase6_kontrol_ms"};

// The settings dialog's defaults: frequency 1, strength 4, 5 days, 8 hours; the
// database write-protected, as at every start of the program.
constexpr int32_t frequency = 1;
constexpr int32_t strength = 4;
constexpr int32_t days = 5;
constexpr int32_t hours = 8;

// Opens the plan outside the measured time; on failure the benchmark is skipped.
std::unique_ptr<Vorivazi> OpenedPlanUntimed(benchmark::State& state, const BenchDatabase& database)
{
    state.PauseTiming();
    std::unique_ptr<Vorivazi> vorivazi = OpenedPlan(database);
    if (!vorivazi)
        state.SkipWithError("Planen kunne ikke åbnes");
    else
        state.ResumeTiming();
    return vorivazi;
}

void Generation(benchmark::State& state, int32_t size)
{
    Quiet quiet;
    const BenchDatabase* database = PreparedDatabase(state, Engine::SQLite, size, false);
    if (database == nullptr)
        return;
    std::array<double, phaseCounters.size()> phaseSeconds{};
    int32_t placed = 0;
    for (auto _ : state) {
        std::unique_ptr<Vorivazi> vorivazi = OpenedPlanUntimed(state, *database);
        if (!vorivazi)
            break;
        const bool ok = vorivazi->Generer(frequency, strength, days, hours, 0, true);
        state.PauseTiming();
        if (!ok || !quiet.receiver.errors.empty()) {
            state.SkipWithError("Genereringen mislykkedes");
            break;
        }
        for (size_t phase = 0; phase < phaseSeconds.size(); ++phase)
            phaseSeconds[phase] += quiet.receiver.seconds[phase + 1];
        placed = vorivazi->AntalLektionerIalt();
        vorivazi.reset();
        state.ResumeTiming();
    }
    for (size_t phase = 0; phase < phaseCounters.size(); ++phase)
        state.counters[phaseCounters[phase]] = benchmark::Counter(phaseSeconds[phase] * 1000.0,
                                                                  benchmark::Counter::kAvgIterations);
    state.counters["lektioner"] = database->lessons;
    state.counters["timer"] = database->hours;
    state.counters["timer_lagt"] = placed;
}

// Seven runs with 1 ... 7 hours per day, each after a successful one continuing it.
void AutoGeneration(benchmark::State& state, int32_t size)
{
    Quiet quiet;
    const BenchDatabase* database = PreparedDatabase(state, Engine::SQLite, size, false);
    if (database == nullptr)
        return;
    int32_t placed = 0;
    for (auto _ : state) {
        std::unique_ptr<Vorivazi> vorivazi = OpenedPlanUntimed(state, *database);
        if (!vorivazi)
            break;
        bool generated = false;
        for (int32_t runHours = 1; runHours <= 7; ++runHours)
            generated = vorivazi->Generer(frequency, strength, days, runHours, generated ? 1 : 0, true) || generated;
        state.PauseTiming();
        if (!generated || !quiet.receiver.errors.empty()) {
            state.SkipWithError("Den automatiske generering mislykkedes");
            break;
        }
        placed = vorivazi->AntalLektionerIalt();
        vorivazi.reset();
        state.ResumeTiming();
    }
    state.counters["lektioner"] = database->lessons;
    state.counters["timer"] = database->hours;
    state.counters["timer_lagt"] = placed;
}

} // namespace

void RegisterGenerationBenchmarks()
{
    for (const int32_t size : schoolSizes)
        benchmark::RegisterBenchmark(("Generer/" + std::to_string(size)).c_str(), Generation, size)
            ->MeasureProcessCPUTime()
            ->Unit(benchmark::kMillisecond);
    for (const int32_t size : largeSchoolSizes)
        benchmark::RegisterBenchmark(("AutoGenerer/" + std::to_string(size)).c_str(), AutoGeneration, size)
            ->MeasureProcessCPUTime()
            ->Unit(benchmark::kMillisecond);
}
