#include "ui/faelles/Sidevindue.h"

// Kept above the main window as its own window, but never above everything:
// a message box must not end up under it.
Sidevindue::Sidevindue(QWidget* hovedvindue)
    : QWidget(hovedvindue, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                               Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
}

void Sidevindue::closeEvent(QCloseEvent* haendelse)
{
    QWidget::closeEvent(haendelse);
    emit lukket();
}
