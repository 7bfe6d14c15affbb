// A person types into the real client and sees the translation: PARLAVINE_TEST_NEEDS_DISPLAY.
#include "AppProcess.h"
#include "StandinProcess.h"
#include "TestMain.h"

#include <QFile>
#include <QJsonArray>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>

namespace {

// Position of the first request to the route whose body holds the value at the path, or -1.
int indexOf(const QList<StandinRequest>& requests, const QString& route, const QString& path, const QJsonValue& value)
{
    for (int i = 0; i < requests.size(); ++i) {
        if (requests.at(i).route == route && requests.at(i).at(path) == value)
            return i;
    }
    return -1;
}

// What the client last logged after the prefix.
QString lastLogged(const QString& logFile, const QString& prefix)
{
    QFile file(logFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    QString last;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
        const int at = line.indexOf(prefix);
        if (at >= 0)
            last = line.mid(at + prefix.size());
    }
    return last;
}

} // namespace

class TestClientTranslates : public QObject
{
    Q_OBJECT

    StandinProcess standin;
    std::unique_ptr<AppProcess> app;
    QTemporaryDir screenshots;   // kept when a test fails, for a person to look at

    QString logFile() const { return app->logFile(); }

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "needs an X display: run it through scripts/test");
        QVERIFY(screenshots.isValid());
        QVERIFY(standin.start());
    }

    void init()
    {
        QVERIFY(standin.reset());
        app = std::make_unique<AppProcess>();
        QVERIFY(app->start(standin.environment(QProcessEnvironment::systemEnvironment())));
        QVERIFY2(app->waitForWindow("Parlavine", 60000), app->errorOutput().constData());
    }

    void cleanup()
    {
        const QString name = QString::fromLatin1(QTest::currentTestFunction());
        ChildProcess::output("import", {"-window", app->mainWindow(), screenshots.filePath(name + ".png")});
        if (QTest::currentTestFailed()) {
            screenshots.setAutoRemove(false);
            QFile::copy(logFile(), screenshots.filePath(name + ".log"));
            qInfo("the window as the test left it and the client's log: %s", qPrintable(screenshots.path()));
        }
        const int exitCode = app->stop(20000);
        app.reset();
        QCOMPARE(exitCode, 0);
        QCOMPARE(standin.violations(), QStringList());
    }

    void cleanupTestCase() { QCOMPARE(standin.stop(), 0); }

    void typedTextIsTranslatedIntoTheWindow()
    {
        // The page loads after the window shows; its controller asks for the language table once
        // it is complete. Keys typed before that would be lost.
        QTRY_VERIFY_WITH_TIMEOUT(
            indexOf(standin.requests(), "imt:support_lang", "type", QStringLiteral("auto_translation")) >= 0, 60000);

        const QString window = app->mainWindow();
        QVERIFY(!window.isEmpty());
        const QStringList size = ChildProcess::output("xdotool", {"getwindowgeometry", "--shell", window})
                                     .split('\n')
                                     .filter(QRegularExpression("^(WIDTH|HEIGHT)="));
        QCOMPARE(size.size(), 2);
        const int width = size.at(0).section('=', 1).toInt();
        const int height = size.at(1).section('=', 1).toInt();
        // The source editor fills the left half of the page, under the language row; the page's
        // layout scales with the window.
        ChildProcess::output("xdotool", {"mousemove", "--window", window, QString::number(width * 3 / 10),
                                         QString::number(height / 3), "click", "1"});
        const QString typed = QStringLiteral("Hello world. I love this cat.");
        ChildProcess::output("xdotool", {"type", "--window", window, "--delay", "40", typed});

        // Instant translation: the text is analysed, then its sentences translated.
        int translation = -1;
        const QJsonArray sentences = {"Hello world.", "I love this cat."};
        QTRY_VERIFY_WITH_TIMEOUT(
            (translation = indexOf(standin.requests(), "imt:auto_translation", "source.text_list", sentences)) >= 0,
            60000);
        const int analysis = indexOf(standin.requests(), "imt:text_analysis", "text", typed);
        QVERIFY2(analysis >= 0 && analysis < translation, qPrintable(QString::number(analysis)));
        const StandinRequest request = standin.requests().at(translation);
        QCOMPARE(request.at("source.lang").toString(), QStringLiteral("en"));
        QCOMPARE(request.at("target.lang").toString(), QStringLiteral("zh"));

        // The stand-in's sentences, assembled with the source's gaps, are what the window shows.
        const QString shown = QStringLiteral("[zh] 你好 世界. [zh] 我 爱 这 猫.");
        QTRY_COMPARE_WITH_TIMEOUT(lastLogged(logFile(), "translation result: "), shown, 30000);
    }
};

PARLAVINE_TEST_MAIN(TestClientTranslates)
#include "tst_ClientTranslates.moc"
