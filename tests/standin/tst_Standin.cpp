#include "Fixtures.h"
#include "StandinFixture.h"
#include "TestMain.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>

Q_DECLARE_METATYPE(StandinReply)

namespace {

struct Exchange
{
    bool finished = false;
    int status = 0;
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    QByteArray contentType;
    QByteArray body;
    qint64 elapsedMs = 0;

    QJsonObject json() const { return QJsonDocument::fromJson(body).object(); }
};

// A dotted path into a JSON object; numeric parts index arrays ("sentence_list.1.str").
QJsonValue valueAt(const QJsonObject& object, const QString& path)
{
    QJsonValue value = object;
    for (const QString& part : path.split(QLatin1Char('.'))) {
        bool index = false;
        const int i = part.toInt(&index);
        value = index ? value.toArray().at(i) : value.toObject().value(part);
    }
    return value;
}

QJsonObject imtBody(const QString& fn, QJsonObject fields, const QString& session = QStringLiteral("s1"))
{
    fields.insert("header", QJsonObject{{"fn", fn}, {"session", session}, {"client_key", "desktop-1"}, {"user", "ann"}});
    return fields;
}

QJsonObject analysisBody(const QString& text, bool merge = false, const QString& session = QStringLiteral("s1"))
{
    return imtBody("text_analysis", {{"normalize", QJsonObject{{"merge_broken_line", merge}}}, {"text", text}, {"type", "plain"}},
                   session);
}

QJsonObject renewalBody(const QString& session)
{
    const QString checkCode = StandinAccounts::checkCode("ann", "desktop-1", "1700000000000", true);
    return {{"header", QJsonObject{{"session", session}, {"client_key", "desktop-1"}, {"user_name", "ann"}}},
            {"value", QJsonObject{{"user_id", "7"}, {"auto_login", true}, {"update_time", "1700000000000"},
                                  {"check_code", checkCode}, {"client_key", "desktop-1"}, {"session", session}}}};
}

const QJsonObject CheckVersionBody = {
    {"value", QJsonObject{{"name", "Parlavine"}, {"system_type", "linux"}, {"old_version", "0.11.0"}, {"request_time", 1700}}}};

const QString CheckVersion = QStringLiteral("/api/resourcemanageserver/checkVersion");

} // namespace

class TestStandin : public QObject
{
    Q_OBJECT

    StandinFixture m_standin;
    QNetworkAccessManager m_network;

    Exchange send(const QString& path, const QByteArray& body, const QByteArray& method = "POST",
                  const QString& base = QString(), const QByteArray& contentType = "application/json",
                  int timeoutMs = 5000)
    {
        QNetworkRequest request(QUrl((base.isEmpty() ? m_standin->apiUrl() : base) + path));
        request.setHeader(QNetworkRequest::ContentTypeHeader, contentType);
        request.setTransferTimeout(timeoutMs);
        QElapsedTimer clock;
        clock.start();
        QNetworkReply* reply = m_network.sendCustomRequest(request, method, body);
        QSignalSpy finished(reply, &QNetworkReply::finished);
        Exchange exchange;
        exchange.finished = finished.wait(timeoutMs + 5000);
        exchange.elapsedMs = clock.elapsed();
        exchange.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        exchange.error = reply->error();
        exchange.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
        exchange.body = reply->isOpen() ? reply->readAll() : QByteArray();
        reply->deleteLater();
        return exchange;
    }

    Exchange post(const QString& path, const QJsonObject& body)
    {
        return send(path, QJsonDocument(body).toJson(QJsonDocument::Compact));
    }

private slots:
    void init() { m_standin.reset(); }
    void cleanup() { m_standin.verify(); }

    void defaultReplies_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QJsonObject>("body");
        QTest::addColumn<QString>("route");
        QTest::addColumn<QJsonObject>("expected");   // dotted path -> value

