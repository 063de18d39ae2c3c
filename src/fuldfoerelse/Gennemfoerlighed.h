#pragma once

#include "fuldfoerelse/Skemabillede.h"

#include <cstdint>
#include <string>
#include <vector>

// What the check of a plan before generating can find, in the order the
// findings of one weight are listed.
enum class Fundart : uint8_t {
    lokaletypeUdenLokaler, // demands of a room type the plan has no rooms of
    stamlokaleUkendt,      // a home room that is not among the plan's rooms
    stamlokaleMangler,     // a class without a home room ("tom")
    laererMangler,         // class-subject rows without a teacher ("tom")
    laererTimer,           // a teacher's hours against the hours she can teach
    holdTimer,             // a class's hours against the hours its teachers can teach
    lokaletypeTimer,       // a room type's hours against its rooms over the week
    lokaletypeSamtidig,    // ... against its rooms in the hours its teachers can teach
    stamlokaleTimer,       // a home room shared by classes with more hours than the week
    blokUdenDag,           // blocks of a subject no day can hold
    fagSpredning,          // a subject with more hours than the week can spread
    behovUdenLokaler,      // an activity's room need none of whose rooms the plan has
    behovDelerLokaler,     // an activity whose needs cannot each have a room of its own
    behovTimer,            // the rooms of activities' needs against their hours over the week
};

struct Fund {
    Fundart art = Fundart::laererTimer;
    // While it stands no complete timetable exists; otherwise a warning.
    bool umulig = false;
    // The teachers, classes, rooms, room types and subjects it is about.
    std::vector<std::string> navne;
    // What is wrong and what to change, in Danish.
    std::string tekst;
};

// What the check says when it finds nothing.
inline const std::string ingenFundTekst = "Planen kan lægges: ingen fund.";

// The finding on one line, its weight first: "Umuligt: …" or "Advarsel: …".
std::string Fundlinje(const Fund& fund);

// Everything in the plan's demands, activities, rooms, week and teachers'
// unavailable hours that keeps a complete timetable from existing, or that the
// planner should know before generating. Hours a complete timetable needs are
// counted against hours that exist, so a plan without findings may still be
// hard to lay, but a hard finding is never wrong. The hard findings come first.
std::vector<Fund> KontrollerGennemfoerlighed(const Skemabillede& billede);
