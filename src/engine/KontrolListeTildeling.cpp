// Completing missing home rooms and teachers, and writing the relations back.
#include "engine/KontrolListe.h"

#include "store/Lektion.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

namespace {

constexpr int32_t feltAnden = 2;  // tekst[1]: a class's home room, a room's type, a profile's subject
constexpr int32_t feltLaerer = 3; // tekst[2] of list 8

const std::string accepttitel = "Accept af handling!";

} // namespace

bool KontrolListe::TildelStamlokaler()
{
    Klyngeliste<data>& relationer = Liste(holdLokaleListe);
    kladde.tekst[1] = tomId;
    const int32_t udenLokale = relationer.Saml(feltAnden, kladde, Samling::forrest);
    if (udenLokale == 0)
        return true;
    if (!besked.Spoerg("Ikke alle hold har fået tildelt et fast lokale\n ønskes en randomiseret tildeling?",
                       accepttitel))
        return false;
    const int32_t medLokale = relationer.antal - udenLokale;
    relationer.SorterDel(feltAnden, udenLokale, medLokale, stigende);

    Klyngeliste<data>& lokaler = Liste(lokaleListe);
    kladde.tekst[1] = stamlokaleType;
    const int32_t stamlokaler = lokaler.Saml(feltAnden, kladde, Samling::forrest);
    if (stamlokaler == 0) {
        besked.VisFejl("Fejl: Der er ikke nok ledige stamlokaler", stopTitel);
        return false;
    }
    int32_t tildelt = 0;
    for (int32_t r = 0; r < stamlokaler && tildelt < udenLokale; ++r) {
        data& lokale = lokaler.element[r];
        kladde.tekst[1] = lokale.tekst[0];
        if (relationer.Findes(feltAnden, kladde, udenLokale, medLokale))
            continue; // already some class's home room
        data& hold = relationer.element[tildelt];
        hold.tekst[1] = lokale.tekst[0];
        kladde.tekst[0] = hold.tekst[0];
        data* holdPost = nullptr;
        lokale.heltal[0] = Liste(holdListe).Hent(holdPost, kladde, feltId) ? holdPost->heltal[0] : 0;
        ++tildelt;
    }
    if (tildelt == udenLokale)
        return true;
    besked.VisFejl("Der er ikke ledige stamlokaler nok: " + std::to_string(udenLokale - tildelt) +
                       " hold har stadig intet fast lokale. Giv planen flere lokaler af typen " + stamlokaleType +
                       ", eller giv holdene et fast lokale.",
                   stopTitel);
    return false;
}

// Rows without a teacher are served from the end of their gathered block.
// A profile's number of classes is what the teacher may take in all: the
// classes that already have her in the subject use some of it up, each class
// once however many rows name it, charged to her profile rows of the subject
// in their order, none below 0.
void KontrolListe::TraekTildelteFra(Klyngeliste<data>& profiler, const Klyngeliste<data>& relationer,
                                    int32_t foersteTildelte)
{
    std::map<std::pair<std::string, std::string>, std::set<std::string>> hold; // teacher, subject -> classes
    for (int32_t i = foersteTildelte; i < relationer.antal; ++i) {
        const data& r = relationer.element[i];
        hold[{r.tekst[2], r.tekst[1]}].insert(r.tekst[0]);
    }
    std::map<std::pair<std::string, std::string>, int32_t> rest;
    for (const auto& [noegle, klasser] : hold)
        rest[noegle] = static_cast<int32_t>(klasser.size());
    for (int32_t p = 0; p < profiler.antal; ++p) {
        data& profil = profiler.element[p];
        const auto fundet = rest.find({profil.tekst[0], profil.tekst[1]});
        if (fundet == rest.end() || profil.heltal[0] <= 0)
            continue;
        const int32_t traek = std::min(profil.heltal[0], fundet->second);
        profil.heltal[0] -= traek;
        fundet->second -= traek;
    }
}

