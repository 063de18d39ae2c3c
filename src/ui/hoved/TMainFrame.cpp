#include "ui/hoved/TMainFrame.h"

#include "ui/dialoger/Plandialoger.h"
#include "ui/skoledata/TSkoledata.h"

#include "ui/hoved/Billeder.h"
#include "ui/faelles/Fejlsikring.h"
#include "ui/faelles/Fremskridtsvindue.h"
#include "ui/faelles/Hint.h"
#include "ui/hoved/Hjaelpevindue.h"
#include "ui/faelles/Lokaltal.h"
#include "ui/faelles/Optaget.h"
#include "ui/dialoger/Plandialoger.h"
#include "ui/hoved/Programvinduer.h"
#include "ui/faelles/Skaerm.h"
#include "ui/hoved/Statuslinje.h"
#include "ui/hoved/TAbout.h"
#include "ui/dialoger/TAutoG.h"
#include "ui/dialoger/TGenereringsFrame.h"
#include "ui/hoved/TGenSpe.h"
#include "ui/skema/Haandredigering.h"
#include "ui/skema/Skemaaendring.h"
#include "ui/skema/TManglende.h"
#include "ui/skema/TRegler.h"
#include "ui/hoved/TOut.h"
#include "ui/dialoger/TPlanListeForm.h"
#include "ui/dialoger/TPlankontrol.h"
#include "ui/skema/TSkemaFrame.h"
#include "ui/skoledata/TSkoledata.h"
#include "ui/hoved/VaerktoejsKnap.h"
#include "base/Besked.h"
#include "base/Stopur.h"
#include "app/Opgaver.h"
#include "app/Skemavisning.h"
#include "app/Udgivelse.h"
#include "app/Vorivazi.h"
#include "store/Aktivitetsceller.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalBlocker>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

namespace {

const QString titelStart = "Brikken++ v1.0 beta - ";
const std::string slaaSkrivebeskyttelseFra =
    "Slå \"Skrivebeskyt DB\" fra i menuen Opsætning for at skrive til databasen.";

enum Felt { plFelt = 1, llFelt = 3, procentFelt = 5, mlFelt = 7, beskedFelt = 8 };
// The plan opened last, opened again at the next start.
const QString sidstePlanNoegle = "sidstePlan";
// Steps of the completion between two looks at the stop flag and the progress.
constexpr int64_t fuldfoerelsesSkive = 300;

} // namespace

TMainFrame::TMainFrame(Programvinduer& vinduer)
    : Klientomraade(new QMdiArea), StatusBar1(new Statuslinje({25, 30, 30, 25, 25, 40, 30, 30, 400})),
      vinduer_(vinduer), vorivazi_(std::make_unique<Vorivazi>(Datakilde::database)),
      skoledata_({[this] { return Skrivebeskyttet(); }, slaaSkrivebeskyttelseFra}), fortrydelser_(new QUndoStack(this))
{
    setObjectName("TMainFrame");
    SaetUgemt(false);
    resize(900, 640);
    LavMenu();
    LavVaerktoejslinje();
    LavStatuslinje();

    auto* midte = new QWidget;
    auto* lag = new QVBoxLayout(midte);
    lag->setContentsMargins(0, 0, 0, 0);
    lag->setSpacing(0);
    lag->addWidget(vaerktoejslinje_);
    Klientomraade->setObjectName("Klientomraade");
    Klientomraade->viewport()->setMouseTracking(true);
    Klientomraade->viewport()->installEventFilter(this);
    lag->addWidget(Klientomraade, 1);
    setCentralWidget(midte);

    connect(fortrydelser_, &QUndoStack::cleanChanged, this, [this](bool ren) {
        if (rentErGemt_)
            SaetUgemt(!ren);
    });
    // Every window's hints reach the message field of the status bar.
    qApp->installEventFilter(this);
}

// The undo list empties itself as it goes; the window it would tell is already half gone.
TMainFrame::~TMainFrame() { fortrydelser_->disconnect(this); }

void TMainFrame::ForbindVinduer()
{
    connect(vinduer_.out, &TOut::lukket, this, [this] { CommBox_->setChecked(false); });
    connect(vinduer_.genSpe, &TGenSpe::lukket, this, [this] { Specifikationer_->setChecked(false); });
}

void TMainFrame::Begynd()
{
    const std::string sidste = QSettings("Brikken++", "Brikken++").value(sidstePlanNoegle).toString().toStdString();
    bool aabnet = false;
    Fejlsikret([&] {
        const std::vector<std::string> planer = skoledata_.PlanIder();
        if (!sidste.empty() && std::find(planer.begin(), planer.end(), sidste) != planer.end()) {
            Besked().TidsTitel("Hentning");
            aabnet = AabnPlan(sidste);
        }
    });
    if (!aabnet)
        Sikret(this, &TMainFrame::Hentprojekt1Click)();
}

