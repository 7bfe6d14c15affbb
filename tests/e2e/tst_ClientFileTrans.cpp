// A document handed over at start is submitted from the pop-up and followed to its end; one dragged
// from another program onto the page is submitted: PARLAVINE_TEST_NEEDS_DISPLAY.
#include "AppProcess.h"
#include "StandinProcess.h"
#include "StandinRoute.h"
#include "TestMain.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>

class TestClientFileTrans : public QObject
{
    Q_OBJECT

    StandinProcess standin;
    std::unique_ptr<AppProcess> app;
    QTemporaryDir files;
    QTemporaryDir screenshots; // kept when a test fails, for a person to look at

    // The window's place on the screen and its size; empty when it is gone.
    QRect geometry(const QString& window) const
    {
        QMap<QString, int> shell;
        for (const QString& line : ChildProcess::output("xdotool", {"getwindowgeometry", "--shell", window}).split('\n'))
            shell.insert(line.section('=', 0, 0), line.section('=', 1).toInt());
        return QRect(shell.value("X"), shell.value("Y"), shell.value("WIDTH"), shell.value("HEIGHT"));
    }

    // Other display tests share the screen: the window goes on top before the click.
    void click(const QString& window, const QPoint& at)
    {
        ChildProcess::output("xdotool", {"windowraise", window, "mousemove", "--window", window, QString::number(at.x()),
                                         QString::number(at.y()), "click", "1"});
    }

    QString writeFile(const QString& name, const QByteArray& content)
    {
        QFile file(files.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            return QString();
        return file.fileName();
    }

    // Starts the client and opens the document page (the sidebar's second button); its window, or
    // "" when the page did not load its task list.
    QString openDocumentPage(const QStringList& arguments)
    {
        if (!standin.reset())
            return QString();
        app = std::make_unique<AppProcess>();
        if (!app->start(standin.environment(QProcessEnvironment::systemEnvironment()), arguments)
            || !app->waitForWindow("Parlavine", 60000)) {
            qWarning("%s", app->errorOutput().constData());
            return QString();
        }
        const QString window = app->mainWindow();
        const QString list = StandinRoute::imtKey("auto_translation_file", "list");
        // A click on a busy machine can come before the window takes input: click until the page
        // has asked for its task list.
        QTest::qWait(3000);
        for (int tries = 0; count(list) == 0; ++tries) {
            if (tries == 6)
                return QString();
            click(window, QPoint(42, 147));
            if (QTest::qWaitFor([&] { return count(list) >= 1; }, 10000))
                break;
        }
        QTest::qWait(1500); // the page's language pair arrives
        return window;
    }

    void shoot(const QString& name) { ChildProcess::output("import", {"-window", app->mainWindow(), screenshots.filePath(name + ".png")}); }

    QList<StandinRequest> requestsOf(const QString& route)
    {
        QList<StandinRequest> out;
        for (const StandinRequest& request : standin.requests())
            if (request.route == route)
                out.append(request);
        return out;
    }
    int count(const QString& route) { return requestsOf(route).size(); }

    int countOf(const QString& route, const QString& path, const QString& value)
    {
        int count = 0;
        for (const StandinRequest& request : standin.requests())
            count += request.route == route && request.at(path).toString() == value;
        return count;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "needs an X display: run it through scripts/test");
        QVERIFY(files.isValid() && screenshots.isValid());
        QVERIFY(standin.start());
    }

    void cleanup()
    {
        if (QTest::currentTestFailed()) {
            screenshots.setAutoRemove(false);
            qInfo("the window as the test left it: %s", qPrintable(screenshots.path()));
        }
        if (app)
            QCOMPARE(app->stop(20000), 0);
        app.reset();
        QCOMPARE(standin.violations(), QStringList());
    }

    void cleanupTestCase() { QCOMPARE(standin.stop(), 0); }

