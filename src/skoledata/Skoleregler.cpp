#include "skoledata/Skoleregler.h"

#include "fuldfoerelse/Skemabillede.h"
#include "regler/Planregler.h"

#include <algorithm>
#include <map>
#include <set>

namespace skoleregler {

namespace {

using Noegle = Raekke;

// Counts characters, not the bytes of their UTF-8 spelling.
size_t AntalTegn(const std::string& tekst)
{
    return static_cast<size_t>(std::count_if(tekst.begin(), tekst.end(),
                                             [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// C0 controls, DEL and the C1 controls (U+0080 to U+009F, spelled 0xC2 0x80-0x9F).
bool HarStyretegn(const std::string& tekst)
{
    for (size_t i = 0; i < tekst.size(); ++i) {
        const auto c = static_cast<unsigned char>(tekst[i]);
        if (c < 0x20 || c == 0x7F)
            return true;
        if (c == 0xC2 && i + 1 < tekst.size() && static_cast<unsigned char>(tekst[i + 1]) <= 0x9F)
            return true;
    }
    return false;
}

// The ids of the Plan, Hold, Fag and Lokale tables and the room types of the
// rooms found in some data: what a reference may name.
class Kendte {
public:
    explicit Kendte(std::initializer_list<const Skoledata*> data)
    {
        lokaletyper_.insert(stamlokaleType);
        for (const Skoledata* d : data)
            Tilfoej(*d);
    }

    // Empty when the value names something known (or is no reference), otherwise what is wrong.
    std::string Fejl(const Tabel& tabel, const Kolonne& kolonne, const SqlVaerdi& vaerdi) const
    {
        const std::string id = SomTekst(vaerdi);
        // An activity's id counts within its plan, which Grupperegler looks at.
        if (ErHenvisning(kolonne) && kolonne.felt != Felt::Aktivitet && !(kolonne.tomTilladt && id == tomMarkoer)) {
            const auto ider = ider_.find(kolonne.felt);
            if (ider == ider_.end() || !ider->second.contains(id))
                return "\"" + id + "\" findes ikke; vælg en der findes";
        }
        // A subject needing a type of room that no room has could never be placed.
        if (tabel.navn == "Fag" && kolonne.felt == Felt::Lokaletype && !lokaletyper_.contains(id))
            return "\"" + id + "\" har intet lokale; giv et lokale den type, eller vælg " + stamlokaleType;
        return "";
    }

private:
    void Tilfoej(const Skoledata& data)
    {
        for (const Tabel& tabel : Skematabeller()) {
            for (size_t k = 0; k < tabel.kolonner.size(); ++k) {
                const Kolonne& kolonne = tabel.kolonner[k];
                const bool lokaletype = tabel.navn == "Lokale" && kolonne.felt == Felt::Lokaletype;
                if (!kolonne.definerer && !lokaletype)
                    continue;
                for (const Raekke& raekke : data.Af(tabel.navn)) {
                    if (k >= raekke.size())
                        continue;
                    if (lokaletype)
                        lokaletyper_.insert(SomTekst(raekke[k]));
                    else
                        ider_[kolonne.felt].insert(SomTekst(raekke[k]));
                }
            }
        }
    }

    std::map<Felt, std::set<std::string>> ider_;
    std::set<std::string> lokaletyper_;
};

// ---- Groups and activities: rules that look at other rows ----

bool ErGruppeTabel(const Tabel& tabel)
{
    return tabel.egen && std::any_of(tabel.kolonner.begin(), tabel.kolonner.end(), [](const Kolonne& k) {
               return k.felt == Felt::Gruppe || k.felt == Felt::Aktivitet;
           });
}

std::optional<int32_t> Tal(const SqlVaerdi& vaerdi)
{
    const auto* tal = std::get_if<int32_t>(&vaerdi);
    return tal == nullptr ? std::nullopt : std::optional<int32_t>(*tal);
}

std::string Citeret(const std::string& tekst) { return "\"" + tekst + "\""; }

// The groups, divisions and activities of all plans, looked up by the rules.
class Grupperegler {
public:
    explicit Grupperegler(const Skoledata& data)
    {
        for (const Raekke& r : data.Af("Plan")) {
            if (r.size() == 4 && Tal(r[3]))
                dagensTimer_[SomTekst(r[0])] = *Tal(r[3]);
        }
        for (const Raekke& r : data.Af("Gruppe")) {
            if (r.size() != 4)
                continue;
            const Hold hold{SomTekst(r[0]), SomTekst(r[1])};
            ++grupper_[hold][SomTekst(r[3])];
            ++inddelinger_[{hold, SomTekst(r[2])}];
        }
        for (const Raekke& r : data.Af("Aktivitet")) {
            if (r.size() == 5)
                aktiviteter_.insert({SomTekst(r[0]), SomTekst(r[1])});
        }
        for (const std::string navn : {"AktivitetDeltager", "AktivitetLaerer"}) {
            for (const Raekke& r : data.Af(navn)) {
                if (r.size() >= 2)
                    besatte_.insert({SomTekst(r[0]), SomTekst(r[1])});
            }
        }
        for (const Raekke& r : data.Af("AktivitetLokale")) {
            if (r.size() == 4 && Tal(r[2]))
                behov_[{SomTekst(r[0]), SomTekst(r[1])}].insert(*Tal(r[2]));
        }
    }

    std::string Fejl(const Tabel& tabel, const Raekke& r, size_t k) const
    {
        const Felt felt = tabel.kolonner[k].felt;
        const std::string plan = SomTekst(r[0]);
        if (tabel.navn == "Gruppe")
            return GruppensFejl(r, felt);
        if (tabel.navn == "Aktivitet")
            return AktivitetensFejl(r, felt);
        const bool alle = tabel.kolonner[k].tomTilladt && SomTekst(r[k]) == tomMarkoer;
        if (felt == Felt::Aktivitet && !alle && !aktiviteter_.contains({plan, SomTekst(r[k])}))
            return Citeret(SomTekst(r[k])) + " findes ikke i plan " + plan + "; vælg en af planens aktiviteter";
        if (tabel.navn == "AktivitetDeltager" && felt == Felt::Gruppe)
            return DeltagerensFejl(plan, SomTekst(r[2]), SomTekst(r[3]));
        if (tabel.navn == "AktivitetLokale" && felt == Felt::Behov) {
            const auto nr = Tal(r[2]);
            const auto numre = behov_.find({plan, SomTekst(r[1])});
            if (nr && *nr > 1 && (numre == behov_.end() || !numre->second.contains(*nr - 1)))
                return std::to_string(*nr) + ", men aktiviteten har intet lokalebehov " + std::to_string(*nr - 1) +
                       "; nummerér behovene 1, 2, 3 … uden huller";
        }
        return "";
    }

private:
    using Hold = std::pair<std::string, std::string>;      // plan, class
    using Aktivitet = std::pair<std::string, std::string>; // plan, activity

    std::string GruppensFejl(const Raekke& r, Felt felt) const
    {
        const Hold hold{SomTekst(r[0]), SomTekst(r[1])};
        const std::string gruppe = SomTekst(r[3]);
        if (felt == Felt::Gruppe && grupper_.at(hold).at(gruppe) > 1)
            return Citeret(gruppe) + " bruges to gange i hold " + hold.second + "; giv den ene gruppe et andet navn";
        // One group would be the whole class under another name, so its other groups are most likely missing.
        if (felt == Felt::Inddeling && inddelinger_.at({hold, SomTekst(r[2])}) == 1)
            return Citeret(SomTekst(r[2])) + " har kun gruppen " + Citeret(gruppe) +
                   "; en inddeling deler holdet i mindst to grupper, så tilføj de andre, eller lad aktiviteterne "
                   "bruge hele holdet (gruppe " +
                   tomMarkoer + ")";
        return "";
    }

    std::string AktivitetensFejl(const Raekke& r, Felt felt) const
    {
        const std::string plan = SomTekst(r[0]);
        const auto timer = Tal(r[3]);
        const auto blok = Tal(r[4]);
        if (felt == Felt::Aktivitet && !besatte_.contains({plan, SomTekst(r[1])}))
            return "har hverken deltagere eller lærere; tilføj mindst én af dem, eller slet aktiviteten";
        // A lesson is placed as one block, so hours beyond the last whole block would have no lesson to be.
        if (felt == Felt::Timer && timer && blok && *blok > 0 && *timer % *blok != 0)
            return std::to_string(*timer) + " er ikke et helt antal blokke på " + std::to_string(*blok) +
                   " timer; vælg " + std::to_string(*timer - *timer % *blok) + " eller " +
                   std::to_string(*timer - *timer % *blok + *blok) + ", eller en anden blokstørrelse";
        const auto dag = dagensTimer_.find(plan);
        if (felt == Felt::Laengde && blok && dag != dagensTimer_.end() && *blok > dag->second)
            return std::to_string(*blok) + " er længere end planens dag på " + std::to_string(dag->second) +
                   " timer; vælg højst " + std::to_string(dag->second);
        return "";
    }

    std::string DeltagerensFejl(const std::string& plan, const std::string& hold, const std::string& gruppe) const
    {
        if (gruppe == tomMarkoer)
            return "";
        const auto grupper = grupper_.find({plan, hold});
        if (grupper == grupper_.end())
            return Citeret(gruppe) + ": hold " + hold + " har ingen grupper i plan " + plan +
                   "; tilføj gruppen under Grupper, eller vælg " + tomMarkoer + " for hele holdet";
        if (grupper->second.contains(gruppe))
            return "";
        std::string navne;
        for (const auto& [navn, antal] : grupper->second)
            navne += (navne.empty() ? "" : ", ") + navn;
        return Citeret(gruppe) + " er ikke en gruppe af hold " + hold + " i plan " + plan + "; vælg en af " + navne +
               ", eller " + tomMarkoer + " for hele holdet";
    }

    std::map<std::string, int32_t> dagensTimer_;
    std::map<Hold, std::map<std::string, int>> grupper_;
    std::map<std::pair<Hold, std::string>, int> inddelinger_;
    std::set<Aktivitet> aktiviteter_;
    std::set<Aktivitet> besatte_; // with a participant or a teacher
    std::map<Aktivitet, std::set<int32_t>> behov_;
};

// ---- end of the groups and activities ----

class Kontrol {
public:
    Kontrol(const Skoledata& gemte, const Skoledata& nye)
        : gemte_(gemte), nye_(nye), kendte_({&gemte, &nye}), grupperegler_(Sammen(gemte, nye))
    {
    }

    std::vector<std::string> Fejl(const Skoledata& fjernede)
    {
        for (const Tabel& tabel : Skematabeller()) {
            const auto& raekker = nye_.Af(tabel.navn);
            if (raekker.empty())
                continue;
            std::map<Noegle, const Raekke*> gemte;
            for (const Raekke& raekke : gemte_.Af(tabel.navn))
                gemte.emplace(NoegleAf(tabel, raekke), &raekke);
            std::set<Noegle> sete;
            for (const Raekke& raekke : raekker)
                KontrollerRaekke(tabel, raekke, gemte, sete);
        }
        KontrollerPlanerne(fjernede);
        return fejl_;
    }

private:
    // The stored groups and activities of the plans that the write touches, which no new row brings.
    void KontrollerPlanerne(const Skoledata& fjernede)
    {
        std::set<std::string> planer;
        for (const Skoledata* data : {&nye_, &fjernede}) {
            for (const auto& [navn, raekker] : data->raekker) {
                if (!ErGruppeTabel(TabelNavngivet(navn)))
                    continue;
                for (const Raekke& raekke : raekker) {
                    if (!raekke.empty())
                        planer.insert(SomTekst(raekke[0]));
                }
            }
        }
        for (const Tabel& tabel : Skematabeller()) {
            if (!ErGruppeTabel(tabel))
                continue;
            // A stored row that a new one repeats or replaces is checked as that one.
            std::set<Noegle> nye;
            for (const Raekke& raekke : nye_.Af(tabel.navn)) {
                if (raekke.size() == tabel.kolonner.size())
                    nye.insert(NoegleAf(tabel, raekke));
            }
            for (const Raekke& raekke : gemte_.Af(tabel.navn)) {
                if (planer.contains(SomTekst(raekke.at(0))) && !nye.contains(NoegleAf(tabel, raekke)))
                    KontrollerGrupper(tabel, raekke);
            }
        }
    }

    void KontrollerRaekke(const Tabel& tabel, const Raekke& raekke, const std::map<Noegle, const Raekke*>& gemte,
                          std::set<Noegle>& sete)
    {
        if (raekke.size() != tabel.kolonner.size()) {
            fejl_.push_back(tabel.betegnelse + ": en række har " + std::to_string(raekke.size()) + " værdier, ikke " +
                            std::to_string(tabel.kolonner.size()));
            return;
        }
        const std::string hvor = tabel.betegnelse + " (" + NoegleTekst(tabel, raekke) + "): ";
        bool gyldig = true;
        for (size_t k = 0; k < raekke.size(); ++k) {
            const Kolonne& kolonne = tabel.kolonner[k];
            if (const std::string fejl = VaerdiFejl(kolonne, raekke[k]); !fejl.empty()) {
                fejl_.push_back(hvor + FeltBetegnelse(kolonne.felt) + " " + fejl);
                gyldig = false;
            } else if (const std::string ukendt = kendte_.Fejl(tabel, kolonne, raekke[k]); !ukendt.empty()) {
                fejl_.push_back(hvor + FeltBetegnelse(kolonne.felt) + " " + ukendt);
            }
        }
        if (!gyldig || KontrollerGrupper(tabel, raekke))
            return;
        const Noegle noegle = NoegleAf(tabel, raekke);
        if (!sete.insert(noegle).second) {
            fejl_.push_back(hvor + "findes to gange");
            return;
        }
        const auto gemt = gemte.find(noegle);
        if (gemt == gemte.end())
            return;
        if (tabel.navn == "Plan")
            fejl_.push_back(hvor + "planen findes allerede");
        else if (*gemt->second != raekke)
            fejl_.push_back(hvor + "findes allerede med andre værdier (gemt: " + RaekkeTekst(*gemt->second) +
                            "; ny: " + RaekkeTekst(raekke) + ")");
    }

    // True when the row breaks a rule of the groups and activities.
    bool KontrollerGrupper(const Tabel& tabel, const Raekke& raekke)
    {
        if (!ErGruppeTabel(tabel))
            return false;
        bool brudt = false;
        for (size_t k = 0; k < raekke.size(); ++k) {
            if (const std::string fejl = grupperegler_.Fejl(tabel, raekke, k); !fejl.empty()) {
                fejl_.push_back(tabel.betegnelse + " (" + NoegleTekst(tabel, raekke) +
                                "): " + FeltBetegnelse(tabel.kolonner[k].felt) + " " + fejl);
                brudt = true;
            }
        }
        return brudt;
    }

    static Skoledata Sammen(const Skoledata& gemte, const Skoledata& nye)
    {
        Skoledata alle = gemte;
        for (auto& [navn, raekker] : UdenGemte(gemte, nye).raekker) {
            for (Raekke& raekke : raekker)
                alle.Tilfoej(navn, std::move(raekke));
        }
        return alle;
    }

    const Skoledata& gemte_;
    const Skoledata& nye_;
    Kendte kendte_;
    Grupperegler grupperegler_;
    std::vector<std::string> fejl_;
};

// The planner's own rules: a kind the rules module knows.
std::string RegelartFejl(const std::string& art)
{
    if (planregler::ArtNavngivet(art))
        return "";
    std::string kendte;
    for (const planregler::Art a : planregler::AlleArter())
        kendte += (kendte.empty() ? "" : ", ") + planregler::Navn(a);
    return "\"" + art + "\" er ingen regelart; vælg en af " + kendte;
}

} // namespace

std::optional<Interval> Graenser(Felt felt)
{
    switch (felt) {
    case Felt::Timer:
        return Interval{0, maksCeller};
    case Felt::Dage:
        return Interval{1, maksDage};
    case Felt::TimerPrDag:
        return Interval{1, maksTimer};
    case Felt::AntalHold:
        return Interval{0, 200};
    case Felt::Blok:
        return Interval{1, 8};
    case Felt::Prioritet:
        return Interval{-3, 3};
    case Felt::Dag:
        return Interval{0, maksDage - 1};
    case Felt::Time:
        return Interval{0, maksTimer - 1};
    case Felt::Behov:
    case Felt::Laengde:
        return Interval{1, maksTimer};
    // The planner's own rules.
    case Felt::Regel:
        return Interval{1, 1000000};
    case Felt::Graense:
        return Interval{0, maksCeller};
    case Felt::Vaegt:
        return Interval{1, planregler::krav};
    default:
        return std::nullopt;
    }
}

std::string IdFejl(const std::string& id)
{
    // Only spaces look empty too, and could not be told from another such id.
    if (id.find_first_not_of(' ') == std::string::npos)
        return "må ikke være tom";
    if (HarStyretegn(id))
        return "må ikke indeholde styretegn (linjeskift, tabulator o.l.)";
    if (AntalTegn(id) > maksTegn)
        return "må højst have " + std::to_string(maksTegn) + " tegn";
    if (id == tomMarkoer)
        return "må ikke hedde \"" + tomMarkoer + "\", som betyder 'ikke tildelt'";
    return "";
}

std::string VaerdiFejl(const Kolonne& kolonne, const SqlVaerdi& vaerdi)
{
    const auto graenser = Graenser(kolonne.felt);
    if (!graenser) {
        const auto* tekst = std::get_if<std::string>(&vaerdi);
        if (tekst == nullptr)
            return "skal være en tekst";
        if (kolonne.felt == Felt::Regelart)
            return RegelartFejl(*tekst);
        return kolonne.tomTilladt && *tekst == tomMarkoer ? "" : IdFejl(*tekst);
    }
    const auto* tal = std::get_if<int32_t>(&vaerdi);
    if (tal == nullptr)
        return "skal være et heltal, ikke \"" + SomTekst(vaerdi) + "\"";
    if (*tal < graenser->mindst || *tal > graenser->hoejst)
        return "skal være et tal fra " + std::to_string(graenser->mindst) + " til " + std::to_string(graenser->hoejst) +
               ", ikke " + std::to_string(*tal);
    return "";
}

std::vector<std::string> Kontroller(const Skoledata& gemte, const Skoledata& nye, const Skoledata& fjernede)
{
    return Kontrol(gemte, nye).Fejl(fjernede);
}

struct Cellekontrol::Regler {
    Kendte kendte;
    Grupperegler grupperegler;
};

Cellekontrol::Cellekontrol(const Skoledata& data)
    : regler_(std::make_unique<Regler>(Regler{Kendte({&data}), Grupperegler(data)}))
{
}

Cellekontrol::~Cellekontrol() = default;

std::string Cellekontrol::Fejl(const Tabel& tabel, const Raekke& raekke, size_t kolonne) const
{
    const Kolonne& k = tabel.kolonner.at(kolonne);
    const SqlVaerdi& vaerdi = raekke.at(kolonne);
    if (std::string fejl = VaerdiFejl(k, vaerdi); !fejl.empty())
        return fejl;
    if (std::string fejl = regler_->kendte.Fejl(tabel, k, vaerdi); !fejl.empty())
        return fejl;
    if (!ErGruppeTabel(tabel) || raekke.size() != tabel.kolonner.size())
        return "";
    return regler_->grupperegler.Fejl(tabel, raekke, kolonne);
}

Skoledata UdenGemte(const Skoledata& gemte, const Skoledata& nye)
{
    Skoledata ud;
    for (const auto& [navn, raekker] : nye.raekker) {
        const auto& gemt = gemte.Af(navn);
        const std::set<Raekke> findes(gemt.begin(), gemt.end());
        for (const Raekke& raekke : raekker) {
            if (!findes.contains(raekke))
                ud.Tilfoej(navn, raekke);
        }
    }
    return ud;
}

} // namespace skoleregler
