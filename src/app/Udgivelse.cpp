#include "app/Udgivelse.h"

#include "app/Skemavisning.h"
#include "app/Vorivazi.h"
#include "base/Besked.h"
#include "base/Talformat.h"
#include "udgiv/CsvSkemabog.h"
#include "udgiv/HtmlSkemabog.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <tuple>

namespace {

// Enough of a subject or a class id to tell them apart in the overview's narrow cells.
constexpr size_t kortLaengde = 4;

// The store's timetables and those only the activities name.
std::vector<std::string> ider(Vorivazi& vorivazi, SkemaArt art)
{
    const std::vector<std::string> aktiviteter = AktivitetsSkemaer(vorivazi.Aktiviteter(), art);
    std::set<std::string> ud(aktiviteter.begin(), aktiviteter.end());
    vorivazi.HentNavne(art);
    std::string id;
    while (vorivazi.TagNavn(id))
        ud.insert(id);
    // "tom" marks a lesson still without a teacher or room, not a timetable to hand out.
    ud.erase(tomId);
    return {ud.begin(), ud.end()};
}

// Every subject placed, sorted: its place in the list gives its colour.
std::vector<std::string> placeredeFag(Vorivazi& vorivazi)
{
    std::set<std::string> fag;
    for (const std::string& hold : ider(vorivazi, SkemaArt::hold)) {
        for (const LektionsData& l : vorivazi.Lektioner(hold, SkemaArt::hold))
            fag.insert(l.fag);
    }
    for (const Aktivitetslektion& l : vorivazi.Aktiviteter().Lektioner())
        fag.insert(l.aktivitet->fag);
    return {fag.begin(), fag.end()};
}

std::string noegletal(Vorivazi& vorivazi, const std::string& id, SkemaArt art)
{
    const int32_t planlagt = vorivazi.PlanlagteTimer(id, art);
    const int32_t lagt = vorivazi.AntalLektioner(id, art);
    return "PL " + std::to_string(planlagt) + "   LL " + std::to_string(lagt) + "   L% " +
           FormaterProcent(LagtProcent(planlagt, lagt), danskeSeparatorer) + "   CV% " +
           FormaterProcent(vorivazi.Spredning(id, art), danskeSeparatorer);
}

// A plan stored with other dimensions may hold lessons outside its own week.
void udvidUge(Skemabog& bog, Placering p)
{
    bog.dage = std::clamp(p.kolonne + 1, bog.dage, maksDage);
    bog.timer = std::clamp(p.raekke + 1, bog.timer, maksTimer);
}

std::vector<UdgivetAktivitetscelle> aktivitetsceller(Vorivazi& vorivazi, const std::string& id, SkemaArt art,
                                                     Skemabog& bog)
{
    std::vector<UdgivetAktivitetscelle> ud;
    for (const Aktivitetscelle& c : AktivitetsCeller(vorivazi.Aktiviteter(), art, id)) {
        // The view's text starts with the classes in a teacher's cell and with the subject in a class's.
        ud.push_back({c.p, c.tekst, c.fag, Forkortet(c.tekst, kortLaengde)});
        udvidUge(bog, c.p);
    }
    return ud;
}

UdgivetSkema samlSkema(Vorivazi& vorivazi, const std::string& id, SkemaArt art, Skemabog& bog)
{
    UdgivetSkema skema{art, id, noegletal(vorivazi, id, art), {}, {}, aktivitetsceller(vorivazi, id, art, bog)};
    for (const LektionsData& l : vorivazi.Lektioner(id, art)) {
        // A teacher's line of the overview names the class, a class's line the subject.
        const std::string& kort = art == SkemaArt::laerer ? l.hold : l.fag;
        skema.lektioner.push_back(
            {l, CelleLinjer(art, l.hold, l.fag, l.laerer, l.lokale), Forkortet(kort, kortLaengde)});
        udvidUge(bog, {l.kolonne, l.raekke});
    }
    std::sort(skema.lektioner.begin(), skema.lektioner.end(), [](const UdgivetLektion& a, const UdgivetLektion& b) {
        return std::tie(a.lektion.kolonne, a.lektion.raekke) < std::tie(b.lektion.kolonne, b.lektion.raekke);
    });
    if (art == SkemaArt::laerer) {
        for (int32_t dag = 0; dag < maksDage; ++dag) {
            for (int32_t time = 0; time < maksTimer; ++time) {
                if (vorivazi.ErSpaerret(id, dag, time))
                    skema.spaerret.push_back({dag, time});
            }
        }
    }
    return skema;
}

std::string hvor(Udgivelsesform form, const std::string& sti)
{
    switch (form) {
    case Udgivelsesform::pdf:
        return "Skemaerne er eksporteret som PDF-bog til:\n" + sti;
    case Udgivelsesform::html:
        return "Skemaerne er eksporteret som websider til mappen:\n" + sti + "\nÅbn index.html i mappen.";
    default:
        return "Skemaerne er eksporteret som regneark (CSV) til:\n" + sti;
    }
}

PdfBogSkriver pdfBogSkriver = nullptr;

bool skriv(const Skemabog& bog, Udgivelsesform form, const std::string& sti, std::string& fejl)
{
    switch (form) {
    case Udgivelsesform::pdf:
        if (!pdfBogSkriver) {
            fejl = "Dette program kan ikke tegne PDF-sider.";
            return false;
        }
        return pdfBogSkriver(bog, sti, fejl);
    case Udgivelsesform::html:
        return SkrivHtmlSkemabog(bog, sti, fejl);
    default:
        return SkrivCsvSkemabog(bog, sti, fejl);
    }
}

} // namespace

