#include "fuldfoerelse/Gennemfoerlighed.h"

#include "fuldfoerelse/Ugemaske.h"

#include <algorithm>
#include <bit>
#include <map>
#include <set>

namespace {

// A sentence names this many, then says how many more there are; the finding keeps them all.
constexpr size_t visteNavne = 6;

int32_t Antal(Ugemaske maske)
{
    return std::popcount(static_cast<uint64_t>(maske)) + std::popcount(static_cast<uint64_t>(maske >> 64));
}

Ugemaske PlanensCeller(const Uge& uge)
{
    Ugemaske celler = 0;
    for (int32_t dag = 0; dag < uge.dage; ++dag)
        for (int32_t time = 0; time < uge.timer; ++time)
            celler |= CelleMaske(dag * maksTimer + time);
    return celler;
}

// The longest run of hours in a day's hours.
int32_t LaengsteLoeb(uint32_t timer)
{
    int32_t laengst = 0;
    for (; timer != 0; timer &= timer >> 1)
        ++laengst;
    return laengst;
}

// How many blocks of `laengde` hours fit side by side in a day's hours.
int32_t BlokkePaaDagen(uint32_t timer, int32_t laengde)
{
    int32_t blokke = 0;
    while (timer != 0) {
        const int32_t start = std::countr_zero(timer);
        const int32_t loeb = std::countr_one(timer >> start);
        blokke += loeb / laengde;
        timer &= ~(((uint32_t{1} << loeb) - 1) << start);
    }
    return blokke;
}

// Hours of a subject a day can hold under the spreading rule: one run of at most `loeb` in the day's hours.
int32_t SpredtePladser(uint32_t timer, int32_t loeb) { return std::min(std::max(loeb, 1), LaengsteLoeb(timer)); }

std::string Timer(int32_t n) { return std::to_string(n) + (n == 1 ? " time" : " timer"); }

std::string Lokaler(int32_t n) { return std::to_string(n) + (n == 1 ? " lokale" : " lokaler"); }

std::string Blokke(int32_t blok, int32_t antal)
{
    if (blok == 2)
        return antal == 1 ? "dobbelttime" : "dobbelttimer";
    return antal == 1 ? "blok på " + Timer(blok) : "blokke på " + Timer(blok);
}

// "a", "a og b", "a, b og c", "a, b, …, f og 4 andre".
std::string Opremsning(const std::vector<std::string>& navne)
{
    if (navne.empty())
        return "";
    if (navne.size() > visteNavne + 1) {
        std::vector<std::string> vist(navne.begin(), navne.begin() + visteNavne);
        vist.push_back(std::to_string(navne.size() - visteNavne) + " andre");
        return Opremsning(vist);
    }
    std::string tekst = navne.front();
    for (size_t i = 1; i < navne.size(); ++i)
        tekst += (i + 1 == navne.size() ? " og " : ", ") + navne[i];
    return tekst;
}

std::vector<std::string> Liste(const std::set<std::string>& navne) { return {navne.begin(), navne.end()}; }

std::vector<std::string> Med(std::string foerst, const std::vector<std::string>& resten)
{
    std::vector<std::string> navne{std::move(foerst)};
    navne.insert(navne.end(), resten.begin(), resten.end());
    return navne;
}

int32_t OpRunde(int32_t taeller, int32_t naevner) { return (taeller + naevner - 1) / naevner; }

// The plan's week and who can teach when, asked by every check.
class Overblik {
public:
    explicit Overblik(const Skemabillede& billede) : billede(billede), uge(PlanensCeller(billede.uge))
    {
        for (const auto& [laerer, prioriteter] : billede.prioriteter) {
            Ugemaske kan = uge;
            for (int32_t celle = 0; celle < maksCeller; ++celle)
                if (prioriteter[celle] == utilgaengelig)
                    kan &= ~CelleMaske(celle);
            mulige_[laerer] = kan;
        }
        for (const auto& [type, lokaler] : billede.lokalerAfType)
            alleLokaler.insert(lokaler.begin(), lokaler.end());
    }

