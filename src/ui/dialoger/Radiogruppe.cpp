#include "ui/dialoger/Radiogruppe.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>

Radiogruppe::Radiogruppe(const QString& titel, const QStringList& punkter, int valgt, QWidget* foraelder)
    : QGroupBox(titel, foraelder), knapper_(new QButtonGroup(this))
{
    auto* raekke = new QHBoxLayout(this);
    raekke->setContentsMargins(8, 0, 4, 2);
    raekke->setSpacing(0);
    SaetPunkter(punkter, valgt);
}

void Radiogruppe::SaetPunkter(const QStringList& punkter, int valgt)
{
    if (punkter.size() == Antal())
        return;
    for (QAbstractButton* gammel : knapper_->buttons()) {
        knapper_->removeButton(gammel);
        delete gammel;
    }
    for (int i = 0; i < punkter.size(); ++i) {
        auto* knap = new QRadioButton(punkter[i], this);
        knapper_->addButton(knap, i);
        static_cast<QHBoxLayout*>(layout())->addWidget(knap, 1);
    }
    knapper_->button(valgt)->setChecked(true);
}

int Radiogruppe::Antal() const { return static_cast<int>(knapper_->buttons().size()); }

int Radiogruppe::Valgt() const { return knapper_->checkedId(); }

QRadioButton* Radiogruppe::Knap(int indeks) const { return static_cast<QRadioButton*>(knapper_->button(indeks)); }
