#include "shell/GlobalCtrl.h"

#include "account/UserLoginCtrl.h"
#include "account/UserService.h"
#include "core/AppConfig.h"
#include "core/Dispatch.h"
#include "core/ExitCodes.h"
#include "core/Hud.h"
#include "core/LocalSocketUtil.h"
#include "core/Log.h"
#include "core/QuickStorage.h"
#include "core/SimpleStorage.h"
#include "core/State.h"
#include "core/ThemeColorTable.h"
#include "core/TimeUtil.h"
#include "core/User.h"
#include "filetrans/FileTransCtrl.h"
#include "platform/AutostartEntry.h"
#include "platform/DesktopScreens.h"
#include "platform/PortalSystemTheme.h"
#include "quicktrans/HotkeyCtrl.h"
#include "shell/NightSchedule.h"
#include "shell/WindowState.h"
#include "texttrans/TextTransCtrl.h"
#include "texttrans/TextTransStorage.h"
#include "update/Updater.h"
#include "update/VexilService.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <QUrl>

static GlobalCtrl* s_globalCtrl = nullptr;
static bool s_globalCtrlDestroyed = false;

namespace {

QuickStorage* settings()
{
    return QuickStorage::instance();
}

// Windows that QML creates only when asked through State.
struct CreatableWindow
{
    const char* name;
    void (State::*show)(const bool&);
};

const CreatableWindow kCreatableWindows[] = {
    {"about", &State::setShowAboutWindow},
    {"update", &State::setShowUpdateWindow},
    {"setting", &State::setShowSettingWindow},
    {"copyTransTrigger", &State::setShowCopyTransTriggerFlag},
    {"copyTransDetail", &State::setShowCopyTransDetailFlag},
    {"term", &State::setShowTermWindow},
    {"termSent", &State::setShowTermSentWindow},
    {"login", &State::setShowLoginWindow},
    {"screenshotDetail", &State::setShowScreenshotDetailWindow},
    {"socailLogin", &State::setShowSocailLoginWindow},
};

QScreen* screenUnderCursor()
{
    return QGuiApplication::screenAt(QCursor::pos());
}

} // namespace

GlobalCtrl* GlobalCtrl::instance()
{
    if (!s_globalCtrl && !s_globalCtrlDestroyed)
        s_globalCtrl = new GlobalCtrl;
    return s_globalCtrl;
}

GlobalCtrl::GlobalCtrl(QObject* parent) : QObject(parent)
{
    updater = new Updater;
    hotkeyCtrl = new HotkeyCtrl;
    connect(State::instance(), &State::userLoginedChange, this, &GlobalCtrl::onStatePageChanged);
    // Queued: the pop-up that let its file go has closed by the time the next one is shown.
    connect(State::instance(), &State::quickTransfileDataChange, this, &GlobalCtrl::showNextHandedOverFile,
            Qt::QueuedConnection);
    // The tray's and the sidebar's quit end the loop without windowExit: store on every quit.
    if (QCoreApplication::instance())
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &GlobalCtrl::storeBeforeExit);
}

GlobalCtrl::~GlobalCtrl()
{
    delete hotkeyCtrl;
    delete updater;
    stopSessionTimer();
    delete localSocket;
    delete loginSchemeSocket;
    if (State* state = State::instance())
        disconnect(state, &State::userLoginedChange, this, &GlobalCtrl::onStatePageChanged);
    s_globalCtrl = nullptr;
    s_globalCtrlDestroyed = true;
}

void GlobalCtrl::startInstanceListener()
{
    if (localSocket)
        return;
    localSocket = new LocalSocketUtil(QStringLiteral("parlavine_single"));
    connect(localSocket, &LocalSocketUtil::newMessage, this, &GlobalCtrl::onLocalSocketMessage);
    loginSchemeSocket = new LocalSocketUtil(QStringLiteral("parlavine_loginscheme"));
    connect(loginSchemeSocket, &LocalSocketUtil::newMessage, this, &GlobalCtrl::onLoginSchemeMessage);
}

