#include "app/Haandflytning.h"

#include "base/Besked.h"
#include "db/Portal.h"
#include "regler/Tidsregler.h"

#include <algorithm>
#include <utility>
#include <tuple>

namespace {

Placering Time(Placering p, int32_t i) { return {p.kolonne, p.raekke + i}; }

bool Samme(const LektionsData& a, const LektionsData& b)
{
    return a.hold == b.hold && a.fag == b.fag && a.laerer == b.laerer && a.lokale == b.lokale && a.blok == b.blok;
}

// der is one of the hours of the block that starts where blok lies.
bool IBlokken(const LektionsData& der, const LektionsData& blok)
{
    return Samme(der, blok) && der.kolonne == blok.kolonne && der.raekke >= blok.raekke &&
           der.raekke < blok.raekke + blok.blok;
}

std::string Opregning(const std::vector<std::string>& navne)
{
    std::string tekst;
    for (size_t i = 0; i < navne.size(); ++i)
        tekst += (i == 0 ? "" : i + 1 == navne.size() ? " og " : ", ") + navne[i];
    return tekst;
}

// What one class, teacher or room takes: asked of the activities' blocks.
Optagelse Alene(SkemaArt art, const std::string& id)
{
    if (art == SkemaArt::hold)
        return {{{id}}, {}, {}};
    if (art == SkemaArt::laerer)
        return {{}, {id}, {}};
    return {{}, {}, {id}};
}

Optagelse OptagelseAf(const LektionsData& l) { return {{{l.hold}}, {l.laerer}, {l.lokale}}; }

const std::string* FoersteFaelles(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    const auto fundet = std::find_first_of(a.begin(), a.end(), b.begin(), b.end());
    return fundet == a.end() ? nullptr : &*fundet;
}

} // namespace

std::string Beskriv(const LektionsData& l) { return l.hold + " " + l.fag; }

// The rules' questions about block l at til, answered from the open plan's
// timetables. The blocks of flytter move in the same step and are in nobody's way.
class Haandflytning::PlanFakta {
public:
    PlanFakta(Haandflytning& h, const LektionsData& l, const std::vector<std::string>& lokaler, Placering til,
              const std::vector<LektionsData>& flytter, bool fastlaast)
        : h_(h), l_(l), lokaler_(lokaler), til_(til), flytter_(flytter), fastlaast_(fastlaast)
    {
    }

    bool Fastlaast() const { return fastlaast_; }
    bool HarLaerer() const { return l_.laerer != tomId; }
    bool HarLokaler() const { return !lokaler_.empty(); }
    bool LaererUtilgaengelig() const
    {
        for (int32_t i = 0; i < l_.blok; ++i)
            if (h_.portal_.ErSpaerret(l_.laerer, til_.kolonne, til_.raekke + i))
                return true;
        return false;
    }
    bool LaererOptaget() const { return Optager(SkemaArt::laerer, l_.laerer).has_value(); }
    bool LokaleOptaget() const { return !LedigtLokale(); }
    bool HoldOptaget() const { return Optager(SkemaArt::hold, l_.hold).has_value(); }
    uint32_t FagetsTimer() const
    {
        uint32_t timer = 0;
        for (int32_t r = 0; r < maksTimer; ++r)
            if (auto der = h_.LektionI(l_.hold, SkemaArt::hold, {til_.kolonne, r});
                der && der->fag == l_.fag && !Flytter(*der))
                timer |= uint32_t{1} << r;
        return timer;
    }
    // Counted in the class's timetable, so that the store's guarded move counts alike.
    int32_t FagetsUgetimer() const
    {
        int32_t timer = l_.blok;
        for (int32_t k = 0; k < h_.uge_.dage; ++k)
            for (int32_t r = 0; r < h_.uge_.timer; ++r)
                if (auto der = h_.LektionI(l_.hold, SkemaArt::hold, {k, r});
                    der && der->fag == l_.fag && !IBlokken(*der, l_))
                    ++timer;
        return timer;
    }

