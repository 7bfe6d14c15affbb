#include "account/UserService.h"
#include "core/State.h"
#include "core/User.h"
#include "network/QSharedReply.h"
#include "network/RequestService.h"
#include "update/VexilService.h"

#include "StandinFixture.h"
#include "TestMain.h"

#include <QtTest>

#include <sys/socket.h>
#include <unistd.h>

Q_DECLARE_METATYPE(QList<StandinReply>)
Q_DECLARE_METATYPE(StandinReply)

namespace {

struct Result
{
    int calls = 0;
    bool ok = false;
    QVariantMap data;
};
using ResultPtr = QSharedPointer<Result>;

const QString kApi = QStringLiteral("/api/test/probe");
const QString kImtFn = QStringLiteral("probe");
const QString kRenewal = QStringLiteral("/api/accesscontrol/updateUserSession");
const QString kCollect = QStringLiteral("/collect");

StandinRoute echoRoute(const QString& key, StandinEnvelope envelope)
{
    StandinRoute route;
    route.key = key;
    route.envelope = envelope;
    route.handler = [](const StandinRequest& request, StandinServer&) {
        return StandinReply::success(request.at(QStringLiteral("value")));
    };
    return route;
}

} // namespace

class TestRequestService : public QObject
{
    Q_OBJECT
private:
    StandinFixture standin;
    StandinServer& server = standin.server();

    static ServiceCallback recorder(const ResultPtr& result)
    {
        return [result](bool ok, const QVariantMap& data) {
            ++result->calls;
            result->ok = ok;
            result->data = data;
        };
    }

    static QJsonObject apiBody(int n)
    {
        User* user = User::instance();
        return *RequestService::makeBody(QVariantMap{{"n", n}}, QVariantMap{{"session", user->session},
                                                                           {"client_key", user->clientKey},
                                                                           {"user_name", user->userName}});
    }

    ResultPtr postApi(int n, const QString& hudWindow = QString())
    {
        auto result = ResultPtr::create();
        RequestService::instance()->postJson(kApi, apiBody(n), recorder(result), hudWindow, true, 3);
        return result;
    }

    static void logIn(const QString& id, const QString& session)
    {
        User* user = User::instance();
        user->clear();
        user->userId = id;
        user->userName = QStringLiteral("name-") + id;
        user->session = session;
        user->profileLoaded = true;
    }

    QList<int> sentNumbers(const QString& session) const
    {
        QList<int> numbers;
        for (const StandinRequest& request : server.requests(kApi)) {
            if (request.session() == session)
                numbers << request.at(QStringLiteral("value.n")).toInt();
        }
        return numbers;
    }

    // The huds shown since the given count, as "type|title|window".
    static QStringList hudsFrom(int before)
    {
        QStringList shown;
        for (const QVariant& hud : State::instance()->windowHud().mid(before)) {
            const QVariantMap map = hud.toMap();
            shown << QStringList{map["type"].toString(), map["title"].toString(), map["window"].toString()}.join('|');
        }
        return shown;
    }

    // A call that hangs past its deadline has ended after every call sent before it.
    void waitPastEarlierDeadlines()
    {
        server.script(kApi, StandinReply::hang());
        const ResultPtr marker = postApi(99);
        QTRY_COMPARE_WITH_TIMEOUT(marker->calls, 1, 5000);
        QCOMPARE(marker->data, (QVariantMap{{"errorCode", -100}}));
    }

private slots:
    void initTestCase()
    {
        qputenv("PARLAVINE_REQUEST_TIMEOUT_MS", "800");
        server.addRoute(echoRoute(kApi, StandinEnvelope::Api));
        server.addRoute(echoRoute(StandinRoute::imtKey(kImtFn), StandinEnvelope::Imt));
    }
    void init()
    {
        standin.reset();
        logIn(QStringLiteral("u1"), QStringLiteral("s1"));
    }
    void cleanup() { standin.verify(); }

