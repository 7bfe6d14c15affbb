#include "LabelChecks.h"
#include "StandinFixture.h"
#include "TestMain.h"
#include "UiTestEngine.h"
#include "VisualTree.h"

#include "core/Dispatch.h"
#include "core/State.h"
#include "core/User.h"
#include "shell/GlobalCtrl.h"

#include <QClipboard>
#include <QDir>
#include <QJsonArray>
#include <QNetworkAccessManager>
#include <QQuickItem>
#include <QRegularExpression>
#include <QTranslator>
#include <QtTest>

// The account page of the main window on a real X server (PARLAVINE_TEST_NEEDS_DISPLAY), signed
// in as the stand-in's "ann" and driven by mouse against its accounts. Pictures go to
// PARLAVINE_SCREENSHOT_DIR when set (scripts/screenshots).
namespace {

const QString kAc = QStringLiteral("/api/accesscontrol/");
const QString kCosts = QStringLiteral("/api/billingsystem/findUserCostRecord");

State* state()
{
    return State::instance();
}

User* user()
{
    return User::instance();
}

Dispatch* dispatch()
{
    return Dispatch::instance();
}

// The session the stand-in keeps live for "ann" after every reset, as if she had just logged in
// and the login controller were gone again.
void signInAnn()
{
    user()->userName = QStringLiteral("ann");
    user()->userId = QStringLiteral("10001");
    user()->clientKey = QStringLiteral("desktop-test");
    user()->session = QStringLiteral("standin-remembered");
    user()->userLoginType = 0;
    user()->profileLoaded = true;
}

int dayNumber(const QDate& day)
{
    return day.year() * 10000 + day.month() * 100 + day.day();
}

} // namespace

class TestUserPages : public QObject
{
    Q_OBJECT
    StandinFixture m_standin;
    QTemporaryDir m_home;
    QString m_outDir;

    struct Main
    {
        UiTestEngine ui;
        QQuickWindow* window = nullptr;
    };

    static void open(Main& m)
    {
        state()->setMainCurPage(QStringLiteral("userPage"));
        m.ui.engine.load(QUrl(QStringLiteral("qrc:/ui/mainWin.qml")));
        QVERIFY(!m.ui.engine.rootObjects().isEmpty());
        m.window = m.ui.engine.rootObjects().first()->findChild<QQuickWindow*>(QStringLiteral("mainWindow"));
        QVERIFY(m.window && QTest::qWaitForWindowExposed(m.window));
        // The page is shown once the profile, bill entities, token and workgroups are in.
        QTRY_VERIFY_WITH_TIMEOUT(dispatch()->hasController(Dispatch::Ctrl_UserInfo), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!state()->workgroupInfo().isEmpty() && !state()->userEmail().isEmpty(), 10000);
    }

    static QQuickItem* item(QQuickWindow* window, const QString& name)
    {
        return VisualTree::item(window, name);
    }

    static QString text(QQuickWindow* window, const QString& name)
    {
        QQuickItem* found = item(window, name);
        return found ? found->property("text").toString() : QString();
    }

    // A TitleButton's caption.
    static QString title(QQuickWindow* window, const QString& name)
    {
        QQuickItem* found = item(window, name);
        return found ? found->property("title").toString() : QString();
    }

    static bool shows(QQuickWindow* window, const QString& name)
    {
        QQuickItem* found = item(window, name);
        return found && found->isVisible();
    }

    static void click(QQuickWindow* window, const QString& name)
    {
        QQuickItem* target = nullptr;
        QTRY_VERIFY2((target = item(window, name)) && target->isVisible(), qPrintable(name));
        QTest::mouseClick(window, Qt::LeftButton, {},
                          target->mapToScene(QPointF(target->width() / 2, target->height() / 2)).toPoint());
    }

    static void type(QQuickWindow* window, const QString& name, const QString& value)
    {
        QQuickItem* input = item(window, name);
        QVERIFY2(input, qPrintable(name));
        input->findChild<QObject*>(QStringLiteral("input"))->setProperty("text", value);
    }

    // Each value typed into the pop-up's field shows its error, and "确定" then sends nothing.
    static void refused(QQuickWindow* window, const QString& input, const QStringList& values, const QString& error)
    {
        for (const QString& value : values) {
            type(window, input, value);
            QTRY_VERIFY2(shows(window, error), qPrintable(value));
            click(window, "sureBtn");
        }
    }

