#include "import/Elevhold.h"

#include "import/XmlElement.h"
#include "skoledata/Skoleregler.h"

#include <algorithm>

namespace fetImport {

namespace {

bool Deler(const Atomer& a, const Atomer& b)
{
    return std::any_of(a.begin(), a.end(), [&](const std::string& atom) { return b.contains(atom); });
}

bool Rummer(const Atomer& stor, const Atomer& lille)
{
    return std::includes(stor.begin(), stor.end(), lille.begin(), lille.end());
}

// A division is named by its groups ("Tysk/Fransk") while that stays short.
std::string InddelingsNavn(const std::vector<std::string>& grupper, size_t nummer)
{
    constexpr size_t laengst = 40;
    std::string navn;
    for (const std::string& g : grupper)
        navn += (navn.empty() ? "" : "/") + g;
    if (navn.size() <= laengst && skoleregler::IdFejl(navn).empty())
        return navn;
    return "Inddeling " + std::to_string(nummer);
}

} // namespace

std::optional<std::vector<std::vector<Elevgruppe>>> UdledInddelinger(const Atomer& hele,
                                                                     const std::vector<Elevgruppe>& grupper)
{
    // A group of all the students is the whole, and two groups of the same students are one.
    std::vector<Elevgruppe> unikke;
    std::set<Atomer> sete;
    for (const Elevgruppe& g : grupper) {
        if (!g.atomer.empty() && g.atomer != hele && Rummer(hele, g.atomer) && sete.insert(g.atomer).second)
            unikke.push_back(g);
    }
    std::vector<std::vector<Elevgruppe>> inddelinger;
    std::vector<bool> brugt(unikke.size(), false);
    for (size_t i = 0; i < unikke.size(); ++i) {
        if (brugt[i])
            continue;
        std::vector<Elevgruppe> inddeling;
        Atomer daekket;
        for (size_t j = i; j < unikke.size(); ++j) {
            if (brugt[j] || Deler(unikke[j].atomer, daekket))
                continue;
            brugt[j] = true;
            inddeling.push_back(unikke[j]);
            daekket.insert(unikke[j].atomer.begin(), unikke[j].atomer.end());
        }
        if (daekket != hele)
            return std::nullopt;
        inddelinger.push_back(std::move(inddeling));
    }
    return inddelinger;
}

Elevhold::Elevhold(const XmlElement* elevliste, const std::set<std::string>& underviste)
{
    if (elevliste != nullptr)
        LaesElevliste(*elevliste);
    for (const std::string& s : underviste)
        saet_.try_emplace(s, Saet{3, {s}});
    // Sets that share students but that no one of them holds are joined by the smallest file set holding them all.
    std::set<std::string> saet = underviste;
    for (bool udvidet = true; udvidet;) {
        udvidet = false;
        for (const auto& sammenhaeng : Sammenhaenge(saet)) {
            Atomer alle;
            for (const std::string& s : sammenhaeng)
                alle.insert(SaetAf(s).atomer.begin(), SaetAf(s).atomer.end());
            const bool samlet = std::any_of(sammenhaeng.begin(), sammenhaeng.end(),
                                            [&](const std::string& s) { return SaetAf(s).atomer == alle; });
            if (samlet)
                continue;
            if (const auto omfattende = MindsteOmfattende(alle); omfattende && saet.insert(*omfattende).second)
                udvidet = true;
        }
    }
    for (const auto& sammenhaeng : Sammenhaenge(saet))
        DanKlasse(sammenhaeng);
}

// A year is made of its groups and a group of its subgroups; a subgroup under several groups is one set of students,
// and so is a group under several years.
void Elevhold::LaesElevliste(const XmlElement& elevliste)
{
    const auto tilfoej = [&](const std::string& navn, int niveau, const Atomer& atomer) {
        Saet& s = saet_.try_emplace(navn, Saet{niveau, {}}).first->second;
        s.niveau = std::min(s.niveau, niveau);
        s.atomer.insert(atomer.begin(), atomer.end());
    };
    for (const XmlElement* aargang : elevliste.Boern("Year")) {
        const std::string aar = aargang->Tekst("Name");
        Atomer aargangensAtomer;
        for (const XmlElement* gruppe : aargang->Boern("Group")) {
            const std::string navn = gruppe->Tekst("Name");
            Atomer gruppensAtomer;
            for (const XmlElement* undergruppe : gruppe->Boern("Subgroup")) {
                tilfoej(undergruppe->Tekst("Name"), 2, {undergruppe->Tekst("Name")});
                gruppensAtomer.insert(undergruppe->Tekst("Name"));
            }
            if (gruppensAtomer.empty())
                gruppensAtomer.insert(navn);
            tilfoej(navn, 1, gruppensAtomer);
            aargangensGrupper_[aar].push_back(navn);
            aargangensAtomer.insert(gruppensAtomer.begin(), gruppensAtomer.end());
        }
        if (aargangensAtomer.empty())
            aargangensAtomer.insert(aar);
        tilfoej(aar, 0, aargangensAtomer);
    }
}

const Elevhold::Saet& Elevhold::SaetAf(const std::string& navn) const { return saet_.at(navn); }

// The sets joined by shared students, directly or through others.
std::vector<std::set<std::string>> Elevhold::Sammenhaenge(const std::set<std::string>& saet) const
{
    std::vector<std::pair<Atomer, std::set<std::string>>> dele;
    for (const std::string& s : saet) {
        std::pair<Atomer, std::set<std::string>> ny{SaetAf(s).atomer, {s}};
        for (auto d = dele.begin(); d != dele.end();) {
            if (Deler(d->first, ny.first)) {
                ny.first.insert(d->first.begin(), d->first.end());
                ny.second.insert(d->second.begin(), d->second.end());
                d = dele.erase(d);
            } else {
                ++d;
            }
        }
        dele.push_back(std::move(ny));
    }
    std::vector<std::set<std::string>> ud;
    for (auto& d : dele)
        ud.push_back(std::move(d.second));
    return ud;
}

// The file's smallest set holding all those students, the largest kind among equal ones.
std::optional<std::string> Elevhold::MindsteOmfattende(const Atomer& atomer) const
{
    std::optional<std::tuple<size_t, int, std::string>> bedst;
    for (const auto& [navn, s] : saet_) {
        if (s.niveau < 3 && Rummer(s.atomer, atomer)) {
            const std::tuple<size_t, int, std::string> kandidat{s.atomer.size(), s.niveau, navn};
            if (!bedst || kandidat < *bedst)
                bedst = kandidat;
        }
    }
    if (!bedst)
        return std::nullopt;
    return std::get<2>(*bedst);
}

// The class is the set holding the others, named by the largest kind among sets of the same students (a year with
// one group is the year). Where none holds the others (they lie in different years) the largest names them all.
void Elevhold::DanKlasse(const std::set<std::string>& sammenhaeng)
{
    Atomer alle;
    for (const std::string& s : sammenhaeng)
        alle.insert(SaetAf(s).atomer.begin(), SaetAf(s).atomer.end());
    std::optional<std::tuple<bool, size_t, int, std::string>> navn; // not whole, fewest missing, kind, name
    std::set<std::string> indre;
    for (const std::string& s : sammenhaeng) {
        const Saet& saet = SaetAf(s);
        const std::tuple<bool, size_t, int, std::string> kandidat{saet.atomer != alle, alle.size() - saet.atomer.size(),
                                                                  saet.niveau, s};
        if (!navn || kandidat < *navn)
            navn = kandidat;
        if (saet.atomer != alle)
            indre.insert(s);
    }
    Klasse klasse{std::get<3>(*navn), alle, {}, {}};
    DelKlasse(klasse, indre);
    for (const std::string& atom : alle)
        klasseAfAtom_[atom] = klasser_.size();
    klasser_.push_back(std::move(klasse));
}

// A year's groups give its divisions when they split it as a product and every taught set inside is one of them;
// otherwise the class gets one division of its smallest sets, and a set inside is the groups of its students.
void Elevhold::DelKlasse(Klasse& klasse, const std::set<std::string>& indre)
{
    if (indre.empty())
        return;
    std::vector<Elevgruppe> kandidater;
    if (const auto grupper = aargangensGrupper_.find(klasse.navn);
        grupper != aargangensGrupper_.end() && SaetAf(klasse.navn).niveau == 0) {
        for (const std::string& g : grupper->second)
            kandidater.push_back({g, SaetAf(g).atomer});
        // A taught name is the one kept where two groups have the same students.
        std::stable_partition(kandidater.begin(), kandidater.end(),
                              [&](const Elevgruppe& g) { return indre.contains(g.navn); });
    }
    auto inddelinger = UdledInddelinger(klasse.atomer, kandidater);
    const auto erGruppe = [&](const std::string& s) {
        return std::any_of(inddelinger->begin(), inddelinger->end(), [&](const auto& inddeling) {
            return std::any_of(inddeling.begin(), inddeling.end(),
                               [&](const Elevgruppe& g) { return g.atomer == SaetAf(s).atomer; });
        });
    };
    if (!inddelinger || inddelinger->empty() || !std::all_of(indre.begin(), indre.end(), erGruppe)) {
        std::vector<Elevgruppe> mindste;
        for (const std::string& atom : klasse.atomer)
            mindste.push_back({atom, {atom}});
        inddelinger = std::vector<std::vector<Elevgruppe>>{mindste};
    }
    for (const auto& inddeling : *inddelinger) {
        std::vector<std::string> navne;
        for (const Elevgruppe& g : inddeling) {
            navne.push_back(g.navn);
            klasse.gruppeAf[g.atomer] = g.navn;
        }
        klasse.inddelinger.push_back({InddelingsNavn(navne, klasse.inddelinger.size() + 1), navne});
    }
}

std::vector<Deltager> Elevhold::Deltagere(const std::string& saet) const
{
    const Atomer& atomer = SaetAf(saet).atomer;
    const Klasse& klasse = klasser_.at(klasseAfAtom_.at(*atomer.begin()));
    if (atomer == klasse.atomer)
        return {{klasse.navn, skoleregler::tomMarkoer}};
    if (const auto gruppe = klasse.gruppeAf.find(atomer); gruppe != klasse.gruppeAf.end())
        return {{klasse.navn, gruppe->second}};
    std::vector<Deltager> ud;
    for (const std::string& atom : atomer)
        ud.push_back({klasse.navn, klasse.gruppeAf.at({atom})});
    return ud;
}

std::optional<std::string> Elevhold::HeleHoldet(const std::string& saet) const
{
    const auto s = saet_.find(saet);
    if (s == saet_.end())
        return std::nullopt;
    const auto klasse = klasseAfAtom_.find(*s->second.atomer.begin());
    if (klasse == klasseAfAtom_.end() || klasser_[klasse->second].atomer != s->second.atomer)
        return std::nullopt;
    return klasser_[klasse->second].navn;
}

} // namespace fetImport
