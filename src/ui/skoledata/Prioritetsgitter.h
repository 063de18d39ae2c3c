#pragma once

#include "skoledata/Skoledata.h"

#include <QAbstractTableModel>

// A teacher's week in one plan, days across and hours down, with the time
// priority of every hour (-3 unavailable ... +3 preferred) as the window's
// Tidsprioritet rows hold it; an hour without a row has priority 0.
class Prioritetsgitter : public QAbstractTableModel {
    Q_OBJECT
public:
    Prioritetsgitter(Skoledata& data, QObject* foraelder);

    // Shows the teacher's week of the plan, sized by the plan's days and hours.
    void Vis(const std::string& planId, const std::string& laerer);
    int32_t Prioritet(int dag, int time) const;
    // One step up (retning 1, from +3 round to -3) or down (-1, from -3 round to +3).
    void Skift(const QModelIndex& indeks, int32_t retning = 1);
    // The first hour of the day (the first day of the hour) steps, and every
    // hour of that day (day of that hour) takes its new priority.
    void SkiftDag(int dag, int32_t retning);
    void SkiftTime(int time, int32_t retning);

    int rowCount(const QModelIndex& foraelder = {}) const override;
    int columnCount(const QModelIndex& foraelder = {}) const override;
    QVariant data(const QModelIndex& indeks, int rolle) const override;
    QVariant headerData(int sektion, Qt::Orientation retning, int rolle) const override;

private:
    std::vector<Raekke>::iterator Fundet(int dag, int time) const;
    void Saet(int dag, int time, int32_t prioritet);

    Skoledata& data_;
    std::string planId_;
    std::string laerer_;
    int dage_ = 0;
    int timer_ = 0;
};
