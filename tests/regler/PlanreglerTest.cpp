#include "regler/Planregler.h"

#include <gtest/gtest.h>

using namespace planregler;

namespace {

Lektionstime Time(int32_t dag, int32_t time, const std::string& fag, const std::string& hold, const std::string& gruppe,
                  const std::string& laerer, bool start = true, const std::string& aktivitet = "")
{
    return {{dag, time}, start, fag, aktivitet, {{hold, gruppe}}, {laerer}, {"L" + hold}};
}

// Lone teaches 1a on all five days, three hours with a gap on Monday and one hour on the others; 2b begins Tuesday
// at the second hour and Wednesday at the third; the two language groups of 3c meet Thursday.
std::vector<Lektionstime> Uge()
{
    std::vector<Lektionstime> timer{Time(0, 0, "Da", "1a", "", "Lone"), Time(0, 1, "Da", "1a", "", "Lone", false),
                                    Time(0, 3, "Ma", "1a", "", "Lone")};
    for (int32_t dag = 1; dag < 5; ++dag)
        timer.push_back(Time(dag, 0, dag == 1 ? "Da" : "Ma", "1a", "", "Lone"));
    timer.push_back(Time(1, 1, "Mu", "2b", "", "Ole", true, "A1"));
    timer.push_back(Time(2, 2, "Mu", "2b", "", "Ole", true, "A2"));
    timer.push_back(Time(3, 4, "Ty", "3c", "tysk", "Eva"));
    return timer;
}

struct Tilfaelde {
    std::string navn;
    Regel regel;
    int32_t brud;
    std::string tekst; // empty when kept
};

Regel Graense(Art art, const std::string& hvem, int32_t graense, bool laerer = true)
{
    Regel r;
    r.art = art;
    (laerer ? r.laerer : r.hold) = hvem;
    r.graense = graense;
    return r;
}

Regel Lukket(const std::string& hold, const std::string& gruppe, const std::string& lokale, std::vector<Tid> tider)
{
    Regel r;
    r.art = hold.empty() && lokale.empty() ? Art::pause : Art::lukket;
    r.hold = hold;
    r.gruppe = gruppe;
    r.lokale = lokale;
    r.tider = std::move(tider);
    return r;
}

Regel Tider(Art art, Lektionsvalg lektioner, std::vector<Tid> tider)
{
    Regel r;
    r.art = art;
    r.lektioner = std::move(lektioner);
    r.tider = std::move(tider);
    return r;
}

Regel Sammen(Art art, std::vector<Lektionsvalg> lektioner, int32_t graense = 0)
{
    Regel r;
    r.art = art;
    r.sammen = std::move(lektioner);
    r.graense = graense;
    return r;
}

} // namespace

