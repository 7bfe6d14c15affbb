#include "core/Hud.h"
#include "core/LocalSocketUtil.h"
#include "core/QuickStorage.h"
#include "core/State.h"
#include "core/TimeUtil.h"
#include "core/User.h"
#include "platform/AutostartEntry.h"
#include "platform/FakeSystemTheme.h"
#include "shell/GlobalCtrl.h"
#include "shell/NightSchedule.h"

#include "StandinFixture.h"
#include "TestMain.h"

#include <QtTest>

namespace {
const QString kRenewal = QStringLiteral("/api/accesscontrol/updateUserSession");

QuickStorage* settings()
{
    return QuickStorage::instance();
}

int themeType()
{
    return State::instance()->windowColor().value("type").toInt();
}
} // namespace

class TestGlobalCtrl : public QObject
{
    Q_OBJECT
private:
    StandinFixture standin;
    StandinServer& server = standin.server();
    FakeSystemTheme desktop{false};
    QList<int> exitCodes;
    // Every renewal announces its start and its end: a test ends only when all have ended, or a
    // late one would take the next test's scripted reply.
    std::unique_ptr<QSignalSpy> renewalsChanged;
    std::unique_ptr<QSignalSpy> renewalsFinished;

    GlobalCtrl* ctrl() { return GlobalCtrl::instance(); }

    void signIn(const QString& session)
    {
        User* user = User::instance();
        user->userName = "ana";
        user->userId = "42";
        user->session = session;
    }

private slots:
    void initTestCase()
    {
        qputenv("PARLAVINE_SESSION_REFRESH_MS", "50");
        ctrl()->setSystemTheme(&desktop);
        ctrl()->setExitHandler([this](int code) { exitCodes << code; });
    }

    void init()
    {
        renewalsChanged.reset(new QSignalSpy(State::instance(), &State::userSessionUpdatingChange));
        renewalsFinished.reset(new QSignalSpy(User::instance(), &User::sessionUpdateFinished));
    }

    void cleanup()
    {
        ctrl()->stopSessionTimer();
        QTRY_COMPARE_WITH_TIMEOUT(renewalsChanged->count(), 2 * renewalsFinished->count(), 10000);
        standin.verify();
        standin.reset();
        exitCodes.clear();
        TimeUtil::setOffsetMSecs(0);
    }

    void sessionTimerStoresTheRenewedSession()
    {
        signIn("S1");
        server.script(kRenewal, StandinReply::success(QJsonObject{{"session", "S2"}}));
        // One tick is the point: more would race the scripted reply with default ones.
        const auto firstTick = connect(State::instance(), &State::userSessionUpdatingChange, this, [this] {
            QMetaObject::invokeMethod(this, [this] { ctrl()->stopSessionTimer(); }, Qt::QueuedConnection);
        });
        ctrl()->startSessionTimer();
        QVERIFY(ctrl()->sessionTimerActive());
        QTRY_COMPARE_WITH_TIMEOUT(User::instance()->session, QString("S2"), 10000);
        disconnect(firstTick);
        QVERIFY(!ctrl()->sessionTimerActive());
        QCOMPARE(server.requestCount(kRenewal), 1);
        QCOMPARE(server.requests(kRenewal).first().at("value.session").toString(), QString("S1"));
    }

    void failedRefreshKeepsTheSession()
    {
        signIn("S1");
        server.script(kRenewal, StandinReply::failure("denied", "no", 400));
        QSignalSpy finished(User::instance(), &User::sessionUpdateFinished);
        ctrl()->refreshSession();
        QVERIFY(finished.wait(5000));
        QCOMPARE(User::instance()->session, QString("S1"));
        QCOMPARE(server.requestCount(kRenewal), 1);
    }

    void renewalWithoutASessionKeepsTheSession()
    {
        signIn("S1");
        server.script(kRenewal, StandinReply::success(QJsonObject{}));
        QSignalSpy finished(User::instance(), &User::sessionUpdateFinished);
        ctrl()->refreshSession();
        QVERIFY(finished.wait(5000));
        QCOMPARE(User::instance()->session, QString("S1"));
    }

