#include "import/FetImport.h"

#include "skoledata/Skoledatabase.h"
#include "import/XmlElement.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <numeric>
#include <set>
#include <tuple>

namespace fetImport {

namespace {

constexpr size_t maksDage = 5;
constexpr size_t maksTimer = 8;
const std::string stamlokale = "Stamlokale";

// One activity of the file with its split parts: the hours one teacher gives one class in one subject.
struct Aktivitet {
    std::string id;
    std::string laerer;
    std::string fag;
    std::string hold;
    std::string lokale; // the room it asks for; "" for the class's own
    std::vector<int32_t> varigheder;
};

struct Undervisning {
    std::string laerer;
    int32_t timer = 0;
    int32_t blok = 1;
    std::string lokale;
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

// The one room a room constraint names, or "" when it names several.
std::string EtLokale(const XmlElement& begraensning)
{
    if (begraensning.Barn("Room") != nullptr)
        return begraensning.Tekst("Room");
    const auto lokaler = begraensning.Boern("Preferred_Room");
    return lokaler.size() == 1 ? lokaler.front()->tekst : "";
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
        if (dage_.empty() || dage_.size() > maksDage || timer_.empty() || timer_.size() > maksTimer) {
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
        Byg(ud);
        LaesUtilgaengeligeTider(ud);
        RapporterOevrige();
        return true;
    }

private:
    void LaesElevgrupper()
    {
        const XmlElement* elever = rod_.Barn("Students_List");
        if (elever == nullptr)
            return;
        for (const XmlElement* aargang : elever->Boern("Year")) {
            erklaerede_["holdet"].insert(aargang->Tekst("Name"));
            for (const XmlElement* gruppe : aargang->Boern("Group")) {
                aargangAf_[gruppe->Tekst("Name")] = aargang->Tekst("Name");
                erklaerede_["holdet"].insert(gruppe->Tekst("Name"));
                for (const XmlElement* undergruppe : gruppe->Boern("Subgroup")) {
                    undergrupper_.insert(undergruppe->Tekst("Name"));
                    erklaerede_["holdet"].insert(undergruppe->Tekst("Name"));
                }
            }
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

    void LaesLokaleOensker()
    {
        const XmlElement* liste = rod_.Barn("Space_Constraints_List");
        if (liste == nullptr)
            return;
        for (const XmlElement& b : liste->boern) {
            const std::string lokale = EtLokale(b);
            const bool brugbar = ErAktiv(b) && !lokale.empty();
            if (brugbar &&
                (b.navn == "ConstraintActivityPreferredRoom" || b.navn == "ConstraintActivityPreferredRooms"))
                aktivitetsLokale_[b.Tekst("Activity_Id")] = lokale;
            else if (brugbar &&
                     (b.navn == "ConstraintSubjectPreferredRoom" || b.navn == "ConstraintSubjectPreferredRooms"))
                fagLokale_[b.Tekst("Subject")] = lokale;
            else if (brugbar && b.navn == "ConstraintStudentsSetHomeRoom")
                hjemLokale_[b.Tekst("Students")] = lokale;
            else if (b.navn != "ConstraintBasicCompulsorySpace")
                ++ikkeOverfoert_[b.navn];
        }
    }

    // Empty when the activity can become teaching of one class, otherwise why not.
    std::string Afvisning(const XmlElement& a) const
    {
        const auto laerere = a.Boern("Teacher");
        const auto elever = a.Boern("Students");
        if (!ErAktiv(a))
            return "er ikke aktiv";
        if (laerere.size() != 1)
            return laerere.empty() ? "har ingen lærer" : "har flere lærere (" + Liste(laerere) + ")";
        if (elever.size() != 1)
            return elever.empty() ? "har intet hold" : "har flere hold (" + Liste(elever) + ")";
        if (undergrupper_.contains(elever.front()->tekst))
            return "er for undergruppen " + elever.front()->tekst + ", som ikke kan blive et hold";
        return "";
    }

    void LaesAktiviteter()
    {
        const XmlElement* liste = rod_.Barn("Activities_List");
        if (liste == nullptr)
            return;
        std::map<std::string, size_t> grupper; // activity group id -> index into aktiviteter_, npos when refused
        std::set<std::string> ider;
        for (const XmlElement* a : liste->Boern("Activity")) {
            const std::string id = a->Tekst("Id");
            if (!ider.insert(id).second) {
                rapport_.push_back("Aktivitet " + id + " (" + a->Tekst("Subject") +
                                   ") findes to gange i filen; den anden er ikke overført");
                continue;
            }
            const std::string gruppeId = Tal(a->Tekst("Activity_Group_Id")) != 0 ? a->Tekst("Activity_Group_Id") : id;
            auto [gruppe, ny] = grupper.emplace(gruppeId, std::string::npos);
            if (ny) {
                if (const std::string grund = Afvisning(*a); !grund.empty()) {
                    rapport_.push_back("Aktivitet " + id + " (" + a->Tekst("Subject") + ") " + grund +
                                       "; ikke overført");
                    continue;
                }
                RapporterUerklaerede(*a);
                gruppe->second = aktiviteter_.size();
                const auto egetLokale = aktivitetsLokale_.find(id);
                const auto fagetsLokale = fagLokale_.find(a->Tekst("Subject"));
                const std::string lokale = egetLokale != aktivitetsLokale_.end() ? egetLokale->second
                                           : fagetsLokale != fagLokale_.end()    ? fagetsLokale->second
                                                                                 : "";
                aktiviteter_.push_back(
                    {id, a->Tekst("Teacher"), a->Tekst("Subject"), a->Tekst("Students"), lokale, {}});
            }
            if (gruppe->second != std::string::npos)
                aktiviteter_[gruppe->second].varigheder.push_back(Tal(a->Tekst("Duration")));
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
                                                           Undervisning{a.laerer, timer, blok, a.lokale});
            if (ny)
                continue;
            if (u->second.laerer == a.laerer && u->second.blok == blok && u->second.lokale == a.lokale)
                u->second.timer += timer;
            else
                rapport_.push_back("Aktivitet " + a.id + " (" + a.fag + ", " + a.hold + ") gentager holdets fag med " +
                                   "anden lærer, blok eller lokale; ikke overført");
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

    // A room that all of one class's activities ask for, and no other class's, is that class's home room.
    void FindHjemlokaler()
    {
        std::map<std::string, std::set<std::string>> holdetsLokaler;
        std::map<std::string, std::set<std::string>> lokaletsHold;
        for (const auto& [noegle, u] : undervisning_) {
            holdetsLokaler[noegle.first].insert(u.lokale);
            lokaletsHold[u.lokale].insert(noegle.first);
        }
        for (const auto& [hold, lokaler] : holdetsLokaler) {
            const std::string& lokale = *lokaler.begin();
            if (lokaler.size() != 1 || lokale.empty() || lokaletsHold[lokale].size() != 1)
                continue;
            hjemLokale_.try_emplace(hold, lokale);
            for (auto& [noegle, u] : undervisning_) {
                if (noegle.first == hold)
                    u.lokale.clear();
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
            fagLokaler_[id].insert(u.lokale);
            fag_[id] = {u.timer, u.blok};
        }
    }

    void TildelLokaler()
    {
        // A room asked for by a subject's activities becomes a room type of its own.
        for (const auto& [fag, lokaler] : fagLokaler_) {
            if (lokaler.size() == 1 && !lokaler.begin()->empty()) {
                lokaletype_[fag] = *lokaler.begin();
                saerlokaler_.insert(*lokaler.begin());
                continue;
            }
            lokaletype_[fag] = stamlokale;
            if (lokaler.size() > 1)
                rapport_.push_back("Fag " + fag + " ønsker forskellige lokaler; undervises i holdenes stamlokaler");
        }
        std::vector<std::string> ledige;
        if (const XmlElement* liste = rod_.Barn("Rooms_List")) {
            for (const XmlElement* lokale : liste->Boern("Room")) {
                const std::string navn = lokale->Tekst("Name");
                if (!saerlokaler_.contains(navn) && !ErOensketHjem(navn))
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

    void Byg(Skoledata& ud) const
    {
        ud.Tilfoej("Plan", {planId_, planId_, static_cast<int32_t>(dage_.size()), static_cast<int32_t>(timer_.size())});
        std::map<std::string, std::string> lokaler; // room -> type; classes may share a home room
        for (const auto& [hold, lokale] : hjem_) {
            ud.Tilfoej("Hold", {hold, hold});
            ud.Tilfoej("Holdliste", {hold, planId_});
            ud.Tilfoej("LokaleHoldRelation", {hold, lokale, planId_});
            lokaler[lokale] = stamlokale;
        }
        for (const std::string& lokale : saerlokaler_)
            lokaler[lokale] = lokale;
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
    }

    const XmlElement& rod_;
    const std::string& planId_;
    std::vector<std::string>& rapport_;
    std::vector<std::string> dage_;
    std::vector<std::string> timer_;
    std::set<std::string> undergrupper_;
    std::map<std::string, std::set<std::string>> erklaerede_; // "læreren", "faget", "holdet" -> declared names
    std::map<std::string, std::string> aargangAf_;            // group -> its year
    std::map<std::string, std::string> aktivitetsLokale_;
    std::map<std::string, std::string> fagLokale_;
    std::map<std::string, std::string> hjemLokale_;
    std::vector<Aktivitet> aktiviteter_;
    std::map<std::pair<std::string, std::string>, Undervisning> undervisning_; // (class, subject of the file)
    std::map<std::pair<std::string, std::string>, std::string> fagId_; // (class, subject of the file) -> our subject
    std::map<std::string, std::pair<int32_t, int32_t>> fag_;           // our subject -> hours, block
    std::map<std::string, std::set<std::string>> fagLokaler_;
    std::map<std::string, std::string> lokaletype_;
    std::set<std::string> saerlokaler_;
    std::map<std::string, std::string> hjem_;
    std::map<std::string, int> ikkeOverfoert_;
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
