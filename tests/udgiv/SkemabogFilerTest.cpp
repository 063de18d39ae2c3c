// The web pages and the spreadsheet file written from a small hand-made plan
// whose ids hold characters that need care in every format.
#include "udgiv/CsvLinje.h"
#include "udgiv/CsvSkemabog.h"
#include "udgiv/HtmlSkemabog.h"
#include "support/MidlertidigMappe.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/resource.h>

namespace {

const std::string svaertHold = "1<a&\"æøå;";
const std::string svaertLaerer = "Åse \"A\"";

UdgivetLektion lektion(const std::string& fag, int32_t dag, int32_t time, int32_t blok)
{
    LektionsData l;
    l.hold = svaertHold;
    l.fag = fag;
    l.laerer = svaertLaerer;
    l.lokale = "A1";
    l.blok = blok;
    l.kolonne = dag;
    l.raekke = time;
    return {l, {fag, svaertLaerer, "A1"}, fag.substr(0, 4)};
}

Skemabog lilleBog()
{
    Skemabog bog;
    bog.plan = "Plan<&>";
    bog.timer = 6;
    bog.fag = {"Dansk", "Musik"};
    const std::vector<UdgivetLektion> lektioner{lektion("Dansk", 0, 0, 2), lektion("Dansk", 0, 1, 2),
                                                lektion("Musik", 3, 5, 1)};
    bog.skemaer.push_back({SkemaArt::hold, svaertHold, "PL 3   LL 3", lektioner, {}, {}});
    bog.skemaer.push_back({SkemaArt::laerer, svaertLaerer, "PL 3   LL 3", lektioner, {{4, 2}}, {}});
    bog.skemaer.push_back({SkemaArt::lokale, "A1", "PL 0   LL 3", lektioner, {}, {}});
    return bog;
}

// 7.a's language groups in parallel on Monday's second hour, and Tuesday's
// first two hours of sport that 7.a and 7.b have together with Bo, who
// teaches nothing else; the texts as the view words them.
Skemabog bogMedAktiviteter()
{
    Skemabog bog = lilleBog();
    bog.fag = {"Dansk", "Fransk", "Idræt", "Musik", "Tysk"};
    const std::string idraet = "7.a, 7.b Idræt Gymsal, Hallen";
    bog.skemaer.push_back(
        {SkemaArt::hold, "7.a", "PL 4   LL 4", {}, {}, {{{0, 1}, "Tysk Eva / Fransk Ole", "Tysk", "Tysk"}}});
    bog.skemaer.push_back({SkemaArt::laerer,
                           "Bo",
                           "PL 2   LL 2",
                           {},
                           {},
                           {{{1, 0}, idraet, "Idræt", "7.a,"}, {{1, 1}, idraet, "Idræt", "7.a,"}}});
    return bog;
}

std::string laes(const std::filesystem::path& fil)
{
    std::ifstream ind(fil, std::ios::binary);
    return {std::istreambuf_iterator<char>(ind), std::istreambuf_iterator<char>()};
}

size_t antalFiler(const std::filesystem::path& mappe)
{
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(mappe), {}));
}

// Lets files in this process grow to a few bytes only, as on a full disk.
class FuldDisk {
public:
    FuldDisk() : signal_(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &forrige_);
        rlimit lille = forrige_;
        lille.rlim_cur = 100;
        setrlimit(RLIMIT_FSIZE, &lille);
    }
    ~FuldDisk()
    {
        setrlimit(RLIMIT_FSIZE, &forrige_);
        std::signal(SIGXFSZ, signal_);
    }
    FuldDisk(const FuldDisk&) = delete;
    FuldDisk& operator=(const FuldDisk&) = delete;

private:
    rlimit forrige_{};
    void (*signal_)(int);
};

} // namespace

