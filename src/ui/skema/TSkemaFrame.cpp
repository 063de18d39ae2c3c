#include "ui/skema/TSkemaFrame.h"

#include "ui/faelles/Fejlsikring.h"
#include "ui/skema/Haandredigering.h"
#include "ui/faelles/Hint.h"
#include "ui/faelles/Lokaltal.h"
#include "ui/skema/Rulleliste.h"
#include "ui/hoved/Statuslinje.h"
#include "ui/skema/TekstGitter.h"
#include "ui/hoved/TMainFrame.h"
#include "base/Besked.h"
#include "base/Uge.h"
#include "app/Skemavisning.h"
#include "app/Udgivelse.h"
#include "app/Vorivazi.h"
#include "udgiv/PdfUdskriver.h"
#include "udgiv/PrinterUdskriver.h"

#include <QCollator>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPrinterInfo>
#include <QResizeEvent>
#include <QScopeGuard>
#include <QStandardPaths>

#include <algorithm>
#include <memory>
#include <optional>

namespace {

enum Felt { plFelt = 1, llFelt = 3, procentFelt = 5, cvFelt = 7 };

constexpr int gitterTop = 32;
constexpr int timeKolonneBredde = 18;
constexpr QSize startStoerrelse(464, 225);

QLabel* fedLabel(const QString& tekst, int venstre, int top, QWidget* vindue)
{
    auto* label = new QLabel(tekst, vindue);
    QFont skrift = label->font();
    skrift.setBold(true);
    label->setFont(skrift);
    label->adjustSize();
    label->move(venstre, top);
    return label;
}

// The kind chosen in the type list; nothing while none is chosen.
std::optional<SkemaArt> ArtAfType(const QString& type)
{
    if (type == "Hold")
        return SkemaArt::hold;
    if (type == "Laerer")
        return SkemaArt::laerer;
    if (type == "Lokale")
        return SkemaArt::lokale;
    return std::nullopt;
}

} // namespace

TSkemaFrame::TSkemaFrame(TMainFrame& hovedvindue)
    : Label1(fedLabel("Vælg type:", 6, 10, this)), SFComboBox1(new QComboBox(this)),
      Label2(fedLabel("Vælg her:", 235, 12, this)), SFComboBox2(new Rulleliste(this)),
      SFStringGrid1(new TekstGitter(klassiskeDage + 1, klassiskeTimer + 1, 16, this)),
      StatusBar(new Statuslinje({25, 25, 25, 25, 25, 40, 35, 40}, this)), hoved_(hovedvindue)
{
    setObjectName("TSkemaFrame");
    SaetTitel();
    Label1->setObjectName("Label1");
    Label2->setObjectName("Label2");

    SFComboBox1->setObjectName("SFComboBox1");
    SFComboBox1->setEditable(true);
    SFComboBox1->setInsertPolicy(QComboBox::NoInsert);
    SFComboBox1->setGeometry(85, 8, 113, 21);
    SaetHint(SFComboBox1, "Vælg skema typen her!", false);

    SFComboBox2->setObjectName("SFComboBox2");
    SFComboBox2->setGeometry(306, 8, 113, 21);
    SFComboBox2->setEnabled(false);
    SaetHint(SFComboBox2, "Her kan den enkelte lærer, lokale eller hold vælges");

    SFStringGrid1->setObjectName("SFStringGrid1");
    // A window too small for every hour scrolls rather than cutting hours off.
    SFStringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    SFStringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    SaetHint(SFStringGrid1, "Skema");

    StatusBar->setObjectName("StatusBar");
    StatusBar->setSizeGripEnabled(false);
    StatusBar->SaetTekst(0, "PL:");
    StatusBar->SaetTekst(2, "LL:");
    StatusBar->SaetTekst(4, "L%:");
    StatusBar->SaetTekst(6, "CV%:");
    StatusBar->SaetForklaring(plFelt, "Planlagte timer for dette skema");
    StatusBar->SaetForklaring(llFelt, "Lagte lektioner: de timer, der er placeret i dette skema");
    StatusBar->SaetForklaring(procentFelt, "Lagte lektioner i procent af de planlagte timer");
    StatusBar->SaetForklaring(cvFelt, "Spredningen af dagenes længde i procent: jo lavere, jo jævnere uge");

    connect(SFComboBox1, &QComboBox::editTextChanged, this, &TSkemaFrame::SFComboBox1Change);
    connect(SFComboBox2, &Rulleliste::foerBrug, this, &TSkemaFrame::SFComboBox2DropDown);
    connect(SFComboBox2, &QComboBox::activated, this, Sikret(this, &TSkemaFrame::SFComboBox2Click));
    connect(&hoved_, &TMainFrame::skemaerAendret, this, Sikret(this, &TSkemaFrame::Opdater));
    Redigering = new Haandredigering(hoved_, *SFStringGrid1, [this]() -> std::optional<VistSkema> {
        const std::optional<SkemaArt> art = ArtAfType(SFComboBox1->currentText());
        if (!art || SFComboBox2->currentIndex() < 0)
            return std::nullopt;
        return VistSkema{*art, SFComboBox2->currentText().toStdString()};
    });
    connect(Redigering, &Haandredigering::visSkema, this,
            [this](SkemaArt art, const QString& id) { hoved_.NytSkemavindue()->VisSkema(art, id); });
    FormCreate();
}

