#pragma once

#include <QWidget>

class QLabel;
class QTreeWidget;
class Vorivazi;

// The window "Manglende timer": one row per lesson demand with hours still
// missing, the obstacles summed up, and hour by hour on unfolding the row;
// lessons outside the plan's days and hours under a heading of their own.
class TManglende : public QWidget {
    Q_OBJECT
public:
    explicit TManglende(QWidget* hovedvindue);

    void Opdater(Vorivazi& vorivazi, bool spred);

    QTreeWidget* Tabel;
    QLabel* Sum;
};
