// The demo school published as a PDF book, web pages and a spreadsheet file,
// with one class renamed to an id that needs care in every format.
#include "app/Vorivazi.h"
#include "cli/KoerCli.h"
#include "db/SqlKlasse.h"
#include "db/TSqlModul.h"
#include "support/MidlertidigMappe.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <sys/stat.h>

namespace {

const std::string svaertHold = "1<a&\"æøå";

struct Skema {
    SkemaArt art;
    std::string id;
    std::vector<LektionsData> lektioner;
};

// The timetables in the book's order, read through the facade of the saved plan.
std::vector<Skema> gemteSkemaer()
{
    Vorivazi vorivazi(Datakilde::database);
    EXPECT_TRUE(vorivazi.AabnPlan("Plan2026"));
    std::vector<Skema> skemaer;
    for (const SkemaArt art : alleSkemaArter) {
        std::vector<std::string> ider;
        vorivazi.HentNavne(art);
        std::string id;
        while (vorivazi.TagNavn(id))
            ider.push_back(id);
        std::sort(ider.begin(), ider.end());
        for (const std::string& i : ider)
            skemaer.push_back({art, i, vorivazi.Lektioner(i, art)});
    }
    return skemaer;
}

std::string laes(const std::string& fil)
{
    std::ifstream ind(fil, std::ios::binary);
    return {std::istreambuf_iterator<char>(ind), std::istreambuf_iterator<char>()};
}

class Publicering : public DatabaseTest {
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        SqlKlasse sql(Datakilde::database);
        for (const char* tabel : {"Hold set HoldID_AHo", "Holdliste set Hold_THo", "HoldLaererRelation set HoldID_HLR",
                                  "LokaleHoldRelation set HoldID_LoHR"}) {
            const std::string kolonne = std::string(tabel).substr(std::string(tabel).find(" set ") + 5);
            ASSERT_TRUE(
                sql.UdfoerSql(std::string("update ") + tabel + " = ? where " + kolonne + " = '1.a'", {svaertHold}));
        }
        forbindelse = db_->Forbindelse();
        TSqlModul::Instans().Luk();
    }

    std::string forbindelse;
};

} // namespace

TEST_F(Publicering, EveryTimetableHasItsPageAndEveryLessonHourItsRow)
{
    MidlertidigMappe mappe;
    const Resultat koersel = koerCli("--db " + citer(forbindelse) +
                                     " run Plan2026 --generate --yes --writable --save"
                                     " --export-pdf bog.pdf --export-html web --export-csv skema.csv");
    ASSERT_EQ(koersel.status, 0);
    std::smatch ll;
    ASSERT_TRUE(std::regex_search(koersel.ud, ll, std::regex(R"( LL=(\d+) )")));

    std::string fejl;
    TSqlModul::Instans().VaelgForbindelse(forbindelse, fejl);
    const std::vector<Skema> skemaer = gemteSkemaer();
    TSqlModul::Instans().Luk();

    const Resultat info = koerKommando("pdfinfo bog.pdf");
    std::smatch sider;
    ASSERT_TRUE(std::regex_search(info.ud, sider, std::regex(R"(Pages:\s+(\d+))"))) << info.ud;
    EXPECT_EQ(std::stoul(sider[1]), 2 + skemaer.size()) << "two overviews, then one page per timetable";
    for (size_t i = 0; i < skemaer.size(); ++i) {
        const Skema& skema = skemaer[i];
        const std::string side = std::to_string(3 + i);
        const std::string tekst = koerKommando("pdftotext -f " + side + " -l " + side + " bog.pdf -").ud;
        EXPECT_NE(tekst.find(skema.id), std::string::npos) << "page " << side;
        for (const LektionsData& l : skema.lektioner) {
            EXPECT_NE(tekst.find(l.fag), std::string::npos) << l.fag << " on page " << side;
            const std::string& anden = skema.art == SkemaArt::laerer ? l.hold : l.laerer;
            EXPECT_NE(tekst.find(anden), std::string::npos) << anden << " on page " << side;
        }
    }

    const std::string csv = laes("skema.csv");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + std::stoi(ll[1]));
    EXPECT_NE(csv.find(";\"1<a&\"\"æøå\";"), std::string::npos);
    EXPECT_EQ(koerKommando(std::string("python3 ") + BRIKKEN_KONTROLLER_HTML + " web").status, 0);
    EXPECT_NE(laes("web/index.html").find(">1&lt;a&amp;&quot;æøå</a>"), std::string::npos);
}

TEST_F(Publicering, AFailedBookLeavesTheEarlierOneAndSaysSo)
{
    MidlertidigMappe mappe;
    std::ofstream("bog.pdf") << "tidligere";
    // Files may grow to 20 kB only, as on a nearly full disk.
    const Resultat koersel = koerKommando("trap '' XFSZ; ulimit -f 40; " + std::string(BRIKKEN_CLI) + " --db " +
                                          citer(forbindelse) + " run Plan2026 --export-pdf bog.pdf 2>&1");
    EXPECT_EQ(koersel.status, 1);
    EXPECT_NE(koersel.ud.find("kunne ikke eksporteres"), std::string::npos) << koersel.ud;
    EXPECT_EQ(laes("bog.pdf"), "tidligere");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 1);
}

TEST_F(Publicering, OnlyARegularFileIsReplacedAndAFileSizeLimitIsReported)
{
    MidlertidigMappe mappe;
    ASSERT_EQ(::mkfifo("roer.csv", 0644), 0);
    std::ofstream("maal.csv") << "tidligere";
    std::filesystem::create_symlink("maal.csv", "link.csv");
    for (const char* maal : {"roer.csv", "link.csv", "."}) {
        const Resultat koersel = koerKommando(std::string(BRIKKEN_CLI) + " --db " + citer(forbindelse) +
                                              " run Plan2026 --export-csv " + maal + " 2>&1");
        EXPECT_EQ(koersel.status, 1) << maal;
        EXPECT_NE(koersel.ud.find("Eksporten erstatter kun almindelige filer"), std::string::npos) << koersel.ud;
    }
    EXPECT_TRUE(std::filesystem::is_fifo("roer.csv"));
    EXPECT_TRUE(std::filesystem::is_symlink("link.csv"));

    // No trap here: the program itself must outlive the limit's signal.
    const Resultat graense = koerKommando("ulimit -f 1; " + std::string(BRIKKEN_CLI) + " --db " + citer(forbindelse) +
                                          " run Plan2026 --generate --yes --export-csv maal.csv 2>&1");
    EXPECT_EQ(graense.status, 1) << graense.ud;
    EXPECT_NE(graense.ud.find("grænsen for filstørrelse"), std::string::npos) << graense.ud;
    EXPECT_EQ(laes("maal.csv"), "tidligere");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 3) << "no temporary file is left";
}
