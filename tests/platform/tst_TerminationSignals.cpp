#include "TestMain.h"
#include "platform/TerminationSignals.h"

#include <QTimer>

#include <cerrno>
#include <csignal>

class TestTerminationSignals : public QObject
{
    Q_OBJECT

    // Runs the application's loop until something ends it; 1 when only the safety timer did.
    static int runLoop()
    {
        QTimer safety;
        safety.setSingleShot(true);
        connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        safety.start(5000);
        return QCoreApplication::exec();
    }

private slots:
    void terminationEndsTheLoopInOrder_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
    }

    void terminationEndsTheLoopInOrder()
    {
        QFETCH(int, signal);
        TerminationSignals signals_;
        QTimer::singleShot(0, [signal] { ::raise(signal); });
        QCOMPARE(runLoop(), 0);
    }

    void theHandlerLeavesErrnoAlone()
    {
        TerminationSignals signals_;
        // Signals that pile up while the loop is busy fill the pipe, so the handler's write fails.
        for (int i = 0; i < 200000; ++i)
            ::raise(SIGTERM);
        errno = 0;
        ::raise(SIGTERM);
        QCOMPARE(errno, 0);
        // The piled-up signals still end the loop once, and the pipe is drained for the next one.
        QCOMPARE(runLoop(), 0);
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestTerminationSignals)
#include "tst_TerminationSignals.moc"
