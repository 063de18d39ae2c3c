#include "ui/skema/TekstGitter.h"

#include <QHeaderView>

namespace {

constexpr int egenFarve = Qt::UserRole + 1;

} // namespace

TekstGitter::TekstGitter(int kolonner, int raekker, int raekkeHoejde, QWidget* foraelder) : QTableWidget(foraelder)
{
    setEditTriggers(NoEditTriggers);
    setSelectionMode(NoSelection);
    setFocusPolicy(Qt::ClickFocus);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(raekkeHoejde);
    verticalHeader()->setDefaultSectionSize(raekkeHoejde);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(8);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setFixedHeight(raekkeHoejde + 2);
    SaetStoerrelse(kolonner, raekker);
}

void TekstGitter::SaetStoerrelse(int kolonner, int raekker)
{
    setColumnCount(kolonner);
    setRowCount(raekker - 1);
    for (int kolonne = 0; kolonne < kolonner; ++kolonne) {
        if (!horizontalHeaderItem(kolonne))
            setHorizontalHeaderItem(kolonne, new QTableWidgetItem);
        for (int raekke = 0; raekke < rowCount(); ++raekke) {
            if (!item(raekke, kolonne))
                setItem(raekke, kolonne, new QTableWidgetItem);
        }
    }
}

QString TekstGitter::Celle(int kolonne, int raekke) const
{
    const QTableWidgetItem* celle = raekke == 0 ? horizontalHeaderItem(kolonne) : item(raekke - 1, kolonne);
    return celle ? celle->text() : QString();
}

void TekstGitter::SaetCelle(int kolonne, int raekke, const QString& tekst)
{
    QTableWidgetItem* celle = raekke == 0 ? horizontalHeaderItem(kolonne) : item(raekke - 1, kolonne);
    if (!celle)
        return;
    celle->setText(tekst);
    if (raekke == 0)
        return;
    // A text wider than its cell can still be read in full.
    celle->setToolTip(tekst);
    const QColor egen = celle->data(egenFarve).value<QColor>();
    const QColor farve = egen.isValid() ? egen : udfyldtFarve_;
    if (farve.isValid())
        celle->setBackground(tekst.isEmpty() ? QBrush() : QBrush(farve));
}

void TekstGitter::SaetCelleFarve(int kolonne, int raekke, const QColor& farve)
{
    QTableWidgetItem* celle = raekke == 0 ? nullptr : item(raekke - 1, kolonne);
    if (!celle)
        return;
    celle->setData(egenFarve, farve);
    SaetCelle(kolonne, raekke, celle->text());
}

void TekstGitter::SaetUdfyldtFarve(const QColor& farve) { udfyldtFarve_ = farve; }

void TekstGitter::RydCeller(int fraKolonne, int tilKolonne, int fraRaekke, int tilRaekke)
{
    for (int kolonne = fraKolonne; kolonne <= tilKolonne; ++kolonne)
        for (int raekke = std::max(fraRaekke, 1); raekke <= tilRaekke; ++raekke) {
            if (QTableWidgetItem* celle = item(raekke - 1, kolonne))
                celle->setData(egenFarve, QVariant());
            SaetCelle(kolonne, raekke, QString());
        }
}
