#include "SkoledataTest.h"

#include "db/SqlKlasse.h"

#include "UiTestMain.h"

#include "Vinduesmiljoe.h"
#include "app/Vorivazi.h"
#include "skoledata/Skoledatabase.h"
#include "ui/skoledata/Prioritetsgitter.h"
#include "ui/skoledata/Skoledatamodel.h"
#include "ui/skoledata/TSkoledata.h"
#include "ui/skoledata/Vaerdidelegat.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QTableView>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

void SlaaSkrivebeskyttelseFra(Vinduesmiljoe& m) { m.handling("SkrivebeskytDB")->setChecked(false); }

TSkoledata* AabnVindue(Vinduesmiljoe& m)
{
    m.handling("Skoledata")->trigger();
    const auto vinduer = m.hoved().findChildren<TSkoledata*>();
    return vinduer.isEmpty() ? nullptr : vinduer.back();
}

// The row of the model whose first column holds the id, or -1.
int RaekkeMed(const Skoledatamodel& model, const QString& id)
{
    for (int r = 0; r < model.rowCount(); ++r) {
        if (model.index(r, 0).data().toString() == id)
            return r;
    }
    return -1;
}

void SvarTekst(QWidget* dialog, const QString& tekst)
{
    auto* spoergsmaal = qobject_cast<QInputDialog*>(dialog);
    QVERIFY(spoergsmaal != nullptr);
    spoergsmaal->setTextValue(tekst);
    spoergsmaal->accept();
}

void TrykKnap(QWidget* dialog, QMessageBox::StandardButton knap)
{
    auto* boks = qobject_cast<QMessageBox*>(dialog);
    QVERIFY(boks != nullptr);
    boks->button(knap)->click();
}

// Appends a row with the values, typed column by column as the planner does.
int TilfoejRaekke(Skoledatamodel& model, const QVariantList& vaerdier)
{
    model.TilfoejRaekke();
    const int r = model.rowCount() - 1;
    for (int k = 0; k < vaerdier.size(); ++k)
        model.setData(model.index(r, k), vaerdier[k]);
    return r;
}

} // namespace

void SkoledataTest::RedigerGemOgGenaabn()
{
    Vinduesmiljoe m;
    SlaaSkrivebeskyttelseFra(m);
    TSkoledata* vindue = AabnVindue(m);
    QVERIFY(vindue != nullptr);
    Skoledatamodel& fag = *vindue->ModelFor("Fag");
    Skoledatamodel& hold = *vindue->ModelFor("Hold");
    const int dansk = RaekkeMed(fag, "Dansk_ind");
    QVERIFY(fag.setData(fag.index(dansk, 1), 8));

    // A new class without an id: refused before anything is written, and the typing stays.
    const Skoledata foer = Skoledatabase().Laes();
    hold.TilfoejRaekke();
    const int ny = hold.rowCount() - 1;
    QVERIFY(hold.index(ny, 0).data(Qt::ToolTipRole).toString().contains("må ikke være tom"));
    QVERIFY(!vindue->Gem());
    QCOMPARE(m.modtager.bokse.back().art, std::string("fejl"));
    QVERIFY(m.modtager.bokse.back().tekst.find("Hold (): hold må ikke være tom") != std::string::npos);
    QVERIFY(Skoledatabase().Laes().raekker == foer.raekker);
    QCOMPARE(fag.index(dansk, 1).data().toInt(), 8);

    hold.setData(hold.index(ny, 0), "1.c");
    hold.setData(hold.index(ny, 1), "Indskoling");
    vindue->PlanValg->setCurrentText("Plan2026");
    vindue->LaererValg->setCurrentText("Anne");
    Prioritetsgitter& uge = *vindue->Prioriteter();
    QCOMPARE(uge.columnCount(), 5);
    QCOMPARE(uge.rowCount(), 8);
    uge.Skift(uge.index(2, 1));
    uge.Skift(uge.index(2, 1));
    m.modtager.svar = {false};
    QVERIFY2(!vindue->close(), "unsaved changes are not thrown away without asking");
    QVERIFY(vindue->Gem());
    QVERIFY(vindue->close());

    TSkoledata* igen = AabnVindue(m);
    QVERIFY(RaekkeMed(*igen->ModelFor("Hold"), "1.c") >= 0);
    Skoledatamodel& fagIgen = *igen->ModelFor("Fag");
    QCOMPARE(fagIgen.index(RaekkeMed(fagIgen, "Dansk_ind"), 1).data().toInt(), 8);
    igen->PlanValg->setCurrentText("Plan2026");
    igen->LaererValg->setCurrentText("Anne");
    QCOMPARE(igen->Prioriteter()->Prioritet(1, 2), 2);
    QCOMPARE(igen->Prioriteter()->index(2, 1).data().toString(), QString("+2"));
}

