#include "PlanVinduesTest.h"

#include "UiTestMain.h"

#include "Vinduesmiljoe.h"
#include "app/Udgivelse.h"
#include "app/Vorivazi.h"
#include "db/SqlKlasse.h"
#include "db/TSqlModul.h"
#include "skoledata/Skoledatabase.h"
#include "support/MidlertidigMappe.h"
#include "ui/faelles/Lokaltal.h"
#include "ui/skema/Haandredigering.h"
#include "ui/dialoger/Radiogruppe.h"
#include "ui/skema/Rulleliste.h"
#include "ui/hoved/Statuslinje.h"
#include "ui/dialoger/TAutoG.h"
#include "ui/hoved/TGenSpe.h"
#include "ui/dialoger/TGenereringsFrame.h"
#include "ui/skema/TManglende.h"
#include "ui/skema/TRegler.h"
#include "ui/hoved/Hjaelpevindue.h"
#include "ui/hoved/TOut.h"
#include "ui/dialoger/TPlanListeForm.h"
#include "ui/dialoger/TPlankontrol.h"
#include "ui/skema/TSkemaFrame.h"
#include "ui/skema/TekstGitter.h"
#include "ui/skoledata/Skoledatamodel.h"
#include "ui/skoledata/TSkoledata.h"
#include "udgiv/PrinterUdskriver.h"
#include "ui/hoved/VaerktoejsKnap.h"

#include <QCheckBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QScrollBar>
#include <QComboBox>
#include <QDockWidget>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPrinterInfo>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QUndoStack>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

#include <functional>
#include <QTextBrowser>
#include <QTest>
#include <QTreeWidget>

#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace {

const QString plan = "Plan2026";
enum Felt { plFelt = 1, llFelt = 3, procentFelt = 5, mlFelt = 7, beskedFelt = 8 };

// Opens the plan through "&Hent projekt" and the dialog's OK.
void aabnPlan(Vinduesmiljoe& m, const QString& planId = plan)
{
    MedModalDialog(
        [&m, planId](QWidget*) {
            TPlanListeForm* dialog = m.vinduer.planListe;
            const auto punkter = dialog->PlanListe->findItems(planId, Qt::MatchExactly);
            if (punkter.isEmpty()) {
                dialog->reject();
                return;
            }
            dialog->PlanListe->setCurrentItem(punkter.first());
            QTest::mouseClick(dialog->PlanValgKnap, Qt::LeftButton);
        },
        [&m] { m.handling("Hentprojekt1")->trigger(); });
}

void generer(Vinduesmiljoe& m)
{
    MedModalDialog([&m](QWidget*) { QTest::mouseClick(m.vinduer.generering->Button1, Qt::LeftButton); },
                   [&m] { m.handling("Beregnskemaer1")->trigger(); });
}

// The ids of a kind in the order a facade of its own hands them out.
std::vector<std::string> navneFraFacade(SkemaArt art)
{
    Vorivazi facade(Datakilde::database);
    std::vector<std::string> navne;
    if (!facade.AabnPlan(plan.toStdString()))
        return navne;
    facade.HentNavne(art);
    std::string id;
    while (facade.TagNavn(id))
        navne.push_back(id);
    return navne;
}

std::vector<std::string> tabel(const Navnetabel& navne)
{
    std::vector<std::string> ud;
    for (int32_t i = 0; i < navne.Antal(); ++i)
        ud.push_back(navne[i]);
    return ud;
}

QStringList memoLinjer(Vinduesmiljoe& m) { return m.vinduer.out->Memo1->toPlainText().split('\n', Qt::SkipEmptyParts); }

QString procent(int32_t del, int32_t helhed) { return ProcentTekst(helhed > 0 ? 100.0 * del / helhed : 0.0); }

void kontrollerStatus(Vinduesmiljoe& m)
{
    Vorivazi& facade = m.hoved().Facade();
    const Statuslinje* status = m.hoved().StatusBar1;
    QCOMPARE(status->Tekst(plFelt), QString::number(facade.SumTimer()));
    QCOMPARE(status->Tekst(llFelt), QString::number(facade.AntalLektionerIalt()));
    QCOMPARE(status->Tekst(procentFelt), procent(facade.AntalLektionerIalt(), facade.SumTimer()));
    QCOMPARE(status->Tekst(mlFelt), QString::number(facade.AntalMellemtimer()));
}

} // namespace

void PlanVinduesTest::AabnPlanGennemDialogen()
{
    Vinduesmiljoe m;
    aabnPlan(m);
    TMainFrame& hoved = m.hoved();
    QCOMPARE(hoved.windowTitle(), "Brikken++ v1.0 beta - " + plan);
    QVERIFY(!m.vinduer.planListe->isVisible());
    QVERIFY(m.modtager.bokse.empty());

    // The catalogue comes out reversed, and so does every id table.
    QCOMPARE(m.vinduer.planListe->PlanListe->count(), 2);
    QCOMPARE(m.vinduer.planListe->PlanListe->item(0)->text(), QString("Plan2026"));
    QCOMPARE(hoved.planNavne[1], std::string("Plan2027"));
    const auto hold = navneFraFacade(SkemaArt::hold);
    const auto laerere = navneFraFacade(SkemaArt::laerer);
    const auto lokaler = navneFraFacade(SkemaArt::lokale);
    QCOMPARE(tabel(hoved.holdNavne), hold);
    QCOMPARE(tabel(hoved.laererNavne), laerere);
    QCOMPARE(tabel(hoved.lokaleNavne), lokaler);
    QCOMPARE(hold.size(), size_t{12}); // the classes of the 2026 distribution
    QCOMPARE(hold.front(), std::string("9.a"));
    QCOMPARE(hold.back(), std::string("1.a"));

    // One Communicator line per id, in table order.
    QStringList forventet;
    for (const auto* navne : {&hold, &laerere, &lokaler})
        for (const std::string& id : *navne)
            forventet << QString::fromStdString(id);
    QCOMPARE(memoLinjer(m), forventet);

    QCOMPARE(hoved.StatusBar1->Tekst(beskedFelt), QString("Planen er indlæst!"));
    QCOMPARE(hoved.StatusBar1->Tekst(plFelt), QString("332")); // the plan's demand from the start
    QCOMPARE(hoved.StatusBar1->Tekst(procentFelt), QString("0,00"));
    kontrollerStatus(m);
    QVERIFY(m.handling("Beregnskemaer1")->isEnabled());
    QVERIFY(m.handling("AutoGenerer")->isEnabled());
    QVERIFY(hoved.findChild<VaerktoejsKnap*>("MFPanel9")->isEnabled());
    QVERIFY(!hoved.genereret);

    const TGenSpe* tidsVindue = m.vinduer.genSpe;
    QCOMPARE(tidsVindue->windowTitle(), QString("Tids Specifikation - Hentning"));
    QCOMPARE(tidsVindue->TidGrid->Celle(0, 1), QString("Indlæsning af Planliste: "));
    QCOMPARE(tidsVindue->TidGrid->Celle(0, 2), QString("Hentning af Plan:"));
    QVERIFY(tidsVindue->TidGrid->Celle(1, 2).endsWith(",000000") || tidsVindue->TidGrid->Celle(1, 2).contains(','));

    // A second showing does not read the catalogue again.
    MedModalDialog([](QWidget* dialog) { dialog->close(); }, [&] { m.handling("Hentprojekt1")->trigger(); });
    QCOMPARE(tidsVindue->TidGrid->Celle(0, 1), QString());
    QCOMPARE(m.vinduer.planListe->PlanListe->count(), 2);
}

void PlanVinduesTest::MisligholdtAabningBevarerPlanen()
{
    Vinduesmiljoe m;
    aabnPlan(m);
    const auto hold = tabel(m.hoved().holdNavne);
    const Vorivazi* facade = &m.hoved().Facade();

    // The other plan leaves the catalogue after the list was read.
    QVERIFY(SqlKlasse(Datakilde::database).UdfoerSql("delete from Plan where PlanID_P = ?", {std::string("Plan2027")}));
    bool aabenEfterFejl = false;
    MedModalDialog(
        [&](QWidget*) {
            TPlanListeForm* dialog = m.vinduer.planListe;
            dialog->PlanListe->setCurrentRow(1);
            QTest::mouseClick(dialog->PlanValgKnap, Qt::LeftButton);
            aabenEfterFejl = dialog->isVisible();
            QTest::mouseClick(dialog->AnnullerKnap, Qt::LeftButton);
        },
        [&] { m.handling("Hentprojekt1")->trigger(); });

    QVERIFY(aabenEfterFejl);
    QCOMPARE(m.modtager.bokse.size(), size_t{1});
    QCOMPARE(m.modtager.bokse[0].tekst, std::string("Planen findes ikke!"));
    // The plan that was open stays open and usable.
    QCOMPARE(&m.hoved().Facade(), facade);
    QVERIFY(m.hoved().Facade().ErAaben());
    QCOMPARE(m.hoved().windowTitle(), "Brikken++ v1.0 beta - " + plan);
    QCOMPARE(tabel(m.hoved().holdNavne), hold);
    QVERIFY(m.handling("Beregnskemaer1")->isEnabled());
}

