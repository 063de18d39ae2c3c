// The check before generating, on plans built by hand that have exactly one
// fault each.
#include "fuldfoerelse/Gennemfoerlighed.h"

#include <gtest/gtest.h>

#include <functional>

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

// A room that does not start with A is a type of special room.
void krav(Skemabillede& b, const std::string& hold, const std::string& fag, const std::string& laerer, int32_t timer,
          const std::string& lokale = "A1", int32_t blok = 1)
{
    const bool stam = lokale.starts_with("A") || lokale == tomId;
    b.krav.push_back({hold, fag, laerer, stam ? stamlokaleType : lokale, stam ? lokale : tomId, blok, timer});
}

void kanIkke(Skemabillede& b, const std::string& laerer, int32_t dag,
             const std::vector<int32_t>& timer = {0, 1, 2, 3, 4, 5, 6, 7})
{
    auto [p, ny] = b.prioriteter.try_emplace(laerer);
    if (ny)
        p->second.fill(0);
    for (const int32_t time : timer)
        p->second[dag * maksTimer + time] = utilgaengelig;
}

struct Tilfaelde {
    Fundart art;
    bool umulig;
    std::vector<std::string> navne;
    std::string tekst; // the whole text, or a part that says what to change
    std::function<void(Skemabillede&)> byg;
};

} // namespace