void GlobalCtrl::setMainObjects(QObject* root, QWindow* main)
{
    rootObject = root;
    mainWindow = main;
}

SystemTheme* GlobalCtrl::systemTheme()
{
    if (!theme)
        theme = new PortalSystemTheme(AppConfig::systemThemeOverride(), this);
    return theme;
}

void GlobalCtrl::setSystemTheme(SystemTheme* systemTheme)
{
    theme = systemTheme;
}

void GlobalCtrl::setExitHandler(std::function<void(int)> handler)
{
    exitHandler = std::move(handler);
    updater->setExitHandler(exitHandler);
}

void GlobalCtrl::exitWith(int code)
{
    if (exitHandler)
        exitHandler(code);
    else
        QCoreApplication::exit(code);
}

// ---- Log-in, session, instance messages -------------------------------------------------

void GlobalCtrl::init()
{
    hotkeyCtrl->init();
    QVariantMap& copyTransData = State::instance()->copyTransDataRef();
    copyTransData.insert("posi", settings()->getValueOr(QStringLiteral("copyTransPosi"), QStringLiteral("righttop")));
    const QPoint offset = posiOffFrom(settings()->getValue(QStringLiteral("copyTransPosiOff")));
    copyTransData.insert("posiXoff", offset.x());
    copyTransData.insert("posiYoff", offset.y());
    openPendingFile();
    if (VexilService* vexil = VexilService::instance()) {
        vexil->reportHome();
        vexil->autoUploadLastCrash();
    }
    // A text page still on its way lists the history when its controller starts.
    Dispatch* dispatch = Dispatch::instance();
    if (State::instance()->mainCurPage() == QLatin1String("textTransPage") && dispatch->hasController(Dispatch::Ctrl_TextTrans))
        dispatch->run(Dispatch::Ctrl_TextTrans, QStringLiteral("refreshTransHistory"), {true, true});
}

QPoint GlobalCtrl::posiOffFrom(const QString& stored)
{
    const QStringList parts = stored.split('_');
    bool xOk = false;
    bool yOk = false;
    if (parts.size() == 2) {
        const int x = parts.at(0).toInt(&xOk);
        const int y = parts.at(1).toInt(&yOk);
        if (xOk && yOk)
            return {x, y};
    }
    return {8, 8};
}

void GlobalCtrl::startSessionTimer()
{
    stopSessionTimer();
    sessionTimer = new QTimer(this);
    sessionTimer->setInterval(AppConfig::sessionRefreshMs());
    connect(sessionTimer, &QTimer::timeout, this, &GlobalCtrl::refreshSession);
    sessionTimer->start();
}

void GlobalCtrl::stopSessionTimer()
{
    if (!sessionTimer)
        return;
    sessionTimer->stop();
    sessionTimer->disconnect();
    delete sessionTimer;
    sessionTimer = nullptr;
}

bool GlobalCtrl::sessionTimerActive() const
{
    return sessionTimer && sessionTimer->isActive();
}

void GlobalCtrl::refreshSession()
{
    UserService service;
    // The service stores the renewed session itself, and only for the login it was sent for.
    service.updateUserSession([](bool ok, const QVariantMap& data) {
        // the renewed session only as "set" or "empty"
        log(QStringLiteral("----------updateSession %1, session %2"), ok ? QStringLiteral("ok") : QStringLiteral("fail"),
            redacted(data.value(QStringLiteral("session")).toString()));
    });
}

void GlobalCtrl::onLocalSocketMessage(const QString& msg)
{
    if (msg == QLatin1String("raise")) {
        raiseWindow(QStringLiteral("main"));
    } else if (msg.startsWith(QLatin1String("transfile:"))) {
        if (handOverFile(msg.mid(10)))
            openPendingFile();
        else
            showDocumentPage(); // where the one before waits
    }
}

bool GlobalCtrl::handOverFile(const QString& path)
{
    State* state = State::instance();
    if (!handedOverFiles.isEmpty() || !state->quickTransfileData().value("path").toString().isEmpty()) {
        handedOverFiles.append(path);
        return false;
    }
    state->setQuickTransfileData(path);
    return true;
}

