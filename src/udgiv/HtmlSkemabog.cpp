#include "udgiv/HtmlSkemabog.h"

#include "udgiv/AtomiskFil.h"
#include "base/Uge.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <set>
#include <vector>

namespace {

const char* const stilark = R"(body { font-family: "DejaVu Sans", Arial, sans-serif; color: #111; margin: 1.5em; }
.nav { margin-bottom: 1em; }
h1 { font-size: 1.4em; margin: 0 0 0.2em; }
.noegletal { margin: 0 0 0.8em; color: #444; }
table { border-collapse: collapse; }
th, td { border: 1px solid #999; padding: 0.2em 0.4em; vertical-align: top; }
th { background: #eee; }
table.skema td { width: 9em; height: 3.6em; font-size: 0.9em; }
table.skema td span { display: block; }
table.skema td span:first-child { font-weight: bold; }
table.oversigt { width: 100%; table-layout: fixed; }
table.oversigt td, table.oversigt th { font-size: 0.7em; padding: 0.1em 0.2em; white-space: nowrap; overflow: hidden; }
table.oversigt thead tr:first-child th:first-child { width: 6em; }
td.spaerret { background: repeating-linear-gradient(45deg, #fff 0 4px, #bbb 4px 6px); }
@media print {
  @page { size: A4 landscape; margin: 10mm; }
  .nav { display: none; }
  body { margin: 0; }
  th, td { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
}
)";

const char* const stilarkNavn = "stil.css";

// The whole school at a glance: every class, every teacher.
constexpr std::array<SkemaArt, 2> oversigtsArter{SkemaArt::hold, SkemaArt::laerer};

std::string escape(const std::string& tekst)
{
    std::string ud;
    for (const char tegn : tekst) {
        switch (tegn) {
        case '&':
            ud += "&amp;";
            break;
        case '<':
            ud += "&lt;";
            break;
        case '>':
            ud += "&gt;";
            break;
        case '"':
            ud += "&quot;";
            break;
        case '\'':
            ud += "&#39;";
            break;
        default:
            ud += tegn;
        }
    }
    return ud;
}

std::string side(const std::string& titel, const std::string& indhold)
{
    return "<!DOCTYPE html>\n<html lang=\"da\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + escape(titel) +
           "</title>\n<link rel=\"stylesheet\" href=\"" + stilarkNavn + "\">\n</head>\n<body>\n" +
           "<div class=\"nav\"><a href=\"index.html\">Alle skemaer</a></div>\n" + indhold + "</body>\n</html>\n";
}

std::string link(const std::string& fil, const std::string& tekst)
{
    return "<a href=\"" + escape(fil) + "\">" + escape(tekst) + "</a>";
}

std::string farve(const Skemabog& bog, const std::string& fag)
{
    return " style=\"background: " + bog.FagFarve(fag) + "\"";
}

std::string tomCelle(const UdgivetSkema& skema, int32_t dag, int32_t time)
{
    return skema.ErSpaerret(dag, time) ? "<td class=\"spaerret\"></td>" : "<td></td>";
}

// An hour of a timetable's page: its lesson's lines, then the lessons of the
// new kind there; a teacher's unavailable hour hatched when empty.
std::string skemaCelle(const Skemabog& bog, const UdgivetSkema& skema, int32_t dag, int32_t time)
{
    const UdgivetLektion* l = skema.Lektion(dag, time);
    const UdgivetAktivitetscelle* a = skema.AktivitetI(dag, time);
    if (!l && !a)
        return tomCelle(skema, dag, time);
    std::string ud = "<td" + farve(bog, skema.FagI(dag, time)) + ">";
    if (l) {
        for (const std::string& linje : l->linjer)
            ud += "<span>" + escape(linje) + "</span>";
    }
    if (a)
        ud += "<span>" + escape(a->tekst) + "</span>";
    return ud + "</td>";
}

// An hour of the overview: the lesson's short text, else the activity's, the whole text as a tooltip.
std::string oversigtsCelle(const Skemabog& bog, const UdgivetSkema& skema, int32_t dag, int32_t time)
{
    const UdgivetLektion* l = skema.Lektion(dag, time);
    const UdgivetAktivitetscelle* a = skema.AktivitetI(dag, time);
    if (!l && !a)
        return tomCelle(skema, dag, time);
    const std::string titel = l ? l->lektion.fag : a->tekst;
    return "<td" + farve(bog, skema.FagI(dag, time)) + " title=\"" + escape(titel) + "\">" +
           escape(l ? l->kort : a->kort) + "</td>";
}

// A timetable's page name: its kind and its place in the kind, since an id may hold any character.
class Sidenavne {
public:
    explicit Sidenavne(const Skemabog& bog)
    {
        for (const SkemaArt art : alleSkemaArter) {
            const std::vector<const UdgivetSkema*> skemaer = bog.AfArt(art);
            for (size_t i = 0; i < skemaer.size(); ++i)
                navne_[skemaer[i]] = forstavelse(art) + "-" + std::to_string(i + 1) + ".html";
        }
    }
    const std::string& For(const UdgivetSkema* skema) const { return navne_.at(skema); }
    static std::string Oversigt(SkemaArt art) { return "oversigt-" + forstavelse(art) + ".html"; }
    // Could the name be a timetable's page of some export?
    static bool ErSidenavn(const std::string& navn)
    {
        for (const SkemaArt art : alleSkemaArter) {
            const std::string start = forstavelse(art) + "-";
            const std::string slut = ".html";
            if (navn.size() <= start.size() + slut.size() || !navn.starts_with(start) || !navn.ends_with(slut))
                continue;
            const std::string tal = navn.substr(start.size(), navn.size() - start.size() - slut.size());
            if (std::all_of(tal.begin(), tal.end(), [](char c) { return c >= '0' && c <= '9'; }))
                return true;
        }
        return false;
    }

private:
    static std::string forstavelse(SkemaArt art)
    {
        static const PrSkemaArt<std::string> forstavelser{{"hold", "laerer", "lokale"}};
        return forstavelser[art];
    }
    std::map<const UdgivetSkema*, std::string> navne_;
};

std::string dagHoved(const Skemabog& bog, const std::string& foerste, const std::string& spaend)
{
    std::string ud = "<tr>" + foerste;
    for (int32_t dag = 0; dag < bog.dage; ++dag)
        ud += "<th" + spaend + ">" + dagNavne.at(dag) + "</th>";
    return ud + "</tr>\n";
}

std::string skemaSide(const Skemabog& bog, const UdgivetSkema& skema)
{
    const std::string titel = bog.plan + " · " + ArtNavn(skema.art) + " " + skema.id;
    std::string ud = "<h1>" + escape(titel) + "</h1>\n<p class=\"noegletal\">" + escape(skema.noegletal) + "</p>\n";
    ud += "<table class=\"skema\">\n<thead>" + dagHoved(bog, "<th></th>", "") + "</thead>\n<tbody>\n";
    for (int32_t time = 0; time < bog.timer; ++time) {
        ud += "<tr><th>" + std::to_string(time + 1) + "</th>";
        for (int32_t dag = 0; dag < bog.dage; ++dag)
            ud += skemaCelle(bog, skema, dag, time);
        ud += "</tr>\n";
    }
    ud += "</tbody>\n</table>\n";
    return side(titel, ud);
}

std::string oversigtsSide(const Skemabog& bog, SkemaArt art, const Sidenavne& navne)
{
    const std::string titel = bog.plan + " · Oversigt · " + ArtFlertal(art);
    std::string ud = "<h1>" + escape(titel) + "</h1>\n<table class=\"oversigt\">\n<thead>\n";
    ud += dagHoved(bog, "<th rowspan=\"2\"></th>", " colspan=\"" + std::to_string(bog.timer) + "\"");
    ud += "<tr>";
    for (int32_t dag = 0; dag < bog.dage; ++dag) {
        for (int32_t time = 0; time < bog.timer; ++time)
            ud += "<th>" + std::to_string(time + 1) + "</th>";
    }
    ud += "</tr>\n</thead>\n<tbody>\n";
    for (const UdgivetSkema* skema : bog.AfArt(art)) {
        ud += "<tr><th>" + link(navne.For(skema), skema->id) + "</th>";
        for (int32_t dag = 0; dag < bog.dage; ++dag) {
            for (int32_t time = 0; time < bog.timer; ++time)
                ud += oversigtsCelle(bog, *skema, dag, time);
        }
        ud += "</tr>\n";
    }
    ud += "</tbody>\n</table>\n";
    return side(titel, ud);
}

std::string indeks(const Skemabog& bog, const Sidenavne& navne)
{
    const std::string titel = bog.plan + " · Skemaer";
    std::string ud = "<h1>" + escape(titel) + "</h1>\n<h2>Oversigt</h2>\n<ul>\n";
    for (const SkemaArt art : oversigtsArter)
        ud += "<li>" + link(Sidenavne::Oversigt(art), "Oversigt · " + ArtFlertal(art)) + "</li>\n";
    ud += "</ul>\n";
    for (const SkemaArt art : alleSkemaArter) {
        ud += "<h2>" + ArtFlertal(art) + "</h2>\n<ul>\n";
        for (const UdgivetSkema* skema : bog.AfArt(art))
            ud += "<li>" + link(navne.For(skema), skema->id) + "</li>\n";
        ud += "</ul>\n";
    }
    return side(titel, ud);
}

// Pages of an earlier export with more timetables would still be found by
// name; other files in the folder are the planner's own and stay.
void FjernGamleSider(const std::string& mappe, const std::vector<atomiskFil::Fil>& skrevne)
{
    std::set<std::filesystem::path> nye;
    for (const atomiskFil::Fil& fil : skrevne)
        nye.insert(std::filesystem::path(fil.sti).filename());
    std::error_code grund;
    for (const auto& post : std::filesystem::directory_iterator(mappe, grund)) {
        const std::filesystem::path navn = post.path().filename();
        if (!nye.contains(navn) && Sidenavne::ErSidenavn(navn.string()) && post.is_regular_file(grund))
            std::filesystem::remove(post.path(), grund);
    }
}

} // namespace

bool SkrivHtmlSkemabog(const Skemabog& bog, const std::string& mappe, std::string& fejl)
{
    std::error_code grund;
    std::filesystem::create_directories(mappe, grund);
    if (grund) {
        fejl = "Mappen " + mappe + " kan ikke oprettes: " + grund.message();
        return false;
    }
    const Sidenavne navne(bog);
    const auto iMappen = [&](const std::string& navn) { return (std::filesystem::path(mappe) / navn).string(); };
    std::vector<atomiskFil::Fil> filer{{iMappen("index.html"), indeks(bog, navne)}, {iMappen(stilarkNavn), stilark}};
    for (const SkemaArt art : oversigtsArter)
        filer.push_back({iMappen(Sidenavne::Oversigt(art)), oversigtsSide(bog, art, navne)});
    for (const UdgivetSkema& skema : bog.skemaer)
        filer.push_back({iMappen(navne.For(&skema)), skemaSide(bog, skema)});
    if (!atomiskFil::Skriv(filer, fejl))
        return false;
    FjernGamleSider(mappe, filer);
    return true;
}