void SkoledataTest::OmdoebningSpoergerOgFoelgerMed()
{
    Vinduesmiljoe m;
    SlaaSkrivebeskyttelseFra(m);
    TSkoledata* vindue = AabnVindue(m);
    QVERIFY(vindue != nullptr);
    Skoledatamodel& hold = *vindue->ModelFor("Hold");
    const int r = RaekkeMed(hold, "1.a");
    QSignalSpy oensker(&hold, &Skoledatamodel::omdoebningOensket);

    // The model asks nobody and changes nothing; the window asks once the edit is over.
    m.modtager.svar = {false};
    QVERIFY(!hold.setData(hold.index(r, 0), "1.x"));
    QVERIFY(m.modtager.bokse.empty());
    QCOMPARE(oensker.size(), 1);
    QCoreApplication::processEvents();
    QVERIFY(m.modtager.bokse.back().tekst.find("hold 1.a bruges af") != std::string::npos);
    QCOMPARE(hold.index(r, 0).data().toString(), QString("1.a"));

    // Ids the rules refuse and ids already given are refused and reported, never carried through.
    const size_t bokse = m.modtager.bokse.size();
    for (const auto& [id, grund] :
         {std::pair{"", "Hold: hold må ikke være tom"}, std::pair{" ", "Hold: hold må ikke være tom"},
          std::pair{"1.b", "Hold: hold 1.b findes allerede"}}) {
        QVERIFY(!hold.setData(hold.index(r, 0), id));
        QCoreApplication::processEvents();
        QCOMPARE(m.modtager.bokse.back().tekst, std::string(grund));
    }
    QCOMPARE(m.modtager.bokse.size(), bokse + 3);
    QCOMPARE(oensker.size(), 1);
    QCOMPARE(hold.index(r, 0).data().toString(), QString("1.a"));

    m.modtager.svar = {true};
    QVERIFY(!hold.setData(hold.index(r, 0), "1.x"));
    QCoreApplication::processEvents();
    QCOMPARE(hold.index(r, 0).data().toString(), QString("1.x"));
    QVERIFY(vindue->Gem());
    const Skoledata gemt = Skoledatabase().Laes();
    QVERIFY(gemt.Afhaengige(Felt::Hold, "1.a").empty());
    QVERIFY(!gemt.Afhaengige(Felt::Hold, "1.x").empty());
}

void SkoledataTest::CsvUdOgIndIgen()
{
    Vinduesmiljoe m;
    TSkoledata* vindue = AabnVindue(m);
    QVERIFY(vindue != nullptr);
    Skoledatamodel& fag = *vindue->ModelFor("Fag");
    const std::vector<Raekke> foer = fag.Data().Af("Fag");
    QTemporaryDir mappe;
    const QString fil = mappe.filePath("Fag.csv");
    QVERIFY(vindue->EksporterCsv(fag, fil));

    fag.SletRaekke(0);
    QVERIFY(vindue->ImporterCsv(fag, fil));
    QVERIFY(fag.Data().Af("Fag") == foer);

    QFile brudt(mappe.filePath("brudt.csv"));
    QVERIFY(brudt.open(QIODevice::WriteOnly));
    brudt.write("fag;timer\n");
    brudt.close();
    QVERIFY(!vindue->ImporterCsv(fag, brudt.fileName()));
    QVERIFY(m.modtager.bokse.back().tekst.find("overskrifterne skal være fag;ugetimer;lokaletype") !=
            std::string::npos);
    QVERIFY(fag.Data().Af("Fag") == foer);
}

