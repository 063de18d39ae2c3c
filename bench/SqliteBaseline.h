#pragma once

#include "Baseline.h"

#include <memory>

struct sqlite3;
struct sqlite3_stmt;

// The baseline through libsqlite3.
class SqliteBaseline : public Baseline {
public:
    explicit SqliteBaseline(const BenchDatabase& database);

    void Replace() override;

private:
    sqlite3_stmt* Prepare(const std::string& sql);
    void Execute(const char* sql);
    void Step(sqlite3_stmt* statement, int expected);
    [[noreturn]] void Fail(const std::string& what);
    void ReadRows(Table& table);

    // The statements are finalised before the connection closes.
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> db_;
    std::vector<std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)>> statements_;
    std::vector<sqlite3_stmt*> deletes_; // per table
    std::vector<sqlite3_stmt*> inserts_; // per table
};
