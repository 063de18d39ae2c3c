#include "ui/skema/TManglende.h"

#include "app/Skemavisning.h"
#include "app/Vorivazi.h"
#include "base/Uge.h"

#include <QApplication>
#include <QDrag>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kravMime = "application/x-brikken-krav";

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
    Tabel->viewport()->installEventFilter(this);
    connect(Tabel, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* raekke) {
        const int i = Tabel->indexOfTopLevelItem(raekke);
        if (i >= 0 && i < static_cast<int>(krav_.size()))
            emit farvHold(krav_[static_cast<size_t>(i)]);
    });
}

void TManglende::Opdater(Vorivazi& vorivazi)
{
    const ManglendeTimer manglende = vorivazi.Manglende();
    Tabel->clear();
    krav_.clear();
    for (const ManglendeKrav& m : manglende.krav) {
        Tabel->addTopLevelItem(kravRaekke(m));
        krav_.push_back(m.krav);
    }
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
    VisManglendeAktiviteter(manglende);
    Sum->setText("Manglende timer i alt: " + QString::number(manglende.Mangler()));
}

// Below the demands, so that a row's index still names its demand for dragging.
void TManglende::VisManglendeAktiviteter(const ManglendeTimer& manglende)
{
    if (manglende.aktiviteter.empty())
        return;
    auto* gruppe = new QTreeWidgetItem(Tabel, {"Aktiviteter"});
    int32_t ialt = 0;
    for (const ManglendeAktivitetstimer& m : manglende.aktiviteter) {
        const Aktivitetsangivelse a = Angivelse(m.aktivitet);
        new QTreeWidgetItem(gruppe, {tekst(a.deltagere), tekst(m.aktivitet.fag), tekst(a.laerere), tekst(a.lokaler),
                                     QString::number(m.blok), QString::number(m.aktivitet.timer),
                                     QString::number(m.placeret), QString::number(m.mangler), tekst(m.Opsummering())});
        ialt += m.mangler;
    }
    gruppe->setText(7, QString::number(ialt));
}

QMimeData* TManglende::Traekdata(int raekke) const
{
    const Timekrav& k = krav_.at(static_cast<size_t>(raekke));
    auto* data = new QMimeData;
    const QStringList felter{tekst(k.hold),       tekst(k.fag),    tekst(k.laerer),
                             tekst(k.lokaletype), tekst(k.lokale), QString::number(k.blok)};
    data->setData(kravMime, felter.join('\n').toUtf8());
    return data;
}

std::optional<Timekrav> KravFra(const QMimeData* data)
{
    if (data == nullptr || !data->hasFormat(kravMime))
        return std::nullopt;
    const QStringList felter = QString::fromUtf8(data->data(kravMime)).split('\n');
    if (felter.size() != 6)
        return std::nullopt;
    Timekrav k;
    k.hold = felter[0].toStdString();
    k.fag = felter[1].toStdString();
    k.laerer = felter[2].toStdString();
    k.lokaletype = felter[3].toStdString();
    k.lokale = felter[4].toStdString();
    k.blok = felter[5].toInt();
    return k;
}

std::optional<int> TManglende::KravRaekke(const QPoint& punkt) const
{
    const int i = Tabel->indexOfTopLevelItem(Tabel->itemAt(punkt));
    return i >= 0 && i < static_cast<int>(krav_.size()) ? std::optional<int>(i) : std::nullopt;
}

bool TManglende::eventFilter(QObject* /*objekt*/, QEvent* haendelse)
{
    if (haendelse->type() == QEvent::MouseButtonPress)
        trykPunkt_ = static_cast<QMouseEvent*>(haendelse)->position().toPoint();
    if (haendelse->type() != QEvent::MouseMove)
        return false;
    const auto* mus = static_cast<QMouseEvent*>(haendelse);
    const std::optional<int> raekke = KravRaekke(trykPunkt_);
    if (!raekke || !(mus->buttons() & Qt::LeftButton) ||
        (mus->position().toPoint() - trykPunkt_).manhattanLength() < QApplication::startDragDistance())
        return false;
    auto* traek = new QDrag(this);
    traek->setMimeData(Traekdata(*raekke));
    traek->exec(Qt::CopyAction);
    return true;
}
