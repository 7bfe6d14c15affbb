#include "shell/GlobalCtrl.h"

static GlobalCtrl* s_globalCtrl = nullptr;
static bool s_globalCtrlDestroyed = false;

GlobalCtrl* GlobalCtrl::instance()
{
    if (!s_globalCtrl && !s_globalCtrlDestroyed)
        s_globalCtrl = new GlobalCtrl;
    return s_globalCtrl;
}

GlobalCtrl::GlobalCtrl(QObject* parent) : QObject(parent) {}

GlobalCtrl::~GlobalCtrl()
{
    s_globalCtrl = nullptr;
    s_globalCtrlDestroyed = true;
}

// TODO(shell): every body below.
void GlobalCtrl::init() {}
void GlobalCtrl::startSessionTimer() {}
void GlobalCtrl::stopSessionTimer() {}
void GlobalCtrl::startBlockTimer(int, std::function<void()>) {}
void GlobalCtrl::raiseWindow(const QString&) {}
void GlobalCtrl::lowerWindow(const QString&) {}
void GlobalCtrl::raiseMainWindowAndTrans(const QString&, const QString&, const QString&) {}
void GlobalCtrl::windowCenterInScreen(const QString&) {}
void GlobalCtrl::fullWindowWithClearBG(const QString&) {}
void GlobalCtrl::windowStateChange(const QString&, bool) {}
void GlobalCtrl::windowActiveChange(const QString&, bool) {}
void GlobalCtrl::windowVisibilityChange(const QString&, const QString&) {}
void GlobalCtrl::setMiniTransWindow(bool, bool) {}
void GlobalCtrl::hideWindowTitleBar(const QString&) {}
void GlobalCtrl::shortCut(int, bool, bool) {}
void GlobalCtrl::copyText(const QString&, const QString&) {}
void GlobalCtrl::warn(const QString&) {}
void GlobalCtrl::openWebUrl(const QString&, bool) {}
void GlobalCtrl::quickSave(const QString&, const QString&) {}
void GlobalCtrl::retcall(int) {}
void GlobalCtrl::testNetwork() {}
void GlobalCtrl::windowExit() {}
void GlobalCtrl::changeFontSizeLevel(int) {}
void GlobalCtrl::stepChangeFontSizeLevel(bool) {}
void GlobalCtrl::setQuitStyle(const QString&) {}
void GlobalCtrl::setAppColorThemeMode(int) {}
void GlobalCtrl::setNightThemeSwitchTime(int, int) {}
void GlobalCtrl::changeLanguage(const QString&) {}
void GlobalCtrl::changeOpenGLMode(const QString&) {}
void GlobalCtrl::openAutoRunWhenPowerOn(bool) {}
void GlobalCtrl::clearCache() {}
void GlobalCtrl::exploreCrashLogs() {}
void GlobalCtrl::setCopyTransTriggerPosi(const QString&) {}
void GlobalCtrl::setCopyTransTriggerPosiOff(int, int) {}
void GlobalCtrl::switchCopyTransBySelect(bool, const QString&) {}
void GlobalCtrl::switchCopyTransCC(bool, const QString&) {}
void GlobalCtrl::switchCopyTransAutoDetail() {}
void GlobalCtrl::switchCopyTransAutoMergeBreak() {}
void GlobalCtrl::switchCopyTransQuick() {}
bool GlobalCtrl::installHotkey(const QString&, const QString&, bool, bool, bool, bool, const QString&)
{
    return false;
}
void GlobalCtrl::checkVersion(bool, bool) {}
void GlobalCtrl::blockCheckVersion(const QString&) {}
void GlobalCtrl::downloadVersionPkg() {}
void GlobalCtrl::cancleDownloadVersionPkg() {}
