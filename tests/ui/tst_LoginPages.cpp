#include "LabelChecks.h"
#include "StandinFixture.h"
#include "TestMain.h"
#include "UiTestEngine.h"
#include "VisualTree.h"

#include "core/AppConfig.h"
#include "core/Dispatch.h"
#include "core/State.h"
#include "core/User.h"
#include "shell/GlobalCtrl.h"

#include <QDesktopServices>
#include <QDir>
#include <QQmlComponent>
#include <QQuickItem>
#include <QTranslator>
#include <QtTest>

// The login window's panels on a real X server (PARLAVINE_TEST_NEEDS_DISPLAY), driven by mouse
// and keyboard against the stand-in's accounts ("ann" / "open sesame"). Pictures of each panel
// go to PARLAVINE_SCREENSHOT_DIR when set (scripts/screenshots).
namespace {

const QString kLogin = QStringLiteral("/api/accesscontrol/actionLogin");
const QString kFetchUser = QStringLiteral("/api/accesscontrol/fetchUser");

State* state()
{
    return State::instance();
}

User* user()
{
    return User::instance();
}

QQuickItem* item(QObject* root, const QString& name)
{
    return VisualTree::item(root, name);
}

bool shows(QObject* root, const QString& name)
{
    QQuickItem* found = item(root, name);
    return found && found->isVisible();
}

// The text field of the input named `name` on the current panel.
void type(QObject* root, const QString& name, const QString& text)
{
    QQuickItem* input = item(root, name);
    QVERIFY2(input, qPrintable(name));
    input->findChild<QObject*>(QStringLiteral("input"))->setProperty("text", text);
}

// The stand-in's profile picture is a bare name, not an address the picture could load from.
QStringList pageWarnings(const QStringList& warnings)
{
    QStringList kept;
    for (const QString& warning : warnings) {
        if (!warning.contains(QLatin1String("Cannot open: qrc:/ui/components/avatar-")))
            kept << warning;
    }
    return kept;
}

QStringList hudTitles()
{
    QStringList titles;
    for (const QVariant& hud : state()->windowHud())
        titles << hud.toMap().value("title").toString();
    return titles;
}

} // namespace

class TestLoginPages : public QObject
{
    Q_OBJECT
    StandinFixture m_standin;
    QString m_outDir;
    QTemporaryDir m_home;
    QStringList m_opened;

    struct Window
    {
        UiTestEngine ui;
        QScopedPointer<QObject> root;
        QQuickWindow* window = nullptr;
    };

    static void open(Window& w)
    {
        QQmlComponent component(&w.ui.engine, QUrl(QStringLiteral("qrc:/ui/pages/login/LoginWindow.qml")));
        w.root.reset(component.create());
        QVERIFY2(w.root, qPrintable(component.errorString()));
        w.window = qobject_cast<QQuickWindow*>(w.root.data());
        w.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.window));
        QVERIFY(Dispatch::instance()->controller(Dispatch::Ctrl_UserLogin));
    }

    static void click(QQuickWindow* window, const QString& name)
    {
        QQuickItem* target = nullptr;
        QTRY_VERIFY2((target = item(window, name)) && target->isVisible(), qPrintable(name));
        QTest::mouseClick(window, Qt::LeftButton, {},
                          target->mapToScene(QPointF(target->width() / 2, target->height() / 2)).toPoint());
    }

    // A remembered login of "ann", as a previous run leaves it.
    static void rememberAnn()
    {
        user()->userName = "ann";
        user()->userId = "10001";
        user()->session = "standin-remembered";
        user()->userLoginType = 0;
        user()->saveAutoLogin(true);
    }

