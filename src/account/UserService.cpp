#include "account/UserService.h"

#include "core/State.h"
#include "core/TimeUtil.h"
#include "core/User.h"
#include "core/Util.h"
#include "network/QSharedReply.h"

namespace {

const QString kMain = QStringLiteral("main");
const QString kLogin = QStringLiteral("login");
const QString kNoWindow;
constexpr int kTries = 3;

QString accessControl(const char* call)
{
    return QStringLiteral("/api/accesscontrol/") + QLatin1String(call);
}

QString billing(const char* call)
{
    return QStringLiteral("/api/billingsystem/") + QLatin1String(call);
}

QString nowMs()
{
    return QString::number(TimeUtil::currentMSecsSinceEpoch());
}

// The token calls name no device: the token belongs to the account.
const QString kDefaultClientKey = QStringLiteral("default");

} // namespace

UserService::UserService(QObject* parent)
    : QObject(parent)
    , workgroupInfoReply(std::make_unique<QSharedReply>())
    , workgroupMembersReply(std::make_unique<QSharedReply>())
    , workgroupIPReply(std::make_unique<QSharedReply>())
{
}

UserService::~UserService()
{
    // Deleting a slot cancels the query it holds.
    workgroupInfoReply.reset();
    workgroupMembersReply.reset();
    workgroupIPReply.reset();
}

QString UserService::checkCode(const QString& a, const QString& b, const QString& c, bool autoLogin)
{
    const QString d = autoLogin ? QStringLiteral("true") : QStringLiteral("false");
    return sha256Hex(QStringLiteral("tallyproof%1%2%3%4").arg(a, b, c, d)).toUpper();
}

QString UserService::passwordHash(const QString& password)
{
    return sha256Hex(password);
}

QVariantList UserService::sessionHeader()
{
    const User* user = User::instance();
    return {QStringLiteral("user_name"), user->userName, QStringLiteral("session"), user->session,
            QStringLiteral("client_key"), user->clientKey};
}

// The wrapped callback holds only the caller's: the result reaches a caller that outlived us.
void UserService::post(const QString& path, const QSharedPointer<QJsonObject>& body, ServiceCallback callback,
                       const QString& window, bool report)
{
    RequestService::instance()->postJson(path, *body, std::move(callback), window, report, kTries);
}

void UserService::change(const QString& path, const QSharedPointer<QJsonObject>& body, ServiceCallback callback,
                         const QString& window, bool report)
{
    RequestService::instance()->postJson(path, *body, std::move(callback), window, report, RequestService::Once);
}

void UserService::addRegisterUser(const QString& name, const QString& email, const QString& verifyCode,
                                  const QString& password, ServiceCallback callback)
{
    const QVariantList value{QStringLiteral("user"),
                             QVariantMap{{QStringLiteral("name"), name}, {QStringLiteral("email"), email}},
                             QStringLiteral("password"),
                             QVariantMap{{QStringLiteral("password"), passwordHash(password)}},
                             QStringLiteral("verify_code"), verifyCode};
    const QVariantList header{QStringLiteral("client_key"), User::instance()->clientKey};
    change(accessControl("addRegisterUser"), RequestService::makeBody(value, header), std::move(callback), kLogin,
           false);
}

void UserService::userLoginWithCode(const QString& code, const QString& loginType, bool autoLogin,
                                    ServiceCallback callback)
{
    const QString clientKey = User::instance()->clientKey;
    const QString time = nowMs();
    const QVariantList value{QStringLiteral("login_type"), loginType,
                             QStringLiteral("code"), code,
                             QStringLiteral("client_key"), clientKey,
                             QStringLiteral("d"), QStringLiteral("68133"),
                             QStringLiteral("auto_login"), autoLogin,
                             QStringLiteral("login_time"), time,
                             QStringLiteral("check_code"), checkCode(code, clientKey, time, autoLogin)};
    change(QStringLiteral("/api/qrloginserver/loginByCode"), RequestService::makeBody(value, QVariantList()),
           std::move(callback), kNoWindow, false);
}

