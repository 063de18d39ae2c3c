#pragma once

#include <QTextBrowser>

// "Hjælp → Indhold": a short guide inside the program to the figures, the
// generation settings, the write protection and the order of work.
class Hjaelpevindue : public QTextBrowser {
    Q_OBJECT
public:
    explicit Hjaelpevindue(QWidget* hovedvindue);
};
