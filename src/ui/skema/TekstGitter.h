#pragma once

#include <QTableWidget>

// A read-only text grid whose row 0 is a fixed header row; cells are
// addressed (column, row) with the header as row 0.
class TekstGitter : public QTableWidget {
public:
    TekstGitter(int kolonner, int raekker, int raekkeHoejde, QWidget* foraelder = nullptr);

    QString Celle(int kolonne, int raekke) const;
    void SaetCelle(int kolonne, int raekke, const QString& tekst);
    // Cells with text get this background (none by default).
    void SaetUdfyldtFarve(const QColor& farve);
    // Empties the cells of the given columns and rows (header excluded).
    void RydCeller(int fraKolonne, int tilKolonne, int fraRaekke, int tilRaekke);

private:
    QColor udfyldtFarve_;
};
