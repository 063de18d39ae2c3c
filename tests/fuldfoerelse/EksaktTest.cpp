// The exact solver: found placements checked by rules written here, cores of
// impossible tasks built by hand, the work limit and determinism.
#include "fuldfoerelse/Eksakt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <random>
#include <set>
#include <thread>

namespace {

using Udfald = EksaktSvar::Udfald;

constexpr int32_t celle(int32_t dag, int32_t time) { return dag * maksTimer + time; }

EksaktOpgave::Enhed enhed(std::vector<int32_t> ressourcer, std::vector<int32_t> starter, int32_t noegle = -1,
                          std::vector<std::vector<int32_t>> lokalevalg = {})
{
    EksaktOpgave::Enhed e;
    e.ressourcer = std::move(ressourcer);
    e.starter = std::move(starter);
    e.spredNoegle = noegle;
    e.lokalevalg = std::move(lokalevalg);
    return e;
}

// The rules of a placement, checked without the solver's model.
std::string foersteBrud(const EksaktOpgave& o, const EksaktSvar& s)
{
    std::set<std::pair<int32_t, int32_t>> taget; // resource, cell
    for (size_t r = 0; r < o.optaget.size(); ++r)
        for (const int32_t c : o.optaget[r])
            taget.insert({static_cast<int32_t>(r), c});
    std::set<std::pair<int32_t, int32_t>> dage;
    for (size_t k = 0; k < o.spredTimerOptaget.size(); ++k)
        for (int32_t d = 0; d < maksDage; ++d)
            if (o.spredTimerOptaget[k][d] != 0)
                dage.insert({static_cast<int32_t>(k), d});
    for (size_t e = 0; e < o.enheder.size(); ++e) {
        const auto& u = o.enheder[e];
        const int32_t start = s.start.at(e);
        if (std::count(u.starter.begin(), u.starter.end(), start) == 0 || start % maksTimer + u.laengde > o.uge.timer)
            return "start " + std::to_string(e);
        std::vector<int32_t> brugt = u.ressourcer;
        for (size_t d = 0; d < u.lokalevalg.size(); ++d) {
            if (std::count(u.lokalevalg[d].begin(), u.lokalevalg[d].end(), s.lokale.at(e).at(d)) == 0)
                return "lokale " + std::to_string(e);
            brugt.push_back(s.lokale[e][d]);
        }
        for (const int32_t r : brugt)
            for (int32_t c = start; c < start + u.laengde; ++c)
                if (!taget.insert({r, c}).second)
                    return "dobbeltbooket " + std::to_string(r);
        if (u.spredNoegle >= 0 && !dage.insert({u.spredNoegle, start / maksTimer}).second)
            return "spredning " + std::to_string(u.spredNoegle);
    }
    return "";
}

// A tight school from a full timetable: classes 0..3 use every hour, six
// teachers, home rooms, two halls, doubles, a subject once a day; about a
// tenth of the lessons stay fixed.
EksaktOpgave tilfaeldigSkole(uint32_t froe)
{
    std::mt19937 tal(froe);
    const auto under = [&](int32_t n) { return static_cast<int32_t>(tal() % static_cast<uint32_t>(n)); };
    EksaktOpgave o;
    o.uge = {4, 5};
    const int32_t hold = 4, laerere = 6, sal = hold + laerere + hold;
    o.antalRessourcer = sal + 2;
    o.optaget.resize(o.antalRessourcer);
    std::set<std::pair<int32_t, int32_t>> taget, noeglerDage;
    for (int32_t dag = 0; dag < o.uge.dage; ++dag)
        for (int32_t h = 0; h < hold; ++h)
            for (int32_t t = 0; t < o.uge.timer;) {
                const int32_t laengde = t + 1 < o.uge.timer && under(3) == 0 ? 2 : 1;
                const int32_t lokale = under(3) == 0 ? sal + under(2) : hold + laerere + h;
                const int32_t l = hold + under(laerere);
                const int32_t noegle = (h * laerere + l) * 4 + (lokale >= sal) * 2 + laengde - 1;
                const auto fri = [&](int32_t r) {
                    return !taget.count({r, celle(dag, t)}) && !taget.count({r, celle(dag, t + laengde - 1)});
                };
                if (!fri(l) || !fri(lokale) || noeglerDage.count({noegle, dag})) {
                    ++t; // left free: a little slack
                    continue;
                }
                for (const int32_t r : {h, l, lokale})
                    for (int32_t c = celle(dag, t); c < celle(dag, t + laengde); ++c)
                        taget.insert({r, c});
                noeglerDage.insert({noegle, dag});
                if (o.spredTimerOptaget.size() <= static_cast<size_t>(noegle))
                    o.spredTimerOptaget.resize(noegle + 1);
                if (under(10) == 0) {
                    for (const int32_t r : {h, l, lokale})
                        for (int32_t c = celle(dag, t); c < celle(dag, t + laengde); ++c)
                            o.optaget[r].push_back(c);
                    o.spredTimerOptaget[noegle][dag] |= ((uint32_t{1} << laengde) - 1) << t;
                } else {
                    auto e = enhed({h, l}, {}, noegle,
                                   {lokale >= sal ? std::vector<int32_t>{sal, sal + 1} : std::vector<int32_t>{lokale}});
                    e.laengde = laengde;
                    for (int32_t d = 0; d < o.uge.dage; ++d)
                        for (int32_t s = 0; s + laengde <= o.uge.timer; ++s)
                            e.starter.push_back(celle(d, s));
                    o.enheder.push_back(e);
                }
                t += laengde;
            }
    return o;
}

EksaktOpgave tomUge(int32_t dage, int32_t timer, int32_t ressourcer)
{
    EksaktOpgave o;
    o.uge = {dage, timer};
    o.antalRessourcer = ressourcer;
    return o;
}

// Units of k classes that each share a teacher with every other (one teacher
// per pair) and have k - 1 starts: the pigeonhole problem, hidden from counting.
EksaktOpgave skjultDueslag(int32_t k)
{
    EksaktOpgave o = tomUge(1, k - 1, k * k);
    for (int32_t i = 0; i < k; ++i) {
        auto e = enhed({}, {});
        for (int32_t j = 0; j < k; ++j)
            if (j != i)
                e.ressourcer.push_back(std::min(i, j) * k + std::max(i, j));
        for (int32_t t = 0; t < k - 1; ++t)
            e.starter.push_back(t);
        o.enheder.push_back(e);
    }
    return o;
}

} // namespace

