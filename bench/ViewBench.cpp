#include "BenchPlans.h"
#include "Quiet.h"
#include "Suites.h"

#include <string>

namespace {

// What a timetable view asks for: the lessons of one timetable and its figures.
void View(benchmark::State& state, SkemaArt kind)
{
    Quiet quiet;
    const BenchDatabase* database = PreparedDatabase(state, Engine::SQLite, largestSchool, true);
    if (database == nullptr)
        return;
    const std::unique_ptr<Vorivazi> vorivazi = OpenedPlan(*database);
    std::string id;
    if (!vorivazi || !vorivazi->HentNavne(kind) || !vorivazi->TagNavn(id)) {
        state.SkipWithError("Planen kunne ikke åbnes");
        return;
    }
    std::string hold, fag, laerer, lokale;
    int32_t kolonne = 0;
    int32_t raekke = 0;
    int32_t lessons = 0;
    for (auto _ : state) {
        vorivazi->HentLektioner(id, kind);
        lessons = 0;
        while (vorivazi->TagLektion(hold, fag, laerer, lokale, kolonne, raekke))
            ++lessons;
        benchmark::DoNotOptimize(vorivazi->TimerFor(id, kind));
        benchmark::DoNotOptimize(vorivazi->AntalLektioner(id, kind));
        benchmark::DoNotOptimize(vorivazi->Spredning(id, kind));
    }
    state.SetLabel(id);
    state.counters["timer"] = lessons;
}

} // namespace

void RegisterViewBenchmarks()
{
    for (const SkemaArt kind : alleSkemaArter)
        benchmark::RegisterBenchmark((std::string("Visning/") + Bogstav(kind)).c_str(), View, kind)
            ->Unit(benchmark::kMicrosecond);
}
