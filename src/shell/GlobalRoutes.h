#pragma once

#include "core/DispatchRoutes.h"

// Id 0. "lowerWindow" always lowers the main window; "checkVersion" passes false as its
// second flag; the misspelt names are the ones QML sends.
template <class Ctrl>
ActionTable<Ctrl> globalActions()
{
    return {
        DISPATCH_ACTION(copyText, a.s(0), a.s(1)),
        DISPATCH_ACTION(shortCut, a.i(0), a.b(1), a.b(2)),
        DISPATCH_ACTION(warn, a.s(0)),
        DISPATCH_ACTION(hideWindowTitleBar, a.s(0)),
        DISPATCH_ACTION(checkVersion, a.b(0), false),
        DISPATCH_ACTION(blockCheckVersion, a.s(0)),
        DISPATCH_ACTION(windowActiveChange, a.s(0), a.b(1)),
        DISPATCH_ACTION(changeLanguage, a.s(0)),
        DISPATCH_ACTION(switchCopyTransBySelect, a.b(0), a.s(1)),
        DISPATCH_ACTION(switchCopyTransAutoDetail),
        DISPATCH_ACTION(raiseMainWindowAndTrans, a.s(0), a.s(1), a.s(2)),
        DISPATCH_ACTION(lowerWindow, QStringLiteral("main")),
        DISPATCH_ACTION(changeFontSizeLevel, a.i(0)),
        DISPATCH_ACTION(openWebUrl, a.s(0), a.b(1)),
        DISPATCH_ACTION(windowVisibilityChange, a.s(0), a.s(1)),
        DISPATCH_ACTION(setQuitStyle, a.s(0)),
        DISPATCH_ACTION(exploreCrashLogs),
        DISPATCH_ACTION(windowStateChange, a.s(0), a.b(1)),
        DISPATCH_ACTION(raiseWindow, a.s(0)),
        DISPATCH_ACTION(windowCenterInScreen, a.s(0)),
        DISPATCH_ACTION(installHotkey, a.s(0), a.s(1), a.b(2), a.b(3), a.b(4), a.b(5), a.s(6)),
        DISPATCH_ACTION(setCopyTransTriggerPosi, a.s(0)),
        DISPATCH_ACTION(setCopyTransTriggerPosiOff, a.i(0), a.i(1)),
        DISPATCH_ACTION(clearCache),
        DISPATCH_ACTION(windowExit),
        DISPATCH_ACTION(testNetwork),
        DISPATCH_ACTION(switchCopyTransAutoMergeBreak),
        DISPATCH_ACTION(openAutoRunWhenPowerOn, a.b(0)),
        DISPATCH_ACTION(fullWindowWithClearBG, a.s(0)),
        DISPATCH_ACTION(changeOpenGLMode, a.s(0)),
        DISPATCH_ACTION(switchCopyTransQuick),
        DISPATCH_ACTION(switchCopyTransCC, a.b(0), a.s(1)),
        DISPATCH_ACTION(stepChangeFontSizeLevel, a.b(0)),
        DISPATCH_ACTION(downloadVersionPkg),
        DISPATCH_ACTION(setMiniTransWindow, a.b(0), a.b(1)),
        // The mini window's "back to the full window".
        {QStringLiteral("popup"), [](Ctrl& c, const DispatchArgs&) { c.setMiniTransWindow(false, true); }},
        DISPATCH_ACTION(quickSave, a.s(0), a.s(1)),
        DISPATCH_ACTION(cancleDownloadVersionPkg),
        DISPATCH_ACTION(retcall, a.i(0)),
        DISPATCH_ACTION(setAppColorThemeMode, a.i(0)),
        DISPATCH_ACTION(setNightThemeSwitchTime, a.i(0), a.i(1)),
    };
}
