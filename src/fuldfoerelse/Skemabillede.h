#pragma once

#include "regler/Placeringsregler.h"
#include "regler/Planregler.h"
#include "store/Aktiviteter.h"
#include "store/Lektion.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// One lesson demand: a class's weekly hours of a subject with its teacher.
struct Timekrav {
    std::string hold;
    std::string fag;
    std::string laerer;
    std::string lokaletype;
    std::string lokale; // the home room; "tom" when the type names special rooms
    int32_t blok = 1;
    int32_t timer = 0; // hours a week

    bool IStamlokale() const { return lokaletype == stamlokaleType; }
    // What the planner is shown: the home room, or the type of special room.
    const std::string& Lokaleangivelse() const { return IStamlokale() ? lokale : lokaletype; }
};

// A copy of what the missing-hours analysis and the completion read from the
// open plan, so they run without the store and the planning lists.
struct Skemabillede {
    Uge uge;
    std::vector<Timekrav> krav;
    std::map<std::string, std::vector<std::string>> lokalerAfType;
    std::vector<LektionsData> lektioner;
    // Per teacher, cell kolonne * maksTimer + raekke; missing means no priorities.
    std::map<std::string, std::array<int32_t, maksCeller>> prioriteter;
    // Hours (hold, kolonne, raekke) the planner fixed; their lessons never move.
    std::vector<LektionsData> laaste;
    Regelvalg regler = Regelvalg::Planens(true);
    // A double lesson that fits nowhere may be laid as two single hours on different days.
    bool delDobbelte = false;
    // Lessons that join classes and groups, with the classes' divisions and the placed blocks.
    Aktivitetsplan aktiviteter;
    // The planner's own rules.
    std::vector<planregler::Regel> planregler;
};
