#include "RememberedUser.h"

#include "AppProcess.h"
#include "StandinProcess.h"
#include "core/QuickStorage.h"
#include "core/User.h"
#include "platform/SettingsFile.h"

#include <QtTest>

QString RememberedUser::loginSetting()
{
    User* user = User::instance();
    user->userName = QStringLiteral("ann");
    user->userId = QStringLiteral("10001");
    user->session = QStringLiteral("standin-remembered");
    user->saveAutoLogin(true);
    return QuickStorage::instance()->getValue(QStringLiteral("loginTemp"));
}

bool RememberedUser::sessionRenewed(StandinProcess& standin)
{
    for (const StandinRequest& request : standin.requests()) {
        if (request.route == QLatin1String("/api/accesscontrol/updateUserSession"))
            return true;
    }
    return false;
}

bool RememberedUser::startSignedIn(AppProcess& app, StandinProcess& standin, const QMap<QString, QString>& settings)
{
    SettingsFile file(app.xdg().configHome() + QStringLiteral("/Parlavine/settings.ini"));
    file.setValue(QStringLiteral("loginTemp"), loginSetting());
    for (auto it = settings.cbegin(); it != settings.cend(); ++it)
        file.setValue(it.key(), it.value());
    if (!app.start(standin.environment(QProcessEnvironment::systemEnvironment()))
        || !app.waitForWindow(QStringLiteral("Parlavine"), 60000))
        return false;
    if (!QTest::qWaitFor([&standin] { return sessionRenewed(standin); }, 60000))
        return false;
    QTest::qWait(500);
    return true;
}
