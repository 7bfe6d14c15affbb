#include "texttrans/TextTransCtrl.h"
#include "texttrans/TextTransHistory.h"
#include "texttrans/TextTransService.h"
#include "texttrans/TextTransStorage.h"

#include "core/State.h"
#include "core/TimeUtil.h"

#include "TextTransHarness.h"
#include "TestMain.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

namespace {

const QString AddRoute = "/api/transtask/addTransHistory";
const QString PageRoute = "/api/transtask/findTransHistoryByUserIdByPage";
const QString FetchRoute = "/api/transtask/fetchTransHistory";
const QString DeleteRoute = "/api/transtask/deleteTransHistory";

QString entryText(const QVariant& entry)
{
    const QVariantMap map = entry.toMap();
    return map.value("id") == "$end" ? QString("$end") : map.value("text").toString();
}

} // namespace

class TestTextTransHistory : public QObject
{
    Q_OBJECT
private:
    TextTransHarness harness;
    State* state = nullptr;
    QSharedPointer<TextTransCtrl> ctrl;

    // Saves the texts to the current user's server history in this order, so the last is the newest.
    // Returns their ids.
    QStringList seed(const QStringList& texts, const QStringList& results = {})
    {
        const auto service = QSharedPointer<TextTransService>::create();
        QStringList ids;
        for (int i = 0; i < texts.size(); ++i) {
            const QString result = i < results.size() ? results.at(i) : "[zh] " + texts.at(i);
            service->addTransHistory(texts.at(i), result, {}, {}, "en", "zh", false,
                                     [&ids](bool, const QVariantMap& data) { ids.append(data.value("id").toString()); });
            if (!QTest::qWaitFor([&] { return ids.size() == i + 1; }, 5000))
                return {};
        }
        harness.server.clearLog();
        return ids;
    }

    static QStringList numbered(int n)
    {
        QStringList texts;
        for (int i = 0; i < n; ++i)
            texts.append(QString("entry %1").arg(i));
        return texts;
    }

    // The list as the server orders it: newest first, closed by the sentinel.
    static QStringList newestFirst(QStringList texts)
    {
        std::reverse(texts.begin(), texts.end());
        return texts << "$end";
    }

    QStringList listed() const
    {
        QStringList texts;
        for (const QVariant& entry : state->textTransHistory)
            texts.append(entryText(entry));
        return texts;
    }

    QList<int> pagesAsked() const
    {
        QList<int> pages;
        for (const StandinRequest& request : harness.server.requests(PageRoute))
            pages.append(request.at("page.page").toInt());
        return pages;
    }

    // Loads pages until the sentinel is listed.
    void loadToTheEnd()
    {
        for (int i = 0; i < 10 && !listed().contains("$end"); ++i) {
            const int before = state->textTransHistory.size();
            ctrl->refreshTransHistory(false, false);
            QTRY_VERIFY_WITH_TIMEOUT(state->textTransHistory.size() > before, 5000);
        }
    }

    // 20 short entries on the first page and three long ones on the second.
    QStringList seedLongEntries()
    {
        const QString text129 = QString(129, 'a');
        const QString text128 = QString(128, 'b');
        QStringList texts{text129, text128, "short text"};
        QStringList results{"short", "short", QString(129, 'c')};
        texts += numbered(19);
        texts.append(QString(129, 'n')); // newest: on the first page
        return seed(texts, results);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(harness.setUp());
        state = State::instance();
        QVERIFY(harness.loadLanguageTables());
    }

    // Every test has its own user, hence its own server history.
    void init()
    {
        User::instance()->userId = QString("u-%1-%2").arg(QTest::currentTestFunction(), QTest::currentDataTag());
        state->textTransHistory.clear();
        QVERIFY(TextTransStorage::clear());
        ctrl = QSharedPointer<TextTransCtrl>::create();
    }

    void cleanup()
    {
        ctrl.reset();
        TimeUtil::setOffsetMSecs(0);
        QVERIFY(harness.standin.verify());
        harness.server.reset();
    }

