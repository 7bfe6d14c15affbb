#pragma once

#include "platform/HotkeyRegistrar.h"
#include "platform/InputEventSource.h"
#include "quicktrans/DoubleCtrlC.h"
#include "quicktrans/HotkeyType.h"

#include <QAbstractNativeEventFilter>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QVariantMap>

// The program's system-wide hotkeys and the double Ctrl+C, reported as hotkeyTrigger. Install it
// as the application's native event filter so that hotkey presses reach it.
class WinHotKey : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    // Null picks the platform's own registrar and event source.
    explicit WinHotKey(HotkeyRegistrar* registrar = nullptr, InputEventSource* source = nullptr,
                       QObject* parent = nullptr);
    ~WinHotKey() override;

    bool isSupported() const;
    // The new combination is taken before the kind's old one is let go: on refusal the old one
    // keeps working.
    bool registerKey(HotkeyType type, const QString& keyName, bool ctrl, bool shift, bool alt);
    void unregisterKey(HotkeyType type);
    static int keyNameToVk(const QString& keyName); // an InputKey number, 0 outside the table

    void listenCmdCC();
    void unListenCmdCC();

    bool nativeEventFilter(const QByteArray& eventType, void* message, long* result) override;

signals:
    void hotkeyTrigger(HotkeyType type);

private:
    void onInputEvent(const InputEvent& event);

    QPointer<HotkeyRegistrar> registrar;
    QPointer<InputEventSource> source;
    QMap<HotkeyType, QVariantMap> hotkeys; // {"key", "alt", "ctrl", "shift", "id"}
    QMap<int, HotkeyType> idToType;
    DoubleCtrlC::State ctrlC;
    QMetaObject::Connection ccConnection;
};