void PlanVinduesTest::DatabasefejlVisesOgProgrammetFortsaetter()
{
    Vinduesmiljoe m;
    aabnPlan(m);
    // The server goes away between reading the catalogue and opening a plan.
    std::string fejl;
    TSqlModul::Instans().Luk();
    QVERIFY(TSqlModul::Instans().VaelgForbindelse("sqlite:/proc/brikken/findes-ikke/koraDB.sqlite", fejl));
    bool aabenEfterFejl = false;
    MedModalDialog(
        [&](QWidget*) {
            TPlanListeForm* dialog = m.vinduer.planListe;
            dialog->PlanListe->setCurrentRow(1);
            QTest::mouseClick(dialog->PlanValgKnap, Qt::LeftButton);
            aabenEfterFejl = dialog->isVisible();
            dialog->reject();
        },
        [&] { m.handling("Hentprojekt1")->trigger(); });

    QVERIFY(aabenEfterFejl);
    QCOMPARE(m.modtager.bokse.size(), size_t{1});
    QCOMPARE(m.modtager.bokse[0].titel, std::string("En fejl er opstået!"));
    QVERIFY(!m.modtager.bokse[0].tekst.empty());
    QCOMPARE(m.hoved().windowTitle(), "Brikken++ v1.0 beta - " + plan);
    QVERIFY(m.hoved().Facade().ErAaben());
    QVERIFY(!QApplication::overrideCursor()); // the busy cursor is gone again
}

void PlanVinduesTest::HundredvisAfPlaner()
{
    Vinduesmiljoe m;
    SqlKlasse sql(Datakilde::database);
    for (int i = 0; i < 305; ++i)
        QVERIFY(sql.UdfoerSql("insert into Plan values (?, ?, ?, ?)",
                              {"Ekstra" + std::to_string(i), std::string("Fordeling2026"), 5, 8}));
    MedModalDialog([](QWidget* dialog) { dialog->close(); }, [&] { m.handling("Hentprojekt1")->trigger(); });
    QCOMPARE(m.vinduer.planListe->PlanListe->count(), 307); // and the two demo plans
    QCOMPARE(m.hoved().planNavne.Antal(), 307);
    // The list and the table stay in step.
    QCOMPARE(m.vinduer.planListe->PlanListe->item(306)->text(), QString::fromStdString(m.hoved().planNavne[306]));
}

void PlanVinduesTest::GenererMedUroertDialog()
{
    Vinduesmiljoe m;
    aabnPlan(m);
    const TGenereringsFrame* indstillinger = m.vinduer.generering;
    QCOMPARE(indstillinger->Dage(), 5);
    QCOMPARE(indstillinger->Timer(), 8);
    QCOMPARE(indstillinger->Frekvens(), 1);
    QCOMPARE(indstillinger->Styrke(), 4);
    QCOMPARE(indstillinger->GFRadioGroup3->toolTip(), QString("Frekvens"));

    generer(m);
    TMainFrame& hoved = m.hoved();
    QVERIFY(!indstillinger->isVisible());
    QVERIFY(hoved.genereret);
    QCOMPARE(hoved.StatusBar1->Tekst(beskedFelt), QString("Generereringen er afsluttet"));
    QVERIFY(hoved.Facade().SumTimer() > 0);
    QVERIFY(hoved.Facade().AntalLektionerIalt() > 0);
    kontrollerStatus(m);

    const TGenSpe* tidsVindue = m.vinduer.genSpe;
    QCOMPARE(tidsVindue->windowTitle(), QString("Tids Specifikation - Generering"));
    const QStringList etiketter = {"Kontrol af lister",
                                   "Klargoering til 1 del",
                                   "Lægning af HLPL relationer:",
                                   "Klargør til anden del:",
                                   "Lægning af HLP relationer:",
                                   "Kontrol af skemaer: ",
                                   "Total tid:"};
    for (int raekke = 1; raekke <= 7; ++raekke) {
        QCOMPARE(tidsVindue->TidGrid->Celle(0, raekke), etiketter[raekke - 1]);
        QVERIFY(tidsVindue->TidGrid->Celle(1, raekke).contains(','));
    }
    // Neither a wrong settings choice nor the write protection was touched.
    for (const auto& boks : m.modtager.bokse)
        QCOMPARE(boks.art, std::string("spoerg"));
}

void PlanVinduesTest::AutoGenereringsFremskridt()
{
    Vinduesmiljoe m;
    aabnPlan(m);
    // "Antal timer:" plays no part in automatic generation.
    m.vinduer.generering->GFRadioGroup2->Knap(1)->setChecked(true);
    QSignalSpy fremskridt(m.vinduer.autoG->ProgressBar1, &QProgressBar::valueChanged);
    const size_t tidsTitler = m.modtager.tidsTitler.size();
    m.handling("AutoGenerer")->trigger();

    QList<int> vaerdier;
    for (const auto& signal : fremskridt)
        vaerdier << signal.at(0).toInt();
    QCOMPARE(vaerdier, (QList<int>{15, 30, 45, 60, 75, 90, 100}));
    QVERIFY(!m.vinduer.autoG->isVisible());
    QCOMPARE(m.hoved().StatusBar1->Tekst(beskedFelt), QString("AutoGenerereringen er afsluttet"));
    QCOMPARE(m.modtager.tidsTitler.size(), tidsTitler); // no new title, the rows are rewritten
    QCOMPARE(m.modtager.tidsLinjer.size(), size_t{2 + 7 * 7});
    QVERIFY(m.hoved().genereret);
    kontrollerStatus(m);
    // Questions only in the first run; later runs continue from it.
    size_t spoergsmaal = 0;
    for (const auto& boks : m.modtager.bokse)
        spoergsmaal += boks.art == "spoerg";
    QVERIFY(spoergsmaal <= 2);
}

void PlanVinduesTest::SkemavindueViserHold()
{
    Vinduesmiljoe m;
    aabnPlan(m);
    generer(m);
    m.vinduer.out->Memo1->clear();
    m.modtager.logLinjer.clear();

    QTest::mouseClick(m.hoved().findChild<VaerktoejsKnap*>("MFPanel8"), Qt::LeftButton);
    auto* skema = qobject_cast<TSkemaFrame*>(m.hoved().Klientomraade->currentSubWindow()->widget());
    QVERIFY(skema);
    QTest::keyClicks(skema->SFComboBox1->lineEdit(), "Hold");
    skema->SFComboBox2->showPopup();
    skema->SFComboBox2->hidePopup();
    QCOMPARE(skema->SFComboBox2->count(), m.hoved().holdNavne.Antal());
    // Every step down the list shows that class; the last one stays.
    const int valgt = 2;
    for (int i = 0; i <= valgt; ++i) {
        m.vinduer.out->Memo1->clear();
        QTest::keyClick(skema->SFComboBox2, Qt::Key_Down);
    }
    const std::string id = skema->SFComboBox2->itemText(valgt).toStdString();
    QCOMPARE(skema->SFComboBox2->currentText().toStdString(), id);
    QCOMPARE(skema->windowTitle(), QString::fromStdString("Skema - " + id));

    // Every lesson of the class in its cell, as fag, laerer and lokale.
    Vorivazi& facade = m.hoved().Facade();
    facade.HentLektioner(id, SkemaArt::hold);
    std::map<std::pair<int, int>, QString> forventet;
    std::string hold, fag, laerer, lokale;
    int32_t dag = 0;
    int32_t time = 0;
    while (facade.TagLektion(hold, fag, laerer, lokale, dag, time))
        forventet[{dag + 1, time + 1}] = QString::fromStdString(fag + ' ' + laerer + ' ' + lokale);
    int udfyldte = 0;
    for (int kolonne = 1; kolonne <= 5; ++kolonne)
        for (int raekke = 1; raekke <= 8; ++raekke) {
            const QString celle = skema->SFStringGrid1->Celle(kolonne, raekke);
            const auto fundet = forventet.find({kolonne, raekke});
            QCOMPARE(celle, fundet == forventet.end() ? QString() : fundet->second);
            udfyldte += !celle.isEmpty();
        }
    const int32_t lagt = facade.AntalLektioner(id, SkemaArt::hold);
    const int32_t planlagt = facade.TimerFor(id, SkemaArt::hold);
    QVERIFY(lagt > 0);
    QCOMPARE(udfyldte, lagt); // one occupied cell per placed hour
    QCOMPARE(skema->StatusBar->Tekst(1), QString::number(planlagt));
    QCOMPARE(skema->StatusBar->Tekst(3), QString::number(lagt));
    QCOMPARE(skema->StatusBar->Tekst(5), procent(lagt, planlagt));
    QCOMPARE(skema->StatusBar->Tekst(7), ProcentTekst(facade.Spredning(id, SkemaArt::hold)));
    QVERIFY(skema->StatusBar->Tekst(5).contains(','));

    const QStringList linjer = memoLinjer(m);
    QVERIFY(linjer.size() >= 4 + lagt);
    QCOMPARE(linjer.mid(0, 4), (QStringList{"inde", "henter skema", "104", QString::fromStdString(id)}));
    QCOMPARE(linjer.at(4), QString::fromStdString(id));

    // Another kind empties the grid and the figures.
    skema->SFComboBox1->lineEdit()->selectAll();
    QTest::keyClicks(skema->SFComboBox1->lineEdit(), "Laerer");
    QCOMPARE(skema->SFComboBox2->count(), 0);
    QCOMPARE(skema->StatusBar->Tekst(3), QString("0"));
    for (int kolonne = 1; kolonne <= 5; ++kolonne)
        QCOMPARE(skema->SFStringGrid1->Celle(kolonne, 1), QString());
}

