#pragma once

#include "core/User.h"
#include "network/RequestService.h"

#include <QEnableSharedFromThis>
#include <QObject>

#include <memory>

class QSharedReply;

// Client of the account, workgroup and billing endpoints. It interprets no reply: results go
// to the caller's callback as the request layer delivers them. Apart from the three workgroup
// queries, a call needs nothing of the service once it is posted, so a short-lived instance
// may issue one and go.
class UserService : public QObject, public QEnableSharedFromThis<UserService>
{
    Q_OBJECT
public:
    explicit UserService(QObject* parent = nullptr);
    ~UserService() override;

    void addRegisterUser(const QString& name, const QString& email, const QString& verifyCode,
                         const QString& password, ServiceCallback callback);
    void userLoginWithCode(const QString& code, const QString& loginType, bool autoLogin, ServiceCallback callback);
    void userLogin(const QString& nameOrEmail, const QString& password, bool autoLogin, ServiceCallback callback);
    void fetchUser(const QString& userId, ServiceCallback callback);
    void fetchToken(const QString& userId, ServiceCallback callback);
    void addToken(const QString& nameOrEmail, ServiceCallback callback);
    void updateToken(const QString& userId, const QString& token, const QString& id, ServiceCallback callback);
    void logout(const QString& userId, const QString& clientKey, const QString& session, ServiceCallback callback);
    void updatePasswd(const QString& userId, const QString& oldPassword, const QString& newPassword,
                      ServiceCallback callback);
    void sendAddUserVerifyCode(const QString& email, ServiceCallback callback);
    void updatePasswdByCode(const QString& nameOrEmail, const QString& password, const QString& verifyCode,
                            ServiceCallback callback);
    // Renews the signed-in user's session. On success the new session is already stored in
    // User when the callback runs, unless another login took its place meanwhile; the callback
    // still gets the reply with its "session".
    void updateUserSession(ServiceCallback callback);
    void findUserAllBillEntity(ServiceCallback callback);
    // The three queries cancel a still-pending query of their own kind.
    void findWorkgroupInfo(const QString& workgroupId, ServiceCallback callback);
    void findWorkgroupMembers(const QString& workgroupId, ServiceCallback callback);
    void findWorkgroupIP(const QString& workgroupId, ServiceCallback callback);
    void findUserWorkgroup(ServiceCallback callback);
    void updateDefaultWorkgroup(const QString& workgroupId, ServiceCallback callback);
    void addEmailVerifyCode(const QString& email, bool withSession, ServiceCallback callback);
    void updateEmail(const QString& email, const QString& verifyCode, ServiceCallback callback);
    void addWorkgroup(const QString& name, const QString& createUserName, const QString& createUserId,
                      ServiceCallback callback);
    void deleteWorkgroup(const QString& workgroupId, ServiceCallback callback);
    void addWorkgroupMembers(const QString& workgroupId, const QString& userName, ServiceCallback callback);
    void addWorkgroupIP(const QString& workgroupId, const QString& ip, ServiceCallback callback);
    void deleteWorkgroupMembers(const QString& workgroupId, const QString& userName, ServiceCallback callback);
    void deleteWorkgroupIP(const QString& workgroupId, const QString& ip, ServiceCallback callback);
    void isExistUserByName(const QString& userName, ServiceCallback callback);
    void findUserCostRecord(const QString& queryType, int startTime, int endTime, ServiceCallback callback);
    void updateWorkgroupAdminUser(const QString& workgroupId, const QString& adminUserName,
                                  ServiceCallback callback);

    // Upper-case hex SHA-256 of "tallyproof" followed by the four values, replaced in one pass.
    static QString checkCode(const QString& a, const QString& b, const QString& c, bool autoLogin);
    // What a password becomes on the wire: it never leaves the program in plain text.
    static QString passwordHash(const QString& password);

private:
    static void onUpdateUserSessionReply(const User::Signature& sentFor, bool ok, const QVariantMap& data,
                                         const ServiceCallback& callback);
    static QVariantList sessionHeader();
    static void post(const QString& path, const QSharedPointer<QJsonObject>& body, ServiceCallback callback,
                     const QString& window, bool report);
    // For a call that changes something or proves who the user is: never sent twice.
    static void change(const QString& path, const QSharedPointer<QJsonObject>& body, ServiceCallback callback,
                       const QString& window, bool report);
    void queryWorkgroup(QSharedReply* slot, const QString& path, const QString& workgroupId,
                        ServiceCallback callback);

    std::unique_ptr<QSharedReply> workgroupInfoReply;
    std::unique_ptr<QSharedReply> workgroupMembersReply;
    std::unique_ptr<QSharedReply> workgroupIPReply;
};
