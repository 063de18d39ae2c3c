#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The planner's own rules (breaks, closed hours, daily limits, gaps, fixed
// times) and the one place that decides, over the placed hours of a plan,
// whether each is kept or broken and by how much, in the planner's words.
namespace planregler {

enum class Art {
    pause,             // nothing is taught at these hours
    lukket,            // a class, group, room or teacher is not at school at these hours
    laererDage,        // a teacher's days per week, at most
    laererTimer,       // a teacher's hours per day, at most
    laererMindstTimer, // a teacher's hours on a day with lessons, at least
    laererHullerDag,   // a teacher's gaps per day, at most
    laererHullerUge,   // a teacher's gaps per week, at most
    laererITraek,      // a teacher's hours in a row, at most
    holdTimer,         // a class's (or group's) hours per day, at most
    holdMindstTimer,   // a class's hours on a day with lessons, at least
    holdHullerDag,     // a class's gaps per day, at most
    holdHullerUge,     // a class's gaps per week, at most
    holdTidligStart,   // a class begins at the first hour, at the second at most N times a week
    starttid,          // the lessons named begin only at these hours (one hour: a fixed start)
    tidsrum,           // every hour of the lessons named lies among these hours
    sammeStart,        // the lessons named begin at the same hour
    dageImellem        // the lessons named lie at least N days apart
};

// The name a kind is stored under; nothing for an unknown name.
std::string Navn(Art art);
std::optional<Art> ArtNavngivet(const std::string& navn);
// Every kind, in the order a report lists them.
const std::vector<Art>& AlleArter();

// A weight of 100 % is a requirement; below, FET's meaning: how strongly it should hold.
inline constexpr int32_t krav = 100;

struct Tid {
    int32_t dag = 0;
    int32_t time = 0;
    auto operator<=>(const Tid&) const = default;
};

// Lessons by what they share; an empty field matches any.
struct Lektionsvalg {
    std::string laerer;
    std::string hold;
    std::string fag;
    std::string aktivitet;
    bool operator==(const Lektionsvalg&) const = default;
};

struct Regel {
    int32_t id = 0;
    Art art = Art::pause;
    // Whom it concerns; empty: everyone of the kind (all teachers, all classes).
    std::string laerer;
    std::string hold;
    std::string gruppe;
    std::string lokale;
    Lektionsvalg lektioner; // starttid and tidsrum: the lessons ruled
    int32_t graense = 0;
    int32_t vaegt = krav;
    std::vector<Tid> tider;
    std::vector<Lektionsvalg> sammen; // sammeStart and dageImellem: the lessons named together
};

// A whole class (gruppe empty) or one of its groups.
struct Deltager {
    std::string hold;
    std::string gruppe;
};

// One placed hour of a lesson, of the specified kind or a lesson of its own.
struct Lektionstime {
    Tid tid;
    bool start = true; // the first hour of its block
    std::string fag;
    std::string aktivitet; // empty for the specified lesson
    std::vector<Deltager> deltagere;
    std::vector<std::string> laerere;
    std::vector<std::string> lokaler;
};

struct Tilstand {
    int32_t brud = 0;  // 0: kept; else how much: hours, days, gaps or lessons too many
    std::string tekst; // why broken, in the planner's words; empty when kept
};

// Whom the rule concerns, as the planner names them ("1.a Tysk", "Lokale A1", "Alle lærere").
std::string HvemTekst(const Regel& regel);

// The lesson hour is one the rule speaks of: a break's every hour, a closed
// class's (or its group's), room's or teacher's, the lessons a start time or
// time slot names. False for the other kinds.
bool Rammer(const Regel& regel, const Lektionstime& time);

// Start times (or time slots) of one kind and weight naming the same lessons
// are alternatives, each lesson keeping one of them: the import folds a
// file's activities of a class's subject into its lessons, each with its own
// rule, and no lesson could keep them all.
bool Alternativer(const Regel& a, const Regel& b);

// What the rule asks, in the planner's words ("Lone: højst 4 dage").
std::string Beskrivelse(const Regel& regel);

// Each rule's state over the placed hours, in the rules' order.
std::vector<Tilstand> Vurder(const std::vector<Regel>& regler, const std::vector<Lektionstime>& timer);

} // namespace planregler
