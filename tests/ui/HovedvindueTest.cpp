#include "HovedvindueTest.h"

#include "UiTestMain.h"

#include "Vinduesmiljoe.h"
#include "ui/faelles/Lokaltal.h"
#include "ui/faelles/Oversaettelse.h"
#include "ui/faelles/Navnetabel.h"
#include "ui/skema/Rulleliste.h"
#include "ui/hoved/Statuslinje.h"
#include "ui/hoved/TGenSpe.h"
#include "ui/hoved/TOut.h"
#include "ui/skema/TSkemaFrame.h"
#include "ui/skema/TekstGitter.h"
#include "ui/hoved/VaerktoejsKnap.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

namespace {

constexpr int beskedFelt = 8;

void visOgVent(QWidget* vindue)
{
    vindue->show();
    QVERIFY(QTest::qWaitForWindowExposed(vindue));
}

VaerktoejsKnap* knap(Vinduesmiljoe& m, const char* navn) { return m.hoved().findChild<VaerktoejsKnap*>(navn); }

TSkemaFrame* aktivtSkema(Vinduesmiljoe& m)
{
    QMdiSubWindow* aktiv = m.hoved().Klientomraade->currentSubWindow();
    return aktiv ? qobject_cast<TSkemaFrame*>(aktiv->widget()) : nullptr;
}

} // namespace

void HovedvindueTest::StartTilstand()
{
    Vinduesmiljoe m(TestDatabase::Indhold::Tom);
    TMainFrame& hoved = m.hoved();
    QCOMPARE(hoved.windowTitle(), QString("Brikken++ v1.0 beta - <tom>"));
    QVERIFY(m.handling("SkrivebeskytDB")->isChecked());
    QVERIFY(!m.handling("Beregnskemaer1")->isEnabled());
    QVERIFY(!m.handling("AutoGenerer")->isEnabled());
    QVERIFY(!knap(m, "MFPanel9")->isEnabled());
    QCOMPARE(m.handling("Hentprojekt1")->shortcut(), QKeySequence("Ctrl+H"));
    QCOMPARE(m.handling("Exit1")->shortcut(), QKeySequence("Ctrl+E"));
    for (const int felt : {1, 3, 5, 7})
        QCOMPARE(hoved.StatusBar1->Tekst(felt), QString("0"));
    QCOMPARE(hoved.StatusBar1->Tekst(0), QString("PL:"));
    QCOMPARE(hoved.StatusBar1->Felt(beskedFelt)->width(), 400);
    // Nothing to clear before a plan is open: no message either.
    m.handling("NytSkemaprojekt1")->trigger();
    QVERIFY(m.modtager.bokse.empty());
}

void HovedvindueTest::SkrivebeskyttelseAfviserGemning()
{
    Vinduesmiljoe m(TestDatabase::Indhold::Tom);
    visOgVent(&m.hoved());
    m.handling("Gemprojekt1")->trigger();
    QTest::mouseClick(knap(m, "MFPanel4"), Qt::LeftButton);
    QCOMPARE(m.modtager.bokse.size(), size_t{2});
    for (const auto& boks : m.modtager.bokse) {
        QCOMPARE(boks.tekst, std::string("Programmet er sat op til ikke at skrive til databasen!\nSlå \"Skrivebeskyt "
                                         "DB\" fra i menuen Opsætning for at skrive til databasen."));
        QCOMPARE(boks.titel, std::string("En fejl er opstået!"));
    }
    QVERIFY(m.modtager.tidsTitler.empty()); // nothing was saved
}

void HovedvindueTest::EksportUdenPlanAfvises()
{
    Vinduesmiljoe m(TestDatabase::Indhold::Tom);
    for (const char* handling : {"ExportProject", "EksporterPdf", "EksporterHtml", "EksporterCsv"}) {
        m.modtager.bokse.clear();
        m.handling(handling)->trigger();
        QCOMPARE(m.modtager.bokse.size(), size_t{1});
        QCOMPARE(m.modtager.bokse[0].tekst, std::string("Der er ikke åbnet nogen plan!"));
        QCOMPARE(m.modtager.bokse[0].titel, std::string("En fejl er opstået!"));
    }
}

