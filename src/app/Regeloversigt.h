#pragma once

#include "regler/Planregler.h"

#include <vector>

class Vorivazi;

// One of the plan's own rules with its state over the timetables as they are now.
struct Regelstatus {
    planregler::Regel regel;
    planregler::Tilstand tilstand;
};

// Every placed hour of the open plan as the rules read them: the lessons, an
// hour beginning a block unless it continues the one before, and every hour
// of the activities' blocks.
std::vector<planregler::Lektionstime> PlanensTimer(Vorivazi& vorivazi);

// Each of the open plan's own rules, kept or broken and by how much, in the rules' order.
std::vector<Regelstatus> Regeloversigt(Vorivazi& vorivazi, const std::vector<planregler::Regel>& regler);
