#include "analyse/PlacerKrav.h"

#include "analyse/AnalyseSkema.h"

namespace {

enum class Kort { Byg, Genbrug };

void VaelgPladser(AnalyseSkema& analyse)
{
    if (analyse.Blok() == 1)
        analyse.VaelgEnkeltPladser();
    else if (analyse.Blok() == 2)
        analyse.VaelgDobbeltPladser();
}

void Forbered(AnalyseSkema& analyse, const std::string& relation, Kort kort)
{
    if (kort == Kort::Byg) {
        if (relation == "HLP")
            analyse.ByggKort2();
        else if (relation == "HLPL")
            analyse.ByggKort3();
        analyse.MarkerEksisterende();
    }
    analyse.SpaerDageMedFag();
    VaelgPladser(analyse);
}

// Hours of the map that can take the demand or already hold it.
int32_t Pladser(const AnalyseSkema& analyse) { return analyse.TaelKode(4) + analyse.TaelKode(5); }

bool NokPladser(const AnalyseSkema& analyse) { return Pladser(analyse) >= analyse.Maal(); }

bool EnTimeMangler(const AnalyseSkema& analyse) { return Pladser(analyse) == analyse.Maal() - 1; }

bool PlacerEnkelt(AnalyseSkema& analyse, const std::string& relation, Kort kort, int32_t& placeret)
{
    Forbered(analyse, relation, kort);
    if (NokPladser(analyse))
        return analyse.LaegLektioner(placeret);
    if (EnTimeMangler(analyse)) {
        analyse.LaegLektioner(placeret);
        if (analyse.SkabFrieLektioner())
            return analyse.LaegLektioner(placeret);
    }
    analyse.PresOp();
    analyse.SpaerDageMedFag();
    analyse.VaelgEnkeltPladser();
    if (!NokPladser(analyse)) {
        analyse.LaegLektioner(placeret);
        analyse.SkabFrieLektioner();
    }
    return analyse.LaegLektioner(placeret);
}

bool PlacerDobbelt(AnalyseSkema& analyse, std::unique_ptr<AnalyseSkema>& kopi, const std::string& relation, Kort kort,
                   int32_t& placeret)
{
    Forbered(analyse, relation, kort);
    if (NokPladser(analyse))
        return analyse.LaegLektioner(placeret);
    if (EnTimeMangler(analyse)) {
        analyse.LaegLektioner(placeret);
        if (analyse.SkabFrieDobbeltLektioner())
            return analyse.LaegLektioner(placeret);
        kopi = analyse.DobbeltKopi();
        if (kopi->SkabFrieLektioner())
            return kopi->LaegLektioner(placeret);
    }
    analyse.PresOp();
    analyse.SpaerDageMedFag();
    analyse.VaelgDobbeltPladser();
    if (!NokPladser(analyse)) {
        analyse.LaegLektioner(placeret);
        if (!analyse.SkabFrieDobbeltLektioner()) {
            kopi = analyse.DobbeltKopi();
            kopi->SkabFrieLektioner();
        }
    }
    return analyse.LaegLektioner(placeret);
}

} // namespace

bool PlacerKrav(Portal& portal, LektionsKrav& krav, std::unique_ptr<AnalyseSkema>& analyse,
                std::unique_ptr<AnalyseSkema>& kopi, int32_t& placeret)
{
    // The copy refers to the map it was made from: it goes first.
    kopi.reset();
    analyse = std::make_unique<AnalyseSkema>(portal, krav.hold, krav.fag, krav.laerer, krav.lokale, krav.blok,
                                             krav.maal, krav.dage, krav.timer);
    AnalyseSkema& kort = *analyse;
    const auto skiftBlok = [&](int32_t blok) {
        kort.SaetBlok(blok);
        krav.blok = blok;
    };

    if (krav.blok == 1 && krav.maal < kort.Dage()) {
        if (PlacerEnkelt(kort, krav.relation, Kort::Byg, placeret))
            return true;
        skiftBlok(2);
        return PlacerDobbelt(kort, kopi, krav.relation, Kort::Genbrug, placeret);
    }
    if (krav.blok == 1) {
        // As many hours as days or more: try double lessons first.
        skiftBlok(2);
        if (PlacerDobbelt(kort, kopi, krav.relation, Kort::Byg, placeret))
            return true;
        skiftBlok(1);
        return PlacerEnkelt(kort, krav.relation, Kort::Genbrug, placeret);
    }
    if (krav.blok == 2) {
        if (PlacerDobbelt(kort, kopi, krav.relation, Kort::Byg, placeret))
            return true;
        skiftBlok(1);
        return PlacerEnkelt(kort, krav.relation, Kort::Genbrug, placeret);
    }
    return false;
}