bool TMainFrame::AabnPlan(const std::string& planId)
{
    const Optaget optaget;
    Stopur ur;
    ur.Start();
    auto facade = std::make_unique<Vorivazi>(Datakilde::database);
    if (!facade->AabnPlan(planId))
        return false;
    SkiftFacade(std::move(facade));
    IndlaesNavne();
    VisStatustekst("Planen er indlæst!");
    genereret = false;
    SkemaerAendret(false);
    AktiverGenerering();
    ur.Stop();
    Besked().TidsLinje(ur.Sekunder(), "Hentning af Plan:", 2);
    SaetPlanTitel(planId);
    QSettings("Brikken++", "Brikken++").setValue(sidstePlanNoegle, QString::fromStdString(planId));
    return true;
}

QAction* TMainFrame::Handling(QMenu* menu, const char* navn, const QString& tekst, void (TMainFrame::*handler)(),
                              const QKeySequence& genvej, const QString& billede)
{
    QAction* handling = menu->addAction(tekst);
    handling->setObjectName(navn);
    handling->setShortcut(genvej);
    if (!billede.isEmpty())
        handling->setIcon(QIcon(Billede(billede, 16, 16)));
    if (handler)
        connect(handling, &QAction::triggered, this, Sikret(this, handler));
    return handling;
}

void TMainFrame::LavMenu()
{
    QMenu* filer = menuBar()->addMenu("&Filer");
    Handling(filer, "NytSkemaprojekt1", "&Nyt projekt", &TMainFrame::NytSkemaprojekt1Click, QKeySequence("Ctrl+N"),
             "nytprojekt");
    Handling(filer, "Hentprojekt1", "&Hent projekt", &TMainFrame::Hentprojekt1Click, QKeySequence("Ctrl+H"),
             "hentprojekt");
    Handling(filer, "Gemprojekt1", "&Gem projekt", &TMainFrame::Gemprojekt1Click, QKeySequence("Ctrl+G"), "gemprojekt");
    Handling(filer, "ExportProject", "Export Project", &TMainFrame::ExportProjectClick, {}, "eksporter");
    Handling(filer, "EksporterPdf", "Eksportér PDF …", &TMainFrame::EksporterPdfClick);
    Handling(filer, "EksporterHtml", "Eksportér HTML …", &TMainFrame::EksporterHtmlClick);
    Handling(filer, "EksporterCsv", "Eksportér CSV …", &TMainFrame::EksporterCsvClick);
    Handling(filer, "Importer", "Importér …", &TMainFrame::ImporterClick);
    filer->addSeparator();
    Handling(filer, "Printskema1", "&Print skema", &TMainFrame::Printskema1Click, QKeySequence("Ctrl+P"), "udskriv");
    filer->addSeparator();
    Handling(filer, "Exit1", "E&xit", &TMainFrame::Exit1Click, QKeySequence("Ctrl+E"));

    QMenu* rediger = menuBar()->addMenu("&Rediger");
    QAction* fortryd = fortrydelser_->createUndoAction(this, "Fortryd");
    fortryd->setShortcut(QKeySequence::Undo);
    QAction* gentag = fortrydelser_->createRedoAction(this, "Gentag");
    gentag->setShortcut(QKeySequence("Ctrl+Y"));
    rediger->addAction(fortryd);
    rediger->addAction(gentag);

    QMenu* skema = menuBar()->addMenu("&Skema");
    Handling(skema, "Nytskema1", "&Nyt skema", &TMainFrame::MFPanel8Click, {}, "nytskema");
    skema->addSeparator();
    Handling(skema, "Nytholdskema1", "Nyt holdskema", &TMainFrame::MFPanel10Click, {}, "holdskema");
    Handling(skema, "Nytlaererskema1", "Nyt lærerskema", &TMainFrame::MFPanel11Click, {}, "laererskema");
    Handling(skema, "Nytlokaleskema1", "Nyt lokaleskema", &TMainFrame::MFPanel12Click, {}, "lokaleskema");

    QMenu* generer = menuBar()->addMenu("&Generer");
    Kontroller_ = Handling(generer, "KontrollerPlan", "&Kontrollér planen", &TMainFrame::KontrollerPlanClick);
    Kontroller_->setEnabled(false);
    Beregnskemaer1_ = Handling(generer, "Beregnskemaer1", "&Beregn skemaer", &TMainFrame::MFPanel9Click, {}, "generer");
    Beregnskemaer1_->setEnabled(false);
    AutoGenerer_ = Handling(generer, "AutoGenerer", "AutoGenerer", &TMainFrame::AutoGenererClick);
    AutoGenerer_->setEnabled(false);
    generer->addSeparator();
    ManglendeTimer_ = Handling(generer, "ManglendeTimer", "&Manglende timer", &TMainFrame::ManglendeTimerClick);
    ManglendeTimer_->setEnabled(false);
    Regler_ = Handling(generer, "Regler", "Planens &regler", &TMainFrame::ReglerClick);
    Regler_->setEnabled(false);
    Fuldfoer_ = Handling(generer, "Fuldfoer", "&Fuldfør skemaet", &TMainFrame::FuldfoerClick);
    Fuldfoer_->setEnabled(false);
    // The check mark is the plan's spreading rule, kept by hand moves, missing hours and the completion.
    Spred_ = Handling(generer, "Spred", "Spred fagene over ugen", nullptr);
    Spred_->setCheckable(true);
    Spred_->setChecked(true);
    connect(Spred_, &QAction::toggled, this,
            [this](bool spred) { SaetRegler(Regelvalg::Planens(spred), vorivazi_->DelDobbelte()); });

    QMenu* opsaetning = menuBar()->addMenu("&Opsætning");
    Handling(opsaetning, "Cascade1", "&Cascade", &TMainFrame::Cascade1Click);
    Handling(opsaetning, "Tile1", "&Tile", &TMainFrame::Tile1Click);
    Specifikationer_ = Handling(opsaetning, "Specifikationer", "Tids Specifikationer",
                                &TMainFrame::SpecifikationerClick);
    Specifikationer_->setCheckable(true);
    // The check mark itself is the write protection.
    SkrivebeskytDB_ = Handling(opsaetning, "SkrivebeskytDB", "Skrivebeskyt DB", nullptr);
    SkrivebeskytDB_->setCheckable(true);
    SkrivebeskytDB_->setChecked(true);
    CommBox_ = Handling(opsaetning, "CommBox", "CommBox", &TMainFrame::CommBoxClick);
    CommBox_->setCheckable(true);

    QMenu* data = menuBar()->addMenu("&Data");
    Handling(data, "Skoledata", "Skoledata …", &TMainFrame::SkoledataClick);
    Handling(data, "KopierPlan", "Kopiér plan …", &TMainFrame::KopierPlanClick);

    QMenu* hjaelp = menuBar()->addMenu("&Hjælp");
    Handling(hjaelp, "Indhold1", "&Indhold", &TMainFrame::Indhold1Click, QKeySequence::HelpContents);
    hjaelp->addSeparator();
    Handling(hjaelp, "About2", "&About...", &TMainFrame::About2Click);
}

