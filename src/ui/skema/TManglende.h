#pragma once

#include "fuldfoerelse/ManglendeTimer.h"
#include "fuldfoerelse/Skemabillede.h"

#include <QPoint>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

class QLabel;
class QMimeData;
class QTreeWidget;
class Vorivazi;

// The window "Manglende timer": one row per lesson demand with hours still
// missing, the obstacles summed up, and hour by hour on unfolding the row;
// lessons outside the plan's days and hours under a heading of their own.
// A row dragged into a timetable view places one block of its demand there;
// a double-click colours the class's open views by where one block would go.
class TManglende : public QWidget {
    Q_OBJECT
public:
    explicit TManglende(QWidget* hovedvindue);

    void Opdater(Vorivazi& vorivazi);
    // What a drag of the demand in top-level row raekke carries.
    QMimeData* Traekdata(int raekke) const;

    QTreeWidget* Tabel;
    QLabel* Sum;

signals:
    void farvHold(const Timekrav& krav);

protected:
    bool eventFilter(QObject* objekt, QEvent* haendelse) override;

private:
    // The activities still short of hours, in a group of their own, with their reasons.
    void VisManglendeAktiviteter(const ManglendeTimer& manglende);
    std::optional<int> KravRaekke(const QPoint& punkt) const;

    std::vector<Timekrav> krav_;
    QPoint trykPunkt_;
};

// The demand a drag from the window carries, if it came from there.
std::optional<Timekrav> KravFra(const QMimeData* data);