    // The first lesson of the timetable in the block's hours that does not move along.
    std::optional<LektionsData> Fremmed(SkemaArt art, const std::string& id) const
    {
        for (int32_t i = 0; i < l_.blok; ++i)
            if (auto der = h_.LektionI(id, art, Time(til_, i)); der && Flytter(*der))
                continue;
            else if (der)
                return der;
        return std::nullopt;
    }
    // The first activity's block in the block's hours that the class, teacher or room takes part in.
    const Aktivitetsblok* Aktivitet(SkemaArt art, const std::string& id) const
    {
        for (int32_t i = 0; i < l_.blok; ++i)
            if (const Aktivitetsblok* blok = h_.portal_.Aktiviteter().BlokIVejen(Alene(art, id), Time(til_, i)))
                return blok;
        return nullptr;
    }
    // What keeps the timetable busy in the block's hours, named: a lesson that does not move along, or an activity.
    std::optional<std::string> Optager(SkemaArt art, const std::string& id) const
    {
        if (const std::optional<LektionsData> der = Fremmed(art, id))
            return Beskriv(*der);
        if (const Aktivitetsblok* blok = Aktivitet(art, id))
            return AktivitetsNavn(*h_.portal_.Aktiviteter().Find(blok->aktivitet));
        return std::nullopt;
    }
    // The first of the rooms free in every hour of the block.
    std::optional<std::string> LedigtLokale() const
    {
        for (const std::string& lokale : lokaler_)
            if (!Optager(SkemaArt::lokale, lokale))
                return lokale;
        return std::nullopt;
    }

private:
    bool Flytter(const LektionsData& der) const
    {
        return std::any_of(flytter_.begin(), flytter_.end(), [&](const LektionsData& b) { return IBlokken(der, b); });
    }

    Haandflytning& h_;
    const LektionsData& l_;
    const std::vector<std::string>& lokaler_;
    Placering til_;
    const std::vector<LektionsData>& flytter_;
    bool fastlaast_;
};

Haandflytning::Haandflytning(Portal& portal, Uge uge, Regelvalg valg, std::vector<planregler::Regel> planregler)
    : portal_(portal), uge_(uge), valg_(valg), planregler_(std::move(planregler))
{
}

// l.kolonne and l.raekke are the first hour of its block.
bool Haandflytning::ErFastlaast(const LektionsData& l) const
{
    for (int32_t i = 0; i < l.blok; ++i)
        if (portal_.ErFastlaast(l.hold, l.kolonne, l.raekke + i))
            return true;
    return false;
}

std::optional<LektionsData> Haandflytning::LektionI(const std::string& id, SkemaArt art, Placering p)
{
    return portal_.Lektion(id, art, p);
}

// Each of the lesson's three timetables must hold the very same lesson in every hour of its block.
bool Haandflytning::GitreneEnige(const LektionsData& l)
{
    for (const SkemaArt art : alleSkemaArter)
        for (int32_t i = 0; i < l.blok; ++i) {
            const std::optional<LektionsData> her = LektionI(IdForArt(l, art), art, Time({l.kolonne, l.raekke}, i));
            if (!her || !Samme(*her, l))
                return false;
        }
    return true;
}

Udfald<Haandflytning::Blok> Haandflytning::FindBlok(const std::string& id, SkemaArt art, Placering fra, Placering til)
{
    if (!uge_.Indeholder(fra) || !uge_.Indeholder(til))
        return Udfald<Blok>::Afvist(HindringsTekst(Hindring::udenforPlanen));
    std::optional<LektionsData> l = LektionI(id, art, fra);
    if (!l)
        return Udfald<Blok>::Afvist("der er ingen lektion i timen");
    // The second hour of a double lesson takes its first hour along.
    int32_t forskydning = 0;
    if (l->blok == 2 && fra.raekke > 0 && portal_.ErDobbeltLektion(id, art, fra.kolonne, fra.raekke - 1)) {
        forskydning = 1;
        l->raekke -= 1;
    }
    if (!GitreneEnige(*l)) {
        Besked().Log("Flytning afvist, skemaerne er uenige om " + Beskriv(*l));
        return Udfald<Blok>::Afvist("lektionens skemaer er uenige");
    }
    const Placering start{til.kolonne, til.raekke - forskydning};
    if (const Hindring uden = UgeHindring(uge_, start, l->blok); uden != Hindring::ingen)
        return Udfald<Blok>::Afvist(HindringsTekst(uden));
    return Blok{*l, start};
}

