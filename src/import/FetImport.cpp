#include "import/FetImport.h"

#include "base/Opremsning.h"
#include "base/Uge.h"
#include "import/Elevhold.h"
#include "import/XmlElement.h"
#include "regler/Planregler.h"
#include "skoledata/Skoledatabase.h"
#include "skoledata/Skoleregler.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <map>
#include <numeric>
#include <optional>
#include <set>
#include <stdexcept>
#include <tuple>

namespace fetImport {

namespace {

const std::string& stamlokale = stamlokaleType;
const std::string udenFag = "Uden fag";

// The rooms a lesson may use, as the file requires them; empty for the class's own.
using Lokaler = std::set<std::string>;
// Hours per set of rooms asked for.
using Lokaleoensker = std::map<Lokaler, int32_t>;

// One part of a split activity: its id, length and the rooms it requires.
struct Del {
    std::string id;
    int32_t varighed = 0;
    Lokaler lokaler;
};

// One activity of the file with its split parts, all naming the same subject, teachers and students.
struct Aktivitet {
    std::string id;
    std::string fag;
    std::vector<std::string> laerere;
    std::vector<std::string> elever;
    std::vector<Del> dele;
};

// The hours one teacher gives one whole class in one subject, as the specified lesson holds them.
struct Undervisning {
    std::string laerer;
    int32_t timer = 0;
    int32_t blok = 1;
    Lokaleoensker lokaler;
};

// A lesson that the specified one cannot hold: classes or groups together, several or no teachers, no students,
// or a class's subject again with another teacher or block.
struct Lektion {
    std::string id;
    std::string fag;
    int32_t timer = 0;
    int32_t blok = 1;
    std::vector<Deltager> deltagere;
    std::vector<std::string> laerere;
    std::vector<Lokaler> behov; // one room of each set; none asked for when empty
};

int32_t Tal(const std::string& tekst)
{
    int32_t tal = 0;
    std::from_chars(tekst.data(), tekst.data() + tekst.size(), tal);
    return tal;
}

// The whole number the text spells, and nothing else; none when it is not one.
std::optional<int32_t> Heltal(const std::string& tekst)
{
    int32_t tal = 0;
    const auto [slut, fejl] = std::from_chars(tekst.data(), tekst.data() + tekst.size(), tal);
    if (fejl != std::errc{} || slut != tekst.data() + tekst.size())
        return std::nullopt;
    return tal;
}

// The names of the days or hours; older files give the name as the element's own text.
std::vector<std::string> Navne(const XmlElement* liste, const std::string& element)
{
    std::vector<std::string> navne;
    if (liste == nullptr)
        return navne;
    for (const XmlElement* e : liste->Boern(element))
        navne.push_back(e->Barn("Name") != nullptr ? e->Tekst("Name") : e->tekst);
    return navne;
}

bool ErAktiv(const XmlElement& e) { return e.Tekst("Active") != "false"; }

// A constraint's weight as a whole percentage, 1-100; 0 when it asks for nothing.
int32_t Vaegt(const XmlElement& begraensning)
{
    const std::string vaegt = begraensning.Tekst("Weight_Percentage");
    double procent = 100;
    std::from_chars(vaegt.data(), vaegt.data() + vaegt.size(), procent);
    return static_cast<int32_t>(std::clamp(procent, 0.0, 100.0));
}

// A constraint below 100 % is a wish the file's own solver may break; only a full weight is a requirement.
bool ErKrav(const XmlElement& begraensning) { return Vaegt(begraensning) >= planregler::krav; }

// The rooms a room constraint names.
Lokaler LokalerI(const XmlElement& begraensning)
{
    Lokaler lokaler;
    for (const char* element : {"Room", "Preferred_Room"}) {
        for (const XmlElement* e : begraensning.Boern(element))
            lokaler.insert(e->tekst);
    }
    return lokaler;
}

std::string Antal(int32_t antal, const std::string& ental, const std::string& flertal)
{
    return std::to_string(antal) + " " + (antal == 1 ? ental : flertal);
}

// A room type holding several rooms is named by them, shortened when they are many.
std::string TypenavnAf(const Lokaler& lokaler)
{
    constexpr size_t laengst = 40;
    const std::string navn = Opremsning(lokaler, "+");
    if (lokaler.size() == 1 || navn.size() <= laengst)
        return navn;
    return *lokaler.begin() + "+" + std::to_string(lokaler.size() - 1) + " andre";
}

class Oversaettelse {
public:
    Oversaettelse(const XmlElement& rod, const std::string& planId, std::vector<std::string>& rapport)
        : rod_(rod), planId_(planId), rapport_(rapport)
    {
    }

    bool Udfoer(Skoledata& ud, std::string& fejl)
    {
        LaesUge();
        const Uge uge = Ugen();
        if (!uge.Gyldig()) {
            fejl = "Filens uge har " + std::to_string(uge.dage) + " dage og " + std::to_string(uge.timer) +
                   " timer pr. dag; skemaet har plads til 1-" + std::to_string(maksDage) + " dage og 1-" +
                   std::to_string(maksTimer) + " timer pr. dag";
            return false;
        }
        LaesErklaerede();
        LaesLokaleOensker();
        LaesAktiviteter();
        FordelAktiviteter();
        FindHjemlokaler();
        NavngivFag();
        TildelLokaler();
        // A plan without a lesson to place is no use, and the file then almost surely needs what we lack.
        if (undervisning_.empty() && lektioner_.empty()) {
            RapporterOverfoert();
            fejl = "Filen har ingen undervisning, der kan overføres: ingen aktiv aktivitet har en brugbar varighed "
                   "og en lærer eller elever (rapporten nævner hver aktivitet og hvorfor)";
            return false;
        }
        Byg(ud);
        LaesUtilgaengeligeTider(ud);
        LaesLokalernesLukketider(ud);
        RapporterOevrige();
        RapporterOverfoert();
        return true;
    }

private:
    // A file in the mode of mornings and afternoons stores each day as two: its week is half as many days, each
    // with the hours of both halves, when that fits the grid.
    void LaesUge()
    {
        dage_ = Navne(rod_.Barn("Days_List"), "Day");
        timer_ = Navne(rod_.Barn("Hours_List"), "Hour");
        const auto halve = static_cast<int32_t>(dage_.size());
        const auto timer = static_cast<int32_t>(timer_.size());
        halvdage_ = rod_.Tekst("Mode") == "Mornings_Afternoons" && halve % 2 == 0 && Uge{halve / 2, 2 * timer}.Gyldig();
        if (halvdage_)
            rapport_.push_back("Filen deler hver dag i formiddag og eftermiddag: " + std::to_string(halve) +
                               " halve dage à " + Antal(timer, "time", "timer") + " er lagt som " +
                               std::to_string(halve / 2) + " dage à " + Antal(2 * timer, "time", "timer"));
    }

