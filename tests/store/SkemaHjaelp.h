#pragma once

#include "store/PseudoRandom.h"
#include "store/SkemaKontrol.h"

#include <compare>
#include <string>
#include <vector>

namespace skemahjaelp {

// How many draws have been taken since the shared sequence was seeded with
// 100, found by comparing the next draw with the sequence written out
// independently (X <- X * 0x15A00004E35 + 1, bits 32 to 62). Takes a draw.
inline int BrugteTraekninger()
{
    const int32_t naeste = pseudoRandom.Draw();
    uint64_t x = 100;
    for (int i = 0; i < 1000; ++i) {
        x = x * 0x0000015A00004E35ULL + 1;
        if (static_cast<int32_t>((x >> 32) & 0x7FFFFFFF) == naeste)
            return i;
    }
    return -1;
}

// One filed lesson hour: the timetable it was found in and its contents.
struct Fund {
    char art; // the letter of the kind, or 'p' for a teacher's priority
    std::string id;
    std::string hold, fag, laerer, lokale;
    int32_t blok, kolonne, raekke;
    auto operator<=>(const Fund&) const = default;
};

inline std::vector<Fund> Indhold(SkemaKontrol& s, SkemaArt art, const std::vector<std::string>& ider)
{
    std::vector<Fund> fund;
    for (const std::string& id : ider) {
        stack<LektionsData> lektioner;
        s.HentLektioner(id, lektioner, art);
        while (lektioner.antal() > 0) {
            const LektionsData d = lektioner.pop();
            fund.push_back({Bogstav(art), id, d.hold, d.fag, d.laerer, d.lokale, d.blok, d.kolonne, d.raekke});
        }
    }
    return fund;
}

// A small plan: its ids by kind, created in the order given.
struct Plan {
    std::vector<std::string> hold, laerer, lokale;

    void Opret(SkemaKontrol& s) const
    {
        for (const auto& id : hold)
            s.OpretSkema(id, SkemaArt::hold);
        for (const auto& id : laerer)
            s.OpretSkema(id, SkemaArt::laerer);
        for (const auto& id : lokale)
            s.OpretSkema(id, SkemaArt::lokale);
    }

    // Every lesson of every timetable of every kind, and every priority.
    std::vector<Fund> Alt(SkemaKontrol& s) const
    {
        std::vector<Fund> alt = Indhold(s, SkemaArt::hold, hold);
        for (auto& [art, ider] : {std::pair{SkemaArt::laerer, laerer}, std::pair{SkemaArt::lokale, lokale}}) {
            const std::vector<Fund> del = Indhold(s, art, ider);
            alt.insert(alt.end(), del.begin(), del.end());
        }
        s.NulstilMarkoer(SkemaArt::laerer);
        std::string navn;
        stack<PLektionsData> prioriteter;
        while (s.HentNaestePrioriteter(prioriteter, navn)) {
            while (prioriteter.antal() > 0) {
                const PLektionsData p = prioriteter.pop();
                alt.push_back({'p', navn, "", "", "", "", p.prioritet, p.kolonne, p.raekke});
            }
        }
        return alt;
    }
};

} // namespace skemahjaelp
