#include "app/AppWiring.h"
#include "core/Dispatch.h"
#include "quicktrans/QuickTransRoutes.h"
#include "shell/GlobalRoutes.h"

#include "TestMain.h"

#include <QEnableSharedFromThis>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QQuickTextDocument>
#include <QTemporaryDir>
#include <QtTest>

// Stands in for a controller class: every member records its name and the arguments it got.
struct Call
{
    QString name;
    QVariantList args;
};

#define RECORDS(name)                                                                              \
    template <class... A>                                                                          \
    void name(A... args)                                                                           \
    {                                                                                              \
        calls.append({QStringLiteral(#name), QVariantList{QVariant::fromValue(args)...}});         \
    }

struct FakeGlobal
{
    QList<Call> calls;
    RECORDS(copyText) RECORDS(shortCut) RECORDS(warn) RECORDS(hideWindowTitleBar) RECORDS(checkVersion)
    RECORDS(blockCheckVersion) RECORDS(windowActiveChange) RECORDS(changeLanguage) RECORDS(switchCopyTransBySelect)
    RECORDS(switchCopyTransAutoDetail) RECORDS(raiseMainWindowAndTrans) RECORDS(lowerWindow)
    RECORDS(changeFontSizeLevel) RECORDS(openWebUrl) RECORDS(windowVisibilityChange) RECORDS(setQuitStyle)
    RECORDS(exploreCrashLogs) RECORDS(windowStateChange) RECORDS(raiseWindow) RECORDS(windowCenterInScreen)
    RECORDS(installHotkey) RECORDS(setCopyTransTriggerPosi) RECORDS(setCopyTransTriggerPosiOff) RECORDS(clearCache)
    RECORDS(windowExit) RECORDS(testNetwork) RECORDS(switchCopyTransAutoMergeBreak) RECORDS(openAutoRunWhenPowerOn)
    RECORDS(fullWindowWithClearBG) RECORDS(changeOpenGLMode) RECORDS(switchCopyTransQuick)
    RECORDS(switchCopyTransCC) RECORDS(stepChangeFontSizeLevel) RECORDS(downloadVersionPkg)
    RECORDS(setMiniTransWindow) RECORDS(quickSave) RECORDS(cancleDownloadVersionPkg) RECORDS(retcall)
    RECORDS(setAppColorThemeMode) RECORDS(setNightThemeSwitchTime)
};

struct FakeCopyTrans
{
    QList<Call> calls;
    RECORDS(requestTrans) RECORDS(setStayOn) RECORDS(setSourceLanguage) RECORDS(setTargetLanguageDebounced)
    RECORDS(handleUIForEditor) RECORDS(makePanelWindow) RECORDS(closePanelWindow) RECORDS(startQuickSearch)
    RECORDS(startSelectTrans) RECORDS(fixDetailWindowPosi) RECORDS(startCCTrans) RECORDS(fixDetailWindowSize)
};

// A controller whose init and actions can be observed, and whose action can release its own id.
class ProbeCtrl : public QObject, public QEnableSharedFromThis<ProbeCtrl>
{
    Q_OBJECT
public:
    static inline int inits = 0;
    static inline bool hadSelfReference = false;
    static inline ProbeCtrl* live = nullptr;
    int touched = 0;

    ~ProbeCtrl() override { live = nullptr; }

    void init()
    {
        ++inits;
        live = this;
        hadSelfReference = !sharedFromThis().isNull();
    }
    void releaseSelf()
    {
        Dispatch::instance()->releaseController(Dispatch::Ctrl_CopyTrans);
        ++touched; // still alive: Dispatch holds it until the call returns
    }
};

template <class Fake>
static QList<Call> route(const ActionTable<Fake>& table, const QString& action, const QVariantList& list)
{
    Fake fake;
    const DispatchArgs args(list);
    table.value(action)(fake, args);
    return fake.calls;
}

class TestDispatch : public QObject
{
    Q_OBJECT

    Dispatch* dispatch = Dispatch::instance();

    // Ten distinct actions leave a trail that no earlier test shaped.
    void resetTrail()
    {
        for (int i = 0; i < 10; ++i)
            dispatch->run(99, QString("reset%1").arg(i), {});
    }

private slots:
    void initTestCase()
    {
        AppWiring::wire();
    }

    void conversions_data()
    {
        QTest::addColumn<QVariantList>("list");
        QTest::addColumn<QString>("s");
        QTest::addColumn<int>("i");
        QTest::addColumn<bool>("b");
        QTest::newRow("digits") << QVariantList{"42"} << "42" << 42 << true;
        QTest::newRow("number") << QVariantList{3.0} << "3" << 3 << true;
        QTest::newRow("bool") << QVariantList{true} << "true" << 1 << true;
        QTest::newRow("false text") << QVariantList{"false"} << "false" << 0 << false;
        QTest::newRow("not a number") << QVariantList{"abc"} << "abc" << 0 << true;
        QTest::newRow("missing") << QVariantList{} << "" << 0 << false;
    }
    void conversions()
    {
        QFETCH(QVariantList, list);
        const DispatchArgs args(list);
        QTEST(args.s(0), "s");
        QTEST(args.i(0), "i");
        QTEST(args.b(0), "b");
        QVERIFY(args.m(0).isEmpty() == !list.value(0).canConvert<QVariantMap>());
        QVERIFY(!args.d(0));
        QVERIFY(args.m(5).isEmpty() && args.l(5).isEmpty() && !args.at(5).isValid());
    }

    void specialRoutes()
    {
        const auto global = globalActions<FakeGlobal>();
        QList<Call> calls = route(global, "lowerWindow", {"setting"});
        QCOMPARE(calls.first().name, QStringLiteral("lowerWindow"));
        QCOMPARE(calls.first().args, (QVariantList{"main"}));
        QCOMPARE(route(global, "checkVersion", {true}).first().args, (QVariantList{true, false}));
        QVERIFY(global.contains("popup"));
        calls = route(global, "popup", {true, false});
        QCOMPARE(calls.first().name, QStringLiteral("setMiniTransWindow"));
        QCOMPARE(calls.first().args, (QVariantList{false, true}));
        QCOMPARE(route(global, "cancleDownloadVersionPkg", {}).first().name, QStringLiteral("cancleDownloadVersionPkg"));
        QVERIFY(!global.contains("cancelDownloadVersionPkg"));

        const auto copyTrans = copyTransActions<FakeCopyTrans>();
        QCOMPARE(route(copyTrans, "closePanelWindow", {false}).first().args, (QVariantList{false, true}));
        QCOMPARE(route(copyTrans, "setTargetLanguage", {"de"}).first().name, QStringLiteral("setTargetLanguageDebounced"));
    }

    // Every controller id reads a missing position as an invalid value.
    void shortArgumentLists()
    {
        const QList<Call> calls = route(globalActions<FakeGlobal>(), "installHotkey", {"copyTransOpen"});
        QCOMPARE(calls.first().args, (QVariantList{"copyTransOpen", "", false, false, false, false, ""}));
        const QVariantList editor = route(copyTransActions<FakeCopyTrans>(), "handleUIForEditor", {}).first().args;
        QVERIFY(!editor.first().value<QQuickTextDocument*>());
        for (int id = Dispatch::Ctrl_UserLogin; id <= Dispatch::Ctrl_ScreenshotTrans; ++id) {
            QVERIFY(dispatch->initController(id));
            for (const QString& action : QStringList{"translation", "login", "deleteRepo", "fetchUserCostRecord",
                                          "captureAndTrans", "fixDetailWindowPosi", "feedback", "removeTransHistory"})
                QVERIFY(dispatch->run(id, action, {}));
            QVERIFY(dispatch->releaseController(id));
        }
    }

    void missingControllerIsLogged()
    {
        QTemporaryDir dir;
        const QString logFile = dir.filePath("log.txt");
        qputenv("PARLAVINE_LOG_FILE", logFile.toUtf8());
        QVERIFY(!dispatch->run(Dispatch::Ctrl_FileTrans, "translation", {"a.pdf"}));
        qunsetenv("PARLAVINE_LOG_FILE");
        QFile file(logFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("Dispatch run error: ctrl null: 3, translation"));
        QCOMPARE(dispatch->recentActions().last(), QStringLiteral("FileTrans_translation"));
    }

    void controllerLifetime()
    {
        dispatch->setControllerKind(Dispatch::Ctrl_CopyTrans, Dispatch::kindOf(ActionTable<ProbeCtrl>{
            {"releaseSelf", [](ProbeCtrl& c, const DispatchArgs&) { c.releaseSelf(); }}}));
        ProbeCtrl::inits = 0;
        QVERIFY(dispatch->initController(Dispatch::Ctrl_CopyTrans));
        QVERIFY(dispatch->initController(Dispatch::Ctrl_CopyTrans));
        QCOMPARE(ProbeCtrl::inits, 1);
        QVERIFY(ProbeCtrl::hadSelfReference);

        QVERIFY(dispatch->run(Dispatch::Ctrl_CopyTrans, "noSuchAction", {}));
        QVERIFY(dispatch->releaseController(Dispatch::Ctrl_CopyTrans));
        QVERIFY(!dispatch->releaseController(Dispatch::Ctrl_CopyTrans));
        QVERIFY(!dispatch->run(Dispatch::Ctrl_CopyTrans, "releaseSelf", {}));

        for (int id : {Dispatch::Ctrl_Global, 9, -1})
            QVERIFY(!dispatch->initController(id));
        QVERIFY(!dispatch->releaseController(Dispatch::Ctrl_Global));
        QVERIFY(!dispatch->run(9, "anything", {}));
        QVERIFY(dispatch->run(Dispatch::Ctrl_Global, "noSuchAction", {}));
    }

    // Under the address sanitizer a controller destroyed inside its own member fails here.
    void selfReleaseInsideAction()
    {
        QVERIFY(dispatch->initController(Dispatch::Ctrl_CopyTrans));
        const QPointer<QObject> watched = ProbeCtrl::live;
        QVERIFY(watched);
        QVERIFY(dispatch->run(Dispatch::Ctrl_CopyTrans, "releaseSelf", {}));
        QVERIFY(!watched);
        QVERIFY(!dispatch->run(Dispatch::Ctrl_CopyTrans, "releaseSelf", {}));
    }

    void trail()
    {
        QByteArray observed;
        dispatch->setTrailObserver([&observed](const QByteArray& rendered) { observed = rendered; });
        resetTrail();
        for (int i = 0; i < 3; ++i)
            dispatch->run(Dispatch::Ctrl_Global, "raiseWindow", {"main"});
        dispatch->run(Dispatch::Ctrl_ScreenshotTrans, "startCapture", {});
        dispatch->run(Dispatch::Ctrl_TextTrans, "translation", {});
        dispatch->run(Dispatch::Ctrl_Global, "raiseWindow", {"main"});
        const QStringList expected{"reset4", "reset5", "reset6", "reset7", "reset8", "reset9",
                                   "Global_raiseWindow_3", "startCapture", "TextTrans_translation",
                                   "Global_raiseWindow"};
        QCOMPARE(dispatch->recentActions(), expected);
        const QByteArray rendered = QJsonDocument(QJsonArray::fromStringList(expected)).toJson(QJsonDocument::Compact);
        QCOMPARE(dispatch->renderedTrail(), rendered);
        QCOMPARE(observed, rendered);
        dispatch->setTrailObserver(nullptr);
    }

    void trailPrefixes_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("key");
        QTest::newRow("user login") << 1 << "UserLogin_act";
        QTest::newRow("file") << 3 << "FileTrans_act";
        QTest::newRow("user info") << 4 << "UserInfo_act";
        QTest::newRow("memory") << 5 << "TermSent_act";
        QTest::newRow("term") << 6 << "Term_act";
        QTest::newRow("copy") << 7 << "CopyTrans_act";
        QTest::newRow("screenshot") << 8 << "act";
        QTest::newRow("unknown") << 42 << "act";
    }
    void trailPrefixes()
    {
        QFETCH(int, id);
        resetTrail();
        dispatch->run(id, "act", {});
        QTEST(dispatch->recentActions().last(), "key");
    }

    void singletonGoneAfterDestruction()
    {
        delete Dispatch::instance();
        QVERIFY(!Dispatch::instance());
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestDispatch)
#include "tst_Dispatch.moc"