TEST(CsvSkemabog, HasAHeaderAndOneRowPerLessonHourWithItsFieldsQuotedWhereNeeded)
{
    const std::string csv = CsvSkemabog(lilleBog());
    EXPECT_EQ(
        csv.rfind("\xEF\xBB\xBFPlan;Dag;Time;Hold;Fag;Lærer;Lokale;Blokstørrelse;Gruppe;Inddeling;Lektion\r\n", 0), 0u);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 3) << "only the class timetables give rows";
    // The double lesson's two hours are one lesson; Musik is another.
    EXPECT_NE(csv.find("\r\nPlan<&>;Mandag;1;\"1<a&\"\"æøå;\";Dansk;\"Åse \"\"A\"\"\";A1;2;;;1\r\n"), std::string::npos)
        << csv;
    EXPECT_NE(csv.find("\r\nPlan<&>;Mandag;2;\"1<a&\"\"æøå;\";Dansk;\"Åse \"\"A\"\"\";A1;2;;;1\r\n"), std::string::npos)
        << csv;
    EXPECT_NE(csv.find(";Torsdag;6;"), std::string::npos);
    EXPECT_NE(csv.find(";Musik;\"Åse \"\"A\"\"\";A1;1;;;2\r\n"), std::string::npos) << csv;

    Skemabog bog = lilleBog();
    bog.plan = "=Plan";
    bog.skemaer[0].lektioner[0].lektion.fag = "-Fag";
    EXPECT_NE(CsvSkemabog(bog).find("\r\n'=Plan;Mandag;1;\"1<a&\"\"æøå;\";'-Fag;"), std::string::npos)
        << CsvSkemabog(bog);
}

TEST(CsvSkemabog, ALessonOfTheNewKindHasARowPerHourParticipantTeacherAndRoom)
{
    Skemabog bog = lilleBog();
    bog.aktiviteter.push_back({"Idræt", {1, 0}, 2, {{"7.a", "piger"}, {"7.b"}}, {"Køn", ""}, {"Bo", "Kim"}, {"Hal"}});
    bog.aktiviteter.push_back({"Møde", {2, 3}, 1, {}, {}, {"Bo"}, {}});
    const std::string csv = CsvSkemabog(bog);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 3 + 2 * 2 * 2 + 1);
    EXPECT_NE(csv.find("\r\nPlan<&>;Tirsdag;2;7.a;Idræt;Kim;Hal;2;piger;Køn;3\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\r\nPlan<&>;Tirsdag;1;7.b;Idræt;Bo;Hal;2;;;3\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\r\nPlan<&>;Onsdag;4;;Møde;Bo;;1;;;4\r\n"), std::string::npos) << csv;
}

TEST(CsvLinje, TextsASpreadsheetWouldComputeAreGuardedNumbersAreNot)
{
    using csv::Felt;
    EXPECT_EQ(csv::Linje({"=1+1", "+4", "-x", "@A1", "\tT", "a=b", "", "'", Felt::Tal(-3), Felt::Tal(7)}),
              "'=1+1;'+4;'-x;'@A1;'\tT;a=b;;';-3;7\r\n");
    EXPECT_EQ(csv::Linje({"=A;B", "'=x", "''-1", "'x"}), "\"'=A;B\";''=x;'''-1;'x\r\n");
    for (const char* tekst : {"=1+1", "'=x", "''-1", "'x", "'", "", "a", "-"}) {
        const std::string linje = csv::Linje({tekst});
        EXPECT_EQ(csv::UdenVaern(linje.substr(0, linje.size() - 2)), tekst);
    }
}

