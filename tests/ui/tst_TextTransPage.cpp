#include "UiTestEngine.h"

#include "core/Dispatch.h"

#include "StandinFixture.h"
#include "TestMain.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QTranslator>
#include <QQuickItem>
#include <QtQuickTest/quicktest.h>
#include <QtTest>

#include <algorithm>

// The text translation page in a real window against the stand-in: typing, the result and its
// spans, the sentence editor, languages and domains, feedback and the history list.
// Typing, clicks and hovering go through real input events on the window.
namespace {

const QString Analysis = StandinRoute::imtKey("text_analysis");
const QString Translation = StandinRoute::imtKey("auto_translation");
const QString StaticSuggestion = StandinRoute::imtKey("static_suggestion");
const QString Feedback = "/api/feedback/translate/record";
const QString HistoryPage = "/api/transtask/findTransHistoryByUserIdByPage";

const char HostQml[] = R"qml(
import QtQuick 2.14
import QtQuick.Window 2.14
Window {
    width: 1280
    height: 1000
    visible: true
    TextTransPage { objectName: "page"; anchors.fill: parent }
}
)qml";

QJsonObject historyItem(const QString& id, const QString& text, const QString& source, const QString& target)
{
    return {{"id", id}, {"src_text", text}, {"tgt_text", "[" + target + "] " + text},
            {"src_lang", source}, {"tgt_lang", target}, {"type", "text"}};
}

} // namespace

class TestTextTransPage : public QObject
{
    Q_OBJECT
    StandinFixture m_standin;
    UiTestEngine* m_ui = nullptr;
    QQuickWindow* m_window = nullptr;
    State* m_state = nullptr;

    QQuickItem* item(const QString& name, QObject* under = nullptr) const
    {
        QQuickItem* found = under ? under->findChild<QQuickItem*>(name) : m_window->findChild<QQuickItem*>(name);
        return found ? found : visualChild(qobject_cast<QQuickItem*>(under), name);
    }

    // No item under this one waits to be laid out.
    static bool polished(QQuickItem* item)
    {
        if (QQuickTest::qIsPolishScheduled(item))
            return false;
        const QList<QQuickItem*> children = item->childItems();
        return std::all_of(children.begin(), children.end(), polished);
    }

    // Items made by repeaters and views are found through the visual tree only.
    static QQuickItem* visualChild(QQuickItem* under, const QString& name)
    {
        if (!under)
            return nullptr;
        for (QQuickItem* child : under->childItems()) {
            if (child->objectName() == name)
                return child;
            if (QQuickItem* found = visualChild(child, name))
                return found;
        }
        return nullptr;
    }

    // The text area the user types in, inside a framed editor.
    QQuickItem* editOf(const QString& area) const { return item("edit", item(area)); }
    QString textOf(const QString& area) const { return editOf(area)->property("text").toString(); }

    void typeInto(const QString& area, const QString& text)
    {
        QQuickItem* edit = editOf(area);
        edit->forceActiveFocus();
        QTRY_VERIFY(edit->hasActiveFocus());
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, m_window, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
    }

    void click(QQuickItem* target, QPointF at = QPointF(-1, -1))
    {
        QVERIFY(target && target->isVisible());
        if (at.x() < 0)
            at = QPointF(target->width() / 2, target->height() / 2);
        QTest::mouseClick(m_window, Qt::LeftButton, {}, target->mapToScene(at).toPoint());
    }

    // A point inside sentence `index` of the result.
    QPointF resultSentencePoint(int index) const
    {
        QQuickItem* edit = editOf("resultView");
        const QVariantMap span = m_state->textTransResultIndexes().value(index).toMap();
        QRectF r;
        QMetaObject::invokeMethod(edit, "positionToRectangle", Q_RETURN_ARG(QRectF, r),
                                  Q_ARG(int, span.value("start").toInt() + 1));
        return r.center();
    }

    // What the user picks in a language selector's pop-up.
    void chooseLanguage(const QString& selector, const QString& code)
    {
        QQuickItem* drop = item("select", item(selector));
        QVERIFY(drop);
        const QVariant choice = QVariantMap{{"key", code}, {"value", code}};
        QMetaObject::invokeMethod(drop, "selectItem", Q_ARG(QVariant, choice));
    }

