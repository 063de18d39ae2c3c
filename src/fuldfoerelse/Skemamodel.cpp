#include "fuldfoerelse/Skemamodel.h"

#include "base/Opremsning.h"

#include <algorithm>
#include <numeric>
#include <tuple>

namespace {

// At most this many choices of rooms are tried for one unit at one start.
constexpr size_t maksLokalemuligheder = 64;

bool Indeholder(const std::vector<int32_t>& liste, int32_t x)
{
    return std::find(liste.begin(), liste.end(), x) != liste.end();
}

// "7.a Tysk, 7.b Tysk Tysk": who takes part (a duty: its teachers) and the
// subject, as a class's key reads "7.a Dansk".
std::string NoeglensNavn(const Aktivitet& aktivitet)
{
    const std::vector<std::string> hvem = Hvem(aktivitet);
    return hvem.empty() ? aktivitet.fag : Opremsning(hvem) + " " + aktivitet.fag;
}

} // namespace

// The rules' questions about unit e at celle, in the given rooms or (nullptr)
// any free ones. kunFaste: only units that never move count as in the way,
// so the answer says whether pushing movable units out would make the start
// possible.
class Skemamodel::Fakta {
public:
    Fakta(const Skemamodel& m, int32_t e, int32_t celle, const std::vector<int32_t>* lokaler, bool kunFaste)
        : m_(m), enhed_(m.enheder_[e]), e_(e), celle_(celle), lokaler_(lokaler), kunFaste_(kunFaste),
          maske_(BlokMaske(celle, enhed_.laengde))
    {
    }

    bool Fastlaast() const { return enhed_.fast; }
    bool HarLaerer() const { return enhed_.krav < 0 || !m_.krav_[enhed_.krav].ingenLaerer; }
    bool HarLokaler() const
    {
        if (enhed_.krav < 0)
            return true;
        const auto& valg = m_.krav_[enhed_.krav].lokalevalg;
        return std::none_of(valg.begin(), valg.end(), [](const auto& lokaler) { return lokaler.empty(); });
    }
    bool LaererUtilgaengelig() const
    {
        return std::any_of(enhed_.folk.begin(), enhed_.folk.end(),
                           [&](int32_t r) { return (m_.ressourcer_[r].spaerret & maske_) != 0; });
    }
    bool LaererOptaget() const { return FolkOptaget(Art::laerer); }
    bool LokaleOptaget() const
    {
        if (lokaler_ == nullptr)
            return !m_.LedigeLokaler(e_, celle_).has_value();
        return std::any_of(lokaler_->begin(), lokaler_->end(), [&](int32_t r) { return Optaget(r); });
    }
    bool HoldOptaget() const { return FolkOptaget(Art::hold); }
    uint32_t FagetsTimer() const { return m_.FagetsTimer(e_, celle_ / maksTimer, kunFaste_); }
    int32_t FagetsUgetimer() const { return enhed_.spredNoegle < 0 ? 0 : m_.noegler_[enhed_.spredNoegle].ugetimer; }

    // The resource is busy in one of the block's hours with another unit.
    bool Optaget(int32_t r) const
    {
        const Ressource& ressource = m_.ressourcer_[r];
        Ugemaske andres = (kunFaste_ ? ressource.fast : ressource.optaget) | ressource.lukket;
        if (!kunFaste_ && enhed_.celle >= 0)
            for (int32_t c = enhed_.celle; c < enhed_.celle + enhed_.laengde && c < maksCeller; ++c)
                if (ressource.ejer[c] == e_)
                    andres &= ~CelleMaske(c);
        return (andres & maske_) != 0;
    }

private:
    bool FolkOptaget(Art art) const
    {
        return std::any_of(enhed_.folk.begin(), enhed_.folk.end(),
                           [&](int32_t r) { return m_.ressourcer_[r].art == art && Optaget(r); });
    }

    const Skemamodel& m_;
    const Enhed& enhed_;
    int32_t e_;
    int32_t celle_;
    const std::vector<int32_t>* lokaler_;
    bool kunFaste_;
    Ugemaske maske_;
};

Skemamodel::Skemamodel(const Skemabillede& billede) : billede_(billede)
{
    LaesPrioriteter();
    for (const auto& [type, lokaler] : billede_.lokalerAfType)
        for (const std::string& lokale : lokaler)
            TilfoejRessource(Art::lokale, lokale);
    LaesKrav();
    LaesAktiviteter();
    LaesLektioner();
    LaesAktivitetsblokke();
    TilfoejManglende();
    LukLokaler();
    fagTimer_.assign(spredNoegler_.size(), {});
    fagTimerFast_.assign(spredNoegler_.size(), {});
    placeret_.assign(krav_.size(), 0);
    for (const Krav& krav : krav_)
        maal_.manglende += krav.timer;
    // Everything read counts once it is put back through the one path that counts.
    const std::vector<Plads> laest = Pladser();
    for (Enhed& enhed : enheder_)
        enhed.celle = -1;
    Gendan(laest);
    for (int32_t celle = 0; celle < maksCeller; ++celle)
        if (billede_.uge.Indeholder(PlaceringAf(celle)))
            startceller_.push_back(celle);
    for (size_t e = 0; e < enheder_.size(); ++e)
        FindStarter(static_cast<int32_t>(e));
}