void TSkemaFrame::FormCreate()
{
    // A lesson's three texts would not fit a one-line cell; each cell wraps
    // its text at the spaces, and the rows share the window's height.
    SFStringGrid1->setWordWrap(true);
    SFStringGrid1->verticalHeader()->setMinimumSectionSize(SFStringGrid1->fontMetrics().lineSpacing() + 2);
    SFStringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    SFStringGrid1->horizontalHeader()->setFixedHeight(SFStringGrid1->fontMetrics().lineSpacing() + 6);
    StraekKolonner();
    setMinimumSize(startStoerrelse / 2);
    resize(startStoerrelse);
    NulstilTal();
    TilpasUge();
    // From here on only lessons are written: they stand out from the free hours.
    SFStringGrid1->SaetUdfyldtFarve(QColor(0xe4, 0xee, 0xfa));
    SFComboBox1->blockSignals(true);
    SFComboBox1->addItems({"Hold", "Laerer", "Lokale"});
    SFComboBox1->setCurrentIndex(-1);
    SFComboBox1->setEditText(QString());
    SFComboBox1->blockSignals(false);
}

void TSkemaFrame::TilpasUge()
{
    Vorivazi& facade = hoved_.Facade();
    const bool aaben = facade.ErAaben();
    const int dage = aaben ? std::clamp(facade.PlanDage(), 1, maksDage) : klassiskeDage;
    const int timer = aaben ? std::clamp(facade.PlanTimer(), 1, maksTimer) : klassiskeTimer;
    if (dage == dage_ && timer == timer_)
        return;
    dage_ = dage;
    timer_ = timer;
    SFStringGrid1->SaetStoerrelse(dage_ + 1, timer_ + 1);
    // The days share the width anew, so no strip stays where a removed day stood.
    StraekKolonner();
    for (int dag = 0; dag < dage_; ++dag)
        SFStringGrid1->SaetCelle(dag + 1, 0, QString::fromUtf8(::dagNavne[static_cast<size_t>(dag)]));
    for (int time = 1; time <= timer_; ++time)
        SFStringGrid1->SaetCelle(0, time, QString::number(time));
}

void TSkemaFrame::StraekKolonner()
{
    QHeaderView* hoved = SFStringGrid1->horizontalHeader();
    hoved->setSectionResizeMode(QHeaderView::Stretch);
    hoved->setSectionResizeMode(0, QHeaderView::Fixed);
    SFStringGrid1->setColumnWidth(0, timeKolonneBredde);
}

QSize TSkemaFrame::sizeHint() const { return startStoerrelse; }

void TSkemaFrame::resizeEvent(QResizeEvent* haendelse)
{
    QWidget::resizeEvent(haendelse);
    const int statusHoejde = StatusBar->sizeHint().height();
    const int gitterHoejde = std::max(0, height() - gitterTop - statusHoejde);
    SFStringGrid1->setGeometry(0, gitterTop, width(), gitterHoejde);
    StatusBar->setGeometry(0, gitterTop + gitterHoejde, width(), statusHoejde);
}

void TSkemaFrame::VaelgType(const QString& type) { SFComboBox1->setEditText(type); }

