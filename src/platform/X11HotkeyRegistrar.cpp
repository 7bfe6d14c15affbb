#include "platform/X11HotkeyRegistrar.h"

#include "platform/X11Keys.h"

#include <QGuiApplication>
#include <QX11Info>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>
#include <memory>

namespace {

const xcb_keysym_t kNumLockKeysym = 0xff7f;
// The modifiers a hotkey is made of; the lock modifiers and the rest do not tell hotkeys apart.
const std::uint16_t kHotkeyModifiers = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;

using KeySymbols = std::unique_ptr<xcb_key_symbols_t, decltype(&xcb_key_symbols_free)>;

// The keyboard layout as it is now, so a layout switched since start-up is honoured.
KeySymbols currentKeySymbols()
{
    return KeySymbols(xcb_key_symbols_alloc(QX11Info::connection()), &xcb_key_symbols_free);
}

QVector<std::uint8_t> keycodesOf(xcb_key_symbols_t* symbols, xcb_keysym_t keysym)
{
    QVector<std::uint8_t> keycodes;
    xcb_keycode_t* found = xcb_key_symbols_get_keycode(symbols, keysym);
    for (xcb_keycode_t* code = found; code && *code != XCB_NO_SYMBOL; ++code) {
        if (!keycodes.contains(*code))
            keycodes.append(*code);
    }
    std::free(found);
    return keycodes;
}

// NumLock sits on whichever modifier the server's modifier mapping gives it (usually Mod2).
std::uint16_t numLockMask(xcb_key_symbols_t* symbols)
{
    const QVector<std::uint8_t> numLockKeys = keycodesOf(symbols, kNumLockKeysym);
    xcb_connection_t* connection = QX11Info::connection();
    xcb_get_modifier_mapping_reply_t* mapping =
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr);
    if (!mapping)
        return 0;
    std::uint16_t mask = 0;
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(mapping);
    const int perModifier = mapping->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier) {
        for (int i = 0; i < perModifier; ++i) {
            if (numLockKeys.contains(codes[modifier * perModifier + i]))
                mask |= std::uint16_t(1u << modifier);
        }
    }
    std::free(mapping);
    return mask;
}

std::uint16_t maskOf(Qt::KeyboardModifiers modifiers)
{
    std::uint16_t mask = 0;
    if (modifiers & Qt::ControlModifier)
        mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & Qt::ShiftModifier)
        mask |= XCB_MOD_MASK_SHIFT;
    if (modifiers & Qt::AltModifier)
        mask |= XCB_MOD_MASK_1;
    return mask;
}

} // namespace

X11HotkeyRegistrar::X11HotkeyRegistrar(QObject* parent) : HotkeyRegistrar(parent)
{
    supported = QGuiApplication::platformName() == QLatin1String("xcb");
    if (!supported)
        qInfo("Global hotkeys are unsupported: the platform is \"%s\", not \"xcb\"",
              qPrintable(QGuiApplication::platformName()));
}

X11HotkeyRegistrar::~X11HotkeyRegistrar()
{
    for (const Hotkey& hotkey : qAsConst(hotkeys))
        ungrab(hotkey.grabs);
}

int X11HotkeyRegistrar::grab(int key, Qt::KeyboardModifiers modifiers)
{
    const xcb_keysym_t keysym = X11Keys::keysymOf(key);
    if (!supported || keysym == 0)
        return 0;
    const KeySymbols symbols = currentKeySymbols();
    Hotkey hotkey;
    hotkey.keycodes = keycodesOf(symbols.get(), keysym);
    hotkey.modifiers = maskOf(modifiers);
    if (hotkey.keycodes.isEmpty() || holds(hotkey.keycodes, hotkey.modifiers))
        return 0;

    // A grab matches the modifier state exactly, so the hotkey must also be grabbed with NumLock
    // and CapsLock on, or it would stop working whenever either lock is.
    const std::uint16_t numLock = numLockMask(symbols.get());
    for (std::uint16_t lock : {std::uint16_t(0), numLock, std::uint16_t(XCB_MOD_MASK_LOCK),
                               std::uint16_t(numLock | XCB_MOD_MASK_LOCK)}) {
        for (std::uint8_t keycode : qAsConst(hotkey.keycodes)) {
            const KeyGrab one(keycode, std::uint16_t(hotkey.modifiers | lock));
            if (!hotkey.grabs.contains(one))
                hotkey.grabs.append(one);
        }
    }
    if (!grabAll(hotkey.grabs))
        return 0;
    const int id = nextId++;
    hotkeys.insert(id, hotkey);
    return id;
}

bool X11HotkeyRegistrar::holds(const QVector<std::uint8_t>& keycodes, std::uint16_t modifiers) const
{
    for (const Hotkey& held : hotkeys) {
        if (held.modifiers != modifiers)
            continue;
        for (std::uint8_t keycode : keycodes) {
            if (held.keycodes.contains(keycode))
                return true;
        }
    }
    return false;
}

bool X11HotkeyRegistrar::grabAll(const QVector<KeyGrab>& wanted)
{
    // Checked requests: a grab another client holds comes back as an error right here, and the
    // variants that did succeed are given back so that nothing is left half taken.
    xcb_connection_t* connection = QX11Info::connection();
    const xcb_window_t root = QX11Info::appRootWindow();
    QVector<xcb_void_cookie_t> cookies;
    for (const KeyGrab& one : wanted) {
        cookies.append(xcb_grab_key_checked(connection, 1, root, one.second, one.first, XCB_GRAB_MODE_ASYNC,
                                            XCB_GRAB_MODE_ASYNC));
    }
    QVector<KeyGrab> taken;
    for (int i = 0; i < cookies.size(); ++i) {
        xcb_generic_error_t* error = xcb_request_check(connection, cookies.at(i));
        if (error)
            std::free(error);
        else
            taken.append(wanted.at(i));
    }
    if (taken.size() == wanted.size())
        return true;
    ungrab(taken);
    return false;
}

void X11HotkeyRegistrar::ungrab(const QVector<KeyGrab>& grabs)
{
    // Gone once the application object is: the server then drops our grabs with the connection.
    xcb_connection_t* connection = QX11Info::connection();
    if (!connection)
        return;
    const xcb_window_t root = QX11Info::appRootWindow();
    for (const KeyGrab& one : grabs)
        xcb_ungrab_key(connection, one.first, root, one.second);
    xcb_flush(connection);
}

void X11HotkeyRegistrar::release(int id)
{
    if (hotkeys.contains(id))
        ungrab(hotkeys.take(id).grabs);
}

int X11HotkeyRegistrar::hotkeyIdOf(const QByteArray& eventType, void* message) const
{
    if (eventType != "xcb_generic_event_t" || hotkeys.isEmpty())
        return 0;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
        return 0;
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    if (press->event != QX11Info::appRootWindow())
        return 0;
    const std::uint16_t modifiers = press->state & kHotkeyModifiers;
    for (auto it = hotkeys.constBegin(); it != hotkeys.constEnd(); ++it) {
        if (it->modifiers == modifiers && it->keycodes.contains(press->detail))
            return it.key();
    }
    return 0;
}
