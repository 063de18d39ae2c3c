#pragma once

#include "base/Uge.h"
#include "regler/Elevenheder.h"
#include "store/Lektion.h"
#include "store/SkemaArt.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Lessons that one class, one teacher and one room cannot describe: classes
// and groups taught together, several teachers, several rooms, a duty
// without students. Each is placed as one block.

// One room need: the lesson takes one of these rooms.
struct Lokalebehov {
    int32_t nr = 1; // numbered from 1
    std::vector<std::string> lokaler;
};

struct Aktivitet {
    std::string id;
    std::string fag;
    int32_t timer = 0; // hours a week
    int32_t blok = 1;
    std::vector<Deltager> deltagere;
    std::vector<std::string> laerere;
    std::vector<Lokalebehov> behov; // by number
};

// "1.a" for a whole class, "1.a piger" for a group.
std::string DeltagerNavn(const Deltager& deltager);
// Who takes part, by name: its classes and groups, or without students its teachers.
std::vector<std::string> Hvem(const Aktivitet& aktivitet);
// "Idræt 1.a piger, 1.b piger"; a duty: "Tilsyn Karen".
std::string AktivitetsNavn(const Aktivitet& aktivitet);

// Where one block of an activity stands, and the room chosen for each need,
// in the order of the activity's needs.
struct Aktivitetsblok {
    std::string aktivitet;
    Placering start;
    int32_t laengde = 1;
    std::vector<std::string> lokaler;
    bool laast = false; // pinned by the planner: the completion leaves it where it is

    bool Daekker(Placering p) const
    {
        return p.kolonne == start.kolonne && p.raekke >= start.raekke && p.raekke < start.raekke + laengde;
    }
};

// A placed block with its activity, as views and publishing read it.
struct Aktivitetslektion {
    const Aktivitet* aktivitet = nullptr;
    const Aktivitetsblok* blok = nullptr;
};

// What a block would clash with in its hours: the reason, and the plan's
// lesson or the placed block it shares students, a teacher or a room with.
struct Aktivitetssammenstoed {
    Hindring hindring = Hindring::ingen;
    std::optional<LektionsData> lektion;
    const Aktivitetsblok* blok = nullptr;
};

// An activity with fewer hours placed than it has a week.
struct ManglendeAktivitet {
    const Aktivitet* aktivitet = nullptr;
    int32_t placeret = 0;
    int32_t mangler = 0;
};

// The open plan's activities: the classes' divisions, the activities
// themselves and their placed blocks.
class Aktivitetsplan {
public:
    Elevenheder enheder;

    // Kept sorted by id.
    void TilfoejAktivitet(Aktivitet aktivitet);
    const Aktivitet* Find(const std::string& id) const;
    const std::vector<Aktivitet>& Aktiviteter() const { return aktiviteter_; }

    // Why the block cannot stand beside the placed blocks and the plan's
    // lessons (whole-class lessons of one teacher and one room), or
    // Hindring::ingen. The block's activity must be known.
    Hindring HindringFor(const Aktivitetsblok& blok, const std::vector<LektionsData>& lektioner) const;
    // The same with what it clashes with first, lessons before blocks. The
    // block `flyttes` (the one being moved) is in nobody's way.
    Aktivitetssammenstoed FoersteSammenstoed(const Aktivitetsblok& blok, const std::vector<LektionsData>& lektioner,
                                             const Aktivitetsblok* flyttes = nullptr) const;
    // The first placed block in the hour that clashes with what `optagelse` takes, or nullptr.
    const Aktivitetsblok* BlokIVejen(const Optagelse& optagelse, Placering time) const;
    void Placer(Aktivitetsblok blok);
    // The blocks as a completion or clearing the timetables leaves them.
    void ErstatBlokke(std::vector<Aktivitetsblok> blokke) { blokke_ = std::move(blokke); }
    const std::vector<Aktivitetsblok>& Blokke() const { return blokke_; }
    // The activity's placed block that starts at `start`, or nullptr.
    const Aktivitetsblok* BlokVed(const std::string& aktivitet, Placering start) const;
    // The planner's hand: the block moves to start at `til`, or is pinned or
    // freed; false when there is no such block. The rules are the caller's.
    bool Flyt(const std::string& aktivitet, Placering start, Placering til);
    bool SaetLaast(const std::string& aktivitet, Placering start, bool laast);
    bool Tom() const { return aktiviteter_.empty() && blokke_.empty(); }

    // The placed blocks that occupy the class, teacher or room, by day and hour.
    std::vector<Aktivitetslektion> Lektioner(SkemaArt art, const std::string& id) const;
    // Every placed block, in the order placed.
    std::vector<Aktivitetslektion> Lektioner() const;
    // The activities still short of hours, by id.
    std::vector<ManglendeAktivitet> Manglende() const;
    // What the block takes in its hours.
    Optagelse OptagelseAf(const Aktivitetsblok& blok) const;

private:
    std::vector<Aktivitet> aktiviteter_;
    std::vector<Aktivitetsblok> blokke_;
};
