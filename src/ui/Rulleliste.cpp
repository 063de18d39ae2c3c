#include "ui/Rulleliste.h"

void Rulleliste::showPopup()
{
    emit foerUdrulning();
    QComboBox::showPopup();
}
