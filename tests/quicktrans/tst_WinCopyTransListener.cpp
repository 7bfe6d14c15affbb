#include "TestMain.h"
#include "platform/FakeInputEventSource.h"
#include "quicktrans/WinCopyTransListener.h"
#include "shell/WindowState.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QWindow>

namespace {

// The scripted desktop: another program on the left, a second one beside it, our trigger and
// detail windows further right, bare desktop (no window) beyond.
const WId kProgram = 1;
const WId kOtherProgram = 2;
const WId kTrigger = 44;
const WId kDetail = 55;
const WId kMain = 66;
const WId kUnderPopup = 9001;

// One step per string: "press 100,100 @0", "move 250,100 @100", "release 250,100 @150",
// "button 4 @0" (a press of another button), "release-button 4 @0", "select @120" (the selection
// changes hands).
void play(FakeInputEventSource& source, const QStringList& steps)
{
    for (const QString& step : steps) {
        const QStringList parts = step.split(QLatin1Char(' '));
        const quint32 time = parts.last().mid(1).toUInt();
        const QStringList xy = parts.value(1).split(QLatin1Char(','));
        const QPoint pos(xy.value(0).toInt(), xy.value(1).toInt());
        if (parts.first() == QLatin1String("press"))
            source.press(1, pos, time);
        else if (parts.first() == QLatin1String("move"))
            source.move(pos, time);
        else if (parts.first() == QLatin1String("release"))
            source.release(1, pos, time);
        else if (parts.first() == QLatin1String("button"))
            source.press(parts.value(1).toInt(), QPoint(100, 100), time);
        else if (parts.first() == QLatin1String("release-button"))
            source.release(parts.value(1).toInt(), QPoint(100, 100), time);
        else if (parts.first() == QLatin1String("select"))
            source.setSelection(QStringLiteral("selected"), time);
        else
            QFAIL(qPrintable(QStringLiteral("bad step: ") + step));
    }
}

} // namespace

class TestWinCopyTransListener : public QObject
{
    Q_OBJECT
    FakeInputEventSource source;

private slots:
    void initTestCase()
    {
        source.addWindow(QRect(0, 0, 1000, 1000), kProgram);
        source.addWindow(QRect(1000, 0, 900, 1000), kOtherProgram);
        source.addWindow(QRect(2000, 0, 100, 100), kTrigger);
        source.addWindow(QRect(2200, 0, 100, 100), kDetail);
        source.addWindow(QRect(3000, 0, 100, 100), kUnderPopup);
        WindowState::instance()->addWindowId(WindowState::CopyTransTrigger, kTrigger);
        WindowState::instance()->addWindowId(WindowState::CopyTransDetail, kDetail);
    }

    void cleanup()
    {
        WindowState::instance()->removeWindowId(WindowState::Main);
        source.setSelection(QString());
    }

    void selections_data()
    {
        QTest::addColumn<bool>("paused");
        QTest::addColumn<bool>("mainActive");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("downs");
        QTest::addColumn<int>("drags");
        QTest::addColumn<int>("ups");
        QTest::addColumn<int>("wheels");
        QTest::addColumn<int>("copies");

        const QStringList drag150 = {"press 100,100 @0", "move 180,100 @50", "move 250,100 @100"};
        QTest::newRow("click") << false << false << QStringList{"press 100,100 @0", "release 100,100 @500"} << 1 << 0
                               << 1 << 0 << 0;
        QTest::newRow("slow move of 9 px never drags")
            << false << false << QStringList{"press 100,100 @0", "move 109,91 @300", "release 109,91 @900"} << 1 << 0
            << 1 << 0 << 0;
        QTest::newRow("150 px released after 150 ms") << false << false << drag150 + QStringList{"release 250,100 @150"}
                                                      << 1 << 1 << 1 << 0 << 0;
        QTest::newRow("150 px released after 250 ms") << false << false << drag150 + QStringList{"release 250,100 @250"}
                                                      << 1 << 1 << 1 << 0 << 1;
        QTest::newRow("15 px held 400 ms")
            << false << false << QStringList{"press 100,100 @0", "move 100,115 @100", "release 100,115 @400"} << 1 << 1
            << 1 << 0 << 1;
        QTest::newRow("two quick selections copy once")
            << false << false << drag150 + QStringList{"release 250,100 @250"} + drag150 + QStringList{"release 250,100 @300"}
            << 2 << 2 << 2 << 0 << 1;
        QTest::newRow("a new press cancels the copy")
            << false << false << drag150 + QStringList{"release 250,100 @250", "press 300,300 @260"} << 2 << 1 << 1 << 0
            << 0;
        QTest::newRow("press on the trigger window starts nothing")
            << false << false << QStringList{"press 2010,10 @0", "move 2090,90 @300", "release 2090,90 @500"} << 0 << 0
            << 0 << 0 << 0;
        QTest::newRow("release over the detail window")
            << false << false << drag150 + QStringList{"move 2250,50 @200", "release 2250,50 @500"} << 1 << 1 << 0 << 0
            << 0;
        QTest::newRow("release over another program")
            << false << false << QStringList{"press 900,100 @0", "move 1200,100 @300", "release 1200,100 @500"} << 1 << 0
            << 0 << 0 << 0;
        QTest::newRow("a main-side window is active") << false << true << drag150 + QStringList{"release 250,100 @250"}
                                                      << 1 << 1 << 0 << 0 << 0;
        QTest::newRow("bare desktop has no window to copy from")
            << false << false << QStringList{"press 3000,100 @0", "move 3300,100 @100", "release 3300,100 @500"} << 1
            << 1 << 1 << 0 << 0;
        QTest::newRow("wheel and other buttons leave the press alone")
            << false << false
            << drag150
                   + QStringList{"button 4 @120", "release-button 4 @120", "button 5 @130", "button 6 @140",
                                 "button 7 @150", "button 3 @160", "release-button 3 @170", "release 250,100 @250"}
            << 1 << 1 << 1 << 4 << 1;
        QTest::newRow("paused: presses and wheels only")
            << true << false << drag150 + QStringList{"button 4 @120", "release 250,100 @500"} << 1 << 0 << 0 << 1 << 0;
        QTest::newRow("event clock wraps between press and release")
            << false << false
            << QStringList{"press 100,100 @4294967200", "move 250,100 @4294967290", "select @100",
                           "release 250,100 @200"}
            << 1 << 1 << 1 << 0 << 1;
        // A title bar, a slider or a scroll bar dragged: PRIMARY still holds an older selection.
        QTest::newRow("a drag that selects nothing")
            << false << false
            << QStringList{"select @500", "press 100,100 @1000", "move 250,100 @1100", "release 250,100 @1400"} << 1
            << 1 << 1 << 0 << 0;
        QTest::newRow("the drag's own selection")
            << false << false
            << QStringList{"select @500", "press 100,100 @1000", "move 250,100 @1100", "select @1390",
                           "release 250,100 @1400"}
            << 1 << 1 << 1 << 0 << 1;
    }

