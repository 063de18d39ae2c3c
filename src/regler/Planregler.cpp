#include "regler/Planregler.h"

#include "base/Opremsning.h"
#include "base/Uge.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <utility>

namespace planregler {

namespace {

const std::vector<std::pair<Art, std::string>>& Navne()
{
    static const std::vector<std::pair<Art, std::string>> navne{{Art::pause, "pause"},
                                                                {Art::lukket, "lukket"},
                                                                {Art::laererDage, "lærer dage"},
                                                                {Art::laererTimer, "lærer timer pr. dag"},
                                                                {Art::laererMindstTimer, "lærer mindst timer pr. dag"},
                                                                {Art::laererHullerDag, "lærer huller pr. dag"},
                                                                {Art::laererHullerUge, "lærer huller pr. uge"},
                                                                {Art::laererITraek, "lærer timer i træk"},
                                                                {Art::holdTimer, "hold timer pr. dag"},
                                                                {Art::holdMindstTimer, "hold mindst timer pr. dag"},
                                                                {Art::holdHullerDag, "hold huller pr. dag"},
                                                                {Art::holdHullerUge, "hold huller pr. uge"},
                                                                {Art::holdTidligStart, "hold tidlig start"},
                                                                {Art::starttid, "starttid"},
                                                                {Art::tidsrum, "tidsrum"},
                                                                {Art::sammeStart, "samme start"},
                                                                {Art::dageImellem, "dage imellem"}};
    return navne;
}

std::string DagNavn(int32_t dag)
{
    std::string navn = dag >= 0 && dag < maksDage ? dagNavne[static_cast<size_t>(dag)]
                                                  : "dag " + std::to_string(dag + 1);
    navn[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(navn[0])));
    return navn;
}

std::string TidTekst(Tid tid) { return DagNavn(tid.dag) + " " + std::to_string(tid.time + 1) + ". time"; }

// "a", "a og b", "a, b og c"; after `hoejst` items the rest are counted.
std::string KortOpremsning(const std::vector<std::string>& dele, size_t hoejst = 4)
{
    std::vector<std::string> vist(dele.begin(),
                                  dele.begin() + static_cast<std::ptrdiff_t>(std::min(hoejst, dele.size())));
    if (dele.size() > hoejst)
        vist.push_back(std::to_string(dele.size() - hoejst) + " flere");
    std::string ud;
    for (size_t i = 0; i < vist.size(); ++i)
        ud += (i == 0 ? "" : i + 1 == vist.size() ? " og " : ", ") + vist[i];
    return ud;
}

std::string Antal(int32_t antal, const std::string& ental, const std::string& flertal)
{
    return std::to_string(antal) + " " + (antal == 1 ? ental : flertal);
}

bool Indeholder(const std::vector<std::string>& liste, const std::string& navn)
{
    return std::find(liste.begin(), liste.end(), navn) != liste.end();
}

// A group's hours are its own and its whole class's; a class's, every hour of any of its students.
bool HarHold(const Lektionstime& t, const std::string& hold, const std::string& gruppe)
{
    return std::any_of(t.deltagere.begin(), t.deltagere.end(), [&](const Deltager& d) {
        return d.hold == hold && (gruppe.empty() || d.gruppe.empty() || d.gruppe == gruppe);
    });
}

bool Passer(const Lektionsvalg& valg, const Lektionstime& t)
{
    return (valg.laerer.empty() || Indeholder(t.laerere, valg.laerer)) &&
           (valg.hold.empty() || HarHold(t, valg.hold, "")) && (valg.fag.empty() || t.fag == valg.fag) &&
           (valg.aktivitet.empty() || t.aktivitet == valg.aktivitet);
}

std::string ValgTekst(const Lektionsvalg& valg)
{
    if (!valg.aktivitet.empty())
        return "aktivitet " + valg.aktivitet;
    std::vector<std::string> dele;
    for (const std::string* felt : {&valg.hold, &valg.fag, &valg.laerer}) {
        if (!felt->empty())
            dele.push_back(*felt);
    }
    if (dele.empty())
        return "alle lektioner";
    return Opremsning(dele, " ");
}

bool ErLaererRegel(Art art) { return art >= Art::laererDage && art <= Art::laererITraek; }

// A teacher's or class's busy hours, by day.
using Dage = std::map<int32_t, std::set<int32_t>>;

struct Person {
    std::string navn;
    Dage dage;
};

// The people a limit concerns, each with the hours they teach or are taught.
std::vector<Person> Personer(const Regel& r, const std::vector<Lektionstime>& timer)
{
    std::map<std::string, Person> personer;
    const bool laerer = ErLaererRegel(r.art);
    if (laerer && !r.laerer.empty())
        personer[r.laerer].navn = r.laerer;
    if (!laerer && !r.hold.empty())
        personer[r.hold].navn = HvemTekst(r);
    for (const Lektionstime& t : timer) {
        std::vector<std::string> hvem;
        if (laerer) {
            for (const std::string& l : t.laerere) {
                if (r.laerer.empty() || l == r.laerer)
                    hvem.push_back(l);
            }
        } else if (!r.hold.empty()) {
            if (HarHold(t, r.hold, r.gruppe))
                hvem.push_back(r.hold);
        } else {
            for (const Deltager& d : t.deltagere)
                hvem.push_back(d.hold);
        }
        for (const std::string& h : hvem) {
            Person& p = personer[h];
            if (p.navn.empty())
                p.navn = h;
            p.dage[t.tid.dag].insert(t.tid.time);
        }
    }
    std::vector<Person> ud;
    for (auto& [navn, p] : personer)
        ud.push_back(std::move(p));
    return ud;
}

// Free hours between a day's first and last lesson; a break is no gap.
int32_t Huller(const std::set<int32_t>& dag, int32_t dagNr, const std::set<Tid>& pauser)
{
    if (dag.empty())
        return 0;
    int32_t huller = 0;
    for (int32_t t = *dag.begin(); t < *dag.rbegin(); ++t) {
        if (!dag.contains(t) && !pauser.contains({dagNr, t}))
            ++huller;
    }
    return huller;
}

int32_t LaengsteITraek(const std::set<int32_t>& dag)
{
    int32_t laengst = 0;
    int32_t loeb = 0;
    int32_t forrige = -2;
    for (const int32_t t : dag) {
        loeb = t == forrige + 1 ? loeb + 1 : 1;
        laengst = std::max(laengst, loeb);
        forrige = t;
    }
    return laengst;
}

// Per day over a limit: the amount over (or under) it, and the words for it.
struct Dagsbrud {
    int32_t brud = 0;
    std::vector<std::string> dage;
};

template <typename Maal>
Dagsbrud PrDag(const Person& p, int32_t graense, bool mindst, Maal maal)
{
    Dagsbrud ud;
    for (const auto& [dag, timer] : p.dage) {
        const int32_t vaerdi = maal(dag, timer);
        const int32_t brud = mindst ? graense - vaerdi : vaerdi - graense;
        if (brud > 0) {
            ud.brud += brud;
            ud.dage.push_back(std::to_string(vaerdi) + " " + DagNavn(dag));
        }
    }
    return ud;
}

// "4 timer om dagen", "1 hul om dagen", "2 timer i træk": the limit of a rule counted per day.
std::string DagsgraenseTekst(Art art, int32_t graense)
{
    switch (art) {
    case Art::laererHullerDag:
    case Art::holdHullerDag:
        return Antal(graense, "hul", "huller") + " om dagen";
    case Art::laererITraek:
        return Antal(graense, "time", "timer") + " i træk";
    default:
        return Antal(graense, "time", "timer") + " om dagen";
    }
}

// One person's breach of a limit: how much, and the words; nothing when kept.
std::pair<int32_t, std::string> PersonBrud(const Regel& r, const Person& p, const std::set<Tid>& pauser)
{
    switch (r.art) {
    case Art::laererDage: {
        const auto dage = static_cast<int32_t>(p.dage.size());
        if (dage <= r.graense)
            return {0, ""};
        return {dage - r.graense,
                p.navn + " må højst have " + Antal(r.graense, "dag", "dage") + ", men har " + std::to_string(dage)};
    }
    case Art::laererHullerUge:
    case Art::holdHullerUge: {
        int32_t huller = 0;
        for (const auto& [dag, timer] : p.dage)
            huller += Huller(timer, dag, pauser);
        if (huller <= r.graense)
            return {0, ""};
        return {huller - r.graense, p.navn + " må højst have " + Antal(r.graense, "hul", "huller") +
                                        " om ugen, men har " + std::to_string(huller)};
    }
    case Art::laererMindstTimer:
    case Art::holdMindstTimer: {
        const Dagsbrud b = PrDag(p, r.graense, true,
                                 [](int32_t, const std::set<int32_t>& t) { return static_cast<int32_t>(t.size()); });
        if (b.brud == 0)
            return {0, ""};
        return {b.brud, p.navn + " skal have mindst " + Antal(r.graense, "time", "timer") +
                            " de dage, der har undervisning, men har " + KortOpremsning(b.dage)};
    }
    case Art::holdTidligStart: {
        int32_t anden = 0;
        int32_t senere = 0;
        for (const auto& [dag, timer] : p.dage) {
            anden += *timer.begin() == 1 ? 1 : 0;
            senere += *timer.begin() > 1 ? 1 : 0;
        }
        const int32_t brud = std::max(0, anden - r.graense) + senere;
        if (brud == 0)
            return {0, ""};
        return {brud, p.navn + " skal begynde i 1. time og højst " + Antal(r.graense, "gang", "gange") +
                          " i 2. time, men begynder " + Antal(anden, "gang", "gange") + " i 2. time og " +
                          Antal(senere, "gang", "gange") + " senere"};
    }
    default:
        break;
    }
    const Dagsbrud b = PrDag(p, r.graense, false, [&](int32_t dag, const std::set<int32_t>& t) {
        if (r.art == Art::laererITraek)
            return LaengsteITraek(t);
        if (r.art == Art::laererHullerDag || r.art == Art::holdHullerDag)
            return Huller(t, dag, pauser);
        return static_cast<int32_t>(t.size());
    });
    if (b.brud == 0)
        return {0, ""};
    return {b.brud,
            p.navn + " må højst have " + DagsgraenseTekst(r.art, r.graense) + ", men har " + KortOpremsning(b.dage)};
}

Tilstand Graense(const Regel& r, const std::vector<Lektionstime>& timer, const std::set<Tid>& pauser)
{
    Tilstand ud;
    std::vector<std::string> tekster;
    for (const Person& p : Personer(r, timer)) {
        const auto [brud, tekst] = PersonBrud(r, p, pauser);
        ud.brud += brud;
        if (brud > 0)
            tekster.push_back(tekst);
    }
    for (size_t i = 0; i < tekster.size() && i < 3; ++i)
        ud.tekst += (i == 0 ? "" : "; ") + tekster[i];
    if (tekster.size() > 3)
        ud.tekst += "; og " + std::to_string(tekster.size() - 3) + " flere";
    return ud;
}

Tilstand Lukket(const Regel& r, const std::vector<Lektionstime>& timer)
{
    const std::set<Tid> lukket(r.tider.begin(), r.tider.end());
    std::set<Tid> ramte;
    for (const Lektionstime& t : timer) {
        if (lukket.contains(t.tid) && Rammer(r, t))
            ramte.insert(t.tid);
    }
    if (ramte.empty())
        return {};
    std::vector<std::string> tider;
    for (const Tid tid : ramte)
        tider.push_back(TidTekst(tid));
    const std::string hvem = r.art == Art::pause ? "Der er pause" : HvemTekst(r) + " er ikke til rådighed";
    const std::string har = r.art == Art::pause ? "der er undervisning" : "har undervisning";
    return {static_cast<int32_t>(ramte.size()), hvem + " " + KortOpremsning(tider) + ", men " + har + " da"};
}

// The hours a start time or time slot allows, its alternatives' included.
std::set<Tid> Tilladte(const Regel& r, const std::vector<Regel>& regler)
{
    std::set<Tid> tilladte(r.tider.begin(), r.tider.end());
    for (const Regel& anden : regler) {
        if (Alternativer(r, anden))
            tilladte.insert(anden.tider.begin(), anden.tider.end());
    }
    return tilladte;
}

Tilstand Starttider(const Regel& r, const std::vector<Regel>& regler, const std::vector<Lektionstime>& timer)
{
    const std::set<Tid> tilladte = Tilladte(r, regler);
    std::set<Tid> udenfor;
    int32_t brud = 0;
    for (const Lektionstime& t : timer) {
        if ((r.art == Art::tidsrum || t.start) && Rammer(r, t) && !tilladte.contains(t.tid)) {
            ++brud;
            udenfor.insert(t.tid);
        }
    }
    if (brud == 0)
        return {};
    std::vector<std::string> tider;
    for (const Tid tid : udenfor)
        tider.push_back(TidTekst(tid));
    const std::string hvad = r.art == Art::starttid ? "må kun begynde på de valgte tider, men begynder "
                                                    : "må kun ligge i de valgte timer, men ligger ";
    return {brud, ValgTekst(r.lektioner) + " " + hvad + KortOpremsning(tider)};
}

// The hours each named lesson begins.
std::vector<std::set<Tid>> StarterAf(const Regel& r, const std::vector<Lektionstime>& timer)
{
    std::vector<std::set<Tid>> ud(r.sammen.size());
    for (size_t i = 0; i < r.sammen.size(); ++i) {
        for (const Lektionstime& t : timer) {
            if (t.start && Passer(r.sammen[i], t))
                ud[i].insert(t.tid);
        }
    }
    return ud;
}

std::string SammenTekst(const Regel& r)
{
    std::vector<std::string> navne;
    for (const Lektionsvalg& v : r.sammen)
        navne.push_back(ValgTekst(v));
    return KortOpremsning(navne);
}

// Broken by the lessons that do not begin at the hour most of them share.
Tilstand SammeStart(const Regel& r, const std::vector<Lektionstime>& timer)
{
    const std::vector<std::set<Tid>> starter = StarterAf(r, timer);
    std::map<Tid, int32_t> antal;
    for (const auto& s : starter) {
        for (const Tid tid : s)
            ++antal[tid];
    }
    int32_t flest = 0;
    for (const auto& [tid, a] : antal)
        flest = std::max(flest, a);
    const auto placerede = static_cast<int32_t>(
        std::count_if(starter.begin(), starter.end(), [](const std::set<Tid>& s) { return !s.empty(); }));
    const int32_t brud = placerede - flest;
    if (brud == 0)
        return {};
    return {brud, SammenTekst(r) + " skal begynde samtidig, men " + std::to_string(brud) + " begynder" +
                      " på et andet tidspunkt"};
}

// Broken by the pairs of lessons fewer days apart than asked.
Tilstand DageImellem(const Regel& r, const std::vector<Lektionstime>& timer)
{
    std::vector<int32_t> dage;
    for (const auto& s : StarterAf(r, timer)) {
        for (const Tid tid : s)
            dage.push_back(tid.dag);
    }
    int32_t par = 0;
    for (size_t i = 0; i < dage.size(); ++i) {
        for (size_t j = i + 1; j < dage.size(); ++j)
            par += std::abs(dage[i] - dage[j]) < r.graense ? 1 : 0;
    }
    if (par == 0)
        return {};
    return {par, SammenTekst(r) + " skal ligge mindst " + Antal(r.graense, "dag", "dage") + " fra hinanden, men " +
                     std::to_string(par) + " par ligger tættere"};
}

} // namespace

