#include "skoledata/SkoledataCsv.h"

#include "udgiv/AtomiskFil.h"
#include "udgiv/CsvLinje.h"
#include "skoledata/Skoleregler.h"

#include <charconv>

namespace skoledataCsv {

namespace {

std::vector<std::string> Overskrifter(const Tabel& tabel)
{
    std::vector<std::string> navne;
    for (const Kolonne& kolonne : tabel.kolonner)
        navne.push_back(FeltBetegnelse(kolonne.felt));
    return navne;
}

// Splits the text into records of fields; a quoted field may hold line breaks.
std::vector<std::vector<std::string>> Poster(const std::string& tekst)
{
    std::vector<std::vector<std::string>> poster;
    std::vector<std::string> post;
    std::string felt;
    bool citeret = false;
    bool noget = false;
    const size_t start = tekst.starts_with(csv::bom) ? csv::bom.size() : 0;
    for (size_t i = start; i < tekst.size(); ++i) {
        const char c = tekst[i];
        if (citeret) {
            if (c == '"' && i + 1 < tekst.size() && tekst[i + 1] == '"')
                felt += tekst[++i];
            else if (c == '"')
                citeret = false;
            else
                felt += c;
        } else if (c == '"') {
            citeret = noget = true;
        } else if (c == csv::skille) {
            post.push_back(std::move(felt));
            felt.clear();
            noget = true;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < tekst.size() && tekst[i + 1] == '\n')
                ++i;
            if (noget || !felt.empty()) {
                post.push_back(std::move(felt));
                poster.push_back(std::move(post));
            }
            post.clear();
            felt.clear();
            noget = false;
        } else {
            felt += c;
            noget = true;
        }
    }
    if (noget || !felt.empty()) {
        post.push_back(std::move(felt));
        poster.push_back(std::move(post));
    }
    return poster;
}

SqlVaerdi Vaerdi(const Kolonne& kolonne, const std::string& tekst)
{
    if (!skoleregler::Graenser(kolonne.felt))
        return tekst;
    int32_t tal = 0;
    const auto [slut, fejl] = std::from_chars(tekst.data(), tekst.data() + tekst.size(), tal);
    if (fejl != std::errc() || slut != tekst.data() + tekst.size() || tekst.empty())
        return tekst;
    return tal;
}

} // namespace

std::string Skriv(const Tabel& tabel, const std::vector<Raekke>& raekker)
{
    const std::vector<std::string> overskrifter = Overskrifter(tabel);
    std::string tekst = csv::Linje({overskrifter.begin(), overskrifter.end()});
    for (const Raekke& raekke : raekker) {
        std::vector<csv::Felt> felter;
        for (const SqlVaerdi& vaerdi : raekke) {
            const auto* tal = std::get_if<int32_t>(&vaerdi);
            felter.push_back(tal != nullptr ? csv::Felt::Tal(*tal) : csv::Felt(SomTekst(vaerdi)));
        }
        tekst += csv::Linje(felter);
    }
    return tekst;
}

bool SkrivFil(const Tabel& tabel, const std::vector<Raekke>& raekker, const std::string& fil, std::string& fejl)
{
    return atomiskFil::Skriv({{fil, Skriv(tabel, raekker)}}, fejl);
}

bool Laes(const Tabel& tabel, const std::string& tekst, std::vector<Raekke>& ud, std::vector<std::string>& fejl)
{
    fejl.clear();
    const auto poster = Poster(tekst);
    const auto overskrifter = Overskrifter(tabel);
    std::string forventet;
    for (const std::string& o : overskrifter)
        forventet += (forventet.empty() ? "" : ";") + o;
    if (poster.empty() || poster.front() != overskrifter) {
        fejl.push_back("Række 1: overskrifterne skal være " + forventet + " for " + tabel.betegnelse);
        return false;
    }
    std::vector<Raekke> raekker;
    for (size_t p = 1; p < poster.size(); ++p) {
        if (poster[p].size() != tabel.kolonner.size()) {
            fejl.push_back("Række " + std::to_string(p + 1) + ": " + std::to_string(poster[p].size()) +
                           " felter, ikke " + std::to_string(tabel.kolonner.size()) + " (" + forventet + ")");
            continue;
        }
        Raekke raekke;
        for (size_t k = 0; k < poster[p].size(); ++k)
            raekke.push_back(Vaerdi(tabel.kolonner[k], csv::UdenVaern(poster[p][k])));
        raekker.push_back(std::move(raekke));
    }
    if (!fejl.empty())
        return false;
    ud = std::move(raekker);
    return true;
}

} // namespace skoledataCsv
