#include "account/UserService.h"
#include "core/User.h"

#include "StandinFixture.h"
#include "TestMain.h"

#include <QCryptographicHash>

using Call = std::function<void(UserService&, const ServiceCallback&)>;
Q_DECLARE_METATYPE(Call)

namespace {

struct Result
{
    int calls = 0;
    bool ok = false;
    QVariantMap data;
};
using ResultPtr = QSharedPointer<Result>;

ServiceCallback recorder(const ResultPtr& result)
{
    return [result](bool ok, const QVariantMap& data) {
        ++result->calls;
        result->ok = ok;
        result->data = data;
    };
}

// Computed here, apart from the client's own helper.
QString sha256(const QString& text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex());
}

const QString kLogin = QStringLiteral("/api/accesscontrol/actionLogin");

} // namespace

// The stand-in checks each call's exact wire form (header or none, scalar or object value,
// field types, password hashes, recomputed check codes): a call that passes it and reaches
// the expected state is sent right.
class TestUserService : public QObject
{
    Q_OBJECT
    StandinFixture standin;
    StandinServer& server = standin.server();

    // Logs "ann" in through the service itself, as the controllers do.
    void signIn()
    {
        const auto result = ResultPtr::create();
        UserService().userLogin("ann", "open sesame", false, recorder(result));
        QTRY_COMPARE_WITH_TIMEOUT(result->calls, 1, 5000);
        QVERIFY(result->ok);
        User* user = User::instance();
        user->userName = "ann";
        user->userId = result->data.value("user_id").toString();
        user->session = result->data.value("session").toString();
        server.clearLog();
    }

private slots:
    void initTestCase()
    {
        qputenv("PARLAVINE_REQUEST_TIMEOUT_MS", "5000");
        User::instance()->clientKey = "desktop-test";
    }

    void init()
    {
        standin.reset();
        User::instance()->clear();
        User::instance()->clientKey = "desktop-test";
    }

    void cleanup() { standin.verify(); }

