// The character page of one timetable, its export files and its printing.
#include "udgiv/Export.h"
#include "udgiv/PdfSkemabog.h"
#include "udgiv/PdfUdskriver.h"
#include "db/Portal.h"
#include "udgiv/PrinterUdskriver.h"
#include "udgiv/Udskriver.h"
#include "support/TestModtager.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPrinterInfo>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

#include <unistd.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <vector>

namespace {

// The empty page, written out by hand.
const std::string kantlinje = "+-------------+-------------+-------------+-------------+-------------+-------------+";
const std::string dagelinje = "|             |   Mandag    |   Tirsdag   |   Onsdag    |   Torsdag   |   Fredag    |";
const std::string tomLinje = "|             |             |             |             |             |             |";

std::string lektionsLinje(int nr)
{
    return "| Lektion " + std::to_string(nr) +
           "   |             |             |             |             |             |";
}

std::vector<std::string> tomSide()
{
    std::vector<std::string> side;
    for (int linje = 0; linje < 28; ++linje) {
        if (linje % 3 == 0)
            side.push_back(kantlinje);
        else if (linje == 1)
            side.push_back(dagelinje);
        else if (linje % 3 == 1)
            side.push_back(lektionsLinje(linje / 3));
        else
            side.push_back(tomLinje);
    }
    return side;
}

std::vector<std::string> linjer(const Export& e)
{
    std::vector<std::string> side;
    for (int32_t nr = 0; nr < Export::antalLinjer; ++nr)
        side.push_back(e.Linje(nr));
    return side;
}

std::u32string tegn(const std::string& utf8)
{
    const QList<uint> ucs4 = QString::fromStdString(utf8).toUcs4();
    return std::u32string(ucs4.begin(), ucs4.end());
}

std::string laesFil(const std::string& sti)
{
    std::ifstream ind(sti, std::ios::binary);
    std::stringstream indhold;
    indhold << ind.rdbuf();
    return indhold.str();
}

Export nySide()
{
    Export e;
    e.NulstilSide();
    return e;
}

} // namespace

TEST(ExportPage, TheEmptyPageIsTheWeekGrid) { EXPECT_EQ(linjer(nySide()), tomSide()); }

TEST(ExportPage, AWeekWithin5x8KeepsTheClassicPage)
{
    Export e(4, 7);
    e.NulstilSide();
    EXPECT_EQ(linjer(e), tomSide());
    EXPECT_EQ(e.Linjer(), Export::antalLinjer);
    EXPECT_EQ(e.Bredde(), Export::linjeBredde);
}

TEST(ExportPage, ALongerWeekGrowsThePageAsRecorded)
{
    Export e(6, 10);
    e.NulstilSide();
    ASSERT_TRUE(e.IndsaetPaaPlan("1a", "Dansk", "AB", "L12", 0, 1));
    ASSERT_TRUE(e.IndsaetPaaPlan("1a", "Idræt", "Åse", "Hal", 5, 10));
    EXPECT_FALSE(e.IndsaetPaaPlan("1a", "Idræt", "Åse", "Hal", 6, 1)) << "no Sunday in a six-day week";
    EXPECT_FALSE(e.IndsaetPaaPlan("1a", "Idræt", "Åse", "Hal", 0, 11));
    std::string side;
    for (int32_t nr = 0; nr < e.Linjer(); ++nr)
        side += e.Linje(nr) + "\n";
    EXPECT_EQ(side, laesFil(BRIKKEN_TESTDATA "/side-6x10.txt"));
}

TEST(ExportPage, TheFourIdsOfALessonLandInItsCell)
{
    Export e = nySide();
    ASSERT_TRUE(e.IndsaetPaaPlan("1a", "Dansk", "AB", "L12", 0, 1));
    EXPECT_EQ(e.Linje(4), "| Lektion 1   |Dansk  AB    |             |             |             |             |");
    EXPECT_EQ(e.Linje(5), "|             |L12    1a    |             |             |             |             |");
}