void PlanVinduesTest::NytProjektOgEksport()
{
    Vinduesmiljoe m;
    aabnPlan(m);
    generer(m);
    m.modtager.bokse.clear();

    // The folder is asked for, not taken from where the program was started.
    const MidlertidigMappe arbejdsmappe;
    const QTemporaryDir valgt;
    const auto eksporter = [&m](const QString& mappe) {
        MedModalDialog(
            [mappe](QWidget* dialog) {
                auto* vaelger = qobject_cast<QFileDialog*>(dialog);
                QVERIFY(vaelger != nullptr);
                QCOMPARE(vaelger->fileMode(), QFileDialog::Directory);
                if (mappe.isEmpty()) {
                    vaelger->reject();
                    return;
                }
                vaelger->setDirectory(mappe);
                vaelger->selectFile(mappe);
                QMetaObject::invokeMethod(vaelger, "accept");
            },
            [&m] { m.handling("ExportProject")->trigger(); });
    };
    eksporter(valgt.path());
    QCOMPARE(m.modtager.bokse.size(), size_t{1});
    QCOMPARE(m.modtager.bokse[0].tekst, std::string("Skemaerne er nu exporteret til 3 filer.!\n'HoldSkemaer.txt', "
                                                    "'LaererSkemaer.txt' og 'LokaleSkemaer.txt'\ni mappen ") +
                                            QDir(valgt.path()).absolutePath().toStdString());
    for (const char* fil : {"HoldSkemaer.txt", "LaererSkemaer.txt", "LokaleSkemaer.txt"}) {
        const QString sti = QDir(valgt.path()).absoluteFilePath(fil);
        QVERIFY(QFile::exists(sti));
        QVERIFY(memoLinjer(m).contains(sti));
        QVERIFY(!QFile::exists(QString::fromStdString((arbejdsmappe.Sti() / fil).string())));
    }
    // Cancelled, nothing is written or said; the folder is offered again next time.
    eksporter({});
    QCOMPARE(m.modtager.bokse.size(), size_t{1});
    QCOMPARE(QSettings("Brikken++", "Brikken++").value("udgivelse/tekst").toString(), valgt.path());

    m.handling("NytSkemaprojekt1")->trigger();
    QCOMPARE(m.modtager.bokse.back().tekst, std::string("Skemaerne i projektet er nu slettet!"));
    QVERIFY(!m.hoved().genereret);
    QCOMPARE(m.hoved().StatusBar1->Tekst(plFelt), QString::number(m.hoved().Facade().SumTimer()));
    QCOMPARE(m.hoved().StatusBar1->Tekst(llFelt), QString("0"));
    QCOMPARE(m.hoved().StatusBar1->Tekst(procentFelt), QString("0,00"));
}

void PlanVinduesTest::ManglendeTimerOgFuldfoerelse()
{
    Vinduesmiljoe m;
    aabnPlan(m);
    // Two hours a day leave many hours for the completion.
    m.vinduer.generering->GFRadioGroup2->Knap(0)->setChecked(true);
    generer(m);
    TMainFrame& hoved = m.hoved();
    const int32_t planlagt = hoved.Facade().SumTimer();
    QVERIFY(hoved.Facade().AntalLektionerIalt() < planlagt);

    QTest::mouseClick(hoved.StatusBar1->Felt(procentFelt), Qt::LeftButton);
    auto* vindue = hoved.findChild<TManglende*>("Manglende");
    // Docked beside the views, so it stays in sight while they are worked in.
    QVERIFY(vindue && vindue->isVisibleTo(&hoved));
    auto* dok = qobject_cast<QDockWidget*>(vindue->parentWidget());
    QVERIFY(dok != nullptr);
    QCOMPARE(hoved.dockWidgetArea(dok), Qt::BottomDockWidgetArea);
    QVERIFY(vindue->Tabel->topLevelItemCount() > 0);
    QVERIFY2(vindue->Tabel->topLevelItem(0)->childCount() > 0, "the hours of a row unfold");

    m.handling("Fuldfoer")->trigger();
    QVERIFY(hoved.StatusBar1->Tekst(beskedFelt).startsWith("Fuldført: placeret "));
    QCOMPARE(hoved.StatusBar1->Tekst(llFelt), QString::number(planlagt));
    kontrollerStatus(m);
    QVERIFY2(vindue->Tabel->topLevelItemCount() == 0, "the window follows the timetables");
    // The line is logged; the views that follow the completed timetables log after it.
    QVERIFY(!memoLinjer(m).filter(QRegularExpression("^Fuldført: placeret ")).isEmpty());
}

void PlanVinduesTest::UgemteSkemaerSpoergesFoerDeForlades()
{
    Vinduesmiljoe m;
    aabnPlan(m);
    TMainFrame& hoved = m.hoved();
    QCOMPARE(hoved.windowTitle(), "Brikken++ v1.0 beta - " + plan);
    generer(m);
    QCOMPARE(hoved.windowTitle(), "Brikken++ v1.0 beta - " + plan + " *");
    const int32_t lagt = hoved.Facade().AntalLektionerIalt();
    m.modtager.bokse.clear();

    // Annuller: neither "Nyt projekt", another plan nor closing goes ahead.
    m.modtager.standardJaNejSvar = Svar::annuller;
    hoved.show();
    m.handling("NytSkemaprojekt1")->trigger();
    m.handling("Hentprojekt1")->trigger(); // would block in the dialog if it were shown
    QVERIFY(!hoved.close());
    QVERIFY(hoved.isVisible());
    QCOMPARE(m.modtager.bokse.size(), size_t{3});
    for (const auto& boks : m.modtager.bokse) {
        QCOMPARE(boks.art, std::string("janej"));
        QCOMPARE(boks.tekst, std::string("Skemaerne er ikke gemt. Gem nu?"));
    }
    QCOMPARE(hoved.Facade().AntalLektionerIalt(), lagt);

    // Ja under write protection: the save is refused, so nothing is cleared.
    m.modtager.bokse.clear();
    m.modtager.jaNejSvar = {Svar::ja};
    m.handling("NytSkemaprojekt1")->trigger();
    QCOMPARE(m.modtager.bokse.back().tekst,
             std::string("Programmet er sat op til ikke at skrive til databasen!\nSlå \"Skrivebeskyt DB\" fra i menuen "
                         "Opsætning for at skrive til databasen."));
    QCOMPARE(hoved.Facade().AntalLektionerIalt(), lagt);

    // Ja with writing allowed: saved, then cleared; the cleared timetables are unsaved again.
    m.handling("SkrivebeskytDB")->trigger();
    m.modtager.bokse.clear();
    m.modtager.jaNejSvar = {Svar::ja};
    m.handling("NytSkemaprojekt1")->trigger();
    QCOMPARE(m.modtager.bokse.size(), size_t{3});
    QCOMPARE(m.modtager.bokse[1].tekst, std::string("Skemaerne er gemt i databasen!"));
    QCOMPARE(hoved.Facade().AntalLektionerIalt(), 0);
    QVERIFY(hoved.windowTitle().endsWith(" *"));

    // Saving takes the mark away; with nothing unsaved nobody is asked.
    m.handling("Gemprojekt1")->trigger();
    QCOMPARE(hoved.windowTitle(), "Brikken++ v1.0 beta - " + plan);
    m.modtager.bokse.clear();
    QVERIFY(hoved.close());
    QVERIFY(m.modtager.bokse.empty());
}

void PlanVinduesTest::PlanDialogenVaelgerFoerstePlan()
{
    Vinduesmiljoe m;
    bool valgtVedStart = false;
    bool okUdenValg = true;
    MedModalDialog(
        [&](QWidget*) {
            TPlanListeForm* dialog = m.vinduer.planListe;
            valgtVedStart = dialog->PlanListe->currentRow() == 0 && dialog->PlanListe->currentItem()->isSelected() &&
                            dialog->PlanValgKnap->isEnabled();
            dialog->PlanListe->clearSelection();
            okUdenValg = dialog->PlanValgKnap->isEnabled();
            dialog->PlanListe->setCurrentRow(0);
            QTest::mouseClick(dialog->PlanValgKnap, Qt::LeftButton);
        },
        [&] { m.handling("Hentprojekt1")->trigger(); });
    QVERIFY(valgtVedStart);
    QVERIFY(!okUdenValg);
    QVERIFY(m.modtager.bokse.empty());
    QCOMPARE(m.hoved().windowTitle(), "Brikken++ v1.0 beta - " + plan);
}

