#pragma once

#include <QComboBox>

// A combo box that tells when its list is about to drop down, so that it can
// be filled at the last moment.
class Rulleliste : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    void showPopup() override;

signals:
    void foerUdrulning();
};
