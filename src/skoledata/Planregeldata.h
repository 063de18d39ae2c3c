#pragma once

#include "regler/Planregler.h"
#include "skoledata/Skoledata.h"

#include <string>
#include <vector>

// A plan's own rules as the rules module reads them, from the rows of the
// tables Planregel, PlanregelTid and PlanregelLektion.
std::vector<planregler::Regel> PlanensRegler(const Skoledata& data, const std::string& planId);

// The plan's rules as the database holds them now.
std::vector<planregler::Regel> LaesPlanensRegler(const std::string& planId);
