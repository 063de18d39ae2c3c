// The check before generating, on plans built by hand that have exactly one
// fault each.
#include "fuldfoerelse/Gennemfoerlighed.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// A 5 x 8 week with home rooms A1 ... A4 and one sports hall.
Skemabillede skole()
{
    Skemabillede b;
    b.uge = {5, 8};
    b.lokalerAfType[stamlokaleType] = {"A1", "A2", "A3", "A4"};
    b.lokalerAfType["Sal"] = {"S1"};
    return b;
}

void krav(Skemabillede& b, const std::string& hold, const std::string& fag, const std::string& laerer, int32_t timer,
          const std::string& lokale = "A1", int32_t blok = 1)
{
    const bool stam = lokale.starts_with("A") || lokale == tomId;
    b.krav.push_back({hold, fag, laerer, stam ? stamlokaleType : lokale, stam ? lokale : tomId, blok, timer});
}

void kanIkke(Skemabillede& b, const std::string& laerer, int32_t dag, int32_t time)
{
    auto [p, ny] = b.prioriteter.try_emplace(laerer);
    if (ny)
        p->second.fill(0);
    p->second[dag * maksTimer + time] = utilgaengelig;
}

void kanIkkeDag(Skemabillede& b, const std::string& laerer, int32_t dag)
{
    for (int32_t time = 0; time < b.uge.timer; ++time)
        kanIkke(b, laerer, dag, time);
}

// The one finding, with its kind and weight.
Fund eneste(const Skemabillede& b, Fundart art, bool umulig)
{
    const std::vector<Fund> fund = KontrollerGennemfoerlighed(b);
    std::string alle;
    for (const Fund& f : fund)
        alle += Fundlinje(f) + "\n";
    EXPECT_EQ(fund.size(), 1u) << alle;
    if (fund.empty())
        return {};
    EXPECT_EQ(fund[0].art, art) << alle;
    EXPECT_EQ(fund[0].umulig, umulig) << alle;
    return fund[0];
}

} // namespace

TEST(Gennemfoerlighed, AFeasiblePlanHasNoFindings)
{
    Skemabillede b = skole();
    krav(b, "1.a", "Dansk", "Karen", 8, "A1");
    krav(b, "1.a", "Idræt", "Jørgen", 4, "Sal", 2);
    krav(b, "1.b", "Dansk", "Ole", 9, "A2");
    krav(b, "1.b", "Idræt", "Jørgen", 4, "Sal", 2);
    kanIkkeDag(b, "Karen", 4);
    kanIkke(b, "Jørgen", 0, 1);
    EXPECT_TRUE(KontrollerGennemfoerlighed(b).empty());
}

TEST(Gennemfoerlighed, ATeacherWithMoreHoursThanSheCanIsNamedWithWhatToChange)
{
    Skemabillede b = skole();
    for (const auto& [hold, lokale, historie] : {std::tuple{"1.a", "A1", 4}, {"1.b", "A2", 3}}) {
        krav(b, hold, "Dansk", "Karen", 9, lokale);
        krav(b, hold, "Matematik", "Karen", 9, lokale);
        krav(b, hold, "Historie", "Karen", historie, lokale);
    }
    for (const int32_t time : {1, 3, 5})
        kanIkke(b, "Karen", 0, time);
    const Fund f = eneste(b, Fundart::laererTimer, true);
    EXPECT_EQ(f.navne, std::vector<std::string>{"Karen"});
    EXPECT_EQ(f.tekst, "Karen skal undervise 43 timer, men har kun 37 mulige timer: 3 er markeret −3. Flyt 6 timer "
                       "til en anden lærer.");

    // When freeing her marked hours would do, that is offered too.
    b.krav.pop_back();
    b.krav.pop_back();
    krav(b, "1.b", "Matematik", "Karen", 8, "A2");
    EXPECT_EQ(eneste(b, Fundart::laererTimer, true).tekst,
              "Karen skal undervise 39 timer, men har kun 37 mulige timer: 3 er markeret −3. Flyt 2 timer til en "
              "anden lærer, eller fjern −3 fra 2 timer.");
}