    // A value the field takes: no error, and "确定" sends the one request of route.
    void sentOnce(QQuickWindow* window, const QString& input, const QString& value, const QString& error,
                  const QString& route)
    {
        type(window, input, value);
        QVERIFY(!shows(window, error));
        QCOMPARE(m_standin->requestCount(route), 0);
        click(window, "sureBtn");
        QTRY_COMPARE(m_standin->requestCount(route), 1);
    }

    static QObject* popup(QQuickWindow* window, const char* name)
    {
        return window->findChild<QObject*>(QString::fromLatin1(name));
    }

    // The stand-in's profile picture is a bare name, not an address the picture could load from.
    static void verifyNoWarnings(const UiTestEngine& ui)
    {
        QStringList kept;
        for (const QString& warning : ui.warnings) {
            if (!warning.contains(QLatin1String("Cannot open: qrc:/ui/components/avatar-")))
                kept << warning;
        }
        QVERIFY2(kept.isEmpty(), qPrintable(kept.join('\n')));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        isolateUserFolders(m_home);
        qputenv("PARLAVINE_REQUEST_TIMEOUT_MS", "5000");
        const QString wanted = qEnvironmentVariable("PARLAVINE_SCREENSHOT_DIR");
        m_outDir = wanted.isEmpty() ? m_home.filePath("shots") : wanted;
        QVERIFY(QDir().mkpath(m_outDir));
        // The network stack registers its types once, here: when the first request races with
        // a worker thread doing the same, Qt warns, and the page would be blamed for it.
        QNetworkAccessManager warmUp;
    }

    void init()
    {
        m_standin.reset();
        signInAnn();
        state()->setRetcode(200);
        // What the previous test's page loaded.
        state()->setWorkgroupInfo({});
        state()->setWorkgroupCurId(QString());
        state()->userBillHistory.clear();
        emit state()->userBillHistoryChange(0);
    }

    void cleanup()
    {
        GlobalCtrl::instance()->stopSessionTimer();
        dispatch()->releaseController(Dispatch::Ctrl_UserLogin);
        dispatch()->releaseController(Dispatch::Ctrl_UserInfo);
        state()->setShowLoginWindow(false);
        user()->saveAutoLogin(false);
        user()->clear();
        QTest::qWait(50); // replies already on their way land here, not in the next test
        m_standin.verify();
    }

    // Avatar letter, charge type in words, no default subject, no workgroup; the name and the
    // token (created by "设置") copied to the clipboard.
    void profile_data()
    {
        QTest::addColumn<QString>("chargeType");
        QTest::addColumn<QString>("shown");
        QTest::newRow("pre-paid") << "pre" << "预付费";
        QTest::newRow("post-paid") << "post" << "后付费";
        QTest::newRow("monthly") << "month" << "包月";
    }

