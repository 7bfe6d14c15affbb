#include "quicktrans/HotkeyCtrl.h"

#include "core/Dispatch.h"
#include "core/Hud.h"
#include "core/Log.h"
#include "core/QuickStorage.h"
#include "core/State.h"
#include "core/Util.h"
#include "platform/InputEventSource.h"
#include "quicktrans/WinHotKey.h"
#include "shell/GlobalCtrl.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>

namespace {

const QString kCopyTransOpen = QStringLiteral("copyTransOpen");
const QString kCopyTransQuick = QStringLiteral("copyTransQuick");
const QString kScreenshotOpen = QStringLiteral("screenshotOpen");
const QString kCopyTransCC = QStringLiteral("copyTransCC");

QString settingKey(const QString& name)
{
    return QStringLiteral("hotKey_%1").arg(name);
}

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

bool inputEventsSupported()
{
    const InputEventSource* source = InputEventSource::system();
    return source && source->isSupported();
}

} // namespace

HotkeyCtrl::HotkeyCtrl() = default;

HotkeyCtrl::~HotkeyCtrl()
{
    if (!winHotKey)
        return;
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(winHotKey);
    disconnect(winHotKey, nullptr, this, nullptr);
    delete winHotKey;
}

void HotkeyCtrl::setTrayActions(QAction* select, QAction* cc, QAction* screenshot)
{
    selectAction = select;
    ccAction = cc;
    screenshotAction = screenshot;
    // A login that finished before the menu existed has already asked for its state.
    updateTrayActions(trayEnabled);
}

void HotkeyCtrl::setMainWindow()
{
    if (winHotKey)
        return;
    GlobalCtrl* global = GlobalCtrl::instance();
    if (!global || !global->mainWindowObject()) {
        log(QStringLiteral("m_mainWindow is null!!"));
        return;
    }
    winHotKey = new WinHotKey;
    QCoreApplication::instance()->installNativeEventFilter(winHotKey);
    connect(winHotKey, &WinHotKey::hotkeyTrigger, this, &HotkeyCtrl::onHotkeyTrigger);
    State* state = State::instance();
    state->setQuickTransSupported(winHotKey->isSupported() && inputEventsSupported());
}

void HotkeyCtrl::init()
{
    State* state = State::instance();
    openCopyTransBySelect(state->copyTransBySelect());
    installSavedHotkey(kCopyTransOpen);
    installSavedHotkey(kScreenshotOpen);
    if (state->copyTransCCOpen()) {
        state->setCopyTransCCOpen(installSavedHotkey(kCopyTransCC));
    }
    updateTrayActions(true);
}

bool HotkeyCtrl::installSavedHotkey(const QString& name)
{
    QString key;
    bool ctrl = true;
    bool shift = true;
    bool alt = false;
    if (name != kCopyTransCC
        && !parseHotkeySetting(QuickStorage::instance()->getValue(settingKey(name)), name, key, ctrl, shift, alt))
        return false;
    return installHotkey(name, key, ctrl, shift, alt, true, QStringLiteral("main"));
}

bool HotkeyCtrl::installHotkey(const QString& name, const QString& key, bool ctrl, bool shift, bool alt, bool,
                               const QString& window)
{
    setMainWindow();
    if (!winHotKey)
        return false;
    if (name == kCopyTransCC) {
        // Without global key events there is nothing to listen to; the setting panel says so.
        if (!inputEventsSupported())
            return false;
        if (ccAction) {
            ccAction->setChecked(true);
            ccAction->setText(tr("快速复制翻译"));
        }
        winHotKey->listenCmdCC();
        return true;
    }
    if (!winHotKey->isSupported())
        return false;

    HotkeyType type = HotkeyType::CopyTransOpen;
    QString label;
    if (name == kCopyTransOpen) {
        label = tr("划词翻译开关");
    } else if (name == kCopyTransQuick) {
        type = HotkeyType::CopyTransQuick;
        label = tr("快速划词翻译");
    } else if (name == kScreenshotOpen) {
        type = HotkeyType::ScreenshotOpen;
        label = tr("截图翻译");
    }
    log(QStringLiteral("installHotkey-save: %1, %2, %3"), name, key, hotkeyDisplayText(key, ctrl, shift, alt));
    if (!winHotKey->registerKey(type, key, ctrl, shift, alt)) {
        // The previous combination is still held, and the setting and the shown text keep it.
        Hud::warningInWindow(tr("快捷键冲突：") + label, tr("会影响功能快捷键使用，请重新设置"), [] {}, window);
        return false;
    }
    QuickStorage::instance()->setValue(settingKey(name),
                                       QStringLiteral("%1|%2|%3|%4").arg(key, flag(ctrl), flag(shift), flag(alt)));
    const QString display = hotkeyDisplayText(key, ctrl, shift, alt);
    const QKeySequence sequence(hotkeyToString(key, ctrl, shift, alt));
    State* state = State::instance();
    if (name == kCopyTransOpen) {
        state->setShortcutCopyTransOpen(display);
    } else if (name == kCopyTransQuick) {
        if (quickAction)
            quickAction->setShortcut(sequence);
        state->setShortcutCopyTransQuick(display);
    } else if (name == kScreenshotOpen) {
        if (screenshotAction)
            screenshotAction->setShortcut(sequence);
        state->setShortcutScreenshotTrans(display);
    }
    return true;
}

