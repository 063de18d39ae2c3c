#include "engine/KontrolListe.h"

#include "db/Portal.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <iostream>
#include <locale>
#include <string>
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

// The class tightness of every lesson of a part goes to standard output at
// every step. Formatting each value through the stream (its locale, then
// printf) cost more than computing the weights, so a pass formats each
// distinct value once (a class's value repeats for all its lessons) with
// to_chars, which in the stream's default state writes the same characters
// (printf's %g, precision 6), and writes the pass in one piece.
class TaethedsSpor {
public:
    explicit TaethedsSpor(std::ostream& ud)
        : ud_(ud), standardFormat_(ud.flags() == (std::ios_base::skipws | std::ios_base::dec) &&
                                   ud.precision() == 6 && ud.width() == 0 && ud.getloc() == std::locale::classic())
    {
    }

    void Tilfoej(double vaerdi)
    {
        if (!standardFormat_) {
            ud_ << vaerdi << " ";
            return;
        }
        // Bits, not values: 0.0 and -0.0 are equal but print differently.
        const auto bits = std::bit_cast<uint64_t>(vaerdi);
        auto kendt = std::find_if(formateret_.begin(), formateret_.end(),
                                  [bits](const auto& f) { return f.first == bits; });
        if (kendt == formateret_.end()) {
            char tegn[32];
            const auto slut = std::to_chars(tegn, tegn + sizeof tegn, vaerdi, std::chars_format::general, 6).ptr;
            kendt = formateret_.insert(formateret_.end(), {bits, std::string(tegn, slut) + " "});
        }
        tekst_ += kendt->second;
    }

    void Skriv() { ud_.write(tekst_.data(), static_cast<std::streamsize>(tekst_.size())); }

private:
    std::ostream& ud_;
    bool standardFormat_;
    std::vector<std::pair<uint64_t, std::string>> formateret_;
    std::string tekst_;
};

} // namespace

KontrolListe::KontrolListe(Portal* portal_, SqlKlasse* sql_, char tilstand_, int32_t, int32_t, std::string planId_,
                           std::string tffId_)
    : tilstand(tilstand_), sql(sql_),
      listeNavn{"Hold", "fag", "laerer", "LokaleType", "lokale", "lægge", "HoldLOkale", "holdLaerer",
                "Laerer Fagprofil"},
      portal(portal_), planId(std::move(planId_)), tffId(std::move(tffId_))
{
    sql->SaetTilstand(tilstand);
}

KontrolListe::~KontrolListe() = default;

Klyngeliste<data>& KontrolListe::Liste(int32_t n) { return lister.at(n - 1); }

const std::string& KontrolListe::ListeNavn(int32_t n) const { return listeNavn.at(n - 1); }

void KontrolListe::SaetMaksForsoeg(int32_t antal) { maksForsoeg = antal; }

void KontrolListe::SaetSkrivebeskyttet(bool beskyttet) { skrivebeskyttet = beskyttet; }

bool KontrolListe::ErDel(char del) { return del == 'b' || del == 's'; }

int32_t KontrolListe::DelStart(char del) const { return del == 'b' ? 0 : graense; }

int32_t KontrolListe::DelSlut(char del) const { return del == 'b' ? graense : lister[laeggeListe - 1].antal; }

void KontrolListe::StartDel(char del)
{
    if (!ErDel(del))
        return;
    indeks = DelStart(del);
    Liste(laeggeListe).markoer = indeks;
}

template <typename Handling>
void KontrolListe::ForHverLektion(char del, Handling handling)
{
    if (!ErDel(del))
        return;
    StartDel(del);
    Klyngeliste<data>& lektioner = Liste(laeggeListe);
    for (; indeks < DelSlut(del); ++indeks)
        handling(lektioner.element[indeks]);
}

bool KontrolListe::KlargoerLaeggeliste()
{
    Klyngeliste<data>& lektioner = Liste(laeggeListe);
    lektioner.Udskriv();
    kladde.tekst[3] = stamlokale;
    graense = lektioner.Saml(feltLektionsType, kladde, 's');
    return graense != 0;
}

void KontrolListe::OpdaterTimer(int32_t art, char del)
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
                hold->heltal[1] = portal->AntalLektioner(hold->tekst[0], 'h');
            break;
        case fagListe:
            lektion.heltal[1] = portal->AntalFag(lektion.tekst[0], lektion.tekst[1]);
            lektion.heltal[2] = 0;
            break;
        case laererListe:
            if (laerer != nullptr)
                laerer->heltal[1] =
                    portal->AntalLektioner(laerer->tekst[0], 'l') + portal->AntalSpaerringer(laerer->tekst[0]);
            break;
        case lokaleListe:
            if (lokale == nullptr)
                break;
            lokale->heltal[1] = portal->AntalLektioner(lokale->tekst[0], 'k');
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
        if (lokale.tekst[1] == stamlokale)
            continue;
        lokale.heltal[1] = portal->AntalLektioner(lokale.tekst[0], 'k');
        if (lokale.ben[0] != nullptr)
            lokale.ben[0]->heltal[2] += lokale.heltal[1];
    }
}