        const QJsonArray threeSentences = {
            QJsonObject{{"str", "Hello world."}, {"start", 0}, {"len", 12}},
            QJsonObject{{"str", "Good morning!"}, {"start", 13}, {"len", 13}},
            QJsonObject{{"str", "你好。"}, {"start", 28}, {"len", 3}}};
        QTest::newRow("imt text_analysis")
            << "api" << QByteArray("POST") << "/api/imt" << analysisBody("Hello world. Good morning!\n\n你好。")
            << "imt:text_analysis"
            << QJsonObject{{"header.ret_code", "succ"}, {"header.request_id", "standin-1"}, {"language", "zh"},
                           {"sentence_list", threeSentences}};
        QTest::newRow("imt text_analysis merging lines")
            << "api" << QByteArray("POST") << "/api/imt" << analysisBody("one\ntwo\n\nthree", true) << "imt:text_analysis"
            << QJsonObject{{"text", "one two\n\nthree"}, {"language", "en"}, {"sentence_list.0.str", "one two"},
                           {"sentence_list.1.start", 9}};
        QTest::newRow("imt auto_translation")
            << "api" << QByteArray("POST") << "/api/imt"
            << imtBody("auto_translation", {{"model_category", "normal"}, {"type", "plain"},
                                            {"reference", QJsonObject{{"sentence_lib", QJsonArray()}, {"term_lib", QJsonArray()}}},
                                            {"source", QJsonObject{{"lang", "en"}, {"text_list", QJsonArray{"Hello world.", "Unknown cat"}}}},
                                            {"target", QJsonObject{{"lang", "zh"}}}})
            << "imt:auto_translation"
            << QJsonObject{{"header.ret_code", "succ"}, {"auto_translation", QJsonArray{"[zh] 你好 世界.", "[zh] Unknown 猫"}}};
        QTest::newRow("imt auto_translation from Chinese")
            << "api" << QByteArray("POST") << "/api/imt"
            << imtBody("auto_translation", {{"model_category", "normal"}, {"type", "plain"},
                                            {"reference", QJsonObject{{"sentence_lib", QJsonArray()}, {"term_lib", QJsonArray()}}},
                                            {"source", QJsonObject{{"lang", "zh"}, {"text_list", QJsonArray{"你好世界。"}}}},
                                            {"target", QJsonObject{{"lang", "en"}}}})
            << "imt:auto_translation" << QJsonObject{{"auto_translation", QJsonArray{"[en] hello world."}}};
        QTest::newRow("imt support_lang with the function name alone")
            << "api" << QByteArray("POST") << "/api/imt"
            << QJsonObject{{"header", QJsonObject{{"fn", "support_lang"}}}, {"type", "auto_translation"}, {"sort_by", "pinyin"}}
            << "imt:support_lang"
            << QJsonObject{{"prefer_source_lang.0.code", "auto"}, {"full_lang_pair.1.source.code", "zh"},
                           {"full_lang_pair.1.target_list.0.preferable", true},
                           {"full_lang_pair.1.target_list.0.support.auto_translation", true}};
        QTest::newRow("api session renewal")
            << "api" << QByteArray("POST") << "/api/accesscontrol/updateUserSession" << renewalBody("s1")
            << "/api/accesscontrol/updateUserSession"
            << QJsonObject{{"status", 200}, {"value.session", "standin-session-1"}, {"error", ""}};
        QTest::newRow("api version check: up to date")
            << "api" << QByteArray("POST") << CheckVersion << CheckVersionBody << CheckVersion
            << QJsonObject{{"status", 200}, {"value", QJsonValue::Null}, {"message", ""}};
        QTest::newRow("plain configuration document")
            << "api" << QByteArray("GET") << "/files/config/desktop.json" << QJsonObject() << "/files/config/desktop.json"
            << QJsonObject{{"blackwhite", false}};
        QTest::newRow("collector page view")
            << "collector" << QByteArray("GET") << "/collect/pv?from=parlavine_home&id=Q&sessionId=&uin=&version=0.11.0"
            << QJsonObject() << "/collect/pv" << QJsonObject();
    }
    void defaultReplies()
    {
        QFETCH(QString, port);
        QFETCH(QByteArray, method);
        QFETCH(QString, path);
        QFETCH(QJsonObject, body);
        QFETCH(QString, route);
        QFETCH(QJsonObject, expected);

        const QString base = port == "api" ? m_standin->apiUrl() : m_standin->collectorUrl();
        const QByteArray bytes = body.isEmpty() ? QByteArray() : QJsonDocument(body).toJson();
        const Exchange exchange = send(path, bytes, method, base);
        QVERIFY(exchange.finished);
        QCOMPARE(exchange.status, 200);
        if (route != "/files/config/desktop.json")
            QCOMPARE(exchange.contentType, QByteArray("application/json"));
        for (auto it = expected.constBegin(); it != expected.constEnd(); ++it)
            QCOMPARE(valueAt(exchange.json(), it.key()), it.value());

        const QList<StandinRequest> log = m_standin->requests();
        QCOMPARE(log.size(), 1);
        QCOMPARE(log.first().route, route);
        QCOMPARE(log.first().port, port);
        QCOMPARE(log.first().body, body);
        QVERIFY(log.first().violation.isEmpty());
    }

    void collectorFormAndQueryAreRecorded()
    {
        const QString path = "/collect?uin=7&sessionId=s1&id=Q&version=0.11.0&ext3=Linux%7Cx86_64";
        const Exchange exchange = send(path, "msg[0]=boom%7C17&ext1[0]=x&level[0]=4&count=1", "POST",
                                       m_standin->collectorUrl(), "application/x-www-form-urlencoded");
        QCOMPARE(exchange.status, 200);
        const StandinRequest request = m_standin->requests("/collect").value(0);
        QCOMPARE(request.query.value("ext3"), QStringLiteral("Linux|x86_64"));
        QCOMPARE(request.body.value("msg[0]").toString(), QStringLiteral("boom|17"));
        QCOMPARE(request.body.value("count").toString(), QStringLiteral("1"));
    }

    void scriptedReplies_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QJsonObject>("body");
        QTest::addColumn<StandinReply>("reply");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("transportError");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QJsonObject>("expected");   // dotted path -> value

        const QByteArray json("application/json");
        QTest::newRow("api Session-Out")
            << CheckVersion << CheckVersion << CheckVersionBody << StandinReply::sessionOut() << 200 << false << json
            << QJsonObject{{"status", 401}, {"error", "Session-Out"}};
        QTest::newRow("imt Session-Out")
            << "imt:text_analysis" << "/api/imt" << analysisBody("Hi.") << StandinReply::sessionOut() << 200 << false
            << json << QJsonObject{{"header.ret_code", "Session-Out"}, {"header.request_id", "standin-1"}};
        QTest::newRow("imt failure code")
            << "imt:text_analysis" << "/api/imt" << analysisBody("Hi.")
            << StandinReply::failure("E_BUSY", "Server is busy now") << 200 << false << json
            << QJsonObject{{"header.ret_code", "E_BUSY"}, {"message", "Server is busy now"}};
        QTest::newRow("api failure status")
            << CheckVersion << CheckVersion << CheckVersionBody << StandinReply::failure("err", "try later") << 200 << false
            << json << QJsonObject{{"status", 500}, {"error", "err"}, {"message", "try later"}, {"value", QJsonValue::Null}};
        QTest::newRow("imt payload from a fixture")
            << "imt:text_analysis" << "/api/imt" << analysisBody("ignored")
            << StandinReply::success(Fixtures::json("standin/text_analysis_two_sentences.json")) << 200 << false << json
            << QJsonObject{{"header.ret_code", "succ"}, {"text", "ab cd"}, {"sentence_list.1.start", 3}};
        QTest::newRow("whole JSON body")
            << CheckVersion << CheckVersion << CheckVersionBody << StandinReply::json({{"anything", 1}}) << 200 << false
            << json << QJsonObject{{"anything", 1}};
        QTest::newRow("HTTP status")
            << CheckVersion << CheckVersion << CheckVersionBody << StandinReply::httpStatus(503) << 503 << true
            << QByteArray() << QJsonObject();
        QTest::newRow("html page")
            << CheckVersion << CheckVersion << CheckVersionBody << StandinReply::html() << 200 << false
            << QByteArray("text/html") << QJsonObject();
        QTest::newRow("malformed JSON")
            << CheckVersion << CheckVersion << CheckVersionBody << StandinReply::malformedJson() << 200 << false << json
            << QJsonObject();
        QTest::newRow("connection closed mid-reply")
            << CheckVersion << CheckVersion << CheckVersionBody << StandinReply::disconnect() << 0 << true << QByteArray()
            << QJsonObject();
    }
    void scriptedReplies()
    {
        QFETCH(QString, route);
        QFETCH(QString, path);
        QFETCH(QJsonObject, body);
        QFETCH(StandinReply, reply);
        QFETCH(int, status);
        QFETCH(bool, transportError);
        QFETCH(QByteArray, contentType);
        QFETCH(QJsonObject, expected);

        m_standin->script(route, reply);
        const Exchange scripted = post(path, body);
        QVERIFY(scripted.finished);
        if (status != 0)
            QCOMPARE(scripted.status, status);
        QCOMPARE(scripted.error != QNetworkReply::NoError, transportError);
        if (!contentType.isEmpty())
            QCOMPARE(scripted.contentType, contentType);
        for (auto it = expected.constBegin(); it != expected.constEnd(); ++it)
            QCOMPARE(valueAt(scripted.json(), it.key()), it.value());
        if (reply.kind == StandinReply::Kind::Raw && contentType == "application/json")
            QVERIFY(QJsonDocument::fromJson(scripted.body).isNull());

        // One scripted reply per request: the next one gets the default again.
        QCOMPARE(m_standin->pendingScripts(route), 0);
        const Exchange next = post(path, body);
        QCOMPARE(next.status, 200);
        QVERIFY(!next.json().isEmpty());
        QCOMPARE(m_standin->requestCount(route), 2);
    }

    void delayAndHang()
    {
        m_standin->script(CheckVersion, StandinReply::byDefault().after(400));
        const Exchange delayed = post(CheckVersion, CheckVersionBody);
        QCOMPARE(valueAt(delayed.json(), "status"), QJsonValue(200));
        QVERIFY2(delayed.elapsedMs >= 400, qPrintable(QString::number(delayed.elapsedMs)));

        m_standin->script(CheckVersion, StandinReply::hang());
        const Exchange hung = send(CheckVersion, QJsonDocument(CheckVersionBody).toJson(), "POST", QString(),
                                   "application/json", 500);
        QVERIFY(hung.finished);
        // Only the client's own transfer timeout (a coarse timer) ended it.
        QCOMPARE(hung.error, QNetworkReply::OperationCanceledError);
        QVERIFY2(hung.elapsedMs >= 400, qPrintable(QString::number(hung.elapsedMs)));

        // A hanging request does not hold up the others.
        QCOMPARE(post(CheckVersion, CheckVersionBody).status, 200);
        QCOMPARE(m_standin->requestCount(CheckVersion), 3);
    }

    void sessions()
    {
        auto retCode = [this](const QString& session) {
            return valueAt(post("/api/imt", analysisBody("Hi.", false, session)).json(), "header.ret_code").toString();
        };
        QCOMPARE(retCode("anything"), QStringLiteral("succ"));   // no set configured: every session is valid

        m_standin->setValidSessions({"s-good"});
        QCOMPARE(retCode("s-bad"), QStringLiteral("Session-Out"));
        QCOMPARE(retCode("s-good"), QStringLiteral("succ"));

        // Renewal swaps the old session for the new one.
        const QJsonObject renewed = post("/api/accesscontrol/updateUserSession", renewalBody("s-good")).json();
        const QString session = valueAt(renewed, "value.session").toString();
        QCOMPARE(session, QStringLiteral("standin-session-1"));
        QCOMPARE(retCode("s-good"), QStringLiteral("Session-Out"));
        QCOMPARE(retCode(session), QStringLiteral("succ"));
        const QJsonObject expired = post("/api/accesscontrol/updateUserSession", renewalBody("s-good")).json();
        QCOMPARE(valueAt(expired, "status"), QJsonValue(401));
        QCOMPARE(valueAt(expired, "error"), QJsonValue("Session-Out"));

        QCOMPARE(m_standin->requests().at(2).session(), QStringLiteral("s-good"));
    }

    void violations_data()
    {
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<bool>("collector");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QString>("reason");

        const QByteArray json("application/json");
        const QByteArray checkVersion = QJsonDocument(CheckVersionBody).toJson();
        QJsonObject noUser = analysisBody("Hi.");
        noUser["header"] = QJsonObject{{"fn", "text_analysis"}, {"session", "s1"}, {"client_key", "k"}};
        QTest::newRow("unknown path") << QByteArray("POST") << false << "/api/nowhere" << QByteArray("{}") << json
                                      << "unexpected request POST /api/nowhere";
        QTest::newRow("unknown function")
            << QByteArray("POST") << false << "/api/imt" << QJsonDocument(imtBody("no_such_fn", {})).toJson() << json
            << "(route imt:no_such_fn)";
        QTest::newRow("imt without function") << QByteArray("POST") << false << "/api/imt"
                                              << QByteArray(R"({"header": {"session": "s1"}})") << json
                                              << "without header.fn";
        QTest::newRow("missing header field") << QByteArray("POST") << false << "/api/imt" << QJsonDocument(noUser).toJson()
                                              << json << "imt:text_analysis missing header.user";
        QTest::newRow("body not an envelope") << QByteArray("POST") << false << CheckVersion << QByteArray("[1, 2]") << json
                                              << "not a JSON object";
        QTest::newRow("missing value fields") << QByteArray("POST") << false << CheckVersion
                                              << QByteArray(R"({"value": {"name": "Parlavine"}})") << json
                                              << "missing value.system_type, value.old_version, value.request_time";
        QTest::newRow("content type") << QByteArray("POST") << false << CheckVersion << checkVersion
                                      << QByteArray("text/plain") << "content type \"text/plain\"";
        QTest::newRow("wrong method") << QByteArray("GET") << false << CheckVersion << QByteArray() << json
                                      << "with method GET instead of POST";
        QTest::newRow("collector path on the API port")
            << QByteArray("GET") << false << "/collect/pv?from=a&id=Q&sessionId=&uin=&version=1" << QByteArray() << json
            << "/collect/pv reached on the api port";
        QTest::newRow("collector query incomplete")
            << QByteArray("GET") << true << "/collect/pv?from=a" << QByteArray() << json
            << "missing query uin, query sessionId, query id, query version";
    }
    void violations()
    {
        QFETCH(QByteArray, method);
        QFETCH(bool, collector);
        QFETCH(QString, path);
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, contentType);
        QFETCH(QString, reason);

        m_standin->script(CheckVersion, StandinReply::success("never used"));
        const Exchange exchange =
            send(path, body, method, collector ? m_standin->collectorUrl() : m_standin->apiUrl(), contentType);
        QCOMPARE(exchange.status, 400);
        const QStringList violations = m_standin->takeViolations();
        QCOMPARE(violations.size(), 1);
        QVERIFY2(violations.first().contains(reason), qPrintable(violations.first()));
        QCOMPARE(m_standin->requests().value(0).violation, violations.first());
        QCOMPARE(m_standin->pendingScripts(CheckVersion), 1);
    }

    // The endpoint the executable is scripted through, driven here over HTTP like an end-to-end test does.
    void controlEndpoint()
    {
        const QJsonObject script{{"route", CheckVersion}, {"reply", StandinReply::failure("E1", "m").after(10).toJson()}};
        QCOMPARE(post("/__standin/script", script).status, 200);
        QCOMPARE(post("/__standin/sessions", {{"valid", QJsonArray{"s-good"}}}).status, 200);
        QCOMPARE(valueAt(post(CheckVersion, CheckVersionBody).json(), "error"), QJsonValue("E1"));
        QCOMPARE(valueAt(post("/api/imt", analysisBody("Hi.", false, "s-bad")).json(), "header.ret_code"),
                 QJsonValue("Session-Out"));

        const QJsonObject log = send("/__standin/log", QByteArray(), "GET").json();
        const QJsonArray requests = log.value("requests").toArray();
        QCOMPARE(requests.size(), 2);
        const StandinRequest first = StandinRequest::fromJson(requests.at(0).toObject());
        QCOMPARE(first.route, CheckVersion);
        QCOMPARE(first.body, CheckVersionBody);
        QCOMPARE(first.headers.value("content-type"), QStringLiteral("application/json"));
        QCOMPARE(log.value("violations").toArray().size(), 0);

        QCOMPARE(post("/__standin/reset", {}).status, 200);
        QVERIFY(m_standin->requests().isEmpty());
        QCOMPARE(post("/__standin/script", {{"route", CheckVersion}, {"reply", QJsonObject{{"kind", "bogus"}}}}).status, 404);
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestStandin)
#include "tst_Standin.moc"
