#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

// The three kinds of timetable: class, teacher and room. Each value is the
// letter that names the kind where the kind is data (on the command line).
enum class SkemaArt : char { hold = 'h', laerer = 'l', lokale = 'k' };

// Every kind, in the order the program walks them: class, teacher, room.
inline constexpr std::array<SkemaArt, 3> alleSkemaArter{SkemaArt::hold, SkemaArt::laerer, SkemaArt::lokale};

inline constexpr char Bogstav(SkemaArt art) { return static_cast<char>(art); }

// The kind a letter names, or nothing for any other character.
inline std::optional<SkemaArt> SkemaArtFor(char bogstav)
{
    for (const SkemaArt art : alleSkemaArter)
        if (Bogstav(art) == bogstav)
            return art;
    return std::nullopt;
}

// One value per kind, looked up by the kind; given in the order of alleSkemaArter.
template <typename T>
struct PrSkemaArt {
    std::array<T, 3> vaerdier;

    T& operator[](SkemaArt art) { return vaerdier[Indeks(art)]; }
    const T& operator[](SkemaArt art) const { return vaerdier[Indeks(art)]; }

private:
    static constexpr size_t Indeks(SkemaArt art) { return art == SkemaArt::hold ? 0 : art == SkemaArt::laerer ? 1 : 2; }
};

// The id of the timetable of the kind that holds the lesson (a lektion or a
// LektionsData).
template <typename L>
const std::string& IdForArt(const L& l, SkemaArt art)
{
    static constexpr PrSkemaArt<std::string L::*> id{{&L::hold, &L::laerer, &L::lokale}};
    return l.*id[art];
}
