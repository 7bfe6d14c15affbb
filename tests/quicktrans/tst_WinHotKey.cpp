#include "TestMain.h"
#include "platform/FakeHotkeyRegistrar.h"
#include "platform/FakeInputEventSource.h"
#include "quicktrans/WinHotKey.h"

#include <QSignalSpy>

namespace {

const Qt::KeyboardModifiers kCtrlAlt = Qt::ControlModifier | Qt::AltModifier;

// "+ctrl@0" is a key-down at 0 ms, "-ctrl@5" a key-up; keys: ctrl, rctrl, c, x.
void play(FakeInputEventSource& source, const QStringList& steps)
{
    const QMap<QString, int> keys{{"ctrl", InputKey::ControlLeft},
                                  {"rctrl", InputKey::ControlRight},
                                  {"c", InputKey::C},
                                  {"x", int('X')}};
    for (const QString& step : steps) {
        const int at = step.indexOf(QLatin1Char('@'));
        const int key = keys.value(step.mid(1, at - 1));
        const quint32 time = step.mid(at + 1).toUInt();
        if (step.startsWith(QLatin1Char('+')))
            source.keyDown(key, time);
        else
            source.keyUp(key, time);
    }
}

} // namespace

class TestWinHotKey : public QObject
{
    Q_OBJECT
    FakeHotkeyRegistrar registrar;
    FakeInputEventSource source;

private slots:
    void initTestCase() { registrar.setTakenElsewhere('T', kCtrlAlt); }

