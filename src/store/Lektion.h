#pragma once

#include "base/Uge.h"

#include <cstdint>
#include <string>

// One lesson hour. The same object sits in the same cell of its class,
// teacher and room grids; the class grid owns it.
struct lektion {
    std::string fag = tomId;
    std::string lokale = tomId;
    std::string laerer = tomId;
    std::string hold = tomId;
    int32_t blok = 0;

    lektion() = default;
    lektion(std::string hold_, std::string fag_, std::string laerer_, std::string lokale_, int32_t blok_)
        : fag(std::move(fag_)), lokale(std::move(lokale_)), laerer(std::move(laerer_)), hold(std::move(hold_)),
          blok(blok_)
    {
    }

    bool operator==(const lektion&) const = default;

    bool Matcher(const std::string& h, const std::string& f, const std::string& l, const std::string& lo,
                 int32_t b) const
    {
        return hold == h && fag == f && laerer == l && lokale == lo && blok == b;
    }
};

// A lesson with its position: how lessons travel on stacks.
struct LektionsData {
    std::string hold = tomId;
    std::string fag = tomId;
    std::string laerer = tomId;
    std::string lokale = tomId;
    int32_t blok = 0;
    int32_t kolonne = 0;
    int32_t raekke = 0;

    LektionsData() = default;
    LektionsData(const lektion& l, int32_t k, int32_t r)
        : hold(l.hold), fag(l.fag), laerer(l.laerer), lokale(l.lokale), blok(l.blok), kolonne(k), raekke(r)
    {
    }
};

// One teacher time priority, -3 (unavailable) ... 3.
struct PLektionsData {
    int32_t prioritet = 0;
    int32_t kolonne = 0;
    int32_t raekke = 0;
};
