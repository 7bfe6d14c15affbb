#pragma once

#include <QMetaType>
#include <QPoint>
#include <QtGlobal>

// Key numbers shared by every back end and by the hotkey table: letters and digits are their
// upper-case characters, F1 to F20 are 112 to 131.
namespace InputKey {
constexpr int Tab = 9;
constexpr int Return = 13;
constexpr int Space = 32;
constexpr int Digit0 = 48;
constexpr int Digit9 = 57;
constexpr int A = 65;
constexpr int C = 67;
constexpr int Z = 90;
constexpr int F1 = 112;
constexpr int F20 = 131;
constexpr int ControlLeft = 162;
constexpr int ControlRight = 163;
// A key outside the table above; it still counts as "some other key".
constexpr int Other = 0x10000;

inline bool isControl(int key)
{
    return key == ControlLeft || key == ControlRight;
}
} // namespace InputKey

// One mouse or keyboard event seen anywhere on the desktop.
struct InputEvent {
    enum Type { ButtonPress, ButtonRelease, Motion, KeyPress, KeyRelease };

    Type type = Motion;
    int button = 0;        // 1 left, 2 middle, 3 right, 4 to 7 wheel steps
    int key = 0;           // InputKey number for key events
    QPoint pos;            // screen coordinates (mouse events)
    quint32 time = 0;      // milliseconds, wrapping at 2^32; only differences mean something
    bool ctrlDown = false; // a Ctrl key is held after this event (filled in by the source)
};

Q_DECLARE_METATYPE(InputEvent)
