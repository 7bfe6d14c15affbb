#include "LabelChecks.h"
#include "StandinFixture.h"
#include "StandinRoutes.h"
#include "TestMain.h"
#include "UiTestEngine.h"

#include <QClipboard>
#include <QDir>
#include <QJsonArray>
#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QTranslator>
#include <QtTest>

// The memory window driven like a user would, on a real X server (PARLAVINE_TEST_NEEDS_DISPLAY):
// choosing a repository, paging, adding, editing, deleting and copying entries. Both windows are
// also drawn to PARLAVINE_SCREENSHOT_DIR (or a temporary folder) for a person to look at.
namespace {

QJsonObject repo(const QString& name, int entries, const QString& created)
{
    QJsonArray pairs;
    for (int i = 0; i < entries; ++i)
        pairs.append(QJsonArray{QStringLiteral("source %1").arg(i), QStringLiteral("target  %1").arg(i)});
    return {{"user_id", "u-1"}, {"name", name}, {"src_lang", "english"}, {"tgt_lang", "chinese"},
            {"reversible", true}, {"create_time", created}, {"entries", pairs}};
}

QQuickItem* visualChild(QQuickItem* under, const QString& name)
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

} // namespace

class TestTermPages : public QObject
{
    Q_OBJECT
    StandinFixture m_standin;
    QTemporaryDir m_home;
    QString m_outDir;
    State* m_state = nullptr;

    QQuickItem* item(QQuickWindow* window, const QString& name) const
    {
        return visualChild(window->contentItem(), name);
    }

    void click(QQuickWindow* window, QQuickItem* target)
    {
        QVERIFY(target && target->isVisible());
        QTest::mouseClick(window, Qt::LeftButton, {}, target->mapToScene(QPointF(target->width() / 2, target->height() / 2)).toPoint());
    }

    // A text of an entry row; rows are made anew whenever the page is re-read.
    QString entryText(QQuickWindow* window, const QString& id, const QString& which) const
    {
        QQuickItem* text = visualChild(item(window, "entryRow_" + id), which);
        return text ? text->property("text").toString() : QString();
    }

    QQuickWindow* open(UiTestEngine& ui, const QString& document)
    {
        QQmlComponent component(&ui.engine, QUrl(document));
        auto* window = qobject_cast<QQuickWindow*>(component.create());
        if (!window)
            qWarning() << component.errors();
        return window;
    }

    // The entry pop-up's text areas, filled, then "确定".
    void fillEntryPop(QQuickWindow* window, const QString& name, const QString& source, const QString& target)
    {
        QObject* popup = nullptr;
        QTRY_VERIFY((popup = window->findChild<QObject*>(name)));
        popup->property("sourceArea").value<QObject*>()->setProperty("text", source);
        popup->property("targetArea").value<QObject*>()->setProperty("text", target);
        QMetaObject::invokeMethod(popup, "submit");
    }

private slots:
    void initTestCase()
    {
        qputenv("PARLAVINE_REQUEST_TIMEOUT_MS", "5000");
        QVERIFY(m_home.isValid());
        isolateUserFolders(m_home);
        const QString wanted = qEnvironmentVariable("PARLAVINE_SCREENSHOT_DIR");
        m_outDir = wanted.isEmpty() ? m_home.filePath("shots") : wanted;
        QVERIFY(QDir().mkpath(m_outDir));
        signInTestUser();
        m_state = State::instance();
        m_state->setTextTransLangData({{"auto", QVariantMap{{"name", "自动选择"}, {"prio", 3}}},
                                       {"en", QVariantMap{{"name", "英语"}, {"enName", "English"}, {"prio", 1}}},
                                       {"zh", QVariantMap{{"name", "中文"}, {"enName", "Chinese"}, {"prio", 2}}}});
    }

    void init()
    {
        m_standin.reset();
        const QJsonArray seeded{repo("Contracts", 60, "2024-01-01 10:00:00.0"), repo("Patents", 2, "2024-02-01 10:00:00.0")};
        for (const StandinRoute& route : StandinRoutes::repositories({{"tm", seeded}, {"term", seeded}}))
            m_standin->addRoute(route);
    }

    void cleanup() { m_standin.verify(); }

