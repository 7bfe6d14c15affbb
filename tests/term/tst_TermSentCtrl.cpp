#include "StandinFixture.h"
#include "StandinRoutes.h"
#include "TestMain.h"

#include "core/Dispatch.h"
#include "core/Hud.h"
#include "core/State.h"
#include "core/User.h"
#include "shell/TermRepoTableModel.h"
#include "shell/TermSentRepoTableModel.h"
#include "term/RepoRecord.h"

#include <QJsonArray>
#include <QtTest>

// The repository controllers against the stand-in's repository store: opening, paging, adding,
// editing and deleting, with their busy/done codes and confirmations. The twins share one
// implementation; the open sequence runs for both, the rest on the memory side.
namespace {

const QString MemoryRepos = "/api/memory/findTmRepoByUserIdByPage";
const QString MemoryEntries = "/api/memory/findTmSentByRepoIdByPage";

QJsonObject repo(const QString& name, int entries = 0, const QString& created = "2024-01-01 10:00:00.0")
{
    QJsonArray pairs;
    for (int i = 0; i < entries; ++i)
        pairs.append(QJsonArray{QStringLiteral("s%1").arg(i), QStringLiteral("t%1").arg(i)});
    return {{"user_id", "u-1"}, {"name", name}, {"src_lang", "english"}, {"tgt_lang", "chinese"},
            {"reversible", true}, {"create_time", created}, {"entries", pairs}};
}

QJsonArray repos(int count)
{
    QJsonArray list;
    for (int i = 0; i < count; ++i)
        list.append(repo(QStringLiteral("r%1").arg(i), 0, QStringLiteral("2024-01-01 10:00:%1").arg(i % 60, 2, 10, QChar('0'))));
    return list;
}

} // namespace

class TestTermSentCtrl : public QObject
{
    Q_OBJECT
    StandinFixture m_standin;
    State* m_state = nullptr;
    QList<int> m_codes;

    void seed(const QJsonArray& memory, const QJsonArray& term = QJsonArray())
    {
        for (const StandinRoute& route : StandinRoutes::repositories({{"tm", memory}, {"term", term}}))
            m_standin->addRoute(route);
    }

    QList<int> pagesAsked(const QString& key)
    {
        QList<int> pages;
        for (const StandinRequest& request : m_standin->requests(key))
            pages << request.at("page.page").toInt();
        return pages;
    }

    bool openMemory()
    {
        return Dispatch::instance()->initController(Dispatch::Ctrl_TermSent);
    }

    void run(const QString& action, const QVariantList& args)
    {
        Dispatch::instance()->run(Dispatch::Ctrl_TermSent, action, args);
    }

    // The last question shown, answered.
    static void answerLast(bool sure)
    {
        const int tag = State::instance()->windowHud().last().toMap().value("tag").toInt();
        sure ? Hud::instance()->sureBtnTap(tag) : Hud::instance()->cancelBtnTap(tag);
    }

    QVariantMap record(const QString& id) const { return m_state->termSentRepoMap().value(id).toMap(); }

private slots:
    void initTestCase()
    {
        qputenv("PARLAVINE_REQUEST_TIMEOUT_MS", "5000");
        // Creation times are read as local time.
        qputenv("TZ", "XYZ-8");
        tzset();
        User* user = User::instance();
        user->userName = "tester";
        user->userId = "u-1";
        user->clientKey = "desktop-test";
        user->session = "session-1";
        m_state = State::instance();
        m_state->setTextTransLangData({{"en", QVariantMap{{"name", "英语"}, {"enName", "English"}}},
                                       {"zh", QVariantMap{{"name", "中文"}, {"enName", "Chinese"}}}});
        connect(m_state, &State::retcodeChange, this, [this] { m_codes << m_state->retcode(); });
    }

    void init()
    {
        m_standin.reset();
        m_codes.clear();
        m_state->setLanguage("zh");
    }

    void cleanup()
    {
        Dispatch::instance()->releaseController(Dispatch::Ctrl_TermSent);
        Dispatch::instance()->releaseController(Dispatch::Ctrl_Term);
        QTRY_COMPARE(m_state->windowHud().size(), 0);
        // Replies still on their way only set their done code; none may reach the next test.
        QTRY_VERIFY(m_state->retcode() % 100 == 0);
        m_standin.verify();
    }

