#include "network/Request.h"

#include "StandinFixture.h"
#include "TestMain.h"

#include <QtTest>

#include <dirent.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

Q_DECLARE_METATYPE(StandinReply)

namespace {

// What one exchange delivered: the callbacks are counted, so a second report shows.
struct Outcome
{
    int calls = 0;
    bool ok = false;
    int type = 0;
    int code = 0;
    QVariantMap data;
};

const QString kRoute = QStringLiteral("/transport");

StandinRoute transportRoute()
{
    StandinRoute route;
    route.key = kRoute;
    route.envelope = StandinEnvelope::Plain;
    return route;
}

// The low-delay flag of each of the process's TCP connections to `port`.
QList<bool> noDelayOfConnectionsTo(quint16 port)
{
    QList<bool> found;
    const QStringList fds = QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System);
    for (const QString& name : fds) {
        const int fd = name.toInt();
        sockaddr_in peer{};
        socklen_t length = sizeof(peer);
        if (getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &length) != 0 || peer.sin_family != AF_INET
            || ntohs(peer.sin_port) != port)
            continue;
        int on = 0;
        length = sizeof(on);
        found.append(getsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, &length) == 0 && on);
    }
    return found;
}

} // namespace

class TestRequest : public QObject
{
    Q_OBJECT
private:
    StandinFixture standin;
    StandinServer& server = standin.server();
    Request request;

    QSharedPointer<QNetworkReply> post(const QSharedPointer<Outcome>& outcome, int timeoutMs)
    {
        const QJsonObject body{{QStringLiteral("q"), 1}};
        return request.asyncPostJson(
            server.apiUrl() + kRoute, &body, timeoutMs,
            [outcome](QVariantMap& data, QSharedPointer<QNetworkReply>) {
                ++outcome->calls;
                outcome->ok = true;
                outcome->data = data;
            },
            [outcome](Request::RequestErrorType type, int code, QSharedPointer<QNetworkReply>) {
                ++outcome->calls;
                outcome->type = type;
                outcome->code = code;
            });
    }

    // A later exchange that has ended proves that nothing of an earlier one is still on its way.
    void settle(const StandinReply& reply, int timeoutMs)
    {
        server.script(kRoute, reply);
        const auto marker = QSharedPointer<Outcome>::create();
        post(marker, timeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(marker->calls, 1, 5000);
    }

private slots:
    void initTestCase() { server.addRoute(transportRoute()); }
    void init() { standin.reset(); }
    void cleanup() { standin.verify(); }

    // Once a reply has come, the connection kept for the next request sends a body without waiting
    // for the acknowledgement of its header.
    void theKeptConnectionSendsWithoutDelay()
    {
        const auto outcome = QSharedPointer<Outcome>::create();
        post(outcome, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(outcome->calls, 1, 5000);
        QVERIFY(outcome->ok);
        const QList<bool> flags = noDelayOfConnectionsTo(QUrl(server.apiUrl()).port());
        QVERIFY(!flags.isEmpty());
        QVERIFY(!flags.contains(false));
    }

    void makeRequest_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QVariantMap>("query");
        QTest::addColumn<bool>("withQuery");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no map keeps the query") << "http://h/p?a=1" << QVariantMap() << false << "http://h/p?a=1";
        QTest::newRow("empty map strips it") << "http://h/p?a=1" << QVariantMap() << true << "http://h/p";
        QTest::newRow("map replaces it, in key order")
            << "http://h/p?a=1" << QVariantMap{{"z", 2}, {"b", "x y"}} << true << "http://h/p?b=x%20y&z=2";
    }
    void makeRequest()
    {
        QFETCH(QString, url);
        QFETCH(QVariantMap, query);
        QFETCH(bool, withQuery);
        QFETCH(QString, expected);
        const QVariantMap header{{"content-type", "text/plain"}, {"X-Token", 7}};
        const auto built = Request::makeRequest(url, withQuery ? &query : nullptr, &header);
        QCOMPARE(built->url().toString(QUrl::FullyEncoded), expected);
        QCOMPARE(built->header(QNetworkRequest::ContentTypeHeader).toString(), QStringLiteral("text/plain"));
        QCOMPARE(built->rawHeader("X-Token"), QByteArray("7"));
    }

    void outcomes_data()
    {
        QTest::addColumn<StandinReply>("reply");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("code");
        QTest::addColumn<QVariantMap>("data");
        QTest::newRow("json in capitals with charset")
            << StandinReply::raw(R"({"a":1})", "Application/JSON; charset=UTF-8") << true << 0 << 0
            << QVariantMap{{"a", 1}};
        QTest::newRow("json array") << StandinReply::raw("[1,2]", "application/json") << true << 0 << 0
                                    << QVariantMap();
        QTest::newRow("invalid json") << StandinReply::malformedJson() << true << 0 << 0 << QVariantMap();
        QTest::newRow("plain text") << StandinReply::raw("h\xc3\xa9", "text/plain; charset=utf-8") << true << 0 << 0
                                    << QVariantMap{{"text", QStringLiteral("hé")}};
        QTest::newRow("html") << StandinReply::raw("<p>x</p>", "text/html") << true << 0 << 0
                              << QVariantMap{{"bytes", QByteArray("<p>x</p>")}};
        QTest::newRow("redirect not followed") << StandinReply::httpStatus(302) << false << int(Request::Reply)
                                               << -301 << QVariantMap();
        QTest::newRow("500") << StandinReply::httpStatus(500) << false << int(Request::Network)
                             << int(QNetworkReply::InternalServerError) << QVariantMap();
        QTest::newRow("503") << StandinReply::httpStatus(503) << false << int(Request::Network)
                             << int(QNetworkReply::ServiceUnavailableError) << QVariantMap();
        QTest::newRow("dropped mid-reply") << StandinReply::disconnect() << false << int(Request::Network)
                                           << int(QNetworkReply::RemoteHostClosedError) << QVariantMap();
        QTest::newRow("hang") << StandinReply::hang() << false << int(Request::Timeout) << -100 << QVariantMap();
    }
    void outcomes()
    {
        QFETCH(StandinReply, reply);
        QFETCH(bool, ok);
        QFETCH(int, type);
        QFETCH(int, code);
        QFETCH(QVariantMap, data);
        server.script(kRoute, reply);
        const auto outcome = QSharedPointer<Outcome>::create();
        post(outcome, 300);
        QTRY_COMPARE_WITH_TIMEOUT(outcome->calls, 1, 5000);
        QCOMPARE(outcome->ok, ok);
        QCOMPARE(outcome->type, type);
        QCOMPARE(outcome->code, code);
        QCOMPARE(outcome->data, data);
        settle(StandinReply::hang(), 300); // outlives any late second report
        QCOMPARE(outcome->calls, 1);
    }

    void cancelledReplyNeverReports()
    {
        server.script(kRoute, StandinReply::hang());
        const auto outcome = QSharedPointer<Outcome>::create();
        const auto reply = post(outcome, 300);
        QTRY_COMPARE(server.requestCount(kRoute), 1);
        Request::cancelReply(reply);
        settle(StandinReply::hang(), 300); // sent later, so its deadline comes after the old one
        QCOMPARE(outcome->calls, 0);
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestRequest)
#include "tst_Request.moc"
