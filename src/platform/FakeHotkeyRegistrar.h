#pragma once

#include "platform/HotkeyRegistrar.h"

#include <QMap>
#include <QPair>
#include <QSet>

// Hotkeys on a scripted desktop: combinations other programs hold, and presses delivered through
// the application's native event filters like a real display server's events.
class FakeHotkeyRegistrar : public HotkeyRegistrar
{
    Q_OBJECT
public:
    static const char* const eventType; // the native event type of press(); the message is an int id

    explicit FakeHotkeyRegistrar(QObject* parent = nullptr);

    bool isSupported() const override { return supported; }
    int grab(int key, Qt::KeyboardModifiers modifiers) override;
    void release(int id) override;
    int hotkeyIdOf(const QByteArray& type, void* message) const override;

    void setSupported(bool value) { supported = value; }
    void setTakenElsewhere(int key, Qt::KeyboardModifiers modifiers);
    bool isGrabbed(int key, Qt::KeyboardModifiers modifiers) const;
    int grabCount() const { return grabs.size(); }

    // Delivers the press of a combination (its id when held here, else a press nobody holds);
    // true when a native event filter consumed it.
    bool press(int key, Qt::KeyboardModifiers modifiers);
    bool deliverId(int id);

private:
    using Combination = QPair<int, int>;
    static Combination combination(int key, Qt::KeyboardModifiers modifiers);

    bool supported = true;
    int nextId = 1;
    QMap<int, Combination> grabs;
    QSet<Combination> takenElsewhere;
};
