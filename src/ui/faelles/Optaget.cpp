#include "ui/faelles/Optaget.h"

#include <QApplication>
#include <QElapsedTimer>

namespace {

int aktive = 0;

QElapsedTimer& sidsteOpdatering()
{
    static QElapsedTimer ur;
    return ur;
}

constexpr qint64 opdateringsInterval = 100; // milliseconds

} // namespace

Optaget::Optaget()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (aktive++ == 0)
        sidsteOpdatering().start();
}

Optaget::~Optaget()
{
    --aktive;
    QApplication::restoreOverrideCursor();
}

void Optaget::HoldVinduerOpdateret()
{
    if (sidsteOpdatering().isValid() && sidsteOpdatering().elapsed() >= opdateringsInterval)
        OpdaterNu();
}

void Optaget::OpdaterNu()
{
    if (aktive == 0)
        return;
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::X11ExcludeTimers);
    sidsteOpdatering().start();
}

Optaget::NormalMarkoer::NormalMarkoer() { QApplication::setOverrideCursor(Qt::ArrowCursor); }

Optaget::NormalMarkoer::~NormalMarkoer() { QApplication::restoreOverrideCursor(); }
