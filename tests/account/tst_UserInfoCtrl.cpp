#include "account/UserInfoCtrl.h"
#include "core/Dispatch.h"
#include "core/Hud.h"
#include "core/State.h"
#include "core/User.h"
#include "shell/UserBillTableModel.h"
#include "update/VexilService.h"

#include "StandinFixture.h"
#include "TestMain.h"

#include <QJsonArray>
#include <QSignalSpy>

namespace {

const QString kAc = QStringLiteral("/api/accesscontrol/");
const QString kInfo = kAc + "findWorkgroupInfo";
const QString kToken = kAc + "fetchUserToken";
const QString kAddToken = kAc + "addUserToken";
const QString kUpdateToken = kAc + "updateUserToken";
const QString kEmailCode = kAc + "addEmailVerifyCode";
const QString kBills = QStringLiteral("/api/billingsystem/findUserAllBillEntity");
const QString kCosts = QStringLiteral("/api/billingsystem/findUserCostRecord");

State* state()
{
    return State::instance();
}

User* user()
{
    return User::instance();
}

void run(const QString& action, const QVariantList& args = {})
{
    Dispatch::instance()->run(Dispatch::Ctrl_UserInfo, action, args);
}

QSharedPointer<UserInfoCtrl> ctrl()
{
    return qSharedPointerObjectCast<UserInfoCtrl>(Dispatch::instance()->controller(Dispatch::Ctrl_UserInfo));
}

QVariantMap record(const QString& key)
{
    return state()->workgroupInfo().value(key).toMap();
}

// "name", then "+self" and "+admin" where they hold, per member entry of a workgroup.
QStringList shownMembers(const QString& key)
{
    QStringList shown;
    for (const QVariant& item : record(key).value("members").toList()) {
        const QVariantMap member = item.toMap();
        shown << member["name"].toString() + (member["self"].toBool() ? "+self" : "")
                     + (member["admin"].toBool() ? "+admin" : "");
    }
    return shown;
}

QStringList shownIps(const QString& key)
{
    return record(key).value("ips").toStringList();
}

QVariantMap lastHud()
{
    return state()->windowHud().isEmpty() ? QVariantMap() : state()->windowHud().last().toMap();
}

void answerLastHud(bool sure)
{
    const int tag = lastHud().value("tag").toInt();
    if (sure)
        Hud::instance()->sureBtnTap(tag);
    else
        Hud::instance()->cancelBtnTap(tag);
}

// Every value retcode takes from now on, in order.
struct RetcodeLog
{
    QList<int> codes;
    QStringList messages; // retmsg at each change
    QMetaObject::Connection connection;

    RetcodeLog()
    {
        connection = QObject::connect(state(), &State::retcodeChange, [this] {
            codes << state()->retcode();
            messages << state()->retmsg();
        });
    }
    ~RetcodeLog() { QObject::disconnect(connection); }
};

QVariant roleValue(const QAbstractItemModel& model, int row, const QByteArray& role)
{
    return model.data(model.index(row, 0), model.roleNames().key(role));
}

} // namespace

class TestUserInfoCtrl : public QObject
{
    Q_OBJECT
    StandinFixture standin;
    StandinServer& server = standin.server();
    QString bo; // a second user's id

    QStringList apiRoutes() const
    {
        QStringList routes;
        for (const StandinRequest& request : server.requests()) {
            if (request.port == QLatin1String("api"))
                routes << request.route;
        }
        return routes;
    }

    // Opens the account page as QML does and waits until its opening replies have landed.
    void openPage()
    {
        QSignalSpy profileAndToken(state(), &State::userApiTokenChange);
        QSignalSpy balance(state(), &State::userBalanceChange);
        QSignalSpy defaultWorkgroup(state(), &State::userDefaultWorkgroupChange);
        QVERIFY(Dispatch::instance()->initController(Dispatch::Ctrl_UserInfo));
        QTRY_VERIFY_WITH_TIMEOUT(profileAndToken.count() == 2 && balance.count() == 1 && defaultWorkgroup.count() == 1,
                                 5000);
        const QString current = state()->workgroupCurId();
        if (!current.isEmpty())
            QTRY_VERIFY_WITH_TIMEOUT(record(current).contains("adminId"), 5000);
    }