void TMainFrame::LavVaerktoejslinje()
{
    struct Beskrivelse {
        const char* navn;
        int venstre;
        const char* hint;
        const char* billede;
        void (TMainFrame::*handler)();
        std::vector<QString> naboer;
    };
    const std::vector<Beskrivelse> beskrivelser = {
        {"MFPanel1", 10, "|Nyt skema", "nytprojekt", &TMainFrame::NytSkemaprojekt1Click, {"MFPanel2"}},
        {"MFPanel2", 45, "|Hent skema", "hentprojekt", &TMainFrame::Hentprojekt1Click, {"MFPanel1", "MFPanel4"}},
        {"MFPanel4",
         80,
         "Gem Skemaer til databasen!",
         "gemprojekt",
         &TMainFrame::Gemprojekt1Click,
         {"MFPanel2", "MFPanel5"}},
        {"Panel1", 115, "|Udskriv skema", "eksporter", &TMainFrame::ExportProjectClick, {"MFPanel4", "MFPanel5"}},
        {"MFPanel5", 153, "|Udskriv skema", "udskriv", &TMainFrame::Printskema1Click, {"MFPanel4", "MFPanel6"}},
        {"MFPanel6", 220, "|Luk alle skemaer", "lukalle", &TMainFrame::MFPanel6Click, {"MFPanel5", "MFPanel7"}},
        {"MFPanel7", 255, "Minimer alt", "minimeralt", &TMainFrame::MFPanel7Click, {"MFPanel6", "MFPanel8"}},
        {"MFPanel8", 325, "Nyt skema", "nytskema", &TMainFrame::MFPanel8Click, {"MFPanel7", "MFPanel10"}},
        {"MFPanel10", 360, "", "holdskema", &TMainFrame::MFPanel10Click, {"MFPanel8", "MFPanel11"}},
        {"MFPanel11", 395, "", "laererskema", &TMainFrame::MFPanel11Click, {"MFPanel10", "MFPanel12"}},
        {"MFPanel12", 432, "", "lokaleskema", &TMainFrame::MFPanel12Click, {"MFPanel11", "MFPanel9"}},
        {"MFPanel9", 489, "Generer", "generer", &TMainFrame::MFPanel9Click, {"MFPanel12"}},
    };

    vaerktoejslinje_ = new QFrame;
    vaerktoejslinje_->setObjectName("Vaerktoejslinje");
    vaerktoejslinje_->setFixedHeight(35);
    vaerktoejslinje_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    vaerktoejslinje_->setMouseTracking(true);
    vaerktoejslinje_->installEventFilter(this);
    for (const int x : {199, 302, 473}) {
        auto* skillelinje = new QFrame(vaerktoejslinje_);
        skillelinje->setFrameStyle(QFrame::VLine | QFrame::Sunken);
        skillelinje->setGeometry(x, 6, 2, 23);
    }
    for (const Beskrivelse& b : beskrivelser) {
        auto* knap = new VaerktoejsKnap(Billede(b.billede, 21, 21), vaerktoejslinje_);
        knap->setObjectName(b.navn);
        knap->move(b.venstre, 5);
        if (*b.hint)
            SaetHint(knap, b.hint);
        connect(knap, &VaerktoejsKnap::klikket, this, Sikret(this, b.handler));
        knapper_.push_back({knap, b.naboer});
    }
    Knap& generer = knapper_.back();
    generer.knap->SaetFremhaevetBillede(Billede("generer_fremhaevet", 21, 21));
    generer.knap->setEnabled(false);
    for (const Knap& knap : knapper_)
        connect(knap.knap, &VaerktoejsKnap::musOver, this, [this, &knap] { MusOverKnap(knap); });
}