void SaetPdfBogSkriver(PdfBogSkriver skriver) { pdfBogSkriver = skriver; }

std::map<std::string, std::string> FagFarver(Vorivazi& vorivazi)
{
    Skemabog bog;
    bog.fag = placeredeFag(vorivazi);
    std::map<std::string, std::string> farver;
    for (const std::string& fag : bog.fag)
        farver[fag] = bog.FagFarve(fag);
    return farver;
}

namespace {

std::vector<UdgivetAktivitet> placeredeAktiviteter(const Aktivitetsplan& plan)
{
    std::vector<UdgivetAktivitet> ud;
    for (const Aktivitetslektion& l : plan.Lektioner()) {
        UdgivetAktivitet a{l.aktivitet->fag,     l.blok->start,  l.blok->laengde, l.aktivitet->deltagere, {},
                           l.aktivitet->laerere, l.blok->lokaler};
        for (const Deltager& d : a.deltagere)
            a.inddelinger.push_back(d.HeleHoldet() ? "" : plan.enheder.Inddeling(d.hold, d.gruppe));
        ud.push_back(std::move(a));
    }
    return ud;
}

} // namespace

Skemabog SamlSkemabog(Vorivazi& vorivazi)
{
    Skemabog bog;
    bog.plan = vorivazi.PlanId();
    bog.dage = std::clamp(vorivazi.PlanDage(), 1, maksDage);
    bog.timer = std::clamp(vorivazi.PlanTimer(), 1, maksTimer);
    for (const SkemaArt art : alleSkemaArter) {
        for (const std::string& id : ider(vorivazi, art))
            bog.skemaer.push_back(samlSkema(vorivazi, id, art, bog));
    }
    bog.fag = placeredeFag(vorivazi);
    bog.aktiviteter = placeredeAktiviteter(vorivazi.Aktiviteter());
    return bog;
}

bool Udgiv(Vorivazi& vorivazi, Udgivelsesform form, const std::string& sti)
{
    Besked besked;
    if (!vorivazi.ErAaben()) {
        besked.VisFejl("Der er ikke åbnet nogen plan!", fejlTitel);
        return false;
    }
    std::string fejl;
    if (!skriv(SamlSkemabog(vorivazi), form, sti, fejl)) {
        besked.VisFejl("Skemaerne kunne ikke eksporteres til " + sti + ":\n" + fejl, fejlTitel);
        return false;
    }
    besked.VisInfo(hvor(form, std::filesystem::absolute(sti).string()));
    return true;
}