// What the rules about the unit alone allow, once: its teachers' -3, the
// subject's lessons that never move and the planner's rules.
void Skemamodel::FindStarter(int32_t e)
{
    starter_.resize(std::max(starter_.size(), static_cast<size_t>(e) + 1));
    regelStarter_.resize(starter_.size());
    const Enhed& enhed = enheder_[e];
    if (enhed.fast)
        return;
    Dagsmasker spaerret{};
    for (const int32_t r : enhed.folk)
        for (int32_t dag = 0; dag < maksDage; ++dag)
            spaerret[dag] |= DagensTimer(ressourcer_[r].spaerret, dag);
    const int32_t k = enhed.spredNoegle;
    const Dagsmasker faste = k < 0 ? Dagsmasker{} : fagTimerFast_[k];
    const Dagsmasker starter = TilladteStarter(billede_.uge, enhed.laengde, spaerret, faste, billede_.regler,
                                               k < 0 ? 0 : noegler_[k].ugetimer);
    regelStarter_[e] = planregler::StarterEfterRegler(billede_.planregler, RegelBlok(e), billede_.uge);
    for (const int32_t celle : startceller_)
        if (((starter[celle / maksTimer] & regelStarter_[e][celle / maksTimer]) >> (celle % maksTimer) & 1) != 0)
            starter_[e].push_back(celle);
}

planregler::Blok Skemamodel::RegelBlok(int32_t e) const
{
    const Enhed& enhed = enheder_[e];
    planregler::Blok blok;
    blok.laengde = enhed.laengde;
    if (const Aktivitet* aktivitet = AktivitetAf(e)) {
        // Its groups, not its student units, are what a rule names.
        blok.fag = aktivitet->fag;
        blok.aktivitet = aktivitet->id;
        for (const Deltager& d : aktivitet->deltagere)
            blok.deltagere.push_back({d.hold, d.HeleHoldet() ? "" : d.gruppe});
        blok.laerere = aktivitet->laerere;
    } else {
        for (const int32_t r : enhed.folk)
            if (ressourcer_[r].art != Art::hold)
                blok.laerere.push_back(ressourcer_[r].navn);
            else if (blok.deltagere.empty() || blok.deltagere.back().hold != ressourcer_[r].navn)
                blok.deltagere.push_back({ressourcer_[r].navn, ""}); // a class's units share its name
        if (enhed.krav >= 0)
            blok.fag = billede_.krav[enhed.krav].fag;
    }
    if (enhed.krav >= 0) {
        for (const std::vector<int32_t>& lokaler : krav_[enhed.krav].lokalevalg) {
            blok.lokalevalg.emplace_back();
            for (const int32_t r : lokaler)
                blok.lokalevalg.back().push_back(ressourcer_[r].navn);
        }
    }
    return blok;
}

// A room is taken in the hours the planner's rules close it, so the room choice passes it by.
void Skemamodel::LukLokaler()
{
    for (Ressource& ressource : ressourcer_)
        if (ressource.art == Art::lokale) {
            const Dagsmasker lukket = planregler::LukkedeTimer(billede_.planregler, ressource.navn);
            for (int32_t dag = 0; dag < maksDage; ++dag)
                ressource.lukket |= Ugemaske{lukket[dag]} << (dag * maksTimer);
        }
}

Dagsregel Skemamodel::DagsregelAf(int32_t k) const
{
    return billede_.regler.Dag(noegler_[k].ugetimer, billede_.uge.dage);
}

int32_t Skemamodel::FindRessource(Art art, const std::string& navn) const
{
    const auto fundet = ressourceIndeks_.find(static_cast<char>('0' + static_cast<int>(art)) + navn);
    return fundet == ressourceIndeks_.end() ? -1 : fundet->second;
}

int32_t Skemamodel::TilfoejRessource(Art art, const std::string& navn)
{
    const auto [plads, ny] = ressourceIndeks_.try_emplace(static_cast<char>('0' + static_cast<int>(art)) + navn,
                                                          static_cast<int32_t>(ressourcer_.size()));
    if (ny) {
        ressourcer_.emplace_back();
        ressourcer_.back().art = art;
        ressourcer_.back().navn = navn;
    }
    return plads->second;
}