void TMainFrame::LavStatuslinje()
{
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->SaetTekst(0, "PL:");
    StatusBar1->SaetTekst(2, "LL:");
    StatusBar1->SaetTekst(4, "L%:");
    StatusBar1->SaetTekst(6, "ML:");
    StatusBar1->Felt(procentFelt)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A click on the share of hours placed shows which hours are missing.
    StatusBar1->Felt(procentFelt)->installEventFilter(this);
    for (const int felt : {plFelt, llFelt, procentFelt, mlFelt})
        StatusBar1->SaetTekst(felt, "0");
    StatusBar1->SaetForklaring(plFelt, "Planlagte timer: de lektionstimer, hele planen kræver");
    StatusBar1->SaetForklaring(llFelt, "Lagte lektioner: de timer, der er placeret i skemaerne");
    StatusBar1->SaetForklaring(procentFelt, "Lagte lektioner i procent af de planlagte timer");
    StatusBar1->SaetForklaring(mlFelt, "Mellemtimer: frie timer mellem to lektioner på samme dag, for alle hold");
    setStatusBar(StatusBar1);
}

VaerktoejsKnap* TMainFrame::KnapNavngivet(const QString& navn) const
{
    for (const Knap& knap : knapper_)
        if (knap.knap->objectName() == navn)
            return knap.knap;
    return nullptr;
}

void TMainFrame::MusOverKnap(const Knap& knap)
{
    knap.knap->SaetHaevet(true);
    for (const QString& nabo : knap.naboer)
        KnapNavngivet(nabo)->SaetHaevet(false);
    VaerktoejsKnap* generer = knapper_.back().knap;
    if (knap.knap == generer)
        generer->VisFremhaevet(true);
    else if (knap.knap->objectName() == "MFPanel12")
        generer->VisFremhaevet(false);
}

void TMainFrame::FladAlleKnapper()
{
    for (const Knap& knap : knapper_)
        knap.knap->SaetHaevet(false);
    knapper_.back().knap->VisFremhaevet(false);
}

