#include "quicktrans/HotkeyCtrl.h"

#include "core/Dispatch.h"
#include "core/QuickStorage.h"
#include "core/State.h"
#include "platform/FakeHotkeyRegistrar.h"
#include "platform/FakeInputEventSource.h"
#include "shell/GlobalCtrl.h"

#include "TestMain.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QWindow>
#include <QtTest>

namespace {

const Qt::KeyboardModifiers kCtrlAlt = Qt::ControlModifier | Qt::AltModifier;

QuickStorage* settings()
{
    return QuickStorage::instance();
}

// Ctrl+C twice, 100 ms apart.
void doubleCtrlC(FakeInputEventSource& source, quint32 at)
{
    source.keyDown(InputKey::ControlLeft, at);
    source.keyDown(InputKey::C, at + 10);
    source.keyUp(InputKey::C, at + 20);
    source.keyDown(InputKey::C, at + 110);
    source.keyUp(InputKey::C, at + 120);
    source.keyUp(InputKey::ControlLeft, at + 130);
}

} // namespace

// Each test gets a fresh hotkey controller over a scripted desktop.
class TestHotkeyCtrl : public QObject
{
    Q_OBJECT
    FakeHotkeyRegistrar registrar;
    FakeInputEventSource source;
    QWindow mainWindow;
    State* state = nullptr;
    HotkeyCtrl* hotkeys = nullptr;
    QAction select{"select"};
    QAction cc{"cc"};
    QAction screenshot{"screenshot"};

    QStringList hudTitles(int before) const
    {
        QStringList titles;
        for (const QVariant& hud : state->windowHud().mid(before))
            titles << hud.toMap().value("window").toString() + ": " + hud.toMap().value("title").toString();
        return titles;
    }

private slots:
    void initTestCase()
    {
        state = State::instance();
        HotkeyRegistrar::setSystem(&registrar);
        InputEventSource::setSystem(&source);
        GlobalCtrl::instance()->setMainObjects(nullptr, &mainWindow);
        registrar.setTakenElsewhere('T', kCtrlAlt);
        select.setCheckable(true);
        cc.setCheckable(true);
    }

    void init()
    {
        for (const char* key : {"hotKey_copyTransOpen", "hotKey_screenshotOpen", "copy_trans", "copy_trans_cc"})
            settings()->setValue(key, QString());
        state->copyTransBySelectRef() = false;
        state->copyTransCCOpenRef() = true;
        state->copyTransQuickOpenRef() = true;
        state->shortcutCopyTransOpenRef().clear();
        state->shortcutScreenshotTransRef().clear();
        registrar.setSupported(true);
        source.setSupported(true);
        hotkeys = new HotkeyCtrl;
        hotkeys->setTrayActions(&select, &cc, &screenshot);
    }

    void cleanup()
    {
        delete hotkeys;
        hotkeys = nullptr;
        Dispatch::instance()->releaseController(Dispatch::Ctrl_CopyTrans);
        QCOMPARE(registrar.grabCount(), 0); // the controller lets go of everything
        QVERIFY(!source.isRunning());
    }

    void savedHotkeys_data()
    {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("resaved");
        QTest::newRow("four parts") << "K|1|1|0" << "Ctrl+Shift+K" << "K|1|1|0";
        QTest::newRow("two parts: default") << "K|1" << "Ctrl+Alt+O" << "O|1|0|1";
        QTest::newRow("empty: nothing") << "" << "" << "";
    }

    void savedHotkeys()
    {
        QFETCH(QString, saved);
        settings()->setValue("hotKey_copyTransOpen", saved);
        const int huds = state->windowHud().size();
        hotkeys->init();
        QTEST(state->shortcutCopyTransOpen(), "shown");
        QTEST(settings()->getValue("hotKey_copyTransOpen"), "resaved");
        QCOMPARE(hudTitles(huds), QStringList());
        // The empty screenshot setting installs nothing and gives the tray no shortcut.
        QCOMPARE(state->shortcutScreenshotTrans(), QString());
        QCOMPARE(screenshot.shortcut(), QKeySequence());
        QCOMPARE(registrar.grabCount(), saved.isEmpty() ? 0 : 1);
    }

