// The real client under the X display of scripts/test: PARLAVINE_TEST_NEEDS_DISPLAY.
#include "AppProcess.h"
#include "StandinProcess.h"
#include "TestMain.h"
#include "core/LocalSocketUtil.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>

#include <csignal>

namespace {

const QString MainTitle = QStringLiteral("Parlavine");


QString run(const QString& program, const QStringList& arguments, int* exitCode = nullptr, int timeoutMs = 20000)
{
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(timeoutMs);
    if (exitCode)
        *exitCode = finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1000;
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

qint64 pidOfWindow(const QString& window)
{
    return run("xdotool", {"getwindowpid", window}).toLongLong();
}

// The mapped main windows of the programs started with this sandbox (the restarted one included),
// leaving alone those of tests running beside this one on the same display.
QStringList mainWindowsOf(const XdgSandbox& xdg)
{
    const QByteArray marker = "XDG_CONFIG_HOME=" + xdg.configHome().toUtf8();
    QStringList ours;
    const QString out = ChildProcess::findWindows({"--onlyvisible", "--name", "^Parlavine$"});
    for (const QString& window : out.split('\n', Qt::SkipEmptyParts)) {
        QFile environ(QStringLiteral("/proc/%1/environ").arg(pidOfWindow(window)));
        if (environ.open(QIODevice::ReadOnly) && environ.readAll().split('\0').contains(marker))
            ours << window;
    }
    return ours;
}

// A zombie counts as gone: the restarted process is nobody's child here, and may wait long for reaping.
bool processAlive(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (pid <= 0 || !stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2, 1) != "Z";
}

// What the client asked the service for, in order, as route keys.
QStringList routesOf(const QList<StandinRequest>& requests)
{
    QStringList routes;
    for (const StandinRequest& request : requests)
        routes << request.route;
    return routes;
}

QString settingsFile(const AppProcess& app)
{
    return app.xdg().configHome() + QStringLiteral("/Parlavine/settings.ini");
}

QString storedSetting(const AppProcess& app, const QString& key)
{
    return QSettings(settingsFile(app), QSettings::IniFormat).value(key).toString();
}

} // namespace

class TestClient : public QObject
{
    Q_OBJECT

    StandinProcess standin;
    qint64 restartedPid = 0;   // started by the program itself, so stopped here

    QProcessEnvironment environment() const
    {
        return standin.environment(QProcessEnvironment::systemEnvironment());
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
    }

    void cleanup()
    {
        if (processAlive(restartedPid)) {
            ::kill(static_cast<pid_t>(restartedPid), SIGTERM);
            QTRY_VERIFY_WITH_TIMEOUT(!processAlive(restartedPid), 10000);
        }
        QCOMPARE(standin.violations(), QStringList());
    }

    void cleanupTestCase() { QCOMPARE(standin.stop(), 0); }

    void startsWithItsWindowAndTheStartupRequests()
    {
        AppProcess app;
        QVERIFY(app.start(environment()));
        QVERIFY2(app.waitForWindow(MainTitle), app.errorOutput().constData());

        // The version check and the configuration address go out together; the configuration
        // document is fetched once its address is known.
        const QString check = QStringLiteral("/api/resourcemanageserver/checkVersion");
        const QString config = QStringLiteral("/api/resourcemanageserver/findConfig");
        const QString document = QStringLiteral("/files/config/desktop.json");
        QTRY_VERIFY_WITH_TIMEOUT(routesOf(standin.requests()).contains(document), 10000);
        QStringList routes = routesOf(standin.requests());
        QVERIFY2(routes.indexOf(config) < routes.indexOf(document), qPrintable(routes.join(' ')));
        QCOMPARE(routes.count(check), 1);
        QCOMPARE(routes.count(config), 1);
        QTRY_VERIFY_WITH_TIMEOUT(routesOf(standin.requests()).contains("imt:support_lang"), 10000);
        routes = routesOf(standin.requests());
        routes.sort();
        QCOMPARE(routes, QStringList({check, config, document, "imt:support_lang"}));

        // The URL scheme and the file action point at this executable.
        QFile scheme(app.xdg().dataHome() + "/applications/parlavine.desktop");
        QVERIFY(scheme.open(QIODevice::ReadOnly));
        QVERIFY(scheme.readAll().contains("Exec=\"" PARLAVINE_BINARY "\" --settings=%u\n"));
        QVERIFY(QFile::exists(app.xdg().dataHome() + "/applications/parlavine-transfile.desktop"));

        // The web engine costs hundreds of megabytes: only the social-login window may bring it.
        const qint64 pid = pidOfWindow(mainWindowsOf(app.xdg()).value(0));
        QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        QVERIFY(!maps.readAll().contains("WebEngine"));

        QCOMPARE(app.stop(), 0);
    }

    void secondStartHandsOverAndExits_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("message");

        QTest::newRow("no argument") << QStringList() << "parlavine_single" << "raise";
        QTest::newRow("file") << QStringList{"--transfile=/tmp/a b.docx"} << "parlavine_single"
                              << "transfile:/tmp/a b.docx";
        QTest::newRow("login scheme") << QStringList{"--settings=token=t1&type=wx"} << "parlavine_loginscheme"
                                      << "token=t1&type=wx&time=";
    }

