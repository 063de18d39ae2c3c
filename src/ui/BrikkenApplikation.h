#pragma once

#include <QApplication>

// The application object. A database error that escapes a handler is shown
// with the engine's text and the program goes on; any other escaping
// exception is shown and ends the program.
class BrikkenApplikation : public QApplication {
public:
    BrikkenApplikation(int& argc, char** argv);

    bool notify(QObject* modtager, QEvent* haendelse) override;
};
