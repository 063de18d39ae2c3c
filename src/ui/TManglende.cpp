#include "ui/TManglende.h"

#include "app/Vorivazi.h"
#include "store/Ugedage.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString tekst(const std::string& s) { return QString::fromStdString(s); }

QString timeTekst(int32_t kolonne, int32_t raekke)
{
    const QString dag = kolonne >= 0 && kolonne < static_cast<int32_t>(dagNavne.size()) ? dagNavne[kolonne] : "?";
    return dag + " " + QString::number(raekke + 1) + ". time";
}

QTreeWidgetItem* kravRaekke(const ManglendeKrav& m)
{
    const Timekrav& k = m.krav;
    auto* raekke = new QTreeWidgetItem({tekst(k.hold), tekst(k.fag), tekst(k.laerer), tekst(k.Lokaleangivelse()),
                                        QString::number(k.blok), QString::number(k.timer), QString::number(m.placeret),
                                        QString::number(m.mangler), tekst(m.Opsummering())});
    for (const TimeAarsag& a : m.aarsager) {
        const QString hvorfor = tekst(HindringsTekst(a.hindring)) + (a.detalje.empty() ? "" : ": " + tekst(a.detalje));
        new QTreeWidgetItem(raekke, {timeTekst(a.kolonne, a.raekke), {}, {}, {}, {}, {}, {}, {}, hvorfor});
    }
    return raekke;
}

} // namespace

TManglende::TManglende(QWidget* hovedvindue) : QWidget(hovedvindue, Qt::Window), Tabel(new QTreeWidget), Sum(new QLabel)
{
    setObjectName("Manglende");
    setWindowTitle("Manglende timer");
    Tabel->setObjectName("ManglendeTabel");
    Tabel->setHeaderLabels({"Hold", "Fag", "Lærer", "Lokale", "Blok", "Ønsket", "Placeret", "Mangler", "Årsager"});
    Tabel->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Tabel);
    layout->addWidget(Sum);
    resize(900, 400);
}

void TManglende::Opdater(Vorivazi& vorivazi, bool spred)
{
    const ManglendeTimer manglende = vorivazi.Manglende(spred);
    Tabel->clear();
    for (const ManglendeKrav& m : manglende.krav)
        Tabel->addTopLevelItem(kravRaekke(m));
    if (!manglende.udenforPlanen.empty()) {
        auto* udenfor = new QTreeWidgetItem(Tabel, {"Uden for planen"});
        udenfor->setText(7, QString::number(manglende.udenforPlanen.size()));
        for (const LektionsData& l : manglende.udenforPlanen)
            new QTreeWidgetItem(udenfor, {tekst(l.hold),
                                          tekst(l.fag),
                                          tekst(l.laerer),
                                          tekst(l.lokale),
                                          QString::number(l.blok),
                                          {},
                                          {},
                                          {},
                                          timeTekst(l.kolonne, l.raekke)});
    }
    Sum->setText("Manglende timer i alt: " + QString::number(manglende.Mangler()));
}
