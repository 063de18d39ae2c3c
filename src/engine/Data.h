#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

// The one record shape of the planning lists: five texts, four integers, two
// decimals and five links to records of other lists. Field numbers 1-5 are the
// texts, 6-9 the integers, 10-11 the decimals; 0 is no field. "tom", -1 and
// -1.0 mean "not set".
class data {
public:
    static constexpr int32_t ingenFelt = 0;
    static constexpr int32_t foersteHeltalsfelt = 6;
    static constexpr int32_t foersteDecimalfelt = 10;
    static constexpr int32_t sidsteFelt = 11;

    int32_t antalFelter = 11;
    int32_t antalTekster = 5;
    int32_t antalHeltal = 4;
    int32_t antalDecimaltal = 2;
    std::array<std::string, 5> tekst;
    std::array<int32_t, 4> heltal;
    std::array<double, 2> decimaltal;
    std::array<data*, 5> ben; // not owned

    // The field every comparison of two records uses. One for the whole
    // process, as the comparison operators take no field: the lists set it
    // before each search, sort or gather and leave it there.
    struct Sortering {
        int32_t felt = 1;
        // Ignores numbers outside 0 ... 11.
        void Saet(int32_t nytFelt);
    };
    static Sortering sortering;
    static bool ErDecimalfelt(int32_t felt) { return felt >= foersteDecimalfelt && felt <= sidsteFelt; }
    // The value of decimal field felt (10 or 11).
    double Decimal(int32_t felt) const { return decimaltal[felt - foersteDecimalfelt]; }

    data();
    // Copies contents only; the count fields stay as they are.
    data(const data& anden);
    data& operator=(const data& anden);
    // The same, taking over the texts: sorting and gathering move records between slots.
    data(data&& anden) noexcept;
    data& operator=(data&& anden) noexcept;

    // Back to "tom", -1, -1.0 and no links.
    void Nulstil();

    // Inline: sorting compares records many thousand times per generation.
    bool operator<(const data& anden) const { return Sammenlign(anden, std::less<>{}); }
    bool operator>(const data& anden) const { return Sammenlign(anden, std::greater<>{}); }
    bool operator==(const data& anden) const { return Sammenlign(anden, std::equal_to<>{}); }
    bool operator!=(const data& anden) const { return Sammenlign(anden, std::not_equal_to<>{}); }
    bool operator<=(const data& anden) const { return Sammenlign(anden, std::less_equal<>{}); }
    bool operator>=(const data& anden) const { return Sammenlign(anden, std::greater_equal<>{}); }

private:
    // Applies the comparison to the current sort field of both records; with
    // no field (0) every comparison is false, equality included.
    template <typename Sammenligning>
    bool Sammenlign(const data& anden, Sammenligning op) const
    {
        const int32_t felt = sortering.felt;
        if (felt >= 1 && felt < foersteHeltalsfelt)
            return op(tekst[felt - 1], anden.tekst[felt - 1]); // std::string compares bytes as unsigned
        if (felt >= foersteHeltalsfelt && felt < foersteDecimalfelt)
            return op(heltal[felt - foersteHeltalsfelt], anden.heltal[felt - foersteHeltalsfelt]);
        if (felt >= foersteDecimalfelt && felt <= sidsteFelt)
            return op(decimaltal[felt - foersteDecimalfelt], anden.decimaltal[felt - foersteDecimalfelt]);
        return false;
    }
};

// The sort field only, or with field 0 every set value and the ids of
// the linked records.
std::ostream& operator<<(std::ostream& ud, const data& d);
