#include "account/UserService.h"

#include "core/State.h"
#include "core/TimeUtil.h"
#include "core/User.h"
#include "core/Util.h"

UserService::UserService(QObject* parent)
    : QObject(parent)
{
}

QString UserService::checkCode(const QString& a, const QString& b, const QString& c, bool autoLogin)
{
    const QString d = autoLogin ? QStringLiteral("true") : QStringLiteral("false");
    return sha256Hex(QStringLiteral("tallyproof%1%2%3%4").arg(a, b, c, d)).toUpper();
}

void UserService::updateUserSession(ServiceCallback callback)
{
    User* user = User::instance();
    const QString time = QString::number(TimeUtil::currentMSecsSinceEpoch());
    const bool autoLogin = user->isUserAutoLogin;
    const QVariantList header{QStringLiteral("user_name"), user->userName, QStringLiteral("session"), user->session,
                              QStringLiteral("client_key"), user->clientKey};
    const QVariantList value{QStringLiteral("user_id"), user->userId,
                             QStringLiteral("auto_login"), autoLogin,
                             QStringLiteral("update_time"), time,
                             QStringLiteral("check_code"), checkCode(user->userName, user->clientKey, time, autoLogin),
                             QStringLiteral("client_key"), user->clientKey,
                             QStringLiteral("session"), user->session};
    const auto body = RequestService::makeBody(value, header);

    user->userSessionUpdating = true;
    emit State::instance()->userSessionUpdatingChange();
    // Holds no reference to the service: the shell's timer destroys it right after this call.
    RequestService::instance()->postSessionRenewal(
        QStringLiteral("/api/accesscontrol/updateUserSession"), *body,
        [callback](bool ok, const QVariantMap& data) { onUpdateUserSessionReply(ok, data, callback); });
}

void UserService::onUpdateUserSessionReply(bool ok, const QVariantMap& data, const ServiceCallback& callback)
{
    User* user = User::instance();
    // Stored before the announcement, so the calls parked for this renewal go out with it.
    const QString session = data.value(QStringLiteral("session")).toString();
    if (ok && !session.isEmpty())
        user->setSessionKey(session);
    user->userSessionUpdating = false;
    emit State::instance()->userSessionUpdatingChange();
    emit user->sessionUpdateFinished();
    if (callback)
        callback(ok, data);
}
