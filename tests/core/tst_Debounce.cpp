#include "core/Debounce.h"
#include "core/TimeUtil.h"

#include "TestMain.h"

#include <QElapsedTimer>
#include <QtTest>

#include <memory>

class TestDebounce : public QObject
{
    Q_OBJECT
private slots:
    void lastCallWins()
    {
        Debounce debounce(50);
        QStringList ran;
        QElapsedTimer sinceLast;
        for (int i = 1; i <= 5; ++i) {
            debounce.run([&ran, i] { ran << QString::number(i); });
            sinceLast.start();
            QTest::qWait(10); // shorter than the interval: each call restarts it
        }
        QVERIFY(!debounce.isIdle());
        QTRY_COMPARE(ran, QStringList{"5"});
        QVERIFY(sinceLast.elapsed() >= 50);
        QVERIFY(debounce.isIdle());
        QTest::qWait(80);
        QCOMPARE(ran, QStringList{"5"}); // never twice
    }

    void neverInsideRun()
    {
        Debounce debounce(0);
        int runs = 0;
        debounce.run([&runs] { ++runs; });
        QCOMPARE(runs, 0);
        QTRY_COMPARE(runs, 1);
    }

    void stopAndDestroyDropTheJob()
    {
        int runs = 0;
        Debounce stopped(10);
        stopped.stop(); // idle: nothing happens
        QVERIFY(stopped.isIdle());
        stopped.run([&runs] { ++runs; });
        stopped.stop();
        QVERIFY(stopped.isIdle());

        auto destroyed = std::make_unique<Debounce>(10);
        destroyed->run([&runs] { ++runs; });
        destroyed.reset();

        QTest::qWait(50);
        QCOMPARE(runs, 0);
    }

    void jobMayScheduleItself()
    {
        Debounce debounce(10);
        int runs = 0;
        bool idleInsideJob = false;
        std::function<void()> job = [&] {
            idleInsideJob = debounce.isIdle();
            if (++runs < 3)
                debounce.run(job);
        };
        debounce.run(job);
        QTRY_COMPARE(runs, 3);
        QVERIFY(idleInsideJob);
        QVERIFY(debounce.isIdle());
    }

    void clockOffset()
    {
        const quint32 before = TimeUtil::currentTimestamp();
        const qint64 ms = TimeUtil::currentMSecsSinceEpoch();
        QVERIFY(qAbs(qint64(TimeUtil::currentTimestamp()) - ms / 1000) <= 1);
        QVERIFY(qAbs(qint64(before) - QDateTime::currentDateTimeUtc().toSecsSinceEpoch()) <= 1);

        TimeUtil::setOffsetMSecs(86401 * 1000LL);
        QVERIFY(TimeUtil::currentTimestamp() - before >= 86401);
        QVERIFY(TimeUtil::currentMSecsSinceEpoch() - ms >= 86401 * 1000LL);
        const QDate tomorrow = QDate::currentDate().addDays(1);
        const QString shown = TimeUtil::currentDateTimeString("yyyyMMdd");
        TimeUtil::setOffsetMSecs(0);
        // Just before midnight the second read may already be one day further on.
        QVERIFY2(shown == tomorrow.toString("yyyyMMdd") || shown == tomorrow.addDays(1).toString("yyyyMMdd"),
                 qPrintable(shown));
        QVERIFY(TimeUtil::currentTimestamp() - before <= 1);
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestDebounce)
#include "tst_Debounce.moc"
