#pragma once

#include "store/SkemaArt.h"

#include <QWidget>

#include <map>
#include <string>

class Haandredigering;
class QComboBox;
class QLabel;
class Rulleliste;
class Statuslinje;
class TMainFrame;
class TekstGitter;

// One weekly timetable of a class, a teacher or a room: choose the kind,
// then the id, and the grid and the figures follow.
class TSkemaFrame : public QWidget {
    Q_OBJECT
public:
    explicit TSkemaFrame(TMainFrame& hovedvindue);

    // Sets the kind box as if the user had chosen the kind.
    void VaelgType(const QString& type);
    void Udskriv();
    // Shows the chosen timetable again as the open plan now has it.
    void Opdater();
    // Shows the timetable of that kind and id, as if the user had chosen it.
    void VisSkema(SkemaArt art, const QString& id);
    // Shows the first timetable of the kind chosen; its id, empty when there is none.
    QString VisFoerste();

    QLabel* Label1;
    QComboBox* SFComboBox1;
    QLabel* Label2;
    Rulleliste* SFComboBox2;
    TekstGitter* SFStringGrid1;
    Statuslinje* StatusBar;
    Haandredigering* Redigering;

    // The size a view opens with, 464 × 225; it grows with its window from there.
    QSize sizeHint() const override;

protected:
    // The grid fills the window; the status bar keeps to its foot.
    void resizeEvent(QResizeEvent* haendelse) override;

private:
    void FormCreate();
    // The open plan's own days and hours (5 × 8 without a plan).
    void TilpasUge();
    // Hour column fixed, the days sharing the rest of the width.
    void StraekKolonner();
    void SFComboBox1Change();
    void SFComboBox2DropDown();
    void SFComboBox2Click();
    void NulstilTal();
    void VisValgtSkema();
    void VisLektioner(const std::string& id, SkemaArt art);
    void VisAktiviteter(const std::string& id, SkemaArt art, const std::map<std::string, std::string>& farver);
    void VisTal(const std::string& id, SkemaArt art);
    // The caption names what the view shows: the timetable, or the kind still to be chosen.
    void SaetTitel();

    TMainFrame& hoved_;
    bool navneIndlaest_ = false;
    int dage_ = 0;
    int timer_ = 0;
};
