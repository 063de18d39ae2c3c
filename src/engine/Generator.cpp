#include "engine/Generator.h"

#include "engine/KontrolListe.h"

#include "analyse/AnalyseSkema.h"
#include "analyse/PlacerKrav.h"
#include "db/Portal.h"

#include <algorithm>

using enum KontrolListe::ListeNr;

Generator::Generator(KontrolListe* kontrolListe_, Portal* portal_, int32_t dage_, int32_t timer_)
    : portal(portal_), kontrolListe(kontrolListe_), dage(dage_), timer(timer_)
{
}

Generator::~Generator() = default;

bool Generator::Generer(int32_t frekvens, int32_t styrke, int32_t nyeDage, int32_t nyeTimer, int32_t tidligere,
                        bool beskyttet)
{
    if (!Begynd(frekvens, styrke, nyeDage, nyeTimer, tidligere, beskyttet))
        return false;
    while (Trin()) {
    }
    return true;
}

bool Generator::Begynd(int32_t frekvens, int32_t styrke, int32_t nyeDage, int32_t nyeTimer, int32_t tidligere,
                       bool beskyttet)
{
    skrivebeskyttet = beskyttet;
    total_.Start();
    genereret = tidligere == 1;
    kontrolListe->SaetMaksForsoeg(styrke);
    kontrolListe->SaetSkrivebeskyttet(skrivebeskyttet);

    planDage_ = dage;
    planTimer_ = timer;
    SaetDimensioner(std::min(nyeDage, planDage_), std::min(nyeTimer, planTimer_));
    if (dage != nyeDage || timer != nyeTimer)
        besked.Log("Planen har " + std::to_string(planDage_) + " dage og " + std::to_string(planTimer_) +
                   " timer om dagen; genereringen lægger kun lektioner inden for dem");

    // A step of no lessons would never end its part.
    skridt_ = std::max(frekvens, 1);

    if (!TagTid(faseUr_, 1, "Kontrol af lister", [this] { return KontrolAfLister(); }) ||
        !TagTid(faseUr_, 2, "Klargoering til 1 del", [this] { return Klargoer1Del(); })) {
        SaetDimensioner(planDage_, planTimer_);
        faseUr_.Stop();
        total_.Stop();
        if (!portal->KontrollerAlle())
            besked.VisFejl("Skemaer stemmer ikke overens!", fejlTitel);
        fase_ = 7;
        return false;
    }
    behold = false;
    fase_ = 3;
    faseUr_.Start();
    return true;
}

bool Generator::Trin()
{
    switch (fase_) {
    case 3:
        if (LaegHLPL(skridt_))
            return true;
        faseUr_.Stop();
        besked.TidsLinje(faseUr_.Sekunder(), "Lægning af HLPL relationer:", 3);
        TagTid(faseUr_, 4, "Klargør til anden del:", [this] {
            KlargoerAndenDel();
            return true;
        });
        behold = false;
        fase_ = 5;
        faseUr_.Start();
        return true;
    case 5:
        if (LaegHLP(skridt_))
            return true;
        faseUr_.Stop();
        besked.TidsLinje(faseUr_.Sekunder(), "Lægning af HLP relationer:", 5);
        AfslutFaser();
        return false;
    default:
        return false;
    }
}

void Generator::Stop()
{
    if (fase_ != 3 && fase_ != 5)
        return;
    faseUr_.Stop();
    besked.Log("Genereringen er stoppet; de lagte lektioner bliver i skemaerne");
    AfslutFaser();
}

void Generator::AfslutFaser()
{
    TagTid(faseUr_, 6, "Kontrol af skemaer: ", [&] {
        SaetDimensioner(planDage_, planTimer_);
        if (!portal->KontrollerAlle())
            besked.VisFejl("Der er uoverensstemmelser i skemaerne", fejlTitel);
        return true;
    });
    total_.Stop();
    besked.TidsLinje(total_.Sekunder(), "Total tid:", 7);
    fase_ = 7;
}

