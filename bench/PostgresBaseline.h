#pragma once

#include "Baseline.h"

#include <memory>

struct pg_conn;
struct pg_result;

// The baseline through libpq.
class PostgresBaseline : public Baseline {
public:
    explicit PostgresBaseline(const BenchDatabase& database);

    void Replace() override;
    void ReclaimDeletedRows() override;

private:
    using Result = std::unique_ptr<pg_result, void (*)(pg_result*)>;

    void ReadRows(Table& table);
    void Prepare(const std::string& name, const std::string& sql, int parameters);
    Result Check(pg_result* result, int expected, const std::string& what);

    std::unique_ptr<pg_conn, void (*)(pg_conn*)> db_;
    // Per table, per row: the values as text for the prepared insert.
    std::vector<std::vector<std::vector<const char*>>> values_;
};
