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
        if (ErHenvisning(kolonne) && !(kolonne.tomTilladt && id == tomMarkoer)) {
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

class Kontrol {
public:
    Kontrol(const Skoledata& gemte, const Skoledata& nye) : gemte_(gemte), nye_(nye), kendte_({&gemte, &nye}) {}

    std::vector<std::string> Fejl()
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
        return fejl_;
    }

private:
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
        if (!gyldig)
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

    const Skoledata& gemte_;
    const Skoledata& nye_;
    Kendte kendte_;
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

std::vector<std::string> Kontroller(const Skoledata& gemte, const Skoledata& nye) { return Kontrol(gemte, nye).Fejl(); }

std::string CelleFejl(const Skoledata& data, const Tabel& tabel, size_t kolonne, const SqlVaerdi& vaerdi)
{
    const Kolonne& k = tabel.kolonner.at(kolonne);
    if (std::string fejl = VaerdiFejl(k, vaerdi); !fejl.empty())
        return fejl;
    return Kendte({&data}).Fejl(tabel, k, vaerdi);
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