    void installAndConflict()
    {
        hotkeys->init();
        QVERIFY(hotkeys->installHotkey("screenshotOpen", "P", true, false, true, true, "setting"));
        QCOMPARE(state->shortcutScreenshotTrans(), QString("Ctrl+Alt+P"));
        QCOMPARE(screenshot.shortcut().toString(), QString("Ctrl+Alt+P"));
        QCOMPARE(settings()->getValue("hotKey_screenshotOpen"), QString("P|1|0|1"));

        QVERIFY(hotkeys->installHotkey("copyTransOpen", "o", true, false, true, true, "setting"));
        QCOMPARE(state->shortcutCopyTransOpen(), QString("Ctrl+Alt+O"));
        const int huds = state->windowHud().size();
        QVERIFY(!hotkeys->installHotkey("copyTransOpen", "T", true, false, true, true, "setting"));
        QCOMPARE(hudTitles(huds), QStringList{QString::fromUtf8("setting: 快捷键冲突：划词翻译开关")});
        QCOMPARE(state->windowHud().last().toMap().value("message").toString(),
                 QString::fromUtf8("会影响功能快捷键使用，请重新设置"));
        // Setting, shown text and the actual grab still agree on the old combination.
        QCOMPARE(settings()->getValue("hotKey_copyTransOpen"), QString("o|1|0|1"));
        QCOMPARE(state->shortcutCopyTransOpen(), QString("Ctrl+Alt+O"));
        QVERIFY(registrar.isGrabbed('O', kCtrlAlt));
        QVERIFY(!state->copyTransBySelect());
        QVERIFY(registrar.press('O', kCtrlAlt)); // kind 0 toggles select-to-translate
        QVERIFY(state->copyTransBySelect());
        QVERIFY(!Dispatch::instance()->controller(Dispatch::Ctrl_CopyTrans).isNull());
        QVERIFY(source.isRunning());
    }

    void switches()
    {
        hotkeys->init();
        QVERIFY(select.isEnabled() && cc.isEnabled() && screenshot.isEnabled());
        QVERIFY(cc.isChecked());
        QVERIFY(!select.isChecked());

        hotkeys->switchCopyTrans(true, "setting");
        QVERIFY(state->copyTransBySelect());
        QCOMPARE(settings()->getValue("copy_trans"), QString("1"));
        state->copyTransDataRef().insert("source", "left over");
        hotkeys->switchCopyTrans(true, "setting");
        QCOMPARE(settings()->getValue("copy_trans"), QString());
        QCOMPARE(state->copyTransData().value("source").toString(), QString());
        QVERIFY(Dispatch::instance()->controller(Dispatch::Ctrl_CopyTrans).isNull());

        // Double Ctrl+C opens the detail window while on, and does nothing once switched off.
        QGuiApplication::clipboard()->setText("copied");
        doubleCtrlC(source, 1000);
        QVERIFY(state->showCopyTransDetail());
        Dispatch::instance()->releaseController(Dispatch::Ctrl_CopyTrans);
        hotkeys->switchCopyTransCC(false, "setting");
        QVERIFY(!state->copyTransCCOpen());
        QCOMPARE(settings()->getValue("copy_trans_cc"), QString("0"));
        QVERIFY(!cc.isChecked());
        doubleCtrlC(source, 5000);
        QVERIFY(Dispatch::instance()->controller(Dispatch::Ctrl_CopyTrans).isNull());
        hotkeys->switchCopyTransCC(false, "setting");
        QVERIFY(state->copyTransCCOpen());
        QCOMPARE(settings()->getValue("copy_trans_cc"), QString());

        hotkeys->updateTrayActions(false);
        QVERIFY(!select.isEnabled() && !cc.isEnabled() && !screenshot.isEnabled());
        QVERIFY(!cc.isChecked());
        QCOMPARE(screenshot.shortcut(), QKeySequence());
    }

    void hotkeyKinds()
    {
        hotkeys->init();
        state->copyTransQuickOpenRef() = false;
        hotkeys->onHotkeyTrigger(HotkeyType::CopyTransQuick);
        QVERIFY(Dispatch::instance()->controller(Dispatch::Ctrl_CopyTrans).isNull());
        state->copyTransCCOpenRef() = false;
        hotkeys->onHotkeyTrigger(HotkeyType::CopyTransCC);
        QVERIFY(Dispatch::instance()->controller(Dispatch::Ctrl_CopyTrans).isNull());
        // Screenshot translation is not built yet: nothing shows, nothing breaks.
        hotkeys->onHotkeyTrigger(HotkeyType::ScreenshotOpen);
        QVERIFY(!state->showScreenshotTransWindow());
        Dispatch::instance()->releaseController(Dispatch::Ctrl_ScreenshotTrans);
    }

    void unsupportedDesktop()
    {
        registrar.setSupported(false);
        source.setSupported(false);
        settings()->setValue("hotKey_copyTransOpen", "K|1|1|0");
        const int huds = state->windowHud().size();
        hotkeys->init();
        QCOMPARE(hudTitles(huds), QStringList());
        QVERIFY(!state->quickTransSupported());
        QVERIFY(!state->copyTransCCOpen());
        QCOMPARE(state->shortcutCopyTransOpen(), QString());
        QVERIFY(!hotkeys->installHotkey("copyTransOpen", "O", true, false, true, true, "setting"));
        QCOMPARE(hudTitles(huds), QStringList());
        QCOMPARE(settings()->getValue("hotKey_copyTransOpen"), QString("K|1|1|0"));
        delete hotkeys;
        registrar.setSupported(true);
        source.setSupported(true);
        hotkeys = new HotkeyCtrl;
        hotkeys->init();
        QVERIFY(state->quickTransSupported());
    }
};

PARLAVINE_TEST_MAIN(TestHotkeyCtrl)
#include "tst_HotkeyCtrl.moc"
