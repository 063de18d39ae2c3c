#pragma once

#include <QWidget>

#include <string>
#include <vector>

class QLabel;
class QTreeWidget;
class Vorivazi;

// Not included: the parser of Qt's meta objects cannot read it.
namespace planregler {
struct Regel;
}

// The window "Planens regler": each of the plan's own rules with its state
// over the timetables as they are now, the broken requirements first, then
// the broken wishes, then the kept rules.
class TRegler : public QWidget {
    Q_OBJECT
public:
    explicit TRegler(QWidget* hovedvindue);
    ~TRegler() override;

    // Reads the plan's rules anew and shows their state.
    void LaesOgOpdater(Vorivazi& vorivazi);
    // Shows the state of the rules read last (anew when the plan changed).
    void Opdater(Vorivazi& vorivazi);

    QTreeWidget* Tabel;
    QLabel* Sum;

private:
    std::vector<planregler::Regel> regler_;
    const Vorivazi* laestFra_ = nullptr;
    std::string plan_;
};