void GlobalCtrl::showNextHandedOverFile()
{
    State* state = State::instance();
    if (handedOverFiles.isEmpty() || !state->quickTransfileData().value("path").toString().isEmpty())
        return;
    state->setQuickTransfileData(handedOverFiles.takeFirst());
    openPendingFile();
}

void GlobalCtrl::onLoginSchemeMessage(const QString& msg)
{
    UserLoginCtrl::handOverLoginScheme(msg);
}

void GlobalCtrl::openPendingFile()
{
    State* state = State::instance();
    const QVariantMap file = state->quickTransfileData();
    if (file.value("path").toString().isEmpty())
        return;
    showDocumentPage();
    if (file.value("typeValid").toBool())
        return;
    // Named, as others may wait behind it; the answer lets the next one in.
    const QFileInfo info(file.value("path").toString());
    Hud::warningWithCallback(info.isDir() ? tr("不能翻译文件夹") : tr("文件翻译不支持该类型"), info.fileName(),
                             [] { State::instance()->setQuickTransfileData(QString()); }, QStringLiteral("main"));
}

void GlobalCtrl::showDocumentPage()
{
    raiseWindow(QStringLiteral("main"));
    State* state = State::instance();
    if (state->mainCurPage() != QLatin1String("login"))
        state->setMainCurPage(QStringLiteral("fileTransPage"));
}

void GlobalCtrl::onStatePageChanged()
{
    State* state = State::instance();
    if (state->userLogined())
        return;
    hotkeyCtrl->updateTrayActions(false);
    hotkeyCtrl->openCopyTransBySelect(false);
    state->setMainCurPage(QStringLiteral("textTransPage"));
    raiseWindow(QStringLiteral("login"));
}

void GlobalCtrl::startBlockTimer(int intervalMs, std::function<void()> callback)
{
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    timer->setInterval(intervalMs);
    connect(timer, &QTimer::timeout, this, [timer, callback] {
        if (callback)
            callback();
        timer->deleteLater();
    });
    timer->start();
}

void GlobalCtrl::windowReady() {}

void GlobalCtrl::preloadTextTransSupport(bool force)
{
    QSharedPointer<TextTransCtrl> ctrl(new TextTransCtrl);
    ctrl->fetchSupportLang(force);
}

void GlobalCtrl::preloadFileTransSupport(bool force)
{
    QSharedPointer<FileTransCtrl> ctrl(new FileTransCtrl);
    ctrl->loadSupportLang(force);
}

// ---- Windows ------------------------------------------------------------------------------

QWindow* GlobalCtrl::windowNamed(const QString& name) const
{
    if (name == QLatin1String("main") && mainWindow)
        return mainWindow;
    return WindowState::instance()->findWindowByName(name);
}

bool GlobalCtrl::createWindowThroughState(const QString& name)
{
    for (const CreatableWindow& window : kCreatableWindows) {
        if (name != QLatin1String(window.name))
            continue;
        if (name == QLatin1String("login"))
            State::instance()->setLoginCurPage(QStringLiteral("login"));
        (State::instance()->*window.show)(true);
        return true;
    }
    return false;
}

void GlobalCtrl::raiseWindow(const QString& name)
{
    QWindow* window = windowNamed(name);
    if (!window) {
        createWindowThroughState(name);
        return;
    }
    log(QStringLiteral("raiseWindow: %1"), name);
    if (window->visibility() == QWindow::Minimized)
        window->showNormal();
    window->setFlag(Qt::WindowStaysOnBottomHint, false);
    window->show();
    window->raise();
    window->requestActivate();
}

void GlobalCtrl::lowerWindow(const QString& name)
{
    QWindow* window = windowNamed(name);
    if (!window || window->visibility() == QWindow::Minimized)
        return;
    // Without a tray there would be no way back to a hidden window.
    if (State::instance()->systemTrayAvailable())
        window->hide();
    else
        window->showMinimized();
}

