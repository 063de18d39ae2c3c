// Long random sequences of placements and moves on a small school, checked
// after every step.
#include "SkemaHjaelp.h"
#include "store/SkemaKontrol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

using skemahjaelp::Fund;
using skemahjaelp::Plan;

namespace {

const std::vector<std::string> fagListe = {"da", "ma", "en", "fy", "bi", "id", "hi", "ge", "mu", "bk"};

using Time = std::tuple<std::string, std::string, std::string, std::string, int32_t, int32_t, int32_t>;
using Indhold = std::tuple<std::string, std::string, std::string, std::string, int32_t>;

const std::string& EgetId(const Fund& f) { return f.art == 'h' ? f.hold : f.art == 'l' ? f.laerer : f.lokale; }

class Skole {
public:
    Skole(uint32_t froe, int32_t dage, int32_t timer)
        : rng_(froe), dage_(dage), timer_(timer),
          s_(dage, timer), plan_{{"h0", "h1", "h2", "h3", "h4"}, {"l0", "l1", "l2", "l3"}, {"k0", "k1", "k2", "k3"}}
    {
        plan_.Opret(s_);
        for (const std::string& l : plan_.laerer)
            for (int i = 0; i < 3; ++i)
                s_.SaetPrioritet(l, Tal(0, 6) - 3, Tal(0, dage - 1), Tal(0, timer - 1));
    }

    int Tal(int fra, int til) { return std::uniform_int_distribution<int>(fra, til)(rng_); }
    const std::string& Vaelg(const std::vector<std::string>& v) { return v[Tal(0, static_cast<int>(v.size()) - 1)]; }

    // In the order the timetables give them, which only a change alters.
    std::vector<Fund> Alt() { return plan_.Alt(s_); }

    // Every lesson hour sits in the same cell of its class, teacher and room
    // timetables and nowhere else.
    void KontrollerEnighed(const std::vector<Fund>& alt)
    {
        std::map<char, std::vector<Time>> perArt;
        for (const Fund& f : alt) {
            if (f.art == 'p')
                continue;
            ASSERT_EQ(EgetId(f), f.id) << "lesson filed under another timetable";
            perArt[f.art].push_back({f.hold, f.fag, f.laerer, f.lokale, f.blok, f.kolonne, f.raekke});
        }
        for (auto& [art, timer] : perArt)
            std::sort(timer.begin(), timer.end());
        ASSERT_EQ(perArt['h'], perArt['l']);
        ASSERT_EQ(perArt['h'], perArt['k']);
        for (const SkemaArt art : alleSkemaArter) {
            int32_t antal = -1;
            ASSERT_TRUE(s_.Kontroller(antal, art));
            ASSERT_EQ(antal, 0);
        }
    }

    static std::vector<Indhold> Lektioner(const std::vector<Fund>& alt)
    {
        std::vector<Indhold> lektioner;
        for (const Fund& f : alt)
            if (f.art == 'h')
                lektioner.push_back({f.hold, f.fag, f.laerer, f.lokale, f.blok});
        std::sort(lektioner.begin(), lektioner.end());
        return lektioner;
    }

    // Class timetable entries of efter that were not in foer.
    static std::vector<Fund> NyeTimer(std::vector<Fund> foer, std::vector<Fund> efter)
    {
        std::erase_if(foer, [](const Fund& f) { return f.art != 'h'; });
        std::erase_if(efter, [](const Fund& f) { return f.art != 'h'; });
        std::sort(foer.begin(), foer.end());
        std::sort(efter.begin(), efter.end());
        std::vector<Fund> nye;
        std::set_difference(efter.begin(), efter.end(), foer.begin(), foer.end(), std::back_inserter(nye));
        return nye;
    }

    void Placer()
    {
        const std::string& fag = Vaelg(fagListe);
        const std::string& hold = Vaelg(plan_.hold);
        const std::string& laerer = Vaelg(plan_.laerer);
        const std::string& lokale = Vaelg(plan_.lokale);
        const int32_t k = Tal(-1, dage_);
        const int32_t r = Tal(-1, timer_);
        if (Tal(0, 2) == 0) {
            if (s_.SaetLektion(hold, fag, laerer, lokale, 2, k, r))
                s_.SaetLektion(hold, fag, laerer, lokale, 2, k, r + 1);
        } else {
            s_.SaetLektion(hold, fag, laerer, lokale, 1, k, r);
        }
    }