TEST(ExportPage, DayOrLessonOffThePageIsRefusedWithADiagnostic)
{
    Export e = nySide();
    MedTestModtager m;
    EXPECT_FALSE(e.IndsaetPaaPlan("1a", "Dansk", "AB", "L12", 0, 0));
    EXPECT_FALSE(e.IndsaetPaaPlan("1a", "Dansk", "AB", "L12", 0, 9));
    EXPECT_FALSE(e.IndsaetPaaPlan("1a", "Dansk", "AB", "L12", -1, 1));
    EXPECT_FALSE(e.IndsaetPaaPlan("1a", "Dansk", "AB", "L12", 5, 1));
    EXPECT_EQ(m.modtager.sporTekst, "\nFejl ved COL Export::IndsaetPaaPlan\nFejl ved COL Export::IndsaetPaaPlan"
                                    "\nFejl ved ROW Export::IndsaetPaaPlan\nFejl ved ROW Export::IndsaetPaaPlan");
    EXPECT_EQ(linjer(e), tomSide());
}

TEST(ExportPage, LongTextsAreCutToTheirHalfOfTheCell)
{
    Export e = nySide();
    // A long subject and a long teacher: six characters each, a blank between
    // them and the border intact.
    ASSERT_TRUE(e.IndsaetPaaPlan("2b", "Matematik1", "Eriksen", "L1", 1, 2));
    EXPECT_EQ(e.Linje(7).substr(28, 15), "|Matema Erikse|");
    EXPECT_EQ(e.Linje(8).substr(28, 15), "|L1     2b    |");

    // On Friday the cell ends at the page's last column.
    const std::string langt(40, 'Z');
    ASSERT_TRUE(e.IndsaetPaaPlan(langt, langt, langt, langt, 4, 3));
    EXPECT_EQ(e.Linje(10), "| Lektion 3   |             |             |             |             |ZZZZZZ ZZZZZZ|");
    EXPECT_EQ(e.Linje(11), tomLinje.substr(0, 71) + "ZZZZZZ ZZZZZZ|");
    EXPECT_EQ(e.Linje(12), kantlinje);
}

TEST(ExportPage, DanishLettersTakeOneColumn)
{
    Export e = nySide();
    ASSERT_TRUE(e.IndsaetPaaPlan("3.å", "Håndværk", "Søs", "Værksted", 2, 5));
    const std::u32string oeverst = tegn(e.Linje(16));
    const std::u32string nederst = tegn(e.Linje(17));
    ASSERT_EQ(oeverst.size(), 85U);
    ASSERT_EQ(nederst.size(), 85U);
    EXPECT_EQ(oeverst.substr(43, 14), U"Håndvæ Søs   |");
    EXPECT_EQ(nederst.substr(43, 14), U"Værkst 3.å   |");
}

TEST(ExportPage, ALessonOfTheNewKindRunsOverItsCellBrokenAtABlankAndCut)
{
    Export e = nySide();
    ASSERT_TRUE(e.IndsaetAktivitet("Tysk Eva / Fransk Ole", 0, 2));
    EXPECT_EQ(e.Linje(7).substr(0, 29), "| Lektion 2   |Tysk Eva /   |");
    EXPECT_EQ(e.Linje(8).substr(0, 29), "|             |Fransk Ole   |");
    // Every class of a joined lesson, then as much of the rest as fits.
    ASSERT_TRUE(e.IndsaetAktivitet("7.a, 7.b Idræt Gymsal, Hallen", 1, 1));
    EXPECT_EQ(tegn(e.Linje(4)).substr(28, 15), U"|7.a, 7.b     |");
    EXPECT_EQ(tegn(e.Linje(5)).substr(28, 15), U"|Idræt Gymsal,|");
    // A word longer than the line is broken where the line ends.
    ASSERT_TRUE(e.IndsaetAktivitet("Naturfagsværkstedet 9.a", 4, 8));
    EXPECT_EQ(tegn(e.Linje(25)).substr(70, 15), U"|Naturfagsværk|");
    EXPECT_EQ(tegn(e.Linje(26)).substr(70, 15), U"|stedet 9.a   |");
    EXPECT_EQ(e.Linje(27), kantlinje);
    MedTestModtager m;
    EXPECT_FALSE(e.IndsaetAktivitet("Møde", 5, 1));
    EXPECT_EQ(e.Linje(2), tomLinje);
}

TEST(ExportFile, APageIsABlankLineItsTitleARuleAndTheGrid)
{
    Export e = nySide();
    std::string side;
    for (const std::string& linje : tomSide())
        side += linje + "\n";
    EXPECT_EQ(e.SideTekst("Søs"), "\nSøs\n----------\n" + side);
}

