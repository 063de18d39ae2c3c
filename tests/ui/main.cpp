#include "HovedvindueTest.h"
#include "PlanVinduesTest.h"
#include "SkoledataTest.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

int main(int argc, char* argv[])
{
    // The windows are driven without a screen, under a locale that is not
    // Danish: their figures must come out Danish all the same.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    unsetenv("LC_ALL");
    setenv("LC_NUMERIC", "C", 1);
    // The folders the windows remember go to a settings folder of the run's own.
    const QTemporaryDir indstillinger;
    setenv("XDG_CONFIG_HOME", indstillinger.path().toLocal8Bit().constData(), 1);
    QApplication applikation(argc, argv);

    int status = 0;
    {
        HovedvindueTest test;
        status |= QTest::qExec(&test, argc, argv);
    }
    {
        PlanVinduesTest test;
        status |= QTest::qExec(&test, argc, argv);
    }
    {
        SkoledataTest test;
        status |= QTest::qExec(&test, argc, argv);
    }
    return status;
}
