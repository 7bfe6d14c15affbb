#include "TestMain.h"
#include "platform/HotkeyRegistrar.h"
#include "platform/InputEventSource.h"
#include "quicktrans/WinCopyTransListener.h"
#include "quicktrans/WinHotKey.h"

#include <QRegularExpression>

// Offscreen stands for any platform that is not X11 (Wayland without XWayland, for one).
class TestInputEventSource : public QObject
{
    Q_OBJECT
private slots:
    void otherPlatformsAreReportedUnsupportedOnce()
    {
        QTest::ignoreMessage(QtInfoMsg, QRegularExpression("Global mouse and keyboard events are unsupported.*offscreen"));
        QTest::ignoreMessage(QtInfoMsg, QRegularExpression("Global hotkeys are unsupported.*offscreen"));
        InputEventSource* source = InputEventSource::system();
        HotkeyRegistrar* registrar = HotkeyRegistrar::system();
        QCOMPARE(InputEventSource::system(), source);
        QCOMPARE(HotkeyRegistrar::system(), registrar);
        QVERIFY(!source->isSupported());
        QVERIFY(!registrar->isSupported());

        // Everything a controller would call still works and does nothing.
        WinCopyTransListener listener(false);
        QVERIFY(!listener.isSupported());
        QCOMPARE(listener.selectionText(), QString());
        QCOMPARE(source->windowAt(QPoint(10, 10)), WId(0));
        WinHotKey hotkey;
        QVERIFY(!hotkey.isSupported());
        QVERIFY(!hotkey.registerKey(HotkeyType::CopyTransOpen, "O", true, false, true));
        hotkey.listenCmdCC();
        hotkey.unListenCmdCC();
    }
};

PARLAVINE_TEST_MAIN(TestInputEventSource)
#include "tst_InputEventSource.moc"
