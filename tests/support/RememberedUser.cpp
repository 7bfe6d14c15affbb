#include "RememberedUser.h"

#include "StandinProcess.h"
#include "core/QuickStorage.h"
#include "core/User.h"

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