void TSkemaFrame::VisSkema(SkemaArt art, const QString& id)
{
    static constexpr PrSkemaArt<const char*> typer{{"Hold", "Laerer", "Lokale"}};
    VaelgType(typer[art]);
    SFComboBox2DropDown();
    SFComboBox2->setCurrentIndex(SFComboBox2->findText(id));
    VisValgtSkema();
}

QString TSkemaFrame::VisFoerste()
{
    SFComboBox2DropDown();
    if (SFComboBox2->count() == 0)
        return {};
    SFComboBox2->setCurrentIndex(0);
    VisValgtSkema();
    return SFComboBox2->currentText();
}

void TSkemaFrame::SaetTitel()
{
    const QString id = SFComboBox2 != nullptr ? SFComboBox2->currentText() : QString();
    if (!id.isEmpty()) {
        setWindowTitle("Skema - " + id);
        return;
    }
    const std::optional<SkemaArt> art = ArtAfType(SFComboBox1 != nullptr ? SFComboBox1->currentText() : QString());
    static constexpr PrSkemaArt<const char*> nye{{"Nyt holdskema", "Nyt lærerskema", "Nyt lokaleskema"}};
    setWindowTitle(art ? nye[*art] : "Nyt skema");
}

void TSkemaFrame::NulstilTal()
{
    for (const int felt : {plFelt, llFelt, procentFelt, cvFelt})
        StatusBar->SaetTekst(felt, "0");
}

void TSkemaFrame::SFComboBox1Change()
{
    SFComboBox2->clear();
    SFStringGrid1->RydCeller(1, dage_, 1, timer_);
    NulstilTal();
    navneIndlaest_ = false;
    SFComboBox2->setEnabled(true);
    SaetTitel();
}

void TSkemaFrame::SFComboBox2DropDown()
{
    if (navneIndlaest_)
        return;
    const std::optional<SkemaArt> art = ArtAfType(SFComboBox1->currentText());
    if (!art)
        return;
    const auto& navne = hoved_.NavneFor(*art);
    QStringList ider;
    ider.reserve(navne.Antal());
    // "tom" stands for a lesson without a teacher or room yet, not for a timetable.
    for (int32_t i = 0; i < navne.Antal(); ++i) {
        if (navne[i] != tomId)
            ider.append(QString::fromStdString(navne[i]));
    }
    // In the order a planner reads them: 1.a, 2.a, … 10.a, names alphabetically.
    QCollator orden;
    orden.setNumericMode(true);
    std::sort(ider.begin(), ider.end(), orden);
    SFComboBox2->addItems(ider);
    // Nothing is chosen until the user picks an entry.
    SFComboBox2->setCurrentIndex(-1);
    navneIndlaest_ = true;
}

void TSkemaFrame::SFComboBox2Click()
{
    Besked().Log("inde");
    VisValgtSkema();
}

void TSkemaFrame::VisValgtSkema()
{
    SFStringGrid1->RydCeller(1, dage_, 1, timer_);
    const std::optional<SkemaArt> art = ArtAfType(SFComboBox1->currentText());
    std::string id;
    if (art && !SFComboBox2->currentText().isEmpty()) {
        id = SFComboBox2->currentText().toStdString();
        VisLektioner(id, *art);
        VisTal(id, *art);
    }
    SaetTitel();
}

void TSkemaFrame::Opdater()
{
    TilpasUge();
    const QString id = SFComboBox2->currentText();
    if (navneIndlaest_) {
        // Another plan may have other ids: the list is read again, keeping
        // the chosen id when the plan has it.
        SFComboBox2->clear();
        navneIndlaest_ = false;
        SFComboBox2DropDown();
        SFComboBox2->setCurrentIndex(SFComboBox2->findText(id));
    }
    if (id.isEmpty())
        return;
    NulstilTal();
    VisValgtSkema();
}

void TSkemaFrame::VisLektioner(const std::string& id, SkemaArt art)
{
    Vorivazi& facade = hoved_.Facade();
    const std::map<std::string, std::string> farver = FagFarver(facade);
    facade.HentLektioner(id, art);
    std::string hold, fag, laerer, lokale;
    int32_t kolonne = 0;
    int32_t raekke = 0;
    while (facade.TagLektion(hold, fag, laerer, lokale, kolonne, raekke)) {
        if (kolonne < 0 || kolonne >= dage_ || raekke < 0 || raekke >= timer_)
            continue;
        // The pin goes first, where a cell too narrow for its text does not cut it off.
        SFStringGrid1->SaetCelle(kolonne + 1, raekke + 1,
                                 (facade.ErFastlaast(hold, kolonne, raekke) ? fastlaastMaerke : "") +
                                     QString::fromStdString(CelleTekst(art, hold, fag, laerer, lokale)));
        if (const auto farve = farver.find(fag); farve != farver.end())
            SFStringGrid1->SaetCelleFarve(kolonne + 1, raekke + 1, QColor(QString::fromStdString(farve->second)));
    }
    VisAktiviteter(id, art, farver);
}

