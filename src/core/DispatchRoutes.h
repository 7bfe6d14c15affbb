#pragma once

#include "core/DispatchArgs.h"

#include <QHash>
#include <QString>

#include <functional>

// The action tables of Dispatch: action name -> call of the controller's member with the
// arguments converted by position. They are templates over the controller class so that each
// table is plain data over the member names it routes to.
template <class Ctrl>
using ActionTable = QHash<QString, std::function<void(Ctrl&, const DispatchArgs&)>>;

#define DISPATCH_ACTION(name, ...)                                                                 \
    {                                                                                              \
        QStringLiteral(#name), [](Ctrl& c, const DispatchArgs& a) {                                \
            Q_UNUSED(a)                                                                            \
            c.name(__VA_ARGS__);                                                                   \
        }                                                                                          \
    }

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
        DISPATCH_ACTION(quickSave, a.s(0), a.s(1)),
        DISPATCH_ACTION(cancleDownloadVersionPkg),
        DISPATCH_ACTION(retcall, a.i(0)),
        DISPATCH_ACTION(setAppColorThemeMode, a.i(0)),
        DISPATCH_ACTION(setNightThemeSwitchTime, a.i(0), a.i(1)),
    };
}

// Id 1.
template <class Ctrl>
ActionTable<Ctrl> userLoginActions()
{
    return {
        DISPATCH_ACTION(login, a.s(0), a.s(1), a.b(2)),
        DISPATCH_ACTION(addRegisterUser, a.s(0), a.s(1), a.s(2), a.s(3)),
        DISPATCH_ACTION(logout),
        DISPATCH_ACTION(updatePasswd, a.s(0), a.s(1)),
        DISPATCH_ACTION(sendAddUserVerifyCode, a.s(0)),
        DISPATCH_ACTION(resetPasswdByCode, a.s(0), a.s(1), a.s(2), a.s(3)),
        DISPATCH_ACTION(loginWithCode, a.s(0), a.s(1), a.b(2)),
        DISPATCH_ACTION(autoLoginIfNeeded, a.b(0)),
        DISPATCH_ACTION(sendAddBindEmailCode, a.s(0)),
        DISPATCH_ACTION(cancelAutoLogin),
    };
}

// Id 2.
template <class Ctrl>
ActionTable<Ctrl> textTransActions()
{
    return {
        DISPATCH_ACTION(translation, a.s(0), a.s(1), a.s(2), a.b(3), a.b(4), a.s(5)),
        DISPATCH_ACTION(searchSuggestions, a.s(0), a.s(1), a.s(2)),
        DISPATCH_ACTION(searchSelectSuggestions, a.s(0), a.s(1), a.i(2), a.i(3), a.s(4), a.s(5)),
        DISPATCH_ACTION(dynamicTransSuggestion, a.s(0), a.s(1), a.s(2), a.s(3), a.s(4), a.i(5), a.i(6)),
        DISPATCH_ACTION(handleUIForEditor, a.d(0), a.s(1)),
        DISPATCH_ACTION(transHistoryMakeDelete, a.i(0)),
        DISPATCH_ACTION(transHistoryMakeCopy, a.i(0), a.b(1)),
        DISPATCH_ACTION(refreshTransHistory, a.b(0), a.b(1)),
        DISPATCH_ACTION(dynamicTransIme, a.s(0), a.s(1), a.s(2), a.s(3), a.s(4), a.i(5), a.i(6), a.i(7)),
        DISPATCH_ACTION(saveTermSentence, a.s(0), a.s(1), a.s(2), a.s(3)),
        DISPATCH_ACTION(feedback, a.s(0), a.s(1), a.s(2), a.s(3), a.s(4), a.s(5), a.l(6)),
    };
}

// Id 3.
template <class Ctrl>
ActionTable<Ctrl> fileTransActions()
{
    return {
        DISPATCH_ACTION(translation, a.s(0), a.s(1), a.s(2), a.s(3)),
        DISPATCH_ACTION(transWithBrowser, a.s(0), a.s(1)),
        DISPATCH_ACTION(removeTransHistory, a.m(0)),
        DISPATCH_ACTION(downloadTransHistory, a.s(0)),
    };
}

