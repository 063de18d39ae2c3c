#pragma once

#include <QString>

class Opgave;
class QWidget;

// Runs a job with a progress dialog: the bar and the job's own line follow
// it, and "Stop" ends it between two slices (what is done so far is kept).
// The other windows wait meanwhile. True when the job ran to the end.
bool KoerMedFremskridt(QWidget* foraelder, const QString& titel, const QString& tekst, Opgave& opgave);
