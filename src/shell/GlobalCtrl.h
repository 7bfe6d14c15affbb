#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QWindow>

#include <functional>

class HotkeyCtrl;
class LocalSocketUtil;
class QTimer;
class SystemTheme;
class Updater;

// The application-wide controller behind controller id 0: windows, tray, settings actions, the
// single-instance listener and the session refresh.
class GlobalCtrl : public QObject
{
    Q_OBJECT
public:
    static GlobalCtrl* instance();
    ~GlobalCtrl() override;

    // Set while the document page shows its file dialog; copy translation ignores selections then.
    bool fileDialogOpen = false;

    // Start-up hands over the QML root object (target of synthesised keys) and the main window.
    void setMainObjects(QObject* root, QWindow* main);
    QWindow* mainWindowObject() const { return mainWindow; }
    HotkeyCtrl* hotkeys() const { return hotkeyCtrl; }
    // The desktop's light/dark preference; the portal's unless a test gives one (not owned).
    SystemTheme* systemTheme();
    void setSystemTheme(SystemTheme* theme);
    // What ends the event loop; QCoreApplication::exit unless a test records the code instead.
    void setExitHandler(std::function<void(int)> handler);
    // Listens on "parlavine_single" and "parlavine_loginscheme" for the messages of later starts. Start-up calls it once it
    // knows it is the running instance: opening the listener probes the name, which a running
    // instance would take for a message and which no running instance would leave taken.
    void startInstanceListener();

    void init();
    void startSessionTimer();
    void stopSessionTimer();
    bool sessionTimerActive() const;
    void startBlockTimer(int intervalMs, std::function<void()> callback);
    void windowReady();
    void preloadTextTransSupport(bool force);
    void preloadFileTransSupport(bool force);
    void openPendingFile();
    // A document handed over at start or by a later start: shown at once (true) when no other
    // waits for its direction, else queued behind the others (false), each shown in turn.
    bool handOverFile(const QString& path);

    // Windows
    void raiseWindow(const QString& name);
    void lowerWindow(const QString& name);
    void raiseMainWindowAndTrans(const QString& text, const QString& sourceLang, const QString& targetLang);
    void windowCenterInScreen(const QString& name);
    void fullWindowWithClearBG(const QString& name);
    void windowStateChange(const QString& name, bool shown);
    void windowActiveChange(const QString& name, bool active);
    void windowVisibilityChange(const QString& name, const QString& visibility);
    void setMiniTransWindow(bool open, bool touchMain);
    void hideWindowTitleBar(const QString& name);
    void shortCut(int key, bool ctrl, bool shift);

    // Small services
    void copyText(const QString& text, const QString& window);
    void warn(const QString& text);
    void openWebUrl(const QString& url, bool offerCopy);
    void quickSave(const QString& key, const QString& value);
    void retcall(int code);
    void testNetwork();
    void windowExit();

    // Settings
    void changeFontSizeLevel(int level);
    void stepChangeFontSizeLevel(bool up);
    void setQuitStyle(const QString& style);
    void loadQuitStyle();
    void setAppColorThemeMode(int mode);
    void setNightThemeSwitchTime(int startHour, int endHour);
    void changeLanguage(const QString& language);
    void changeOpenGLMode(const QString& mode);
    // A failure leaves the setting as it was and tells the user in the given window.
    void openAutoRunWhenPowerOn(bool on, const QString& window = QStringLiteral("setting"));
    // Start-up: asserts the stored choice again; a failure is said in the main window, as the
    // settings window may never open.
    void restoreAutoRun();
    void clearCache();
    void exploreCrashLogs();
    void setCopyTransTriggerPosi(const QString& corner);
    void setCopyTransTriggerPosiOff(int x, int y);
    void switchCopyTransBySelect(bool on, const QString& window);
    void switchCopyTransCC(bool on, const QString& window);
    void switchCopyTransAutoDetail();
    void switchCopyTransAutoMergeBreak();
    void switchCopyTransQuick();
    bool installHotkey(const QString& kind, const QString& key, bool first, bool second, bool third, bool fourth,
                       const QString& window);

    // Update service
    void checkVersion(bool userAsked, bool silent);
    void checkVersionSilently();
    // Says in the main window why the last update did not install, when the install script said so.
    void reportUpdateInstallFailure();
    void blockCheckVersion(const QString& version);
    void downloadVersionPkg();
    void cancleDownloadVersionPkg();

    // The stored quit style "version_style_time" read back: the style while it is of this version
    // and younger than seven days, else empty.
    static QString quitStyleFrom(const QString& stored, const QString& version, quint32 now);
    // The stored trigger offset "x_y", or (8, 8) unless it holds exactly two integers.
    static QPoint posiOffFrom(const QString& stored);

public slots:
    void refreshSession();
    void onLocalSocketMessage(const QString& msg);
    void onLoginSchemeMessage(const QString& msg);
    void onStatePageChanged();

    void systemTrayShow();
    void systemTrayMiniShow();
    void systemTrayOpenSetting();
    void systemTrayCopyTrans();
    void systemTrayQuickCopyTrans();
    void systemTrayCCCopyTrans();
    void systemTrayScreenshotTrans();
    void systemTrayActivated(QSystemTrayIcon::ActivationReason reason);

private:
    explicit GlobalCtrl(QObject* parent = nullptr);

    QWindow* windowNamed(const QString& name) const;
    void hideMainOnceMiniShown();
    bool createWindowThroughState(const QString& name);
    void storeBeforeExit();
    void storeWindowSize();
    void exitWith(int code);
    void applyNightSchedule();
    void stopNightSchedule();
    void showNextHandedOverFile();
    void showDocumentPage();

    QObject* rootObject = nullptr;
    QPointer<QWindow> mainWindow;
    HotkeyCtrl* hotkeyCtrl = nullptr;
    QTimer* nightStartTimer = nullptr;
    QTimer* nightEndTimer = nullptr;
    QTimer* sessionTimer = nullptr;
    Updater* updater = nullptr;
    QString lastMainVisibility;
    LocalSocketUtil* localSocket = nullptr;
    LocalSocketUtil* loginSchemeSocket = nullptr; // start-up to exit: no hand-over is lost
    QStringList handedOverFiles;

    int nightStartHour = 0;
    int nightEndHour = 0;
    bool exitStepsDone = false;
    SystemTheme* theme = nullptr;
    std::function<void(int)> exitHandler;
};
