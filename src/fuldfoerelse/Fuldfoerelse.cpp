#include "fuldfoerelse/Fuldfoerelse.h"

#include "base/Talformat.h"
#include "fuldfoerelse/Eksakt.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {

// How long a lesson just put in stays safe from being pushed out again.
constexpr int64_t tabuGrund = 7;
constexpr int32_t tabuSpredning = 8;
// A chain of lessons changing places between two hours stays this small.
constexpr size_t maksKaede = 16;

bool Indeholder(const std::vector<int32_t>& liste, int32_t x)
{
    return std::find(liste.begin(), liste.end(), x) != liste.end();
}

std::vector<int32_t> Celler(Ugemaske maske)
{
    std::vector<int32_t> celler;
    for (int32_t c = 0; c < maksCeller; ++c)
        if ((maske & CelleMaske(c)) != 0)
            celler.push_back(c);
    return celler;
}

// The exact solver's task: every movable unit with the starts the rules
// allow it alone, what never moves as taken cells, and with spreading each
// subject's rule for a day and the hours its fixed lessons hold.
EksaktOpgave EksaktOpgaveAf(const Skemamodel& model, std::vector<int32_t>& enheder)
{
    EksaktOpgave opgave;
    opgave.uge = model.Billede().uge;
    opgave.antalRessourcer = model.AntalRessourcer();
    for (int32_t r = 0; r < model.AntalRessourcer(); ++r)
        opgave.optaget.push_back(Celler(model.FastOptaget(r)));
    const bool spred = model.Billede().regler.Spreder();
    if (spred)
        for (int32_t k = 0; k < model.AntalSpredNoegler(); ++k) {
            opgave.spredTimerOptaget.push_back(model.FasteFagtimer(k));
            opgave.spredLoeb.push_back(model.DagsregelAf(k).loeb);
        }
    for (size_t e = 0; e < model.Enheder().size(); ++e) {
        const Skemamodel::Enhed& enhed = model.Enheder()[e];
        if (enhed.fast)
            continue;
        // A lesson without a teacher or rooms stands nowhere; the others are placed without it.
        if (const Hindring altid = model.FoersteHindring(static_cast<int32_t>(e), model.Startceller().front());
            altid == Hindring::ingenLaerer || altid == Hindring::manglerLokale)
            continue;
        EksaktOpgave::Enhed opgaveEnhed;
        opgaveEnhed.ressourcer = enhed.folk;
        opgaveEnhed.lokalevalg = model.Kravene()[enhed.krav].lokalevalg;
        opgaveEnhed.laengde = enhed.laengde;
        opgaveEnhed.spredNoegle = spred ? enhed.spredNoegle : -1;
        opgaveEnhed.starter = model.Starter(static_cast<int32_t>(e));
        opgave.enheder.push_back(std::move(opgaveEnhed));
        enheder.push_back(static_cast<int32_t>(e));
    }
    return opgave;
}

// "0,4", "2,5", "60": tenths only while there are few seconds.
std::string SekunderTekst(double sekunder)
{
    return sekunder < 10 ? FormaterTal(sekunder, 2, 1, danskeSeparatorer)
                         : FormaterTal(sekunder, 15, 0, danskeSeparatorer);
}

// The timetables read, the lessons standing where the planner's rules forbid taken out to be laid anew.
Skemamodel RegelretModel(const Skemabillede& billede)
{
    Skemamodel model(billede);
    model.FjernRegelbrud();
    return model;
}

} // namespace

