#include "ui/skema/TekstGitter.h"

#include <QHeaderView>

TekstGitter::TekstGitter(int kolonner, int raekker, int raekkeHoejde, QWidget* foraelder)
    : QTableWidget(raekker - 1, kolonner, foraelder)
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
    for (int kolonne = 0; kolonne < kolonner; ++kolonne) {
        setHorizontalHeaderItem(kolonne, new QTableWidgetItem);
        for (int raekke = 0; raekke < rowCount(); ++raekke)
            setItem(raekke, kolonne, new QTableWidgetItem);
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
    if (udfyldtFarve_.isValid())
        celle->setBackground(tekst.isEmpty() ? QBrush() : QBrush(udfyldtFarve_));
}

void TekstGitter::SaetUdfyldtFarve(const QColor& farve) { udfyldtFarve_ = farve; }

void TekstGitter::RydCeller(int fraKolonne, int tilKolonne, int fraRaekke, int tilRaekke)
{
    for (int kolonne = fraKolonne; kolonne <= tilKolonne; ++kolonne)
        for (int raekke = std::max(fraRaekke, 1); raekke <= tilRaekke; ++raekke)
            SaetCelle(kolonne, raekke, QString());
}
