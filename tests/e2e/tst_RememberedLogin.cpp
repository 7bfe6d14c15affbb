// The real client on the X display of scripts/test: PARLAVINE_TEST_NEEDS_DISPLAY.
#include "AppProcess.h"
#include "RememberedUser.h"
#include "StandinProcess.h"
#include "TestMain.h"
#include "core/AppConfig.h"
#include "core/State.h"
#include "core/QuickStorage.h"
#include "core/User.h"
#include "platform/SettingsFile.h"

#include <QDeadlineTimer>
#include <QProcess>

#include <csignal>

namespace {

const QString kFetchUser = QStringLiteral("/api/accesscontrol/fetchUser");
const QString kRenewal = QStringLiteral("/api/accesscontrol/updateUserSession");
const QString kRecords = QStringLiteral("/collect");
const QString kUpload = QStringLiteral("/api/resourcemanageserver/uploadCrashLogFile");
const QString kHistory = QStringLiteral("/api/transtask/findTransHistoryByUserIdByPage");

QList<StandinRequest> requestsTo(StandinProcess& standin, const QString& route)
{
    QList<StandinRequest> found;
    for (const StandinRequest& request : standin.requests()) {
        if (request.route == route)
            found << request;
    }
    return found;
}

// The home page view goes out once a login is complete.
bool sentHomeView(StandinProcess& standin)
{
    for (const StandinRequest& view : requestsTo(standin, QStringLiteral("/collect/pv"))) {
        if (view.query.value(QStringLiteral("from")) == QLatin1String("parlavine_home"))
            return true;
    }
    return false;
}

} // namespace

