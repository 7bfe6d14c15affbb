#pragma once

#include "core/FileTaskRecord.h"
#include "core/StateProperty.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

// The observable UI state that QML binds to as "$state". Controllers never return results to
// QML: they write here and QML redraws from the change signals.
//
// Kinds of property (see StateProperty.h): STATE_PROPERTY setters store and always emit;
// STATE_QML_PROPERTY compares on a QML write and is written natively through the STATE_SETTER
// beside it; STATE_READONLY values are constants or read live from User.
class State : public QObject
{
    Q_OBJECT

    // Window, application and settings
    STATE_QML_PROPERTY(QString, version)
    STATE_READONLY(bool, isRelease)
    // The service's web pages the windows open (AppConfig): "site", "testSite", "feedback", "chatGroup",
    // "loginWeb" (the social-login pages).
    STATE_READONLY(QVariantMap, webLinks)
    STATE_READONLY(QString, platform)
    STATE_QML_PROPERTY(QString, subPlatform)
    STATE_QML_PROPERTY(QString, language, QStringLiteral("zh"))
    STATE_SETTER(QString, language, setLanguage)
    STATE_QML_PROPERTY(bool, windowActive, false)
    STATE_QML_PROPERTY(double, windowWidthScale, 1.0)
    STATE_SETTER(double, windowWidthScale, setWindowWidthScale)
    STATE_QML_PROPERTY(double, windowHeightScale, 1.0)
    STATE_SETTER(double, windowHeightScale, setWindowHeightScale)
    STATE_QML_PROPERTY(double, screenDpi, 1.0)
    STATE_SETTER(double, screenDpi, setScreenDpi)
    STATE_QML_PROPERTY(QVariantMap, mainWindowSize)
    STATE_SETTER(QVariantMap, mainWindowSize, setMainWindowSize)
    STATE_QML_PROPERTY(QVariantMap, windowFontSize)
    STATE_QML_PROPERTY(QVariantMap, windowColor)
    STATE_QML_PROPERTY(int, appThemeMode, 0)
    STATE_SETTER(int, appThemeMode, setAppThemeMode)
    STATE_QML_PROPERTY(QString, appThemeStyle, QStringLiteral("light"))
    STATE_SETTER(QString, appThemeStyle, setAppThemeStyle)
    STATE_QML_PROPERTY(int, nightThemeStartTime, 0)
    STATE_QML_PROPERTY(int, nightThemeEndTime, 0)
    STATE_QML_PROPERTY(QString, quitStyle)
    STATE_SETTER(QString, quitStyle, setQuitStyle)
    // Whether hiding a window leaves a way back (the tray icon); without one, windows minimise.
    STATE_READONLY(bool, systemTrayAvailable)
    // Whether a compositing manager runs: windows draw translucent margins and shadows only then,
    // which would otherwise show as a black frame.
    STATE_PROPERTY(bool, windowsComposited, setWindowsComposited, true)
    STATE_QML_PROPERTY(QString, openglMode)
    STATE_SETTER(QString, openglMode, setOpenglMode)
    STATE_QML_PROPERTY(bool, autoRunWhenPowerOn, false)
    STATE_SETTER(bool, autoRunWhenPowerOn, setAutoRunWhenPowerOn)
    STATE_PROPERTY(QVariantList, windowHud, setWindowHud)
    STATE_QML_PROPERTY(int, retcall, 0)
    STATE_SETTER(int, retcall, setRetcall)
    STATE_QML_PROPERTY(bool, windowStayBottom, false)
    STATE_SETTER(bool, windowStayBottom, setWindowStayBottom)
    STATE_PROPERTY(QString, mainCurPage, setMainCurPage, QStringLiteral("textTransPage"))
    STATE_QML_PROPERTY(QString, settingCurTab, QStringLiteral("general"))
    STATE_SETTER(QString, settingCurTab, setSettingCurTab)
    STATE_QML_PROPERTY(bool, showLoginWindow, false)
    STATE_SETTER(bool, showLoginWindow, setShowLoginWindow)
    STATE_QML_PROPERTY(bool, showSocailLoginWindow, false)
    STATE_SETTER(bool, showSocailLoginWindow, setShowSocailLoginWindow)
    STATE_QML_PROPERTY(bool, showSettingWindow, false)
    STATE_SETTER(bool, showSettingWindow, setShowSettingWindow)
    STATE_QML_PROPERTY(bool, showAboutWindow, false)
    STATE_SETTER(bool, showAboutWindow, setShowAboutWindow)
    STATE_QML_PROPERTY(bool, showUpdateWindow, false)
    STATE_SETTER(bool, showUpdateWindow, setShowUpdateWindow)
    STATE_QML_PROPERTY(bool, showTermWindow, false)
    STATE_SETTER(bool, showTermWindow, setShowTermWindow)
    STATE_QML_PROPERTY(bool, showTermSentWindow, false)
    STATE_SETTER(bool, showTermSentWindow, setShowTermSentWindow)
    STATE_QML_PROPERTY(bool, showCopyTransTrigger, false)
    // The plain writes of the two pop-up flags; setShowCopyTransTrigger/-Detail below also keep
    // the window's stacking and a pinned detail window in step.
    STATE_SETTER(bool, showCopyTransTrigger, setShowCopyTransTriggerFlag)
    STATE_QML_PROPERTY(bool, showCopyTransDetail, false)
    STATE_SETTER(bool, showCopyTransDetail, setShowCopyTransDetailFlag)
    STATE_QML_PROPERTY(bool, showScreenshotTransWindow, false)
    STATE_SETTER(bool, showScreenshotTransWindow, setShowScreenshotTransWindow)
    STATE_QML_PROPERTY(bool, showScreenshotDetailWindow, false)
    STATE_SETTER(bool, showScreenshotDetailWindow, setShowScreenshotDetailWindow)
    STATE_QML_PROPERTY(QVariantMap, updateInfo)
    STATE_SETTER(QVariantMap, updateInfo, setUpdateInfo)

