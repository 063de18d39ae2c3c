#include "store/SkemaKontrol.h"

#include "base/Uge.h"

#include "base/Besked.h"

#include <algorithm>
#include <array>

namespace {

template <typename T>
T* Find(SkemaListe<T>& liste, const std::string& id)
{
    T* fundet = nullptr;
    return liste.Hent(id, fundet) ? fundet : nullptr;
}

template <typename T>
bool Naeste(SkemaListe<T>& liste, skema*& naeste)
{
    T* fundet = nullptr;
    if (!liste.HentNaeste(fundet))
        return false;
    naeste = fundet;
    return true;
}

Placering Time(Placering p, int32_t i) { return {p.kolonne, p.raekke + i}; }

std::array<skema*, 3> Gitre(const SkemaTrio& t) { return {t.hold, t.laerer, t.lokale}; }

bool BlokIGitter(Placering p, int32_t timer)
{
    for (int32_t i = 0; i < timer; ++i)
        if (!skema::IGitter(p.kolonne, p.raekke + i))
            return false;
    return true;
}

void FjernTimer(const SkemaTrio& t, Placering p, int32_t timer)
{
    for (int32_t i = 0; i < timer; ++i)
        for (skema* gitter : Gitre(t))
            gitter->Fjern(p.kolonne, p.raekke + i);
}

void PlacerTimer(const lektion& l, const SkemaTrio& t, Placering p, int32_t timer)
{
    for (int32_t i = 0; i < timer; ++i)
        Placer(l, *t.hold, *t.laerer, *t.lokale, p.kolonne, p.raekke + i);
}

// The rules' questions about a block at p, answered from the grids of its
// trio; the block itself has been taken out of them.
class GitterFakta {
public:
    GitterFakta(const lektion& l, const SkemaTrio& t, Placering p, int32_t timer) : l_(l), t_(t), p_(p), timer_(timer)
    {
    }

    bool Fastlaast() const { return false; } // pins are the planner's, decided above the store
    bool HarLaerer() const { return true; }
    bool HarLokaler() const { return true; }
    bool LaererUtilgaengelig() const
    {
        return EnTime([&](Placering q) { return t_.laerer->Prioritet(q.kolonne, q.raekke) == utilgaengelig; });
    }
    bool LaererOptaget() const
    {
        return EnTime([&](Placering q) { return !t_.laerer->ErTom(q.kolonne, q.raekke); });
    }
    bool LokaleOptaget() const
    {
        return EnTime([&](Placering q) { return !t_.lokale->ErTom(q.kolonne, q.raekke); });
    }
    bool HoldOptaget() const
    {
        return EnTime([&](Placering q) { return !t_.hold->ErTom(q.kolonne, q.raekke); });
    }
    uint32_t FagetsTimer() const
    {
        uint32_t timer = 0;
        for (int32_t r = 0; r < maksTimer; ++r)
            if (t_.hold->HarFag(l_.fag, p_.kolonne, r))
                timer |= uint32_t{1} << r;
        return timer;
    }
    // The block itself has been taken out of the grid.
    int32_t FagetsUgetimer() const { return t_.hold->AntalFag(l_.fag) + timer_; }

private:
    template <typename P>
    bool EnTime(P p) const
    {
        for (int32_t i = 0; i < timer_; ++i)
            if (p(Time(p_, i)))
                return true;
        return false;
    }

