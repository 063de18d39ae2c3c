#include "engine/KontrolListe.h"

#include "db/Portal.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <limits>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

constexpr int32_t feltLokaletype = 2;   // tekst[1] of a room
constexpr int32_t feltLektionsType = 4; // tekst[3] of a lesson
constexpr int32_t feltPlaceret = 7;     // heltal[1]
constexpr int32_t feltVaegt = 11;       // decimaltal[1]

// Required hours against the hours still free in a week.
double taethed(const data& r, int32_t ugeTimer)
{
    if (ugeTimer == r.heltal[1])
        return 0.0;
    return r.heltal[0] / static_cast<double>(ugeTimer - r.heltal[1]);
}

void tilfoej(data* r, int32_t antal)
{
    if (r != nullptr)
        r->heltal[1] += antal;
}

// The class tightness of every lesson of a part goes to the trace at every
// step. Formatting each value through a stream (its locale, then printf) cost
// more than computing the weights, so a pass formats each distinct value once
// (a class's value repeats for all its lessons) with to_chars, which writes
// what a stream in its default state writes (printf's %g, precision 6), and
// hands the pass over in one piece.
class TaethedsSpor {
public:
    void Tilfoej(double vaerdi)
    {
        // Bits, not values: 0.0 and -0.0 are equal but print differently.
        auto [kendt, ny] = formateret_.try_emplace(std::bit_cast<uint64_t>(vaerdi));
        if (ny) {
            char tegn[32];
            const auto slut = std::to_chars(tegn, tegn + sizeof tegn, vaerdi, std::chars_format::general, 6).ptr;
            kendt->second.assign(tegn, slut).push_back(' ');
        }
        tekst_ += kendt->second;
    }

    const std::string& Tekst() const { return tekst_; }

private:
    std::unordered_map<uint64_t, std::string> formateret_; // a large school has a value per class
    std::string tekst_;
};

} // namespace

KontrolListe::KontrolListe(Portal* portal_, SqlKlasse* sql_, Datakilde tilstand_, int32_t dage, int32_t timer,
                           std::string planId_, std::string tffId_)
    : ugeTimer(UgeTimer(dage, timer)), tilstand(tilstand_),
      sql(sql_), listeNavn{"Hold",  "fag",        "laerer",     "LokaleType",      "lokale",
                           "lægge", "HoldLOkale", "holdLaerer", "Laerer Fagprofil"},
      portal(portal_), planId(std::move(planId_)), tffId(std::move(tffId_))
{
    sql->SaetTilstand(tilstand);
}

KontrolListe::~KontrolListe() = default;

// The tightness figures count 40 hours a week whatever the plan's week within
// 5 x 8; a longer week counts its own hours, or its classes would seem fuller
// than they can be.
int32_t KontrolListe::UgeTimer(int32_t dage, int32_t timer)
{
    return std::max(klassiskeDage * klassiskeTimer, dage * timer);
}

Klyngeliste<data>& KontrolListe::Liste(ListeNr n) { return lister.at(n - 1); }

const std::string& KontrolListe::ListeNavn(ListeNr n) const { return listeNavn.at(n - 1); }

void KontrolListe::SaetMaksForsoeg(int32_t antal) { maksForsoeg = antal; }

void KontrolListe::SaetSkrivebeskyttet(bool beskyttet) { skrivebeskyttet = beskyttet; }

int32_t KontrolListe::DelStart(Del del) const { return del == Del::saerlokale ? 0 : graense; }

int32_t KontrolListe::DelSlut(Del del) const
{
    return del == Del::saerlokale ? graense : lister[laeggeListe - 1].antal;
}

void KontrolListe::StartDel(Del del)
{
    indeks = DelStart(del);
    Liste(laeggeListe).markoer = indeks;
}

template <typename Handling>
void KontrolListe::ForHverLektion(Del del, Handling handling)
{
    StartDel(del);
    Klyngeliste<data>& lektioner = Liste(laeggeListe);
    for (; indeks < DelSlut(del); ++indeks)
        handling(lektioner.element[indeks]);
}

bool KontrolListe::KlargoerLaeggeliste()
{
    Klyngeliste<data>& lektioner = Liste(laeggeListe);
    lektioner.Udskriv();
    kladde.tekst[3] = stamlokaleType;
    graense = lektioner.Saml(feltLektionsType, kladde, Samling::bagerst);
    return graense != 0;
}

