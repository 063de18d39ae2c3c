#pragma once

#include "skoledata/Skoledata.h"

#include <functional>
#include <string>
#include <vector>

// The one door to the school's data for the windows and the command line:
// read it, check an edit, save it, copy a plan, import a timetable file.
// Every write first asks whether the database is write-protected, and is
// refused then with how to lift the protection.
class Skoledatatjeneste {
public:
    struct Skrivebeskyttelse {
        std::function<bool()> slaaetTil; // asked before every write
        std::string slaaFra;             // how the planner lifts it where the write was asked for
    };

    explicit Skoledatatjeneste(Skrivebeskyttelse beskyttelse);
    // For a command that is itself the planner's wish to write.
    static Skoledatatjeneste UdenBeskyttelse();

    Skoledata Laes() const;
    std::vector<std::string> PlanIder() const;
    // Empty while writes are allowed, otherwise the message that refuses them.
    std::string Skrivefejl() const;
    // What would refuse Gem(foer, efter) now; nothing is written.
    std::vector<std::string> Kontroller(const Skoledata& foer, const Skoledata& efter) const;
    // The planner's changes to the rows read as `foer`, in one transaction or not at all.
    bool Gem(const Skoledata& foer, const Skoledata& efter, std::vector<std::string>& fejl) const;
    bool KopierPlan(const std::string& fra, const std::string& til, bool medLektioner,
                    std::vector<std::string>& fejl) const;
    // `rapport` names what the file holds that has no counterpart here.
    bool ImporterFet(const std::string& sti, const std::string& planId, std::vector<std::string>& rapport,
                     std::vector<std::string>& fejl) const;

private:
    bool MaaSkrive(std::vector<std::string>& fejl) const;

    Skrivebeskyttelse beskyttelse_;
};