    // Types English text with instant translation on and waits for its result.
    void translateTyped(const QString& text)
    {
        typeInto("inputView", text);
        QTRY_COMPARE_WITH_TIMEOUT(textOf("resultView").isEmpty(), false, 5000);
        QTRY_COMPARE(m_state->textTransStatus(), 0);
    }

    void waitForTarget(const QString& code)
    {
        QTRY_COMPARE(item("targetLanSelect")->property("selectValue").toString(), code);
    }

    // The rows the table has made, top first.
    static QList<QQuickItem*> historyCells(QQuickItem* table)
    {
        QList<QQuickItem*> cells;
        for (QQuickItem* child : table->property("contentItem").value<QQuickItem*>()->childItems()) {
            if (child->objectName() == QLatin1String("tableCell") && child->isVisible())
                cells.append(child);
        }
        return cells;
    }

private slots:
    void initTestCase()
    {
        qputenv("PARLAVINE_REQUEST_TIMEOUT_MS", "5000");
        signInTestUser();
        m_state = State::instance();
        QVERIFY(m_state->userLogined());

        m_ui = new UiTestEngine;
        QQmlComponent host(&m_ui->engine);
        host.setData(HostQml, QUrl("qrc:/ui/pages/textTrans/PageHost.qml"));
        m_window = qobject_cast<QQuickWindow*>(host.create());
        QVERIFY2(m_window, qPrintable(host.errorString()));
        m_window->requestActivate();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        QTRY_VERIFY_WITH_TIMEOUT(m_state->textTransLangData().size() > 3, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!m_state->textTransSugLangData().isEmpty(), 5000);
        QTRY_COMPARE(m_standin->requestCount(HistoryPage), 1);
        // Answered, not only sent: its empty list closes with the end line.
        QTRY_COMPARE(m_state->textTransHistory.size(), 1);
    }

    void cleanupTestCase()
    {
        if (!m_ui)
            return;
        delete m_window;
        const QStringList warnings = m_ui->warnings;
        delete m_ui;
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
    }

    // Each test starts from an empty source, instant translation on, automatic source and Chinese
    // target (the stand-in marks a translation with its target: "[zh] ").
    void init()
    {
        m_state->setTextTransStreamed(true);
        QMetaObject::invokeMethod(item("clearBtn", item("inputView")), "clicked");
        QTRY_COMPARE(textOf("resultView"), QString());
        chooseLanguage("sourceLanSelect", "auto");
        chooseLanguage("targetLanSelect", "zh");
        QTRY_COMPARE(m_state->textTransStatus(), 0);
        m_standin.reset();
    }

    void cleanup() { m_standin.verify(); }

    // First: a translation's history entry is added 10 s after it and would join the list.
    void historyRowsEndLineAndDoubleClickRestore()
    {
        m_standin->script(HistoryPage, StandinReply::success(QJsonObject{
            {"content", QJsonArray{historyItem("h-1", "你好。", "chinese", "english"),
                                   historyItem("h-2", "Good morning.\nThank you.", "english", "chinese")}},
            {"last", true}}));
        Dispatch::instance()->run(Dispatch::Ctrl_TextTrans, "refreshTransHistory", {true, true});
        QQuickItem* table = item("historyTable", item("historyTable"));
        QVERIFY(table);
        QTRY_COMPARE(table->property("rows").toInt(), 3);
        QList<QQuickItem*> cells;
        QTRY_COMPARE((cells = historyCells(table)).size(), 3);
        std::sort(cells.begin(), cells.end(), [](QQuickItem* a, QQuickItem* b) { return a->y() < b->y(); });
        QCOMPARE(item("historyText", cells.at(0))->property("text").toString(), QString("你好。"));
        QVERIFY(cells.at(2)->property("isEnd").toBool());
        QVERIFY(!item("historyText", cells.at(2))->isVisible());

        // the row shows one line; the whole text, line break and all, is translated
        QCOMPARE(item("historyText", cells.at(1))->property("text").toString(), QString("Good morning. Thank you."));
        QTest::mouseDClick(m_window, Qt::LeftButton, {}, cells.at(1)->mapToScene(QPointF(40, 18)).toPoint());
        QTRY_COMPARE(textOf("inputView"), QString("Good morning.\nThank you."));
        QCOMPARE(item("sourceLanSelect")->property("selectValue").toString(), QString("en"));
        waitForTarget("zh");
        QTRY_COMPARE_WITH_TIMEOUT(m_standin->requestCount(Translation), 1, 5000);
        QCOMPARE(m_standin->requests(Analysis).last().at("text").toString(), QString("Good morning.\nThank you."));
        QCOMPARE(m_standin->requests(Translation).last().at("source.lang").toString(), QString("en"));
    }

