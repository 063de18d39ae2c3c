#include "ui/skema/Rulleliste.h"

#include <QCompleter>

Rulleliste::Rulleliste(QWidget* foraelder) : QComboBox(foraelder)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    completer()->setCompletionMode(QCompleter::PopupCompletion);
    completer()->setFilterMode(Qt::MatchContains);
    completer()->setCaseSensitivity(Qt::CaseInsensitive);
}

void Rulleliste::showPopup()
{
    emit foerBrug();
    QComboBox::showPopup();
}

void Rulleliste::focusInEvent(QFocusEvent* haendelse)
{
    emit foerBrug();
    QComboBox::focusInEvent(haendelse);
}
