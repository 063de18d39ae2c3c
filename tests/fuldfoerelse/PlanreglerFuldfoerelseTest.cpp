// The completion, the missing hours and the check keep the planner's hard rules about the hours.
#include "fuldfoerelse/Fuldfoerelse.h"
#include "fuldfoerelse/ManglendeTimer.h"
#include "fuldfoerelse/Planregelkontrol.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

planregler::Regel Regel(planregler::Art art, const std::string& hold, const std::string& lokale,
                        std::vector<planregler::Tid> tider)
{
    planregler::Regel r;
    r.art = art;
    r.hold = hold;
    r.lokale = lokale;
    r.tider = std::move(tider);
    return r;
}

// Three days of four hours with a break in every second hour; 1a is away on
// Wednesday's first and last hour, which leaves it 7 hours; 1b has 9. Lab A3
// is closed all week, so 1b's physics needs A4. One lesson of 1a was
// generated into Monday's break.
Skemabillede SkoleMedRegler(int32_t timerTil1a)
{
    Skemabillede b;
    b.uge.dage = 3;
    b.uge.timer = 4;
    b.regler = Regelvalg::Planens(false);
    b.lokalerAfType[stamlokaleType] = {"A1", "A2"};
    b.lokalerAfType["Lab"] = {"A3", "A4"};
    for (const char* l : {"T", "U"})
        b.prioriteter[l].fill(0);
    b.krav.push_back({"1a", "Ma", "T", stamlokaleType, "A1", 1, timerTil1a});
    b.krav.push_back({"1b", "Da", "U", stamlokaleType, "A2", 1, 8});
    b.krav.push_back({"1b", "Fy", "U", "Lab", tomId, 1, 1});
    b.lektioner = {LektionsData(lektion("1a", "Ma", "T", "A1", 1), 0, 1),
                   LektionsData(lektion("1b", "Da", "U", "A2", 1), 2, 0)};
    std::vector<planregler::Tid> helUge;
    for (int32_t dag = 0; dag < 3; ++dag)
        for (int32_t time = 0; time < 4; ++time)
            helUge.push_back({dag, time});
    b.planregler = {Regel(planregler::Art::pause, "", "", {{0, 1}, {1, 1}, {2, 1}}),
                    Regel(planregler::Art::lukket, "1a", "", {{2, 0}, {2, 3}}),
                    Regel(planregler::Art::lukket, "", "A3", helUge)};
    return b;
}

std::vector<planregler::Lektionstime> Timer(const std::vector<LektionsData>& lektioner)
{
    std::vector<planregler::Lektionstime> timer;
    for (const LektionsData& l : lektioner)
        timer.push_back({{l.kolonne, l.raekke}, true, l.fag, "", {{l.hold, ""}}, {l.laerer}, {l.lokale}});
    return timer;
}

int32_t Brud(const Skemabillede& b, const std::vector<LektionsData>& lektioner)
{
    int32_t brud = 0;
    for (const planregler::Tilstand& t : planregler::Vurder(b.planregler, Timer(lektioner)))
        brud += t.brud;
    return brud;
}

std::vector<LektionsData> Fuldfoer(Fuldfoerelse& f)
{
    while (f.Koer(1000)) {
    }
    return f.BedsteLektioner();
}

const Fuldfoerelsesvalg hurtig{.froe = 1, .maksSkridt = 200000, .maksUdenFremskridt = 2000};

} // namespace

TEST(PlanreglerIFuldfoerelsen, TheCompletionKeepsBreaksClosedClassesAndClosedRooms)
{
    const Skemabillede b = SkoleMedRegler(7);
    ASSERT_EQ(Brud(b, b.lektioner), 1) << "the lesson in the break";
    Fuldfoerelse f(b, hurtig);
    const std::vector<LektionsData> efter = Fuldfoer(f);
    EXPECT_EQ(f.Bedste().manglende, 0) << "every open hour of 1a and 1b is used";
    EXPECT_EQ(efter.size(), 16u);
    EXPECT_EQ(Brud(b, efter), 0);
    const auto fysik = std::find_if(efter.begin(), efter.end(), [](const LektionsData& l) { return l.fag == "Fy"; });
    ASSERT_NE(fysik, efter.end());
    EXPECT_EQ(fysik->lokale, "A4");

    // One hour more than 1a has open: the rest is placed, the rules still kept.
    const Skemabillede forMange = SkoleMedRegler(8);
    Fuldfoerelse umulig(forMange, hurtig);
    EXPECT_EQ(Brud(forMange, Fuldfoer(umulig)), 0);
    EXPECT_EQ(umulig.Bedste().manglende, 1);
}

TEST(PlanreglerIFuldfoerelsen, TheMissingHoursNameTheRuleAndTheCheckWhatItMakesImpossible)
{
    Skemabillede b = SkoleMedRegler(8);
    b.lektioner.clear();
    b.krav.push_back({"1b", "Mu", "U", stamlokaleType, "A2", 1, 1});
    planregler::Regel fast = Regel(planregler::Art::starttid, "", "", {{0, 1}});
    fast.lektioner.fag = "Mu";
    b.planregler.push_back(fast);

    const ManglendeTimer m = FindManglendeTimer(b);
    const auto ma = std::find_if(m.krav.begin(), m.krav.end(),
                                 [](const ManglendeKrav& k) { return k.krav.fag == "Ma"; });
    ASSERT_NE(ma, m.krav.end());
    EXPECT_EQ(ma->Opsummering(), "ledig 7, pause 3, lukket 2");
    const auto onsdag = std::find_if(ma->aarsager.begin(), ma->aarsager.end(),
                                     [](const TimeAarsag& a) { return a.kolonne == 2 && a.raekke == 0; });
    ASSERT_NE(onsdag, ma->aarsager.end());
    EXPECT_EQ(onsdag->hindring, Hindring::lukket);
    EXPECT_EQ(onsdag->detalje, "1a");

    const std::vector<Fund> fund = KontrollerPlanregler(b);
    ASSERT_EQ(fund.size(), 3u);
    EXPECT_TRUE(std::all_of(fund.begin(), fund.end(), [](const Fund& f) { return f.umulig; }));
    EXPECT_EQ(fund[0].tekst, "1a har 8 timer om ugen, men pauser og lukkede timer lader kun 7 af ugens timer åbne for "
                             "holdet.");
    EXPECT_EQ(fund[1].tekst, "1b har 10 timer om ugen, men pauser og lukkede timer lader kun 9 af ugens timer åbne for "
                             "holdet.");
    EXPECT_EQ(fund[2].tekst, "1b Mu kan ikke ligge i nogen time af ugen efter planens regler (fast starttid, pause).");
    EXPECT_EQ(fund[2].navne, (std::vector<std::string>{"1b", "Mu"}));

    // The lab's other room closed all week too: physics has nowhere to go.
    planregler::Regel a4 = b.planregler[2];
    a4.lokale = "A4";
    b.planregler.push_back(a4);
    const std::vector<Fund> medLab = KontrollerPlanregler(b);
    ASSERT_EQ(medLab.size(), 4u);
    EXPECT_EQ(medLab[2].tekst,
              "1b Fy kan ikke ligge i nogen time af ugen efter planens regler (lukket for lokalerne A3, A4, pause).");

    b.planregler.clear();
    EXPECT_TRUE(KontrollerPlanregler(b).empty());
}
