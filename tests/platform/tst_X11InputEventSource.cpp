// PARLAVINE_TEST_NEEDS_DISPLAY: a real X server, another X client (an xterm) and xdotool.
#include "ChildProcess.h"
#include "TestMain.h"
#include "platform/X11InputEventSource.h"
#include "quicktrans/WinCopyTransListener.h"

#include <QClipboard>
#include <QRasterWindow>
#include <QSignalSpy>
#include <QX11Info>

#include <xcb/xcb.h>

#include <cstdlib>
#include <vector>

namespace {

const QString kMarker = QStringLiteral("parlavine selected words");
const std::uint32_t kKeysymC = 0x63;
const std::uint32_t kKeysymX = 0x78;

bool xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    return process.waitForFinished(10000) && process.exitCode() == 0;
}

bool dragAlong(int y)
{
    const QString row = QString::number(y);
    return xdotool({"mousemove", "2", row, "mousedown", "1", "mousemove", "150", row, "mousemove", "340", row,
                    "mouseup", "1"});
}

// The keyboard map, with two keys swapped for the test's life.
class SwappedKeys
{
public:
    SwappedKeys(std::uint32_t first, std::uint32_t second)
    {
        xcb_connection_t* connection = QX11Info::connection();
        const xcb_setup_t* setup = xcb_get_setup(connection);
        minKeycode = setup->min_keycode;
        const int count = setup->max_keycode - setup->min_keycode + 1;
        xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
            connection, xcb_get_keyboard_mapping(connection, minKeycode, count), nullptr);
        if (!reply)
            return;
        perKeycode = reply->keysyms_per_keycode;
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
        original.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(reply));
        std::free(reply);
        firstCode = codeOf(first);
        secondCode = codeOf(second);
        if (firstCode >= 0 && secondCode >= 0) {
            write(firstCode, secondCode);
            write(secondCode, firstCode);
        }
    }
    ~SwappedKeys()
    {
        if (swapped()) {
            write(firstCode, firstCode);
            write(secondCode, secondCode);
        }
    }
    bool swapped() const { return firstCode >= 0 && secondCode >= 0; }

private:
    int codeOf(std::uint32_t keysym) const
    {
        for (size_t i = 0; perKeycode > 0 && i < original.size(); i += perKeycode) {
            if (original[i] == keysym)
                return int(i / perKeycode);
        }
        return -1;
    }
    // Gives the key at `index` the keysyms the key at `from` had.
    void write(int index, int from)
    {
        xcb_connection_t* connection = QX11Info::connection();
        xcb_change_keyboard_mapping(connection, 1, xcb_keycode_t(minKeycode + index), perKeycode,
                                    original.data() + from * perKeycode);
        xcb_flush(connection);
    }

    std::vector<xcb_keysym_t> original;
    int minKeycode = 0;
    int perKeycode = 0;
    int firstCode = -1;
    int secondCode = -1;
};

} // namespace

class TestX11InputEventSource : public QObject
{
    Q_OBJECT
    ChildProcess xterm;

    // A terminal whose program ends on a Ctrl+C, with a line of text to select.
    void startTerminal(X11InputEventSource& source)
    {
        QVERIFY(xterm.start(QStringLiteral("xterm"),
                            {"-geometry", "40x3+0+0", "-fa", "DejaVu Sans Mono", "-fs", "12", "-e", "sh", "-c",
                             QStringLiteral("echo %1; exec sleep 600").arg(kMarker)},
                            QProcessEnvironment::systemEnvironment()));
        QTRY_VERIFY_WITH_TIMEOUT(source.windowAt(QPoint(20, 8)) != 0, 10000);
    }

private slots:
    void cleanup() { xterm.stop(); }

    // The selection is read from PRIMARY: no Ctrl+C reaches the terminal, and the clipboard
    // keeps its owner, so no clipboard manager sees the selected text.
    void dragInAnotherClientReadsTheSelectionAndLeavesTheClipboardAlone()
    {
        X11InputEventSource source;
        QVERIFY(source.isSupported());
        startTerminal(source);
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("the user's clipboard"));

        WinCopyTransListener listener(false, &source);
        QSignalSpy starts(&listener, &WinCopyTransListener::startCopy);
        // The xterm may still be drawing its first line: drag again until the text is there.
        for (int attempt = 0; attempt < 10 && !listener.selectionText().contains(kMarker); ++attempt) {
            QVERIFY(dragAlong(8));
            QVERIFY2(starts.wait(3000), "no startCopy after a 340 px drag");
        }
        QVERIFY2(listener.selectionText().contains(kMarker), qPrintable(listener.selectionText()));
        QVERIFY(xterm.isRunning());
        QVERIFY(clipboard->ownsClipboard());
        QCOMPARE(clipboard->text(), QStringLiteral("the user's clipboard"));
    }

    // A drag over a window that selects nothing (a title bar, a slider) leaves the terminal's
    // older selection on PRIMARY: that is no capture.
    void aDragThatSelectsNothingCapturesNothing()
    {
        X11InputEventSource source;
        startTerminal(source);
        QRasterWindow plain;
        plain.setGeometry(0, 300, 400, 100);
        plain.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plain));

        WinCopyTransListener listener(false, &source);
        QSignalSpy starts(&listener, &WinCopyTransListener::startCopy);
        for (int attempt = 0; attempt < 10 && !listener.selectionText().contains(kMarker); ++attempt) {
            QVERIFY(dragAlong(8));
            QVERIFY(starts.wait(3000));
        }
        QVERIFY(listener.selectionText().contains(kMarker));

        quint32 pressedAt = 0;
        connect(&source, &InputEventSource::inputEvent, this, [&](const InputEvent& event) {
            if (event.type == InputEvent::ButtonPress)
                pressedAt = event.time;
        });
        QSignalSpy ups(&listener, &WinCopyTransListener::mouseUp);
        starts.clear();
        QVERIFY(dragAlong(350));
        QVERIFY(ups.wait(3000));
        QVERIFY(!starts.wait(1000));
        QVERIFY(!source.selectionChangedSince(pressedAt));
        // A selection taken after the press counts.
        QGuiApplication::clipboard()->setText(QStringLiteral("new"), QClipboard::Selection);
        QTRY_VERIFY(source.selectionChangedSince(pressedAt));
    }

    // After a layout change the C key is where the new map puts it.
    void keysFollowTheKeyboardMapWhenItChanges()
    {
        X11InputEventSource source;
        QList<int> pressed;
        connect(&source, &InputEventSource::inputEvent, this, [&](const InputEvent& event) {
            if (event.type == InputEvent::KeyPress)
                pressed.append(event.key);
        });
        source.acquire();
        QVERIFY(xdotool({"mousemove", "1910", "1070", "key", "c"}));
        QTRY_COMPARE(pressed, QList<int>{InputKey::C});
        {
            SwappedKeys swap(kKeysymC, kKeysymX);
            QVERIFY(swap.swapped());
            pressed.clear();
            // xdotool types "x" with the key that now makes it: the one that made "c" before.
            QVERIFY(xdotool({"key", "x", "c"}));
            QTRY_COMPARE(pressed.size(), 2);
            QCOMPARE(pressed, (QList<int>{int('X'), InputKey::C}));
        }
        source.release();
    }
};

PARLAVINE_TEST_MAIN(TestX11InputEventSource)
#include "tst_X11InputEventSource.moc"
