#include "ui/TMainFrame.h"

#include "ui/Billeder.h"
#include "ui/Fejlsikring.h"
#include "ui/Hint.h"
#include "ui/Lokaltal.h"
#include "ui/Optaget.h"
#include "ui/Programvinduer.h"
#include "ui/Skaerm.h"
#include "ui/Statuslinje.h"
#include "ui/TAbout.h"
#include "ui/TAutoG.h"
#include "ui/TGenereringsFrame.h"
#include "ui/TGenSpe.h"
#include "ui/TManglende.h"
#include "ui/TOut.h"
#include "ui/TPlanListeForm.h"
#include "ui/TSkemaFrame.h"
#include "ui/VaerktoejsKnap.h"
#include "base/Besked.h"
#include "app/Skemavisning.h"
#include "app/Vorivazi.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace {

const QString titelStart = "Brikken++ v1.0 beta - ";

enum Felt { plFelt = 1, llFelt = 3, procentFelt = 5, mlFelt = 7, beskedFelt = 8 };
// Steps of the completion between two looks at the window's events.
constexpr int64_t fuldfoerelsesSkive = 300;

constexpr int antalAutoKoersler = 7;
constexpr int autoFremskridt = 15;

} // namespace

TMainFrame::TMainFrame(Programvinduer& vinduer)
    : Klientomraade(new QMdiArea), StatusBar1(new Statuslinje({25, 30, 30, 25, 25, 40, 30, 30, 400})),
      vinduer_(vinduer), vorivazi_(std::make_unique<Vorivazi>(Datakilde::database))
{
    setObjectName("TMainFrame");
    setWindowTitle(titelStart + "<tom>");
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

    // Every window's hints reach the message field of the status bar.
    qApp->installEventFilter(this);
}

TMainFrame::~TMainFrame() = default;

