#include "app/AppMain.h"

#include "core/AppResources.h"
#include "app/AppWiring.h"
#include "core/Constant.h"
#include "core/CrashDump.h"
#include "core/Dispatch.h"
#include "core/Hud.h"
#include "core/LocalSocketUtil.h"
#include "core/Log.h"
#include "core/QuickStorage.h"
#include "core/ShareMemoryUtil.h"
#include "core/SimpleStorage.h"
#include "core/StartArgs.h"
#include "core/State.h"
#include "core/Storage.h"
#include "core/TimeUtil.h"
#include "core/User.h"
#include "core/WindowGeometry.h"
#include "account/SocialLoginProcess.h"
#include "network/RequestService.h"
#include "platform/CompositingWatch.h"
#include "platform/EarlyEnvironment.h"
#include "platform/ShellRegistration.h"
#include "platform/TerminationSignals.h"
#include "shell/GlobalCtrl.h"
#include "shell/ImageProvider.h"
#include "quicktrans/HotkeyCtrl.h"
#include "shell/WinMsgFilter.h"
#include "texttrans/TextTransStorage.h"
#include "update/VexilService.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFontDatabase>
#include <QIcon>
#include <QImageReader>
#include <QLocale>
#include <QMenu>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTranslator>
#include <QUrl>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

const QString MainWindowTitle = QStringLiteral("Parlavine");
const QString AppIconFile = QStringLiteral(":/assets/winLogo.ico");

// The window's and the tray's icon from the sizes up to 128 px. The 256 px picture serves no
// title bar or tray; turning it into a pixmap starts a pool of threads and costs start-up time.
QIcon appIcon()
{
    static const QIcon icon = [] {
        QIcon result;
        QImageReader reader(AppIconFile);
        do {
            if (reader.size().width() <= 128)
                result.addPixmap(QPixmap::fromImage(reader.read()));
        } while (reader.jumpToNextImage());
        return result;
    }();
    return icon;
}

// Owns the process-wide objects start-up brings and deletes them in reverse order of arrival.
class Singletons
{
public:
    ~Singletons()
    {
        for (auto it = owned.rbegin(); it != owned.rend(); ++it)
            (*it)();
    }

    template <typename T> T* take(T* object)
    {
        owned.push_back([object] { delete object; });
        return object;
    }

private:
    std::vector<std::function<void()>> owned;
};

// Steps 1 and 2: attributes that must be set before the application object exists.
QString applyGraphicsAttributes()
{
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);

    QString mode = QuickStorage::instance()->getIniSetting(QStringLiteral("opengl"));
    if (mode.isEmpty())
        mode = QStringLiteral("auto");
    const struct
    {
        const char* mode;
        Qt::ApplicationAttribute attribute;
        const char* name;
    } modes[] = {{"desktop", Qt::AA_UseDesktopOpenGL, "AA_UseDesktopOpenGL"},
                 {"opengles", Qt::AA_UseOpenGLES, "AA_UseOpenGLES"},
                 {"software", Qt::AA_UseSoftwareOpenGL, "AA_UseSoftwareOpenGL"}};
    for (const auto& m : modes) {
        if (mode == QLatin1String(m.mode)) {
            QApplication::setAttribute(m.attribute);
            log(QString::fromLatin1(m.name));
        }
    }
    return mode;
}

QString systemDefaultLanguage()
{
    return QLocale().language() == QLocale::Chinese ? QStringLiteral("zh") : QStringLiteral("en");
}

// Step 8. Linux desktops rarely have any of these; "System" then lets fontconfig pick a CJK face
// only for the glyphs that need one, so Latin text does not load the large CJK faces.
QString chooseMainFontFamily(const QStringList& installedFamilies)
{
    static const QStringList candidates = {
        QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei"), QStringLiteral("msyh"),
        QStringLiteral("华文细黑"), QStringLiteral("STXihei"), QStringLiteral("黑体"),
        QStringLiteral("SimHei")};
    int best = candidates.size();
    for (const QString& family : installedFamilies) {
        const int position = candidates.indexOf(family);
        if (position >= 0 && position < best)
            best = position;
        if (best == 0)
            break;
    }
    return best < candidates.size() ? candidates.at(best) : QStringLiteral("System");
}