    const lektion& l_;
    const SkemaTrio& t_;
    Placering p_;
    int32_t timer_;
};

// The plan's week and the rules a guarded move keeps.
struct Vagt {
    Uge uge;
    Regelvalg valg;
};

bool KanPlaceres(const lektion& l, const SkemaTrio& t, Placering p, int32_t timer, const Vagt& vagt)
{
    return FoersteHindring(vagt.uge, p, timer, GitterFakta(l, t, p, timer), vagt.valg) == Hindring::ingen;
}

bool ErDobbeltITrio(const SkemaTrio& t, Placering p)
{
    for (const skema* gitter : Gitre(t))
        if (!gitter->ErDobbeltLektion(p.kolonne, p.raekke))
            return false;
    return true;
}

// The lesson at the target hour that l1 would change places with, as the
// rules choose it from the class's, teacher's and room's timetables; copied into l2.
bool FindKollision(const lektion& l1, const SkemaTrio& t, Placering til, lektion& l2)
{
    std::array<lektion, 3> der;
    std::array<const lektion*, 3> fundet{};
    const std::array<skema*, 3> gitre = Gitre(t);
    for (size_t i = 0; i < gitre.size(); ++i)
        if (gitre[i]->KopierLektion(til.kolonne, til.raekke, der[i]))
            fundet[i] = &der[i];
    const lektion* partner = Byttepartner(l1, fundet[0], fundet[1], fundet[2]);
    if (partner == nullptr)
        return false;
    l2 = *partner;
    return true;
}

// Takes the block out, tests the target and puts the block at the target
// (when the move is performed) or back where it was. The lesson is a copy: taking an hour
// out frees the grids' own object.
bool FlytMedVagt(const lektion& l, const SkemaTrio& t, Placering fra, Placering til, int32_t timer, Flytning flytning,
                 const Vagt& vagt)
{
    FjernTimer(t, fra, timer);
    const bool mulig = KanPlaceres(l, t, til, timer, vagt);
    PlacerTimer(l, t, mulig && flytning == Flytning::udfoer ? til : fra, timer);
    return mulig;
}

// l1 at fra and l2 at til change places when each may move into the other's
// hours; when the move is only tried, both end where they were.
bool OmbytMedVagt(const lektion& l1, const SkemaTrio& a, Placering fra, const lektion& l2, const SkemaTrio& b,
                  Placering til, Flytning flytning, const Vagt& vagt)
{
    FjernTimer(b, til, l2.blok);
    const bool l1KanFlytte = FlytMedVagt(l1, a, fra, til, l1.blok, Flytning::proev, vagt);
    PlacerTimer(l2, b, til, l2.blok);
    if (!l1KanFlytte)
        return false;
    FjernTimer(a, fra, l1.blok);
    const bool ombyttet = FlytMedVagt(l2, b, til, fra, l2.blok, flytning, vagt);
    PlacerTimer(l1, a, ombyttet && flytning == Flytning::udfoer ? til : fra, l1.blok);
    return ombyttet;
}

// Moves the cells of a block without creating or freeing a lesson. A lesson
// outside the block is never overwritten and nothing leaves the grid: then
// nothing moves.
void FlytBlok(const SkemaTrio& t, Placering fra, Placering til, int32_t timer)
{
    if (!BlokIGitter(fra, timer) || !BlokIGitter(til, timer))
        return;
    const auto iBlokken = [&](int32_t raekke) {
        return til.kolonne == fra.kolonne && raekke >= fra.raekke && raekke < fra.raekke + timer;
    };
    for (int32_t i = 0; i < timer; ++i)
        for (const skema* gitter : Gitre(t))
            if (!gitter->ErTom(til.kolonne, til.raekke + i) && !iBlokken(til.raekke + i))
                return;
    // The last hour goes first, except upwards within the day, so that no
    // hour lands on another hour of the same block.
    const bool opad = til.kolonne == fra.kolonne && til.raekke < fra.raekke;
    for (int32_t trin = 0; trin < timer; ++trin) {
        const int32_t i = opad ? trin : timer - 1 - trin;
        for (skema* gitter : Gitre(t))
            gitter->Flyt(fra.kolonne, fra.raekke + i, til.kolonne, til.raekke + i);
    }
}

void OmbytBlokke(const SkemaTrio& a, const SkemaTrio& b, Placering fra, Placering til, int32_t timer)
{
    if (!BlokIGitter(fra, timer) || !BlokIGitter(til, timer))
        return;
    const std::array<skema*, 3> gitreA = Gitre(a);
    const std::array<skema*, 3> gitreB = Gitre(b);
    for (int32_t i = 0; i < timer; ++i) {
        for (size_t g = 0; g < gitreA.size(); ++g) {
            if (gitreB[g] != gitreA[g])
                gitreB[g]->Ombyt(fra.kolonne, fra.raekke + i, til.kolonne, til.raekke + i);
            gitreA[g]->Ombyt(fra.kolonne, fra.raekke + i, til.kolonne, til.raekke + i);
        }
    }
}

void LogOptagetTime(const lektion& l, int32_t k, int32_t r)
{
    Besked().Log("Lektion afvist, timen er optaget: hold " + l.hold + ", fag " + l.fag + ", lærer " + l.laerer +
                 ", lokale " + l.lokale + ", " + dagNavne[k] + " time " + std::to_string(r + 1));
}

} // namespace