uint64_t Fuldfoerelse::Tilfaeldig::Naeste()
{
    // SplitMix64
    uint64_t z = (tilstand_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

Fuldfoerelse::Fuldfoerelse(const Skemabillede& billede, Fuldfoerelsesvalg valg)
    : model_(RegelretModel(billede)), tilfaeldig_(valg.froe), valg_(valg), pulje_(model_.Ledige()),
      tabuTil_(model_.Enheder().size(), 0), bedstePladser_(model_.Pladser()), foer_(model_.Status()), bedste_(foer_),
      faerrestManglende_(foer_.manglende)
{
    if (foer_.manglende == 0)
        return;
    for (Fund& fund : KontrollerGennemfoerlighed(billede))
        if (fund.umulig) {
            forhaandsfund_ = std::move(fund);
            afgjort_ = true;
            break;
        }
}

// While lessons wait in the pool, the placement decides when to give up on
// them (it sets them aside); the search as a whole ends on its step budget,
// when nothing is left to do, or when the gaps stop improving, but while
// hours are missing that nothing proves must be, only on its step budget.
bool Fuldfoerelse::Faerdig() const
{
    if (skridt_ >= valg_.maksSkridt)
        return true;
    if (!pulje_.empty())
        return false;
    const Maal& nu = model_.Status();
    if (tilSide_.empty() && nu.manglende == 0 && nu.holdHuller == 0 && nu.laererHuller == 0)
        return true;
    if (bedste_.manglende > 0 && !afgjort_)
        return false;
    return skridt_ - sidstForbedret_ >= valg_.maksUdenFremskridt;
}

bool Fuldfoerelse::Koer(int64_t skridt)
{
    for (int64_t i = 0; i < skridt && !Faerdig() && !(valg_.stop && valg_.stop->load()); ++i)
        Trin();
    return !Faerdig();
}

std::string Fuldfoerelse::Opsummering() const
{
    int32_t ialt = 0;
    for (const Skemamodel::Krav& krav : model_.Kravene())
        ialt += krav.timer;
    const auto fraTil = [](int32_t fra, int32_t til) { return std::to_string(fra) + "→" + std::to_string(til); };
    return "Fuldført: placeret " + fraTil(ialt - foer_.manglende, ialt - bedste_.manglende) + " af " +
           std::to_string(ialt) + ", mellemtimer hold " + fraTil(foer_.holdHuller, bedste_.holdHuller) + ", lærere " +
           fraTil(foer_.laererHuller, bedste_.laererHuller) +
           (delteDobbelte_ > 0 ? ", dobbelttimer delt " + std::to_string(delteDobbelte_) : "") +
           (stoppetEfter_ ? ", stoppet efter " + SekunderTekst(*stoppetEfter_) + " s" : "");
}

std::vector<LektionsData> Fuldfoerelse::BedsteLektioner()
{
    model_.Gendan(bedstePladser_);
    return model_.Lektioner();
}

std::vector<Aktivitetsblok> Fuldfoerelse::BedsteAktivitetsblokke()
{
    model_.Gendan(bedstePladser_);
    return model_.Aktivitetsblokke();
}

// One step: place a missing lesson when there is one, otherwise close gaps;
// remember the timetables whenever they are the best yet.
void Fuldfoerelse::Trin()
{
    ++skridt_;
    if (!pulje_.empty()) {
        const int32_t i = tilfaeldig_.Under(pulje_.size());
        const int32_t e = pulje_[i];
        pulje_[i] = pulje_.back();
        pulje_.pop_back();
        Indsaet(e);
        if (model_.Status().manglende < faerrestManglende_) {
            faerrestManglende_ = model_.Status().manglende;
            sidstPlaceret_ = skridt_;
        } else if (skridt_ - sidstPlaceret_ >= valg_.maksUdenPlacering) {
            if (!PlacerEksakt())
                LaegTilSide();
        }
    } else {
        Forbedr();
        // Now and then the lessons set aside get another chance.
        if (!tilSide_.empty() && skridt_ - sidstPlaceret_ >= 4 * valg_.maksUdenPlacering)
            ProevDeLagteTilSide();
    }
    Husk();
}

void Fuldfoerelse::Husk()
{
    if (model_.Status() < bedste_) {
        bedste_ = model_.Status();
        bedstePladser_ = model_.Pladser();
        sidstForbedret_ = skridt_;
    }
}

// The placement got no further: the exact solver, asked once, lays every
// movable lesson anew when a complete timetable exists. When it proves that
// none does, it says what causes it.
bool Fuldfoerelse::PlacerEksakt()
{
    if (eksaktSpurgt_ || valg_.eksaktGraense <= 0 || forhaandsfund_)
        return false;
    eksaktSpurgt_ = true;
    std::vector<int32_t> enheder;
    const EksaktOpgave opgave = EksaktOpgaveAf(model_, enheder);
    const EksaktSvar svar = LoesEksakt(opgave, valg_.eksaktGraense, valg_.stop);
    // The solver keeps the spreading rule as the search does, so a proof
    // holds for the plan. A core without resources or subjects is a lesson
    // with nowhere to go at all, which the check names better.
    if (svar.udfald == EksaktSvar::Udfald::umulig &&
        !(svar.kerneRessourcer.empty() && svar.kerneSpredNoegler.empty())) {
        Umulighed bevis;
        const auto tilfoej = [&](const std::string& navn) {
            // A class's student units all bear its name.
            if (std::find(bevis.ressourcer.begin(), bevis.ressourcer.end(), navn) == bevis.ressourcer.end())
                bevis.ressourcer.push_back(navn);
        };
        for (const int32_t r : svar.kerneRessourcer)
            tilfoej(model_.Navn(r));
        for (const int32_t k : svar.kerneSpredNoegler)
            tilfoej(model_.NoegleNavn(k));
        bevis_ = std::move(bevis);
    }
    afgjort_ = svar.udfald != EksaktSvar::Udfald::ukendt;
    if (svar.udfald != EksaktSvar::Udfald::fundet)
        return false;
    for (const int32_t e : enheder)
        if (model_.Enheder()[e].celle >= 0)
            model_.Fjern(e);
    for (size_t i = 0; i < enheder.size(); ++i)
        model_.Saet(enheder[i], svar.start[i], svar.lokale[i]);
    pulje_.clear();
    faerrestManglende_ = model_.Status().manglende;
    sidstPlaceret_ = skridt_;
    sidstForbedret_ = skridt_;
    return true;
}

// The placement got no further: back to the best timetables, and what is not
// placed there waits aside while the gaps of the rest are closed.
void Fuldfoerelse::LaegTilSide()
{
    model_.Gendan(bedstePladser_);
    pulje_.clear();
    tilSide_ = model_.Ledige();
    faerrestManglende_ = model_.Status().manglende;
    sidstPlaceret_ = skridt_;
    // The gaps get their full time from the first time; setting the same
    // lessons aside again after a retry is no progress.
    if (!lagtTilSide_)
        sidstForbedret_ = skridt_;
    lagtTilSide_ = true;
    if (model_.Billede().delDobbelte)
        DelDobbelte();
}

// The planner allows it: a double lesson that found no place goes on as two
// single hours, which the spreading rule keeps on different days. One still
// where it was read, outside the plan, stays whole there, and an activity's
// blocks are its own.
void Fuldfoerelse::DelDobbelte()
{
    std::vector<int32_t> tilbage;
    for (const int32_t e : tilSide_) {
        if (model_.Enheder()[e].laengde != 2 || model_.Enheder()[e].celle >= 0 || model_.AktivitetAf(e) != nullptr) {
            tilbage.push_back(e);
            continue;
        }
        const int32_t tvilling = model_.DelDobbelt(e);
        tabuTil_.push_back(0);
        bedstePladser_.push_back({});
        pulje_.push_back(e);
        pulje_.push_back(tvilling);
        ++delteDobbelte_;
    }
    tilSide_ = std::move(tilbage);
}

// Each lesson set aside goes where it fits now; the rest try the chains again.
void Fuldfoerelse::ProevDeLagteTilSide()
{
    std::vector<int32_t> igen;
    for (const int32_t e : tilSide_)
        if (!IndsaetDirekte(e))
            igen.push_back(e);
    tilSide_.clear();
    pulje_ = std::move(igen);
    faerrestManglende_ = model_.Status().manglende;
    sidstPlaceret_ = skridt_;
}

// Lessons outside the plan move only from the pool, into the plan.
bool Fuldfoerelse::KanFlyttes(int32_t e) const
{
    const Skemamodel::Enhed& enhed = model_.Enheder()[e];
    return !enhed.fast && enhed.celle >= 0 && model_.IPlanen(enhed.celle, enhed.laengde);
}

void Fuldfoerelse::Tabu(int32_t e) { tabuTil_[e] = skridt_ + tabuGrund + tilfaeldig_.Under(tabuSpredning); }

// A lesson outside the plan stays where it was until it finds a place inside.
void Fuldfoerelse::Indsaet(int32_t e)
{
    const Skemamodel::Enhed gammel = model_.Enheder()[e];
    if (gammel.celle >= 0)
        model_.Fjern(e);
    if (IndsaetDirekte(e) || IndsaetMedUdskubning(e))
        return;
    if (gammel.celle >= 0)
        model_.Saet(e, gammel.celle, gammel.lokaler);
    pulje_.push_back(e);
    Forbedr();
}

// The best free start for the lesson, if any.
bool Fuldfoerelse::IndsaetDirekte(int32_t e)
{
    int32_t bedsteCelle = -1;
    std::vector<int32_t> bedsteLokaler;
    Maal bedst;
    for (const int32_t celle : model_.Starter(e)) {
        const std::optional<std::vector<int32_t>> lokaler = model_.LedigeLokaler(e, celle);
        if (!lokaler || model_.FoersteHindring(e, celle, &*lokaler) != Hindring::ingen)
            continue;
        model_.Saet(e, celle, *lokaler);
        if (bedsteCelle < 0 || model_.Status() < bedst) {
            bedst = model_.Status();
            bedsteCelle = celle;
            bedsteLokaler = *lokaler;
        }
        model_.Fjern(e);
    }
    if (bedsteCelle < 0)
        return false;
    model_.Saet(e, bedsteCelle, bedsteLokaler);
    Tabu(e);
    return true;
}

// No free start: take the start that pushes out the fewest hours of lessons
// not recently placed, put the lesson there and queue what was pushed out.
bool Fuldfoerelse::IndsaetMedUdskubning(int32_t e)
{
    int32_t bedsteCelle = -1;
    std::vector<int32_t> bedsteLokaler;
    int64_t bedstePris = std::numeric_limits<int64_t>::max();
    const std::vector<std::vector<int32_t>> muligheder = model_.Lokalemuligheder(e);
    for (const int32_t celle : model_.Starter(e)) {
        for (const std::vector<int32_t>& lokaler : muligheder) {
            if (!model_.Blokerende(e, celle, lokaler, blokerende_))
                continue;
            int64_t pris = 0;
            for (const int32_t anden : blokerende_)
                pris += static_cast<int64_t>(model_.Enheder()[anden].laengde) * (tabuTil_[anden] > skridt_ ? 100 : 4);
            pris = pris * 16 + tilfaeldig_.Under(16);
            if (pris < bedstePris) {
                bedstePris = pris;
                bedsteCelle = celle;
                bedsteLokaler = lokaler;
            }
        }
    }
    if (bedsteCelle < 0)
        return false;
    model_.Blokerende(e, bedsteCelle, bedsteLokaler, blokerende_);
    for (const int32_t anden : blokerende_) {
        model_.Fjern(anden);
        pulje_.push_back(anden);
    }
    model_.Saet(e, bedsteCelle, bedsteLokaler);
    Tabu(e);
    return true;
}

// A random movable lesson moves, swaps, or changes hours with a chain of
// others, or one day of a class is laid anew, when that leaves the
// timetables no worse (sideways moves cross plateaus of equal gaps).
void Fuldfoerelse::Forbedr()
{
    const auto& enheder = model_.Enheder();
    const int32_t e = tilfaeldig_.Under(enheder.size());
    if (!KanFlyttes(e))
        return;
    switch (tilfaeldig_.Under(8)) {
    case 0:
    case 1:
    case 2:
        Flyt(e);
        break;
    case 3:
    case 4:
        Byt(e);
        break;
    case 5:
    case 6:
        Kaede(e);
        break;
    default:
        GenopbygDag();
        break;
    }
}

void Fuldfoerelse::Flyt(int32_t e)
{
    const Maal foer = model_.Status();
    const Skemamodel::Enhed gammel = model_.Enheder()[e];
    const std::vector<int32_t>& starter = model_.Starter(e);
    if (starter.empty())
        return;
    model_.Fjern(e);
    const int32_t celle = starter[tilfaeldig_.Under(starter.size())];
    if (const auto lokaler = model_.LedigeLokaler(e, celle);
        lokaler && model_.FoersteHindring(e, celle, &*lokaler) == Hindring::ingen) {
        model_.Saet(e, celle, *lokaler);
        if (model_.Status() <= foer)
            return;
        model_.Fjern(e);
    }
    model_.Saet(e, gammel.celle, gammel.lokaler);
}

// Swaps with another lesson of the same class and length.
void Fuldfoerelse::Byt(int32_t e)
{
    const auto& enheder = model_.Enheder();
    if (enheder[e].folk.empty())
        return;
    const int32_t hold = enheder[e].folk.front();
    std::vector<int32_t> partnere;
    for (const int32_t celle : model_.Startceller())
        if (const int32_t f = model_.Ejer(hold, celle);
            f >= 0 && f != e && enheder[f].celle == celle && enheder[f].laengde == enheder[e].laengde && KanFlyttes(f))
            partnere.push_back(f);
    if (partnere.empty())
        return;
    const int32_t f = partnere[tilfaeldig_.Under(partnere.size())];
    const Maal foer = model_.Status();
    const Skemamodel::Enhed a = enheder[e];
    const Skemamodel::Enhed b = enheder[f];
    model_.Fjern(e);
    model_.Fjern(f);
    if (const auto lokalerE = model_.LedigeLokaler(e, b.celle);
        lokalerE && model_.FoersteHindring(e, b.celle, &*lokalerE) == Hindring::ingen) {
        model_.Saet(e, b.celle, *lokalerE);
        if (const auto lokalerF = model_.LedigeLokaler(f, a.celle);
            lokalerF && model_.FoersteHindring(f, a.celle, &*lokalerF) == Hindring::ingen) {
            model_.Saet(f, a.celle, *lokalerF);
            if (model_.Status() <= foer)
                return;
            model_.Fjern(f);
        }
        model_.Fjern(e);
    }
    model_.Saet(e, a.celle, a.lokaler);
    model_.Saet(f, b.celle, b.lokaler);
}

// A Kempe chain: e goes from its hour to another, every lesson there that
// shares a class, teacher or room comes back the other way, and so on until
// the two groups only meet each other. Each keeps its rooms.
void Fuldfoerelse::Kaede(int32_t e)
{
    const auto& enheder = model_.Enheder();
    const int32_t a = enheder[e].celle;
    const int32_t laengde = enheder[e].laengde;
    const int32_t b = model_.Startceller()[tilfaeldig_.Under(model_.Startceller().size())];
    if (b == a || !model_.IPlanen(b, laengde))
        return;
    // Groups moving a -> b and b -> a, grown until closed; false when a lesson in
    // the way does not fit the exchange.
    std::vector<int32_t> fraA{e};
    std::vector<int32_t> fraB;
    const auto voks = [&](const std::vector<int32_t>& gruppe, int32_t til, std::vector<int32_t>& modsat) {
        for (const int32_t x : gruppe) {
            const Skemamodel::Enhed& enhed = enheder[x];
            for (int32_t c = til; c < til + laengde; ++c)
                for (const std::vector<int32_t>* ressourcer : {&enhed.folk, &enhed.lokaler})
                    for (const int32_t r : *ressourcer) {
                        const int32_t y = model_.Ejer(r, c);
                        if (y < 0 || Indeholder(modsat, y))
                            continue;
                        if (!KanFlyttes(y) || enheder[y].celle != til || enheder[y].laengde != laengde ||
                            modsat.size() >= maksKaede)
                            return false;
                        modsat.push_back(y);
                    }
        }
        return true;
    };
    for (size_t foer = 0; foer != fraA.size() + fraB.size();) {
        foer = fraA.size() + fraB.size();
        if (!voks(fraA, b, fraB) || !voks(fraB, a, fraA))
            return;
    }
    const Maal foerMaal = model_.Status();
    Pladser gamle;
    for (const std::vector<int32_t>* gruppe : {&fraA, &fraB})
        for (const int32_t x : *gruppe) {
            gamle.push_back({x, {enheder[x].celle, enheder[x].lokaler}});
            model_.Fjern(x);
        }
    bool mulig = true;
    std::vector<int32_t> sat;
    for (const auto& [x, plads] : gamle) {
        const int32_t til = plads.celle == a ? b : a;
        if (model_.FoersteHindring(x, til, &plads.lokaler) != Hindring::ingen) {
            mulig = false;
            break;
        }
        model_.Saet(x, til, plads.lokaler);
        sat.push_back(x);
    }
    if (mulig && model_.Status() <= foerMaal)
        return;
    LaegTilbage(sat, gamle);
}

// Undoes a tried change: the lessons laid anew come out, the old places are taken again.
void Fuldfoerelse::LaegTilbage(const std::vector<int32_t>& sat, const Pladser& gamle)
{
    for (const int32_t x : sat)
        model_.Fjern(x);
    for (const auto& [x, plads] : gamle)
        model_.Saet(x, plads.celle, plads.lokaler);
}

// Takes every movable lesson of one class or teacher on one day out and lays
// each at its best free start again, kept when the timetables are no worse.
void Fuldfoerelse::GenopbygDag()
{
    const auto& enheder = model_.Enheder();
    const int32_t e = tilfaeldig_.Under(enheder.size());
    if (!KanFlyttes(e) || enheder[e].folk.empty())
        return;
    const int32_t hvem = enheder[e].folk[tilfaeldig_.Under(enheder[e].folk.size())];
    const int32_t dag = enheder[e].celle / maksTimer;
    Pladser gamle;
    for (int32_t c = dag * maksTimer; c < (dag + 1) * maksTimer; ++c)
        if (const int32_t x = model_.Ejer(hvem, c);
            x >= 0 && KanFlyttes(x) &&
            std::none_of(gamle.begin(), gamle.end(), [x](const auto& g) { return g.first == x; }))
            gamle.push_back({x, {enheder[x].celle, enheder[x].lokaler}});
    const Maal foer = model_.Status();
    for (const auto& [x, plads] : gamle)
        model_.Fjern(x);
    // The longest first, in a random order among equals.
    for (size_t i = gamle.size(); i > 1; --i)
        std::swap(gamle[i - 1], gamle[tilfaeldig_.Under(i)]);
    std::stable_sort(gamle.begin(), gamle.end(),
                     [&](const auto& x, const auto& y) { return enheder[x.first].laengde > enheder[y.first].laengde; });
    std::vector<int32_t> sat;
    bool mulig = true;
    for (const auto& [x, plads] : gamle) {
        if (!IndsaetDirekte(x)) {
            mulig = false;
            break;
        }
        sat.push_back(x);
    }
    if (mulig && model_.Status() <= foer)
        return;
    LaegTilbage(sat, gamle);
}
