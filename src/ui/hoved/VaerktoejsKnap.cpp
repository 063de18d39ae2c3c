#include "ui/hoved/VaerktoejsKnap.h"

#include <QLabel>
#include <QMouseEvent>

namespace {

QLabel* lavBillede(const QPixmap& billede, QWidget* knap)
{
    auto* label = new QLabel(knap);
    label->setGeometry(2, 2, 21, 21);
    label->setPixmap(billede);
    // Clicks on the picture are clicks on the button.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

} // namespace

VaerktoejsKnap::VaerktoejsKnap(const QPixmap& billede, QWidget* foraelder)
    : QFrame(foraelder), billede_(lavBillede(billede, this))
{
    resize(25, 25);
    setFrameStyle(QFrame::NoFrame);
    setMouseTracking(true);
}

void VaerktoejsKnap::SaetFremhaevetBillede(const QPixmap& billede)
{
    fremhaevet_ = lavBillede(billede, this);
    fremhaevet_->hide();
}

void VaerktoejsKnap::SaetHaevet(bool haevet)
{
    if (haevet == haevet_)
        return;
    haevet_ = haevet;
    setFrameStyle(haevet ? (QFrame::Panel | QFrame::Raised) : QFrame::NoFrame);
}

bool VaerktoejsKnap::ErHaevet() const { return haevet_; }

void VaerktoejsKnap::VisFremhaevet(bool fremhaevet)
{
    if (!fremhaevet_ || fremhaevet == ViserFremhaevet())
        return;
    fremhaevet_->setVisible(fremhaevet);
    billede_->setVisible(!fremhaevet);
}

bool VaerktoejsKnap::ViserFremhaevet() const { return fremhaevet_ && !fremhaevet_->isHidden(); }

void VaerktoejsKnap::mousePressEvent(QMouseEvent* haendelse)
{
    if (haendelse->button() != Qt::LeftButton)
        return;
    trykket_ = true;
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

void VaerktoejsKnap::mouseReleaseEvent(QMouseEvent* haendelse)
{
    if (haendelse->button() != Qt::LeftButton || !trykket_)
        return;
    trykket_ = false;
    setFrameStyle(haevet_ ? (QFrame::Panel | QFrame::Raised) : QFrame::NoFrame);
    if (rect().contains(haendelse->position().toPoint()))
        emit klikket();
}

void VaerktoejsKnap::mouseMoveEvent(QMouseEvent* haendelse)
{
    haendelse->accept();
    emit musOver();
}

void VaerktoejsKnap::changeEvent(QEvent* haendelse)
{
    // A disabled button neither reacts nor keeps its highlight.
    if (haendelse->type() == QEvent::EnabledChange && !isEnabled()) {
        trykket_ = false;
        SaetHaevet(false);
        VisFremhaevet(false);
    }
    QFrame::changeEvent(haendelse);
}
