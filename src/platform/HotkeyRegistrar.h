#pragma once

#include <QByteArray>
#include <QObject>

// System-wide key combinations held for this program. A combination another program holds is
// refused at once, never half taken.
class HotkeyRegistrar : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The registrar for this session's display server, created on first use and owned by the
    // application object.
    static HotkeyRegistrar* system();
    // Makes system() answer with the given registrar (not owned) until it is reset with null.
    static void setSystem(HotkeyRegistrar* registrar);

    virtual bool isSupported() const = 0;
    // key is an InputKey number; modifiers are Ctrl, Shift and Alt. Returns a hotkey id (> 0),
    // or 0 when the key is unknown to the keyboard layout or the combination is taken.
    virtual int grab(int key, Qt::KeyboardModifiers modifiers) = 0;
    virtual void release(int id) = 0;
    // The hotkey id a native event (as given to a native event filter) stands for, or 0.
    virtual int hotkeyIdOf(const QByteArray& eventType, void* message) const = 0;
};