void PlanVinduesTest::AabneSkemavinduerFoelgerSkemaerne()
{
    Vinduesmiljoe m;
    aabnPlan(m);
    m.handling("SkrivebeskytDB")->trigger();
    generer(m);
    m.handling("Gemprojekt1")->trigger();

    // Opened again, the status bar shows the saved plan's figures.
    aabnPlan(m);
    TMainFrame& hoved = m.hoved();
    const QString lagt = QString::number(hoved.Facade().AntalLektionerIalt());
    QVERIFY(lagt != "0");
    QCOMPARE(hoved.StatusBar1->Tekst(llFelt), lagt);
    QCOMPARE(hoved.StatusBar1->Tekst(procentFelt),
             procent(hoved.Facade().AntalLektionerIalt(), hoved.Facade().SumTimer()));

    TSkemaFrame* skema = hoved.NytSkemavindue("Hold");
    skema->SFComboBox2->showPopup();
    skema->SFComboBox2->hidePopup();
    QTest::keyClick(skema->SFComboBox2, Qt::Key_Down);
    const QString id = skema->SFComboBox2->currentText();
    QVERIFY(!id.isEmpty());
    const QString foer = skema->StatusBar->Tekst(3);
    QVERIFY(foer != "0");

    // Every change of the timetables reaches the open view by one notice.
    QSignalSpy aendringer(&hoved, &TMainFrame::skemaerAendret);
    m.handling("NytSkemaprojekt1")->trigger();
    QCOMPARE(skema->StatusBar->Tekst(3), QString("0"));
    QCOMPARE(skema->SFComboBox2->currentText(), id);
    m.handling("AutoGenerer")->trigger();
    QCOMPARE(skema->StatusBar->Tekst(3),
             QString::number(hoved.Facade().AntalLektioner(id.toStdString(), SkemaArt::hold)));
    QVERIFY(skema->StatusBar->Tekst(3) != "0");
    generer(m);
    QCOMPARE(aendringer.count(), 3);
    kontrollerStatus(m);
}

// Lessons of the new kind stand in the views: a class's language
// groups side by side, and a joined sport lesson in each teacher's view with
// both classes.
void PlanVinduesTest::SkemavindueViserAktiviteter()
{
    using namespace std::string_literals;
    Vinduesmiljoe m;
    const std::string p = plan.toStdString();
    Skoledata s;
    s.Tilfoej("Gruppe", {p, "7.a"s, "Sprog"s, "Tysk"s});
    s.Tilfoej("Gruppe", {p, "7.a"s, "Sprog"s, "Fransk"s});
    for (const auto& [id, fag, laerer, deltager] : {std::tuple{"Ty"s, "Tysk"s, "Gorm"s, "Tysk"s},
                                                    {"Fr"s, "Engelsk"s, "Tove"s, "Fransk"s},
                                                    {"Id"s, "Idræt"s, "Dorthe"s, "tom"s}}) {
        s.Tilfoej("Aktivitet", {p, id, fag, id == "Id" ? 2 : 1, 1});
        s.Tilfoej("AktivitetDeltager", {p, id, "7.a"s, deltager});
        s.Tilfoej("AktivitetLaerer", {p, id, laerer});
    }
    s.Tilfoej("AktivitetDeltager", {p, "Id"s, "7.b"s, "tom"s});
    s.Tilfoej("AktivitetLaerer", {p, "Id"s, "Hanne"s});
    s.Tilfoej("AktivitetSkema", {p, "Ty"s, 0, 1, 1});
    s.Tilfoej("AktivitetSkema", {p, "Fr"s, 0, 1, 1});
    s.Tilfoej("AktivitetSkema", {p, "Id"s, 2, 3, 1});
    std::vector<std::string> fejl;
    QVERIFY(Skoledatabase().Tilfoej(s, fejl));
    aabnPlan(m);

    TSkemaFrame* skema = m.hoved().NytSkemavindue("Hold");
    skema->VisSkema(SkemaArt::hold, "7.a");
    QCOMPARE(skema->SFStringGrid1->Celle(1, 2), QString("Engelsk Tove / Tysk Gorm"));
    QCOMPARE(skema->SFStringGrid1->Celle(3, 4), QString("Idræt Dorthe, Hanne"));
    skema->VisSkema(SkemaArt::laerer, "Hanne");
    QCOMPARE(skema->SFStringGrid1->Celle(3, 4), QString("7.a, 7.b Idræt"));

    // The sport's second hour is missing, and the list of missing hours says so.
    QTest::mouseClick(m.hoved().StatusBar1->Felt(procentFelt), Qt::LeftButton);
    auto* manglende = m.hoved().findChild<TManglende*>("Manglende");
    QVERIFY(manglende != nullptr && manglende->Tabel->topLevelItemCount() > 0);
    const QTreeWidgetItem* aktiviteter = manglende->Tabel->topLevelItem(manglende->Tabel->topLevelItemCount() - 1);
    QCOMPARE(aktiviteter->text(0), QString("Aktiviteter"));
    QCOMPARE(aktiviteter->childCount(), 1);
    QCOMPARE(aktiviteter->child(0)->text(0), QString("7.a, 7.b"));
    QCOMPARE(aktiviteter->child(0)->text(7), QString("1"));
}