void HotkeyCtrl::uninstallHotkeys(const QString& name)
{
    if (!winHotKey)
        return;
    if (name == kCopyTransCC) {
        if (ccAction)
            ccAction->setChecked(false);
        winHotKey->unListenCmdCC();
    } else if (name == kCopyTransQuick) {
        winHotKey->unregisterKey(HotkeyType::CopyTransQuick);
    } else if (name == kScreenshotOpen) {
        winHotKey->unregisterKey(HotkeyType::ScreenshotOpen);
    } else {
        winHotKey->unregisterKey(HotkeyType::CopyTransOpen);
    }
}

void HotkeyCtrl::openCopyTransBySelect(bool open)
{
    Dispatch* dispatch = Dispatch::instance();
    if (open) {
        dispatch->initController(Dispatch::Ctrl_CopyTrans);
        dispatch->run(Dispatch::Ctrl_CopyTrans, QStringLiteral("startSelectTrans"), {});
        return;
    }
    State* state = State::instance();
    state->setShowCopyTransDetail(false);
    state->setShowCopyTransTrigger(false);
    QVariantMap& data = state->copyTransDataRef();
    data.insert("source", QString());
    data.insert("target", QString());
    data.insert("stayOn", false);
    state->setCopyTransData(0);
    dispatch->releaseController(Dispatch::Ctrl_CopyTrans);
}

void HotkeyCtrl::switchCopyTrans(bool, const QString&)
{
    State* state = State::instance();
    const bool on = !state->copyTransBySelect();
    QuickStorage::instance()->setValue(QStringLiteral("copy_trans"), on ? QStringLiteral("1") : QString());
    openCopyTransBySelect(on);
    state->setCopyTransBySelect(on);
}

void HotkeyCtrl::switchCopyTransCC(bool, const QString&)
{
    State* state = State::instance();
    bool on = !state->copyTransCCOpen();
    if (on) {
        on = installSavedHotkey(kCopyTransCC);
        QuickStorage::instance()->setValue(QStringLiteral("copy_trans_cc"), QString());
    } else {
        uninstallHotkeys(kCopyTransCC);
        QuickStorage::instance()->setValue(QStringLiteral("copy_trans_cc"), QStringLiteral("0"));
    }
    state->setCopyTransCCOpen(on);
}

void HotkeyCtrl::updateTrayActions(bool enabled)
{
    trayEnabled = enabled;
    const State* state = State::instance();
    if (selectAction) {
        selectAction->setChecked(enabled && state->copyTransBySelect());
        selectAction->setEnabled(enabled);
    }
    if (screenshotAction) {
        screenshotAction->setEnabled(enabled);
        if (!enabled)
            screenshotAction->setShortcut(QKeySequence());
    }
    if (ccAction) {
        ccAction->setEnabled(enabled);
        ccAction->setChecked(enabled && state->copyTransCCOpen());
    }
    if (quickAction) {
        quickAction->setEnabled(enabled);
        quickAction->setChecked(enabled && state->copyTransQuickOpen());
        if (!enabled)
            quickAction->setShortcut(QKeySequence());
    }
}

void HotkeyCtrl::onHotkeyTrigger(HotkeyType type)
{
    const State* state = State::instance();
    Dispatch* dispatch = Dispatch::instance();
    switch (type) {
    case HotkeyType::CopyTransOpen:
        switchCopyTrans(false, QString());
        break;
    case HotkeyType::CopyTransQuick:
        if (!state->copyTransQuickOpen())
            break;
        dispatch->initController(Dispatch::Ctrl_CopyTrans);
        dispatch->run(Dispatch::Ctrl_CopyTrans, QStringLiteral("startQuickSearch"), {});
        break;
    case HotkeyType::ScreenshotOpen:
        dispatch->initController(Dispatch::Ctrl_ScreenshotTrans);
        dispatch->run(Dispatch::Ctrl_ScreenshotTrans, QStringLiteral("startCapture"), {});
        break;
    case HotkeyType::CopyTransCC:
        if (!state->copyTransCCOpen())
            break;
        dispatch->initController(Dispatch::Ctrl_CopyTrans);
        dispatch->run(Dispatch::Ctrl_CopyTrans, QStringLiteral("startCCTrans"), {});
        break;
    }
}