    Uge Ugen() const
    {
        const auto dage = static_cast<int32_t>(dage_.size());
        const auto timer = static_cast<int32_t>(timer_.size());
        return halvdage_ ? Uge{dage / 2, 2 * timer} : Uge{dage, timer};
    }

    // Day and hour in the plan of a day and hour the file names; nothing when the file's week has no such.
    std::optional<std::pair<int32_t, int32_t>> TidAf(const std::string& dag, const std::string& time) const
    {
        const auto d = std::find(dage_.begin(), dage_.end(), dag);
        const auto t = std::find(timer_.begin(), timer_.end(), time);
        if (d == dage_.end() || t == timer_.end())
            return std::nullopt;
        const auto dagNr = static_cast<int32_t>(d - dage_.begin());
        const auto timeNr = static_cast<int32_t>(t - timer_.begin());
        if (!halvdage_)
            return std::pair{dagNr, timeNr};
        return std::pair{dagNr / 2, (dagNr % 2) * static_cast<int32_t>(timer_.size()) + timeNr};
    }

    void LaesErklaerede()
    {
        for (const auto& [liste, element, hvad] :
             {std::tuple{"Teachers_List", "Teacher", "læreren"}, std::tuple{"Subjects_List", "Subject", "faget"}}) {
            if (const XmlElement* l = rod_.Barn(liste)) {
                for (const XmlElement* e : l->Boern(element))
                    erklaerede_[hvad].insert(e->Tekst("Name"));
            }
        }
        erklaerede_["faget"].insert(udenFag);
        if (const XmlElement* elever = rod_.Barn("Students_List")) {
            for (const XmlElement* aargang : elever->Boern("Year")) {
                erklaerede_["holdet"].insert(aargang->Tekst("Name"));
                for (const XmlElement* gruppe : aargang->Boern("Group")) {
                    erklaerede_["holdet"].insert(gruppe->Tekst("Name"));
                    for (const XmlElement* undergruppe : gruppe->Boern("Subgroup"))
                        erklaerede_["holdet"].insert(undergruppe->Tekst("Name"));
                }
            }
        }
    }

    // A name the file uses without declaring it is most likely a slip of the pen: say so.
    void RapporterUerklaerede(const Aktivitet& a)
    {
        std::vector<std::string> navne;
        const auto kontroller = [&](const std::string& hvad, const std::string& navn) {
            if (!erklaerede_[hvad].contains(navn))
                navne.push_back(hvad + " " + navn);
        };
        for (const std::string& laerer : a.laerere)
            kontroller("læreren", laerer);
        kontroller("faget", a.fag);
        for (const std::string& hold : a.elever)
            kontroller("holdet", hold);
        if (navne.empty())
            return;
        std::string liste;
        for (size_t i = 0; i < navne.size(); ++i)
            liste += (i == 0 ? "" : i + 1 == navne.size() ? " og " : ", ") + navne[i];
        rapport_.push_back("Aktivitet " + a.id + " (" + a.fag + ") nævner " + liste +
                           ", som filen ikke har erklæret; overført, som det står");
    }

    // A virtual room stands for one room of each of several sets at once: no room here, but as the one room an
    // activity requires, the needs of a lesson of its own.
    void LaesVirtuelleLokaler()
    {
        if (const XmlElement* liste = rod_.Barn("Rooms_List")) {
            for (const XmlElement* lokale : liste->Boern("Room")) {
                if (lokale->Tekst("Virtual") != "true")
                    continue;
                std::vector<Lokaler>& saet = virtuelle_[lokale->Tekst("Name")];
                for (const XmlElement* s : lokale->Boern("Set_of_Real_Rooms")) {
                    Lokaler rum;
                    for (const XmlElement* r : s->Boern("Real_Room"))
                        rum.insert(r->tekst);
                    if (!rum.empty())
                        saet.push_back(rum);
                }
            }
        }
    }

    // The needs of a virtual room the rooms name alone; nothing for real rooms.
    std::optional<std::vector<Lokaler>> VirtuelleBehov(const Lokaler& lokaler) const
    {
        const auto virtuel = lokaler.size() == 1 ? virtuelle_.find(*lokaler.begin()) : virtuelle_.end();
        if (virtuel == virtuelle_.end())
            return std::nullopt;
        return virtuel->second;
    }

    void LaesLokaleOensker()
    {
        LaesVirtuelleLokaler();
        const XmlElement* liste = rod_.Barn("Space_Constraints_List");
        if (liste == nullptr)
            return;
        for (const XmlElement& b : liste->boern) {
            const Lokaler lokaler = LokalerI(b);
            const bool aktivitet = b.navn == "ConstraintActivityPreferredRoom" ||
                                   b.navn == "ConstraintActivityPreferredRooms";
            const bool fag = b.navn == "ConstraintSubjectPreferredRoom" || b.navn == "ConstraintSubjectPreferredRooms";
            const bool hjem = b.navn == "ConstraintStudentsSetHomeRoom";
            const bool brugbar = ErAktiv(b) && !lokaler.empty();
            const bool virtuel = std::any_of(lokaler.begin(), lokaler.end(),
                                             [&](const std::string& l) { return virtuelle_.contains(l); });
            if (ErAktiv(b) && !hjem)
                foretrukne_.insert(lokaler.begin(), lokaler.end());
            if (brugbar && (aktivitet || fag) && !ErKrav(b))
                ++oenskerUnderKrav_[b.navn];
            else if (brugbar && (aktivitet || fag || hjem) && virtuel &&
                     !((aktivitet || fag) && VirtuelleBehov(lokaler)))
                ++virtuelleOensker_[b.navn];
            else if (brugbar && aktivitet)
                aktivitetsLokaler_[b.Tekst("Activity_Id")] = lokaler;
            else if (brugbar && fag)
                fagLokaler_[b.Tekst("Subject")] = lokaler;
            else if (brugbar && hjem && lokaler.size() == 1)
                hjemLokale_[b.Tekst("Students")] = *lokaler.begin();
            else if (b.navn != "ConstraintBasicCompulsorySpace" && b.navn != "ConstraintRoomNotAvailableTimes")
                ++ikkeOverfoert_[b.navn];
        }
    }

    // The rooms the file requires for one activity (or split part): its own, else its subject's.
    Lokaler OenskedeLokaler(const XmlElement& a) const
    {
        const auto egne = aktivitetsLokaler_.find(a.Tekst("Id"));
        if (egne != aktivitetsLokaler_.end())
            return egne->second;
        const auto fagets = fagLokaler_.find(a.Tekst("Subject"));
        return fagets != fagLokaler_.end() ? fagets->second : Lokaler{};
    }

    // Counts an activity that is not carried over by why, and names it in the report.
    void Afvis(const std::string& id, const std::string& fag, const std::string& grund, const std::string& art,
               int32_t timer)
    {
        rapport_.push_back("Aktivitet " + id + " (" + fag + ") " + grund + "; ikke overført");
        ++afviste_[art].first;
        afviste_[art].second += timer;
    }

