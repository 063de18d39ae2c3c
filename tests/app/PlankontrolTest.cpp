// The check before generating, on the demo school as stored.
#include "app/Vorivazi.h"
#include "db/SqlKlasse.h"
#include "support/TestDatabase.h"
#include "support/TestModtager.h"

#include <gtest/gtest.h>

namespace {

class PlankontrolPaaDemo : public DatabaseTest {};

// Every class's lessons after a generation, one line each.
std::string genereredeLektioner(bool kontrollerFoerst)
{
    MedTestModtager m;
    m.modtager.standardSvar = true;
    Vorivazi v(Datakilde::database);
    EXPECT_TRUE(v.AabnPlan("Plan2026"));
    if (kontrollerFoerst) {
        EXPECT_TRUE(v.KontrollerPlan());
    }
    EXPECT_TRUE(v.Generer(1, 4, 5, 8, 0, true));
    std::vector<std::string> hold;
    v.HentNavne(SkemaArt::hold);
    for (std::string id; v.TagNavn(id);)
        hold.push_back(id);
    std::string ud;
    for (const std::string& id : hold)
        for (const LektionsData& l : v.Lektioner(id, SkemaArt::hold))
            ud += l.hold + " " + l.fag + " " + l.laerer + " " + l.lokale + " " + std::to_string(l.blok) + " " +
                  std::to_string(l.kolonne) + " " + std::to_string(l.raekke) + "\n";
    return ud;
}

} // namespace

TEST_F(PlankontrolPaaDemo, ReadsTheTeachersUnavailableHoursAsStored)
{
    SqlKlasse sql(Datakilde::database);
    for (int32_t dag = 0; dag < 5; ++dag)
        for (int32_t time = 0; time < 8; ++time)
            if (dag < 3 || (dag == 3 && time >= 2)) {
                ASSERT_TRUE(sql.UdfoerSql("insert into Tidsprioritet values (?, ?, ?, ?, ?)",
                                          {std::string("Plan2026"), std::string("Ida"), -3, dag, time}));
            }
    MedTestModtager m;
    Vorivazi v(Datakilde::database);
    EXPECT_EQ(v.KontrollerPlan().Grund(), ingenPlanTekst);
    ASSERT_TRUE(v.AabnPlan("Plan2026"));
    const Udfald<std::vector<Fund>> fund = v.KontrollerPlan();
    ASSERT_TRUE(fund);
    ASSERT_EQ(fund->size(), 7u) << "the demo's six warnings after it";
    EXPECT_EQ(fund->front().art, Fundart::laererTimer);
    EXPECT_EQ(fund->front().tekst, "Ida skal undervise 12 timer, men har kun 10 mulige timer: 30 er markeret −3. Flyt "
                                   "2 timer til en anden lærer, eller fjern −3 fra 2 timer.");
}

TEST_F(PlankontrolPaaDemo, CheckingBeforeGeneratingLeavesTheGenerationByteIdentical)
{
    const std::string uden = genereredeLektioner(false);
    EXPECT_GT(uden.size(), 1000u);
    EXPECT_EQ(genereredeLektioner(true), uden);
}