TEST(Planregler, EachKindIsKeptOrBrokenByHowMuchInThePlannersWords)
{
    const std::vector<Tilfaelde> tilfaelde{
        {"dage holdt", Graense(Art::laererDage, "Lone", 5), 0, ""},
        {"dage brudt", Graense(Art::laererDage, "Lone", 4), 1, "Lone må højst have 4 dage, men har 5"},
        {"alle læreres dage", Graense(Art::laererDage, "", 1), 5,
         "Lone må højst have 1 dag, men har 5; Ole må højst have 1 dag, men har 2"},
        {"timer pr. dag", Graense(Art::laererTimer, "Lone", 2), 1,
         "Lone må højst have 2 timer om dagen, men har 3 mandag"},
        {"mindst timer", Graense(Art::laererMindstTimer, "Lone", 2), 4,
         "Lone skal have mindst 2 timer de dage, der har undervisning, men har 1 tirsdag, 1 onsdag, 1 torsdag og 1 "
         "fredag"},
        {"huller pr. dag", Graense(Art::laererHullerDag, "Lone", 0), 1,
         "Lone må højst have 0 huller om dagen, men har 1 mandag"},
        {"huller pr. uge holdt", Graense(Art::laererHullerUge, "Lone", 1), 0, ""},
        {"i træk", Graense(Art::laererITraek, "Lone", 1), 1, "Lone må højst have 1 time i træk, men har 2 mandag"},
        {"holdets timer", Graense(Art::holdTimer, "1a", 3, false), 0, ""},
        {"holdets huller", Graense(Art::holdHullerUge, "1a", 0, false), 1,
         "1a må højst have 0 huller om ugen, men har 1"},
        {"holdets mindst timer", Graense(Art::holdMindstTimer, "2b", 1, false), 0, ""},
        {"tidlig start", Graense(Art::holdTidligStart, "2b", 0, false), 2,
         "2b skal begynde i 1. time og højst 0 gange i 2. time, men begynder 1 gang i 2. time og 1 gang senere"},
        {"alle holds tidlige start", Graense(Art::holdTidligStart, "", 1, false), 2,
         "2b skal begynde i 1. time og højst 1 gang i 2. time, men begynder 1 gang i 2. time og 1 gang senere; 3c "
         "skal begynde i 1. time og højst 1 gang i 2. time, men begynder 0 gange i 2. time og 1 gang senere"},
        {"pause", Lukket("", "", "", {{0, 1}, {5, 0}}), 1, "Der er pause mandag 2. time, men der er undervisning da"},
        {"holdet lukket", Lukket("1a", "", "", {{0, 3}, {4, 0}}), 2,
         "1a er ikke til rådighed mandag 4. time og fredag 1. time, men har undervisning da"},
        {"en anden gruppe end holdets", Lukket("3c", "fransk", "", {{3, 4}}), 0, ""},
        {"gruppen", Lukket("3c", "tysk", "", {{3, 4}}), 1,
         "3c tysk er ikke til rådighed torsdag 5. time, men har undervisning da"},
        {"gruppen når hele holdet har time", Lukket("1a", "piger", "", {{0, 0}}), 1,
         "1a piger er ikke til rådighed mandag 1. time, men har undervisning da"},
        {"lokalet", Lukket("", "", "L2b", {{1, 1}}), 1,
         "Lokale L2b er ikke til rådighed tirsdag 2. time, men har undervisning da"},
        // The second hour of Monday's block is no start of its own.
        {"starttid", Tider(Art::starttid, {"", "1a", "Da", ""}, {{0, 0}}), 1,
         "1a Da må kun begynde på de valgte tider, men begynder tirsdag 1. time"},
        {"tidsrum", Tider(Art::tidsrum, {"", "1a", "Da", ""}, {{0, 0}, {1, 0}}), 1,
         "1a Da må kun ligge i de valgte timer, men ligger mandag 2. time"},
        {"fast tid for en aktivitet", Tider(Art::starttid, {"", "", "", "A1"}, {{1, 1}}), 0, ""},
        {"samme start", Sammen(Art::sammeStart, {{"", "", "", "A1"}, {"", "", "", "A2"}}), 1,
         "aktivitet A1 og aktivitet A2 skal begynde samtidig, men 1 begynder på et andet tidspunkt"},
        {"dage imellem", Sammen(Art::dageImellem, {{"", "1a", "Da", ""}}, 2), 1,
         "1a Da skal ligge mindst 2 dage fra hinanden, men 1 par ligger tættere"},
        {"dage imellem holdt", Sammen(Art::dageImellem, {{"", "", "", "A1"}, {"", "", "", "A2"}}, 1), 0, ""},
    };
    std::vector<Regel> regler;
    for (const Tilfaelde& t : tilfaelde)
        regler.push_back(t.regel);
    const std::vector<Tilstand> tilstande = Vurder(regler, Uge());
    ASSERT_EQ(tilstande.size(), tilfaelde.size());
    for (size_t i = 0; i < tilfaelde.size(); ++i) {
        EXPECT_EQ(tilstande[i].brud, tilfaelde[i].brud) << tilfaelde[i].navn;
        EXPECT_EQ(tilstande[i].tekst, tilfaelde[i].tekst) << tilfaelde[i].navn;
    }
}

TEST(Planregler, AHardBreakIsNoGap)
{
    const Regel huller = Graense(Art::laererHullerDag, "Lone", 0);
    Regel pause = Lukket("", "", "", {{0, 2}});
    EXPECT_EQ(Vurder({huller, pause}, Uge())[0].brud, 0);
    pause.vaegt = 50; // only a wish: the hour may hold lessons, so an empty one is a gap
    EXPECT_EQ(Vurder({huller, pause}, Uge())[0].brud, 1);
}

TEST(Planregler, EveryKindHasAStoredNameAndWordsForWhatItAsks)
{
    for (const Art art : AlleArter()) {
        EXPECT_EQ(ArtNavngivet(Navn(art)), art) << Navn(art);
        Regel r;
        r.art = art;
        EXPECT_FALSE(Beskrivelse(r).empty()) << Navn(art);
    }
    EXPECT_FALSE(ArtNavngivet("højst dage"));
    EXPECT_EQ(Beskrivelse(Graense(Art::laererDage, "Lone", 4)), "Lone: højst 4 dage");
    EXPECT_EQ(Beskrivelse(Graense(Art::laererDage, "", 4)), "Alle lærere: højst 4 dage");
}

// The import folds a file's activities of a class's subject into its lessons, each with its own start time.
TEST(Planregler, StartTimesOfTheSameLessonsAreAlternatives)
{
    const Regel mandag = Tider(Art::starttid, {"", "1a", "Ma", ""}, {{0, 3}});
    const Regel tirsdag = Tider(Art::starttid, {"", "1a", "Ma", ""}, {{2, 0}, {3, 0}, {4, 0}});
    const std::vector<Tilstand> begge = Vurder({mandag, tirsdag}, Uge());
    EXPECT_EQ(begge[0].brud, 0);
    EXPECT_EQ(begge[1].brud, 0);
    Regel oenske = tirsdag;
    oenske.vaegt = 90; // a wish is no alternative to a requirement
    EXPECT_EQ(Vurder({mandag, oenske}, Uge())[0].brud, 3);
    EXPECT_TRUE(Alternativer(mandag, tirsdag));
    EXPECT_FALSE(Alternativer(mandag, Tider(Art::tidsrum, {"", "1a", "Ma", ""}, {{2, 0}})));
}