TEST(Eksakt, FoundPlacementsKeepEveryRule)
{
    for (uint32_t froe = 1; froe <= 8; ++froe) {
        const EksaktOpgave o = tilfaeldigSkole(froe);
        const EksaktSvar s = LoesEksakt(o, 1'000'000);
        ASSERT_EQ(s.udfald, Udfald::fundet) << "built from a timetable, seed " << froe;
        EXPECT_EQ(foersteBrud(o, s), "") << "seed " << froe;
    }
}

TEST(Eksakt, RoomsTheDemandsShareAndRoomsBusyAtDifferentHours)
{
    // Lists that overlap; two demands of one unit get two rooms.
    EksaktOpgave o = tomUge(1, 2, 6);
    o.enheder = {enhed({0}, {0, 1}, -1, {{3, 4}}), enhed({1}, {0, 1}, -1, {{4, 5}}),
                 enhed({2}, {0, 1}, -1, {{3, 4, 5}, {3, 4, 5}})};
    const EksaktSvar s = LoesEksakt(o, 100000);
    ASSERT_EQ(s.udfald, Udfald::fundet);
    EXPECT_EQ(foersteBrud(o, s), "");

    // A double needs one room for both hours: room 1 is busy in hour 1, room 2 in hour 0.
    EksaktOpgave dobbelt = tomUge(1, 3, 3);
    dobbelt.optaget = {{}, {1}, {0}};
    dobbelt.enheder = {enhed({0}, {0, 1}, -1, {{1, 2}})};
    dobbelt.enheder[0].laengde = 2;
    const EksaktSvar fundet = LoesEksakt(dobbelt, 100000);
    ASSERT_EQ(fundet.udfald, Udfald::fundet);
    EXPECT_EQ(fundet.start[0], 1);
    EXPECT_EQ(fundet.lokale[0][0], 2);

    dobbelt.enheder[0].starter = {0};
    const EksaktSvar umulig = LoesEksakt(dobbelt, 100000);
    ASSERT_EQ(umulig.udfald, Udfald::umulig);
    EXPECT_EQ(umulig.kerneRessourcer, (std::vector<int32_t>{1, 2}));
}