    void memoryWindow()
    {
        UiTestEngine ui;
        QQuickWindow* window = open(ui, "qrc:/ui/pages/termSentence/TermSentPage.qml");
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QQuickItem* entries = item(window, "entryList");
        // The first load goes through the repository list and then the entries: a busy machine
        // may take longer than the default wait.
        QTRY_COMPARE_WITH_TIMEOUT(m_state->termSentRepoCurId(), QString("1001"), 30000);
        QTRY_COMPARE_WITH_TIMEOUT(entries->property("count").toInt(), 50, 30000);

        // Another repository, then back; its second page.
        QQuickItem* second = nullptr;
        QTRY_VERIFY((second = item(window, "repoRow_1002")));
        click(window, second);
        QTRY_COMPARE(entries->property("count").toInt(), 2);
        click(window, item(window, "repoRow_1001"));
        QTRY_COMPARE(entries->property("count").toInt(), 50);
        QMetaObject::invokeMethod(item(window, "pager"), "updatePage", Q_ARG(QVariant, 1));
        QTRY_COMPARE(entries->property("count").toInt(), 10);
        QCOMPARE(m_state->termSentRepoSentPage(), 1);
        QCOMPARE(m_state->termSentRepoCurId(), QString("1001"));

        // Copy the source of the first row of the page.
        QQuickItem* row = nullptr;
        QTRY_VERIFY((row = item(window, "entryRow_5051")));
        click(window, row);
        QTRY_COMPARE(m_state->termSentRepoSentIndex(), 0);
        click(window, item(window, "copySourceBtn"));
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), QString("source 50"));

        // Visible spaces.
        click(window, item(window, "showSpacesBtn"));
        QTRY_COMPARE(entryText(window, "5051", "entryTarget"), QString("译文：target··50"));

        // Edit the selected entry in place.
        click(window, item(window, "editEntryBtn"));
        fillEntryPop(window, "termSentAddSentPop", "edited source", "edited target");
        QTRY_COMPARE(m_standin->requestCount("/api/memory/updateTmSent"), 1);
        QCOMPARE(m_standin->requests("/api/memory/updateTmSent").first().at("value.id").toString(), QString("5051"));
        QTRY_COMPARE(entryText(window, "5051", "entrySource"), QString("原文：edited·source"));

        // A save that fails keeps the pop-up open with what was typed and says so inside it;
        // saving again once the service answers adds the entry and the shown page is loaded again.
        // A change is sent once: the answered failure is not tried again.
        m_standin->script("/api/memory/addTmSent", StandinReply::failure("busy", QString(), 500));
        click(window, item(window, "addEntryBtn"));
        fillEntryPop(window, "termSentAddSentPop", "added", "neu");
        QObject* pop = window->findChild<QObject*>("termSentAddSentPop");
        QTRY_COMPARE(pop->property("failure").toString(), QString("服务器异常，请稍后重试"));
        QVERIFY(pop->property("opened").toBool());
        QCOMPARE(pop->property("sourceArea").value<QObject*>()->property("text").toString(), QString("added"));
        QMetaObject::invokeMethod(pop, "submit");
        QTRY_COMPARE(entries->property("count").toInt(), 11);
        QTRY_VERIFY(!window->findChild<QObject*>("termSentAddSentPop"));

        // Delete the selected entry after confirming.
        click(window, item(window, "deleteEntryBtn"));
        QObject* question = nullptr;
        QTRY_VERIFY((question = window->findChild<QObject*>("questionWindow")));
        QMetaObject::invokeMethod(question, "callSure");
        QTRY_COMPARE(m_standin->requestCount("/api/memory/deleteTmSent"), 1);
        QTRY_COMPARE(entries->property("count").toInt(), 10);

        QVERIFY(window->grabWindow().save(QDir(m_outDir).filePath("termSent-zh-light.png")));
        delete window;
        QVERIFY(m_state->termSentRepoMap().isEmpty());
        // The detail models announce a shorter page by a layout change, which the list view
        // answers with this notice while it drops the row it was making.
        ui.warnings.removeAll(QStringLiteral("DelegateModel::cancel: index out range 10 10"));
        QVERIFY2(ui.warnings.isEmpty(), qPrintable(ui.warnings.join('\n')));
    }

    void screenshots_data()
    {
        LabelChecks::languageThemeRows();
    }

    // Both windows in each language and theme, with an entry pop-up of the memory side and the
    // new-repository pop-up of the term side open; no label cut, no faint text.
    void screenshots()
    {
        QFETCH(QString, language);
        QFETCH(int, theme);
        QTranslator translator;
        QVERIFY(useLanguageAndTheme(translator, language, theme));
        m_state->setLanguage(language);
        const QString suffix = QStringLiteral("-%1-%2").arg(language, theme ? "dark" : "light");
        // the entries and repository names are the user's
        const auto foreign = [](const QString& text) {
            return text.contains(QStringLiteral("source ")) || text.contains(QStringLiteral("target "))
                || text == QStringLiteral("Contracts") || text == QStringLiteral("Patents");
        };
        QStringList findings;
        UiTestEngine ui;
        for (const QString& name : {QStringLiteral("termSentence/TermSentPage"), QStringLiteral("term/TermPage")}) {
            QQuickWindow* window = open(ui, "qrc:/ui/pages/" + name + ".qml");
            QVERIFY(window);
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QTRY_COMPARE(item(window, "entryList")->property("count").toInt(), 50);
            const QString picture = name.section('/', 1) + suffix;
            findings << LabelChecks::findings(window, ui.iconFamily, foreign).replaceInStrings(QRegularExpression("^"), picture + ": ");
            QVERIFY(window->grabWindow().save(QDir(m_outDir).filePath(picture + ".png")));
            if (language == "en")
                QCOMPARE(window->title(), QString(name.startsWith("term/") ? "Term base" : "Sentence base"));
            // the entry actions keep to one row
            QCOMPARE(item(window, "editEntryBtn")->y(), item(window, "addEntryBtn")->y());
            click(window, item(window, "addEntryBtn"));
            QObject* popup = nullptr;
            QTRY_VERIFY((popup = window->findChild<QObject*>(name.startsWith("term/") ? "termAddPairPop" : "termSentAddSentPop")));
            QTRY_VERIFY(popup->property("opened").toBool());
            const QString popPicture = name.section('/', 1) + "-pop" + suffix;
            findings << LabelChecks::findings(window, ui.iconFamily, foreign).replaceInStrings(QRegularExpression("^"), popPicture + ": ");
            QVERIFY(window->grabWindow().save(QDir(m_outDir).filePath(popPicture + ".png")));
            delete window;
        }
        QCoreApplication::removeTranslator(&translator);
        m_state->setLanguage("zh");
        m_state->setThemeColor(0);
        QVERIFY2(ui.warnings.isEmpty(), qPrintable(ui.warnings.join('\n')));
        QVERIFY2(findings.isEmpty(), qPrintable(findings.join('\n')));
    }
};

PARLAVINE_TEST_MAIN(TestTermPages)
#include "tst_TermPages.moc"