void HovedvindueTest::PrintUdenSkemavindueAfvises()
{
    Vinduesmiljoe m(TestDatabase::Indhold::Tom);
    m.handling("Printskema1")->trigger();
    QCOMPARE(m.modtager.bokse.size(), size_t{1});
    QCOMPARE(m.modtager.bokse[0].tekst, std::string("Intet at printe"));
    QCOMPARE(m.modtager.bokse[0].titel, std::string("En fejl er opstået!"));
}

void HovedvindueTest::PrintFraNytSkemavindue()
{
    Vinduesmiljoe m(TestDatabase::Indhold::Tom);
    visOgVent(&m.hoved());
    QTest::mouseClick(knap(m, "MFPanel8"), Qt::LeftButton);
    TSkemaFrame* skema = aktivtSkema(m);
    QVERIFY(skema);
    QCOMPARE(skema->windowTitle(), QString("Nyt skema"));
    QCOMPARE(skema->SFStringGrid1->Celle(1, 0), QString("Mandag"));
    QCOMPARE(skema->SFStringGrid1->Celle(5, 0), QString("Fredag"));
    QCOMPARE(skema->SFStringGrid1->Celle(0, 8), QString("8"));
    QVERIFY(!skema->SFComboBox2->isEnabled());

    m.handling("Printskema1")->trigger();
    QTest::mouseClick(knap(m, "MFPanel10"), Qt::LeftButton);
    TSkemaFrame* holdskema = aktivtSkema(m);
    QVERIFY(holdskema && holdskema != skema);
    QCOMPARE(holdskema->SFComboBox1->currentText(), QString("Hold"));
    QVERIFY(holdskema->SFComboBox2->isEnabled());
    m.handling("Printskema1")->trigger();

    QCOMPARE(m.modtager.bokse.size(), size_t{2});
    QCOMPARE(m.modtager.bokse[0].tekst, std::string("Vælge venligst en type førend der printes!"));
    QCOMPARE(m.modtager.bokse[1].tekst, std::string("Intet at printe, gået tidligt hjem idag"));
    QCOMPARE(m.modtager.bokse[1].titel, std::string("En fejl er opstået!"));

    // Closing every view leaves nothing to print.
    QTest::mouseClick(knap(m, "MFPanel6"), Qt::LeftButton);
    QTRY_VERIFY(m.hoved().Klientomraade->subWindowList().isEmpty());
}

void HovedvindueTest::SmaaBogstaverIType()
{
    Vinduesmiljoe m(TestDatabase::Indhold::Tom);
    m.hoved().holdNavne.Tilfoej("1.a");
    TSkemaFrame* skema = m.hoved().NytSkemavindue();
    QTest::keyClicks(skema->SFComboBox1->lineEdit(), "hold");
    QVERIFY(skema->SFComboBox2->isEnabled());
    skema->SFComboBox2->showPopup();
    skema->SFComboBox2->hidePopup();
    QCOMPARE(skema->SFComboBox2->count(), 0);

    // The exact kind lists the ids, once, however often it drops down.
    skema->SFComboBox1->lineEdit()->clear();
    QTest::keyClicks(skema->SFComboBox1->lineEdit(), "Hold");
    for (int gang = 0; gang < 2; ++gang) {
        skema->SFComboBox2->showPopup();
        skema->SFComboBox2->hidePopup();
    }
    QCOMPARE(skema->SFComboBox2->count(), 1);
    QCOMPARE(skema->SFComboBox2->currentText(), QString()); // nothing chosen yet
    QVERIFY(m.modtager.bokse.empty());
}

void HovedvindueTest::SoegerBlandtHundredvisAfHold()
{
    Vinduesmiljoe m(TestDatabase::Indhold::Tom);
    for (int i = 0; i < 300; ++i)
        m.hoved().holdNavne.Tilfoej("hold" + std::to_string(i));
    TSkemaFrame* skema = m.hoved().NytSkemavindue();
    QTest::keyClicks(skema->SFComboBox1->lineEdit(), "Hold");

    // About to be typed into, the list fills as it does before dropping down.
    QFocusEvent fokus(QEvent::FocusIn);
    QApplication::sendEvent(skema->SFComboBox2, &fokus);
    QCOMPARE(skema->SFComboBox2->count(), 300);
    QCompleter* forslag = skema->SFComboBox2->completer();
    forslag->setCompletionPrefix("LD29");
    QCOMPARE(forslag->completionCount(), 11); // hold29 and hold290 ... hold299

    QTest::keyClicks(skema->SFComboBox2->lineEdit(), "hold42");
    QTest::keyClick(skema->SFComboBox2->lineEdit(), Qt::Key_Return);
    QCOMPARE(skema->windowTitle(), QString("Skema - hold42"));
}

