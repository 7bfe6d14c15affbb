// The real client on the X display of scripts/test: PARLAVINE_TEST_NEEDS_DISPLAY.
#include "AppProcess.h"
#include "StandinProcess.h"
#include "TestMain.h"
#include "core/QuickStorage.h"
#include "core/User.h"
#include "platform/SettingsFile.h"

#include <QDeadlineTimer>

namespace {

const QString kFetchUser = QStringLiteral("/api/accesscontrol/fetchUser");
const QString kRenewal = QStringLiteral("/api/accesscontrol/updateUserSession");

QList<StandinRequest> requestsTo(StandinProcess& standin, const QString& route)
{
    QList<StandinRequest> found;
    for (const StandinRequest& request : standin.requests()) {
        if (request.route == route)
            found << request;
    }
    return found;
}

// The remembered login of the stand-in's user "ann", written the way the client writes it.
QString rememberedLogin()
{
    User* user = User::instance();
    user->userName = QStringLiteral("ann");
    user->userId = QStringLiteral("10001");
    user->session = QStringLiteral("standin-remembered");
    user->saveAutoLogin(true);
    return QuickStorage::instance()->getValue(QStringLiteral("loginTemp"));
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
        const QString record = rememberedLogin();
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
};

PARLAVINE_GUILESS_TEST_MAIN(TestRememberedLogin)
#include "tst_RememberedLogin.moc"