// The lesson at the target that the guarded move swaps with, as the rules choose it.
std::optional<LektionsData> Haandflytning::Modpart(const Blok& b)
{
    const LektionsData& l = b.lektion;
    const std::optional<LektionsData> iHold = LektionI(l.hold, SkemaArt::hold, b.til);
    const std::optional<LektionsData> iLaerer = LektionI(l.laerer, SkemaArt::laerer, b.til);
    const std::optional<LektionsData> iLokale = LektionI(l.lokale, SkemaArt::lokale, b.til);
    const auto peger = [](const std::optional<LektionsData>& der) { return der ? &*der : nullptr; };
    if (const LektionsData* partner = Byttepartner(l, peger(iHold), peger(iLaerer), peger(iLokale)))
        return *partner;
    return std::nullopt;
}

std::string Haandflytning::Grund(const LektionsData& l, const std::vector<std::string>& lokaler, Placering til,
                                 const std::vector<LektionsData>& flytter)
{
    const bool fastlaast = std::any_of(flytter.begin(), flytter.end(),
                                       [&](const LektionsData& b) { return IBlokken(l, b) && ErFastlaast(b); });
    const PlanFakta fakta(*this, l, lokaler, til, flytter, fastlaast);
    const planregler::Regelhindring regel = planregler::FoersteRegelhindring(
        planregler_, {l.fag, "", {{l.hold, ""}}, {l.laerer}, {lokaler}, l.blok}, til);
    const Hindring hindring = FoersteHindring(uge_, til, l.blok, fakta, valg_, regel.hindring);
    switch (hindring) {
    case Hindring::ingen:
        return "";
    case Hindring::fastlaast:
        return fastlaastTekst;
    case Hindring::ingenLaerer:
        return "faget har ingen lærer endnu";
    case Hindring::manglerLokale:
        return "der er intet lokale til " + Beskriv(l);
    case Hindring::laererUtilgaengelig:
        return "læreren " + l.laerer + " er utilgængelig";
    case Hindring::laererOptaget:
        return "læreren " + l.laerer + " er optaget af " + *fakta.Optager(SkemaArt::laerer, l.laerer);
    case Hindring::intetLokale:
        if (lokaler.size() == 1)
            return "lokalet " + lokaler.front() + " er optaget af " + *fakta.Optager(SkemaArt::lokale, lokaler.front());
        return "lokalerne " + Opregning(lokaler) + " er optaget";
    case Hindring::holdOptaget:
        return "klassen har " + *fakta.Optager(SkemaArt::hold, l.hold);
    case Hindring::fagSammeDag:
        return "klassen har allerede " + l.fag + " den dag";
    case Hindring::pause:
    case Hindring::lukket:
    case Hindring::fastStarttid:
    case Hindring::udenforTidsrum:
        return planregler::Tekst(regel);
    default:
        return HindringsTekst(hindring);
    }
}

std::string Haandflytning::Afvisningsgrund(const Blok& b, const std::optional<LektionsData>& modpart)
{
    std::vector<LektionsData> flytter{b.lektion};
    if (modpart)
        flytter.push_back(*modpart);
    if (std::string grund = Grund(b.lektion, {b.lektion.lokale}, b.til, flytter); !grund.empty())
        return grund;
    if (modpart && modpart->blok != b.lektion.blok)
        return "kan kun bytte med en lektion af samme længde (" + Beskriv(*modpart) + ")";
    if (modpart) {
        const Placering fra{b.lektion.kolonne, b.lektion.raekke};
        if (std::string grund = Grund(*modpart, {modpart->lokale}, fra, flytter); !grund.empty())
            return "byt med " + Beskriv(*modpart) + ": " + grund;
    }
    return "";
}

namespace {

// Where a block starts when its hour at fra goes to til.
Placering Forskudt(Placering start, Placering fra, Placering til)
{
    return {start.kolonne + til.kolonne - fra.kolonne, start.raekke + til.raekke - fra.raekke};
}

} // namespace

