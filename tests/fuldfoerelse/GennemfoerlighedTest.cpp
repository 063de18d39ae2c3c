// The check before generating, on plans built by hand that have exactly one
// fault each.
#include "fuldfoerelse/Gennemfoerlighed.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

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

namespace {

// Groups of 1.a and 1.b: "Idræt" divides them into girls and boys, "Sprog" 1.a into German and French.
void grupper(Skemabillede& b)
{
    for (const char* hold : {"1.a", "1.b"})
        for (const char* gruppe : {"piger", "drenge"})
            b.aktiviteter.enheder.TilfoejGruppe(hold, "Idræt", gruppe);
    b.aktiviteter.enheder.TilfoejGruppe("1.a", "Sprog", "Tysk");
    b.aktiviteter.enheder.TilfoejGruppe("1.a", "Sprog", "Fransk");
}

// Participants "1.a" (the class) or "1.a piger" (a group); per need its rooms.
void aktivitet(Skemabillede& b, const std::string& fag, int32_t timer, int32_t blok,
               const std::vector<std::string>& deltagere, const std::vector<std::string>& laerere = {},
               const std::vector<std::vector<std::string>>& behov = {})
{
    Aktivitet a;
    a.id = "A" + std::to_string(b.aktiviteter.Aktiviteter().size() + 1);
    a.fag = fag;
    a.timer = timer;
    a.blok = blok;
    for (const std::string& d : deltagere) {
        const size_t mellemrum = d.find(' ');
        a.deltagere.push_back(
            mellemrum == std::string::npos ? Deltager{d} : Deltager{d.substr(0, mellemrum), d.substr(mellemrum + 1)});
    }
    a.laerere = laerere;
    for (const std::vector<std::string>& lokaler : behov)
        a.behov.push_back({static_cast<int32_t>(a.behov.size()) + 1, lokaler});
    b.aktiviteter.TilfoejAktivitet(a);
}

// 1.a's 36 whole-class hours with four teachers in its home room.
void fuldtHold(Skemabillede& b)
{
    for (const char* fag : {"F1", "F2", "F3", "F4"})
        krav(b, "1.a", fag, std::string("T") + fag, 9);
}

struct Aktivitetstilfaelde {
    std::string hvad;
    std::optional<Fundart> art; // none: the plan has no finding
    std::vector<std::string> navne;
    std::string tekst;
    std::function<void(Skemabillede&)> byg;
};

} // namespace