    // The file's active activities with their split parts. A part naming another subject, teacher or students
    // than the activity it belongs to is an activity of its own; an inactive part is skipped.
    void LaesAktiviteter()
    {
        const XmlElement* liste = rod_.Barn("Activities_List");
        if (liste == nullptr)
            return;
        std::map<std::tuple<std::string, std::string, std::vector<std::string>, std::vector<std::string>>, size_t>
            grupper; // (group id, subject, teachers, students) -> index into aktiviteter_
        std::map<std::string, std::string> foersteDel; // group id -> the id of its first part
        std::set<std::string> ider;
        for (const XmlElement* a : liste->Boern("Activity")) {
            const std::string id = a->Tekst("Id");
            // An activity without a subject still keeps its teachers and students busy.
            const std::string fag = a->Tekst("Subject").empty() ? udenFag : a->Tekst("Subject");
            if (!ider.insert(id).second) {
                rapport_.push_back("Aktivitet " + id + " (" + fag +
                                   ") findes to gange i filen; den anden er ikke overført");
                continue;
            }
            const std::string tekst = a->Tekst("Duration");
            const std::optional<int32_t> varighed = Heltal(tekst);
            const int32_t timer = varighed && *varighed >= 1 && *varighed <= maksCeller ? *varighed : 0;
            if (!ErAktiv(*a)) {
                ++inaktive_.first;
                inaktive_.second += timer;
                continue;
            }
            aktiveTimer_ += timer;
            // A lesson is one block within a day.
            const int32_t dagensTimer = Ugen().timer;
            if (!varighed || *varighed < 1 || *varighed > dagensTimer) {
                Afvis(id, fag,
                      "varer \"" + tekst + "\"; en lektion varer 1-" + std::to_string(dagensTimer) + " timer i træk",
                      "med en varighed, der ikke kan bruges", timer);
                continue;
            }
            std::vector<std::string> laerere;
            for (const XmlElement* l : a->Boern("Teacher"))
                laerere.push_back(l->tekst);
            std::vector<std::string> elever;
            for (const XmlElement* e : a->Boern("Students"))
                elever.push_back(e->tekst);
            const std::string gruppeId = Tal(a->Tekst("Activity_Group_Id")) != 0 ? a->Tekst("Activity_Group_Id") : id;
            const auto [gruppe, ny] = grupper.try_emplace({gruppeId, fag, laerere, elever}, aktiviteter_.size());
            if (ny) {
                const auto [foerste, allerede] = foersteDel.try_emplace(gruppeId, id);
                if (!allerede)
                    rapport_.push_back("Aktivitet " + id + " (" + fag + ") er en del af aktivitet " + foerste->second +
                                       ", men nævner et andet fag, hold eller andre lærere; lagt for sig");
                aktiviteter_.push_back({id, fag, laerere, elever, {}});
            }
            aktiviteter_[gruppe->second].dele.push_back({id, *varighed, OenskedeLokaler(*a)});
        }
    }

    // Empty when the activity's names can all be ids of the plan, otherwise why not.
    static std::string NavneFejl(const Aktivitet& a)
    {
        std::vector<std::pair<std::string, std::string>> navne{{"faget", a.fag}};
        for (const std::string& l : a.laerere)
            navne.emplace_back("læreren", l);
        for (const std::string& e : a.elever)
            navne.emplace_back("holdet", e);
        for (const auto& [hvad, navn] : navne) {
            if (const std::string fejl = skoleregler::IdFejl(navn); !fejl.empty())
                return "nævner " + hvad + " \"" + navn + "\", som " + fejl;
        }
        return "";
    }

    // Each activity becomes the specified lesson where that holds it (one teacher, one whole class, the class's
    // subject with that teacher and block), else a lesson of its own; parts of different lengths are one lesson
    // per length.
    void FordelAktiviteter()
    {
        std::vector<const Aktivitet*> brugbare;
        std::set<std::string> underviste;
        for (const Aktivitet& a : aktiviteter_) {
            const int32_t timer = std::accumulate(a.dele.begin(), a.dele.end(), 0,
                                                  [](int32_t sum, const Del& d) { return sum + d.varighed; });
            if (const std::string fejl = NavneFejl(a); !fejl.empty()) {
                Afvis(a.id, a.fag, fejl, "med et navn, der ikke kan bruges", timer);
            } else if (a.laerere.empty() && a.elever.empty()) {
                Afvis(a.id, a.fag, "har hverken lærer eller elever", "uden lærer og elever", timer);
            } else {
                RapporterUerklaerede(a);
                udenFagAntal_ += a.fag == udenFag ? 1 : 0;
                brugbare.push_back(&a);
                underviste.insert(a.elever.begin(), a.elever.end());
            }
        }
        elevhold_.emplace(rod_.Barn("Students_List"), underviste);
        for (const Aktivitet* a : brugbare) {
            // In the order the lengths first come, so the first part decides which is the specified lesson.
            std::vector<std::pair<int32_t, std::vector<const Del*>>> efterLaengde;
            for (const Del& d : a->dele) {
                auto laengde = std::find_if(efterLaengde.begin(), efterLaengde.end(),
                                            [&](const auto& l) { return l.first == d.varighed; });
                if (laengde == efterLaengde.end())
                    laengde = efterLaengde.insert(efterLaengde.end(), {d.varighed, {}});
                laengde->second.push_back(&d);
            }
            if (efterLaengde.size() > 1)
                rapport_.push_back("Aktivitet " + a->id + " (" + a->fag +
                                   ") er delt i dele af forskellig længde; hver længde er sin egen lektion");
            const std::vector<Deltager> deltagere = DeltagereAf(*a);
            for (const auto& [laengde, dele] : efterLaengde)
                Fordel(*a, deltagere, laengde, dele);
        }
    }

    // The classes and groups of an activity's students sets; a group of a class that comes whole is left out.
    std::vector<Deltager> DeltagereAf(const Aktivitet& a) const
    {
        std::set<Deltager> alle;
        for (const std::string& saet : a.elever) {
            for (const Deltager& d : elevhold_->Deltagere(saet))
                alle.insert(d);
        }
        std::vector<Deltager> ud;
        for (const Deltager& d : alle) {
            if (d.gruppe == skoleregler::tomMarkoer || !alle.contains(Deltager{d.hold, skoleregler::tomMarkoer}))
                ud.push_back(d);
        }
        return ud;
    }

    // The parts' rooms as one need: a room any of them requires.
    static std::vector<Lokaler> EtBehov(const Lokaleoensker& oensker)
    {
        Lokaler lokaler;
        for (const auto& [l, t] : oensker)
            lokaler.insert(l.begin(), l.end());
        if (lokaler.empty())
            return {};
        return {lokaler};
    }