TEST(HtmlSkemabog, PagesParseLinkToEachOtherAndEscapeTheIds)
{
    MidlertidigMappe mappe;
    std::string fejl;
    ASSERT_TRUE(SkrivHtmlSkemabog(lilleBog(), "web", fejl)) << fejl;
    const std::string kontrol = std::string("python3 ") + BRIKKEN_KONTROLLER_HTML + " web";
    EXPECT_EQ(std::system(kontrol.c_str()), 0);

    const std::string indeks = laes("web/index.html");
    EXPECT_NE(indeks.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(indeks.find(">1&lt;a&amp;&quot;æøå;</a>"), std::string::npos) << indeks;
    EXPECT_NE(laes("web/laerer-1.html").find("<td class=\"spaerret\">"), std::string::npos);
    EXPECT_NE(laes("web/oversigt-hold.html").find(">Musi</td>"), std::string::npos);
    EXPECT_NE(laes("web/stil.css").find("@media print"), std::string::npos);
}

// The cells of one row of a timetable's page, from its day columns on.
std::vector<std::string> htmlRaekke(const std::string& side, int32_t time)
{
    const std::string start = "<tr><th>" + std::to_string(time) + "</th>";
    const size_t fra = side.find(start);
    if (fra == std::string::npos)
        return {};
    const std::string raekke = side.substr(fra + start.size(), side.find("</tr>", fra) - fra - start.size());
    std::vector<std::string> celler;
    for (size_t i = raekke.find("<td"); i != std::string::npos; i = raekke.find("<td", i + 1))
        celler.push_back(raekke.substr(i, raekke.find("</td>", i) - i));
    return celler;
}

TEST(HtmlSkemabog, LessonsOfTheNewKindStandInTheirHourGroupsSideBySideJoinedClassesNamed)
{
    MidlertidigMappe mappe;
    std::string fejl;
    ASSERT_TRUE(SkrivHtmlSkemabog(bogMedAktiviteter(), "web", fejl)) << fejl;
    const std::string kontrol = std::string("python3 ") + BRIKKEN_KONTROLLER_HTML + " web";
    EXPECT_EQ(std::system(kontrol.c_str()), 0);

    // 7.a is the second class, Bo the second teacher.
    const std::vector<std::string> mandag2 = htmlRaekke(laes("web/hold-2.html"), 2);
    ASSERT_EQ(mandag2.size(), 7u);
    EXPECT_EQ(mandag2[0], "<td style=\"background: #fff2cc\"><span>Tysk Eva / Fransk Ole</span>") << "Tysk's colour";
    EXPECT_EQ(htmlRaekke(laes("web/hold-2.html"), 1)[0], "<td>");
    for (const int32_t time : {1, 2}) {
        const std::vector<std::string> celler = htmlRaekke(laes("web/laerer-2.html"), time);
        ASSERT_EQ(celler.size(), 7u);
        EXPECT_NE(celler[1].find("<span>7.a, 7.b Idræt Gymsal, Hallen</span>"), std::string::npos) << celler[1];
    }
    const std::string oversigt = laes("web/oversigt-laerer.html");
    EXPECT_NE(oversigt.find(" title=\"7.a, 7.b Idræt Gymsal, Hallen\">7.a,</td>"), std::string::npos) << oversigt;
    EXPECT_NE(laes("web/index.html").find(">Bo</a>"), std::string::npos);
}

TEST(HtmlSkemabog, PagesOfAnEarlierLargerExportGoButThePlannersOwnFilesStay)
{
    MidlertidigMappe mappe;
    std::string fejl;
    Skemabog stor = lilleBog();
    for (const char* id : {"2.a", "3.a"})
        stor.skemaer.push_back({SkemaArt::hold, id, "PL 0   LL 0", {}, {}, {}});
    ASSERT_TRUE(SkrivHtmlSkemabog(stor, "web", fejl)) << fejl;
    ASSERT_TRUE(std::filesystem::exists("web/hold-3.html"));
    for (const char* egen : {"web/noter.html", "web/hold-a.html", "web/hold-3.html.bak"})
        std::ofstream(egen) << "min";

    ASSERT_TRUE(SkrivHtmlSkemabog(lilleBog(), "web", fejl)) << fejl;
    std::vector<std::string> filer;
    for (const auto& post : std::filesystem::directory_iterator("web"))
        filer.push_back(post.path().filename().string());
    std::sort(filer.begin(), filer.end());
    EXPECT_EQ(filer, (std::vector<std::string>{"hold-1.html", "hold-3.html.bak", "hold-a.html", "index.html",
                                               "laerer-1.html", "lokale-1.html", "noter.html", "oversigt-hold.html",
                                               "oversigt-laerer.html", "stil.css"}));
}

TEST(Skemabogsfiler, AFailedWriteLeavesTheEarlierFilesAndNoTemporaryOnes)
{
    MidlertidigMappe mappe;
    std::string fejl;
    Skemabog tidligere = lilleBog();
    tidligere.skemaer.resize(1);
    tidligere.skemaer[0].lektioner.resize(1);
    ASSERT_TRUE(SkrivCsvSkemabog(tidligere, "skema.csv", fejl)) << fejl;
    std::filesystem::create_directory("web");
    std::ofstream("web/index.html") << "tidligere";
    const std::string tidligereCsv = laes("skema.csv");
    {
        const FuldDisk fuld;
        EXPECT_FALSE(SkrivCsvSkemabog(lilleBog(), "skema.csv", fejl));
        EXPECT_NE(fejl.find("skema.csv"), std::string::npos) << fejl;
        EXPECT_FALSE(SkrivHtmlSkemabog(lilleBog(), "web", fejl));
    }
    EXPECT_EQ(laes("skema.csv"), tidligereCsv);
    EXPECT_EQ(laes("web/index.html"), "tidligere");
    EXPECT_EQ(antalFiler("."), 2u);
    EXPECT_EQ(antalFiler("web"), 1u);

    EXPECT_FALSE(SkrivCsvSkemabog(lilleBog(), "findes_ikke/skema.csv", fejl));
}
