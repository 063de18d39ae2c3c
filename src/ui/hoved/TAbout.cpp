#include "ui/hoved/TAbout.h"

#include "ui/hoved/Billeder.h"
#include "ui/faelles/Skaerm.h"

#include <QLabel>
#include <QPushButton>

namespace {

QFont overskrift(int punkter)
{
    QFont skrift("Times New Roman", punkter);
    skrift.setBold(true);
    return skrift;
}

QLabel* panel(const QString& tekst, const QFont& skrift, const QRect& sted, QWidget* foraelder)
{
    auto* label = new QLabel(tekst, foraelder);
    label->setFont(skrift);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(sted);
    return label;
}

} // namespace

TAbout::TAbout(QWidget* hovedvindue)
    : QDialog(hovedvindue, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      Button1(new QPushButton("OK", this))
{
    setObjectName("TAbout");
    setWindowTitle("About");
    setFixedSize(246, 306);

    auto* ramme = new QFrame(this);
    ramme->setFrameStyle(QFrame::Panel | QFrame::Raised);
    ramme->setGeometry(8, 8, 225, 289);

    auto* titel = panel("Brikken++ v 1.0 beta", overskrift(13), QRect(16, 8, 193, 41), ramme);
    titel->setFrameStyle(QFrame::Panel | QFrame::Raised);

    auto* billedramme = new QLabel(ramme);
    billedramme->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    billedramme->setStyleSheet("background-color: silver;");
    billedramme->setGeometry(40, 56, 137, 145);
    billedramme->setAlignment(Qt::AlignCenter);
    billedramme->setPixmap(Billede("om", 106, 113));

    panel("Udviklet af ", overskrift(11), QRect(27, 203, 161, 25), ramme);
    panel("Brikken++ holdet\nSkemalægning til skolen", font(), QRect(24, 226, 182, 31), ramme);

    Button1->setObjectName("Button1");
    Button1->setGeometry(90, 268, 49, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TAbout::showEvent(QShowEvent* haendelse)
{
    CentrerPaaSkaermen(this);
    QDialog::showEvent(haendelse);
}
