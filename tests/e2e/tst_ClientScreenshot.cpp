// A region of the real screen is captured, recognised and translated by the real client:
// PARLAVINE_TEST_NEEDS_DISPLAY (an xterm as the coloured target, xdotool for the keys and mouse).
#include "AppProcess.h"
#include "StandinProcess.h"
#include "TestMain.h"
#include "RememberedUser.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <memory>

namespace {

const QString kCapture = QStringLiteral("^(截屏|Screenshot)$");
const QString kDetail = QStringLiteral("^(截图翻译|Screenshot translation)$");
// The xterm's background: the stand-in names the colour at the centre of the picture it reads.
const QString kMarker = QStringLiteral("#ff8000");

} // namespace

class TestClientScreenshot : public QObject
{
    Q_OBJECT

    StandinProcess standin;
    std::unique_ptr<AppProcess> app;
    ChildProcess xterm;

    QString logFile() const { return app->logFile(); }

    QString logText() const
    {
        QFile file(logFile());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    // What the main window last reported of its visibility ("normal", "hidden", ...).
    QString lastMainVisibility() const
    {
        const QString text = logText();
        const QString mark = QStringLiteral(",now: ");
        const int at = text.lastIndexOf(mark);
        return at < 0 ? QString() : text.mid(at + mark.size()).section('\n', 0, 0).trimmed();
    }

    static QColor screenPixel(const QPoint& at)
    {
        return QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), 1, 1).toImage().pixelColor(0, 0);
    }

    // The whole screen for a person to look at, when PARLAVINE_SCREENSHOT_DIR names a folder.
    static void keepPicture(const QString& name)
    {
        const QString folder = qEnvironmentVariable("PARLAVINE_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(folder).filePath(name));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "needs an X display: run it through scripts/test");
        QVERIFY(standin.start());
    }

    void init()
    {
        QVERIFY(standin.reset());
        app = std::make_unique<AppProcess>();
        QVERIFY2(RememberedUser::startSignedIn(*app, standin, {{"hotKey_screenshotOpen", "P|1|0|1"}}),
                 app->errorOutput().constData());
        // An orange block beside the centred main window.
        QVERIFY(xterm.start(QStringLiteral("xterm"),
                            {"-geometry", "20x10+1760+100", "-bg", kMarker, "-fg", kMarker, "-e", "sh", "-c",
                             "exec sleep 600"},
                            QProcessEnvironment::systemEnvironment()));
        QVERIFY(!ChildProcess::findWindows({"--sync", "--onlyvisible", "--class", "xterm"}).isEmpty());
        QTest::qWait(300);
    }

    void cleanup()
    {
        if (QTest::currentTestFailed())
            qInfo("client log: %s", qPrintable(logText()));
        xterm.stop();
        const int exitCode = app->stop(20000);
        app.reset();
        QCOMPARE(exitCode, 0);
        QCOMPARE(standin.violations(), QStringList());
    }

    void cleanupTestCase() { QCOMPARE(standin.stop(), 0); }

    // The hotkey opens the capture over the real screen; a drag over the orange block and Return
    // show the crop's translation in the detail window.
    void dragAndReturnTranslatesTheRegion()
    {
        ChildProcess::output("xdotool", {"mousemove", "960", "540"});
        ChildProcess::output("xdotool", {"key", "ctrl+alt+p"});
        QVERIFY2(app->waitForVisibleWindow(kCapture), "the hotkey opened no capture window");
        QVERIFY2(lastMainVisibility() == QLatin1String("hidden"), "the main window stays on show during the capture");

        // The frozen picture shows dimmed; once dragged, the selection is clear again.
        QTRY_VERIFY_WITH_TIMEOUT(screenPixel({1765, 105}).red() < 0xc0, 10000);
        ChildProcess::output("xdotool", {"mousemove", "1780", "120", "mousedown", "1", "mousemove", "1830", "150",
                                         "mousemove", "1880", "170", "mouseup", "1"});
        QTRY_COMPARE_WITH_TIMEOUT(screenPixel({1830, 150}).name(), kMarker, 5000);
        QVERIFY(screenPixel({1765, 105}).red() < 0xc0);
        keepPicture(QStringLiteral("screenshot-capture.png"));
        ChildProcess::output("xdotool", {"key", "Return"});

        QVERIFY2(app->waitForVisibleWindow(kDetail), "Return opened no detail window");
        QVERIFY(app->visibleWindow(kCapture).isEmpty());
        const QString expected = QStringLiteral("screenshotTrans result: [zh] 你好 世界\n[zh] 100x50 %1").arg(kMarker);
        QTRY_VERIFY2_WITH_TIMEOUT(logText().contains(expected), qPrintable(expected), 20000);
        // The main window is back as it was.
        QTRY_COMPARE_WITH_TIMEOUT(lastMainVisibility(), QStringLiteral("normal"), 5000);
        QTest::qWait(300);
        keepPicture(QStringLiteral("screenshot-detail.png"));
    }
};

PARLAVINE_TEST_MAIN(TestClientScreenshot)
#include "tst_ClientScreenshot.moc"
