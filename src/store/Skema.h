#pragma once

#include "store/Lektion.h"
#include "store/Stack.h"

#include <array>
#include <compare>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

class hold_skema;
class laerer_skema;
class lokale_skema;

// The week grid of one class, teacher or room: maksDage x maksTimer, each cell
// empty or referring to the lesson placed in that hour. One lesson object is
// shared by the grids of its class, teacher and room. Cells hold shared
// references, so a lesson lives exactly as long as a grid refers to it:
// removing an hour from its three grids frees it, copying a grid shares the
// lessons, and a reference can never dangle, even in grids that disagree.
//
// Positions outside the grid (the largest week) hold nothing and take nothing: reads
// report an empty result and writes are ignored.
class skema {
public:
    std::string navn;

    // Copies the lesson of the cell into ud; false (ud untouched) when empty.
    bool KopierLektion(int32_t k, int32_t r, lektion& ud) const;
    // A cell of the grid that holds no lesson.
    bool ErTom(int32_t k, int32_t r) const;
    void Fjern(int32_t k, int32_t r);
    void Ombyt(int32_t k1, int32_t r1, int32_t k2, int32_t r2);
    // The lesson of the first cell moves to the second, replacing whatever
    // the second referred to.
    void Flyt(int32_t k1, int32_t r1, int32_t k2, int32_t r2);

    int32_t AntalLektioner() const;
    bool HarFag(const std::string& fag, int32_t k, int32_t r) const;
    int32_t AntalFag(const std::string& fag) const;
    // The first row of day k holding a lesson of l's subject.
    bool FagPaaDag(const lektion& l, int32_t k, int32_t& r) const;
    // The hour and the next hold the same subject, both as part of a double lesson.
    bool ErDobbeltLektion(int32_t k, int32_t r) const;
    bool Matcher(const lektion& l, int32_t k, int32_t r) const;

    // Pushes every lesson with its position so that popping gives day 0,
    // hour 0 first, then ascending hours and days. True when any was pushed.
    bool SamlLektioner(stack<LektionsData>& lektioner) const;
    void TomAlle();

    // The last hour of day k that holds a lesson, -1 for a free day.
    int32_t SidsteOptagneRaekke(int32_t k) const;
    // Free hours between the first and the last lesson of each day.
    int32_t Mellemtimer() const;
    // Coefficient of variation (%) of the days' last occupied hours.
    double Spredning() const;

    // A position of the grid.
    static bool IGitter(int32_t k, int32_t r);

    // Grids are ordered by name.
    friend bool operator==(const skema& a, const skema& b) { return a.navn == b.navn; }
    friend std::strong_ordering operator<=>(const skema& a, const skema& b) { return a.navn <=> b.navn; }

    // Creates one lesson equal to l and puts it into the cell of all three grids.
    friend void Placer(const lektion& l, hold_skema& hold, laerer_skema& laerer, lokale_skema& lokale, int32_t k,
                       int32_t r);

protected:
    explicit skema(std::string navn_) : navn(std::move(navn_)) {}

private:
    using LektionsReference = std::shared_ptr<const lektion>;

    const lektion* Celle(int32_t k, int32_t r) const;
    void SaetCelle(int32_t k, int32_t r, LektionsReference l);

    std::array<std::array<LektionsReference, maksTimer>, maksDage> celle_{};
};

class hold_skema : public skema {
public:
    hold_skema() : hold_skema(std::string{}) {}
    explicit hold_skema(std::string navn_) : skema(std::move(navn_)) {}
};

class laerer_skema : public skema {
public:
    laerer_skema() : laerer_skema(std::string{}) {}
    explicit laerer_skema(std::string navn_) : skema(std::move(navn_)) {}

    // Stores a priority of -3 ... 3; anything else is refused.
    bool SaetPrioritet(int32_t vaerdi, int32_t k, int32_t r);
    int32_t Prioritet(int32_t k, int32_t r) const;
    int32_t AntalSpaerringer() const;
    // Pushes every priority other than 0, days and hours ascending.
    void SamlPrioriteter(stack<PLektionsData>& prioriteter) const;

private:
    std::array<std::array<int32_t, maksTimer>, maksDage> prioritet_{};
};

class lokale_skema : public skema {
public:
    lokale_skema() : lokale_skema(std::string{}) {}
    explicit lokale_skema(std::string navn_) : skema(std::move(navn_)) {}
};

// The class, teacher and room grids of one lesson.
struct SkemaTrio {
    hold_skema* hold = nullptr;
    laerer_skema* laerer = nullptr;
    lokale_skema* lokale = nullptr;
};

void Placer(const lektion& l, hold_skema& hold, laerer_skema& laerer, lokale_skema& lokale, int32_t k, int32_t r);
