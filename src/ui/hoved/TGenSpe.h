#pragma once

#include "ui/faelles/Sidevindue.h"

class TekstGitter;

// The window of timed rows ("Tids Specifikation"): how long each step of the last timed
// procedure took, one step per row of TidGrid.
class TGenSpe : public Sidevindue {
    Q_OBJECT
public:
    explicit TGenSpe(QWidget* hovedvindue);

    void TidsTitel(const QString& navn);
    void TidsLinje(double sekunder, const QString& etiket, int raekke);

    TekstGitter* TidGrid;
};
