#include "quicktrans/WinHotKey.h"

#include "core/Log.h"
#include "platform/InputEvent.h"

WinHotKey::WinHotKey(HotkeyRegistrar* chosenRegistrar, InputEventSource* events, QObject* parent)
    : QObject(parent), registrar(chosenRegistrar ? chosenRegistrar : HotkeyRegistrar::system()),
      source(events ? events : InputEventSource::system())
{
}

WinHotKey::~WinHotKey()
{
    for (HotkeyType type : hotkeys.keys())
        unregisterKey(type);
    unListenCmdCC();
}

bool WinHotKey::isSupported() const
{
    return registrar && registrar->isSupported();
}

bool WinHotKey::registerKey(HotkeyType type, const QString& keyName, bool ctrl, bool shift, bool alt)
{
    const int key = keyNameToVk(keyName);
    if (key == 0 || !registrar) {
        log(QStringLiteral("registerKey-refused: %1, %2"), QString::number(int(type)), keyName);
        return false;
    }
    const QVariantMap wanted{{"key", key}, {"alt", alt}, {"ctrl", ctrl}, {"shift", shift}};
    QVariantMap held = hotkeys.value(type);
    held.remove(QStringLiteral("id"));
    if (held == wanted)
        return true; // already ours; grabbing it again would count as taken

    Qt::KeyboardModifiers modifiers;
    modifiers.setFlag(Qt::ControlModifier, ctrl);
    modifiers.setFlag(Qt::ShiftModifier, shift);
    modifiers.setFlag(Qt::AltModifier, alt);
    const int id = registrar->grab(key, modifiers);
    if (id == 0) {
        log(QStringLiteral("registerKey-taken: %1, %2"), QString::number(int(type)), keyName);
        return false;
    }
    unregisterKey(type);
    QVariantMap entry = wanted;
    entry.insert(QStringLiteral("id"), id);
    hotkeys.insert(type, entry);
    idToType.insert(id, type);
    return true;
}

void WinHotKey::unregisterKey(HotkeyType type)
{
    if (!hotkeys.contains(type))
        return;
    const int id = hotkeys.take(type).value(QStringLiteral("id")).toInt();
    if (registrar)
        registrar->release(id);
    idToType.remove(id);
}

int WinHotKey::keyNameToVk(const QString& keyName)
{
    const QString name = keyName.toUpper();
    if (name.size() == 1) {
        const QChar c = name.at(0);
        const bool letterOrDigit = (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                                   || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
        return letterOrDigit ? c.unicode() : 0;
    }
    if (name.startsWith(QLatin1Char('F'))) {
        bool ok = false;
        const int n = name.midRef(1).toInt(&ok);
        // "F01" or "F+5" are not key names.
        if (ok && n >= 1 && n <= 20 && name.mid(1) == QString::number(n))
            return InputKey::F1 + n - 1;
        return 0;
    }
    if (name == QLatin1String("SPACE"))
        return InputKey::Space;
    if (name == QLatin1String("RETURN"))
        return InputKey::Return;
    if (name == QLatin1String("TAB"))
        return InputKey::Tab;
    return 0;
}

void WinHotKey::listenCmdCC()
{
    unListenCmdCC();
    if (!source)
        return;
    source->acquire();
    ccConnection = connect(source, &InputEventSource::inputEvent, this, &WinHotKey::onInputEvent);
}

void WinHotKey::unListenCmdCC()
{
    if (!ccConnection)
        return;
    disconnect(ccConnection);
    ccConnection = {};
    if (source)
        source->release();
}

bool WinHotKey::nativeEventFilter(const QByteArray& eventType, void* message, long*)
{
    const int id = registrar ? registrar->hotkeyIdOf(eventType, message) : 0;
    const auto found = idToType.constFind(id);
    if (id == 0 || found == idToType.constEnd())
        return false;
    emit hotkeyTrigger(*found);
    return true;
}

void WinHotKey::onInputEvent(const InputEvent& event)
{
    if (event.type != InputEvent::KeyPress)
        return;
    const DoubleCtrlC::Step step = DoubleCtrlC::keyDown(ctrlC, event.key, event.ctrlDown, event.time);
    ctrlC = step.state;
    if (step.triggered)
        emit hotkeyTrigger(HotkeyType::CopyTransCC);
}
