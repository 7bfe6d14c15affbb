#pragma once

#include <QEnableSharedFromThis>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QSharedPointer>
#include <QString>
#include <QVariantMap>

class Debounce;
class QQuickTextDocument;
class QTimer;
class TextTransService;
class WinCopyTransListener;

// The copy-translate controller: selections, Ctrl+C+C, the trigger and detail windows.
// Owned by Dispatch through a shared pointer; hands out weak references to itself.
class CopyTransCtrl : public QObject, public QEnableSharedFromThis<CopyTransCtrl>
{
    Q_OBJECT
public:
    explicit CopyTransCtrl(QObject* parent = nullptr);
    ~CopyTransCtrl() override;

    void init();
    void requestTrans(const QString& source);
    void setStayOn(bool stayOn);
    void setSourceLanguage(const QString& code);
    void setTargetLanguageDebounced(const QString& code);
    void handleUIForEditor(QQuickTextDocument* document);
    void makePanelWindow(bool panel);
    void closePanelWindow(bool close, bool byUser);
    void startQuickSearch();
    void startSelectTrans();
    void fixDetailWindowPosi(int x, int y, int w, int h);
    void startCCTrans();
    void fixDetailWindowSize(int w, int h);

    // What one fade tick at `elapsed` ms does to the trigger: the alpha to store (-1: none) and
    // whether the trigger goes.
    struct FadeStep {
        int alpha = -1;
        bool hide = false;
    };
    static FadeStep fadeStep(int elapsed, int currentAlpha, const QPoint& cursor, const QPoint& anchor);
    // Whether a selection copied from elsewhere names a file rather than text to translate.
    static bool looksLikeFile(const QString& text);
    // A captured text cut to what the main page takes, never inside a surrogate pair.
    static QString cutToLimit(const QString& text);
    // The translated text of a reply: sentences placed by "origin_text_subs".
    static QString joinTranslation(const QVariantMap& reply, bool space);

private:
    using WeakSelf = QWeakPointer<CopyTransCtrl>;

    void attachListener(bool paused);
    void detachListener();
    void onMouseDown();
    void onMouseUp();
    void onMouseWheel();
    void onStartCopy();
    void copySelection();
    void capture(const QString& captured);
    void showTrigger(const QString& text);
    void onTriggerShownChanged();
    void startFadeTimer();
    void stopFadeTimer();
    void onFadeTick();
    void setSourceLanguageNow(const QString& code);
    void setTargetLanguage(const QString& code);
    void doTranslate(const QString& text, const QVariantMap& data, bool mergeBreak, quint64 ticket);
    static void onTranslateFinished(const WeakSelf& weak, const QString& text, bool mergeBreak, quint64 ticket,
                                    bool ok, const QVariantMap& result);

    WinCopyTransListener* listener = nullptr;
    QSharedPointer<TextTransService> service;
    QTimer* fadeTimer = nullptr;
    Debounce* sourceLangDebounce = nullptr;
    Debounce* targetLangDebounce = nullptr;
    Debounce* transDebounce = nullptr;
    int fadeElapsed = 0;
    bool directDetail = false;
    bool triggerShown = false;
    int cursorX = 0;
    int cursorY = 0;
    // Counts requests: only the reply of the newest one may touch the shown result.
    quint64 transTicket = 0;
    QMetaObject::Connection triggerShownConnection;
};
