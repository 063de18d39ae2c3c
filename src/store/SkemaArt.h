#pragma once

// The three kinds of timetable: class 'h', teacher 'l' and room 'k'.
inline bool ErSkemaArt(char art) { return art == 'h' || art == 'l' || art == 'k'; }