void KontrolListe::BeregnVaegte(int32_t art, char del)
{
    TaethedsSpor spor(std::cout);
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
    spor.Skriv();
}

// A lesson missing one of its records weighs nothing and is never handed out.
void KontrolListe::BeregnVaegt(data& lektion, char del) const
{
    const data* hold = lektion.ben[benHold];
    const data* fag = lektion.ben[benFag];
    const data* laerer = lektion.ben[benLaerer];
    const data* rum = del == 'b' ? lektion.ben[benLokaletype] : lektion.ben[benLokale];
    if (hold == nullptr || fag == nullptr || laerer == nullptr || rum == nullptr) {
        lektion.decimaltal[1] = 0.0;
        return;
    }
    lektion.decimaltal[1] = lektion.heltal[0] * hold->decimaltal[0] * laerer->decimaltal[0] * rum->decimaltal[0] *
                            lektion.decimaltal[0];
}

void KontrolListe::SorterLaeggeliste(char del)
{
    if (!ErDel(del))
        return;
    Klyngeliste<data>& lektioner = Liste(laeggeListe);
    const int32_t start = DelStart(del);
    lektioner.SorterDel(feltVaegt, start, DelSlut(del) - start, faldende);
    lektioner.markoer = start;
}

bool KontrolListe::NaesteLektion(std::string& hold, std::string& fag, std::string& laerer, std::string& lokaleType,
                                 std::string& lokale, int32_t& blok, char del, int32_t& rest)
{
    Klyngeliste<data>& lektioner = Liste(laeggeListe);
    data* lektion = nullptr;
    while ((del != 'b' || lektioner.markoer < graense) && lektioner.HentNaeste(lektion)) {
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
    const int32_t antalAfTypen = lokaler.Saml(feltLokaletype, kladde, 'b');
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

void KontrolListe::RegistrerPlacering(int32_t antal, char del)
{
    if (aktuel == nullptr)
        return;
    tilfoej(aktuel->ben[benHold], antal);
    tilfoej(aktuel, antal);
    tilfoej(aktuel->ben[benLaerer], antal);
    tilfoej(aktuel->ben[benLokale], antal);
    if (del == 'b')
        tilfoej(aktuel->ben[benLokaletype], antal);
}

Klyngeliste<data>* KontrolListe::NavneListe(char art)
{
    switch (art) {
    case 'h':
        return &Liste(holdListe);
    case 'l':
        return &Liste(laererListe);
    case 'k':
        return &Liste(lokaleListe);
    default:
        return nullptr;
    }
}

stack<std::string>* KontrolListe::NavneStak(char art)
{
    std::unique_ptr<stack<std::string>>* plads = nullptr;
    switch (art) {
    case 'h':
        plads = &holdNavne;
        break;
    case 'l':
        plads = &laererNavne;
        break;
    case 'k':
        plads = &lokaleNavne;
        break;
    default:
        return nullptr;
    }
    *plads = std::make_unique<stack<std::string>>();
    FyldNavne(**plads, art);
    return plads->get();
}

bool KontrolListe::FyldNavne(stack<std::string>& navne, char art)
{
    const Klyngeliste<data>* liste = NavneListe(art);
    if (liste == nullptr || liste->antal == 0)
        return false;
    for (int32_t i = 0; i < liste->antal; ++i)
        navne.push(liste->element[i].tekst[0]);
    return true;
}

int32_t KontrolListe::TimerFor(const std::string& id, char art)
{
    Klyngeliste<data>* liste = NavneListe(art);
    if (liste == nullptr)
        return 0;
    kladde.tekst[0] = id;
    data* fundet = nullptr;
    return liste->Hent(fundet, kladde, feltId) ? fundet->heltal[0] : 0;
}

int32_t KontrolListe::SumTimer()
{
    const Klyngeliste<data>& lektioner = Liste(laeggeListe);
    int32_t sum = 0;
    // Until a generation loads the lessons, the classes' required hours tell
    // what the plan demands.
    if (lektioner.antal == 0) {
        const Klyngeliste<data>& hold = Liste(holdListe);
        for (int32_t i = 0; i < hold.antal; ++i)
            sum += hold.element[i].heltal[0];
        return sum;
    }
    for (int32_t i = 0; i < lektioner.antal; ++i) {
        const data* fag = lektioner.element[i].ben[benFag];
        if (fag != nullptr && fag->heltal[0] != -1)
            sum += fag->heltal[0];
    }
    return sum;
}

void KontrolListe::Ryd(int32_t n)
{
    if (n >= 1 && n <= antalLister)
        Liste(n).Ryd();
}