    void wireForms_data()
    {
        QTest::addColumn<Call>("call");
        QTest::addColumn<QString>("route");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QVariantMap>("sent"); // dotted path -> value as sent

        StandinServer* s = &server;
        const QString ac = "/api/accesscontrol/";
        const QString wg = "wg-1";
        auto makeGroup = [s] { s->accounts().addWorkgroup("team", "ann"); };
        auto row = [](const char* name, Call call, const QString& route, bool ok, QVariantMap sent) {
            QTest::newRow(name) << call << route << ok << sent;
        };

        row("password login: name as typed with placeholders, JSON false",
            [s](UserService& service, const ServiceCallback& done) {
                s->accounts().addUser("a%2b", "a@example.com", "pw %1");
                service.userLogin("a%2b", "pw %1", false, done);
            },
            kLogin, true,
            {{"value.name_or_email", "a%2b"}, {"value.auto_login", false}, {"value.password", sha256("pw %1")},
             {"value.client_key", "desktop-test"}});
        row("password login: wrong password", [](UserService& service, const ServiceCallback& done) {
                service.userLogin("ann", "", true, done);
            },
            kLogin, false, {{"value.password", sha256("")}, {"value.auto_login", true}});
        row("code login",
            [s](UserService& service, const ServiceCallback& done) {
                service.userLoginWithCode(s->accounts().issueLoginCode("10001"), "zolomi", true, done);
            },
            "/api/qrloginserver/loginByCode", true, {{"value.d", "68133"}, {"value.login_type", "zolomi"}});
        row("session renewal", [](UserService& service, const ServiceCallback& done) { service.updateUserSession(done); },
            ac + "updateUserSession", true, {{"value.auto_login", false}, {"value.user_id", "10001"}});
        row("fetch user: scalar", [](UserService& service, const ServiceCallback& done) { service.fetchUser("10001", done); },
            ac + "fetchUser", true, {{"value", "10001"}, {"header.user_name", "ann"}});
        row("fetch token", [](UserService& service, const ServiceCallback& done) { service.fetchToken("10001", done); },
            ac + "fetchUserToken", true, {{"value.client_key", "default"}});
        row("add token", [](UserService& service, const ServiceCallback& done) { service.addToken("ann", done); },
            ac + "addUserToken", true, {{"value.client_key", "default"}});
        row("update token",
            [](UserService& service, const ServiceCallback& done) { service.updateToken("10001", "t", "tid", done); },
            ac + "updateUserToken", true, {{"value.client_key", "default"}, {"value.id", "tid"}});
        row("change password",
            [](UserService& service, const ServiceCallback& done) {
                service.updatePasswd("10001", "open sesame", "new one", done);
            },
            ac + "updateUserPassword", true, {{"value.new_password", sha256("new one")}});
        row("reset code: scalar, no header",
            [](UserService& service, const ServiceCallback& done) { service.sendAddUserVerifyCode("ann@example.com", done); },
            ac + "addUserVerifyCode", true, {{"value", "ann@example.com"}});
        row("reset password with the mailed code",
            [s](UserService& service, const ServiceCallback& done) {
                service.updatePasswdByCode("ann", "pw2", s->accounts().mailCode("ann@example.com"), done);
            },
            ac + "updateUserPasswordByVerifyCode", true, {{"value.password", sha256("pw2")}});
        row("registration code: client key only",
            [](UserService& service, const ServiceCallback& done) { service.addEmailVerifyCode("new@example.com", false, done); },
            ac + "addEmailVerifyCode", true, {{"header.client_key", "desktop-test"}});
        row("binding code: with the session",
            [](UserService& service, const ServiceCallback& done) { service.addEmailVerifyCode("b@example.com", true, done); },
            ac + "addEmailVerifyCode", true, {{"header.user_name", "ann"}});
        row("register",
            [s](UserService& service, const ServiceCallback& done) {
                service.addRegisterUser("bob", "bob@example.com", s->accounts().mailCode("bob@example.com"), "pw", done);
            },
            ac + "addRegisterUser", true, {{"value.user.name", "bob"}, {"value.password.password", sha256("pw")}});
        row("bind e-mail",
            [s](UserService& service, const ServiceCallback& done) {
                service.updateEmail("c@example.com", s->accounts().mailCode("c@example.com"), done);
            },
            ac + "updateEmail", true, {{"value.email", "c@example.com"}});
        row("bill entities", [](UserService& service, const ServiceCallback& done) { service.findUserAllBillEntity(done); },
            "/api/billingsystem/findUserAllBillEntity", true, {{"value.user_id", "10001"}});
        row("cost records: JSON integers",
            [](UserService& service, const ServiceCallback& done) {
                service.findUserCostRecord("day", 20240301, 20240331, done);
            },
            "/api/billingsystem/findUserCostRecord", true, {{"value.start_time", 20240301}, {"value.end_time", 20240331}});
        row("user workgroups: scalar user id",
            [](UserService& service, const ServiceCallback& done) { service.findUserWorkgroup(done); },
            ac + "findUserWorkgroup", true, {{"value", "10001"}});
        row("add workgroup",
            [](UserService& service, const ServiceCallback& done) { service.addWorkgroup("team", "ann", "10001", done); },
            ac + "addWorkgroup", true, {{"value.type", "team"}});
        row("workgroup info",
            [makeGroup, wg](UserService& service, const ServiceCallback& done) { makeGroup(); service.findWorkgroupInfo(wg, done); },
            ac + "findWorkgroupInfo", true, {{"value", wg}});
        row("workgroup members",
            [makeGroup, wg](UserService& service, const ServiceCallback& done) { makeGroup(); service.findWorkgroupMembers(wg, done); },
            ac + "findWorkgroupMembers", true, {{"value", wg}});
        row("workgroup IPs",
            [makeGroup, wg](UserService& service, const ServiceCallback& done) { makeGroup(); service.findWorkgroupIP(wg, done); },
            ac + "findWorkgroupIP", true, {{"value", wg}});
        row("default workgroup",
            [wg](UserService& service, const ServiceCallback& done) { service.updateDefaultWorkgroup(wg, done); },
            ac + "updateDefaultWorkgroup", true, {{"value.default_workgroup_id", wg}});
        row("delete workgroup",
            [makeGroup, wg](UserService& service, const ServiceCallback& done) { makeGroup(); service.deleteWorkgroup(wg, done); },
            ac + "deleteWorkgroup", true, {{"value", wg}});
        row("add member",
            [s, makeGroup, wg](UserService& service, const ServiceCallback& done) {
                makeGroup();
                s->accounts().addUser("bo", "bo@example.com", "pw");
                service.addWorkgroupMembers(wg, "bo", done);
            },
            ac + "addWorkgroupMembers", true, {{"value.workgroup_id", wg}});
        row("remove member",
            [makeGroup, wg](UserService& service, const ServiceCallback& done) { makeGroup(); service.deleteWorkgroupMembers(wg, "bo", done); },
            ac + "deleteWorkgroupMembers", true, {{"value.workgroup_id", wg}});
        row("add IP",
            [makeGroup, wg](UserService& service, const ServiceCallback& done) { makeGroup(); service.addWorkgroupIP(wg, "10.0.0.1", done); },
            ac + "addWorkgroupIP", true, {{"value.workgroup_id", wg}});
        row("remove IP",
            [makeGroup, wg](UserService& service, const ServiceCallback& done) { makeGroup(); service.deleteWorkgroupIP(wg, "10.0.0.1", done); },
            ac + "deleteWorkgroupIP", true, {{"value.workgroup_id", wg}});
        row("user exists: scalar",
            [](UserService& service, const ServiceCallback& done) { service.isExistUserByName("ann", done); },
            ac + "isExistUserByName", true, {{"value", "ann"}});
        row("hand over administration",
            [makeGroup, wg](UserService& service, const ServiceCallback& done) { makeGroup(); service.updateWorkgroupAdminUser(wg, "ann", done); },
            ac + "updateWorkgroupAdminUser", true, {{"value.admin_user_name", "ann"}});
        row("logout", [](UserService& service, const ServiceCallback& done) {
                const User* user = User::instance();
                service.logout(user->userId, user->clientKey, user->session, done);
            },
            ac + "actionLogout", true, {{"value.user_id", "10001"}});
    }