void TMainFrame::ForbindVinduer()
{
    connect(vinduer_.out, &TOut::lukket, this, [this] { CommBox_->setChecked(false); });
    connect(vinduer_.genSpe, &TGenSpe::lukket, this, [this] { Specifikationer_->setChecked(false); });
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
    Handling(filer, "Gemprojekt1", "&Gem projekt", &TMainFrame::Gemprojekt1Click, QKeySequence("Ctrl+G"),
             "gemprojekt");
    Handling(filer, "ExportProject", "Export Project", &TMainFrame::ExportProjectClick, {}, "eksporter");
    filer->addSeparator();
    Handling(filer, "Printskema1", "&Print skema", &TMainFrame::Printskema1Click, QKeySequence("Ctrl+P"), "udskriv");
    filer->addSeparator();
    Handling(filer, "Exit1", "E&xit", &TMainFrame::Exit1Click, QKeySequence("Ctrl+E"));

    QMenu* skema = menuBar()->addMenu("&Skema");
    Handling(skema, "Nytskema1", "&Nyt skema", nullptr);
    skema->addSeparator();
    Handling(skema, "Nytholdskema1", "Nyt holdskema", nullptr);
    Handling(skema, "Nytlaererskema1", "Nyt lærerskema", nullptr);
    Handling(skema, "Nytlokaleskema1", "Nyt lokaleskema", nullptr);

    QMenu* generer = menuBar()->addMenu("&Generer");
    Beregnskemaer1_ =
        Handling(generer, "Beregnskemaer1", "&Beregn skemaer", &TMainFrame::MFPanel9Click, {}, "generer");
    Beregnskemaer1_->setEnabled(false);
    AutoGenerer_ = Handling(generer, "AutoGenerer", "AutoGenerer", &TMainFrame::AutoGenererClick);
    AutoGenerer_->setEnabled(false);
    generer->addSeparator();
    ManglendeTimer_ = Handling(generer, "ManglendeTimer", "&Manglende timer", &TMainFrame::ManglendeTimerClick);
    ManglendeTimer_->setEnabled(false);
    Fuldfoer_ = Handling(generer, "Fuldfoer", "&Fuldfør skemaet", &TMainFrame::FuldfoerClick);
    Fuldfoer_->setEnabled(false);
    // The check mark itself is the setting, read whenever missing hours are looked for.
    Spred_ = Handling(generer, "Spred", "Spred fagene over ugen", nullptr);
    Spred_->setCheckable(true);

    QMenu* opsaetning = menuBar()->addMenu("&Opsætning");
    Handling(opsaetning, "Cascade1", "&Cascade", &TMainFrame::Cascade1Click);
    Handling(opsaetning, "Tile1", "&Tile", &TMainFrame::Tile1Click);
    Specifikationer_ = Handling(opsaetning, "Specifikationer", "Tids Specifikationer", &TMainFrame::SpecifikationerClick);
    Specifikationer_->setCheckable(true);
    // The check mark itself is the write protection.
    SkrivebeskytDB_ = Handling(opsaetning, "SkrivebeskytDB", "Skrivebeskyt DB", nullptr);
    SkrivebeskytDB_->setCheckable(true);
    SkrivebeskytDB_->setChecked(true);
    CommBox_ = Handling(opsaetning, "CommBox", "CommBox", &TMainFrame::CommBoxClick);
    CommBox_->setCheckable(true);

    QMenu* hjaelp = menuBar()->addMenu("&Hjælp");
    Handling(hjaelp, "Indhold1", "&Indhold", nullptr);
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
        {"MFPanel4", 80, "Gem Skemaer til databasen!", "gemprojekt", &TMainFrame::Gemprojekt1Click,
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

void TMainFrame::SkiftFacade(std::unique_ptr<Vorivazi> facade) { vorivazi_ = std::move(facade); }

// The id table of each kind among the window's members.
constexpr PrSkemaArt<Navnetabel TMainFrame::*> navneTabel{
    {&TMainFrame::holdNavne, &TMainFrame::laererNavne, &TMainFrame::lokaleNavne}};

void TMainFrame::IndlaesNavne()
{
    for (const SkemaArt art : alleSkemaArter) {
        Navnetabel& tabel = this->*navneTabel[art];
        tabel.Ryd();
        vorivazi_->HentNavne(art);
        std::string id;
        while (vorivazi_->TagNavn(id)) {
            tabel.Tilfoej(id);
            Besked().Log(id);
        }
    }
}

const Navnetabel& TMainFrame::NavneFor(SkemaArt art) const { return this->*navneTabel[art]; }

void TMainFrame::StatusOpdatering()
{
    const int32_t planlagt = vorivazi_->SumTimer();
    const int32_t lagt = vorivazi_->AntalLektionerIalt();
    const int32_t mellemtimer = vorivazi_->AntalMellemtimer();
    StatusBar1->SaetTekst(plFelt, QString::number(planlagt));
    StatusBar1->SaetTekst(llFelt, QString::number(lagt));
    StatusBar1->SaetTekst(procentFelt, ProcentTekst(LagtProcent(planlagt, lagt)));
    StatusBar1->SaetTekst(mlFelt, QString::number(mellemtimer));
    if (manglende_ != nullptr && manglende_->isVisible())
        manglende_->Opdater(*vorivazi_, Spred_->isChecked());
}

void TMainFrame::VisStatustekst(const QString& tekst) { StatusBar1->SaetTekst(beskedFelt, tekst); }

void TMainFrame::AktiverGenerering()
{
    Beregnskemaer1_->setEnabled(true);
    AutoGenerer_->setEnabled(true);
    ManglendeTimer_->setEnabled(true);
    Fuldfoer_->setEnabled(true);
    knapper_.back().knap->setEnabled(true);
}

void TMainFrame::SaetPlanTitel(const std::string& planId)
{
    setWindowTitle(titelStart + QString::fromStdString(planId));
}

TSkemaFrame* TMainFrame::NytSkemavindue(const QString& type)
{
    auto* vindue = new TSkemaFrame(*this);
    QMdiSubWindow* ramme =
        Klientomraade->addSubWindow(vindue, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                                Qt::WindowCloseButtonHint);
    ramme->setAttribute(Qt::WA_DeleteOnClose);
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

void TMainFrame::NytSkemaprojekt1Click()
{
    if (!vorivazi_->ErAaben())
        return;
    vorivazi_->NytProjekt();
    genereret = false;
    StatusOpdatering();
    Besked().VisInfo("Skemaerne i projektet er nu slettet!");
}

void TMainFrame::Hentprojekt1Click()
{
    Besked().TidsTitel("Hentning");
    VisTidsSpec();
    vinduer_.planListe->exec();
}

void TMainFrame::Gemprojekt1Click()
{
    if (Skrivebeskyttet()) {
        Besked().VisFejl(skrivebeskyttetTekst, fejlTitel);
        return;
    }
    if (!vorivazi_->ErAaben())
        return;
    bool gemt = false;
    {
        const Optaget optaget;
        gemt = vorivazi_->Gem();
    }
    if (gemt)
        Besked().VisInfo(gemtTekst);
}

void TMainFrame::ExportProjectClick()
{
    if (!vorivazi_->ErAaben()) {
        Besked().VisFejl("Der er ikke åbnet nogen plan!", fejlTitel);
        return;
    }
    bool eksporteret = false;
    {
        const Optaget optaget;
        eksporteret = vorivazi_->Eksporter();
    }
    if (!eksporteret)
        return;
    for (const char* fil : {"HoldSkemaer.txt", "LaererSkemaer.txt", "LokaleSkemaer.txt"})
        Besked().Log(QDir::current().absoluteFilePath(fil).toStdString());
    Besked().VisInfo(eksporteretTekst);
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
    const int32_t dage = indstillinger.Dage();
    const int32_t frekvens = indstillinger.Frekvens();
    const int32_t styrke = indstillinger.Styrke();
    TAutoG& fremskridt = *vinduer_.autoG;
    fremskridt.show();
    CentrerPaaSkaermen(&fremskridt);
    fremskridt.Nulstil();
    {
        const Optaget optaget;
        const auto luk = qScopeGuard([&fremskridt] { fremskridt.close(); });
        // Each run continues where the one before left, one hour wider per day.
        for (int32_t timer = 1; timer <= antalAutoKoersler; ++timer) {
            if (vorivazi_->Generer(frekvens, styrke, dage, timer, genereret ? 1 : 0, Skrivebeskyttet()))
                genereret = true;
            fremskridt.Fremskrid(autoFremskridt);
            VisStatustekst("AutoGenerere!!");
            Optaget::HoldVinduerOpdateret();
        }
    }
    StatusOpdatering();
    VisStatustekst("AutoGenerereringen er afsluttet");
}

void TMainFrame::ManglendeTimerClick()
{
    if (manglende_ == nullptr)
        manglende_ = new TManglende(this);
    manglende_->Opdater(*vorivazi_, Spred_->isChecked());
    manglende_->show();
    manglende_->raise();
}

// The search runs in slices on this thread, so "Stop" is heard between them;
// stopping keeps the best timetables found so far.
void TMainFrame::FuldfoerClick()
{
    const std::unique_ptr<Fuldfoerelse> fuldfoerelse = vorivazi_->NyFuldfoerelse({}, Spred_->isChecked());
    if (!fuldfoerelse)
        return;
    const int skridt = static_cast<int>(Fuldfoerelsesvalg{}.maksSkridt);
    QProgressDialog fremskridt("Fuldfører skemaet …", "Stop", 0, skridt, this);
    fremskridt.setWindowTitle("Fuldfør skemaet");
    fremskridt.setWindowModality(Qt::WindowModal);
    fremskridt.setMinimumDuration(0);
    while (fuldfoerelse->Koer(fuldfoerelsesSkive) && !fremskridt.wasCanceled()) {
        const Maal& bedste = fuldfoerelse->Bedste();
        fremskridt.setLabelText("Mangler " + QString::number(bedste.manglende) + " timer, mellemtimer hold " +
                                QString::number(bedste.holdHuller) + ", lærere " +
                                QString::number(bedste.laererHuller));
        fremskridt.setValue(static_cast<int>(fuldfoerelse->Skridt()));
        QCoreApplication::processEvents();
    }
    fremskridt.close();
    const std::string linje = vorivazi_->AfslutFuldfoerelse(*fuldfoerelse);
    StatusOpdatering();
    VisStatustekst(QString::fromStdString(linje));
}

void TMainFrame::Cascade1Click() { Klientomraade->cascadeSubWindows(); }

void TMainFrame::Tile1Click() { Klientomraade->tileSubWindows(); }

void TMainFrame::SpecifikationerClick() { vinduer_.genSpe->setVisible(Specifikationer_->isChecked()); }

void TMainFrame::CommBoxClick() { vinduer_.out->setVisible(CommBox_->isChecked()); }

void TMainFrame::About2Click() { vinduer_.about->exec(); }