void KontrolListe::OpdaterTimer(ListeNr art, Del del)
{
    StartDel(del);
    if (art == lokaletypeListe) {
        OpdaterLokaletyper();
        return;
    }
    ForHverLektion(del, [&](data& lektion) {
        data* hold = lektion.ben[benHold];
        data* laerer = lektion.ben[benLaerer];
        data* lokale = lektion.ben[benLokale];
        switch (art) {
        case holdListe:
            if (hold != nullptr)
                hold->heltal[1] = portal->AntalLektioner(hold->tekst[0], SkemaArt::hold);
            break;
        case fagListe:
            lektion.heltal[1] = portal->AntalFag(lektion.tekst[0], lektion.tekst[1]);
            lektion.heltal[2] = 0;
            break;
        case laererListe:
            if (laerer != nullptr)
                laerer->heltal[1] = portal->AntalLektioner(laerer->tekst[0], SkemaArt::laerer) +
                                    portal->AntalSpaerringer(laerer->tekst[0]);
            break;
        case lokaleListe:
            if (lokale == nullptr)
                break;
            lokale->heltal[1] = portal->AntalLektioner(lokale->tekst[0], SkemaArt::lokale);
            if (lokale->ben[0] != nullptr)
                lokale->ben[0]->heltal[2] += lokale->heltal[1];
            break;
        default:
            break;
        }
    });
}

// Occupied hours per room type, summed over its rooms; home rooms have no type.
void KontrolListe::OpdaterLokaletyper()
{
    Liste(lokaletypeListe).NulstilFelt();
    Klyngeliste<data>& lokaler = Liste(lokaleListe);
    for (int32_t i = 0; i < lokaler.antal; ++i) {
        data& lokale = lokaler.element[i];
        if (lokale.tekst[1] == stamlokaleType)
            continue;
        lokale.heltal[1] = portal->AntalLektioner(lokale.tekst[0], SkemaArt::lokale);
        if (lokale.ben[0] != nullptr)
            lokale.ben[0]->heltal[2] += lokale.heltal[1];
    }
}

void KontrolListe::BeregnVaegte(ListeNr art, Del del)
{
    TaethedsSpor spor;
    ForHverLektion(del, [&](data& lektion) {
        data* hold = lektion.ben[benHold];
        data* fag = lektion.ben[benFag];
        data* laerer = lektion.ben[benLaerer];
        data* lokaletype = lektion.ben[benLokaletype];
        data* lokale = lektion.ben[benLokale];
        switch (art) {
        case holdListe:
            if (hold != nullptr) {
                hold->decimaltal[0] = taethed(*hold, ugeTimer);
                spor.Tilfoej(hold->decimaltal[0]);
            }
            break;
        case laererListe:
            if (laerer != nullptr)
                laerer->decimaltal[0] = taethed(*laerer, ugeTimer);
            break;
        case lokaleListe:
            if (lokale != nullptr)
                lokale->decimaltal[0] = taethed(*lokale, ugeTimer);
            break;
        case lokaletypeListe:
            if (lokaletype != nullptr) {
                const int32_t ledige = lokaletype->heltal[0] * ugeTimer - lokaletype->heltal[2];
                lokaletype->decimaltal[0] = ledige == 0 ? 0.0 : lokaletype->heltal[1] / static_cast<double>(ledige);
            }
            break;
        case fagListe:
            lektion.decimaltal[0] = 0.0;
            if (hold != nullptr && fag != nullptr && laerer != nullptr) {
                const int32_t ledige = (ugeTimer - hold->heltal[1]) + (ugeTimer - laerer->heltal[1]);
                if (ledige != 0)
                    lektion.decimaltal[0] = (fag->heltal[0] - lektion.heltal[1]) / static_cast<double>(ledige);
            }
            break;
        case laeggeListe:
            BeregnVaegt(lektion, del);
            break;
        default:
            break;
        }
    });
    besked.Spor(spor.Tekst());
}

// A lesson missing one of its records weighs nothing and is never handed out.
void KontrolListe::BeregnVaegt(data& lektion, Del del) const
{
    const data* hold = lektion.ben[benHold];
    const data* fag = lektion.ben[benFag];
    const data* laerer = lektion.ben[benLaerer];
    const data* rum = del == Del::saerlokale ? lektion.ben[benLokaletype] : lektion.ben[benLokale];
    if (hold == nullptr || fag == nullptr || laerer == nullptr || rum == nullptr) {
        lektion.decimaltal[1] = 0.0;
        return;
    }
    lektion.decimaltal[1] = lektion.heltal[0] * hold->decimaltal[0] * laerer->decimaltal[0] * rum->decimaltal[0] *
                            lektion.decimaltal[0];
}