namespace {

// Remembers what would have been drawn.
class OptagendeUdskriver : public Udskriver {
public:
    struct Tekst {
        int32_t x;
        int32_t y;
        std::string tekst;
    };
    std::string skrifttype;
    std::string titel;
    std::vector<Tekst> tekster;
    double skala = 0;
    bool afsluttet = false;

    bool Start(const std::string& s, const std::string& t, double k) override
    {
        skrifttype = s;
        titel = t;
        skala = k;
        return true;
    }
    void Tegn(int32_t x, int32_t y, const std::string& tekst) override { tekster.push_back({x, y, tekst}); }
    bool Slut() override
    {
        afsluttet = true;
        return true;
    }
};

class MedUdskriver {
public:
    explicit MedUdskriver(Udskriver& u) : forrige_(Udskriver::SaetAktiv(&u)) {}
    ~MedUdskriver() { Udskriver::SaetAktiv(forrige_); }
    MedUdskriver(const MedUdskriver&) = delete;
    MedUdskriver& operator=(const MedUdskriver&) = delete;

private:
    Udskriver* forrige_;
};

// Printing draws with Qt's print support, which needs a GUI application.
bool grafiskProgram()
{
    if (QCoreApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char navn[] = "ExportTest";
        static char* argv[] = {navn, nullptr};
        static QGuiApplication program(argc, argv);
    }
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

std::string pdfTekst(const QString& pdf)
{
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", pdf, "-"});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
        return "";
    return pdftotext.readAllStandardOutput().toStdString();
}

} // namespace

TEST(ExportPrint, ThePageIsDrawnLineByLine)
{
    OptagendeUdskriver udskriver;
    MedUdskriver installeret(udskriver);
    Export e = nySide();
    e.IndsaetPaaPlan("1a", "Dansk", "AB", "L12", 0, 1);
    ASSERT_TRUE(e.UdskrivSide("1a"));

    EXPECT_EQ(udskriver.skrifttype, "LinePrinter");
    EXPECT_TRUE(udskriver.afsluttet);
    ASSERT_EQ(udskriver.tekster.size(), 30U);
    EXPECT_EQ(udskriver.tekster[0].tekst, "1a");
    EXPECT_EQ(udskriver.tekster[0].x, 460);
    EXPECT_EQ(udskriver.tekster[0].y, 120);
    EXPECT_EQ(udskriver.tekster[1].tekst, std::string(20, '-'));
    EXPECT_EQ(udskriver.tekster[1].y, 140);
    EXPECT_EQ(udskriver.skala, 1.0) << "the classic page fills the paper";
    for (int32_t i = 0; i < 28; ++i) {
        const auto& linje = udskriver.tekster[2 + i];
        EXPECT_EQ(linje.x, 460);
        EXPECT_EQ(linje.y, 180 + 40 * i);
        EXPECT_EQ(linje.tekst, e.Linje(i) + "  ");
    }
}

TEST(ExportPrint, ThePageCanBePrintedIntoAPdfFile)
{
    ASSERT_TRUE(grafiskProgram());
    QTemporaryDir mappe;
    const QString pdf = QDir(mappe.path()).filePath("1a.pdf");
    PdfUdskriver udskriver(pdf.toStdString());
    MedUdskriver installeret(udskriver);
    MedTestModtager m;
    Export e = nySide();
    e.IndsaetPaaPlan("1a", "Håndværk", "Søs", "L12", 4, 8);
    ASSERT_TRUE(e.UdskrivSide("1a"));

    EXPECT_TRUE(m.modtager.bokse.empty());
    ASSERT_GT(QFile(pdf).size(), 0);
    const std::string tekst = pdfTekst(pdf);
    if (tekst.empty())
        GTEST_SKIP() << "pdftotext is not available to read the page back";
    EXPECT_NE(tekst.find("--------------------"), std::string::npos);
    EXPECT_NE(tekst.find("Mandag"), std::string::npos);
    EXPECT_NE(tekst.find("Lektion 8"), std::string::npos);
    EXPECT_NE(tekst.find("Håndvæ Søs"), std::string::npos);
}

TEST(ExportPrint, WithoutAPrinterThePageGoesToAPdfAndTheUserIsTold)
{
    ASSERT_TRUE(grafiskProgram());
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a printer is installed";
    PrinterUdskriver udskriver;
    MedUdskriver installeret(udskriver);
    MedTestModtager m;
    Export e = nySide();
    // The file is named after the title; the pid keeps parallel runs apart.
    ASSERT_TRUE(e.UdskrivSide("Lærer/1-" + std::to_string(::getpid())));

    ASSERT_EQ(m.modtager.bokse.size(), 1U);
    const std::string& tekst = m.modtager.bokse[0].tekst;
    const std::string sti = tekst.substr(tekst.find('\n') + 1);
    EXPECT_EQ(m.modtager.bokse[0].art, "info");
    EXPECT_NE(sti.find("Lærer_1"), std::string::npos);
    EXPECT_GT(QFile(QString::fromStdString(sti)).size(), 0);
    QFile::remove(QString::fromStdString(sti));
}

namespace {

// An opened plan without stored data: the plan id "tom" loads nothing, so no
// database is needed.
class ExportPortal : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* id : {"O'Brien's", "2.b", "1.a"})
            hold_.push(id);
        for (const char* id : {"Åse", "Bo"})
            laerer_.push(id);
        for (const char* id : {"Hal", "A1"})
            lokale_.push(id);
        portal_.SaetNavnestakke(std::move(hold_), std::move(laerer_), std::move(lokale_));
        portal_.Indlaes();
        ASSERT_TRUE(portal_.SaetLektion("1.a", "Dansk", "Åse", "A1", 1, 0, 0));
        ASSERT_TRUE(portal_.SaetLektion("1.a", "Idræt", "Bo", "Hal", 1, 4, 7));
        ASSERT_TRUE(portal_.SaetLektion("O'Brien's", "Musik", "Bo", "A1", 1, 2, 3));
    }

    // The file's lines; a page takes 31: a blank line, its title, ten dashes and 28 lines.
    std::vector<std::string> Eksporter(const std::string& fil)
    {
        portal_.Eksporter(mappe_.path().toStdString());
        std::ifstream ind(QDir(mappe_.path()).filePath(QString::fromStdString(fil)).toStdString());
        std::vector<std::string> linjer;
        for (std::string linje; std::getline(ind, linje);)
            linjer.push_back(linje);
        return linjer;
    }

    static std::vector<std::string> Titler(const std::vector<std::string>& linjer)
    {
        std::vector<std::string> titler;
        for (size_t i = 1; i < linjer.size(); i += 31)
            titler.push_back(linjer[i]);
        return titler;
    }

    stack<std::string> hold_, laerer_, lokale_;
    Portal portal_{"tom", 5, 8, Datakilde::database};
    QTemporaryDir mappe_;
};

} // namespace