// A class without divisions is one resource, as it always was; a class with
// them one per student unit. Every unit is named as its class, which is what
// the planner is told about.
const std::vector<int32_t>& Skemamodel::HoldEnheder(const std::string& hold)
{
    const auto [plads, ny] = klasseIndeks_.try_emplace(hold, static_cast<int32_t>(klasser_.size()));
    if (ny) {
        Klasse klasse;
        const int32_t antal = billede_.aktiviteter.enheder.AntalEnheder(hold);
        for (int32_t nr = 0; nr < antal; ++nr) {
            const int32_t r = TilfoejRessource(Art::hold, antal == 1 ? hold : hold + '\x1f' + std::to_string(nr));
            ressourcer_[r].navn = hold;
            ressourcer_[r].klasse = plads->second;
            klasse.enheder.push_back(r);
        }
        klasser_.push_back(std::move(klasse));
    }
    return klasser_[plads->second].enheder;
}

// The student units of every participant, a class's side by side, then the teachers.
std::vector<int32_t> Skemamodel::AktivitetensFolk(const Aktivitet& aktivitet)
{
    std::vector<int32_t> folk;
    std::vector<std::string> holdene;
    for (const Deltager& d : aktivitet.deltagere)
        if (std::find(holdene.begin(), holdene.end(), d.hold) == holdene.end())
            holdene.push_back(d.hold);
    for (const std::string& hold : holdene) {
        const std::vector<int32_t> enheder = HoldEnheder(hold);
        std::vector<bool> med(enheder.size(), false);
        for (const Deltager& d : aktivitet.deltagere)
            if (d.hold == hold)
                for (const int32_t nr : billede_.aktiviteter.enheder.Optager(d))
                    med[nr] = true;
        for (size_t nr = 0; nr < enheder.size(); ++nr)
            if (med[nr])
                folk.push_back(enheder[nr]);
    }
    for (const std::string& laerer : aktivitet.laerere) {
        if (laerer == tomId)
            continue;
        if (const int32_t r = TilfoejRessource(Art::laerer, laerer); !Indeholder(folk, r))
            folk.push_back(r);
    }
    return folk;
}

int32_t Skemamodel::SpredNoegle(const std::string& hold, const std::string& fag)
{
    return TilfoejNoegle(hold + '\n' + fag, hold + " " + fag);
}

int32_t Skemamodel::TilfoejNoegle(const std::string& noegle, const std::string& navn)
{
    const auto [plads, ny] = spredNoegler_.try_emplace(noegle, static_cast<int32_t>(noegler_.size()));
    if (ny)
        noegler_.push_back({navn, 0});
    return plads->second;
}

void Skemamodel::LaesPrioriteter()
{
    for (const auto& [laerer, prioriteter] : billede_.prioriteter) {
        const int32_t r = TilfoejRessource(Art::laerer, laerer);
        ressourcer_[r].prioritet.assign(prioriteter.begin(), prioriteter.end());
        for (int32_t celle = 0; celle < maksCeller; ++celle)
            if (prioriteter[celle] == utilgaengelig)
                ressourcer_[r].spaerret |= CelleMaske(celle);
    }
}

void Skemamodel::LaesKrav()
{
    for (const Timekrav& t : billede_.krav) {
        Krav krav;
        krav.folk = HoldEnheder(t.hold);
        krav.ingenLaerer = t.laerer == tomId || FindRessource(Art::laerer, t.laerer) < 0;
        if (!krav.ingenLaerer)
            krav.folk.push_back(FindRessource(Art::laerer, t.laerer));
        std::vector<int32_t> lokaler;
        if (t.IStamlokale()) {
            if (const int32_t lokale = FindRessource(Art::lokale, t.lokale); lokale >= 0)
                lokaler.push_back(lokale);
        } else if (const auto typen = billede_.lokalerAfType.find(t.lokaletype);
                   typen != billede_.lokalerAfType.end()) {
            for (const std::string& lokale : typen->second)
                lokaler.push_back(FindRessource(Art::lokale, lokale));
        }
        krav.lokalevalg.push_back(std::move(lokaler));
        krav.spredNoegle = SpredNoegle(t.hold, t.fag);
        noegler_[krav.spredNoegle].ugetimer += t.timer;
        krav.timer = t.timer;
        krav.blok = t.blok;
        krav_.push_back(std::move(krav));
    }
}

