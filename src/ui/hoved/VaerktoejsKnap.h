#pragma once

#include <QFrame>
#include <QPixmap>

class QLabel;

// A borderless 25 x 25 tool-bar button holding a 21 x 21 picture. It shows a
// raised bevel only when told to (the main window decides on hover), and may
// carry a second, highlighted picture in the same place.
class VaerktoejsKnap : public QFrame {
    Q_OBJECT
public:
    VaerktoejsKnap(const QPixmap& billede, QWidget* foraelder);

    void SaetFremhaevetBillede(const QPixmap& billede);
    void SaetHaevet(bool haevet);
    bool ErHaevet() const;
    void VisFremhaevet(bool fremhaevet);
    bool ViserFremhaevet() const;

signals:
    void klikket();
    void musOver();

protected:
    void mousePressEvent(QMouseEvent* haendelse) override;
    void mouseReleaseEvent(QMouseEvent* haendelse) override;
    void mouseMoveEvent(QMouseEvent* haendelse) override;
    void changeEvent(QEvent* haendelse) override;

private:
    QLabel* billede_;
    QLabel* fremhaevet_ = nullptr;
    bool haevet_ = false;
    bool trykket_ = false;
};
