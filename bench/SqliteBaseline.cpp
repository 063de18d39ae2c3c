#include "SqliteBaseline.h"

#include <sqlite3.h>

#include <stdexcept>

SqliteBaseline::SqliteBaseline(const BenchDatabase& database) : Baseline(database.planId), db_(nullptr, sqlite3_close)
{
    sqlite3* db = nullptr;
    const int opened = sqlite3_open_v2(database.clientConnection.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    db_.reset(db);
    if (opened != SQLITE_OK)
        Fail("åbning af " + database.clientConnection);
    sqlite3_busy_timeout(db_.get(), 5000);
    for (Table& table : tables_) {
        ReadRows(table);
        deletes_.push_back(Prepare("delete from " + table.name + " where " + table.planColumn + " = ?"));
        std::string insert = "insert into " + table.name + " values (?";
        for (size_t i = 1; i < table.columns; ++i)
            insert += ", ?";
        inserts_.push_back(Prepare(insert + ")"));
    }
}

void SqliteBaseline::ReadRows(Table& table)
{
    sqlite3_stmt* select = Prepare("select * from " + table.name + " where " + table.planColumn + " = ?");
    sqlite3_bind_text(select, 1, planId_.c_str(), static_cast<int>(planId_.size()), SQLITE_STATIC);
    while (sqlite3_step(select) == SQLITE_ROW) {
        SqlParametre row;
        for (int c = 0; c < static_cast<int>(table.columns); ++c) {
            if (sqlite3_column_type(select, c) == SQLITE_INTEGER)
                row.emplace_back(static_cast<int32_t>(sqlite3_column_int(select, c)));
            else
                row.emplace_back(std::string(reinterpret_cast<const char*>(sqlite3_column_text(select, c)),
                                             static_cast<size_t>(sqlite3_column_bytes(select, c))));
        }
        table.rows.push_back(std::move(row));
    }
    sqlite3_reset(select);
}

void SqliteBaseline::Replace()
{
    for (size_t t = 0; t < tables_.size(); ++t) {
        Execute("begin");
        sqlite3_bind_text(deletes_[t], 1, planId_.c_str(), static_cast<int>(planId_.size()), SQLITE_STATIC);
        Step(deletes_[t], SQLITE_DONE);
        for (const SqlParametre& row : tables_[t].rows) {
            for (size_t c = 0; c < row.size(); ++c) {
                const int index = static_cast<int>(c) + 1;
                if (const auto* text = std::get_if<std::string>(&row[c]))
                    sqlite3_bind_text(inserts_[t], index, text->c_str(), static_cast<int>(text->size()), SQLITE_STATIC);
                else
                    sqlite3_bind_int(inserts_[t], index, std::get<int32_t>(row[c]));
            }
            Step(inserts_[t], SQLITE_DONE);
        }
        Execute("commit");
    }
}

sqlite3_stmt* SqliteBaseline::Prepare(const std::string& sql)
{
    sqlite3_stmt* statement = nullptr;
    const int prepared = sqlite3_prepare_v2(db_.get(), sql.c_str(), static_cast<int>(sql.size()), &statement, nullptr);
    statements_.emplace_back(statement, sqlite3_finalize);
    if (prepared != SQLITE_OK)
        Fail(sql);
    return statement;
}

void SqliteBaseline::Execute(const char* sql)
{
    if (sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        Fail(sql);
}

void SqliteBaseline::Step(sqlite3_stmt* statement, int expected)
{
    const int result = sqlite3_step(statement);
    sqlite3_reset(statement);
    if (result != expected) {
        sqlite3_exec(db_.get(), "rollback", nullptr, nullptr, nullptr);
        Fail(sqlite3_sql(statement));
    }
}

void SqliteBaseline::Fail(const std::string& what)
{
    throw std::runtime_error("SQLite: " + what + ": " + (db_ ? sqlite3_errmsg(db_.get()) : "ingen forbindelse"));
}
