// Writes a synthetic school (one plan) into a planning database:
//
//   brikken-syntetisk --db FORBINDELSE [--seed N] [--size HOLD] [--tight] [--days D] [--hours T]
//
// FORBINDELSE is what the program's data module takes: sqlite:STI,
// postgresql://BRUGER@VÆRT:PORT/DATABASE or odbc:DSN. The schema is created
// when the database has no tables yet. The school's tables (classes,
// subjects, rooms) are shared by every plan of a database, so each school
// goes into a database of its own.
#include "SyntheticSchool.h"

#include "db/TSqlModul.h"

#include <QCoreApplication>

#include <charconv>
#include <iostream>
#include <stdexcept>

namespace {

template <typename T>
bool Number(const std::string& text, T& out)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc{} && end == text.data() + text.size();
}

int Usage(const std::string& why)
{
    std::cerr << "brikken-syntetisk: " << why << "\n"
              << "Brug: brikken-syntetisk --db FORBINDELSE [--seed N] [--size HOLD (1-" << SyntheticSchool::maxClasses
              << ")] [--tight] [--days D] [--hours T]\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::string connection;
    uint64_t seed = 1;
    int32_t size = 20; // a school of two tracks
    bool tight = false;
    int32_t days = 5;
    int32_t hours = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--tight") {
            tight = true;
            continue;
        }
        if (i + 1 >= argc)
            return Usage("mangler en værdi efter " + option);
        const std::string value = argv[++i];
        bool ok = true;
        if (option == "--db")
            connection = value;
        else if (option == "--seed")
            ok = Number(value, seed);
        else if (option == "--size")
            ok = Number(value, size);
        else if (option == "--days")
            ok = Number(value, days);
        else if (option == "--hours")
            ok = Number(value, hours);
        else
            ok = false;
        if (!ok)
            return Usage("ugyldigt argument " + option + " " + value);
    }
    if (connection.empty())
        return Usage("--db mangler");

    QCoreApplication app(argc, argv);
    TSqlModul& module = TSqlModul::Instans();
    try {
        const SyntheticSchool school(seed, size, tight, days, hours);
        std::string error;
        if (!module.VaelgForbindelse(connection, error) || !module.Forbind(error))
            throw DatabaseFejl(error);
        if (!module.HarTabeller())
            module.OpretDatabase(false);
        school.Write();
        std::cout << school.PlanId() << ": " << school.Classes() << " hold, " << school.Teachers() << " lærere, "
                  << school.Rooms() << " lokaler, " << school.Lessons() << " lektioner at lægge, " << school.Hours()
                  << " timer\n";
    } catch (const std::exception& e) {
        std::cerr << "brikken-syntetisk: " << e.what() << '\n';
        module.Luk();
        return 1;
    }
    module.Luk();
    return 0;
}