void GlobalCtrl::raiseMainWindowAndTrans(const QString& text, const QString& sourceLang, const QString& targetLang)
{
    raiseWindow(QStringLiteral("main"));
    State* state = State::instance();
    state->setMainCurPage(QStringLiteral("textTransPage"));
    state->setTextTransSourceLang(sourceLang);
    state->setTextTransTargetLang(targetLang);
    state->setTextTransSource(text, true);
    state->setShowCopyTransTrigger(false);
    state->setShowCopyTransDetail(false);
}

void GlobalCtrl::windowCenterInScreen(const QString& name)
{
    QWindow* window = windowNamed(name);
    if (!window)
        return;
    QRect area;
    const bool besideMain = name != QLatin1String("main") && name != QLatin1String("screenshotDetail");
    QWindow* main = windowNamed(QStringLiteral("main"));
    if (besideMain && main && main->isVisible()) {
        area = main->geometry();
    } else if (QScreen* screen = screenUnderCursor()) {
        area = screen->geometry();
    } else {
        return;
    }
    window->setPosition(area.topLeft()
                        + QPoint((area.width() - window->width()) / 2, (area.height() - window->height()) / 2));
}

void GlobalCtrl::fullWindowWithClearBG(const QString& name)
{
    QWindow* window = windowNamed(name);
    DesktopScreens* screens = DesktopScreens::system();
    if (!window || !screens)
        return;
    // The work area whose picture the capture took: the pointer may have moved on since.
    const QRect grabbed = State::instance()->screenshotTransData().value(QStringLiteral("area")).toRect();
    if (grabbed.isValid()) {
        window->setGeometry(grabbed);
        return;
    }
    const DesktopScreens::Screen screen = screens->screenAt(screens->cursorPos());
    if (!screen.isNull())
        window->setGeometry(screen.workArea);
}

void GlobalCtrl::windowStateChange(const QString& name, bool shown)
{
    if (shown)
        WindowState::instance()->addWindow(name);
    else
        WindowState::instance()->removeWindow(name);
}

void GlobalCtrl::windowActiveChange(const QString& name, bool active)
{
    WindowState::instance()->setWindowActive(name, active);
}

void GlobalCtrl::windowVisibilityChange(const QString& name, const QString& visibility)
{
    if (name != QLatin1String("main"))
        return;
    log(QStringLiteral("windowVisibilityChange last: %1,now: %2"), lastMainVisibility, visibility);
    const bool nowShown = visibility == QLatin1String("normal") || visibility == QLatin1String("fullscreen")
                          || visibility == QLatin1String("maximized");
    State* state = State::instance();
    if (lastMainVisibility == QLatin1String("hidden") && nowShown) {
        if (VexilService* vexil = VexilService::instance()) {
            vexil->autoUploadLastCrash();
            vexil->reportHome();
        }
        state->setShowCopyTransTriggerFlag(false);
        state->setShowCopyTransDetailFlag(false);
    } else if (lastMainVisibility == QLatin1String("normal") && !nowShown
               && state->copyTransData().value("from").toString() == QLatin1String("home")) {
        setMiniTransWindow(true, false);
    }
    updater->onWindowReActive();
    lastMainVisibility = visibility;
}

void GlobalCtrl::setMiniTransWindow(bool open, bool touchMain)
{
    State* state = State::instance();
    if (touchMain) {
        QWindow* main = windowNamed(QStringLiteral("main"));
        if (!main)
            return;
        if (open) {
            hideMainOnceMiniShown();
        } else {
            const QVariantMap data = state->copyTransData();
            raiseMainWindowAndTrans(data.value("source").toString(), data.value("sourceLang").toString(),
                                    data.value("targetLang").toString());
        }
    }
    if (open) {
        Dispatch::instance()->initController(Dispatch::Ctrl_CopyTrans);
        QVariantMap data = state->copyTransData();
        data.insert("state", 0);
        const QString x = settings()->getValue(QStringLiteral("miniPosiX"));
        const QString y = settings()->getValue(QStringLiteral("miniPosiY"));
        // Never above the top bar of the screen.
        const QPoint position =
            !x.isEmpty() && !y.isEmpty() ? QPoint(x.toInt(), qMax(y.toInt(), 44)) : QCursor::pos();
        data.insert("x", position.x());
        data.insert("y", position.y());
        data.insert("autoLang", true);
        data.insert("from", QStringLiteral("home"));
        data.insert("stayOnTemp", data.value("stayOn").toBool());
        data.insert("stayOn", true);
        state->setCopyTransData(data);
        state->setShowCopyTransTrigger(false);
        state->setShowCopyTransDetail(true);
    } else {
        QVariantMap& data = state->copyTransDataRef();
        data.insert("stayOn", data.value("stayOnTemp"));
        data.insert("from", QString());
        state->setShowCopyTransTrigger(false);
        state->setShowCopyTransDetail(false);
    }
}

