#include "ui/hoved/TOut.h"

#include <QPlainTextEdit>
#include <QPushButton>

TOut::TOut(QWidget* hovedvindue)
    : Sidevindue(hovedvindue), Memo1(new QPlainTextEdit(this)), Slet(new QPushButton("Slet", this))
{
    setObjectName("TOut");
    setWindowTitle("Communicator");
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setGeometry(0, 0, 305, 185);
    Slet->setObjectName("Slet");
    Slet->setGeometry(123, 188, 57, 18);
    connect(Slet, &QPushButton::clicked, this, &TOut::SletClick);
    setGeometry(238, 166, 316, 240);
}

void TOut::TilfoejLinje(const QString& linje) { Memo1->appendPlainText(linje); }

void TOut::SletClick() { Memo1->clear(); }

void TOut::FormResize()
{
    Memo1->resize(width() - 6, height() - 55);
    Slet->move(static_cast<int>(width() * 0.4), height() - 52);
}

void TOut::resizeEvent(QResizeEvent* haendelse)
{
    QWidget::resizeEvent(haendelse);
    FormResize();
}