void KontrolListe::SorterLaeggeliste(Del del)
{
    Klyngeliste<data>& lektioner = Liste(laeggeListe);
    const int32_t start = DelStart(del);
    lektioner.SorterDel(feltVaegt, start, DelSlut(del) - start, faldende);
    lektioner.markoer = start;
}

bool KontrolListe::NaesteLektion(std::string& hold, std::string& fag, std::string& laerer, std::string& lokaleType,
                                 std::string& lokale, int32_t& blok, Del del, int32_t& rest)
{
    Klyngeliste<data>& lektioner = Liste(laeggeListe);
    data* lektion = nullptr;
    while ((del != Del::saerlokale || lektioner.markoer < graense) && lektioner.HentNaeste(lektion)) {
        if (!(lektion->decimaltal[1] > 0.0 && lektion->heltal[2] < maksForsoeg))
            continue;
        ++lektion->heltal[2];
        aktuel = lektion;
        hold = lektion->tekst[0];
        fag = lektion->tekst[1];
        laerer = lektion->tekst[2];
        lokaleType = lektion->tekst[3];
        lokale = lektion->tekst[4];
        blok = lektion->heltal[0];
        const data* fagPost = lektion->ben[benFag];
        rest = fagPost != nullptr ? fagPost->heltal[0] - lektion->heltal[1] : 0;
        return true;
    }
    return false;
}

bool KontrolListe::VaelgLokale(const std::string& lokaleType, std::string& lokale)
{
    Klyngeliste<data>& lokaler = Liste(lokaleListe);
    kladde.tekst[1] = lokaleType;
    const int32_t antalAfTypen = lokaler.Saml(feltLokaletype, kladde, Samling::forrest);
    if (antalAfTypen == 0) {
        lokaler.Sorter(feltId);
        return false;
    }
    if (antalAfTypen > 1)
        lokaler.SorterDel(feltPlaceret, 0, antalAfTypen, stigende);
    lokale = lokaler.element[0].tekst[0];
    if (aktuel != nullptr)
        aktuel->tekst[4] = lokale;

    // Lessons link to rooms by slot, so the id order must come back first.
    lokaler.Sorter(feltId);
    kladde.tekst[0] = lokale;
    int32_t fundet = 0;
    if (aktuel != nullptr && lokaler.LinearSoegning(feltId, kladde, fundet))
        aktuel->ben[benLokale] = &lokaler.element[fundet];
    return true;
}

void KontrolListe::RegistrerPlacering(int32_t antal, Del del)
{
    if (aktuel == nullptr)
        return;
    tilfoej(aktuel->ben[benHold], antal);
    tilfoej(aktuel, antal);
    tilfoej(aktuel->ben[benLaerer], antal);
    tilfoej(aktuel->ben[benLokale], antal);
    if (del == Del::saerlokale)
        tilfoej(aktuel->ben[benLokaletype], antal);
}

stack<std::string> KontrolListe::NavneStak(SkemaArt art)
{
    stack<std::string> navne;
    FyldNavne(navne, art);
    return navne;
}

bool KontrolListe::FyldNavne(stack<std::string>& ud, SkemaArt art)
{
    const Klyngeliste<data>& liste = Liste(navneListe[art]);
    if (liste.antal == 0)
        return false;
    for (int32_t i = 0; i < liste.antal; ++i)
        ud.push(liste.element[i].tekst[0]);
    return true;
}

int32_t KontrolListe::TimerFor(const std::string& id, SkemaArt art)
{
    kladde.tekst[0] = id;
    data* fundet = nullptr;
    return Liste(navneListe[art]).Hent(fundet, kladde, feltId) ? fundet->heltal[0] : 0;
}

// Absurd stored hours must not overflow the sum; it stops at the largest count.
int32_t KontrolListe::SumTimer()
{
    const Klyngeliste<data>& lektioner = Liste(laeggeListe);
    int64_t sum = 0;
    // Until a generation loads the lessons, the classes' required hours tell
    // what the plan demands.
    if (lektioner.antal == 0) {
        const Klyngeliste<data>& hold = Liste(holdListe);
        for (int32_t i = 0; i < hold.antal; ++i)
            sum += hold.element[i].heltal[0];
    }
    for (int32_t i = 0; i < lektioner.antal; ++i) {
        const data* fag = lektioner.element[i].ben[benFag];
        if (fag != nullptr && fag->heltal[0] != -1)
            sum += fag->heltal[0];
    }
    return static_cast<int32_t>(
        std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

void KontrolListe::Ryd(ListeNr n) { Liste(n).Ryd(); }
