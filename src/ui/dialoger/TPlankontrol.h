#pragma once

#include "fuldfoerelse/Gennemfoerlighed.h"

#include <QDialog>

#include <vector>

class QLabel;
class QTextBrowser;

// The window "Kontrollér planen": what the check before generating found, the
// findings that keep a complete timetable from existing under a heading of
// their own before the warnings, each as the sentence that says what to change.
class TPlankontrol : public QDialog {
    Q_OBJECT
public:
    TPlankontrol(QWidget* hovedvindue, const QString& planId, const std::vector<Fund>& fund);

    QLabel* Opsummering;
    QTextBrowser* Fundliste;
};
