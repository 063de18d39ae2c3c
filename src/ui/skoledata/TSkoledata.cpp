#include "ui/skoledata/TSkoledata.h"

#include "app/Skoledatatjeneste.h"
#include "base/Besked.h"
#include "base/Opremsning.h"
#include "base/Uge.h"
#include "skoledata/SkoledataCsv.h"
#include "ui/faelles/Fejlsikring.h"
#include "ui/dialoger/Plandialoger.h"
#include "ui/skoledata/Prioritetsgitter.h"
#include "ui/skoledata/Skoledatamodel.h"
#include "ui/skoledata/Vaerdidelegat.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <map>
#include <set>

namespace {

const std::string titel = "Skoledata";

QPushButton* Knap(const QString& tekst, QLayout* layout)
{
    auto* knap = new QPushButton(tekst);
    layout->addWidget(knap);
    return knap;
}

QStringList Vaerdier(const Skoledata& data, const std::string& tabel, size_t kolonne)
{
    std::set<std::string> vaerdier;
    for (const Raekke& raekke : data.Af(tabel))
        vaerdier.insert(SomTekst(raekke[kolonne]));
    QStringList liste;
    for (const std::string& v : vaerdier)
        liste << QString::fromStdString(v);
    return liste;
}

// The teachers a plan's week grid is for: those who teach in the plan and
// those whose subject profiles belong to its distribution of hours.
QStringList PlanensLaerere(const Skoledata& data, const std::string& plan)
{
    std::set<std::string> fordelinger;
    for (const Raekke& raekke : data.Af("Plan"))
        if (SomTekst(raekke[0]) == plan)
            fordelinger.insert(SomTekst(raekke[1]));
    std::set<std::string> laerere;
    for (const Raekke& raekke : data.Af("HoldLaererRelation"))
        if (SomTekst(raekke[3]) == plan)
            laerere.insert(SomTekst(raekke[2]));
    for (const Raekke& raekke : data.Af("LaererFagProfil"))
        if (fordelinger.contains(SomTekst(raekke[4])))
            laerere.insert(SomTekst(raekke[0]));
    laerere.erase(tomId);
    QStringList liste;
    for (const std::string& l : laerere)
        liste << QString::fromStdString(l);
    return liste;
}

// The rows of a table of the activity's plan and id (its first two columns).
std::vector<Raekke> AktivitetensRaekker(const Skoledata& data, const std::string& tabel, const Raekke& aktivitet)
{
    std::vector<Raekke> ud;
    for (const Raekke& r : data.Af(tabel)) {
        if (r.size() >= 2 && r[0] == aktivitet[0] && r[1] == aktivitet[1])
            ud.push_back(r);
    }
    return ud;
}

// "7.a Tysk, 7.b": a group after its class, a whole class alone.
std::string Deltagere(const Skoledata& data, const Raekke& aktivitet)
{
    std::vector<std::string> dele;
    for (const Raekke& r : AktivitetensRaekker(data, "AktivitetDeltager", aktivitet)) {
        const std::string gruppe = SomTekst(r[3]);
        dele.push_back(SomTekst(r[2]) + (gruppe == "tom" ? "" : " " + gruppe));
    }
    return Opremsning(dele, ", ");
}

std::string Laerere(const Skoledata& data, const Raekke& aktivitet)
{
    std::vector<std::string> dele;
    for (const Raekke& r : AktivitetensRaekker(data, "AktivitetLaerer", aktivitet))
        dele.push_back(SomTekst(r[2]));
    return Opremsning(dele, ", ");
}

// "Hal A eller Hal B" for one need; "1: Hal A eller Hal B; 2: Gymsal" for several.
std::string Lokalebehov(const Skoledata& data, const Raekke& aktivitet)
{
    std::map<std::string, std::vector<std::string>> behov;
    for (const Raekke& r : AktivitetensRaekker(data, "AktivitetLokale", aktivitet))
        behov[SomTekst(r[2])].push_back(SomTekst(r[3]));
    std::vector<std::string> dele;
    for (const auto& [nr, lokaler] : behov)
        dele.push_back((behov.size() > 1 ? nr + ": " : "") + Opremsning(lokaler, " eller "));
    return Opremsning(dele, "; ");
}

// The groups of the row's division, "Tysk / Fransk".
std::string Inddeling(const Skoledata& data, const Raekke& gruppe)
{
    std::vector<std::string> grupper;
    for (const Raekke& r : data.Af("Gruppe")) {
        if (r.size() == 4 && r[0] == gruppe[0] && r[1] == gruppe[1] && r[2] == gruppe[2])
            grupper.push_back(SomTekst(r[3]));
    }
    return Opremsning(grupper, " / ");
}

const QString csvFiltre = "CSV-filer (*.csv);;Alle filer (*)";

QString CsvNavn(const Skoledatamodel& model) { return QString::fromStdString(model.TabelAf().betegnelse) + ".csv"; }

} // namespace

