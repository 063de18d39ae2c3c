#pragma once

#include "ui/faelles/Sidevindue.h"

class QPlainTextEdit;
class QPushButton;

// The "Communicator": the log window that the whole program writes its
// progress lines into, shown and hidden from the main window's menu.
class TOut : public Sidevindue {
    Q_OBJECT
public:
    explicit TOut(QWidget* hovedvindue);

    void TilfoejLinje(const QString& linje);
    QPlainTextEdit* Memo1;
    QPushButton* Slet;

protected:
    void resizeEvent(QResizeEvent* haendelse) override;

private:
    void SletClick();
    void FormResize();
};
