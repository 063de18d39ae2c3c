#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

// Runs one window's tests: the windows are driven without a screen, under a
// locale that is not Danish (their figures must come out Danish all the
// same), and the folders they remember go to a settings folder of the run's
// own. Arguments are Qt Test's, e.g. the name of one test.
template <class Test>
int KoerVinduesTest(int argc, char* argv[])
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    unsetenv("LC_ALL");
    setenv("LC_NUMERIC", "C", 1);
    const QTemporaryDir indstillinger;
    setenv("XDG_CONFIG_HOME", indstillinger.path().toLocal8Bit().constData(), 1);
    QApplication applikation(argc, argv);
    Test test;
    return QTest::qExec(&test, argc, argv);
}