TEST(Gennemfoerlighed, AClassWithMoreHoursThanTheWeekOrItsTeachersCan)
{
    Skemabillede b = skole();
    for (const auto& [fag, laerer, timer] : {std::tuple{"Dansk", "T1", 9},
                                             {"Matematik", "T2", 9},
                                             {"Engelsk", "T3", 8},
                                             {"Tysk", "T4", 8},
                                             {"Historie", "T5", 8}})
        krav(b, "1.a", fag, laerer, timer);
    EXPECT_EQ(eneste(b, Fundart::holdTimer, true).tekst,
              "1.a skal have 42 timer, men ugen har kun 40 (5 dage × 8 timer). Fjern 2 timer fra holdets fag, eller "
              "giv planen flere timer om dagen.");

    // Within the week, but all its teachers are away Thursday and Friday.
    b = skole();
    for (const char* laerer : {"T1", "T2", "T3", "T4", "T5"}) {
        krav(b, "1.a", std::string("Fag") + laerer, laerer, 6);
        kanIkkeDag(b, laerer, 3);
        kanIkkeDag(b, laerer, 4);
    }
    const Fund f = eneste(b, Fundart::holdTimer, true);
    EXPECT_EQ(f.navne, (std::vector<std::string>{"1.a", "T1", "T2", "T3", "T4", "T5"}));
    EXPECT_EQ(f.tekst, "1.a skal have 30 timer, men holdets lærere (T1, T2, T3, T4 og T5) kan tilsammen kun undervise "
                       "i 24 af ugens 40 timer: de andre er markeret −3 for dem alle. Fjern −3 hos nogle af dem, eller "
                       "fjern 6 timer fra holdets fag.");
}

TEST(Gennemfoerlighed, ARoomTypeTooSmallForTheWeekOrForTheHoursItsTeachersCan)
{
    Skemabillede b = skole();
    for (const char* hold : {"1.a", "1.b", "1.c", "2.a", "2.b", "2.c"})
        krav(b, hold, "Idræt", hold[0] == '1' ? "Jørgen" : "Dorthe", 8, "Sal", 2);
    EXPECT_EQ(eneste(b, Fundart::lokaletypeTimer, true).tekst,
              "Lokaletypen Sal skal bruges 48 timer, men planens 1 lokale af typen rummer kun 40 timer om ugen. Giv "
              "planen 1 lokale mere af typen, eller flyt 8 timer til fag i andre lokaler.");

    // 20 hours fit the week, but the teachers are there only Monday and Tuesday.
    b = skole();
    for (const char* hold : {"1.a", "1.b", "1.c", "2.a", "2.b"})
        krav(b, hold, "Idræt", hold[0] == '1' ? "Jørgen" : "Dorthe", 4, "Sal");
    for (const char* laerer : {"Jørgen", "Dorthe"})
        for (int32_t dag = 2; dag < 5; ++dag)
            kanIkkeDag(b, laerer, dag);
    const Fund f = eneste(b, Fundart::lokaletypeSamtidig, true);
    EXPECT_EQ(f.navne, (std::vector<std::string>{"Sal", "Dorthe", "Jørgen"}));
    EXPECT_EQ(f.tekst, "Lokaletypen Sal skal bruges 20 timer, men lærerne i faget (Dorthe og Jørgen) kan kun "
                       "undervise i 16 af ugens timer, og der rummer planens 1 lokale af typen kun 16 timer. Giv "
                       "planen 1 lokale mere af typen, eller fjern −3 hos lærerne i nogle timer.");
}

TEST(Gennemfoerlighed, ARoomTypeWithoutRooms)
{
    Skemabillede b = skole();
    krav(b, "1.a", "Fysik", "Erik", 2, "Laboratorium");
    krav(b, "1.b", "Kemi", "Erik", 2, "Laboratorium");
    const Fund f = eneste(b, Fundart::lokaletypeUdenLokaler, true);
    EXPECT_EQ(f.navne, (std::vector<std::string>{"Laboratorium", "Fysik", "Kemi"}));
    EXPECT_EQ(f.tekst, "Planen har ingen lokaler af typen Laboratorium, men Fysik og Kemi skal være i et (2 hold, 4 "
                       "timer). Giv planen et lokale af typen Laboratorium, eller giv fagene en anden lokaletype.");
}

