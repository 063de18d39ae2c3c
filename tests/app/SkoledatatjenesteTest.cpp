#include "app/Skoledatatjeneste.h"
#include "support/TestDatabase.h"
#include "support/TestModtager.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

class SkoledatatjenesteTest : public DatabaseTest {
protected:
    bool beskyttet = true;
    Skoledatatjeneste tjeneste{{[this] { return beskyttet; }, "Slå beskyttelsen fra."}};
};

} // namespace

TEST_F(SkoledatatjenesteTest, EveryWriteIsRefusedWhileProtectedAndSaysHowToLiftIt)
{
    MedTestModtager m;
    const Skoledata foer = tjeneste.Laes();
    Skoledata efter = foer;
    efter.Tilfoej("Hold", {"1.z"s, "Indskoling"s});
    std::vector<std::string> rapport;
    std::vector<std::string> fejl;
    const std::vector<std::string> afvist{
        "Programmet er sat op til ikke at skrive til databasen!\nSlå beskyttelsen fra."};

    EXPECT_EQ(tjeneste.Skrivefejl(), afvist.front());
    EXPECT_FALSE(tjeneste.Gem(foer, efter, fejl));
    EXPECT_EQ(fejl, afvist);
    EXPECT_FALSE(tjeneste.KopierPlan("Plan2026", "Plan2030", true, fejl));
    EXPECT_EQ(fejl, afvist);
    EXPECT_FALSE(tjeneste.ImporterFet("findes-ikke.fet", "Ny", rapport, fejl));
    EXPECT_EQ(fejl, afvist);
    EXPECT_TRUE(tjeneste.Laes().raekker == foer.raekker);

    beskyttet = false;
    EXPECT_EQ(tjeneste.Skrivefejl(), "");
    EXPECT_TRUE(tjeneste.Gem(foer, efter, fejl)) << (fejl.empty() ? "" : fejl.front());
    EXPECT_TRUE(tjeneste.KopierPlan("Plan2026", "Plan2030", false, fejl));
    const auto planer = tjeneste.PlanIder();
    EXPECT_NE(std::find(planer.begin(), planer.end(), "Plan2030"), planer.end());
}

TEST_F(SkoledatatjenesteTest, TheIdRulesHoldForCopiesAndAChecksWritesNothing)
{
    MedTestModtager m;
    beskyttet = false;
    std::vector<std::string> fejl;
    EXPECT_FALSE(tjeneste.KopierPlan("Plan2026", " ", false, fejl));
    ASSERT_EQ(fejl.size(), 1u);
    EXPECT_NE(fejl.front().find("plan må ikke være tom"), std::string::npos) << fejl.front();

    const Skoledata foer = tjeneste.Laes();
    Skoledata efter = foer;
    efter.Tilfoej("Fag", {"Sløjd"s, 200, "Stamlokale"s});
    const auto kontrol = tjeneste.Kontroller(foer, efter);
    ASSERT_EQ(kontrol.size(), 1u);
    EXPECT_NE(kontrol.front().find("ugetimer skal være et tal fra 0 til 112, ikke 200"), std::string::npos);
    EXPECT_TRUE(tjeneste.Laes().raekker == foer.raekker);
    EXPECT_TRUE(tjeneste.Kontroller(foer, foer).empty());
}
