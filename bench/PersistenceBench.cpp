#include "Baseline.h"
#include "BenchPlans.h"
#include "Quiet.h"
#include "Suites.h"

#include <chrono>
#include <string>

namespace {

// Lists and stored lessons of a plan that has been generated and saved.
void Opening(benchmark::State& state, Engine engine, int32_t size)
{
    Quiet quiet;
    const BenchDatabase* database = PreparedDatabase(state, engine, size, true);
    if (database == nullptr)
        return;
    int32_t loaded = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto vorivazi = std::make_unique<Vorivazi>(Datakilde::database);
        state.ResumeTiming();
        const bool ok = vorivazi->AabnPlan(database->planId);
        state.PauseTiming();
        if (!ok) {
            state.SkipWithError("Planen kunne ikke åbnes");
            break;
        }
        loaded = vorivazi->AntalLektionerIalt();
        vorivazi.reset();
        state.ResumeTiming();
    }
    state.counters["timer_indlaest"] = loaded;
}

double Seconds(std::chrono::steady_clock::time_point from, std::chrono::steady_clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

// Every save replaces the plan's rows with the same rows again. Right after
// each Gem the baseline replaces them once more through the client library,
// so that both meet the same conditions on a busy machine; the benchmark's
// time is Gem's, the baseline's goes into a counter. The deleted rows are
// cleared away between iterations, untimed.
void Saving(benchmark::State& state, Engine engine, int32_t size)
{
    Quiet quiet;
    const BenchDatabase* database = PreparedDatabase(state, engine, size, true);
    if (database == nullptr)
        return;
    const std::unique_ptr<Vorivazi> vorivazi = OpenedPlan(*database);
    if (!vorivazi) {
        state.SkipWithError("Planen kunne ikke åbnes");
        return;
    }
    std::unique_ptr<Baseline> baseline;
    try {
        baseline = Baseline::For(*database);
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    double gemSeconds = 0;
    double baselineSeconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!vorivazi->Gem()) {
            state.SkipWithError("Gem mislykkedes");
            break;
        }
        const auto saved = std::chrono::steady_clock::now();
        std::chrono::steady_clock::time_point replaced;
        try {
            baseline->Replace();
            replaced = std::chrono::steady_clock::now();
            baseline->ReclaimDeletedRows();
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
            break;
        }
        state.SetIterationTime(Seconds(start, saved));
        gemSeconds += Seconds(start, saved);
        baselineSeconds += Seconds(saved, replaced);
    }
    state.counters["grundlinje_ms"] = benchmark::Counter(baselineSeconds * 1000.0, benchmark::Counter::kAvgIterations);
    state.counters["forhold"] = baselineSeconds > 0 ? gemSeconds / baselineSeconds : 0.0;
    state.counters["raekker"] = static_cast<double>(baseline->Rows());
}

std::string Name(const char* what, Engine engine, int32_t size)
{
    return std::string(what) + "/" + EngineName(engine) + "/" + std::to_string(size);
}

} // namespace

void RegisterPersistenceBenchmarks(bool withPostgreSQL)
{
    for (const Engine engine : {Engine::SQLite, Engine::PostgreSQL}) {
        if (engine == Engine::PostgreSQL && !withPostgreSQL)
            continue;
        for (const int32_t size : schoolSizes) {
            benchmark::RegisterBenchmark(Name("Aabn", engine, size).c_str(), Opening, engine, size)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(Name("Gem", engine, size).c_str(), Saving, engine, size)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
        }
    }
}
