#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <string>

// The one record shape of the planning lists: five texts, four integers, two
// decimals and five links to records of other lists. Field numbers 1-5 are the
// texts, 6-9 the integers, 10-11 the decimals; 0 is no field. "tom", -1 and
// -1.0 mean "not set".
class data {
public:
    static constexpr int32_t ingenFelt = 0;
    static constexpr int32_t sidsteFelt = 11;

    int32_t antalFelter = 11;
    int32_t antalTekster = 5;
    int32_t antalHeltal = 4;
    int32_t antalDecimaltal = 2;
    std::array<std::string, 5> tekst;
    std::array<int32_t, 4> heltal;
    std::array<double, 2> decimaltal;
    std::array<data*, 5> ben; // not owned

    // The field every comparison of two records uses; shared by the process.
    static int32_t sorteringsfelt;
    // Ignores numbers outside 0 ... 11.
    static void SaetFelt(int32_t felt);

    data();
    // Copies contents only; the count fields stay as they are.
    data(const data& anden);
    data& operator=(const data& anden);

    // Back to "tom", -1, -1.0 and no links.
    void Nulstil();

    bool operator<(const data& anden) const;
    bool operator>(const data& anden) const;
    bool operator==(const data& anden) const;
    bool operator!=(const data& anden) const;
    bool operator<=(const data& anden) const;
    bool operator>=(const data& anden) const;
};

// Field sorteringsfelt only, or with field 0 every set value and the ids of
// the linked records.
std::ostream& operator<<(std::ostream& ud, const data& d);
