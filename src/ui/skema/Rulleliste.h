#pragma once

#include <QComboBox>

// A combo box of ids that tells when its list is about to be used, dropped
// down or typed into, so that it can be filled at the last moment. Typing
// offers every id that contains the text, which keeps hundreds of ids quick
// to reach.
class Rulleliste : public QComboBox {
    Q_OBJECT
public:
    explicit Rulleliste(QWidget* foraelder = nullptr);

    void showPopup() override;

signals:
    void foerBrug();

protected:
    void focusInEvent(QFocusEvent* haendelse) override;
};