    // Opening a window lists the first page of repositories; the list model then makes the
    // oldest current and loads its entries.
    void openSequence_data()
    {
        QTest::addColumn<int>("controller");
        QTest::addColumn<QString>("reposPath");
        QTest::addColumn<QString>("entriesPath");
        QTest::addColumn<QList<int>>("codes");
        QTest::newRow("memory") << int(Dispatch::Ctrl_TermSent) << MemoryRepos << MemoryEntries << QList<int>{801, 800, 901, 900};
        QTest::newRow("term") << int(Dispatch::Ctrl_Term) << "/api/memory/findTermRepoByUserIdByPage"
                              << "/api/memory/findTermPhraseByRepoIdByPage" << QList<int>{601, 600, 701, 700};
    }

    void openSequence()
    {
        QFETCH(int, controller);
        QFETCH(QString, reposPath);
        QFETCH(QString, entriesPath);
        QFETCH(QList<int>, codes);
        const QJsonArray seeded{repo("newer", 0, "2024-03-01 10:00:00"), repo("older", 3, "2024-01-01 10:00:00.5")};
        seed(seeded, seeded);
        const bool memory = controller == Dispatch::Ctrl_TermSent;
        TermSentRepoTableModel memoryModel;
        TermRepoTableModel termModel;
        QVERIFY(Dispatch::instance()->initController(controller));
        const QVariantMap& (State::*map)() const = memory ? &State::termSentRepoMap : &State::termRepoMap;
        const QString& (State::*curId)() const = memory ? &State::termSentRepoCurId : &State::termRepoCurId;
        QTRY_COMPARE(m_codes, codes);
        QCOMPARE(m_standin->requests(reposPath).first().at("page.size").toInt(), 20);
        QCOMPARE((m_state->*curId)(), QString("1002"));
        const QVariantMap older = (m_state->*map)().value("1002").toMap();
        QCOMPARE(older.value("exchange").toString(), QString("英语→中文"));
        QCOMPARE(older.value("createTime").toUInt(), 1704074400u);
        QCOMPARE(older.value("sentenceCount").toInt(), 3);
        QCOMPARE(older.value("pageCount").toInt(), 1);
        const QVariantList entries = older.value("sentences").toMap().value("0").toList();
        QCOMPARE(entries.first().toMap(), (QVariantMap{{"id", "5001"}, {"source", "s0"}, {"target", "t0"}}));
        QCOMPARE(m_standin->requests(entriesPath).first().at("value").toString(), QString("1002"));
        QCOMPARE((m_state->*map)().size(), 2);
        QCOMPARE(memory ? memoryModel.rowCount() : termModel.rowCount(), 2);
    }