    void instantTranslationSendsDebouncedAndShowsSpans()
    {
        typeInto("inputView", "Hello world. Good morning.");
        QTRY_COMPARE_WITH_TIMEOUT(textOf("resultView"), QString("[zh] 你好 世界. [zh] 好 早上."), 5000);
        // one request for the whole text: the keystrokes were debounced
        QCOMPARE(m_standin->requestCount(Analysis), 1);
        QCOMPARE(m_standin->requests(Analysis).first().at("text").toString(), QString("Hello world. Good morning."));
        QCOMPARE(item("resultView")->property("_spans").toList().size(), 2);

        // the hover mark follows the mouse from sentence to sentence, and leaves with it
        QSignalSpy hovered(item("resultView"), SIGNAL(hoverSentenceChange(int)));
        QQuickItem* edit = editOf("resultView");
        QTest::mouseMove(m_window, edit->mapToScene(resultSentencePoint(0)).toPoint());
        QTest::mouseMove(m_window, edit->mapToScene(resultSentencePoint(1)).toPoint());
        QTRY_COMPARE(hovered.size(), 2);
        QCOMPARE(hovered.at(0).at(0).toInt(), 0);
        QCOMPARE(hovered.at(1).at(0).toInt(), 1);
        QVERIFY(!item("hoverMark", item("resultView"))->property("_rects").toList().isEmpty());

        // the source marks the same sentence in the result's hover colour, readable under the dark theme
        m_state->setThemeColor(1);
        const QVariant sourceHover = item("hoverMark", item("inputView"))->property("color");
        const QVariant resultHover = item("hoverMark", item("resultView"))->property("color");
        m_state->setThemeColor(0);
        QCOMPARE(sourceHover, resultHover);
    }

    void withInstantTranslationOffOnlyTheButtonTranslates()
    {
        click(item("streamCloseBtn"));
        QVERIFY(!m_state->textTransStreamed());
        QTRY_VERIFY(item("transBtn")->isVisible());
        Dispatch::instance()->run(Dispatch::Ctrl_TextTrans, "marker", {});
        typeInto("inputView", "Thank you.");
        // nothing reached the controller since the marker
        QCOMPARE(Dispatch::instance()->recentActions().last(), QString("TextTrans_marker"));
        click(item("transBtn"));
        QTRY_COMPARE_WITH_TIMEOUT(textOf("resultView"), QString("[zh] 谢谢 你."), 5000);
        QCOMPARE(m_standin->requestCount(Analysis), 1);
    }

    void sourceCounterCountsAgainstTheLimit()
    {
        m_state->setTextTransStreamed(false); // nothing to translate here
        typeInto("inputView", "abc");
        QCOMPARE(item("counter", item("inputView"))->property("text").toString(), QString("3/5000"));
        QQuickItem* cutNote = item("cutNote", item("inputView"));
        QVERIFY(!cutNote->isVisible());
        // a paste cut at the limit says so, until the text is under it again
        QGuiApplication::clipboard()->setText(QString(5001, 'a'));
        QTest::keySequence(m_window, QKeySequence::SelectAll);
        QTest::keySequence(m_window, QKeySequence::Paste);
        QCOMPARE(textOf("inputView").size(), 5000);
        QCOMPARE(item("counter", item("inputView"))->property("text").toString(), QString("5000/5000"));
        QVERIFY(cutNote->isVisible());
        QCOMPARE(cutNote->property("text").toString(), QString("超出 5000 字的部分已删除"));
        QTest::keyClick(m_window, Qt::Key_Backspace);
        QVERIFY(!cutNote->isVisible());
        QMetaObject::invokeMethod(item("inputView"), "setText", Q_ARG(QVariant, QString(5001, 'a')));
        QVERIFY(cutNote->isVisible());
        // the read-only result has neither counter nor clear button
        QVERIFY(!item("counter", item("resultView"))->isVisible());
        QVERIFY(!item("clearBtn", item("resultView"))->isVisible());
    }