TEST(Eksakt, ImpossibleTasksNameTheirCause)
{
    // Teacher 3 has four hours over three classes but only three starts; class 4 and teacher 5 are busy elsewhere.
    EksaktOpgave laerer = tomUge(1, 5, 6);
    laerer.enheder = {enhed({0, 3}, {0, 1, 2}), enhed({1, 3}, {0, 1, 2}), enhed({2, 3}, {1, 2}),
                      enhed({0, 3}, {0, 1, 2}), enhed({4, 5}, {0}),       enhed({1, 5}, {3})};
    EksaktSvar s = LoesEksakt(laerer, 100000);
    ASSERT_EQ(s.udfald, Udfald::umulig);
    EXPECT_EQ(s.kerneRessourcer, std::vector<int32_t>{3});
    EXPECT_EQ(s.kerneEnheder, (std::vector<int32_t>{0, 1, 2, 3}));

    // Two units of a subject in a one-day week.
    EksaktOpgave dag = tomUge(1, 4, 2);
    dag.enheder = {enhed({0}, {0, 1, 2, 3}, 0), enhed({0}, {0, 1, 2, 3}, 0), enhed({1}, {0}, 1)};
    s = LoesEksakt(dag, 100000);
    ASSERT_EQ(s.udfald, Udfald::umulig);
    EXPECT_TRUE(s.kerneRessourcer.empty());
    EXPECT_EQ(s.kerneSpredNoegler, std::vector<int32_t>{0});

    // Two days for two units of a subject, but the second day's start is the only one of unit 2.
    EksaktOpgave dage = tomUge(2, 2, 3);
    dage.enheder = {enhed({0}, {celle(0, 0)}, 0), enhed({1}, {celle(0, 1), celle(1, 0)}, 0),
                    enhed({1, 2}, {celle(1, 0)})};
    s = LoesEksakt(dage, 100000);
    ASSERT_EQ(s.udfald, Udfald::umulig) << "counting alone does not see it";
    EXPECT_EQ(s.kerneSpredNoegler, std::vector<int32_t>{0});

    // Three halls asked for at the only hour the classes can, two halls exist; the home room 7 is not to blame.
    EksaktOpgave sale = tomUge(1, 3, 8);
    sale.enheder = {enhed({0}, {celle(0, 2)}, -1, {{5, 6}}), enhed({1}, {celle(0, 2)}, -1, {{5, 6}}),
                    enhed({2}, {celle(0, 2)}, -1, {{5, 6}}), enhed({3}, {0, 1, 2}, -1, {{7}})};
    s = LoesEksakt(sale, 100000);
    ASSERT_EQ(s.udfald, Udfald::umulig);
    EXPECT_EQ(s.kerneRessourcer, (std::vector<int32_t>{5, 6}));

    // Three classes that pairwise share a teacher, in two hours: only the three teachers together; 3 is free.
    EksaktOpgave trekant = tomUge(1, 2, 4);
    trekant.enheder = {enhed({0, 1}, {0, 1}), enhed({1, 2}, {0, 1}), enhed({0, 2}, {0, 1}), enhed({3}, {0, 1})};
    s = LoesEksakt(trekant, 100000);
    ASSERT_EQ(s.udfald, Udfald::umulig);
    EXPECT_EQ(s.kerneRessourcer, (std::vector<int32_t>{0, 1, 2}));

    // Fixed lessons of classes 0 and 1 take the teacher's spare hour: she and both classes.
    EksaktOpgave fast = tomUge(1, 3, 5);
    fast.optaget = {{2}, {2}, {}, {}, {2}};
    fast.enheder = {enhed({0, 3}, {0, 1, 2}), enhed({1, 3}, {0, 1, 2}), enhed({1, 3}, {0, 1, 2}), enhed({4}, {0})};
    s = LoesEksakt(fast, 100000);
    ASSERT_EQ(s.udfald, Udfald::umulig);
    EXPECT_EQ(s.kerneRessourcer, (std::vector<int32_t>{0, 1, 3}));

    // A unit with no start at all is named alone.
    dag.enheder.push_back(enhed({1}, {}));
    s = LoesEksakt(dag, 100000);
    ASSERT_EQ(s.udfald, Udfald::umulig);
    EXPECT_EQ(s.kerneEnheder, std::vector<int32_t>{3});
}

