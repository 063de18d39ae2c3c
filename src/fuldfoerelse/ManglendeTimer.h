#pragma once

#include "fuldfoerelse/Skemabillede.h"
#include "fuldfoerelse/Skemamodel.h"

#include <cstdint>
#include <string>
#include <vector>

// Why one hour of the week cannot take a missing lesson.
struct TimeAarsag {
    int32_t kolonne = 0;
    int32_t raekke = 0;
    Hindring hindring = Hindring::ingen;
    std::string detalje; // the class the teacher teaches, or the rooms taken
};

// A demand with hours still missing and, for every hour its class is free, the first obstacle.
struct ManglendeKrav {
    Timekrav krav; // its blok: the length of the next block to place, which the reasons are for
    int32_t placeret = 0;
    int32_t mangler = 0;
    std::vector<TimeAarsag> aarsager;

    // "lærer optaget 12, lærer utilgængelig 5, intet lokale 3"
    std::string Opsummering() const;
};

// An activity with hours still missing and, for every hour its participants
// are free, the first obstacle.
struct ManglendeAktivitetstimer {
    Aktivitet aktivitet;
    std::string navn; // "7.a Tysk, 7.b Idræt"
    int32_t blok = 1; // the length of the next block to place, which the reasons are for
    int32_t placeret = 0;
    int32_t mangler = 0;
    std::vector<TimeAarsag> aarsager;

    std::string Opsummering() const;
};

struct ManglendeTimer {
    std::vector<ManglendeKrav> krav;
    std::vector<ManglendeAktivitetstimer> aktiviteter;
    // Lessons outside the plan's own days and hours.
    std::vector<LektionsData> udenforPlanen;

    int32_t Mangler() const;
};

ManglendeTimer FindManglendeTimer(const Skemabillede& billede);
