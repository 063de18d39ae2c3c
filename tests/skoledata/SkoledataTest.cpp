#include "skoledata/Skoledata.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(Skoledata, TheRowsOfATemporaryOutliveIt)
{
    // The loop of the "Kopiér plan" dialog read the rows of a temporary after it was gone.
    const auto laes = [] {
        Skoledata data;
        data.Tilfoej("Plan", {"Plan2026"s, "F"s, 5, 8});
        data.Tilfoej("Plan", {"Plan2027"s, "F"s, 5, 8});
        return data;
    };
    std::vector<std::string> planer;
    for (const Raekke& plan : laes().Af("Plan"))
        planer.push_back(SomTekst(plan[0]));
    EXPECT_EQ(planer, (std::vector<std::string>{"Plan2026", "Plan2027"}));
    EXPECT_TRUE(laes().Af("Hold").empty());
}
