// PARLAVINE_TEST_NEEDS_DISPLAY: a real X server, another X client (an xterm) and xdotool.
#include "ChildProcess.h"
#include "TestMain.h"
#include "platform/X11InputEventSource.h"
#include "quicktrans/WinCopyTransListener.h"

#include <QClipboard>
#include <QSignalSpy>

namespace {

const QString kMarker = QStringLiteral("parlavine selected words");

bool xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    return process.waitForFinished(10000) && process.exitCode() == 0;
}

} // namespace

class TestX11InputEventSource : public QObject
{
    Q_OBJECT
private slots:
    void dragInAnotherClientCopiesWithoutInterruptingIt()
    {
        X11InputEventSource source;
        QVERIFY(source.isSupported());
        // If a Ctrl+C reached the terminal, the sleep would end and the xterm with it.
        ChildProcess xterm;
        QVERIFY(xterm.start(QStringLiteral("xterm"),
                            {"-geometry", "40x3+0+0", "-fa", "DejaVu Sans Mono", "-fs", "12", "-e", "sh", "-c",
                             QStringLiteral("echo %1; exec sleep 600").arg(kMarker)},
                            QProcessEnvironment::systemEnvironment()));
        QTRY_VERIFY_WITH_TIMEOUT(source.windowAt(QPoint(20, 8)) != 0, 10000);

        WinCopyTransListener listener(false, &source);
        QSignalSpy starts(&listener, &WinCopyTransListener::startCopy);
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear(QClipboard::Clipboard);
        // The xterm may still be drawing its first line: drag again until the text is there.
        for (int attempt = 0; attempt < 10 && !clipboard->text().contains(kMarker); ++attempt) {
            QVERIFY(xdotool({"mousemove", "2", "8", "mousedown", "1", "mousemove", "150", "8", "mousemove", "340", "8",
                             "mouseup", "1"}));
            QVERIFY2(starts.wait(3000), "no startCopy after a 340 px drag");
        }
        QVERIFY2(clipboard->text().contains(kMarker), qPrintable(clipboard->text()));
        QVERIFY(xterm.isRunning());
        QCOMPARE(clipboard->text(QClipboard::Selection), clipboard->text());
        xterm.stop();
    }
};

PARLAVINE_TEST_MAIN(TestX11InputEventSource)
#include "tst_X11InputEventSource.moc"