    void Fordel(const Aktivitet& a, const std::vector<Deltager>& deltagere, int32_t laengde,
                const std::vector<const Del*>& dele)
    {
        const auto timer = static_cast<int32_t>(dele.size()) * laengde;
        Lokaleoensker oensker;
        for (const Del* d : dele)
            oensker[d->lokaler] += d->varighed;
        std::optional<std::vector<Lokaler>> virtuelle;
        for (const auto& [l, t] : oensker)
            virtuelle = virtuelle ? virtuelle : VirtuelleBehov(l);
        const bool specificeret = a.laerere.size() == 1 && deltagere.size() == 1 &&
                                  deltagere.front().gruppe == skoleregler::tomMarkoer &&
                                  laengde <= skoleregler::Graenser(Felt::Blok)->hoejst && !virtuelle;
        if (specificeret) {
            const auto [u, ny] = undervisning_.try_emplace({deltagere.front().hold, a.fag},
                                                           Undervisning{a.laerere.front(), timer, laengde, oensker});
            for (const Del* d : dele)
                delensLektion_[d->id] = {deltagere.front().hold, a.fag, ""};
            if (ny)
                return;
            if (u->second.laerer == a.laerere.front() && u->second.blok == laengde) {
                u->second.timer += timer;
                for (const auto& [lokaler, t] : oensker)
                    u->second.lokaler[lokaler] += t;
                return;
            }
        }
        std::vector<std::string> laerere = a.laerere;
        std::sort(laerere.begin(), laerere.end());
        laerere.erase(std::unique(laerere.begin(), laerere.end()), laerere.end());
        for (const Del* d : dele)
            delensLektion_[d->id] = {"", "", dele.front()->id};
        lektioner_.push_back(
            {dele.front()->id, a.fag, timer, laengde, deltagere, laerere, virtuelle ? *virtuelle : EtBehov(oensker)});
    }

    // A room that each of a class's subjects asks for (some split parts may ask for nothing), and that no other
    // class asks for, is that class's home room.
    void FindHjemlokaler()
    {
        for (const auto& [saet, lokale] : std::map(hjemLokale_)) {
            if (const auto klasse = elevhold_->HeleHoldet(saet))
                hjemLokale_.try_emplace(*klasse, lokale);
        }
        std::map<std::string, std::set<Lokaler>> holdetsOensker;
        std::set<std::string> udenOenske; // classes with a subject that asks for no room
        std::map<std::string, std::set<std::string>> lokaletsHold;
        for (const auto& [noegle, u] : undervisning_) {
            bool oensker = false;
            for (const auto& [lokaler, timer] : u.lokaler) {
                if (lokaler.empty())
                    continue;
                oensker = true;
                holdetsOensker[noegle.first].insert(lokaler);
                for (const std::string& l : lokaler)
                    lokaletsHold[l].insert(noegle.first);
            }
            if (!oensker)
                udenOenske.insert(noegle.first);
        }
        for (const auto& [hold, oensker] : holdetsOensker) {
            const Lokaler& lokaler = *oensker.begin();
            if (udenOenske.contains(hold) || oensker.size() != 1 || lokaler.size() != 1 ||
                lokaletsHold[*lokaler.begin()].size() != 1)
                continue;
            hjemLokale_.try_emplace(hold, *lokaler.begin());
            for (auto& [noegle, u] : undervisning_) {
                if (noegle.first == hold)
                    u.lokaler = {{Lokaler{}, u.timer}};
            }
        }
    }

    // A subject's weekly hours belong to the subject here, so each hour count (and block size) gets a subject of its
    // own.
    void NavngivFag()
    {
        std::map<std::string, std::set<std::pair<int32_t, int32_t>>> varianter;
        for (const auto& [noegle, u] : undervisning_)
            varianter[noegle.second].insert({u.timer, u.blok});
        for (const auto& [noegle, u] : undervisning_) {
            const auto& v = varianter[noegle.second];
            std::string id = noegle.second;
            if (v.size() > 1) {
                id += "_" + std::to_string(u.timer);
                const auto sammeTimer = std::count_if(v.begin(), v.end(),
                                                      [timer = u.timer](const auto& p) { return p.first == timer; });
                if (sammeTimer > 1)
                    id += "_blok" + std::to_string(u.blok);
            }
            fagId_[noegle] = id;
            for (const auto& [lokaler, timer] : u.lokaler)
                fagOensker_[id][lokaler] += timer;
            fag_[id] = {u.timer, u.blok};
        }
    }

    // The rooms a subject is taught in: those its lessons require, all of them when they differ, or the classes'
    // home rooms when most of its hours require none.
    Lokaler FagetsLokaler(const std::string& fag, const Lokaleoensker& oensker)
    {
        Lokaler alle;
        int32_t medOenske = 0;
        int32_t udenOenske = 0;
        for (const auto& [lokaler, timer] : oensker) {
            alle.insert(lokaler.begin(), lokaler.end());
            (lokaler.empty() ? udenOenske : medOenske) += timer;
        }
        if (alle.empty())
            return {};
        if (udenOenske > medOenske) {
            rapport_.push_back("Fag " + fag + " ønsker forskellige lokaler; undervises i holdenes stamlokaler (" +
                               std::to_string(medOenske) + " af " + std::to_string(medOenske + udenOenske) +
                               " timer ønskede " + Opremsning(alle) + ")");
            return {};
        }
        if (oensker.size() > 1)
            rapport_.push_back("Fag " + fag + " ønsker forskellige lokaler; alle dets timer kan bruge " +
                               Opremsning(alle) +
                               (udenOenske > 0 ? ", også " + Antal(udenOenske, "time", "timer") + " uden ønske" : ""));
        return alle;
    }

