// The real client on an X server of its own with a real window manager (openbox): the caption is
// handed to the window manager for moves, which must not swallow a double click; moving another
// program's window is no text selection; a compositing manager comes and goes only here.
#include "AppProcess.h"
#include "ChildProcess.h"
#include "RememberedUser.h"
#include "StandinProcess.h"
#include "TestMain.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>

#include <cstdlib>
#include <functional>

#include <xcb/xcb.h>

namespace {

QRect geometryOf(const QString& window)
{
    const QString text = ChildProcess::output("xdotool", {"getwindowgeometry", window});
    const QRegularExpressionMatch position = QRegularExpression("Position: (-?\\d+),(-?\\d+)").match(text);
    const QRegularExpressionMatch size = QRegularExpression("Geometry: (\\d+)x(\\d+)").match(text);
    if (!position.hasMatch() || !size.hasMatch())
        return QRect();
    return QRect(position.captured(1).toInt(), position.captured(2).toInt(), size.captured(1).toInt(),
                 size.captured(2).toInt());
}

// The window manager has decorated the window and said how wide its frame is.
bool isFramed(const QString& window)
{
    return ChildProcess::output("xprop", {"-id", window, "_NET_FRAME_EXTENTS"}).contains(" = ");
}

bool isMaximised(const QString& window)
{
    return ChildProcess::output("xprop", {"-id", window, "_NET_WM_STATE"}).contains("_NET_WM_STATE_MAXIMIZED_HORZ");
}

// Where a managed window's own area lies on the screen (xdotool adds the frame to it).
QPoint clientOrigin(const QString& window)
{
    const QString text = ChildProcess::output("xwininfo", {"-id", window});
    const QRegularExpressionMatch x = QRegularExpression("Absolute upper-left X: +(-?\\d+)").match(text);
    const QRegularExpressionMatch y = QRegularExpression("Absolute upper-left Y: +(-?\\d+)").match(text);
    return x.hasMatch() && y.hasMatch() ? QPoint(x.captured(1).toInt(), y.captured(1).toInt()) : QPoint(-1, -1);
}

QString logOf(const QString& logFile)
{
    QFile file(logFile);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

int timesLogged(const QString& logFile, const QString& what)
{
    return logOf(logFile).count(what);
}

// The grey level of a screen pixel as the X server shows it: through the compositing manager when
// one runs, which paints onto the root window. -1 when it cannot be read.
int greyAt(xcb_connection_t* connection, QPoint point)
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_get_image_reply_t* reply = xcb_get_image_reply(
        connection, xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, root, qint16(point.x()), qint16(point.y()), 1, 1, ~0u),
        nullptr);
    int grey = -1;
    if (reply && xcb_get_image_data_length(reply) >= 4) {
        const uint8_t* bgr = xcb_get_image_data(reply); // 24-bit depth: blue, green, red, pad
        grey = qGray(bgr[2], bgr[1], bgr[0]);
    }
    std::free(reply);
    return grey;
}

// Two pixels inside each edge of the window's part on the screen: the light theme's background,
// not a shadow margin (black without a compositing manager, what lies beneath with one). Empty
// when all are drawn, else what was seen there.
QString undrawnEdges(xcb_connection_t* connection, const QString& window)
{
    const QRect area = geometryOf(window) & QRect(0, 0, 1280, 800);
    if (area.isEmpty())
        return QStringLiteral("no geometry for %1").arg(window);
    const int w = area.width();
    const int h = area.height();
    QStringList undrawn;
    for (const QPoint& point : {QPoint(2, 2), QPoint(w / 2, 2), QPoint(2, h / 2), QPoint(w - 3, h / 2),
                                QPoint(w / 2, h - 3), QPoint(w - 3, h - 3)}) {
        const int grey = greyAt(connection, area.topLeft() + point);
        if (grey < 0xc0)
            undrawn << QStringLiteral("(%1,%2): %3").arg(point.x()).arg(point.y()).arg(grey);
    }
    if (undrawn.isEmpty())
        return QString();
    return QStringLiteral("window %1 at %2,%3 %4x%5, grey below 192 at %6")
        .arg(window)
        .arg(area.x())
        .arg(area.y())
        .arg(w)
        .arg(h)
        .arg(undrawn.join(", "));
}

} // namespace

