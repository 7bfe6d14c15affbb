#include "account/UserLoginCtrl.h"
#include "account/UserService.h"
#include "core/Dispatch.h"
#include "core/Hud.h"
#include "core/LocalSocketUtil.h"
#include "core/QuickStorage.h"
#include "core/State.h"
#include "core/User.h"
#include "core/Util.h"
#include "platform/FakeSystemTheme.h"
#include "shell/GlobalCtrl.h"
#include "texttrans/TextTransStorage.h"

#include "StandinFixture.h"
#include "TestMain.h"

#include <QJsonObject>
#include <QTemporaryDir>

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

// The huds still open in a window, as "type|title".
QStringList openHuds(const QString& window)
{
    QStringList open;
    for (const QVariant& hud : state()->windowHud()) {
        const QVariantMap map = hud.toMap();
        if (map["window"].toString() == window)
            open << map["type"].toString() + '|' + map["title"].toString();
    }
    return open;
}

void answerHud(const QString& window, bool sure)
{
    for (const QVariant& hud : state()->windowHud()) {
        const QVariantMap map = hud.toMap();
        if (map["window"].toString() == window) {
            const int tag = map["tag"].toInt();
            sure ? Hud::instance()->sureBtnTap(tag) : Hud::instance()->cancelBtnTap(tag);
            return;
        }
    }
    QFAIL("no hud to answer");
}

void closeAllHuds()
{
    while (!state()->windowHud().isEmpty())
        Hud::instance()->cancelBtnTap(state()->windowHud().first().toMap()["tag"].toInt());
}