class TestRememberedLogin : public QObject
{
    Q_OBJECT

private slots:
    // Start-up restores the login: the profile is fetched with the remembered session, which is
    // renewed at once.
    void startsSignedIn()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "needs an X display: run it through scripts/test");
        StandinProcess standin;
        QVERIFY(standin.start());
        AppProcess app;
        const QString record = RememberedUser::loginSetting();
        QVERIFY(!record.isEmpty());
        SettingsFile(app.xdg().configHome() + QStringLiteral("/Parlavine/settings.ini"))
            .setValue(QStringLiteral("loginTemp"), record);

        QVERIFY(app.start(standin.environment(QProcessEnvironment::systemEnvironment())));
        QVERIFY2(app.waitForWindow(QStringLiteral("Parlavine")), app.errorOutput().constData());
        // A sanitizer build among a parallel suite can take a while to get there.
        QTRY_VERIFY_WITH_TIMEOUT(!requestsTo(standin, kRenewal).isEmpty(), 60000);

        const QList<StandinRequest> fetches = requestsTo(standin, kFetchUser);
        const QList<StandinRequest> renewals = requestsTo(standin, kRenewal);
        QCOMPARE(fetches.size(), 1);
        QCOMPARE(fetches.first().session(), QStringLiteral("standin-remembered"));
        QCOMPARE(fetches.first().at(QStringLiteral("value")).toString(), QStringLiteral("10001"));
        QCOMPARE(renewals.size(), 1);
        QCOMPARE(renewals.first().at(QStringLiteral("value.session")).toString(), QStringLiteral("standin-remembered"));
        QVERIFY(renewals.first().seq > fetches.first().seq);
        QCOMPARE(standin.violations(), QStringList());

        QCOMPARE(app.stop(), 0);
        QCOMPARE(standin.stop(), 0);
    }

    // A login link handed to the running client by a second start while ann is signed in goes
    // nowhere until the user answers: no code login, no logout, the remembered login kept.
    void loginLinkWaitsForTheUser()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "needs an X display: run it through scripts/test");
        StandinProcess standin;
        QVERIFY(standin.start());
        AppProcess app;
        QVERIFY2(RememberedUser::startSignedIn(app, standin, {}), app.errorOutput().constData());
        const int sentBefore = standin.requests().size();

        QProcess second;
        const QProcessEnvironment environment = standin.environment(QProcessEnvironment::systemEnvironment());
        second.setProcessEnvironment(app.xdg().environment(environment));
        second.start(PARLAVINE_BINARY, {QStringLiteral("--settings=parlavine://login?token=CODE&type=0&auto=1")});
        QVERIFY(second.waitForFinished(15000));
        QCOMPARE(second.exitCode(), 0);
        QTest::qWait(2000); // what the link would have sent has had time to go

        QStringList after;
        for (const StandinRequest& request : standin.requests().mid(sentBefore))
            after << request.route;
        QVERIFY2(!after.contains(QStringLiteral("/api/qrloginserver/loginByCode")), qPrintable(after.join(' ')));
        QVERIFY2(!after.contains(QStringLiteral("/api/accesscontrol/actionLogout")), qPrintable(after.join(' ')));
        QVERIFY(!SettingsFile(app.xdg().configHome() + QStringLiteral("/Parlavine/settings.ini"))
                     .value(QStringLiteral("loginTemp"))
                     .isEmpty());
        QCOMPARE(standin.violations(), QStringList());

        QCOMPARE(app.stop(), 0);
        QCOMPARE(standin.stop(), 0);
    }

    // The text page's history is listed once the login is complete, whichever of the page and the
    // login comes first, and nothing is sent to a page controller that does not exist yet.
    void theHistoryIsListedOnceSignedIn()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "needs an X display: run it through scripts/test");
        StandinProcess standin;
        QVERIFY(standin.start());
        AppProcess app;
        QVERIFY2(RememberedUser::startSignedIn(app, standin, {}), app.errorOutput().constData());
        QTRY_VERIFY_WITH_TIMEOUT(!requestsTo(standin, kHistory).isEmpty(), 20000);
        QCOMPARE(app.stop(), 0);

        QFile log(app.logFile());
        QVERIFY(log.open(QIODevice::ReadOnly));
        QByteArrayList lost;
        for (const QByteArray& line : log.readAll().split('\n')) {
            if (line.contains("ctrl null") && line.contains("refreshTransHistory"))
                lost << line;
        }
        QVERIFY2(lost.isEmpty(), lost.join('\n').constData());
        QCOMPARE(standin.violations(), QStringList());
        QCOMPARE(standin.stop(), 0);
    }

    // With the software scene graph nothing the login brings needs OpenGL: no context is made, so
    // the driver (the software rasteriser and its compiler) stays out of the process. libGL itself
    // comes with Qt's GUI library.
    void softwareSceneGraphSignedInLoadsNoOpenGL()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "needs an X display: run it through scripts/test");
        StandinProcess standin;
        QVERIFY(standin.start());
        AppProcess app;
        qputenv("QT_QUICK_BACKEND", "software");
        const bool signedIn = RememberedUser::startSignedIn(app, standin, {});
        qunsetenv("QT_QUICK_BACKEND");
        QVERIFY2(signedIn, app.errorOutput().constData());
        QTRY_VERIFY_WITH_TIMEOUT(sentHomeView(standin) && !requestsTo(standin, kHistory).isEmpty(), 20000);
        QTest::qWait(1000); // the pictures and pages the login shows
        QFile maps(QStringLiteral("/proc/%1/maps").arg(app.pid()));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        QByteArrayList graphics;
        for (const QByteArray& line : maps.readAll().split('\n')) {
            const QByteArray file = line.mid(line.lastIndexOf(' ') + 1);
            if (file.contains("_dri.so") || file.contains("libLLVM"))
                graphics << file;
        }
        QCOMPARE(app.stop(), 0);
        QVERIFY2(graphics.isEmpty(), graphics.join('\n').constData());
        QCOMPARE(standin.violations(), QStringList());
        QCOMPARE(standin.stop(), 0);
    }

    // A crash of a signed-in run is reported and its dump uploaded once the next run has signed in.
    void aCrashIsUploadedAfterTheNextLogin()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "needs an X display: run it through scripts/test");
        StandinProcess standin;
        QVERIFY(standin.start());
        AppProcess app;
        const QString record = RememberedUser::loginSetting();
        SettingsFile settings(app.xdg().configHome() + QStringLiteral("/Parlavine/settings.ini"));
        settings.setValue(QStringLiteral("loginTemp"), record);
        const QProcessEnvironment environment = standin.environment(QProcessEnvironment::systemEnvironment());

        QVERIFY(app.start(environment));
        QVERIFY2(app.waitForWindow(QStringLiteral("Parlavine")), app.errorOutput().constData());
        QDeadlineTimer deadline(20000);
        while (!sentHomeView(standin) && !deadline.hasExpired())
            QTest::qWait(100);
        QVERIFY2(sentHomeView(standin), "the signed-in run sent no home page view");
        QCOMPARE(requestsTo(standin, kUpload).size(), 0);
        QCOMPARE(::kill(static_cast<pid_t>(app.pid()), SIGSEGV), 0);
        QCOMPARE(app.waitForExit(20000), -1);
        const QDir crashFolder(app.xdg().dataHome() + QStringLiteral("/Parlavine/parlavineCrash"));
        const QFileInfoList dumps = crashFolder.entryInfoList({QStringLiteral("*.dmp")}, QDir::Files);
        QCOMPARE(dumps.size(), 1);
        QFile dump(dumps.first().absoluteFilePath());
        QVERIFY(dump.open(QIODevice::ReadOnly));

        // The renewal of the first run replaced the remembered session; start from it again.
        QCOMPARE(standin.violations(), QStringList());
        QVERIFY(standin.reset());
        settings.setValue(QStringLiteral("loginTemp"), record);
        QVERIFY(app.start(environment));
        QVERIFY2(app.waitForWindow(QStringLiteral("Parlavine")), app.errorOutput().constData());
        deadline.setRemainingTime(20000);
        while ((requestsTo(standin, kUpload).isEmpty() || requestsTo(standin, kRecords).isEmpty())
               && !deadline.hasExpired())
            QTest::qWait(100);

        const QList<StandinRequest> uploads = requestsTo(standin, kUpload);
        const QList<StandinRequest> reports = requestsTo(standin, kRecords);
        QCOMPARE(uploads.size(), 1);
        QCOMPARE(reports.size(), 1);
        // The name carries the program's version text, as the About window shows it.
        const QString uploadName = QStringLiteral("linux_%1_%2").arg(State::instance()->version(), dumps.first().fileName());
        QCOMPARE(uploads.first().at(QStringLiteral("value.file_name")).toString(), uploadName);
        QCOMPARE(QByteArray::fromBase64(uploads.first().at(QStringLiteral("value.file_content")).toString().toLatin1()),
                 dump.readAll());
        QCOMPARE(reports.first().body.value(QStringLiteral("level[0]")).toString(), QStringLiteral("32"));
        QVERIFY(reports.first().body.value(QStringLiteral("msg[0]")).toString().startsWith("Crash|" + uploadName + '|'));
        QCOMPARE(standin.violations(), QStringList());

        QCOMPARE(app.stop(), 0);
        QCOMPARE(standin.stop(), 0);
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestRememberedLogin)
#include "tst_RememberedLogin.moc"