// Id 4. "updateWorkgroupAdmin" takes (workgroup id, new administrator's id, name).
template <class Ctrl>
ActionTable<Ctrl> userInfoActions()
{
    return {
        DISPATCH_ACTION(updateApiToken),
        DISPATCH_ACTION(updateDefaultWorkgroup, a.s(0)),
        DISPATCH_ACTION(sendBindEmailCode, a.s(0)),
        DISPATCH_ACTION(updateEmail, a.s(0), a.s(1)),
        DISPATCH_ACTION(addWorkgroup, a.s(0)),
        DISPATCH_ACTION(rmWorkgroup, a.s(0), a.s(1)),
        DISPATCH_ACTION(addWorkgroupMem, a.s(0), a.s(1)),
        DISPATCH_ACTION(addWorkgroupIP, a.s(0), a.s(1)),
        DISPATCH_ACTION(rmWorkgroupMem, a.s(0), a.s(1)),
        DISPATCH_ACTION(rmWorkgroupIP, a.s(0), a.s(1)),
        DISPATCH_ACTION(fetchUserCostRecord, a.s(0), a.i(1), a.i(2)),
        DISPATCH_ACTION(updateWorkgroupAdmin, a.s(0), a.s(1), a.s(2)),
        // The page picked a workgroup: it becomes current and is loaded.
        {QStringLiteral("fetchWorkgroupInfo"),
         [](Ctrl& c, const DispatchArgs& a) { c.selectWorkgroup(a.s(0)); }},
    };
}

// Ids 5 and 6: the memory and term repository controllers answer the same actions.
template <class Ctrl>
ActionTable<Ctrl> repoActions()
{
    return {
        DISPATCH_ACTION(updateRepoList, a.b(0)),
        DISPATCH_ACTION(updateRepoSentences, a.s(0), a.b(1)),
        DISPATCH_ACTION(addRepo, a.s(0), a.s(1), a.s(2), a.b(3)),
        DISPATCH_ACTION(addRepoSent, a.s(0), a.s(1), a.s(2)),
        DISPATCH_ACTION(deleteRepo, a.s(0), a.s(1), a.s(2), a.s(3), a.b(4)),
        DISPATCH_ACTION(deleteRepoSent, a.s(0), a.s(1), a.s(2), a.s(3)),
        DISPATCH_ACTION(updateRepoSent, a.s(0), a.s(1), a.s(2), a.s(3)),
    };
}

// Id 7. "closePanelWindow" passes true as its second flag.
template <class Ctrl>
ActionTable<Ctrl> copyTransActions()
{
    return {
        DISPATCH_ACTION(requestTrans, a.s(0)),
        DISPATCH_ACTION(setStayOn, a.b(0)),
        DISPATCH_ACTION(setSourceLanguage, a.s(0)),
        {QStringLiteral("setTargetLanguage"),
         [](Ctrl& c, const DispatchArgs& a) { c.setTargetLanguageDebounced(a.s(0)); }},
        DISPATCH_ACTION(handleUIForEditor, a.d(0)),
        DISPATCH_ACTION(makePanelWindow, a.b(0)),
        DISPATCH_ACTION(closePanelWindow, a.b(0), true),
        DISPATCH_ACTION(startQuickSearch),
        DISPATCH_ACTION(startSelectTrans),
        DISPATCH_ACTION(fixDetailWindowPosi, a.i(0), a.i(1), a.i(2), a.i(3)),
        DISPATCH_ACTION(startCCTrans),
        DISPATCH_ACTION(fixDetailWindowSize, a.i(0), a.i(1)),
    };
}

// Id 8.
template <class Ctrl>
ActionTable<Ctrl> screenshotTransActions()
{
    return {
        DISPATCH_ACTION(startCapture),
        DISPATCH_ACTION(captureAndTrans, a.i(0), a.i(1), a.i(2), a.i(3)),
        DISPATCH_ACTION(requestTrans),
        DISPATCH_ACTION(setSourceLanguage, a.s(0)),
        {QStringLiteral("setTargetLanguage"),
         [](Ctrl& c, const DispatchArgs& a) { c.setTargetLanguageDebounced(a.s(0)); }},
        DISPATCH_ACTION(handleUIForEditor, a.d(0)),
        DISPATCH_ACTION(downloadImg),
        DISPATCH_ACTION(stopCapture),
    };
}

#undef DISPATCH_ACTION