// Each activity is a demand after the lesson demands: its blocks take all its
// participants, teachers and rooms at once, and it is spread as a subject of
// its own. A lesson without a teacher is one here.
void Skemamodel::LaesAktiviteter()
{
    const std::vector<Aktivitet>& aktiviteter = billede_.aktiviteter.Aktiviteter();
    for (size_t a = 0; a < aktiviteter.size(); ++a) {
        const Aktivitet& aktivitet = aktiviteter[a];
        Krav krav;
        krav.aktivitet = static_cast<int32_t>(a);
        krav.folk = AktivitetensFolk(aktivitet);
        for (const Lokalebehov& behov : aktivitet.behov) {
            std::vector<int32_t> lokaler;
            for (const std::string& lokale : behov.lokaler)
                lokaler.push_back(TilfoejRessource(Art::lokale, lokale));
            krav.lokalevalg.push_back(std::move(lokaler));
        }
        krav.spredNoegle = TilfoejNoegle('\x1f' + aktivitet.id, NoeglensNavn(aktivitet));
        noegler_[krav.spredNoegle].ugetimer += aktivitet.timer;
        krav.timer = aktivitet.timer;
        krav.blok = std::max(aktivitet.blok, 1);
        krav_.push_back(std::move(krav));
    }
}

// Lessons are read in class, day and hour order so that the two hours of a
// double lesson meet and the units come out the same for the same timetables.
void Skemamodel::LaesLektioner()
{
    std::vector<LektionsData> lektioner = billede_.lektioner;
    std::sort(lektioner.begin(), lektioner.end(), [](const LektionsData& a, const LektionsData& b) {
        return std::tie(a.hold, a.kolonne, a.raekke) < std::tie(b.hold, b.kolonne, b.raekke);
    });
    std::vector<int32_t> taget(krav_.size(), 0);
    for (size_t i = 0; i < lektioner.size(); ++i) {
        const LektionsData& l = lektioner[i];
        Enhed enhed;
        enhed.folk = HoldEnheder(l.hold);
        enhed.folk.push_back(TilfoejRessource(Art::laerer, l.laerer));
        enhed.lokaler = {TilfoejRessource(Art::lokale, l.lokale)};
        enhed.spredNoegle = SpredNoegle(l.hold, l.fag);
        enhed.blokFelt = l.blok;
        enhed.kilde = l;
        if (!Uge{}.Indeholder({l.kolonne, l.raekke})) {
            enhed.fast = true; // kept as read, outside every grid
            enheder_.push_back(enhed);
            continue;
        }
        enhed.celle = CelleAf({l.kolonne, l.raekke});
        const bool dobbelt = l.blok == 2 && i + 1 < lektioner.size() && lektioner[i + 1].hold == l.hold &&
                             lektioner[i + 1].kolonne == l.kolonne && lektioner[i + 1].raekke == l.raekke + 1 &&
                             lektioner[i + 1].fag == l.fag && lektioner[i + 1].laerer == l.laerer &&
                             lektioner[i + 1].lokale == l.lokale && lektioner[i + 1].blok == 2;
        const int32_t laengde = dobbelt ? 2 : 1;
        const int32_t krav = FindKrav(l);
        if (krav >= 0 && taget[krav] + laengde <= krav_[krav].timer) {
            // Only a demand's lessons move, so only they are held together as a unit.
            enhed.krav = krav;
            enhed.laengde = laengde;
            taget[krav] += laengde;
            enhed.fast = ErLaast(l) || (dobbelt && ErLaast(lektioner[i + 1]));
            if (dobbelt)
                ++i;
        } else {
            enhed.fast = true;
        }
        enheder_.push_back(enhed);
    }
}

int32_t Skemamodel::FindKrav(const LektionsData& l) const
{
    const int32_t laerer = FindRessource(Art::laerer, l.laerer);
    const int32_t lokale = FindRessource(Art::lokale, l.lokale);
    for (size_t k = 0; k < billede_.krav.size(); ++k) {
        const Timekrav& t = billede_.krav[k];
        const Krav& krav = krav_[k];
        if (t.fag == l.fag && t.hold == l.hold && !krav.ingenLaerer && krav.folk.back() == laerer &&
            Indeholder(krav.lokalevalg.front(), lokale))
            return static_cast<int32_t>(k);
    }
    return -1;
}

