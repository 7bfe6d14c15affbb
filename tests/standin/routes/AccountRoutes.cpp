#include "StandinRoutes.h"
#include "StandinServer.h"

#include <QJsonObject>

QList<StandinRoute> StandinRoutes::account()
{
    StandinRoute renew;
    renew.key = QStringLiteral("/api/accesscontrol/updateUserSession");
    renew.required = StandinHeaders::with(StandinHeaders::api(),
                                          {"value.user_id", "value.auto_login", "value.update_time",
                                           "value.check_code", "value.client_key", "value.session"});
    renew.handler = [](const StandinRequest& request, StandinServer& server) {
        const QString session = server.renewSession(request.at(QStringLiteral("value.session")).toString());
        return StandinReply::success(QJsonObject{{QStringLiteral("session"), session}});
    };
    return {renew};
}
