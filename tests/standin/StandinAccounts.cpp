#include "StandinAccounts.h"

#include <QCryptographicHash>
#include <QJsonArray>

StandinAccounts::StandinAccounts()
{
    seed();
}

QString StandinAccounts::passwordHash(const QString& password)
{
    return QString::fromLatin1(QCryptographicHash::hash(password.toUtf8(), QCryptographicHash::Sha256).toHex());
}

QString StandinAccounts::checkCode(const QString& a, const QString& b, const QString& c, bool autoLogin)
{
    // Concatenated piecewise, so no value is ever read as a placeholder.
    const QString text = QStringLiteral("tallyproof") + a + b + c
                         + (autoLogin ? QStringLiteral("true") : QStringLiteral("false"));
    return passwordHash(text).toUpper();
}

void StandinAccounts::reset()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_users.clear();
    m_sessions.clear();
    m_mailCodes.clear();
    m_loginCodes.clear();
    m_workgroups.clear();
    m_counter = 0;
    m_workgroupCounter = 0;
    seed();
}

void StandinAccounts::seed()
{
    m_users.append({QStringLiteral("10001"), QStringLiteral("ann"), QStringLiteral("ann@example.com"),
                    passwordHash(QStringLiteral("open sesame")), QStringLiteral("avatar-ann"), QString(), QString(),
                    QString()});
    m_sessions.insert(QStringLiteral("standin-remembered"), QStringLiteral("10001"));
}

QString StandinAccounts::addUser(const QString& name, const QString& email, const QString& password)
{
    return addUserWithHash(name, email, passwordHash(password));
}

QString StandinAccounts::addUserWithHash(const QString& name, const QString& email, const QString& passwordHash)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const QString id = QString::number(20000 + ++m_counter);
    m_users.append({id, name, email, passwordHash, QString(), QString(), QString(), QString()});
    return id;
}

std::optional<StandinUser> StandinAccounts::user(const QString& id) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const StandinUser& user : m_users) {
        if (user.id == id)
            return user;
    }
    return std::nullopt;
}

std::optional<StandinUser> StandinAccounts::findByNameOrEmail(const QString& nameOrEmail) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const StandinUser& user : m_users) {
        if (!nameOrEmail.isEmpty() && (user.name == nameOrEmail || user.email == nameOrEmail))
            return user;
    }
    return std::nullopt;
}

// Applies `change` to the user with that id; false when there is none.
template <class Change>
static bool changeUser(QList<StandinUser>& users, const QString& id, Change change)
{
    for (StandinUser& user : users) {
        if (user.id == id) {
            change(user);
            return true;
        }
    }
    return false;
}

bool StandinAccounts::setPasswordHash(const QString& id, const QString& hash)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return changeUser(m_users, id, [&hash](StandinUser& user) { user.passwordHash = hash; });
}

bool StandinAccounts::setEmail(const QString& id, const QString& email)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return changeUser(m_users, id, [&email](StandinUser& user) { user.email = email; });
}

bool StandinAccounts::setDefaultWorkgroup(const QString& id, const QString& workgroupId)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return changeUser(m_users, id, [&workgroupId](StandinUser& user) { user.defaultWorkgroup = workgroupId; });
}

QString StandinAccounts::newToken(const QString& id)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const int n = ++m_counter;
    QString token;
    changeUser(m_users, id, [&token, n](StandinUser& user) {
        token = QStringLiteral("token-%1-%2").arg(user.id).arg(n);
        user.token = token;
        user.tokenId = QStringLiteral("tid-%1").arg(user.id);
    });
    return token;
}

QString StandinAccounts::issueSession(const QString& userId)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const QString session = QStringLiteral("acct-%1-%2").arg(userId).arg(++m_counter);
    m_sessions.insert(session, userId);
    return session;
}

QString StandinAccounts::userOfSession(const QString& session) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_sessions.value(session);
}

void StandinAccounts::revokeSession(const QString& session)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_sessions.remove(session);
}

void StandinAccounts::replaceSession(const QString& old, const QString& renewed)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const QString userId = m_sessions.take(old);
    if (!userId.isEmpty())
        m_sessions.insert(renewed, userId);
}

QStringList StandinAccounts::liveSessions() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_sessions.keys();
}

QString StandinAccounts::mailCode(const QString& email)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const QString code = QStringLiteral("%1").arg(100000 + ++m_counter);
    m_mailCodes.insert(email, code);
    return code;
}

QString StandinAccounts::lastMailedCode(const QString& email) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_mailCodes.value(email);
}

bool StandinAccounts::takeMailedCode(const QString& email, const QString& code)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (code.isEmpty() || m_mailCodes.value(email) != code)
        return false;
    m_mailCodes.remove(email);
    return true;
}

QString StandinAccounts::issueLoginCode(const QString& userId)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const QString code = QStringLiteral("login-code-%1").arg(++m_counter);
    m_loginCodes.insert(code, userId);
    return code;
}

QString StandinAccounts::takeLoginCode(const QString& code)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_loginCodes.take(code);
}

QString StandinAccounts::addWorkgroup(const QString& name, const QString& creatorName)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const QString id = QStringLiteral("wg-%1").arg(++m_workgroupCounter);
    m_workgroups.insert(id, QJsonObject{{QStringLiteral("id"), id},
                                        {QStringLiteral("name"), name},
                                        {QStringLiteral("type"), QStringLiteral("team")},
                                        {QStringLiteral("admin_user_name"), creatorName},
                                        {QStringLiteral("members"), QJsonArray{creatorName}},
                                        {QStringLiteral("ips"), QJsonArray()}});
    return id;
}

std::optional<QJsonObject> StandinAccounts::workgroup(const QString& id) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_workgroups.constFind(id);
    if (found == m_workgroups.constEnd())
        return std::nullopt;
    return *found;
}

bool StandinAccounts::updateWorkgroup(const QString& id, const QJsonObject& workgroup)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_workgroups.contains(id))
        return false;
    m_workgroups.insert(id, workgroup);
    return true;
}

bool StandinAccounts::deleteWorkgroup(const QString& id)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_workgroups.remove(id) > 0;
}

QList<QJsonObject> StandinAccounts::workgroupsOf(const QString& userName) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QList<QJsonObject> found;
    for (const QJsonObject& group : m_workgroups) {
        if (group.value(QStringLiteral("members")).toArray().contains(userName))
            found.append(group);
    }
    return found;
}