void UserService::userLogin(const QString& nameOrEmail, const QString& password, bool autoLogin,
                            ServiceCallback callback)
{
    const QString clientKey = User::instance()->clientKey;
    const QString time = nowMs();
    const QVariantList value{QStringLiteral("name_or_email"), nameOrEmail,
                             QStringLiteral("auto_login"), autoLogin,
                             QStringLiteral("login_time"), time,
                             QStringLiteral("check_code"), checkCode(nameOrEmail, clientKey, time, autoLogin),
                             QStringLiteral("password"), passwordHash(password),
                             QStringLiteral("client_key"), clientKey};
    change(accessControl("actionLogin"), RequestService::makeBody(value, QVariantList()), std::move(callback),
           kNoWindow, false);
}

void UserService::fetchUser(const QString& userId, ServiceCallback callback)
{
    post(accessControl("fetchUser"), RequestService::makeVariantBody(userId, sessionHeader()), std::move(callback),
         kMain, true);
}

void UserService::fetchToken(const QString& userId, ServiceCallback callback)
{
    const QVariantList value{QStringLiteral("user_id"), userId, QStringLiteral("client_key"), kDefaultClientKey};
    post(accessControl("fetchUserToken"), RequestService::makeBody(value, sessionHeader()), std::move(callback),
         kMain, true);
}

void UserService::addToken(const QString& nameOrEmail, ServiceCallback callback)
{
    const QVariantList value{QStringLiteral("name_or_email"), nameOrEmail, QStringLiteral("client_key"),
                             kDefaultClientKey};
    change(accessControl("addUserToken"), RequestService::makeBody(value, sessionHeader()), std::move(callback),
           kMain, true);
}

void UserService::updateToken(const QString& userId, const QString& token, const QString& id,
                              ServiceCallback callback)
{
    const QVariantList value{QStringLiteral("id"), id, QStringLiteral("token"), token, QStringLiteral("user_id"),
                             userId, QStringLiteral("client_key"), kDefaultClientKey};
    change(accessControl("updateUserToken"), RequestService::makeBody(value, sessionHeader()), std::move(callback),
           kMain, true);
}

void UserService::logout(const QString& userId, const QString& clientKey, const QString& session,
                         ServiceCallback callback)
{
    const QVariantList value{QStringLiteral("session"), session, QStringLiteral("user_id"), userId,
                             QStringLiteral("client_key"), clientKey};
    change(accessControl("actionLogout"), RequestService::makeBody(value, sessionHeader()), std::move(callback),
           kMain, true);
}

void UserService::updatePasswd(const QString& userId, const QString& oldPassword, const QString& newPassword,
                               ServiceCallback callback)
{
    const QVariantList value{QStringLiteral("user_id"), userId, QStringLiteral("old_password"),
                             passwordHash(oldPassword), QStringLiteral("new_password"), passwordHash(newPassword)};
    change(accessControl("updateUserPassword"), RequestService::makeBody(value, sessionHeader()),
           std::move(callback), kMain, true);
}

void UserService::sendAddUserVerifyCode(const QString& email, ServiceCallback callback)
{
    change(accessControl("addUserVerifyCode"), RequestService::makeVariantBody(email, QVariantList()),
           std::move(callback), kLogin, false);
}

// Its form is in the login window, so a failure is said there.
void UserService::updatePasswdByCode(const QString& nameOrEmail, const QString& password, const QString& verifyCode,
                                     ServiceCallback callback)
{
    const QVariantList value{QStringLiteral("name_or_email"), nameOrEmail, QStringLiteral("password"),
                             passwordHash(password), QStringLiteral("verify_code"), verifyCode};
    change(accessControl("updateUserPasswordByVerifyCode"), RequestService::makeBody(value, QVariantList()),
           std::move(callback), kLogin, true);
}

