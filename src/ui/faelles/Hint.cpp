#include "ui/faelles/Hint.h"

#include <QVariant>
#include <QWidget>

namespace {

const char* const hintEgenskab = "brikkenHint";

} // namespace

QString KortHint(const QString& hint)
{
    const auto bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.left(bar);
}

QString LangHint(const QString& hint)
{
    const auto bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

void SaetHint(QWidget* widget, const QString& hint, bool visTooltip)
{
    widget->setProperty(hintEgenskab, hint);
    widget->setToolTip(visTooltip ? KortHint(hint) : QString());
}

QString NaermesteHint(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const QString hint = widget->property(hintEgenskab).toString();
        if (!hint.isEmpty())
            return hint;
    }
    return {};
}
