#pragma once

#include <QDialog>

#include <cstdint>

class QCheckBox;
class QLabel;
class QPushButton;
class Radiogruppe;
struct Programvinduer;

// The generation settings: days, hours per day, frequency and strength. OK
// runs one generation; automatic generation reads the same choices. Days and
// hours reach the plan's own week when it is longer than the classic one.
class TGenereringsFrame : public QDialog {
    Q_OBJECT
public:
    explicit TGenereringsFrame(Programvinduer& vinduer);

    int32_t Dage() const;
    int32_t Timer() const;
    int32_t Frekvens() const;
    int32_t Styrke() const;
    // A plan was opened: days and hours start from its own week. The
    // choices made stay between showings for one plan.
    void VaelgPlanensUge();

    Radiogruppe* GFRadioGroup1;
    Radiogruppe* GFRadioGroup2;
    Radiogruppe* GFRadioGroup3;
    Radiogruppe* GFRadioGroup4;
    QPushButton* Button1;
    QPushButton* Button2;
    // Below the specified controls: what a generation does with the lessons
    // already placed, and the choice to clear them first.
    QLabel* Tilfoejelse;
    QCheckBox* RydFoerst;
    // The plan's own rules for what comes after: the completion, hand moves
    // and the missing hours keep them; the generation always spreads.
    QCheckBox* Spred;
    QCheckBox* DelDobbelte;

protected:
    void showEvent(QShowEvent* haendelse) override;

private:
    void Button1Click();
    void FoelgPlanensUge();

    Programvinduer& vinduer_;
};
