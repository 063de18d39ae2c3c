#include "regler/Placeringsregler.h"

const char* HindringsTekst(Hindring hindring)
{
    switch (hindring) {
    case Hindring::ingen:
        return "ledig";
    case Hindring::udenforPlanen:
        return "uden for planen";
    case Hindring::foerFoersteTime:
        return "før dagens første time";
    case Hindring::efterSidsteTime:
        return "efter dagens sidste time";
    case Hindring::fastlaast:
        return "lektionen er fastlåst";
    case Hindring::ingenLaerer:
        return "ingen lærer";
    case Hindring::manglerLokale:
        return "intet lokale at bruge";
    case Hindring::laererUtilgaengelig:
        return "lærer utilgængelig";
    case Hindring::pause:
        return "pause";
    case Hindring::lukket:
        return "lukket";
    case Hindring::fastStarttid:
        return "fast starttid";
    case Hindring::udenforTidsrum:
        return "uden for tidsrummet";
    case Hindring::laererOptaget:
        return "lærer optaget";
    case Hindring::intetLokale:
        return "intet lokale";
    case Hindring::holdOptaget:
        return "holdet optaget";
    case Hindring::fagSammeDag:
        return "faget samme dag";
    }
    return "";
}

namespace {

// A block alone: the teachers' -3 and the subject's fixed lessons are all that is in its way.
class EneFakta {
public:
    EneFakta(uint32_t spaerret, uint32_t faste, uint32_t blok, int32_t ugetimer)
        : spaerret_(spaerret), faste_(faste), blok_(blok), ugetimer_(ugetimer)
    {
    }
    bool Fastlaast() const { return false; }
    bool HarLaerer() const { return true; }
    bool HarLokaler() const { return true; }
    bool LaererUtilgaengelig() const { return (spaerret_ & blok_) != 0; }
    bool LaererOptaget() const { return false; }
    bool LokaleOptaget() const { return false; }
    // The subject's fixed lessons are the class's own.
    bool HoldOptaget() const { return (faste_ & blok_) != 0; }
    // Spreading is asked apart: a gap beside the fixed hours may be filled later.
    uint32_t FagetsTimer() const { return 0; }
    int32_t FagetsUgetimer() const { return ugetimer_; }

private:
    uint32_t spaerret_;
    uint32_t faste_;
    uint32_t blok_;
    int32_t ugetimer_;
};

} // namespace

Dagsmasker TilladteStarter(const Uge& uge, int32_t laengde, const Dagsmasker& spaerret, const Dagsmasker& faste,
                           const Regelvalg& valg, int32_t ugetimer)
{
    Dagsmasker starter{};
    for (int32_t dag = 0; dag < uge.dage && dag < maksDage; ++dag)
        for (int32_t time = 0; time < uge.timer && time + laengde <= maksTimer; ++time) {
            const uint32_t blok = ((uint32_t{1} << laengde) - 1) << time;
            const EneFakta fakta(spaerret[dag], faste[dag], blok, ugetimer);
            if (FoersteHindring(uge, {dag, time}, laengde, fakta, valg) == Hindring::ingen &&
                !SpredningUdelukket(valg.Dag(ugetimer, uge.dage), faste[dag], {dag, time}, laengde))
                starter[dag] |= uint32_t{1} << time;
        }
    return starter;
}