    void keyNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("key");
        QTest::newRow("f5") << "f5" << 116;
        QTest::newRow("F1") << "F1" << 112;
        QTest::newRow("F20") << "F20" << 131;
        QTest::newRow("a") << "a" << 65;
        QTest::newRow("Z") << "Z" << 90;
        QTest::newRow("0") << "0" << 48;
        QTest::newRow("9") << "9" << 57;
        QTest::newRow("space") << "space" << 32;
        QTest::newRow("RETURN") << "RETURN" << 13;
        QTest::newRow("Tab") << "Tab" << 9;
        QTest::newRow("ESC is refused") << "ESC" << 0;
        QTest::newRow("F21 is refused") << "F21" << 0;
        QTest::newRow("F0 is refused") << "F0" << 0;
        QTest::newRow("F05 is refused") << "F05" << 0;
        QTest::newRow("punctuation is refused") << "." << 0;
        QTest::newRow("a non-Latin letter is refused") << QString::fromUtf8("é") << 0;
        QTest::newRow("empty is refused") << "" << 0;
    }

    void keyNames()
    {
        QFETCH(QString, name);
        QTEST(WinHotKey::keyNameToVk(name), "key");
    }

    void registration()
    {
        WinHotKey hotkey(&registrar, &source);
        qApp->installNativeEventFilter(&hotkey);
        QSignalSpy triggers(&hotkey, &WinHotKey::hotkeyTrigger);
        auto fires = [&](int key, Qt::KeyboardModifiers modifiers) {
            triggers.clear();
            return registrar.press(key, modifiers) && triggers.count() == 1;
        };

        QVERIFY(hotkey.registerKey(HotkeyType::CopyTransOpen, "o", true, false, true));
        QVERIFY(fires('O', kCtrlAlt));
        QCOMPARE(triggers.first().first().value<HotkeyType>(), HotkeyType::CopyTransOpen);

        // Re-registering moves the kind to the new combination.
        QVERIFY(hotkey.registerKey(HotkeyType::CopyTransOpen, "P", true, false, true));
        QVERIFY(!fires('O', kCtrlAlt));
        QVERIFY(fires('P', kCtrlAlt));
        QVERIFY(hotkey.registerKey(HotkeyType::CopyTransOpen, "P", true, false, true));
        QVERIFY(fires('P', kCtrlAlt));

        // Refused combinations leave the kind's old one working and nothing else grabbed.
        QVERIFY(!hotkey.registerKey(HotkeyType::CopyTransOpen, "T", true, false, true));
        QVERIFY(!hotkey.registerKey(HotkeyType::CopyTransOpen, "ESC", true, false, true));
        QVERIFY(!registrar.isGrabbed('1', kCtrlAlt));
        QVERIFY(!hotkey.registerKey(HotkeyType::ScreenshotOpen, "P", true, false, true));
        QCOMPARE(registrar.grabCount(), 1);
        QVERIFY(fires('P', kCtrlAlt));
        QCOMPARE(triggers.first().first().value<HotkeyType>(), HotkeyType::CopyTransOpen);

        QVERIFY(hotkey.registerKey(HotkeyType::ScreenshotOpen, "F5", false, true, false));
        QVERIFY(fires(116, Qt::ShiftModifier));
        QCOMPARE(triggers.first().first().value<HotkeyType>(), HotkeyType::ScreenshotOpen);

        // An id this instance never registered is someone else's: not consumed.
        triggers.clear();
        QVERIFY(!registrar.deliverId(999));
        QVERIFY(triggers.isEmpty());

        hotkey.unregisterKey(HotkeyType::ScreenshotOpen);
        QVERIFY(!fires(116, Qt::ShiftModifier));
        QCOMPARE(registrar.grabCount(), 1);
    }

    void destructionUnregisters()
    {
        {
            WinHotKey hotkey(&registrar, &source);
            qApp->installNativeEventFilter(&hotkey);
            QVERIFY(hotkey.registerKey(HotkeyType::CopyTransOpen, "O", true, false, true));
            QVERIFY(hotkey.registerKey(HotkeyType::ScreenshotOpen, "F5", true, false, false));
            hotkey.listenCmdCC();
            QVERIFY(source.isRunning());
        }
        QCOMPARE(registrar.grabCount(), 0);
        QVERIFY(!registrar.press('O', kCtrlAlt));
        QVERIFY(!source.isRunning());
    }

    void doubleCtrlC_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("triggers");
        QTest::newRow("300 ms apart") << QStringList{"+ctrl@0", "+c@1000", "-c@1050", "+c@1300"} << 1;
        QTest::newRow("301 ms apart") << QStringList{"+ctrl@0", "+c@1000", "+c@1301"} << 0;
        QTest::newRow("301 ms starts a new count") << QStringList{"+ctrl@0", "+c@1000", "+c@1301", "+c@1500"} << 1;
        QTest::newRow("Ctrl+C X Ctrl+C") << QStringList{"+ctrl@0", "+c@10", "+x@20", "+c@30"} << 0;
        QTest::newRow("key-ups neither count nor reset") << QStringList{"+ctrl@0", "+c@10", "-x@20", "+c@30"} << 1;
        QTest::newRow("held Ctrl, C three times: once") << QStringList{"+ctrl@0", "+c@10", "+c@20", "+c@30"} << 1;
        QTest::newRow("the third C counts towards the next pair")
            << QStringList{"+ctrl@0", "+c@10", "+c@20", "+c@30", "+c@40"} << 2;
        QTest::newRow("Ctrl released and pressed again in between")
            << QStringList{"+ctrl@0", "+c@10", "-c@20", "-ctrl@30", "+ctrl@100", "+c@150"} << 1;
        QTest::newRow("Ctrl auto-repeat does not reset")
            << QStringList{"+ctrl@0", "+c@10", "+ctrl@40", "+ctrl@70", "+c@100"} << 1;
        QTest::newRow("released Ctrl: the second C is plain")
            << QStringList{"+ctrl@0", "+c@10", "-ctrl@20", "+c@30", "+ctrl@40", "+c@50"} << 0;
        QTest::newRow("C without Ctrl never counts") << QStringList{"+c@0", "+c@10"} << 0;
        QTest::newRow("right Ctrl still held after left is released")
            << QStringList{"+ctrl@0", "+rctrl@5", "-ctrl@8", "+c@10", "+c@20"} << 1;
        QTest::newRow("clock wraps between the two")
            << QStringList{"+ctrl@4294967200", "+c@4294967200", "+c@43"} << 1;
    }

    void doubleCtrlC()
    {
        QFETCH(QStringList, steps);
        WinHotKey hotkey(&registrar, &source);
        QSignalSpy triggers(&hotkey, &WinHotKey::hotkeyTrigger);
        hotkey.listenCmdCC();
        play(source, steps);
        hotkey.unListenCmdCC();
        QTEST(triggers.count(), "triggers");
        for (const QList<QVariant>& trigger : triggers)
            QCOMPARE(trigger.first().value<HotkeyType>(), HotkeyType::CopyTransCC);
        // Ctrl's state does not leak into the next row: nothing listens, so the source stops.
        QVERIFY(!source.isRunning());
    }
};

PARLAVINE_TEST_MAIN(TestWinHotKey)
#include "tst_WinHotKey.moc"
