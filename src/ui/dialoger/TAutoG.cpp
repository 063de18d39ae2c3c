#include "ui/dialoger/TAutoG.h"

#include <QFrame>
#include <QProgressBar>

#include <algorithm>

TAutoG::TAutoG(QWidget* hovedvindue)
    : QWidget(hovedvindue, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ProgressBar1(new QProgressBar(this))
{
    setObjectName("TAutoG");
    setWindowTitle("Generere");
    setFixedSize(158, 42);
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(12, 7, 129, 33);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setGeometry(20, 11, 114, 25);
    ProgressBar1->raise();
}

void TAutoG::Nulstil() { ProgressBar1->setValue(0); }

void TAutoG::Fremskrid(int trin)
{
    ProgressBar1->setValue(std::min(ProgressBar1->value() + trin, ProgressBar1->maximum()));
}
