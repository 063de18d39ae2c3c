#include "BenchPlans.h"
#include "Quiet.h"
#include "Suites.h"

#include <algorithm>
#include <string>

namespace {

// "Kontrollér planen" on a plan just opened: the stored demands, rooms and
// priorities read and every finding computed.
void Check(benchmark::State& state)
{
    Quiet quiet;
    const BenchDatabase* database = PreparedDatabase(state, Engine::SQLite, static_cast<int32_t>(state.range(0)),
                                                     false);
    if (database == nullptr)
        return;
    const std::unique_ptr<Vorivazi> vorivazi = OpenedPlan(*database);
    if (!vorivazi) {
        state.SkipWithError("Planen kunne ikke åbnes");
        return;
    }
    size_t findings = 0;
    size_t hard = 0;
    for (auto _ : state) {
        const Udfald<std::vector<Fund>> fund = vorivazi->KontrollerPlan();
        findings = fund ? fund->size() : 0;
        hard = fund ? static_cast<size_t>(
                          std::count_if(fund->begin(), fund->end(), [](const Fund& f) { return f.umulig; }))
                    : 0;
    }
    state.counters["fund"] = static_cast<double>(findings);
    state.counters["umulige"] = static_cast<double>(hard);
}

} // namespace

void RegisterCheckBenchmarks()
{
    for (const int32_t size : {20, largestSchool, 400})
        benchmark::RegisterBenchmark("Kontrol", Check)->Arg(size)->Unit(benchmark::kMillisecond);
}