    void profile()
    {
        QFETCH(QString, chargeType);
        QFETCH(QString, shown);
        m_standin->accounts().updateBillEntity("10001", {{"charge_type", chargeType}, {"balance", 12.5}});
        Main m;
        open(m);
        QCOMPARE(VisualTree::find(item(m.window, "pageAvatar"), "avatarLetter", false)->property("text").toString(),
                 QString("A"));
        // The profile's fields fill in as their replies arrive, after the page itself.
        QTRY_COMPARE(text(m.window, "infoUserName"), QString("ann"));
        QTRY_COMPARE(text(m.window, "infoBalance"), QString("12.50元"));
        QTRY_COMPARE(text(m.window, "infoChargeType"), shown);
        QCOMPARE(text(m.window, "infoBillSubject"), QString("未设置"));
        QVERIFY(shows(m.window, "noWorkgroup"));
        QVERIFY(!shows(m.window, "groupDetail"));
        QVERIFY(!shows(m.window, "bindEmailBtn"));
        QCOMPARE(popup(m.window, "defaultGroupPop")->property("subjects").toList().size(), 1);

        click(m.window, "copyNameBtn");
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), QString("ann"));
        QVERIFY(!shows(m.window, "copyTokenBtn"));
        QCOMPARE(text(m.window, "tokenBtn"), QString("设置"));
        click(m.window, "tokenBtn");
        QTRY_VERIFY(shows(m.window, "copyTokenBtn"));
        const QString token = m_standin->accounts().user("10001")->token;
        QCOMPARE(text(m.window, "infoToken"), token);
        QCOMPARE(text(m.window, "tokenBtn"), QString("更新"));
        click(m.window, "copyTokenBtn");
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), token);
        verifyNoWarnings(m.ui);
    }

    // Workgroup names of 3 and 51 characters are refused where they are typed, 4 are sent; an
    // IP list takes only IPv4 addresses.
    void workgroupForms()
    {
        Main m;
        open(m);
        click(m.window, "addGroupBtn");
        refused(m.window, "groupNameInput", {QString("abc"), QString(51, 'n')}, "groupNameError");
        QCOMPARE(text(m.window, "groupNameError"), QString("工作组名称长度限制4-50个字符"));
        sentOnce(m.window, "groupNameInput", "abcd", "groupNameError", kAc + "addWorkgroup");
        QCOMPARE(m_standin->requests(kAc + "addWorkgroup").first().at("value.name").toString(), QString("abcd"));
        QTRY_VERIFY(shows(m.window, "groupDetail"));
        QCOMPARE(text(m.window, "groupDetailName"), QString("abcd"));
        QVERIFY(!shows(m.window, "noWorkgroup"));

        click(m.window, "ipMemTab");
        QTRY_VERIFY(shows(m.window, "noMembers"));
        click(m.window, "addMemBtn");
        QTRY_VERIFY(shows(m.window, "ipInput"));
        refused(m.window, "ipInput", {"256.1.1.1", "1.2.3"}, "ipError");
        QCOMPARE(text(m.window, "ipError"), QString("请输入合法的IPv4地址"));
        sentOnce(m.window, "ipInput", "10.0.0.255", "ipError", kAc + "addWorkgroupIP");
        QCOMPARE(m_standin->requests(kAc + "addWorkgroupIP").first().at("value.ip_list").toArray(),
                 QJsonArray{"10.0.0.255"});
        QTRY_VERIFY(shows(m.window, "ipRow_10.0.0.255"));
        QTRY_VERIFY(!popup(m.window, "addGroupMemPop")->property("visible").toBool());
        verifyNoWarnings(m.ui);
    }

    // The first workgroup is shown on opening; picking the second loads and shows its members.
    void secondWorkgroupShowsItsMembers()
    {
        StandinAccounts& accounts = m_standin->accounts();
        accounts.addUser("bo", "bo@example.com", "pw");
        accounts.addWorkgroup("alpha", "ann");
        QJsonObject beta = accounts.addWorkgroup("beta", "ann");
        QJsonArray members = beta["member_list"].toArray();
        members.append(QJsonObject{{"user_id", accounts.findByNameOrEmail("bo")->id}, {"user_name", "bo"}});
        beta["member_list"] = members;
        accounts.updateWorkgroup("wg-2", beta);
        Main m;
        open(m);
        QTRY_VERIFY(shows(m.window, "memberRow_ann"));
        QCOMPARE(text(m.window, "groupDetailName"), QString("alpha"));
        // The controller picks and loads the workgroup shown. The page asking too, when the list
        // arrives before the pick, would cut the controller's query off mid-send.
        QCOMPARE(m_standin->requestCount(kAc + "findWorkgroupInfo"), 1);
        const QVariantMap loaded = state()->workgroupInfo();
        state()->setWorkgroupCurId(QString());
        state()->setWorkgroupInfo({});
        state()->setWorkgroupInfo(loaded);
        QTest::qWait(300);
        QCOMPARE(m_standin->requestCount(kAc + "findWorkgroupInfo"), 1);
        state()->setWorkgroupCurId("wg-1");
        QVERIFY(!shows(m.window, "memberRow_bo"));

        click(m.window, "groupName_wg-2");
        QTRY_VERIFY(shows(m.window, "memberRow_bo"));
        QCOMPARE(state()->workgroupCurId(), QString("wg-2"));
        QCOMPARE(text(m.window, "groupDetailName"), QString("beta"));
        QCOMPARE(m_standin->requests(kAc + "findWorkgroupInfo").last().at("value").toString(), QString("wg-2"));
        const QString annRow = VisualTree::find(item(m.window, "memberRow_ann"), "memberText", false)->property("text").toString();
        QCOMPARE(annRow, QString("ann  (我)  (管理员)"));
        QCOMPARE(VisualTree::find(item(m.window, "memberRow_bo"), "memberText", false)->property("text").toString(),
                 QString("bo"));
        verifyNoWarnings(m.ui);
    }

    // An address of the placeholder domain asks to be bound: a malformed address sends nothing,
    // a good one gets a code and the button counts down; the code binds it.
    void emailBinding()
    {
        m_standin->accounts().setEmail("10001", "ann@noreply.invalid");
        Main m;
        open(m);
        QCOMPARE(text(m.window, "infoEmail"), QString("-"));
        click(m.window, "bindEmailBtn");
        QTRY_VERIFY(shows(m.window, "emailInput"));
        type(m.window, "emailInput", "a@b");
        QTRY_COMPARE(text(m.window, "emailError"), QString("请输入正确的邮箱"));
        click(m.window, "sendCodeBtn");
        type(m.window, "emailInput", "a@b.cn");
        QTRY_COMPARE(text(m.window, "emailError"), QString());
        QCOMPARE(m_standin->requestCount(kAc + "addEmailVerifyCode"), 0);
        click(m.window, "sendCodeBtn");
        QTRY_COMPARE(m_standin->requestCount(kAc + "addEmailVerifyCode"), 1);
        QCOMPARE(m_standin->requests(kAc + "addEmailVerifyCode").first().at("value").toString(), QString("a@b.cn"));
        QTRY_COMPARE(state()->retcode(), 400);
        QVERIFY2(title(m.window, "sendCodeBtn").endsWith("s后重新获取"), qPrintable(title(m.window, "sendCodeBtn")));
        QTRY_COMPARE_WITH_TIMEOUT(title(m.window, "sendCodeBtn"), QString("58s后重新获取"), 5000);

        type(m.window, "codeInput", m_standin->accounts().lastMailedCode("a@b.cn"));
        click(m.window, "sureBtn");
        QTRY_COMPARE(text(m.window, "infoEmail"), QString("a@b.cn"));
        QVERIFY(!shows(m.window, "bindEmailBtn"));
        verifyNoWarnings(m.ui);
    }

    // A change that worked shows the success view and the session stays renewed; one that
    // failed returns to the form. Controller 1 is released by the page only if it made it.
    void passwordChange_data()
    {
        QTest::addColumn<bool>("serverFails");
        QTest::addColumn<bool>("loginControllerBefore");
        QTest::newRow("changed, own controller") << false << false;
        QTest::newRow("dropped connection, another window's controller") << true << true;
    }

    void passwordChange()
    {
        QFETCH(bool, serverFails);
        QFETCH(bool, loginControllerBefore);
        if (serverFails)
            m_standin->script(kAc + "updateUserPassword", StandinReply::disconnect());
        if (loginControllerBefore)
            dispatch()->initController(Dispatch::Ctrl_UserLogin);
        GlobalCtrl::instance()->startSessionTimer();
        Main m;
        open(m);
        click(m.window, "naviChangePsw");
        QTRY_VERIFY(shows(m.window, "pswForm"));
        QVERIFY(dispatch()->hasController(Dispatch::Ctrl_UserLogin));
        type(m.window, "oldPsw", "open sesame");
        type(m.window, "newPsw", "new sesame");
        type(m.window, "confirmPsw", "new sesame!");
        QVERIFY(item(m.window, "changePswBtn")->property("disable").toBool());
        type(m.window, "confirmPsw", "new sesame");
        QVERIFY(!item(m.window, "changePswBtn")->property("disable").toBool());
        click(m.window, "changePswBtn");
        QCOMPARE(title(m.window, "changePswBtn"), QString("密码修改中..."));
        QTRY_COMPARE(m_standin->requestCount(kAc + "updateUserPassword"), 1);

        if (serverFails) {
            QTRY_COMPARE(title(m.window, "changePswBtn"), QString("更改密码"));
            QVERIFY(shows(m.window, "pswForm"));
            QVERIFY(!item(m.window, "changePswBtn")->property("disable").toBool());
        } else {
            QTRY_VERIFY(shows(m.window, "pswSuccess"));
            QVERIFY(GlobalCtrl::instance()->sessionTimerActive());
            click(m.window, "pswDoneBtn");
            QTRY_VERIFY(shows(m.window, "infoUserName"));
        }
        QVERIFY(GlobalCtrl::instance()->sessionTimerActive());
        click(m.window, "naviBill");
        QTRY_VERIFY(shows(m.window, "billRows"));
        QCOMPARE(dispatch()->hasController(Dispatch::Ctrl_UserLogin), loginControllerBefore);
        QTRY_COMPARE(state()->userBillRecordStatus(), 0);
        verifyNoWarnings(m.ui);
    }

    // The last 30 days by day, with the user's records of those days or "暂无记录".
    void bill_data()
    {
        QTest::addColumn<int>("records");
        QTest::newRow("two days") << 2;
        QTest::newRow("none") << 0;
    }

    void bill()
    {
        QFETCH(int, records);
        const QDate today = QDate::currentDate();
        for (int i = 0; i < records; ++i) {
            m_standin->accounts().addCostRecord("10001", {{"id", QString("c%1").arg(i)}, {"bill_entity_id", "be-10001"},
                                                          {"cost", 1.25 * (i + 1)}, {"cost_time", dayNumber(today.addDays(-i))}});
        }
        // Older than the page asks for.
        m_standin->accounts().addCostRecord("10001", {{"id", "old"}, {"bill_entity_id", "be-10001"}, {"cost", 9},
                                                      {"cost_time", dayNumber(today.addDays(-40))}});
        Main m;
        open(m);
        click(m.window, "naviBill");
        QTRY_COMPARE(m_standin->requestCount(kCosts), 1);
        const StandinRequest sent = m_standin->requests(kCosts).first();
        QCOMPARE(sent.at("value.query_type").toString(), QString("day"));
        QCOMPARE(sent.at("value.start_time").toInt(), dayNumber(today.addDays(-30)));
        QCOMPARE(sent.at("value.end_time").toInt(), dayNumber(today));
        QTRY_COMPARE(state()->userBillRecordStatus(), 0);
        QQuickItem* rows = item(m.window, "billRows");
        QTRY_COMPARE(rows->property("count").toInt(), records);
        QCOMPARE(shows(m.window, "noBillRecord"), records == 0);

        // Another first day, picked in the calendar, asks again.
        click(m.window, "startDate");
        QTRY_VERIFY(shows(m.window, "calendar"));
        QMetaObject::invokeMethod(item(m.window, "calendar"), "selectDate", Q_ARG(int, dayNumber(today.addDays(-1))));
        QTRY_COMPARE(m_standin->requestCount(kCosts), 2);
        QCOMPARE(m_standin->requests(kCosts).last().at("value.start_time").toInt(), dayNumber(today.addDays(-1)));
        QTRY_VERIFY(!shows(m.window, "calendar"));
        QTRY_COMPARE(state()->userBillRecordStatus(), 0);
        verifyNoWarnings(m.ui);
    }

    // After an automatic login controller 1 is gone: "退出登录" on the page and "注销" in the
    // sidebar still log out, and the login window opens.
    void logoutAfterAutomaticLogin_data()
    {
        QTest::addColumn<bool>("fromSidebar");
        QTest::newRow("page") << false;
        QTest::newRow("sidebar") << true;
    }

    void logoutAfterAutomaticLogin()
    {
        QFETCH(bool, fromSidebar);
        user()->saveAutoLogin(true);
        user()->clear();
        dispatch()->initController(Dispatch::Ctrl_UserLogin);
        dispatch()->run(Dispatch::Ctrl_UserLogin, "autoLoginIfNeeded", {true});
        QTRY_VERIFY_WITH_TIMEOUT(!dispatch()->hasController(Dispatch::Ctrl_UserLogin) && state()->userLogined(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!user()->userSessionUpdating, 5000);
        GlobalCtrl::instance()->stopSessionTimer();
        state()->setShowLoginWindow(false);

        Main m;
        open(m);
        if (fromSidebar)
            QMetaObject::invokeMethod(item(m.window, "mainSidebar"), "menuAction", Q_ARG(QVariant, QVariant(QStringLiteral("logout"))));
        else
            click(m.window, "logoutBtn");
        QTRY_COMPARE(m_standin->requestCount(kAc + "actionLogout"), 1);
        QTRY_VERIFY(user()->isLoggedOut());
        QTRY_VERIFY(state()->showLoginWindow());
        QQuickWindow* login = nullptr;
        QTRY_VERIFY((login = m.ui.engine.rootObjects().first()->findChild<QQuickWindow*>("loginWin")));
        QTRY_VERIFY(login->isVisible());
        QCOMPARE(state()->mainCurPage(), QString("textTransPage"));
        // The text page it turned to is built before the window goes.
        QTRY_VERIFY(item(m.window, "curPagePanel")->property("item").value<QObject*>());
        QVERIFY(!dispatch()->hasController(Dispatch::Ctrl_UserInfo));
        verifyNoWarnings(m.ui);
    }

    void screenshots_data()
    {
        LabelChecks::languageThemeRows();
    }

    // The profile with two workgroups, the bill page with its calendar open, the password page
    // and a pop-up, in each language and theme.
    void screenshots()
    {
        QFETCH(QString, language);
        QFETCH(int, theme);
        StandinAccounts& accounts = m_standin->accounts();
        accounts.newToken("10001");
        accounts.addUser("bo", "bo@example.com", "pw");
        accounts.addWorkgroup("Translation team", "ann");
        accounts.addWorkgroup("Reviewers", "ann");
        QJsonObject first = *accounts.workgroup("wg-1");
        QJsonArray members = first["member_list"].toArray();
        members.append(QJsonObject{{"user_id", accounts.findByNameOrEmail("bo")->id}, {"user_name", "bo"}});
        first["member_list"] = members;
        first["ip_list"] = QJsonArray{"10.0.0.1"};
        accounts.updateWorkgroup("wg-1", first);
        accounts.setDefaultWorkgroup("10001", "wg-1");
        const QDate today = QDate::currentDate();
        for (int i = 0; i < 3; ++i)
            accounts.addCostRecord("10001", {{"id", QString("c%1").arg(i)}, {"bill_entity_id", "be-10001"},
                                             {"cost", 0.75 + i}, {"cost_time", dayNumber(today.addDays(-2 * i))}});

        QTranslator translator;
        QVERIFY(useLanguageAndTheme(translator, language, theme));
        state()->setLanguage(language);
        const QString suffix = QStringLiteral("%1-%2.png").arg(language, theme ? "dark" : "light");
        Main m;
        open(m);
        QStringList findings;
        QTRY_VERIFY(shows(m.window, "memberRow_bo"));
        QTest::qWait(100);
        drawn(m, "user-info-" + suffix, findings);
        QObject* flick = item(m.window, "infoFlick");
        flick->setProperty("contentY", flick->property("contentHeight").toReal() - flick->property("height").toReal());
        QTest::qWait(100);
        drawn(m, "user-workgroup-" + suffix, findings);

        click(m.window, "addMemBtn");
        QTRY_VERIFY(shows(m.window, "memberNameInput"));
        click(m.window, "ipMemRadio");
        QTRY_VERIFY(shows(m.window, "ipInput"));
        type(m.window, "ipInput", "10.0.0.256");
        QTest::qWait(200);
        drawn(m, "user-addmember-" + suffix, findings);
        click(m.window, "cancelBtn");
        QTRY_VERIFY(!popup(m.window, "addGroupMemPop")->property("visible").toBool());

        click(m.window, "naviBill");
        QTRY_COMPARE(item(m.window, "billRows")->property("count").toInt(), 3);
        click(m.window, "startDate");
        QTRY_VERIFY(shows(m.window, "calendar"));
        QTest::qWait(200);
        drawn(m, "user-bill-" + suffix, findings);
        QMetaObject::invokeMethod(popup(m.window, "calendarPop"), "close");

        click(m.window, "naviChangePsw");
        QTRY_VERIFY(shows(m.window, "pswForm"));
        drawn(m, "user-password-" + suffix, findings);

        QCoreApplication::removeTranslator(&translator);
        state()->setLanguage("zh");
        state()->setThemeColor(0);
        verifyNoWarnings(m.ui);
        QVERIFY2(findings.isEmpty(), qPrintable(findings.join('\n')));
    }

private:
    // The window drawn into the picture `name`, and what the label checks find in it.
    void drawn(Main& m, const QString& name, QStringList& findings) const
    {
        // what the account holds: names, addresses, sums and dates from the server
        const auto foreign = [](const QString& text) {
            static const QRegularExpression served(QStringLiteral("\\b(ann|bo)\\b|team|Reviewers|example|\\d"));
            return served.match(text).hasMatch();
        };
        for (const QString& found : LabelChecks::findings(m.window, m.ui.iconFamily, foreign))
            findings << name.section('.', 0, 0) + ": " + found;
        QVERIFY(m.window->grabWindow().save(QDir(m_outDir).filePath(name)));
    }
};

PARLAVINE_TEST_MAIN(TestUserPages)
#include "tst_UserPages.moc"
