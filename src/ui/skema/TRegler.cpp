#include "ui/skema/TRegler.h"

#include "app/Regeloversigt.h"
#include "app/Vorivazi.h"
#include "skoledata/Planregeldata.h"

#include <QBrush>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString tekst(const std::string& s) { return QString::fromStdString(s); }

bool ErKrav(const planregler::Regel& regel) { return regel.vaegt >= planregler::krav; }

// Broken requirements first, then broken wishes, then the kept rules.
int Orden(const Regelstatus& s)
{
    if (s.tilstand.brud == 0)
        return 2;
    return ErKrav(s.regel) ? 0 : 1;
}

QTreeWidgetItem* RegelRaekke(const Regelstatus& s)
{
    const bool brudt = s.tilstand.brud > 0;
    auto* raekke = new QTreeWidgetItem({tekst(planregler::Beskrivelse(s.regel)), tekst(planregler::Navn(s.regel.art)),
                                        ErKrav(s.regel) ? "krav" : QString::number(s.regel.vaegt) + " %",
                                        brudt ? "brudt" : "holdt", brudt ? QString::number(s.tilstand.brud) : QString(),
                                        tekst(s.tilstand.tekst)});
    if (brudt) {
        const QBrush farve(ErKrav(s.regel) ? QColor(170, 0, 0) : QColor(150, 90, 0));
        for (int kolonne = 0; kolonne < raekke->columnCount(); ++kolonne)
            raekke->setForeground(kolonne, farve);
    }
    return raekke;
}

} // namespace

TRegler::TRegler(QWidget* hovedvindue) : QWidget(hovedvindue, Qt::Window), Tabel(new QTreeWidget), Sum(new QLabel)
{
    setObjectName("Regler");
    setWindowTitle("Planens regler");
    Tabel->setObjectName("ReglerTabel");
    Tabel->setRootIsDecorated(false);
    Tabel->setHeaderLabels({"Regel", "Art", "Vægt", "Tilstand", "Brud", "Hvorfor"});
    Tabel->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Tabel);
    layout->addWidget(Sum);
    resize(900, 300);
}

TRegler::~TRegler() = default;

void TRegler::LaesOgOpdater(Vorivazi& vorivazi)
{
    laestFra_ = nullptr;
    Opdater(vorivazi);
}

void TRegler::Opdater(Vorivazi& vorivazi)
{
    if (laestFra_ != &vorivazi || plan_ != vorivazi.PlanId()) {
        laestFra_ = &vorivazi;
        plan_ = vorivazi.PlanId();
        regler_ = vorivazi.ErAaben() ? LaesPlanensRegler(plan_) : std::vector<planregler::Regel>{};
    }
    std::vector<Regelstatus> oversigt = Regeloversigt(vorivazi, regler_);
    std::stable_sort(oversigt.begin(), oversigt.end(),
                     [](const Regelstatus& a, const Regelstatus& b) { return Orden(a) < Orden(b); });
    Tabel->clear();
    int brudte = 0;
    int brudteKrav = 0;
    for (const Regelstatus& s : oversigt) {
        Tabel->addTopLevelItem(RegelRaekke(s));
        brudte += s.tilstand.brud > 0 ? 1 : 0;
        brudteKrav += s.tilstand.brud > 0 && ErKrav(s.regel) ? 1 : 0;
    }
    Sum->setText(oversigt.empty() ? "Planen har ingen regler."
                                  : "Regler: " + QString::number(oversigt.size()) + ", holdt " +
                                        QString::number(static_cast<int>(oversigt.size()) - brudte) + ", brudt " +
                                        QString::number(brudte) + " (heraf krav " + QString::number(brudteKrav) + ")");
}