// Blocks are read after the lessons, pinned ones first. The generation does
// not know the activities, so a lesson it laid may stand where a block stood:
// such a block is left out, and its hours are placed again, rather than
// written back over the lesson. A block beyond its activity's hours stays as
// it was read.
void Skemamodel::LaesAktivitetsblokke()
{
    std::vector<Ugemaske> optaget(ressourcer_.size(), 0);
    for (const Enhed& enhed : enheder_)
        if (enhed.celle >= 0)
            for (const std::vector<int32_t>* ressourcer : {&enhed.folk, &enhed.lokaler})
                for (const int32_t r : *ressourcer)
                    optaget[r] |= BlokMaske(enhed.celle, enhed.laengde);
    const std::vector<Aktivitetsblok>& blokke = billede_.aktiviteter.Blokke();
    std::vector<size_t> orden(blokke.size());
    std::iota(orden.begin(), orden.end(), 0);
    std::stable_partition(orden.begin(), orden.end(), [&](size_t i) { return blokke[i].laast; });
    std::vector<int32_t> taget(krav_.size(), 0);
    for (const size_t i : orden) {
        const Aktivitetsblok& blok = blokke[i];
        const Aktivitet* aktivitet = billede_.aktiviteter.Find(blok.aktivitet);
        if (aktivitet == nullptr || blok.lokaler.size() != aktivitet->behov.size() ||
            !billede_.uge.RummerBlok(blok.start, blok.laengde))
            continue;
        const auto k = static_cast<int32_t>(billede_.krav.size() +
                                            (aktivitet - billede_.aktiviteter.Aktiviteter().data()));
        Enhed enhed;
        enhed.folk = krav_[k].folk;
        for (const std::string& lokale : blok.lokaler)
            enhed.lokaler.push_back(TilfoejRessource(Art::lokale, lokale));
        optaget.resize(ressourcer_.size(), 0);
        const Ugemaske maske = BlokMaske(CelleAf(blok.start), blok.laengde);
        const auto optagetAf = [&](const std::vector<int32_t>& ressourcer) {
            return std::any_of(ressourcer.begin(), ressourcer.end(),
                               [&](int32_t r) { return (optaget[r] & maske) != 0; });
        };
        if (optagetAf(enhed.folk) || optagetAf(enhed.lokaler))
            continue;
        enhed.celle = CelleAf(blok.start);
        enhed.laengde = blok.laengde;
        enhed.blokFelt = blok.laengde;
        enhed.spredNoegle = krav_[k].spredNoegle;
        if (taget[k] + blok.laengde <= krav_[k].timer) {
            enhed.krav = k;
            enhed.fast = blok.laast;
            taget[k] += blok.laengde;
        } else {
            enhed.kildeBlok = static_cast<int32_t>(i);
            enhed.fast = true;
        }
        for (const std::vector<int32_t>* ressourcer : {&enhed.folk, &enhed.lokaler})
            for (const int32_t r : *ressourcer)
                optaget[r] |= maske;
        enheder_.push_back(std::move(enhed));
    }
}

bool Skemamodel::ErLaast(const LektionsData& l) const
{
    return std::any_of(billede_.laaste.begin(), billede_.laaste.end(), [&](const LektionsData& laast) {
        return laast.hold == l.hold && laast.kolonne == l.kolonne && laast.raekke == l.raekke;
    });
}

// The hours a demand still lacks become unplaced units: double lessons while
// two or more hours are missing, when the demand asks for them. With the
// spreading rule's run of two hours, a demand of single hours that has more
// hours than days left for it joins some of them into double lessons, as the
// generation does.
void Skemamodel::TilfoejManglende()
{
    std::vector<int32_t> lagt(krav_.size(), 0);
    std::vector<int32_t> blokke(krav_.size(), 0);
    for (const Enhed& enhed : enheder_) {
        if (enhed.krav < 0)
            continue;
        lagt[enhed.krav] += enhed.laengde;
        blokke[enhed.krav] += enhed.celle >= 0 && IPlanen(enhed.celle, enhed.laengde) ? 1 : 0;
    }
    for (size_t k = 0; k < krav_.size(); ++k) {
        const Krav& krav = krav_[k];
        const int32_t mangler = krav.timer - lagt[k];
        const int32_t dageTilbage = std::max(billede_.uge.dage - blokke[k], 0);
        int32_t dobbelte = krav.blok == 2 ? mangler / 2 : 0;
        // A day holds two hours of the subject: more hours than days need doubles.
        // With longer runs single hours fill them, and an odd run needs one.
        if (billede_.regler.Spreder() && krav.blok == 1 && DagsregelAf(krav.spredNoegle).loeb <= 2)
            dobbelte = std::clamp(mangler - dageTilbage, 0, mangler / 2);
        for (int32_t rest = mangler; rest > 0;) {
            Enhed enhed;
            enhed.krav = static_cast<int32_t>(k);
            enhed.folk = krav.folk;
            enhed.lokaler.assign(krav.lokalevalg.size(), -1);
            enhed.spredNoegle = krav.spredNoegle;
            // An activity comes in its own blocks.
            enhed.laengde = krav.aktivitet >= 0 ? std::min(krav.blok, rest) : dobbelte-- > 0 ? 2 : 1;
            enhed.blokFelt = enhed.laengde;
            rest -= enhed.laengde;
            enheder_.push_back(enhed);
        }
    }
}