    // Login and user
    STATE_PROPERTY(int, retcode, setRetcode, 200)
    STATE_QML_PROPERTY(QString, retmsg)
    STATE_SETTER(QString, retmsg, setRetmsg)
    STATE_PROPERTY(QString, loginCurPage, setLoginCurPage, QStringLiteral("login"))
    STATE_QML_PROPERTY(QString, loginName)
    STATE_SETTER(QString, loginName, setLoginName)
    STATE_QML_PROPERTY(bool, autoLoginChecked, false)
    STATE_PROPERTY(int, userLoginStatus, setUserLoginStatus, 0)
    STATE_READONLY(QString, userName)
    STATE_READONLY(QString, userEmail)
    STATE_READONLY(QString, userLogo)
    STATE_READONLY(double, userBalance)
    STATE_READONLY(QString, userApiToken)
    STATE_READONLY(QString, userDefaultWorkgroup)
    STATE_READONLY(QString, userChargeType)
    STATE_READONLY(int, userLoginType)
    STATE_READONLY(bool, userLogined)
    STATE_READONLY(bool, userSessionUpdating)
    STATE_READONLY(bool, isUserAutoLogin)
    STATE_PROPERTY(QVariantMap, workgroupInfo, setWorkgroupInfo)
    STATE_QML_PROPERTY(QString, workgroupCurId)
    STATE_SETTER(QString, workgroupCurId, setWorkgroupCurId)
    STATE_QML_PROPERTY(int, userBillRecordStatus, 0)
    STATE_SETTER(int, userBillRecordStatus, setUserBillRecordStatus)