void SkoledataTest::KopierPlanGennemDialogerne()
{
    Vinduesmiljoe m;
    SlaaSkrivebeskyttelseFra(m);
    MedModaleDialoger({[](QWidget* d) { SvarTekst(d, "Plan2026"); }, [](QWidget* d) { SvarTekst(d, "Plan2030"); },
                       [](QWidget* d) { TrykKnap(d, QMessageBox::No); }},
                      [&m] { m.handling("KopierPlan")->trigger(); });
    QVERIFY(!m.modtager.bokse.empty());
    QCOMPARE(m.modtager.bokse.back().tekst, std::string("Planen Plan2026 er kopieret til Plan2030."));
    const Skoledata gemt = Skoledatabase().Laes();
    QVERIFY(gemt.HarPlan("Plan2030"));
    QVERIFY(!gemt.Afhaengige(Felt::Plan, "Plan2030").empty());
}

void SkoledataTest::SkrivebeskyttelsenGaelderSkoledata()
{
    Vinduesmiljoe m;
    const Skoledata foer = Skoledatabase().Laes();
    const std::string slaaFra = "Slå \"Skrivebeskyt DB\" fra i menuen Opsætning";

    // Refused before a single question is asked.
    for (const char* handling : {"KopierPlan", "Importer"}) {
        m.modtager.bokse.clear();
        MedModaleDialoger({}, [&m, handling] { m.handling(handling)->trigger(); });
        QCOMPARE(m.modtager.bokse.size(), size_t{1});
        QCOMPARE(m.modtager.bokse.back().art, std::string("fejl"));
        QVERIFY(m.modtager.bokse.back().tekst.find(slaaFra) != std::string::npos);
    }

    TSkoledata* vindue = AabnVindue(m);
    Skoledatamodel& fag = *vindue->ModelFor("Fag");
    QVERIFY(fag.setData(fag.index(RaekkeMed(fag, "Dansk_ind"), 1), 8));
    QVERIFY(!vindue->Gem());
    QVERIFY(m.modtager.bokse.back().tekst.find(slaaFra) != std::string::npos);
    QVERIFY(Skoledatabase().Laes().raekker == foer.raekker);
    QCOMPARE(fag.index(RaekkeMed(fag, "Dansk_ind"), 1).data().toInt(), 8);

    SlaaSkrivebeskyttelseFra(m);
    QVERIFY(vindue->Gem());
    m.modtager.svar = {true};
    vindue->close();
}

void SkoledataTest::UtilgaengeligeTimerMedHoejreklikOgOverskrifter()
{
    Vinduesmiljoe m;
    auto facade = std::make_unique<Vorivazi>(Datakilde::database);
    QVERIFY(facade->AabnPlan("Plan2027"));
    m.hoved().SkiftFacade(std::move(facade));
    TSkoledata* vindue = AabnVindue(m);
    QCOMPARE(vindue->PlanValg->currentText(), QString("Plan2027")); // the plan that is open
    vindue->LaererValg->setCurrentText("Anne");
    Prioritetsgitter& uge = *vindue->Prioriteter();
    vindue->show();
    QCoreApplication::processEvents();

    // Right click steps down, round from -3 to +3.
    const QModelIndex tirsdagAnden = uge.index(1, 1);
    const QPoint punkt = vindue->Gitter->visualRect(tirsdagAnden).center();
    QCOMPARE(uge.Prioritet(1, 1), 0);
    emit vindue->Gitter->customContextMenuRequested(punkt);
    QCOMPARE(uge.Prioritet(1, 1), -1);
    for (int i = 0; i < 3; ++i)
        emit vindue->Gitter->customContextMenuRequested(punkt);
    QCOMPARE(uge.Prioritet(1, 1), 3);

    // A day's heading gives the whole day the next priority of its first hour; an hour's heading the whole hour.
    emit vindue->Gitter->horizontalHeader()->sectionClicked(2);
    for (int time = 0; time < uge.rowCount(); ++time)
        QCOMPARE(uge.Prioritet(2, time), 1);
    emit vindue->Gitter->verticalHeader()->sectionClicked(1);
    for (int dag = 0; dag < uge.columnCount(); ++dag)
        QCOMPARE(uge.Prioritet(dag, 1), 1);
    emit vindue->Gitter->verticalHeader()->customContextMenuRequested(
        QPoint(2, vindue->Gitter->verticalHeader()->sectionViewportPosition(2) + 2));
    for (int dag = 0; dag < uge.columnCount(); ++dag)
        QCOMPARE(uge.Prioritet(dag, 2), -1);
    m.modtager.svar = {true};
    vindue->close();
}

