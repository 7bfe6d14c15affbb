#include "texttrans/TextTransCtrl.h"

#include "core/Dispatch.h"
#include "core/SimpleStorage.h"
#include "core/State.h"
#include "core/Util.h"
#include "texttrans/TextTransService.h"

#include "TextTransHarness.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickTextDocument>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include "TestMain.h"

#include <QtTest>

Q_DECLARE_METATYPE(StandinReply)

namespace {

const QString Analysis = StandinRoute::imtKey("text_analysis");
const QString Translation = StandinRoute::imtKey("auto_translation");

QJsonObject header(const QString& fn)
{
    return {{"fn", fn}, {"session", "session-1"}, {"client_key", "desktop-test"}, {"user", "tester"}};
}

QJsonObject apiHeader()
{
    return {{"session", "session-1"}, {"client_key", "desktop-test"}, {"user_name", "tester"}};
}

bool translate(const QString& text, const QString& source, const QString& target, bool debounced,
               bool mergeBreak = false)
{
    return Dispatch::instance()->run(Dispatch::Ctrl_TextTrans, "translation",
                                     {text, source, target, debounced, mergeBreak, QString()});
}

} // namespace

class TestTextTransCtrl : public QObject
{
    Q_OBJECT
private:
    TextTransHarness harness;
    State* state = nullptr;
    QStringList results;  // every result written, in order
    QList<int> statuses;  // every status written, in order

    // The texts of the huds shown in "main" since the given count, in order.
    QStringList hudsSince(int before) const
    {
        QStringList texts;
        for (const QVariant& value : state->windowHud().mid(before)) {
            const QVariantMap hud = value.toMap();
            if (hud.value("window").toString() == QLatin1String("main"))
                texts.append(hud.value("type").toString() + ": " + hud.value("title").toString() +
                             hud.value("message").toString());
        }
        return texts;
    }

    QStringList routesLogged() const
    {
        QStringList routes;
        for (const StandinRequest& request : harness.server.requests())
            routes.append(request.route);
        return routes;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(harness.setUp());
        state = State::instance();
        connect(state, &State::textTransResultChange, this, [this] { results.append(state->textTransResult()); });
        connect(state, &State::textTransStatusChange, this, [this] { statuses.append(state->textTransStatus()); });
        QVERIFY(Dispatch::instance()->initController(Dispatch::Ctrl_TextTrans));
        QTRY_VERIFY_WITH_TIMEOUT(state->textTransLangData().size() > 3, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!state->textTransSugLangData().isEmpty(), 5000);
        QCOMPARE(harness.server.requestCount(StandinRoute::imtKey("support_lang")), 2);
        QCOMPARE(state->textTransSourceLang(), QString("auto"));
        QCOMPARE(state->textTransTargetLang(), QString("en"));
        QVERIFY(state->textTransSourceLangAutoUpdate());
        harness.server.clearLog();
    }

    void init()
    {
        state->textTransSourceLangAutoUpdateRef() = true;
        state->transAutoMergeBreakRef() = true;
        results.clear();
        statuses.clear();
    }

    void cleanup()
    {
        QCOMPARE(harness.server.takeViolations(), QStringList());
        harness.server.reset();
    }

    void roadOfOneTranslation()
    {
        const QString text = "Hello world. Good morning.";
        QVERIFY(translate(text, "auto", "zh", true));
        QCOMPARE(state->textTransStatus(), 0); // deferred, not yet sent
        QTRY_COMPARE_WITH_TIMEOUT(results.size(), 1, 5000);

        QCOMPARE(routesLogged(), (QStringList{Analysis, Translation}));
        QCOMPARE(harness.bodies(Analysis).first(),
                 (QJsonObject{{"header", header("text_analysis")},
                              {"normalize", QJsonObject{{"merge_broken_line", false}}},
                              {"text", text},
                              {"type", "plain"}}));
        QCOMPARE(harness.bodies(Translation).first(),
                 (QJsonObject{{"header", header("auto_translation")},
                              {"model_category", "normal"},
                              {"type", "plain"},
                              {"reference", QJsonObject{{"sentence_lib", QJsonArray()}, {"term_lib", QJsonArray()}}},
                              {"source", QJsonObject{{"lang", "en"},
                                                     {"text_list", QJsonArray{"Hello world.", "Good morning."}}}},
                              {"target", QJsonObject{{"lang", "zh"}}}}));

        QCOMPARE(state->textTransResult(), QString("[zh] 你好 世界. [zh] 好 早上."));
        QCOMPARE(state->textTransResultIndexes(), (QVariantList{span(0, 11), span(12, 10)}));
        QCOMPARE(state->textTransSourceIndexes(), (QVariantList{span(0, 12), span(13, 13)}));
        QCOMPARE(state->textTransSourceLang(), QString("en"));
        QCOMPARE(state->textTransTargetLang(), QString("zh"));
        QCOMPARE(statuses.first(), 1);
        QCOMPARE(statuses.last(), 0);
    }

