#pragma once

#include <QGroupBox>

#include <vector>

class QButtonGroup;
class QRadioButton;

// A framed group of radio buttons laid out in one row of columns.
class Radiogruppe : public QGroupBox {
public:
    Radiogruppe(const QString& titel, const QStringList& punkter, int valgt, QWidget* foraelder);

    // New choices; the same count keeps the choice made.
    void SaetPunkter(const QStringList& punkter, int valgt);
    int Antal() const;
    int Valgt() const;
    QRadioButton* Knap(int indeks) const;

private:
    QButtonGroup* knapper_;
};
