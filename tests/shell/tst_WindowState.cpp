#include "core/State.h"
#include "shell/WindowState.h"

#include "TestMain.h"

#include <QTranslator>
#include <QtTest>

namespace {

// English titles for the window registry, as the translation files give them.
class EnglishTitles : public QTranslator
{
public:
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        static const QHash<QString, QString> titles{{"设置", "Settings"}, {"术语库", "Terms"}, {"登录", "Log in"}};
        if (qstrcmp(context, "WindowState") != 0)
            return QString();
        return titles.value(QString::fromUtf8(source));
    }
};

} // namespace

class TestWindowState : public QObject
{
    Q_OBJECT
private:
    static std::unique_ptr<QWindow> windowTitled(const QString& title)
    {
        auto window = std::make_unique<QWindow>();
        window->setTitle(title);
        return window;
    }

private slots:
    void initTestCase()
    {
        // Caption heights are fixed at first use from the height scale measured at start-up.
        State::instance()->windowHeightScaleRef() = 1.25;
    }

    void lookupByNameFollowsTheTranslatorInstalledLater()
    {
        WindowState* windows = WindowState::instance();
        const auto main = windowTitled("Parlavine");
        const auto settingZh = windowTitled("设置");
        const auto settingEn = windowTitled("Settings");
        const auto login = windowTitled("Log in");
        QCOMPARE(windows->findWindowByName("main"), main.get());
        QCOMPARE(windows->findWindowByName("setting"), settingZh.get());
        QCOMPARE(windows->findWindowByName("login"), nullptr);
        QCOMPARE(windows->findWindowByName("nowhere"), nullptr);

        EnglishTitles english;
        QCoreApplication::installTranslator(&english);
        QCOMPARE(windows->findWindowByName("setting"), settingEn.get());
        QCOMPARE(windows->findWindowByName("login"), login.get());
        QCOMPARE(windows->findWindowByName("main"), main.get());
        QCoreApplication::removeTranslator(&english);
    }

    void registrationTracksHandlesAndActivity()
    {
        WindowState* windows = WindowState::instance();
        const auto detail = windowTitled("Parlavine_CopyTrans");
        const auto term = windowTitled("术语库");

        windows->addWindow("term");
        windows->addWindow("copyTransDetail");
        windows->addWindow("update"); // no such window yet
        QCOMPARE(windows->handle(WindowState::Term), term->winId());
        QCOMPARE(windows->handle(WindowState::Update), WId(-1));
        QCOMPARE(windows->handle(WindowState::Setting), WId(0));
        QVERIFY(windows->isResizableWindow(term->winId()));
        QVERIFY(!windows->isResizableWindow(detail->winId()));

        windows->removeWindow("update");
        windows->removeWindow("term");
        QVERIFY(!windows->containsHandle(term->winId()));
        // The pop-up beside a selection does not make the application active.
        QVERIFY(windows->isWindowActive(WindowState::CopyTransDetail));
        QVERIFY(!windows->hasActiveWindow());
        windows->setWindowActive("about", true);
        QVERIFY(windows->hasActiveWindow());
        windows->setWindowActive("about", false);

        QCOMPARE(windows->captionHeight(detail->winId()), 34);
        QCOMPARE(windows->captionRightInset(detail->winId()), 92);
        windows->removeWindow("copyTransDetail");
        QCOMPARE(windows->captionHeight(detail->winId()), 38);
        QCOMPARE(windows->captionRightInset(detail->winId()), 154);
    }
};

PARLAVINE_TEST_MAIN(TestWindowState)
#include "tst_WindowState.moc"