    // A room has one type, so rooms that subjects ask for together are one type; a subject whose rooms are shared
    // with other subjects' may then use them all.
    void TildelLokaler()
    {
        std::map<std::string, Lokaler> fagetsLokaler;
        std::vector<Lokaler> typer;
        for (const auto& [fag, oensker] : fagOensker_) {
            const Lokaler lokaler = FagetsLokaler(fag, oensker);
            fagetsLokaler[fag] = lokaler;
            if (lokaler.empty())
                continue;
            Lokaler type = lokaler;
            for (auto t = typer.begin(); t != typer.end();) {
                const bool deler = std::any_of(t->begin(), t->end(),
                                               [&](const std::string& l) { return lokaler.contains(l); });
                if (deler) {
                    type.insert(t->begin(), t->end());
                    t = typer.erase(t);
                } else {
                    ++t;
                }
            }
            typer.push_back(type);
        }
        for (const Lokaler& type : typer) {
            for (const std::string& lokale : type)
                saerlokaler_[lokale] = TypenavnAf(type);
        }
        for (const auto& [fag, lokaler] : fagetsLokaler) {
            if (lokaler.empty()) {
                lokaletype_[fag] = stamlokale;
                continue;
            }
            const std::string& type = saerlokaler_.at(*lokaler.begin());
            lokaletype_[fag] = type;
            Lokaler ogsaa;
            for (const auto& [lokale, t] : saerlokaler_) {
                if (t == type && !lokaler.contains(lokale))
                    ogsaa.insert(lokale);
            }
            if (!ogsaa.empty())
                rapport_.push_back("Fag " + fag + " ønsker " + Opremsning(lokaler) + "; lokaletypen " + type +
                                   " rummer også " + Opremsning(ogsaa) + ", som andre fag ønsker sammen med dem");
        }
        // A room that lessons require, or that the file prefers for some, is no class's own.
        const std::set<std::string> kraevede = LektionernesLokaler();
        std::set<std::string> ubrugte;
        std::vector<std::string> ledige;
        if (const XmlElement* liste = rod_.Barn("Rooms_List")) {
            for (const XmlElement* lokale : liste->Boern("Room")) {
                const std::string navn = lokale->Tekst("Name");
                if (virtuelle_.contains(navn))
                    rapport_.push_back("Lokale " + navn +
                                       " er virtuelt (flere lokaler på én gang): ikke et lokale her, men " +
                                       "lokalebehov for de aktiviteter, der kræver det");
                else if (saerlokaler_.contains(navn) || ErOensketHjem(navn) || kraevede.contains(navn))
                    continue;
                else if (foretrukne_.contains(navn))
                    ubrugte.insert(navn);
                else
                    ledige.push_back(navn);
            }
        }
        std::reverse(ledige.begin(), ledige.end());
        for (const std::string& h : Holdene()) {
            const auto oensket = hjemLokale_.find(h);
            if (oensket != hjemLokale_.end() && !saerlokaler_.contains(oensket->second)) {
                hjem_[h] = oensket->second;
            } else if (!ledige.empty()) {
                hjem_[h] = ledige.back();
                ledige.pop_back();
            } else {
                hjem_[h] = stamlokale + "_" + h;
                rapport_.push_back("Hold " + h + " havde intet lokale; stamlokalet " + hjem_[h] + " er oprettet");
            }
        }
        ubrugte.insert(ledige.begin(), ledige.end());
        for (const std::string& lokale : ubrugte)
            rapport_.push_back("Lokale " + lokale + " bruges ikke; ikke overført");
    }

    // The classes that have a lesson, specified or of their own.
    std::set<std::string> Holdene() const
    {
        std::set<std::string> hold;
        for (const auto& [noegle, u] : undervisning_)
            hold.insert(noegle.first);
        for (const Lektion& l : lektioner_) {
            for (const Deltager& d : l.deltagere)
                hold.insert(d.hold);
        }
        return hold;
    }

    std::set<std::string> LektionernesLokaler() const
    {
        std::set<std::string> lokaler;
        for (const Lektion& l : lektioner_) {
            for (const Lokaler& behov : l.behov)
                lokaler.insert(behov.begin(), behov.end());
        }
        return lokaler;
    }

    bool ErOensketHjem(const std::string& lokale) const
    {
        return std::any_of(hjemLokale_.begin(), hjemLokale_.end(), [&](const auto& p) { return p.second == lokale; });
    }

    // The last lines: what was left out by kind, then the share of the file's active hours carried over.
    void RapporterOverfoert()
    {
        if (inaktive_.first > 0)
            rapport_.push_back("Sprunget over: " + Antal(inaktive_.first, "aktivitet", "aktiviteter") +
                               ", der ikke er aktive (" + Antal(inaktive_.second, "time", "timer") + ")");
        int antal = 0;
        int32_t timer = 0;
        std::string arter;
        for (const auto& [art, antalOgTimer] : afviste_) {
            antal += antalOgTimer.first;
            timer += antalOgTimer.second;
            arter += (arter.empty() ? "" : ", ") + std::to_string(antalOgTimer.first) + " " + art + " (" +
                     Antal(antalOgTimer.second, "time", "timer") + ")";
        }
        if (antal > 0)
            rapport_.push_back("Ikke overført i alt: " + Antal(antal, "aktivitet", "aktiviteter") + " med " +
                               Antal(timer, "time", "timer") + ": " + arter);
        const int32_t overfoert = aktiveTimer_ - timer;
        const int64_t procent = aktiveTimer_ > 0 ? int64_t{overfoert} * 100 / aktiveTimer_ : 100;
        rapport_.push_back("Overført: " + std::to_string(overfoert) + " af filens " + std::to_string(aktiveTimer_) +
                           " aktive timer (" + std::to_string(procent) + " %)");
    }

    void Byg(Skoledata& ud) const
    {
        const Uge uge = Ugen();
        ud.Tilfoej("Plan", {planId_, planId_, uge.dage, uge.timer});
        std::map<std::string, std::string> lokaler = saerlokaler_; // room -> type; classes may share a home room
        for (const auto& [hold, lokale] : hjem_) {
            ud.Tilfoej("Hold", {hold, hold});
            ud.Tilfoej("Holdliste", {hold, planId_});
            ud.Tilfoej("LokaleHoldRelation", {hold, lokale, planId_});
            lokaler[lokale] = stamlokale;
        }
        // A room only lessons of their own require is a type by itself.
        for (const std::string& lokale : LektionernesLokaler())
            lokaler.try_emplace(lokale, lokale);
        for (const auto& [lokale, type] : lokaler) {
            ud.Tilfoej("Lokale", {lokale, type});
            ud.Tilfoej("LokalePlan", {lokale, planId_});
        }
        std::map<std::string, std::pair<int32_t, std::string>> fag; // id -> weekly hours, room type
        for (const auto& [id, timerOgBlok] : fag_)
            fag[id] = {timerOgBlok.first, lokaletype_.at(id)};
        for (const Lektion& l : lektioner_)
            fag.try_emplace(l.fag, 0, stamlokale);
        for (const auto& [id, timerOgType] : fag) {
            ud.Tilfoej("Fag", {id, timerOgType.first, timerOgType.second});
            ud.Tilfoej("Fagliste", {id});
        }
        std::map<std::pair<std::string, std::string>, int32_t> antalHold; // (teacher, subject)
        for (const auto& [noegle, u] : undervisning_) {
            const std::string& id = fagId_.at(noegle);
            ud.Tilfoej("Fagprofil", {noegle.first, id});
            ud.Tilfoej("HoldLaererRelation", {noegle.first, id, u.laerer, planId_});
            ++antalHold[{u.laerer, id}];
        }
        for (const auto& [noegle, antal] : antalHold)
            ud.Tilfoej("LaererFagProfil", {noegle.first, noegle.second, antal, fag_.at(noegle.second).second, planId_});
        BygGrupper(ud);
        BygLektioner(ud);
    }

    void BygGrupper(Skoledata& ud) const
    {
        for (const Klasse& klasse : elevhold_->Klasser()) {
            if (!hjem_.contains(klasse.navn))
                continue;
            for (const Inddeling& inddeling : klasse.inddelinger) {
                for (const std::string& gruppe : inddeling.grupper)
                    ud.Tilfoej("Gruppe", {planId_, klasse.navn, inddeling.navn, gruppe});
            }
        }
    }