    // Text translation
    STATE_PROPERTY(int, textTransStatus, setTextTransStatus, 0)
    STATE_PROPERTY_CUSTOM(QVariantMap, textTransLangData, setTextTransLangData)
    STATE_PROPERTY(QVariantMap, textTransSugLangData, setTextTransSugLangData)
    STATE_PROPERTY(QString, textTransSourceLang, setTextTransSourceLang, QStringLiteral("auto"))
    STATE_PROPERTY(QString, textTransTargetLang, setTextTransTargetLang, QStringLiteral("en"))
    STATE_QML_PROPERTY(bool, textTransSourceLangAutoUpdate, false)
    STATE_QUIET_SETTER(bool, textTransSourceLangAutoUpdate, setTextTransSourceLangAutoUpdateQuietly)
    STATE_QML_PROPERTY(QString, textTransSource)
    STATE_QML_PROPERTY(bool, textTransSourceTrigger, false)
    STATE_QML_PROPERTY(int, textTransSourceRequestBlock, 0)
    STATE_PROPERTY_CUSTOM(QString, textTransResult, setTextTransResult)
    // The source text the result and its spans answer, written just before the result.
    STATE_PROPERTY(QString, textTransResultSource, setTextTransResultSource)
    // Why the latest translation gave no result, in words; empty when it did not fail.
    STATE_PROPERTY(QString, textTransFailure, setTextTransFailure)
    STATE_QML_PROPERTY(bool, textTransResultHumanModified, false)
    STATE_PROPERTY(QVariantList, textTransSourceIndexes, setTextTransSourceIndexes)
    STATE_PROPERTY(QVariantList, textTransResultIndexes, setTextTransResultIndexes)
    STATE_PROPERTY(bool, textTransStreamed, setTextTransStreamed, true)
    STATE_PROPERTY(QVariantList, textTransSelectSugStcs, setTextTransSelectSugStcs)
    STATE_PROPERTY(QVariantList, textTransSelectSugTerms, setTextTransSelectSugTerms)
    STATE_PROPERTY(QVariantList, textTransSelectPartSugStcs, setTextTransSelectPartSugStcs)
    STATE_PROPERTY(QString, textTransDynamicSugStc, setTextTransDynamicSugStc)
    STATE_PROPERTY(QVariantList, textTransDynamicSugIME, setTextTransDynamicSugIME)
    STATE_QML_PROPERTY(bool, textTransDynamicSugIMEHasMore, false)
    STATE_SETTER(bool, textTransDynamicSugIMEHasMore, setTextTransDynamicSugIMEHasMore)
    STATE_PROPERTY(QString, textTransDynamicSugTips, setTextTransDynamicSugTips)
    STATE_QML_PROPERTY(bool, transAutoMergeBreak, false)
    STATE_PROPERTY(QString, qmlTextEditSelectedId, setQmlTextEditSelectedId)

    // Document translation
    STATE_PROPERTY(int, fileTransStatus, setFileTransStatus, 0)
    STATE_PROPERTY(QString, fileTransSourceLang, setFileTransSourceLang)
    STATE_PROPERTY(QString, fileTransTargetLang, setFileTransTargetLang)
    STATE_QML_PROPERTY(QVariantMap, fileTransLangData)
    STATE_QML_PROPERTY(QVariantMap, quickTransfileData)

    // Term repositories and translation-memory repositories (twins)
    STATE_QML_PROPERTY(QVariantMap, termRepoMap)
    STATE_QML_PROPERTY(QString, termRepoCurId)
    STATE_QML_PROPERTY(int, termRepoSentPage, 0)
    STATE_QML_PROPERTY(int, termRepoSentIndex, -1)
    STATE_QML_PROPERTY(QString, termRepoSearchText)
    STATE_QML_PROPERTY(QVariantMap, termSentRepoMap)
    STATE_QML_PROPERTY(QString, termSentRepoCurId)
    STATE_QML_PROPERTY(int, termSentRepoSentPage, 0)
    STATE_QML_PROPERTY(int, termSentRepoSentIndex, -1)
    STATE_QML_PROPERTY(QString, termSentRepoSearchText)
    // The outcome of the latest entry save, for the dialog that waits for it:
    // {"window": "term" or "termSent", "ok", "message": what failed, in words}.
    STATE_PROPERTY(QVariantMap, repoEntrySave, setRepoEntrySave)

