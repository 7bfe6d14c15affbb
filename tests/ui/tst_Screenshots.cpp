#include "LabelChecks.h"
#include "StandinFixture.h"
#include "UiTestEngine.h"
#include "VisualTree.h"

#include "core/Hud.h"
#include "core/State.h"
#include "shell/ImageProvider.h"

#include "TestMain.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QQuickWindow>
#include <QTranslator>
#include <QtTest>

#include <optional>

// Every window and page in both themes and in English and Chinese: the page follows the catalogue
// and the theme, no label the program wrote is cut, and in the dark theme every text stands out
// from its background (the light theme keeps the design's own colours). The pictures go to
// PARLAVINE_SCREENSHOT_DIR when set (scripts/screenshots). Grabbing a window needs a real X
// server: PARLAVINE_TEST_NEEDS_DISPLAY.
class TestScreenshots : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        isolateUserFolders(m_home);
        const QString wanted = qEnvironmentVariable("PARLAVINE_SCREENSHOT_DIR");
        m_outDir = wanted.isEmpty() ? m_home.filePath("shots") : wanted;
        QVERIFY(QDir().mkpath(m_outDir));
    }

    void mainWindow_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("theme");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("contentColour");
        QTest::newRow("en-light") << "en" << 0 << "Text translation" << "#ffffff";
        QTest::newRow("en-dark") << "en" << 1 << "Text translation" << "#101010";
        QTest::newRow("zh-light") << "zh" << 0 << "文本翻译" << "#ffffff";
        QTest::newRow("zh-dark") << "zh" << 1 << "文本翻译" << "#101010";
    }

    void mainWindow()
    {
        QFETCH(QString, language);
        QFETCH(int, theme);
        QFETCH(QString, title);
        QFETCH(QString, contentColour);

        QTranslator translator;
        QVERIFY(useLanguageAndTheme(translator, language, theme));

        UiTestEngine ui;
        QQuickWindow* window = shownMainWindow(ui);
        QVERIFY(window);
        QObject* titleLabel = window->findChild<QObject*>("titleLabel");
        QTRY_COMPARE(titleLabel->property("text").toString(), title);
        QTRY_VERIFY(window->findChild<QObject*>("curPagePanel")->property("item").value<QObject*>());

        QImage shot;
        QTRY_VERIFY((shot = window->grabWindow(), !shot.isNull()));
        const QStringList findings = LabelChecks::findings(window, ui.iconFamily, foreign);
        QCoreApplication::removeTranslator(&translator);
        QVERIFY2(findings.isEmpty(), qPrintable(findings.join('\n')));
        QVERIFY(!shot.isNull());
        // a point of the page's left margin, beside the sidebar (toasts show at the top middle)
        QCOMPARE(shot.pixelColor(88, shot.height() / 2).name(), contentColour);
        QVERIFY(shot.save(QDir(m_outDir).filePath(QStringLiteral("main-%1-%2.png")
                                                   .arg(language, theme ? "dark" : "light"))));
        QVERIFY2(ui.warnings.isEmpty(), qPrintable(ui.warnings.join('\n')));
    }

    // On a 1366 x 768 screen the window scale is about 0.85: the sidebar still holds its switch.
    void narrowSidebar_data() { secondaryWindows_data(); }

    void narrowSidebar()
    {
        Scene scene;
        QVERIFY(setUp(scene));
        State::instance()->setWindowWidthScale(0.85);
        QQuickItem* sidebar = VisualTree::item(scene.window, "mainSidebar");
        QQuickItem* select = VisualTree::item(scene.window, "copyTransSwitch");
        QVERIFY(sidebar && select);
        const QRectF inSidebar = select->mapRectToItem(sidebar, QRectF(0, 0, select->width(), select->height()));
        const qreal width = sidebar->width();
        State::instance()->setWindowWidthScale(1.0);
        QVERIFY2(inSidebar.left() >= 0 && inSidebar.right() < width - 1,
                 qPrintable(QStringLiteral("switch %1..%2 in a sidebar of %3")
                                .arg(inSidebar.left()).arg(inSidebar.right()).arg(width)));
        const QStringList warnings = finished(scene);
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
    }

    // Each page of the main window, and the repository windows.
    void pages_data() { secondaryWindows_data(); }

    void pages()
    {
        Scene scene;
        QVERIFY(setUp(scene));
        State* state = State::instance();
        QObject* panel = scene.window->findChild<QObject*>("curPagePanel");
        for (const QString page : {"fileTransPage", "userPage", "envPage", "textTransPage"}) {
            state->setMainCurPage(page);
            QTRY_VERIFY(panel->property("item").value<QObject*>());
            QTest::qWait(200);
            QVERIFY(drawn(scene, scene.window, "page-" + page + "-" + scene.suffix));
        }
        const QList<QPair<const char*, QString>> windows{{"showTermWindow", "termPage"},
                                                         {"showTermSentWindow", "termSentPage"}};
        for (const auto& [flag, name] : windows) {
            QVERIFY(state->setProperty(flag, true));
            QQuickWindow* shown = shownWindow(name);
            QVERIFY2(shown, qPrintable(name));
            QTest::qWait(200);
            QVERIFY(drawn(scene, shown, name.toLower() + "-" + scene.suffix));
            QVERIFY(state->setProperty(flag, false));
        }
        const QStringList warnings = finished(scene);
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
    }

    // A dialog over the main window, and the settings and about windows.
    void secondaryWindows_data()
    {
        LabelChecks::languageThemeRows();
    }

    void secondaryWindows()
    {
        Scene scene;
        QVERIFY(setUp(scene));
        State* state = State::instance();
        const QString& suffix = scene.suffix;

        const int tag = Hud::ask(QStringLiteral("Delete <repo> & \"a.docx\"?"), QStringLiteral("Line one\nLine <two>"),
                                 QStringLiteral("OK"), QStringLiteral("Cancel"), [] {}, [] {}, "main");
        const int toast = Hud::infoInWindow(QStringLiteral("Saved <b>x</b>"), QString(), [] {}, "main");
        QTRY_VERIFY(scene.window->findChild<QObject*>("questionWindow"));
        QTest::qWait(300); // let the toast's entry animation finish before the picture
        QVERIFY(drawn(scene, scene.window, "dialog-" + suffix));
        Hud::instance()->cancelBtnTap(tag);
        Hud::instance()->cancelBtnTap(toast);

        const QList<QPair<const char*, QString>> windows{{"showSettingWindow", "settingWindow"},
                                                         {"showAboutWindow", "aboutWindow"}};
        for (const auto& [flag, name] : windows) {
            QVERIFY(state->setProperty(flag, true));
            QQuickWindow* shown = shownWindow(name);
            QVERIFY(shown);
            QVERIFY(drawn(scene, shown, name.toLower() + "-" + suffix));
            QVERIFY(state->setProperty(flag, false));
        }
        const QStringList warnings = finished(scene);
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
    }

    // The copy-translate trigger and detail windows over a capture, and the settings panel that
    // switches copy-translate.
    void copyTransWindows_data() { secondaryWindows_data(); }

    void copyTransWindows()
    {
        Scene scene;
        QVERIFY(setUp(scene));
        State* state = State::instance();
        const QString& suffix = scene.suffix;

        QVariantMap& data = state->copyTransDataRef();
        data.insert("source", QStringLiteral("Hello world. <b>I love this cat.</b>"));
        data.insert("target", QStringLiteral("[zh] 你好 世界. [zh] <b>我 爱 这 猫.</b>"));
        data.insert("sourceLang", "en");
        data.insert("targetLang", "zh");
        data.insert("autoLang", false);
        data.insert("cut", true); // the note of a capture cut to the limit shows too
        data.insert("x", 400);
        data.insert("y", 300);
        state->setCopyTransData(0);
        state->setCopyTransTriggerAlpha(255);
        state->setShowCopyTransTrigger(true);
        QQuickWindow* trigger = shownWindow("copyTransTriggerWindow");
        QVERIFY(trigger);
        QVERIFY(drawn(scene, trigger, "copytrans-trigger-" + suffix));
        state->setShowCopyTransTrigger(false);

        state->setShowCopyTransDetail(true);
        QQuickWindow* detail = shownWindow("copyTransDetailWindow");
        QVERIFY(detail);
        QTest::qWait(100);
        QVERIFY(drawn(scene, detail, "copytrans-detail-" + suffix));
        state->setShowCopyTransDetail(false);

        QVERIFY(drawnSettingsTab(scene, "copyTrans", "settings-copytrans-" + suffix));
        const QStringList warnings = finished(scene);
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
    }

    // The capture window with a selection over a picture of the screen, the detail window with a
    // translated crop, and the settings panel of the screenshot hotkey.
    void screenshotWindows_data() { secondaryWindows_data(); }

    void screenshotWindows()
    {
        Scene scene;
        QVERIFY(setUp(scene));
        State* state = State::instance();
        const QString& suffix = scene.suffix;
        QImage desktop(1920, 1080, QImage::Format_RGB32);
        desktop.fill(QColor("#3a6ea5"));
        for (int y = 300; y < 500; ++y) {
            for (int x = 600; x < 1100; ++x)
                desktop.setPixel(x, y, qRgb(250, 250, 245));
        }
        ImageProvider::instance()->setPixmap("screenshot", QPixmap::fromImage(desktop));

        state->setShowScreenshotTransWindow(true);
        QQuickWindow* capture = shownWindow("screenshotCaptureWindow");
        QVERIFY(capture);
        capture->setProperty("selX", 580);
        capture->setProperty("selY", 280);
        capture->setProperty("selW", 540);
        capture->setProperty("selH", 240);
        QTest::qWait(100);
        const QImage captured = capture->grabWindow();
        QVERIFY(captured.save(QDir(m_outDir).filePath("screenshot-capture-" + suffix)));
        // dimmed outside the selection, clear inside it
        QVERIFY(captured.pixelColor(100, 100).value() < QColor("#3a6ea5").value());
        QCOMPARE(captured.pixelColor(800, 400), QColor(250, 250, 245));
        state->setShowScreenshotTransWindow(false);
        // Closing released the controller, and its images with it.
        QTRY_VERIFY(!windowNamed("screenshotCaptureWindow"));
        ImageProvider::instance()->setPixmap("screenshot_clip", QPixmap::fromImage(desktop.copy(580, 280, 540, 240)));

        QVariantMap& data = state->screenshotTransDataRef();
        data.insert("source", QStringLiteral("Hello world.\n<b>I love this cat.</b>"));
        data.insert("target", QStringLiteral("[zh] 你好 世界.\n[zh] <b>我 爱 这 猫.</b>"));
        data.insert("sourceLang", "en");
        data.insert("targetLang", "zh");
        data.insert("autoLang", true);
        state->setScreenshotTransData(0);
        state->setShowScreenshotDetailWindow(true);
        QQuickWindow* detail = shownWindow("screenshotDetailWindow");
        QVERIFY(detail);
        QTest::qWait(100);
        QVERIFY(drawn(scene, detail, "screenshot-detail-" + suffix));
        QVERIFY(VisualTree::item(detail, "saveImageBtn")->property("enable").toBool());
        state->setScreenshotTransData(-1);
        QTest::qWait(100);
        QVERIFY(drawn(scene, detail, "screenshot-detail-failed-" + suffix));
        // nothing translated, nothing to save
        QVERIFY(!VisualTree::item(detail, "saveImageBtn")->property("enable").toBool());
        state->setShowScreenshotDetailWindow(false);

        QVERIFY(drawnSettingsTab(scene, "screenshotTrans", "settings-screenshot-" + suffix));
        ImageProvider::instance()->removePixmap("screenshot");
        ImageProvider::instance()->removePixmap("screenshot_clip");
        const QStringList warnings = finished(scene);
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
    }

    // The document list of a signed-in user with a finished and a failed task: the status, the
    // language pair and the buttons all show whole. Last: it leaves the user signed in.
    void documentList_data() { secondaryWindows_data(); }

    void documentList()
    {
        signInTestUser();
        auto task = [](const QString& id, const QString& stage, int progress) {
            return QJsonObject{{"file_id", id}, {"file_name", "Quarterly report " + id + ".docx"},
                               {"source_type", "docx"}, {"source_lang", "auto"}, {"target_lang", "zh"},
                               {"progress", progress}, {"trans_status", stage}, {"error_message", ""},
                               {"create_time", "2026-12-10 10:00:00.5"}, {"completed_time", "2026-12-10 10:05:00"}};
        };
        m_standin->script(StandinRoute::imtKey("auto_translation_file", "list"),
                          StandinReply::success(QJsonObject{
                              {"file_list", QJsonArray{task("ft-1", "completed", 100), task("ft-2", "aborted", 40)}}}));
        Scene scene;
        QVERIFY(setUp(scene));
        State::instance()->setMainCurPage(QStringLiteral("fileTransPage"));
        QTRY_VERIFY(VisualTree::item(scene.window, "fileTransStatus_ft-2"));
        QTest::qWait(200);
        QVERIFY(drawn(scene, scene.window, "documents-" + scene.suffix));
        State::instance()->setMainCurPage(QStringLiteral("textTransPage"));
        const QStringList warnings = finished(scene);
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
    }

