#include "LabelChecks.h"
#include "TestMain.h"
#include "UiTestEngine.h"

#include "core/SimpleStorage.h"
#include "core/State.h"

#include <QDir>
#include <QQmlComponent>
#include <QQuickItem>
#include <QTranslator>
#include <QtTest>

// The update window in each state of the updater, drawn on a real X server
// (PARLAVINE_TEST_NEEDS_DISPLAY); pictures go to PARLAVINE_SCREENSHOT_DIR when set.
class TestUpdateWindow : public QObject
{
    Q_OBJECT
    QTemporaryDir m_home;
    QString m_outDir;

    static void setInfo(const QVariantMap& changes)
    {
        QVariantMap info = State::instance()->updateInfo();
        for (auto it = changes.cbegin(); it != changes.cend(); ++it)
            info.insert(it.key(), it.value());
        State::instance()->setUpdateInfo(info);
    }

    static QString textOf(QObject* root, const char* name, const char* property = "text")
    {
        QObject* item = root->findChild<QObject*>(QLatin1String(name));
        return item && item->property("visible").toBool() ? item->property(property).toString() : QString("<hidden>");
    }

    static void click(QQuickWindow* window, const char* name)
    {
        auto* item = window->findChild<QQuickItem*>(QLatin1String(name));
        QVERIFY(item && item->isVisible());
        QTest::mouseClick(window, Qt::LeftButton, {}, item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint());
    }

    // The update window, made (owned by `root`) and shown; null when it could not be made or shown.
    static QQuickWindow* showWindow(UiTestEngine& ui, QScopedPointer<QObject>& root)
    {
        QQmlComponent component(&ui.engine, QUrl(QStringLiteral("qrc:/ui/updateWindow/UpdateWindow.qml")));
        root.reset(component.create());
        auto* window = qobject_cast<QQuickWindow*>(root.data());
        if (!window) {
            qWarning("%s", qPrintable(component.errorString()));
            return nullptr;
        }
        window->show();
        return QTest::qWaitForWindowExposed(window) ? window : nullptr;
    }

private slots:
    void initTestCase()
    {
        const QString wanted = qEnvironmentVariable("PARLAVINE_SCREENSHOT_DIR");
        m_outDir = wanted.isEmpty() ? m_home.filePath("shots") : wanted;
        QVERIFY(QDir().mkpath(m_outDir));
    }

    void states_data()
    {
        QTest::addColumn<QVariantMap>("info");
        QTest::addColumn<QString>("title");     // status title or offer title
        QTest::addColumn<QString>("detail");    // status subtitle or download tip
        QTest::addColumn<QString>("mainButton");
        QTest::addColumn<bool>("mainEnabled");
        const QString version = State::instance()->version();
        QTest::newRow("checking") << QVariantMap{{"state", 0}} << "检查更新中..." << "<hidden>" << "<hidden>" << false;
        QTest::newRow("latest") << QVariantMap{{"state", 1}} << "您使用的就是最新版本！" << "当前版本：" + version
                                << "<hidden>" << false;
        QTest::newRow("failed") << QVariantMap{{"state", -1}, {"desc", "检查异常"}} << "检查异常"
                                << "请检查当前网络是否正常" << "<hidden>" << false;
        QTest::newRow("offer") << QVariantMap{{"state", 2}, {"version", "2.0"}, {"desc", "<b>notes</b>\nline 2"}}
                               << "发现新版本：2.0" << "<hidden>" << "下载更新" << true;
        QTest::newRow("downloading") << QVariantMap{{"state", 3}, {"progress", 0.4999}} << "发现新版本：2.0"
                                     << "下载进度：49%" << "下载中..." << false;
        QTest::newRow("size unknown") << QVariantMap{{"state", 3}, {"progress", -1}} << "发现新版本：2.0"
                                      << "下载进度：" << "下载中..." << false;
        QTest::newRow("download failed") << QVariantMap{{"state", 3}, {"progress", -100}} << "发现新版本：2.0"
                                         << "下载失败" << "重新下载" << true;
    }
    void states()
    {
        QFETCH(QVariantMap, info);
        QFETCH(QString, title);
        QFETCH(QString, detail);
        QFETCH(QString, mainButton);
        QFETCH(bool, mainEnabled);
        setInfo({{"version", "2.0"}, {"desc", "<b>notes</b>\nline 2"}, {"progress", 0}});
        setInfo(info);

        UiTestEngine ui;
        QScopedPointer<QObject> root;
        QQuickWindow* window = showWindow(ui, root);
        QVERIFY(window);

        const int state = info.value("state").toInt();
        const bool offer = state >= 2;
        QTRY_COMPARE(textOf(window, offer ? "offerTitle" : "lastestTitle"), title);
        QCOMPARE(textOf(window, offer ? "downloadTipText" : "lastestSubTitle"), detail);
        QCOMPARE(textOf(window, "mainButton", "title"), mainButton);
        if (offer) {
            QCOMPARE(!window->findChild<QObject*>("mainButton")->property("disable").toBool(), mainEnabled);
            QCOMPARE(textOf(window, "descText"), QString("<b>notes</b>\nline 2")); // shown as text
            const bool unknown = info.value("progress").toInt() == -1;
            if (state == 3)
                QCOMPARE(window->findChild<QObject*>("downloadBar")->property("indeterminate").toBool(), unknown);
        }
        QImage shot;
        QTRY_VERIFY((shot = window->grabWindow(), !shot.isNull()));
        QVERIFY(shot.save(QDir(m_outDir).filePath(QStringLiteral("update-%1.png").arg(QTest::currentDataTag()).replace(' ', '-'))));
        QVERIFY2(ui.warnings.isEmpty(), qPrintable(ui.warnings.join('\n')));
    }

