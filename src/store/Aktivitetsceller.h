#pragma once

#include "store/Aktiviteter.h"
#include "store/SkemaArt.h"

#include <string>
#include <vector>

// How a timetable words the hours that lessons of the new kind fill: the
// views, the publishers and the text page all show these words.

// One hour of a timetable that lessons of the new kind fill, as a view shows it.
struct Aktivitetscelle {
    Placering p;
    std::string tekst;
    std::string fag; // the first lesson's subject, which gives the cell its colour
};
// In a class's timetable its groups' parallel lessons side by side, subject
// and teachers ("Tysk Eva / Fransk Ole"); in a teacher's the classes, subject
// and rooms, in a room's the classes, subject and teachers of the lesson,
// every class of a joined lesson named. By day, then hour.
std::vector<Aktivitetscelle> AktivitetsCeller(const Aktivitetsplan& plan, SkemaArt art, const std::string& id);

// The classes, teachers or rooms the activities name (participants,
// teachers, every room of a need), sorted, each once: each has a timetable
// even when no lesson of the specified kind is its.
std::vector<std::string> AktivitetsSkemaer(const Aktivitetsplan& plan, SkemaArt art);