    void spacedTargetJoinsSentences()
    {
        QVERIFY(translate("你好。世界。", "auto", "en", false));
        QTRY_COMPARE_WITH_TIMEOUT(state->textTransStatus(), 0, 5000);
        QCOMPARE(state->textTransResult(), QString("[en] hello. [en] world."));
        QCOMPARE(state->textTransResultIndexes(), (QVariantList{span(0, 11), span(12, 11)}));
    }

    void newerTextSupersedesTheOlder()
    {
        harness.server.script(Analysis, StandinReply::byDefault().after(1500));
        QVERIFY(translate("Hello.", "auto", "zh", true));
        QTRY_COMPARE_WITH_TIMEOUT(harness.server.requestCount(Analysis), 1, 5000);
        QCOMPARE(state->textTransStatus(), 1);
        QVERIFY(translate("Good morning.", "auto", "zh", true));
        QTRY_COMPARE_WITH_TIMEOUT(results, QStringList{"[zh] 好 早上."}, 5000);
        QCOMPARE(state->textTransStatus(), 0);
        QCOMPARE(harness.server.requestCount(Translation), 1);
        QCOMPARE(harness.server.requests(Translation).first().at("source.text_list"), QJsonValue(QJsonArray{"Good morning."}));
    }

    void debouncedCallsWithinTheIntervalSendOnce()
    {
        QVERIFY(translate("Hello.", "auto", "zh", true));
        QVERIFY(translate("Thank you.", "auto", "zh", true));
        QTRY_COMPARE_WITH_TIMEOUT(results.size(), 1, 5000);
        QCOMPARE(results.first(), QString("[zh] 谢谢 你."));
        QCOMPARE(harness.server.requestCount(Analysis), 1);
    }

    // A language chosen while typed text still waits must not be undone by the older wait.
    void immediateCallDropsTheDeferredOne()
    {
        harness.server.script(Analysis, StandinReply::byDefault().after(600));
        QVERIFY(translate("Hello.", "auto", "zh", true));
        QVERIFY(translate("Hello.", "auto", "ja", false));
        QTRY_COMPARE_WITH_TIMEOUT(results.size(), 1, 5000);
        QVERIFY(results.first().startsWith("[ja]"));
        QCOMPARE(state->textTransTargetLang(), QString("ja"));
        QCOMPARE(harness.server.requestCount(Analysis), 1);
    }

    void clearingWithinTheIntervalSendsNothing()
    {
        QVERIFY(translate("Hello.", "auto", "zh", true));
        QVERIFY(translate(" \n\t ", "auto", "zh", true));
        QCOMPARE(state->textTransResult(), QString());
        // The clearing job reports itself with one more status write when it runs.
        const int before = statuses.size();
        QTRY_COMPARE_WITH_TIMEOUT(statuses.size(), before + 1, 5000);
        QCOMPARE(state->textTransStatus(), 0);
        QVERIFY(harness.server.requests().isEmpty());
    }