void SkoledataTest::AfvisteVaerdierErRoedeMedGrunden()
{
    Vinduesmiljoe m;
    TSkoledata* vindue = AabnVindue(m);
    Skoledatamodel& fag = *vindue->ModelFor("Fag");
    const auto roed = [](const QModelIndex& i) { return i.data(Qt::BackgroundRole).isValid(); };
    const auto grund = [](const QModelIndex& i) { return i.data(Qt::ToolTipRole).toString(); };

    // Typed through the cell's editor, 200 stays 200, red with the reason.
    const QModelIndex timer = fag.index(RaekkeMed(fag, "Dansk_ind"), 1);
    auto* visning = vindue->findChild<QTableView*>("Fag");
    Vaerdidelegat delegat;
    std::unique_ptr<QWidget> editor(delegat.createEditor(visning->viewport(), {}, timer));
    auto* tekst = qobject_cast<QLineEdit*>(editor.get());
    QVERIFY(tekst != nullptr);
    tekst->setText("200");
    delegat.setModelData(tekst, &fag, timer);
    QCOMPARE(timer.data().toInt(), 200);
    QVERIFY(roed(timer));
    QCOMPARE(grund(timer), QString("Ugetimer skal være et tal fra 0 til 112, ikke 200"));

    // Read from a file: a room type no room has, and a class that does not exist, are red as well.
    QTemporaryDir mappe;
    QFile fil(mappe.filePath("Fag.csv"));
    QVERIFY(fil.open(QIODevice::WriteOnly));
    fil.write("fag;ugetimer;lokaletype\nSløjd;2;Værksted\nDansk;9;Stamlokale\n");
    fil.close();
    QVERIFY(vindue->ImporterCsv(fag, fil.fileName()));
    QVERIFY(roed(fag.index(0, 2)));
    QVERIFY(grund(fag.index(0, 2)).contains("\"Værksted\" har intet lokale"));
    QVERIFY(!roed(fag.index(1, 2)));
    Skoledatamodel& holdliste = *vindue->ModelFor("Holdliste");
    holdliste.setData(holdliste.index(0, 0), "9.z");
    QVERIFY(roed(holdliste.index(0, 0)));
    QCOMPARE(grund(holdliste.index(0, 0)), QString("Hold \"9.z\" findes ikke; vælg en der findes"));
    m.modtager.svar = {true};
    vindue->close();
}

// The week of unavailable hours offers the teachers of the plan chosen, not every plan's.
void SkoledataTest::UtilgaengeligeTimerViserPlanensLaerere()
{
    Vinduesmiljoe m;
    QVERIFY(SqlKlasse(Datakilde::database)
                .UdfoerSql("insert into LaererFagProfil values ('Nyansat', 'Dansk_ind', 1, 1, 'Fordeling2027')"));
    TSkoledata* vindue = AabnVindue(m);
    QVERIFY(vindue != nullptr);
    const auto laerere = [vindue] {
        QStringList ud;
        for (int i = 0; i < vindue->LaererValg->count(); ++i)
            ud << vindue->LaererValg->itemText(i);
        return ud;
    };
    vindue->PlanValg->setCurrentText("Plan2026");
    QVERIFY(laerere().contains("Anne"));
    QVERIFY(!laerere().contains("Nyansat"));
    vindue->PlanValg->setCurrentText("Plan2027");
    QVERIFY(laerere().contains("Nyansat"));
    vindue->close();
}

