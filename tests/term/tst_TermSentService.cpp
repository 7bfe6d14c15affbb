#include "StandinFixture.h"
#include "StandinRoutes.h"
#include "TestMain.h"

#include "core/User.h"
#include "term/TermService.h"
#include "term/TermSentService.h"

#include <QJsonDocument>
#include <QtTest>

#include <functional>

// What the two repository services put on the wire, as one table: path and body per operation
// of each twin. Ids that look like numbers still go out as strings; "reversible" is a boolean;
// the user id comes from the signed-in user, also for a delete.
namespace {

using Call = std::function<void(ServiceCallback)>;

struct Twins
{
    QSharedPointer<TermSentService> memory = QSharedPointer<TermSentService>::create();
    QSharedPointer<TermService> term = QSharedPointer<TermService>::create();
};

QJsonObject parsed(const char* json)
{
    return QJsonDocument::fromJson(json).object();
}

} // namespace

Q_DECLARE_METATYPE(Call)

class TestTermSentService : public QObject
{
    Q_OBJECT
    StandinFixture m_standin;
    Twins m_twins;

private slots:
    void initTestCase()
    {
        qputenv("PARLAVINE_REQUEST_TIMEOUT_MS", "5000");
        User* user = User::instance();
        user->userName = QStringLiteral("tester");
        user->userId = QStringLiteral("u-1");
        user->clientKey = QStringLiteral("desktop-test");
        user->session = QStringLiteral("session-1");
    }

    void init()
    {
        m_standin.reset();
        // A seeded repository 1001 with entry 5001 in each store, for the calls that need one.
        const QJsonObject seed = parsed(R"({
            "tm": [{"user_id": "u-1", "name": "r", "src_lang": "english", "tgt_lang": "chinese", "reversible": true,
                    "entries": [["a", "b"]]}],
            "term": [{"user_id": "u-1", "name": "r", "src_lang": "english", "tgt_lang": "chinese", "reversible": true,
                      "entries": [["a", "b"]]}]})");
        for (const StandinRoute& route : StandinRoutes::repositories(seed))
            m_standin->addRoute(route);
    }

    void cleanup() { m_standin.verify(); }

    void wire_data()
    {
        QTest::addColumn<Call>("call");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QJsonObject>("body");
        const auto memory = m_twins.memory;
        const auto term = m_twins.term;
        const QJsonObject findRepos = parsed(R"({"value": "u-1", "page": {"page": 2, "size": 20}})");
        const QJsonObject findEntries = parsed(R"({"value": "1001", "page": {"page": 0, "size": 50}})");
        const QJsonObject addRepo = parsed(R"({"value": {"name": "Law", "user_id": "u-1", "src_lang": "english",
                                                          "tgt_lang": "chinese", "reversible": false}})");
        const QJsonObject addEntry = parsed(R"({"value": {"repo_id": "1001", "source": "s", "target": "t"}})");
        const QJsonObject entry = parsed(R"({"value": {"id": "5001", "repo_id": "1001", "source": "a", "target": "b"}})");
        const QJsonObject deleteRepo = parsed(R"({"value": {"id": "1001", "name": "r", "src_lang": "english",
                                                             "tgt_lang": "chinese", "reversible": true, "user_id": "u-1"}})");

        QTest::newRow("memory repositories") << Call([memory](ServiceCallback cb) { memory->findTmRepoByUserIdByPage("u-1", 2, 20, cb); })
                                             << "/api/memory/findTmRepoByUserIdByPage" << findRepos;
        QTest::newRow("term repositories") << Call([term](ServiceCallback cb) { term->findTermRepoByUserIdByPage("u-1", 2, 20, cb); })
                                           << "/api/memory/findTermRepoByUserIdByPage" << findRepos;
        QTest::newRow("memory entries") << Call([memory](ServiceCallback cb) { memory->findTmSentByRepoIdByPage("1001", 0, 50, cb); })
                                        << "/api/memory/findTmSentByRepoIdByPage" << findEntries;
        QTest::newRow("term entries") << Call([term](ServiceCallback cb) { term->findTermPhraseByRepoIdByPage("1001", 0, 50, cb); })
                                      << "/api/memory/findTermPhraseByRepoIdByPage" << findEntries;
        QTest::newRow("memory add repository") << Call([memory](ServiceCallback cb) { memory->addTmRepo("Law", "english", "chinese", false, cb); })
                                               << "/api/memory/addTmRepo" << addRepo;
        QTest::newRow("term add repository") << Call([term](ServiceCallback cb) { term->addTermRepo("Law", "english", "chinese", false, cb); })
                                             << "/api/memory/addTermRepo" << addRepo;
        QTest::newRow("memory add entry") << Call([memory](ServiceCallback cb) { memory->addTmSent("1001", "s", "t", cb); })
                                          << "/api/memory/addTmSent" << addEntry;
        QTest::newRow("term add entry") << Call([term](ServiceCallback cb) { term->addTermPhrase("1001", "s", "t", cb); })
                                        << "/api/memory/addTermPhrase" << addEntry;
        QTest::newRow("memory update entry") << Call([memory](ServiceCallback cb) { memory->updateTmSent("5001", "1001", "a", "b", cb); })
                                             << "/api/memory/updateTmSent" << entry;
        QTest::newRow("term update entry") << Call([term](ServiceCallback cb) { term->updateTermPhrase("5001", "1001", "a", "b", cb); })
                                           << "/api/memory/updateTermPhrase" << entry;
        QTest::newRow("memory delete entry") << Call([memory](ServiceCallback cb) { memory->deleteTmSent("5001", "1001", "a", "b", cb); })
                                             << "/api/memory/deleteTmSent" << entry;
        QTest::newRow("term delete entry") << Call([term](ServiceCallback cb) { term->deleteTermPhrase("5001", "1001", "a", "b", cb); })
                                           << "/api/memory/deleteTermPhrase" << entry;
        QTest::newRow("memory delete repository") << Call([memory](ServiceCallback cb) { memory->deleteTmRepo("1001", "r", "english", "chinese", true, cb); })
                                                  << "/api/memory/deleteTmRepo" << deleteRepo;
        QTest::newRow("term delete repository") << Call([term](ServiceCallback cb) { term->deleteTermRepo("1001", "r", "english", "chinese", true, cb); })
                                                << "/api/memory/deleteTermRepo" << deleteRepo;
    }

    void wire()
    {
        QFETCH(Call, call);
        QFETCH(QString, path);
        QFETCH(QJsonObject, body);
        bool answered = false;
        bool succeeded = false;
        call([&](bool ok, const QVariantMap&) {
            answered = true;
            succeeded = ok;
        });
        QTRY_VERIFY(answered);
        QVERIFY(succeeded);
        const QList<StandinRequest> sent = m_standin->requests(path);
        QCOMPARE(sent.size(), 1);
        QJsonObject expected = body;
        expected.insert("header", parsed(R"({"session": "session-1", "client_key": "desktop-test", "user_name": "tester"})"));
        QCOMPARE(sent.first().body, expected);
    }

    // The answer reaches the caller even when the service is gone by then.
    void answersAfterTheServiceIsGone()
    {
        auto service = QSharedPointer<TermSentService>::create();
        bool answered = false;
        service->findTmRepoByUserIdByPage("u-1", 0, 20, [&](bool ok, const QVariantMap& data) {
            answered = ok && data.value("content").toList().size() == 1;
        });
        service.reset();
        QTRY_VERIFY(answered);
    }
};

PARLAVINE_TEST_MAIN(TestTermSentService)
#include "tst_TermSentService.moc"
