// PARLAVINE_TEST_NEEDS_DISPLAY: real key grabs on an X server, pressed with xdotool.
#include "TestMain.h"
#include "platform/X11HotkeyRegistrar.h"
#include "quicktrans/WinHotKey.h"

#include <QSignalSpy>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>

namespace {

bool xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    return process.waitForFinished(10000) && process.exitCode() == 0;
}

// Another X client on its own connection, holding key grabs of its own.
class OtherClient
{
public:
    OtherClient() : connection(xcb_connect(nullptr, nullptr)) {}
    ~OtherClient() { xcb_disconnect(connection); }

    bool grab(xcb_keysym_t keysym, std::uint16_t modifiers)
    {
        xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(connection);
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        xcb_generic_error_t* error = xcb_request_check(
            connection, xcb_grab_key_checked(connection, 1, root, modifiers, codes[0], XCB_GRAB_MODE_ASYNC,
                                             XCB_GRAB_MODE_ASYNC));
        std::free(codes);
        xcb_key_symbols_free(symbols);
        std::free(error);
        return error == nullptr;
    }

private:
    xcb_connection_t* connection;
};

const xcb_keysym_t kKeysymJ = 0x6a;
const std::uint16_t kCtrlShift = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT;

} // namespace

class TestX11HotkeyRegistrar : public QObject
{
    Q_OBJECT
private slots:
    void grabbedHotkeysFireAndTakenOnesAreRefused()
    {
        X11HotkeyRegistrar registrar;
        QVERIFY(registrar.isSupported());
        WinHotKey hotkey(&registrar);
        qApp->installNativeEventFilter(&hotkey);
        QSignalSpy triggers(&hotkey, &WinHotKey::hotkeyTrigger);

        QVERIFY(hotkey.registerKey(HotkeyType::CopyTransOpen, "K", true, false, true));
        QVERIFY(xdotool({"key", "ctrl+alt+k"}));
        QTRY_COMPARE(triggers.count(), 1);
        QCOMPARE(triggers.first().first().value<HotkeyType>(), HotkeyType::CopyTransOpen);

        // With NumLock on the modifier state differs, and the hotkey must still fire.
        QVERIFY(xdotool({"key", "Num_Lock"}));
        QVERIFY(xdotool({"key", "ctrl+alt+k"}));
        QVERIFY(xdotool({"key", "Num_Lock"}));
        QTRY_COMPARE(triggers.count(), 2);

        // Another client holds Ctrl+Shift+J with CapsLock only: refused as a whole, and the
        // variants we did get are given back (the other client can then take the plain one).
        OtherClient other;
        QVERIFY(other.grab(kKeysymJ, kCtrlShift | XCB_MOD_MASK_LOCK));
        QVERIFY(!hotkey.registerKey(HotkeyType::CopyTransOpen, "J", true, true, false));
        QVERIFY(other.grab(kKeysymJ, kCtrlShift));

        // The kind keeps its old combination.
        QVERIFY(xdotool({"key", "ctrl+alt+k"}));
        QTRY_COMPARE(triggers.count(), 3);
        QCOMPARE(triggers.last().first().value<HotkeyType>(), HotkeyType::CopyTransOpen);

        // A layout-unknown name grabs nothing either.
        QVERIFY(!hotkey.registerKey(HotkeyType::ScreenshotOpen, "ESC", true, false, true));
        // Not Ctrl+Alt+F7: the server keeps Ctrl+Alt+function keys for switching terminals.
        QVERIFY(hotkey.registerKey(HotkeyType::ScreenshotOpen, "F7", true, true, false));
        QVERIFY(xdotool({"key", "ctrl+shift+F7"}));
        QTRY_COMPARE(triggers.count(), 4);
        QCOMPARE(triggers.last().first().value<HotkeyType>(), HotkeyType::ScreenshotOpen);
    }
};

PARLAVINE_TEST_MAIN(TestX11HotkeyRegistrar)
#include "tst_X11HotkeyRegistrar.moc"
