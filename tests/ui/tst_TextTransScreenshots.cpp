#include "UiTestEngine.h"

#include "LabelChecks.h"

#include "StandinFixture.h"
#include "TestMain.h"

#include <QDir>
#include <QImage>
#include <QQmlComponent>
#include <QQuickItem>
#include <QRegularExpression>
#include <QTranslator>
#include <QtTest>

// Pictures of the text translation page with a real translation from the stand-in, a hovered
// sentence, the sentence editor open with its references and a history list, in the light and
// the dark theme: textTrans-<language>-<theme>.png in PARLAVINE_SCREENSHOT_DIR
// (scripts/screenshots). Grabbing a window needs a real X server:
// PARLAVINE_TEST_NEEDS_DISPLAY.
namespace {

const char HostQml[] = R"qml(
import QtQuick 2.14
import QtQuick.Window 2.14
Window {
    width: 1126 // the page's width in a main window of its default 1200
    height: 1100
    visible: true
    color: $state.windowColor.contentBG
    TextTransPage { objectName: "page"; anchors.fill: parent }
}
)qml";

QJsonObject historyItem(const QString& id, const QString& text, const QString& result)
{
    return {{"id", id}, {"src_text", text}, {"tgt_text", result}, {"src_lang", "english"}, {"tgt_lang", "chinese"},
            {"type", "text"}};
}

} // namespace

class TestTextTransScreenshots : public QObject
{
    Q_OBJECT
    StandinFixture m_standin;
    QTemporaryDir m_home;
    QString m_outDir;

private slots:
    void initTestCase()
    {
        const QString wanted = qEnvironmentVariable("PARLAVINE_SCREENSHOT_DIR");
        m_outDir = wanted.isEmpty() ? m_home.filePath("shots") : wanted;
        QVERIFY(QDir().mkpath(m_outDir));
        signInTestUser();
    }

    void cleanup() { m_standin.verify(); }

    void page_data()
    {
        LabelChecks::languageThemeRows();
    }

    void page()
    {
        QFETCH(QString, language);
        QFETCH(int, theme);
        QTranslator translator;
        QVERIFY(useLanguageAndTheme(translator, language, theme));
        State* state = State::instance();
        state->languageRef() = language;
        state->setTextTransResult(QString());
        state->setTextTransResultIndexes({});
        m_standin->script("/api/transtask/findTransHistoryByUserIdByPage", StandinReply::success(QJsonObject{
            {"content", QJsonArray{historyItem("h-1", "Good morning.", "[zh] 好 早上."),
                                   historyItem("h-2", "I love this book. Thank you, friend.", "[zh] 我 爱 这 书. [zh] 谢谢 你, 朋友.")}},
            {"last", true}}));

        UiTestEngine ui;
        QQmlComponent host(&ui.engine);
        host.setData(HostQml, QUrl("qrc:/ui/pages/textTrans/PageHost.qml"));
        QScopedPointer<QQuickWindow> window(qobject_cast<QQuickWindow*>(host.create()));
        QVERIFY2(window, qPrintable(host.errorString()));
        QVERIFY(QTest::qWaitForWindowExposed(window.data()));
        QTRY_VERIFY_WITH_TIMEOUT(state->textTransLangData().size() > 3, 30000);

        // a real translation: the controller's road through the stand-in
        QQuickItem* source = window->findChild<QQuickItem*>("inputView");
        QQuickItem* result = window->findChild<QQuickItem*>("resultView");
        QMetaObject::invokeMethod(source, "setText",
                                  Q_ARG(QVariant, QString("Hello world. Good morning, friend! I love this book.\n"
                                                          "Thank you. Today is a test of the text translation.")));
        QTRY_COMPARE_WITH_TIMEOUT(state->textTransResultIndexes().size(), 5, 5000);
        QTRY_COMPARE(result->property("_spans").toList().size(), 5);

        // the third sentence opened in the editor, the second one hovered
        const QVariant third = QVariantMap{{"index", 2}};
        QMetaObject::invokeMethod(result, "highlightRangeClickHandler", Q_ARG(QVariant, third), Q_ARG(QVariant, true));
        QTRY_VERIFY_WITH_TIMEOUT(!state->textTransSelectSugStcs().isEmpty(), 5000);
        QMetaObject::invokeMethod(result, "hoverRangeByIndex", Q_ARG(QVariant, 1));
        // a pair with domains, and the source editor's menu open
        state->textTransSourceLangAutoUpdateRef() = false;
        state->setTextTransSourceLang("zh");
        state->setTextTransTargetLang("en");
        QQuickItem* sourceEdit = source->findChild<QQuickItem*>("edit");
        QMetaObject::invokeMethod(sourceEdit, "_openMenu", Q_ARG(QVariant, 40), Q_ARG(QVariant, 60));
        QTest::qWait(300); // let the pop-up transitions and the loading picture settle

        const QImage shot = window->grabWindow();
        // the typed text, its translation and what the stand-in sends about it
        const auto foreign = [](const QString& text) {
            static const QRegularExpression served(
                QStringLiteral("\\[zh\\]|Hello|Good morning|I love|love|Thank you|\\b(i|this)\\b|[我爱这书]|%"));
            return served.match(text).hasMatch();
        };
        const QStringList findings = LabelChecks::findings(window.data(), ui.iconFamily, foreign);
        QCoreApplication::removeTranslator(&translator);
        QVERIFY(!shot.isNull());
        QVERIFY(shot.save(QDir(m_outDir).filePath(
            QStringLiteral("textTrans-%1-%2.png").arg(language, theme ? "dark" : "light"))));
        window.reset();
        QVERIFY2(ui.warnings.isEmpty(), qPrintable(ui.warnings.join('\n')));
        QVERIFY2(findings.isEmpty(), qPrintable(findings.join('\n')));
    }
};

PARLAVINE_TEST_MAIN(TestTextTransScreenshots)
#include "tst_TextTransScreenshots.moc"