    void wireForms()
    {
        QFETCH(Call, call);
        QFETCH(QString, route);
        QFETCH(bool, ok);
        QFETCH(QVariantMap, sent);
        signIn();
        const auto result = ResultPtr::create();
        QSharedPointer<UserService> service(new UserService);
        call(*service, recorder(result));
        QTRY_COMPARE_WITH_TIMEOUT(result->calls, 1, 5000);
        QVERIFY2(server.violations().isEmpty(), qPrintable(server.violations().join('\n')));
        QCOMPARE(result->ok, ok);
        const QList<StandinRequest> requests = server.requests(route);
        QVERIFY(!requests.isEmpty());
        for (auto it = sent.cbegin(); it != sent.cend(); ++it)
            QCOMPARE(requests.first().at(it.key()).toVariant(), it.value());
        const QString time = requests.first().at("value.login_time").toString();
        QVERIFY2(time.isEmpty() || qAbs(time.toLongLong() - QDateTime::currentMSecsSinceEpoch()) < 60000, qPrintable(time));
    }

    // A read tries a failing call three times; a call that proves who the user is or changes
    // something is never repeated once answered (a wrong password would count three failed
    // attempts). The caller hears once either way.
    void serverErrorsRepeatOnlyReads_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("route");
        QTest::addColumn<int>("sent");
        QTest::newRow("login") << "login" << kLogin << 1;
        QTest::newRow("password reset") << "reset" << "/api/accesscontrol/updateUserPasswordByVerifyCode" << 1;
        QTest::newRow("workgroup change") << "workgroup" << "/api/accesscontrol/updateDefaultWorkgroup" << 1;
        QTest::newRow("profile read") << "profile" << "/api/accesscontrol/fetchUser" << 3;
    }
    void serverErrorsRepeatOnlyReads()
    {
        QFETCH(QString, call);
        QFETCH(QString, route);
        QFETCH(int, sent);
        if (call != "login" && call != "reset")
            signIn();
        for (int i = 0; i < 3; ++i)
            server.script(route, StandinReply::failure("busy", "busy", 500));
        const auto result = ResultPtr::create();
        UserService service;
        if (call == "login")
            service.userLogin("ann", "wrong", false, recorder(result));
        else if (call == "reset")
            service.updatePasswdByCode("ann", "new secret", "123456", recorder(result));
        else if (call == "workgroup")
            service.updateDefaultWorkgroup("wg-1", recorder(result));
        else
            service.fetchUser(User::instance()->userId, recorder(result));
        QTRY_COMPARE_WITH_TIMEOUT(result->calls, 1, 5000);
        QVERIFY(!result->ok);
        QCOMPARE(server.requestCount(route), sent);
        QTest::qWait(100);
        QCOMPARE(result->calls, 1);
    }

    // A newer query of a kind cancels the older one; other kinds run side by side.
    void workgroupQueryCancelsItsOwnKindOnly()
    {
        signIn();
        server.accounts().addWorkgroup("team", "ann");
        const QString info = "/api/accesscontrol/findWorkgroupInfo";
        server.script(info, StandinReply::byDefault().after(300));
        QSharedPointer<UserService> service(new UserService);
        const QList<ResultPtr> results{ResultPtr::create(), ResultPtr::create(), ResultPtr::create()};
        service->findWorkgroupInfo("wg-1", recorder(results[0]));
        service->findWorkgroupMembers("wg-1", recorder(results[1]));
        service->findWorkgroupInfo("wg-1", recorder(results[2]));
        QTRY_COMPARE_WITH_TIMEOUT(results[2]->calls, 1, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(results[1]->calls, 1, 5000);
        QTest::qWait(500);
        QCOMPARE(results[0]->calls, 0);
        const QVariantMap ann{{"user_id", "10001"}, {"user_name", "ann"}};
        QCOMPARE(results[1]->data.value("value").toList(), QVariantList{ann});
        QCOMPARE(results[2]->data.value("name").toString(), QString("team"));
    }
};

PARLAVINE_TEST_MAIN(TestUserService)
#include "tst_UserService.moc"
