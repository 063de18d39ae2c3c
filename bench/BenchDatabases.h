#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <vector>

enum class Engine { SQLite, PostgreSQL };

const char* EngineName(Engine engine);

// One prepared database with one synthetic school in it.
struct BenchDatabase {
    Engine engine;
    std::string connection;       // for TSqlModul::VaelgForbindelse
    std::string clientConnection; // for the engine's own client library: a file path or a libpq URI
    std::string planId;
    int32_t lessons = 0; // class-subject rows to place
    int32_t hours = 0;   // lesson hours to place
};

// The databases the benchmarks run on, made on first use and removed at the
// end: a file in a temporary folder for SQLite, a database on the server
// named by BRIKKEN_TEST_PG for PostgreSQL.
class BenchDatabases {
public:
    static constexpr uint64_t seed = 1;

    static BenchDatabases& Instance();

    bool HasPostgreSQL() const { return !postgresAdmin_.empty(); }

    // The school of that size; with stored lessons when it has been generated
    // and saved once. Throws std::runtime_error when it cannot be made.
    const BenchDatabase& Get(Engine engine, int32_t size, bool withLessons);
    // Points the program's data module at the database.
    static void Connect(const BenchDatabase& database);
    // Called before the program ends, while the data module still exists.
    void RemoveAll();

private:
    BenchDatabases();
    BenchDatabase Create(Engine engine, int32_t size, bool withLessons);
    static void GenerateAndSave(const BenchDatabase& database);
    static void RunOn(const std::string& connection, const std::string& statement);

    std::filesystem::path folder_;
    std::string postgresAdmin_;
    std::vector<std::string> postgresDatabases_;
    std::map<std::tuple<Engine, int32_t, bool>, BenchDatabase> made_;
};
