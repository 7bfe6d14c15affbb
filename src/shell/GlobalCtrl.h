#pragma once

#include <QObject>
#include <QString>

#include <functional>

// The application-wide controller behind controller id 0: windows, tray, settings actions.
class GlobalCtrl : public QObject
{
    Q_OBJECT
public:
    static GlobalCtrl* instance();
    ~GlobalCtrl() override;

    // Set while the document page shows its file dialog; copy translation ignores selections then.
    bool fileDialogOpen = false;

    void init();
    void startSessionTimer();
    void stopSessionTimer();
    void startBlockTimer(int intervalMs, std::function<void()> callback);

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
    void setAppColorThemeMode(int mode);
    void setNightThemeSwitchTime(int startHour, int endHour);
    void changeLanguage(const QString& language);
    void changeOpenGLMode(const QString& mode);
    void openAutoRunWhenPowerOn(bool on);
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
    void blockCheckVersion(const QString& version);
    void downloadVersionPkg();
    void cancleDownloadVersionPkg();

private:
    explicit GlobalCtrl(QObject* parent = nullptr);
};
