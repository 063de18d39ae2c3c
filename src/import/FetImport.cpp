#include "import/FetImport.h"

#include "base/Uge.h"
#include "skoledata/Skoledatabase.h"
#include "import/XmlElement.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <numeric>
#include <set>
#include <tuple>
#include <variant>

namespace fetImport {

namespace {

const std::string& stamlokale = stamlokaleType;

// The rooms a lesson may use, as the file requires them; empty for the class's own.
using Lokaler = std::set<std::string>;
// Hours per set of rooms asked for.
using Lokaleoensker = std::map<Lokaler, int32_t>;

// One activity of the file with its split parts: the hours one teacher gives one class in one subject.
struct Aktivitet {
    std::string id;
    std::string laerer;
    std::string fag;
    std::string hold;
    std::vector<int32_t> varigheder;
    Lokaleoensker lokaler;
};

struct Undervisning {
    std::string laerer;
    int32_t timer = 0;
    int32_t blok = 1;
    Lokaleoensker lokaler;
};

// A year (niveau 0), group (1) or subgroup (2) of the file, by the smallest sets it is made of.
struct Elevgruppe {
    int niveau = 0;
    std::set<std::string> atomer;
};

int32_t Tal(const std::string& tekst)
{
    int32_t tal = 0;
    std::from_chars(tekst.data(), tekst.data() + tekst.size(), tal);
    return tal;
}

std::string Liste(const std::vector<const XmlElement*>& elementer)
{
    std::string ud;
    for (const XmlElement* e : elementer)
        ud += (ud.empty() ? "" : ", ") + e->tekst;
    return ud;
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

// A constraint below 100 % is a wish the file's own solver may break; only a full weight is a requirement.
bool ErKrav(const XmlElement& begraensning)
{
    const std::string vaegt = begraensning.Tekst("Weight_Percentage");
    double procent = 100;
    std::from_chars(vaegt.data(), vaegt.data() + vaegt.size(), procent);
    return procent >= 100;
}

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

std::string Opremsning(const Lokaler& lokaler, const std::string& mellem = ", ")
{
    std::string ud;
    for (const std::string& l : lokaler)
        ud += (ud.empty() ? "" : mellem) + l;
    return ud;
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
        dage_ = Navne(rod_.Barn("Days_List"), "Day");
        timer_ = Navne(rod_.Barn("Hours_List"), "Hour");
        const Uge uge{static_cast<int32_t>(dage_.size()), static_cast<int32_t>(timer_.size())};
        if (!uge.Gyldig()) {
            fejl = "Filens uge har " + std::to_string(dage_.size()) + " dage og " + std::to_string(timer_.size()) +
                   " timer pr. dag; skemaet har plads til 1-" + std::to_string(maksDage) + " dage og 1-" +
                   std::to_string(maksTimer) + " timer pr. dag";
            return false;
        }
        LaesElevgrupper();
        LaesErklaerede();
        LaesLokaleOensker();
        LaesAktiviteter();
        SamlUndervisning();
        RapporterOverlap();
        FindHjemlokaler();
        NavngivFag();
        TildelLokaler();
        RapporterAfviste();
        // A plan without a lesson to place is no use, and the file then almost surely needs what we lack.
        if (std::none_of(fag_.begin(), fag_.end(), [](const auto& f) { return f.second.first > 0; })) {
            fejl = "Filen har ingen undervisning, der kan overføres: ingen aktivitet er for ét hold med én lærer "
                   "(rapporten nævner hver aktivitet og hvorfor)";
            return false;
        }
        Byg(ud);
        LaesUtilgaengeligeTider(ud);
        RapporterOevrige();
        return true;
    }

private:
    // A year is made of its groups and a group of its subgroups; a set without parts is its own smallest part.
    void LaesElevgrupper()
    {
        const XmlElement* elever = rod_.Barn("Students_List");
        if (elever == nullptr)
            return;
        const auto tilfoej = [&](const std::string& navn, int niveau, const std::set<std::string>& atomer) {
            Elevgruppe& g = elevgrupper_.try_emplace(navn, Elevgruppe{niveau, {}}).first->second;
            g.atomer.insert(atomer.begin(), atomer.end());
            erklaerede_["holdet"].insert(navn);
        };
        for (const XmlElement* aargang : elever->Boern("Year")) {
            std::set<std::string> aargangensAtomer;
            for (const XmlElement* gruppe : aargang->Boern("Group")) {
                aargangAf_[gruppe->Tekst("Name")] = aargang->Tekst("Name");
                std::set<std::string> gruppensAtomer;
                for (const XmlElement* undergruppe : gruppe->Boern("Subgroup")) {
                    tilfoej(undergruppe->Tekst("Name"), 2, {undergruppe->Tekst("Name")});
                    gruppensAtomer.insert(undergruppe->Tekst("Name"));
                }
                if (gruppensAtomer.empty())
                    gruppensAtomer.insert(gruppe->Tekst("Name"));
                tilfoej(gruppe->Tekst("Name"), 1, gruppensAtomer);
                aargangensAtomer.insert(gruppensAtomer.begin(), gruppensAtomer.end());
            }
            if (aargangensAtomer.empty())
                aargangensAtomer.insert(aargang->Tekst("Name"));
            tilfoej(aargang->Tekst("Name"), 0, aargangensAtomer);
        }
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
    }

    // A name the file uses without declaring it is most likely a slip of the pen: say so.
    void RapporterUerklaerede(const XmlElement& a)
    {
        std::vector<std::string> navne;
        for (const auto& [element, hvad] :
             {std::pair{"Teacher", "læreren"}, std::pair{"Subject", "faget"}, std::pair{"Students", "holdet"}}) {
            const std::string navn = a.Tekst(element);
            if (!erklaerede_[hvad].contains(navn))
                navne.push_back(std::string(hvad) + " " + navn);
        }
        if (navne.empty())
            return;
        std::string liste;
        for (size_t i = 0; i < navne.size(); ++i)
            liste += (i == 0 ? "" : i + 1 == navne.size() ? " og " : ", ") + navne[i];
        rapport_.push_back("Aktivitet " + a.Tekst("Id") + " (" + a.Tekst("Subject") + ") nævner " + liste +
                           ", som filen ikke har erklæret; overført, som det står");
    }

    // A virtual room stands for one room of each of several sets at once, which a lesson here cannot take: it
    // is neither a room nor a room requirement of the plan.
    void LaesVirtuelleLokaler()
    {
        if (const XmlElement* liste = rod_.Barn("Rooms_List")) {
            for (const XmlElement* lokale : liste->Boern("Room")) {
                if (lokale->Tekst("Virtual") == "true")
                    virtuelle_.insert(lokale->Tekst("Name"));
            }
        }
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
            if (brugbar && (aktivitet || fag) && !ErKrav(b))
                ++oenskerUnderKrav_[b.navn];
            else if (brugbar && (aktivitet || fag || hjem) && virtuel)
                ++virtuelleOensker_[b.navn];
            else if (brugbar && aktivitet)
                aktivitetsLokaler_[b.Tekst("Activity_Id")] = lokaler;
            else if (brugbar && fag)
                fagLokaler_[b.Tekst("Subject")] = lokaler;
            else if (brugbar && hjem && lokaler.size() == 1)
                hjemLokale_[b.Tekst("Students")] = *lokaler.begin();
            else if (b.navn != "ConstraintBasicCompulsorySpace")
                ++ikkeOverfoert_[b.navn];
        }
    }

