#pragma once

#include <QWidget>

class TekstGitter;

// The window of timed rows ("Tids Specifikation"): how long each step of the last timed
// procedure took, one step per row of TidGrid.
class TGenSpe : public QWidget {
    Q_OBJECT
public:
    explicit TGenSpe(QWidget* hovedvindue);

    void TidsTitel(const QString& navn);
    void TidsLinje(double sekunder, const QString& etiket, int raekke);

    TekstGitter* TidGrid;

signals:
    void lukket();

protected:
    void closeEvent(QCloseEvent* haendelse) override;
};
