#pragma once

#include <QString>

#include <atomic>

class Opgave;
class QWidget;

// Runs a job with a progress dialog: the bar and the job's own line follow
// it, and "Stop" ends it between two slices (what is done so far is kept).
// The other windows wait meanwhile. True when the job ran to the end.
bool KoerMedFremskridt(QWidget* foraelder, const QString& titel, const QString& tekst, Opgave& opgave);

// The same for a job whose slices touch only its own data: they run on a
// thread of their own while this one keeps the windows alive, and "Stop"
// sets `stop`, which the job also hears inside a slice. The job is finished
// on this thread.
bool KoerIBaggrundenMedFremskridt(QWidget* foraelder, const QString& titel, const QString& tekst, Opgave& opgave,
                                  std::atomic<bool>& stop);