std::string HvemTekst(const Regel& r)
{
    if (ErLaererRegel(r.art))
        return r.laerer.empty() ? "Alle lærere" : r.laerer;
    if (!r.hold.empty())
        return r.gruppe.empty() ? r.hold : r.hold + " " + r.gruppe;
    if (!r.lokale.empty())
        return "Lokale " + r.lokale;
    if (!r.laerer.empty())
        return r.laerer;
    return "Alle hold";
}

bool Rammer(const Regel& r, const Lektionstime& t)
{
    switch (r.art) {
    case Art::pause:
        return true;
    case Art::lukket:
        if (!r.hold.empty())
            return HarHold(t, r.hold, r.gruppe);
        if (!r.lokale.empty())
            return Indeholder(t.lokaler, r.lokale);
        if (!r.laerer.empty())
            return Indeholder(t.laerere, r.laerer);
        return true;
    case Art::starttid:
    case Art::tidsrum:
        return Passer(r.lektioner, t);
    default:
        return false;
    }
}

bool Alternativer(const Regel& a, const Regel& b)
{
    return (a.art == Art::starttid || a.art == Art::tidsrum) && a.art == b.art &&
           (a.vaegt >= krav) == (b.vaegt >= krav) && a.lektioner == b.lektioner;
}

std::string Navn(Art art)
{
    for (const auto& [a, navn] : Navne()) {
        if (a == art)
            return navn;
    }
    return "";
}

