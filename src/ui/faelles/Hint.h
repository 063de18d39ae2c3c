#pragma once

#include <QString>

class QWidget;

// A hint is "short|long": the short part is the tooltip, the long part goes to
// the main window's message field. Without a bar both parts are the whole text.
QString KortHint(const QString& hint);
QString LangHint(const QString& hint);

// Gives the widget its hint; the tooltip shows the short part unless told not to.
void SaetHint(QWidget* widget, const QString& hint, bool visTooltip = true);

// The hint of the widget or, when it has none, of its nearest parent that has one.
QString NaermesteHint(const QWidget* widget);
