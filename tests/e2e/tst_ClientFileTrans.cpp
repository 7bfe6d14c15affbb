// A document handed over at start is submitted from the pop-up and followed to its end:
// PARLAVINE_TEST_NEEDS_DISPLAY.
#include "AppProcess.h"
#include "StandinProcess.h"
#include "StandinRoute.h"
#include "TestMain.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>

namespace {

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

} // namespace

class TestClientFileTrans : public QObject
{
    Q_OBJECT

    StandinProcess standin;
    std::unique_ptr<AppProcess> app;
    QTemporaryDir files;
    QTemporaryDir screenshots; // kept when a test fails, for a person to look at

    QString mainWindow() const
    {
        return run("xdotool", {"search", "--onlyvisible", "--pid", QString::number(app->pid()), "--name", "^Parlavine$"})
            .section('\n', 0, 0);
    }

    QSize windowSize(const QString& window) const
    {
        const QStringList size = run("xdotool", {"getwindowgeometry", "--shell", window})
                                     .split('\n')
                                     .filter(QRegularExpression("^(WIDTH|HEIGHT)="));
        if (size.size() != 2)
            return QSize();
        return QSize(size.at(0).section('=', 1).toInt(), size.at(1).section('=', 1).toInt());
    }

    void shoot(const QString& name) { run("import", {"-window", mainWindow(), screenshots.filePath(name + ".png")}); }

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
        QVERIFY(standin.reset());
        const QString path = files.filePath(QStringLiteral("hand over #1.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("hello world");
        file.close();

        app = std::make_unique<AppProcess>();
        QVERIFY(app->start(standin.environment(QProcessEnvironment::systemEnvironment()),
                           {QStringLiteral("--transfile=") + path}));
        QVERIFY2(app->waitForWindow("Parlavine", 60000), app->errorOutput().constData());
        // Signed out, the hand-over waits on the document page: the sidebar's second button.
        const QString window = mainWindow();
        const QSize size = windowSize(window);
        QVERIFY(size.isValid());
        QTest::qWait(3000);
        run("xdotool", {"mousemove", "--window", window, "42", "147", "click", "1"});
        const QString list = StandinRoute::imtKey("auto_translation_file", "list");
        QTRY_VERIFY_WITH_TIMEOUT(count(list) >= 1, 60000);
        QTest::qWait(2000); // the pop-up fades in
        shoot("handover-pop");

        // "确定" sits in the bottom right corner of the pop-up, which is centred on the window.
        run("xdotool", {"mousemove", "--window", window, QString::number(size.width() / 2 + 230 - 16 - 40),
                        QString::number(size.height() / 2 + 130 - 16 - 15), "click", "1"});
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
};

PARLAVINE_TEST_MAIN(TestClientFileTrans)
#include "tst_ClientFileTrans.moc"
