// Runs on the X display of scripts/test: PARLAVINE_TEST_NEEDS_DISPLAY.
#include "AppProcess.h"
#include "StandinProcess.h"
#include "TestMain.h"

class TestSmoke : public QObject
{
    Q_OBJECT

private slots:
    void startsShowsItsWindowAndStopsCleanly()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "needs an X display: run it through scripts/test");
        StandinProcess standin;
        QVERIFY(standin.start());

        AppProcess app;
        QVERIFY(app.start(standin.environment(QProcessEnvironment::systemEnvironment())));
        QVERIFY2(app.waitForWindow(QStringLiteral("Parlavine")), app.errorOutput().constData());

        QCOMPARE(app.stop(), 0);
        QCOMPARE(standin.violations(), QStringList());
        QCOMPARE(standin.stop(), 0);
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestSmoke)
#include "tst_Smoke.moc"