void UserService::updateUserSession(ServiceCallback callback)
{
    User* user = User::instance();
    const QString time = nowMs();
    const bool autoLogin = user->isUserAutoLogin;
    const QVariantList value{QStringLiteral("user_id"), user->userId,
                             QStringLiteral("auto_login"), autoLogin,
                             QStringLiteral("update_time"), time,
                             QStringLiteral("check_code"), checkCode(user->userName, user->clientKey, time, autoLogin),
                             QStringLiteral("client_key"), user->clientKey,
                             QStringLiteral("session"), user->session};
    const auto body = RequestService::makeBody(value, sessionHeader());
    const User::Signature sentFor = user->signature();

    user->userSessionUpdating = true;
    emit State::instance()->userSessionUpdatingChange();
    // Holds no reference to the service: the shell's timer destroys it right after this call.
    RequestService::instance()->postSessionRenewal(
        accessControl("updateUserSession"), *body,
        [sentFor, callback](bool ok, const QVariantMap& data) { onUpdateUserSessionReply(sentFor, ok, data, callback); });
}

void UserService::onUpdateUserSessionReply(const User::Signature& sentFor, bool ok, const QVariantMap& data,
                                           const ServiceCallback& callback)
{
    User* user = User::instance();
    // Stored before the announcement, so the calls parked for this renewal go out with it. A
    // session renewed for a login that has ended since belongs to nobody signed in now.
    const QString session = data.value(QStringLiteral("session")).toString();
    if (ok && !session.isEmpty() && user->isStill(sentFor))
        user->setSessionKey(session);
    user->userSessionUpdating = false;
    emit State::instance()->userSessionUpdatingChange();
    emit user->sessionUpdateFinished();
    if (callback)
        callback(ok, data);
}

void UserService::findUserAllBillEntity(ServiceCallback callback)
{
    const QVariantList value{QStringLiteral("user_id"), User::instance()->userId};
    post(billing("findUserAllBillEntity"), RequestService::makeBody(value, sessionHeader()), std::move(callback),
         kMain, true);
}

void UserService::queryWorkgroup(QSharedReply* slot, const QString& path, const QString& workgroupId,
                                 ServiceCallback callback)
{
    slot->abort(true);
    const auto body = RequestService::makeVariantBody(workgroupId, sessionHeader());
    const QWeakPointer<UserService> weakSelf = sharedFromThis();
    // Only the first attempt sits in the slot; a retry outlives both the slot and the service.
    slot->setReply(RequestService::instance()->postJson(
        path, *body,
        [weakSelf, slot, callback](bool ok, const QVariantMap& data) {
            if (weakSelf.toStrongRef())
                slot->abort(false);
            if (callback)
                callback(ok, data);
        },
        kMain, true, kTries));
}

void UserService::findWorkgroupInfo(const QString& workgroupId, ServiceCallback callback)
{
    queryWorkgroup(workgroupInfoReply.get(), accessControl("findWorkgroupInfo"), workgroupId, std::move(callback));
}

void UserService::findWorkgroupMembers(const QString& workgroupId, ServiceCallback callback)
{
    queryWorkgroup(workgroupMembersReply.get(), accessControl("findWorkgroupMembers"), workgroupId,
                   std::move(callback));
}

void UserService::findWorkgroupIP(const QString& workgroupId, ServiceCallback callback)
{
    queryWorkgroup(workgroupIPReply.get(), accessControl("findWorkgroupIP"), workgroupId, std::move(callback));
}

void UserService::findUserWorkgroup(ServiceCallback callback)
{
    post(accessControl("findUserWorkgroup"), RequestService::makeVariantBody(User::instance()->userId, sessionHeader()),
         std::move(callback), kMain, true);
}

void UserService::updateDefaultWorkgroup(const QString& workgroupId, ServiceCallback callback)
{
    const QVariantList value{QStringLiteral("user_id"), User::instance()->userId,
                             QStringLiteral("default_workgroup_id"), workgroupId};
    change(accessControl("updateDefaultWorkgroup"), RequestService::makeBody(value, sessionHeader()),
           std::move(callback), kMain, true);
}

void UserService::addEmailVerifyCode(const QString& email, bool withSession, ServiceCallback callback)
{
    const User* user = User::instance();
    QVariantList header{QStringLiteral("client_key"), user->clientKey};
    if (withSession)
        header << QStringLiteral("user_name") << user->userName << QStringLiteral("session") << user->session;
    change(accessControl("addEmailVerifyCode"), RequestService::makeVariantBody(email, header), std::move(callback),
           kLogin, false);
}