    void bannedPairSendsNothing()
    {
        const QVariantMap table = state->textTransLangData();
        QVariantMap banned = table;
        QVariantMap en = banned["en"].toMap();
        en["support"] = QVariantMap{{"ja", QVariantMap{{"trans", false}, {"sug_static", true}}}};
        banned["en"] = en;
        state->setTextTransLangData(banned);
        auto* ctrl = new TextTransCtrl;
        const QScopedPointer<TextTransCtrl> owner(ctrl);
        QVERIFY(ctrl->isLangPairBanned("trans", "en", "ja"));
        QVERIFY(!ctrl->isLangPairBanned("sug_static", "en", "ja"));
        QVERIFY(!ctrl->isLangPairBanned("trans", "en", "de")); // not described: allowed
        QVERIFY(!ctrl->isLangPairBanned("trans", "xx", "ja"));
        state->textTransSourceLangAutoUpdateRef() = false;
        const int huds = state->windowHud().size();
        QVERIFY(translate("Hello.", "en", "ja", false));
        QCOMPARE(hudsSince(huds), QStringList{"warning: 当前语种对不支持文本翻译, 请重新选择"});
        state->setTextTransLangData(table);
        QCOMPARE(statuses, QList<int>{0}); // the short-lived controller's construction
        QVERIFY(results.isEmpty());
    }

    void autoSourceIsResolved()
    {
        state->textTransSourceLangAutoUpdateRef() = false;
        QVERIFY(translate("你好世界", "auto", "zh", false));
        QTRY_COMPARE_WITH_TIMEOUT(state->textTransStatus(), 0, 5000);
        QCOMPARE(harness.bodies(Analysis).size(), 1);
        // Detected zh equals the target: the first preferred target of zh is used.
        const StandinRequest request = harness.server.requests(Translation).first();
        QCOMPARE(request.at("source.lang").toString(), QString("zh"));
        QCOMPARE(request.at("target.lang").toString(), QString("en"));
        QCOMPARE(state->textTransSourceLang(), QString("zh"));
        QCOMPARE(state->textTransTargetLang(), QString("en"));
        QCOMPARE(state->textTransResult(), QString("[en] hello world"));
        QVERIFY(state->textTransSourceLangAutoUpdate());
    }

    void sameSourceAndTargetFailsAfterTheAnalysis()
    {
        state->textTransSourceLangAutoUpdateRef() = false;
        state->setTextTransResult("before");
        QVERIFY(translate("Hello.", "en", "en", false));
        QTRY_COMPARE_WITH_TIMEOUT(statuses.last(), 0, 5000);
        QCOMPARE(statuses.size(), 2);
        QCOMPARE(routesLogged(), QStringList{Analysis});
        QCOMPARE(state->textTransResult(), QString("before"));
    }

    void mergedLineBreaks_data()
    {
        QTest::addColumn<bool>("autoMerge");
        QTest::addColumn<bool>("mergeBreak");
        QTest::addColumn<bool>("sent");
        QTest::addColumn<QString>("result");
        QTest::newRow("merged") << true << true << true << "[zh] 你好 世界.";
        QTest::newRow("switch off") << false << true << false << "[zh] 你好\n[zh] 世界.";
        QTest::newRow("not asked") << true << false << false << "[zh] 你好\n[zh] 世界.";
    }

    void mergedLineBreaks()
    {
        QFETCH(bool, autoMerge);
        QFETCH(bool, mergeBreak);
        QFETCH(bool, sent);
        state->transAutoMergeBreakRef() = autoMerge;
        state->textTransSourceRef() = "typed";
        state->textTransSourceRequestBlockRef() = 0;
        QVERIFY(translate("Hello\nworld.", "auto", "zh", false, mergeBreak));
        QTRY_COMPARE_WITH_TIMEOUT(state->textTransStatus(), 0, 5000);
        QCOMPARE(harness.server.requests(Analysis).first().at("normalize.merge_broken_line").toBool(), sent);
        QTEST(state->textTransResult(), "result");
        // The editor shows the merged text without asking for another translation.
        QCOMPARE(state->textTransSource(), sent ? QString("Hello world.") : QString("typed"));
        QCOMPARE(state->textTransSourceRequestBlock(), sent ? 2 : 0);
    }