    // A lesson that is there, seen from a timetable of a random kind, and a
    // target: often the hour of another lesson of that timetable, so that
    // swaps are tried too.
    bool VaelgFlytning(const std::vector<Fund>& alt, std::string& id, SkemaArt& art, int32_t& blok, Placering& fra,
                       Placering& til)
    {
        std::vector<const Fund*> lektioner;
        for (const Fund& f : alt)
            if (f.art != 'p')
                lektioner.push_back(&f);
        if (lektioner.empty())
            return false;
        const Fund& f = *lektioner[Tal(0, static_cast<int>(lektioner.size()) - 1)];
        id = f.id;
        art = *SkemaArtFor(f.art);
        blok = Tal(0, 9) == 0 ? 3 - f.blok : f.blok;
        fra = {f.kolonne, f.raekke};
        til = {Tal(0, dage_ - 1), Tal(0, timer_ - 1)};
        std::vector<const Fund*> naboer;
        for (const Fund* n : lektioner)
            if (n->art == f.art && n->id == f.id)
                naboer.push_back(n);
        if (Tal(0, 1) == 0) {
            const Fund& n = *naboer[Tal(0, static_cast<int>(naboer.size()) - 1)];
            til = {n.kolonne, n.raekke};
        } else if (Tal(0, 19) == 0) {
            til = {Tal(-1, 5), Tal(-1, 8)};
        }
        return true;
    }

    void IngenPaaSpaerretTime(const std::vector<Fund>& nye)
    {
        for (const Fund& f : nye)
            ASSERT_FALSE(s_.ErSpaerret(f.laerer, f.kolonne, f.raekke))
                << f.hold << " " << f.fag << " " << f.laerer << " moved onto an unavailable hour";
    }

    SkemaKontrol& Kontrol() { return s_; }

private:
    std::mt19937 rng_;
    int32_t dage_;
    int32_t timer_;
    SkemaKontrol s_;
    Plan plan_;
};

struct Optaelling {
    int flytninger = 0;
    int ombytninger = 0;
    int proever = 0;
    int tvungne = 0;
    int tvungneOmbytninger = 0;
};

void KoerSekvens(uint32_t froe, int32_t dage, int32_t timer, Optaelling& o)
{
    Skole skole(froe, dage, timer);
    SkemaKontrol& s = skole.Kontrol();
    std::vector<Fund> foer = skole.Alt();
    for (int trin = 0; trin < 400; ++trin) {
        SCOPED_TRACE("seed " + std::to_string(froe) + " step " + std::to_string(trin));
        const int valg = skole.Tal(0, 9);
        if (valg < 3 && s.AntalLektionerIalt() < 110) {
            skole.Placer();
            foer = skole.Alt();
            ASSERT_NO_FATAL_FAILURE(skole.KontrollerEnighed(foer));
            continue;
        }
        std::string id;
        SkemaArt art = SkemaArt::hold;
        int32_t blok = 1;
        Placering fra;
        Placering til;
        if (!skole.VaelgFlytning(foer, id, art, blok, fra, til))
            continue;

        bool flyttet = false;
        if (valg < 6) {
            flyttet = s.FlytLektion(id, blok, art, fra, til, Flytning::udfoer);
        } else if (valg < 8) {
            o.proever += s.FlytLektion(id, blok, art, fra, til, Flytning::proev);
        } else if (s.FlytLektion(id, blok, art, fra, til, Flytning::proev)) {
            s.TvingFlyt(id, art, fra, til);
            flyttet = true;
            ++o.tvungne;
        }
        const std::vector<Fund> efter = skole.Alt();
        if (flyttet) {
            const std::vector<Fund> nye = Skole::NyeTimer(foer, efter);
            const bool ombytning = nye.size() > static_cast<size_t>(blok);
            if (valg < 6)
                ++(ombytning ? o.ombytninger : o.flytninger);
            else
                o.tvungneOmbytninger += ombytning;
            ASSERT_NO_FATAL_FAILURE(skole.IngenPaaSpaerretTime(nye));
            ASSERT_EQ(Skole::Lektioner(efter), Skole::Lektioner(foer)) << "a move created or lost a lesson";
            ASSERT_NO_FATAL_FAILURE(skole.KontrollerEnighed(efter));
        } else {
            // The state checked after the last change is still the state.
            ASSERT_EQ(efter, foer) << "a test or a refused move changed something";
        }
        foer = efter;
    }
}

} // namespace