    void replies_data()
    {
        QTest::addColumn<bool>("imt");
        QTest::addColumn<QList<StandinReply>>("script");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QVariantMap>("data"); // compared key by key
        QTest::addColumn<int>("requests");
        QTest::addColumn<QString>("reportExt"); // empty: nothing reported
        QTest::addColumn<QStringList>("huds");

        const QJsonObject nullValue{{"status", 200}, {"value", QJsonValue::Null}, {"error", "e"}, {"message", "m"}};
        const StandinReply busy = StandinReply::failure("boom", "busy", 500);
        const StandinReply quiet = StandinReply::failure("boom", "", 500);
        QTest::newRow("object") << false << QList<StandinReply>{StandinReply::success(QJsonObject{{"a", 1}})} << true
                                << QVariantMap{{"a", 1}} << 1 << "" << QStringList();
        QTest::newRow("array") << false << QList<StandinReply>{StandinReply::success(QJsonArray{1, 2})} << true
                               << QVariantMap{{"value", QVariantList{1, 2}}} << 1 << "" << QStringList();
        QTest::newRow("null") << false << QList<StandinReply>{StandinReply::json(nullValue)} << true
                              << QVariantMap{{"value", "null"}, {"error", "e"}, {"message", "m"}} << 1 << ""
                              << QStringList();
        QTest::newRow("500 twice then 200") << false << QList<StandinReply>{busy, busy, StandinReply::success()}
                                            << true << QVariantMap() << 3 << "" << QStringList();
        QTest::newRow("500 three times") << false << QList<StandinReply>{busy, busy, busy} << false
                                         << QVariantMap{{"status", 500}, {"message", "busy"}} << 3 << "boom:busy"
                                         << QStringList{"warning|busy|main"};
        QTest::newRow("500 without message") << false << QList<StandinReply>{quiet, quiet, quiet} << false
                                             << QVariantMap{{"status", 500}} << 3 << "" << QStringList();
        QTest::newRow("403 is not retried") << false << QList<StandinReply>{StandinReply::failure("no", "m", 403)}
                                            << false << QVariantMap{{"status", 403}} << 1 << "" << QStringList();
        QTest::newRow("401 other than Session-Out")
            << false << QList<StandinReply>{StandinReply::failure("Forbidden", "m", 401)} << false
            << QVariantMap{{"status", 401}} << 1 << "" << QStringList{"warning|Forbidden|main"};
        QTest::newRow("transport failure is not retried")
            << false << QList<StandinReply>{StandinReply::httpStatus(503)} << false
            << QVariantMap{{"errorCode", int(QNetworkReply::ServiceUnavailableError)}} << 1 << ""
            << QStringList{"error|网络异常，请检查网络|main"};
        QTest::newRow("imt succ") << true << QList<StandinReply>{StandinReply::success(QJsonObject{{"x", 1}})}
                                  << true << QVariantMap{{"x", 1}} << 1 << "" << QStringList();
        QTest::newRow("imt without header") << true << QList<StandinReply>{StandinReply::json({{"x", 1}})} << false
                                            << QVariantMap{{"x", 1}} << 1 << "" << QStringList();
        QTest::newRow("imt failing three times") << true << QList<StandinReply>{busy, busy, busy} << false
                                                 << QVariantMap{{"message", "busy"}} << 3 << "boom:busy"
                                                 << QStringList{"error|busy|main"};
    }
    void replies()
    {
        QFETCH(bool, imt);
        QFETCH(QList<StandinReply>, script);
        QFETCH(bool, ok);
        QFETCH(QVariantMap, data);
        QFETCH(int, requests);
        QFETCH(QString, reportExt);
        QFETCH(QStringList, huds);
        const QString route = imt ? StandinRoute::imtKey(kImtFn) : kApi;
        for (const StandinReply& reply : script)
            server.script(route, reply);
        const int reportsBefore = server.requestCount(kCollect);
        const int hudsBefore = State::instance()->windowHud().size();

        const auto result = ResultPtr::create();
        if (imt) {
            const QJsonObject body{{"header", QJsonObject{{"fn", kImtFn}, {"session", "s1"}}}};
            RequestService::instance()->postJsonForTrans("/api/imt", body, recorder(result), "main", 3);
        } else {
            RequestService::instance()->postJson(kApi, apiBody(1), recorder(result), "main", true, 3);
        }
        QTRY_COMPARE_WITH_TIMEOUT(result->calls, 1, 5000);
        QCOMPARE(result->ok, ok);
        for (auto it = data.cbegin(); it != data.cend(); ++it)
            QCOMPARE(result->data.value(it.key()), it.value());
        QCOMPARE(server.requestCount(route), requests);
        QCOMPARE(hudsFrom(hudsBefore), huds);

        // A marker after the call: the batch that carries it holds whatever the call reported.
        VexilService::instance()->reportError(QStringLiteral("marker"), QString());
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount(kCollect), reportsBefore + 1, 5000);
        const StandinRequest batch = server.requests(kCollect).last();
        QCOMPARE(batch.body.value("count").toString(), reportExt.isEmpty() ? QString("1") : QString("2"));
        if (!reportExt.isEmpty()) {
            const QString message = batch.body.value("msg[0]").toString().section('|', 0, -2);
            QVERIFY2(message.startsWith("post[")
                         && message.endsWith(server.apiUrl() + "/api/" + (imt ? "imt" : "test/probe")),
                     qPrintable(message));
            QCOMPARE(batch.body.value("ext1[0]").toString(), reportExt);
        }
    }

    // The toast names the HTTP status or the transport's failure in words; the caller still gets the
    // network layer's code.
    void transportFailureToastShowsTheHttpStatus_data()
    {
        QTest::addColumn<StandinReply>("reply");
        QTest::addColumn<int>("errorCode");
        QTest::addColumn<QString>("detail");
        QTest::newRow("500") << StandinReply::httpStatus(500) << int(QNetworkReply::InternalServerError) << "HTTP 500";
        QTest::newRow("404") << StandinReply::httpStatus(404) << int(QNetworkReply::ContentNotFoundError) << "HTTP 404";
        QTest::newRow("connection dropped") << StandinReply::disconnect() << int(QNetworkReply::RemoteHostClosedError)
                                            << QString("服务器断开了连接");
    }

    void transportFailureToastShowsTheHttpStatus()
    {
        QFETCH(StandinReply, reply);
        QFETCH(int, errorCode);
        server.script(kApi, reply);
        const int hudsBefore = State::instance()->windowHud().size();
        const ResultPtr result = postApi(1, "main");
        QTRY_COMPARE_WITH_TIMEOUT(result->calls, 1, 5000);
        QCOMPARE(result->data, (QVariantMap{{"errorCode", errorCode}}));
        const QVariantList huds = State::instance()->windowHud().mid(hudsBefore);
        QCOMPARE(huds.size(), 1);
        QCOMPARE(huds.first().toMap().value("title").toString(), QString("网络异常，请检查网络"));
        QTEST(huds.first().toMap().value("message").toString(), "detail");
    }

    // The server closes its kept-alive connection as the next request comes in, after reading it. Qt
    // sends a request again then; a call that changes something reaches the server once, on a
    // connection of its own, and ends with the first answer of any kind.
    void callsSentOnceReachTheServiceOnce_data()
    {
        QTest::addColumn<QString>("envelope"); // "api", "imt", or "imt fields" (the streamed body)
        QTest::addColumn<int>("tries");
        QTest::addColumn<StandinReply>("reply");
        QTest::addColumn<int>("sent");
        QTest::addColumn<bool>("ok");
        const StandinReply closed = StandinReply::closeUnanswered();
        const StandinReply busy = StandinReply::failure("boom", "busy", 500);
        QTest::newRow("a read is sent again by the transport") << "api" << 3 << closed << 2 << true;
        QTest::newRow("once, closed") << "api" << RequestService::Once << closed << 1 << false;
        QTest::newRow("once, closed, imt") << "imt" << RequestService::Once << closed << 1 << false;
        QTest::newRow("once, closed, imt fields") << "imt fields" << RequestService::Once << closed << 1 << false;
        QTest::newRow("once, 500") << "api" << RequestService::Once << busy << 1 << false;
        QTest::newRow("once, imt failure") << "imt" << RequestService::Once << busy << 1 << false;
    }
    void callsSentOnceReachTheServiceOnce()
    {
        QFETCH(QString, envelope);
        QFETCH(int, tries);
        QFETCH(StandinReply, reply);
        QFETCH(int, sent);
        QFETCH(bool, ok);
        const QString route = envelope == "api" ? kApi : StandinRoute::imtKey(kImtFn);
        // A first exchange leaves a kept-alive connection behind.
        const ResultPtr first = postApi(0);
        QTRY_COMPARE_WITH_TIMEOUT(first->calls, 1, 5000);
        const int keptPort = server.requests(kApi).first().clientPort;

        server.script(route, reply);
        const int hudsBefore = State::instance()->windowHud().size();
        const auto result = ResultPtr::create();
        RequestService* service = RequestService::instance();
        const QJsonObject header{{"fn", kImtFn}, {"session", "s1"}};
        if (envelope == "api")
            service->postJson(kApi, apiBody(1), recorder(result), "main", true, tries);
        else if (envelope == "imt")
            service->postJsonForTrans("/api/imt", QJsonObject{{"header", header}}, recorder(result), "main", tries);
        else
            service->postJsonBytesForTrans("/api/imt", header, "\"n\":1", recorder(result), "main", tries);
        QTRY_COMPARE_WITH_TIMEOUT(result->calls, 1, 5000);
        QCOMPARE(result->ok, ok);
        QList<StandinRequest> requests = server.requests(route);
        if (envelope == "api")
            requests.removeFirst(); // the first exchange
        QCOMPARE(requests.size(), sent);
        // A read goes on the connection kept alive; a call sent once never does.
        QCOMPARE(requests.first().clientPort == keptPort, tries != RequestService::Once);
        if (reply.kind == StandinReply::Kind::CloseUnanswered && !ok)
            QCOMPARE(hudsFrom(hudsBefore).value(0), QString("error|网络异常，请检查网络|main"));
    }

    // The server went away from a kept-alive connection before the client noticed, and the call's
    // first write fails. Qt's own resend then ends, now and then, in an "unknown" error, which asks
    // the user to install dependencies: a call that may be repeated goes out again instead, on a new
    // connection. Rounds, since Qt fails only some of the time.
    void readOnAConnectionGoneUnderTheWriteIsAnswered()
    {
        const int hudsBefore = State::instance()->windowHud().size();
        for (int round = 0; round < 10; ++round) {
            const ResultPtr first = postApi(2 * round);
            QTRY_COMPARE_WITH_TIMEOUT(first->calls, 1, 5000);
            const int keptPort = server.requests(kApi).last().clientPort;
            const int client = StandinServer::socketBetween(keptPort, server.apiPort());
            const int served = StandinServer::socketBetween(server.apiPort(), keptPort);
            QVERIFY(client >= 0 && served >= 0);
            // The stand-in's end stays open, so no end of stream reaches the client, while the
            // client's own writes fail at once.
            const int held = dup(served);
            QVERIFY(held >= 0);
            QCOMPARE(shutdown(client, SHUT_WR), 0);

            const ResultPtr result = postApi(2 * round + 1, "main");
            QTRY_COMPARE_WITH_TIMEOUT(result->calls, 1, 5000);
            close(held);
            QCOMPARE(hudsFrom(hudsBefore), QStringList());
            QVERIFY(result->ok);
            QCOMPARE(sentNumbers(User::instance()->session).count(2 * round + 1), 1);
        }
    }

    void renewalReSendsParkedCallsWithTheNewSession()
    {
        server.script(kRenewal, StandinReply::byDefault().after(600));
        for (int i = 0; i < 4; ++i)
            server.script(kApi, StandinReply::sessionOut());
        UserService().updateUserSession({});
        QList<ResultPtr> results{postApi(1), postApi(2), postApi(3)};
        QSharedReply slot;
        slot.setReply(RequestService::instance()->postJson(kApi, apiBody(4), recorder(results.value(3)), "", true, 3));
        QTRY_COMPARE(server.requestCount(kApi), 4);
        slot.abort(true); // cancelled while parked: never sent again

        for (int i = 0; i < 3; ++i)
            QTRY_COMPARE_WITH_TIMEOUT(results[i]->calls, 1, 5000);
        const QString renewed = User::instance()->session;
        QVERIFY(renewed != QStringLiteral("s1"));
        QCOMPARE(server.requestCount(kRenewal), 1);
        // The client re-sends in parking order, but parallel connections may reorder arrivals.
        QList<int> resent = sentNumbers(renewed);
        std::sort(resent.begin(), resent.end());
        QCOMPARE(resent, (QList<int>{1, 2, 3}));
        for (const ResultPtr& result : results.mid(0, 3))
            QVERIFY(result->ok);
        QVERIFY(!User::instance()->userSessionUpdating);
    }

    void renewalAnsweredSessionOutLogsOut()
    {
        server.script(kRenewal, StandinReply::sessionOut().after(400));
        server.script(kApi, StandinReply::sessionOut());
        server.script(kApi, StandinReply::sessionOut());
        const int hudsBefore = State::instance()->windowHud().size();
        const auto renewal = ResultPtr::create();
        UserService().updateUserSession(recorder(renewal));
        const QList<ResultPtr> parked{postApi(1), postApi(2)};

        QTRY_COMPARE_WITH_TIMEOUT(renewal->calls, 1, 5000);
        QVERIFY(!renewal->ok);
        QVERIFY(User::instance()->isLoggedOut());
        QVERIFY(!User::instance()->userSessionUpdating);
        QCOMPARE(hudsFrom(hudsBefore), QStringList{"warning|登录态过期，请重新登录|login"});
        for (const ResultPtr& result : parked) {
            QCOMPARE(result->calls, 1);
            QCOMPARE(result->data.value("error").toString(), QStringLiteral("Session-Out"));
        }
        emit User::instance()->sessionUpdateFinished(); // nothing is left parked
        QCOMPARE(server.requestCount(kApi), 2);
        QCOMPARE(server.requestCount(kRenewal), 1);
    }

    void parkedCallNeverLandsInAnotherAccount()
    {
        server.script(kRenewal, StandinReply::byDefault().after(400));
        server.script(kApi, StandinReply::sessionOut());
        UserService().updateUserSession({});
        const ResultPtr parked = postApi(1);
        QTRY_COMPARE(server.requestCount(kApi), 1);
        logIn(QStringLiteral("u2"), QStringLiteral("s1"));
        User::instance()->userSessionUpdating = true;

        QTRY_COMPARE_WITH_TIMEOUT(parked->calls, 1, 5000);
        QVERIFY(!parked->ok);
        QCOMPARE(server.requestCount(kApi), 1);
    }

    void cancelReachesRetries()
    {
        server.script(kApi, StandinReply::failure("boom", "busy", 500));
        server.script(kApi, StandinReply::success(QJsonObject{{"stale", true}}).after(300));
        QSharedReply slot;
        const auto first = ResultPtr::create();
        slot.setReply(RequestService::instance()->postJson(kApi, apiBody(1), recorder(first), "main", true, 3));
        QTRY_COMPARE(server.requestCount(kApi), 2); // the retry is on the wire

        const auto second = ResultPtr::create();
        slot.setReply(RequestService::instance()->postJson(kApi, apiBody(2), recorder(second), "main", true, 3));
        QTRY_COMPARE_WITH_TIMEOUT(second->calls, 1, 5000);
        QCOMPARE(second->data, (QVariantMap{{"n", 2}}));
        waitPastEarlierDeadlines();
        QCOMPARE(first->calls, 0);
    }
};

PARLAVINE_TEST_MAIN(TestRequestService)
#include "tst_RequestService.moc"
