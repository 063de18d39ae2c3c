#include "SummaryReporter.h"

#include "Suites.h"

#include <algorithm>
#include <cstdio>

namespace {

double Milliseconds(double value, benchmark::TimeUnit unit)
{
    switch (unit) {
    case benchmark::kNanosecond:
        return value / 1e6;
    case benchmark::kMicrosecond:
        return value / 1e3;
    case benchmark::kMillisecond:
        return value;
    case benchmark::kSecond:
        return value * 1e3;
    }
    return value;
}

std::string Format(const char* format, double value)
{
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Cell(const std::string& text, size_t width)
{
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

} // namespace

void SummaryReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred)
            continue;
        Result result{Milliseconds(run.GetAdjustedRealTime(), run.time_unit),
                      Milliseconds(run.GetAdjustedCPUTime(), run.time_unit),
                      {}};
        for (const auto& [name, counter] : run.counters)
            result.counters[name] = counter.value;
        const std::string& name = run.run_name.function_name;
        if (run.run_type == Run::RT_Iteration)
            runs_[name].push_back(result);
        else if (run.aggregate_name == "median")
            medians_[name] = result;
    }
}

std::optional<SummaryReporter::Result> SummaryReporter::Find(const std::string& name) const
{
    if (const auto median = medians_.find(name); median != medians_.end())
        return median->second;
    const auto found = runs_.find(name);
    if (found == runs_.end() || found->second.empty())
        return std::nullopt;
    std::vector<Result> results = found->second;
    std::sort(results.begin(), results.end(), [](const Result& a, const Result& b) { return a.realMs < b.realMs; });
    return results[results.size() / 2];
}

double SummaryReporter::Counter(const Result& result, const std::string& name) const
{
    const auto found = result.counters.find(name);
    return found == result.counters.end() ? 0.0 : found->second;
}

void SummaryReporter::PrintSummary(std::ostream& out) const
{
    PrintGeneration(out);
    PrintPersistence(out, "sqlite");
    PrintPersistence(out, "postgresql");
    PrintTargets(out);
}

void SummaryReporter::PrintGeneration(std::ostream& out) const
{
    out << "\nGenerering (frekvens 1, styrke 4, 5 dage, 8 timer), SQLite\n"
        << "  hold lektioner  timer  lagt   CPU ms  µs/lagt time  automatisk CPU ms\n";
    for (const int32_t size : schoolSizes) {
        const auto r = Find("Generer/" + std::to_string(size));
        if (!r)
            continue;
        const double placed = Counter(*r, "timer_lagt");
        out << Cell(std::to_string(size), 6) << Cell(Format("%.0f", Counter(*r, "lektioner")), 10)
            << Cell(Format("%.0f", Counter(*r, "timer")), 7) << Cell(Format("%.0f", placed), 6)
            << Cell(Format("%.2f", r->cpuMs), 9)
            << Cell(placed > 0 ? Format("%.1f", r->cpuMs * 1000.0 / placed) : "-", 14);
        const auto automatic = Find("AutoGenerer/" + std::to_string(size));
        out << Cell(automatic ? Format("%.2f", automatic->cpuMs) : "-", 19) << '\n';
    }
}

void SummaryReporter::PrintPersistence(std::ostream& out, const std::string& engine) const
{
    bool header = false;
    for (const int32_t size : schoolSizes) {
        const std::string suffix = "/" + engine + "/" + std::to_string(size);
        const auto open = Find("Aabn" + suffix);
        const auto save = Find("Gem" + suffix);
        if (!open && !save)
            continue;
        if (!header) {
            out << "\nÅbning og gemning, " << engine << " (real tid)\n"
                << "  hold rækker  åbn ms   gem ms  grundl. ms  forhold  gem µs/række  grundl. µs/række\n";
            header = true;
        }
        const double rows = save ? Counter(*save, "raekker") : 0.0;
        const double baselineMs = save ? Counter(*save, "grundlinje_ms") : 0.0;
        auto perRow = [rows](double ms) { return rows > 0 ? Format("%.1f", ms * 1000.0 / rows) : std::string("-"); };
        out << Cell(std::to_string(size), 6) << Cell(Format("%.0f", rows), 7)
            << Cell(open ? Format("%.2f", open->realMs) : "-", 8) << Cell(save ? Format("%.2f", save->realMs) : "-", 9)
            << Cell(save ? Format("%.2f", baselineMs) : "-", 12)
            << Cell(save ? Format("%.2f", Counter(*save, "forhold")) : "-", 9)
            << Cell(save ? perRow(save->realMs) : "-", 14) << Cell(save ? perRow(baselineMs) : "-", 18) << '\n';
    }
}

void SummaryReporter::PrintTargets(std::ostream& out) const
{
    out << "\nMål\n";
    auto line = [&out](const std::string& what, const std::optional<double>& value, double limit, const char* unit) {
        out << "  " << what << ": ";
        if (!value) {
            out << "ikke målt\n";
            return;
        }
        out << Format("%.2f", *value) << unit << " (højst " << Format("%.1f", limit) << unit << ") "
            << (*value <= limit ? "opfyldt" : "IKKE opfyldt") << '\n';
    };
    auto cpu = [this](int32_t size) -> std::optional<double> {
        const auto r = Find("Generer/" + std::to_string(size));
        return r ? std::optional<double>(r->cpuMs) : std::nullopt;
    };
    const std::string largest = std::to_string(largestSchool);
    auto ratio = [this, &largest](const std::string& engine) -> std::optional<double> {
        const auto save = Find("Gem/" + engine + "/" + largest);
        return save ? std::optional<double>(Counter(*save, "forhold")) : std::nullopt;
    };
    const auto open = Find("Aabn/sqlite/" + largest);
    line("Generering af 80 hold, CPU", cpu(80), 30, " ms");
    line("Generering af " + largest + " hold, CPU", cpu(largestSchool), 100, " ms");
    line("Åbning af " + largest + " hold fra SQLite, real tid",
         open ? std::optional<double>(open->realMs) : std::nullopt, 20, " ms");
    line("Gem af " + largest + " hold mod grundlinjen, SQLite", ratio("sqlite"), 1.5, "x");
    line("Gem af " + largest + " hold mod grundlinjen, PostgreSQL", ratio("postgresql"), 2, "x");
}