std::optional<Art> ArtNavngivet(const std::string& navn)
{
    for (const auto& [a, n] : Navne()) {
        if (n == navn)
            return a;
    }
    return std::nullopt;
}

const std::vector<Art>& AlleArter()
{
    static const std::vector<Art> arter = [] {
        std::vector<Art> ud;
        for (const auto& [a, navn] : Navne())
            ud.push_back(a);
        return ud;
    }();
    return arter;
}

std::string Beskrivelse(const Regel& r)
{
    switch (r.art) {
    case Art::pause:
        return "Pause i " + Antal(static_cast<int32_t>(r.tider.size()), "time", "timer");
    case Art::lukket:
        return HvemTekst(r) + ": ikke til rådighed i " + Antal(static_cast<int32_t>(r.tider.size()), "time", "timer");
    case Art::laererDage:
        return HvemTekst(r) + ": højst " + Antal(r.graense, "dag", "dage");
    case Art::laererTimer:
    case Art::holdTimer:
    case Art::laererHullerDag:
    case Art::holdHullerDag:
    case Art::laererITraek:
        return HvemTekst(r) + ": højst " + DagsgraenseTekst(r.art, r.graense);
    case Art::laererMindstTimer:
    case Art::holdMindstTimer:
        return HvemTekst(r) + ": mindst " + Antal(r.graense, "time", "timer") + " de dage, der har undervisning";
    case Art::laererHullerUge:
    case Art::holdHullerUge:
        return HvemTekst(r) + ": højst " + Antal(r.graense, "hul", "huller") + " om ugen";
    case Art::holdTidligStart:
        return HvemTekst(r) + ": begynder i 1. time, højst " + Antal(r.graense, "gang", "gange") + " i 2. time";
    case Art::starttid:
        return ValgTekst(r.lektioner) + ": begynder kun på " +
               Antal(static_cast<int32_t>(r.tider.size()), "valgt tid", "valgte tider");
    case Art::tidsrum:
        return ValgTekst(r.lektioner) + ": ligger kun i " +
               Antal(static_cast<int32_t>(r.tider.size()), "valgt time", "valgte timer");
    case Art::sammeStart:
        return SammenTekst(r) + ": begynder samtidig";
    case Art::dageImellem:
        return SammenTekst(r) + ": mindst " + Antal(r.graense, "dag", "dage") + " imellem";
    }
    return "";
}

std::vector<Tilstand> Vurder(const std::vector<Regel>& regler, const std::vector<Lektionstime>& timer)
{
    std::set<Tid> pauser;
    for (const Regel& r : regler) {
        if (r.art == Art::pause && r.vaegt >= krav)
            pauser.insert(r.tider.begin(), r.tider.end());
    }
    std::vector<Tilstand> ud;
    for (const Regel& r : regler) {
        switch (r.art) {
        case Art::pause:
        case Art::lukket:
            ud.push_back(Lukket(r, timer));
            break;
        case Art::starttid:
        case Art::tidsrum:
            ud.push_back(Starttider(r, regler, timer));
            break;
        case Art::sammeStart:
            ud.push_back(SammeStart(r, timer));
            break;
        case Art::dageImellem:
            ud.push_back(DageImellem(r, timer));
            break;
        default:
            ud.push_back(Graense(r, timer, pauser));
            break;
        }
    }
    return ud;
}

} // namespace planregler
