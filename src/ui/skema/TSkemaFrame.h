#pragma once

#include "store/SkemaArt.h"

#include <QWidget>

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

    QLabel* Label1;
    QComboBox* SFComboBox1;
    QLabel* Label2;
    Rulleliste* SFComboBox2;
    TekstGitter* SFStringGrid1;
    Statuslinje* StatusBar;
    Haandredigering* Redigering;

private:
    void FormCreate();
    void SFComboBox1Change();
    void SFComboBox2DropDown();
    void SFComboBox2Click();
    void NulstilTal();
    void VisValgtSkema();
    void VisLektioner(const std::string& id, SkemaArt art);
    void VisTal(const std::string& id, SkemaArt art);

    TMainFrame& hoved_;
    bool navneIndlaest_ = false;
};
