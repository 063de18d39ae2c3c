#pragma once

#include "base/Uge.h"
#include "regler/Placeringsregler.h"

#include <atomic>
#include <cstdint>
#include <vector>

// The placement part of a timetable as plain data, for a solver that either
// places every unit without a clash or proves that no such placement exists.
// Cells are numbered dag * maksTimer + time, as everywhere in the completion.
struct EksaktOpgave {
    Uge uge;
    // Classes (or parts of classes), teachers and rooms, numbered 0 ... n-1.
    int32_t antalRessourcer = 0;
    struct Enhed {
        // Occupied in every hour of the unit: classes, teachers (not rooms).
        std::vector<int32_t> ressourcer;
        // Per room demand the rooms it may use; the unit gets one room per
        // demand, different rooms for different demands.
        std::vector<std::vector<int32_t>> lokalevalg;
        // Consecutive hours of one day.
        int32_t laengde = 1;
        // The spreading key (-1: none): the class's subject, kept to its rule on every day.
        int32_t spredNoegle = -1;
        // The starts that every rule about the unit alone allows (inside the
        // plan, the block within the day, the teacher not unavailable, ...).
        // Starts whose block does not fit the plan's days are left out.
        std::vector<int32_t> starter;
    };
    std::vector<Enhed> enheder;
    // Per resource the cells taken by lessons that never move (may be shorter
    // than antalRessourcer).
    std::vector<std::vector<int32_t>> optaget;
    // Per spread key the hours its lessons that never move hold (may be shorter).
    std::vector<Dagsmasker> spredTimerOptaget;
    // Per spread key the longest run of its hours a day may hold
    // (Dagsregel::loeb; a block alone may be longer). Missing: 0, one unit a day.
    std::vector<int32_t> spredLoeb;
};

struct EksaktSvar {
    enum class Udfald { fundet, umulig, ukendt };
    Udfald udfald = Udfald::ukendt;
    // fundet: per unit its start cell and per room demand its room.
    std::vector<int32_t> start;
    std::vector<std::vector<int32_t>> lokale;
    // umulig: the resources and spread keys whose rules alone (with the units'
    // own starts and the lessons that never move in them) leave no placement.
    // Rooms come as every room of a kind the demands cannot tell apart.
    // kerneEnheder: units whose allowed starts are empty (then nothing else
    // is named), or the units that use the core's resources and keys.
    std::vector<int32_t> kerneRessourcer;
    std::vector<int32_t> kerneSpredNoegler;
    std::vector<int32_t> kerneEnheder;
    // Conflicts the SAT solver used, the measure of the work limit.
    int64_t konflikter = 0;
};

// The largest task the solver takes on, counted as every unit's starts times
// its hours times its resources and rooms (the clauses grow with it, and the
// solver's memory by about 1 kB each, measured): at most about 400 MB. A
// larger task (the whole of a big school in a long week) is ukendt at once.
inline constexpr int64_t maksDaekning = 350'000;

// Deterministic: the same task and limit give the same answer. konfliktGraense
// bounds the solver's conflicts over the whole call (not its time); past it the
// answer is ukendt, or umulig with a core that may not be the smallest. A set
// `stop` ends the solver within moments, with the answer ukendt.
EksaktSvar LoesEksakt(const EksaktOpgave& opgave, int64_t konfliktGraense, const std::atomic<bool>* stop = nullptr);
