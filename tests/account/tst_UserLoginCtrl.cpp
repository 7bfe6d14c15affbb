#include "account/UserLoginCtrl.h"
#include "core/Dispatch.h"
#include "core/LocalSocketUtil.h"
#include "core/QuickStorage.h"
#include "core/State.h"
#include "core/User.h"
#include "platform/FakeSystemTheme.h"
#include "shell/GlobalCtrl.h"
#include "texttrans/TextTransStorage.h"

#include "StandinFixture.h"
#include "TestMain.h"

namespace {

const QString kLogin = QStringLiteral("/api/accesscontrol/actionLogin");
const QString kCodeLogin = QStringLiteral("/api/qrloginserver/loginByCode");
const QString kFetchUser = QStringLiteral("/api/accesscontrol/fetchUser");
const QString kRenewal = QStringLiteral("/api/accesscontrol/updateUserSession");
const QString kLogout = QStringLiteral("/api/accesscontrol/actionLogout");

Dispatch* dispatch()
{
    return Dispatch::instance();
}

State* state()
{
    return State::instance();
}

User* user()
{
    return User::instance();
}

GlobalCtrl* shell()
{
    return GlobalCtrl::instance();
}

QString remembered()
{
    return QuickStorage::instance()->getValue("loginTemp");
}

void run(const QString& action, const QVariantList& args = {})
{
    dispatch()->run(Dispatch::Ctrl_UserLogin, action, args);
}

QStringList hudsFrom(int before)
{
    QStringList shown;
    for (const QVariant& hud : state()->windowHud().mid(before)) {
        const QVariantMap map = hud.toMap();
        shown << QStringList{map["title"].toString(), map["message"].toString(), map["window"].toString()}.join('|');
    }
    return shown;
}

} // namespace

class TestUserLoginCtrl : public QObject
{
    Q_OBJECT
    StandinFixture standin;
    StandinServer& server = standin.server();
    FakeSystemTheme desktop{false};

    // The routes of every request so far, in order.
    QStringList accountRoutes() const
    {
        QStringList routes;
        for (const StandinRequest& request : server.requests()) {
            if (request.port == QLatin1String("api"))
                routes << request.route;
        }
        return routes;
    }