    // A download under way with long notes in each language and theme: the progress track
    // follows the theme, no label is cut and no text is faint.
    void pictures_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("theme");
        for (const char* language : {"zh", "en"}) {
            for (int theme : {0, 1})
                QTest::addRow("%s-%s", language, theme ? "dark" : "light") << QString(language) << theme;
        }
    }
    void pictures()
    {
        QFETCH(QString, language);
        QFETCH(int, theme);
        QTranslator translator;
        QVERIFY(useLanguageAndTheme(translator, language, theme));
        const QString notes = QStringLiteral("Faster document translation, a clearer dark theme and many small "
                                             "fixes.\nSupercalifragilisticexpialidociousnessesandmore");
        setInfo({{"state", 3}, {"version", "2.0"}, {"desc", notes}, {"progress", 0.4}});
        UiTestEngine ui;
        QScopedPointer<QObject> root;
        QQuickWindow* window = showWindow(ui, root);
        QVERIFY(window);
        QTRY_VERIFY(window->findChild<QQuickItem*>("progressRow")->isVisible());
        QImage shot;
        QTRY_VERIFY((shot = window->grabWindow(), !shot.isNull()));
        const auto foreign = [&notes](const QString& text) { return text == notes || text.contains("2.0"); };
        const QStringList findings = LabelChecks::findings(window, ui.iconFamily, foreign);
        QVERIFY(shot.save(QDir(m_outDir).filePath(QStringLiteral("update-%1.png").arg(QTest::currentDataTag()))));
        QCoreApplication::removeTranslator(&translator);
        State::instance()->setThemeColor(0);
        QVERIFY2(findings.isEmpty(), qPrintable(findings.join('\n')));
        QVERIFY2(ui.warnings.isEmpty(), qPrintable(ui.warnings.join('\n')));
    }

    // "稍后提示" puts the offered version off; "重新下载" asks for the download again.
    void offerButtons()
    {
        setInfo({{"state", 2}, {"version", "2.5"}, {"url", QString()}, {"progress", 0}});
        UiTestEngine ui;
        QScopedPointer<QObject> root;
        QQuickWindow* window = showWindow(ui, root);
        QVERIFY(window);

        click(window, "secondaryButton");
        QTRY_COMPARE(SimpleStorage::instance()->get("versionBlock").toString(), QString("2.5"));

        setInfo({{"state", 3}, {"progress", -100}});
        State::instance()->setWindowHud({});
        QTRY_COMPARE(textOf(window, "mainButton", "title"), QString("重新下载"));
        click(window, "mainButton");
        // the url is empty: the download is refused with a toast in this window
        QTRY_COMPARE(State::instance()->windowHud().value(0).toMap().value("title").toString(),
                     QString("请求异常，请稍后重试"));
        State::instance()->setWindowHud({});
    }
};

PARLAVINE_TEST_MAIN(TestUpdateWindow)
#include "tst_UpdateWindow.moc"
