#include "core/User.h"

#include "core/QuickStorage.h"
#include "core/TimeUtil.h"
#include "core/Util.h"

#include <QUrl>
#include <QUuid>
#include <QVariantMap>

#include <mutex>

static User* s_user = nullptr;

static const QString kUuidKey = QStringLiteral("uuid");
static const QString kRecordKey = QStringLiteral("loginTemp");
static const QString kAvatarKey = QStringLiteral("loginTemp_Avatar");
static const QString kAvatarSeparator = QStringLiteral("@_");

User* User::instance()
{
    static std::once_flag once;
    std::call_once(once, [] { s_user = new User; });
    return s_user;
}

User::User(QObject* parent) : QObject(parent)
{
    clientKey = deviceId();
}

User::~User()
{
    s_user = nullptr;
}

// Guards the remembered login against edits of the stored text.
static QString checkCode(const QString& session, const QString& userId, const QString& userName, quint32 time,
                         int loginType)
{
    return sha256Hex(QStringLiteral("bramblefy|%1|%2|%3|%4|%5")
                         .arg(session, userId, userName, QString::number(time), QString::number(loginType)));
}

QString User::deviceId()
{
    QuickStorage* storage = QuickStorage::instance();
    QString id = storage->getValue(kUuidKey);
    if (id.isEmpty()) {
        id = QStringLiteral("desktop-") + QUuid::createUuid().toString(QUuid::Id128);
        storage->setValue(kUuidKey, id);
    }
    return id;
}

void User::saveAutoLogin(bool enable)
{
    QuickStorage* storage = QuickStorage::instance();
    if (enable) {
        const quint32 time = TimeUtil::currentTimestamp();
        const QVariantMap record{{QStringLiteral("s"), session},
                                 {QStringLiteral("i"), userId},
                                 {QStringLiteral("n"), userName},
                                 {QStringLiteral("t"), time},
                                 {QStringLiteral("p"), userLoginType},
                                 {QStringLiteral("c"), checkCode(session, userId, userName, time, userLoginType)}};
        storage->setValue(kRecordKey, mapToJson(record));
    } else {
        storage->remove(kRecordKey);
        storage->remove(kAvatarKey);
    }
    isUserAutoLogin = enable;
}

bool User::loadAutoLogin()
{
    QuickStorage* storage = QuickStorage::instance();
    const QString text = storage->getValue(kRecordKey);
    if (text.isEmpty())
        return false;
    const QVariantMap record = mapFromStr(text);
    const quint32 time = record.value(QStringLiteral("t")).toUInt();
    session = record.value(QStringLiteral("s")).toString();
    userId = record.value(QStringLiteral("i")).toString();
    userLoginType = record.value(QStringLiteral("p")).toInt();
    userName = record.value(QStringLiteral("n")).toString();
    // A record without a session or an id signs nobody in, whatever its check code says.
    if (session.isEmpty() || userId.isEmpty()
        || checkCode(session, userId, userName, time, userLoginType) != record.value(QStringLiteral("c")).toString()) {
        session.clear();
        userId.clear();
        userName.clear();
        userLoginType = 0;
        profileLoaded = false;
        return false;
    }
    // Not signed in yet: only the service's answer to the profile fetch confirms the session.
    profileLoaded = false;
    isUserAutoLogin = true;
    const QString avatar = storage->getValue(kAvatarKey);
    const QStringList parts = avatar.split(kAvatarSeparator);
    if (!avatar.isEmpty() && parts.size() == 2 && parts.at(0) == userId && isWebPicture(parts.at(1)))
        userLogo = parts.at(1);
    return true;
}

void User::setSessionKey(const QString& newSession)
{
    session = newSession;
    if (isUserAutoLogin)
        saveAutoLogin(true);
    userSessionUpdating = false;
}

void User::setLogo(const QString& picture)
{
    const QString logo = isWebPicture(picture) ? picture : QString();
    userLogo = logo;
    if (isUserAutoLogin)
        QuickStorage::instance()->setValue(kAvatarKey, userId + kAvatarSeparator + logo);
}

void User::clear()
{
    userName.clear();
    userLogo.clear();
    userEmail.clear();
    userApiToken.clear();
    userApiTokenId.clear();
    userId.clear();
    session.clear();
    userChargeType.clear();
    userDefaultWorkgroup.clear();
    clientKey = deviceId();
    profileLoaded = false;
    userBalance = -1.0;
    userSessionUpdating = false;
}

bool User::isLoggedOut() const
{
    return !profileLoaded || session.isEmpty();
}

User::Signature User::signature() const
{
    return {userId, session};
}

bool User::isStill(const Signature& sent) const
{
    return userId == sent.userId && session == sent.session;
}

bool User::isWebPicture(const QString& url)
{
    const QUrl parsed(url, QUrl::StrictMode);
    const QString scheme = parsed.scheme().toLower();
    return parsed.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
           && !parsed.host().isEmpty();
}
