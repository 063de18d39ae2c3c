#include "BenchDatabases.h"

#include "Quiet.h"
#include "SyntheticSchool.h"

#include "app/Vorivazi.h"
#include "db/SqlKlasse.h"
#include "db/TSqlModul.h"

#include <cstdlib>
#include <stdexcept>
#include <unistd.h>

const char* EngineName(Engine engine) { return engine == Engine::SQLite ? "sqlite" : "postgresql"; }

BenchDatabases& BenchDatabases::Instance()
{
    static BenchDatabases databases;
    return databases;
}

BenchDatabases::BenchDatabases()
{
    const char* server = std::getenv("BRIKKEN_TEST_PG");
    if (server != nullptr)
        postgresAdmin_ = server;
}

const BenchDatabase& BenchDatabases::Get(Engine engine, int32_t size, bool withLessons)
{
    const auto key = std::make_tuple(engine, size, withLessons);
    auto found = made_.find(key);
    if (found == made_.end())
        found = made_.emplace(key, Create(engine, size, withLessons)).first;
    return found->second;
}

BenchDatabase BenchDatabases::Create(Engine engine, int32_t size, bool withLessons)
{
    const std::string name = "brikken_bench_" + std::to_string(::getpid()) + "_" + std::to_string(size) +
                             (withLessons ? "_gemt" : "_tom");
    BenchDatabase database{engine, "", "", "", 0, 0};
    if (engine == Engine::SQLite) {
        if (folder_.empty()) {
            folder_ = std::filesystem::temp_directory_path() / ("brikken-bench-" + std::to_string(::getpid()));
            std::filesystem::create_directories(folder_);
        }
        database.clientConnection = (folder_ / (name + ".sqlite")).string();
        database.connection = "sqlite:" + database.clientConnection;
    } else {
        const auto slash = postgresAdmin_.rfind('/');
        if (postgresAdmin_.empty() || slash == std::string::npos)
            throw std::runtime_error("BRIKKEN_TEST_PG (postgresql://BRUGER@VÆRT:PORT/DATABASE) er ikke sat");
        RunOn(postgresAdmin_, "create database " + name);
        postgresDatabases_.push_back(name);
        database.clientConnection = postgresAdmin_.substr(0, slash + 1) + name;
        database.connection = database.clientConnection;
    }

    const SyntheticSchool school(seed, size);
    database.planId = school.PlanId();
    database.lessons = school.Lessons();
    database.hours = school.Hours();
    Connect(database);
    TSqlModul::Instans().OpretDatabase(false);
    school.Write();
    if (withLessons)
        GenerateAndSave(database);
    // Statistics as the server's autovacuum would have gathered them by the
    // time a planner opens the plan: without them PostgreSQL takes the freshly
    // filled tables for empty and plans the save's delete as a nested loop.
    if (!SqlKlasse(Datakilde::database).UdfoerSql("analyze"))
        throw std::runtime_error("Databasen kunne ikke analyseres");
    TSqlModul::Instans().Luk();
    return database;
}

// With the write protection on, as at every start of the program: the
// relations stay as the school left them, the saved lessons use the completed ones.
void BenchDatabases::GenerateAndSave(const BenchDatabase& database)
{
    Quiet quiet;
    Vorivazi vorivazi(Datakilde::database);
    if (!vorivazi.AabnPlan(database.planId) || !vorivazi.Generer(1, 4, 5, 8, 0, true) || !vorivazi.Gem())
        throw std::runtime_error("Planen " + database.planId + " kunne ikke genereres og gemmes");
}

void BenchDatabases::Connect(const BenchDatabase& database)
{
    std::string error;
    TSqlModul& module = TSqlModul::Instans();
    if (!module.VaelgForbindelse(database.connection, error) || !module.Forbind(error))
        throw std::runtime_error(error);
}

void BenchDatabases::RunOn(const std::string& connection, const std::string& statement)
{
    std::string error;
    TSqlModul& module = TSqlModul::Instans();
    if (!module.VaelgForbindelse(connection, error) || !module.Forbind(error))
        throw std::runtime_error(error);
    const bool ok = SqlKlasse(Datakilde::database).UdfoerSql(statement);
    module.Luk();
    if (!ok)
        throw std::runtime_error("'" + statement + "' mislykkedes");
}

void BenchDatabases::RemoveAll()
{
    TSqlModul::Instans().Luk();
    made_.clear();
    for (const std::string& name : postgresDatabases_) {
        try {
            RunOn(postgresAdmin_, "drop database if exists " + name + " with (force)");
        } catch (const std::exception&) {
            // The throwaway server goes away with the run anyway.
        }
    }
    postgresDatabases_.clear();
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
        folder_.clear();
    }
}
