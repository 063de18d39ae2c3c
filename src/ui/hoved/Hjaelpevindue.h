#pragma once

#include <QTextBrowser>

// "Hjælp → Indhold" and F1 in every window: a guide inside the program to the
// order of work, the figures, the generation, the check, the missing hours,
// the completion, hand editing, pins, school data, import, publishing, the
// write protection and the command line, one section (anchor) each.
class Hjaelpevindue : public QTextBrowser {
    Q_OBJECT
public:
    explicit Hjaelpevindue(QWidget* foraelder);

    // Shows the guide at the section named (from the top when empty).
    void VisAfsnit(const QString& anker);
};
