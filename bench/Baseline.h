#pragma once

#include "BenchDatabases.h"

#include "db/SqlKlasse.h"

#include <memory>
#include <string>
#include <vector>

// What saving a plan costs when done directly with the database's own client
// library: the plan's stored lessons and time priorities are replaced by the
// same rows, per table one delete and one prepared insert statement in one
// transaction (Gem also uses one transaction per table). The rows are read
// from the database once, when the baseline is made.
class Baseline {
public:
    virtual ~Baseline() = default;
    Baseline(const Baseline&) = delete;
    Baseline& operator=(const Baseline&) = delete;

    // Throws std::runtime_error when the database refuses.
    static std::unique_ptr<Baseline> For(const BenchDatabase& database);

    // Replaces the rows; throws std::runtime_error when a statement fails.
    virtual void Replace() = 0;
    // Clears away the rows that saving deleted, as the server does between a
    // planner's saves; without it hundreds of saves a second leave the tables
    // full of dead rows that every later delete has to step over.
    virtual void ReclaimDeletedRows() {}
    size_t Rows() const;

protected:
    struct Table {
        std::string name;
        std::string planColumn;
        size_t columns;
        std::vector<SqlParametre> rows;
    };

    explicit Baseline(std::string planId);

    std::string planId_;
    std::vector<Table> tables_;
};
