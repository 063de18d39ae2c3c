#include "app/Haandflytning.h"

#include "base/Besked.h"
#include "db/Portal.h"
#include "store/Stack.h"

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

} // namespace

std::string Beskriv(const LektionsData& l) { return l.hold + " " + l.fag; }

Haandflytning::Haandflytning(Portal& portal, int32_t dage, int32_t timer) : portal_(portal), dage_(dage), timer_(timer)
{
}

bool Haandflytning::ErIPlanen(Placering p) const
{
    return p.kolonne >= 0 && p.kolonne < dage_ && p.raekke >= 0 && p.raekke < timer_;
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
    stack<LektionsData> lektioner;
    portal_.HentLektioner(id, lektioner, art);
    std::optional<LektionsData> fundet;
    while (!lektioner.tom()) {
        LektionsData l = lektioner.pop();
        if (l.kolonne == p.kolonne && l.raekke == p.raekke)
            fundet = l;
    }
    return fundet;
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

std::optional<Haandflytning::Blok> Haandflytning::FindBlok(const std::string& id, SkemaArt art, Placering fra,
                                                           Placering til, Flytsvar& svar)
{
    svar = {FlytUdfald::afvist, "uden for planen"};
    if (!ErIPlanen(fra) || !ErIPlanen(til))
        return std::nullopt;
    std::optional<LektionsData> l = LektionI(id, art, fra);
    if (!l) {
        svar.grund = "der er ingen lektion i timen";
        return std::nullopt;
    }
    // The second hour of a double lesson takes its first hour along.
    int32_t forskydning = 0;
    if (l->blok == 2 && fra.raekke > 0 && portal_.ErDobbeltLektion(id, art, fra.kolonne, fra.raekke - 1)) {
        forskydning = 1;
        l->raekke -= 1;
    }
    const Blok b{*l, {l->kolonne, l->raekke}, {til.kolonne, til.raekke - forskydning}};
    if (!GitreneEnige(b.lektion)) {
        svar.grund = "lektionens skemaer er uenige";
        Besked().Log("Flytning afvist, skemaerne er uenige om " + Beskriv(b.lektion));
        return std::nullopt;
    }
    if (b.til.raekke < 0) {
        svar.grund = "før dagens første time";
        return std::nullopt;
    }
    if (b.til.raekke + b.lektion.blok > timer_) {
        svar.grund = "efter dagens sidste time";
        return std::nullopt;
    }
    return b;
}

// The lesson at the target that the guarded move swaps with: in the class
// timetable one with the same teacher or room, in the teacher's one with the
// same class or room, in the room's one with the same class or teacher.
std::optional<LektionsData> Haandflytning::Modpart(const Blok& b)
{
    const LektionsData& l = b.lektion;
    const auto deler = [&](SkemaArt art, std::string LektionsData::*a, std::string LektionsData::*c) {
        std::optional<LektionsData> der = LektionI(IdForArt(l, art), art, b.til);
        return der && ((*der).*a == l.*a || (*der).*c == l.*c) ? der : std::nullopt;
    };
    if (auto der = deler(SkemaArt::hold, &LektionsData::laerer, &LektionsData::lokale))
        return der;
    if (auto der = deler(SkemaArt::laerer, &LektionsData::hold, &LektionsData::lokale))
        return der;
    return deler(SkemaArt::lokale, &LektionsData::hold, &LektionsData::laerer);
}

// The first thing that keeps lesson l out of the block at til, when the
// lesson undtaget is taken out as well; empty when there is none.
std::string Haandflytning::Hindring(const LektionsData& l, Placering til, const std::optional<LektionsData>& undtaget)
{
    const auto fremmed = [&](const std::optional<LektionsData>& der) {
        return der && !IBlokken(*der, l) && !(undtaget && IBlokken(*der, *undtaget));
    };
    for (int32_t i = 0; i < l.blok; ++i) {
        const Placering p = Time(til, i);
        if (portal_.ErSpaerret(l.laerer, p.kolonne, p.raekke))
            return "læreren " + l.laerer + " er utilgængelig";
        if (const auto der = LektionI(l.laerer, SkemaArt::laerer, p); fremmed(der))
            return "læreren " + l.laerer + " er optaget af " + Beskriv(*der);
        if (const auto der = LektionI(l.lokale, SkemaArt::lokale, p); fremmed(der))
            return "lokalet " + l.lokale + " er optaget af " + Beskriv(*der);
        if (const auto der = LektionI(l.hold, SkemaArt::hold, p); fremmed(der))
            return "klassen har " + Beskriv(*der);
    }
    for (int32_t r = 0; r < timer_; ++r)
        if (const auto der = LektionI(l.hold, SkemaArt::hold, {til.kolonne, r}); fremmed(der) && der->fag == l.fag)
            return "klassen har allerede " + l.fag + " den dag";
    return "";
}

std::string Haandflytning::Afvisningsgrund(const Blok& b)
{
    const std::optional<LektionsData> modpart = Modpart(b);
    if (modpart && modpart->blok != b.lektion.blok)
        return "kan kun bytte med en lektion af samme længde (" + Beskriv(*modpart) + ")";
    if (std::string grund = Hindring(b.lektion, b.til, modpart); !grund.empty())
        return grund;
    if (modpart) {
        if (std::string grund = Hindring(*modpart, b.fra, b.lektion); !grund.empty())
            return "byt med " + Beskriv(*modpart) + ": " + grund;
    }
    return "flytningen er ikke tilladt";
}

Flytsvar Haandflytning::Proev(const std::string& id, SkemaArt art, Placering fra, Placering til)
{
    Flytsvar svar;
    const std::optional<Blok> b = FindBlok(id, art, fra, til, svar);
    if (!b)
        return svar;
    if (ErFastlaast(b->lektion))
        return {FlytUdfald::afvist, fastlaastTekst};
    if (const std::optional<LektionsData> modpart = Modpart(*b); modpart && ErFastlaast(*modpart))
        return {FlytUdfald::afvist, "byt med " + Beskriv(*modpart) + ": " + fastlaastTekst};
    if (!portal_.ProevFlytLektion(id, b->lektion.blok, art, b->fra, b->til))
        return {FlytUdfald::afvist, Afvisningsgrund(*b)};
    if (const std::optional<LektionsData> modpart = Modpart(*b))
        return {FlytUdfald::byt, Beskriv(*modpart)};
    return {FlytUdfald::ledig, ""};
}

Flytsvar Haandflytning::Udfoer(const std::string& id, SkemaArt art, Placering fra, Placering til)
{
    Flytsvar svar;
    const std::optional<Blok> b = FindBlok(id, art, fra, til, svar);
    if (!b)
        return svar;
    svar = Proev(id, art, fra, til);
    if (svar.udfald != FlytUdfald::afvist && !portal_.FlytLektion(id, b->lektion.blok, art, b->fra, b->til))
        return {FlytUdfald::afvist, "flytningen er ikke tilladt"};
    return svar;
}

std::optional<LektionsData> Haandflytning::Fjern(const std::string& id, SkemaArt art, Placering p)
{
    Flytsvar svar;
    const std::optional<Blok> b = FindBlok(id, art, p, p, svar);
    if (!b || ErFastlaast(b->lektion) || !portal_.FjernLektion(id, art, b->fra))
        return std::nullopt;
    return b->lektion;
}

std::optional<LektionsData> Haandflytning::SaetFastlaast(const std::string& id, SkemaArt art, Placering p,
                                                         bool fastlaast)
{
    Flytsvar svar;
    const std::optional<Blok> b = FindBlok(id, art, p, p, svar);
    if (!b)
        return std::nullopt;
    for (int32_t i = 0; i < b->lektion.blok; ++i) {
        const Placering t = Time(b->fra, i);
        if (fastlaast)
            portal_.Fastlaas(b->lektion.hold, t.kolonne, t.raekke);
        else
            portal_.Frigiv(b->lektion.hold, t.kolonne, t.raekke);
    }
    return b->lektion;
}

bool Haandflytning::Placer(const LektionsData& l)
{
    for (int32_t i = 0; i < l.blok; ++i)
        for (const SkemaArt art : alleSkemaArter)
            if (!portal_.ErLedig(IdForArt(l, art), art, l.kolonne, l.raekke + i))
                return false;
    for (int32_t i = 0; i < l.blok; ++i)
        portal_.SaetLektion(l.hold, l.fag, l.laerer, l.lokale, l.blok, l.kolonne, l.raekke + i);
    return true;
}

std::optional<LektionsData> Haandflytning::NyBlok(LektionsData l, const std::vector<std::string>& lokaler,
                                                  Placering til, Flytsvar& svar)
{
    svar = {FlytUdfald::afvist, "uden for planen"};
    if (!ErIPlanen(til))
        return std::nullopt;
    if (til.raekke + l.blok > timer_) {
        svar.grund = "efter dagens sidste time";
        return std::nullopt;
    }
    l.kolonne = til.kolonne;
    l.raekke = til.raekke;
    svar.grund = "intet lokale";
    for (size_t i = 0; i < lokaler.size(); ++i) {
        l.lokale = lokaler[i];
        std::string grund = Hindring(l, til, std::nullopt);
        if (grund.empty()) {
            svar = {FlytUdfald::ledig, ""};
            return l;
        }
        if (i == 0)
            svar.grund = std::move(grund);
    }
    return std::nullopt;
}
