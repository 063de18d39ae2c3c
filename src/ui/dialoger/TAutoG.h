#pragma once

#include <QWidget>

class QProgressBar;

// The small progress window of automatic generation.
class TAutoG : public QWidget {
    Q_OBJECT
public:
    explicit TAutoG(QWidget* hovedvindue);

    void Nulstil();
    // Advances the bar, which stops at its end.
    void Fremskrid(int trin);

    QProgressBar* ProgressBar1;
};
