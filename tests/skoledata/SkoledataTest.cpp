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

TEST(Skoledata, AnActivityIdCountsWithinItsPlanAndGoesWithItsSubject)
{
    Skoledata data;
    data.Tilfoej("Aktivitet", {"P1"s, "A1"s, "Tysk"s, 2, 1});
    data.Tilfoej("Aktivitet", {"P2"s, "A1"s, "Idræt"s, 2, 1});
    for (const std::string plan : {"P1", "P2"}) {
        data.Tilfoej("AktivitetDeltager", {plan, "A1"s, "7.a"s, "tom"s});
        data.Tilfoej("AktivitetLaerer", {plan, "A1"s, "Eva"s});
    }
    EXPECT_EQ(data.Afhaengige(Felt::Aktivitet, "A1", "P2"),
              (std::vector<std::string>{"Aktiviteternes deltagere (P2, A1, 7.a, tom)",
                                        "Aktiviteternes lærere (P2, A1, Eva)"}));
    data.Omdoeb(Felt::Aktivitet, "A1", "B1", "P2");
    EXPECT_EQ(data.Afhaengige(Felt::Aktivitet, "A1", "P1").size(), 2u);
    EXPECT_EQ(data.Afhaengige(Felt::Aktivitet, "B1", "P2").size(), 2u);

    // Without its subject the activity goes, and with it what only it used; the other plan's stays.
    data.FjernAfhaengige(Felt::Fag, "Tysk");
    const std::vector<Raekke> tilbage{{"P2"s, "B1"s, "Eva"s}};
    EXPECT_EQ(data.Af("AktivitetLaerer"), tilbage);
    EXPECT_EQ(data.Af("Aktivitet").size(), 1u);
    EXPECT_EQ(data.Af("AktivitetDeltager").size(), 1u);
}