QString applyMainFont()
{
    const QString family =
        chooseMainFontFamily(QFontDatabase().families(QFontDatabase::SimplifiedChinese));
    QFont font = QApplication::font();
    font.setFamily(family);
    font.setStyle(QFont::StyleNormal);
    QApplication::setFont(font);
    log(QStringLiteral("applicationFilePath: %1, mainFontName: %2"), QCoreApplication::applicationFilePath(),
        family);
    return family;
}

// Step 10: publishes the screen scale and the main window's size; returns them for step 19.
struct StartScreen
{
    QRect workArea;
    double dpiScale = 1.0;
    MainWindowGeometry window;
};

StartScreen measureStartScreen()
{
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    StartScreen s;
    s.workArea = screen->availableGeometry();
    s.dpiScale = WindowGeometry::dpiScale(screen->logicalDotsPerInch(), screen->devicePixelRatio());
    s.window = WindowGeometry::mainWindowSize(s.workArea.width(), s.workArea.height(), s.dpiScale);

    State* state = State::instance();
    state->startScreenScale = s.dpiScale;
    state->setScreenDpi(s.dpiScale);
    state->setWindowHeightScale(s.window.heightScale);
    state->setWindowWidthScale(s.window.widthScale);
    state->setMainWindowSize(QVariantMap{{"width", s.window.width},
                                         {"height", s.window.height},
                                         {"minWidth", s.window.minWidth},
                                         {"minHeight", s.window.minHeight},
                                         {"scale", s.dpiScale}});
    return s;
}

// Step 12.
void applyLanguage(QTranslator& translator, const QString& defaultLanguage)
{
    QString language = QuickStorage::instance()->getValue(QStringLiteral("language"));
    if (!QStringList{"en", "zh", "zh-Hant"}.contains(language)) {
        language = defaultLanguage;
        GlobalCtrl::instance()->changeLanguage(language);
    }
    if (translator.load(language + QStringLiteral(".qm"), QStringLiteral(":/translations")))
        QCoreApplication::installTranslator(&translator);
    State::instance()->setLanguage(language);
    log(QStringLiteral("desktop language:%1"), language);
}

// Step 13: levels below -1 fall back to the default; there is no upper bound here.
void applyFontSizeLevel()
{
    const QString stored = QuickStorage::instance()->getValue(QStringLiteral("fontSize"));
    int level = stored.isEmpty() ? 0 : stored.toInt();
    if (level < -1)
        level = 0;
    State::instance()->setWindowFontSize(level);
}

QQuickWindow* findMainWindow()
{
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
        if (window->title() == MainWindowTitle)
            return qobject_cast<QQuickWindow*>(window);
    }
    return nullptr;
}

// Windows draw translucent margins and shadows only while a compositing manager blends them.
void followCompositing(const CompositingWatch& compositing)
{
    const auto apply = [](bool running) {
        log(QStringLiteral("compositing manager: %1"), running ? QStringLiteral("yes") : QStringLiteral("no"));
        State::instance()->setWindowsComposited(running);
    };
    apply(compositing.running());
    QObject::connect(&compositing, &CompositingWatch::runningChanged, State::instance(), apply);
}

// Step 19: the size the user left it at when it still fits this screen, centred.
void showMainWindow(QQuickWindow* window, const StartScreen& screen)
{
    QuickStorage* settings = QuickStorage::instance();
    const QString stored = settings->getValue(QStringLiteral("winFrameTemp"));
    const QSize computed(screen.window.width, screen.window.height);
    const QSize size =
        WindowGeometry::restoredSize(stored, screen.workArea.width(), screen.workArea.height(), screen.dpiScale,
                                     computed);
    if (!stored.isEmpty())
        settings->remove(QStringLiteral("winFrameTemp"));

    window->setGeometry(QRect(WindowGeometry::centredOrigin(screen.workArea, size), size));
    log(QStringLiteral("desktop-size:(%1, %2). scale: (%3, %4). dpiScale: %5"),
        QString::number(screen.workArea.width()), QString::number(screen.workArea.height()),
        QString::number(screen.window.widthScale, 'g', 6), QString::number(screen.window.heightScale, 'g', 6),
        QString::number(screen.dpiScale, 'g', 6));
    log(QStringLiteral("desktop-preferWinSize:(%1, %2). currentSize:(%3, %4)"), QString::number(computed.width()),
        QString::number(computed.height()), QString::number(size.width()), QString::number(size.height()));

    window->show();
    window->raise();
    window->requestActivate();

    Dispatch* dispatch = Dispatch::instance();
    dispatch->initController(Dispatch::Ctrl_UserLogin);
    dispatch->run(Dispatch::Ctrl_UserLogin, QStringLiteral("autoLoginIfNeeded"), {true});
}

