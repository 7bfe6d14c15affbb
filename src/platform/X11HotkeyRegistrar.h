#pragma once

#include "platform/HotkeyRegistrar.h"

#include <QMap>
#include <QPair>
#include <QVector>

#include <cstdint>

// Hotkeys as passive key grabs on the root window, on Qt's own connection so that the presses
// reach the application's native event filters.
class X11HotkeyRegistrar : public HotkeyRegistrar
{
    Q_OBJECT
public:
    explicit X11HotkeyRegistrar(QObject* parent = nullptr);
    ~X11HotkeyRegistrar() override;

    bool isSupported() const override { return supported; }
    int grab(int key, Qt::KeyboardModifiers modifiers) override;
    void release(int id) override;
    int hotkeyIdOf(const QByteArray& eventType, void* message) const override;

private:
    using KeyGrab = QPair<std::uint8_t, std::uint16_t>; // keycode, modifier mask
    struct Hotkey {
        QVector<std::uint8_t> keycodes;
        std::uint16_t modifiers = 0;
        QVector<KeyGrab> grabs; // every keycode with every lock variant
    };

    bool holds(const QVector<std::uint8_t>& keycodes, std::uint16_t modifiers) const;
    bool grabAll(const QVector<KeyGrab>& wanted);
    void ungrab(const QVector<KeyGrab>& grabs);

    bool supported = false;
    int nextId = 1;
    QMap<int, Hotkey> hotkeys;
};
