#pragma once

// A throwaway database for one test, on the engine this test run is meant for.
//
// BRIKKEN_TEST_MOTOR names the engine: "sqlite" (the default when unset),
// "postgresql" or "odbc". ctest registers the database tests once per engine
// (no prefix = SQLite, "postgresql.", "odbc."); scripts/test.sh provides:
//   BRIKKEN_TEST_PG    postgresql://USER@HOST:PORT/DATABASE of a server account
//                      that may create databases;
//   BRIKKEN_TEST_ODBC  name of an ODBC data source (psqlODBC) on such a server.
// Without the variable its engine's tests are skipped with the reason.
//
// Every TestDatabase creates a database of its own (a file for SQLite, a
// database on the server otherwise), points TSqlModul at it and removes it
// again, so tests may run in parallel.

#include "db/SqlKlasse.h"
#include "db/TSqlModul.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

class TestDatabase {
public:
    enum class Indhold { Tom, Skema, Demo }; // no tables, the empty schema, the schema with the demo school
    enum class Status { Klar, Springes, Fejlet };

    explicit TestDatabase(Indhold indhold)
    {
        const char* motor = std::getenv("BRIKKEN_TEST_MOTOR");
        motor_ = motor != nullptr && *motor != '\0' ? motor : "sqlite";
        navn_ = "brikken_test_" + std::to_string(::getpid()) + "_" + std::to_string(Taeller()++);
        try {
            if (Opret())
                Fyld(indhold);
        } catch (const DatabaseFejl& fejl) {
            Fejl(fejl.what());
        }
    }

    ~TestDatabase()
    {
        TSqlModul::Instans().Luk();
        if (motor_ == "sqlite") {
            std::error_code ec;
            std::filesystem::remove(fil_, ec);
            std::filesystem::remove(fil_.string() + "-journal", ec);
        } else if (status_ != Status::Springes && !admin_.empty()) {
            try {
                Udfoer(admin_, "drop database if exists " + navn_ + " with (force)");
            } catch (const DatabaseFejl&) {
                // The server goes away with the test run anyway.
            }
            TSqlModul::Instans().Luk();
        }
    }

    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    Status Tilstand() const { return status_; }
    const std::string& Grund() const { return grund_; }
    // The text for TSqlModul::VaelgForbindelse that reaches this database (also from another process).
    const std::string& Forbindelse() const { return forbindelse_; }
    const std::string& Motor() const { return motor_; }

private:
    static int& Taeller()
    {
        static int taeller = 0;
        return taeller;
    }

    bool Opret()
    {
        if (motor_ == "sqlite") {
            fil_ = std::filesystem::temp_directory_path() / (navn_ + ".sqlite");
            std::filesystem::remove(fil_);
            forbindelse_ = "sqlite:" + fil_.string();
        } else if (motor_ == "postgresql") {
            const char* server = std::getenv("BRIKKEN_TEST_PG");
            if (server == nullptr || *server == '\0')
                return Spring("BRIKKEN_TEST_PG er ikke sat (PostgreSQL-serveren til testene); kør scripts/test.sh");
            admin_ = server;
            const auto skraastreg = admin_.rfind('/');
            if (skraastreg == std::string::npos || skraastreg < admin_.find("//") + 2)
                return Fejl("BRIKKEN_TEST_PG skal have formen postgresql://BRUGER@VÆRT:PORT/DATABASE");
            forbindelse_ = admin_.substr(0, skraastreg + 1) + navn_;
        } else if (motor_ == "odbc") {
            const char* dsn = std::getenv("BRIKKEN_TEST_ODBC");
            if (dsn == nullptr || *dsn == '\0')
                return Spring("BRIKKEN_TEST_ODBC er ikke sat (ODBC-datakilden til testene); kør scripts/test.sh");
            admin_ = std::string("odbc:") + dsn;
            forbindelse_ = std::string("odbc:") + dsn + ";Database=" + navn_;
        } else {
            return Fejl("Ukendt BRIKKEN_TEST_MOTOR '" + motor_ + "' (sqlite, postgresql eller odbc)");
        }
        if (!admin_.empty())
            Udfoer(admin_, "create database " + navn_);
        return true;
    }

    void Fyld(Indhold indhold)
    {
        std::string fejl;
        if (!TSqlModul::Instans().VaelgForbindelse(forbindelse_, fejl) || !TSqlModul::Instans().Forbind(fejl)) {
            Fejl(fejl);
            return;
        }
        if (indhold != Indhold::Tom)
            TSqlModul::Instans().OpretDatabase(indhold == Indhold::Demo);
    }

    static void Udfoer(const std::string& forbindelse, const std::string& saetning)
    {
        std::string fejl;
        if (!TSqlModul::Instans().VaelgForbindelse(forbindelse, fejl) || !TSqlModul::Instans().Forbind(fejl))
            throw DatabaseFejl(fejl);
        if (!SqlKlasse(Datakilde::database).UdfoerSql(saetning))
            throw DatabaseFejl("'" + saetning + "' mislykkedes");
        TSqlModul::Instans().Luk();
    }

    bool Spring(const std::string& grund)
    {
        status_ = Status::Springes;
        grund_ = grund;
        return false;
    }

    bool Fejl(const std::string& grund)
    {
        status_ = Status::Fejlet;
        grund_ = "Testdatabasen (" + motor_ + ") kunne ikke oprettes: " + grund;
        return false;
    }

    std::string motor_;
    std::string navn_;
    std::string admin_;
    std::string forbindelse_;
    std::filesystem::path fil_;
    Status status_ = Status::Klar;
    std::string grund_;
};

// Fixture for tests on a fresh database; skips when the engine is not provided.
class DatabaseTest : public ::testing::Test {
protected:
    explicit DatabaseTest(TestDatabase::Indhold indhold = TestDatabase::Indhold::Demo) : indhold_(indhold) {}

    void SetUp() override
    {
        db_ = std::make_unique<TestDatabase>(indhold_);
        if (db_->Tilstand() == TestDatabase::Status::Springes)
            GTEST_SKIP() << db_->Grund();
        ASSERT_EQ(db_->Tilstand(), TestDatabase::Status::Klar) << db_->Grund();
    }

    void TearDown() override { db_.reset(); }

    std::unique_ptr<TestDatabase> db_;

private:
    TestDatabase::Indhold indhold_;
};