TSkoledata::TSkoledata(QWidget* foraelder, const Skoledatatjeneste& tjeneste)
    : QWidget(foraelder, Qt::Window), Sider(new QTabWidget), PlanValg(new QComboBox), LaererValg(new QComboBox),
      Gitter(new QTableView), tjeneste_(tjeneste), prioriteter_(new Prioritetsgitter(redigeret_, this))
{
    setObjectName("TSkoledata");
    setWindowTitle(QString::fromStdString(titel));
    resize(900, 700);
    Sider->addTab(Side({"Plan"}), "Planer");
    Sider->addTab(Side({"Fagprofil"}), "Holdtyper og fagprofiler");
    Sider->addTab(Side({"Hold", "Holdliste", "LokaleHoldRelation"}), "Hold");
    Sider->addTab(Side({"Fag", "Fagliste"}), "Fag");
    Sider->addTab(Side({"LaererFagProfil", "HoldLaererRelation"}), "Lærere");
    Sider->addTab(Side({"Lokale", "LokalePlan"}), "Lokaler");
    Sider->addTab(Side({"Gruppe"}), "Grupper");
    Sider->addTab(Side({"Aktivitet", "AktivitetDeltager", "AktivitetLaerer", "AktivitetLokale"}), "Aktiviteter");
    ModelFor("Gruppe")->TilfoejOversigt({"Inddelingens grupper", Inddeling});
    Skoledatamodel& aktiviteter = *ModelFor("Aktivitet");
    aktiviteter.TilfoejOversigt({"Deltagere", Deltagere});
    aktiviteter.TilfoejOversigt({"Lærere", Laerere});
    aktiviteter.TilfoejOversigt({"Lokaler", Lokalebehov});
    Sider->addTab(PrioritetsSide(), "Utilgængelige timer");

    auto* knapper = new QHBoxLayout;
    knapper->addStretch();
    connect(Knap("Læs igen", knapper), &QPushButton::clicked, this, Sikret(this, &TSkoledata::LaesIgen));
    connect(Knap("Gem", knapper), &QPushButton::clicked, this, [this] { Fejlsikret([this] { Gem(); }); });
    connect(Knap("Luk", knapper), &QPushButton::clicked, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Sider);
    layout->addLayout(knapper);
    LaesIgen();
}

// The views still ask their models for rows while they are taken down, so
// they go before the rows they show do.
TSkoledata::~TSkoledata() { delete Sider; }

QWidget* TSkoledata::Side(const std::vector<std::string>& tabeller)
{
    auto* side = new QWidget;
    auto* layout = new QVBoxLayout(side);
    for (const std::string& navn : tabeller) {
        const Tabel& tabel = TabelNavngivet(navn);
        auto* model = new Skoledatamodel(tabel, redigeret_, this);
        connect(model, &Skoledatamodel::andreTabellerAendret, this, &TSkoledata::NulstilModeller, Qt::QueuedConnection);
        // Queued: the planner is asked once the editor has closed, not while the model takes the value.
        connect(
            model, &Skoledatamodel::afvist, this,
            [](const QString& grund) { Besked().VisFejl(grund.toStdString(), fejlTitel); }, Qt::QueuedConnection);
        connect(
            model, &Skoledatamodel::omdoebningOensket, this,
            [this, model](int raekke, const QString& fra, const QString& til) { Omdoeb(*model, raekke, fra, til); },
            Qt::QueuedConnection);
        // A value can make a cell of another table red, or change its summary.
        connect(model, &Skoledatamodel::dataChanged, this, &TSkoledata::TegnTabellerne);
        connect(model, &Skoledatamodel::rowsInserted, this, &TSkoledata::TegnTabellerne);
        connect(model, &Skoledatamodel::rowsRemoved, this, &TSkoledata::TegnTabellerne);
        connect(model, &Skoledatamodel::modelReset, this, &TSkoledata::TegnTabellerne);
        modeller_.push_back(model);
        auto* visning = new QTableView;
        visning->setObjectName(QString::fromStdString(navn));
        visning->setModel(model);
        visning->setItemDelegate(new Vaerdidelegat(visning));
        visning->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        visning->setSelectionBehavior(QAbstractItemView::SelectRows);
        auto* knapper = new QHBoxLayout;
        knapper->addWidget(new QLabel("<b>" + QString::fromStdString(tabel.betegnelse) + "</b>"));
        knapper->addStretch();
        connect(Knap("Tilføj række", knapper), &QPushButton::clicked, this, [model, visning] {
            model->TilfoejRaekke();
            visning->scrollToBottom();
            visning->edit(model->index(model->rowCount() - 1, 0));
        });
        connect(Knap("Slet række", knapper), &QPushButton::clicked, this,
                [this, model, visning] { SletRaekke(*model, visning->currentIndex().row()); });
        connect(Knap("Eksportér CSV …", knapper), &QPushButton::clicked, this, [this, model] {
            const QString fil = QFileDialog::getSaveFileName(this, "Eksportér CSV", CsvNavn(*model), csvFiltre);
            if (!fil.isEmpty())
                EksporterCsv(*model, fil);
        });
        connect(Knap("Importér CSV …", knapper), &QPushButton::clicked, this, [this, model] {
            const QString fil = QFileDialog::getOpenFileName(this, "Importér CSV", CsvNavn(*model), csvFiltre);
            if (!fil.isEmpty())
                ImporterCsv(*model, fil);
        });
        layout->addLayout(knapper);
        layout->addWidget(visning);
    }
    return side;
}

