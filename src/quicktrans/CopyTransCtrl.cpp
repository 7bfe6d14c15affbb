#include "quicktrans/CopyTransCtrl.h"

#include "core/Debounce.h"
#include "core/Dispatch.h"
#include "core/Log.h"
#include "core/State.h"
#include "core/WeakOwner.h"
#include "platform/DesktopScreens.h"
#include "quicktrans/WinCopyTransListener.h"
#include "shell/GlobalCtrl.h"
#include "shell/WindowState.h"
#include "texttrans/TextTransService.h"
#include "texttrans/TextTransWire.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdlib>

namespace {

const int kFadeIntervalMs = 100;
const int kFadeFollowMs = 4000;
const int kFadeEndMs = 6000;
const int kCloseDetailBlockMs = 200;
const int kScreenMargin = 10;
const int kStatePinnedOpen = 10086;
// What the main page's editor takes.
const int kSourceLimit = 5000;

QPoint cursorPos()
{
    DesktopScreens* screens = DesktopScreens::system();
    return screens ? screens->cursorPos() : QPoint();
}

void emitCopyTransData()
{
    emit State::instance()->copyTransDataChange();
}

} // namespace

CopyTransCtrl::CopyTransCtrl(QObject* parent)
    : QObject(parent), service(new TextTransService), sourceLangDebounce(new Debounce(200)),
      targetLangDebounce(new Debounce(200)), transDebounce(new Debounce(300))
{
}

CopyTransCtrl::~CopyTransCtrl()
{
    if (State* state = State::instance()) {
        state->setShowCopyTransDetail(false);
        state->setShowCopyTransTrigger(false);
    }
    detachListener();
    service.reset();
    stopFadeTimer();
    delete sourceLangDebounce;
    delete targetLangDebounce;
    delete transDebounce;
}

void CopyTransCtrl::init() {}

// ---- Listener and mouse ------------------------------------------------------------------

void CopyTransCtrl::startSelectTrans()
{
    attachListener(false);
}

void CopyTransCtrl::attachListener(bool paused)
{
    detachListener();
    listener = new WinCopyTransListener(paused);
    connect(listener, &WinCopyTransListener::mouseDown, this, &CopyTransCtrl::onMouseDown);
    connect(listener, &WinCopyTransListener::mouseWheel, this, &CopyTransCtrl::onMouseWheel);
    if (!paused) {
        connect(listener, &WinCopyTransListener::startCopy, this, &CopyTransCtrl::onStartCopy);
        connect(listener, &WinCopyTransListener::mouseUp, this, &CopyTransCtrl::onMouseUp);
    }
    triggerShownConnection =
        connect(State::instance(), &State::showCopyTransTriggerChange, this, &CopyTransCtrl::onTriggerShownChanged);
}

void CopyTransCtrl::detachListener()
{
    if (listener) {
        disconnect(listener, nullptr, this, nullptr);
        delete listener;
        listener = nullptr;
    }
    disconnect(triggerShownConnection);
}

void CopyTransCtrl::onMouseDown()
{
    State* state = State::instance();
    state->setShowCopyTransDetail(false); // a pinned one stays
    state->setShowCopyTransTrigger(false);
    directDetail = false;
}

void CopyTransCtrl::onMouseUp()
{
    const QPoint pos = cursorPos();
    cursorX = pos.x();
    cursorY = pos.y();
}

void CopyTransCtrl::onMouseWheel()
{
    if (triggerShown)
        onMouseDown();
}

void CopyTransCtrl::onStartCopy()
{
    State::instance()->copyTransDataRef().insert("from", QString());
    copySelection();
}

// ---- Capture ----------------------------------------------------------------------------

// The clipboard is the user's: a selection is read where it lies and never copied over it.
void CopyTransCtrl::copySelection()
{
    GlobalCtrl* global = GlobalCtrl::instance();
    if (global && global->fileDialogOpen)
        return;
    capture(listener ? listener->selectionText() : QString());
}

bool CopyTransCtrl::looksLikeFile(const QString& text)
{
    static const QRegularExpression bareFileName(QStringLiteral(
        "^[A-Za-z0-9_\\-]+\\.(jpeg|png|pdf|txt|docx|doc|ppt|pptx|zip|dmg|webp|mp4|mp3|wav|exe|gif|flv|svg|html|h|"
        "cpp|mm|java|py|gz|jpg|js|md|json|css|xml){1}$"));
    return bareFileName.match(text).hasMatch() || text.startsWith(QLatin1String("file://"))
           || QFileInfo::exists(text);
}