    // The running instance's servers are replaced by the test's own on the same names, so the
    // message the second start sends can be read as it arrives.
    void secondStartHandsOverAndExits()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, server);
        QFETCH(QString, message);

        AppProcess first;
        QVERIFY(first.start(environment()));
        QVERIFY2(first.waitForWindow(MainTitle), first.errorOutput().constData());

        const QByteArray ownRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", first.xdg().runtimeDir().toUtf8());
        QFile::remove(LocalSocketUtil::serverPath(server));
        LocalSocketUtil listener(server);
        QSignalSpy received(&listener, &LocalSocketUtil::newMessage);
        qputenv("XDG_RUNTIME_DIR", ownRuntime);

        QProcess second;
        second.setProcessEnvironment(first.xdg().environment(environment()));
        second.start(PARLAVINE_BINARY, arguments);
        QVERIFY(second.waitForFinished(15000));
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE(received.size(), 1);
        QVERIFY2(received.at(0).at(0).toString().startsWith(message), qPrintable(received.at(0).at(0).toString()));

        QCOMPARE(mainWindowsOf(first.xdg()).size(), 1);
        QCOMPARE(first.stop(), 0);
    }

    void quittingStoresTheMergeSwitch_data()
    {
        QTest::addColumn<bool>("byCloseButton");
        QTest::newRow("SIGTERM") << false;
        QTest::newRow("close button") << true;
    }

    void quittingStoresTheMergeSwitch()
    {
        QFETCH(bool, byCloseButton);

        AppProcess app;
        app.rememberQuitStyle("exit");
        QVERIFY(app.start(environment()));
        QVERIFY2(app.waitForWindow(MainTitle), app.errorOutput().constData());
        QCOMPARE(storedSetting(app, "textTrans_autoMergeBreak"), QString());

        if (byCloseButton) {
            QVERIFY(app.clickCloseButton());
            QTRY_VERIFY_WITH_TIMEOUT(mainWindowsOf(app.xdg()).isEmpty(), 20000);
        }
        // A process that quits by itself is left to finish: a SIGTERM during its teardown would kill it.
        const int exitCode = byCloseButton ? app.waitForExit(20000) : app.stop();
        QVERIFY2(exitCode == 0, qPrintable(QStringLiteral("exit code %1\n%2").arg(exitCode).arg(QString::fromLocal8Bit(app.errorOutput()))));
        QCOMPARE(storedSetting(app, "textTrans_autoMergeBreak"), QStringLiteral("1"));
        // The size is kept for the next start on this screen.
        QCOMPARE(storedSetting(app, "winFrameTemp").split('|').size(), 5);
    }

    void restartCodeLeavesOneRunningInstance()
    {
        AppProcess app;
        QVERIFY(app.start(environment()));
        QVERIFY2(app.waitForWindow(MainTitle), app.errorOutput().constData());
        const qint64 firstPid = pidOfWindow(mainWindowsOf(app.xdg()).value(0));

        // What a language or OpenGL change does: leave the event loop with the restart code. No
        // inferior call: gdb cannot restore the register state of processors with AMX and fails
        // it. Instead the main thread's next timer pass runs QCoreApplication::exit(-10086) in
        // place of QTimerInfoList::activateTimers(), whose caller ignores its result.
        int gdbExit = 0;
        const QString log = run("gdb", {"-p", QString::number(firstPid), "-batch", "-nx",
                                        "-ex", "break *_ZN14QTimerInfoList14activateTimersEv thread 1",
                                        "-ex", "continue",
                                        "-ex", "set $rdi = -10086",
                                        "-ex", "set $pc = (long)&_ZN16QCoreApplication4exitEi",
                                        "-ex", "delete", "-ex", "detach"},
                                &gdbExit, 60000);
        QVERIFY2(gdbExit == 0, qPrintable(log));
        QTRY_VERIFY_WITH_TIMEOUT(!processAlive(firstPid), 10000);

        QTRY_VERIFY_WITH_TIMEOUT((restartedPid = pidOfWindow(mainWindowsOf(app.xdg()).value(0))) > 0, 60000);
        QVERIFY(restartedPid != firstPid);
        QCOMPARE(mainWindowsOf(app.xdg()).size(), 1);
        QCOMPARE(app.stop(), 0);   // the first process ended with 0
    }

    void serviceDownStillShowsTheWindow()
    {
        QProcessEnvironment unreachable = QProcessEnvironment::systemEnvironment();
        // A port on which nothing listens: every request fails at once.
        unreachable.insert("PARLAVINE_API_URL", "http://127.0.0.1:9");
        unreachable.insert("PARLAVINE_COLLECTOR_URL", "http://127.0.0.1:9");
        AppProcess app;
        QVERIFY(app.start(unreachable));
        QVERIFY2(app.waitForWindow(MainTitle), app.errorOutput().constData());
        // Far below the 60 s request timeout, so a quit that waited on the dead service would
        // fail; a sanitizer build on a busy machine needs a few seconds to tear down.
        QCOMPARE(app.stop(10000), 0);
    }
};

PARLAVINE_TEST_MAIN(TestClient)
#include "tst_Client.moc"