void SkoledataTest::GrupperOgFaellesAktivitet()
{
    Vinduesmiljoe m;
    SlaaSkrivebeskyttelseFra(m);
    TSkoledata* vindue = AabnVindue(m);
    QVERIFY(vindue != nullptr);
    Skoledatamodel& grupper = *vindue->ModelFor("Gruppe");
    Skoledatamodel& aktiviteter = *vindue->ModelFor("Aktivitet");
    Skoledatamodel& deltagere = *vindue->ModelFor("AktivitetDeltager");
    Skoledatamodel& laerere = *vindue->ModelFor("AktivitetLaerer");
    Skoledatamodel& lokaler = *vindue->ModelFor("AktivitetLokale");
    for (const char* hold : {"1.a", "1.b"}) {
        for (const char* gruppe : {"Tysk", "Fransk"})
            TilfoejRaekke(grupper, {"Plan2026", hold, "Sprog", gruppe});
    }
    QCOMPARE(grupper.index(0, 4).data().toString(), QString("Tysk / Fransk"));

    // German of both classes together, two teachers, one room of two; 1.b has no Spanish group.
    const int tysk = TilfoejRaekke(aktiviteter, {"Plan2026", "T1", "Engelsk_ind", 2, 2});
    TilfoejRaekke(deltagere, {"Plan2026", "T1", "1.a", "Tysk"});
    const int spansk = TilfoejRaekke(deltagere, {"Plan2026", "T1", "1.b", "Spansk"});
    TilfoejRaekke(laerere, {"Plan2026", "T1", "Anne"});
    TilfoejRaekke(laerere, {"Plan2026", "T1", "Bo"});
    TilfoejRaekke(lokaler, {"Plan2026", "T1", 1, "A1"});
    TilfoejRaekke(lokaler, {"Plan2026", "T1", 1, "A2"});
    const QModelIndex gruppe = deltagere.index(spansk, 3);
    QVERIFY(gruppe.data(Qt::BackgroundRole).isValid());
    QCOMPARE(gruppe.data(Qt::ToolTipRole).toString(),
             QString("Gruppe \"Spansk\" er ikke en gruppe af hold 1.b i plan Plan2026; vælg en af Fransk, Tysk, "
                     "eller tom for hele holdet"));
    const Skoledata foer = Skoledatabase().Laes();
    QVERIFY(!vindue->Gem());
    QVERIFY(m.modtager.bokse.back().tekst.find("er ikke en gruppe af hold 1.b") != std::string::npos);
    QVERIFY(Skoledatabase().Laes().raekker == foer.raekker);

    QVERIFY(deltagere.setData(gruppe, "Tysk"));
    QVERIFY(!gruppe.data(Qt::BackgroundRole).isValid());
    QCOMPARE(aktiviteter.index(tysk, 5).data().toString(), QString("1.a Tysk, 1.b Tysk"));
    QCOMPARE(aktiviteter.index(tysk, 6).data().toString(), QString("Anne, Bo"));
    QCOMPARE(aktiviteter.index(tysk, 7).data().toString(), QString("A1 eller A2"));
    // An activity of another plan may have the same id.
    TilfoejRaekke(aktiviteter, {"Plan2027", "T1", "Engelsk_ind", 1, 1});
    TilfoejRaekke(laerere, {"Plan2027", "T1", "Carl"});
    QVERIFY(vindue->Gem());
    const Skoledata gemt = Skoledatabase().Laes();
    QCOMPARE(gemt.Af("Gruppe").size(), size_t{4});
    QCOMPARE(gemt.Af("AktivitetDeltager").size(), size_t{2});
    QCOMPARE(gemt.Af("AktivitetLaerer").size(), size_t{3});
    QCOMPARE(gemt.Af("AktivitetLokale").size(), size_t{2});
    QVERIFY(vindue->close());

    // Deleting Plan2026's T1 takes its own rows along and leaves Plan2027's.
    TSkoledata* igen = AabnVindue(m);
    Skoledatamodel& aktiviteterIgen = *igen->ModelFor("Aktivitet");
    int t1 = -1;
    for (int r = 0; r < aktiviteterIgen.rowCount(); ++r) {
        if (aktiviteterIgen.index(r, 0).data().toString() == "Plan2026")
            t1 = r;
    }
    QVERIFY(t1 >= 0);
    QCOMPARE(aktiviteterIgen.index(t1, 5).data().toString(), QString("1.a Tysk, 1.b Tysk"));
    QCOMPARE(aktiviteterIgen.Brugere(t1).size(), size_t{6});
    aktiviteterIgen.SletRaekke(t1);
    QVERIFY(igen->Gem());
    const Skoledata slettet = Skoledatabase().Laes();
    QCOMPARE(slettet.Af("Aktivitet").size(), size_t{1});
    QCOMPARE(slettet.Af("AktivitetLaerer").size(), size_t{1});
    QVERIFY(slettet.Af("AktivitetDeltager").empty());
}