Flytsvar Haandflytning::Proev(const std::string& id, SkemaArt art, Placering fra, Placering til)
{
    if (!LektionI(id, art, fra))
        if (const std::optional<Aktivitetsblok> blok = BlokI(id, art, fra))
            return ProevBlok(blok->aktivitet, blok->start, Forskudt(blok->start, fra, til));
    const Udfald<Blok> b = FindBlok(id, art, fra, til);
    if (!b)
        return {FlytUdfald::afvist, b.Grund()};
    const Placering start{b->lektion.kolonne, b->lektion.raekke};
    if (b->til == start)
        return {FlytUdfald::afvist, "lektionen står der allerede"};
    const std::optional<LektionsData> modpart = Modpart(*b);
    if (std::string grund = Afvisningsgrund(*b, modpart); !grund.empty())
        return {FlytUdfald::afvist, grund};
    if (!portal_.ProevFlytLektion(id, b->lektion.blok, art, start, b->til, valg_)) {
        Besked().Log("Flytning af " + Beskriv(b->lektion) + " afvist af skemaerne, skønt reglerne tillod den");
        return {FlytUdfald::afvist, "flytningen er ikke tilladt"};
    }
    if (modpart)
        return {FlytUdfald::byt, Beskriv(*modpart)};
    return {FlytUdfald::ledig, ""};
}

Flytsvar Haandflytning::Udfoer(const std::string& id, SkemaArt art, Placering fra, Placering til)
{
    if (!LektionI(id, art, fra))
        if (const std::optional<Aktivitetsblok> blok = BlokI(id, art, fra))
            return FlytBlok(blok->aktivitet, blok->start, Forskudt(blok->start, fra, til));
    const Flytsvar svar = Proev(id, art, fra, til);
    if (svar.udfald == FlytUdfald::afvist)
        return svar;
    const Udfald<Blok> b = FindBlok(id, art, fra, til);
    const Placering start{b->lektion.kolonne, b->lektion.raekke};
    if (!portal_.FlytLektion(id, b->lektion.blok, art, start, b->til, valg_))
        return {FlytUdfald::afvist, "flytningen er ikke tilladt"};
    return svar;
}

Udfald<LektionsData> Haandflytning::Fjern(const std::string& id, SkemaArt art, Placering p)
{
    const Udfald<Blok> b = FindBlok(id, art, p, p);
    if (!b)
        return Udfald<LektionsData>::Afvist(b.Grund());
    if (ErFastlaast(b->lektion))
        return Udfald<LektionsData>::Afvist(fastlaastTekst);
    if (!portal_.FjernLektion(id, art, {b->lektion.kolonne, b->lektion.raekke}))
        return Udfald<LektionsData>::Afvist("lektionen kan ikke tages ud");
    return b->lektion;
}

Udfald<LektionsData> Haandflytning::SaetFastlaast(const std::string& id, SkemaArt art, Placering p, bool fastlaast)
{
    const Udfald<Blok> b = FindBlok(id, art, p, p);
    if (!b)
        return Udfald<LektionsData>::Afvist(b.Grund());
    for (int32_t i = 0; i < b->lektion.blok; ++i) {
        const Placering t = Time({b->lektion.kolonne, b->lektion.raekke}, i);
        if (fastlaast)
            portal_.Fastlaas(b->lektion.hold, t.kolonne, t.raekke);
        else
            portal_.Frigiv(b->lektion.hold, t.kolonne, t.raekke);
    }
    return b->lektion;
}

bool Haandflytning::Placer(const LektionsData& l)
{
    for (int32_t i = 0; i < l.blok; ++i) {
        for (const SkemaArt art : alleSkemaArter)
            if (!portal_.ErLedig(IdForArt(l, art), art, l.kolonne, l.raekke + i))
                return false;
        if (portal_.Aktiviteter().BlokIVejen(OptagelseAf(l), {l.kolonne, l.raekke + i}) != nullptr)
            return false;
    }
    for (int32_t i = 0; i < l.blok; ++i)
        portal_.SaetLektion(l.hold, l.fag, l.laerer, l.lokale, l.blok, l.kolonne, l.raekke + i);
    return true;
}

Udfald<LektionsData> Haandflytning::NyBlok(LektionsData l, const std::vector<std::string>& lokaler, Placering til)
{
    l.kolonne = til.kolonne;
    l.raekke = til.raekke;
    // With every room closed the rules name the reason.
    const std::vector<std::string> aabne = AabneLokaler(l, lokaler, til);
    const std::vector<std::string>& tilbudte = aabne.empty() ? lokaler : aabne;
    if (std::string grund = Grund(l, tilbudte, til, {}); !grund.empty())
        return Udfald<LektionsData>::Afvist(grund);
    l.lokale = *PlanFakta(*this, l, tilbudte, til, {}, false).LedigtLokale();
    return l;
}

