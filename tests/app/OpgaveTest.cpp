#include "app/Opgaver.h"
#include "app/Vorivazi.h"
#include "fuldfoerelse/Eksakt.h"
#include "support/TestDatabase.h"
#include "support/TestModtager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <regex>
#include <thread>

namespace {

class Opgaver : public DatabaseTest {
protected:
    // A fresh facade on Plan2026 per run, so that every run starts from the same pseudo-random sequence.
    std::unique_ptr<Vorivazi> Aabn()
    {
        auto v = std::make_unique<Vorivazi>(Datakilde::database);
        EXPECT_TRUE(v->AabnPlan("Plan2026"));
        return v;
    }

    // Every lesson hour of the plan, class by class, in a fixed order.
    static std::vector<std::string> Lektioner(Vorivazi& v)
    {
        std::vector<std::string> ud;
        v.HentNavne(SkemaArt::hold);
        std::vector<std::string> hold;
        for (std::string id; v.TagNavn(id);)
            hold.push_back(id);
        for (const std::string& h : hold)
            for (const LektionsData& l : v.Lektioner(h, SkemaArt::hold))
                ud.push_back(l.hold + " " + l.fag + " " + l.laerer + " " + l.lokale + " " + std::to_string(l.kolonne) +
                             "," + std::to_string(l.raekke));
        std::sort(ud.begin(), ud.end());
        return ud;
    }

    MedTestModtager m;
};

} // namespace

TEST_F(Opgaver, AGenerationInStepsGivesWhatTheWholeOneGives)
{
    m.modtager.standardSvar = true;
    const auto hel = Aabn();
    ASSERT_TRUE(hel->Generer(1, 4, 5, 8, 0, true));
    const auto trinvis = Aabn();
    Genereringsopgave generering(*trinvis, {1, 4, 5, 8, true}, false);
    int64_t skiver = 0;
    EXPECT_TRUE(KoerOpgave(generering, {}, [&](const Fremskridt& f) {
        ++skiver;
        EXPECT_EQ(f.ialt, trinvis->SumTimer());
    }));
    EXPECT_TRUE(generering.Lykkedes());
    EXPECT_GT(skiver, 10) << "a slice is a step, not the whole generation";
    EXPECT_EQ(Lektioner(*trinvis), Lektioner(*hel));
}