    // Each students set of an activity that can come in becomes a class unless it is a subgroup that is a strict
    // part of another such set: that needs groups of a class. Sets of the same students are one class, named by
    // the largest kind (year before group before subgroup). A year or group is a class also when a group's year
    // has lessons too (RapporterOverlap says so).
    void FindKlasser()
    {
        std::set<std::string> naevnte;
        if (const XmlElement* liste = rod_.Barn("Activities_List")) {
            for (const XmlElement* a : liste->Boern("Activity")) {
                if (ErAktiv(*a) && a->Boern("Teacher").size() == 1 && a->Boern("Students").size() == 1)
                    naevnte.insert(a->Tekst("Students"));
            }
        }
        for (const std::string& s : naevnte) {
            const auto egen = elevgrupper_.find(s);
            if (egen == elevgrupper_.end()) {
                klasseAf_[s] = s;
                continue;
            }
            std::pair<int, std::string> klasse{egen->second.niveau, s};
            std::pair<size_t, std::string> delAf{0, ""}; // the smallest taught set that holds it
            for (const std::string& t : naevnte) {
                const auto anden = elevgrupper_.find(t);
                if (t == s || anden == elevgrupper_.end())
                    continue;
                const auto& mine = egen->second.atomer;
                const auto& dens = anden->second.atomer;
                if (dens == mine)
                    klasse = std::min(klasse, std::pair{anden->second.niveau, t});
                else if (std::includes(dens.begin(), dens.end(), mine.begin(), mine.end()) &&
                         (delAf.second.empty() || dens.size() < delAf.first))
                    delAf = {dens.size(), t};
            }
            if (klasse.first == 2 && !delAf.second.empty())
                delAf_[s] = delAf.second;
            else
                klasseAf_[s] = klasse.second;
        }
    }