    void BygLektioner(Skoledata& ud) const
    {
        for (const Lektion& l : lektioner_) {
            ud.Tilfoej("Aktivitet", {planId_, l.id, l.fag, l.timer, l.blok});
            for (const Deltager& d : l.deltagere)
                ud.Tilfoej("AktivitetDeltager", {planId_, l.id, d.hold, d.gruppe});
            for (const std::string& laerer : l.laerere)
                ud.Tilfoej("AktivitetLaerer", {planId_, l.id, laerer});
            for (size_t behov = 0; behov < l.behov.size(); ++behov) {
                for (const std::string& lokale : l.behov[behov])
                    ud.Tilfoej("AktivitetLokale", {planId_, l.id, static_cast<int32_t>(behov + 1), lokale});
            }
        }
    }

    void LaesUtilgaengeligeTider(Skoledata& ud)
    {
        const XmlElement* liste = rod_.Barn("Time_Constraints_List");
        if (liste == nullptr)
            return;
        std::set<std::string> underviser;
        for (const auto& [noegle, u] : undervisning_)
            underviser.insert(u.laerer);
        for (const Lektion& l : lektioner_)
            underviser.insert(l.laerere.begin(), l.laerere.end());
        std::set<std::tuple<std::string, int32_t, int32_t>> tider;
        for (const XmlElement& b : liste->boern) {
            if (b.navn == "ConstraintBasicCompulsoryTime")
                continue;
            const bool laererKrav = b.navn == "ConstraintTeacherNotAvailableTimes" && ErKrav(b);
            if (!ErAktiv(b) || (!laererKrav && !Planregel(b, ud))) {
                ++ikkeOverfoert_[b.navn];
                continue;
            }
            if (!laererKrav)
                continue;
            // The plan would refuse hours of a teacher it does not have.
            if (!underviser.contains(b.Tekst("Teacher"))) {
                rapport_.push_back("Lærer " + b.Tekst("Teacher") +
                                   " underviser ikke i det overførte; de utilgængelige tider er ikke overført");
                continue;
            }
            for (const XmlElement* tid : b.Boern("Not_Available_Time")) {
                const auto dagOgTime = TidAf(tid->Tekst("Day"), tid->Tekst("Hour"));
                if (!dagOgTime) {
                    rapport_.push_back("Lærer " + b.Tekst("Teacher") + ": utilgængelig tid " + tid->Tekst("Day") + " " +
                                       tid->Tekst("Hour") + " findes ikke i ugen; ikke overført");
                    continue;
                }
                tider.insert({b.Tekst("Teacher"), dagOgTime->first, dagOgTime->second});
            }
        }
        for (const auto& [laerer, dag, time] : tider)
            ud.Tilfoej("Tidsprioritet", {planId_, laerer, -3, dag, time});
    }

    // The planner's own rules.

    // Where a part of an activity went: a class's subject (the file's subject name) or a lesson of its own.
    struct Lektionsnoegle {
        std::string hold;
        std::string fag;
        std::string aktivitet;
    };

    void LaesLokalernesLukketider(Skoledata& ud)
    {
        const XmlElement* liste = rod_.Barn("Space_Constraints_List");
        if (liste == nullptr)
            return;
        for (const XmlElement& b : liste->boern) {
            if (b.navn == "ConstraintRoomNotAvailableTimes" && (!ErAktiv(b) || !Planregel(b, ud)))
                ++ikkeOverfoert_[b.navn];
        }
    }

    // Adds the rule (or one per class it concerns) when we have its kind and all it names; false when not.
    bool Planregel(const XmlElement& b, Skoledata& ud)
    {
        const int32_t vaegt = Vaegt(b);
        if (vaegt == 0)
            return false;
        const std::string& n = b.navn;
        if (n == "ConstraintBreakTimes")
            return Regel(ud, planregler::Art::pause, Hvem(b, ud), vaegt, 0, Tider(b, "Break_Time", "Day", "Hour"));
        if (n == "ConstraintTeacherNotAvailableTimes" || n == "ConstraintStudentsSetNotAvailableTimes" ||
            n == "ConstraintRoomNotAvailableTimes")
            return Regel(ud, planregler::Art::lukket, Hvem(b, ud), vaegt, 0,
                         Tider(b, "Not_Available_Time", "Day", "Hour"));
        if (n.starts_with("ConstraintTeacher") || n.starts_with("ConstraintStudents"))
            return PersonRegel(b, ud, vaegt);
        if (n == "ConstraintActivityPreferredStartingTime") {
            const auto tid = TidAf(b.Tekst("Preferred_Day"), b.Tekst("Preferred_Hour"));
            return LektionsRegel(ud, planregler::Art::starttid, vaegt, b.Tekst("Activity_Id"),
                                 tid ? std::vector{*tid} : std::vector<std::pair<int32_t, int32_t>>{});
        }
        if (n == "ConstraintActivityPreferredStartingTimes")
            return LektionsRegel(
                ud, planregler::Art::starttid, vaegt, b.Tekst("Activity_Id"),
                Tider(b, "Preferred_Starting_Time", "Preferred_Starting_Day", "Preferred_Starting_Hour"));
        if (n == "ConstraintActivityPreferredTimeSlots")
            return LektionsRegel(ud, planregler::Art::tidsrum, vaegt, b.Tekst("Activity_Id"),
                                 Tider(b, "Preferred_Time_Slot", "Preferred_Day", "Preferred_Hour"));
        if (n == "ConstraintActivitiesPreferredStartingTimes")
            return LektionerRegel(
                ud, planregler::Art::starttid, vaegt, b,
                Tider(b, "Preferred_Starting_Time", "Preferred_Starting_Day", "Preferred_Starting_Hour"));
        if (n == "ConstraintActivitiesPreferredTimeSlots")
            return LektionerRegel(ud, planregler::Art::tidsrum, vaegt, b,
                                  Tider(b, "Preferred_Time_Slot", "Preferred_Day", "Preferred_Hour"));
        if (n == "ConstraintActivitiesSameStartingTime")
            return SammenRegel(ud, planregler::Art::sammeStart, vaegt, b, 0);
        if (n == "ConstraintMinDaysBetweenActivities")
            return SammenRegel(ud, planregler::Art::dageImellem, vaegt, b, Tal(b.Tekst("MinDays")));
        return false;
    }