void HovedvindueTest::HintISidsteFelt()
{
    Vinduesmiljoe m(TestDatabase::Indhold::Tom);
    visOgVent(&m.hoved());
    Statuslinje* status = m.hoved().StatusBar1;
    QTest::mouseMove(knap(m, "MFPanel1"));
    QTRY_COMPARE(status->Tekst(beskedFelt), QString("Nyt skema"));
    QCOMPARE(knap(m, "MFPanel1")->toolTip(), QString()); // no short part
    QTest::mouseMove(knap(m, "MFPanel4"));
    QTRY_COMPARE(status->Tekst(beskedFelt), QString("Gem Skemaer til databasen!"));
    QCOMPARE(knap(m, "MFPanel4")->toolTip(), QString("Gem Skemaer til databasen!"));
    // A control without a hint of its own, in a parent without one, empties the field.
    QTest::mouseMove(knap(m, "MFPanel10"));
    QTRY_COMPARE(status->Tekst(beskedFelt), QString());
    // A message stays while the hint under the mouse does not change.
    m.hoved().VisStatustekst("Planen er indlæst!");
    QTest::mouseMove(knap(m, "MFPanel11"));
    QTest::qWait(20);
    QCOMPARE(status->Tekst(beskedFelt), QString("Planen er indlæst!"));
}

void HovedvindueTest::VaerktoejsknapperHaevesVedMusOver()
{
    Vinduesmiljoe m(TestDatabase::Indhold::Tom);
    visOgVent(&m.hoved());
    QTest::mouseMove(knap(m, "MFPanel2"));
    QTRY_VERIFY(knap(m, "MFPanel2")->ErHaevet());
    // A jump straight to a button two places away leaves the first one raised:
    // only the listed neighbours are flattened.
    QTest::mouseMove(knap(m, "Panel1"));
    QTRY_VERIFY(knap(m, "Panel1")->ErHaevet());
    QVERIFY(knap(m, "MFPanel2")->ErHaevet());
    QTest::mouseMove(knap(m, "MFPanel4"));
    QTRY_VERIFY(knap(m, "MFPanel4")->ErHaevet());
    QVERIFY(!knap(m, "MFPanel2")->ErHaevet());
    QVERIFY(knap(m, "Panel1")->ErHaevet()); // not a listed neighbour of MFPanel4
    // The bare client area flattens every button.
    QTest::mouseMove(m.hoved().Klientomraade->viewport());
    QTRY_VERIFY(!knap(m, "MFPanel4")->ErHaevet());
    QVERIFY(!knap(m, "Panel1")->ErHaevet());
}

void HovedvindueTest::GenererKnapDeaktiveret()
{
    Vinduesmiljoe m(TestDatabase::Indhold::Tom);
    visOgVent(&m.hoved());
    VaerktoejsKnap* generer = knap(m, "MFPanel9");
    QTest::mouseMove(generer);
    QTest::qWait(20);
    QVERIFY(!generer->ViserFremhaevet());
    QVERIFY(!generer->ErHaevet());
    QTest::mouseClick(generer, Qt::LeftButton);
    QVERIFY(!QApplication::activeModalWidget()); // the settings did not open

    m.hoved().AktiverGenerering();
    QTest::mouseMove(knap(m, "MFPanel11"));
    QTest::mouseMove(generer);
    QTRY_VERIFY(generer->ViserFremhaevet());
    QTest::mouseMove(knap(m, "MFPanel12"));
    QTRY_VERIFY(!generer->ViserFremhaevet());
}