QString CopyTransCtrl::cutToLimit(const QString& text)
{
    if (text.size() <= kSourceLimit)
        return text;
    const int end = text.at(kSourceLimit - 1).isHighSurrogate() ? kSourceLimit - 1 : kSourceLimit;
    return text.left(end);
}

// A whole log file selected in a terminal must not reach the windows or the service whole: the
// editor and the request would hold the client for seconds.
void CopyTransCtrl::capture(const QString& captured)
{
    const QString trimmed = captured.trimmed();
    if (trimmed.isEmpty()) {
        directDetail = false;
        return;
    }
    const QString text = cutToLimit(trimmed);
    if (!directDetail && looksLikeFile(text))
        return;
    State::instance()->copyTransDataRef().insert("cut", text.size() < trimmed.size());
    showTrigger(text);
}

// ---- Windows -----------------------------------------------------------------------------

void CopyTransCtrl::showTrigger(const QString& text)
{
    log(QStringLiteral("copyTrans showTrigger: %1"), text);
    State* state = State::instance();
    QVariantMap& data = state->copyTransDataRef();
    data.insert("source", text);
    data.insert("state", 0);
    data.insert("x", cursorX);
    data.insert("y", cursorY);
    data.insert("autoLang", true);
    emitCopyTransData();
    state->setCopyTransTriggerAlpha(255);
    if (directDetail) {
        state->setShowCopyTransTrigger(false);
        state->setShowCopyTransDetail(true);
        // The detail editor asks only on the user's edits, so a direct capture asks here.
        if (data.value("stayOn").toBool()) {
            data.insert("state", kStatePinnedOpen);
            emitCopyTransData();
        }
        requestTrans(text);
        state->setWindowStayBottom(true);
    } else {
        state->setShowCopyTransTrigger(true);
        state->setShowCopyTransDetail(false);
    }
}

void CopyTransCtrl::startQuickSearch()
{
    if (!listener)
        attachListener(true);
    onMouseDown();
    directDetail = true;
    onMouseUp();
    QVariantMap& data = State::instance()->copyTransDataRef();
    if (data.value("from").toString() != QLatin1String("home"))
        data.insert("from", QStringLiteral("quick"));
    copySelection();
}

void CopyTransCtrl::startCCTrans()
{
    State* state = State::instance();
    if (state->showCopyTransTrigger()) {
        state->setShowCopyTransTrigger(false);
        return;
    }
    if (!listener)
        attachListener(true);
    onMouseDown();
    directDetail = true;
    onMouseUp();
    // Read only: what the user copied stays theirs.
    const QString text = QGuiApplication::clipboard()->text();
    if (text.trimmed().isEmpty())
        return;
    QVariantMap& data = state->copyTransDataRef();
    if (data.value("from").toString() != QLatin1String("home"))
        data.insert("from", QStringLiteral("cc"));
    capture(text);
}

void CopyTransCtrl::setStayOn(bool stayOn)
{
    QVariantMap& data = State::instance()->copyTransDataRef();
    data.insert("stayOnTemp", stayOn);
    data.insert("stayOn", stayOn);
    emitCopyTransData();
}

void CopyTransCtrl::closePanelWindow(bool trigger, bool)
{
    if (!trigger) {
        directDetail = false;
        const WeakSelf weak = sharedFromThis();
        GlobalCtrl::instance()->startBlockTimer(kCloseDetailBlockMs, [weak] {
            const QSharedPointer<CopyTransCtrl> self = weak.toStrongRef();
            if (self && self->directDetail)
                return; // a new quick capture owns the detail window now
            State* state = State::instance();
            if (!state)
                return;
            if (!state->copyTransBySelect())
                Dispatch::instance()->releaseController(Dispatch::Ctrl_CopyTrans);
            state->setWindowStayBottom(false);
        });
    }
    // Hidden, not closed: closing destroys the native window, which the next capture would have
    // to build again, and may end the program when the main window sits in the tray.
    const int id = trigger ? WindowState::CopyTransTrigger : WindowState::CopyTransDetail;
    if (QWindow* window = WindowState::instance()->findWindowById(id))
        window->hide();
}