TEST_F(ExportPortal, EveryTimetableWithLessonsGetsAPageInItsKindsFile)
{
    const auto hold = Eksporter("HoldSkemaer.txt");
    ASSERT_EQ(hold.size(), 62U); // 2.b has no lessons and no page
    EXPECT_EQ(Titler(hold), (std::vector<std::string>{"1.a", "O'Brien's"}));
    EXPECT_EQ(hold[2], "----------");
    EXPECT_EQ(hold[3 + 4], "| Lektion 1   |Dansk  Åse   |             |             |             |             |");
    EXPECT_EQ(hold[3 + 25], "| Lektion 8   |             |             |             |             |Idræt  Bo    |");
    EXPECT_EQ(hold[3 + 26], "|             |             |             |             |             |Hal    1.a   |");
    // A class id longer than its half of the cell stops at the border.
    EXPECT_EQ(hold[31 + 3 + 14],
              "|             |             |             |A1     O'Brie|             |             |");

    EXPECT_EQ(Titler(Eksporter("LaererSkemaer.txt")), (std::vector<std::string>{"Bo", "Åse"}));
    EXPECT_EQ(Titler(Eksporter("LokaleSkemaer.txt")), (std::vector<std::string>{"A1", "Hal"}));
}

TEST_F(ExportPortal, ExportingAgainLeavesOnlyTheSecondExport)
{
    Eksporter("HoldSkemaer.txt");
    ASSERT_TRUE(portal_.SaetLektion("2.b", "Dansk", "Åse", "Hal", 1, 1, 1));
    EXPECT_EQ(Titler(Eksporter("HoldSkemaer.txt")), (std::vector<std::string>{"1.a", "2.b", "O'Brien's"}));
}

TEST_F(ExportPortal, AFolderThatCannotBeWrittenIsReported)
{
    MedTestModtager m;
    portal_.Eksporter("/findes/ikke");
    ASSERT_EQ(m.modtager.bokse.size(), 1U);
    EXPECT_EQ(m.modtager.bokse[0].titel, "En fejl er opstået!");
}

