// The clash rule on student units: every case of the model in one table.
#include "regler/Elevenheder.h"

#include <gtest/gtest.h>

namespace {

// 1.a is split twice: language (Tysk/Fransk) and sport (piger/drenge); 1.b
// has one division of three; 2.a has none.
Elevenheder skolen()
{
    Elevenheder enheder;
    enheder.TilfoejGruppe("1.a", "Sprog", "Tysk");
    enheder.TilfoejGruppe("1.a", "Sprog", "Fransk");
    enheder.TilfoejGruppe("1.a", "Idræt", "piger");
    enheder.TilfoejGruppe("1.a", "Idræt", "drenge");
    enheder.TilfoejGruppe("1.b", "Hold", "x");
    enheder.TilfoejGruppe("1.b", "Hold", "y");
    enheder.TilfoejGruppe("1.b", "Hold", "z");
    return enheder;
}

struct Tilfaelde {
    const char* navn;
    Optagelse a;
    Optagelse b;
    Hindring forventet;
};

} // namespace

TEST(Elevenheder, AClassHasOneUnitPerCombinationOfItsGroups)
{
    const Elevenheder enheder = skolen();
    EXPECT_EQ(enheder.AntalEnheder("1.a"), 4);
    EXPECT_EQ(enheder.AntalEnheder("1.b"), 3);
    EXPECT_EQ(enheder.AntalEnheder("2.a"), 1);
    EXPECT_EQ(enheder.Optager({"1.a", "Tysk"}), (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(enheder.Optager({"1.a", "drenge"}), (std::vector<int32_t>{2, 3}));
    EXPECT_EQ(enheder.Optager({"1.a"}), (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(enheder.Optager({"2.a"}), (std::vector<int32_t>{0}));
    EXPECT_TRUE(enheder.Optager({"2.a", "Tysk"}).empty());
    EXPECT_EQ(enheder.Inddeling("1.a", "piger"), "Idræt");
    EXPECT_TRUE(enheder.Kender({"1.b", "z"}));
    EXPECT_FALSE(enheder.Kender({"1.b", "Tysk"}));
}

TEST(Elevenheder, TwoLessonsClashWhenTheyShareAUnitATeacherOrARoom)
{
    const Tilfaelde tilfaelde[] = {
        {"groups of one division in parallel",
         {{{"1.a", "Tysk"}}, {"Eva"}, {"A1"}},
         {{{"1.a", "Fransk"}}, {"Ole"}, {"A2"}},
         Hindring::ingen},
        {"three groups of one division",
         {{{"1.b", "x"}, {"1.b", "y"}}, {"Eva"}, {"A1"}},
         {{{"1.b", "z"}}, {"Ole"}, {"A2"}},
         Hindring::ingen},
        {"groups of different divisions",
         {{{"1.a", "Tysk"}}, {"Eva"}, {"A1"}},
         {{{"1.a", "piger"}}, {"Ole"}, {"Hal"}},
         Hindring::holdOptaget},
        {"a group and its class",
         {{{"1.a", "Tysk"}}, {"Eva"}, {"A1"}},
         {{{"1.a"}}, {"Ole"}, {"A2"}},
         Hindring::holdOptaget},
        {"a group and another class",
         {{{"1.a", "Tysk"}}, {"Eva"}, {"A1"}},
         {{{"2.a"}}, {"Ole"}, {"A2"}},
         Hindring::ingen},
        {"a joined lesson across classes meets one of them",
         {{{"1.a", "piger"}, {"2.a"}}, {"Bo", "Kim"}, {"Hal", "Sal"}},
         {{{"2.a"}}, {"Ole"}, {"A2"}},
         Hindring::holdOptaget},
        {"a joined lesson beside the other half of a class",
         {{{"1.a", "piger"}, {"2.a"}}, {"Bo", "Kim"}, {"Hal", "Sal"}},
         {{{"1.a", "drenge"}}, {"Ole"}, {"A2"}},
         Hindring::ingen},
        {"the second of two teachers",
         {{{"1.a", "Tysk"}}, {"Bo", "Kim"}, {}},
         {{{"2.a"}}, {"Kim"}, {}},
         Hindring::laererOptaget},
        {"the second of two room needs",
         {{{"1.a", "Tysk"}}, {}, {"Hal", "Sal"}},
         {{{"2.a"}}, {}, {"Sal"}},
         Hindring::intetLokale},
        {"a duty without students", {{}, {"Eva"}, {"Møde"}}, {{{"1.a"}}, {"Ole"}, {"A1"}}, Hindring::ingen},
        {"teachers and rooms not set yet",
         {{{"1.a", "Tysk"}}, {tomId}, {tomId}},
         {{{"2.a"}}, {tomId}, {tomId}},
         Hindring::ingen},
        {"a teacher before a room before students",
         {{{"1.a"}}, {"Eva"}, {"A1"}},
         {{{"1.a"}}, {"Eva"}, {"A1"}},
         Hindring::laererOptaget},
        {"a room before students", {{{"1.a"}}, {"Eva"}, {"A1"}}, {{{"1.a"}}, {"Ole"}, {"A1"}}, Hindring::intetLokale},
    };
    const Elevenheder enheder = skolen();
    for (const Tilfaelde& t : tilfaelde) {
        EXPECT_EQ(Sammenstoed(enheder, t.a, t.b), t.forventet) << t.navn;
        EXPECT_EQ(Sammenstoed(enheder, t.b, t.a), t.forventet) << t.navn << " (the other way round)";
    }
}