public slots:
    void openUrl(const QUrl& url) { m_opened << url.toString(); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("PARLAVINE_REQUEST_TIMEOUT_MS", "5000");
        const QString wanted = qEnvironmentVariable("PARLAVINE_SCREENSHOT_DIR");
        m_outDir = wanted.isEmpty() ? m_home.filePath("shots") : wanted;
        QVERIFY(QDir().mkpath(m_outDir));
        // External pages come here instead of a browser.
        QDesktopServices::setUrlHandler("https", this, "openUrl");
        QDesktopServices::setUrlHandler("http", this, "openUrl");
    }

    void init()
    {
        m_standin.reset();
        state()->setLoginCurPage("login");
        state()->showLoginWindowRef() = true;
        state()->setUserLoginStatus(0);
        state()->setRetcode(200);
        state()->setWindowHud({});
        state()->autoLoginCheckedRef() = false;
        state()->appThemeStyleRef() = "light";
        m_opened.clear();
    }

    void cleanup()
    {
        GlobalCtrl::instance()->stopSessionTimer();
        Dispatch::instance()->releaseController(Dispatch::Ctrl_UserLogin);
        user()->saveAutoLogin(false);
        user()->clear();
        emit state()->isUserAutoLoginChange();
        QTest::qWait(50); // replies already on their way land here, not in the next test
        m_standin.verify();
    }

    // Each link leads to its panel and "返回登录" back to the password form.
    void panelSwaps_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("title");
        QTest::newRow("forget") << "forgetLink" << "forget" << "forgetPanel" << "重置密码";
        QTest::newRow("register") << "registerLink" << "register" << "registerPanel" << "注册新账号";
    }
    void panelSwaps()
    {
        QFETCH(QString, link);
        QFETCH(QString, page);
        QFETCH(QString, panel);
        QFETCH(QString, title);
        Window w;
        open(w);
        QTRY_VERIFY(shows(w.window, "emailLogin"));
        click(w.window, link);
        QCOMPARE(state()->loginCurPage(), page);
        QTRY_VERIFY(shows(w.window, panel));
        QCOMPARE(item(w.window, panel)->findChild<QObject*>("formTitle")->property("text").toString(), title);
        click(w.window, "backLink");
        QCOMPARE(state()->loginCurPage(), QString("login"));
        QTRY_VERIFY(shows(w.window, "emailLogin"));
        QVERIFY2(pageWarnings(w.ui.warnings).isEmpty(), qPrintable(w.ui.warnings.join('\n')));
    }

    // Typed name and password, the check box, Enter: "login" with all three, and the window is
    // done once the profile has arrived.
    void passwordFormLogsIn()
    {
        state()->loginNameRef() = "ann";
        Window w;
        open(w);
        QTRY_VERIFY(shows(w.window, "emailLogin"));
        QCOMPARE(item(w.window, "nameInput")->property("value").toString(), QString("ann"));
        click(w.window, "autoLoginCheck");
        QVERIFY(state()->autoLoginChecked());
        click(w.window, "passwordInput");
        for (const char key : QByteArray("open sesame"))
            QTest::keyClick(w.window, key);
        QTest::keyClick(w.window, Qt::Key_Return);

        QTRY_COMPARE(m_standin->requestCount(kLogin), 1);
        const StandinRequest login = m_standin->requests(kLogin).first();
        QCOMPARE(login.at("value.name_or_email").toString(), QString("ann"));
        QCOMPARE(login.at("value.auto_login").toBool(), true);
        QTRY_VERIFY(!state()->showLoginWindow());
        QCOMPARE(user()->userName, QString("ann"));
        QVERIFY(user()->isUserAutoLogin);
        QVERIFY2(pageWarnings(w.ui.warnings).isEmpty(), qPrintable(w.ui.warnings.join('\n')));
    }

    // A wrong password is said in the window; the form stays.
    void wrongPasswordIsSaid()
    {
        Window w;
        open(w);
        type(w.window, "nameInput", "ann");
        type(w.window, "passwordInput", "open sesame?");
        click(w.window, "loginBtn");
        QTRY_VERIFY(hudTitles().contains("登录失败"));
        QCOMPARE(state()->windowHud().last().toMap().value("window").toString(), QString("login"));
        QVERIFY(state()->showLoginWindow());
        QVERIFY(shows(w.window, "emailLogin"));
    }

    // The code button counts down once the code is mailed; the form's own success shows the
    // success view, whose button leads back to the password form.
    void codeForms_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("email");
        QTest::addColumn<QStringList>("fields"); // objectName=value, the code filled in from the mail
        QTest::addColumn<QString>("route");
        QTest::addColumn<int>("sent");
        QTest::addColumn<int>("done");
        QTest::addColumn<QString>("doneTitle");
        QTest::newRow("register") << "register" << "bea@example.com" << QStringList{"nameInput=bea", "passwordInput=pw 2"}
                                  << "/api/accesscontrol/addRegisterUser" << 310 << 300 << "注册成功";
        QTest::newRow("forget") << "forget" << "ann@example.com" << QStringList{"passwordInput=new sesame"}
                                << "/api/accesscontrol/updateUserPasswordByVerifyCode" << 110 << 100 << "重置密码成功";
    }
    void codeForms()
    {
        QFETCH(QString, page);
        QFETCH(QString, email);
        QFETCH(QStringList, fields);
        QFETCH(QString, route);
        QFETCH(int, sent);
        QFETCH(int, done);
        QFETCH(QString, doneTitle);
        state()->setLoginCurPage(page);
        Window w;
        open(w);
        QTRY_VERIFY(shows(w.window, "codeBtn"));
        type(w.window, "emailInput", email);
        click(w.window, "codeBtn");
        QTRY_COMPARE(state()->retcode(), sent);
        QObject* codeBtn = item(w.window, "codeBtn");
        QTRY_COMPARE(codeBtn->property("title").toString(), QString("59s后重新获取"));
        QVERIFY(codeBtn->property("disable").toBool());

        for (const QString& field : fields)
            type(w.window, field.section('=', 0, 0), field.section('=', 1));
        type(w.window, "codeInput", m_standin->accounts().lastMailedCode(email));
        click(w.window, "submitBtn");
        QTRY_COMPARE(state()->retcode(), done);
        QCOMPARE(m_standin->requestCount(route), 1);
        QTRY_VERIFY(shows(w.window, "doneView"));
        QCOMPARE(item(w.window, "doneTitle")->property("text").toString(), doneTitle);
        click(w.window, "doneBtn");
        QCOMPARE(state()->loginCurPage(), QString("login"));
        QTRY_VERIFY(shows(w.window, "emailLogin"));
        QVERIFY2(pageWarnings(w.ui.warnings).isEmpty(), qPrintable(w.ui.warnings.join('\n')));
    }

    // A code left from an earlier visit neither starts the countdown nor shows success.
    void staleCodeShowsNothing()
    {
        state()->setRetcode(300);
        state()->setLoginCurPage("register");
        Window w;
        open(w);
        QTRY_VERIFY(shows(w.window, "form"));
        QVERIFY(!shows(w.window, "doneView"));
        QCOMPARE(item(w.window, "codeBtn")->property("title").toString(), QString("获取验证码"));
    }

    // The remembered login: progress while the profile is on its way; on a network failure the
    // tip with retry and cancel; retry logs in, cancel leads to the password form.
    void autoLoginPage_data()
    {
        QTest::addColumn<bool>("retry");
        QTest::newRow("retry") << true;
        QTest::newRow("cancel") << false;
    }
    void autoLoginPage()
    {
        QFETCH(bool, retry);
        rememberAnn();
        Window w;
        open(w);
        // Each login renews its session; a renewal still on its way would change the next test's user.
        QSignalSpy renewed(User::instance(), &User::sessionUpdateFinished);
        m_standin->script(kFetchUser, StandinReply::byDefault().after(800));
        Dispatch::instance()->run(Dispatch::Ctrl_UserLogin, "autoLoginIfNeeded", {false});
        QTRY_VERIFY(shows(w.window, "autoLogin"));
        QCOMPARE(state()->userLoginStatus(), 1);
        QVERIFY(shows(w.window, "autoLoginProgress"));
        QVERIFY(!shows(w.window, "autoLoginRetry"));
        QVERIFY(!shows(w.window, "loginLoading"));
        QCOMPARE(item(w.window, "autoLoginName")->property("text").toString(), QString("ann"));
        // After login the shell's set-up also talks to the service: a busy machine needs longer.
        QTRY_VERIFY_WITH_TIMEOUT(!state()->showLoginWindow(), 15000);
        QTRY_VERIFY_WITH_TIMEOUT(renewed.count() >= 1, 15000);

        // the next run meets a network that fails
        state()->showLoginWindowRef() = true;
        m_standin->script(kFetchUser, StandinReply::disconnect());
        Dispatch::instance()->run(Dispatch::Ctrl_UserLogin, "autoLoginIfNeeded", {false});
        QTRY_COMPARE(state()->userLoginStatus(), -1);
        QTRY_VERIFY(shows(w.window, "autoLoginRetry"));
        QVERIFY(!shows(w.window, "autoLoginProgress"));
        QCOMPARE(item(w.window, "autoLoginTip")->property("text").toString(), QString("网络异常，请重试"));

        // The network toast over the form goes first, as it would for a person after a moment.
        state()->setWindowHud({});
        QTest::qWait(100);
        click(w.window, retry ? "retryBtn" : "cancelBtn");
        if (retry) {
            QTRY_VERIFY_WITH_TIMEOUT(!state()->showLoginWindow(), 10000);
            QCOMPARE(m_standin->requestCount(kFetchUser), 3);
            QTRY_VERIFY_WITH_TIMEOUT(renewed.count() >= 2, 15000);
        } else {
            QTRY_VERIFY(shows(w.window, "emailLogin"));
            QVERIFY(!user()->isUserAutoLogin);
        }
        QVERIFY2(pageWarnings(w.ui.warnings).isEmpty(), qPrintable(w.ui.warnings.join('\n')));
    }

    // "意见反馈" goes to the feedback page through the shell, never straight to a browser;
    // Esc closes the window.
    void feedbackLinkAndEsc()
    {
        Window w;
        open(w);
        click(w.window, "feedbackLink");
        QCOMPARE(m_opened, QStringList{AppConfig::feedbackUrl()});
        w.window->requestActivate();
        QVERIFY(QTest::qWaitForWindowActive(w.window));
        QTest::keyClick(w.window, Qt::Key_Escape);
        QTRY_VERIFY(!state()->showLoginWindow());
    }

    // The social-login buttons open the social-login window, with the plain or the
    // black-and-white images as the theme style asks.
    void socialButtons_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("light") << "light" << "";
        QTest::newRow("blackwhite") << "blackwhite" << "_blackwhite";
    }
    void socialButtons()
    {
        QFETCH(QString, style);
        QFETCH(QString, suffix);
        state()->appThemeStyleRef() = style;
        emit state()->appThemeStyleChange();
        state()->showSocailLoginWindowRef() = false;
        Window w;
        open(w);
        for (const QString& name : {QStringLiteral("zl"), QStringLiteral("kx")}) {
            QQuickItem* button = item(w.window, name + "Btn");
            QVERIFY(button);
            QCOMPARE(button->property("image").toString(), QString("qrc:/assets/%1%2.png").arg(name, suffix));
            QVERIFY(QFile::exists(QString(":/assets/%1%2.png").arg(name, suffix)));
        }
        click(w.window, "kxBtn");
        QVERIFY(state()->showSocailLoginWindow());
        state()->showSocailLoginWindowRef() = false;
    }

    // Every panel in both themes and both languages, no label cut and no faint text.
    void screenshots_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("theme");
        for (const char* language : {"zh", "en"}) {
            for (int theme : {0, 1})
                QTest::addRow("%s-%s", language, theme ? "dark" : "light") << QString(language) << theme;
        }
    }
    void screenshots()
    {
        QFETCH(QString, language);
        QFETCH(int, theme);
        QTranslator translator;
        QVERIFY(useLanguageAndTheme(translator, language, theme));
        Window w;
        open(w);
        QStringList findings;
        const auto foreign = [](const QString& text) { return text.contains(QStringLiteral("ann")); };
        const struct
        {
            const char* name;
            const char* page;
            bool remembered;
            const char* shown;
        } panels[] = {{"login", "login", false, "emailLogin"},
                      {"autologin", "login", true, "autoLoginRetry"},
                      {"forget", "forget", false, "forgetPanel"},
                      {"register", "register", false, "registerPanel"}};
        for (const auto& panel : panels) {
            if (panel.remembered) {
                rememberAnn();
                state()->setUserLoginStatus(-1);
            }
            emit state()->isUserAutoLoginChange();
            emit state()->userNameChange();
            state()->setLoginCurPage(panel.page);
            QTRY_VERIFY2(shows(w.window, panel.shown), panel.name);
            QTest::mouseMove(w.window, QPoint(1, 1)); // no button drawn hovered
            QImage shot;
            QTRY_VERIFY((shot = w.window->grabWindow(), !shot.isNull()));
            const QString picture = QStringLiteral("login-%1-%2-%3").arg(panel.name, language, theme ? "dark" : "light");
            for (const QString& found : LabelChecks::findings(w.window, w.ui.iconFamily, foreign))
                findings << picture + ": " + found;
            QVERIFY(shot.save(QDir(m_outDir).filePath(picture + ".png")));
            if (panel.remembered) {
                user()->saveAutoLogin(false);
                user()->clear();
                state()->setUserLoginStatus(0);
            }
        }
        QCoreApplication::removeTranslator(&translator);
        state()->setThemeColor(0);
        QVERIFY2(pageWarnings(w.ui.warnings).isEmpty(), qPrintable(w.ui.warnings.join('\n')));
        QVERIFY2(findings.isEmpty(), qPrintable(findings.join('\n')));
    }
};

PARLAVINE_TEST_MAIN(TestLoginPages)
#include "tst_LoginPages.moc"