    // With instant translation off the source may change while the reply is on its way: the
    // sentences shown and saved are those of the text that was translated.
    void resultKeepsTheSourceItWasMadeFrom()
    {
        click(item("streamCloseBtn"));
        QTRY_VERIFY(item("transBtn")->isVisible());
        typeInto("inputView", "Hello world.");
        m_standin->script(Translation, StandinReply::byDefault().after(500));
        click(item("transBtn"));
        QTRY_COMPARE_WITH_TIMEOUT(m_standin->requestCount(Analysis), 1, 5000);
        QMetaObject::invokeMethod(item("inputView"), "setText", Q_ARG(QVariant, QString("Thank you. Hello world.")));
        QTRY_COMPARE_WITH_TIMEOUT(textOf("resultView"), QString("[zh] 你好 世界."), 5000);

        click(editOf("resultView"), resultSentencePoint(0));
        QTRY_VERIFY(item("detailPanel")->property("item").value<QObject*>());
        QCOMPARE(item("sourceArea")->property("message").toString(), QString("Hello world."));
        QTRY_COMPARE_WITH_TIMEOUT(m_standin->requestCount(StaticSuggestion), 1, 5000);
        QCOMPARE(m_standin->requests(StaticSuggestion).first().at("source.text").toString(), QString("Hello world."));
    }

    // A failed translation is said in the result area once the spinner stops.
    void failureIsSaidInTheResultArea()
    {
        for (int i = 0; i < 3; ++i)
            m_standin->script(Translation, StandinReply::malformedJson());
        typeInto("inputView", "Hello.");
        QQuickItem* failure = item("transFailure", item("resultView"));
        QTRY_VERIFY_WITH_TIMEOUT(failure->isVisible(), 5000);
        QCOMPARE(failure->property("text").toString(), QString("翻译失败，请稍后重试"));
        QCOMPARE(m_state->textTransStatus(), 0);
        m_standin.reset();
        typeInto("inputView", " Thank you.");
        QTRY_COMPARE_WITH_TIMEOUT(textOf("resultView").isEmpty(), false, 5000);
        QVERIFY(!failure->isVisible());
    }

    void clickedSentenceOpensTheEditorAndConfirmReplacesIt()
    {
        translateTyped("Hello world. Good morning.");
        QCOMPARE(textOf("resultView"), QString("[zh] 你好 世界. [zh] 好 早上."));

        click(editOf("resultView"), resultSentencePoint(0));
        QTRY_VERIFY(item("detailPanel")->property("item").value<QObject*>());
        QTRY_COMPARE_WITH_TIMEOUT(m_standin->requestCount(StaticSuggestion), 1, 5000);
        QCOMPARE(m_standin->requests(StaticSuggestion).first().at("source.text").toString(), QString("Hello world."));
        QQuickItem* editor = item("smartEditor", item("detailPanel"));
        QCOMPARE(editor->property("sentenceIndex").toInt(), 0);
        QCOMPARE(item("sourceArea")->property("message").toString(), QString("Hello world."));

        // the tips typed for this sentence stay behind it, and only behind it
        typeInto("smartEditor", "x");
        m_state->setTextTransDynamicSugTips("[zh] 你好 世界.x tips");
        QCOMPARE(item("editMirror", editor)->property("text").toString(),
                 QString("[zh] 你好 世界.x tips"));
        QMetaObject::invokeMethod(editor, "changeText", Q_ARG(QVariant, QString("你好，世界。")));
        click(item("sureBtn", editor));
        QCOMPARE(textOf("resultView"), QString("你好，世界。 [zh] 好 早上."));
        QVERIFY(m_state->textTransResultHumanModified());
        // the editor went on to the next sentence, whose span moved with the change
        QCOMPARE(editor->property("sentenceIndex").toInt(), 1);
        QCOMPARE(textOf("smartEditor"), QString("[zh] 好 早上."));
        QCOMPARE(item("editMirror", editor)->property("text").toString(), QString());
    }

