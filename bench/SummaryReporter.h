#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// The usual console report, and at the end the figures that matter: cost per
// lesson hour and per saved row, Gem against its baseline, and the targets.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    using ConsoleReporter::ConsoleReporter;

    void ReportRuns(const std::vector<Run>& runs) override;
    void PrintSummary(std::ostream& out) const;

private:
    struct Result {
        double realMs = 0;
        double cpuMs = 0;
        std::map<std::string, double> counters;
    };

    // The median aggregate when repetitions were asked for, else the median of the runs.
    std::optional<Result> Find(const std::string& name) const;
    double Counter(const Result& result, const std::string& name) const;
    void PrintGeneration(std::ostream& out) const;
    void PrintPersistence(std::ostream& out, const std::string& engine) const;
    void PrintTargets(std::ostream& out) const;

    std::map<std::string, std::vector<Result>> runs_;
    std::map<std::string, Result> medians_;
};