TEST_F(Opgaver, AutomaticGenerationRunsOneGenerationPerWidthOfTheDay)
{
    m.modtager.standardSvar = true;
    const auto loekke = Aabn();
    bool genereret = false;
    for (int32_t timer = 1; timer <= loekke->AutoTimer(); ++timer)
        genereret = loekke->Generer(1, 4, 5, timer, genereret ? 1 : 0, true) || genereret;
    const auto opgave = Aabn();
    AutoGenereringsopgave generering(*opgave, {1, 4, 5, 8, true}, false);
    std::vector<int64_t> faerdige;
    KoerOpgave(generering, {}, [&](const Fremskridt& f) {
        if (faerdige.empty() || faerdige.back() != f.gjort)
            faerdige.push_back(f.gjort);
    });
    EXPECT_TRUE(generering.NogenLykkedes());
    EXPECT_EQ(generering.Faerdige(), 7);
    EXPECT_EQ(faerdige, (std::vector<int64_t>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Lektioner(*opgave), Lektioner(*loekke));
}

TEST_F(Opgaver, StoppedWorkKeepsWhatItHasDone)
{
    m.modtager.standardSvar = true;
    const auto v = Aabn();
    Genereringsopgave generering(*v, {1, 4, 5, 8, true}, false);
    int skiver = 0;
    EXPECT_FALSE(KoerOpgave(generering, [&] { return ++skiver == 40; }));
    const int32_t lagt = v->AntalLektionerIalt();
    EXPECT_GT(lagt, 0);
    EXPECT_LT(lagt, v->SumTimer());
    // The plan's own week is back and the lessons not placed are missing, nothing else.
    EXPECT_EQ(v->Manglende().Mangler(), v->SumTimer() - lagt);

    Fuldfoerelsesopgave fuldfoerelse(*v, 50);
    ASSERT_TRUE(fuldfoerelse.Klar());
    skiver = 0;
    EXPECT_FALSE(KoerOpgave(fuldfoerelse, [&] { return ++skiver == 3; }));
    EXPECT_EQ(fuldfoerelse.Linje().rfind("Fuldført: placeret " + std::to_string(lagt) + "→", 0), 0u)
        << fuldfoerelse.Linje();
    EXPECT_TRUE(fuldfoerelse.Forbedret());
    EXPECT_GT(v->AntalLektionerIalt(), lagt) << "stopped early, the best found is kept all the same";
}

TEST_F(Opgaver, TheCompletionsLineWhileRunningHasTheFiguresOfItsSummary)
{
    m.modtager.standardSvar = true;
    const auto v = Aabn();
    ASSERT_TRUE(v->Generer(1, 4, 5, 3, 0, true));
    Fuldfoerelsesopgave fuldfoerelse(*v, 300);
    std::string undervejs;
    KoerOpgave(fuldfoerelse, {}, [&](const Fremskridt& f) { undervejs = f.tekst; });
    // "Fuldført: placeret a→b af c, mellemtimer hold h→i, lærere l→m": the running line counts the gaps
    // from the same start, and to the best found by its slice.
    const std::regex huller("mellemtimer hold (\\d+)→(\\d+), lærere (\\d+)→(\\d+)");
    std::smatch slut;
    std::smatch imens;
    ASSERT_TRUE(std::regex_search(fuldfoerelse.Linje(), slut, huller)) << fuldfoerelse.Linje();
    ASSERT_TRUE(std::regex_search(undervejs, imens, huller)) << undervejs;
    EXPECT_EQ(imens[1], slut[1]);
    EXPECT_EQ(imens[3], slut[3]);
    EXPECT_GE(std::stoi(imens[4]), std::stoi(slut[4]));
}

TEST_F(Opgaver, TheCompletionOnAThreadOfItsOwnStopsAtOnceAndWritesBackHere)
{
    m.modtager.standardSvar = true;
    const auto v = Aabn();
    ASSERT_TRUE(v->Generer(1, 4, 5, 2, 0, true));
    const int32_t lagt = v->AntalLektionerIalt();
    std::atomic<bool> stop{false};
    Fuldfoerelsesopgave fuldfoerelse(*v, 1'000'000'000, &stop);
    Baggrundskoersel koersel(fuldfoerelse, stop);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(v->AntalLektionerIalt(), lagt) << "the plan itself is untouched while the search runs";
    const auto stoppet = std::chrono::steady_clock::now();
    stop = true;
    while (!koersel.Faerdig() && std::chrono::steady_clock::now() - stoppet < std::chrono::seconds(5))
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_LT(std::chrono::steady_clock::now() - stoppet, std::chrono::milliseconds(300)) << "one slice is 10^9 steps";
    EXPECT_FALSE(koersel.Afslut());
    EXPECT_EQ(fuldfoerelse.Linje().rfind("Fuldført: placeret " + std::to_string(lagt) + "→", 0), 0u);
    EXPECT_GT(v->AntalLektionerIalt(), lagt);
}

// The command line's clock: heard inside a slice, said in the summary line, and silent when the work ends first.
TEST_F(Opgaver, TheClockStopsTheCompletionInsideASliceAndTheSummarySaysSo)
{
    m.modtager.standardSvar = true;
    const auto v = Aabn();
    ASSERT_TRUE(v->Generer(1, 4, 5, 2, 0, true));
    const auto start = std::chrono::steady_clock::now();
    {
        const Tidsfrist frist(std::chrono::milliseconds(300));
        Fuldfoerelsesopgave fuldfoerelse(*v, 1'000'000'000, &frist.Stop());
        EXPECT_FALSE(KoerOpgave(fuldfoerelse, [&frist] { return frist.Stop().load(); }));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << "one slice is 10^9 steps";
        const std::string forste = fuldfoerelse.Linje().substr(0, fuldfoerelse.Linje().find('\n'));
        EXPECT_TRUE(std::regex_search(forste, std::regex(", lærere \\d+→\\d+, stoppet efter \\d,\\d s$"))) << forste;
    }

    const auto foer = std::chrono::steady_clock::now();
    {
        const Tidsfrist time(std::chrono::hours(1));
        EXPECT_FALSE(time.Stop().load());
    }
    EXPECT_LT(std::chrono::steady_clock::now() - foer, std::chrono::seconds(1)) << "the clock's thread ends with it";
}

TEST(Tidsfrist, TheClockEndsTheExactSolverWithinABound)
{
    // Fifteen lessons, each sharing a teacher with every other, in fourteen hours: a proof far beyond any clock.
    constexpr int32_t k = 15;
    EksaktOpgave dueslag;
    dueslag.uge = {1, k - 1};
    dueslag.antalRessourcer = k * k;
    for (int32_t i = 0; i < k; ++i) {
        EksaktOpgave::Enhed& enhed = dueslag.enheder.emplace_back();
        for (int32_t j = 0; j < k; ++j)
            if (j != i)
                enhed.ressourcer.push_back(std::min(i, j) * k + std::max(i, j));
        for (int32_t t = 0; t < k - 1; ++t)
            enhed.starter.push_back(t);
    }
    const Tidsfrist frist(std::chrono::milliseconds(200));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(LoesEksakt(dueslag, 1'000'000'000, &frist.Stop()).udfald, EksaktSvar::Udfald::ukendt);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(700));
}
