#pragma once

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <mutex>
#include <optional>

// One account the stand-in knows. Passwords are kept only as the hash the client sends.
struct StandinUser
{
    QString id;
    QString name;
    QString email;
    QString passwordHash; // lower-case hex SHA-256 of the UTF-8 password
    QString profileImg;
    QString token;
    QString tokenId;
    QString defaultWorkgroup;
};

// The account service's memory: users, live sessions, mailed verification codes, one-time
// login codes and workgroups. Thread-safe; StandinServer owns one and resets it with itself.
//
// After a reset it knows one user, "ann" / "ann@example.com" with the password "open sesame"
// (id "10001"), whose session "standin-remembered" is live: a remembered login to start with.
class StandinAccounts
{
public:
    StandinAccounts();

    static QString passwordHash(const QString& password);
    // The check code of the login and renewal calls, recomputed from what was received.
    static QString checkCode(const QString& a, const QString& b, const QString& c, bool autoLogin);

    void reset();

    // A new user; returns its id.
    QString addUser(const QString& name, const QString& email, const QString& password);
    QString addUserWithHash(const QString& name, const QString& email, const QString& passwordHash);
    std::optional<StandinUser> user(const QString& id) const;
    std::optional<StandinUser> findByNameOrEmail(const QString& nameOrEmail) const;
    bool setPasswordHash(const QString& id, const QString& hash);
    bool setEmail(const QString& id, const QString& email);
    bool setDefaultWorkgroup(const QString& id, const QString& workgroupId);
    QString newToken(const QString& id); // the user's new API token

    QString issueSession(const QString& userId);
    QString userOfSession(const QString& session) const; // "" for a session that is not live
    void revokeSession(const QString& session);
    // Registers `renewed` in place of `old` when `old` is live.
    void replaceSession(const QString& old, const QString& renewed);
    QStringList liveSessions() const;

    // Codes mailed to an address; a code is good once.
    QString mailCode(const QString& email);
    QString lastMailedCode(const QString& email) const;
    bool takeMailedCode(const QString& email, const QString& code);

    // A one-time code of a web or social login for a user; good once.
    QString issueLoginCode(const QString& userId);
    QString takeLoginCode(const QString& code); // the user id, or ""

    // Workgroups "wg-1", "wg-2", ... in creation order, each in the form the workgroup query
    // answers: {"id", "name", "admin_user_id", "admin_user_name", "member_list": [{"user_id",
    // "user_name"}], "ip_list": [...]}. The creator is member and administrator, and the
    // workgroup gets its own bill entity.
    QJsonObject addWorkgroup(const QString& name, const QString& creatorName);
    std::optional<QJsonObject> workgroup(const QString& id) const;
    bool updateWorkgroup(const QString& id, const QJsonObject& workgroup);
    bool deleteWorkgroup(const QString& id);
    QList<QJsonObject> workgroupsOf(const QString& userName) const;

    // Bill entities in the form the bill-entity query answers, one per user ("be-<user id>") and
    // one per workgroup ("be-<workgroup id>", "workgroup_id" naming the group).
    std::optional<QJsonObject> billEntity(const QString& ownerId) const;
    void updateBillEntity(const QString& ownerId, const QJsonObject& fields); // merges the fields
    // The user's own entity first, then those of the user's workgroups in creation order.
    QJsonArray billEntitiesOf(const QString& userId) const;

    // Cost records {"id", "bill_entity_id", "cost", "cost_time": yyyymmdd} charged to a user.
    void addCostRecord(const QString& userId, const QJsonObject& record);
    QJsonArray costRecordsOf(const QString& userId) const;

private:
    void seed();
    void addUserEntity(const QString& id, const QString& name);
    QList<QJsonObject>::iterator findWorkgroup(const QString& id);

    mutable std::mutex m_mutex;
    QList<StandinUser> m_users;
    QHash<QString, QString> m_sessions;   // session -> user id
    QHash<QString, QString> m_mailCodes;  // address -> code
    QHash<QString, QString> m_loginCodes; // code -> user id
    QList<QJsonObject> m_workgroups;
    QHash<QString, QJsonObject> m_billEntities; // owner id -> entity
    QHash<QString, QJsonArray> m_costRecords;   // user id -> records
    int m_counter = 0;
    int m_workgroupCounter = 0;
};