class TestClientUnderWindowManager : public QObject
{
    Q_OBJECT

    ChildProcess xserver;
    ChildProcess windowManager;
    StandinProcess standin;
    QString display;
    xcb_connection_t* screen = nullptr; // reads the screen's pixels

    // A point in the middle of the main window's caption, in window coordinates.
    static QStringList onCaption(const QString& window)
    {
        return {"mousemove", "--window", window, QString::number(geometryOf(window).width() / 2), "20", "sleep", "0.2"};
    }

    // With the button down, nudges the pointer until the drag has moved the window: under load
    // openbox can miss the start of a drag sent by xdotool (seen with no client running at all),
    // where a hand on a real mouse keeps moving.
    static bool nudgeUntil(const std::function<bool()>& moved)
    {
        QDeadlineTimer deadline(20000);
        while (!moved() && !deadline.hasExpired())
            ChildProcess::output("xdotool", {"mousemove_relative", "--", "2", "1", "sleep", "0.1"});
        return moved();
    }

    QProcessEnvironment clientEnvironment() const
    {
        QProcessEnvironment environment = standin.environment(QProcessEnvironment::systemEnvironment());
        environment.insert("DISPLAY", display);
        environment.insert("QT_QPA_PLATFORM", "xcb");
        return environment;
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("openbox").isEmpty())
            QSKIP("openbox is not installed (scripts/deps.txt)");
        // An X server of our own: a window manager on the shared one would change every other test.
        QVERIFY(xserver.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x800x24", "-nolisten", "tcp", "-noreset"},
                              QProcessEnvironment::systemEnvironment()));
        const QByteArray number = xserver.readLine(20000);
        QVERIFY2(!number.isEmpty(), xserver.errorOutput().constData());
        display = ':' + QString::fromLatin1(number);
        qputenv("DISPLAY", display.toLatin1()); // for xdotool and xprop
        screen = xcb_connect(display.toLatin1().constData(), nullptr);
        QVERIFY(!xcb_connection_has_error(screen));

        QVERIFY(windowManager.start("openbox", {"--sm-disable"}, QProcessEnvironment::systemEnvironment()));
        QTRY_VERIFY_WITH_TIMEOUT(
            ChildProcess::output("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"), 20000);
        QVERIFY(standin.start());
    }

    void cleanupTestCase()
    {
        QCOMPARE(standin.violations(), QStringList());
        QCOMPARE(standin.stop(), 0);
        windowManager.stop();
        if (screen)
            xcb_disconnect(screen);
        xserver.stop();
    }

    void captionDoubleClickMaximisesAndRestoresAndDragMoves()
    {
        const QProcessEnvironment environment = clientEnvironment();
        AppProcess app;
        QVERIFY(app.start(environment));
        QVERIFY2(app.waitForWindow(QStringLiteral("Parlavine")), app.errorOutput().constData());
        const QString window = app.mainWindow();
        QVERIFY(!window.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(geometryOf(window).width() > 0, 10000);
        const QRect normal = geometryOf(window);
        QVERIFY(!isMaximised(window));

        QStringList doubleClick = onCaption(window);
        doubleClick << "click" << "--repeat" << "2" << "--delay" << "60" << "1";
        ChildProcess::output("xdotool", doubleClick);
        QTRY_VERIFY_WITH_TIMEOUT(isMaximised(window), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(geometryOf(window).size(), QSize(1280, 800), 10000);

        ChildProcess::output("xdotool", doubleClick);
        QTRY_VERIFY_WITH_TIMEOUT(!isMaximised(window), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(geometryOf(window).size(), normal.size(), 10000);

        // A press and a drag still hands the move to the window manager.
        QStringList press = onCaption(window);
        press << "mousedown" << "1" << "mousemove_relative" << "--" << "20" << "12";
        ChildProcess::output("xdotool", press);
        nudgeUntil([&] { return geometryOf(window).topLeft() != normal.topLeft(); });
        ChildProcess::output("xdotool", {"mousemove_relative", "--", "40", "24", "sleep", "0.3", "mouseup", "1"});
        QTRY_VERIFY_WITH_TIMEOUT((geometryOf(window).topLeft() - normal.topLeft()).x() >= 40, 10000);
        const QPoint moved = geometryOf(window).topLeft() - normal.topLeft();
        QVERIFY2(moved.y() >= 24, qPrintable(QStringLiteral("moved by %1, %2").arg(moved.x()).arg(moved.y())));
        QVERIFY(!isMaximised(window));

        QCOMPARE(app.stop(), 0);
    }

    // A window moved by its title bar after a real selection: the drag qualifies by time and
    // distance, but PRIMARY still holds the older selection, so no trigger shows.
    void titleBarDragAfterASelectionShowsNoTrigger()
    {
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        qputenv("QT_QPA_PLATFORM", "xcb");
        AppProcess app;
        const bool started = RememberedUser::startSignedIn(app, standin, {{"copy_trans", "1"}});
        qputenv("QT_QPA_PLATFORM", platform);
        const QString logFile = app.logFile();
        // how far a start got that timed out
        QVERIFY2(started, qPrintable(QString::fromLocal8Bit(app.errorOutput()) + logOf(logFile).right(3000)));
        const QString shown = QStringLiteral("copyTrans showTrigger: ");

        // Below the main window, which must not cover the caption.
        ChildProcess xterm;
        QVERIFY(xterm.start(QStringLiteral("xterm"),
                            {"-geometry", "40x3+0+700", "-fa", "DejaVu Sans Mono", "-fs", "12", "-e", "sh", "-c",
                             "echo Hello world; exec sleep 600"},
                            QProcessEnvironment::systemEnvironment()));
        const QString terminal = ChildProcess::findWindows({"--sync", "--onlyvisible", "--class", "xterm"});
        QVERIFY(!terminal.isEmpty());
        const QString window = terminal.section('\n', 0, 0);
        // Measured once the window manager has framed it: a title bar added later moves it down.
        QTRY_VERIFY_WITH_TIMEOUT(isFramed(window), 10000);
        const QPoint client = clientOrigin(window);
        const QString row = QString::number(client.y() + 8);
        // The xterm may still be drawing its line: select again until a trigger shows.
        for (int attempt = 0; attempt < 3 && timesLogged(logFile, shown) == 0; ++attempt) {
            ChildProcess::output("xdotool", {"mousemove", QString::number(client.x() + 2), row, "mousedown", "1",
                                             "mousemove", QString::number(client.x() + 150), row, "mousemove",
                                             QString::number(client.x() + 340), row, "mouseup", "1"});
            app.waitForVisibleWindow(QStringLiteral("^Parlavine_CopyTransTrigger$"), 10000);
        }
        QCOMPARE(timesLogged(logFile, shown), 1);
        // A click on the bare desktop puts the trigger away.
        ChildProcess::output("xdotool", {"mousemove", "1200", "780", "click", "1"});
        QTRY_VERIFY_WITH_TIMEOUT(app.visibleWindow(QStringLiteral("^Parlavine_CopyTransTrigger$")).isEmpty(), 10000);

        // On top of the client's windows, which a busy start may have placed over its caption.
        ChildProcess::output("xdotool", {"windowactivate", "--sync", window});
        // Held half a second and moved 200 pixels: a selection by time and distance alike.
        const QString caption = QString::number(client.y() - 8);
        ChildProcess::output("xdotool", {"mousemove", QString::number(client.x() + 100), caption, "mousedown", "1",
                                         "sleep", "0.3", "mousemove", QString::number(client.x() + 200), caption,
                                         "mousemove", QString::number(client.x() + 300), caption, "sleep", "0.3"});
        QVERIFY(nudgeUntil([&] { return clientOrigin(window).x() > client.x(); }));
        ChildProcess::output("xdotool", {"mouseup", "1"});
        QTest::qWait(1000);
        QCOMPARE(timesLogged(logFile, shown), 1);
        QVERIFY(app.visibleWindow(QStringLiteral("^Parlavine_CopyTransTrigger$")).isEmpty());
        xterm.stop();
        QCOMPARE(app.stop(20000), 0);
    }

    // There is no tray here: closing with "hide" must leave a way back, and a later start raises it.
    void hideWithoutATrayMinimisesAndALaterStartRaises()
    {
        const QProcessEnvironment environment = clientEnvironment();
        AppProcess first;
        first.rememberQuitStyle("hide");
        QVERIFY(first.start(environment));
        QVERIFY2(first.waitForWindow(QStringLiteral("Parlavine")), first.errorOutput().constData());
        const QString window = first.mainWindow();
        QVERIFY(first.clickCloseButton());
        QTRY_VERIFY_WITH_TIMEOUT(first.mainWindow().isEmpty(), 20000);
        QVERIFY(ChildProcess::output("xprop", {"-id", window, "WM_STATE"}).contains("Iconic"));

        QProcess second;
        second.setProcessEnvironment(first.xdg().environment(environment));
        second.start(PARLAVINE_BINARY, QStringList());
        QVERIFY(second.waitForFinished(15000));
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(first.mainWindow(), window, 20000);
        QCOMPARE(first.stop(), 0);
    }

    // Without a compositing manager the frameless windows fill themselves to the edge (a
    // translucent margin would show black); with one the margins and shadows come back, and go
    // again when it stops.
    void framelessWindowsFollowTheCompositingManager()
    {
        if (QStandardPaths::findExecutable("xcompmgr").isEmpty())
            QSKIP("xcompmgr is not installed (scripts/deps.txt)");
        AppProcess app;
        QVERIFY(app.start(clientEnvironment()));
        QVERIFY2(app.waitForWindow(QStringLiteral("Parlavine")), app.errorOutput().constData());
        // the signed-out avatar at the top of the sidebar opens the login window
        ChildProcess::output("xdotool", {"mousemove", "--window", app.mainWindow(), "37", "37", "click", "1"});
        const QString loginTitle = QStringLiteral("^(登录|Log in)$");
        QVERIFY(app.waitForVisibleWindow(loginTitle));
        const QStringList windows{app.mainWindow(), app.visibleWindow(loginTitle)};
        // side by side over the bare screen, which a translucent margin shows through
        ChildProcess::output("xdotool", {"windowmove", windows.at(0), "0", "0"});
        ChildProcess::output("xdotool", {"windowmove", windows.at(1), "960", "100"});
        QTRY_COMPARE_WITH_TIMEOUT(geometryOf(windows.at(1)).topLeft(), QPoint(960, 100), 10000);
        // what a failure saw, with what the client last heard of a compositing manager
        const QString logFile = app.logFile();
        const auto undrawn = [&](const QString& window) {
            const QString seen = undrawnEdges(screen, window);
            const QStringList heard = logOf(logFile).split('\n').filter(QStringLiteral("compositing manager:"));
            return seen.isEmpty() ? seen : seen + QStringLiteral("; ") + heard.value(heard.size() - 1, "nothing logged");
        };
        for (const QString& window : windows)
            QTRY_COMPARE_WITH_TIMEOUT(undrawn(window), QString(), 20000);

        ChildProcess compositor;
        QVERIFY(compositor.start("xcompmgr", {}, QProcessEnvironment::systemEnvironment()));
        for (const QString& window : windows)
            QTRY_VERIFY_WITH_TIMEOUT(!undrawn(window).isEmpty(), 20000);
        compositor.stop();
        for (const QString& window : windows)
            QTRY_COMPARE_WITH_TIMEOUT(undrawn(window), QString(), 20000);

        QCOMPARE(app.stop(), 0);
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestClientUnderWindowManager)
#include "tst_ClientUnderWindowManager.moc"