    void sameTranslationSavedOnce()
    {
        ctrl->translation("Hello.", "en", "zh", false, false, QString());
        QTRY_COMPARE_WITH_TIMEOUT(state->textTransResult(), QString("[zh] 你好."), 5000);
        QCOMPARE(harness.server.requestCount(AddRoute), 0); // waits for the interval
        // Ten seconds later by the program's clock the save is due: it goes out, and the same
        // text and languages are not saved again.
        TimeUtil::setOffsetMSecs(10000);
        QVERIFY(!ctrl->addTransHistory("Hello.", "en", "[zh] 你好.", "zh", {}, {}));
        QTRY_COMPARE_WITH_TIMEOUT(state->textTransHistory.size(), 1, 5000);
        QCOMPARE(harness.server.requestCount(AddRoute), 1);
        const QJsonObject value = harness.bodies(AddRoute).first().value("value").toObject();
        QCOMPARE(value, (QJsonObject{{"user_id", User::instance()->userId},
                                     {"src_lang", "en"},
                                     {"tgt_lang", "zh"},
                                     {"type", "text"},
                                     {"human_modified", false},
                                     {"src_text", "Hello."},
                                     {"src_segment_list", QJsonArray{QJsonObject{{"start", 0}, {"len", 6}}}},
                                     {"tgt_text", "[zh] 你好."},
                                     {"tgt_segment_list", QJsonArray{QJsonObject{{"start", 0}, {"len", 8}}}}}));
        QVariantMap entry = state->textTransHistory.first().toMap();
        QVERIFY(entry.take("id").toString().startsWith("th-"));
        QCOMPARE(entry, (QVariantMap{{"sourceLang", "english"}, {"targetLang", "chinese"}, {"text", "Hello."},
                                     {"result", "[zh] 你好."}, {"cloud", false}, {"clip", false}}));
        // Another target language is another translation.
        QVERIFY(ctrl->addTransHistory("Hello.", "en", "こんにちは。", "ja", {}, {}));
        ctrl.reset();
        QTRY_COMPARE_WITH_TIMEOUT(harness.server.requestCount(AddRoute), 2, 5000);
    }

    void pendingSaveSentOnTheWayOut_data()
    {
        QTest::addColumn<bool>("quitting");
        QTest::newRow("controller released") << false;
        QTest::newRow("program quitting") << true;
    }

    void pendingSaveSentOnTheWayOut()
    {
        QFETCH(bool, quitting);
        QVERIFY(ctrl->addTransHistory("One.", "en", "一。", "zh", {span(0, 4)}, {span(0, 2)}));
        QVERIFY(ctrl->addTransHistory("Two.", "en", "二。", "zh", {span(0, 4)}, {span(0, 2)}));
        if (quitting) {
            // Quitting waits for the answer: the event loop that would send it later is gone.
            QVERIFY(QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit"));
            QCOMPARE(harness.server.requestCount(AddRoute), 1);
            QCOMPARE(listed(), QStringList{"Two."});
        } else {
            ctrl.reset();
            QTRY_COMPARE_WITH_TIMEOUT(harness.server.requestCount(AddRoute), 1, 5000);
        }
        QCOMPARE(harness.server.requests(AddRoute).first().at("value.src_text").toString(), QString("Two."));
    }

    void nextPageNumber_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("page");
        QTest::newRow("empty") << 0 << 0;
        QTest::newRow("19: the first page again") << 19 << 0;
        QTest::newRow("20") << 20 << 1;
        QTest::newRow("40") << 40 << 2;
        QTest::newRow("50: the third page again") << 50 << 2;
    }

    void nextPageNumber()
    {
        QFETCH(int, rows);
        for (int i = 0; i < rows; ++i)
            state->textTransHistory.append(QVariantMap{{"id", QString("x%1").arg(i)}});
        ctrl->refreshTransHistory(false, false);
        QTRY_COMPARE_WITH_TIMEOUT(harness.server.requestCount(PageRoute), 1, 5000);
        const StandinRequest request = harness.server.requests(PageRoute).first();
        QTEST(request.at("page.page").toInt(), "page");
        QCOMPARE(request.at("page.size").toInt(), 20);
        QCOMPARE(request.at("value").toString(), User::instance()->userId);
    }

