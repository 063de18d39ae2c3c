#pragma once

#include "db/Portal.h"

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// An hour in which a teacher cannot teach.
struct Spaerring {
    std::string laerer;
    int32_t kolonne;
    int32_t raekke;
};

using Felt = std::pair<int32_t, int32_t>; // (kolonne, raekke)

// A plan in file mode with a timetable for every given class, teacher and
// room, no stored lessons and the given unavailable hours.
class TestPlan {
public:
    TestPlan(const std::vector<std::string>& hold, const std::vector<std::string>& laerere,
             const std::vector<std::string>& lokaler, const std::vector<Spaerring>& spaerringer = {}, int32_t dage = 5,
             int32_t timer = 8);
    ~TestPlan();
    TestPlan(const TestPlan&) = delete;
    TestPlan& operator=(const TestPlan&) = delete;

    Portal& portal() { return *portal_; }

    // Puts a lesson of blok hours from (k, r) into its three timetables.
    void Saet(const std::string& hold, const std::string& fag, const std::string& laerer, const std::string& lokale,
              int32_t blok, int32_t k, int32_t r);
    std::vector<LektionsData> Lektioner(const std::string& id, SkemaArt art);
    // Cells of the timetable holding a lesson of the subject, in ascending order.
    std::vector<Felt> Felter(const std::string& id, SkemaArt art, const std::string& fag);

private:
    std::filesystem::path mappe_;
    std::unique_ptr<Portal> portal_;
};
