#include "fuldfoerelse/Gennemfoerlighed.h"

#include "base/Opremsning.h"
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

// Activities named one after the other, cut as Opremsning cuts; their names
// hold commas themselves.
std::string Aktivitetsliste(const std::vector<std::string>& navne)
{
    if (navne.size() <= visteNavne + 1)
        return ::Opremsning(navne, "; ");
    const std::vector<std::string> vist(navne.begin(), navne.begin() + visteNavne);
    return ::Opremsning(vist, "; ") + " og " + std::to_string(navne.size() - visteNavne) + " andre";
}

// An activity as the counts read it.
struct Aktivitetsfakta {
    const Aktivitet* aktivitet = nullptr;
    std::string navn;
    std::vector<std::string> laerere; // each once
    std::vector<std::string> hold;    // each once, in the order named
    Ugemaske kan = 0;                 // the hours all its teachers can teach together
    int32_t blok = 1;
};

void TilfoejEngang(std::vector<std::string>& ider, const std::string& id)
{
    if (std::find(ider.begin(), ider.end(), id) == ider.end())
        ider.push_back(id);
}

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
        for (const Aktivitet& a : billede.aktiviteter.Aktiviteter())
            aktiviteter.push_back(Fakta(a));
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
    std::vector<Aktivitetsfakta> aktiviteter; // by id

private:
    Aktivitetsfakta Fakta(const Aktivitet& a) const
    {
        Aktivitetsfakta fakta{&a, AktivitetsNavn(a), {}, {}, uge, std::max(a.blok, 1)};
        for (const std::string& laerer : a.laerere) {
            if (laerer == tomId)
                continue;
            TilfoejEngang(fakta.laerere, laerer);
            fakta.kan &= Mulige(laerer);
        }
        for (const Deltager& d : a.deltagere)
            TilfoejEngang(fakta.hold, d.hold);
        return fakta;
    }

    std::map<std::string, Ugemaske> mulige_;
};

bool HarLaerer(const Timekrav& krav) { return krav.laerer != tomId; }

// ", heraf 6 i aktiviteter", or nothing.
std::string HerafIAktiviteter(int32_t timer)
{
    return timer == 0 ? "" : ", heraf " + std::to_string(timer) + " i aktiviteter";
}