TEST(Gennemfoerlighed, EachFaultGivesItsOneFindingWithWhatToChange)
{
    const std::vector<Tilfaelde> tilfaelde{
        {Fundart::laererTimer,
         true,
         {"Karen"},
         "Karen skal undervise 43 timer, men har kun 37 mulige timer: 3 er markeret −3. Flyt 6 timer til en anden "
         "lærer.",
         [](Skemabillede& b) {
             for (const auto& [hold, lokale, historie] : {std::tuple{"1.a", "A1", 4}, {"1.b", "A2", 3}}) {
                 krav(b, hold, "Dansk", "Karen", 9, lokale);
                 krav(b, hold, "Matematik", "Karen", 9, lokale);
                 krav(b, hold, "Historie", "Karen", historie, lokale);
             }
             kanIkke(b, "Karen", 0, {1, 3, 5});
         }},
        {Fundart::holdTimer,
         true,
         {"1.a"},
         "1.a skal have 42 timer, men ugen har kun 40 (5 dage × 8 timer).",
         [](Skemabillede& b) {
             for (const char* fag : {"F1", "F2", "F3", "F4", "F5", "F6"})
                 krav(b, "1.a", fag, std::string("T") + fag, 7);
         }},
        {Fundart::holdTimer,
         true,
         {"1.a", "T1", "T2", "T3", "T4", "T5"},
         "kun undervise i 24 af ugens 40 timer",
         [](Skemabillede& b) {
             for (const char* laerer : {"T1", "T2", "T3", "T4", "T5"}) {
                 krav(b, "1.a", laerer, laerer, 6);
                 kanIkke(b, laerer, 3);
                 kanIkke(b, laerer, 4);
             }
         }},
        {Fundart::lokaletypeTimer,
         true,
         {"Sal"},
         "Giv planen 1 lokale mere af typen, eller flyt 8 timer",
         [](Skemabillede& b) {
             for (const char* hold : {"1.a", "1.b", "1.c", "2.a", "2.b", "2.c"})
                 krav(b, hold, "Idræt", hold[0] == '1' ? "Jørgen" : "Dorthe", 8, "Sal", 2);
         }},
        {Fundart::lokaletypeSamtidig,
         true,
         {"Sal", "Dorthe", "Jørgen"},
         "kan kun undervise i 16 af ugens timer, og der rummer planens 1 lokale af typen kun 16 timer",
         [](Skemabillede& b) {
             for (const char* hold : {"1.a", "1.b", "1.c", "2.a", "2.b"})
                 krav(b, hold, "Idræt", hold[0] == '1' ? "Jørgen" : "Dorthe", 4, "Sal");
             for (int32_t dag = 2; dag < 5; ++dag) {
                 kanIkke(b, "Jørgen", dag);
                 kanIkke(b, "Dorthe", dag);
             }
         }},
        {Fundart::lokaletypeUdenLokaler,
         true,
         {"Lab", "Fysik", "Kemi"},
         "Planen har ingen lokaler af typen Lab, men Fysik og Kemi skal være i et (2 hold, 4 timer). Giv planen et "
         "lokale af typen Lab, eller giv fagene en anden lokaletype.",
         [](Skemabillede& b) {
             krav(b, "1.a", "Fysik", "Erik", 2, "Lab");
             krav(b, "1.b", "Kemi", "Erik", 2, "Lab");
         }},
        {Fundart::fagSpredning,
         true,
         {"1.a", "Dansk", "Karen"},
         "1.a skal have 9 timer Dansk, men spredt over ugen kan faget højst ligge 2 timer i træk om dagen, og så er "
         "der "
         "kun plads til 8 i de timer, Karen kan undervise. Fjern 1 time fra faget, fjern −3 hos Karen på nogle dage, "
         "eller slå spredningen fra.",
         [](Skemabillede& b) {
             krav(b, "1.a", "Dansk", "Karen", 9);
             kanIkke(b, "Karen", 4);
         }},
        {Fundart::fagSpredning,
         true,
         {"1.a", "Dansk", "Karen"},
         "1.a skal have 16 timer Dansk, men spredt over ugen kan faget højst ligge 4 timer i træk om dagen, og så er "
         "der kun plads til 12 i de timer, Karen kan undervise. Fjern 4 timer fra faget",
         [](Skemabillede& b) {
             krav(b, "1.a", "Dansk", "Karen", 16); // the run grows with the hours: ⌈16 / 5⌉
             kanIkke(b, "Karen", 3);
             kanIkke(b, "Karen", 4);
         }},
        {Fundart::fagSpredning,
         true,
         {"1.a", "Idræt", "Jørgen"},
         "skal ligge på hver sin dag, men ugen har kun 5 dage. Fjern 2 timer fra faget",
         [](Skemabillede& b) { krav(b, "1.a", "Idræt", "Jørgen", 12, "Sal", 2); }},
        {Fundart::blokUdenDag,
         true,
         {"1.a", "Idræt", "Jørgen"},
         "1.a Idræt skal ligge i dobbelttimer, men Jørgen har ingen dag med 2 mulige timer i træk. Fjern −3 hos Jørgen "
         "i "
         "nogle timer, eller gør faget til enkelttimer i lærerens fagprofil.",
         [](Skemabillede& b) {
             krav(b, "1.a", "Idræt", "Jørgen", 2, "Sal", 2);
             for (int32_t dag = 0; dag < 5; ++dag)
                 kanIkke(b, "Jørgen", dag, {1, 3, 5, 7});
         }},
        {Fundart::blokUdenDag,
         true,
         {"1.a", "Idræt", "Jørgen"},
         "men planen har kun 1 time om dagen",
         [](Skemabillede& b) {
             b.uge = {5, 1};
             krav(b, "1.a", "Idræt", "Jørgen", 2, "Sal", 2);
         }},
        {Fundart::stamlokaleMangler,
         false,
         {"1.b"},
         "1.b har intet stamlokale. Generér giver holdet et ledigt lokale af typen Stamlokale (planen har 3); vælg "
         "selv "
         "et under Data → Skoledata, hvis det skal være et bestemt.",
         [](Skemabillede& b) {
             krav(b, "1.a", "Dansk", "Karen", 6, "A1");
             krav(b, "1.b", "Dansk", "Ole", 6, tomId);
         }},
        {Fundart::stamlokaleMangler,
         true,
         {"1.b"},
         "giv planen 1 lokale mere af typen Stamlokale",
         [](Skemabillede& b) {
             b.lokalerAfType[stamlokaleType] = {"A1"};
             krav(b, "1.a", "Dansk", "Karen", 6, "A1");
             krav(b, "1.b", "Dansk", "Ole", 6, tomId);
         }},
        {Fundart::stamlokaleUkendt,
         true,
         {"1.a", "A9"},
         "Giv planen lokalet A9, eller giv holdet et andet stamlokale.",
         [](Skemabillede& b) { krav(b, "1.a", "Dansk", "Karen", 6, "A9"); }},
        {Fundart::stamlokaleTimer,
         true,
         {"A1", "1.a", "1.b"},
         "A1 er stamlokale for 1.a og 1.b, som tilsammen skal have 42 timer der, men ugen har kun 40.",
         [](Skemabillede& b) {
             for (const char* hold : {"1.a", "1.b"})
                 for (const char* fag : {"F1", "F2", "F3"})
                     krav(b, hold, fag, std::string(hold) + fag, 7, "A1");
         }},
        {Fundart::laererMangler,
         false,
         {"Tysk", "1.a", "1.b"},
         "Tysk har ingen lærer hos 1.a og 1.b (6 timer, ikke talt med hos nogen lærer).",
         [](Skemabillede& b) {
             krav(b, "1.a", "Tysk", tomId, 3, "A1");
             krav(b, "1.b", "Tysk", tomId, 3, "A2");
         }},
    };
    for (const Tilfaelde& t : tilfaelde) {
        SCOPED_TRACE(t.tekst);
        Skemabillede b = skole();
        t.byg(b);
        const std::vector<Fund> fund = KontrollerGennemfoerlighed(b);
        std::string alle;
        for (const Fund& f : fund)
            alle += Fundlinje(f) + "\n";
        ASSERT_EQ(fund.size(), 1u) << alle;
        EXPECT_EQ(fund[0].art, t.art) << alle;
        EXPECT_EQ(fund[0].umulig, t.umulig);
        EXPECT_EQ(fund[0].navne, t.navne);
        EXPECT_NE(fund[0].tekst.find(t.tekst), std::string::npos) << fund[0].tekst;
    }
}