void UserService::updateEmail(const QString& email, const QString& verifyCode, ServiceCallback callback)
{
    const QVariantList value{QStringLiteral("user_id"), User::instance()->userId, QStringLiteral("email"), email,
                             QStringLiteral("verify_code"), verifyCode};
    change(accessControl("updateEmail"), RequestService::makeBody(value, sessionHeader()), std::move(callback), kMain,
           true);
}

void UserService::addWorkgroup(const QString& name, const QString& createUserName, const QString& createUserId,
                               ServiceCallback callback)
{
    const QVariantList value{QStringLiteral("name"), name, QStringLiteral("type"), QStringLiteral("team"),
                             QStringLiteral("create_user_name"), createUserName,
                             QStringLiteral("create_user_id"), createUserId};
    change(accessControl("addWorkgroup"), RequestService::makeBody(value, sessionHeader()), std::move(callback),
           kMain, true);
}

void UserService::deleteWorkgroup(const QString& workgroupId, ServiceCallback callback)
{
    change(accessControl("deleteWorkgroup"), RequestService::makeVariantBody(workgroupId, sessionHeader()),
           std::move(callback), kMain, true);
}

static QVariantList memberPairs(const QString& workgroupId, const QString& userName)
{
    return {QStringLiteral("workgroup_id"), workgroupId, QStringLiteral("member_list"),
            QVariantList{QVariantMap{{QStringLiteral("user_name"), userName}}}};
}

static QVariantList ipPairs(const QString& workgroupId, const QString& ip)
{
    return {QStringLiteral("workgroup_id"), workgroupId, QStringLiteral("ip_list"), QVariantList{ip}};
}

void UserService::addWorkgroupMembers(const QString& workgroupId, const QString& userName, ServiceCallback callback)
{
    change(accessControl("addWorkgroupMembers"),
           RequestService::makeBody(memberPairs(workgroupId, userName), sessionHeader()), std::move(callback), kMain,
           true);
}

void UserService::addWorkgroupIP(const QString& workgroupId, const QString& ip, ServiceCallback callback)
{
    change(accessControl("addWorkgroupIP"), RequestService::makeBody(ipPairs(workgroupId, ip), sessionHeader()),
           std::move(callback), kMain, true);
}

void UserService::deleteWorkgroupMembers(const QString& workgroupId, const QString& userName,
                                         ServiceCallback callback)
{
    change(accessControl("deleteWorkgroupMembers"),
           RequestService::makeBody(memberPairs(workgroupId, userName), sessionHeader()), std::move(callback), kMain,
           true);
}

void UserService::deleteWorkgroupIP(const QString& workgroupId, const QString& ip, ServiceCallback callback)
{
    change(accessControl("deleteWorkgroupIP"), RequestService::makeBody(ipPairs(workgroupId, ip), sessionHeader()),
           std::move(callback), kMain, true);
}

void UserService::isExistUserByName(const QString& userName, ServiceCallback callback)
{
    post(accessControl("isExistUserByName"), RequestService::makeVariantBody(userName, sessionHeader()),
         std::move(callback), kMain, true);
}

void UserService::findUserCostRecord(const QString& queryType, int startTime, int endTime, ServiceCallback callback)
{
    const QVariantList value{QStringLiteral("user_id"), User::instance()->userId, QStringLiteral("query_type"),
                             queryType, QStringLiteral("start_time"), startTime, QStringLiteral("end_time"), endTime};
    post(billing("findUserCostRecord"), RequestService::makeBody(value, sessionHeader()), std::move(callback), kMain,
         true);
}

void UserService::updateWorkgroupAdminUser(const QString& workgroupId, const QString& adminUserName,
                                           ServiceCallback callback)
{
    const QVariantList value{QStringLiteral("workgroup_id"), workgroupId, QStringLiteral("admin_user_name"),
                             adminUserName};
    change(accessControl("updateWorkgroupAdminUser"), RequestService::makeBody(value, sessionHeader()),
           std::move(callback), kMain, true);
}