std::vector<std::string> Haandflytning::AabneLokaler(const LektionsData& l, const std::vector<std::string>& lokaler,
                                                     Placering til) const
{
    if (!uge_.Indeholder(til))
        return lokaler;
    const uint64_t blok = ((uint64_t{1} << std::min(l.blok, maksTimer)) - 1) << til.raekke;
    std::vector<std::string> aabne;
    for (const std::string& lokale : lokaler)
        if ((planregler::LukkedeTimer(planregler_, lokale)[til.kolonne] & blok) == 0)
            aabne.push_back(lokale);
    return aabne;
}

// --- Activities ---

// The rules' questions about an activity's block at its new start. What it
// would clash with is asked once, of the activity plan; an activity's other
// blocks are spread over the week like a class's subject.
class Haandflytning::BlokFakta {
public:
    // blok is the block at its new start, fra its start now.
    BlokFakta(Haandflytning& h, const Aktivitetsblok& blok, Placering fra, Hindring sammenstoed)
        : h_(h), blok_(blok), fra_(fra), aktivitet_(*h.portal_.Aktiviteter().Find(blok.aktivitet)),
          sammenstoed_(sammenstoed)
    {
    }

    bool Fastlaast() const { return blok_.laast; }
    // An activity may have no teacher, and its rooms are chosen with it.
    bool HarLaerer() const { return true; }
    bool HarLokaler() const { return true; }
    bool LaererUtilgaengelig() const { return UtilgaengeligLaerer() != nullptr; }
    bool LaererOptaget() const { return sammenstoed_ == Hindring::laererOptaget; }
    bool LokaleOptaget() const { return sammenstoed_ == Hindring::intetLokale; }
    bool HoldOptaget() const { return sammenstoed_ == Hindring::holdOptaget; }
    uint32_t FagetsTimer() const
    {
        uint32_t timer = 0;
        for (const Aktivitetsblok* anden : Andre())
            if (anden->start.kolonne == blok_.start.kolonne)
                timer |= ((uint32_t{1} << anden->laengde) - 1) << anden->start.raekke;
        return timer;
    }
    int32_t FagetsUgetimer() const
    {
        int32_t timer = blok_.laengde;
        for (const Aktivitetsblok* anden : Andre())
            timer += anden->laengde;
        return timer;
    }

    // The first of its teachers that cannot (-3) in one of the block's hours.
    const std::string* UtilgaengeligLaerer() const
    {
        for (const std::string& laerer : aktivitet_.laerere)
            for (int32_t i = 0; i < blok_.laengde; ++i)
                if (h_.portal_.ErSpaerret(laerer, blok_.start.kolonne, blok_.start.raekke + i))
                    return &laerer;
        return nullptr;
    }

private:
    // The activity's other placed blocks.
    std::vector<const Aktivitetsblok*> Andre() const
    {
        std::vector<const Aktivitetsblok*> andre;
        for (const Aktivitetsblok& b : h_.portal_.Aktiviteter().Blokke())
            if (b.aktivitet == blok_.aktivitet && b.start != fra_)
                andre.push_back(&b);
        return andre;
    }

    Haandflytning& h_;
    const Aktivitetsblok& blok_;
    Placering fra_;
    const Aktivitet& aktivitet_;
    Hindring sammenstoed_;
};

std::optional<Aktivitetsblok> Haandflytning::BlokI(const std::string& id, SkemaArt art, Placering p) const
{
    for (const Aktivitetslektion& l : portal_.Aktiviteter().Lektioner(art, id))
        if (l.blok->Daekker(p))
            return *l.blok;
    return std::nullopt;
}

