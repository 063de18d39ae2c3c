#include "ui/faelles/Fremskridtsvindue.h"

#include "app/Opgave.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressDialog>

#include <algorithm>

namespace {

// Slices can be short; the window is looked at no more often than this.
constexpr qint64 visningsInterval = 50; // milliseconds

} // namespace

bool KoerMedFremskridt(QWidget* foraelder, const QString& titel, const QString& tekst, Opgave& opgave)
{
    QProgressDialog dialog(tekst, "Stop", 0, 0, foraelder);
    dialog.setObjectName("Fremskridt");
    dialog.setWindowTitle(titel);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    dialog.show();
    QElapsedTimer ur;
    ur.start();
    const auto vis = [&](const Fremskridt& f) {
        if (ur.elapsed() < visningsInterval)
            return;
        if (f.ialt > 0) {
            dialog.setMaximum(static_cast<int>(f.ialt));
            dialog.setValue(static_cast<int>(std::clamp(f.gjort, int64_t{0}, f.ialt)));
        }
        if (!f.tekst.empty())
            dialog.setLabelText(QString::fromStdString(f.tekst));
        QCoreApplication::processEvents();
        ur.start();
    };
    const bool faerdig = KoerOpgave(
        opgave, [&dialog] { return dialog.wasCanceled(); }, vis);
    dialog.close();
    return faerdig;
}