bool KontrolListe::TildelLaerere()
{
    Klyngeliste<data>& profiler = Liste(fagprofilListe);
    profiler.Sorter(feltAnden);
    Klyngeliste<data>& relationer = Liste(holdLaererListe);
    kladde.tekst[2] = tomId;
    const int32_t udenLaerer = relationer.Saml(feltLaerer, kladde, Samling::forrest);
    if (udenLaerer == 0)
        return true;
    if (!besked.Spoerg("Ikke alle hold har fået tildelt en fast lærer i alle fag\n ønskes en randomiseret tildeling?",
                       accepttitel))
        return false;
    relationer.SorterDel(feltLaerer, udenLaerer, relationer.antal - udenLaerer, stigende);
    TraekTildelteFra(profiler, relationer, udenLaerer);

    std::vector<std::string> udaekkede;
    for (int32_t i = udenLaerer - 1; i >= 0; --i) {
        data& raekke = relationer.element[i];
        kladde.tekst[1] = raekke.tekst[1];
        int32_t foerste = 0;
        int32_t sidste = 0;
        if (!profiler.HentInterval(feltAnden, kladde, foerste, sidste, Omraade::hele))
            continue; // nobody teaches the subject: the row stays open
        bool fundet = false;
        for (int32_t p = foerste; p <= sidste && !fundet; ++p) {
            data& profil = profiler.element[p];
            if (profil.heltal[0] > 0) {
                raekke.tekst[2] = profil.tekst[0];
                --profil.heltal[0];
                fundet = true;
            }
        }
        if (!fundet)
            udaekkede.push_back(raekke.tekst[0] + " " + raekke.tekst[1]);
    }
    if (udaekkede.empty())
        return true;
    MeldUdaekkede(udaekkede);
    return false;
}

void KontrolListe::MeldUdaekkede(const std::vector<std::string>& udaekkede)
{
    constexpr size_t vist = 5;
    std::string eksempler;
    for (size_t i = 0; i < std::min(udaekkede.size(), vist); ++i)
        eksempler += (i == 0 ? "" : ", ") + udaekkede[i];
    if (udaekkede.size() > vist)
        eksempler += " ...";
    besked.VisFejl("Lærernes fagprofiler rækker ikke til alle fag uden fast lærer: " +
                       std::to_string(udaekkede.size()) + " hold og fag har stadig ingen lærer (" + eksempler +
                       "). Lad flere lærere undervise i faget eller flere hold (AntalHold), eller giv holdene en "
                       "fast lærer.",
                   stopTitel);
}

bool KontrolListe::GemListe(ListeNr n)
{
    if (n != holdLokaleListe && n != holdLaererListe)
        return false;
    if (tilstand != Datakilde::database)
        return true; // text files hold no relations to update
    sql->StartTransaktion();
    if (!SkrivRelationer(n)) {
        const std::string fejl = sql->SidsteFejl();
        sql->Rollback();
        besked.VisFejl(std::string("De tildelte ") + (n == holdLokaleListe ? "stamlokaler" : "lærere") +
                           " kunne ikke skrives til databasen (" + fejl +
                           "). Er den optaget af en anden eller skrivebeskyttet, så prøv igen senere, eller generér "
                           "med skrivebeskyttelsen slået til; så gemmes tildelingen ikke.",
                       stopTitel);
        return false;
    }
    sql->Commit();
    // The classes given a room have their row now.
    const Klyngeliste<data>& stamlokaler = Liste(holdLokaleListe);
    for (int32_t i = 0; n == holdLokaleListe && i < stamlokaler.antal; ++i) {
        if (stamlokaler.element[i].tekst[1] != tomId)
            udenStamlokaleraekke.erase(stamlokaler.element[i].tekst[0]);
    }
    return true;
}

// One UPDATE per row, limited to the open plan; stops at the first failure.
bool KontrolListe::SkrivRelationer(ListeNr n)
{
    const Klyngeliste<data>& liste = Liste(n);
    for (int32_t i = 0; i < liste.antal; ++i) {
        const data& r = liste.element[i];
        if (n == holdLokaleListe && udenStamlokaleraekke.contains(r.tekst[0])) {
            // No row to update; a class still without a room gets none either.
            if (r.tekst[1] != tomId && !sql->UdfoerSql("insert into LokaleHoldRelation (HoldID_LoHR, LokaleID_LoHR, "
                                                       "PlanID_LoHR) values (?, ?, ?)",
                                                       {r.tekst[0], r.tekst[1], planId}))
                return false;
            continue;
        }
        const bool skrevet = n == holdLokaleListe
                                 ? sql->UdfoerSql("Update LokaleHoldRelation set LokaleID_LoHR = ? "
                                                  "where HoldID_LoHR  =? AND PlanID_LoHR = ?",
                                                  {r.tekst[1], r.tekst[0], planId})
                                 : sql->UdfoerSql("Update HoldLaererRelation set LaererID_HLR = ? "
                                                  "where HoldID_HLR =? AND FagID_HLR =? AND PlanID_HLR = ?",
                                                  {r.tekst[2], r.tekst[0], r.tekst[1], planId});
        if (!skrevet)
            return false;
    }
    return true;
}
