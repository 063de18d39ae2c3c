// Portal's one-line forwarding operations to the timetables.
#include "db/Portal.h"

bool Portal::KontrollerAlle()
{
    int32_t sum = 0;
    for (const SkemaArt art : alleSkemaArter) {
        int32_t antal = 0;
        skemaKontrol_->Kontroller(antal, art);
        besked_.Spor(std::to_string(antal) + " ");
        sum += antal;
    }
    return sum == 0;
}

bool Portal::HentLektioner(const std::string& id, stack<LektionsData>& lektioner, SkemaArt art)
{
    return skemaKontrol_->HentLektioner(id, lektioner, art);
}

void Portal::RydSkemaer() { skemaKontrol_->RydSkemaer(); }

double Portal::Spredning(const std::string& id, SkemaArt art) { return skemaKontrol_->Spredning(id, art); }

int32_t Portal::AntalLektionerIalt() { return skemaKontrol_->AntalLektionerIalt(); }

int32_t Portal::AntalMellemtimer() { return skemaKontrol_->AntalMellemtimer(); }

int32_t Portal::AntalFag(const std::string& hold, const std::string& fag) { return skemaKontrol_->AntalFag(hold, fag); }

int32_t Portal::AntalLektioner(const std::string& id, SkemaArt art) { return skemaKontrol_->AntalLektioner(id, art); }

int32_t Portal::AntalSpaerringer(const std::string& laerer) { return skemaKontrol_->AntalSpaerringer(laerer); }

bool Portal::LaesLektioner(const std::string& id, stack<LektionsData>& lektioner, SkemaArt art)
{
    return skemaKontrol_->LaesLektioner(id, lektioner, art);
}

std::optional<LektionsData> Portal::Lektion(const std::string& id, SkemaArt art, Placering p)
{
    return skemaKontrol_->Lektion(id, art, p);
}

bool Portal::ErLedig(const std::string& id, SkemaArt art, int32_t kolonne, int32_t raekke)
{
    return skemaKontrol_->ErLedig(id, art, kolonne, raekke);
}

bool Portal::ErSpaerret(const std::string& laerer, int32_t kolonne, int32_t raekke)
{
    return skemaKontrol_->ErSpaerret(laerer, kolonne, raekke);
}

bool Portal::HarFag(const std::string& hold, const std::string& fag, int32_t kolonne, int32_t raekke)
{
    return skemaKontrol_->HarFag(hold, fag, kolonne, raekke);
}

bool Portal::ErDobbeltLektion(const std::string& id, SkemaArt art, int32_t kolonne, int32_t raekke)
{
    return skemaKontrol_->ErDobbeltLektion(id, art, kolonne, raekke);
}

bool Portal::SaetLektion(const std::string& hold, const std::string& fag, const std::string& laerer,
                         const std::string& lokale, int32_t blok, int32_t kolonne, int32_t raekke)
{
    return skemaKontrol_->SaetLektion(hold, fag, laerer, lokale, blok, kolonne, raekke);
}

void Portal::TvingFlyt(const std::string& id, SkemaArt art, Placering fra, Placering til)
{
    skemaKontrol_->TvingFlyt(id, art, fra, til);
}

bool Portal::FlytLektion(const std::string& id, int32_t blok, SkemaArt art, Placering fra, Placering til,
                         const Regelvalg& valg)
{
    return skemaKontrol_->FlytLektion(id, blok, art, fra, til, Flytning::udfoer, valg);
}

bool Portal::ProevFlytLektion(const std::string& id, int32_t blok, SkemaArt art, Placering fra, Placering til,
                              const Regelvalg& valg)
{
    return skemaKontrol_->FlytLektion(id, blok, art, fra, til, Flytning::proev, valg);
}

void Portal::SaetDimensioner(int32_t dage, int32_t timer)
{
    kolonner_ = dage;
    raekker_ = timer;
    skemaKontrol_->SaetDimensioner(dage, timer);
}

bool Portal::FjernLektion(const std::string& id, SkemaArt art, Placering fra)
{
    return skemaKontrol_->FjernLektion(id, art, fra);
}

void Portal::NulstilMarkoer(SkemaArt art) { skemaKontrol_->NulstilMarkoer(art); }

bool Portal::HentNaesteLektioner(stack<LektionsData>& lektioner, SkemaArt art)
{
    return skemaKontrol_->HentNaesteLektioner(lektioner, art);
}

bool Portal::HentNaestePrioriteter(stack<PLektionsData>& prioriteter, std::string& navn)
{
    return skemaKontrol_->HentNaestePrioriteter(prioriteter, navn);
}