std::vector<LektionsData> Haandflytning::LektionerUnder(const Aktivitetsblok& blok)
{
    const Optagelse optagelse = portal_.Aktiviteter().OptagelseAf(blok);
    std::vector<std::pair<SkemaArt, std::string>> skemaer;
    for (const Deltager& d : optagelse.deltagere)
        skemaer.emplace_back(SkemaArt::hold, d.hold);
    for (const std::string& laerer : optagelse.laerere)
        skemaer.emplace_back(SkemaArt::laerer, laerer);
    for (const std::string& lokale : optagelse.lokaler)
        skemaer.emplace_back(SkemaArt::lokale, lokale);
    std::vector<LektionsData> lektioner;
    for (const auto& [art, id] : skemaer)
        for (int32_t i = 0; i < blok.laengde; ++i)
            if (std::optional<LektionsData> der = LektionI(id, art, Time(blok.start, i)))
                lektioner.push_back(std::move(*der));
    return lektioner;
}

Flytsvar Haandflytning::ProevBlok(const std::string& aktivitet, Placering start, Placering til)
{
    const Aktivitetsplan& plan = portal_.Aktiviteter();
    const Aktivitetsblok* nu = plan.BlokVed(aktivitet, start);
    if (nu == nullptr)
        return {FlytUdfald::afvist, "aktiviteten har ingen time der"};
    if (til == start)
        return {FlytUdfald::afvist, "aktiviteten står der allerede"};
    Aktivitetsblok ny = *nu;
    ny.start = til;
    Aktivitetssammenstoed sammenstoed;
    if (UgeHindring(uge_, til, ny.laengde) == Hindring::ingen)
        sammenstoed = plan.FoersteSammenstoed(ny, LektionerUnder(ny), nu);
    const BlokFakta fakta(*this, ny, start, sammenstoed.hindring);
    if (const Hindring hindring = FoersteHindring(uge_, til, ny.laengde, fakta, valg_); hindring != Hindring::ingen)
        return {FlytUdfald::afvist, BlokGrund(hindring, ny, sammenstoed)};
    return {FlytUdfald::ledig, ""};
}

Flytsvar Haandflytning::FlytBlok(const std::string& aktivitet, Placering start, Placering til)
{
    const Flytsvar svar = ProevBlok(aktivitet, start, til);
    if (svar.udfald != FlytUdfald::afvist)
        portal_.FlytAktivitetsblok(aktivitet, start, til);
    return svar;
}

Udfald<Aktivitetsblok> Haandflytning::SaetBlokFastlaast(const std::string& aktivitet, Placering start, bool fastlaast)
{
    if (!portal_.SaetAktivitetsblokLaast(aktivitet, start, fastlaast))
        return Udfald<Aktivitetsblok>::Afvist("aktiviteten har ingen time der");
    return *portal_.Aktiviteter().BlokVed(aktivitet, start);
}

std::string Haandflytning::BlokGrund(Hindring hindring, const Aktivitetsblok& blok,
                                     const Aktivitetssammenstoed& sammenstoed)
{
    const Aktivitetsplan& plan = portal_.Aktiviteter();
    const Optagelse ny = plan.OptagelseAf(blok);
    const Optagelse anden = sammenstoed.lektion ? OptagelseAf(*sammenstoed.lektion)
                            : sammenstoed.blok  ? plan.OptagelseAf(*sammenstoed.blok)
                                                : Optagelse{};
    const std::string hvem = sammenstoed.lektion ? Beskriv(*sammenstoed.lektion)
                             : sammenstoed.blok  ? AktivitetsNavn(*plan.Find(sammenstoed.blok->aktivitet))
                                                 : "";
    switch (hindring) {
    case Hindring::fastlaast:
        return fastlaastTekst;
    case Hindring::laererUtilgaengelig:
        return "læreren " + *BlokFakta(*this, blok, blok.start, hindring).UtilgaengeligLaerer() + " er utilgængelig";
    case Hindring::laererOptaget:
        return "læreren " + *FoersteFaelles(ny.laerere, anden.laerere) + " er optaget af " + hvem;
    case Hindring::intetLokale:
        return "lokalet " + *FoersteFaelles(ny.lokaler, anden.lokaler) + " er optaget af " + hvem;
    case Hindring::holdOptaget:
        for (const Deltager& d : ny.deltagere)
            if (plan.enheder.DelerElever({d}, anden.deltagere))
                return "klassen " + d.hold + " har " + hvem;
        return "klassen har " + hvem;
    case Hindring::fagSammeDag:
        return "aktiviteten har allerede en time den dag";
    default:
        return HindringsTekst(hindring);
    }
}