    // "team" of ann with bo as member and one IP; returns its id.
    QString makeTeam()
    {
        QJsonObject group = server.accounts().addWorkgroup("team", "ann");
        QJsonArray members = group["member_list"].toArray();
        members.append(QJsonObject{{"user_id", bo}, {"user_name", "bo"}});
        group["member_list"] = members;
        group["ip_list"] = QJsonArray{"10.0.0.9"};
        server.accounts().updateWorkgroup(group["id"].toString(), group);
        return group["id"].toString();
    }

private slots:
    void initTestCase() { qputenv("PARLAVINE_REQUEST_TIMEOUT_MS", "5000"); }

    void init()
    {
        standin.reset();
        bo = server.accounts().addUser("bo", "bo@example.com", "pw");
        User* signedIn = user();
        signedIn->userId = "10001";
        signedIn->userName = "ann";
        signedIn->session = "standin-remembered";
        signedIn->clientKey = "desktop-test";
        signedIn->profileLoaded = true;
        state()->setWorkgroupInfo({});
        state()->workgroupCurIdRef().clear();
        state()->userBillHistory.clear();
        state()->setRetcode(200);
        state()->setRetmsg(QString());
    }

    void cleanup()
    {
        Dispatch::instance()->releaseController(Dispatch::Ctrl_UserInfo);
        user()->clear();
        standin.verify();
    }

    void openingSequence_data()
    {
        QTest::addColumn<int>("groups");
        QTest::newRow("own account only") << 0;
        QTest::newRow("two workgroups") << 2;
    }

    // Profile, bill entities, token and default workgroup, then the page view; the first
    // workgroup becomes current and is loaded.
    void openingSequence()
    {
        QFETCH(int, groups);
        for (int i = 1; i <= groups; ++i)
            server.accounts().addWorkgroup(QString("team %1").arg(i), "ann");
        server.accounts().setDefaultWorkgroup("10001", groups ? "wg-2" : "");
        openPage();

        // The page view reaches the collector (sent at once, as a GET).
        QTRY_VERIFY(std::any_of(server.requests().cbegin(), server.requests().cend(), [](const StandinRequest& r) {
            return r.route == QLatin1String("/collect/pv") && r.query.value("from") == QLatin1String("parlavine_user_info");
        }));
        const QStringList routes = apiRoutes();
        const QStringList opening{kAc + "fetchUser", kBills, kToken, kAc + "findUserWorkgroup"};
        QCOMPARE(QSet<QString>(routes.begin(), routes.begin() + 4), QSet<QString>(opening.begin(), opening.end()));
        QCOMPARE(user()->userBalance, 100.5);
        QCOMPARE(state()->userChargeType(), QString("pre"));
        QVERIFY(state()->userLogined());
        QVERIFY(state()->userApiToken().isEmpty()); // the service holds no token yet
        QCOMPARE(state()->userDefaultWorkgroup(), groups ? QString("wg-2") : QString());
        const QVariantMap myself{{"name", "我自己"}, {"type", "$myself"}, {"id", "be-10001"}};
        QCOMPARE(record("be-10001"), myself);

        if (!groups) {
            QCOMPARE(state()->workgroupInfo().keys(), QStringList{"be-10001"});
            QCOMPARE(state()->workgroupCurId(), QString());
            QTest::qWait(200);
            QCOMPARE(server.requestCount(kInfo), 0);
            return;
        }
        QCOMPARE(state()->workgroupInfo().keys(), (QStringList{"be-10001", "wg-1", "wg-2"}));
        QCOMPARE(state()->workgroupCurId(), QString("wg-1"));
        QCOMPARE(routes.mid(4), QStringList{kInfo});
        QCOMPARE(server.requests(kInfo).first().at("value").toString(), QString("wg-1"));
        const QVariantMap first = record("wg-1");
        QCOMPARE(first["name"].toString(), QString("team 1"));
        QCOMPARE(first["id"].toString(), QString("be-wg-1"));
        QCOMPARE(first["groupId"].toString(), QString("wg-1"));
        QCOMPARE(first["type"].toString(), QString("post"));
        QCOMPARE(first["discount"].toInt(), 90);
        QCOMPARE(first["postPayLimit"].toInt(), 500);
        QVERIFY(first["enabled"].toBool());
        QCOMPARE(first["adminName"].toString(), QString("ann"));
        QVERIFY(first["selfAdmin"].toBool());
        QCOMPARE(shownMembers("wg-1"), QStringList{"ann+self+admin"});
        QCOMPARE(shownIps("wg-1"), QStringList());
        QVERIFY(!record("wg-2").contains("adminId")); // not loaded until it is selected
    }

