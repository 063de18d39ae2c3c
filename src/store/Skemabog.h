#pragma once

#include "store/Aktiviteter.h"
#include "store/Lektion.h"
#include "store/SkemaArt.h"

#include <cstdint>
#include <string>
#include <vector>

// A plan's timetables gathered once for publishing, with every text already
// worded as the timetable view words it; the PDF, web and spreadsheet writers
// only lay it out.

struct UdgivetLektion {
    LektionsData lektion;
    std::vector<std::string> linjer; // the cell's texts, one per line
    std::string kort;                // the abbreviated cell of the whole-school overview
};

// An hour that lessons of the new kind fill, worded as the view words it:
// a class's parallel groups side by side, every class of a joined lesson.
struct UdgivetAktivitetscelle {
    Placering p;
    std::string tekst;
    std::string fag;  // the subject that gives the cell its colour
    std::string kort; // the abbreviated cell of the whole-school overview
};

struct UdgivetSkema {
    SkemaArt art = SkemaArt::hold;
    std::string id;
    std::string noegletal;                 // the figures line: planned, placed, their share and the spread
    std::vector<UdgivetLektion> lektioner; // ordered by day, then hour
    std::vector<Placering> spaerret;       // a teacher's unavailable hours
    std::vector<UdgivetAktivitetscelle> aktivitetsceller; // ordered by day, then hour

    // The lesson in that hour, or nullptr.
    const UdgivetLektion* Lektion(int32_t dag, int32_t time) const;
    // The lessons of the new kind in that hour, or nullptr.
    const UdgivetAktivitetscelle* AktivitetI(int32_t dag, int32_t time) const;
    // The subject whose colour the hour takes: its lesson's, else its activity's; "" when empty.
    std::string FagI(int32_t dag, int32_t time) const;
    bool ErSpaerret(int32_t dag, int32_t time) const;
};

// One placed block of a lesson of the new kind (store/Aktiviteter.h).
struct UdgivetAktivitet {
    std::string fag;
    Placering start;
    int32_t laengde = 1;
    std::vector<Deltager> deltagere;
    std::vector<std::string> inddelinger; // each participant's division; "" for a whole class
    std::vector<std::string> laerere;
    std::vector<std::string> lokaler; // the room chosen for each need
};

struct Skemabog {
    std::string plan;
    int32_t dage = maksDage;
    int32_t timer = maksTimer;
    std::vector<UdgivetSkema> skemaer; // classes, then teachers, then rooms; each kind ordered by id
    std::vector<std::string> fag;      // every subject taught, sorted
    std::vector<UdgivetAktivitet> aktiviteter;

    std::vector<const UdgivetSkema*> AfArt(SkemaArt art) const;
    // "#rrggbb": the same subject has the same colour on every page and in every form.
    std::string FagFarve(const std::string& fag) const;
};

// "Hold", "Lærer", "Lokale" and their plurals, as headings show them.
std::string ArtNavn(SkemaArt art);
std::string ArtFlertal(SkemaArt art);