TEST(Gennemfoerlighed, ASubjectWithMoreHoursThanTheSpreadWeekHolds)
{
    Skemabillede b = skole();
    krav(b, "1.a", "Dansk", "Karen", 11);
    EXPECT_EQ(eneste(b, Fundart::fagSpredning, true).tekst,
              "1.a skal have 11 timer Dansk, men spredt over ugen kan faget højst ligge 2 timer i træk om dagen, og "
              "så er der kun plads til 10. Fjern 1 time fra faget, eller slå spredningen fra.");
    b.regler.spred = false;
    EXPECT_TRUE(KontrollerGennemfoerlighed(b).empty());

    // Her day off leaves four days.
    b = skole();
    krav(b, "1.a", "Dansk", "Karen", 9);
    kanIkkeDag(b, "Karen", 4);
    EXPECT_EQ(eneste(b, Fundart::fagSpredning, true).tekst,
              "1.a skal have 9 timer Dansk, men spredt over ugen kan faget højst ligge 2 timer i træk om dagen, og så "
              "er der kun plads til 8 i de timer, Karen kan undervise. Fjern 1 time fra faget, fjern −3 hos Karen på "
              "nogle dage, eller slå spredningen fra.");

    // A day where she can only single hours apart holds one.
    b = skole();
    krav(b, "1.a", "Dansk", "Karen", 10);
    for (const int32_t time : {1, 3, 5, 7})
        kanIkke(b, "Karen", 2, time);
    EXPECT_EQ(eneste(b, Fundart::fagSpredning, true).navne, (std::vector<std::string>{"1.a", "Dansk", "Karen"}));
}

TEST(Gennemfoerlighed, DoubleLessonsNeedADayOfTheirOwnWhenSpread)
{
    Skemabillede b = skole();
    krav(b, "1.a", "Idræt", "Jørgen", 12, "Sal", 2);
    EXPECT_EQ(eneste(b, Fundart::fagSpredning, true).tekst,
              "1.a skal have 6 dobbelttimer Idræt, som spredt over ugen skal ligge på hver sin dag, men ugen har kun "
              "5 dage. Fjern 2 timer fra faget, gør faget til enkelttimer i lærerens fagprofil, eller slå "
              "spredningen fra.");

    b = skole();
    krav(b, "1.a", "Idræt", "Jørgen", 8, "Sal", 2);
    kanIkkeDag(b, "Jørgen", 0);
    kanIkkeDag(b, "Jørgen", 1);
    EXPECT_EQ(eneste(b, Fundart::fagSpredning, true).tekst,
              "1.a skal have 4 dobbelttimer Idræt, som spredt over ugen skal ligge på hver sin dag, men kun 3 dage "
              "har 2 mulige timer i træk for Jørgen. Fjern −3 hos Jørgen på flere dage, gør faget til enkelttimer i "
              "lærerens fagprofil, eller slå spredningen fra.");
    // Four double lessons fit three days when they may share one.
    b.regler.spred = false;
    EXPECT_TRUE(KontrollerGennemfoerlighed(b).empty());
}

TEST(Gennemfoerlighed, DoubleLessonsWithNoDayThatHoldsThem)
{
    Skemabillede b = skole();
    krav(b, "1.a", "Idræt", "Jørgen", 2, "Sal", 2);
    for (int32_t dag = 0; dag < 5; ++dag)
        for (const int32_t time : {1, 3, 5, 7})
            kanIkke(b, "Jørgen", dag, time);
    EXPECT_EQ(eneste(b, Fundart::blokUdenDag, true).tekst,
              "1.a Idræt skal ligge i dobbelttimer, men Jørgen har ingen dag med 2 mulige timer i træk. Fjern −3 hos "
              "Jørgen i nogle timer, eller gør faget til enkelttimer i lærerens fagprofil.");
    b.regler.spred = false;
    EXPECT_EQ(eneste(b, Fundart::blokUdenDag, true).art, Fundart::blokUdenDag);

    b = skole();
    b.uge = {5, 1};
    krav(b, "1.a", "Idræt", "Jørgen", 2, "Sal", 2);
    EXPECT_EQ(eneste(b, Fundart::blokUdenDag, true).tekst,
              "1.a Idræt skal ligge i dobbelttimer, men planen har kun 1 time om dagen. Giv planen flere timer om "
              "dagen, eller gør faget til enkelttimer i lærerens fagprofil.");
}

