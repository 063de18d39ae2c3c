#include "ui/Sidevindue.h"

Sidevindue::Sidevindue(QWidget* hovedvindue)
    : QWidget(hovedvindue, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
}

void Sidevindue::closeEvent(QCloseEvent* haendelse)
{
    QWidget::closeEvent(haendelse);
    emit lukket();
}
