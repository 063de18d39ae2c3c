#pragma once

#include "BenchDatabases.h"

#include "app/Vorivazi.h"

#include <benchmark/benchmark.h>

#include <memory>

// The database of a benchmark, connected; nullptr (and the benchmark skipped
// with the reason) when it cannot be made.
inline const BenchDatabase* PreparedDatabase(benchmark::State& state, Engine engine, int32_t size, bool withLessons)
{
    try {
        const BenchDatabase& database = BenchDatabases::Instance().Get(engine, size, withLessons);
        BenchDatabases::Connect(database);
        return &database;
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return nullptr;
    }
}

// The plan opened through the facade as the planner opens it; nullptr when it does not open.
inline std::unique_ptr<Vorivazi> OpenedPlan(const BenchDatabase& database)
{
    auto vorivazi = std::make_unique<Vorivazi>(Datakilde::database);
    if (!vorivazi->AabnPlan(database.planId))
        return nullptr;
    return vorivazi;
}
