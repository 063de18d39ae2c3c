#pragma once

#include <QWidget>

// A window of its own beside the main window, above it, shown or hidden
// from the main window's menu. It tells when the user closes it, so that the
// menu's check mark can follow.
class Sidevindue : public QWidget {
    Q_OBJECT
public:
    explicit Sidevindue(QWidget* hovedvindue);

signals:
    void lukket();

protected:
    void closeEvent(QCloseEvent* haendelse) override;
};