    // Quick translation
    STATE_QML_PROPERTY(bool, copyTransBySelect, false)
    STATE_SETTER(bool, copyTransBySelect, setCopyTransBySelect)
    STATE_QML_PROPERTY(bool, copyTransAutoDetail, true)
    STATE_SETTER(bool, copyTransAutoDetail, setCopyTransAutoDetail)
    STATE_QML_PROPERTY(bool, copyTransAutoMergeBreak, true)
    STATE_SETTER(bool, copyTransAutoMergeBreak, setCopyTransAutoMergeBreak)
    STATE_QML_PROPERTY(bool, copyTransQuickOpen, true)
    STATE_QML_PROPERTY(bool, copyTransCCOpen, true)
    STATE_SETTER(bool, copyTransCCOpen, setCopyTransCCOpen)
    STATE_QML_PROPERTY(QVariantMap, copyTransData)
    STATE_SETTER(QVariantMap, copyTransData, setCopyTransData)
    STATE_QML_PROPERTY(int, copyTransTriggerAlpha, 0)
    STATE_SETTER(int, copyTransTriggerAlpha, setCopyTransTriggerAlpha)
    STATE_QML_PROPERTY(QVariantMap, screenshotTransData)
    STATE_QML_PROPERTY(QString, shortcutCopyTransOpen)
    STATE_SETTER(QString, shortcutCopyTransOpen, setShortcutCopyTransOpen)
    STATE_QML_PROPERTY(QString, shortcutCopyTransQuick)
    STATE_SETTER(QString, shortcutCopyTransQuick, setShortcutCopyTransQuick)
    STATE_QML_PROPERTY(QString, shortcutScreenshotTrans)
    STATE_SETTER(QString, shortcutScreenshotTrans, setShortcutScreenshotTrans)
    // False when the desktop offers no global input events or hotkeys (the panel says so).
    STATE_QML_PROPERTY(bool, quickTransSupported, true)
    STATE_SETTER(bool, quickTransSupported, setQuickTransSupported)

public:
    static State* instance();
    ~State() override;

    bool isChineseUi() const;
    void notifyUserInfo();

    // Composite setters: each writes more than one value or compares first.
    void setShowCopyTransTrigger(bool show);
    void setShowCopyTransDetail(bool show);
    void setTextTransSource(const QString& text, bool requestTranslation);
    void setCopyTransData(int state);
    void setScreenshotTransData(int state);
    void setTermRepoCurId(const QString& id);
    void setTermSentRepoCurId(const QString& id);

    // Whole-table rebuilds of windowColor and windowFontSize.
    void setThemeColor(int type);
    void setWindowFontSize(int level);

    // Lists, dialog queue, language tables and repository pages.
    void addTextTransHistory(const QVariantList& entries, bool append);
    void removeTextTransHistory(int index);
    void addWindowHud(const QVariantMap& request);
    void removeWindowHud(int tag);
    void setFileTransLangData(const QVariantMap& table);
    void setQuickTransfileData(const QString& path);
    void setTermRepoList(const QVariantMap& repositories, bool append);
    void setTermSentRepoList(const QVariantMap& repositories, bool append);
    void updateTermRepoSentences(const QString& repoId, int page, const QVariantList& sentences, int sentenceCount,
                                 int pageCount);
    void updateTermSentRepoSentences(const QString& repoId, int page, const QVariantList& sentences,
                                     int sentenceCount, int pageCount);
    void updateTermRepoSentence(const QString& repoId, int page, const QString& id, const QString& source,
                                const QString& target);
    void updateTermSentRepoSentence(const QString& repoId, int page, const QString& id, const QString& source,
                                    const QString& target);
    int removeTermRepoSentences(const QString& repoId, int page, const QString& id);
    int removeTermSentRepoSentences(const QString& repoId, int page, const QString& id);

    // Plain members for native code; the list signals below announce changes to the lists.
    QVariantList textTransHistory;
    QList<FileTaskRecord> fileTransHistory;
    QVariantList userBillHistory;
    QVariantMap langCodeByEnName;
    QString loginSchemeQuery;
    double startScreenScale = 1.0;

signals:
    void textTransHistoryChange(int start);
    void fileTransHistoryChange(int start);
    void userBillHistoryChange(int start);
    void termRepoListChange(int start);
    void termSentRepoListChange(int start);
    void termRepoDetailChange(int start);
    void termSentRepoDetailChange(int start);
    void windowHudSureTap(int tag);
    void windowHudCancelTap(int tag);

private:
    explicit State(QObject* parent = nullptr);

    struct RepoKind;
    RepoKind termRepos();
    RepoKind termSentRepos();
    void setRepoList(const RepoKind& kind, const QVariantMap& repositories, bool append);
    void updateRepoSentences(const RepoKind& kind, const QString& repoId, int page, const QVariantList& sentences,
                             int sentenceCount, int pageCount);
    void updateRepoSentence(const RepoKind& kind, const QString& repoId, int page, const QString& id,
                            const QString& source, const QString& target);
    int removeRepoSentence(const RepoKind& kind, const QString& repoId, int page, const QString& id);
    void indexEnglishNames(const QVariantMap& table);
};
