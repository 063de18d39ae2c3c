#include "Baseline.h"

#include "PostgresBaseline.h"
#include "SqliteBaseline.h"

Baseline::Baseline(std::string planId)
    : planId_(std::move(planId)), tables_{{"Lektion", "PlanID_Le", 8, {}}, {"Tidsprioritet", "PlanID_Ti", 5, {}}}
{
}

std::unique_ptr<Baseline> Baseline::For(const BenchDatabase& database)
{
    if (database.engine == Engine::SQLite)
        return std::make_unique<SqliteBaseline>(database);
    return std::make_unique<PostgresBaseline>(database);
}

size_t Baseline::Rows() const
{
    size_t rows = 0;
    for (const Table& table : tables_)
        rows += table.rows.size();
    return rows;
}