TEST(Gennemfoerlighed, FeasiblePlansAndTheSpreadingSwitch)
{
    Skemabillede b = skole();
    krav(b, "1.a", "Dansk", "Karen", 8, "A1");
    krav(b, "1.a", "Idræt", "Jørgen", 4, "Sal", 2);
    krav(b, "1.b", "Dansk", "Ole", 10, "A2");
    krav(b, "1.b", "Idræt", "Jørgen", 4, "Sal", 2);
    kanIkke(b, "Karen", 4);
    kanIkke(b, "Jørgen", 0, {1});
    // Bo can teach just the one double lesson 1.c asks for.
    krav(b, "1.c", "Musik", "Bo", 2, "A4", 2);
    for (int32_t dag = 1; dag < 5; ++dag)
        kanIkke(b, "Bo", dag);
    kanIkke(b, "Bo", 0, {2, 3, 4, 5, 6, 7});
    EXPECT_TRUE(KontrollerGennemfoerlighed(b).empty());

    // Without spreading a subject may fill a day, and double lessons may share one.
    krav(b, "2.a", "Dansk", "Karen", 14, "A3");
    krav(b, "2.a", "Idræt", "Dorthe", 8, "Sal", 2);
    kanIkke(b, "Dorthe", 0);
    kanIkke(b, "Dorthe", 1);
    EXPECT_EQ(KontrollerGennemfoerlighed(b).size(), 2u);
    b.regler = Regelvalg::Planens(false);
    EXPECT_TRUE(KontrollerGennemfoerlighed(b).empty());
}

TEST(Gennemfoerlighed, HardFindingsComeFirstAndLongListsAreCut)
{
    Skemabillede b = skole();
    for (int32_t i = 1; i <= 9; ++i)
        krav(b, std::to_string(i) + ".a", "Tysk", tomId, 1, "A1");
    krav(b, "1.a", "Fysik", "Erik", 2, "Lab");
    krav(b, "1.a", "Fransk", tomId, 1, "A1");
    const std::vector<Fund> fund = KontrollerGennemfoerlighed(b);
    ASSERT_EQ(fund.size(), 3u);
    EXPECT_TRUE(Fundlinje(fund[0]).starts_with("Umuligt: Planen har ingen lokaler"));
    EXPECT_TRUE(Fundlinje(fund[1]).starts_with("Advarsel: Fransk")) << "findings of one kind keep their order";
    EXPECT_TRUE(Fundlinje(fund[2]).starts_with("Advarsel: Tysk har ingen lærer hos 1.a, 2.a, 3.a, 4.a, 5.a, 6.a og 3 "
                                               "andre (9 timer,"))
        << fund[2].tekst;
    EXPECT_EQ(fund[2].navne.size(), 10u);
}
