#pragma once

#include "base/Uge.h"
#include "regler/Placeringsregler.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Who takes part in a lesson: a whole class (group tomId) or one group of it.
struct Deltager {
    std::string hold;
    std::string gruppe = tomId;

    bool HeleHoldet() const { return gruppe == tomId; }
    bool operator==(const Deltager&) const = default;
};

// The students' smallest units. A class's divisions each split it into
// groups; a unit is one group of every division, so a class with divisions of
// 2 and 3 groups has 6 units, and a class without divisions is one unit. A
// whole-class lesson occupies all of its class's units, a group's lesson those
// in the group. Two lessons share students exactly when they share a unit:
// groups of one division may run in parallel, groups of different divisions,
// or a group and its class, may not.
class Elevenheder {
public:
    // Adds a group to a division of the class; a group is named once per class.
    void TilfoejGruppe(const std::string& hold, const std::string& inddeling, const std::string& gruppe);

    // The division the class's group belongs to, or "" when the class has no such group.
    std::string Inddeling(const std::string& hold, const std::string& gruppe) const;
    bool Kender(const Deltager& deltager) const
    {
        return deltager.HeleHoldet() || !Inddeling(deltager.hold, deltager.gruppe).empty();
    }
    int32_t AntalEnheder(const std::string& hold) const;
    // The numbers (0 ... AntalEnheder - 1) of the class's units the participant
    // occupies; none for a group the class does not have.
    std::vector<int32_t> Optager(const Deltager& deltager) const;
    bool DelerElever(const std::vector<Deltager>& a, const std::vector<Deltager>& b) const;

private:
    struct Opdeling {
        std::string navn;
        std::vector<std::string> grupper;
    };
    std::map<std::string, std::vector<Opdeling>> inddelinger_; // per class, in the order they came
};

// What one lesson takes in its hours: students, teachers and rooms. A
// teacher or room tomId (not set yet) takes nothing.
struct Optagelse {
    std::vector<Deltager> deltagere;
    std::vector<std::string> laerere;
    std::vector<std::string> lokaler;
};

// Why two lessons cannot stand in the same hour, asked in the order of
// FoersteHindring: Hindring::laererOptaget, intetLokale or holdOptaget, or
// Hindring::ingen when they may.
Hindring Sammenstoed(const Elevenheder& enheder, const Optagelse& a, const Optagelse& b);
