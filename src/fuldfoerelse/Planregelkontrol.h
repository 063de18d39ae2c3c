#pragma once

#include "fuldfoerelse/Gennemfoerlighed.h"
#include "fuldfoerelse/Skemabillede.h"

#include <vector>

// What the planner's hard rules about the hours make impossible, found
// cheaply and never wrongly: a class with more hours than its breaks and
// closed hours leave open, a lesson no hour of the week may hold.
std::vector<Fund> KontrollerPlanregler(const Skemabillede& billede);
