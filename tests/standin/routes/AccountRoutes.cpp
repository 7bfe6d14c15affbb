#include "StandinRoutes.h"
#include "StandinServer.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

// The account service, stateful (StandinAccounts). Every request is checked for its exact wire
// form: which header it carries, a scalar or an object "value" with typed fields, password
// hashes and recomputed check codes. A business failure ("wrong password") is an API error
// with status 500, written as the service writes it.
namespace {

enum class Header { None, Session, ClientKey, ClientKeyMaybeSession };

// Field types: 's' text, 'b' JSON boolean, 'i' JSON integer, 'h' password hash (64 lower-case
// hex), 't' milliseconds as decimal text, 'm' one-item list of {"user_name"}, 'p' one-item list
// of text. A dotted path reaches into a nested object.
struct Field
{
    QString path;
    char type;
};

struct Shape
{
    Header header = Header::Session;
    bool scalar = false; // "value" is a JSON string
    QList<Field> fields;
};

using Check = std::function<QString(const StandinRequest&)>;
using SignedInHandler = std::function<StandinReply(const StandinRequest&, StandinServer&, const StandinUser&)>;

QString text(const StandinRequest& request, const QString& path)
{
    return request.at(path).toString();
}

QString headerProblem(const StandinRequest& request, Header header)
{
    const QJsonValue value = request.at(QStringLiteral("header"));
    if (header == Header::None)
        return value.isUndefined() ? QString() : QStringLiteral("a \"header\" it must not carry");
    if (!value.isObject())
        return QStringLiteral("no header object");
    const QStringList keys = value.toObject().keys();
    const QSet<QString> got(keys.cbegin(), keys.cend());
    const QSet<QString> session{QStringLiteral("client_key"), QStringLiteral("session"), QStringLiteral("user_name")};
    const QSet<QString> clientKey{QStringLiteral("client_key")};
    const bool fits = header == Header::Session ? got == session
                      : header == Header::ClientKey ? got == clientKey
                                                    : got == clientKey || got == session;
    if (!fits)
        return QStringLiteral("header keys %1").arg(keys.join(QLatin1Char(',')));
    for (const QString& key : keys) {
        if (!value.toObject().value(key).isString())
            return QStringLiteral("header.%1 not text").arg(key);
    }
    return QString();
}

QString fieldProblem(const QJsonValue& value, char type)
{
    static const QRegularExpression hash(QStringLiteral("^[0-9a-f]{64}$"));
    static const QRegularExpression millis(QStringLiteral("^[0-9]{12,}$"));
    switch (type) {
    case 's':
        return value.isString() ? QString() : QStringLiteral("not text");
    case 'b':
        return value.isBool() ? QString() : QStringLiteral("not a JSON boolean");
    case 'i':
        return value.isDouble() && value.toDouble() == double(qint64(value.toDouble())) ? QString()
                                                                                        : QStringLiteral("not a JSON integer");
    case 'h':
        return hash.match(value.toString()).hasMatch() ? QString() : QStringLiteral("not a password hash");
    case 't':
        return value.isString() && millis.match(value.toString()).hasMatch() ? QString()
                                                                              : QStringLiteral("not decimal milliseconds");
    case 'm':
        return value.toArray().size() == 1 && value.toArray().at(0).toObject().keys() == QStringList{"user_name"}
                       && value.toArray().at(0).toObject().value(QStringLiteral("user_name")).isString()
                   ? QString()
                   : QStringLiteral("not one {\"user_name\"}");
    case 'p':
        return value.toArray().size() == 1 && value.toArray().at(0).isString() ? QString()
                                                                                : QStringLiteral("not one text item");
    }
    return QStringLiteral("of unknown type");
}

QString shapeProblem(const StandinRequest& request, const Shape& shape)
{
    const QStringList bodyKeys = request.body.keys();
    for (const QString& key : bodyKeys) {
        if (key != QLatin1String("header") && key != QLatin1String("value"))
            return QStringLiteral("body key \"%1\"").arg(key);
    }
    const QString header = headerProblem(request, shape.header);
    if (!header.isEmpty())
        return header;
    const QJsonValue value = request.at(QStringLiteral("value"));
    if (shape.scalar)
        return value.isString() ? QString() : QStringLiteral("\"value\" not a JSON string");
    if (!value.isObject())
        return QStringLiteral("\"value\" not an object");
    QSet<QString> expected;
    for (const Field& field : shape.fields) {
        expected.insert(field.path.section(QLatin1Char('.'), 0, 0));
        const QString problem = fieldProblem(request.at(QStringLiteral("value.") + field.path), field.type);
        if (!problem.isEmpty())
            return QStringLiteral("value.%1 %2").arg(field.path, problem);
    }
    const QStringList keys = value.toObject().keys();
    if (QSet<QString>(keys.cbegin(), keys.cend()) != expected)
        return QStringLiteral("value keys %1").arg(keys.join(QLatin1Char(',')));
    return QString();
}

// The check code over four received fields, the last one the auto-login flag.
Check checkCodeOver(const QString& a, const QString& b, const QString& c)
{
    return [a, b, c](const StandinRequest& request) {
        const QString expected = StandinAccounts::checkCode(text(request, a), text(request, b), text(request, c),
                                                            request.at(QStringLiteral("value.auto_login")).toBool());
        return text(request, QStringLiteral("value.check_code")) == expected ? QString()
                                                                             : QStringLiteral("wrong check code");
    };
}

Check equals(const QString& path, const QString& expected)
{
    return [path, expected](const StandinRequest& request) {
        return text(request, path) == expected ? QString() : QStringLiteral("%1 is not \"%2\"").arg(path, expected);
    };
}

Check all(const QList<Check>& checks)
{
    return [checks](const StandinRequest& request) {
        for (const Check& check : checks) {
            const QString problem = check(request);
            if (!problem.isEmpty())
                return problem;
        }
        return QString();
    };
}

StandinRoute route(const QString& path, const Shape& shape, StandinHandler handler, Check extra = Check())
{
    StandinRoute route;
    route.key = path;
    route.handler = std::move(handler);
    route.validate = [path, shape, extra](const StandinRequest& request) {
        QString problem = shapeProblem(request, shape);
        if (problem.isEmpty() && extra)
            problem = extra(request);
        return problem.isEmpty() ? QString() : QStringLiteral("%1: %2").arg(path, problem);
    };
    return route;
}

QString accessControl(const char* call)
{
    return QStringLiteral("/api/accesscontrol/") + QLatin1String(call);
}

StandinReply refuse(const QString& error, const QString& message)
{
    return StandinReply::failure(error, message, 500);
}

// Answers "Session-Out" unless the header session is live.
StandinHandler signedIn(SignedInHandler handler)
{
    return [handler](const StandinRequest& request, StandinServer& server) {
        const auto user = server.accounts().user(server.accounts().userOfSession(request.session()));
        return user ? handler(request, server, *user) : StandinReply::sessionOut();
    };
}

QJsonObject loginReply(const StandinUser& user, const QString& session)
{
    return {{QStringLiteral("user_id"), user.id}, {QStringLiteral("user_name"), user.name},
            {QStringLiteral("session"), session}};
}

QJsonArray workgroupArray(const QList<QJsonObject>& groups)
{
    QJsonArray array;
    for (const QJsonObject& group : groups)
        array.append(group);
    return array;
}

QList<StandinRoute> loginRoutes()
{
    const Shape login{Header::None, false,
                      {{"name_or_email", 's'}, {"auto_login", 'b'}, {"login_time", 't'}, {"check_code", 's'},
                       {"password", 'h'}, {"client_key", 's'}}};
    const Shape codeLogin{Header::None, false,
                          {{"login_type", 's'}, {"code", 's'}, {"client_key", 's'}, {"d", 's'}, {"auto_login", 'b'},
                           {"login_time", 't'}, {"check_code", 's'}}};
    const Shape renewal{Header::Session, false,
                        {{"user_id", 's'}, {"auto_login", 'b'}, {"update_time", 't'}, {"check_code", 's'},
                         {"client_key", 's'}, {"session", 's'}}};
    return {
        route(accessControl("actionLogin"), login,
              [](const StandinRequest& request, StandinServer& server) {
                  const auto user = server.accounts().findByNameOrEmail(text(request, "value.name_or_email"));
                  if (!user || user->passwordHash != text(request, "value.password"))
                      return refuse(QStringLiteral("Login-Failed"), QStringLiteral("用户名或密码错误"));
                  return StandinReply::success(loginReply(*user, server.accounts().issueSession(user->id)));
              },
              checkCodeOver("value.name_or_email", "value.client_key", "value.login_time")),
        route(QStringLiteral("/api/qrloginserver/loginByCode"), codeLogin,
              [](const StandinRequest& request, StandinServer& server) {
                  const auto user = server.accounts().user(server.accounts().takeLoginCode(text(request, "value.code")));
                  if (!user)
                      return refuse(QStringLiteral("Code-Invalid"), QStringLiteral("登录码已失效"));
                  return StandinReply::success(loginReply(*user, server.accounts().issueSession(user->id)));
              },
              all({checkCodeOver("value.code", "value.client_key", "value.login_time"),
                   equals("value.d", QStringLiteral("68133"))})),
        // A session the account service issued is renewed in its place; any other is renewed as
        // the generic stand-in does, for tests that sign in without logging in.
        route(accessControl("updateUserSession"), renewal,
              [](const StandinRequest& request, StandinServer& server) {
                  const QString old = text(request, "value.session");
                  const QString renewed = server.renewSession(old);
                  server.accounts().replaceSession(old, renewed);
                  return StandinReply::success(QJsonObject{{QStringLiteral("session"), renewed}});
              },
              all({checkCodeOver("header.user_name", "value.client_key", "value.update_time"),
                   [](const StandinRequest& request) {
                       return text(request, "value.session") == request.session()
                                      && text(request, "value.client_key") == text(request, "header.client_key")
                                  ? QString()
                                  : QStringLiteral("value differs from the header");
                   }})),
        route(accessControl("actionLogout"),
              {Header::Session, false, {{"session", 's'}, {"user_id", 's'}, {"client_key", 's'}}},
              signedIn([](const StandinRequest& request, StandinServer& server, const StandinUser&) {
                  server.accounts().revokeSession(text(request, "value.session"));
                  return StandinReply::success(true);
              })),
    };
}

QList<StandinRoute> passwordRoutes()
{
    const Shape registration{Header::ClientKey, false,
                             {{"user.name", 's'}, {"user.email", 's'}, {"password.password", 'h'},
                              {"verify_code", 's'}}};
    return {
        route(accessControl("addRegisterUser"), registration,
              [](const StandinRequest& request, StandinServer& server) {
                  StandinAccounts& accounts = server.accounts();
                  const QString name = text(request, "value.user.name");
                  const QString email = text(request, "value.user.email");
                  if (accounts.findByNameOrEmail(name) || accounts.findByNameOrEmail(email))
                      return refuse(QStringLiteral("User-Exists"), QStringLiteral("用户已存在"));
                  if (!accounts.takeMailedCode(email, text(request, "value.verify_code")))
                      return refuse(QStringLiteral("VerifyCode-Error"), QStringLiteral("验证码错误"));
                  const QString id = accounts.addUserWithHash(name, email, text(request, "value.password.password"));
                  return StandinReply::success(QJsonObject{{QStringLiteral("user_id"), id}});
              }),
        route(accessControl("addUserVerifyCode"), {Header::None, true, {}},
              [](const StandinRequest& request, StandinServer& server) {
                  const QString email = text(request, "value");
                  if (!server.accounts().findByNameOrEmail(email))
                      return refuse(QStringLiteral("User-Not-Exist"), QStringLiteral("用户不存在"));
                  server.accounts().mailCode(email);
                  return StandinReply::success(true);
              }),
        route(accessControl("updateUserPasswordByVerifyCode"),
              {Header::None, false, {{"name_or_email", 's'}, {"password", 'h'}, {"verify_code", 's'}}},
              [](const StandinRequest& request, StandinServer& server) {
                  StandinAccounts& accounts = server.accounts();
                  const auto user = accounts.findByNameOrEmail(text(request, "value.name_or_email"));
                  if (!user || !accounts.takeMailedCode(user->email, text(request, "value.verify_code")))
                      return refuse(QStringLiteral("VerifyCode-Error"), QStringLiteral("验证码错误"));
                  accounts.setPasswordHash(user->id, text(request, "value.password"));
                  return StandinReply::success(true);
              }),
        route(accessControl("updateUserPassword"),
              {Header::Session, false, {{"user_id", 's'}, {"old_password", 'h'}, {"new_password", 'h'}}},
              signedIn([](const StandinRequest& request, StandinServer& server, const StandinUser& user) {
                  if (text(request, "value.user_id") != user.id || text(request, "value.old_password") != user.passwordHash)
                      return StandinReply::success(false);
                  server.accounts().setPasswordHash(user.id, text(request, "value.new_password"));
                  return StandinReply::success(true);
              })),
        // With a session in the header the code binds an address to that account.
        route(accessControl("addEmailVerifyCode"), {Header::ClientKeyMaybeSession, true, {}},
              [](const StandinRequest& request, StandinServer& server) {
                  if (request.at(QStringLiteral("header.session")).isString()
                      && server.accounts().userOfSession(request.session()).isEmpty())
                      return StandinReply::sessionOut();
                  server.accounts().mailCode(text(request, "value"));
                  return StandinReply::success(true);
              }),
        route(accessControl("updateEmail"),
              {Header::Session, false, {{"user_id", 's'}, {"email", 's'}, {"verify_code", 's'}}},
              signedIn([](const StandinRequest& request, StandinServer& server, const StandinUser& user) {
                  const QString email = text(request, "value.email");
                  if (!server.accounts().takeMailedCode(email, text(request, "value.verify_code")))
                      return refuse(QStringLiteral("VerifyCode-Error"), QStringLiteral("验证码错误"));
                  server.accounts().setEmail(user.id, email);
                  return StandinReply::success(true);
              })),
    };
}

// The bill page's cost query: granularity "day" and the first and last day as yyyymmdd
// integers, answered with the user's records of those days (a record without a day is kept).
bool isDayNumber(int day)
{
    return QDate(day / 10000, day % 10000 / 100, day % 100).isValid();
}

Check dayRange()
{
    return [](const StandinRequest& request) {
        const int start = request.at(QStringLiteral("value.start_time")).toInt();
        const int end = request.at(QStringLiteral("value.end_time")).toInt();
        if (text(request, "value.query_type") != QLatin1String("day"))
            return QStringLiteral("value.query_type is not \"day\"");
        if (!isDayNumber(start) || !isDayNumber(end) || start > end)
            return QStringLiteral("%1 to %2 is no range of yyyymmdd days").arg(start).arg(end);
        return QString();
    };
}

StandinRoute costRecordRoute()
{
    return route(QStringLiteral("/api/billingsystem/findUserCostRecord"),
                 {Header::Session, false, {{"user_id", 's'}, {"query_type", 's'}, {"start_time", 'i'}, {"end_time", 'i'}}},
                 signedIn([](const StandinRequest& request, StandinServer& server, const StandinUser& user) {
                     const int start = request.at(QStringLiteral("value.start_time")).toInt();
                     const int end = request.at(QStringLiteral("value.end_time")).toInt();
                     QJsonArray records;
                     for (const QJsonValue& record : server.accounts().costRecordsOf(user.id)) {
                         const QJsonValue day = record.toObject().value(QStringLiteral("cost_time"));
                         if (day.isUndefined() || (day.toInt() >= start && day.toInt() <= end))
                             records.append(record);
                     }
                     return StandinReply::success(QJsonObject{{QStringLiteral("cost_records"), records}});
                 }),
                 dayRange());
}

QList<StandinRoute> profileRoutes()
{
    const Check defaultKey = equals("value.client_key", QStringLiteral("default"));
    return {
        route(accessControl("fetchUser"), {Header::Session, true, {}},
              signedIn([](const StandinRequest& request, StandinServer&, const StandinUser& user) {
                  if (text(request, "value") != user.id)
                      return refuse(QStringLiteral("Permission-Denied"), QStringLiteral("无权访问"));
                  return StandinReply::success(QJsonObject{{QStringLiteral("user_id"), user.id},
                                                           {QStringLiteral("name"), user.name},
                                                           {QStringLiteral("email"), user.email},
                                                           {QStringLiteral("profile_img"), user.profileImg}});
              })),
        route(accessControl("fetchUserToken"), {Header::Session, false, {{"user_id", 's'}, {"client_key", 's'}}},
              signedIn([](const StandinRequest&, StandinServer&, const StandinUser& user) {
                  const QJsonValue token = user.token.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(user.token);
                  return StandinReply::success(
                      QJsonObject{{QStringLiteral("token"), token}, {QStringLiteral("id"), user.tokenId}});
              }),
              defaultKey),
        route(accessControl("addUserToken"), {Header::Session, false, {{"name_or_email", 's'}, {"client_key", 's'}}},
              signedIn([](const StandinRequest&, StandinServer& server, const StandinUser& user) {
                  return StandinReply::success(server.accounts().newToken(user.id));
              }),
              defaultKey),
        route(accessControl("updateUserToken"),
              {Header::Session, false, {{"id", 's'}, {"token", 's'}, {"user_id", 's'}, {"client_key", 's'}}},
              signedIn([](const StandinRequest&, StandinServer& server, const StandinUser& user) {
                  return StandinReply::success(server.accounts().newToken(user.id));
              }),
              defaultKey),
        route(accessControl("isExistUserByName"), {Header::Session, true, {}},
              signedIn([](const StandinRequest& request, StandinServer& server, const StandinUser&) {
                  return StandinReply::success(bool(server.accounts().findByNameOrEmail(text(request, "value"))));
              })),
        route(QStringLiteral("/api/billingsystem/findUserAllBillEntity"), {Header::Session, false, {{"user_id", 's'}}},
              signedIn([](const StandinRequest&, StandinServer& server, const StandinUser& user) {
                  return StandinReply::success(server.accounts().billEntitiesOf(user.id));
              })),
        costRecordRoute(),
    };
}

// Changes a workgroup's "member_list" or "ip_list" by the request's one-item list. Only a
// known user can become a member.
StandinHandler changeWorkgroupList(bool members, bool add)
{
    return signedIn([=](const StandinRequest& request, StandinServer& server, const StandinUser&) {
        StandinAccounts& accounts = server.accounts();
        const QString id = text(request, "value.workgroup_id");
        auto group = accounts.workgroup(id);
        if (!group)
            return refuse(QStringLiteral("Workgroup-Not-Exist"), QStringLiteral("工作组不存在"));
        const QString list = members ? QStringLiteral("member_list") : QStringLiteral("ip_list");
        const QJsonValue first = request.at(QStringLiteral("value.") + list).toArray().at(0);
        const QString item = members ? first.toObject().value(QStringLiteral("user_name")).toString() : first.toString();
        auto itemOf = [members](const QJsonValue& entry) {
            return members ? entry.toObject().value(QStringLiteral("user_name")).toString() : entry.toString();
        };
        QJsonArray changed;
        for (const QJsonValue& existing : group->value(list).toArray()) {
            if (itemOf(existing) != item)
                changed.append(existing);
        }
        if (add && members) {
            const auto user = accounts.findByNameOrEmail(item);
            if (!user)
                return refuse(QStringLiteral("User-Not-Exist"), QStringLiteral("用户不存在"));
            changed.append(QJsonObject{{QStringLiteral("user_id"), user->id}, {QStringLiteral("user_name"), user->name}});
        } else if (add) {
            changed.append(item);
        }
        group->insert(list, changed);
        accounts.updateWorkgroup(id, *group);
        return StandinReply::success(true);
    });
}

// The scalar-value workgroup query answering the workgroup or one of its lists.
StandinHandler workgroupQuery(const QString& part)
{
    return signedIn([part](const StandinRequest& request, StandinServer& server, const StandinUser&) {
        const auto group = server.accounts().workgroup(text(request, "value"));
        if (!group)
            return refuse(QStringLiteral("Workgroup-Not-Exist"), QStringLiteral("工作组不存在"));
        return StandinReply::success(part.isEmpty() ? QJsonValue(*group) : group->value(part));
    });
}

// Hands the administrator role to a member, named by user name; false for anyone else.
StandinReply transferAdministrator(const StandinRequest& request, StandinServer& server, const StandinUser&)
{
    auto group = server.accounts().workgroup(text(request, "value.workgroup_id"));
    if (!group)
        return refuse(QStringLiteral("Workgroup-Not-Exist"), QStringLiteral("工作组不存在"));
    const QString admin = text(request, "value.admin_user_name");
    for (const QJsonValue& member : group->value(QStringLiteral("member_list")).toArray()) {
        if (member.toObject().value(QStringLiteral("user_name")).toString() == admin) {
            group->insert(QStringLiteral("admin_user_name"), admin);
            group->insert(QStringLiteral("admin_user_id"), member.toObject().value(QStringLiteral("user_id")));
            server.accounts().updateWorkgroup(group->value(QStringLiteral("id")).toString(), *group);
            return StandinReply::success(true);
        }
    }
    return StandinReply::success(false);
}

QList<StandinRoute> workgroupRoutes()
{
    const Shape members{Header::Session, false, {{"workgroup_id", 's'}, {"member_list", 'm'}}};
    const Shape ips{Header::Session, false, {{"workgroup_id", 's'}, {"ip_list", 'p'}}};
    const Shape scalar{Header::Session, true, {}};
    return {
        route(accessControl("findWorkgroupInfo"), scalar, workgroupQuery(QString())),
        route(accessControl("findWorkgroupMembers"), scalar, workgroupQuery(QStringLiteral("member_list"))),
        route(accessControl("findWorkgroupIP"), scalar, workgroupQuery(QStringLiteral("ip_list"))),
        route(accessControl("findUserWorkgroup"), scalar,
              signedIn([](const StandinRequest&, StandinServer& server, const StandinUser& user) {
                  return StandinReply::success(
                      QJsonObject{{QStringLiteral("default_workgroup_id"), user.defaultWorkgroup},
                                  {QStringLiteral("workgroup_list"), workgroupArray(server.accounts().workgroupsOf(user.name))}});
              })),
        route(accessControl("updateDefaultWorkgroup"),
              {Header::Session, false, {{"user_id", 's'}, {"default_workgroup_id", 's'}}},
              signedIn([](const StandinRequest& request, StandinServer& server, const StandinUser& user) {
                  server.accounts().setDefaultWorkgroup(user.id, text(request, "value.default_workgroup_id"));
                  return StandinReply::success(true);
              })),
        route(accessControl("addWorkgroup"),
              {Header::Session, false, {{"name", 's'}, {"type", 's'}, {"create_user_name", 's'}, {"create_user_id", 's'}}},
              signedIn([](const StandinRequest& request, StandinServer& server, const StandinUser& user) {
                  return StandinReply::success(server.accounts().addWorkgroup(text(request, "value.name"), user.name));
              }),
              equals("value.type", QStringLiteral("team"))),
        route(accessControl("deleteWorkgroup"), scalar,
              signedIn([](const StandinRequest& request, StandinServer& server, const StandinUser&) {
                  return StandinReply::success(server.accounts().deleteWorkgroup(text(request, "value")));
              })),
        route(accessControl("addWorkgroupMembers"), members, changeWorkgroupList(true, true)),
        route(accessControl("deleteWorkgroupMembers"), members, changeWorkgroupList(true, false)),
        route(accessControl("addWorkgroupIP"), ips, changeWorkgroupList(false, true)),
        route(accessControl("deleteWorkgroupIP"), ips, changeWorkgroupList(false, false)),
        route(accessControl("updateWorkgroupAdminUser"),
              {Header::Session, false, {{"workgroup_id", 's'}, {"admin_user_name", 's'}}}, signedIn(transferAdministrator)),
    };
}

} // namespace

QList<StandinRoute> StandinRoutes::account()
{
    return loginRoutes() + passwordRoutes() + profileRoutes() + workgroupRoutes();
}
