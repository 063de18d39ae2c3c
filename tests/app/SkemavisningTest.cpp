#include "app/Skemavisning.h"

#include <gtest/gtest.h>

TEST(Skemavisning, AbbreviationsCountCharactersNotBytes)
{
    EXPECT_EQ(Forkortet("Idræt", 4), "Idræ");
    EXPECT_EQ(Forkortet("æøåæø", 4), "æøåæ") << "never cut inside a Danish letter";
    EXPECT_EQ(Forkortet("Åse", 4), "Åse");
    EXPECT_EQ(Forkortet("", 4), "");
}
