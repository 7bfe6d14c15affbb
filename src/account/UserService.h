#pragma once

#include "network/RequestService.h"

#include <QEnableSharedFromThis>
#include <QObject>

// Client of the account endpoints.
class UserService : public QObject, public QEnableSharedFromThis<UserService>
{
    Q_OBJECT
public:
    explicit UserService(QObject* parent = nullptr);

    // Renews the signed-in user's session. On success the new session is already stored in
    // User when the callback runs; the callback still gets the reply with its "session".
    void updateUserSession(ServiceCallback callback);

    // Upper-case hex SHA-256 of "tallyproof" followed by the four values, replaced in one pass.
    static QString checkCode(const QString& a, const QString& b, const QString& c, bool autoLogin);

private:
    static void onUpdateUserSessionReply(bool ok, const QVariantMap& data, const ServiceCallback& callback);
};