// Times one phase and writes its row; a failed phase writes no row.
bool Generator::TagTid(Stopur& ur, int32_t raekke, const std::string& etiket, const std::function<bool()>& fase)
{
    ur.Start();
    const bool lykkedes = fase();
    ur.Stop();
    if (!lykkedes)
        return false;
    besked.TidsLinje(ur.Sekunder(), etiket, raekke);
    return true;
}

void Generator::SaetDimensioner(int32_t nyeDage, int32_t nyeTimer)
{
    dage = nyeDage;
    timer = nyeTimer;
    portal->SaetDimensioner(dage, timer);
}

bool Generator::KontrolAfLister()
{
    if (genereret)
        return true;
    kontrolListe->IndlaesListe(KontrolListe::holdLaererListe);
    kontrolListe->IndlaesListe(KontrolListe::fagprofilListe);
    if (!kontrolListe->TildelStamlokaler() || !kontrolListe->TildelLaerere())
        return false;
    if (skrivebeskyttet)
        return true;
    return kontrolListe->GemListe(KontrolListe::holdLokaleListe) &&
           kontrolListe->GemListe(KontrolListe::holdLaererListe);
}

bool Generator::Klargoer1Del()
{
    if (!genereret)
        kontrolListe->IndlaesListe(KontrolListe::laeggeListe);
    if (kontrolListe->KlargoerLaeggeliste()) {
        for (const KontrolListe::ListeNr art : {holdListe, laererListe, lokaletypeListe, fagListe})
            kontrolListe->OpdaterTimer(art, Del::saerlokale);
    }
    return true;
}

void Generator::KlargoerAndenDel()
{
    for (const KontrolListe::ListeNr art : {holdListe, laererListe, lokaleListe, fagListe}) {
        kontrolListe->OpdaterTimer(art, Del::stamlokale);
        besked.Spor(std::to_string(art) + " ");
    }
}

bool Generator::LaegHLPL(int32_t frekvens) { return LaegDel(Del::saerlokale, frekvens); }

bool Generator::LaegHLP(int32_t frekvens) { return LaegDel(Del::stamlokale, frekvens); }

// Weights are recomputed only when the last lesson of the previous step
// placed something; otherwise the step goes on in the old order.
void Generator::ForberedDel(Del del)
{
    const KontrolListe::ListeNr rumArt = del == Del::saerlokale ? lokaletypeListe : lokaleListe;
    for (const KontrolListe::ListeNr art : {holdListe, laererListe, rumArt, fagListe, laeggeListe}) {
        kontrolListe->BeregnVaegte(art, del);
        besked.Spor(std::to_string(art) + " ");
    }
    kontrolListe->SorterLaeggeliste(del);
    besked.Spor("S ");
}

// One step over the part of special rooms or of home rooms: up to
// `frekvens` lessons. False when the part has no lesson left to offer.
bool Generator::LaegDel(Del del, int32_t frekvens)
{
    const bool medLokale = del == Del::saerlokale;
    if (!behold)
        ForberedDel(del);
    bool resultat = true;
    for (int32_t i = 0; i < frekvens; ++i) {
        resultat = kontrolListe->NaesteLektion(hold, fag, laerer, lokaleType, lokale, blok, del, rest);
        if (!resultat)
            break;
        if (hold == sidsteHold && laerer == sidsteLaerer && fag == sidsteFag) {
            behold = true; // the same lesson again: leave it for a later step
            continue;
        }
        relation = medLokale ? "HLPL" : "HLP";
        if (medLokale && lokale == tomId && !kontrolListe->VaelgLokale(lokaleType, lokale))
            return false;
        placeret = 0;
        Placer();
        if (medLokale || placeret > 0)
            kontrolListe->RegistrerPlacering(placeret, del);
        sidsteHold = hold;
        sidsteLaerer = laerer;
        sidsteFag = fag;
        behold = placeret < 1;
    }
    return resultat;
}

void Generator::Placer()
{
    LektionsKrav krav;
    krav.hold = hold;
    krav.fag = fag;
    krav.laerer = laerer;
    krav.lokale = lokale;
    krav.blok = blok;
    krav.maal = rest;
    krav.dage = dage;
    krav.timer = timer;
    krav.relation = relation;
    PlacerKrav(*portal, krav, analyse, analyse2, placeret);
    blok = krav.blok;
}