    // A limit on one teacher, all teachers, a students set or all students.
    bool PersonRegel(const XmlElement& b, Skoledata& ud, int32_t vaegt)
    {
        const std::string& n = b.navn;
        static const std::map<std::string, std::pair<planregler::Art, const char*>> graenser{
            {"MaxDaysPerWeek", {planregler::Art::laererDage, "Max_Days_Per_Week"}},
            {"MaxHoursDaily", {planregler::Art::laererTimer, "Maximum_Hours_Daily"}},
            {"MinHoursDaily", {planregler::Art::laererMindstTimer, "Minimum_Hours_Daily"}},
            {"MaxGapsPerDay", {planregler::Art::laererHullerDag, "Max_Gaps"}},
            {"MaxGapsPerWeek", {planregler::Art::laererHullerUge, "Max_Gaps"}},
            {"MaxHoursContinuously", {planregler::Art::laererITraek, "Maximum_Hours_Continuously"}},
            {"EarlyMaxBeginningsAtSecondHour", {planregler::Art::holdTidligStart, "Max_Beginnings_At_Second_Hour"}}};
        static const std::map<planregler::Art, planregler::Art> forHold{
            {planregler::Art::laererTimer, planregler::Art::holdTimer},
            {planregler::Art::laererMindstTimer, planregler::Art::holdMindstTimer},
            {planregler::Art::laererHullerDag, planregler::Art::holdHullerDag},
            {planregler::Art::laererHullerUge, planregler::Art::holdHullerUge},
            {planregler::Art::holdTidligStart, planregler::Art::holdTidligStart}};
        for (const std::string forstavelse :
             {"ConstraintTeachers", "ConstraintTeacher", "ConstraintStudentsSet", "ConstraintStudents"}) {
            if (!n.starts_with(forstavelse))
                continue;
            const auto g = graenser.find(n.substr(forstavelse.size()));
            if (g == graenser.end())
                return false;
            // A day "allowed empty" is FET's default and our only meaning.
            if (b.Tekst("Allow_Empty_Days") == "false")
                return false;
            const bool laerer = forstavelse.starts_with("ConstraintTeacher");
            const auto hold = forHold.find(g->second.first);
            if (laerer ? g->second.first == planregler::Art::holdTidligStart : hold == forHold.end())
                return false;
            const planregler::Art art = laerer ? g->second.first : hold->second;
            const int32_t graense = std::clamp(Tal(b.Tekst(g->second.second)), 0, maksCeller);
            return Regel(ud, art, Hvem(b, ud), vaegt, graense, {});
        }
        return false;
    }

    // Whom a constraint names, as the columns teacher, class, group, room ("tom": all); one per class a students
    // set falls in; nothing when it names someone the plan does not have.
    std::vector<std::array<std::string, 4>> Hvem(const XmlElement& b, const Skoledata& ud) const
    {
        const std::string& tom = skoleregler::tomMarkoer;
        const std::string laerer = b.Barn("Teacher_Name") != nullptr ? b.Tekst("Teacher_Name") : b.Tekst("Teacher");
        if (!laerer.empty())
            return Underviser(laerer) ? std::vector{std::array{laerer, tom, tom, tom}}
                                      : std::vector<std::array<std::string, 4>>{};
        if (b.Barn("Room") != nullptr) {
            const auto& lokaler = ud.Af("Lokale");
            const bool findes = std::any_of(lokaler.begin(), lokaler.end(),
                                            [&](const Raekke& r) { return SomTekst(r[0]) == b.Tekst("Room"); });
            return findes ? std::vector{std::array{tom, tom, tom, b.Tekst("Room")}}
                          : std::vector<std::array<std::string, 4>>{};
        }
        if (b.Barn("Students") == nullptr)
            return {{tom, tom, tom, tom}};
        std::vector<std::array<std::string, 4>> hold;
        for (const Deltager& d : DeltagereAfSaet(b.Tekst("Students")))
            hold.push_back({tom, d.hold, d.gruppe, tom});
        return hold;
    }

    bool Underviser(const std::string& laerer) const
    {
        return std::any_of(undervisning_.begin(), undervisning_.end(),
                           [&](const auto& u) { return u.second.laerer == laerer; }) ||
               std::any_of(lektioner_.begin(), lektioner_.end(), [&](const Lektion& l) {
                   return std::find(l.laerere.begin(), l.laerere.end(), laerer) != l.laerere.end();
               });
    }

    // The classes and groups of a students set that is taught; none for another.
    std::vector<Deltager> DeltagereAfSaet(const std::string& saet) const
    {
        std::vector<Deltager> ud;
        try {
            ud = elevhold_->Deltagere(saet);
        } catch (const std::out_of_range&) {
            return {};
        }
        std::erase_if(ud, [&](const Deltager& d) { return !hjem_.contains(d.hold); });
        return ud;
    }

    std::vector<std::pair<int32_t, int32_t>> Tider(const XmlElement& b, const char* element, const char* dag,
                                                   const char* time) const
    {
        std::set<std::pair<int32_t, int32_t>> tider;
        for (const XmlElement* t : b.Boern(element)) {
            if (const auto tid = TidAf(t->Tekst(dag), t->Tekst(time)))
                tider.insert(*tid);
        }
        return {tider.begin(), tider.end()};
    }

    // One rule for each of whom it names; false when it names no one the plan has, or closes no hour of its week.
    bool Regel(Skoledata& ud, planregler::Art art, const std::vector<std::array<std::string, 4>>& hvem, int32_t vaegt,
               int32_t graense, const std::vector<std::pair<int32_t, int32_t>>& tider)
    {
        const bool lukker = art == planregler::Art::pause || art == planregler::Art::lukket;
        if (hvem.empty() || (lukker && tider.empty()))
            return false;
        const std::string& tom = skoleregler::tomMarkoer;
        for (const auto& [laerer, hold, gruppe, lokale] : hvem)
            TilfoejRegel(ud, art, {laerer, hold, gruppe, lokale, tom, tom}, vaegt, graense, tider);
        return true;
    }

    void TilfoejRegel(Skoledata& ud, planregler::Art art, const std::array<std::string, 6>& hvem, int32_t vaegt,
                      int32_t graense, const std::vector<std::pair<int32_t, int32_t>>& tider)
    {
        const int32_t nr = ++regler_;
        ud.Tilfoej("Planregel", {planId_, nr, planregler::Navn(art), hvem[0], hvem[1], hvem[2], hvem[3], hvem[4],
                                 hvem[5], graense, vaegt});
        for (const auto& [dag, time] : tider)
            ud.Tilfoej("PlanregelTid", {planId_, nr, dag, time});
        ++overfoerteRegler_[planregler::Navn(art)];
    }

    // Our lesson of an activity of the file: a class and our subject, or a lesson of its own.
    std::optional<std::array<std::string, 3>> LektionAf(const std::string& aktivitet) const
    {
        const std::string& tom = skoleregler::tomMarkoer;
        const auto l = delensLektion_.find(aktivitet);
        if (l == delensLektion_.end())
            return std::nullopt;
        if (!l->second.aktivitet.empty())
            return std::array{tom, tom, l->second.aktivitet};
        return std::array{l->second.hold, fagId_.at({l->second.hold, l->second.fag}), tom};
    }