// Step 20. GlobalCtrl finds the other windows by title and reads the font from the application.
void setUpGlobalCtrl()
{
    GlobalCtrl* global = GlobalCtrl::instance();
    QuickStorage* settings = QuickStorage::instance();
    global->windowReady();
    global->checkVersion(false, true);
    global->checkVersionSilently();
    global->reportUpdateInstallFailure();
    global->preloadTextTransSupport(true);
    global->preloadFileTransSupport(true);
    global->loadQuitStyle();
    global->restoreAutoRun();
    global->setAppColorThemeMode(settings->getValue(QStringLiteral("app_theme_mode")).toInt());
}

// The packaged program's entries come with the package; a program run from elsewhere (a build)
// writes its own.
void registerDesktopEntries(const QString& defaultLanguage)
{
    const QString executable = QCoreApplication::applicationFilePath();
    if (ShellRegistration::isPackaged(executable)) {
        ShellRegistration::removeEntries(executable);
        return;
    }
    ShellRegistration::registerEntries(executable, defaultLanguage == QLatin1String("zh")
                                                       ? QStringLiteral("使用Parlavine翻译该文件")
                                                       : QStringLiteral("Use Parlavine translate"));
}

// Step 24. The menu has no parent; the caller keeps it.
QMenu* createTray(QObject* root)
{
    GlobalCtrl* global = GlobalCtrl::instance();
    auto* menu = new QMenu;
    auto addEntry = [&](const char* text, bool enabled, void (GlobalCtrl::*slot)()) {
        auto* action = new QAction(QCoreApplication::translate("main", text), root);
        action->setEnabled(enabled);
        menu->addAction(action);
        if (slot)
            QObject::connect(action, &QAction::triggered, global, slot);
        return action;
    };
    addEntry("打开主窗口", true, &GlobalCtrl::systemTrayShow);
    addEntry("打开迷你窗口", true, &GlobalCtrl::systemTrayMiniShow);
    menu->addSeparator();
    QAction* select = addEntry("划词翻译", false, &GlobalCtrl::systemTrayCopyTrans);
    select->setCheckable(true);
    QAction* cc = addEntry("快速复制翻译", false, &GlobalCtrl::systemTrayCCCopyTrans);
    cc->setCheckable(true);
    menu->addSeparator();
    QAction* screenshot = addEntry("截图翻译", false, &GlobalCtrl::systemTrayScreenshotTrans);
    menu->addSeparator();
    addEntry("设置", true, &GlobalCtrl::systemTrayOpenSetting);
    menu->addSeparator();
    QObject::connect(addEntry("退出", true, nullptr), &QAction::triggered, qApp, &QCoreApplication::quit);
    global->hotkeys()->setTrayActions(select, cc, screenshot);

    auto* tray = new QSystemTrayIcon(appIcon(), root);
    QObject::connect(tray, &QSystemTrayIcon::activated, global, &GlobalCtrl::systemTrayActivated);
    tray->setContextMenu(menu);
    tray->show();
    return menu;
}

} // namespace

QString mainQmlUrl()
{
    return QStringLiteral("qrc:/ui/mainWin.qml");
}