namespace {

QStringList gitterTekster(const TSkemaFrame& skema)
{
    QStringList ud;
    for (int kolonne = 1; kolonne <= 5; ++kolonne)
        for (int raekke = 1; raekke <= 8; ++raekke)
            ud.append(skema.SFStringGrid1->Celle(kolonne, raekke));
    return ud;
}

// Drags the data over the view's hour (days and hours from 0) and drops it there.
void slip(TSkemaFrame& skema, QMimeData* data, Placering til)
{
    QWidget* flade = skema.SFStringGrid1->viewport();
    const QRect celle = skema.SFStringGrid1->visualItemRect(skema.SFStringGrid1->item(til.raekke, til.kolonne + 1));
    QDragEnterEvent ind(celle.center(), Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(flade, &ind);
    QDropEvent slip(celle.center(), Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(flade, &slip);
    delete data;
}

} // namespace

void PlanVinduesTest::HaandredigeringMedTraekOgFortryd()
{
    Vinduesmiljoe m;
    aabnPlan(m);
    generer(m);
    TSkemaFrame* skema = m.hoved().NytSkemavindue();
    skema->VisSkema(SkemaArt::hold, "1.a");
    TSkemaFrame* ida = m.hoved().NytSkemavindue();
    ida->VisSkema(SkemaArt::laerer, "Ida");
    const QStringList foer = gitterTekster(*skema);
    const QStringList idaFoer = gitterTekster(*ida);
    QCOMPARE(skema->SFStringGrid1->Celle(4, 1), QString("Kristendom Ida A1"));

    // Thursday's first hour dragged: free, swap and refused hours in their colours.
    Haandredigering& redigering = *skema->Redigering;
    redigering.FarvMaal({3, 0});
    const auto farve = [&](int dag, int time) {
        return skema->SFStringGrid1->item(time, dag + 1)->background().color();
    };
    const QColor groen = farve(3, 6);
    QCOMPARE(farve(0, 4), QColor(0xf6, 0xe7, 0x8c));
    QCOMPARE(skema->SFStringGrid1->item(4, 1)->toolTip(), QString("Byt med 1.a Klassenstid"));
    QCOMPARE(groen, QColor(0xb8, 0xe6, 0xb0));
    QCOMPARE(farve(0, 5), QColor(0xf0, 0xa8, 0xa8));
    QCOMPARE(skema->SFStringGrid1->item(5, 1)->toolTip(),
             QString("byt med 1.a Engelsk_ind: læreren Gorm er optaget af 2.b Engelsk_ind"));
    redigering.FjernFarver();
    QCOMPARE(gitterTekster(*skema), foer);

    // A drop on the hour column or from another view does nothing; a refused drop neither.
    slip(*skema, redigering.Traekdata({3, 0}), {-1, 2});
    slip(*skema, ida->Redigering->Traekdata({3, 0}), {0, 4});
    slip(*skema, redigering.Traekdata({3, 0}), {0, 5});
    QCOMPARE(gitterTekster(*skema), foer);
    QCOMPARE(m.hoved().Fortrydelser().count(), 0);

    // The swap, seen in the class and the teacher views, undone and redone.
    slip(*skema, redigering.Traekdata({3, 0}), {0, 4});
    QCOMPARE(skema->SFStringGrid1->Celle(1, 5), QString("Kristendom Ida A1"));
    QCOMPARE(skema->SFStringGrid1->Celle(4, 1), QString("Klassenstid Anne A1"));
    QCOMPARE(ida->SFStringGrid1->Celle(1, 5), QString("1.a Kristendom A1"));
    QVERIFY(m.hoved().windowTitle().endsWith(" *"));
    const QStringList efter = gitterTekster(*skema);
    QCOMPARE(m.hoved().Fortrydelser().undoText(), QString("byt 1.a Kristendom"));
    m.hoved().Fortrydelser().undo();
    QCOMPARE(gitterTekster(*skema), foer);
    QCOMPARE(gitterTekster(*ida), idaFoer);
    m.hoved().Fortrydelser().redo();
    QCOMPARE(gitterTekster(*skema), efter);

    // Keyboard: Ctrl+Right moves the selected lesson, Delete removes it; both undo.
    skema->SFStringGrid1->setCurrentCell(4, 1);
    QTest::keyClick(skema->SFStringGrid1, Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(skema->SFStringGrid1->Celle(2, 5), QString("Kristendom Ida A1"));
    QTest::keyClick(skema->SFStringGrid1, Qt::Key_Delete);
    QCOMPARE(skema->SFStringGrid1->Celle(2, 5), QString());
    QCOMPARE(m.hoved().Fortrydelser().undoText(), QString("fjern 1.a Kristendom"));
    m.hoved().Fortrydelser().undo();
    m.hoved().Fortrydelser().undo();
    m.hoved().Fortrydelser().undo();
    QCOMPARE(gitterTekster(*skema), foer);

    // A pin shows in the cell and is undone like the moves.
    QVERIFY(redigering.SaetFastlaast({3, 0}, true));
    QCOMPARE(skema->SFStringGrid1->Celle(4, 1), fastlaastMaerke + "Kristendom Ida A1");
    QCOMPARE(m.hoved().Fortrydelser().undoText(), QString("Fastlås 1.a Kristendom"));
    m.hoved().Fortrydelser().undo();
    QCOMPARE(gitterTekster(*skema), foer);

    generer(m);
    QCOMPARE(m.hoved().Fortrydelser().count(), 0);
}

// A joined sport lesson dragged in the view of a teacher whom only it names
// moves for both classes at once; undone, pinned, and then refused a move.
void PlanVinduesTest::AktivitetFlyttesHelOgFortrydes()
{
    using namespace std::string_literals;
    Vinduesmiljoe m;
    const std::string p = plan.toStdString();
    Skoledata s;
    s.Tilfoej("Aktivitet", {p, "Id"s, "Idræt"s, 2, 1});
    for (const std::string hold : {"7.a", "7.b"})
        s.Tilfoej("AktivitetDeltager", {p, "Id"s, hold, "tom"s});
    for (const std::string laerer : {"Dorthe", "Xena"})
        s.Tilfoej("AktivitetLaerer", {p, "Id"s, laerer});
    s.Tilfoej("AktivitetSkema", {p, "Id"s, 2, 3, 1});
    std::vector<std::string> fejl;
    QVERIFY(Skoledatabase().Tilfoej(s, fejl));
    aabnPlan(m);

    TSkemaFrame* xena = m.hoved().NytSkemavindue("Laerer");
    xena->VisSkema(SkemaArt::laerer, "Xena");
    QCOMPARE(xena->SFComboBox2->currentText(), QString("Xena"));
    QCOMPARE(xena->SFStringGrid1->Celle(3, 4), QString("7.a, 7.b Idræt"));
    TSkemaFrame* klasse = m.hoved().NytSkemavindue("Hold");
    klasse->VisSkema(SkemaArt::hold, "7.b");
    const QStringList foer = gitterTekster(*klasse);
    QCOMPARE(klasse->SFStringGrid1->Celle(3, 4), QString("Idræt Dorthe, Xena"));

    slip(*xena, xena->Redigering->Traekdata({2, 3}), {3, 1});
    QCOMPARE(klasse->SFStringGrid1->Celle(3, 4), QString());
    QCOMPARE(klasse->SFStringGrid1->Celle(4, 2), QString("Idræt Dorthe, Xena"));
    QCOMPARE(xena->SFStringGrid1->Celle(4, 2), QString("7.a, 7.b Idræt"));
    const QStringList efter = gitterTekster(*klasse);
    QCOMPARE(m.hoved().Fortrydelser().undoText(), QString("flyt Idræt 7.a, 7.b"));
    m.hoved().Fortrydelser().undo();
    QCOMPARE(gitterTekster(*klasse), foer);
    m.hoved().Fortrydelser().redo();
    QCOMPARE(gitterTekster(*klasse), efter);

    QVERIFY(klasse->Redigering->SaetFastlaast({3, 1}, true));
    QCOMPARE(klasse->SFStringGrid1->Celle(4, 2), fastlaastMaerke + "Idræt Dorthe, Xena");
    QCOMPARE(m.hoved().Fortrydelser().undoText(), QString("Fastlås Idræt 7.a, 7.b"));
    slip(*klasse, klasse->Redigering->Traekdata({3, 1}), {4, 1});
    QCOMPARE(m.hoved().StatusBar1->Tekst(beskedFelt), QString("Flytningen er afvist: lektionen er fastlåst"));
    QCOMPARE(gitterTekster(*klasse).at(3 * 8 + 1), fastlaastMaerke + "Idræt Dorthe, Xena");
    m.hoved().Fortrydelser().undo();
    QCOMPARE(gitterTekster(*klasse), efter);
}

void PlanVinduesTest::ManglendeTimeTraekkesIndISkemaet()
{
    Vinduesmiljoe m;
    aabnPlan(m);
    m.vinduer.generering->GFRadioGroup2->Knap(0)->setChecked(true);
    generer(m);
    TMainFrame& hoved = m.hoved();
    m.handling("ManglendeTimer")->trigger();
    auto* vindue = hoved.findChild<TManglende*>("Manglende");
    const std::optional<Timekrav> krav = KravFra(std::unique_ptr<QMimeData>(vindue->Traekdata(0)).get());
    QVERIFY(krav);
    TSkemaFrame* klasse = hoved.NytSkemavindue();
    klasse->VisSkema(SkemaArt::hold, QString::fromStdString(krav->hold));
    const QStringList foer = gitterTekster(*klasse);
    const int32_t manglerFoer = hoved.Facade().Manglende().Mangler();

    klasse->Redigering->FarvPlacering(*krav);
    std::optional<Placering> groen;
    for (int dag = 0; dag < 5 && !groen; ++dag)
        for (int time = 0; time < 8 && !groen; ++time)
            if (klasse->SFStringGrid1->item(time, dag + 1)->background().color() == QColor(0xb8, 0xe6, 0xb0))
                groen = Placering{dag, time};
    QVERIFY(groen);
    // Each hour says what a drop there would do: the one found is free; the class's own first hour is refused, and why.
    QCOMPARE(klasse->SFStringGrid1->item(groen->raekke, groen->kolonne + 1)->toolTip(), QString("Ledig time"));
    QCOMPARE(klasse->SFStringGrid1->item(0, 1)->background().color(), QColor(0xf0, 0xa8, 0xa8));
    QVERIFY(!klasse->SFStringGrid1->item(0, 1)->toolTip().isEmpty());
    QVERIFY(klasse->SFStringGrid1->item(0, 1)->toolTip() != "Ledig time");
    klasse->Redigering->FjernFarver();

    // A drop on an hour the class already has changes nothing.
    slip(*klasse, vindue->Traekdata(0), {0, 0});
    QCOMPARE(gitterTekster(*klasse), foer);
    QCOMPARE(hoved.Fortrydelser().count(), 0);

    slip(*klasse, vindue->Traekdata(0), *groen);
    const QString celle = klasse->SFStringGrid1->Celle(groen->kolonne + 1, groen->raekke + 1);
    QVERIFY(celle.startsWith(QString::fromStdString(krav->fag + " " + krav->laerer + " ")));
    TSkemaFrame* laerer = hoved.NytSkemavindue();
    laerer->VisSkema(SkemaArt::laerer, QString::fromStdString(krav->laerer));
    QVERIFY(laerer->SFStringGrid1->Celle(groen->kolonne + 1, groen->raekke + 1)
                .startsWith(QString::fromStdString(krav->hold + " " + krav->fag)));
    TSkemaFrame* lokale = hoved.NytSkemavindue();
    lokale->VisSkema(SkemaArt::lokale, celle.section(' ', -1));
    QVERIFY(lokale->SFStringGrid1->Celle(groen->kolonne + 1, groen->raekke + 1)
                .startsWith(QString::fromStdString(krav->hold + " " + krav->fag)));
    QCOMPARE(hoved.Facade().Manglende().Mangler(), manglerFoer - krav->blok);
    QCOMPARE(hoved.Fortrydelser().undoText(), QString::fromStdString("placér " + krav->hold + " " + krav->fag));

    hoved.Fortrydelser().undo();
    QCOMPARE(gitterTekster(*klasse), foer);
    QCOMPARE(hoved.Facade().Manglende().Mangler(), manglerFoer);
}

void PlanVinduesTest::SkoledataGemningLaeserPlanenIgen()
{
    Vinduesmiljoe m;
    aabnPlan(m);
    generer(m);
    TMainFrame& hoved = m.hoved();
    hoved.show();
    m.handling("SkrivebeskytDB")->setChecked(false);
    m.handling("Skoledata")->trigger();
    TSkoledata* data = hoved.findChildren<TSkoledata*>().back();
    Skoledatamodel& hold = *data->ModelFor("Hold");
    int raekke = 0;
    while (hold.Id(raekke) != "1.a")
        ++raekke;
    m.modtager.svar = {true};
    hold.setData(hold.index(raekke, 0), "1.x");
    QCoreApplication::processEvents();
    QCOMPARE(hold.Id(raekke), std::string("1.x"));

    // Annuller: the unsaved timetables and the school data stay as they are.
    m.modtager.bokse.clear();
    m.modtager.jaNejSvar = {Svar::annuller};
    QVERIFY(!data->Gem());
    QCOMPARE(m.modtager.bokse.size(), size_t{1});
    QVERIFY(m.modtager.bokse[0].tekst.find("Skemaerne i planen Plan2026 er ikke gemt") != std::string::npos);
    QVERIFY(hoved.Facade().AntalLektionerIalt() > 0);

    // Nej: saved, and the plan read again with the new class and without the dropped timetables.
    m.modtager.jaNejSvar = {Svar::nej};
    QVERIFY(data->Gem());
    QCOMPARE(hoved.windowTitle(), "Brikken++ v1.0 beta - " + plan);
    QCOMPARE(hoved.Facade().AntalLektionerIalt(), 0);
    const auto hold1 = tabel(hoved.holdNavne);
    QVERIFY(std::find(hold1.begin(), hold1.end(), "1.x") != hold1.end());
    QVERIFY(std::find(hold1.begin(), hold1.end(), "1.a") == hold1.end());
    QVERIFY(!hoved.genereret);

    // The plan as read again is what is stored: saving asks nobody.
    generer(m);
    m.modtager.bokse.clear();
    m.handling("Gemprojekt1")->trigger();
    QCOMPARE(m.modtager.bokse.size(), size_t{1});
    QCOMPARE(m.modtager.bokse[0].tekst, std::string("Skemaerne er gemt i databasen!"));

    // A renamed open plan is gone under its old name: it is closed, and said so.
    data->LaesIgen(); // the window's lessons are the ones stored before the save
    Skoledatamodel& planer = *data->ModelFor("Plan");
    m.modtager.svar = {true};
    planer.setData(planer.index(0, 0), "Plan2030");
    QCoreApplication::processEvents();
    QVERIFY2(data->Gem(), m.modtager.bokse.back().tekst.c_str());
    QVERIFY(m.modtager.bokse.back().tekst.find("Planen Plan2026 findes ikke længere") != std::string::npos);
    QVERIFY(!hoved.Facade().ErAaben());
    QCOMPARE(hoved.windowTitle(), QString("Brikken++ v1.0 beta - <tom>"));
    data->close();
}

void PlanVinduesTest::GenereringLaeggerTilEllerBegynderForfra()
{
    Vinduesmiljoe m;
    aabnPlan(m);
    TGenereringsFrame& dialog = *m.vinduer.generering;
    const auto generer = [&m, &dialog](bool rydFoerst, int timerIndeks) {
        dialog.GFRadioGroup2->Knap(timerIndeks)->setChecked(true);
        MedModalDialog(
            [&dialog, rydFoerst](QWidget*) {
                if (rydFoerst)
                    dialog.RydFoerst->setChecked(true);
                QTest::mouseClick(dialog.Button1, Qt::LeftButton);
            },
            [&m] { m.handling("Beregnskemaer1")->trigger(); });
        return m.hoved().Facade().AntalLektionerIalt();
    };
    const int32_t toTimer = generer(false, 0);
    QVERIFY(toTimer > 0);
    QVERIFY(!dialog.RydFoerst->isChecked());

    // The dialog says what a second generation adds to; without clearing it adds.
    MedModalDialog([&dialog](QWidget*) { dialog.reject(); }, [&m] { m.handling("Beregnskemaer1")->trigger(); });
    QVERIFY(dialog.Tilfoejelse->text().contains(QString::number(toTimer) + " lektionstimer, der allerede er placeret"));
    QVERIFY(dialog.RydFoerst->isEnabled());
    const int32_t tilfoejet = generer(false, 6);
    QVERIFY(tilfoejet > toTimer);

    // Cleared first, it starts afresh: only the first two hours of each day hold lessons.
    QVERIFY(generer(true, 0) < tilfoejet);
    QVERIFY(m.hoved().genereret);
    Vorivazi& facade = m.hoved().Facade();
    for (int32_t i = 0; i < m.hoved().holdNavne.Antal(); ++i) {
        for (const LektionsData& l : facade.Lektioner(m.hoved().holdNavne[i], SkemaArt::hold))
            QVERIFY2(l.raekke < 2, l.hold.c_str());
    }
}

void PlanVinduesTest::SkemavindueVokserOgViserPlanensUge()
{
    Vinduesmiljoe m;
    SqlKlasse sql(Datakilde::database);
    QVERIFY(sql.UdfoerSql("update Plan set Kolonne_P = 4, Raekke_P = 6 where PlanID_P = 'Plan2026'"));
    aabnPlan(m);
    generer(m);
    m.hoved().resize(1200, 900);
    m.hoved().show();
    TSkemaFrame* skema = m.hoved().NytSkemavindue("Laerer");
    QCOMPARE(skema->size(), QSize(464, 225));
    QCOMPARE(skema->SFStringGrid1->columnCount(), 1 + 4);
    QCOMPARE(skema->SFStringGrid1->rowCount(), 6);
    QCOMPARE(skema->SFStringGrid1->Celle(4, 0), QString("Torsdag"));
    skema->SFComboBox2->showPopup();
    skema->SFComboBox2->hidePopup();
    for (int i = 0; i < skema->SFComboBox2->count(); ++i)
        QVERIFY2(skema->SFComboBox2->itemText(i) != "tom", "tom is no teacher");
    skema->VisSkema(SkemaArt::laerer, "Hanne");

    // The grid fills the grown window, and each lesson has its subject's colour of the published forms.
    skema->parentWidget()->resize(900, 600);
    QCoreApplication::processEvents();
    QCOMPARE(skema->SFStringGrid1->width(), skema->width());
    QVERIFY(skema->SFStringGrid1->geometry().bottom() + skema->StatusBar->height() >= skema->height() - 1);
    const std::map<std::string, std::string> farver = FagFarver(m.hoved().Facade());
    int farvede = 0;
    for (const LektionsData& l : m.hoved().Facade().Lektioner("Hanne", SkemaArt::laerer)) {
        const QTableWidgetItem* celle = skema->SFStringGrid1->item(l.raekke, l.kolonne + 1);
        QCOMPARE(celle->background().color(), QColor(QString::fromStdString(farver.at(l.fag))));
        ++farvede;
    }
    QVERIFY(farvede > 0);

    // A longer week: Saturday and ten hours, in an open view too.
    QVERIFY(sql.UdfoerSql("update Plan set Kolonne_P = 6, Raekke_P = 10 where PlanID_P = 'Plan2026'"));
    aabnPlan(m);
    QCOMPARE(skema->SFStringGrid1->columnCount(), 1 + 6);
    QCOMPARE(skema->SFStringGrid1->rowCount(), 10);
    QCOMPARE(skema->SFStringGrid1->Celle(6, 0), QString("Lørdag"));
    QCOMPARE(skema->SFStringGrid1->Celle(0, 10), QString("10"));
}

void PlanVinduesTest::GenereringsdialogenFoelgerPlanensUgeOgRegler()
{
    Vinduesmiljoe m;
    SqlKlasse sql(Datakilde::database);
    TGenereringsFrame& dialog = *m.vinduer.generering;
    const auto iDialogen = [&m](const std::function<void(QWidget*)>& goer) {
        MedModalDialog(goer, [&m] { m.handling("Beregnskemaer1")->trigger(); });
    };

    // A short week keeps the classic choices with its own hours chosen, and its views show its own five hours.
    QVERIFY(sql.UdfoerSql("update Plan set Kolonne_P = 5, Raekke_P = 5 where PlanID_P = 'Plan2026'"));
    aabnPlan(m);
    iDialogen([&dialog](QWidget*) {
        dialog.reject();
        QCOMPARE(dialog.GFRadioGroup1->Antal(), 5);
        QCOMPARE(dialog.GFRadioGroup2->Antal(), 7);
        QCOMPARE(dialog.Timer(), 5);
        QVERIFY(dialog.Spred->isChecked());
        QVERIFY(!dialog.DelDobbelte->isChecked());
        dialog.reject();
    });
    TSkemaFrame* skema = m.hoved().NytSkemavindue();
    QCOMPARE(skema->SFStringGrid1->rowCount(), 5);

    // A longer week is offered whole, and the rules chosen are the plan's.
    QVERIFY(sql.UdfoerSql("update Plan set Kolonne_P = 6, Raekke_P = 16 where PlanID_P = 'Plan2026'"));
    aabnPlan(m);
    iDialogen([&dialog](QWidget*) {
        QCOMPARE(dialog.Dage(), 6);
        QCOMPARE(dialog.Timer(), 16);
        for (int i = 0; i < 15; ++i)
            QVERIFY(dialog.GFRadioGroup2->Knap(i)->width() >= dialog.GFRadioGroup2->Knap(i)->sizeHint().width());
        dialog.Spred->setChecked(false);
        dialog.DelDobbelte->setChecked(true);
        QTest::mouseClick(dialog.Button1, Qt::LeftButton);
    });
    Vorivazi& facade = m.hoved().Facade();
    QVERIFY(!facade.Regler().Spreder());
    QVERIFY(facade.DelDobbelte());
    QVERIFY(!m.handling("Spred")->isChecked());
    for (const LektionsData& l : facade.Lektioner("1.a", SkemaArt::hold))
        QVERIFY(l.raekke < 16 && l.kolonne < 6);
}

void PlanVinduesTest::FortrydTilbageTilDetGemteFjernerStjernen()
{
    Vinduesmiljoe m;
    aabnPlan(m);
    generer(m);
    m.handling("SkrivebeskytDB")->setChecked(false);
    m.handling("Gemprojekt1")->trigger();
    TMainFrame& hoved = m.hoved();
    const QString gemt = "Brikken++ v1.0 beta - " + plan;
    QCOMPARE(hoved.windowTitle(), gemt);

    TSkemaFrame* skema = hoved.NytSkemavindue();
    skema->VisSkema(SkemaArt::hold, "1.a");
    slip(*skema, skema->Redigering->Traekdata({3, 0}), {0, 4});
    QCOMPARE(hoved.windowTitle(), gemt + " *");
    hoved.Fortrydelser().undo();
    QCOMPARE(hoved.windowTitle(), gemt);
    hoved.Fortrydelser().redo();
    QCOMPARE(hoved.windowTitle(), gemt + " *");

    // After a generation the list starts afresh, and its first step is no longer what is stored.
    generer(m);
    slip(*skema, skema->Redigering->Traekdata({3, 0}), {0, 4});
    QCOMPARE(hoved.Fortrydelser().count(), 1);
    hoved.Fortrydelser().undo();
    QCOMPARE(hoved.windowTitle(), gemt + " *");
}

void PlanVinduesTest::StopHolderDetBedsteFundne()
{
    Vinduesmiljoe m;
    // Short of a room type, so the completion also says what stands in the way.
    QVERIFY(SqlKlasse(Datakilde::database)
                .UdfoerSql("delete from LokalePlan where LokaleID_LP in (select LokaleID_ALo from Lokale where "
                           "Lokaletype_ALo = 'Gymnastiksal')"));
    aabnPlan(m);
    m.vinduer.generering->GFRadioGroup2->Knap(0)->setChecked(true);
    generer(m);
    TMainFrame& hoved = m.hoved();
    const int32_t lagtFoer = hoved.Facade().AntalLektionerIalt();

    // "Stop" as soon as the progress dialog is up: the search ends early, and what it found is kept.
    bool stoppet = false;
    MedModaleDialoger({[&stoppet](QWidget* dialog) {
                          auto* fremskridt = qobject_cast<QProgressDialog*>(dialog);
                          QVERIFY(fremskridt != nullptr);
                          QCOMPARE(fremskridt->windowTitle(), QString("Fuldfør skemaet"));
                          fremskridt->cancel();
                          stoppet = true;
                      }},
                      [&m] { m.handling("Fuldfoer")->trigger(); });
    QVERIFY(stoppet);
    QVERIFY(hoved.StatusBar1->Tekst(beskedFelt).startsWith("Fuldført: placeret " + QString::number(lagtFoer) + "→"));
    QVERIFY(!hoved.StatusBar1->Tekst(beskedFelt).contains('\n'));
    QCOMPARE(m.modtager.bokse.back().art, std::string("info"));
    QVERIFY(m.modtager.bokse.back().tekst.find("\nUmuligt: Planen har ingen lokaler af typen Gymnastiksal") !=
            std::string::npos);
    QVERIFY(hoved.Facade().AntalLektionerIalt() >= lagtFoer);
    QVERIFY(hoved.findChild<QProgressDialog*>() == nullptr || !hoved.findChild<QProgressDialog*>()->isVisible());
    kontrollerStatus(m);
}

void PlanVinduesTest::KontrolAfPlanenFoerGenerering()
{
    Vinduesmiljoe m;
    QVERIFY(!m.handling("KontrollerPlan")->isEnabled());
    aabnPlan(m);
    QVERIFY(m.handling("KontrollerPlan")->isEnabled());
    m.handling("KontrollerPlan")->trigger();
    auto* vindue = m.hoved().findChild<TPlankontrol*>("Plankontrol");
    QVERIFY(vindue && vindue->isVisible());
    QCOMPARE(vindue->windowTitle(), "Kontrollér planen " + plan);
    QCOMPARE(vindue->Opsummering->text(), QString("Planen kan lægges, men se 6 advarsler før du genererer."));
    const QString fund = vindue->Fundliste->toPlainText();
    QVERIFY(fund.startsWith("Advarsler"));
    QVERIFY(fund.contains("9.a har intet stamlokale."));
    QVERIFY2(!fund.contains("umuligt"), qPrintable(fund));
}

namespace {

// Every lesson hour of the open plan, in a fixed order.
std::vector<std::string> alleLektioner(Vorivazi& facade)
{
    std::vector<std::string> ud;
    for (const LektionsData& l : facade.AlleLektioner())
        ud.push_back(l.hold + " " + l.fag + " " + l.laerer + " " + l.lokale + " " + std::to_string(l.blok) + " " +
                     std::to_string(l.kolonne) + "," + std::to_string(l.raekke));
    std::sort(ud.begin(), ud.end());
    return ud;
}

} // namespace

// Nyt projekt, a cancelled fresh generation and a copy of a plan with unsaved lessons: nothing is lost by one click.
void PlanVinduesTest::IntetTabesVedEtKlik()
{
    Vinduesmiljoe m;
    aabnPlan(m);
    generer(m);
    TMainFrame& hoved = m.hoved();
    Vorivazi& facade = hoved.Facade();
    const std::vector<std::string> genereret = alleLektioner(facade);
    QVERIFY(!genereret.empty());

    // Nyt projekt asks about the unsaved timetables first, and Fortryd brings every lesson back.
    const size_t bokse = m.modtager.bokse.size();
    m.modtager.jaNejSvar.push_back(Svar::nej);
    m.handling("NytSkemaprojekt1")->trigger();
    QCOMPARE(m.modtager.bokse.size(), bokse + 2);
    QCOMPARE(m.modtager.bokse[bokse].art, std::string("janej"));
    QCOMPARE(m.modtager.bokse.back().tekst, std::string("Skemaerne i projektet er nu slettet!"));
    QCOMPARE(facade.AntalLektionerIalt(), 0);
    QVERIFY(hoved.Fortrydelser().canUndo());
    hoved.Fortrydelser().undo();
    QCOMPARE(alleLektioner(facade), genereret);
    QCOMPARE(hoved.StatusBar1->Tekst(llFelt), QString::number(genereret.size()));
    hoved.Fortrydelser().redo();
    QCOMPARE(facade.AntalLektionerIalt(), 0);
    hoved.Fortrydelser().undo();
    QCOMPARE(alleLektioner(facade), genereret);

    // "Ryd skemaerne først" with a question of the generation answered Annuller: the timetables, the views
    // and the missing hours stay as they were.
    TSkemaFrame* skema = hoved.NytSkemavindue();
    skema->VisSkema(SkemaArt::hold, "1.a");
    const QStringList vist = gitterTekster(*skema);
    m.handling("ManglendeTimer")->trigger();
    const QString mangler = hoved.findChild<TManglende*>("Manglende")->Sum->text();
    m.modtager.standardSvar = false;
    const size_t spoergsmaal = m.modtager.bokse.size();
    MedModalDialog(
        [&m](QWidget*) {
            m.vinduer.generering->RydFoerst->setChecked(true);
            QTest::mouseClick(m.vinduer.generering->Button1, Qt::LeftButton);
        },
        [&m] { m.handling("Beregnskemaer1")->trigger(); });
    m.modtager.standardSvar = true;
    QVERIFY(std::any_of(m.modtager.bokse.begin() + static_cast<std::ptrdiff_t>(spoergsmaal), m.modtager.bokse.end(),
                        [](const TestModtager::Boks& b) { return b.art == "spoerg"; }));
    QCOMPARE(alleLektioner(facade), genereret);
    QCOMPARE(gitterTekster(*skema), vist);
    QCOMPARE(hoved.findChild<TManglende*>("Manglende")->Sum->text(), mangler);
    kontrollerStatus(m);

    // Kopiér plan with the lessons while the generated ones are unsaved: saved first, so the copy has them.
    m.handling("SkrivebeskytDB")->setChecked(false);
    m.modtager.jaNejSvar.push_back(Svar::ja);
    MedModaleDialoger({[](QWidget* d) {
                           qobject_cast<QInputDialog*>(d)->setTextValue(plan);
                           QMetaObject::invokeMethod(d, "accept", Qt::QueuedConnection);
                       },
                       [](QWidget* d) {
                           qobject_cast<QInputDialog*>(d)->setTextValue("Kopi2026");
                           QMetaObject::invokeMethod(d, "accept", Qt::QueuedConnection);
                       },
                       [](QWidget* d) { qobject_cast<QMessageBox*>(d)->button(QMessageBox::Yes)->click(); }},
                      [&m] { m.handling("KopierPlan")->trigger(); });
    QCOMPARE(m.modtager.bokse.back().tekst, std::string("Planen Plan2026 er kopieret til Kopi2026."));
    Vorivazi kopi(Datakilde::database);
    QVERIFY(kopi.AabnPlan("Kopi2026"));
    QCOMPARE(kopi.AntalLektionerIalt(), static_cast<int32_t>(genereret.size()));
    QVERIFY(!hoved.windowTitle().endsWith('*'));
}

// The first hour of a new planner: the plan list at once (later the last plan), the first result in sight,
// views named after what they show, help from every window, views that keep their shape.
void PlanVinduesTest::FoersteTimeFinderVej()
{
    Vinduesmiljoe m;
    TMainFrame& hoved = m.hoved();
    hoved.show();
    QVERIFY(QTest::qWaitForWindowExposed(&hoved));

    // Without a last plan the list comes up by itself; with one, that plan opens at once.
    MedModalDialog(
        [&m](QWidget* dialog) {
            QCOMPARE(dialog, m.vinduer.planListe);
            m.vinduer.planListe->PlanListe->setCurrentItem(
                m.vinduer.planListe->PlanListe->findItems(plan, Qt::MatchExactly).first());
            QTest::mouseClick(m.vinduer.planListe->PlanValgKnap, Qt::LeftButton);
        },
        [&hoved] { hoved.Begynd(); });
    QCOMPARE(QString::fromStdString(hoved.Facade().PlanId()), plan);
    const Vorivazi* foerste = &hoved.Facade();
    bool listeVist = false;
    MedModalDialog(
        [&listeVist](QWidget* dialog) {
            listeVist = true;
            QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
        },
        [&hoved] { hoved.Begynd(); });
    QVERIFY(!listeVist);
    QVERIFY(&hoved.Facade() != foerste);
    QCOMPARE(hoved.StatusBar1->Tekst(beskedFelt), QString("Planen er indlæst!"));
    QVERIFY(hoved.windowTitle().contains(plan));

    // After the first generation: the first class's timetable and the missing hours with their total.
    QVERIFY(hoved.Klientomraade->subWindowList().isEmpty());
    generer(m);
    QCOMPARE(hoved.Klientomraade->subWindowList().size(), 1);
    auto* skema = qobject_cast<TSkemaFrame*>(hoved.Klientomraade->subWindowList().first()->widget());
    QCOMPARE(skema->windowTitle(), QString("Skema - 1.a"));
    QVERIFY(hoved.findChild<TManglende*>("Manglende")->isVisibleTo(&hoved));
    QVERIFY(hoved.findChild<TManglende*>("Manglende")->Sum->text().startsWith("Manglende timer i alt: "));
    // In the order a planner reads them, not backwards.
    QStringList hold;
    for (int i = 0; i < skema->SFComboBox2->count(); ++i)
        hold << skema->SFComboBox2->itemText(i);
    QCOMPARE(hold.first(), QString("1.a"));
    QVERIFY(hold.indexOf("2.a") < hold.indexOf("9.a"));

    // New views are named after what they show.
    QCOMPARE(hoved.NytSkemavindue()->windowTitle(), QString("Nyt skema"));
    QCOMPARE(hoved.NytSkemavindue("Laerer")->windowTitle(), QString("Nyt lærerskema"));

    // A view too small for its hours scrolls to them instead of cutting them off.
    skema->parentWidget()->resize(300, 130);
    QTRY_VERIFY(skema->SFStringGrid1->verticalScrollBar()->maximum() > 0);

    // F1 in the school-data window and in the (modal) generation dialog opens the guide at their sections.
    m.handling("Skoledata")->trigger();
    auto* skoledata = hoved.findChild<TSkoledata*>();
    QVERIFY(skoledata);
    QTest::keyClick(skoledata, Qt::Key_F1);
    auto* hjaelp = hoved.findChild<Hjaelpevindue*>("Hjaelpevindue");
    QVERIFY(hjaelp && hjaelp->isVisible());
    for (const char* emne : {"Kontrollér planen", "Manglende timer", "Fuldførelse", "Håndredigering", "Fastlåsning",
                             "Skoledata", "Import", "Udgivelse", "Kommandolinjen"})
        QVERIFY2(hjaelp->toPlainText().contains(QString::fromUtf8(emne)), emne);
    skoledata->close();
    bool hjaelpIDialogen = false;
    MedModalDialog(
        [&hjaelpIDialogen](QWidget* dialog) {
            QTest::keyClick(dialog, Qt::Key_F1);
            auto* egen = dialog->findChild<Hjaelpevindue*>();
            hjaelpIDialogen = egen != nullptr && egen->isVisible();
            QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
        },
        [&m] { m.handling("Beregnskemaer1")->trigger(); });
    QVERIFY(hjaelpIDialogen);

    // The generation dialog's choices sit above OK and Annuller.
    const TGenereringsFrame& dialog = *m.vinduer.generering;
    QVERIFY(dialog.Button1->y() > dialog.DelDobbelte->geometry().bottom());
    QVERIFY(dialog.Button1->geometry().bottom() < dialog.height());

    // A message written by a handler (a refused drop) stays when the mouse enters the control it is over again.
    QEvent ind(QEvent::Enter);
    QApplication::sendEvent(hoved.StatusBar1, &ind);
    QCursor::setPos(hoved.Klientomraade->mapToGlobal(hoved.Klientomraade->rect().center()));
    hoved.VisStatustekst("Flytningen er afvist: lærer optaget");
    QWidget* under = QApplication::widgetAt(QCursor::pos());
    QVERIFY(under);
    QApplication::sendEvent(under, &ind);
    QCOMPARE(hoved.StatusBar1->Tekst(beskedFelt), QString("Flytningen er afvist: lærer optaget"));

    // A 6-day plan switched to a 5-day one: the days share the view's width, no strip where Lørdag stood.
    SqlKlasse sql(Datakilde::database);
    QVERIFY(sql.UdfoerSql("update Plan set Kolonne_P = 6 where PlanID_P = 'Plan2026'"));
    aabnPlan(m);
    TSkemaFrame* uge = hoved.NytSkemavindue("Hold");
    QCOMPARE(uge->SFStringGrid1->columnCount(), 7);
    QVERIFY(sql.UdfoerSql("update Plan set Kolonne_P = 5 where PlanID_P = 'Plan2026'"));
    aabnPlan(m);
    QCOMPARE(uge->SFStringGrid1->columnCount(), 6);
    int bredde = 0;
    for (int kolonne = 0; kolonne < 6; ++kolonne)
        bredde += uge->SFStringGrid1->columnWidth(kolonne);
    QVERIFY2(std::abs(bredde - uge->SFStringGrid1->viewport()->width()) <= 1,
             qPrintable(QString::number(bredde) + " " + QString::number(uge->SFStringGrid1->viewport()->width())));
}

void PlanVinduesTest::UdgivelseSpoergerHvorMedPlanensNavn()
{
    Vinduesmiljoe m;
    aabnPlan(m);
    generer(m);
    const QTemporaryDir mappe;

    // Without a printer "Print skema" asks where the PDF goes, offering the timetable's name.
    if (!QPrinterInfo::defaultPrinter().isNull())
        QSKIP("this machine has a printer");
    PrinterUdskriver printer;
    Udskriver* const forrige = Udskriver::SaetAktiv(&printer);
    const auto tilbage = qScopeGuard([forrige] { Udskriver::SaetAktiv(forrige); });
    TSkemaFrame* skema = m.hoved().NytSkemavindue("Hold");
    skema->SFComboBox2->showPopup();
    skema->SFComboBox2->hidePopup();
    QTest::keyClick(skema->SFComboBox2, Qt::Key_Down);
    QVERIFY(!skema->SFComboBox2->currentText().isEmpty());
    const QString fil = QDir(mappe.path()).filePath("1a");
    QString foreslaaet;
    MedModalDialog(
        [&](QWidget* dialog) {
            auto* vaelger = qobject_cast<QFileDialog*>(dialog);
            QVERIFY(vaelger != nullptr);
            foreslaaet = vaelger->selectedFiles().value(0);
            vaelger->selectFile(fil);
            QMetaObject::invokeMethod(vaelger, "accept");
        },
        [skema] { skema->Udskriv(); });
    QVERIFY2(foreslaaet.endsWith("Skema " + skema->SFComboBox2->currentText() + ".pdf"), qPrintable(foreslaaet));
    QFile pdf(fil + ".pdf");
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");

    // The export dialogs offer the open plan's name, also after another plan was exported.
    const auto forslag = [&m] {
        QString navn;
        MedModalDialog(
            [&navn](QWidget* dialog) {
                auto* vaelger = qobject_cast<QFileDialog*>(dialog);
                QVERIFY(vaelger != nullptr);
                navn = QFileInfo(vaelger->selectedFiles().value(0)).fileName();
                vaelger->reject();
            },
            [&m] { m.handling("EksporterCsv")->trigger(); });
        return navn;
    };
    QCOMPARE(forslag(), QString("Skemaer Plan2026.csv"));
    aabnPlan(m, "Plan2027");
    QCOMPARE(forslag(), QString("Skemaer Plan2027.csv"));
}

void PlanVinduesTest::PlanensReglerMedTilstand()
{
    using namespace std::string_literals;
    Vinduesmiljoe m;
    Skoledata regler;
    regler.Tilfoej("Planregel",
                   {"Plan2026"s, 1, "lærer dage"s, "Hanne"s, "tom"s, "tom"s, "tom"s, "tom"s, "tom"s, 5, 80});
    regler.Tilfoej("Planregel", {"Plan2026"s, 2, "pause"s, "tom"s, "tom"s, "tom"s, "tom"s, "tom"s, "tom"s, 0, 100});
    regler.Tilfoej("PlanregelTid", {"Plan2026"s, 2, 0, 0});
    std::vector<std::string> fejl;
    QVERIFY(Skoledatabase().Tilfoej(regler, fejl));
    aabnPlan(m);
    generer(m);

    // The generation keeps no pause: the broken requirement comes first, in red, and the sum counts it.
    m.handling("Regler")->trigger();
    auto* vindue = m.hoved().findChild<TRegler*>("Regler");
    QVERIFY(vindue && vindue->isVisibleTo(&m.hoved()));
    QCOMPARE(vindue->Tabel->topLevelItemCount(), 2);
    const QTreeWidgetItem* foerste = vindue->Tabel->topLevelItem(0);
    QCOMPARE(foerste->text(1), QString("pause"));
    QCOMPARE(foerste->text(2), QString("krav"));
    QCOMPARE(foerste->text(3), QString("brudt"));
    QVERIFY(!foerste->text(5).isEmpty());
    QCOMPARE(foerste->foreground(0).color(), QColor(170, 0, 0));
    QCOMPARE(vindue->Tabel->topLevelItem(1)->text(2), QString("80 %"));
    QCOMPARE(vindue->Tabel->topLevelItem(1)->text(3), QString("holdt"));
    QCOMPARE(vindue->Sum->text(), QString("Regler: 2, holdt 1, brudt 1 (heraf krav 1)"));

    // Emptied timetables keep every rule, and the open window follows them.
    m.handling("NytSkemaprojekt1")->trigger();
    QCOMPARE(vindue->Sum->text(), QString("Regler: 2, holdt 2, brudt 0 (heraf krav 0)"));
}

int main(int argc, char* argv[]) { return KoerVinduesTest<PlanVinduesTest>(argc, argv); }