// A pinned block's mark goes first in the cell, as a pinned lesson's does.
void TSkemaFrame::VisAktiviteter(const std::string& id, SkemaArt art, const std::map<std::string, std::string>& farver)
{
    const Aktivitetsplan& plan = hoved_.Facade().Aktiviteter();
    const std::vector<Aktivitetslektion> blokke = plan.Lektioner(art, id);
    for (const Aktivitetscelle& celle : AktivitetsCeller(plan, art, id)) {
        if (celle.p.kolonne >= dage_ || celle.p.raekke >= timer_)
            continue;
        const bool laast = std::any_of(blokke.begin(), blokke.end(), [&](const Aktivitetslektion& l) {
            return l.blok->laast && l.blok->Daekker(celle.p);
        });
        // A stored lesson in the same hour shows beside it rather than under it.
        const QString foer = SFStringGrid1->Celle(celle.p.kolonne + 1, celle.p.raekke + 1);
        const QString tekst = (laast ? fastlaastMaerke : "") + QString::fromStdString(celle.tekst);
        SFStringGrid1->SaetCelle(celle.p.kolonne + 1, celle.p.raekke + 1,
                                 foer.isEmpty() ? tekst : foer + " / " + tekst);
        if (const auto farve = farver.find(celle.fag); farve != farver.end())
            SFStringGrid1->SaetCelleFarve(celle.p.kolonne + 1, celle.p.raekke + 1,
                                          QColor(QString::fromStdString(farve->second)));
    }
}

void TSkemaFrame::VisTal(const std::string& id, SkemaArt art)
{
    Vorivazi& facade = hoved_.Facade();
    const int32_t planlagt = facade.PlanlagteTimer(id, art);
    const int32_t lagt = facade.AntalLektioner(id, art);
    StatusBar->SaetTekst(plFelt, QString::number(planlagt));
    StatusBar->SaetTekst(llFelt, QString::number(lagt));
    StatusBar->SaetTekst(procentFelt, ProcentTekst(LagtProcent(planlagt, lagt)));
    StatusBar->SaetTekst(cvFelt, ProcentTekst(facade.Spredning(id, art)));
}

void TSkemaFrame::Udskriv()
{
    const std::optional<SkemaArt> art = ArtAfType(SFComboBox1->currentText());
    if (!art) {
        Besked().VisFejl("Vælge venligst en type førend der printes!", fejlTitel);
        return;
    }
    if (SFComboBox2->currentText().isEmpty()) {
        Besked().VisFejl("Intet at printe, gået tidligt hjem idag", fejlTitel);
        return;
    }
    // Without a printer the page becomes a PDF file where the planner says, or nothing at all.
    std::unique_ptr<PdfUdskriver> pdf;
    if (dynamic_cast<PrinterUdskriver*>(&Udskriver::Aktiv()) != nullptr && QPrinterInfo::defaultPrinter().isNull()) {
        const QString forslag = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                    .filePath("Skema " + SFComboBox2->currentText() + ".pdf");
        QString fil = QFileDialog::getSaveFileName(this, "Der er ingen printer - gem skemaet som PDF-fil", forslag,
                                                   "PDF-filer (*.pdf)");
        if (fil.isEmpty())
            return;
        if (QFileInfo(fil).suffix().isEmpty())
            fil += ".pdf";
        pdf = std::make_unique<PdfUdskriver>(fil.toStdString());
    }
    Udskriver* printer = pdf ? Udskriver::SaetAktiv(pdf.get()) : nullptr;
    const auto tilbage = qScopeGuard([&pdf, printer] {
        if (pdf)
            Udskriver::SaetAktiv(printer);
    });
    hoved_.Facade().UdskrivSkema(SFComboBox2->currentText().toStdString(), *art);
    Besked().VisInfo("Printer Skema");
}