    // Empty when the activity can become teaching of one class, otherwise the kind of refusal and why.
    std::pair<std::string, std::string> Afvisning(const XmlElement& a) const
    {
        using Grund = std::pair<std::string, std::string>;
        const auto laerere = a.Boern("Teacher");
        const auto elever = a.Boern("Students");
        if (!ErAktiv(a))
            return Grund{"ikke aktive", "er ikke aktiv"};
        if (laerere.size() != 1)
            return laerere.empty() ? Grund{"uden lærer", "har ingen lærer"}
                                   : Grund{"med flere lærere", "har flere lærere (" + Liste(laerere) + ")"};
        if (elever.size() != 1)
            return elever.empty() ? Grund{"uden hold", "har intet hold"}
                                  : Grund{"med flere hold", "har flere hold (" + Liste(elever) + ")"};
        if (const auto del = delAf_.find(elever.front()->tekst); del != delAf_.end())
            return Grund{"for en del af et hold", "er for undergruppen " + del->first +
                                                      ", som ikke kan blive et hold (den er en del af " + del->second +
                                                      ")"};
        return {};
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

    void LaesAktiviteter()
    {
        const XmlElement* liste = rod_.Barn("Activities_List");
        if (liste == nullptr)
            return;
        FindKlasser();
        // activity group id -> index into aktiviteter_, or the kind of refusal
        std::map<std::string, std::variant<size_t, std::string>> grupper;
        std::set<std::string> ider;
        for (const XmlElement* a : liste->Boern("Activity")) {
            const std::string id = a->Tekst("Id");
            if (!ider.insert(id).second) {
                rapport_.push_back("Aktivitet " + id + " (" + a->Tekst("Subject") +
                                   ") findes to gange i filen; den anden er ikke overført");
                continue;
            }
            const std::string gruppeId = Tal(a->Tekst("Activity_Group_Id")) != 0 ? a->Tekst("Activity_Group_Id") : id;
            const int32_t varighed = Tal(a->Tekst("Duration"));
            auto gruppe = grupper.find(gruppeId);
            if (gruppe == grupper.end()) {
                const auto [art, grund] = Afvisning(*a);
                if (!grund.empty()) {
                    rapport_.push_back("Aktivitet " + id + " (" + a->Tekst("Subject") + ") " + grund +
                                       "; ikke overført");
                    ++afviste_[art].first;
                    afviste_[art].second += varighed;
                    grupper.emplace(gruppeId, art);
                    continue;
                }
                RapporterUerklaerede(*a);
                gruppe = grupper.emplace(gruppeId, aktiviteter_.size()).first;
                aktiviteter_.push_back(
                    {id, a->Tekst("Teacher"), a->Tekst("Subject"), klasseAf_.at(a->Tekst("Students")), {}, {}});
            } else if (const auto* art = std::get_if<std::string>(&gruppe->second)) {
                afviste_[*art].second += varighed;
                continue;
            }
            Aktivitet& aktivitet = aktiviteter_[std::get<size_t>(gruppe->second)];
            aktivitet.varigheder.push_back(varighed);
            aktivitet.lokaler[OenskedeLokaler(*a)] += varighed;
        }
    }

    void SamlUndervisning()
    {
        for (const Aktivitet& a : aktiviteter_) {
            const int32_t timer = std::accumulate(a.varigheder.begin(), a.varigheder.end(), 0);
            const bool ens = std::all_of(a.varigheder.begin(), a.varigheder.end(),
                                         [&](int32_t v) { return v == a.varigheder.front(); });
            const int32_t blok = ens ? a.varigheder.front() : 1;
            if (!ens)
                rapport_.push_back("Aktivitet " + a.id + " (" + a.fag + ", " + a.hold +
                                   ") er delt i ulige lange dele; lagt som enkelttimer");
            const auto [u, ny] = undervisning_.try_emplace({a.hold, a.fag},
                                                           Undervisning{a.laerer, timer, blok, a.lokaler});
            if (ny)
                continue;
            if (u->second.laerer == a.laerer && u->second.blok == blok) {
                u->second.timer += timer;
                for (const auto& [lokaler, t] : a.lokaler)
                    u->second.lokaler[lokaler] += t;
            } else {
                rapport_.push_back("Aktivitet " + a.id + " (" + a.fag + ", " + a.hold + ") gentager holdets fag med " +
                                   "anden lærer eller blok; ikke overført");
            }
        }
    }

    // A group's students are also in their year: as two classes they could be timetabled at the same hour.
    void RapporterOverlap()
    {
        std::set<std::string> hold;
        for (const auto& [noegle, u] : undervisning_)
            hold.insert(noegle.first);
        for (const std::string& h : hold) {
            const auto aargang = aargangAf_.find(h);
            if (aargang != aargangAf_.end() && hold.contains(aargang->second))
                rapport_.push_back("Gruppen " + h + " og dens årgang " + aargang->second +
                                   " har begge timer og er blevet to hold; skemaet holder ikke deres timer adskilt");
        }
    }

    // A room that each of a class's subjects asks for (some split parts may ask for nothing), and that no other
    // class asks for, is that class's home room.
    void FindHjemlokaler()
    {
        for (const auto& [saet, lokale] : std::map(hjemLokale_)) {
            if (const auto klasse = klasseAf_.find(saet); klasse != klasseAf_.end())
                hjemLokale_.try_emplace(klasse->second, lokale);
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
        std::vector<std::string> ledige;
        if (const XmlElement* liste = rod_.Barn("Rooms_List")) {
            for (const XmlElement* lokale : liste->Boern("Room")) {
                const std::string navn = lokale->Tekst("Name");
                if (virtuelle_.contains(navn))
                    rapport_.push_back("Lokale " + navn + " er virtuelt (flere lokaler på én gang); ikke overført");
                else if (!saerlokaler_.contains(navn) && !ErOensketHjem(navn))
                    ledige.push_back(navn);
            }
        }
        std::reverse(ledige.begin(), ledige.end());
        std::set<std::string> hold;
        for (const auto& [noegle, u] : undervisning_)
            hold.insert(noegle.first);
        for (const std::string& h : hold) {
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
        for (const std::string& lokale : ledige)
            rapport_.push_back("Lokale " + lokale + " bruges ikke; ikke overført");
    }

    bool ErOensketHjem(const std::string& lokale) const
    {
        return std::any_of(hjemLokale_.begin(), hjemLokale_.end(), [&](const auto& p) { return p.second == lokale; });
    }

    // The activities not carried over, counted by why.
    void RapporterAfviste()
    {
        if (afviste_.empty())
            return;
        int antal = 0;
        int32_t timer = 0;
        std::string arter;
        for (const auto& [art, antalOgTimer] : afviste_) {
            antal += antalOgTimer.first;
            timer += antalOgTimer.second;
            arter += (arter.empty() ? "" : ", ") + std::to_string(antalOgTimer.first) + " " + art + " (" +
                     Antal(antalOgTimer.second, "time", "timer") + ")";
        }
        rapport_.push_back("Ikke overført i alt: " + Antal(antal, "aktivitet", "aktiviteter") + " med " +
                           Antal(timer, "time", "timer") + ": " + arter);
    }

    void Byg(Skoledata& ud) const
    {
        ud.Tilfoej("Plan", {planId_, planId_, static_cast<int32_t>(dage_.size()), static_cast<int32_t>(timer_.size())});
        std::map<std::string, std::string> lokaler = saerlokaler_; // room -> type; classes may share a home room
        for (const auto& [hold, lokale] : hjem_) {
            ud.Tilfoej("Hold", {hold, hold});
            ud.Tilfoej("Holdliste", {hold, planId_});
            ud.Tilfoej("LokaleHoldRelation", {hold, lokale, planId_});
            lokaler[lokale] = stamlokale;
        }
        for (const auto& [lokale, type] : lokaler) {
            ud.Tilfoej("Lokale", {lokale, type});
            ud.Tilfoej("LokalePlan", {lokale, planId_});
        }
        for (const auto& [fag, timerOgBlok] : fag_) {
            ud.Tilfoej("Fag", {fag, timerOgBlok.first, lokaletype_.at(fag)});
            ud.Tilfoej("Fagliste", {fag});
        }
        std::map<std::pair<std::string, std::string>, int32_t> antalHold; // (teacher, subject)
        for (const auto& [noegle, u] : undervisning_) {
            const std::string& fag = fagId_.at(noegle);
            ud.Tilfoej("Fagprofil", {noegle.first, fag});
            ud.Tilfoej("HoldLaererRelation", {noegle.first, fag, u.laerer, planId_});
            ++antalHold[{u.laerer, fag}];
        }
        for (const auto& [noegle, antal] : antalHold)
            ud.Tilfoej("LaererFagProfil", {noegle.first, noegle.second, antal, fag_.at(noegle.second).second, planId_});
    }

    void LaesUtilgaengeligeTider(Skoledata& ud)
    {
        const XmlElement* liste = rod_.Barn("Time_Constraints_List");
        if (liste == nullptr)
            return;
        std::set<std::string> underviser;
        for (const auto& [noegle, u] : undervisning_)
            underviser.insert(u.laerer);
        std::set<std::tuple<std::string, int32_t, int32_t>> tider;
        for (const XmlElement& b : liste->boern) {
            if (b.navn == "ConstraintBasicCompulsoryTime")
                continue;
            if (b.navn != "ConstraintTeacherNotAvailableTimes" || !ErAktiv(b)) {
                ++ikkeOverfoert_[b.navn];
                continue;
            }
            // The plan would refuse hours of a teacher it does not have.
            if (!underviser.contains(b.Tekst("Teacher"))) {
                rapport_.push_back("Lærer " + b.Tekst("Teacher") +
                                   " underviser ikke i det overførte; de utilgængelige tider er ikke overført");
                continue;
            }
            for (const XmlElement* tid : b.Boern("Not_Available_Time")) {
                const auto dag = std::find(dage_.begin(), dage_.end(), tid->Tekst("Day"));
                const auto time = std::find(timer_.begin(), timer_.end(), tid->Tekst("Hour"));
                if (dag == dage_.end() || time == timer_.end()) {
                    rapport_.push_back("Lærer " + b.Tekst("Teacher") + ": utilgængelig tid " + tid->Tekst("Day") + " " +
                                       tid->Tekst("Hour") + " findes ikke i ugen; ikke overført");
                    continue;
                }
                tider.insert({b.Tekst("Teacher"), static_cast<int32_t>(dag - dage_.begin()),
                              static_cast<int32_t>(time - timer_.begin())});
            }
        }
        for (const auto& [laerer, dag, time] : tider)
            ud.Tilfoej("Tidsprioritet", {planId_, laerer, -3, dag, time});
    }

    void RapporterOevrige()
    {
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
    std::map<std::string, Elevgruppe> elevgrupper_;
    std::map<std::string, std::string> klasseAf_;             // students set -> our class
    std::map<std::string, std::string> delAf_;                // subgroup -> a bigger set with lessons
    std::map<std::string, std::set<std::string>> erklaerede_; // "læreren", "faget", "holdet" -> declared names
    std::map<std::string, std::string> aargangAf_;            // group -> its year
    std::map<std::string, Lokaler> aktivitetsLokaler_;
    std::map<std::string, Lokaler> fagLokaler_;
    std::map<std::string, std::string> hjemLokale_;
    std::map<std::string, std::pair<int, int32_t>> afviste_; // kind of refusal -> activities, hours
    std::vector<Aktivitet> aktiviteter_;
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
    std::set<std::string> virtuelle_;
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