TEST(Gennemfoerlighed, ActivitiesCountInEveryCount)
{
    const std::vector<Aktivitetstilfaelde> tilfaelde{
        {"groups of one division lie in parallel, a class named twice fills its units once",
         std::nullopt,
         {},
         "",
         [](Skemabillede& b) {
             grupper(b);
             fuldtHold(b);
             aktivitet(b, "Idræt", 2, 2, {"1.a piger", "1.b piger"}, {"Jørgen"}, {{"S1"}});
             aktivitet(b, "Idræt", 2, 2, {"1.a drenge", "1.b drenge"}, {"Dorthe"}, {{"S1", "A4"}});
             aktivitet(b, "Tysk", 1, 1, {"1.a Tysk"}, {"Eva"});
             aktivitet(b, "Sprog", 1, 1, {"1.a Fransk", "1.a Tysk"}, {"Ole"}); // 40 hours in each unit
             aktivitet(b, "Møde", 2, 1, {}, {"Karen", "Ole"}, {{"A9", "A3"}});
         }},
        {"a teacher's hours",
         Fundart::laererTimer,
         {"Karen"},
         "Karen skal undervise 42 timer, heraf 4 i aktiviteter, men ugen har kun 40 timer (5 dage × 8 timer). Flyt 2 "
         "timer til en anden lærer.",
         [](Skemabillede& b) {
             krav(b, "1.a", "Dansk", "Karen", 19, "A1");
             krav(b, "1.b", "Dansk", "Karen", 19, "A2");
             aktivitet(b, "Tilsyn", 4, 1, {}, {"Karen"});
         }},
        {"a unit of two divisions",
         Fundart::holdTimer,
         {"1.a"},
         "Eleverne i 1.a, der er med i både piger og Tysk, skal have 42 timer, heraf 6 i aktiviteter, men ugen har kun "
         "40 (5 dage × 8 timer). Fjern 2 timer fra holdets fag eller aktiviteter, eller giv planen flere timer om "
         "dagen.",
         [](Skemabillede& b) {
             grupper(b);
             fuldtHold(b);
             aktivitet(b, "Idræt", 3, 1, {"1.a piger", "1.b piger"}, {"Jørgen"});
             aktivitet(b, "Idræt", 3, 1, {"1.a drenge", "1.b drenge"}, {"Dorthe"});
             aktivitet(b, "Tysk", 3, 1, {"1.a Tysk"}, {"Eva"});
         }},
        {"a whole class in a joined lesson",
         Fundart::holdTimer,
         {"1.a"},
         "1.a skal have 42 timer, heraf 6 i aktiviteter, men ugen har kun 40",
         [](Skemabillede& b) {
             fuldtHold(b);
             aktivitet(b, "Idræt", 6, 1, {"1.a", "1.b"}, {"Jørgen"});
         }},
        {"a class's lessons lie only where all their teachers can",
         Fundart::holdTimer,
         {"1.a", "Bo", "Karen", "Ole"},
         "1.a skal have 17 timer, heraf 17 i aktiviteter, men lektionerne kan tilsammen kun ligge i 16 af ugens 40 "
         "timer: i de andre har hver lektion en lærer, der er markeret −3 (Bo, Karen og Ole). Fjern −3 hos nogle af "
         "dem, eller fjern 1 time fra holdets fag eller aktiviteter.",
         [](Skemabillede& b) {
             b.regler = Regelvalg::Planens(false);
             aktivitet(b, "Natur", 10, 1, {"1.a"}, {"Karen", "Ole"});
             aktivitet(b, "Musik", 7, 1, {"1.a"}, {"Karen", "Bo"});
             for (const int32_t dag : {3, 4})
                 kanIkke(b, "Karen", dag);
             kanIkke(b, "Ole", 2);
             for (const int32_t dag : {1, 2})
                 kanIkke(b, "Bo", dag);
         }},
        {"a need none of whose rooms the plan has",
         Fundart::behovUdenLokaler,
         {"Svømning", "2.a", "Svømmehal"},
         "Svømning 2.a skal have lokalet Svømmehal, men det er ikke blandt planens lokaler. Giv planen lokalet "
         "Svømmehal, eller vælg et andet til aktiviteten under Data → Skoledata.",
         [](Skemabillede& b) {
             aktivitet(b, "Svømning", 2, 1, {"2.a"}, {"Jørgen"}, {{"S1"}, {"Svømmehal"}});
         }},
        {"two needs, one room",
         Fundart::behovDelerLokaler,
         {"Idræt", "1.a", "1.b", "S1"},
         "Idræt 1.a piger, 1.b piger har 2 lokalebehov, men kun 1 af dem kan få hvert sit lokale blandt S1: to behov "
         "kan ikke dele et lokale. Giv behovene flere lokaler at vælge imellem, eller fjern et behov.",
         [](Skemabillede& b) {
             grupper(b);
             aktivitet(b, "Idræt", 2, 1, {"1.a piger", "1.b piger"}, {"Jørgen", "Dorthe"}, {{"S1"}, {"S1"}});
         }},
        {"three needs among three rooms, two of them for one room",
         Fundart::behovDelerLokaler,
         {"Idræt", "1.a", "A1", "A2", "S1"},
         "har 3 lokalebehov, men kun 2 af dem kan få hvert sit lokale blandt A1, A2 og S1",
         [](Skemabillede& b) {
             aktivitet(b, "Idræt", 2, 1, {"1.a"}, {"Jørgen"}, {{"S1"}, {"S1"}, {"A1", "A2"}});
         }},
        {"a room's hours with the lessons of its type",
         Fundart::behovTimer,
         {"S1"},
         "Lokalet S1 skal bruges 44 timer om ugen, heraf 20 af aktiviteterne Idræt 1.a, men det rummer kun 40 timer (5 "
         "dage × 8 timer). Flyt 4 timer til andre lokaler, eller giv behovene flere lokaler at vælge imellem.",
         [](Skemabillede& b) {
             krav(b, "1.b", "Idræt", "Jørgen", 24, "Sal");
             aktivitet(b, "Idræt", 20, 1, {"1.a"}, {"Dorthe"}, {{"S1"}});
         }},
        {"two halls shared by two activities",
         Fundart::behovTimer,
         {"H1", "H2"},
         "Lokalerne H1 og H2 skal tilsammen bruges 85 timer om ugen af aktiviteterne Håndbold 2.a; Basket 3.a, men de "
         "rummer kun 80 timer (2 lokaler × 40 timer). Flyt 5 timer",
         [](Skemabillede& b) {
             b.lokalerAfType["Hal"] = {"H1", "H2"};
             aktivitet(b, "Håndbold", 30, 1, {"2.a"}, {}, {{"H1", "H2"}, {"H2", "H1"}});
             aktivitet(b, "Basket", 25, 1, {"3.a"}, {}, {{"H1", "H2"}});
         }},
        {"seven activities are named in full",
         Fundart::behovTimer,
         {"S1"},
         "Lokalet S1 skal bruges 42 timer om ugen af aktiviteterne F1 1.a; F2 2.a; F3 3.a; F4 4.a; F5 5.a; F6 6.a; "
         "F7 7.a, men",
         [](Skemabillede& b) {
             for (int32_t i = 1; i <= 7; ++i)
                 aktivitet(b, "F" + std::to_string(i), 6, 1, {std::to_string(i) + ".a"}, {}, {{"S1"}});
         }},
        {"a block no day holds for all its teachers",
         Fundart::blokUdenDag,
         {"Idræt", "1.a", "1.b", "Karen", "Ole"},
         "Idræt 1.a, 1.b skal ligge i dobbelttimer, men Karen og Ole har ingen dag med 2 mulige timer i træk. Fjern −3 "
         "hos Karen og Ole i nogle timer, eller giv aktiviteten blokstørrelse 1 under Data → Skoledata.",
         [](Skemabillede& b) {
             aktivitet(b, "Idræt", 2, 2, {"1.a", "1.b"}, {"Karen", "Ole"});
             for (int32_t dag = 0; dag < 5; ++dag)
                 kanIkke(b, dag < 3 ? "Karen" : "Ole", dag, {1, 3, 5, 7});
         }},
        {"more doubles than days",
         Fundart::fagSpredning,
         {"Idræt", "2.a"},
         "Idræt 2.a skal have 6 dobbelttimer, som spredt over ugen skal ligge på hver sin dag, men ugen har kun 5 "
         "dage. "
         "Fjern 2 timer fra aktiviteten, giv aktiviteten blokstørrelse 1 under Data → Skoledata, eller slå spredningen "
         "fra.",
         [](Skemabillede& b) { aktivitet(b, "Idræt", 12, 2, {"2.a"}); }},
        {"single hours spread in the days the teacher can",
         Fundart::fagSpredning,
         {"Dansk", "1.a", "Karen"},
         "Dansk 1.a piger skal have 9 timer, men spredt over ugen kan aktiviteten højst ligge 2 timer i træk om dagen, "
         "og så er der kun plads til 8 i de timer, Karen kan undervise. Fjern 1 time fra aktiviteten, fjern −3 hos "
         "Karen på nogle dage, eller slå spredningen fra.",
         [](Skemabillede& b) {
             grupper(b);
             aktivitet(b, "Dansk", 9, 1, {"1.a piger"}, {"Karen"});
             kanIkke(b, "Karen", 4);
         }},
    };
    for (const Aktivitetstilfaelde& t : tilfaelde) {
        SCOPED_TRACE(t.hvad);
        Skemabillede b = skole();
        t.byg(b);
        const std::vector<Fund> fund = KontrollerGennemfoerlighed(b);
        std::string alle;
        for (const Fund& f : fund)
            alle += Fundlinje(f) + "\n";
        if (!t.art) {
            EXPECT_TRUE(fund.empty()) << alle;
            continue;
        }
        ASSERT_EQ(fund.size(), 1u) << alle;
        EXPECT_EQ(fund[0].art, *t.art) << alle;
        EXPECT_TRUE(fund[0].umulig);
        EXPECT_EQ(fund[0].navne, t.navne);
        EXPECT_NE(fund[0].tekst.find(t.tekst), std::string::npos) << fund[0].tekst;
    }
}