TEST(SkemaEgenskaber, MovesKeepEveryLessonInItsThreeTimetables)
{
    Optaelling o;
    const std::vector<std::tuple<uint32_t, int32_t, int32_t>> koersler = {
        {1, 5, 8}, {2, 5, 8}, {3, 4, 6}, {4, 3, 7}, {5, 5, 5}};
    for (const auto& [froe, dage, timer] : koersler)
        ASSERT_NO_FATAL_FAILURE(KoerSekvens(froe, dage, timer, o));
    // The sequences must really exercise every kind of move.
    EXPECT_GT(o.flytninger, 50);
    EXPECT_GT(o.ombytninger, 10);
    EXPECT_GT(o.proever, 50);
    EXPECT_GT(o.tvungne, 50);
    EXPECT_GT(o.tvungneOmbytninger, 5);
}

// Calls in any order with any arguments, including forced moves nobody
// tested, never crash, leak or touch memory outside the timetables (run
// under the sanitizers), and a forced move never changes how many lessons a
// timetable holds.
TEST(SkemaEgenskaber, AnyCallSequenceIsSafe)
{
    std::mt19937 rng(99);
    const auto tal = [&](int fra, int til) { return std::uniform_int_distribution<int>(fra, til)(rng); };
    const std::vector<std::string> ider = {"h0", "h1", "l0", "l1", "k0", "k1", "ukendt"};
    const auto& arter = alleSkemaArter;
    SkemaKontrol s(5, 8);
    for (const std::string& id : ider)
        for (const SkemaArt art : arter)
            s.OpretSkema(id, art);
    const auto id = [&] { return ider[tal(0, 5)]; };
    const auto art = [&] { return arter[tal(0, 2)]; };
    const auto pos = [&] { return Placering{tal(-2, 6), tal(-2, 9)}; };

    for (int trin = 0; trin < 20000; ++trin) {
        const Placering p = pos();
        const Placering q = tal(0, 3) == 0 ? p : pos();
        switch (tal(0, 9)) {
        case 0:
        case 1:
            s.SaetLektion("h" + std::to_string(tal(0, 1)), "f" + std::to_string(tal(0, 2)),
                          "l" + std::to_string(tal(0, 1)), "k" + std::to_string(tal(0, 1)), tal(0, 3), p.kolonne,
                          p.raekke);
            break;
        case 2:
        case 3:
            s.FlytLektion(id(), tal(0, 3), art(), p, q, tal(0, 1) ? Flytning::udfoer : Flytning::proev);
            break;
        case 4:
        case 5: {
            const SkemaArt a = art();
            const std::string i = id();
            const int32_t foer = s.AntalLektioner(i, a);
            s.TvingFlyt(i, a, p, q);
            ASSERT_EQ(s.AntalLektioner(i, a), foer);
            break;
        }
        case 6:
            s.SaetPrioritet(id(), tal(-5, 5), p.kolonne, p.raekke);
            s.ErSpaerret(id(), p.kolonne, p.raekke);
            s.ErDobbeltLektion(id(), art(), p.kolonne, p.raekke);
            break;
        case 7:
            s.SaetDimensioner(tal(0, 7), tal(0, 10));
            break;
        case 8: {
            int32_t antal = 0;
            s.Kontroller(antal, art());
            s.AntalMellemtimer();
            s.Spredning(id(), art());
            break;
        }
        default:
            if (tal(0, 50) == 0)
                s.RydSkemaer();
            break;
        }
    }
}