int appMain(int argc, char** argv)
{
    EarlyEnvironment::settle();
    const QString openglMode = applyGraphicsAttributes();
    const QString defaultLanguage = systemDefaultLanguage();

    QApplication app(argc, argv);
    initResources();
    // Released just before the application object goes.
    ShareMemoryUtil marker(QStringLiteral("parlavine_init"));
    Singletons ownedByRun;
    ownedByRun.take(QuickStorage::instance()); // created by the OpenGL step

    State* state = ownedByRun.take(State::instance());
    // The shared services State and the controllers lean on outlive them.
    ownedByRun.take(User::instance());
    ownedByRun.take(Constant::instance());
    ownedByRun.take(Hud::instance());
    ownedByRun.take(Dispatch::instance());
    GlobalCtrl* global = ownedByRun.take(GlobalCtrl::instance());
    AppWiring::wire();
    state->setOpenglMode(openglMode);
    SocialLoginProcess socialLogin;

    const QVector<StartArg> startRequests =
        StartArgs::parse(QCoreApplication::arguments(), TimeUtil::currentTimestamp(), QDir::currentPath());
    if (marker.exists())
        return handOverToRunningInstance(startRequests);
    // Only the running instance listens: a later start must never take the name, even briefly.
    global->startInstanceListener();
    applyStartRequests(startRequests);
    recordLastCrash();
    TerminationSignals terminationSignals;

    QApplication::setWindowIcon(appIcon());
    const QString mainFont = applyMainFont();
    registerDesktopEntries(defaultLanguage);
    const StartScreen screen = measureStartScreen();
    CompositingWatch compositing;
    followCompositing(compositing);

    QQmlApplicationEngine engine;
    QTranslator translator;
    applyLanguage(translator, defaultLanguage);
    applyFontSizeLevel();
    AppWiring::setUpEngine(engine, mainFont);

    const QUrl url(mainQmlUrl(), QUrl::TolerantMode);
    (new WinMsgFilter(&app))->install();
    QObject::connect(
        &engine, &QQmlApplicationEngine::objectCreated, &app,
        [url](QObject* object, const QUrl& objectUrl) {
            if (!object && objectUrl == url) {
                log(QStringLiteral("QQmlApplicationEngine::objectCreated exit"));
                QCoreApplication::exit(-1);
            }
        },
        Qt::QueuedConnection);
    // Removing the provider deletes it, which clears the current one.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &engine, [&engine] {
        log(QStringLiteral("QGuiApplication::aboutToQuit"));
        engine.removeImageProvider(QLatin1String(ImageProvider::ProviderId));
    });
    engine.load(url);

    QObject* root = engine.rootObjects().value(0);
    QQuickWindow* mainWindow = findMainWindow();
    global->setMainObjects(root, mainWindow);
    if (mainWindow)
        showMainWindow(mainWindow, screen);
    setUpGlobalCtrl();
    ownedByRun.take(RequestService::instance());
    ownedByRun.take(VexilService::instance());
    installBreakpad();
    ownedByRun.take(Storage::instance());
    ownedByRun.take(SimpleStorage::instance());
    TextTransStorage::clear();

    std::unique_ptr<QMenu> trayMenu(root ? createTray(root) : nullptr);

    log(QStringLiteral("main finish"));
    const int exitCode = app.exec();
    if (root)
        QObject::disconnect(root, nullptr, nullptr, nullptr);
    if (exitCode == RestartExitCode)
        return restartApplication(marker);
    return exitCode;
}

void applyStartRequests(const QVector<StartArg>& requests)
{
    for (const StartArg& request : requests) {
        if (request.kind == StartArg::LoginScheme) {
            GlobalCtrl::instance()->raiseWindow(QStringLiteral("login"));
            State::instance()->loginSchemeQuery = request.value;
        } else {
            GlobalCtrl::instance()->handOverFile(request.value);
        }
    }
}

int handOverToRunningInstance(const QVector<StartArg>& requests)
{
    const InstanceMessage message = StartArgs::handOver(requests);
    QString error;
    if (LocalSocketUtil::quickSend(message.server, message.text, 5000, &error))
        return 0;
    std::fprintf(stderr, "Parlavine is already running, but it did not take the request (%s: %s)\n",
                 qUtf8Printable(message.server), qUtf8Printable(error));
    return 2;
}

int restartApplication(ShareMemoryUtil& marker)
{
    marker.release();
    LocalSocketUtil::closeAllServers();
    if (!QProcess::startDetached(QCoreApplication::applicationFilePath(), {}))
        std::fprintf(stderr, "Parlavine could not start again\n");
    return 0;
}
