// Text selected in another program is translated by the real client: PARLAVINE_TEST_NEEDS_DISPLAY
// (an xterm to select in, xdotool for the mouse and keys).
#include "AppProcess.h"
#include "StandinProcess.h"
#include "TestMain.h"
#include "RememberedUser.h"

#include <QClipboard>
#include <QDeadlineTimer>
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>

#include <memory>

namespace {

const QString kMarker = QStringLiteral("Hello world");
const QString kTrigger = QStringLiteral("^Parlavine_CopyTransTrigger$");
const QString kDetail = QStringLiteral("^Parlavine_CopyTrans$");

// Every line the client logged after the prefix, in order.
QStringList logged(const QString& logFile, const QString& prefix)
{
    QFile file(logFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList found;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
        const int at = line.indexOf(prefix);
        if (at >= 0)
            found << line.mid(at + prefix.size());
    }
    return found;
}

// The stand-in marks each translated sentence with its target language: "[en] …".
bool translated(const QString& text)
{
    static const QRegularExpression marked(QStringLiteral("^\\[[a-z]{2}(-[A-Za-z]+)?\\] \\S"));
    return marked.match(text).hasMatch();
}

} // namespace

class TestClientCopyTrans : public QObject
{
    Q_OBJECT

    StandinProcess standin;
    std::unique_ptr<AppProcess> app;
    ChildProcess xterm;

    QString logFile() const { return app->logFile(); }

    QStringList results() { return logged(logFile(), QStringLiteral("copyTrans result: ")); }
    // The texts sent for translation: a stale or wrong capture shows here.
    QStringList requested() { return logged(logFile(), QStringLiteral("copyTrans requestTrans: ")); }

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
        QVERIFY2(RememberedUser::startSignedIn(*app, standin, {{"copy_trans", "1"}}), app->errorOutput().constData());

        // A terminal whose program would end on a Ctrl+C, away from the client's window and low enough
        // for the trigger to show above the selection.
        QVERIFY(xterm.start(QStringLiteral("xterm"),
                            {"-geometry", "40x3+0+200", "-fa", "DejaVu Sans Mono", "-fs", "12", "-e", "sh", "-c",
                             QStringLiteral("echo %1; exec sleep 600").arg(kMarker)},
                            QProcessEnvironment::systemEnvironment()));
        QTest::qWait(500);
    }

    void cleanup()
    {
        if (QTest::currentTestFailed())
            qInfo("client log: %s", qPrintable(logged(logFile(), QString()).join('\n')));
        xterm.stop();
        const int exitCode = app->stop(20000);
        app.reset();
        QCOMPARE(exitCode, 0);
        QCOMPARE(standin.violations(), QStringList());
    }

    void cleanupTestCase() { QCOMPARE(standin.stop(), 0); }

    // Select → the trigger appears → its click opens the translation; the terminal's program runs
    // on, and the clipboard was never taken from its owner (a clipboard manager would have seen
    // the selection).
    void selectionIsTranslated()
    {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("the user's clipboard"));
        // The user works in the terminal: it has the focus, the client's windows are inactive
        // (there is no window manager to move the focus on a click).
        const QString terminal = ChildProcess::findWindows({"--sync", "--onlyvisible", "--class", "xterm"});
        QVERIFY(!terminal.isEmpty());
        ChildProcess::output("xdotool", {"windowfocus", "--sync", terminal.section('\n', 0, 0)});
        // The xterm may still be drawing its first line: drag again until a trigger shows. A new
        // drag hides a trigger on its way, so a busy machine gets a while before the next one.
        for (int attempt = 0; attempt < 3 && app->visibleWindow(kTrigger).isEmpty(); ++attempt) {
            ChildProcess::output("xdotool", {"mousemove", "2", "208", "mousedown", "1", "mousemove", "150", "208",
                                             "mousemove", "340", "208", "mouseup", "1"});
            app->waitForVisibleWindow(kTrigger, 10000);
        }
        const QString trigger = app->visibleWindow(kTrigger);
        QVERIFY2(!trigger.isEmpty(), "no trigger window after a drag over the terminal's text");

        const QStringList geometry = ChildProcess::output("xdotool", {"getwindowgeometry", "--shell", trigger})
                                         .split('\n')
                                         .filter(QRegularExpression("^(X|Y|WIDTH|HEIGHT)="));
        QCOMPARE(geometry.size(), 4);
        const auto value = [&](int i) { return geometry.at(i).section('=', 1).toInt(); };
        ChildProcess::output("xdotool", {"mousemove", QString::number(value(0) + value(2) / 2),
                                         QString::number(value(1) + value(3) / 2), "click", "1"});
        QVERIFY2(app->waitForVisibleWindow(kDetail), "the trigger's click opened no detail window");
        QTRY_VERIFY_WITH_TIMEOUT(!results().isEmpty(), 20000);
        QVERIFY2(translated(results().last()), qPrintable(results().last()));
        QCOMPARE(requested().last(), kMarker);
        QVERIFY(xterm.isRunning());
        QVERIFY(clipboard->ownsClipboard());
        QCOMPARE(clipboard->text(), QStringLiteral("the user's clipboard"));
    }

    // Ctrl+C twice in another window opens the detail window with what was copied.
    void doubleCtrlCOpensTheDetail()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("Good morning"));
        // Over the empty desktop, so the keys reach no program.
        ChildProcess::output("xdotool", {"mousemove", "1910", "1070"});
        // Back to back: the two presses count within 300 ms of the X server's clock, and a pause of
        // xdotool's own between them stretches as long as a loaded machine keeps it waiting.
        ChildProcess::output("xdotool", {"key", "--delay", "0", "ctrl+c", "ctrl+c"});
        QVERIFY2(app->waitForVisibleWindow(kDetail), "double Ctrl+C opened no detail window");
        QVERIFY(app->visibleWindow(kTrigger).isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(!results().isEmpty(), 20000);
        QVERIFY2(translated(results().last()), qPrintable(results().last()));
        QCOMPARE(requested().last(), QStringLiteral("Good morning"));
        QVERIFY(xterm.isRunning());
    }

    // Megabytes copied reach the detail window and the service cut to the main page's limit.
    void bigDoubleCtrlCIsCut()
    {
        const QString big = QStringLiteral("Hello world. ").repeated(2 * 1024 * 1024 / 13);
        QGuiApplication::clipboard()->setText(big);
        ChildProcess::output("xdotool", {"mousemove", "1910", "1070"});
        ChildProcess::output("xdotool", {"key", "--delay", "80", "ctrl+c", "ctrl+c"});
        QVERIFY2(app->waitForVisibleWindow(kDetail), "double Ctrl+C opened no detail window");
        QTRY_VERIFY_WITH_TIMEOUT(!results().isEmpty(), 20000);
        // The log shortens a long text and says how long it was.
        const QString sent = requested().last();
        QVERIFY2(sent.startsWith(QStringLiteral("Hello world. Hello")) && sent.endsWith(QStringLiteral("(5000 chars)")),
                 qPrintable(sent));
    }
};

PARLAVINE_TEST_MAIN(TestClientCopyTrans)
#include "tst_ClientCopyTrans.moc"
