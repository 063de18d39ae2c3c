// The benchmarks of generation, opening, saving, the timetable view and the
// check before generating on synthetic schools. PostgreSQL is measured when
// BRIKKEN_TEST_PG names a server account that may create databases
// (scripts/bench.sh starts one).
#include "BenchDatabases.h"
#include "Suites.h"
#include "SummaryReporter.h"

#include "db/TSqlModul.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    const bool withPostgreSQL = BenchDatabases::Instance().HasPostgreSQL();
    if (!withPostgreSQL)
        std::cerr << "BRIKKEN_TEST_PG er ikke sat: PostgreSQL måles ikke (scripts/bench.sh starter en server)\n";
    RegisterGenerationBenchmarks();
    RegisterPersistenceBenchmarks(withPostgreSQL);
    RegisterViewBenchmarks();
    RegisterCheckBenchmarks();

    // Colours only on a terminal: a report sent to a file stays readable.
    SummaryReporter reporter(::isatty(STDOUT_FILENO) != 0 ? benchmark::ConsoleReporter::OO_Defaults
                                                          : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintSummary(std::cout);

    BenchDatabases::Instance().RemoveAll();
    TSqlModul::Instans().Luk();
    benchmark::Shutdown();
    return 0;
}
