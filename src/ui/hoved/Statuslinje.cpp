#include "ui/hoved/Statuslinje.h"

#include "ui/faelles/Hint.h"

#include <QLabel>

#include <algorithm>

Statuslinje::Statuslinje(std::initializer_list<int> bredder, QWidget* foraelder) : QStatusBar(foraelder)
{
    setStyleSheet("QStatusBar::item { border: none; }");
    for (const int bredde : bredder) {
        auto* felt = new QLabel(this);
        felt->setFixedWidth(bredde);
        felt->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        felt->setIndent(2);
        addWidget(felt);
        felter_.push_back(felt);
        bredder_.push_back(bredde);
    }
}

QString Statuslinje::Tekst(int felt) const { return felter_.at(felt)->text(); }

void Statuslinje::SaetTekst(int felt, const QString& tekst)
{
    QLabel* label = felter_.at(felt);
    label->setText(tekst);
    // A field never clips its text; it widens when the text needs it.
    label->setFixedWidth(std::max(bredder_.at(felt), label->sizeHint().width()));
}

QLabel* Statuslinje::Felt(int felt) const { return felter_.at(felt); }

void Statuslinje::SaetForklaring(int felt, const QString& tekst)
{
    for (const int f : {felt - 1, felt})
        SaetHint(Felt(f), tekst);
}