    void serverFailureKeepsTheResult()
    {
        state->setTextTransResult("before");
        const int huds = state->windowHud().size();
        for (int i = 0; i < 3; ++i) // every try
            harness.server.script(Translation, StandinReply::failure("failed", "Model overloaded"));
        QVERIFY(translate("Hello.", "auto", "zh", false));
        QTRY_COMPARE_WITH_TIMEOUT(harness.server.requestCount(Translation), 3, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(statuses.last(), 0, 5000);
        QCOMPARE(state->textTransResult(), QString("before"));
        QCOMPARE(hudsSince(huds), QStringList{"error: Model overloaded"});
    }

    // A translation that gives no result says so where the result would be; the last result stays.
    void failureIsShownInTheResultArea_data()
    {
        QTest::addColumn<StandinReply>("reply");
        QTest::newRow("timeout") << StandinReply::hang();
        QTest::newRow("malformed reply") << StandinReply::malformedJson();
        QTest::newRow("truncated reply") << StandinReply::disconnect();
        QTest::newRow("no sentences") << StandinReply::success(QJsonObject{{"auto_translation", QJsonArray{}}});
    }

    void failureIsShownInTheResultArea()
    {
        QFETCH(StandinReply, reply);
        qputenv("PARLAVINE_REQUEST_TIMEOUT_MS", "1000");
        state->setTextTransResult("before");
        for (int i = 0; i < 3; ++i) // every try
            harness.server.script(Translation, reply);
        QVERIFY(translate("Hello.", "auto", "zh", false));
        QTRY_COMPARE_WITH_TIMEOUT(statuses.size(), 2, 5000);
        qputenv("PARLAVINE_REQUEST_TIMEOUT_MS", "5000");
        QCOMPARE(statuses.last(), 0);
        QCOMPARE(state->textTransFailure(), QString("翻译失败，请稍后重试"));
        QCOMPARE(state->textTransResult(), QString("before"));

        // the next request takes the failure away, its result too
        harness.server.reset();
        QVERIFY(translate("Thank you.", "auto", "zh", false));
        QCOMPARE(state->textTransFailure(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(state->textTransResult(), QString("[zh] 谢谢 你."), 5000);
    }

    // The tables fetched at the page's start while the service was down come once it answers
    // again; until then the names of the stored table, however old, stand in for bare codes.
    void failedLanguageTableIsFetchedAgain_data()
    {
        QTest::addColumn<bool>("byTranslation");
        QTest::newRow("page shown again") << false;
        QTest::newRow("next translation") << true;
    }

    void failedLanguageTableIsFetchedAgain()
    {
        QFETCH(bool, byTranslation);
        const QString supportLang = StandinRoute::imtKey("support_lang");
        QVERIFY(Dispatch::instance()->releaseController(Dispatch::Ctrl_TextTrans));
        const QVariantMap stale{{"de", QVariantMap{{"name", "德语"}}}, {"fr", QVariantMap{{"name", "法语"}}},
                                {"$time", 1}, {"$version", 20231018}, {"xx", QVariantMap{{"name", "x"}}}};
        QVERIFY(SimpleStorage::instance()->set(TextTransService::SupportLangCacheKey, mapToJson(stale)));
        state->setTextTransLangData({});
        state->setTextTransSugLangData({});
        harness.server.script(supportLang, StandinReply::httpStatus(503));
        harness.server.script(supportLang, StandinReply::httpStatus(503));

        QVERIFY(Dispatch::instance()->initController(Dispatch::Ctrl_TextTrans));
        QTRY_COMPARE_WITH_TIMEOUT(harness.server.requestCount(supportLang), 2, 5000);
        QTRY_COMPARE(state->textTransLangData().value("de").toMap().value("name").toString(), QString("德语"));
        QVERIFY(!state->textTransLangData().contains("$time"));

        state->textTransSourceLangAutoUpdateRef() = false;
        state->setTextTransTargetLang("fr");
        if (byTranslation)
            QVERIFY(translate("Hello.", "en", "zh", false));
        else
            Dispatch::instance()->run(Dispatch::Ctrl_TextTrans, "refetchFailedSupportLang", {});
        QTRY_COMPARE_WITH_TIMEOUT(harness.server.requestCount(supportLang), 4, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(state->textTransLangData().contains("ja"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!state->textTransSugLangData().isEmpty(), 5000);
        // the languages in use stay
        QCOMPARE(state->textTransTargetLang(), byTranslation ? QString("zh") : QString("fr"));
    }

    void feedbackAndMemoryBodies()
    {
        Dispatch* dispatch = Dispatch::instance();
        const int huds = state->windowHud().size();
        dispatch->run(Dispatch::Ctrl_TextTrans, "feedback",
                      {"wrong", "Hello.", "en", "你好。", "zh", "general", QStringList{"term", "tone"}});
        dispatch->run(Dispatch::Ctrl_TextTrans, "saveTermSentence", {"Hello.", "你好。", "en", "zh"});
        dispatch->run(Dispatch::Ctrl_TextTrans, "saveTermSentence", {"Hello.", "", "en", "zh"}); // nothing to save
        dispatch->run(Dispatch::Ctrl_TextTrans, "feedback", {"wrong", "", "en", "x", "zh", "", QStringList{}});
        QTRY_COMPARE_WITH_TIMEOUT(hudsSince(huds).size(), 2, 5000);
        QStringList toasts = hudsSince(huds);
        toasts.sort();
        QCOMPARE(toasts, (QStringList{"info: 反馈成功", "info: 记住译文成功"}));
        QCOMPARE(harness.server.requests().size(), 2);
        QCOMPARE(harness.bodies("/api/feedback/translate/record"),
                 (QList<QJsonObject>{QJsonObject{{"header", apiHeader()},
                                                {"value", QJsonObject{{"type", "wrong"},
                                                                      {"source_lang", "en"},
                                                                      {"source_text", "Hello."},
                                                                      {"target_lang", "zh"},
                                                                      {"target_text", "你好。"},
                                                                      {"domain", "general"},
                                                                      {"reason", QJsonArray{"term", "tone"}},
                                                                      {"modified", false}}}}}));
        QCOMPARE(harness.bodies("/api/memory/quickAddTmSent"),
                 (QList<QJsonObject>{QJsonObject{
                     {"header", apiHeader()},
                     {"value", QJsonObject{{"source", "Hello."}, {"target", "你好。"}, {"src_lang", "en"},
                                           {"tgt_lang", "zh"}}}}}));
    }

    void editorsGetAFixedLineHeight()
    {
        QQmlEngine engine;
        QQmlComponent component(&engine);
        component.setData("import QtQuick 2.14\nTextEdit { text: \"one\" }", QUrl());
        const QScopedPointer<QObject> main(component.create());
        const QScopedPointer<QObject> other(component.create());
        QVERIFY(main && other);
        const auto documentOf = [](QObject* edit) {
            return edit->property("textDocument").value<QQuickTextDocument*>();
        };
        Dispatch::instance()->run(Dispatch::Ctrl_TextTrans, "handleUIForEditor",
                                  {QVariant::fromValue<QObject*>(documentOf(main.data())), "main"});
        Dispatch::instance()->run(Dispatch::Ctrl_TextTrans, "handleUIForEditor",
                                  {QVariant::fromValue<QObject*>(documentOf(other.data())), "other"});
        for (QObject* edit : {main.data(), other.data()}) {
            const QTextBlockFormat format = documentOf(edit)->textDocument()->begin().blockFormat();
            QCOMPARE(format.lineHeightType(), int(QTextBlockFormat::FixedHeight));
            QCOMPARE(int(format.lineHeight()), 26); // the size table has no "transInputHeight"
        }
        // A paragraph typed later in the main editor gets the height too; elsewhere it does not.
        for (QObject* edit : {main.data(), other.data()}) {
            QTextDocument* document = documentOf(edit)->textDocument();
            QTextCursor cursor(document);
            cursor.movePosition(QTextCursor::End);
            cursor.insertBlock(QTextBlockFormat());
            cursor.insertText("two");
        }
        QCOMPARE(documentOf(main.data())->textDocument()->lastBlock().blockFormat().lineHeightType(),
                 int(QTextBlockFormat::FixedHeight));
        QCOMPARE(documentOf(other.data())->textDocument()->lastBlock().blockFormat().lineHeightType(),
                 int(QTextBlockFormat::SingleHeight));
    }

    // Last: it releases the controller.
    void releaseKeepsTwentyHistoryEntries()
    {
        QVariantList history;
        for (int i = 0; i < 25; ++i)
            history.append(QVariantMap{{"id", QString::number(i)}});
        state->textTransHistory = history;
        QVERIFY(Dispatch::instance()->releaseController(Dispatch::Ctrl_TextTrans));
        QCOMPARE(state->textTransHistory, history.mid(0, 20));
    }
};

PARLAVINE_TEST_MAIN(TestTextTransCtrl)
#include "tst_TextTransCtrl.moc"