void HovedvindueTest::CommunicatorSletOgStoerrelse()
{
    Vinduesmiljoe m(TestDatabase::Indhold::Tom);
    TOut* out = m.vinduer.out;
    QVERIFY(!out->isVisible());
    Besked().Log("en linje");
    Besked().LogTal(-7);
    QCOMPARE(out->Memo1->toPlainText(), QString("en linje\n-7"));

    m.handling("CommBox")->trigger();
    QVERIFY(out->isVisible());
    out->resize(500, 300);
    QTRY_COMPARE(out->Memo1->size(), QSize(494, 245));
    QCOMPARE(out->Slet->pos(), QPoint(200, 248));

    QTest::mouseClick(out->Slet, Qt::LeftButton);
    QCOMPARE(out->Memo1->toPlainText(), QString());
    m.handling("CommBox")->trigger();
    QVERIFY(!out->isVisible());
    // Closing the window itself takes the check mark away too.
    m.handling("CommBox")->trigger();
    out->close();
    QVERIFY(!m.handling("CommBox")->isChecked());
}

void HovedvindueTest::TidsSpecifikation()
{
    Vinduesmiljoe m(TestDatabase::Indhold::Tom);
    TGenSpe* tidsVindue = m.vinduer.genSpe;
    QCOMPARE(tidsVindue->TidGrid->Celle(0, 0), QString("Operation"));
    QCOMPARE(tidsVindue->TidGrid->Celle(1, 0), QString("Tid (sek)"));
    for (int raekke = 1; raekke <= 7; ++raekke)
        QCOMPARE(tidsVindue->TidGrid->Celle(0, raekke), QString());

    Besked().TidsTitel("Gemning");
    Besked().TidsLinje(0.5, "Sletning af lektioner:", 1);
    Besked().TidsLinje(1234.5, "Total: ", 5);
    QCOMPARE(tidsVindue->windowTitle(), QString("Tids Specifikation - Gemning"));
    QCOMPARE(tidsVindue->TidGrid->Celle(1, 1), QString("0,500000"));
    QCOMPARE(tidsVindue->TidGrid->Celle(1, 5), QString("1.234,500000"));
    QCOMPARE(tidsVindue->TidGrid->Celle(0, 5), QString("Total: "));

    // Showing and hiding keeps the rows; "&Hent projekt" does not show it when unchecked.
    m.handling("Specifikationer")->trigger();
    QVERIFY(tidsVindue->isVisible());
    m.handling("Specifikationer")->trigger();
    QVERIFY(!tidsVindue->isVisible());
    QCOMPARE(tidsVindue->TidGrid->Celle(1, 1), QString("0,500000"));
    MedModalDialog([](QWidget* dialog) { dialog->close(); }, [&] { m.handling("Hentprojekt1")->trigger(); });
    QVERIFY(!tidsVindue->isVisible());
    QCOMPARE(tidsVindue->windowTitle(), QString("Tids Specifikation - Hentning"));
    QCOMPARE(tidsVindue->TidGrid->Celle(1, 5), QString());
}

void HovedvindueTest::BeskedboksSvar()
{
    Vinduesmiljoe m(TestDatabase::Indhold::Tom);
    VinduesModtager vinduer(m.vinduer);
    const auto tryk = [](QMessageBox::StandardButton knap) {
        return [knap](QWidget* dialog) {
            auto* boks = qobject_cast<QMessageBox*>(dialog);
            QVERIFY(boks);
            QCOMPARE(boks->windowTitle(), QString("Accept af handling!"));
            QTest::mouseClick(boks->button(knap), Qt::LeftButton);
        };
    };
    bool svar = false;
    MedModalDialog(tryk(QMessageBox::Ok), [&] { svar = vinduer.spoerg("Spørgsmål", "Accept af handling!"); });
    QVERIFY(svar);
    MedModalDialog(tryk(QMessageBox::Cancel), [&] { svar = vinduer.spoerg("Spørgsmål", "Accept af handling!"); });
    QVERIFY(!svar);
    svar = true;
    MedModalDialog([](QWidget* dialog) { dialog->close(); },
                   [&] { svar = vinduer.spoerg("Spørgsmål", "Accept af handling!"); });
    QVERIFY(!svar); // closing counts as Cancel
    // A careful question goes on only when OK is chosen: Enter alone cancels.
    svar = true;
    MedModalDialog([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Return); },
                   [&] { svar = vinduer.spoergForsigtigt("Overskriv?", "Accept af handling!"); });
    QVERIFY(!svar);
    MedModalDialog(tryk(QMessageBox::Ok),
                   [&] { svar = vinduer.spoergForsigtigt("Overskriv?", "Accept af handling!"); });
    QVERIFY(svar);

    MedModalDialog(
        [](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Meddelelse"));
            dialog->close();
        },
        [&] { QCOMPARE(vinduer.visInfo("Printer Skema"), knapOK); });
}