SkemaKontrol::SkemaKontrol(int32_t dage, int32_t timer)
{
    const bool gyldige = dage >= 0 && dage <= maksDage && timer >= 0 && timer <= maksTimer;
    uge_ = gyldige ? Uge{dage, timer} : Uge{};
}

// The lessons still placed are freed with their timetables.
SkemaKontrol::~SkemaKontrol() = default;

void SkemaKontrol::SaetDimensioner(int32_t dage, int32_t timer) { uge_ = {dage, timer}; }

int32_t SkemaKontrol::Dage() const { return uge_.dage; }

int32_t SkemaKontrol::Timer() const { return uge_.timer; }

Uge SkemaKontrol::PlanensUge() const { return {std::min(uge_.dage, maksDage), std::min(uge_.timer, maksTimer)}; }

// The three lists hold different timetable types, so a kind picks its list here.
template <typename F>
auto SkemaKontrol::MedListe(SkemaArt art, F f)
{
    if (art == SkemaArt::laerer)
        return f(laererListe_);
    if (art == SkemaArt::lokale)
        return f(lokaleListe_);
    return f(holdListe_);
}

skema* SkemaKontrol::FindSkema(const std::string& id, SkemaArt art)
{
    return MedListe(art, [&](auto& liste) -> skema* { return Find(liste, id); });
}

bool SkemaKontrol::NaesteSkema(SkemaArt art, skema*& naeste)
{
    return MedListe(art, [&](auto& liste) { return Naeste(liste, naeste); });
}

bool SkemaKontrol::FindTrio(const lektion& l, SkemaTrio& trio)
{
    trio.hold = Find(holdListe_, l.hold);
    trio.laerer = trio.hold ? Find(laererListe_, l.laerer) : nullptr;
    trio.lokale = trio.laerer ? Find(lokaleListe_, l.lokale) : nullptr;
    return trio.lokale != nullptr;
}

bool SkemaKontrol::ErIPlanen(int32_t kolonne, int32_t raekke) const
{
    return PlanensUge().Indeholder({kolonne, raekke});
}

bool SkemaKontrol::BlokIPlanen(Placering p, int32_t timer) const { return PlanensUge().RummerBlok(p, timer); }

bool SkemaKontrol::OpretSkema(const std::string& id, SkemaArt art)
{
    return MedListe(art, [&](auto& liste) { return liste.Indsaet(id); });
}

bool SkemaKontrol::SaetLektion(const std::string& hold, const std::string& fag, const std::string& laerer,
                               const std::string& lokale, int32_t blok, int32_t kolonne, int32_t raekke)
{
    const lektion ny(hold, fag, laerer, lokale, blok);
    lokale_skema* lokaleSkema = Find(lokaleListe_, lokale);
    laerer_skema* laererSkema = lokaleSkema ? Find(laererListe_, laerer) : nullptr;
    hold_skema* holdSkema = laererSkema ? Find(holdListe_, hold) : nullptr;
    if (holdSkema == nullptr || !skema::IGitter(kolonne, raekke))
        return false;
    // Placing over a lesson would leave the three timetables disagreeing.
    if (!holdSkema->ErTom(kolonne, raekke) || !laererSkema->ErTom(kolonne, raekke) ||
        !lokaleSkema->ErTom(kolonne, raekke)) {
        LogOptagetTime(ny, kolonne, raekke);
        return false;
    }
    Placer(ny, *holdSkema, *laererSkema, *lokaleSkema, kolonne, raekke);
    return true;
}

bool SkemaKontrol::SaetPrioritet(const std::string& laerer, int32_t vaerdi, int32_t kolonne, int32_t raekke)
{
    if (!ErIPlanen(kolonne, raekke))
        return false;
    laerer_skema* s = Find(laererListe_, laerer);
    return s != nullptr && s->SaetPrioritet(vaerdi, kolonne, raekke);
}

