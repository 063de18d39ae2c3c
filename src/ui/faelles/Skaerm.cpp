#include "ui/faelles/Skaerm.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void CentrerPaaSkaermen(QWidget* vindue)
{
    const QScreen* skaerm = vindue->screen() ? vindue->screen() : QGuiApplication::primaryScreen();
    if (!skaerm)
        return;
    QRect ramme = vindue->frameGeometry();
    ramme.moveCenter(skaerm->availableGeometry().center());
    vindue->move(ramme.topLeft());
}
