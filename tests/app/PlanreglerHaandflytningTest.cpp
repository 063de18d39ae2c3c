// Hand moves refuse the hours the planner's hard rules close, and say which rule.
#include "app/Vorivazi.h"
#include "skoledata/Skoledatabase.h"
#include "support/TestDatabase.h"
#include "support/TestModtager.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace std::string_literals;

namespace {

class PlanreglerVedHaandflytning : public DatabaseTest {};

void TilfoejRegel(Skoledata& data, int32_t id, const std::string& art, const std::string& hold,
                  const std::string& lokale, Placering tid)
{
    data.Tilfoej("Planregel", {"Plan2026"s, id, art, "tom"s, hold, "tom"s, lokale, "tom"s, "tom"s, 0, 100});
    data.Tilfoej("PlanregelTid", {"Plan2026"s, id, tid.kolonne, tid.raekke});
}

} // namespace

TEST_F(PlanreglerVedHaandflytning, AMoveIntoABreakOrAClosedHourIsRefusedWithTheRulesReason)
{
    MedTestModtager m;
    m.modtager.svar = {true, true};
    Vorivazi v(Datakilde::database);
    ASSERT_TRUE(v.AabnPlan("Plan2026"));
    ASSERT_TRUE(v.Generer(1, 4, 5, 8, 0, true));
    const std::vector<LektionsData> lektioner = v.Lektioner("1.a", SkemaArt::hold);
    const auto enkelt = std::find_if(lektioner.begin(), lektioner.end(),
                                     [](const LektionsData& l) { return l.blok == 1 && l.kolonne != 4; });
    ASSERT_NE(enkelt, lektioner.end());
    const Placering fra{enkelt->kolonne, enkelt->raekke};
    const std::string fri = v.ProevFlyt("1.a", SkemaArt::hold, fra, {4, 2}).grund;

    Skoledata regler;
    TilfoejRegel(regler, 1, "pause", "tom", "tom", {4, 0});
    TilfoejRegel(regler, 2, "lukket", "1.a", "tom", {4, 1});
    TilfoejRegel(regler, 3, "lukket", "tom", enkelt->lokale, {4, 2});
    std::vector<std::string> fejl;
    ASSERT_TRUE(Skoledatabase().Tilfoej(regler, fejl)) << fejl.front();

    EXPECT_EQ(v.ProevFlyt("1.a", SkemaArt::hold, fra, {4, 0}).grund, "pause");
    EXPECT_EQ(v.ProevFlyt("1.a", SkemaArt::hold, fra, {4, 1}).grund, "lukket for 1.a");
    EXPECT_EQ(v.ProevFlyt("1.a", SkemaArt::hold, fra, {4, 2}).grund, "lukket for lokale " + enkelt->lokale)
        << "before the rule: " << fri;
    const Timekrav krav{enkelt->hold, enkelt->fag, enkelt->laerer, stamlokaleType, enkelt->lokale, 1, 99};
    EXPECT_EQ(v.NyLektion(krav, {4, 0}).Grund(), "pause");
}