private:
    // The catalogue and theme of the running row ("language", "theme") and the program's windows,
    // the main one on show. The translator outlives the windows drawn with it.
    struct Scene
    {
        QTranslator translator;
        std::optional<UiTestEngine> ui;
        QQuickWindow* window = nullptr;
        QString suffix; // "<language>-<light|dark>.png"
        QStringList findings; // cut labels and faint texts, by picture
    };

    static bool setUp(Scene& scene)
    {
        QFETCH(QString, language);
        QFETCH(int, theme);
        if (!useLanguageAndTheme(scene.translator, language, theme))
            return false;
        scene.ui.emplace();
        scene.window = shownMainWindow(*scene.ui);
        scene.suffix = QStringLiteral("%1-%2.png").arg(language, theme ? "dark" : "light");
        return scene.window;
    }

    // The QML warnings and the findings of the scene, once its catalogue is taken away.
    static QStringList finished(Scene& scene)
    {
        QCoreApplication::removeTranslator(&scene.translator);
        return scene.ui->warnings + scene.findings;
    }

    // A window by its object name once it shows and is exposed; null when it does not.
    static QQuickWindow* shownWindow(const QString& name)
    {
        QQuickWindow* window = nullptr;
        const bool shown = QTest::qWaitFor([&window, &name] { return (window = windowNamed(name)); });
        return shown && QTest::qWaitForWindowExposed(window) ? window : nullptr;
    }

    // The program's windows loaded, the main one on show; null when it did not show.
    static QQuickWindow* shownMainWindow(UiTestEngine& ui)
    {
        ui.engine.load(QUrl(QStringLiteral("qrc:/ui/mainWin.qml")));
        auto* window = ui.engine.rootObjects().value(0)->findChild<QQuickWindow*>("mainWindow");
        return window && QTest::qWaitForWindowExposed(window) ? window : nullptr;
    }

    static QQuickWindow* windowNamed(const QString& name)
    {
        for (QWindow* window : QGuiApplication::allWindows()) {
            if (window->objectName() == name && window->isVisible())
                return qobject_cast<QQuickWindow*>(window);
        }
        return nullptr;
    }

    // The settings window open on one tab, drawn; back on the general tab after.
    bool drawnSettingsTab(Scene& scene, const QString& tab, const QString& name) const
    {
        State* state = State::instance();
        state->setSettingCurTab(tab);
        state->setShowSettingWindow(true);
        QQuickWindow* settings = shownWindow(QStringLiteral("settingWindow"));
        QTest::qWait(100);
        const bool done = settings && drawn(scene, settings, name);
        state->setShowSettingWindow(false);
        state->setSettingCurTab(QStringLiteral("general"));
        return done;
    }

    // The window drawn into the picture `name`, and its texts checked.
    bool drawn(Scene& scene, QQuickWindow* window, const QString& name) const
    {
        const QString picture = name.section('.', 0, 0);
        for (const QString& found : LabelChecks::findings(window, scene.ui->iconFamily, foreign))
            scene.findings << picture + ": " + found;
        return saved(window, name);
    }

    // What the tests feed in as the user's or the server's text, which may be cut.
    static bool foreign(const QString& text)
    {
        static const QStringList samples{QStringLiteral("Hello world"), QStringLiteral("[zh]"),
                                         QStringLiteral("<repo>"), QStringLiteral("Line one"),
                                         QStringLiteral("Saved <b>"), QStringLiteral("Quarterly report")};
        return std::any_of(samples.cbegin(), samples.cend(), [&text](const QString& s) { return text.contains(s); });
    }

    bool saved(QQuickWindow* window, const QString& name) const
    {
        const QImage shot = window->grabWindow();
        return !shot.isNull() && shot.save(QDir(m_outDir).filePath(name));
    }

    // The main page loads the text translation page, whose start-up requests need a service.
    StandinFixture m_standin;
    QTemporaryDir m_home;
    QString m_outDir;
};

PARLAVINE_TEST_MAIN(TestScreenshots)
#include "tst_Screenshots.moc"