    void handedOverDocumentIsSubmittedAndFollowed()
    {
        const QString path = writeFile(QStringLiteral("hand over #1.txt"), "hello world");
        QVERIFY(!path.isEmpty());
        // Signed out, the hand-over waits on the document page.
        const QString window = openDocumentPage({QStringLiteral("--transfile=") + path});
        QVERIFY(!window.isEmpty());
        const QSize size = geometry(window).size();
        QVERIFY(!size.isEmpty());
        QTest::qWait(500); // the pop-up fades in
        shoot("handover-pop");

        // "确定" sits in the bottom right corner of the pop-up, which is centred on the window.
        click(window, QPoint(size.width() / 2 + 230 - 16 - 40, size.height() / 2 + 130 - 16 - 15));
        const QString submit = StandinRoute::imtKey("auto_translation_file", "submit");
        QTRY_COMPARE_WITH_TIMEOUT(countOf(submit, "source.name", "hand over #1.txt"), 1, 20000);
        const StandinRequest request = requestsOf(submit).at(0);
        QCOMPARE(QByteArray::fromBase64(request.at("source.content_base64").toString().toLatin1()),
                 QByteArray("hello world"));

        // The stand-in's default run: preparing, 40 %, 80 %, completed, one stage per check.
        const QString check = StandinRoute::imtKey("auto_translation_file", "check");
        QTRY_VERIFY_WITH_TIMEOUT(count(check) >= 2, 20000);
        shoot("history-running");
        QTRY_VERIFY_WITH_TIMEOUT(count(check) >= 4, 20000);
        QTest::qWait(1500);
        shoot("history-completed");
        QCOMPARE(count(check), 4); // polling stopped with the completed task
    }

    // A file dragged from another program onto the drop area is submitted with its content; its
    // name holds a blank and "#", which a file URL writes as "%20" and "%23".
    void droppedFileIsSubmitted()
    {
        const QString path = writeFile(QStringLiteral("dropped #2.txt"), "dropped content");
        QVERIFY(!path.isEmpty());
        const QString window = openDocumentPage({});
        QVERIFY(!window.isEmpty());

        // The helper's small window sits in the screen's top left corner, beside the main window.
        QProcess helper;
        helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "xcb");
        helper.setProcessEnvironment(environment);
        helper.start(PARLAVINE_DRAGHELPER_BINARY, {path});
        QVERIFY(helper.waitForStarted());
        QString source;
        QTRY_VERIFY_WITH_TIMEOUT(
            !(source = ChildProcess::findWindows({"--all", "--onlyvisible", "--pid", QString::number(helper.processId()),
                                        "--name", "^parlavine-drag$"}).section('\n', 0, 0)).isEmpty(),
            20000);
        const QPoint from = geometry(source).center();
        const QRect target = geometry(window);
        const QPoint to = target.topLeft() + QPoint(target.width() / 2, 205);
        QVERIFY(!target.contains(from));

        // Other display tests share the screen: both windows go on top of theirs first.
        ChildProcess::output("xdotool", {"windowraise", window, "windowraise", source});
        ChildProcess::output("xdotool", {"mousemove", "--sync", QString::number(from.x()), QString::number(from.y())});
        ChildProcess::output("xdotool", {"mousedown", "1"});
        // The drag follows the pointer in steps, so that both sides see it move and enter.
        for (int step = 1; step <= 10; ++step) {
            const QPoint at = from + (to - from) * step / 10;
            QTest::qWait(100);
            ChildProcess::output("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y())});
        }
        QTest::qWait(500);
        shoot("drop-hover");
        ChildProcess::output("xdotool", {"mouseup", "1"});
        QVERIFY(helper.waitForFinished(20000));
        QCOMPARE(helper.exitCode(), 0); // the page accepted the drop

        const QString submit = StandinRoute::imtKey("auto_translation_file", "submit");
        QTRY_COMPARE_WITH_TIMEOUT(countOf(submit, "source.name", "dropped #2.txt"), 1, 20000);
        QCOMPARE(QByteArray::fromBase64(requestsOf(submit).at(0).at("source.content_base64").toString().toLatin1()),
                 QByteArray("dropped content"));
        shoot("drop-submitted");
    }
};

PARLAVINE_TEST_MAIN(TestClientFileTrans)
#include "tst_ClientFileTrans.moc"