QWidget* TSkoledata::PrioritetsSide()
{
    auto* side = new QWidget;
    auto* valg = new QFormLayout;
    valg->addRow("Plan:", PlanValg);
    valg->addRow("Lærer:", LaererValg);
    Gitter->setObjectName("Prioritetsgitter");
    Gitter->setModel(prioriteter_);
    Gitter->setSelectionMode(QAbstractItemView::NoSelection);
    Gitter->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    Gitter->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // Left click steps up, right click down; a day's or hour's heading steps all its hours.
    connect(Gitter, &QTableView::clicked, prioriteter_, [this](const QModelIndex& i) { prioriteter_->Skift(i, 1); });
    Gitter->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Gitter, &QWidget::customContextMenuRequested, prioriteter_,
            [this](const QPoint& punkt) { prioriteter_->Skift(Gitter->indexAt(punkt), -1); });
    for (QHeaderView* overskrift : {Gitter->horizontalHeader(), Gitter->verticalHeader()}) {
        const bool dage = overskrift == Gitter->horizontalHeader();
        const auto skift = [this, dage](int sektion, int32_t retning) {
            if (dage)
                prioriteter_->SkiftDag(sektion, retning);
            else
                prioriteter_->SkiftTime(sektion, retning);
        };
        overskrift->setSectionsClickable(true);
        overskrift->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(overskrift, &QHeaderView::sectionClicked, prioriteter_, [skift](int sektion) { skift(sektion, 1); });
        connect(overskrift, &QWidget::customContextMenuRequested, prioriteter_,
                [overskrift, skift](const QPoint& punkt) { skift(overskrift->logicalIndexAt(punkt), -1); });
    }
    connect(PlanValg, &QComboBox::currentTextChanged, this, [this] { VisPlanensLaerere(LaererValg->currentText()); });
    connect(LaererValg, &QComboBox::currentTextChanged, this, &TSkoledata::VisUge);
    auto* layout = new QVBoxLayout(side);
    layout->addLayout(valg);
    layout->addWidget(Gitter);
    auto* forklaring = new QLabel(
        "Klik på en time for at skifte prioritet: -3 (kan ikke, mørkerød) … 0 … +3 (helst, grøn); højreklik "
        "går den anden vej. Et klik på en dag eller en time giver hele dagen eller timen samme prioritet.");
    forklaring->setWordWrap(true);
    layout->addWidget(forklaring);
    return side;
}

Skoledatamodel* TSkoledata::ModelFor(const std::string& tabel) const
{
    for (Skoledatamodel* model : modeller_) {
        if (model->TabelAf().navn == tabel)
            return model;
    }
    return nullptr;
}

bool TSkoledata::MaaAendreBrugere(const Skoledatamodel& model, int raekke, const std::string& handling)
{
    const auto brugere = model.Brugere(raekke);
    if (brugere.empty())
        return true;
    return Besked().Spoerg(model.IdBetegnelse() + " " + model.Id(raekke) + " bruges af " +
                               std::to_string(brugere.size()) + " rækker:" + plandialoger::Opremsning(brugere) +
                               "\n\n" + handling,
                           titel);
}

void TSkoledata::Omdoeb(Skoledatamodel& model, int raekke, const QString& fra, const QString& til)
{
    // The row may have changed while the question waited.
    if (model.Id(raekke) != fra.toStdString())
        return;
    if (MaaAendreBrugere(model, raekke, "Omdøb også dem til " + til.toStdString() + "?"))
        model.OmdoebId(raekke, til.toStdString());
}

