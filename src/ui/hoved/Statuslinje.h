#pragma once

#include <QStatusBar>

#include <initializer_list>
#include <vector>

class QLabel;

// A status bar of fields with fixed widths, addressed by their index.
// A field is widened only where its text would not fit otherwise.
class Statuslinje : public QStatusBar {
public:
    Statuslinje(std::initializer_list<int> bredder, QWidget* foraelder = nullptr);

    QString Tekst(int felt) const;
    void SaetTekst(int felt, const QString& tekst);
    QLabel* Felt(int felt) const;
    // What a figure counts, as the hint of its field and of its caption just before it.
    void SaetForklaring(int felt, const QString& tekst);

private:
    std::vector<QLabel*> felter_;
    std::vector<int> bredder_;
};
