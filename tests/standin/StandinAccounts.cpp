#include "StandinAccounts.h"

#include <QCryptographicHash>
#include <QJsonArray>

#include <algorithm>

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
    m_billEntities.clear();
    m_costRecords.clear();
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
    addUserEntity(QStringLiteral("10001"), QStringLiteral("ann"));
}

// A bill entity of an owner in its wire form; the other amounts start at 0.
static QJsonObject newBillEntity(const QString& ownerId, const QString& type, const QString& name,
                                 const QString& chargeType, int discount, double balance, int postPayLimit)
{
    return {{QStringLiteral("id"), QStringLiteral("be-") + ownerId},
            {QStringLiteral("entity_type"), type},
            {QStringLiteral("name"), name},
            {QStringLiteral("charge_type"), chargeType},
            {QStringLiteral("discount"), discount},
            {QStringLiteral("balance"), balance},
            {QStringLiteral("cost"), 0},
            {QStringLiteral("pre_pay_limit"), 0},
            {QStringLiteral("post_pay_limit"), postPayLimit},
            {QStringLiteral("enabled"), true}};
}

// A new account starts pre-paid with 100.5 on it.
void StandinAccounts::addUserEntity(const QString& id, const QString& name)
{
    m_billEntities.insert(id, newBillEntity(id, QStringLiteral("user"), name, QStringLiteral("pre"), 100, 100.5, 0));
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
    addUserEntity(id, name);
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

QList<QJsonObject>::iterator StandinAccounts::findWorkgroup(const QString& id)
{
    return std::find_if(m_workgroups.begin(), m_workgroups.end(),
                        [&id](const QJsonObject& group) { return group.value(QStringLiteral("id")).toString() == id; });
}

QJsonObject StandinAccounts::addWorkgroup(const QString& name, const QString& creatorName)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QString creatorId;
    for (const StandinUser& user : qAsConst(m_users)) {
        if (user.name == creatorName)
            creatorId = user.id;
    }
    const QString id = QStringLiteral("wg-%1").arg(++m_workgroupCounter);
    const QJsonObject group{
        {QStringLiteral("id"), id},
        {QStringLiteral("name"), name},
        {QStringLiteral("admin_user_id"), creatorId},
        {QStringLiteral("admin_user_name"), creatorName},
        {QStringLiteral("member_list"),
         QJsonArray{QJsonObject{{QStringLiteral("user_id"), creatorId}, {QStringLiteral("user_name"), creatorName}}}},
        {QStringLiteral("ip_list"), QJsonArray()}};
    m_workgroups.append(group);
    // A workgroup is post-paid, with a limit of 500.
    QJsonObject entity = newBillEntity(id, QStringLiteral("workgroup"), name, QStringLiteral("post"), 90, 0.0, 500);
    entity.insert(QStringLiteral("workgroup_id"), id);
    m_billEntities.insert(id, entity);
    return group;
}

std::optional<QJsonObject> StandinAccounts::workgroup(const QString& id) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const QJsonObject& group : m_workgroups) {
        if (group.value(QStringLiteral("id")).toString() == id)
            return group;
    }
    return std::nullopt;
}

bool StandinAccounts::updateWorkgroup(const QString& id, const QJsonObject& workgroup)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = findWorkgroup(id);
    if (found == m_workgroups.end())
        return false;
    *found = workgroup;
    return true;
}

bool StandinAccounts::deleteWorkgroup(const QString& id)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = findWorkgroup(id);
    if (found == m_workgroups.end())
        return false;
    m_workgroups.erase(found);
    m_billEntities.remove(id);
    return true;
}

QList<QJsonObject> StandinAccounts::workgroupsOf(const QString& userName) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QList<QJsonObject> found;
    for (const QJsonObject& group : m_workgroups) {
        for (const QJsonValue& member : group.value(QStringLiteral("member_list")).toArray()) {
            if (member.toObject().value(QStringLiteral("user_name")).toString() == userName) {
                found.append(group);
                break;
            }
        }
    }
    return found;
}

std::optional<QJsonObject> StandinAccounts::billEntity(const QString& ownerId) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_billEntities.constFind(ownerId);
    if (found == m_billEntities.constEnd())
        return std::nullopt;
    return *found;
}

void StandinAccounts::updateBillEntity(const QString& ownerId, const QJsonObject& fields)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_billEntities.find(ownerId);
    if (found == m_billEntities.end())
        return;
    for (auto it = fields.constBegin(); it != fields.constEnd(); ++it)
        found->insert(it.key(), it.value());
}

QJsonArray StandinAccounts::billEntitiesOf(const QString& userId) const
{
    QString userName;
    if (const auto owner = user(userId))
        userName = owner->name;
    const QList<QJsonObject> groups = workgroupsOf(userName);
    std::lock_guard<std::mutex> lock(m_mutex);
    QJsonArray entities;
    if (m_billEntities.contains(userId))
        entities.append(m_billEntities.value(userId));
    for (const QJsonObject& group : groups) {
        const QString id = group.value(QStringLiteral("id")).toString();
        if (m_billEntities.contains(id))
            entities.append(m_billEntities.value(id));
    }
    return entities;
}

void StandinAccounts::addCostRecord(const QString& userId, const QJsonObject& record)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_costRecords[userId].append(record);
}

QJsonArray StandinAccounts::costRecordsOf(const QString& userId) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_costRecords.value(userId);
}