std::vector<int32_t> Skemamodel::Ledige() const
{
    std::vector<int32_t> ledige;
    for (size_t e = 0; e < enheder_.size(); ++e)
        if (!enheder_[e].fast && (enheder_[e].celle < 0 || !IPlanen(enheder_[e].celle, enheder_[e].laengde)))
            ledige.push_back(static_cast<int32_t>(e));
    return ledige;
}

bool Skemamodel::IPlanen(int32_t celle, int32_t laengde) const
{
    return billede_.uge.RummerBlok(PlaceringAf(celle), laengde);
}

// The cells of a block, cut at the end of the day.
Ugemaske Skemamodel::BlokMaske(int32_t celle, int32_t laengde)
{
    const int32_t time = celle % maksTimer;
    const int32_t timer = std::min(laengde, maksTimer - time);
    return ((Ugemaske{1} << timer) - 1) << celle;
}

bool Skemamodel::HoldLedigt(int32_t e, int32_t celle) const
{
    const Enhed& enhed = enheder_[e];
    return std::none_of(enhed.folk.begin(), enhed.folk.end(), [&](int32_t r) {
        return ressourcer_[r].art == Art::hold && (ressourcer_[r].optaget & CelleMaske(celle)) != 0;
    });
}

// The hours of the day holding another unit of the class's subject (with
// kunFaste: one that never moves).
uint32_t Skemamodel::FagetsTimer(int32_t e, int32_t dag, bool kunFaste) const
{
    const Enhed& enhed = enheder_[e];
    if (enhed.spredNoegle < 0)
        return 0;
    uint32_t timer = (kunFaste ? fagTimerFast_ : fagTimer_)[enhed.spredNoegle][dag];
    if (enhed.celle >= 0 && enhed.celle / maksTimer == dag)
        timer &= ~DagensTimer(BlokMaske(enhed.celle, enhed.laengde), dag);
    return timer;
}

Hindring Skemamodel::FoersteHindring(int32_t e, int32_t celle, const std::vector<int32_t>* lokaler) const
{
    const Placering p = PlaceringAf(celle);
    const bool tilladt = enheder_[e].fast || ((regelStarter_[e][p.kolonne] >> p.raekke) & 1) != 0;
    const Hindring regel = tilladt ? Hindring::ingen
                                   : planregler::FoersteRegelhindring(billede_.planregler, RegelBlok(e), p).hindring;
    return ::FoersteHindring(billede_.uge, p, enheder_[e].laengde, Fakta(*this, e, celle, lokaler, false),
                             billede_.regler, regel);
}

// Each room demand takes the first of its rooms that is free in every hour
// and not taken by an earlier demand of the same unit.
std::optional<std::vector<int32_t>> Skemamodel::LedigeLokaler(int32_t e, int32_t celle) const
{
    const Enhed& enhed = enheder_[e];
    if (enhed.krav < 0)
        return enhed.lokaler;
    const Fakta fakta(*this, e, celle, nullptr, false);
    std::vector<int32_t> valgt;
    for (const std::vector<int32_t>& lokaler : krav_[enhed.krav].lokalevalg) {
        const auto ledigt = std::find_if(lokaler.begin(), lokaler.end(),
                                         [&](int32_t r) { return !fakta.Optaget(r) && !Indeholder(valgt, r); });
        if (ledigt == lokaler.end())
            return std::nullopt;
        valgt.push_back(*ledigt);
    }
    return valgt;
}

std::vector<std::vector<int32_t>> Skemamodel::Lokalemuligheder(int32_t e) const
{
    const Enhed& enhed = enheder_[e];
    if (enhed.krav < 0)
        return {enhed.lokaler};
    std::vector<std::vector<int32_t>> muligheder{{}};
    for (const std::vector<int32_t>& lokaler : krav_[enhed.krav].lokalevalg) {
        std::vector<std::vector<int32_t>> naeste;
        for (const std::vector<int32_t>& hidtil : muligheder)
            for (const int32_t lokale : lokaler)
                if (!Indeholder(hidtil, lokale) && naeste.size() < maksLokalemuligheder) {
                    naeste.push_back(hidtil);
                    naeste.back().push_back(lokale);
                }
        muligheder = std::move(naeste);
    }
    return muligheder;
}

