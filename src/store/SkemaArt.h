#pragma once

#include <string>

// The three kinds of timetable: class 'h', teacher 'l' and room 'k'.
inline bool ErSkemaArt(char art) { return art == 'h' || art == 'l' || art == 'k'; }

// The id of the timetable of the kind that holds the lesson (a lektion or a
// LektionsData). Callers pass a valid kind; anything else gives the class.
template <typename L>
const std::string& IdForArt(const L& l, char art)
{
    if (art == 'l')
        return l.laerer;
    if (art == 'k')
        return l.lokale;
    return l.hold;
}
