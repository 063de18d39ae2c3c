#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
struct Programvinduer;

// The plan-selection dialog: lists the plans of the catalogue (read once per
// run) and opens the chosen one for the main window.
class TPlanListeForm : public QDialog {
    Q_OBJECT
public:
    explicit TPlanListeForm(Programvinduer& vinduer);

    QLabel* Panel1;
    QListWidget* PlanListe;
    QPushButton* PlanValgKnap;
    QPushButton* AnnullerKnap;

protected:
    void showEvent(QShowEvent* haendelse) override;

private:
    void FormShow();
    void PlanValgKnapClick();

    Programvinduer& vinduer_;
};