bool TMainFrame::eventFilter(QObject* objekt, QEvent* haendelse)
{
    switch (haendelse->type()) {
    case QEvent::KeyPress:
        // The menu's F1 reaches the main window and its views; every other window's F1 comes here.
        if (static_cast<QKeyEvent*>(haendelse)->key() == Qt::Key_F1 && objekt->isWidgetType()) {
            VisHjaelp(static_cast<QWidget*>(objekt));
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (objekt == StatusBar1->Felt(procentFelt) && ManglendeTimer_->isEnabled())
            ManglendeTimerClick();
        break;
    case QEvent::MouseMove:
        if (objekt == vaerktoejslinje_ || objekt == Klientomraade->viewport())
            FladAlleKnapper();
        break;
    case QEvent::Enter:
        if (objekt->isWidgetType())
            MusenNaar(static_cast<QWidget*>(objekt));
        break;
    case QEvent::Leave:
        // Leaving a control puts the mouse over its parent, unless a sibling's
        // Enter follows.
        if (objekt->isWidgetType() && !static_cast<QWidget*>(objekt)->isWindow())
            MusenNaar(static_cast<QWidget*>(objekt)->parentWidget());
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(objekt, haendelse);
}

void TMainFrame::MusenNaar(const QWidget* widget)
{
    const QString hint = LangHint(NaermesteHint(widget));
    if (hint == sidsteHint_)
        return;
    sidsteHint_ = hint;
    StatusBar1->SaetTekst(beskedFelt, hint);
}

Vorivazi& TMainFrame::Facade() { return *vorivazi_; }

void TMainFrame::SkiftFacade(std::unique_ptr<Vorivazi> facade, const QString& hvorfor)
{
    vorivazi_ = std::move(facade);
    resultatVist_ = false;
    vinduer_.generering->VaelgPlanensUge();
    // The check mark shows the opened plan's own setting.
    const QSignalBlocker stille(Spred_);
    Spred_->setChecked(vorivazi_->Regler().Spreder());
    TomFortrydelser(hvorfor);
}

void TMainFrame::SaetRegler(const Regelvalg& regler, bool delDobbelte)
{
    vorivazi_->SaetRegler(regler);
    vorivazi_->SaetDelDobbelte(delDobbelte);
    const QSignalBlocker stille(Spred_);
    Spred_->setChecked(regler.Spreder());
    if (manglende_ != nullptr)
        manglende_->Opdater(*vorivazi_);
}

QUndoStack& TMainFrame::Fortrydelser() { return *fortrydelser_; }

void TMainFrame::TomFortrydelser(const QString& hvorfor)
{
    rentErGemt_ = false;
    if (fortrydelser_->count() == 0)
        return;
    fortrydelser_->clear();
    Besked().Log("Fortryd-listen er tømt, fordi " + hvorfor.toStdString() + ".");
}

// The id table of each kind among the window's members.
constexpr PrSkemaArt<Navnetabel TMainFrame::*> navneTabel{
    {&TMainFrame::holdNavne, &TMainFrame::laererNavne, &TMainFrame::lokaleNavne}};

// A teacher or room that only the activities name has a timetable too.
void TMainFrame::IndlaesNavne()
{
    for (const SkemaArt art : alleSkemaArter) {
        Navnetabel& tabel = this->*navneTabel[art];
        tabel.Ryd();
        vorivazi_->HentNavne(art);
        std::set<std::string> sete;
        std::string id;
        while (vorivazi_->TagNavn(id)) {
            tabel.Tilfoej(id);
            sete.insert(id);
            Besked().Log(id);
        }
        for (const std::string& navn : AktivitetsSkemaer(vorivazi_->Aktiviteter(), art)) {
            if (!sete.contains(navn))
                tabel.Tilfoej(navn);
        }
    }
}

const Navnetabel& TMainFrame::NavneFor(SkemaArt art) const { return this->*navneTabel[art]; }

void TMainFrame::SkemaerAendret(bool ugemte)
{
    if (ugemte)
        SaetUgemt(true);
    else
        MarkerGemt();
    StatusOpdatering();
    emit skemaerAendret();
}

void TMainFrame::GenereringAfsluttet(bool lykkedes)
{
    if (lykkedes) {
        TomFortrydelser("skemaerne er genereret");
        SkemaerAendret();
        VisFoersteResultat();
    } else
        StatusOpdatering();
}

void TMainFrame::VisFoersteResultat()
{
    if (resultatVist_ || !Klientomraade->subWindowList().isEmpty())
        return;
    resultatVist_ = true;
    ManglendeTimerClick();
    const QString foersteHold = NytSkemavindue("Hold")->VisFoerste();
    Besked().Log("Første hold efter genereringen: " + foersteHold.toStdString());
}

void TMainFrame::MarkerGemt()
{
    fortrydelser_->setClean();
    rentErGemt_ = true;
    SaetUgemt(false);
}

void TMainFrame::SaetUgemt(bool ugemte)
{
    ugemt_ = ugemte;
    setWindowTitle(titelStart + planTitel_ + (ugemt_ ? " *" : ""));
}

void TMainFrame::StatusOpdatering()
{
    const int32_t planlagt = vorivazi_->SumTimer();
    const int32_t lagt = vorivazi_->AntalLektionerIalt();
    const int32_t mellemtimer = vorivazi_->AntalMellemtimer();
    StatusBar1->SaetTekst(plFelt, QString::number(planlagt));
    StatusBar1->SaetTekst(llFelt, QString::number(lagt));
    StatusBar1->SaetTekst(procentFelt, ProcentTekst(LagtProcent(planlagt, lagt)));
    StatusBar1->SaetTekst(mlFelt, QString::number(mellemtimer));
    if (manglendeDok_ != nullptr && !manglendeDok_->isHidden())
        manglende_->Opdater(*vorivazi_);
    if (reglerDok_ != nullptr && !reglerDok_->isHidden())
        regler_->Opdater(*vorivazi_);
}

void TMainFrame::VisStatustekst(const QString& tekst)
{
    StatusBar1->SaetTekst(beskedFelt, tekst);
    // The control under the mouse does not take the field back by being
    // entered again (as it is after a drop); the next one with another hint does.
    if (const QWidget* under = QApplication::widgetAt(QCursor::pos()))
        sidsteHint_ = LangHint(NaermesteHint(under));
}

void TMainFrame::AktiverGenerering()
{
    Kontroller_->setEnabled(true);
    Beregnskemaer1_->setEnabled(true);
    AutoGenerer_->setEnabled(true);
    ManglendeTimer_->setEnabled(true);
    Regler_->setEnabled(true);
    Fuldfoer_->setEnabled(true);
    knapper_.back().knap->setEnabled(true);
}

void TMainFrame::SaetPlanTitel(const std::string& planId)
{
    planTitel_ = QString::fromStdString(planId);
    SaetUgemt(ugemt_);
}

TSkemaFrame* TMainFrame::NytSkemavindue(const QString& type)
{
    auto* vindue = new TSkemaFrame(*this);
    QMdiSubWindow* ramme = Klientomraade->addSubWindow(
        vindue, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    ramme->setAttribute(Qt::WA_DeleteOnClose);
    // The view opens at its own size, whether or not the main window is shown yet.
    ramme->resize(ramme->sizeHint());
    if (!type.isEmpty())
        vindue->VaelgType(type);
    ramme->show();
    return vindue;
}

bool TMainFrame::Skrivebeskyttet() const { return SkrivebeskytDB_->isChecked(); }

void TMainFrame::VisTidsSpec()
{
    if (Specifikationer_->isChecked()) {
        vinduer_.genSpe->show();
        vinduer_.genSpe->raise();
    }
}

// Unsaved timetables are offered a save first, and the clearing is a step
// that "Fortryd" takes back.
void TMainFrame::NytSkemaprojekt1Click()
{
    if (!vorivazi_->ErAaben() || !MaaForladeSkemaerne())
        return;
    const std::vector<LektionsData> lektioner = RydSkemaer();
    fortrydelser_->push(new Skemaaendring(
        *this, "Nyt projekt",
        [this] {
            RydSkemaer();
            return true;
        },
        [this, lektioner] {
            vorivazi_->SaetAlleLektioner(lektioner);
            return true;
        }));
    Besked().VisInfo("Skemaerne i projektet er nu slettet!");
}

std::vector<LektionsData> TMainFrame::RydSkemaer()
{
    std::vector<LektionsData> lektioner = vorivazi_->AlleLektioner();
    vorivazi_->NytProjekt();
    genereret = false;
    return lektioner;
}

void TMainFrame::GenindsaetSkemaer(const std::vector<LektionsData>& lektioner)
{
    vorivazi_->SaetAlleLektioner(lektioner);
    StatusOpdatering();
    emit skemaerAendret();
}

bool TMainFrame::MaaForladeSkemaerne() { return !ugemt_ || GemEfterSvar("Skemaerne er ikke gemt. Gem nu?"); }

// Ja saves first, Nej goes on without, Annuller stays: true when the caller may go on.
bool TMainFrame::GemEfterSvar(const std::string& spoergsmaal)
{
    switch (Besked().SpoergJaNej(spoergsmaal, "Ikke gemte skemaer")) {
    case Svar::ja:
        return Gem();
    case Svar::nej:
        return true;
    default:
        return false;
    }
}

bool TMainFrame::MaaGenindlaesePlanen()
{
    return !vorivazi_->ErAaben() || !ugemt_ ||
           GemEfterSvar("Skemaerne i planen " + vorivazi_->PlanId() +
                        " er ikke gemt. Planen læses igen fra databasen, når skoledata er gemt, og det, der ikke er "
                        "gemt, går tabt. Gem skemaerne først?");
}

void TMainFrame::GenindlaesPlan()
{
    if (!vorivazi_->ErAaben())
        return;
    const std::string id = vorivazi_->PlanId();
    const std::vector<std::string> planer = skoledata_.PlanIder();
    const bool findes = std::find(planer.begin(), planer.end(), id) != planer.end();
    auto facade = std::make_unique<Vorivazi>(Datakilde::database);
    const Optaget optaget;
    if (findes && !facade->AabnPlan(id))
        return;
    SkiftFacade(std::move(facade), "planen er læst igen efter ændringer i skoledata");
    IndlaesNavne();
    genereret = false;
    SkemaerAendret(false);
    if (findes) {
        VisStatustekst(QString::fromStdString("Planen " + id + " er læst igen med de gemte skoledata"));
        return;
    }
    SaetPlanTitel("<tom>");
    Besked().VisInfo("Planen " + id +
                     " findes ikke længere i skoledata og er lukket. Hent den igen med \"Hent projekt\", hvis "
                     "den har fået et nyt navn.");
}

void TMainFrame::closeEvent(QCloseEvent* haendelse)
{
    if (MaaForladeSkemaerne())
        haendelse->accept();
    else
        haendelse->ignore();
}

void TMainFrame::Hentprojekt1Click()
{
    if (!MaaForladeSkemaerne())
        return;
    Besked().TidsTitel("Hentning");
    VisTidsSpec();
    vinduer_.planListe->exec();
}

void TMainFrame::Gemprojekt1Click() { Gem(); }

bool TMainFrame::Gem()
{
    if (Skrivebeskyttet()) {
        Besked().VisFejl(SkrivebeskyttetBesked(slaaSkrivebeskyttelseFra), fejlTitel);
        return false;
    }
    if (!vorivazi_->ErAaben())
        return false;
    bool gemt = false;
    {
        const Optaget optaget;
        gemt = vorivazi_->Gem();
    }
    if (!gemt)
        return false;
    MarkerGemt();
    Besked().VisInfo(gemtTekst);
    return true;
}

void TMainFrame::ExportProjectClick()
{
    if (!vorivazi_->ErAaben()) {
        Besked().VisFejl("Der er ikke åbnet nogen plan!", fejlTitel);
        return;
    }
    // The files go where the planner says, not into whatever folder the program was started from.
    const QString noegle = "udgivelse/tekst";
    QSettings indstillinger("Brikken++", "Brikken++");
    const QString forrige = indstillinger.value(noegle).toString();
    const QString mappe = QFileDialog::getExistingDirectory(this, "Eksportér tekstfilerne til mappen",
                                                            forrige.isEmpty() ? QDir::homePath() : forrige);
    if (mappe.isEmpty())
        return;
    indstillinger.setValue(noegle, mappe);
    bool eksporteret = false;
    {
        const Optaget optaget;
        eksporteret = vorivazi_->Eksporter(mappe.toStdString());
    }
    if (!eksporteret)
        return;
    for (const char* fil : {"HoldSkemaer.txt", "LaererSkemaer.txt", "LokaleSkemaer.txt"})
        Besked().Log(QDir(mappe).absoluteFilePath(fil).toStdString());
    Besked().VisInfo(eksporteretTekst + "\ni mappen " + QDir(mappe).absolutePath().toStdString());
}

void TMainFrame::EksporterPdfClick() { UdgivSom(Udgivelsesform::pdf); }

void TMainFrame::EksporterHtmlClick() { UdgivSom(Udgivelsesform::html); }

void TMainFrame::EksporterCsvClick() { UdgivSom(Udgivelsesform::csv); }

void TMainFrame::UdgivSom(Udgivelsesform form)
{
    if (!vorivazi_->ErAaben()) {
        Besked().VisFejl("Der er ikke åbnet nogen plan!", fejlTitel);
        return;
    }
    const QString endelse = form == Udgivelsesform::pdf ? "pdf" : form == Udgivelsesform::html ? "html" : "csv";
    const QString noegle = "udgivelse/" + endelse;
    QSettings indstillinger("Brikken++", "Brikken++");
    const QString forrige = indstillinger.value(noegle).toString();
    // The folder chosen last, with the open plan's name (not the last plan's).
    const QDir forrigeMappe = forrige.isEmpty() ? QDir::home() : QFileInfo(forrige).absoluteDir();
    const QString navn = "Skemaer " + QString::fromStdString(vorivazi_->PlanId());
    QString sti;
    if (form == Udgivelsesform::html) {
        sti = QFileDialog::getExistingDirectory(this, "Eksportér HTML til mappen",
                                                forrigeMappe.exists(navn) ? forrigeMappe.filePath(navn)
                                                                          : forrigeMappe.absolutePath());
    } else {
        const QString forslag = forrigeMappe.filePath(navn + "." + endelse);
        const QString filter = form == Udgivelsesform::pdf ? "PDF-filer (*.pdf)" : "Regneark (*.csv)";
        sti = QFileDialog::getSaveFileName(this, "Eksportér " + endelse.toUpper(), forslag, filter);
        if (!sti.isEmpty() && QFileInfo(sti).suffix().isEmpty())
            sti += "." + endelse;
    }
    if (sti.isEmpty())
        return;
    indstillinger.setValue(noegle, sti);
    const Optaget optaget;
    Udgiv(*vorivazi_, form, sti.toStdString());
}

void TMainFrame::Printskema1Click()
{
    QMdiSubWindow* aktiv = Klientomraade->currentSubWindow();
    auto* skema = aktiv ? qobject_cast<TSkemaFrame*>(aktiv->widget()) : nullptr;
    if (!skema) {
        Besked().VisFejl("Intet at printe", fejlTitel);
        return;
    }
    const Optaget optaget;
    skema->Udskriv();
}

void TMainFrame::Exit1Click() { close(); }

void TMainFrame::MFPanel6Click() { Klientomraade->closeAllSubWindows(); }

void TMainFrame::MFPanel7Click()
{
    for (QMdiSubWindow* vindue : Klientomraade->subWindowList())
        vindue->showMinimized();
}

void TMainFrame::MFPanel8Click() { NytSkemavindue(); }

void TMainFrame::MFPanel10Click() { NytSkemavindue("Hold"); }

void TMainFrame::MFPanel11Click() { NytSkemavindue("Laerer"); }

void TMainFrame::MFPanel12Click() { NytSkemavindue("Lokale"); }

void TMainFrame::MFPanel9Click() { vinduer_.generering->exec(); }

void TMainFrame::AutoGenererClick()
{
    const TGenereringsFrame& indstillinger = *vinduer_.generering;
    AutoGenereringsopgave generering(*vorivazi_,
                                     {indstillinger.Frekvens(), indstillinger.Styrke(), indstillinger.Dage(),
                                      indstillinger.Timer(), Skrivebeskyttet()},
                                     genereret);
    TAutoG& fremskridt = *vinduer_.autoG;
    fremskridt.show();
    CentrerPaaSkaermen(&fremskridt);
    fremskridt.Nulstil();
    {
        const Optaget optaget;
        const auto luk = qScopeGuard([&fremskridt] { fremskridt.close(); });
        // Whole steps of the bar that reach its end: 15 each for seven runs.
        const int32_t koersler = generering.Koersler();
        const int trin = koersler > 0 ? (100 + koersler - 1) / koersler : 0;
        int32_t vist = 0;
        const auto visKoersler = [&] {
            for (; vist < generering.Faerdige(); ++vist) {
                fremskridt.Fremskrid(trin);
                VisStatustekst("AutoGenerere!!");
            }
            Optaget::HoldVinduerOpdateret();
        };
        KoerOpgave(generering, {}, [&](const Fremskridt&) { visKoersler(); });
        visKoersler();
    }
    genereret = generering.Genereret();
    GenereringAfsluttet(generering.NogenLykkedes());
    VisStatustekst("AutoGenerereringen er afsluttet");
}

void TMainFrame::KontrollerPlanClick()
{
    const Udfald<std::vector<Fund>> fund = vorivazi_->KontrollerPlan();
    if (!fund) {
        Besked().VisFejl(fund.Grund(), fejlTitel);
        return;
    }
    auto* vindue = new TPlankontrol(this, QString::fromStdString(vorivazi_->PlanId()), *fund);
    vindue->setAttribute(Qt::WA_DeleteOnClose);
    vindue->show();
}

void TMainFrame::ManglendeTimerClick()
{
    if (manglende_ == nullptr) {
        manglende_ = new TManglende(this);
        connect(manglende_, &TManglende::farvHold, this, [this](const Timekrav& krav) {
            for (Haandredigering* redigering : findChildren<Haandredigering*>())
                redigering->FarvForHold(krav);
        });
        manglendeDok_ = new QDockWidget(manglende_->windowTitle(), this);
        manglendeDok_->setObjectName("ManglendeDok");
        manglendeDok_->setWidget(manglende_);
        addDockWidget(Qt::BottomDockWidgetArea, manglendeDok_);
    }
    manglende_->Opdater(*vorivazi_);
    manglendeDok_->show();
    manglendeDok_->raise();
}

void TMainFrame::ReglerClick()
{
    if (regler_ == nullptr) {
        regler_ = new TRegler(this);
        reglerDok_ = new QDockWidget(regler_->windowTitle(), this);
        reglerDok_->setObjectName("ReglerDok");
        reglerDok_->setWidget(regler_);
        addDockWidget(Qt::BottomDockWidgetArea, reglerDok_);
    }
    regler_->LaesOgOpdater(*vorivazi_);
    reglerDok_->show();
    reglerDok_->raise();
}

// The search works on its own copy of the plan, on a thread of its own, so
// the window stays alive and "Stop" is heard at once; stopping keeps the best
// timetables found so far, written back here.
void TMainFrame::FuldfoerClick()
{
    std::atomic<bool> stop{false};
    Fuldfoerelsesopgave fuldfoerelse(*vorivazi_, fuldfoerelsesSkive, &stop);
    if (!fuldfoerelse.Klar())
        return;
    KoerIBaggrundenMedFremskridt(this, "Fuldfør skemaet", "Fuldfører skemaet …", fuldfoerelse, stop);
    if (fuldfoerelse.Forbedret()) {
        TomFortrydelser("skemaerne er fuldført");
        SkemaerAendret();
    }
    // The status bar holds the summary; what stands in the way, when anything does, gets a box of its own.
    const std::string linje = fuldfoerelse.Linje();
    const size_t slut = linje.find('\n');
    VisStatustekst(QString::fromStdString(linje.substr(0, slut)));
    if (slut != std::string::npos)
        Besked().VisInfo(linje);
}

void TMainFrame::Cascade1Click() { Klientomraade->cascadeSubWindows(); }

void TMainFrame::Tile1Click() { Klientomraade->tileSubWindows(); }

void TMainFrame::SpecifikationerClick() { vinduer_.genSpe->setVisible(Specifikationer_->isChecked()); }

void TMainFrame::CommBoxClick() { vinduer_.out->setVisible(CommBox_->isChecked()); }

void TMainFrame::SkoledataClick()
{
    auto* vindue = new TSkoledata(this, skoledata_);
    vindue->setAttribute(Qt::WA_DeleteOnClose);
    if (vorivazi_->ErAaben())
        vindue->VaelgPlan(vorivazi_->PlanId());
    vindue->MaaGemme = [this] { return MaaGenindlaesePlanen(); };
    connect(vindue, &TSkoledata::Gemt, this, [this] {
        // New or renamed plans show in the plan dialog from now on.
        planlisteIndlaest = false;
        GenindlaesPlan();
    });
    vindue->show();
}

void TMainFrame::KopierPlanClick()
{
    // Generated lessons on screen but not in the database would not come along unnoticed.
    const auto gemteLektioner = [this](const std::string& plan) {
        return !vorivazi_->ErAaben() || vorivazi_->PlanId() != plan || !ugemt_ ||
               GemEfterSvar("Skemaerne i planen " + plan +
                            " er ikke gemt, og kopien får kun de lektioner, der er gemt i databasen. Gem "
                            "skemaerne først?");
    };
    if (plandialoger::KopierPlan(this, skoledata_, gemteLektioner))
        planlisteIndlaest = false;
}

void TMainFrame::ImporterClick()
{
    if (plandialoger::ImporterFet(this, skoledata_))
        planlisteIndlaest = false;
}

void TMainFrame::About2Click() { vinduer_.about->exec(); }

void TMainFrame::Indhold1Click() { VisHjaelp(QApplication::focusWidget()); }

namespace {

// The section of the guide about the window a widget sits in.
QString Afsnit(const QWidget* widget)
{
    static const std::vector<std::pair<const char*, const char*>> afsnit{{"TSkoledata", "skoledata"},
                                                                         {"TGenereringsFrame", "generering"},
                                                                         {"TPlankontrol", "kontrol"},
                                                                         {"TManglende", "manglende"},
                                                                         {"TRegler", "regler"},
                                                                         {"TSkemaFrame", "haandredigering"},
                                                                         {"QProgressDialog", "fuldfoerelse"},
                                                                         {"TPlanListeForm", "arbejdsgang"}};
    for (; widget != nullptr; widget = widget->parentWidget())
        for (const auto& [klasse, anker] : afsnit)
            if (widget->inherits(klasse))
                return anker;
    return {};
}

} // namespace

void TMainFrame::VisHjaelp(QWidget* vindue)
{
    // A window that blocks the others gets a guide of its own, which it does not block.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        auto* hjaelp = new Hjaelpevindue(modal);
        hjaelp->setAttribute(Qt::WA_DeleteOnClose);
        hjaelp->VisAfsnit(Afsnit(vindue));
        return;
    }
    if (!hjaelp_) {
        hjaelp_ = new Hjaelpevindue(this);
        CentrerPaaSkaermen(hjaelp_);
    }
    hjaelp_->VisAfsnit(Afsnit(vindue));
}