    void selections()
    {
        QFETCH(bool, paused);
        QFETCH(bool, mainActive);
        QFETCH(QStringList, steps);
        QFETCH(int, copies);
        if (mainActive)
            WindowState::instance()->addWindowId(WindowState::Main, kMain);

        WinCopyTransListener listener(paused, &source);
        QSignalSpy downs(&listener, &WinCopyTransListener::mouseDown);
        QSignalSpy drags(&listener, &WinCopyTransListener::mouseDrag);
        QSignalSpy ups(&listener, &WinCopyTransListener::mouseUp);
        QSignalSpy wheels(&listener, &WinCopyTransListener::mouseWheel);
        QSignalSpy starts(&listener, &WinCopyTransListener::startCopy);

        play(source, steps);
        QTEST(downs.count(), "downs");
        QTEST(drags.count(), "drags");
        QTEST(ups.count(), "ups");
        QTEST(wheels.count(), "wheels");
        QVERIFY(starts.isEmpty()); // never before the 80 ms have passed

        if (copies > 0)
            QVERIFY(starts.wait(1000));
        else
            QVERIFY(!starts.wait(200));
        QCOMPARE(starts.count(), copies);
    }

    void thresholds_data()
    {
        QTest::addColumn<quint32>("dt");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<bool>("selection");
        QTest::newRow("199 ms, 240 px") << 199u << 240 << 0 << true;
        QTest::newRow("199 ms, 239 px") << 199u << -239 << 0 << false;
        QTest::newRow("199 ms, -240 px down") << 199u << 0 << -240 << true;
        QTest::newRow("200 ms, 120 px") << 200u << 0 << 120 << true;
        QTest::newRow("200 ms, 119 px") << 200u << 119 << -119 << false;
        QTest::newRow("399 ms, -120 px") << 399u << -120 << 0 << true;
        QTest::newRow("399 ms, 15 px") << 399u << 15 << 0 << false;
        QTest::newRow("400 ms, 0 px") << 400u << 0 << 0 << true;
        QTest::newRow("a wrapped negative difference is huge") << quint32(-5) << 10 << 0 << true;
    }

    void thresholds()
    {
        QFETCH(quint32, dt);
        QFETCH(int, dx);
        QFETCH(int, dy);
        QTEST(WinCopyTransListener::isSelection(dt, dx, dy), "selection");
    }

    // The pop-up's own click may hide it before the desktop's copy of that press arrives: the
    // press is still the pop-up's, known by its time, and closes nothing.
    void aPressThePopUpReceivedIsNotTheDesktops()
    {
        QWindow popup;
        popup.create();
        WindowState::instance()->addWindowId(WindowState::CopyTransTrigger, popup.winId());
        WinCopyTransListener listener(false, &source);
        QSignalSpy downs(&listener, &WinCopyTransListener::mouseDown);
        QMouseEvent click(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(2005, 5), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        click.setTimestamp(424242);
        QCoreApplication::sendEvent(&popup, &click);

        source.press(1, {3050, 50}, 424242); // where the hidden pop-up was, over a program
        source.release(1, {3050, 50}, 424300);
        QCOMPARE(downs.size(), 0);
        source.press(1, {3050, 50}, 425000);
        source.release(1, {3050, 50}, 425100);
        QCOMPARE(downs.size(), 1);
        WindowState::instance()->addWindowId(WindowState::CopyTransTrigger, kTrigger);
    }

    void sourceRunsOnlyWhileListened()
    {
        {
            WinCopyTransListener listener(false, &source);
            QVERIFY(source.isRunning());
            QVERIFY(listener.isSupported());
        }
        QVERIFY(!source.isRunning());
    }
};

PARLAVINE_TEST_MAIN(TestWinCopyTransListener)
#include "tst_WinCopyTransListener.moc"