void CopyTransCtrl::fixDetailWindowPosi(int x, int y, int w, int h)
{
    DesktopScreens* screens = DesktopScreens::system();
    if (!screens)
        return;
    // The cursor's screen may lie anywhere on the desktop, not only at its origin.
    const QRect screen = screens->screenAt(screens->cursorPos()).geometry;
    if (screen.isNull())
        return;
    int nx = x;
    int ny = y;
    const int right = screen.x() + screen.width();
    const int bottom = screen.y() + screen.height();
    if (x + w + kScreenMargin > right)
        nx = right - w - kScreenMargin;
    if (y + h + kScreenMargin > bottom)
        ny = bottom - h - kScreenMargin;
    if (nx == x && ny == y)
        return;
    if (QWindow* window = WindowState::instance()->findWindowById(WindowState::CopyTransDetail))
        window->setPosition(nx, ny);
}

// ---- Fading ------------------------------------------------------------------------------

void CopyTransCtrl::onTriggerShownChanged()
{
    const bool shown = State::instance()->showCopyTransTrigger();
    if (shown)
        startFadeTimer();
    else
        stopFadeTimer();
    triggerShown = shown;
}

void CopyTransCtrl::startFadeTimer()
{
    stopFadeTimer();
    if (!State::instance()->showCopyTransTrigger())
        return;
    fadeElapsed = 0;
    fadeTimer = new QTimer(this);
    fadeTimer->setInterval(kFadeIntervalMs);
    connect(fadeTimer, &QTimer::timeout, this, &CopyTransCtrl::onFadeTick);
    fadeTimer->start();
}

void CopyTransCtrl::stopFadeTimer()
{
    if (fadeTimer) {
        disconnect(fadeTimer, nullptr, this, nullptr);
        fadeTimer->stop();
        delete fadeTimer;
        fadeTimer = nullptr;
    }
    fadeElapsed = 0;
}

CopyTransCtrl::FadeStep CopyTransCtrl::fadeStep(int elapsed, int currentAlpha, const QPoint& cursor,
                                                const QPoint& anchor)
{
    FadeStep step;
    if (elapsed % 200 == 0)
        return step;
    if (elapsed <= kFadeFollowMs) {
        if (cursor == anchor)
            return step;
        const int away = std::max(2 * std::abs(anchor.x() - cursor.x()), 3 * std::abs(anchor.y() - cursor.y()));
        const int alpha = std::max(0, 255 - away);
        if (alpha < currentAlpha) {
            step.alpha = alpha;
            step.hide = alpha < 10;
        }
        return step;
    }
    // The blink: dim at 4100, 4900 and 5700 ms, bright at 4500 and 5300 ms, gone after 6000 ms.
    const int phase = (elapsed - kFadeFollowMs) % 800;
    if (elapsed > kFadeEndMs)
        step.hide = true;
    else if (phase == 100)
        step.alpha = 100;
    else if (phase == 500)
        step.alpha = 255;
    return step;
}

void CopyTransCtrl::onFadeTick()
{
    State* state = State::instance();
    if (!state->showCopyTransTrigger()) {
        stopFadeTimer();
        return;
    }
    fadeElapsed += kFadeIntervalMs;
    const QVariantMap& data = state->copyTransData();
    const QPoint anchor(data.value("x").toInt(), data.value("y").toInt());
    const FadeStep step = fadeStep(fadeElapsed, state->copyTransTriggerAlpha(), cursorPos(), anchor);
    if (step.alpha >= 0) {
        state->setCopyTransTriggerAlpha(step.alpha);
    }
    if (step.hide)
        state->setShowCopyTransTrigger(false);
}

// ---- Translation -------------------------------------------------------------------------

void CopyTransCtrl::requestTrans(const QString& edited)
{
    const QString source = cutToLimit(edited);
    log(QStringLiteral("copyTrans requestTrans: %1"), source);
    State* state = State::instance();
    QVariantMap& data = state->copyTransDataRef();
    data.insert("source", source);
    if (source.size() < edited.size())
        data.insert("cut", true);
    const quint64 ticket = ++transTicket;
    const WeakSelf weak = sharedFromThis();
    if (source.isEmpty()) {
        // A reply still on its way would refill the target that is about to be cleared.
        service->cancelTranslation();
        transDebounce->run([weak] {
            if (!weak.toStrongRef())
                return;
            QVariantMap& now = State::instance()->copyTransDataRef();
            now.insert("target", QString());
            now.insert("state", 0);
            emitCopyTransData();
        });
        return;
    }
    data.insert("state", 1);
    emitCopyTransData();
    const bool mergeBreak = state->copyTransAutoMergeBreak();
    const QVariantMap snapshot = data;
    transDebounce->run(WeakOwner::ifAlive(weak, [source, snapshot, mergeBreak, ticket](CopyTransCtrl& self) {
        self.doTranslate(source, snapshot, mergeBreak, ticket);
    }));
}