    void logInAsAnn(bool autoLogin)
    {
        dispatch()->initController(Dispatch::Ctrl_UserLogin);
        run("login", {"ann", "open sesame", autoLogin});
        QCOMPARE(state()->userLoginStatus(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(!user()->isLoggedOut() && state()->userLoginStatus() == 0, 5000);
    }

    void remember(const QString& session)
    {
        user()->userName = "ann";
        user()->userId = "10001";
        user()->session = session;
        user()->userLoginType = 0;
        user()->saveAutoLogin(true);
        user()->clear();
        user()->isUserAutoLogin = false;
    }

private slots:
    void initTestCase()
    {
        qputenv("PARLAVINE_REQUEST_TIMEOUT_MS", "5000");
        qputenv("PARLAVINE_SESSION_REFRESH_MS", "300");
        shell()->setSystemTheme(&desktop);
        shell()->startInstanceListener();
    }

    void init()
    {
        standin.reset();
        state()->showLoginWindowRef() = false;
        state()->setUserLoginStatus(0);
        state()->setRetcode(200);
    }

    void cleanup()
    {
        shell()->stopSessionTimer();
        dispatch()->releaseController(Dispatch::Ctrl_UserLogin);
        user()->saveAutoLogin(false);
        user()->clear();
        QTest::qWait(50); // lets replies already on their way land here, not in the next test
        standin.verify();
    }

    // The whole life of a password login: session stored and remembered, renewed by the shell's
    // timer, ended by logout with nothing left behind.
    void loginRenewalAndLogout()
    {
        logInAsAnn(true);
        QVERIFY(!state()->showLoginWindow());
        QCOMPARE(user()->userName, QString("ann"));
        QCOMPARE(user()->userEmail, QString("ann@example.com"));
        const QString first = user()->session;
        QVERIFY(server.accounts().liveSessions().contains(first));
        QVERIFY(!remembered().isEmpty());
        QVERIFY(shell()->sessionTimerActive());
        // The private profile reader is never initialised: no page view, bill, token or workgroup calls.
        QCOMPARE(accountRoutes(), (QStringList{kLogin, kFetchUser}));

        QTRY_VERIFY_WITH_TIMEOUT(server.requestCount(kRenewal) >= 1, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(user()->session != first && !user()->userSessionUpdating, 5000);
        QVERIFY(server.accounts().liveSessions().contains(user()->session));
        QVERIFY(!server.accounts().liveSessions().contains(first));
        QVERIFY(remembered().contains(user()->session));

        QVERIFY(TextTransStorage::insert("h1", "long text", "result", "en", "zh", "17"));
        const QString last = user()->session;
        shell()->stopSessionTimer(); // no renewal racing the logout below
        dispatch()->releaseController(Dispatch::Ctrl_UserLogin);
        dispatch()->initController(Dispatch::Ctrl_UserLogin); // as the sidebar does
        run("logout");
        QTRY_VERIFY_WITH_TIMEOUT(user()->isLoggedOut(), 5000);
        QVERIFY(remembered().isEmpty());
        QVERIFY(!shell()->sessionTimerActive());
        QVERIFY(!server.accounts().liveSessions().contains(last));
        QList<QVariantMap> rows;
        TextTransStorage::select(rows, "h1");
        QVERIFY(rows.isEmpty());
    }

    // The password page creates controller 1 for a signed-in user: the renewal must go on.
    void passwordPageKeepsTheRefreshTimer()
    {
        logInAsAnn(false);
        QVERIFY(shell()->sessionTimerActive());
        dispatch()->releaseController(Dispatch::Ctrl_UserLogin);
        dispatch()->initController(Dispatch::Ctrl_UserLogin);
        QVERIFY(shell()->sessionTimerActive());
    }

    // "retcode" leaves 201 whatever the outcome, so the password page never waits for ever.
    void passwordChangeEnds_data()
    {
        QTest::addColumn<QString>("oldPassword");
        QTest::addColumn<bool>("serverFails");
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("huds");
        QTest::newRow("changed") << "open sesame" << false << 200 << QStringList();
        QTest::newRow("wrong old password") << "guess" << false << 0 << QStringList{"密码修改失败||main"};
        QTest::newRow("dropped connection") << "open sesame" << true << 0 << QStringList{"网络异常，请检查网络|code:2|main"};
    }

    void passwordChangeEnds()
    {
        QFETCH(QString, oldPassword);
        QFETCH(bool, serverFails);
        QFETCH(int, code);
        QFETCH(QStringList, huds);
        logInAsAnn(false);
        if (serverFails)
            server.script("/api/accesscontrol/updateUserPassword", StandinReply::disconnect());
        const int before = state()->windowHud().size();
        run("updatePasswd", {oldPassword, "new secret"});
        QCOMPARE(state()->retcode(), 201);
        QTRY_COMPARE_WITH_TIMEOUT(state()->retcode(), code, 5000);
        QCOMPARE(hudsFrom(before), huds);
        QCOMPARE(server.accounts().user("10001")->passwordHash,
                 StandinAccounts::passwordHash(code == 200 ? "new secret" : "open sesame"));
        QVERIFY(shell()->sessionTimerActive());
    }

    void automaticLogin_data()
    {
        QTest::addColumn<bool>("revoked");
        QTest::newRow("remembered session") << false;
        QTest::newRow("revoked session") << true;
    }

    void automaticLogin()
    {
        QFETCH(bool, revoked);
        remember("standin-remembered");
        if (revoked)
            server.accounts().revokeSession("standin-remembered");
        dispatch()->initController(Dispatch::Ctrl_UserLogin);
        run("autoLoginIfNeeded", {true});
        QVERIFY(state()->showLoginWindow());
        QCOMPARE(state()->userLoginStatus(), 1);

        if (!revoked) {
            // Renewed at once; the controller is released after its own callback.
            QTRY_COMPARE_WITH_TIMEOUT(server.requestCount(kRenewal), 1, 5000);
            QTRY_VERIFY_WITH_TIMEOUT(!user()->userSessionUpdating, 5000);
            QVERIFY(!state()->showLoginWindow());
            QVERIFY(!dispatch()->controller(Dispatch::Ctrl_UserLogin));
            QVERIFY(shell()->sessionTimerActive());
            QCOMPARE(user()->session, server.requests(kRenewal).isEmpty() ? QString() : QString("standin-session-1"));
            QVERIFY(remembered().contains("standin-session-1"));
            QCOMPARE(server.requests(kFetchUser).first().session(), QString("standin-remembered"));
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(state()->userLoginStatus(), 0, 5000);
        QVERIFY(user()->isLoggedOut());
        QVERIFY(user()->session.isEmpty());
        QVERIFY(remembered().isEmpty());
        QVERIFY(!user()->isUserAutoLogin);
        QVERIFY(state()->showLoginWindow());
        QCOMPARE(state()->loginName(), QString("ann"));
        QVERIFY(dispatch()->controller(Dispatch::Ctrl_UserLogin));
        QVERIFY(!shell()->sessionTimerActive());
        QCOMPARE(server.requestCount(kRenewal), 0);
    }

    // A link opened while no login window is open still logs in, through the shell's listener.
    void schemeHandOverWithoutController()
    {
        const QString code = server.accounts().issueLoginCode("10001");
        QVERIFY(!dispatch()->controller(Dispatch::Ctrl_UserLogin));
        QVERIFY(LocalSocketUtil::quickSend("parlavine_loginscheme",
                                           QString("parlavine://login?token=%1&auto=1&type=kx&time=17").arg(code), 5000));
        QTRY_VERIFY_WITH_TIMEOUT(!user()->isLoggedOut() && state()->userLoginStatus() == 0, 5000);
        QVERIFY(dispatch()->controller(Dispatch::Ctrl_UserLogin));
        QCOMPARE(user()->userName, QString("ann"));
        QCOMPARE(user()->userLoginType, 2);
        QVERIFY(user()->isUserAutoLogin);
        const StandinRequest sent = server.requests(kCodeLogin).value(0);
        QCOMPARE(sent.at("value.code").toString(), code);
        QCOMPARE(sent.at("value.auto_login").toBool(), true);
    }

    // The social-login window's address is read by the parser of the scheme hand-over: values
    // percent-decoded, "=" kept inside a value, "type" before "login_type".
    void webLoginAddress_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("autoLogin");
        QTest::newRow("percent-encoded") << "type=zl&code=a%2Bb%3D&auto=1" << "a+b=" << "zolomi" << true;
        QTest::newRow("padding") << "login_type=kx&code=YWJj==&auto=true" << "YWJj==" << "kx" << true;
        QTest::newRow("type first") << "type=kx&login_type=zl&code=c&auto=0" << "c" << "kx" << false;
        QTest::newRow("no code") << "type=zl&auto=1" << "" << "" << false;
    }

    void webLoginAddress()
    {
        QFETCH(QString, query);
        QFETCH(QString, code);
        QFETCH(QString, type);
        QFETCH(bool, autoLogin);
        UserLoginCtrl::handOverWebLogin("http://127.0.0.1:1/zh-CN/client-login?" + query);
        if (code.isEmpty()) {
            QCOMPARE(state()->userLoginStatus(), 0);
            QVERIFY(!dispatch()->controller(Dispatch::Ctrl_UserLogin));
            return;
        }
        // the stand-in knows none of these codes: the login fails, after its retries
        QTRY_COMPARE_WITH_TIMEOUT(state()->userLoginStatus(), 0, 10000);
        QVERIFY(server.requestCount(kCodeLogin) > 0);
        const StandinRequest sent = server.requests(kCodeLogin).first();
        QCOMPARE(sent.at("value.code").toString(), code);
        QCOMPARE(sent.at("value.login_type").toString(), type);
        QCOMPARE(sent.at("value.auto_login").toBool(), autoLogin);
        state()->setWindowHud({});
    }

    void malformedHandOverChangesNothing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("no token") << "parlavine://login?auto=1&type=kx&time=17";
        QTest::newRow("empty token") << "parlavine://login?token=&auto=1&time=17";
        QTest::newRow("no query") << "parlavine://login";
    }

    void malformedHandOverChangesNothing()
    {
        QFETCH(QString, text);
        const int before = state()->windowHud().size();
        QVERIFY(LocalSocketUtil::quickSend("parlavine_loginscheme", text, 5000));
        QTRY_COMPARE_WITH_TIMEOUT(hudsFrom(before), QStringList{"登录失败|登录链接无效|main"}, 5000);
        QVERIFY(!dispatch()->controller(Dispatch::Ctrl_UserLogin));
        QVERIFY(user()->isLoggedOut());
        QCOMPARE(server.requests().size(), 0);
    }

    void failedLoginsSayWhy_data()
    {
        QTest::addColumn<bool>("dropped");
        QTest::addColumn<QString>("hud");
        QTest::newRow("wrong password, tried three times") << false << "登录失败|用户名或密码错误|login";
        QTest::newRow("dropped connection") << true << "登录失败||login";
    }

    void failedLoginsSayWhy()
    {
        QFETCH(bool, dropped);
        QFETCH(QString, hud);
        if (dropped)
            server.script(kLogin, StandinReply::disconnect());
        const int before = state()->windowHud().size();
        dispatch()->initController(Dispatch::Ctrl_UserLogin);
        run("login", {"ann", dropped ? "open sesame" : "wrong", false});
        QTRY_COMPARE_WITH_TIMEOUT(hudsFrom(before), QStringList{hud}, 5000);
        QCOMPARE(state()->userLoginStatus(), 0);
        QVERIFY(user()->session.isEmpty());
        QCOMPARE(server.requestCount(kLogin), dropped ? 1 : 3);
    }

    // The login window closed while the reply was on its way.
    void loginOutlivingItsControllerCompletes()
    {
        server.script(kLogin, StandinReply::byDefault().after(300));
        dispatch()->initController(Dispatch::Ctrl_UserLogin);
        state()->showLoginWindowRef() = true;
        run("login", {"ann", "open sesame", false});
        dispatch()->releaseController(Dispatch::Ctrl_UserLogin);
        QTRY_VERIFY_WITH_TIMEOUT(!user()->isLoggedOut(), 5000);
        QCOMPARE(state()->userLoginStatus(), 0);
        QVERIFY(!state()->showLoginWindow());
        QVERIFY(shell()->sessionTimerActive());
        QCOMPARE(user()->userEmail, QString("ann@example.com"));
    }

    // Registration and reset forms live in the login window; so do their complaints.
    void formChecksShowInTheLoginWindow_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<QString>("hud");
        QTest::newRow("register, all empty") << "addRegisterUser" << QVariantList{"", "", "", ""} << "请输入用户名||login";
        QTest::newRow("register, no password")
            << "addRegisterUser" << QVariantList{"bob", "bob@example.com", "1", ""} << "请输入密码||login";
        QTest::newRow("reset, empty and different")
            << "resetPasswdByCode" << QVariantList{"ann", "1", "", "x"} << "请输入密码||login";
        QTest::newRow("reset, different")
            << "resetPasswdByCode" << QVariantList{"ann", "1", "a", "b"} << "两次密码不一致，请重新输入||login";
        QTest::newRow("reset, wrong code")
            << "resetPasswdByCode" << QVariantList{"ann", "1", "a", "a"} << "验证码错误||login";
    }

    void formChecksShowInTheLoginWindow()
    {
        QFETCH(QString, action);
        QFETCH(QVariantList, args);
        QFETCH(QString, hud);
        const int before = state()->windowHud().size();
        dispatch()->initController(Dispatch::Ctrl_UserLogin);
        run(action, args);
        QTRY_COMPARE_WITH_TIMEOUT(hudsFrom(before), QStringList{hud}, 5000);
        QCOMPARE(state()->retcode(), 200);
    }

    // Registration with a mailed code, then the password reset, against the account service's memory.
    void registerAndResetThePassword()
    {
        dispatch()->initController(Dispatch::Ctrl_UserLogin);
        run("sendAddBindEmailCode", {"bob@example.com"});
        QCOMPARE(state()->retcode(), 301);
        QTRY_COMPARE_WITH_TIMEOUT(state()->retcode(), 310, 5000);
        run("addRegisterUser", {"bob", "bob@example.com", server.accounts().lastMailedCode("bob@example.com"), "pw1"});
        QTRY_COMPARE_WITH_TIMEOUT(state()->retcode(), 300, 5000);

        run("sendAddUserVerifyCode", {"bob@example.com"});
        QTRY_COMPARE_WITH_TIMEOUT(state()->retcode(), 110, 5000);
        run("resetPasswdByCode", {"bob", server.accounts().lastMailedCode("bob@example.com"), "pw2", "pw2"});
        QTRY_COMPARE_WITH_TIMEOUT(state()->retcode(), 100, 5000);
        QCOMPARE(server.accounts().findByNameOrEmail("bob")->passwordHash, StandinAccounts::passwordHash("pw2"));
    }
};

PARLAVINE_TEST_MAIN(TestUserLoginCtrl)
#include "tst_UserLoginCtrl.moc"