    void laterStartHandsOverADocument()
    {
        State* state = State::instance();
        ctrl()->startInstanceListener();
        for (const char* ignored : {"TRANSFILE:/tmp/a.docx", "transfile:"})
            QVERIFY(LocalSocketUtil::quickSend("parlavine_single", ignored, 5000));
        QVERIFY(LocalSocketUtil::quickSend("parlavine_single", "transfile:/tmp/a b.docx", 5000));
        QTRY_COMPARE_WITH_TIMEOUT(state->quickTransfileData().value("path").toString(), QString("/tmp/a b.docx"),
                                  5000);
        QCOMPARE(state->mainCurPage(), QString("fileTransPage"));
        state->setQuickTransfileData(QString());
        state->setMainCurPage("textTransPage");
    }

    // Files chosen together in a file manager arrive one start after another: each is shown in
    // turn, none is dropped.
    void handOversInARowAreAllShown()
    {
        State* state = State::instance();
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("folder.docx"));
        ctrl()->startInstanceListener();
        const QStringList paths{"/tmp/one.docx", "/tmp/two.pdf", dir.filePath("folder.docx"), "/tmp/notes.gz",
                                "/tmp/three.md"};
        for (const QString& path : paths)
            QVERIFY(LocalSocketUtil::quickSend("parlavine_single", "transfile:" + path, 5000));
        const auto shown = [state] { return state->quickTransfileData().value("path").toString(); };
        // The pop-up closing empties the hand-over, as QML does.
        const auto closePopup = [state] {
            state->setProperty("quickTransfileData",
                               QVariantMap{{"path", ""}, {"name", ""}, {"type", ""}, {"typeValid", false}});
        };
        QTRY_COMPARE_WITH_TIMEOUT(shown(), paths.at(0), 5000);
        closePopup();
        QTRY_COMPARE_WITH_TIMEOUT(shown(), paths.at(1), 5000);
        closePopup();
        // Refused ones are named; answering lets the next one in.
        const QStringList refusals{"不能翻译文件夹 folder.docx", "文件翻译不支持该类型 notes.gz"};
        for (int i = 0; i < refusals.size(); ++i) {
            QTRY_COMPARE_WITH_TIMEOUT(shown(), paths.at(2 + i), 5000);
            const QVariantMap refused = state->windowHud().last().toMap();
            QCOMPARE(refused.value("title").toString() + ' ' + refused.value("message").toString(), refusals.at(i));
            Hud::instance()->sureBtnTap(refused.value("tag").toInt());
        }
        QTRY_COMPARE_WITH_TIMEOUT(shown(), paths.at(4), 5000);
        closePopup();
        QTest::qWait(50);
        QVERIFY(shown().isEmpty());
        state->setMainCurPage("textTransPage");
    }

    void fontSizeStepsStayBetweenMinusOneAndTwo()
    {
        ctrl()->changeFontSizeLevel(2);
        ctrl()->stepChangeFontSizeLevel(true);
        QCOMPARE(State::instance()->windowFontSize().value("level").toInt(), 2);
        ctrl()->changeFontSizeLevel(-1);
        ctrl()->stepChangeFontSizeLevel(false);
        QCOMPARE(settings()->getValue("fontSize"), QString("-1"));
        ctrl()->stepChangeFontSizeLevel(true);
        QCOMPARE(State::instance()->windowFontSize().value("level").toInt(), 0);
        QCOMPARE(settings()->getValue("fontSize"), QString("0"));
    }

    void quitStyleIsRememberedForSevenDays()
    {
        State* state = State::instance();
        ctrl()->setQuitStyle("hide");
        ctrl()->loadQuitStyle();
        QCOMPARE(state->quitStyle(), QString("hide"));
        // A second may tick between storing and reading: one short of the limit stays in either case.
        TimeUtil::setOffsetMSecs(604798LL * 1000);
        ctrl()->loadQuitStyle();
        QCOMPARE(state->quitStyle(), QString("hide"));
        TimeUtil::setOffsetMSecs(604800LL * 1000);
        ctrl()->loadQuitStyle();
        QCOMPARE(state->quitStyle(), QString());

        const QString now = QString::number(TimeUtil::currentTimestamp());
        settings()->setValue("quitStyle", "Other1.0_hide_" + now);
        ctrl()->loadQuitStyle();
        QCOMPARE(state->quitStyle(), QString());
        settings()->setValue("quitStyle", state->version() + "_hide");
        ctrl()->loadQuitStyle();
        QCOMPARE(state->quitStyle(), QString());
    }

    void themeModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("desktopDark");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("expectedType");
        QTest::addColumn<QString>("stored");
        QTest::newRow("light") << 1 << true << 1 << 0 << "1";
        QTest::newRow("dark") << 2 << false << 0 << 1 << "2";
        QTest::newRow("follow a dark desktop") << 0 << true << 0 << 1 << "0";
        QTest::newRow("unknown mode follows the desktop") << 7 << false << 1 << 0 << "0";
        QTest::newRow("night schedule leaves the colours here") << 3 << true << 1 << 1 << "3";
    }

    void themeModes()
    {
        QFETCH(int, mode);
        QFETCH(bool, desktopDark);
        QFETCH(int, before);
        QFETCH(int, expectedType);
        QFETCH(QString, stored);
        desktop.setPrefersDark(desktopDark);
        State::instance()->setThemeColor(before);
        ctrl()->setAppColorThemeMode(mode);
        QCOMPARE(themeType(), expectedType);
        QCOMPARE(State::instance()->appThemeMode(), mode);
        QCOMPARE(settings()->getValue("app_theme_mode"), stored);
    }

    void nightSchedule_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<QString>("now");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<int>("hoursToStart");
        QTest::addColumn<int>("hoursToEnd");
        QTest::newRow("evening before a night across midnight") << 18 << 7 << "10:00" << false << 8 << 21;
        QTest::newRow("inside, before midnight") << 18 << 7 << "20:00" << true << 22 << 11;
        QTest::newRow("inside, after midnight") << 18 << 7 << "03:00" << true << 15 << 4;
        QTest::newRow("at the start") << 18 << 7 << "18:00" << true << 24 << 13;
        QTest::newRow("at the end") << 18 << 7 << "07:00" << false << 11 << 24;
        QTest::newRow("daytime window, after it") << 7 << 18 << "20:00" << false << 11 << 22;
        QTest::newRow("daytime window, inside") << 7 << 18 << "12:00" << true << 19 << 6;
    }

    void nightSchedule()
    {
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(QString, now);
        QFETCH(bool, dark);
        QFETCH(int, hoursToStart);
        QFETCH(int, hoursToEnd);
        const QDateTime at(QDate(2024, 1, 10), QTime::fromString(now, "HH:mm"), Qt::UTC);
        const NightSchedule::Phase phase = NightSchedule::at(at, start, end);
        QCOMPARE(phase.dark, dark);
        QCOMPARE(phase.msToNextStart, hoursToStart * 3600000LL);
        QCOMPARE(phase.msToNextEnd, hoursToEnd * 3600000LL);
    }

    void clearCacheKeepsTheOpenGLMode()
    {
        settings()->setIniSetting("opengl", "software");
        settings()->setValue("miniPosiX", "10");
        ctrl()->setQuitStyle("quit");
        ctrl()->clearCache();
        QCOMPARE(settings()->getIniSetting("opengl"), QString("software"));
        QCOMPARE(settings()->getValue("miniPosiX"), QString());
        QCOMPARE(settings()->getValue("quitStyle"), QString());
        QCOMPARE(State::instance()->quitStyle(), QString());
    }

    void languageAndOpenGLChangesRestart()
    {
        ctrl()->changeLanguage(QString());
        ctrl()->changeOpenGLMode(QString());
        QVERIFY(exitCodes.isEmpty());
        ctrl()->changeLanguage("en");
        QCOMPARE(settings()->getValue("language"), QString("en"));
        ctrl()->changeOpenGLMode("desktop");
        QCOMPARE(settings()->getIniSetting("opengl"), QString("desktop"));
        QCOMPARE(exitCodes, QList<int>({-10086, -10086}));
        State::instance()->setLanguage("zh");
    }

    void startWithTheSession()
    {
        State* state = State::instance();
        ctrl()->openAutoRunWhenPowerOn(true);
        QFile entry(AutostartEntry::path());
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(entry.readAll().contains("Exec=\"" + QCoreApplication::applicationFilePath().toUtf8() + "\"\n"));
        entry.close();
        QCOMPARE(settings()->getValue("auto_run_self"), QString("1"));
        QVERIFY(state->autoRunWhenPowerOn());

        ctrl()->openAutoRunWhenPowerOn(false);
        QVERIFY(!entry.exists());
        QCOMPARE(settings()->getValue("auto_run_self"), QString());
        QVERIFY(!state->autoRunWhenPowerOn());
    }

    // Switched on the settings page, the failure is said there; at start-up, in the main window.
    void unwritableAutostartKeepsTheSwitchAndSaysWhy_data()
    {
        QTest::addColumn<bool>("atStartUp");
        QTest::addColumn<QString>("window");
        QTest::newRow("settings page") << false << "setting";
        QTest::newRow("start-up") << true << "main";
    }
    void unwritableAutostartKeepsTheSwitchAndSaysWhy()
    {
        QFETCH(bool, atStartUp);
        QFETCH(QString, window);
        State* state = State::instance();
        // A plain file where the autostart folder should be.
        const QString folder = QFileInfo(AutostartEntry::path()).absolutePath();
        QDir(folder).removeRecursively();
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        settings()->setValue("auto_run_self", atStartUp ? "1" : "");
        QSignalSpy switchSpy(state, &State::autoRunWhenPowerOnChange);

        if (atStartUp)
            ctrl()->restoreAutoRun();
        else
            ctrl()->openAutoRunWhenPowerOn(true);
        QVERIFY(!state->autoRunWhenPowerOn());
        QCOMPARE(switchSpy.count(), 1);
        QCOMPARE(settings()->getValue("auto_run_self"), atStartUp ? QString("1") : QString());
        const QVariantMap hud = state->windowHud().last().toMap();
        QCOMPARE(hud.value("type").toString(), QString("warning"));
        QCOMPARE(hud.value("window").toString(), window);
        QVERIFY(!hud.value("message").toString().isEmpty());
        QVERIFY(blocker.remove());
        settings()->remove("auto_run_self");
    }

    void miniWindowPositionAndStayOn()
    {
        State* state = State::instance();
        settings()->setValue("miniPosiX", "300");
        settings()->setValue("miniPosiY", "10");
        state->copyTransDataRef().insert("stayOn", false);
        ctrl()->setMiniTransWindow(true, false);
        const QVariantMap opened = state->copyTransData();
        QCOMPARE(opened.value("x").toInt(), 300);
        QCOMPARE(opened.value("y").toInt(), 44);
        QCOMPARE(opened.value("stayOn").toBool(), true);
        QVERIFY(state->showCopyTransDetail());
        ctrl()->setMiniTransWindow(false, false);
        QCOMPARE(state->copyTransData().value("stayOn").toBool(), false);
        QVERIFY(!state->showCopyTransDetail());
    }

    // A package address on plain http elsewhere than the service is refused, in words, in the update window.
    void insecurePackageAddressIsRefused()
    {
        State* state = State::instance();
        QVariantMap info = state->updateInfo();
        info.insert("url", "http://downloads.example/parlavine_2.0_amd64.deb");
        state->setUpdateInfo(info);
        state->setWindowHud({});
        ctrl()->downloadVersionPkg();
        const QVariantMap hud = state->windowHud().value(0).toMap();
        QCOMPARE(hud.value("title").toString(), QString("更新地址不安全，未下载"));
        QCOMPARE(hud.value("window").toString(), QString("update"));
        state->setWindowHud({});
    }

    void repeatedReturnCodeIsSeenAgain()
    {
        State* state = State::instance();
        state->retcallRef() = 5;
        QList<int> seen;
        auto connection = connect(state, &State::retcallChange, this, [&] { seen << state->retcall(); });
        ctrl()->retcall(5);
        ctrl()->retcall(5);
        disconnect(connection);
        QCOMPARE(seen, QList<int>({0, 5, 0, 5}));
    }

    void triggerOffsets_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QPoint>("offset");
        QTest::newRow("two numbers") << "3_-2" << QPoint(3, -2);
        QTest::newRow("second not a number") << "3_x" << QPoint(8, 8);
        QTest::newRow("three parts") << "1_2_3" << QPoint(8, 8);
        QTest::newRow("empty") << "" << QPoint(8, 8);
    }

    void triggerOffsets()
    {
        QFETCH(QString, stored);
        QFETCH(QPoint, offset);
        QCOMPARE(GlobalCtrl::posiOffFrom(stored), offset);
    }

    void everyOrderlyQuitStoresTheSwitchesOnce()
    {
        State* state = State::instance();
        state->transAutoMergeBreakRef() = true;
        // The tray's and the sidebar's quit end the loop directly.
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
        QCOMPARE(settings()->getValue("textTrans_autoMergeBreak"), QString("1"));

        state->transAutoMergeBreakRef() = false;
        ctrl()->windowExit();
        QCOMPARE(exitCodes, QList<int>({0}));
        QCOMPARE(settings()->getValue("textTrans_autoMergeBreak"), QString("1"));
    }
};

PARLAVINE_TEST_MAIN(TestGlobalCtrl)
#include "tst_GlobalCtrl.moc"
