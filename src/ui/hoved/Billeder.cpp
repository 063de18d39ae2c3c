#include "ui/hoved/Billeder.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

QPixmap Billede(const QString& navn, int bredde, int hoejde)
{
    // Drawn at the screen's pixel density so the pictures stay sharp.
    const qreal taethed = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap billede(QSize(bredde, hoejde) * taethed);
    billede.setDevicePixelRatio(taethed);
    billede.fill(Qt::transparent);
    QSvgRenderer tegner(QStringLiteral(":/billeder/%1.svg").arg(navn));
    QPainter maler(&billede);
    tegner.render(&maler, QRectF(0, 0, bredde, hoejde));
    return billede;
}

QIcon Programikon()
{
    QIcon ikon;
    for (const int side : {16, 24, 32, 48, 64, 128})
        ikon.addPixmap(Billede("ikon", side, side));
    return ikon;
}