bool SkemaKontrol::HentLektioner(const std::string& id, stack<LektionsData>& lektioner, SkemaArt art)
{
    if (art == SkemaArt::laerer)
        Besked().Log(id);
    return LaesLektioner(id, lektioner, art);
}

std::optional<LektionsData> SkemaKontrol::Lektion(const std::string& id, SkemaArt art, Placering p)
{
    const skema* s = ErIPlanen(p.kolonne, p.raekke) ? FindSkema(id, art) : nullptr;
    lektion l;
    if (s == nullptr || !s->KopierLektion(p.kolonne, p.raekke, l))
        return std::nullopt;
    return LektionsData(l, p.kolonne, p.raekke);
}

bool SkemaKontrol::LaesLektioner(const std::string& id, stack<LektionsData>& lektioner, SkemaArt art)
{
    skema* s = FindSkema(id, art);
    if (s == nullptr)
        return false;
    s->SamlLektioner(lektioner);
    return true;
}

bool SkemaKontrol::HentNaesteLektioner(stack<LektionsData>& lektioner, SkemaArt art)
{
    skema* s = nullptr;
    if (!NaesteSkema(art, s))
        return false;
    s->SamlLektioner(lektioner);
    return true;
}

bool SkemaKontrol::HentNaestePrioriteter(stack<PLektionsData>& prioriteter, std::string& navn)
{
    laerer_skema* s = nullptr;
    if (!laererListe_.HentNaeste(s))
        return false;
    navn = s->navn;
    s->SamlPrioriteter(prioriteter);
    return true;
}

void SkemaKontrol::NulstilMarkoer(SkemaArt art)
{
    MedListe(art, [](auto& liste) { liste.Nulstil(); });
}

void SkemaKontrol::RydSkemaer()
{
    holdListe_.TomAlle();
    laererListe_.TomAlle();
    lokaleListe_.TomAlle();
}

bool SkemaKontrol::ErLedig(const std::string& id, SkemaArt art, int32_t kolonne, int32_t raekke)
{
    if (!ErIPlanen(kolonne, raekke))
        return false;
    const skema* s = FindSkema(id, art);
    return s != nullptr && s->ErTom(kolonne, raekke);
}

bool SkemaKontrol::ErSpaerret(const std::string& laerer, int32_t kolonne, int32_t raekke)
{
    const laerer_skema* s = Find(laererListe_, laerer);
    return s != nullptr && ErIPlanen(kolonne, raekke) && s->Prioritet(kolonne, raekke) == utilgaengelig;
}

bool SkemaKontrol::HarFag(const std::string& hold, const std::string& fag, int32_t kolonne, int32_t raekke)
{
    if (!ErIPlanen(kolonne, raekke))
        return false;
    const hold_skema* s = Find(holdListe_, hold);
    return s != nullptr && s->HarFag(fag, kolonne, raekke);
}

bool SkemaKontrol::ErDobbeltLektion(const std::string& id, SkemaArt art, int32_t kolonne, int32_t raekke)
{
    if (!ErIPlanen(kolonne, raekke))
        return false;
    const skema* s = FindSkema(id, art);
    lektion l;
    SkemaTrio trio;
    if (s == nullptr || !s->KopierLektion(kolonne, raekke, l) || !FindTrio(l, trio))
        return false;
    for (const skema* gitter : Gitre(trio))
        if (!gitter->Matcher(l, kolonne, raekke))
            return false;
    return ErDobbeltITrio(trio, {kolonne, raekke});
}

