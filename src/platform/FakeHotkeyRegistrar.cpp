#include "platform/FakeHotkeyRegistrar.h"

#include <QAbstractEventDispatcher>

const char* const FakeHotkeyRegistrar::eventType = "parlavine_fake_hotkey";

FakeHotkeyRegistrar::FakeHotkeyRegistrar(QObject* parent) : HotkeyRegistrar(parent) {}

FakeHotkeyRegistrar::Combination FakeHotkeyRegistrar::combination(int key, Qt::KeyboardModifiers modifiers)
{
    return {key, int(modifiers)};
}

int FakeHotkeyRegistrar::grab(int key, Qt::KeyboardModifiers modifiers)
{
    const Combination wanted = combination(key, modifiers);
    if (!supported || key <= 0 || takenElsewhere.contains(wanted) || grabs.values().contains(wanted))
        return 0;
    const int id = nextId++;
    grabs.insert(id, wanted);
    return id;
}

void FakeHotkeyRegistrar::release(int id)
{
    grabs.remove(id);
}

int FakeHotkeyRegistrar::hotkeyIdOf(const QByteArray& type, void* message) const
{
    if (type != eventType)
        return 0;
    // Like a server-side id: whoever filters decides whether it is theirs.
    return *static_cast<const int*>(message);
}

void FakeHotkeyRegistrar::setTakenElsewhere(int key, Qt::KeyboardModifiers modifiers)
{
    takenElsewhere.insert(combination(key, modifiers));
}

bool FakeHotkeyRegistrar::isGrabbed(int key, Qt::KeyboardModifiers modifiers) const
{
    return grabs.values().contains(combination(key, modifiers));
}

bool FakeHotkeyRegistrar::press(int key, Qt::KeyboardModifiers modifiers)
{
    return deliverId(grabs.key(combination(key, modifiers), 0));
}

bool FakeHotkeyRegistrar::deliverId(int id)
{
    long result = 0;
    return QAbstractEventDispatcher::instance()->filterNativeEvent(eventType, &id, &result);
}
