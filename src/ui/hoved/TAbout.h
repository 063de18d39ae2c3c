#pragma once

#include <QDialog>

class QPushButton;

// The About box.
class TAbout : public QDialog {
    Q_OBJECT
public:
    explicit TAbout(QWidget* hovedvindue);

    QPushButton* Button1;

protected:
    void showEvent(QShowEvent* haendelse) override;
};
