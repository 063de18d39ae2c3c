#include "ui/dialoger/TPlanListeForm.h"

#include "ui/faelles/Fejlsikring.h"
#include "ui/faelles/Hint.h"
#include "ui/faelles/Optaget.h"
#include "ui/hoved/Programvinduer.h"
#include "ui/faelles/Skaerm.h"
#include "ui/hoved/TMainFrame.h"
#include "base/Besked.h"
#include "base/Stopur.h"
#include "app/Vorivazi.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

QFont fedArial()
{
    QFont skrift("Arial", 9);
    skrift.setBold(true);
    return skrift;
}

QPushButton* knap(const char* navn, const QString& tekst, const QRect& sted, QWidget* dialog)
{
    auto* k = new QPushButton(tekst, dialog);
    k->setObjectName(navn);
    k->setFont(fedArial());
    k->setGeometry(sted);
    return k;
}

int valgtRaekke(const QListWidget* liste)
{
    const auto valgte = liste->selectedItems();
    return valgte.isEmpty() ? -1 : liste->row(valgte.first());
}

} // namespace

TPlanListeForm::TPlanListeForm(Programvinduer& vinduer)
    : QDialog(vinduer.mainFrame, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                     Qt::WindowCloseButtonHint),
      Panel1(new QLabel("Vælg den ønskede plan:", this)), PlanListe(new QListWidget(this)),
      PlanValgKnap(knap("PlanValgKnap", "OK", QRect(30, 128, 39, 25), this)),
      AnnullerKnap(knap("AnnullerKnap", "Annuller", QRect(96, 128, 57, 25), this)), vinduer_(vinduer)
{
    setObjectName("TPlanListeForm");
    setWindowTitle("Indlæsning");
    setFixedSize(179, 163);
    Panel1->setObjectName("Panel1");
    Panel1->setFont(fedArial());
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setGeometry(4, 8, 172, 25);
    PlanListe->setObjectName("PlanListe");
    PlanListe->setSelectionMode(QAbstractItemView::SingleSelection);
    PlanListe->setGeometry(16, 32, 145, 89);
    SaetHint(PlanListe, "Vælg den ønskede plan her!");
    PlanValgKnap->setDefault(true);
    connect(PlanValgKnap, &QPushButton::clicked, this, Sikret(this, &TPlanListeForm::PlanValgKnapClick));
    connect(PlanListe, &QListWidget::itemDoubleClicked, this, Sikret(this, &TPlanListeForm::PlanValgKnapClick));
    connect(AnnullerKnap, &QPushButton::clicked, this, &QDialog::reject);
    // OK needs a plan to open.
    connect(PlanListe, &QListWidget::itemSelectionChanged, this,
            [this] { PlanValgKnap->setEnabled(valgtRaekke(PlanListe) >= 0); });
    PlanValgKnap->setEnabled(false);
}

void TPlanListeForm::showEvent(QShowEvent* haendelse)
{
    CentrerPaaSkaermen(this);
    QDialog::showEvent(haendelse);
    Fejlsikret([this] { FormShow(); });
    // What looks chosen is chosen: the first plan unless another one is.
    if (valgtRaekke(PlanListe) < 0 && PlanListe->count() > 0)
        PlanListe->setCurrentRow(0);
}

void TPlanListeForm::FormShow()
{
    // The catalogue is read once per run; later showings keep the first list.
    TMainFrame& hoved = *vinduer_.mainFrame;
    if (hoved.planlisteIndlaest)
        return;
    const Optaget optaget;
    Stopur ur;
    ur.Start();
    PlanListe->clear();
    hoved.planNavne.Ryd();
    Vorivazi& facade = hoved.Facade();
    facade.HentPlanliste();
    std::string id;
    while (facade.TagPlanNavn(id)) {
        hoved.planNavne.Tilfoej(id);
        PlanListe->addItem(QString::fromStdString(id));
    }
    ur.Stop();
    Besked().TidsLinje(ur.Sekunder(), "Indlæsning af Planliste: ", 1);
    hoved.planlisteIndlaest = true;
}

void TPlanListeForm::PlanValgKnapClick()
{
    // Nothing selected, nothing to open (OK is disabled then as well).
    const int raekke = valgtRaekke(PlanListe);
    if (raekke < 0)
        return;
    TMainFrame& hoved = *vinduer_.mainFrame;
    if (hoved.AabnPlan(hoved.planNavne[raekke]))
        accept();
}