void CopyTransCtrl::doTranslate(const QString& text, const QVariantMap& data, bool mergeBreak, quint64 ticket)
{
    const QString sourceLang =
        data.value("autoLang").toBool() ? QStringLiteral("auto") : data.value("sourceLang").toString();
    const QString targetLang = data.value("targetLang").toString();
    const WeakSelf weak = sharedFromThis();
    service->translation(
        text, sourceLang, targetLang, QString(),
        [weak, text, mergeBreak, ticket](bool ok, const QVariantMap& result) {
            onTranslateFinished(weak, text, mergeBreak, ticket, ok, result);
        },
        mergeBreak, false, 3);
}

QString CopyTransCtrl::joinTranslation(const QVariantMap& reply, bool space)
{
    const QVariantList sentences = reply.value("auto_translation").toList();
    if (sentences.isEmpty())
        return QString();
    if (sentences.size() == 1)
        return sentences.first().toString();
    return TextTrans::assembleResult(reply.value("origin_text_subs").toList(), sentences, space).text;
}

void CopyTransCtrl::onTranslateFinished(const WeakSelf& weak, const QString& text, bool mergeBreak, quint64 ticket,
                                        bool ok, const QVariantMap& result)
{
    State* state = State::instance();
    if (!state)
        return;
    const QSharedPointer<CopyTransCtrl> self = weak.toStrongRef();
    if (!self) {
        state->setCopyTransData(0);
        return;
    }
    // A newer request owns the shown result and its state.
    if (ticket != self->transTicket) {
        log(QStringLiteral("copyTrans superseded reply"));
        return;
    }
    if (!ok) {
        state->setCopyTransData(-1);
        return;
    }
    QVariantMap& data = state->copyTransDataRef();
    const QString real = result.value("realSourceText").toString();
    if (mergeBreak && real != text)
        data.insert("source", real);
    const QString src = result.value("source_lang").toString();
    const QString tgt = result.value("target_lang").toString();
    const bool space = state->textTransLangData().value(tgt).toMap().value("space").toBool();
    // No sentence at all: the previous text's translation must not pass for this one's.
    data.insert("target", joinTranslation(result, space));
    log(QStringLiteral("copyTrans result: %1"), data.value("target").toString());
    if (!src.isEmpty())
        data.insert("sourceLang", src);
    if (!tgt.isEmpty())
        data.insert("targetLang", tgt);
    state->setCopyTransData(0);
}

void CopyTransCtrl::setSourceLanguage(const QString& code)
{
    const WeakSelf weak = sharedFromThis();
    sourceLangDebounce->run(WeakOwner::ifAlive(weak, [code](CopyTransCtrl& self) { self.setSourceLanguageNow(code); }));
}

void CopyTransCtrl::setSourceLanguageNow(const QString& code)
{
    QVariantMap& data = State::instance()->copyTransDataRef();
    if (data.value("sourceLang").toString() == code)
        return;
    data.insert("sourceLang", code);
    data.insert("autoLang", code == QLatin1String("auto"));
    if (code == QLatin1String("auto") || code != data.value("targetLang").toString())
        requestTrans(data.value("source").toString());
}

void CopyTransCtrl::setTargetLanguageDebounced(const QString& code)
{
    const WeakSelf weak = sharedFromThis();
    targetLangDebounce->run(WeakOwner::ifAlive(weak, [code](CopyTransCtrl& self) { self.setTargetLanguage(code); }));
}

void CopyTransCtrl::setTargetLanguage(const QString& code)
{
    QVariantMap& data = State::instance()->copyTransDataRef();
    if (data.value("targetLang").toString() == code)
        return;
    data.insert("targetLang", code);
    if (code != data.value("sourceLang").toString())
        requestTrans(data.value("source").toString());
}

// The detail editor keeps the style of its QML document; these are accepted and do nothing.
void CopyTransCtrl::handleUIForEditor(QQuickTextDocument*) {}
void CopyTransCtrl::makePanelWindow(bool) {}
void CopyTransCtrl::fixDetailWindowSize(int, int) {}
