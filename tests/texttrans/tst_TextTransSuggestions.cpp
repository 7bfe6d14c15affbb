#include "texttrans/TextTransCtrl.h"
#include "texttrans/TextTransSuggestions.h"

#include "core/State.h"

#include "TextTransHarness.h"
#include "TestMain.h"

#include <QtTest>

using namespace TextTrans;

namespace {

const QString Static = StandinRoute::imtKey("static_suggestion");
const QString Selection = StandinRoute::imtKey("selection_suggestion");
const QString Dynamic = StandinRoute::imtKey("dynamic_suggestion");

QVariantMap segment(const QString& type, int start, int len)
{
    return {{"type", type}, {"start_pos", start}, {"len", len}};
}

// n input-method candidates, as the server sends them.
QJsonObject imeReply(int n)
{
    QJsonArray candidates;
    for (int i = 0; i < n; ++i)
        candidates.append(QJsonObject{{"text", QString("w%1").arg(i)}, {"source_str", "w"}});
    return {{"ime_suggestion", candidates}};
}

} // namespace

class TestTextTransSuggestions : public QObject
{
    Q_OBJECT
private:
    TextTransHarness harness;
    State* state = nullptr;
    QSharedPointer<TextTransCtrl> ctrl;

private slots:
    void initTestCase()
    {
        QVERIFY(harness.setUp());
        state = State::instance();
        QVERIFY(harness.loadLanguageTables());
    }

    void init() { ctrl = QSharedPointer<TextTransCtrl>::create(); }

    void cleanup()
    {
        ctrl.reset();
        QVERIFY(harness.standin.verify());
        harness.server.reset();
    }

    void ratioText_data()
    {
        QTest::addColumn<double>("score");
        QTest::addColumn<QString>("text");
        QTest::newRow("half") << 0.5 << "50%";
        QTest::newRow("rounded half up") << 0.12345 << "12.35%";
        QTest::newRow("two decimals") << 0.8765 << "87.65%";
        QTest::newRow("whole") << 1.0 << "100%";
        QTest::newRow("zero") << 0.0 << "0%";
        QTest::newRow("thirds") << 1.0 / 3 << "33.33%";
    }

    void ratioText()
    {
        QFETCH(double, score);
        QTEST(::ratioText(score), "text");
    }

    void staticSuggestions()
    {
        harness.server.script(Static, StandinReply::success(Fixtures::json("texttrans/static_suggestion.json")));
        ctrl->searchSuggestions("Good morning.", "en", "zh");
        QTRY_VERIFY_WITH_TIMEOUT(!state->textTransSelectSugStcs().isEmpty(), 5000);
        QCOMPARE(state->textTransSelectSugStcs(),
                 (QVariantList{
                     QVariantMap{{"ratio", 0.91}, {"source", "Good morning."}, {"trans", "早上好。"}, {"ratioStr", "87.65%"}, {"repoStr", "公共句库"}},
                     QVariantMap{{"ratio", 0.7}, {"source", "Good night."}, {"trans", "晚安。"}, {"ratioStr", "100%"}, {"repoStr", "my memory"}},
                     QVariantMap{{"ratio", 0.2}, {"source", "Good."}, {"trans", ""}, {"ratioStr", ""}, {"repoStr", ""}}}));
        QCOMPARE(state->textTransSelectSugTerms(),
                 (QVariantList{QVariantMap{{"ratio", 1}, {"source", "morning"}, {"trans", QVariantList{"早上", "上午"}}}}));
        QCOMPARE(harness.server.requests(Static).first().at("source.text").toString(), QString("Good morning."));

        // An empty text keeps the lists; a pair without static suggestions empties them, asking nothing.
        ctrl->searchSuggestions("", "en", "zh");
        QCOMPARE(state->textTransSelectSugStcs().size(), 3);
        ctrl->searchSuggestions("Good morning.", "en", "ja");
        QVERIFY(state->textTransSelectSugStcs().isEmpty());
        QVERIFY(state->textTransSelectSugTerms().isEmpty());
        QCOMPARE(harness.server.requestCount(Static), 1);
    }