    void naming_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("exchange");
        QTest::addColumn<QString>("sourceLang");
        QTest::newRow("zh") << "zh" << "english" << "英语→中文" << "en";
        QTest::newRow("zh-Hant") << "zh-Hant" << "english" << "英语→中文" << "en";
        QTest::newRow("en") << "en" << "english" << "English→Chinese" << "en";
        QTest::newRow("unknown") << "zh" << "klingon" << "klingon→中文" << "";
    }

    void naming()
    {
        QFETCH(QString, language);
        QFETCH(QString, source);
        QFETCH(QString, exchange);
        QFETCH(QString, sourceLang);
        m_state->setLanguage(language);
        const QVariantMap made = term::listedRepo({{"id", 7.0}, {"src_lang", source}, {"tgt_lang", "chinese"}});
        QCOMPARE(made.value("exchange").toString(), exchange);
        QCOMPARE(made.value("sourceLang").toString(), sourceLang);
        QCOMPARE(made.value("id").toString(), QString("7"));
        // A delete sends the server's own names back.
        QCOMPARE(made.value("src_lang").toString(), source);
    }

    void createTime_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint32>("seconds");
        QTest::newRow("whole") << "2024-01-01 08:00:00" << 1704067200u;
        QTest::newRow("fraction ignored") << "2024-01-01 08:00:00.123" << 1704067200u;
        QTest::newRow("unreadable") << "yesterday" << 4294967295u;
        QTest::newRow("empty") << "" << 4294967295u;
    }

    void createTime()
    {
        QFETCH(QString, text);
        QFETCH(quint32, seconds);
        QCOMPARE(term::createTimeSeconds(text), seconds);
    }

    // Pages follow one another until "last"; then no more are asked for.
    void pagesUntilLast()
    {
        seed(repos(45));
        QVERIFY(openMemory());
        QTRY_COMPARE(m_state->termSentRepoMap().size(), 20);
        run("updateRepoList", {false});
        run("updateRepoList", {false}); // dropped: a next page is loading
        QTRY_COMPARE(m_state->termSentRepoMap().size(), 40);
        run("updateRepoList", {false});
        QTRY_COMPARE(m_state->termSentRepoMap().size(), 45);
        run("updateRepoList", {false});
        QTest::qWait(100);
        QCOMPARE(pagesAsked(MemoryRepos), (QList<int>{0, 1, 2}));
    }

    // A repository added here does not make the next page skip the server's page 1.
    void localAddDoesNotSkipAPage()
    {
        seed(repos(25));
        QVERIFY(openMemory());
        QTRY_COMPARE(m_state->termSentRepoMap().size(), 20);
        run("addRepo", {"mine", "english", "japanese", false});
        QTRY_COMPARE(m_state->termSentRepoMap().size(), 21);
        QVERIFY(!record("1026").contains("createTime"));
        run("updateRepoList", {false});
        QTRY_COMPARE(m_state->termSentRepoMap().size(), 26);
        QCOMPARE(pagesAsked(MemoryRepos), (QList<int>{0, 1}));
        QCOMPARE(m_standin->requests("/api/memory/addTmRepo").first().at("value.reversible"), QJsonValue(false));
    }

    // Deleting asks first; cancel sends nothing. Deleting the current repository makes the
    // next one current once the list is back.
    void deleteRepository()
    {
        seed({repo("first", 1, "2024-01-01 10:00:00"), repo("second", 1, "2024-01-02 10:00:00")});
        TermSentRepoTableModel model;
        QVERIFY(openMemory());
        QTRY_COMPARE(m_state->termSentRepoCurId(), QString("1001"));
        const QVariantMap first = record("1001");
        const QVariantList args{"1001", first.value("name"), first.value("src_lang"), first.value("tgt_lang"), first.value("reverse")};
        run("deleteRepo", args);
        QTRY_COMPARE(m_state->windowHud().size(), 1);
        const QVariantMap ask = m_state->windowHud().last().toMap();
        QCOMPARE(ask.value("title").toString(), QString("确认删除该例句库吗？"));
        QCOMPARE(ask.value("message").toString(), QString("例句库：first\n删除后不可恢复"));
        QCOMPARE(ask.value("window").toString(), QString("termSent"));
        answerLast(false);
        QTest::qWait(100);
        QCOMPARE(m_standin->requestCount("/api/memory/deleteTmRepo"), 0);

        run("deleteRepo", args);
        answerLast(true);
        QTRY_COMPARE(m_state->termSentRepoCurId(), QString("1002"));
        QTRY_COMPARE(record("1002").value("sentenceCount").toInt(), 1);
        QVERIFY(!m_state->termSentRepoMap().contains("1001"));
        QCOMPARE(pagesAsked(MemoryRepos), (QList<int>{0, 0}));
    }

    // Deleting the only entry of the shown page loads that page again; one of several does not.
    void deleteEntry()
    {
        seed({repo("r", 2)});
        TermSentRepoTableModel model;
        QVERIFY(openMemory());
        QTRY_COMPARE(record("1001").value("sentenceCount").toInt(), 2);
        run("deleteRepoSent", {"5001", "1001", "s0", "t0"});
        QCOMPARE(m_state->windowHud().last().toMap().value("title").toString(), QString("确认删除当前例句吗？"));
        answerLast(true);
        QTRY_COMPARE(record("1001").value("sentenceCount").toInt(), 1);
        QTest::qWait(100);
        QCOMPARE(m_standin->requestCount(MemoryEntries), 1);
        run("deleteRepoSent", {"5002", "1001", "s1", "t1"});
        answerLast(true);
        QTRY_COMPARE(m_standin->requestCount(MemoryEntries), 2);
        QTRY_COMPARE(m_codes.last(), 900);
        QCOMPARE(record("1001").value("sentences").toMap().value("0").toList().size(), 0);
    }

    // An edit changes the entry in place; an added one reloads the shown page.
    void editAndAdd()
    {
        seed({repo("r", 1)});
        TermSentRepoTableModel model;
        QVERIFY(openMemory());
        QTRY_COMPARE(record("1001").value("sentenceCount").toInt(), 1);
        QSignalSpy detail(m_state, &State::termSentRepoDetailChange);
        run("updateRepoSent", {"5001", "1001", "new source", "new target"});
        QTRY_COMPARE(detail.count(), 1);
        QCOMPARE(record("1001").value("sentences").toMap().value("0").toList().first().toMap().value("source").toString(),
                 QString("new source"));
        QCOMPARE(m_standin->requestCount(MemoryEntries), 1);
        run("addRepoSent", {"1001", "a", "b"});
        QTRY_COMPARE(record("1001").value("sentenceCount").toInt(), 2);
    }

    void unknownRepositorySendsNothing()
    {
        seed({repo("r")});
        QVERIFY(openMemory());
        QTRY_COMPARE(m_codes, (QList<int>{801, 800}));
        run("updateRepoSentences", {"404", true});
        QTest::qWait(100);
        QCOMPARE(m_standin->requestCount(MemoryEntries), 0);
        QCOMPARE(m_codes, (QList<int>{801, 800}));
    }

    void releaseEmptiesState()
    {
        seed({repo("r")});
        TermSentRepoTableModel model;
        QVERIFY(openMemory());
        QTRY_COMPARE(m_state->termSentRepoCurId(), QString("1001"));
        QVERIFY(Dispatch::instance()->releaseController(Dispatch::Ctrl_TermSent));
        QVERIFY(m_state->termSentRepoMap().isEmpty());
        QVERIFY(m_state->termSentRepoCurId().isEmpty());
    }

    // A failed load does not block the next refresh.
    void failedLoadThenRefresh()
    {
        seed({repo("r")});
        m_standin->script(MemoryRepos, StandinReply::failure("broken", QString(), 400));
        QVERIFY(openMemory());
        QTRY_COMPARE(m_codes, (QList<int>{801, 800}));
        QVERIFY(m_state->termSentRepoMap().isEmpty());
        run("updateRepoList", {true});
        QTRY_COMPARE(m_state->termSentRepoMap().size(), 1);
    }

    // Any id the server gives is a repository that opens; counts below zero are kept as 0.
    void oddServerValues()
    {
        seed({});
        const QJsonObject odd{{"id", "$end"}, {"name", "odd"}, {"src_lang", "english"}, {"tgt_lang", "chinese"},
                              {"create_time", "2024-01-01 10:00:00"}};
        m_standin->script(MemoryRepos, StandinReply::success(QJsonObject{{"content", QJsonArray{odd}}, {"last", true}}));
        StandinRoute entries;
        entries.key = MemoryEntries;
        entries.required = StandinHeaders::api();
        entries.handler = [](const StandinRequest&, StandinServer&) {
            return StandinReply::success(QJsonObject{
                {"content", QJsonArray{QJsonObject{{"id", 1}, {"source", "s"}, {"target", "t"}}}},
                {"total_elements", -1}, {"total_pages", -3}});
        };
        m_standin->addRoute(entries);
        TermSentRepoTableModel model;
        QVERIFY(openMemory());
        QTRY_COMPARE(m_codes, (QList<int>{801, 800, 901, 900}));
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(m_state->termSentRepoCurId(), QString("$end"));
        QCOMPARE(m_standin->requests(MemoryEntries).first().at("value").toString(), QString("$end"));
        QCOMPARE(record("$end").value("sentences").toMap().value("0").toList().size(), 1);
        QCOMPARE(record("$end").value("sentenceCount").toInt(), 0);
        QCOMPARE(record("$end").value("pageCount").toInt(), 0);
        // The last page came: no further one is asked for.
        run("updateRepoList", {false});
        QTest::qWait(100);
        QCOMPARE(pagesAsked(MemoryRepos), (QList<int>{0}));
    }

    // The entry dialog waits for the save: a failure says what failed, in words.
    void entrySaveOutcome_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QVariantList>("args");
        QTest::newRow("add") << "addRepoSent" << "/api/memory/addTmSent" << QVariantList{"1001", "a", "b"};
        QTest::newRow("edit") << "updateRepoSent" << "/api/memory/updateTmSent" << QVariantList{"5001", "1001", "x", "y"};
    }
    void entrySaveOutcome()
    {
        QFETCH(QString, action);
        QFETCH(QString, path);
        QFETCH(QVariantList, args);
        seed({repo("r", 1)});
        TermSentRepoTableModel model;
        QVERIFY(openMemory());
        QTRY_COMPARE(record("1001").value("sentenceCount").toInt(), 1);
        QSignalSpy saves(m_state, &State::repoEntrySaveChange);
        for (int i = 0; i < 3; ++i) // whatever the retries
            m_standin->script(path, StandinReply::disconnect());
        run(action, args);
        QTRY_COMPARE(saves.count(), 1);
        QCOMPARE(m_state->repoEntrySave(),
                 (QVariantMap{{"window", "termSent"}, {"ok", false}, {"message", "服务器断开了连接"}}));
        while (!m_state->windowHud().isEmpty())
            answerLast(true); // the network toasts
        m_standin.reset();
        seed({repo("r", 1)});
        run(action, args);
        QTRY_COMPARE(saves.count(), 2);
        QCOMPARE(m_state->repoEntrySave().value("ok").toBool(), true);
    }
};

PARLAVINE_TEST_MAIN(TestTermSentCtrl)
#include "tst_TermSentCtrl.moc"