TEST_F(ExportPortal, PrintsOneTimetableUnderItsId)
{
    OptagendeUdskriver udskriver;
    MedUdskriver installeret(udskriver);
    ASSERT_TRUE(portal_.UdskrivSkema("Bo", SkemaArt::laerer));
    ASSERT_EQ(udskriver.tekster.size(), 30U);
    EXPECT_EQ(udskriver.titel, "Bo");
    EXPECT_EQ(udskriver.tekster[0].tekst, "Bo");
    EXPECT_EQ(udskriver.tekster[2 + 25].tekst,
              "| Lektion 8   |             |             |             |             |Idræt  Bo    |  ");
    EXPECT_EQ(udskriver.tekster[2 + 13].tekst,
              "| Lektion 4   |             |             |Musik  Bo    |             |             |  ");

    // An id without a timetable prints an empty page under that id.
    ASSERT_TRUE(portal_.UdskrivSkema("Ingen", SkemaArt::hold));
    EXPECT_EQ(udskriver.tekster[30].tekst, "Ingen");
    for (int32_t i = 0; i < 28; ++i)
        EXPECT_EQ(udskriver.tekster[32 + i].tekst, tomSide()[i] + "  ");
}

TEST_F(ExportPortal, AFailedExportLeavesThePreviousFilesWhole)
{
    MedTestModtager m;
    ASSERT_TRUE(portal_.Eksporter(mappe_.path().toStdString()));
    const QDir mappe(mappe_.path());
    const std::vector<std::string> filer = {"HoldSkemaer.txt", "LaererSkemaer.txt", "LokaleSkemaer.txt"};
    std::vector<std::string> foer;
    for (const std::string& fil : filer)
        foer.push_back(laesFil(mappe.filePath(QString::fromStdString(fil)).toStdString()));
    ASSERT_TRUE(portal_.SaetLektion("2.b", "Dansk", "Åse", "Hal", 1, 1, 1));

    // A file may grow only so far, as on a disk that is full.
    rlimit graense{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &graense), 0);
    const rlimit lille{4000, graense.rlim_max};
    const auto signal = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &lille), 0);
    const bool eksporteret = portal_.Eksporter(mappe_.path().toStdString());
    ::setrlimit(RLIMIT_FSIZE, &graense);
    std::signal(SIGXFSZ, signal);

    EXPECT_FALSE(eksporteret);
    ASSERT_EQ(m.modtager.bokse.size(), 1U);
    EXPECT_EQ(m.modtager.bokse[0].art, "fejl");
    for (size_t i = 0; i < filer.size(); ++i)
        EXPECT_EQ(laesFil(mappe.filePath(QString::fromStdString(filer[i])).toStdString()), foer[i]) << filer[i];
    EXPECT_EQ(mappe.entryList(QDir::Files).size(), 3) << "no temporary file is left behind";
}

TEST(ExportPrint, ALongClassNameInTheOverviewWrapsAndStaysReadable)
{
    ASSERT_TRUE(grafiskProgram());
    Skemabog bog;
    bog.plan = "P";
    bog.fag = {"Dansk"};
    const std::string langt = "Indskolingens udvidede valghold for naturfag";
    for (const std::string& hold : {std::string("1.a"), std::string("1.b"), langt}) {
        LektionsData l;
        l.hold = hold;
        l.fag = "Dansk";
        bog.skemaer.push_back({SkemaArt::hold, hold, "PL 1", {{l, {"Dansk"}, "Dans"}}, {}, {}});
    }
    QTemporaryDir mappe;
    const QString pdf = QDir(mappe.path()).filePath("bog.pdf");
    std::string fejl;
    ASSERT_TRUE(SkrivPdfSkemabog(bog, pdf.toStdString(), fejl)) << fejl;

    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
        GTEST_SKIP() << "pdftotext is not available to read the page back";
    const std::string side = pdftotext.readAllStandardOutput().toStdString();
    // Every word of the name is there, each at least 5 points high (shrunk onto one line it was under 4).
    const std::regex ord(R"re(<word xMin="[\d.]+" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</word>)re");
    std::set<std::string> fundne;
    for (auto o = std::sregex_iterator(side.begin(), side.end(), ord); o != std::sregex_iterator(); ++o) {
        const std::string tekst = (*o)[3];
        if (langt.find(tekst) == std::string::npos || tekst.size() < 4)
            continue;
        fundne.insert(tekst);
        EXPECT_GE(std::stod((*o)[2]) - std::stod((*o)[1]), 5.0) << tekst;
    }
    EXPECT_EQ(fundne, (std::set<std::string>{"Indskolingens", "udvidede", "valghold", "naturfag"}));
}