    // At the page's default width (a main window of 1200) the result's header keeps one row and
    // nothing in it is cut off. English has no room for the instant-translation switch there, which
    // moves to the result's foot instead of a row of its own. Texts are left-aligned and the
    // editor's menu follows the dark theme.
    void layoutAtTheDefaultWidth_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("streamed");
        QTest::addColumn<bool>("switchInHeader");
        QTest::newRow("en, instant translation on") << "en" << true << false;
        QTest::newRow("en, instant translation off") << "en" << false << false;
        QTest::newRow("zh, instant translation on") << "zh" << true << true;
        QTest::newRow("zh, instant translation off") << "zh" << false << true;
    }

    void layoutAtTheDefaultWidth()
    {
        QFETCH(QString, language);
        QFETCH(bool, streamed);
        QFETCH(bool, switchInHeader);
        QTranslator translator;
        QVERIFY(useLanguageAndTheme(translator, language, 1));
        m_state->languageRef() = language;
        emit m_state->languageChange();
        m_ui->engine.retranslate();
        const int width = m_window->width();
        m_window->setWidth(1126);
        QTRY_COMPARE(item("page")->width(), 1126.0);
        m_state->setTextTransStreamed(streamed);
        chooseLanguage("sourceLanSelect", "zh");
        chooseLanguage("targetLanSelect", "en");
        QQuickItem* domain = item("domainSelect");
        QTRY_VERIFY(item("domainArea")->isVisible());
        domain->setProperty("currentIndex", 0);

        const auto whole = [](QQuickItem* text) { return text->isVisible() && !text->property("truncated").toBool(); };
        QQuickItem* shown = nullptr;
        for (QQuickItem* child : domain->property("contentItem").value<QQuickItem*>()->childItems()) {
            if (child->isVisible())
                shown = child;
        }
        QVERIFY(shown && whole(shown));
        QCOMPARE(shown->property("text").toString(), language == "en" ? QString("General") : QString("通用"));
        QQuickItem* header = item("resultHeader");
        QCOMPARE(header->height(), 28.0);
        QQuickItem* switchButton = item(streamed ? "streamCloseBtn" : "streamOpenBtn");
        QVERIFY(whole(switchButton));
        QTRY_VERIFY(polished(m_window->contentItem())); // rows place their items when polished
        const auto area = [](QQuickItem* i) { return i->mapRectToScene(QRectF(0, 0, i->width(), i->height())); };
        const QRectF place = area(switchButton);
        if (!streamed) {
            QQuickItem* button = item("transBtn");
            QVERIFY(button->isVisible() && button->width() >= button->implicitWidth());
            QVERIFY(area(header).contains(area(button)));
            QVERIFY(!place.intersects(area(button)));
        }
        // the switch lies within the header, or on the result box's foot beside the copy button
        const QRectF copyAll = area(item("copyAllBtn"));
        if (switchInHeader) {
            QVERIFY(area(header).contains(place));
        } else {
            QVERIFY(area(item("resultView")).contains(place));
            QVERIFY(place.left() > copyAll.right());
            QCOMPARE(place.center().y(), copyAll.center().y());
        }
        QCOMPARE(item("resultView")->property("alignMode").toInt(), int(Qt::AlignLeft));
        QCOMPARE(item("inputView")->property("alignMode").toInt(), int(Qt::AlignLeft));

        QMetaObject::invokeMethod(editOf("inputView"), "_openMenu", Q_ARG(QVariant, 20), Q_ARG(QVariant, 20));
        QObject* menu = editOf("inputView")->findChild<QObject*>("editMenu");
        QTRY_VERIFY(menu->property("opened").toBool());
        QQuickItem* background = menu->property("background").value<QQuickItem*>();
        QCOMPARE(background->property("color").value<QColor>(), QColor(m_state->windowColor().value("selectBG").toString()));
        for (int i = 0; i < menu->property("count").toInt(); ++i) {
            QQuickItem* entry = nullptr;
            QMetaObject::invokeMethod(menu, "itemAt", Q_RETURN_ARG(QQuickItem*, entry), Q_ARG(int, i));
            QQuickItem* label = entry ? entry->property("contentItem").value<QQuickItem*>() : nullptr;
            if (label && label->inherits("QQuickText"))
                QVERIFY2(whole(label), qPrintable(label->property("text").toString()));
        }
        QMetaObject::invokeMethod(menu, "close");

        m_window->setWidth(width);
        QTRY_COMPARE(item("page")->width(), qreal(width));
        QCoreApplication::removeTranslator(&translator);
        m_ui->engine.retranslate();
        m_state->setThemeColor(0);
        m_state->languageRef() = "zh";
        emit m_state->languageChange();
    }

    void domainRowFollowsThePair_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("domains");
        QTest::newRow("zh-en has domains") << "zh" << "en" << true;
        QTest::newRow("ja-en has none") << "ja" << "en" << false;
        QTest::newRow("automatic source has none") << "auto" << "zh" << false;
    }

    void domainRowFollowsThePair()
    {
        QFETCH(QString, source);
        QFETCH(QString, target);
        QFETCH(bool, domains);
        chooseLanguage("sourceLanSelect", source);
        chooseLanguage("targetLanSelect", target);
        QCOMPARE(item("domainArea")->isVisible(), domains);
        if (!domains)
            return;
        typeInto("inputView", "你好。");
        QTRY_COMPARE_WITH_TIMEOUT(m_standin->requestCount(Translation), 1, 5000);
        QVERIFY(!m_standin->requests(Translation).first().body.contains("text_domain"));
        QQuickItem* select = item("domainSelect");
        select->setProperty("currentIndex", 1);
        QMetaObject::invokeMethod(select, "activated", Q_ARG(int, 1));
        QTRY_COMPARE_WITH_TIMEOUT(m_standin->requestCount(Translation), 2, 5000);
        QCOMPARE(m_standin->requests(Translation).last().at("text_domain").toString(), QString("patent"));
    }

    void likeAndDislikeSendFeedback()
    {
        translateTyped("Good morning.");
        click(item("likeBtn"));
        QTRY_COMPARE_WITH_TIMEOUT(m_standin->requestCount(Feedback), 1, 5000);
        const StandinRequest like = m_standin->requests(Feedback).first();
        QCOMPARE(like.at("value.type").toString(), QString("good"));
        QCOMPARE(like.at("value.source_text").toString(), QString("Good morning."));
        QCOMPARE(like.at("value.target_text").toString(), QString("[zh] 好 早上."));

        // a new result takes a new rating; reasons go in table order, whatever the clicks' order
        typeInto("inputView", " Thank you.");
        QTRY_COMPARE_WITH_TIMEOUT(textOf("resultView"), QString("[zh] 好 早上. [zh] 谢谢 你."), 5000);
        click(item("dislikeBtn"));
        QObject* pop = item("dislikeBtn")->findChild<QObject*>("dislikePanel");
        QTRY_VERIFY(pop->property("opened").toBool());
        QQuickItem* popItem = pop->property("contentItem").value<QQuickItem*>();
        for (const char* reason : {"reason_other", "reason_not_smooth", "reason_error"})
            click(item(reason, popItem));
        click(item("submitBtn", popItem));
        QTRY_COMPARE_WITH_TIMEOUT(m_standin->requestCount(Feedback), 2, 5000);
        QCOMPARE(m_standin->requests(Feedback).last().at("value.type").toString(), QString("error"));
        QCOMPARE(m_standin->requests(Feedback).last().at("value.reason").toArray(),
                 (QJsonArray{"error", "not_smooth", "other"}));
    }

};

PARLAVINE_TEST_MAIN(TestTextTransPage)
#include "tst_TextTransPage.moc"