    // A refresh of the bill entities keeps what the workgroup query already told about the
    // administrator until the next query answers.
    void billRefreshKeepsKnownAdministrator()
    {
        server.accounts().addWorkgroup("team", "ann");
        openPage();
        server.script(kInfo, StandinReply::byDefault().after(600));
        QSignalSpy changes(state(), &State::workgroupInfoChange);
        ctrl()->fetchBillEntities();
        QTRY_COMPARE_WITH_TIMEOUT(changes.count(), 1, 5000);
        QCOMPARE(record("wg-1")["adminName"].toString(), QString("ann"));
        QCOMPARE(record("wg-1")["adminId"].toString(), QString("10001"));
        QVERIFY(record("wg-1")["selfAdmin"].toBool());
        QVERIFY(record("wg-1")["members"].toList().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(changes.count(), 2, 5000);
        QCOMPARE(shownMembers("wg-1"), QStringList{"ann+self+admin"});
    }

    // A token is created once however often the button is pressed while it is being created,
    // and renewed afterwards.
    void apiToken()
    {
        openPage();
        const QJsonObject noToken{{"token", QJsonValue::Null}, {"id", ""}};
        server.script(kToken, StandinReply::success(noToken));
        server.script(kToken, StandinReply::success(noToken));
        server.script(kAddToken, StandinReply::byDefault().after(1500));
        run("updateApiToken");
        run("updateApiToken");
        QTRY_VERIFY_WITH_TIMEOUT(!state()->userApiToken().isEmpty(), 5000);
        QCOMPARE(server.requestCount(kToken), 3);
        QCOMPARE(server.requestCount(kAddToken), 1);
        QCOMPARE(server.requestCount(kUpdateToken), 0);

        const QString created = state()->userApiToken();
        run("updateApiToken");
        QTRY_VERIFY_WITH_TIMEOUT(state()->userApiToken() != created, 5000);
        QCOMPARE(server.requestCount(kAddToken), 1);
        const StandinRequest renewal = server.requests(kUpdateToken).value(0);
        QCOMPARE(renewal.at("value.token").toString(), created);
        QCOMPARE(renewal.at("value.id").toString(), QString("tid-10001"));
        QCOMPARE(renewal.at("value.user_id").toString(), QString("10001"));
        QCOMPARE(state()->userApiToken(), server.accounts().user("10001")->token);
    }

    void bindEmail()
    {
        openPage();
        RetcodeLog log;
        run("sendBindEmailCode", {"new@example.com"});
        QTRY_COMPARE_WITH_TIMEOUT(log.codes, (QList<int>{401, 400}), 5000);
        QCOMPARE(server.requests(kEmailCode).value(0).at("header.session").toString(), QString("standin-remembered"));
        QSignalSpy email(state(), &State::userEmailChange);
        run("updateEmail", {"new@example.com", server.accounts().lastMailedCode("new@example.com")});
        QTRY_COMPARE_WITH_TIMEOUT(email.count(), 1, 5000);
        QCOMPARE(state()->userEmail(), QString("new@example.com"));
        QCOMPARE(server.accounts().user("10001")->email, QString("new@example.com"));
    }

    void emailCodeFailure_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("last part of a path") << "mail/limit/请稍后再试" << "请稍后再试";
        QTest::newRow("no message") << "" << "请求异常";
    }

