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

TEST(Skoledata, AGroupsParticipantsFollowItsNewNameOrGoWithItAndTakeAnEmptyActivityAlong)
{
    Skoledata data;
    // 7.a's "Tysk" takes part in Ty alone and, beside French, in Sp; 7.b and
    // the other plan have a group of that name too.
    data.Tilfoej("Aktivitet", {"P1"s, "Ty"s, "Tysk"s, 2, 1});
    data.Tilfoej("Aktivitet", {"P1"s, "Sp"s, "Sprog"s, 2, 1});
    data.Tilfoej("AktivitetDeltager", {"P1"s, "Ty"s, "7.a"s, "Tysk"s});
    data.Tilfoej("AktivitetDeltager", {"P1"s, "Sp"s, "7.a"s, "Tysk"s});
    data.Tilfoej("AktivitetDeltager", {"P1"s, "Sp"s, "7.a"s, "Fransk"s});
    data.Tilfoej("AktivitetDeltager", {"P1"s, "Sp"s, "7.b"s, "Tysk"s});
    data.Tilfoej("AktivitetDeltager", {"P2"s, "Ty"s, "7.a"s, "Tysk"s});
    data.Tilfoej("AktivitetLokale", {"P1"s, "Ty"s, 1, "B1"s});
    data.Tilfoej("AktivitetSkema", {"P1"s, "Ty"s, 0, 1, 1});
    const Gruppenavn tysk{"P1", "7.a", "Tysk"};
    EXPECT_EQ(data.Afhaengige(tysk), (std::vector<std::string>{"Aktiviteternes deltagere (P1, Ty, 7.a, Tysk)",
                                                               "Aktiviteternes deltagere (P1, Sp, 7.a, Tysk)"}));

    data.Omdoeb(tysk, "Ty1");
    EXPECT_TRUE(data.Afhaengige(tysk).empty());
    EXPECT_EQ(data.Afhaengige({"P1", "7.a", "Ty1"}).size(), 2u);
    EXPECT_EQ(data.Afhaengige({"P1", "7.b", "Tysk"}).size(), 1u);
    EXPECT_EQ(data.Afhaengige({"P2", "7.a", "Tysk"}).size(), 1u);

    // Ty is left with no one and goes with its room and its hour; Sp keeps French and 7.b.
    const Gruppenavn ty1{"P1", "7.a", "Ty1"};
    EXPECT_EQ(data.TommeUden(ty1), std::vector<std::string>{"Ty"});
    EXPECT_EQ(data.FjernAfhaengige(ty1), std::vector<std::string>{"Ty"});
    EXPECT_EQ(data.Af("Aktivitet"), (std::vector<Raekke>{{"P1"s, "Sp"s, "Sprog"s, 2, 1}}));
    EXPECT_EQ(data.Af("AktivitetDeltager").size(), 3u);
    EXPECT_TRUE(data.Af("AktivitetLokale").empty());
    EXPECT_TRUE(data.Af("AktivitetSkema").empty());
    // A teacher keeps an activity without participants.
    data.Tilfoej("AktivitetLaerer", {"P1"s, "Sp"s, "Eva"s});
    EXPECT_TRUE(data.TommeUden({"P1", "7.a", "Fransk"}).empty());
    data.FjernAfhaengige(Gruppenavn{"P1", "7.b", "Tysk"});
    EXPECT_TRUE(data.FjernAfhaengige(Gruppenavn{"P1", "7.a", "Fransk"}).empty());
    EXPECT_EQ(data.Af("Aktivitet").size(), 1u);
}