bool Skemamodel::Blokerende(int32_t e, int32_t celle, const std::vector<int32_t>& lokaler,
                            std::vector<int32_t>& ud) const
{
    ud.clear();
    const Enhed& enhed = enheder_[e];
    if (::FoersteHindring(billede_.uge, PlaceringAf(celle), enhed.laengde, Fakta(*this, e, celle, &lokaler, true),
                          billede_.regler) != Hindring::ingen)
        return false;
    const auto tilfoej = [&](int32_t anden) {
        if (anden >= 0 && anden != e && !Indeholder(ud, anden))
            ud.push_back(anden);
    };
    for (int32_t c = celle; c < celle + enhed.laengde; ++c) {
        for (const int32_t r : enhed.folk)
            tilfoej(ressourcer_[r].ejer[c]);
        for (const int32_t r : lokaler)
            tilfoej(ressourcer_[r].ejer[c]);
    }
    // The day's other lessons of the subject leave when the block does not fit
    // beside them; they share the unit's classes (a duty's: its teachers).
    const int32_t dag = celle / maksTimer;
    if (enhed.spredNoegle >= 0 &&
        BryderSpredning(DagsregelAf(enhed.spredNoegle), FagetsTimer(e, dag, false), PlaceringAf(celle), enhed.laengde))
        for (const int32_t r : enhed.folk)
            for (int32_t c = dag * maksTimer; c < (dag + 1) * maksTimer; ++c)
                if (const int32_t anden = ressourcer_[r].ejer[c];
                    anden >= 0 && enheder_[anden].spredNoegle == enhed.spredNoegle)
                    tilfoej(anden);
    return true;
}

// Adds (fortegn 1) or takes away (-1) the unit in one resource's counts.
void Skemamodel::TaelRessource(int32_t r, int32_t e, Ugemaske maske, int32_t fortegn)
{
    Ressource& ressource = ressourcer_[r];
    const Enhed& enhed = enheder_[e];
    // A class's gaps are counted over all its units (TaelHoldHuller).
    int32_t* huller = ressource.art == Art::laerer ? &maal_.laererHuller : nullptr;
    if (huller != nullptr)
        *huller -= Huller(ressource.optaget);
    ressource.optaget = fortegn > 0 ? ressource.optaget | maske : ressource.optaget & ~maske;
    if (enhed.fast)
        ressource.fast = fortegn > 0 ? ressource.fast | maske : ressource.fast & ~maske;
    for (int32_t c = enhed.celle; c < enhed.celle + enhed.laengde && c < maksCeller; ++c) {
        ressource.ejer[c] = fortegn > 0 ? e : -1;
        if (!ressource.prioritet.empty())
            maal_.straf += fortegn * (3 - ressource.prioritet[c]);
    }
    if (huller != nullptr)
        *huller += Huller(ressource.optaget);
}

// A class has a gap only where all its units are free between lessons of
// theirs: its gaps are those of the union of its units' hours. Taken away
// (-1) before the unit's resources change, added (1) after; a class's units
// lie side by side in a unit's resources.
void Skemamodel::TaelHoldHuller(const Enhed& enhed, int32_t fortegn)
{
    for (size_t i = 0; i < enhed.folk.size(); ++i) {
        const int32_t k = ressourcer_[enhed.folk[i]].klasse;
        if (k < 0 || (i > 0 && ressourcer_[enhed.folk[i - 1]].klasse == k))
            continue;
        Klasse& klasse = klasser_[k];
        if (fortegn > 0) {
            klasse.optaget = 0;
            for (const int32_t r : klasse.enheder)
                klasse.optaget |= ressourcer_[r].optaget;
        }
        maal_.holdHuller += fortegn * Huller(klasse.optaget);
    }
}

// Adds (fortegn 1) or takes away (-1) the unit at its cell in every count.
void Skemamodel::Tael(int32_t e, int32_t fortegn)
{
    const Enhed& enhed = enheder_[e];
    const Ugemaske maske = BlokMaske(enhed.celle, enhed.laengde);
    TaelHoldHuller(enhed, -1);
    for (const int32_t r : enhed.folk)
        TaelRessource(r, e, maske, fortegn);
    TaelHoldHuller(enhed, 1);
    for (const int32_t r : enhed.lokaler)
        if (r >= 0)
            TaelRessource(r, e, maske, fortegn);
    // An hour outside the plan is still to be placed.
    if (enhed.spredNoegle >= 0) {
        const int32_t dag = enhed.celle / maksTimer;
        const uint32_t timer = DagensTimer(maske, dag);
        for (auto* fag : {&fagTimer_, enhed.fast ? &fagTimerFast_ : nullptr})
            if (fag != nullptr)
                (*fag)[enhed.spredNoegle][dag] = fortegn > 0 ? (*fag)[enhed.spredNoegle][dag] | timer
                                                             : (*fag)[enhed.spredNoegle][dag] & ~timer;
    }
    if (enhed.krav >= 0 && IPlanen(enhed.celle, enhed.laengde)) {
        placeret_[enhed.krav] += fortegn * enhed.laengde;
        maal_.manglende -= fortegn * enhed.laengde;
    }
}

