#pragma once

#include "fuldfoerelse/Eksakt.h"

#include <cstdint>
#include <string>

// Tight synthetic schools for the exact solver, built straight as its task:
// a full clash-free timetable in which every class uses (nearly) every hour
// and a class's subject lies on different days, some lessons then fixed.
// Resources: classes 0 ... H-1, teachers H ... 3H-1, then home rooms and halls.
enum class Skoleart {
    mulig,          // the timetable it was built from keeps every rule
    enTimeForMeget, // a teacher gets one hour more than the hours she can teach
    skjultForMeget, // ... and has one hour to spare, which fixed lessons of her classes take
};

struct EksaktSkole {
    EksaktOpgave opgave;
    int32_t laerer = -1; // the teacher given one hour too many
    int32_t timer = 0;   // hours to place
    int32_t ledige = 0;  // class hours left free by the construction
};

EksaktSkole LavEksaktSkole(uint32_t froe, int32_t antalHold, Uge uge, Skoleart art);

// The first rule a found placement breaks, or "" (so a figure never counts a wrong answer).
std::string FoersteBrud(const EksaktOpgave& opgave, const EksaktSvar& svar);
