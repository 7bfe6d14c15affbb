#include "platform/X11Keys.h"

#include "platform/InputEvent.h"

#define XK_MISCELLANY
#define XK_LATIN1
#include <X11/keysymdef.h>

namespace X11Keys {

std::uint32_t keysymOf(int key)
{
    if (key >= InputKey::A && key <= InputKey::Z)
        return XK_a + std::uint32_t(key - InputKey::A);
    if (key >= InputKey::Digit0 && key <= InputKey::Digit9)
        return XK_0 + std::uint32_t(key - InputKey::Digit0);
    if (key >= InputKey::F1 && key <= InputKey::F20)
        return XK_F1 + std::uint32_t(key - InputKey::F1);
    switch (key) {
    case InputKey::Space:
        return XK_space;
    case InputKey::Return:
        return XK_Return;
    case InputKey::Tab:
        return XK_Tab;
    case InputKey::ControlLeft:
        return XK_Control_L;
    case InputKey::ControlRight:
        return XK_Control_R;
    default:
        return 0;
    }
}

int keyOf(std::uint32_t keysym)
{
    if (keysym >= XK_a && keysym <= XK_z)
        return InputKey::A + int(keysym - XK_a);
    if (keysym >= XK_A && keysym <= XK_Z)
        return InputKey::A + int(keysym - XK_A);
    if (keysym >= XK_0 && keysym <= XK_9)
        return InputKey::Digit0 + int(keysym - XK_0);
    if (keysym >= XK_F1 && keysym <= XK_F20)
        return InputKey::F1 + int(keysym - XK_F1);
    switch (keysym) {
    case XK_space:
        return InputKey::Space;
    case XK_Return:
        return InputKey::Return;
    case XK_Tab:
        return InputKey::Tab;
    case XK_Control_L:
        return InputKey::ControlLeft;
    case XK_Control_R:
        return InputKey::ControlRight;
    default:
        return InputKey::Other;
    }
}

} // namespace X11Keys