    bool LektionsRegel(Skoledata& ud, planregler::Art art, int32_t vaegt, const std::string& aktivitet,
                       const std::vector<std::pair<int32_t, int32_t>>& tider)
    {
        const auto lektion = LektionAf(aktivitet);
        if (!lektion || tider.empty())
            return false;
        const std::string& tom = skoleregler::tomMarkoer;
        TilfoejRegel(ud, art, {tom, (*lektion)[0], tom, tom, (*lektion)[1], (*lektion)[2]}, vaegt, 0, tider);
        return true;
    }

    // The lessons of a teacher, students set or subject; an activity tag or a duration is not ours to select by.
    bool LektionerRegel(Skoledata& ud, planregler::Art art, int32_t vaegt, const XmlElement& b,
                        const std::vector<std::pair<int32_t, int32_t>>& tider)
    {
        const std::string& tom = skoleregler::tomMarkoer;
        if (!b.Tekst("Activity_Tag_Name").empty() || !b.Tekst("Duration").empty() || tider.empty())
            return false;
        std::string laerer = b.Tekst("Teacher_Name");
        std::string hold = tom;
        if (!b.Tekst("Students_Name").empty()) {
            const auto hele = elevhold_->HeleHoldet(b.Tekst("Students_Name"));
            if (!hele || !hjem_.contains(*hele))
                return false;
            hold = *hele;
        }
        std::string fag = b.Tekst("Subject_Name");
        // Our subject has the file's name only when the subject was not split by its hours.
        if (!fag.empty() && !fag_.contains(fag))
            return false;
        if (!laerer.empty() && !Underviser(laerer))
            return false;
        TilfoejRegel(ud, art, {laerer.empty() ? tom : laerer, hold, tom, tom, fag.empty() ? tom : fag, tom}, vaegt, 0,
                     tider);
        return true;
    }

    bool SammenRegel(Skoledata& ud, planregler::Art art, int32_t vaegt, const XmlElement& b, int32_t graense)
    {
        std::set<std::array<std::string, 3>> lektioner;
        for (const XmlElement* a : b.Boern("Activity_Id")) {
            const auto lektion = LektionAf(a->tekst);
            if (!lektion)
                return false;
            lektioner.insert(*lektion);
        }
        if (lektioner.empty())
            return false;
        const std::string& tom = skoleregler::tomMarkoer;
        TilfoejRegel(ud, art, {tom, tom, tom, tom, tom, tom}, vaegt, std::clamp(graense, 0, maksCeller), {});
        for (const auto& [hold, fag, aktivitet] : lektioner)
            ud.Tilfoej("PlanregelLektion", {planId_, regler_, hold, fag, aktivitet});
        return true;
    }

    void RapporterOevrige()
    {
        if (udenFagAntal_ > 0)
            rapport_.push_back(Antal(udenFagAntal_, "aktivitet", "aktiviteter") + " uden fag er overført under faget " +
                               udenFag);
        for (const auto& [art, antal] : overfoerteRegler_)
            rapport_.push_back(std::to_string(antal) + " × regel \"" + art + "\" overført");
        for (const auto& [navn, antal] : ikkeOverfoert_)
            rapport_.push_back(std::to_string(antal) + " × " + navn +
                               ": har intet modsvar her (eller er ikke aktiv); ikke overført");
        for (const auto& [navn, antal] : oenskerUnderKrav_)
            rapport_.push_back(std::to_string(antal) + " × " + navn +
                               ": vægt under 100 %, et ønske og ikke et krav; ikke overført");
        for (const auto& [navn, antal] : virtuelleOensker_)
            rapport_.push_back(std::to_string(antal) + " × " + navn +
                               ": nævner et virtuelt lokale, som ikke er ét lokale her; ikke overført");
    }

    const XmlElement& rod_;
    const std::string& planId_;
    std::vector<std::string>& rapport_;
    std::vector<std::string> dage_;
    std::vector<std::string> timer_;
    bool halvdage_ = false;                                   // the file's days are mornings and afternoons
    std::map<std::string, std::set<std::string>> erklaerede_; // "læreren", "faget", "holdet" -> declared names
    std::optional<Elevhold> elevhold_;
    std::map<std::string, Lokaler> aktivitetsLokaler_;
    std::map<std::string, Lokaler> fagLokaler_;
    std::map<std::string, std::string> hjemLokale_;
    std::map<std::string, std::pair<int, int32_t>> afviste_; // kind of refusal -> activities, hours
    std::pair<int, int32_t> inaktive_{0, 0};                 // activities, hours
    int32_t aktiveTimer_ = 0;
    int udenFagAntal_ = 0;
    std::vector<Aktivitet> aktiviteter_;
    std::vector<Lektion> lektioner_;
    std::map<std::pair<std::string, std::string>, Undervisning> undervisning_; // (class, subject of the file)
    std::map<std::pair<std::string, std::string>, std::string> fagId_; // (class, subject of the file) -> our subject
    std::map<std::string, std::pair<int32_t, int32_t>> fag_;           // our subject -> hours, block
    std::map<std::string, Lokaleoensker> fagOensker_;                  // our subject -> rooms its hours require
    std::map<std::string, std::string> lokaletype_;
    std::map<std::string, std::string> saerlokaler_; // room a subject requires -> its type
    std::map<std::string, std::string> hjem_;
    std::map<std::string, int> ikkeOverfoert_;
    std::map<std::string, int> oenskerUnderKrav_;
    std::map<std::string, int> virtuelleOensker_;
    std::map<std::string, std::vector<Lokaler>> virtuelle_; // virtual room -> its sets of real rooms
    std::set<std::string> foretrukne_; // rooms a room constraint names, other than a class's home room
    std::map<std::string, Lektionsnoegle> delensLektion_; // part of an activity -> where it went
    int32_t regler_ = 0;                                  // the plan's rules so far
    std::map<std::string, int> overfoerteRegler_;         // kind -> rules carried
};

} // namespace

bool Oversaet(const XmlElement& rod, const std::string& planId, Skoledata& ud, std::vector<std::string>& rapport,
              std::string& fejl)
{
    return Oversaettelse(rod, planId, rapport).Udfoer(ud, fejl);
}

bool Importer(const std::string& sti, const std::string& planId, std::vector<std::string>& rapport,
              std::vector<std::string>& fejl)
{
    XmlElement rod;
    std::string grund;
    if (!XmlElement::LaesFil(sti, rod, grund)) {
        fejl = {grund};
        return false;
    }
    if (rod.navn != "fet") {
        fejl = {"Filen " + sti + " er ikke en skemafil i .fet-formatet"};
        return false;
    }
    Skoledatabase db;
    if (db.Laes().HarPlan(planId)) {
        fejl = {"Planen " + planId + " findes allerede; importen er afvist"};
        return false;
    }
    Skoledata plan;
    if (!Oversaet(rod, planId, plan, rapport, grund)) {
        fejl = {grund};
        return false;
    }
    return db.Tilfoej(plan, fejl);
}

} // namespace fetImport