void LaererTimer(const Overblik& o, std::vector<Fund>& fund)
{
    std::map<std::string, std::pair<int32_t, int32_t>> timer; // all, in activities
    for (const Timekrav& krav : o.billede.krav)
        if (HarLaerer(krav))
            timer[krav.laerer].first += krav.timer;
    for (const Aktivitetsfakta& a : o.aktiviteter)
        for (const std::string& laerer : a.laerere) {
            timer[laerer].first += a.aktivitet->timer;
            timer[laerer].second += a.aktivitet->timer;
        }
    for (const auto& [laerer, t] : timer) {
        const auto [skal, iAktiviteter] = t;
        const int32_t kan = Antal(o.Mulige(laerer));
        if (skal <= kan)
            continue;
        const int32_t markeret = o.Ugetimer() - kan;
        const int32_t forMange = skal - kan;
        std::string tekst = laerer + " skal undervise " + Timer(skal) + HerafIAktiviteter(iAktiviteter) + ", men ";
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

// One student unit of a class (the whole class when it has no divisions): the
// hours of every lesson it is in, and the hours those lessons can lie in.
struct Elevenhed {
    int32_t timer = 0;
    int32_t iAktiviteter = 0;
    Ugemaske laerereKan = 0;
    std::set<std::string> laerere;
    std::vector<std::string> grupper; // the groups its activities name, each once
};

// Per class its student units with every demand of the class and every
// activity that fills them; the units of one class lie in parallel.
std::map<std::string, std::vector<Elevenhed>> Elevenhederne(const Overblik& o)
{
    const Elevenheder& enheder = o.billede.aktiviteter.enheder;
    std::map<std::string, std::vector<Elevenhed>> hold;
    const auto holdets = [&](const std::string& id) -> std::vector<Elevenhed>& {
        auto [plads, ny] = hold.try_emplace(id);
        if (ny)
            plads->second.resize(static_cast<size_t>(enheder.AntalEnheder(id)));
        return plads->second;
    };
    for (const Timekrav& krav : o.billede.krav)
        for (Elevenhed& e : holdets(krav.hold)) {
            e.timer += krav.timer;
            e.laerereKan |= o.Mulige(krav.laerer);
            if (HarLaerer(krav))
                e.laerere.insert(krav.laerer);
        }
    for (const Aktivitetsfakta& a : o.aktiviteter) {
        std::set<std::pair<std::string, int32_t>> fylder; // each unit once, though two of its groups take part
        for (const Deltager& d : a.aktivitet->deltagere) {
            std::vector<Elevenhed>& holdetsEnheder = holdets(d.hold);
            for (const int32_t nr : enheder.Optager(d)) {
                Elevenhed& e = holdetsEnheder[static_cast<size_t>(nr)];
                if (!d.HeleHoldet())
                    TilfoejEngang(e.grupper, d.gruppe);
                if (!fylder.emplace(d.hold, nr).second)
                    continue;
                e.timer += a.aktivitet->timer;
                e.iAktiviteter += a.aktivitet->timer;
                e.laerereKan |= a.kan;
                e.laerere.insert(a.laerere.begin(), a.laerere.end());
            }
        }
    }
    return hold;
}

// "1.a", or the students of one unit: "Eleverne i 1.a piger", "Eleverne i
// 1.a, der er med i både piger og Tysk,".
std::string EnhedensNavn(const std::string& hold, const Elevenhed& e)
{
    if (e.grupper.empty())
        return hold;
    if (e.grupper.size() == 1)
        return "Eleverne i " + hold + " " + e.grupper.front();
    return "Eleverne i " + hold + ", der er med i " + (e.grupper.size() == 2 ? "både " : "") + Opremsning(e.grupper) +
           ",";
}

Fund OverUgen(const Overblik& o, const std::string& hold, const Elevenhed& e)
{
    const int32_t ugen = o.Ugetimer();
    return {Fundart::holdTimer,
            true,
            {hold},
            EnhedensNavn(hold, e) + " skal have " + Timer(e.timer) + HerafIAktiviteter(e.iAktiviteter) +
                ", men ugen har kun " + std::to_string(ugen) + " " + o.UgeTekst() + ". Fjern " + Timer(e.timer - ugen) +
                " fra holdets fag" + (e.iAktiviteter > 0 ? " eller aktiviteter" : "") +
                ", eller giv planen flere timer om dagen."};
}

Fund OverLaerernesTimer(const Overblik& o, const std::string& hold, const Elevenhed& e)
{
    const int32_t kan = Antal(e.laerereKan);
    const std::string laerere = Opremsning(Liste(e.laerere));
    const std::string hvem = EnhedensNavn(hold, e) + " skal have " + Timer(e.timer);
    const std::string ugens = std::to_string(kan) + " af ugens " + Timer(o.Ugetimer());
    if (e.iAktiviteter == 0)
        return {Fundart::holdTimer, true, Med(hold, Liste(e.laerere)),
                hvem + ", men holdets lærere (" + laerere + ") kan tilsammen kun undervise i " + ugens +
                    ": de andre er markeret −3 for dem alle. Fjern −3 hos nogle af dem, eller fjern " +
                    Timer(e.timer - kan) + " fra holdets fag."};
    // An activity lies only where all its teachers can be.
    return {Fundart::holdTimer, true, Med(hold, Liste(e.laerere)),
            hvem + HerafIAktiviteter(e.iAktiviteter) + ", men lektionerne kan tilsammen kun ligge i " + ugens +
                ": i de andre har hver lektion en lærer, der er markeret −3 (" + laerere +
                "). Fjern −3 hos nogle af dem, eller fjern " + Timer(e.timer - kan) +
                " fra holdets fag eller aktiviteter."};
}

void HoldTimer(const Overblik& o, std::vector<Fund>& fund)
{
    for (const auto& [hold, enheder] : Elevenhederne(o)) {
        const auto overUgen = std::find_if(enheder.begin(), enheder.end(),
                                           [&](const Elevenhed& e) { return e.timer > o.Ugetimer(); });
        const auto overLaererne = std::find_if(enheder.begin(), enheder.end(),
                                               [](const Elevenhed& e) { return e.timer > Antal(e.laerereKan); });
        if (overUgen != enheder.end())
            fund.push_back(OverUgen(o, hold, *overUgen));
        else if (overLaererne != enheder.end())
            fund.push_back(OverLaerernesTimer(o, hold, *overLaererne));
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

// The plan's rooms among the need's, each once, sorted.
std::vector<std::string> KendteLokaler(const Overblik& o, const Lokalebehov& behov)
{
    std::set<std::string> kendte;
    for (const std::string& lokale : behov.lokaler)
        if (o.alleLokaler.contains(lokale))
            kendte.insert(lokale);
    return Liste(kendte);
}

// Gives need `nr` a room of its own, moving needs that hold one to another
// where they can (an augmenting path of a bipartite matching).
bool GivLokale(size_t nr, const std::vector<std::vector<std::string>>& behov, std::map<std::string, size_t>& givet,
               std::set<std::string>& proevet)
{
    for (const std::string& lokale : behov[nr]) {
        if (!proevet.insert(lokale).second)
            continue;
        const auto holder = givet.find(lokale);
        if (holder == givet.end() || GivLokale(holder->second, behov, givet, proevet)) {
            givet[lokale] = nr;
            return true;
        }
    }
    return false;
}

// How many of an activity's needs can each have a room of their own at once.
int32_t BehovMedHvertSitLokale(const std::vector<std::vector<std::string>>& behov)
{
    std::map<std::string, size_t> givet;
    int32_t antal = 0;
    for (size_t nr = 0; nr < behov.size(); ++nr) {
        std::set<std::string> proevet;
        antal += GivLokale(nr, behov, givet, proevet) ? 1 : 0;
    }
    return antal;
}

Fund BehovUdenLokaler(const Aktivitetsfakta& a, const Lokalebehov& behov)
{
    const std::vector<std::string>& lokaler = behov.lokaler;
    Fund ud{Fundart::behovUdenLokaler, true, Med(a.aktivitet->fag, a.hold), a.navn};
    if (lokaler.empty())
        ud.tekst += " har et lokalebehov (nr. " + std::to_string(behov.nr) +
                    ") uden lokaler at vælge imellem. Vælg lokaler til behovet under Data → Skoledata, eller fjern "
                    "det.";
    else if (lokaler.size() == 1)
        ud.tekst += " skal have lokalet " + lokaler.front() + ", men det er ikke blandt planens lokaler. Giv planen " +
                    "lokalet " + lokaler.front() + ", eller vælg et andet til aktiviteten under Data → Skoledata.";
    else
        ud.tekst += " skal have et af lokalerne " + Opremsning(lokaler) +
                    ", men ingen af dem er blandt planens lokaler. Giv planen et af dem, eller vælg andre til "
                    "aktiviteten under Data → Skoledata.";
    ud.navne.insert(ud.navne.end(), lokaler.begin(), lokaler.end());
    return ud;
}

Fund BehovDelerLokaler(const Aktivitetsfakta& a, const std::vector<std::vector<std::string>>& behov, int32_t medLokale)
{
    std::set<std::string> alle;
    for (const std::vector<std::string>& b : behov)
        alle.insert(b.begin(), b.end());
    const std::vector<std::string> lokaler = Liste(alle);
    const auto antal = static_cast<int32_t>(behov.size());
    const int32_t uden = antal - medLokale;
    std::vector<std::string> navne = Med(a.aktivitet->fag, a.hold);
    navne.insert(navne.end(), lokaler.begin(), lokaler.end());
    return {Fundart::behovDelerLokaler, true, navne,
            a.navn + " har " + std::to_string(antal) + " lokalebehov, men kun " + std::to_string(medLokale) +
                " af dem kan få hvert sit lokale blandt " + Opremsning(lokaler) +
                ": to behov kan ikke dele et lokale. Giv behovene flere lokaler at vælge imellem, eller fjern " +
                (uden == 1 ? "et behov." : std::to_string(uden) + " behov.")};
}

// Each need must have one of its rooms in the plan, and the needs of one
// activity each a room of their own.
void Lokalebehovene(const Overblik& o, std::vector<Fund>& fund)
{
    for (const Aktivitetsfakta& a : o.aktiviteter) {
        std::vector<std::vector<std::string>> kendte;
        for (const Lokalebehov& behov : a.aktivitet->behov) {
            kendte.push_back(KendteLokaler(o, behov));
            if (kendte.back().empty())
                fund.push_back(BehovUdenLokaler(a, behov));
        }
        if (std::any_of(kendte.begin(), kendte.end(), [](const auto& lokaler) { return lokaler.empty(); }))
            continue;
        if (const int32_t medLokale = BehovMedHvertSitLokale(kendte); medLokale < static_cast<int32_t>(kendte.size()))
            fund.push_back(BehovDelerLokaler(a, kendte, medLokale));
    }
}

// The hours that can lie only in a set of rooms, by whom.
struct Lokaletimer {
    int32_t aktiviteter = 0;
    int32_t andre = 0; // lessons of the specified kind: a type all of whose rooms are in the set, home rooms
    std::vector<std::string> navne; // the activities
};

// The hours that need the rooms of the activities' needs, set by set (each
// need's rooms in the plan, sorted).
class Lokalebrug {
public:
    explicit Lokalebrug(const Overblik& o)
    {
        for (const Aktivitetsfakta& a : o.aktiviteter)
            for (const Lokalebehov& behov : a.aktivitet->behov)
                if (std::vector<std::string> lokaler = KendteLokaler(o, behov); !lokaler.empty())
                    behov_.push_back({std::move(lokaler), a.aktivitet->timer, &a});
        std::map<std::string, int32_t> typer; // room type -> hours
        for (const Timekrav& krav : o.billede.krav) {
            if (krav.IStamlokale())
                stamlokaler_[krav.lokale] += krav.timer;
            else
                typer[krav.lokaletype] += krav.timer;
        }
        for (const auto& [type, timer] : typer) {
            const auto lokaler = o.billede.lokalerAfType.find(type);
            if (lokaler != o.billede.lokalerAfType.end())
                typensLokaler_.emplace_back(std::set<std::string>(lokaler->second.begin(), lokaler->second.end()),
                                            timer);
        }
    }

    // Every set of rooms a need may use, the smallest first.
    std::vector<std::vector<std::string>> BehovenesSaet() const
    {
        std::set<std::vector<std::string>> saet;
        for (const Behov& b : behov_)
            saet.insert(b.lokaler);
        std::vector<std::vector<std::string>> ud(saet.begin(), saet.end());
        std::stable_sort(ud.begin(), ud.end(), [](const auto& a, const auto& b) { return a.size() < b.size(); });
        return ud;
    }

    Lokaletimer TimerI(const std::vector<std::string>& saet) const
    {
        const auto indeholder = [&](const auto& lokaler) {
            return std::includes(saet.begin(), saet.end(), lokaler.begin(), lokaler.end());
        };
        Lokaletimer t;
        for (const Behov& b : behov_)
            if (indeholder(b.lokaler)) {
                t.aktiviteter += b.timer;
                TilfoejEngang(t.navne, b.aktivitet->navn);
            }
        for (const auto& [lokaler, timer] : typensLokaler_)
            if (!lokaler.empty() && indeholder(lokaler))
                t.andre += timer;
        for (const std::string& lokale : saet)
            if (const auto timer = stamlokaler_.find(lokale); timer != stamlokaler_.end())
                t.andre += timer->second;
        return t;
    }

private:
    struct Behov {
        std::vector<std::string> lokaler;
        int32_t timer = 0;
        const Aktivitetsfakta* aktivitet = nullptr;
    };
    std::vector<Behov> behov_;
    std::map<std::string, int32_t> stamlokaler_; // home room -> hours
    std::vector<std::pair<std::set<std::string>, int32_t>> typensLokaler_;
};

Fund BehovTimer(const Overblik& o, const std::vector<std::string>& lokaler, const Lokaletimer& t)
{
    const int32_t ugen = o.Ugetimer();
    const auto antal = static_cast<int32_t>(lokaler.size());
    const int32_t timer = t.aktiviteter + t.andre;
    const int32_t rummer = antal * ugen;
    const std::string brug = t.andre == 0 ? " af aktiviteterne "
                                          : ", heraf " + std::to_string(t.aktiviteter) + " af aktiviteterne ";
    const std::string tekst = (antal == 1 ? "Lokalet " + lokaler.front() + " skal bruges "
                                          : "Lokalerne " + Opremsning(lokaler) + " skal tilsammen bruges ") +
                              Timer(timer) + " om ugen" + brug + Aktivitetsliste(t.navne) + ", men " +
                              (antal == 1 ? "det" : "de") + " rummer kun " + Timer(rummer) + " " +
                              (antal == 1 ? o.UgeTekst() : "(" + Lokaler(antal) + " × " + Timer(ugen) + ")") +
                              ". Flyt " + Timer(timer - rummer) +
                              " til andre lokaler, eller giv behovene flere lokaler at vælge imellem.";
    return {Fundart::behovTimer, true, lokaler, tekst};
}

// Hall's condition on each need's rooms: the hours that can lie only in them
// fit them over the week. Where the lessons of the specified kind alone are
// too many, their own findings say so. A larger set that holds one found
// already is the same fault.
void BehovenesTimer(const Overblik& o, std::vector<Fund>& fund)
{
    const Lokalebrug brug(o);
    std::vector<std::vector<std::string>> fundne;
    for (const std::vector<std::string>& saet : brug.BehovenesSaet()) {
        if (std::any_of(fundne.begin(), fundne.end(),
                        [&](const auto& f) { return std::includes(saet.begin(), saet.end(), f.begin(), f.end()); }))
            continue;
        const Lokaletimer t = brug.TimerI(saet);
        const int32_t rummer = static_cast<int32_t>(saet.size()) * o.Ugetimer();
        if (t.andre > rummer || t.aktiviteter + t.andre <= rummer)
            continue;
        fundne.push_back(saet);
        fund.push_back(BehovTimer(o, saet, t));
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

// One class's subject, or one activity: its blocks and single hours, and the
// hours its teachers can.
struct Fagfordeling {
    int32_t timer = 0;
    int32_t blok = 1; // the longest block asked for
    int32_t blokke = 0;
    int32_t enkelte = 0;
    Ugemaske laerereKan = 0;
    std::set<std::string> laerere;

    void TilfoejTimer(int32_t ugetimer, int32_t blokstoerrelse)
    {
        timer += ugetimer;
        if (blokstoerrelse >= 2) {
            blok = std::max(blok, blokstoerrelse);
            blokke += ugetimer / blokstoerrelse;
            enkelte += ugetimer % blokstoerrelse;
        } else {
            enkelte += ugetimer;
        }
    }
};

// Whom a subject's findings are about: a class's subject, or an activity,
// whose name holds its subject.
struct Emne {
    std::string hvem; // "1.a", "Idræt 1.a piger, 1.b piger"
    std::string fag;
    bool aktivitet = false;
    std::vector<std::string> navne;

    // "1.a Idræt", "Idræt 1.a piger, 1.b piger".
    std::string Hele() const { return aktivitet ? hvem : hvem + " " + fag; }
    // After a count of hours or blocks: " Idræt", or nothing for an activity.
    std::string Efter() const { return aktivitet ? "" : " " + fag; }
    std::string Det() const { return aktivitet ? "aktiviteten" : "faget"; }
    std::string Enkelttimer() const
    {
        return aktivitet ? "giv aktiviteten blokstørrelse 1 under Data → Skoledata"
                         : "gør faget til enkelttimer i lærerens fagprofil";
    }
};

std::map<std::pair<std::string, std::string>, Fagfordeling> Fagfordelinger(const Overblik& o)
{
    std::map<std::pair<std::string, std::string>, Fagfordeling> fordelinger;
    for (const Timekrav& krav : o.billede.krav) {
        Fagfordeling& f = fordelinger[{krav.hold, krav.fag}];
        f.TilfoejTimer(krav.timer, krav.blok);
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
bool Blokfund(const Overblik& o, const Emne& e, const Fagfordeling& f, std::vector<Fund>& fund)
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
    const std::string enkelttimer = e.Enkelttimer();
    const std::string blokke = std::to_string(f.blokke) + " " + Blokke(f.blok, f.blokke) + e.Efter();
    Fund ud{Fundart::blokUdenDag, true, e.navne, ""};
    if (uge.timer < f.blok) {
        ud.tekst = e.Hele() + " skal ligge i " + Blokke(f.blok, 2) + ", men planen har kun " + Timer(uge.timer) +
                   " om dagen. Giv planen flere timer om dagen, eller " + enkelttimer + ".";
    } else if (kanLaegges == 0) {
        ud.tekst = e.Hele() + " skal ligge i " + Blokke(f.blok, 2) + ", men " + Hvem(f) + " har ingen dag med " +
                   std::to_string(f.blok) + " mulige timer i træk. Fjern −3 hos " + Hvem(f) + " i nogle timer, eller " +
                   enkelttimer + ".";
    } else if (!spred) {
        ud.tekst = e.hvem + " skal have " + blokke + ", men " + Hvem(f) + " har kun plads til " +
                   std::to_string(pladser) + " med " + std::to_string(f.blok) + " mulige timer i træk. Fjern −3 hos " +
                   Hvem(f) + " i nogle timer, eller " + enkelttimer + ".";
    } else if (spredtePladser > blokdage) {
        ud.art = Fundart::fagSpredning;
        ud.tekst = e.hvem + " skal have " + blokke + ", men spredt over ugen er der kun plads til " +
                   std::to_string(spredtePladser) + " i de timer, " + Hvem(f) + " kan undervise. Fjern −3 hos " +
                   Hvem(f) + " på flere dage, " + enkelttimer + ", eller slå spredningen fra.";
    } else {
        ud.art = Fundart::fagSpredning;
        const std::string hvorfor = blokdage == uge.dage
                                        ? "ugen har kun " + std::to_string(uge.dage) + " dage. Fjern " +
                                              Timer((f.blokke - uge.dage) * f.blok) + " fra " + e.Det()
                                        : "kun " + std::to_string(blokdage) + " dage har " + std::to_string(f.blok) +
                                              " mulige timer i træk for " + Hvem(f) + ". Fjern −3 hos " + Hvem(f) +
                                              " på flere dage";
        ud.tekst = e.hvem + " skal have " + blokke + ", som spredt over ugen skal ligge på hver sin dag, men " +
                   hvorfor + ", " + enkelttimer + ", eller slå spredningen fra.";
    }
    fund.push_back(std::move(ud));
    return true;
}

// Spread, a day holds one run of the subject of at most the day's rule's
// hours, or one block alone.
void Spredningsfund(const Overblik& o, const Emne& e, const Fagfordeling& f, std::vector<Fund>& fund)
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
    std::string tekst = e.hvem + " skal have " + Timer(f.timer) + e.Efter() + ", men spredt over ugen kan " + e.Det() +
                        " højst ligge " + std::to_string(loeb) + " timer i træk om dagen, og så er der kun plads til " +
                        std::to_string(rum) + (laerereBegraenser ? " i de timer, " + Hvem(f) + " kan undervise" : "") +
                        ". Fjern " + Timer(f.timer - rum) + " fra " + e.Det() +
                        (laerereBegraenser ? ", fjern −3 hos " + Hvem(f) + " på nogle dage" : "") +
                        ", eller slå spredningen fra.";
    fund.push_back({Fundart::fagSpredning, true, e.navne, tekst});
}

void BlokkeOgSpredning(const Overblik& o, const Emne& e, const Fagfordeling& f, std::vector<Fund>& fund)
{
    if (f.blokke > 0 && Blokfund(o, e, f, fund))
        return;
    if (o.billede.regler.Spreder())
        Spredningsfund(o, e, f, fund);
}

void Fagene(const Overblik& o, std::vector<Fund>& fund)
{
    for (const auto& [holdOgFag, f] : Fagfordelinger(o)) {
        const auto& [hold, fag] = holdOgFag;
        BlokkeOgSpredning(o, {hold, fag, false, Med(hold, Med(fag, Liste(f.laerere)))}, f, fund);
    }
}

// An activity is spread over the week by its own hours, in the hours all its teachers can.
void Aktiviteterne(const Overblik& o, std::vector<Fund>& fund)
{
    for (const Aktivitetsfakta& a : o.aktiviteter) {
        Fagfordeling f;
        f.TilfoejTimer(a.aktivitet->timer, a.blok);
        f.laerereKan = a.kan;
        f.laerere.insert(a.laerere.begin(), a.laerere.end());
        std::vector<std::string> navne = Med(a.aktivitet->fag, a.hold);
        navne.insert(navne.end(), a.laerere.begin(), a.laerere.end());
        BlokkeOgSpredning(o, {a.navn, a.aktivitet->fag, true, navne}, f, fund);
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
    Lokalebehovene(o, fund);
    BehovenesTimer(o, fund);
    Fagene(o, fund);
    Aktiviteterne(o, fund);
    std::stable_sort(fund.begin(), fund.end(),
                     [](const Fund& a, const Fund& b) { return a.umulig != b.umulig ? a.umulig : a.art < b.art; });
    return fund;
}