void GlobalCtrl::hideMainOnceMiniShown()
{
    // The detail window may still be loading: the main window goes only once the small one is
    // on screen, so the user is never left without a window.
    auto* poll = new QTimer(this);
    poll->setInterval(20);
    auto waited = QSharedPointer<int>::create(0);
    connect(poll, &QTimer::timeout, this, [this, poll, waited] {
        const QWindow* mini = WindowState::instance()->findWindowById(WindowState::CopyTransDetail);
        const bool shown = mini && mini->isVisible() && State::instance()->showCopyTransDetail();
        if (shown) {
            if (QWindow* main = windowNamed(QStringLiteral("main")))
                main->hide();
        }
        *waited += poll->interval();
        if (shown || *waited >= 3000)
            poll->deleteLater();
    });
    poll->start();
}

void GlobalCtrl::hideWindowTitleBar(const QString&) {}

void GlobalCtrl::shortCut(int key, bool ctrl, bool shift)
{
    if (!rootObject)
        return;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    if (ctrl)
        modifiers |= Qt::ControlModifier;
    if (shift)
        modifiers |= Qt::ShiftModifier;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, QString(), false, 1);
    QCoreApplication::sendEvent(rootObject, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, QString(), false, 1);
    QCoreApplication::sendEvent(rootObject, &release);
}

// ---- Small services -----------------------------------------------------------------------

void GlobalCtrl::copyText(const QString& text, const QString& window)
{
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
    Hud::infoInWindow(tr("复制成功"), QString(), {}, window);
}

void GlobalCtrl::warn(const QString& text)
{
    Hud::warningInWindow(text, QString(), {}, QStringLiteral("main"));
}

void GlobalCtrl::openWebUrl(const QString& url, bool offerCopy)
{
    if (url.isEmpty())
        return;
    if (QDesktopServices::openUrl(QUrl(url, QUrl::TolerantMode)) || !offerCopy)
        return;
    Hud::infoWithButton(
        tr("为继续操作，请在浏览器中访问该地址："), url, tr("好的，复制地址"),
        [url] { GlobalCtrl::instance()->copyText(url, QStringLiteral("main")); }, QStringLiteral("main"));
}

void GlobalCtrl::quickSave(const QString& key, const QString& value)
{
    settings()->setValue(key, value);
}

void GlobalCtrl::retcall(int code)
{
    State* state = State::instance();
    // A repeated code is still seen by QML.
    if (state->retcall() == code)
        state->setRetcall(0);
    state->setRetcall(code);
}

void GlobalCtrl::testNetwork()
{
    log(QStringLiteral("testNetwork"));
    // Any answer at all proves the way to the service; the account does not exist.
    UserService service;
    service.userLogin(QStringLiteral("test"), QStringLiteral("vokm"), false,
                      [](bool ok, const QVariantMap&) {
                          log(QStringLiteral("testNetwork.login: %1"), ok ? QStringLiteral("ok") : QStringLiteral("fail"));
                      });
}

void GlobalCtrl::windowExit()
{
    log(QStringLiteral("windowExit"));
    storeBeforeExit();
    exitWith(0);
}