    // The plan's hours the teacher can teach; a class without a teacher yet could have any.
    Ugemaske Mulige(const std::string& laerer) const
    {
        const auto fundet = mulige_.find(laerer);
        return fundet == mulige_.end() ? uge : fundet->second;
    }

    int32_t Ugetimer() const { return Antal(uge); }

    std::string UgeTekst() const
    {
        return "(" + std::to_string(billede.uge.dage) + " dage × " + Timer(billede.uge.timer) + ")";
    }

    const Skemabillede& billede;
    const Ugemaske uge;
    std::set<std::string> alleLokaler;

private:
    std::map<std::string, Ugemaske> mulige_;
};

bool HarLaerer(const Timekrav& krav) { return krav.laerer != tomId; }

void LaererTimer(const Overblik& o, std::vector<Fund>& fund)
{
    std::map<std::string, int32_t> timer;
    for (const Timekrav& krav : o.billede.krav)
        if (HarLaerer(krav))
            timer[krav.laerer] += krav.timer;
    for (const auto& [laerer, skal] : timer) {
        const int32_t kan = Antal(o.Mulige(laerer));
        if (skal <= kan)
            continue;
        const int32_t markeret = o.Ugetimer() - kan;
        const int32_t forMange = skal - kan;
        std::string tekst = laerer + " skal undervise " + Timer(skal) + ", men ";
        if (markeret == 0)
            tekst += "ugen har kun " + Timer(kan) + " " + o.UgeTekst() + ". Flyt " + Timer(forMange) +
                     " til en anden lærer.";
        else
            tekst += "har kun " + std::to_string(kan) + " mulige timer: " + std::to_string(markeret) +
                     " er markeret −3. Flyt " + Timer(forMange) + " til en anden lærer" +
                     (markeret >= forMange ? ", eller fjern −3 fra " + Timer(forMange) + "." : ".");
        fund.push_back({Fundart::laererTimer, true, {laerer}, tekst});
    }
}

void HoldTimer(const Overblik& o, std::vector<Fund>& fund)
{
    struct Hold {
        int32_t timer = 0;
        Ugemaske laerereKan = 0;
        std::set<std::string> laerere;
    };
    std::map<std::string, Hold> hold;
    for (const Timekrav& krav : o.billede.krav) {
        Hold& h = hold[krav.hold];
        h.timer += krav.timer;
        h.laerereKan |= o.Mulige(krav.laerer);
        if (HarLaerer(krav))
            h.laerere.insert(krav.laerer);
    }
    const int32_t ugen = o.Ugetimer();
    for (const auto& [id, h] : hold) {
        const int32_t kan = Antal(h.laerereKan);
        if (h.timer > ugen)
            fund.push_back({Fundart::holdTimer,
                            true,
                            {id},
                            id + " skal have " + Timer(h.timer) + ", men ugen har kun " + std::to_string(ugen) + " " +
                                o.UgeTekst() + ". Fjern " + Timer(h.timer - ugen) +
                                " fra holdets fag, eller giv planen flere timer om dagen."});
        else if (h.timer > kan)
            fund.push_back({Fundart::holdTimer, true, Med(id, Liste(h.laerere)),
                            id + " skal have " + Timer(h.timer) + ", men holdets lærere (" +
                                Opremsning(Liste(h.laerere)) + ") kan tilsammen kun undervise i " +
                                std::to_string(kan) + " af ugens " + Timer(ugen) +
                                ": de andre er markeret −3 for dem alle. Fjern −3 hos nogle af dem, eller fjern " +
                                Timer(h.timer - kan) + " fra holdets fag."});
    }
}

void Lokaletyper(const Overblik& o, std::vector<Fund>& fund)
{
    struct Type {
        int32_t timer = 0;
        Ugemaske laerereKan = 0;
        std::set<std::string> fag;
        std::set<std::string> hold;
        std::set<std::string> laerere;
    };
    std::map<std::string, Type> typer;
    for (const Timekrav& krav : o.billede.krav) {
        if (krav.IStamlokale())
            continue;
        Type& t = typer[krav.lokaletype];
        t.timer += krav.timer;
        t.laerereKan |= o.Mulige(krav.laerer);
        t.fag.insert(krav.fag);
        t.hold.insert(krav.hold);
        if (HarLaerer(krav))
            t.laerere.insert(krav.laerer);
    }
    const int32_t ugen = o.Ugetimer();
    for (const auto& [id, t] : typer) {
        const auto lokaler = o.billede.lokalerAfType.find(id);
        const int32_t antal = lokaler == o.billede.lokalerAfType.end() ? 0
                                                                       : static_cast<int32_t>(lokaler->second.size());
        const std::vector<std::string> fag = Liste(t.fag);
        const std::string fagene = fag.size() == 1 ? "faget" : "fagene";
        if (antal == 0) {
            fund.push_back({Fundart::lokaletypeUdenLokaler, true, Med(id, fag),
                            "Planen har ingen lokaler af typen " + id + ", men " + Opremsning(fag) +
                                " skal være i et (" + std::to_string(t.hold.size()) + " hold, " + Timer(t.timer) +
                                "). Giv planen et lokale af typen " + id + ", eller giv " + fagene +
                                " en anden lokaletype."});
            continue;
        }
        const int32_t kan = Antal(t.laerereKan);
        if (t.timer > antal * ugen)
            fund.push_back({Fundart::lokaletypeTimer,
                            true,
                            {id},
                            "Lokaletypen " + id + " skal bruges " + Timer(t.timer) + ", men planens " + Lokaler(antal) +
                                " af typen rummer kun " + Timer(antal * ugen) + " om ugen. Giv planen " +
                                Lokaler(OpRunde(t.timer, ugen) - antal) + " mere af typen, eller flyt " +
                                Timer(t.timer - antal * ugen) + " til fag i andre lokaler."});
        else if (kan > 0 && t.timer > antal * kan)
            fund.push_back({Fundart::lokaletypeSamtidig, true, Med(id, Liste(t.laerere)),
                            "Lokaletypen " + id + " skal bruges " + Timer(t.timer) + ", men lærerne i " + fagene +
                                " (" + Opremsning(Liste(t.laerere)) + ") kan kun undervise i " + std::to_string(kan) +
                                " af ugens timer, og der rummer planens " + Lokaler(antal) + " af typen kun " +
                                Timer(antal * kan) + ". Giv planen " + Lokaler(OpRunde(t.timer, kan) - antal) +
                                " mere af typen, eller fjern −3 hos lærerne i nogle timer."});
    }
}

void Stamlokaler(const Overblik& o, std::vector<Fund>& fund)
{
    std::map<std::string, std::string> stamlokale;                 // class -> home room
    std::map<std::string, std::map<std::string, int32_t>> brugere; // home room -> class -> hours
    for (const Timekrav& krav : o.billede.krav) {
        if (!krav.IStamlokale())
            continue;
        stamlokale[krav.hold] = krav.lokale;
        if (krav.lokale != tomId)
            brugere[krav.lokale][krav.hold] += krav.timer;
    }
    std::vector<std::string> uden;
    for (const auto& [hold, lokale] : stamlokale) {
        if (lokale == tomId)
            uden.push_back(hold);
        else if (!o.alleLokaler.contains(lokale))
            fund.push_back({Fundart::stamlokaleUkendt,
                            true,
                            {hold, lokale},
                            hold + " har stamlokale " + lokale + ", men " + lokale +
                                " er ikke blandt planens lokaler. Giv planen lokalet " + lokale +
                                ", eller giv holdet et andet stamlokale."});
    }

    int32_t ledige = 0;
    if (const auto stamlokaler = o.billede.lokalerAfType.find(stamlokaleType);
        stamlokaler != o.billede.lokalerAfType.end())
        ledige = static_cast<int32_t>(std::count_if(stamlokaler->second.begin(), stamlokaler->second.end(),
                                                    [&](const std::string& l) { return !brugere.contains(l); }));
    const int32_t mangler = static_cast<int32_t>(uden.size());
    for (const std::string& hold : uden) {
        if (mangler <= ledige)
            fund.push_back({Fundart::stamlokaleMangler,
                            false,
                            {hold},
                            hold + " har intet stamlokale. Generér giver holdet et ledigt lokale af typen " +
                                stamlokaleType + " (planen har " + std::to_string(ledige) +
                                "); vælg selv et under Data → Skoledata, hvis det skal være et bestemt."});
        else
            fund.push_back({Fundart::stamlokaleMangler,
                            true,
                            {hold},
                            hold + " har intet stamlokale, og planen har " +
                                (ledige == 0 ? "intet ledigt lokale" : "kun " + Lokaler(ledige) + " ledige") +
                                " af typen " + stamlokaleType + " til " + std::to_string(mangler) +
                                " hold uden. Giv holdet et stamlokale under Data → Skoledata, eller giv planen " +
                                Lokaler(mangler - ledige) + " mere af typen " + stamlokaleType + "."});
    }

    const int32_t ugen = o.Ugetimer();
    for (const auto& [lokale, hold] : brugere) {
        int32_t timer = 0;
        std::vector<std::string> navne;
        for (const auto& [id, t] : hold) {
            timer += t;
            navne.push_back(id);
        }
        if (hold.size() > 1 && timer > ugen)
            fund.push_back({Fundart::stamlokaleTimer, true, Med(lokale, navne),
                            lokale + " er stamlokale for " + Opremsning(navne) + ", som tilsammen skal have " +
                                Timer(timer) + " der, men ugen har kun " + std::to_string(ugen) +
                                ". Giv et af holdene et andet stamlokale."});
    }
}

void LaerereMangler(const Overblik& o, std::vector<Fund>& fund)
{
    std::map<std::string, std::pair<std::vector<std::string>, int32_t>> fagUden; // subject -> classes, hours
    for (const Timekrav& krav : o.billede.krav) {
        if (HarLaerer(krav))
            continue;
        auto& [hold, timer] = fagUden[krav.fag];
        hold.push_back(krav.hold);
        timer += krav.timer;
    }
    for (const auto& [fag, uden] : fagUden) {
        const auto& [hold, timer] = uden;
        fund.push_back({Fundart::laererMangler, false, Med(fag, hold),
                        fag + " har ingen lærer hos " + Opremsning(hold) + " (" + Timer(timer) +
                            ", ikke talt med hos nogen lærer). Generér tildeler en efter lærernes fagprofiler; "
                            "vælg selv en under Data → Skoledata, hvis det skal være en bestemt."});
    }
}

// One class's subject: its blocks and single hours, and the hours its teachers can.
struct Fagfordeling {
    int32_t timer = 0;
    int32_t blok = 1; // the longest block asked for
    int32_t blokke = 0;
    int32_t enkelte = 0;
    Ugemaske laerereKan = 0;
    std::set<std::string> laerere;
};

std::map<std::pair<std::string, std::string>, Fagfordeling> Fagfordelinger(const Overblik& o)
{
    std::map<std::pair<std::string, std::string>, Fagfordeling> fordelinger;
    for (const Timekrav& krav : o.billede.krav) {
        Fagfordeling& f = fordelinger[{krav.hold, krav.fag}];
        f.timer += krav.timer;
        if (krav.blok >= 2) {
            f.blok = std::max(f.blok, krav.blok);
            f.blokke += krav.timer / krav.blok;
            f.enkelte += krav.timer % krav.blok;
        } else {
            f.enkelte += krav.timer;
        }
        f.laerereKan |= o.Mulige(krav.laerer);
        if (HarLaerer(krav))
            f.laerere.insert(krav.laerer);
    }
    return fordelinger;
}

// The teachers whose -3 leave the subject too few days.
std::string Hvem(const Fagfordeling& f) { return Opremsning(Liste(f.laerere)); }

// The day's rule for the subject under the plan's spreading.
Dagsregel DagsregelAf(const Overblik& o, const Fagfordeling& f)
{
    return o.billede.regler.Dag(f.timer, o.billede.uge.dage);
}

// Blocks need a day with that many hours in a row where the rules let one
// start; spread, a day holds as many side by side as its run allows, a block
// longer than the run a day of its own.
bool Blokfund(const Overblik& o, const std::string& hold, const std::string& fag, const Fagfordeling& f,
              std::vector<Fund>& fund)
{
    const Uge& uge = o.billede.uge;
    Dagsmasker spaerret{};
    for (int32_t dag = 0; dag < maksDage; ++dag)
        spaerret[dag] = ~DagensTimer(f.laerereKan, dag);
    const Dagsmasker starter = TilladteStarter(uge, f.blok, spaerret, {}, Regelvalg::Planens(false), f.timer);
    const int32_t loeb = DagsregelAf(o, f).loeb;
    int32_t blokdage = 0;
    int32_t pladser = 0;
    int32_t spredtePladser = 0;
    for (int32_t dag = 0; dag < uge.dage; ++dag) {
        const uint32_t timer = DagensTimer(f.laerereKan, dag);
        const int32_t paaDagen = starter[dag] != 0 ? BlokkePaaDagen(timer, f.blok) : 0;
        blokdage += paaDagen > 0 ? 1 : 0;
        pladser += paaDagen;
        spredtePladser += std::min(paaDagen, std::max(1, std::min(loeb, LaengsteLoeb(timer)) / f.blok));
    }
    const bool spred = o.billede.regler.Spreder();
    const int32_t kanLaegges = spred ? spredtePladser : pladser;
    if (kanLaegges >= f.blokke)
        return false;
    const std::string enkelttimer = "gør faget til enkelttimer i lærerens fagprofil";
    const std::string blokke = std::to_string(f.blokke) + " " + Blokke(f.blok, f.blokke) + " " + fag;
    Fund ud{Fundart::blokUdenDag, true, Med(hold, Med(fag, Liste(f.laerere))), ""};
    if (uge.timer < f.blok) {
        ud.tekst = hold + " " + fag + " skal ligge i " + Blokke(f.blok, 2) + ", men planen har kun " +
                   Timer(uge.timer) + " om dagen. Giv planen flere timer om dagen, eller " + enkelttimer + ".";
    } else if (kanLaegges == 0) {
        ud.tekst = hold + " " + fag + " skal ligge i " + Blokke(f.blok, 2) + ", men " + Hvem(f) +
                   " har ingen dag med " + std::to_string(f.blok) + " mulige timer i træk. Fjern −3 hos " + Hvem(f) +
                   " i nogle timer, eller " + enkelttimer + ".";
    } else if (!spred) {
        ud.tekst = hold + " skal have " + blokke + ", men " + Hvem(f) + " har kun plads til " +
                   std::to_string(pladser) + " med " + std::to_string(f.blok) + " mulige timer i træk. Fjern −3 hos " +
                   Hvem(f) + " i nogle timer, eller " + enkelttimer + ".";
    } else if (spredtePladser > blokdage) {
        ud.art = Fundart::fagSpredning;
        ud.tekst = hold + " skal have " + blokke + ", men spredt over ugen er der kun plads til " +
                   std::to_string(spredtePladser) + " i de timer, " + Hvem(f) + " kan undervise. Fjern −3 hos " +
                   Hvem(f) + " på flere dage, " + enkelttimer + ", eller slå spredningen fra.";
    } else {
        ud.art = Fundart::fagSpredning;
        const std::string hvorfor = blokdage == uge.dage
                                        ? "ugen har kun " + std::to_string(uge.dage) + " dage. Fjern " +
                                              Timer((f.blokke - uge.dage) * f.blok) + " fra faget"
                                        : "kun " + std::to_string(blokdage) + " dage har " + std::to_string(f.blok) +
                                              " mulige timer i træk for " + Hvem(f) + ". Fjern −3 hos " + Hvem(f) +
                                              " på flere dage";
        ud.tekst = hold + " skal have " + blokke + ", som spredt over ugen skal ligge på hver sin dag, men " + hvorfor +
                   ", " + enkelttimer + ", eller slå spredningen fra.";
    }
    fund.push_back(std::move(ud));
    return true;
}

// Spread, a day holds one run of the subject of at most the day's rule's
// hours, or one block alone.
void Spredningsfund(const Overblik& o, const std::string& hold, const std::string& fag, const Fagfordeling& f,
                    std::vector<Fund>& fund)
{
    const Uge& uge = o.billede.uge;
    const int32_t loeb = std::max(DagsregelAf(o, f).loeb, 1);
    int32_t pladser = 0;
    int32_t ugensPladser = 0;
    for (int32_t dag = 0; dag < uge.dage; ++dag) {
        pladser += SpredtePladser(DagensTimer(f.laerereKan, dag), loeb);
        ugensPladser += SpredtePladser(DagensTimer(o.uge, dag), loeb);
    }
    // A block longer than the run takes a whole day's run.
    const int32_t blokkensDel = std::min(f.blok, loeb);
    if (f.enkelte + blokkensDel * f.blokke <= pladser)
        return;
    const int32_t rum = pladser + f.blokke * (f.blok - blokkensDel); // hours that fit, the blocks as asked
    const bool laerereBegraenser = pladser < ugensPladser;
    std::string tekst = hold + " skal have " + Timer(f.timer) + " " + fag + ", men spredt over ugen kan faget højst " +
                        "ligge " + std::to_string(loeb) + " timer i træk om dagen, og så er der kun plads til " +
                        std::to_string(rum) + (laerereBegraenser ? " i de timer, " + Hvem(f) + " kan undervise" : "") +
                        ". Fjern " + Timer(f.timer - rum) + " fra faget" +
                        (laerereBegraenser ? ", fjern −3 hos " + Hvem(f) + " på nogle dage" : "") +
                        ", eller slå spredningen fra.";
    fund.push_back({Fundart::fagSpredning, true, Med(hold, Med(fag, Liste(f.laerere))), tekst});
}

void Fagene(const Overblik& o, std::vector<Fund>& fund)
{
    for (const auto& [holdOgFag, f] : Fagfordelinger(o)) {
        const auto& [hold, fag] = holdOgFag;
        if (f.blokke > 0 && Blokfund(o, hold, fag, f, fund))
            continue;
        if (o.billede.regler.Spreder())
            Spredningsfund(o, hold, fag, f, fund);
    }
}

} // namespace

std::string Fundlinje(const Fund& fund) { return (fund.umulig ? "Umuligt: " : "Advarsel: ") + fund.tekst; }

std::vector<Fund> KontrollerGennemfoerlighed(const Skemabillede& billede)
{
    const Overblik o(billede);
    std::vector<Fund> fund;
    Lokaletyper(o, fund);
    Stamlokaler(o, fund);
    LaerereMangler(o, fund);
    LaererTimer(o, fund);
    HoldTimer(o, fund);
    Fagene(o, fund);
    std::stable_sort(fund.begin(), fund.end(),
                     [](const Fund& a, const Fund& b) { return a.umulig != b.umulig ? a.umulig : a.art < b.art; });
    return fund;
}