bool SkemaKontrol::FlytLektion(const std::string& id, int32_t blok, SkemaArt art, Placering fra, Placering til,
                               Flytning flytning, const Regelvalg& valg)
{
    if (!BlokIPlanen(fra, blok) || !BlokIPlanen(til, blok))
        return false;
    const skema* s = FindSkema(id, art);
    lektion l1;
    if (s == nullptr || !s->KopierLektion(fra.kolonne, fra.raekke, l1))
        return false;
    if (IdForArt(l1, art) != id || l1.blok != blok)
        return false;
    SkemaTrio a;
    if (!FindTrio(l1, a) || (blok == 2 && !ErDobbeltITrio(a, fra)))
        return false;

    const Vagt vagt{PlanensUge(), valg};
    lektion l2;
    if (!FindKollision(l1, a, til, l2))
        return FlytMedVagt(l1, a, fra, til, blok, flytning, vagt);

    SkemaTrio b;
    if (l2.blok != blok || !FindTrio(l2, b) || (blok == 2 && !ErDobbeltITrio(b, til)))
        return false;
    return OmbytMedVagt(l1, a, fra, l2, b, til, flytning, vagt);
}

void SkemaKontrol::TvingFlyt(const std::string& id, SkemaArt art, Placering fra, Placering til)
{
    const skema* s = FindSkema(id, art);
    lektion l1;
    SkemaTrio a;
    if (s == nullptr || !s->KopierLektion(fra.kolonne, fra.raekke, l1) || !FindTrio(l1, a))
        return;
    lektion l2;
    if (!FindKollision(l1, a, til, l2)) {
        FlytBlok(a, fra, til, l1.blok);
        return;
    }
    SkemaTrio b;
    if (FindTrio(l2, b))
        OmbytBlokke(a, b, fra, til, l2.blok);
}

bool SkemaKontrol::FjernLektion(const std::string& id, SkemaArt art, Placering fra)
{
    const skema* s = FindSkema(id, art);
    lektion l;
    SkemaTrio t;
    if (!ErIPlanen(fra.kolonne, fra.raekke) || s == nullptr || !s->KopierLektion(fra.kolonne, fra.raekke, l) ||
        IdForArt(l, art) != id || !BlokIPlanen(fra, l.blok) || !FindTrio(l, t))
        return false;
    for (int32_t i = 0; i < l.blok; ++i)
        for (const skema* gitter : Gitre(t))
            if (!gitter->Matcher(l, fra.kolonne, fra.raekke + i))
                return false;
    FjernTimer(t, fra, l.blok);
    return true;
}

bool SkemaKontrol::Kontroller(int32_t& antal, SkemaArt art)
{
    antal = 0;
    stack<LektionsData> lektioner;
    NulstilMarkoer(art);
    skema* s = nullptr;
    while (NaesteSkema(art, s))
        s->SamlLektioner(lektioner);
    while (lektioner.antal() > 0) {
        const LektionsData d = lektioner.pop();
        const skema* egen = FindSkema(IdForArt(d, art), art);
        const lektion l(d.hold, d.fag, d.laerer, d.lokale, d.blok);
        if (egen != nullptr && !egen->Matcher(l, d.kolonne, d.raekke))
            ++antal;
    }
    return antal == 0;
}

int32_t SkemaKontrol::AntalLektionerIalt()
{
    int32_t antal = 0;
    holdListe_.Nulstil();
    hold_skema* s = nullptr;
    while (holdListe_.HentNaeste(s))
        antal += s->AntalLektioner();
    return antal;
}

int32_t SkemaKontrol::AntalMellemtimer()
{
    int32_t antal = 0;
    holdListe_.Nulstil();
    hold_skema* s = nullptr;
    while (holdListe_.HentNaeste(s))
        antal += s->Mellemtimer();
    return antal;
}

double SkemaKontrol::Spredning(const std::string& id, SkemaArt art)
{
    const skema* s = FindSkema(id, art);
    return s ? s->Spredning() : 0.0;
}

int32_t SkemaKontrol::AntalLektioner(const std::string& id, SkemaArt art)
{
    const skema* s = FindSkema(id, art);
    return s ? s->AntalLektioner() : 0;
}

int32_t SkemaKontrol::AntalFag(const std::string& hold, const std::string& fag)
{
    const hold_skema* s = Find(holdListe_, hold);
    return s ? s->AntalFag(fag) : 0;
}

int32_t SkemaKontrol::AntalSpaerringer(const std::string& laerer)
{
    const laerer_skema* s = Find(laererListe_, laerer);
    return s ? s->AntalSpaerringer() : 0;
}
