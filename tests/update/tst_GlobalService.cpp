#include "core/State.h"
#include "core/TimeUtil.h"
#include "update/GlobalService.h"

#include "StandinFixture.h"
#include "StandinRoutes.h"
#include "TestMain.h"

#include <QCryptographicHash>
#include <QtTest>

Q_DECLARE_METATYPE(StandinReply)

namespace {

const QString CheckVersion = QStringLiteral("/api/resourcemanageserver/checkVersion");
const QString FindConfig = QStringLiteral("/api/resourcemanageserver/findConfig");

struct Outcome
{
    bool done = false;
    bool ok = false;
    QVariantMap data;

    ServiceCallback callback()
    {
        return [this](bool success, const QVariantMap& map) {
            QVERIFY(!done); // exactly once
            done = true;
            ok = success;
            data = map;
        };
    }
};

} // namespace

class TestGlobalService : public QObject
{
    Q_OBJECT
    StandinFixture m_standin;

    void restoreRoutes()
    {
        for (const StandinRoute& route : StandinRoutes::update())
            m_standin->addRoute(route);
    }

private slots:
    void init()
    {
        m_standin.reset();
        restoreRoutes();
    }
    void cleanup() { m_standin.verify(); }

    void checkCodeFillsItsPiecesInOnePass()
    {
        const auto md5 = [](const QByteArray& text) {
            return QString::fromLatin1(QCryptographicHash::hash(text, QCryptographicHash::Md5).toHex().toUpper());
        };
        QCOMPARE(GlobalService::updateCheckCode(1700, "1.2", "u", 1705), md5("17001.2u1705"));
        QCOMPARE(GlobalService::updateCheckCode(-5, "%2", "%1", 0), md5("-5%2%10"));
    }

    void versionCheck_data()
    {
        using Offer = StandinRoutes::VersionOffer;
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("withResponseTime");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("hasVersion");
        QTest::newRow("latest") << "latest" << 0 << true << true << false;
        QTest::newRow("latest with a message") << "message" << 0 << true << false << false;
        QTest::newRow("upper-case code") << "offer" << int(Offer::Upper) << true << true << true;
        QTest::newRow("lower-case code") << "offer" << int(Offer::Lower) << true << true << true;
        QTest::newRow("wrong code") << "offer" << int(Offer::Wrong) << true << false << true;
        QTest::newRow("missing code") << "offer" << int(Offer::Missing) << true << false << true;
        QTest::newRow("no response_time counts as 0") << "offer" << int(Offer::Upper) << false << true << true;
        QTest::newRow("server failing") << "failure" << 0 << true << false << false;
    }
    void versionCheck()
    {
        QFETCH(QString, reply);
        QFETCH(int, code);
        QFETCH(bool, withResponseTime);
        QFETCH(bool, ok);
        QFETCH(bool, hasVersion);
        if (reply == "offer") {
            StandinRoutes::VersionOffer offer{"2.0%1", "http://x/p%2.deb", "notes",
                                              StandinRoutes::VersionOffer::Code(code), withResponseTime};
            m_standin->addRoute(StandinRoutes::versionOffer(offer));
        } else if (reply == "message") {
            m_standin->script(CheckVersion, StandinReply::json({{"status", 200}, {"value", QJsonValue::Null},
                                                                {"message", "x"}}));
        } else if (reply == "failure") {
            for (int i = 0; i < 3; ++i)
                m_standin->script(CheckVersion, StandinReply::failure("500", "down"));
        }

        const qint64 before = TimeUtil::currentTimestamp();
        Outcome outcome;
        GlobalService::checkVersion(outcome.callback());
        QTRY_VERIFY(outcome.done);
        QCOMPARE(outcome.ok, ok);
        QCOMPARE(outcome.data.contains("version"), hasVersion);
        if (reply == "latest")
            QCOMPARE(outcome.data.value("isLastest"), QVariant(true));

        const StandinRequest sent = m_standin->requests(CheckVersion).constFirst();
        QVERIFY(!sent.body.contains("header"));
        QCOMPARE(sent.at("value.system_type").toString(), QString("linux"));
        QCOMPARE(sent.at("value.old_version").toString(), State::instance()->version());
        QVERIFY(qAbs(sent.at("value.request_time").toDouble() - before) <= 2);
    }

    void configuration_data()
    {
        QTest::addColumn<StandinReply>("document");
        QTest::addColumn<bool>("firstStepFails");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QVariantMap>("data");
        QTest::newRow("plain text") << StandinReply::raw("{\"blackwhite\": true}", "text/plain") << false << true
                                    << QVariantMap{{"text", "{\"blackwhite\": true}"}};
        QTest::newRow("json") << StandinReply::raw("{\"blackwhite\": true}", "application/json") << false << true
                              << QVariantMap{{"blackwhite", true}};
        QTest::newRow("document missing") << StandinReply::httpStatus(404) << false << false << QVariantMap();
        QTest::newRow("address call failing") << StandinReply::byDefault() << true << false << QVariantMap();
    }
    void configuration()
    {
        QFETCH(StandinReply, document);
        QFETCH(bool, firstStepFails);
        QFETCH(bool, ok);
        QFETCH(QVariantMap, data);
        m_standin->addRoute(StandinRoutes::download("/files/config/desktop.json", document));
        if (firstStepFails) {
            for (int i = 0; i < 3; ++i)
                m_standin->script(FindConfig, StandinReply::failure("500", "down"));
        }

        Outcome outcome;
        GlobalService::findConfig("desktop", outcome.callback());
        QTRY_VERIFY(outcome.done);
        QCOMPARE(outcome.ok, ok);
        QCOMPARE(outcome.data, data);
        QCOMPARE(m_standin->requests(FindConfig).constFirst().body, QJsonObject({{"value", "desktop"}}));
        QCOMPARE(m_standin->requestCount("/files/config/desktop.json"), firstStepFails ? 0 : 1);
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestGlobalService)
#include "tst_GlobalService.moc"