void GlobalCtrl::storeBeforeExit()
{
    if (exitStepsDone)
        return;
    exitStepsDone = true;
    TextTransStorage::clear();
    State* state = State::instance();
    state->setShowTermWindow(false);
    state->setShowAboutWindow(false);
    state->setShowUpdateWindow(false);
    state->setShowTermSentWindow(false);
    state->setShowScreenshotDetailWindow(false);
    state->setShowScreenshotTransWindow(false);
    storeWindowSize();
    settings()->setValue(QStringLiteral("textTrans_autoMergeBreak"),
                         state->transAutoMergeBreak() ? QStringLiteral("1") : QStringLiteral("0"));
}

void GlobalCtrl::storeWindowSize()
{
    QWindow* main = windowNamed(QStringLiteral("main"));
    QScreen* screen = screenUnderCursor();
    if (!main || !screen || (main->windowStates() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    log(QStringLiteral("windowExit-store window size"));
    const QRect area = screen->availableGeometry();
    const float scale = State::instance()->mainWindowSize().value("scale").toFloat();
    settings()->setValue(QStringLiteral("winFrameTemp"), QStringLiteral("%1|%2|%3|%4|%5")
                                                             .arg(area.width())
                                                             .arg(area.height())
                                                             .arg(QString::number(scale, 'g', 6))
                                                             .arg(main->width())
                                                             .arg(main->height()));
}

// ---- Settings -----------------------------------------------------------------------------

void GlobalCtrl::changeFontSizeLevel(int level)
{
    settings()->setValue(QStringLiteral("fontSize"), QString::number(level));
    State::instance()->setWindowFontSize(level);
}

void GlobalCtrl::stepChangeFontSizeLevel(bool up)
{
    const int current = State::instance()->windowFontSize().value("level").toInt();
    if (up && current < 2)
        changeFontSizeLevel(current + 1);
    else if (!up && current > -1)
        changeFontSizeLevel(current - 1);
}

void GlobalCtrl::setQuitStyle(const QString& style)
{
    State* state = State::instance();
    settings()->setValue(QStringLiteral("quitStyle"), QStringLiteral("%1_%2_%3")
                                                          .arg(state->version(), style)
                                                          .arg(TimeUtil::currentTimestamp()));
    state->setQuitStyle(style);
}

void GlobalCtrl::loadQuitStyle()
{
    State* state = State::instance();
    state->setQuitStyle(
        quitStyleFrom(settings()->getValue(QStringLiteral("quitStyle")), state->version(), TimeUtil::currentTimestamp()));
}

QString GlobalCtrl::quitStyleFrom(const QString& stored, const QString& version, quint32 now)
{
    const QStringList parts = stored.split('_');
    if (parts.size() != 3 || parts.at(0) != version)
        return QString();
    const quint64 storedAt = parts.at(2).toULongLong();
    return storedAt + 604800 > now ? parts.at(1) : QString();
}

void GlobalCtrl::setAppColorThemeMode(int mode)
{
    State* state = State::instance();
    state->setAppThemeMode(mode);
    log(QStringLiteral("setAppColorThemeMode: %1"), QString::number(mode));
    // A fixed or system theme ends the night schedule.
    if (mode != 3)
        stopNightSchedule();
    const std::optional<int> type = ThemeColorTable::typeForMode(mode, systemTheme()->prefersDark());
    if (type)
        state->setThemeColor(*type);
    const bool known = mode == 1 || mode == 2 || mode == 3;
    settings()->setValue(QStringLiteral("app_theme_mode"), QString::number(known ? mode : 0));
}

void GlobalCtrl::setNightThemeSwitchTime(int startHour, int endHour)
{
    if (startHour < 0 || startHour > 23 || endHour < 0 || endHour > 23)
        return;
    nightStartHour = startHour;
    nightEndHour = endHour;
    applyNightSchedule();
}

void GlobalCtrl::applyNightSchedule()
{
    stopNightSchedule();
    const QDateTime now = QDateTime::fromMSecsSinceEpoch(TimeUtil::currentMSecsSinceEpoch());
    const NightSchedule::Phase phase = NightSchedule::at(now, nightStartHour, nightEndHour);
    State::instance()->setThemeColor(phase.dark ? ThemeColorTable::Dark : ThemeColorTable::Light);
    // Each switch works the schedule out again, so it holds on every following day.
    const auto arm = [this](qint64 ms) {
        auto* timer = new QTimer(this);
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
        timer->setInterval(int(ms));
        connect(timer, &QTimer::timeout, this, &GlobalCtrl::applyNightSchedule);
        timer->start();
        return timer;
    };
    nightStartTimer = arm(phase.msToNextStart);
    nightEndTimer = arm(phase.msToNextEnd);
}

void GlobalCtrl::stopNightSchedule()
{
    delete nightStartTimer;
    delete nightEndTimer;
    nightStartTimer = nullptr;
    nightEndTimer = nullptr;
}

void GlobalCtrl::changeLanguage(const QString& language)
{
    if (language.isEmpty())
        return;
    State::instance()->setLanguage(language);
    settings()->setValue(QStringLiteral("language"), language);
    exitWith(RestartExitCode);
}

void GlobalCtrl::changeOpenGLMode(const QString& mode)
{
    if (mode.isEmpty())
        return;
    settings()->setIniSetting(QStringLiteral("opengl"), mode);
    exitWith(RestartExitCode);
}

void GlobalCtrl::openAutoRunWhenPowerOn(bool on, const QString& window)
{
    State* state = State::instance();
    QString error;
    const bool done = on ? AutostartEntry::enable(QCoreApplication::applicationFilePath(), &error)
                         : AutostartEntry::disable(&error);
    if (!done) {
        log(QStringLiteral("openAutoRunWhenPowerOn failed: %1"), error);
        Hud::warningInWindow(tr("开机自启动设置失败"), error, {}, window);
        // The switch QML already flipped goes back to the value kept.
        emit state->autoRunWhenPowerOnChange();
        return;
    }
    settings()->setValue(QStringLiteral("auto_run_self"), on ? QStringLiteral("1") : QString());
    state->setAutoRunWhenPowerOn(on);
}

void GlobalCtrl::restoreAutoRun()
{
    openAutoRunWhenPowerOn(settings()->getValue(QStringLiteral("auto_run_self")) == QLatin1String("1"),
                           QStringLiteral("main"));
}

void GlobalCtrl::clearCache()
{
    for (const char* key : {"quitStyle", "winFrameTemp", "opengl", "downloadImg_dir", "fileTrans_download_dir",
                            "miniPosiX", "miniPosiY", "hotkeyBlockTime"})
        settings()->remove(QString::fromLatin1(key));
    State::instance()->setQuitStyle(QString());
    TextTransStorage::clear();
    SimpleStorage::instance()->remove(QStringLiteral("textTrans_supportLang"));
    SimpleStorage::instance()->remove(QStringLiteral("fileTrans_supportLang"));
    updater->removePkgDir();
}

void GlobalCtrl::exploreCrashLogs()
{
    const QString folder = AppConfig::dataDir() + QStringLiteral("/parlavineCrash");
    if (QDir(folder).exists())
        QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void GlobalCtrl::setCopyTransTriggerPosi(const QString& corner)
{
    if (corner.isEmpty())
        return;
    State::instance()->copyTransDataRef().insert("posi", corner);
    settings()->setValue(QStringLiteral("copyTransPosi"), corner);
}

void GlobalCtrl::setCopyTransTriggerPosiOff(int x, int y)
{
    QVariantMap& data = State::instance()->copyTransDataRef();
    data.insert("posiXoff", x);
    data.insert("posiYoff", y);
    settings()->setValue(QStringLiteral("copyTransPosiOff"), QStringLiteral("%1_%2").arg(x).arg(y));
}

void GlobalCtrl::switchCopyTransBySelect(bool on, const QString& window)
{
    hotkeyCtrl->switchCopyTrans(on, window);
}

void GlobalCtrl::switchCopyTransCC(bool on, const QString& window)
{
    hotkeyCtrl->switchCopyTransCC(on, window);
}

void GlobalCtrl::switchCopyTransAutoDetail()
{
    State* state = State::instance();
    const bool on = !state->copyTransAutoDetail();
    // Readers treat everything but "0" as on.
    settings()->setValue(QStringLiteral("copy_trans_auto_detail"), on ? QString() : QStringLiteral("0"));
    state->setCopyTransAutoDetail(on);
}

void GlobalCtrl::switchCopyTransAutoMergeBreak()
{
    State* state = State::instance();
    const bool on = !state->copyTransAutoMergeBreak();
    settings()->setValue(QStringLiteral("copy_trans_auto_merge_break"), on ? QString() : QStringLiteral("0"));
    state->setCopyTransAutoMergeBreak(on);
}

void GlobalCtrl::switchCopyTransQuick() {}

bool GlobalCtrl::installHotkey(const QString& kind, const QString& key, bool first, bool second, bool third,
                               bool fourth, const QString& window)
{
    return hotkeyCtrl->installHotkey(kind, key, first, second, third, fourth, window);
}

// ---- Update service -----------------------------------------------------------------------

void GlobalCtrl::checkVersion(bool userAsked, bool silent)
{
    updater->checkVersion(userAsked, silent);
}

void GlobalCtrl::checkVersionSilently()
{
    updater->findConfig();
}

void GlobalCtrl::reportUpdateInstallFailure()
{
    updater->reportInstallFailure();
}

void GlobalCtrl::blockCheckVersion(const QString& version)
{
    updater->blockVersion(version);
}

void GlobalCtrl::cancleDownloadVersionPkg()
{
    updater->cancelDownload();
}

void GlobalCtrl::downloadVersionPkg()
{
    const QString url = State::instance()->updateInfo().value("url").toString();
    const int result = updater->downloadPkg(url);
    if (result == -100) {
        Hud::warningInWindow(tr("请求异常，请稍后重试"), QString(), {}, QStringLiteral("update"));
    } else if (result == -400) {
        Hud::warningInWindow(tr("更新地址不安全，未下载"), url, {}, QStringLiteral("update"));
    } else if (result == -200 || result == -300) {
        Hud::askStatic(
            tr("更新异常，是否额外打开网页窗口下载？"), QStringLiteral("error: ") + tr("无法获取更新目录"),
            [url] {
                // The address comes from the server: only a web page may reach the browser.
                const QUrl page(url, QUrl::TolerantMode);
                if (page.scheme() == QLatin1String("http") || page.scheme() == QLatin1String("https"))
                    QDesktopServices::openUrl(page);
            },
            {}, QStringLiteral("update"));
    }
}

// ---- Tray ---------------------------------------------------------------------------------

void GlobalCtrl::systemTrayShow()
{
    raiseWindow(QStringLiteral("main"));
}

void GlobalCtrl::systemTrayMiniShow()
{
    setMiniTransWindow(true, true);
}

void GlobalCtrl::systemTrayOpenSetting()
{
    State::instance()->setSettingCurTab(QStringLiteral("general"));
    raiseWindow(QStringLiteral("setting"));
}

void GlobalCtrl::systemTrayCopyTrans()
{
    switchCopyTransBySelect(true, QStringLiteral("main"));
    hotkeyCtrl->updateTrayActions(true);
}

void GlobalCtrl::systemTrayQuickCopyTrans()
{
    switchCopyTransQuick();
    hotkeyCtrl->updateTrayActions(true);
}

void GlobalCtrl::systemTrayCCCopyTrans()
{
    switchCopyTransCC(true, QStringLiteral("main"));
    hotkeyCtrl->updateTrayActions(true);
}

void GlobalCtrl::systemTrayScreenshotTrans()
{
    Dispatch::instance()->initController(Dispatch::Ctrl_ScreenshotTrans);
    Dispatch::instance()->run(Dispatch::Ctrl_ScreenshotTrans, QStringLiteral("startCapture"), {});
}

void GlobalCtrl::systemTrayActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
        raiseWindow(QStringLiteral("main"));
}