    // The message is in place when the failure code is announced.
    void emailCodeFailure()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        openPage();
        for (int i = 0; i < 3; ++i)
            server.script(kEmailCode, StandinReply::failure("Code-Error", message));
        RetcodeLog log;
        run("sendBindEmailCode", {"new@example.com"});
        QTRY_COMPARE_WITH_TIMEOUT(log.codes, (QList<int>{401, 402}), 10000);
        QCOMPARE(log.messages.last(), shown);
    }

    void costRecords()
    {
        server.accounts().addCostRecord(
            "10001", {{"id", "c1"}, {"bill_entity_id", "be-10001"}, {"cost", 1.5}, {"cost_time", 20240305}});
        server.accounts().addCostRecord("10001", {{"id", "c2"}, {"bill_entity_id", "be-wg-1"}, {"cost", 2}});
        openPage();
        QSignalSpy rows(state(), &State::userBillHistoryChange);
        run("fetchUserCostRecord", {"day", 20240301, 20240331});
        QCOMPARE(state()->userBillRecordStatus(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(rows.count(), 1, 5000);
        QCOMPARE(rows.first().first().toInt(), 0);
        QCOMPARE(state()->userBillRecordStatus(), 0);
        const StandinRequest sent = server.requests(kCosts).value(0);
        QCOMPARE(sent.at("value.query_type").toString(), QString("day"));
        QCOMPARE(sent.at("value.start_time").toInt(), 20240301);
        QCOMPARE(sent.at("value.end_time").toInt(), 20240331);
        const QVariantMap first{{"time", QDate(2024, 3, 5)}, {"id", "c1"}, {"entityId", "be-10001"}, {"cost", 1.5}};
        QCOMPARE(state()->userBillHistory.value(0).toMap(), first);
        QVERIFY(!state()->userBillHistory.value(1).toMap()["time"].toDate().isValid());
        UserBillTableModel model;
        QCOMPARE(roleValue(model, 0, "costTime"), QVariant("2024-03-05"));
        QCOMPARE(roleValue(model, 0, "costValue"), QVariant("1.50元"));
    }

    // Closing the page mid-query still ends the loading state and keeps the old rows.
    void costRecordStatusEndsWhenPageCloses()
    {
        openPage();
        state()->userBillHistory = {QVariantMap{{"id", "old"}}};
        server.script(kCosts, StandinReply::byDefault().after(300));
        run("fetchUserCostRecord", {"day", 20240301, 20240331});
        Dispatch::instance()->releaseController(Dispatch::Ctrl_UserInfo);
        QTRY_COMPARE_WITH_TIMEOUT(state()->userBillRecordStatus(), 0, 5000);
        QCOMPARE(state()->userBillHistory.size(), 1);
    }

    void additions_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<QStringList>("members");
        QTest::addColumn<QStringList>("ips");

        const QStringList ann{"ann+self+admin"};
        QTest::newRow("unknown user") << "addWorkgroupMem" << "nobody" << false << QList<int>{0, 501} << ann
                                      << QStringList();
        QTest::newRow("known user") << "addWorkgroupMem" << "bo" << false << QList<int>{0, 500}
                                    << QStringList{"ann+self+admin", "bo"} << QStringList();
        QTest::newRow("IP") << "addWorkgroupIP" << "10.0.0.9" << false << QList<int>{0, 500} << ann
                            << QStringList{"10.0.0.9"};
        QTest::newRow("IP refused") << "addWorkgroupIP" << "10.0.0.9" << true << QList<int>{0, 500} << ann
                                    << QStringList();
    }

    // An addition ends with 500 whatever its outcome and reloads the workgroup when it worked;
    // an unknown user is said so and never sent.
    void additions()
    {
        QFETCH(QString, action);
        QFETCH(QString, item);
        QFETCH(bool, refused);
        QFETCH(QList<int>, codes);
        QFETCH(QStringList, members);
        QFETCH(QStringList, ips);
        server.accounts().addWorkgroup("team", "ann");
        openPage();
        for (int i = 0; refused && i < 3; ++i)
            server.script(kAc + "addWorkgroupIP", StandinReply::failure("IP-Invalid", "IP无效"));
        const bool reloads = codes.last() == 500 && !refused;
        RetcodeLog log;
        run(action, {"wg-1", item});
        QTRY_COMPARE_WITH_TIMEOUT(log.codes, codes, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount(kInfo), reloads ? 2 : 1, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(shownMembers("wg-1"), members, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(shownIps("wg-1"), ips, 5000);
        if (codes.last() == 501) {
            QCOMPARE(lastHud()["title"].toString(), QString("该用户不存在"));
            QCOMPARE(lastHud()["window"].toString(), QString("main"));
            QCOMPARE(server.requestCount(kAc + "addWorkgroupMembers"), 0);
        }
    }

    void confirmations_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("route");
        QTest::addColumn<QStringList>("members"); // of wg-1 afterwards; empty: wg-1 is gone
        QTest::addColumn<QStringList>("ips");

        const QStringList both{"ann+self+admin", "bo"};
        QTest::newRow("delete workgroup") << "rmWorkgroup" << QVariantList{"wg-1", "team"} << "确认删除工作组「team」吗？"
                                          << "deleteWorkgroup" << QStringList() << QStringList();
        QTest::newRow("remove member") << "rmWorkgroupMem" << QVariantList{"wg-1", "bo"} << "确定移除用户「bo」吗？"
                                       << "deleteWorkgroupMembers" << QStringList{"ann+self+admin"}
                                       << QStringList{"10.0.0.9"};
        QTest::newRow("remove IP") << "rmWorkgroupIP" << QVariantList{"wg-1", "10.0.0.9"} << "确定移除IP「10.0.0.9」吗？"
                                   << "deleteWorkgroupIP" << both << QStringList();
        QTest::newRow("hand over administration")
            << "updateWorkgroupAdmin" << QVariantList{"wg-1", "20001", "bo"} << "确定转移管理员权限给用户「bo」吗？"
            << "updateWorkgroupAdminUser" << QStringList{"ann+self", "bo+admin"} << QStringList{"10.0.0.9"};
        QTest::newRow("hand over refused: not a member")
            << "updateWorkgroupAdmin" << QVariantList{"wg-1", "20009", "carl"} << "确定转移管理员权限给用户「carl」吗？"
            << "updateWorkgroupAdminUser" << both << QStringList{"10.0.0.9"};
    }

    // Each asks in the main window first; "取消" sends nothing, "确定" sends the change and the
    // page shows its outcome.
    void confirmations()
    {
        QFETCH(QString, action);
        QFETCH(QVariantList, args);
        QFETCH(QString, question);
        QFETCH(QString, route);
        QFETCH(QStringList, members);
        QFETCH(QStringList, ips);
        makeTeam();
        openPage();

        run(action, args);
        const QVariantMap asked = lastHud();
        QCOMPARE(asked["type"].toString(), QString("ask"));
        QCOMPARE(asked["title"].toString(), question);
        QCOMPARE(asked["message"].toString(), QString());
        QCOMPARE(asked["window"].toString(), QString("main"));
        QCOMPARE(asked["sureBtnText"].toString(), QString("确定"));
        QCOMPARE(asked["cancelBtnText"].toString(), QString("取消"));
        answerLastHud(false);

        run(action, args);
        answerLastHud(true);
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount(kAc + route), 1, 5000);
        if (members.isEmpty()) {
            QTRY_VERIFY_WITH_TIMEOUT(!state()->workgroupInfo().contains("wg-1"), 5000);
        } else {
            QTest::qWait(200); // a refused hand-over changes nothing to wait for
            QTRY_COMPARE_WITH_TIMEOUT(shownMembers("wg-1"), members, 5000);
            QTRY_COMPARE_WITH_TIMEOUT(shownIps("wg-1"), ips, 5000);
            QCOMPARE(record("wg-1")["selfAdmin"].toBool(), members.first() == "ann+self+admin");
            QCOMPARE(record("wg-1")["adminName"].toString(), members.first() == "ann+self+admin" ? "ann" : "bo");
        }
        QCOMPARE(server.requestCount(kAc + route), 1);
    }

    // The service answering "false" deleted nothing: the workgroup stays, and the user is told.
    void refusedDeletionKeepsTheWorkgroup()
    {
        makeTeam();
        openPage();
        server.script(kAc + "deleteWorkgroup", StandinReply::success(false));
        run("rmWorkgroup", {"wg-1", "team"});
        answerLastHud(true);
        QTRY_COMPARE_WITH_TIMEOUT(lastHud()["title"].toString(), QString("删除工作组失败"), 5000);
        QCOMPARE(lastHud()["type"].toString(), QString("warning"));
        QCOMPARE(lastHud()["window"].toString(), QString("main"));
        QVERIFY(!lastHud()["message"].toString().isEmpty());
        QVERIFY(state()->workgroupInfo().contains("wg-1"));
        QCOMPARE(state()->workgroupCurId(), QString("wg-1"));
        answerLastHud(true);
    }

    // An answer that comes after the page closed sends nothing.
    void answerAfterPageClosedSendsNothing()
    {
        makeTeam();
        openPage();
        run("rmWorkgroup", {"wg-1", "team"});
        Dispatch::instance()->releaseController(Dispatch::Ctrl_UserInfo);
        answerLastHud(true);
        QTest::qWait(200);
        QCOMPARE(server.requestCount(kAc + "deleteWorkgroup"), 0);
    }

    // Deleting the workgroup shown moves the page to the first one left, loaded; deleting
    // another one keeps the page where it is.
    void deletingShownWorkgroupSelectsNext()
    {
        for (const char* name : {"one", "two", "three"})
            server.accounts().addWorkgroup(name, "ann");
        openPage();
        auto remove = [](const QString& id) {
            run("rmWorkgroup", {id, "x"});
            answerLastHud(true);
            QTRY_VERIFY_WITH_TIMEOUT(!state()->workgroupInfo().contains(id), 5000);
        };
        remove("wg-2");
        QCOMPARE(state()->workgroupCurId(), QString("wg-1"));
        remove("wg-1");
        QCOMPARE(state()->workgroupCurId(), QString("wg-3"));
        QTRY_COMPARE_WITH_TIMEOUT(shownMembers("wg-3"), QStringList{"ann+self+admin"}, 5000);
        QCOMPARE(server.requests(kInfo).last().at("value").toString(), QString("wg-3"));
        remove("wg-3");
        QCOMPARE(state()->workgroupCurId(), QString());
        QCOMPARE(state()->workgroupInfo().keys(), QStringList{"be-10001"});
        QTest::qWait(200);
        QCOMPARE(server.requestCount(kInfo), 2);
    }

    void workgroupReplyWithoutNameIgnored()
    {
        makeTeam();
        openPage();
        const QVariantMap before = record("wg-1");
        server.script(kInfo, StandinReply::success(QJsonObject{{"id", "wg-1"},
                                                               {"name", ""},
                                                               {"admin_user_id", bo},
                                                               {"admin_user_name", "bo"},
                                                               {"member_list", QJsonArray()},
                                                               {"ip_list", QJsonArray()}}));
        QSignalSpy changes(state(), &State::workgroupInfoChange);
        ctrl()->fetchWorkgroupInfo("wg-1");
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount(kInfo), 2, 5000);
        QTest::qWait(200);
        QCOMPARE(changes.count(), 0);
        QCOMPARE(record("wg-1"), before);
    }

    // Picking a workgroup makes it current and loads its members; a query still pending for
    // the workgroup picked before is dropped.
    void selectionLoadsWorkgroupAndDropsOlderQuery()
    {
        server.accounts().addWorkgroup("solo", "ann");
        QCOMPARE(makeTeam(), QString("wg-2"));
        openPage();
        QCOMPARE(state()->workgroupCurId(), QString("wg-1"));
        const QJsonObject stale{{"id", "wg-1"}, {"name", "solo"}, {"admin_user_id", "10001"}, {"admin_user_name", "ann"},
                                {"member_list", QJsonArray{QJsonObject{{"user_id", "666"}, {"user_name", "ghost"}}}},
                                {"ip_list", QJsonArray()}};
        server.script(kInfo, StandinReply::success(stale).after(600));
        QSignalSpy selections(state(), &State::workgroupCurIdChange);
        run("fetchWorkgroupInfo", {"wg-1"});
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount(kInfo), 2, 5000); // the older query is on its way
        run("fetchWorkgroupInfo", {"wg-2"});
        QCOMPARE(selections.count(), 2);
        QCOMPARE(state()->workgroupCurId(), QString("wg-2"));
        QTRY_COMPARE_WITH_TIMEOUT(shownMembers("wg-2"), (QStringList{"ann+self+admin", "bo"}), 5000);
        QCOMPARE(shownIps("wg-2"), QStringList{"10.0.0.9"});
        QCOMPARE(record("wg-2")["adminName"].toString(), QString("ann"));
        QTest::qWait(900); // past the moment the dropped reply was due
        QCOMPARE(shownMembers("wg-1"), QStringList{"ann+self+admin"});
    }

    // The first workgroup created is shown; a later one leaves the page where it is.
    void creatingWorkgroupsAndDefault()
    {
        openPage();
        run("addWorkgroup", {"alpha"});
        QTRY_COMPARE_WITH_TIMEOUT(state()->workgroupCurId(), QString("wg-1"), 5000);
        const QVariantMap created = record("wg-1");
        QCOMPARE(created["name"].toString(), QString("alpha"));
        QCOMPARE(created["type"].toString(), QString("pre"));
        QCOMPARE(created["balance"].toDouble(), 0.0);
        QCOMPARE(created["adminName"].toString(), QString("ann"));
        QVERIFY(created["selfAdmin"].toBool());
        QCOMPARE(shownMembers("wg-1"), QStringList{"ann+self+admin"});
        const QVariantMap sent = server.requests(kAc + "addWorkgroup").value(0).body.toVariantMap()["value"].toMap();
        QCOMPARE(sent["create_user_name"].toString(), QString("ann"));
        QCOMPARE(sent["create_user_id"].toString(), QString("10001"));

        run("addWorkgroup", {"beta"});
        QTRY_VERIFY_WITH_TIMEOUT(state()->workgroupInfo().contains("wg-2"), 5000);
        QCOMPARE(state()->workgroupCurId(), QString("wg-1"));
        QCOMPARE(server.requestCount(kInfo), 0);

        run("updateDefaultWorkgroup", {"wg-2"});
        QTRY_COMPARE_WITH_TIMEOUT(state()->userDefaultWorkgroup(), QString("wg-2"), 5000);
        QCOMPARE(server.accounts().user("10001")->defaultWorkgroup, QString("wg-2"));
    }
};

PARLAVINE_TEST_MAIN(TestUserInfoCtrl)
#include "tst_UserInfoCtrl.moc"
