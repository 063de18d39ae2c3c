#include "ui/faelles/Fremskridtsvindue.h"

#include "app/Opgave.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

// Slices can be short; the window is looked at no more often than this.
constexpr qint64 visningsInterval = 50; // milliseconds

std::unique_ptr<QProgressDialog> Fremskridtsdialog(QWidget* foraelder, const QString& titel, const QString& tekst)
{
    auto dialog = std::make_unique<QProgressDialog>(tekst, "Stop", 0, 0, foraelder);
    dialog->setObjectName("Fremskridt");
    dialog->setWindowTitle(titel);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setMinimumDuration(0);
    dialog->setAutoReset(false);
    dialog->setAutoClose(false);
    dialog->show();
    return dialog;
}

void Vis(QProgressDialog& dialog, const Fremskridt& f)
{
    if (f.ialt > 0) {
        dialog.setMaximum(static_cast<int>(f.ialt));
        dialog.setValue(static_cast<int>(std::clamp(f.gjort, int64_t{0}, f.ialt)));
    }
    if (!f.tekst.empty())
        dialog.setLabelText(QString::fromStdString(f.tekst));
}

} // namespace

bool KoerMedFremskridt(QWidget* foraelder, const QString& titel, const QString& tekst, Opgave& opgave)
{
    const auto dialog = Fremskridtsdialog(foraelder, titel, tekst);
    QElapsedTimer ur;
    ur.start();
    const auto vis = [&](const Fremskridt& f) {
        if (ur.elapsed() < visningsInterval)
            return;
        Vis(*dialog, f);
        QCoreApplication::processEvents();
        ur.start();
    };
    const bool faerdig = KoerOpgave(
        opgave, [&dialog] { return dialog->wasCanceled(); }, vis);
    dialog->close();
    return faerdig;
}

bool KoerIBaggrundenMedFremskridt(QWidget* foraelder, const QString& titel, const QString& tekst, Opgave& opgave,
                                  std::atomic<bool>& stop)
{
    const auto dialog = Fremskridtsdialog(foraelder, titel, tekst);
    Baggrundskoersel koersel(opgave, stop);
    QEventLoop loekke;
    QTimer ur;
    QObject::connect(&ur, &QTimer::timeout, [&] {
        if (dialog->wasCanceled())
            stop = true;
        if (koersel.Faerdig())
            loekke.quit();
        else
            Vis(*dialog, koersel.Status());
    });
    ur.start(visningsInterval);
    loekke.exec();
    ur.stop();
    const bool faerdig = koersel.Afslut();
    dialog->close();
    return faerdig;
}
