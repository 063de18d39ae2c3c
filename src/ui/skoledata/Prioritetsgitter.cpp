#include "ui/skoledata/Prioritetsgitter.h"

#include "base/Uge.h"

#include <QBrush>
#include <QColor>

#include <algorithm>
#include <array>

namespace {

constexpr int32_t laveste = -3;
constexpr int32_t hoejeste = 3;

// Dark red for unavailable through white to green for preferred.
QColor Farve(int32_t prioritet)
{
    static const std::array<QColor, 7> farver{QColor(128, 0, 0),     QColor(200, 50, 50),   QColor(240, 150, 140),
                                              QColor(255, 255, 255), QColor(200, 240, 200), QColor(120, 200, 120),
                                              QColor(30, 130, 60)};
    // A stored value beyond the scale (the rules refuse it on saving) shows as its nearest end.
    return farver[static_cast<size_t>(std::clamp(prioritet, laveste, hoejeste) - laveste)];
}

// One step up or down the scale, round from one end to the other.
int32_t Naeste(int32_t prioritet, int32_t retning)
{
    const int32_t antal = hoejeste - laveste + 1;
    return laveste + ((prioritet - laveste + retning) % antal + antal) % antal;
}

// A number the planner may not have typed correctly yet counts as 0.
int32_t Tal(const SqlVaerdi& vaerdi)
{
    const auto* tal = std::get_if<int32_t>(&vaerdi);
    return tal == nullptr ? 0 : *tal;
}

} // namespace

Prioritetsgitter::Prioritetsgitter(Skoledata& data, QObject* foraelder) : QAbstractTableModel(foraelder), data_(data) {}

void Prioritetsgitter::Vis(const std::string& planId, const std::string& laerer)
{
    beginResetModel();
    planId_ = planId;
    laerer_ = laerer;
    dage_ = timer_ = 0;
    for (const Raekke& plan : data_.Af("Plan")) {
        if (SomTekst(plan[0]) == planId) {
            dage_ = std::clamp(Tal(plan[2]), 0, static_cast<int32_t>(dagNavne.size()));
            timer_ = std::clamp(Tal(plan[3]), 0, maksTimer);
        }
    }
    endResetModel();
}

std::vector<Raekke>::iterator Prioritetsgitter::Fundet(int dag, int time) const
{
    auto& raekker = data_.raekker["Tidsprioritet"];
    const Raekke noegle{planId_, laerer_, 0, dag, time};
    return std::find_if(raekker.begin(), raekker.end(), [&](const Raekke& r) {
        return r[0] == noegle[0] && r[1] == noegle[1] && r[3] == noegle[3] && r[4] == noegle[4];
    });
}

int32_t Prioritetsgitter::Prioritet(int dag, int time) const
{
    const auto fundet = Fundet(dag, time);
    return fundet == data_.raekker["Tidsprioritet"].end() ? 0 : Tal((*fundet)[2]);
}

void Prioritetsgitter::Saet(int dag, int time, int32_t prioritet)
{
    auto& raekker = data_.raekker["Tidsprioritet"];
    const auto fundet = Fundet(dag, time);
    // Only hours that differ from 0 are stored.
    if (fundet != raekker.end() && prioritet == 0)
        raekker.erase(fundet);
    else if (fundet != raekker.end())
        (*fundet)[2] = prioritet;
    else if (prioritet != 0)
        raekker.push_back({planId_, laerer_, prioritet, dag, time});
    emit dataChanged(index(time, dag), index(time, dag));
}

void Prioritetsgitter::Skift(const QModelIndex& indeks, int32_t retning)
{
    if (!indeks.isValid() || laerer_.empty())
        return;
    Saet(indeks.column(), indeks.row(), Naeste(Prioritet(indeks.column(), indeks.row()), retning));
}

void Prioritetsgitter::SkiftDag(int dag, int32_t retning)
{
    if (laerer_.empty() || dag < 0 || dag >= dage_ || timer_ == 0)
        return;
    const int32_t ny = Naeste(Prioritet(dag, 0), retning);
    for (int time = 0; time < timer_; ++time)
        Saet(dag, time, ny);
}

void Prioritetsgitter::SkiftTime(int time, int32_t retning)
{
    if (laerer_.empty() || time < 0 || time >= timer_ || dage_ == 0)
        return;
    const int32_t ny = Naeste(Prioritet(0, time), retning);
    for (int dag = 0; dag < dage_; ++dag)
        Saet(dag, time, ny);
}

int Prioritetsgitter::rowCount(const QModelIndex& foraelder) const { return foraelder.isValid() ? 0 : timer_; }

int Prioritetsgitter::columnCount(const QModelIndex& foraelder) const { return foraelder.isValid() ? 0 : dage_; }

QVariant Prioritetsgitter::data(const QModelIndex& indeks, int rolle) const
{
    if (!indeks.isValid())
        return {};
    const int32_t prioritet = Prioritet(indeks.column(), indeks.row());
    switch (rolle) {
    case Qt::DisplayRole:
        return prioritet > 0 ? QString("+%1").arg(prioritet) : QString::number(prioritet);
    case Qt::BackgroundRole:
        return QBrush(Farve(prioritet));
    case Qt::ForegroundRole:
        return QBrush(prioritet <= -2 || prioritet == hoejeste ? Qt::white : Qt::black);
    case Qt::TextAlignmentRole:
        return Qt::AlignCenter;
    default:
        return {};
    }
}

QVariant Prioritetsgitter::headerData(int sektion, Qt::Orientation retning, int rolle) const
{
    if (rolle != Qt::DisplayRole)
        return {};
    if (retning == Qt::Horizontal)
        return QString::fromUtf8(dagNavne[static_cast<size_t>(sektion)]);
    return QString("%1. time").arg(sektion + 1);
}
