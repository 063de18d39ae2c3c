#include "PostgresBaseline.h"

#include <libpq-fe.h>

#include <stdexcept>

PostgresBaseline::PostgresBaseline(const BenchDatabase& database)
    : Baseline(database.planId), db_(PQconnectdb(database.clientConnection.c_str()), PQfinish)
{
    if (PQstatus(db_.get()) != CONNECTION_OK)
        throw std::runtime_error(std::string("PostgreSQL: ") + PQerrorMessage(db_.get()));
    for (Table& table : tables_) {
        ReadRows(table);
        Prepare("slet_" + table.name, "delete from " + table.name + " where " + table.planColumn + " = $1", 1);
        std::string insert = "insert into " + table.name + " values ($1";
        for (size_t i = 2; i <= table.columns; ++i)
            insert += ", $" + std::to_string(i);
        Prepare("indsaet_" + table.name, insert + ")", static_cast<int>(table.columns));
    }
    // The text of every value, pointing into the rows read above.
    for (const Table& table : tables_) {
        auto& rows = values_.emplace_back();
        for (const SqlParametre& row : table.rows) {
            auto& values = rows.emplace_back();
            for (const SqlVaerdi& value : row)
                values.push_back(std::get<std::string>(value).c_str());
        }
    }
}

void PostgresBaseline::ReadRows(Table& table)
{
    const char* plan = planId_.c_str();
    const std::string select = "select * from " + table.name + " where " + table.planColumn + " = $1";
    const Result rows = Check(PQexecParams(db_.get(), select.c_str(), 1, nullptr, &plan, nullptr, nullptr, 0),
                              PGRES_TUPLES_OK, select);
    for (int r = 0; r < PQntuples(rows.get()); ++r) {
        SqlParametre row;
        for (int c = 0; c < static_cast<int>(table.columns); ++c)
            row.emplace_back(std::string(PQgetvalue(rows.get(), r, c)));
        table.rows.push_back(std::move(row));
    }
}

void PostgresBaseline::Prepare(const std::string& name, const std::string& sql, int parameters)
{
    Check(PQprepare(db_.get(), name.c_str(), sql.c_str(), parameters, nullptr), PGRES_COMMAND_OK, sql);
}

void PostgresBaseline::Replace()
{
    const char* plan = planId_.c_str();
    for (size_t t = 0; t < tables_.size(); ++t) {
        const std::string& name = tables_[t].name;
        Check(PQexec(db_.get(), "begin"), PGRES_COMMAND_OK, "begin");
        Check(PQexecPrepared(db_.get(), ("slet_" + name).c_str(), 1, &plan, nullptr, nullptr, 0), PGRES_COMMAND_OK,
              "delete from " + name);
        const std::string insert = "indsaet_" + name;
        const std::string what = "insert into " + name;
        for (const auto& row : values_[t])
            Check(PQexecPrepared(db_.get(), insert.c_str(), static_cast<int>(row.size()), row.data(), nullptr, nullptr,
                                 0),
                  PGRES_COMMAND_OK, what);
        Check(PQexec(db_.get(), "commit"), PGRES_COMMAND_OK, "commit");
    }
}

void PostgresBaseline::ReclaimDeletedRows()
{
    std::string tables;
    for (const Table& table : tables_)
        tables += (tables.empty() ? "" : ", ") + table.name;
    const std::string vacuum = "vacuum analyze " + tables;
    Check(PQexec(db_.get(), vacuum.c_str()), PGRES_COMMAND_OK, vacuum);
}

PostgresBaseline::Result PostgresBaseline::Check(pg_result* result, int expected, const std::string& what)
{
    Result owned(result, PQclear);
    if (PQresultStatus(result) != expected) {
        const std::string error = PQerrorMessage(db_.get());
        PQclear(PQexec(db_.get(), "rollback"));
        throw std::runtime_error("PostgreSQL: " + what + ": " + error);
    }
    return owned;
}