void HovedvindueTest::NavnetabelLaegerIkkeOverkanten()
{
    Navnetabel tabel;
    for (int i = 0; i < 500; ++i) // far beyond the old fixed table
        tabel.Tilfoej("id" + std::to_string(i));
    QCOMPARE(tabel.Antal(), 500);
    QCOMPARE(tabel[499], std::string("id499"));
    QCOMPARE(tabel[500], std::string());
    QCOMPARE(tabel[-1], std::string());
    tabel.Ryd();
    QCOMPARE(tabel.Antal(), 0);
    QCOMPARE(tabel[0], std::string());
}

void HovedvindueTest::SkemaMenuenAabnerSkemavinduer()
{
    Vinduesmiljoe m(TestDatabase::Indhold::Tom);
    const std::vector<std::pair<const char*, QString>> punkter = {
        {"Nytskema1", ""}, {"Nytholdskema1", "Hold"}, {"Nytlaererskema1", "Laerer"}, {"Nytlokaleskema1", "Lokale"}};
    for (const auto& [navn, type] : punkter) {
        m.handling(navn)->trigger();
        TSkemaFrame* skema = aktivtSkema(m);
        QVERIFY2(skema, navn);
        QCOMPARE(skema->SFComboBox1->currentText(), type);
        QCOMPARE(skema->SFComboBox2->isEnabled(), !type.isEmpty());
    }
    QCOMPARE(m.hoved().Klientomraade->subWindowList().size(), 4);
}

void HovedvindueTest::SidevinduerDaekkerIkkeBeskeder()
{
    Vinduesmiljoe m(TestDatabase::Indhold::Tom);
    // Above the main window as its own windows, but not above a message box.
    for (QWidget* vindue : {static_cast<QWidget*>(m.vinduer.out), static_cast<QWidget*>(m.vinduer.genSpe)}) {
        QCOMPARE(vindue->parentWidget(), &m.hoved());
        QVERIFY(vindue->isWindow());
        QVERIFY(!vindue->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }
}

void HovedvindueTest::HjaelpOgForklaringer()
{
    Vinduesmiljoe m(TestDatabase::Indhold::Tom);
    m.handling("Indhold1")->trigger();
    auto* hjaelp = m.hoved().findChild<QTextBrowser*>("Hjaelpevindue");
    QVERIFY(hjaelp);
    QVERIFY(hjaelp->isVisible());
    const QString tekst = hjaelp->toPlainText();
    for (const char* ord :
         {"PL", "LL", "L%", "ML", "CV%", "Antal dage", "Antal timer", "Frekvens", "Styrke", "Skrivebeskyt DB"})
        QVERIFY2(tekst.contains(ord), ord);

    // Each figure and its caption say what they count.
    const Statuslinje* status = m.hoved().StatusBar1;
    for (const int felt : {0, 1, 2, 3, 4, 5, 6, 7})
        QVERIFY(!status->Felt(felt)->toolTip().isEmpty());
    QCOMPARE(status->Felt(0)->toolTip(), status->Felt(1)->toolTip());
    m.handling("Nytskema1")->trigger();
    for (const int felt : {0, 1, 2, 3, 4, 5, 6, 7})
        QVERIFY(!aktivtSkema(m)->StatusBar->Felt(felt)->toolTip().isEmpty());
}

void HovedvindueTest::DanskeTalOgQtsDanskeDialoger()
{
    // The tests run under the C locale: the windows write Danish figures all the same.
    QCOMPARE(ProcentTekst(200.0 / 3), QString("66,70"));
    QCOMPARE(ProcentTekst(0.0), QString("0,00"));
    QCOMPARE(SekunderTekst(1234.5), QString("1.234,500000"));
    QVERIFY(BrugDanskeQtTekster(*qApp));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Annuller"));
    QCOMPARE(QLocale().decimalPoint(), QString(","));
}

int main(int argc, char* argv[]) { return KoerVinduesTest<HovedvindueTest>(argc, argv); }
