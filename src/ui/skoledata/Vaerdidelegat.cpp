#include "ui/skoledata/Vaerdidelegat.h"

#include "skoledata/Skoleregler.h"
#include "ui/skoledata/Skoledatamodel.h"

#include <QComboBox>
#include <QLineEdit>

#include <set>

namespace {

// The values of the field found in the data: for a reference only those of the table that gives the ids.
QStringList Valgmuligheder(const Skoledata& data, const Kolonne& kolonne)
{
    std::set<std::string> vaerdier;
    for (const Tabel& tabel : Skematabeller()) {
        for (size_t k = 0; k < tabel.kolonner.size(); ++k) {
            const Kolonne& andre = tabel.kolonner[k];
            if (andre.felt != kolonne.felt || (ErHenvisning(kolonne) && !andre.definerer))
                continue;
            for (const Raekke& raekke : data.Af(tabel.navn))
                vaerdier.insert(SomTekst(raekke[k]));
        }
    }
    if (kolonne.tomTilladt)
        vaerdier.insert(skoleregler::tomMarkoer);
    QStringList liste;
    for (const std::string& v : vaerdier)
        liste << QString::fromStdString(v);
    return liste;
}

const Skoledatamodel& ModelAf(const QModelIndex& indeks) { return *static_cast<const Skoledatamodel*>(indeks.model()); }

const Kolonne& KolonneAf(const QModelIndex& indeks)
{
    return ModelAf(indeks).TabelAf().kolonner[static_cast<size_t>(indeks.column())];
}

} // namespace

QWidget* Vaerdidelegat::createEditor(QWidget* foraelder, const QStyleOptionViewItem& valg,
                                     const QModelIndex& indeks) const
{
    const Kolonne& kolonne = KolonneAf(indeks);
    if (kolonne.definerer)
        return QStyledItemDelegate::createEditor(foraelder, valg, indeks);
    // A number is typed as text, so a value beyond the rules (99 weekly hours)
    // is kept as typed and shown red with the reason instead of being cut to fit.
    if (skoleregler::Graenser(kolonne.felt))
        return new QLineEdit(foraelder);
    auto* liste = new QComboBox(foraelder);
    liste->addItems(Valgmuligheder(ModelAf(indeks).Data(), kolonne));
    liste->setEditable(!ErHenvisning(kolonne));
    return liste;
}

void Vaerdidelegat::setEditorData(QWidget* editor, const QModelIndex& indeks) const
{
    if (auto* liste = qobject_cast<QComboBox*>(editor))
        liste->setCurrentText(indeks.data(Qt::EditRole).toString());
    else
        QStyledItemDelegate::setEditorData(editor, indeks);
}

void Vaerdidelegat::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& indeks) const
{
    auto* tekst = qobject_cast<QLineEdit*>(editor);
    if (auto* liste = qobject_cast<QComboBox*>(editor))
        model->setData(indeks, liste->currentText());
    else if (tekst != nullptr && skoleregler::Graenser(KolonneAf(indeks).felt))
        model->setData(indeks, tekst->text().trimmed());
    else
        QStyledItemDelegate::setModelData(editor, model, indeks);
}