namespace {

struct PdfOrd {
    std::string tekst;
    double x = 0; // the word's middle, in tenths of a millimetre from the page's top left
    double y = 0;
};

// The words of one page of a PDF file, or nothing when pdftotext is missing.
std::vector<PdfOrd> ordPaaSide(const QString& pdf, int side)
{
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-bbox", "-f", QString::number(side), "-l", QString::number(side), pdf, "-"});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
        return {};
    const std::string tekst = pdftotext.readAllStandardOutput().toStdString();
    const std::regex ord(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    constexpr double tiendeMmPrPunkt = 254.0 / 72.0;
    std::vector<PdfOrd> ud;
    for (auto o = std::sregex_iterator(tekst.begin(), tekst.end(), ord); o != std::sregex_iterator(); ++o) {
        ud.push_back({(*o)[5], (std::stod((*o)[1]) + std::stod((*o)[3])) / 2 * tiendeMmPrPunkt,
                      (std::stod((*o)[2]) + std::stod((*o)[4])) / 2 * tiendeMmPrPunkt});
    }
    return ud;
}

// The words inside the cell of that day and hour of a timetable's page of a
// book of 5 days and 6 hours (the grid starts 21 mm from the left and 31 mm
// from the top; a day is 53.2 mm wide, an hour 27.6 mm high).
std::string iCellen(const std::vector<PdfOrd>& side, int dag, int time)
{
    const double venstre = 210 + 532 * dag;
    const double top = 310 + 276 * time;
    std::string ud;
    for (const PdfOrd& o : side) {
        if (o.x > venstre && o.x < venstre + 532 && o.y > top && o.y < top + 276)
            ud += (ud.empty() ? "" : " ") + o.tekst;
    }
    return ud;
}

} // namespace

TEST(ExportPrint, ThePdfBookShowsGroupsSideBySideAndEveryClassOfAJoinedLesson)
{
    ASSERT_TRUE(grafiskProgram());
    Skemabog bog;
    bog.plan = "P";
    bog.dage = 5;
    bog.timer = 6;
    bog.fag = {"Fransk", "Idræt", "Tysk"};
    const std::string idraet = "7.a, 7.b Idræt Gymsal, Hallen";
    bog.skemaer.push_back({SkemaArt::hold, "7.a", "PL 4", {}, {}, {{{0, 1}, "Tysk Eva / Fransk Ole", "Tysk", "Tysk"}}});
    // Bo teaches only the joined sport lesson.
    bog.skemaer.push_back({SkemaArt::laerer,
                           "Bo",
                           "PL 2",
                           {},
                           {},
                           {{{1, 0}, idraet, "Idræt", "7.a,"}, {{1, 1}, idraet, "Idræt", "7.a,"}}});
    QTemporaryDir mappe;
    const QString pdf = QDir(mappe.path()).filePath("bog.pdf");
    std::string fejl;
    ASSERT_TRUE(SkrivPdfSkemabog(bog, pdf.toStdString(), fejl)) << fejl;

    // The two overviews come first, then 7.a and Bo.
    const std::vector<PdfOrd> hold = ordPaaSide(pdf, 3);
    if (hold.empty())
        GTEST_SKIP() << "pdftotext is not available to read the page back";
    EXPECT_EQ(iCellen(hold, 0, 1), "Tysk Eva / Fransk Ole");
    EXPECT_EQ(iCellen(hold, 0, 0), "");
    const std::vector<PdfOrd> laerer = ordPaaSide(pdf, 4);
    for (const int time : {0, 1})
        EXPECT_EQ(iCellen(laerer, 1, time), "7.a, 7.b Idræt Gymsal, Hallen") << time;
    std::string oversigt;
    for (const PdfOrd& o : ordPaaSide(pdf, 2))
        oversigt += o.tekst + " ";
    EXPECT_NE(oversigt.find("7.a, 7.a,"), std::string::npos) << "Bo's line: " << oversigt;
}
