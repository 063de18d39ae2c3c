#pragma once

#include <QTableWidget>

// A read-only text grid whose row 0 is a fixed header row; cells are
// addressed (column, row) with the header as row 0.
class TekstGitter : public QTableWidget {
public:
    TekstGitter(int kolonner, int raekker, int raekkeHoejde, QWidget* foraelder = nullptr);

    // Columns and rows, the header row included; new cells are empty.
    void SaetStoerrelse(int kolonner, int raekker);
    QString Celle(int kolonne, int raekke) const;
    void SaetCelle(int kolonne, int raekke, const QString& tekst);
    // The cell's own background, kept when its text is written again.
    void SaetCelleFarve(int kolonne, int raekke, const QColor& farve);
    // Cells with text and no colour of their own get this background (none by default).
    void SaetUdfyldtFarve(const QColor& farve);
    // Empties the cells of the given columns and rows (header excluded), colours too.
    void RydCeller(int fraKolonne, int tilKolonne, int fraRaekke, int tilRaekke);

private:
    QColor udfyldtFarve_;
};