    void selectionBoundaries_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<QStringList>("sent"); // the three segments; empty when nothing is sent
        QTest::addColumn<QStringList>("shown");
        const QStringList before{"before"};
        QTest::newRow("no selection clears") << 4 << 4 << QStringList() << QStringList();
        QTest::newRow("up to the end") << 6 << 12 << QStringList{"Hello ", "world.", ""}
                                       << QStringList{"世界.", "[zh] 世界."};
        QTest::newRow("from the start") << 0 << 5 << QStringList{"", "Hello", " world."}
                                        << QStringList{"你好", "[zh] 你好"};
        QTest::newRow("one past the end") << 6 << 13 << QStringList() << before;
        QTest::newRow("reversed") << 5 << 2 << QStringList() << before;
    }

    void selectionBoundaries()
    {
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(QStringList, sent);
        state->setTextTransSelectPartSugStcs({"before"});
        ctrl->searchSelectSuggestions("Hello world.", "你好世界。", start, end, "en", "zh");
        if (sent.isEmpty()) {
            QTEST(QVariant(state->textTransSelectPartSugStcs()).toStringList(), "shown");
            QVERIFY(harness.server.requests().isEmpty());
            return;
        }
        QVERIFY(state->textTransSelectPartSugStcs().isEmpty()); // emptied while the request waits
        QTRY_VERIFY_WITH_TIMEOUT(!state->textTransSelectPartSugStcs().isEmpty(), 5000);
        QTEST(QVariant(state->textTransSelectPartSugStcs()).toStringList(), "shown");
        QStringList segments;
        for (const QJsonValue& value : harness.server.requests(Selection).first().at("source.segment_list").toArray())
            segments.append(value.toObject().value("str").toString());
        QCOMPARE(segments, sent);
    }

    void selectionCancelledWhileWaiting()
    {
        harness.server.script(Selection, StandinReply::byDefault().after(300));
        ctrl->searchSelectSuggestions("Hello world.", "你好世界。", 0, 5, "en", "zh");
        QTRY_COMPARE_WITH_TIMEOUT(harness.server.requestCount(Selection), 1, 5000);
        QSignalSpy changes(state, &State::textTransSelectPartSugStcsChange);
        ctrl->searchSelectSuggestions("Hello world.", "你好世界。", 3, 3, "en", "zh");
        QCOMPARE(changes.size(), 1);
        // The late reply empties the list again instead of filling it.
        QTRY_COMPARE_WITH_TIMEOUT(changes.size(), 2, 5000);
        QVERIFY(state->textTransSelectPartSugStcs().isEmpty());
    }

    void dynamicSuggestion_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("editing");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("sentTyped");
        QTest::addColumn<int>("sentEditing");
        QTest::addColumn<int>("sentCaret");
        QTest::addColumn<QString>("markup");
        QTest::addColumn<QString>("tips");
        QTest::addColumn<QVariantList>("ime");
        const QString sentence = "<font color=#333333><b>hello </b></font><font color=#0052D9>world</font>";
        // The word typed up to the caret gets the space the server expects, and the tip keeps it.
        QTest::newRow("word typed to the end") << "hello" << 5 << 5 << "hello " << 6 << 6 << sentence
                                               << "hello world" << QVariantList();
        QTest::newRow("space already typed") << "hello " << 6 << 6 << "hello " << 6 << 6 << sentence
                                             << "hello world" << QVariantList();
        QTest::newRow("caret past the segment")
            << "hello wor" << 6 << 9 << "hello wor" << 6 << 9
            << "<font color=#333333><b>hello wor</b></font><font color=#0052D9>ld</font>" << "hello world"
            << QVariantList{QVariantMap{{"text", "world"}, {"target", "wor"}, {"replace", "world"}}};
    }

    void dynamicSuggestion()
    {
        QFETCH(QString, typed);
        QFETCH(int, editing);
        QFETCH(int, caret);
        QSignalSpy tips(state, &State::textTransDynamicSugTipsChange);
        ctrl->dynamicTransSuggestion("你好世界", "zh", "hello", "en", typed, editing, caret);
        QCOMPARE(tips.size(), 1); // cleared at once
        QTRY_COMPARE_WITH_TIMEOUT(tips.size(), 2, 5000);
        const StandinRequest request = harness.server.requests(Dynamic).first();
        QTEST(request.at("target.text_typing").toString(), "sentTyped");
        QTEST(request.at("target.editing_segment_pos").toInt(), "sentEditing");
        QTEST(request.at("target.caret_pos").toInt(), "sentCaret");
        QCOMPARE(request.at("target.text").toString(), QString("hello"));
        QCOMPARE(request.at("limit.ime").toInt(), 18);
        QTEST(state->textTransDynamicSugStc(), "markup");
        QTEST(state->textTransDynamicSugTips(), "tips");
        QTEST(state->textTransDynamicSugIME(), "ime");
        QVERIFY(!state->textTransDynamicSugIMEHasMore());
    }

    void suggestionMarkup_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QVariantList>("segments");
        QTest::addColumn<QString>("html");
        const QVariantList twoSegments{segment("prefix", 0, 6), segment("suggestion", 7, 3)};
        QTest::newRow("gap between") << "abcdefghij" << twoSegments
                                     << "<font color=#333333><b>abcdef</b></font>g<font color=#0052D9>hij</font>";
        QTest::newRow("rest after") << "abcdefghijkl" << twoSegments
                                    << "<font color=#333333><b>abcdef</b></font>g<font color=#0052D9>hij</font>kl";
        // Cut where the server said, then escaped: nothing of the text becomes markup.
        QTest::newRow("server text escaped")
            << "a<b>&c <img src=x>" << QVariantList{segment("prefix", 0, 6), segment("suggestion", 7, 11)}
            << "<font color=#333333><b>a&lt;b&gt;&amp;c</b></font> <font color=#0052D9>&lt;img src=x&gt;</font>";
        QTest::newRow("other type plain") << "a&b" << QVariantList{segment("other", 0, 3)} << "a&amp;b";
        QTest::newRow("no segments") << "x<y" << QVariantList() << "x&lt;y";
    }

    void suggestionMarkup()
    {
        QFETCH(QString, sentence);
        QFETCH(QVariantList, segments);
        QTEST(::suggestionMarkup(sentence, segments), "html");
    }

    void suggestionTip_data()
    {
        QTest::addColumn<bool>("spaceAdded");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QVariantList>("segments");
        QTest::addColumn<QString>("tip");
        const QVariantList next{QVariantMap{{"text", "world"}}};
        QTest::newRow("space added and at the caret") << true << "hello world" << 5 << next << "hello world";
        QTest::newRow("no space at the caret") << true << "helloXworld" << 5 << next << "helloworld";
        QTest::newRow("no space added") << false << "hello world" << 5 << next << "helloworld";
        QTest::newRow("caret past the sentence") << true << "hello" << 5 << next << "helloworld";
        QTest::newRow("caret before it") << true << "hello" << -1 << next << "helloworld";
        QTest::newRow("no segment") << true << "hello world" << 5 << QVariantList() << "hello";
    }

    void suggestionTip()
    {
        QFETCH(bool, spaceAdded);
        QFETCH(QString, sentence);
        QFETCH(int, caret);
        QFETCH(QVariantList, segments);
        QTEST(::suggestionTip("hello", segments, spaceAdded, sentence, caret), "tip");
    }

    void imeHasMore_data()
    {
        QTest::addColumn<int>("page"); // 0: the dynamic suggestion's own two pages
        QTest::addColumn<int>("candidates");
        QTest::addColumn<int>("asked");
        QTest::addColumn<bool>("hasMore");
        QTest::newRow("dynamic, 17") << 0 << 17 << 18 << false;
        QTest::newRow("dynamic, 18") << 0 << 18 << 18 << true;
        QTest::newRow("page 3, 27") << 3 << 27 << 27 << true;
        QTest::newRow("page 3, 20") << 3 << 20 << 27 << false;
    }

    void imeHasMore()
    {
        QFETCH(int, page);
        QFETCH(int, candidates);
        QFETCH(bool, hasMore);
        harness.server.script(Dynamic, StandinReply::success(imeReply(candidates)));
        QSignalSpy ime(state, &State::textTransDynamicSugIMEChange);
        state->textTransDynamicSugIMEHasMoreRef() = !hasMore;
        // The caret after the editing position: PageDown while typing a word.
        if (page == 0)
            ctrl->dynamicTransSuggestion("你好世界", "zh", "hello w", "en", "hello w", 6, 7);
        else
            ctrl->dynamicTransIme("你好世界", "zh", "hello w", "en", "hello w", 6, 7, page);
        QTRY_COMPARE_WITH_TIMEOUT(ime.size(), page == 0 ? 2 : 1, 5000);
        QCOMPARE(state->textTransDynamicSugIME().size(), candidates);
        QCOMPARE(state->textTransDynamicSugIMEHasMore(), hasMore);
        QTEST(harness.server.requests(Dynamic).first().at("limit.ime").toInt(), "asked");
    }
};

PARLAVINE_TEST_MAIN(TestTextTransSuggestions)
#include "tst_TextTransSuggestions.moc"