void Skemamodel::FjernRegelbrud()
{
    for (size_t e = 0; e < enheder_.size(); ++e) {
        const Enhed& enhed = enheder_[e];
        if (enhed.fast || enhed.celle < 0 || !IPlanen(enhed.celle, enhed.laengde))
            continue;
        const Placering p = PlaceringAf(enhed.celle);
        const Ugemaske blok = BlokMaske(enhed.celle, enhed.laengde);
        const bool iLukket = std::any_of(enhed.lokaler.begin(), enhed.lokaler.end(),
                                         [&](int32_t r) { return r >= 0 && (ressourcer_[r].lukket & blok) != 0; });
        if (iLukket || ((regelStarter_[e][p.kolonne] >> p.raekke) & 1) == 0)
            Fjern(static_cast<int32_t>(e));
    }
}

int32_t Skemamodel::DelDobbelt(int32_t e)
{
    Enhed& enhed = enheder_[e];
    enhed.laengde = 1;
    enhed.blokFelt = 1;
    enheder_.push_back(enhed);
    const int32_t tvilling = static_cast<int32_t>(enheder_.size()) - 1;
    starter_[e].clear();
    FindStarter(e);
    FindStarter(tvilling);
    return tvilling;
}

void Skemamodel::Saet(int32_t e, int32_t celle, const std::vector<int32_t>& lokaler)
{
    enheder_[e].celle = celle;
    enheder_[e].lokaler = lokaler;
    Tael(e, 1);
}

void Skemamodel::Fjern(int32_t e)
{
    Tael(e, -1);
    enheder_[e].celle = -1;
}

std::vector<Skemamodel::Plads> Skemamodel::Pladser() const
{
    std::vector<Plads> pladser;
    pladser.reserve(enheder_.size());
    for (const Enhed& enhed : enheder_)
        pladser.push_back({enhed.celle, enhed.lokaler});
    return pladser;
}

void Skemamodel::Gendan(const std::vector<Plads>& pladser)
{
    for (size_t e = 0; e < enheder_.size(); ++e)
        if (enheder_[e].celle >= 0 && !(Plads{enheder_[e].celle, enheder_[e].lokaler} == pladser[e]))
            Fjern(static_cast<int32_t>(e));
    for (size_t e = 0; e < pladser.size(); ++e)
        if (pladser[e].celle >= 0 && enheder_[e].celle < 0)
            Saet(static_cast<int32_t>(e), pladser[e].celle, pladser[e].lokaler);
}

const Aktivitet* Skemamodel::AktivitetAf(int32_t e) const
{
    const int32_t k = enheder_[e].krav;
    return k < 0 || krav_[k].aktivitet < 0 ? nullptr : &billede_.aktiviteter.Aktiviteter()[krav_[k].aktivitet];
}

std::vector<LektionsData> Skemamodel::Lektioner() const
{
    std::vector<LektionsData> lektioner;
    for (size_t e = 0; e < enheder_.size(); ++e) {
        const Enhed& enhed = enheder_[e];
        if (enhed.kildeBlok >= 0 || AktivitetAf(static_cast<int32_t>(e)) != nullptr)
            continue;
        if (enhed.krav < 0) {
            lektioner.push_back(enhed.kilde);
            continue;
        }
        if (enhed.celle < 0)
            continue;
        const Timekrav& krav = billede_.krav[enhed.krav];
        const lektion l(krav.hold, krav.fag, krav.laerer, ressourcer_[enhed.lokaler.front()].navn, enhed.blokFelt);
        const Placering p = PlaceringAf(enhed.celle);
        for (int32_t i = 0; i < enhed.laengde; ++i)
            lektioner.emplace_back(l, p.kolonne, p.raekke + i);
    }
    return lektioner;
}

std::vector<Aktivitetsblok> Skemamodel::Aktivitetsblokke() const
{
    std::vector<Aktivitetsblok> blokke;
    for (size_t e = 0; e < enheder_.size(); ++e) {
        const Enhed& enhed = enheder_[e];
        if (enhed.kildeBlok >= 0) {
            blokke.push_back(billede_.aktiviteter.Blokke()[enhed.kildeBlok]);
            continue;
        }
        const Aktivitet* aktivitet = AktivitetAf(static_cast<int32_t>(e));
        if (aktivitet == nullptr || enhed.celle < 0)
            continue;
        Aktivitetsblok blok{aktivitet->id, PlaceringAf(enhed.celle), enhed.laengde, {}, enhed.fast};
        for (const int32_t r : enhed.lokaler)
            blok.lokaler.push_back(ressourcer_[r].navn);
        blokke.push_back(std::move(blok));
    }
    return blokke;
}