TEST(Gennemfoerlighed, MissingHomeRoomsWarnWhileFreeOnesRemainAndUnknownOnesAreHard)
{
    Skemabillede b = skole();
    krav(b, "1.a", "Dansk", "Karen", 6, "A1");
    krav(b, "1.b", "Dansk", "Ole", 6, tomId);
    EXPECT_EQ(eneste(b, Fundart::stamlokaleMangler, false).tekst,
              "1.b har intet stamlokale. Generér giver holdet et ledigt lokale af typen Stamlokale (planen har 3); "
              "vælg selv et under Data → Skoledata, hvis det skal være et bestemt.");

    b.lokalerAfType[stamlokaleType] = {"A1"};
    EXPECT_EQ(eneste(b, Fundart::stamlokaleMangler, true).tekst,
              "1.b har intet stamlokale, og planen har intet ledigt lokale af typen Stamlokale til 1 hold uden. Giv "
              "holdet et stamlokale under Data → Skoledata, eller giv planen 1 lokale mere af typen Stamlokale.");

    b = skole();
    krav(b, "1.a", "Dansk", "Karen", 6, "A9");
    const Fund f = eneste(b, Fundart::stamlokaleUkendt, true);
    EXPECT_EQ(f.navne, (std::vector<std::string>{"1.a", "A9"}));
    EXPECT_EQ(f.tekst, "1.a har stamlokale A9, men A9 er ikke blandt planens lokaler. Giv planen lokalet A9, eller "
                       "giv holdet et andet stamlokale.");
}

TEST(Gennemfoerlighed, AHomeRoomSharedByClassesWithMoreHoursThanTheWeek)
{
    Skemabillede b = skole();
    for (const char* hold : {"1.a", "1.b"}) {
        krav(b, hold, "Dansk", std::string("D") + hold, 10, "A1");
        krav(b, hold, "Matematik", std::string("M") + hold, 10, "A1");
        krav(b, hold, "Engelsk", std::string("E") + hold, 1, "A1");
    }
    const Fund f = eneste(b, Fundart::stamlokaleTimer, true);
    EXPECT_EQ(f.navne, (std::vector<std::string>{"A1", "1.a", "1.b"}));
    EXPECT_EQ(f.tekst, "A1 er stamlokale for 1.a og 1.b, som tilsammen skal have 42 timer der, men ugen har kun 40. "
                       "Giv et af holdene et andet stamlokale.");
}

TEST(Gennemfoerlighed, RowsWithoutATeacherWarnPerSubject)
{
    Skemabillede b = skole();
    krav(b, "1.a", "Tysk", tomId, 3, "A1");
    krav(b, "1.b", "Tysk", tomId, 3, "A2");
    const Fund f = eneste(b, Fundart::laererMangler, false);
    EXPECT_EQ(f.navne, (std::vector<std::string>{"Tysk", "1.a", "1.b"}));
    EXPECT_EQ(f.tekst, "Tysk har ingen lærer hos 1.a og 1.b (6 timer, ikke talt med hos nogen lærer). Generér "
                       "tildeler en efter lærernes fagprofiler; vælg selv en under Data → Skoledata, hvis det skal "
                       "være en bestemt.");
}

TEST(Gennemfoerlighed, HardFindingsComeFirstAndLongListsAreCut)
{
    Skemabillede b = skole();
    for (int32_t i = 1; i <= 9; ++i)
        krav(b, std::to_string(i) + ".a", "Tysk", tomId, 1, "A1");
    krav(b, "1.a", "Fysik", "Erik", 2, "Laboratorium");
    const std::vector<Fund> fund = KontrollerGennemfoerlighed(b);
    ASSERT_EQ(fund.size(), 2u);
    EXPECT_TRUE(fund[0].umulig);
    EXPECT_EQ(fund[0].art, Fundart::lokaletypeUdenLokaler);
    EXPECT_TRUE(Fundlinje(fund[1]).starts_with("Advarsel: Tysk har ingen lærer hos 1.a, 2.a, 3.a,"));
    EXPECT_NE(fund[1].tekst.find("6.a og 3 andre (9 timer,"), std::string::npos) << fund[1].tekst;
    EXPECT_EQ(fund[1].navne.size(), 10u);
    EXPECT_TRUE(Fundlinje(fund[0]).starts_with("Umuligt: Planen har ingen lokaler"));
}