bool sendLink(const QString& code)
{
    return LocalSocketUtil::quickSend("parlavine_loginscheme",
                                      QString("parlavine://login?token=%1&auto=1&type=kx&time=17").arg(code), 5000);
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
        closeAllHuds();
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
        QTest::newRow("dropped connection") << "open sesame" << true << 0 << QStringList{"网络异常，请检查网络|服务器断开了连接|main"};
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
        QCOMPARE(openHuds("login"), QStringList{"warning|登录态过期，请重新登录"});
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

    // A link for another account, opened while ann is signed in, asks in the main window first,
    // however many links arrive. "取消" sends nothing; "确定" logs ann out completely, then in
    // with the link.
    void linkWhileSignedInAsksFirst_data()
    {
        QTest::addColumn<bool>("sure");
        QTest::newRow("cancelled") << false;
        QTest::newRow("confirmed") << true;
    }

    void linkWhileSignedInAsksFirst()
    {
        QFETCH(bool, sure);
        const QString bo = server.accounts().addUser("bo", "bo@example.com", "pw");
        logInAsAnn(true);
        shell()->stopSessionTimer(); // no renewal among the requests counted below
        QTRY_VERIFY_WITH_TIMEOUT(!user()->userSessionUpdating, 5000);
        const QString annSession = user()->session;
        state()->setWorkgroupInfo({{"wg-1", QVariantMap{{"name", "team"}}}});
        QVERIFY(TextTransStorage::insert("h1", "ann's text", "result", "en", "zh", "17"));
        const int sentBefore = server.requests().size();

        QVERIFY(sendLink(server.accounts().issueLoginCode(bo)));
        QVERIFY(sendLink(server.accounts().issueLoginCode(bo)));
        QTRY_COMPARE_WITH_TIMEOUT(openHuds("main"), QStringList{"ask|退出当前账号？"}, 5000);
        QTest::qWait(200); // the second link is in too
        QCOMPARE(openHuds("main").size(), 1);
        QVERIFY(state()->windowHud().last().toMap()["message"].toString().contains("「ann」"));
        QCOMPARE(server.requests().size(), sentBefore);
        QCOMPARE(user()->session, annSession);

        answerHud("main", sure);
        if (!sure) {
            QTest::qWait(200);
            QCOMPARE(server.requests().size(), sentBefore);
            QCOMPARE(user()->userName, QString("ann"));
            QVERIFY(remembered().contains(annSession));
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(user()->userId == bo && state()->userLoginStatus() == 0, 5000);
        QCOMPARE(accountRoutes().mid(accountRoutes().indexOf(kLogout)), (QStringList{kLogout, kCodeLogin, kFetchUser}));
        QCOMPARE(server.requests(kLogout).first().session(), annSession);
        QVERIFY(!server.accounts().liveSessions().contains(annSession));
        QCOMPARE(user()->userName, QString("bo"));
        QVERIFY(!remembered().contains(annSession));
        QVERIFY(state()->workgroupInfo().isEmpty());
        QList<QVariantMap> rows;
        TextTransStorage::select(rows, "h1");
        QVERIFY(rows.isEmpty());
    }

    // Links that fail one after the other leave one "登录失败" to close, not a stack of them.
    void failedLinksShowOneFailure_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("loginWindowShown");
        QTest::addColumn<QString>("window");
        QTest::newRow("used code, login window shown") << "spent" << true << "login";
        QTest::newRow("used code, only the main window") << "spent" << false << "main";
        QTest::newRow("no code") << "" << false << "main";
    }

    void failedLinksShowOneFailure()
    {
        QFETCH(QString, code);
        QFETCH(bool, loginWindowShown);
        QFETCH(QString, window);
        state()->showLoginWindowRef() = loginWindowShown;
        for (int i = 0; i < 4; ++i)
            server.script(kCodeLogin, StandinReply::failure("Code-Invalid", "登录码已失效", 400));
        for (int i = 0; i < 3; ++i)
            QVERIFY(sendLink(code));
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount(kCodeLogin), code.isEmpty() ? 0 : 3, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(state()->userLoginStatus(), 0, 5000);
        QTest::qWait(200);
        QCOMPARE(openHuds(window), QStringList{"warning|登录失败"});
        answerHud(window, true);
        QVERIFY(sendLink(code));
        QTRY_COMPARE_WITH_TIMEOUT(openHuds(window), QStringList{"warning|登录失败"}, 5000);
    }

    // A reply that says success without a user id or a session is a failed login: nothing is
    // stored, nothing more is asked of the service.
    void incompleteLoginReplyFails_data()
    {
        QTest::addColumn<bool>("withCode");
        QTest::addColumn<QString>("missing");
        QTest::newRow("password login, no session") << false << "session";
        QTest::newRow("password login, no user id") << false << "user_id";
        QTest::newRow("code login, no session") << true << "session";
        QTest::newRow("code login, no user id") << true << "user_id";
    }

    void incompleteLoginReplyFails()
    {
        QFETCH(bool, withCode);
        QFETCH(QString, missing);
        state()->showLoginWindowRef() = true; // the forms these logins come from
        QJsonObject reply{{"user_id", "10001"}, {"user_name", "ann"}, {"session", "standin-remembered"}};
        reply.remove(missing);
        server.script(withCode ? kCodeLogin : kLogin, StandinReply::success(reply));
        dispatch()->initController(Dispatch::Ctrl_UserLogin);
        if (withCode)
            run("loginWithCode", {"abc", "kx", true});
        else
            run("login", {"ann", "open sesame", true});
        QTRY_COMPARE_WITH_TIMEOUT(openHuds("login"), QStringList{"warning|登录失败"}, 5000);
        QCOMPARE(state()->userLoginStatus(), 0);
        QVERIFY(user()->isLoggedOut());
        QVERIFY(user()->userId.isEmpty() && user()->session.isEmpty());
        QVERIFY(remembered().isEmpty());
        QTest::qWait(100);
        QCOMPARE(server.requestCount(kFetchUser), 0);
        QVERIFY(!shell()->sessionTimerActive());
    }

    // A renewal sent for ann whose reply comes after bo signed in leaves bo's session alone.
    void renewalForEarlierUserIsDropped()
    {
        const QString bo = server.accounts().addUser("bo", "bo@example.com", "pw");
        logInAsAnn(true);
        shell()->stopSessionTimer();
        server.script(kRenewal, StandinReply::byDefault().after(300));
        UserService().updateUserSession({});
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount(kRenewal), 1, 5000);
        const QString boSession = server.accounts().issueSession(bo);
        user()->userId = bo;
        user()->userName = "bo";
        user()->session = boSession;
        user()->saveAutoLogin(true);
        QTRY_VERIFY_WITH_TIMEOUT(!user()->userSessionUpdating, 5000);
        QCOMPARE(user()->session, boSession);
        const QVariantMap record = mapFromStr(remembered());
        QCOMPARE(record["i"].toString(), bo);
        QCOMPARE(record["s"].toString(), boSession);
    }

    // Ann's remembered session is refused only after bo logged in through a link meanwhile: the
    // late 401 belongs to ann's attempt and leaves bo signed in and remembered.
    void late401OfAutomaticLoginKeepsNewerLogin()
    {
        const QString bo = server.accounts().addUser("bo", "bo@example.com", "pw");
        remember("standin-remembered");
        server.accounts().revokeSession("standin-remembered");
        server.script(kFetchUser, StandinReply::byDefault().after(600));
        dispatch()->initController(Dispatch::Ctrl_UserLogin);
        run("autoLoginIfNeeded", {true});
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount(kFetchUser), 1, 5000);

        QVERIFY(sendLink(server.accounts().issueLoginCode(bo)));
        QTRY_VERIFY_WITH_TIMEOUT(state()->userLogined() && user()->userId == bo, 5000);
        QTest::qWait(800); // ann's refusal has landed
        QVERIFY(state()->userLogined());
        QCOMPARE(user()->userId, bo);
        QCOMPARE(mapFromStr(remembered())["i"].toString(), bo);
        QVERIFY(openHuds("login").isEmpty());
    }

    // "取消" after an automatic login failed on the network: signed out, nothing running, the
    // remembered login kept for the next start.
    void cancelledAutomaticLoginLeavesClientSignedOut()
    {
        remember("standin-remembered");
        const QString stored = remembered();
        for (int i = 0; i < 3; ++i)
            server.script(kFetchUser, StandinReply::disconnect());
        dispatch()->initController(Dispatch::Ctrl_UserLogin);
        run("autoLoginIfNeeded", {true});
        QTRY_COMPARE_WITH_TIMEOUT(state()->userLoginStatus(), -1, 10000);
        QVERIFY(!state()->userLogined());
        closeAllHuds();

        run("cancelAutoLogin");
        QVERIFY(!state()->userLogined());
        QVERIFY(!state()->isUserAutoLogin());
        QVERIFY(user()->session.isEmpty());
        QCOMPARE(state()->userLoginStatus(), 0);
        QVERIFY(!shell()->sessionTimerActive());
        QCOMPARE(remembered(), stored);
        QCOMPARE(server.requestCount(kRenewal), 0);
    }

    // With a log file, sessions, the e-mail address and the remembered record's check code
    // never reach it: not from the record read at start, the profile, nor the renewals.
    void logHoldsNoSecrets()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("parlavine.log");
        qputenv("PARLAVINE_LOG_FILE", path.toUtf8());
        remember("standin-remembered");
        const QString checkCode = mapFromStr(remembered())["c"].toString();
        dispatch()->initController(Dispatch::Ctrl_UserLogin);
        run("autoLoginIfNeeded", {true});
        QTRY_VERIFY_WITH_TIMEOUT(server.requestCount(kRenewal) >= 2 && !user()->userSessionUpdating, 5000);
        shell()->stopSessionTimer();
        qunsetenv("PARLAVINE_LOG_FILE");

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString logged = QString::fromUtf8(file.readAll());
        QVERIFY(logged.contains("updateSession"));
        for (const QString& secret : {QString("standin-remembered"), QString("standin-session-"),
                                      QString("ann@example.com"), checkCode})
            QVERIFY2(!logged.contains(secret), qPrintable(secret));
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
        QTest::newRow("wrong password, sent once") << false << "登录失败|用户名或密码错误|login";
        QTest::newRow("dropped connection") << true << "登录失败||login";
    }

    void failedLoginsSayWhy()
    {
        QFETCH(bool, dropped);
        QFETCH(QString, hud);
        state()->showLoginWindowRef() = true; // the form the login comes from
        if (dropped)
            server.script(kLogin, StandinReply::disconnect());
        const int before = state()->windowHud().size();
        dispatch()->initController(Dispatch::Ctrl_UserLogin);
        run("login", {"ann", dropped ? "open sesame" : "wrong", false});
        QTRY_COMPARE_WITH_TIMEOUT(hudsFrom(before), QStringList{hud}, 5000);
        QCOMPARE(state()->userLoginStatus(), 0);
        QVERIFY(user()->session.isEmpty());
        // An answered login is never repeated: each try counts against the account.
        QCOMPARE(server.requestCount(kLogin), 1);
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