// A group's new name reaches its participants; deleted, it takes them along,
// and an activity it leaves without participants or teachers.
void SkoledataTest::GruppeOmdoebesOgSlettesMedDeltagerne()
{
    using namespace std::string_literals;
    Vinduesmiljoe m;
    Skoledata s;
    for (const std::string gruppe : {"Tysk", "Fransk"})
        s.Tilfoej("Gruppe", {"Plan2026"s, "1.a"s, "Sprog"s, gruppe});
    for (const std::string id : {"Ty", "Fr"}) {
        s.Tilfoej("Aktivitet", {"Plan2026"s, id, "Engelsk_ind"s, 1, 1});
        s.Tilfoej("AktivitetDeltager", {"Plan2026"s, id, "1.a"s, id == "Ty" ? "Tysk"s : "Fransk"s});
    }
    s.Tilfoej("AktivitetLaerer", {"Plan2026"s, "Ty"s, "Anne"s});
    std::vector<std::string> fejl;
    QVERIFY(Skoledatabase().Tilfoej(s, fejl));
    SlaaSkrivebeskyttelseFra(m);
    TSkoledata* vindue = AabnVindue(m);
    QVERIFY(vindue != nullptr);
    Skoledatamodel& grupper = *vindue->ModelFor("Gruppe");
    // Read in the order of the key: French first.
    QCOMPARE(grupper.index(1, 3).data().toString(), QString("Tysk"));

    m.modtager.svar = {true};
    QVERIFY(!grupper.setData(grupper.index(1, 3), "Tysk2"));
    QCoreApplication::processEvents();
    QVERIFY(m.modtager.bokse.back().tekst.find("gruppe Tysk bruges af 1 rækker") != std::string::npos);
    QCOMPARE(grupper.index(1, 3).data().toString(), QString("Tysk2"));
    QVERIFY(!grupper.setData(grupper.index(1, 3), "Fransk"));
    QCoreApplication::processEvents();
    QCOMPARE(m.modtager.bokse.back().tekst, std::string("Grupper: gruppe Fransk findes allerede"));
    QVERIFY(vindue->Gem());
    QVERIFY(Skoledatabase().Laes().Afhaengige(Gruppenavn{"Plan2026", "1.a", "Tysk2"}).size() == 1);

    // Both groups go: German keeps its teacher, French is left with no one and goes too.
    m.modtager.svar = {true, true};
    vindue->SletRaekke(grupper, 0);
    QVERIFY(m.modtager.bokse.back().tekst.find("Så har aktiviteten Fr hverken deltagere eller lærere og slettes "
                                               "også.") != std::string::npos);
    vindue->SletRaekke(grupper, 0);
    QVERIFY(vindue->Gem());
    const Skoledata gemt = Skoledatabase().Laes();
    QVERIFY(gemt.Af("Gruppe").empty());
    QVERIFY(gemt.Af("AktivitetDeltager").empty());
    QCOMPARE(gemt.Af("Aktivitet").size(), size_t{1});
    QCOMPARE(SomTekst(gemt.Af("Aktivitet").front()[1]), std::string("Ty"));
}

int main(int argc, char* argv[]) { return KoerVinduesTest<SkoledataTest>(argc, argv); }