    void clippingKeepsSurrogatePairsWhole_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        const QString emoji = QString::fromUtf8("😀");
        QTest::newRow("plain") << QString(129, 'a') << QString(128, 'a') + "...";
        QTest::newRow("pair across the cut") << QString(127, 'a') + emoji << QString(127, 'a') + "...";
        QTest::newRow("pair ends at the cut") << QString(126, 'a') + emoji + "b" << QString(126, 'a') + emoji + "...";
    }

    void clippingKeepsSurrogatePairsWhole()
    {
        QFETCH(QString, text);
        QTEST(TextTrans::clippedHistoryText(text), "shown");
    }

    // A deleted entry pulls the next one onto the page already listed: it must still be listed.
    void nothingSkippedAfterADelete()
    {
        const QStringList texts = numbered(25);
        QCOMPARE(seed(texts).size(), 25);
        ctrl->refreshTransHistory(true, true);
        QTRY_COMPARE_WITH_TIMEOUT(state->textTransHistory.size(), 20, 5000);
        bool deleted = false;
        QSharedPointer<TextTransService>::create()->deleteTransHistory(
            state->textTransHistory.first().toMap().value("id").toString(),
            [&deleted](bool ok, const QVariantMap&) { deleted = ok; });
        QTRY_VERIFY_WITH_TIMEOUT(deleted, 5000);
        state->removeTextTransHistory(0);
        loadToTheEnd();
        QCOMPARE(listed(), newestFirst(texts.mid(0, 24)));
        QCOMPARE(pagesAsked(), (QList<int>{0, 0, 1}));
    }

    void longEntriesClippedOnLaterPages()
    {
        const QStringList ids = seedLongEntries();
        QCOMPARE(ids.size(), 23);
        ctrl->refreshTransHistory(true, true);
        QTRY_COMPARE_WITH_TIMEOUT(state->textTransHistory.size(), 20, 5000);
        QCOMPARE(entryText(state->textTransHistory.first()), QString(129, 'n')); // a refresh never clips
        ctrl->refreshTransHistory(false, false);
        QTRY_COMPARE_WITH_TIMEOUT(state->textTransHistory.size(), 24, 5000);
        const QVariantList page = state->textTransHistory.mid(20);
        const auto entry = [](const QString& id, const QString& text, const QString& result, bool clip) {
            return QVariantMap{{"id", id}, {"sourceLang", "english"}, {"targetLang", "chinese"}, {"text", text},
                               {"result", result}, {"cloud", false}, {"clip", clip}, {"type", "text"}};
        };
        QCOMPARE(page, (QVariantList{entry(ids.at(2), "short text", "", true),
                                     entry(ids.at(1), QString(128, 'b'), "short", false),
                                     entry(ids.at(0), QString(128, 'a') + "...", "", true),
                                     QVariantMap{{"id", "$end"}}}));
        // The clipped ones are kept whole in the local table.
        QList<QVariantMap> rows;
        for (const QString& id : ids.mid(0, 3))
            TextTransStorage::select(rows, id);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0).value("text").toString(), QString(129, 'a'));
        QCOMPARE(rows.at(0).value("source").toString(), QString("english"));
        QCOMPARE(rows.at(1).value("result").toString(), QString(129, 'c'));
    }

    void copyOfAClippedEntry()
    {
        const QStringList ids = seedLongEntries();
        ctrl->refreshTransHistory(true, true);
        QTRY_COMPARE_WITH_TIMEOUT(state->textTransHistory.size(), 20, 5000);
        ctrl->refreshTransHistory(false, false);
        QTRY_COMPARE_WITH_TIMEOUT(state->textTransHistory.size(), 24, 5000);
        harness.server.clearLog();
        QSignalSpy retcodes(state, &State::retcodeChange);
        const int huds = state->windowHud().size();

        ctrl->transHistoryMakeCopy(21, false); // shown whole
        QCOMPARE(QGuiApplication::clipboard()->text(), QString(128, 'b'));
        // From the local table: no request, nothing waited for.
        ctrl->transHistoryMakeCopy(22, false);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString(129, 'a'));
        QVERIFY(retcodes.isEmpty());
        QVERIFY(state->textTransHistory.at(22).toMap().value("clip").toBool());

        // Without it the full text is fetched, and the entry shows it from then on.
        QVERIFY(TextTransStorage::clear());
        ctrl->transHistoryMakeCopy(22, true);
        QCOMPARE(state->retcode(), 1001);
        QTRY_COMPARE_WITH_TIMEOUT(state->retcode(), 1000, 5000);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("short"));
        QCOMPARE(harness.server.requests(FetchRoute).first().at("value").toString(), ids.at(0));
        const QVariantMap entry = state->textTransHistory.at(22).toMap();
        QCOMPARE(entry.value("text").toString(), QString(129, 'a'));
        QCOMPARE(entry.value("result").toString(), QString("short"));
        QVERIFY(!entry.value("clip").toBool());
        QCOMPARE(harness.server.requests().size(), 1);
        for (const QVariant& hud : state->windowHud().mid(huds)) {
            QCOMPARE(hud.toMap().value("window").toString(), QString("main"));
            QCOMPARE(hud.toMap().value("title").toString() + hud.toMap().value("message").toString(), QString("复制成功"));
        }
        QCOMPARE(state->windowHud().size() - huds, 3);
    }

    // A double-click translates the whole text: a clipped entry's comes from the local table, else
    // from the server, and reaches the source only then.
    void translateTakesTheFullText_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("localCopy");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("fetches");
        QTest::newRow("shown whole") << 21 << true << QString(128, 'b') << 0;
        QTest::newRow("clipped, local copy") << 22 << true << QString(129, 'a') << 0;
        QTest::newRow("clipped, from the server") << 22 << false << QString(129, 'a') << 1;
    }

    void translateTakesTheFullText()
    {
        QFETCH(int, row);
        QFETCH(bool, localCopy);
        seedLongEntries();
        ctrl->refreshTransHistory(true, true);
        QTRY_COMPARE_WITH_TIMEOUT(state->textTransHistory.size(), 20, 5000);
        ctrl->refreshTransHistory(false, false);
        QTRY_COMPARE_WITH_TIMEOUT(state->textTransHistory.size(), 24, 5000);
        if (!localCopy)
            QVERIFY(TextTransStorage::clear());
        harness.server.clearLog();
        QSignalSpy sourceSet(state, &State::textTransSourceTriggerChange);
        state->textTransSourceRequestBlockRef() = 0;

        ctrl->transHistoryTranslate(row);
        QTRY_COMPARE_WITH_TIMEOUT(sourceSet.size(), 1, 5000);
        QTEST(state->textTransSource(), "text");
        QCOMPARE(state->textTransSourceRequestBlock(), 0); // the page is to translate it
        QTEST(harness.server.requestCount(FetchRoute), "fetches");
    }

    void deleteEntries()
    {
        const QStringList ids = seed({"first", "second"});
        ctrl->refreshTransHistory(true, true);
        QTRY_COMPARE_WITH_TIMEOUT(listed(), (QStringList{"second", "first", "$end"}), 5000);
        QSignalSpy changes(state, &State::textTransHistoryChange);
        ctrl->transHistoryMakeDelete(1);
        QCOMPARE(listed(), (QStringList{"second", "$end"}));
        QCOMPARE(changes.first().first().toInt(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(harness.server.requestCount(DeleteRoute), 1, 5000);
        QCOMPARE(harness.bodies(DeleteRoute).first().value("value").toObject(),
                 (QJsonObject{{"user_id", User::instance()->userId}, {"id", ids.at(0)}}));

    }

    void deletingTheOnlyEntryRefreshes()
    {
        QCOMPARE(seed({"only"}).size(), 1);
        ctrl->refreshTransHistory(true, true);
        QTRY_COMPARE_WITH_TIMEOUT(listed(), (QStringList{"only", "$end"}), 5000);
        state->textTransHistory.removeLast(); // as if more pages were to come
        ctrl->transHistoryMakeDelete(0);
        QVERIFY(state->textTransHistory.isEmpty());
        // Loaded again once the server confirms.
        QTRY_COMPARE_WITH_TIMEOUT(listed(), QStringList{"$end"}, 5000);
        QCOMPARE(pagesAsked(), (QList<int>{0, 0}));
    }

    // A forced refresh sent while an older one is on its way is not merged into it: what was saved
    // in between is listed, and the older answer is dropped.
    void forcedRefreshSupersedesOneOnItsWay()
    {
        QCOMPARE(seed({"old"}).size(), 1);
        harness.server.script(PageRoute, StandinReply::byDefault().after(300));
        harness.server.script(PageRoute, StandinReply::byDefault().after(1500));
        ctrl->refreshTransHistory(true, true);
        QTRY_COMPARE_WITH_TIMEOUT(harness.server.requestCount(PageRoute), 1, 5000);
        QCOMPARE(seed({"new"}).size(), 1);
        ctrl->refreshTransHistory(true, true);
        QTRY_COMPARE_WITH_TIMEOUT(harness.server.requestCount(PageRoute), 1, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(listed(), (QStringList{"new", "old", "$end"}), 10000);
    }

    // A next page sent while a refresh loads lands on the list the refresh replaces.
    void refreshAnsweredAfterANextPage()
    {
        const QStringList texts = numbered(25);
        QCOMPARE(seed(texts).size(), 25);
        ctrl->refreshTransHistory(true, true);
        QTRY_COMPARE_WITH_TIMEOUT(state->textTransHistory.size(), 20, 5000);
        harness.server.script(PageRoute, StandinReply::byDefault().after(400));
        QSignalSpy changes(state, &State::textTransHistoryChange);
        ctrl->refreshTransHistory(true, true);
        QTRY_COMPARE_WITH_TIMEOUT(harness.server.requestCount(PageRoute), 2, 5000); // it takes the delay
        ctrl->refreshTransHistory(false, false);
        QTRY_COMPARE_WITH_TIMEOUT(changes.size(), 2, 5000);
        QCOMPARE(listed(), newestFirst(texts).mid(0, 20));
        loadToTheEnd();
        QCOMPARE(listed(), newestFirst(texts));
    }

    // A page asked for while a refresh loads, answered after it, continues the list it replaced.
    void nextPageAskedDuringARefreshAnsweredAfterIt()
    {
        const QStringList texts = numbered(61);
        QCOMPARE(seed(texts).size(), 61);
        ctrl->refreshTransHistory(true, true);
        QTRY_COMPARE_WITH_TIMEOUT(state->textTransHistory.size(), 20, 5000);
        ctrl->refreshTransHistory(false, false);
        QTRY_COMPARE_WITH_TIMEOUT(state->textTransHistory.size(), 40, 5000);
        harness.server.script(PageRoute, StandinReply::byDefault().after(200)); // the refresh
        harness.server.script(PageRoute, StandinReply::byDefault().after(600)); // the third page
        harness.server.script(PageRoute, StandinReply::byDefault().after(1000)); // the second, asked anew
        ctrl->refreshTransHistory(true, true);
        QTRY_COMPARE_WITH_TIMEOUT(harness.server.requestCount(PageRoute), 3, 5000);
        ctrl->refreshTransHistory(false, false);
        QTRY_COMPARE_WITH_TIMEOUT(harness.server.requestCount(PageRoute), 4, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(state->textTransHistory.size(), 20, 5000);
        loadToTheEnd();
        QCOMPARE(listed(), newestFirst(texts));
    }

    // A page asked for before a refresh belongs to the list the refresh replaced.
    void nextPageAnsweredAfterARefresh()
    {
        const QStringList texts = numbered(41);
        QCOMPARE(seed(texts).size(), 41);
        ctrl->refreshTransHistory(true, true);
        QTRY_COMPARE_WITH_TIMEOUT(state->textTransHistory.size(), 20, 5000);
        ctrl->refreshTransHistory(false, false);
        QTRY_COMPARE_WITH_TIMEOUT(state->textTransHistory.size(), 40, 5000);
        harness.server.script(PageRoute, StandinReply::byDefault().after(300)); // the third page
        harness.server.script(PageRoute, StandinReply::byDefault());             // the refresh
        harness.server.script(PageRoute, StandinReply::byDefault().after(900)); // answered after the third
        ctrl->refreshTransHistory(false, false);
        QTRY_COMPARE_WITH_TIMEOUT(harness.server.requestCount(PageRoute), 3, 5000);
        ctrl->refreshTransHistory(true, true);
        QTRY_COMPARE_WITH_TIMEOUT(state->textTransHistory.size(), 20, 5000);
        ctrl->refreshTransHistory(false, false);
        QTRY_COMPARE_WITH_TIMEOUT(state->textTransHistory.size(), 40, 5000);
        QCOMPARE(listed(), newestFirst(texts).mid(0, 40));
        loadToTheEnd();
        QCOMPARE(listed(), newestFirst(texts));
        QCOMPARE(pagesAsked(), (QList<int>{0, 1, 2, 0, 1, 2}));
    }
};

PARLAVINE_TEST_MAIN(TestTextTransHistory)
#include "tst_TextTransHistory.moc"