// The day's rule of a subject as the search keeps it: one unbroken run of at
// most `loeb` hours with the fixed hours, or one block alone.
TEST(Eksakt, ASubjectsDayIsOneRunOrOneBlockAlone)
{
    // Single hours of the subject of class 0.
    const auto enkelte = [](int32_t antal, const std::vector<int32_t>& starter) {
        std::vector<EksaktOpgave::Enhed> enheder;
        for (int32_t i = 0; i < antal; ++i)
            enheder.push_back(enhed({0}, starter, 0));
        return enheder;
    };
    EksaktOpgave to = tomUge(1, 6, 4);
    to.spredLoeb = {2};
    to.enheder = enkelte(2, {0, 2, 4});
    EksaktSvar s = LoesEksakt(to, 100000);
    ASSERT_EQ(s.udfald, Udfald::umulig) << "never side by side, and apart is a gap";
    EXPECT_EQ(s.kerneSpredNoegler, std::vector<int32_t>{0});

    to.enheder = enkelte(2, {0, 1, 3});
    s = LoesEksakt(to, 100000);
    ASSERT_EQ(s.udfald, Udfald::fundet);
    EXPECT_EQ(std::abs(s.start[0] - s.start[1]), 1) << "two single hours side by side";

    EksaktOpgave tre = tomUge(1, 6, 4);
    tre.spredLoeb = {2};
    tre.enheder = enkelte(3, {0, 1, 2, 3, 4, 5});
    s = LoesEksakt(tre, 100000);
    ASSERT_EQ(s.udfald, Udfald::umulig) << "three hours, a run of two";
    EXPECT_EQ(s.kerneSpredNoegler, std::vector<int32_t>{0});
    tre.spredLoeb = {3};
    EXPECT_EQ(LoesEksakt(tre, 100000).udfald, Udfald::fundet);

    // A fixed hour 0: one unit may only take hour 2, the other only hour 3; a gap at 1.
    EksaktOpgave hul = tomUge(1, 6, 4);
    hul.spredLoeb = {3};
    hul.spredTimerOptaget = {Dagsmasker{0b1}};
    hul.enheder = {enhed({0}, {2}, 0), enhed({0}, {1, 3}, 0)};
    s = LoesEksakt(hul, 100000);
    ASSERT_EQ(s.udfald, Udfald::fundet);
    EXPECT_EQ(s.start[1], 1) << "the gap filled";
    hul.enheder[1].starter = {3};
    s = LoesEksakt(hul, 100000);
    ASSERT_EQ(s.udfald, Udfald::umulig) << "counting alone does not see the gap";
    EXPECT_EQ(s.kerneSpredNoegler, std::vector<int32_t>{0});

    // A block of three with a run of two stands alone on its day.
    EksaktOpgave blok = tomUge(1, 6, 4);
    blok.spredLoeb = {2};
    blok.enheder = {enhed({0}, {0, 1, 2, 3}, 0), enhed({0}, {0, 1, 2, 3, 4, 5}, 0)};
    blok.enheder[0].laengde = 3;
    EXPECT_EQ(LoesEksakt(blok, 100000).udfald, Udfald::umulig);
    blok.uge.dage = 2;
    blok.enheder[1].starter = {0, 1, 2, 3, 4, 5, celle(1, 0)};
    s = LoesEksakt(blok, 100000);
    ASSERT_EQ(s.udfald, Udfald::fundet);
    EXPECT_EQ(s.start[1], celle(1, 0));
}

TEST(Eksakt, TheWorkLimitGivesUnknownAndTheSameAnswerEachTime)
{
    const EksaktSvar kort = LoesEksakt(skjultDueslag(11), 2000);
    EXPECT_EQ(kort.udfald, Udfald::ukendt);
    EXPECT_LE(kort.konflikter, 2000);
    EXPECT_EQ(LoesEksakt(skjultDueslag(5), 100000).udfald, Udfald::umulig);

    const EksaktOpgave o = tilfaeldigSkole(3);
    const EksaktSvar en = LoesEksakt(o, 1'000'000);
    const EksaktSvar to = LoesEksakt(o, 1'000'000);
    EXPECT_EQ(en.start, to.start);
    EXPECT_EQ(en.lokale, to.lokale);
    EXPECT_EQ(en.konflikter, to.konflikter);
}

TEST(Eksakt, AStopFlagEndsTheSolverWithinMoments)
{
    // Far beyond the time a test may take without the flag; set from another thread, it ends the search.
    std::atomic<bool> stop{false};
    std::chrono::steady_clock::time_point stoppet;
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        stoppet = std::chrono::steady_clock::now();
        stop = true;
    });
    const EksaktSvar svar = LoesEksakt(skjultDueslag(14), 1'000'000'000, &stop);
    const auto svaret = std::chrono::steady_clock::now();
    stopper.join();
    EXPECT_EQ(svar.udfald, Udfald::ukendt);
    EXPECT_LT(svaret - stoppet, std::chrono::milliseconds(300));
}

// The solver's memory grows with the task; one past the size it takes on is not encoded at all.
TEST(Eksakt, ATaskPastTheSizeItTakesOnIsUnknownAtOnce)
{
    EksaktOpgave stor = tomUge(7, 16, 0);
    std::vector<int32_t> hele;
    for (int32_t c = 0; c < maksCeller; ++c)
        hele.push_back(c);
    while (static_cast<int64_t>(stor.enheder.size()) * maksCeller <= maksDaekning)
        stor.enheder.push_back(enhed({stor.antalRessourcer++}, hele));
    const auto start = std::chrono::steady_clock::now();
    const EksaktSvar svar = LoesEksakt(stor, 1'000'000);
    EXPECT_EQ(svar.udfald, Udfald::ukendt);
    EXPECT_EQ(svar.konflikter, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));

    // An eighth of it is solved as any task.
    stor.enheder.resize(stor.enheder.size() / 8);
    EXPECT_EQ(LoesEksakt(stor, 1'000'000).udfald, Udfald::fundet);
}
