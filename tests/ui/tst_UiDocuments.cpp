#include "StandinFixture.h"
#include "UiTestEngine.h"

#include "TestMain.h"
#include "shell/ImageProvider.h"

#include <QDirIterator>
#include <QQmlComponent>
#include <QQuickWindow>
#include <QtTest>

// Every QML document of the resources loads in the start-up context without a warning.
class TestUiDocuments : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        isolateUserFolders(m_home);
    }

    void loadsWithoutWarnings_data()
    {
        initResources();
        QTest::addColumn<QString>("url");
        QDirIterator it(QStringLiteral(":/ui"), {QStringLiteral("*.qml")}, QDir::Files,
                        QDirIterator::Subdirectories);
        int found = 0;
        while (it.hasNext()) {
            const QString path = it.next();
            QTest::newRow(qPrintable(path)) << QStringLiteral("qrc") + path;
            ++found;
        }
        QVERIFY(found > 0);
    }

    void loadsWithoutWarnings()
    {
        QFETCH(QString, url);
        UiTestEngine ui;
        QQmlComponent component(&ui.engine, QUrl(url));
        QScopedPointer<QObject> object(component.create());
        QVERIFY2(object, qPrintable(component.errorString()));
        // let asynchronous loaders and deferred bindings settle
        QTest::qWait(100);
        object.reset();
        QVERIFY2(ui.warnings.isEmpty(), qPrintable(ui.warnings.join('\n')));
    }

    // The root window shows its main page, whose page document is guarded when missing.
    void mainWindowShowsItsPage()
    {
        UiTestEngine ui;
        ui.engine.load(QUrl(QStringLiteral("qrc:/ui/mainWin.qml")));
        QCOMPARE(ui.engine.rootObjects().size(), 1);
        auto* window = ui.engine.rootObjects().first()->findChild<QQuickWindow*>("mainWindow");
        QVERIFY(window);
        QCOMPARE(window->title(), QStringLiteral("Parlavine"));
        QObject* pagePanel = window->findChild<QObject*>("curPagePanel");
        QVERIFY(pagePanel);
        QTRY_VERIFY(pagePanel->property("item").value<QObject*>());
        QObject* title = window->findChild<QObject*>("titleLabel");
        QVERIFY(title);
        QCOMPARE(title->property("text").toString(), QStringLiteral("文本翻译"));

        State::instance()->setMainCurPage(QStringLiteral("envPage"));
        QTRY_COMPARE(title->property("text").toString(), QStringLiteral("翻译环境"));
        QTRY_VERIFY(pagePanel->property("item").value<QObject*>()
                    && QString(pagePanel->property("item").value<QObject*>()->metaObject()->className())
                           .startsWith("EnvPage"));
        State::instance()->setMainCurPage(QStringLiteral("textTransPage"));
        QVERIFY2(ui.warnings.isEmpty(), qPrintable(ui.warnings.join('\n')));
    }

    // A window flag loads its window, shown, and clearing it closes the window.
    void windowFlagsLoadTheirWindows()
    {
        UiTestEngine ui;
        ui.engine.load(QUrl(QStringLiteral("qrc:/ui/mainWin.qml")));
        QObject* app = ui.engine.rootObjects().value(0);
        QVERIFY(app);
        State* state = State::instance();

        state->showSettingWindowRef() = true;
        emit state->showSettingWindowChange();
        QTRY_VERIFY(windowTitled(QStringLiteral("设置")) && windowTitled(QStringLiteral("设置"))->isVisible());
        windowTitled(QStringLiteral("设置"))->close(); // refused: it clears its flag instead
        QTRY_VERIFY(!windowTitled(QStringLiteral("设置")));
        QCOMPARE(state->showSettingWindow(), false);

        QPixmap picture(64, 48);
        picture.fill(Qt::darkCyan);
        ImageProvider::instance()->setPixmap(QStringLiteral("screenshot"), picture);
        state->setShowScreenshotTransWindow(true);
        QTRY_VERIFY(windowTitled(QStringLiteral("截屏")) && windowTitled(QStringLiteral("截屏"))->isVisible());
        state->setShowScreenshotTransWindow(false);
        QTRY_VERIFY(!windowTitled(QStringLiteral("截屏")));
        QCOMPARE(app->findChild<QObject*>("screenshotTransWindow")->property("status").toInt(), 0); // Loader.Null
        QVERIFY2(ui.warnings.isEmpty(), qPrintable(ui.warnings.join('\n')));
    }

private:
    static QWindow* windowTitled(const QString& title)
    {
        for (QWindow* window : QGuiApplication::allWindows()) {
            if (window->title() == title)
                return window;
        }
        return nullptr;
    }

    // The main page loads the text translation page, whose start-up requests need a service.
    StandinFixture m_standin;
    QTemporaryDir m_home;
};

PARLAVINE_TEST_MAIN(TestUiDocuments)
#include "tst_UiDocuments.moc"
