#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The program's own pictures, drawn from the SVG files of the resources.
QPixmap Billede(const QString& navn, int bredde, int hoejde);
QIcon Programikon();
