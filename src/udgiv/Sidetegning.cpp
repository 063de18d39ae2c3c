#include "udgiv/Sidetegning.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

namespace sidetegning {

namespace {

// Fills the 40-unit line pitch of the page without overlapping lines.
constexpr int skriftHoejde = 34;

} // namespace

bool Begynd(QPainter& maler, QPaintDevice& enhed, const std::string& skrifttype, double skala)
{
    // Fonts come from the GUI side; without it Qt would abort.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr || !maler.begin(&enhed))
        return false;
    QFont skrift(QString::fromStdString(skrifttype));
    skrift.setStyleHint(QFont::TypeWriter);
    skrift.setPixelSize(skriftHoejde);
    maler.setFont(skrift);
    maler.scale(skala, skala);
    return true;
}

void Tegn(QPainter& maler, int32_t x, int32_t y, const std::string& tekst)
{
    const int grundlinje = y + maler.fontMetrics().ascent();
    maler.drawText(x, grundlinje, QString::fromStdString(tekst));
}

} // namespace sidetegning