void TSkoledata::SletRaekke(Skoledatamodel& model, int raekke)
{
    if (raekke < 0)
        return;
    const std::vector<std::string> tomme = model.TommeAktiviteter(raekke);
    const std::string ogsaa = tomme.empty()
                                  ? ""
                                  : "Så har " + std::string(tomme.size() == 1 ? "aktiviteten " : "aktiviteterne ") +
                                        Opremsning(tomme) + " hverken deltagere eller lærere og slettes også.\n";
    if (MaaAendreBrugere(model, raekke, ogsaa + "Slet også dem?"))
        model.SletRaekke(raekke);
}

void TSkoledata::TegnTabellerne()
{
    for (Skoledatamodel* model : modeller_)
        model->GlemKontrol();
    for (QTableView* visning : Sider->findChildren<QTableView*>())
        visning->viewport()->update();
}

void TSkoledata::NulstilModeller()
{
    for (Skoledatamodel* model : modeller_)
        model->Nulstil();
    OpdaterValg();
}

void TSkoledata::OpdaterValg()
{
    const QString plan = PlanValg->currentText();
    const QString laerer = LaererValg->currentText();
    const QSignalBlocker blokerPlan(PlanValg);
    PlanValg->clear();
    PlanValg->addItems(Vaerdier(redigeret_, "Plan", 0));
    PlanValg->setCurrentText(plan);
    VisPlanensLaerere(laerer);
}

void TSkoledata::VisPlanensLaerere(const QString& laerer)
{
    const QSignalBlocker blokerLaerer(LaererValg);
    LaererValg->clear();
    LaererValg->addItems(PlanensLaerere(redigeret_, PlanValg->currentText().toStdString()));
    LaererValg->setCurrentText(laerer);
    VisUge();
}

void TSkoledata::VaelgPlan(const std::string& planId) { PlanValg->setCurrentText(QString::fromStdString(planId)); }

void TSkoledata::VisUge()
{
    prioriteter_->Vis(PlanValg->currentText().toStdString(), LaererValg->currentText().toStdString());
}

void TSkoledata::LaesIgen()
{
    laest_ = tjeneste_.Laes();
    redigeret_ = laest_;
    NulstilModeller();
}

bool TSkoledata::Gem()
{
    if (redigeret_.raekker == laest_.raekker) {
        Besked().VisInfo("Der er ingen ændringer at gemme.");
        return true;
    }
    std::vector<std::string> fejl = tjeneste_.Kontroller(laest_, redigeret_);
    if (const std::string beskyttet = tjeneste_.Skrivefejl(); !beskyttet.empty())
        fejl.insert(fejl.begin(), beskyttet);
    if (fejl.empty()) {
        if (!MaaGemme())
            return false;
        if (tjeneste_.Gem(laest_, redigeret_, fejl)) {
            LaesIgen();
            Besked().VisInfo("Skoledata er gemt i databasen.");
            emit Gemt();
            return true;
        }
    }
    Besked().VisFejl("Intet er gemt; det indtastede står stadig i vinduet.\n" + plandialoger::Opremsning(fejl),
                     fejlTitel);
    return false;
}

bool TSkoledata::EksporterCsv(const Skoledatamodel& model, const QString& fil)
{
    std::string fejl;
    if (!skoledataCsv::SkrivFil(model.TabelAf(), redigeret_.Af(model.TabelAf().navn), fil.toStdString(), fejl)) {
        Besked().VisFejl("Filen " + fil.toStdString() + " kunne ikke skrives: " + fejl, fejlTitel);
        return false;
    }
    return true;
}

bool TSkoledata::ImporterCsv(Skoledatamodel& model, const QString& fil)
{
    QFile ind(fil);
    if (!ind.open(QIODevice::ReadOnly)) {
        Besked().VisFejl("Filen " + fil.toStdString() + " kan ikke åbnes: " + ind.errorString().toStdString(),
                         fejlTitel);
        return false;
    }
    std::vector<Raekke> raekker;
    std::vector<std::string> fejl;
    if (!skoledataCsv::Laes(model.TabelAf(), ind.readAll().toStdString(), raekker, fejl)) {
        Besked().VisFejl("Intet er indlæst fra " + fil.toStdString() + ":" + plandialoger::Opremsning(fejl), fejlTitel);
        return false;
    }
    model.ErstatRaekker(std::move(raekker));
    OpdaterValg();
    return true;
}

void TSkoledata::closeEvent(QCloseEvent* haendelse)
{
    if (redigeret_.raekker == laest_.raekker || Besked().Spoerg("Ændringerne er ikke gemt. Luk alligevel?", titel))
        haendelse->accept();
    else
        haendelse->ignore();
}
