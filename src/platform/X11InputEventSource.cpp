#include "platform/X11InputEventSource.h"

#include "platform/X11Keys.h"
#include "platform/X11SelectionReader.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QX11Info>

#include <xcb/record.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>
#include <xcb/xfixes.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>

namespace {

// Recorded core device events are plain 32-byte events, one after the other.
const int kEventSize = 32;
// The reply category of intercepted server-to-client data (the others mark start, end, clients).
const std::uint8_t kCategoryFromServer = 0;
// Deeper than any real window tree; stops a loop on a tree that changes under us.
const int kMaxDepth = 32;
// Far more than a capture keeps, and no more: a selection may be a whole log file.
const int kSelectionBytes = 64 * 1024;
// An owner that does not answer by then is taken to have nothing.
const int kSelectionWaitMs = 300;

template <typename Reply>
struct Freed {
    Reply* reply;
    explicit Freed(Reply* r) : reply(r) {}
    ~Freed() { std::free(reply); }
    Reply* operator->() const { return reply; }
    explicit operator bool() const { return reply != nullptr; }
};

} // namespace

X11InputEventSource::X11InputEventSource(QObject* parent) : InputEventSource(parent)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        reportUnsupported(QStringLiteral("the platform is \"%1\", not \"xcb\"").arg(QGuiApplication::platformName()));
        return;
    }
    xcb_connection_t* qtConnection = QX11Info::connection();
    const xcb_query_extension_reply_t* record = xcb_get_extension_data(qtConnection, &xcb_record_id);
    if (!record || !record->present) {
        reportUnsupported(QStringLiteral("the X server has no RECORD extension"));
        return;
    }
    supported = true;
    keySymbols = xcb_key_symbols_alloc(qtConnection);
    const char name[] = "WM_STATE";
    Freed<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(qtConnection, xcb_intern_atom(qtConnection, 0, sizeof name - 1, name), nullptr));
    if (atom)
        wmStateAtom = atom->atom;
}

X11InputEventSource::~X11InputEventSource()
{
    stop();
    if (keySymbols)
        xcb_key_symbols_free(keySymbols);
}

void X11InputEventSource::reportUnsupported(const QString& why)
{
    qInfo("Global mouse and keyboard events are unsupported: %s", qPrintable(why));
}

void X11InputEventSource::start()
{
    if (!supported)
        return;
    if (!openRecording()) {
        qWarning("Global mouse and keyboard events could not be recorded on this display");
        stop();
        return;
    }
    openWatching();
}

void X11InputEventSource::openWatching()
{
    watching = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(watching)) {
        xcb_disconnect(watching);
        watching = nullptr;
        return;
    }
    // Keyboard map changes reach every connection unasked; selection owners only when asked.
    const xcb_query_extension_reply_t* xfixes = xcb_get_extension_data(watching, &xcb_xfixes_id);
    if (xfixes && xfixes->present) {
        Freed<xcb_xfixes_query_version_reply_t> version(
            xcb_xfixes_query_version_reply(watching, xcb_xfixes_query_version(watching, 1, 0), nullptr));
        if (version) {
            xcb_xfixes_select_selection_input(watching, QX11Info::appRootWindow(), XCB_ATOM_PRIMARY,
                                              XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER);
            xfixesFirstEvent = xfixes->first_event;
            selectionWatched = true;
        }
    }
    xcb_flush(watching);
    watchNotifier.reset(new QSocketNotifier(xcb_get_file_descriptor(watching), QSocketNotifier::Read));
    connect(watchNotifier.data(), &QSocketNotifier::activated, this, &X11InputEventSource::readWatched);
}

bool X11InputEventSource::openRecording()
{
    recording = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(recording))
        return false;
    Freed<xcb_record_query_version_reply_t> version(xcb_record_query_version_reply(
        recording, xcb_record_query_version(recording, XCB_RECORD_MAJOR_VERSION, XCB_RECORD_MINOR_VERSION), nullptr));
    if (!version)
        return false;

    const xcb_record_context_t context = xcb_generate_id(recording);
    xcb_record_range_t range{};
    range.device_events.first = XCB_KEY_PRESS;
    range.device_events.last = XCB_MOTION_NOTIFY;
    const xcb_record_client_spec_t clients = XCB_RECORD_CS_ALL_CLIENTS;
    xcb_generic_error_t* error = xcb_request_check(
        recording, xcb_record_create_context_checked(recording, context, 0, 1, 1, &clients, &range));
    if (error) {
        std::free(error);
        return false;
    }
    // From here on the server streams replies to this one request until the connection closes;
    // the context goes with the connection.
    enableSequence = xcb_record_enable_context(recording, context).sequence;
    xcb_flush(recording);
    notifier.reset(new QSocketNotifier(xcb_get_file_descriptor(recording), QSocketNotifier::Read));
    connect(notifier.data(), &QSocketNotifier::activated, this, &X11InputEventSource::readRecorded);
    return true;
}

void X11InputEventSource::stop()
{
    notifier.reset();
    if (recording) {
        xcb_disconnect(recording);
        recording = nullptr;
    }
    watchNotifier.reset();
    if (watching) {
        xcb_disconnect(watching);
        watching = nullptr;
    }
    selectionWatched = false;
    selectionChangeSeen = false;
}

void X11InputEventSource::readWatched()
{
    while (watching) {
        xcb_generic_event_t* event = xcb_poll_for_event(watching);
        if (!event)
            break;
        const std::uint8_t type = event->response_type & 0x7f;
        if (selectionWatched && type == xfixesFirstEvent + XCB_XFIXES_SELECTION_NOTIFY) {
            const auto* notify = reinterpret_cast<const xcb_xfixes_selection_notify_event_t*>(event);
            selectionChangedAt = notify->timestamp;
            selectionChangeSeen = true;
        } else if (type == XCB_MAPPING_NOTIFY
                   && reinterpret_cast<const xcb_mapping_notify_event_t*>(event)->request == XCB_MAPPING_KEYBOARD) {
            // A new layout: the cached map would still name the old layout's keys.
            xcb_key_symbols_free(keySymbols);
            keySymbols = xcb_key_symbols_alloc(QX11Info::connection());
        }
        std::free(event);
    }
    if (watching && xcb_connection_has_error(watching)) {
        qWarning("Selection and keyboard map changes are no longer heard: the connection broke");
        watchNotifier.reset();
        xcb_disconnect(watching);
        watching = nullptr;
        selectionWatched = false;
    }
}

void X11InputEventSource::readRecorded()
{
    void* reply = nullptr;
    xcb_generic_error_t* error = nullptr;
    while (recording && xcb_poll_for_reply(recording, enableSequence, &reply, &error)) {
        std::free(error);
        error = nullptr;
        auto* recorded = static_cast<xcb_record_enable_context_reply_t*>(reply);
        if (recorded && recorded->category == kCategoryFromServer)
            translate(xcb_record_enable_context_data(recorded), xcb_record_enable_context_data_length(recorded));
        std::free(reply);
        reply = nullptr;
    }
    if (recording && xcb_connection_has_error(recording)) {
        qWarning("Global mouse and keyboard events stopped: the recording connection broke");
        stop();
    }
}

void X11InputEventSource::translate(const std::uint8_t* data, int length)
{
    for (int offset = 0; offset + kEventSize <= length; offset += kEventSize) {
        // Press, release and motion events of keys and buttons share one layout.
        const auto* raw = reinterpret_cast<const xcb_key_press_event_t*>(data + offset);
        InputEvent event;
        event.time = raw->time;
        event.pos = QPoint(raw->root_x, raw->root_y);
        switch (raw->response_type & 0x7f) {
        case XCB_KEY_PRESS:
        case XCB_KEY_RELEASE:
            readWatched(); // a keyboard map change announced before the key applies to it
            event.type = (raw->response_type & 0x7f) == XCB_KEY_PRESS ? InputEvent::KeyPress : InputEvent::KeyRelease;
            event.key = X11Keys::keyOf(xcb_key_symbols_get_keysym(keySymbols, raw->detail, 0));
            break;
        case XCB_BUTTON_PRESS:
            event.type = InputEvent::ButtonPress;
            event.button = raw->detail;
            break;
        case XCB_BUTTON_RELEASE:
            event.type = InputEvent::ButtonRelease;
            event.button = raw->detail;
            break;
        case XCB_MOTION_NOTIFY:
            event.type = InputEvent::Motion;
            break;
        default:
            return; // nothing else was asked for; an unknown size ends the block
        }
        deliver(event);
    }
}

WId X11InputEventSource::windowAt(const QPoint& pos)
{
    if (!supported)
        return 0;
    // A reparenting window manager puts a frame between the root and the program's window; the
    // program's window is the one that carries WM_STATE. Without a manager nobody sets WM_STATE,
    // and the top-level window is the program's.
    xcb_connection_t* connection = QX11Info::connection();
    const xcb_window_t root = QX11Info::appRootWindow();
    xcb_window_t current = root;
    xcb_window_t topLevel = XCB_WINDOW_NONE;
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        Freed<xcb_translate_coordinates_reply_t> step(xcb_translate_coordinates_reply(
            connection, xcb_translate_coordinates(connection, root, current, pos.x(), pos.y()), nullptr));
        if (!step || step->child == XCB_WINDOW_NONE)
            break;
        current = step->child;
        if (topLevel == XCB_WINDOW_NONE)
            topLevel = current;
        if (hasWmState(current))
            return current;
    }
    return topLevel;
}

bool X11InputEventSource::hasWmState(std::uint32_t window)
{
    if (wmStateAtom == XCB_ATOM_NONE)
        return false;
    xcb_connection_t* connection = QX11Info::connection();
    Freed<xcb_get_property_reply_t> property(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, wmStateAtom, XCB_ATOM_ANY, 0, 0), nullptr));
    return property && property->type != XCB_ATOM_NONE;
}

QString X11InputEventSource::selectionText()
{
    // The drag already put the text on PRIMARY: read there, neither Ctrl+C (it would interrupt
    // whatever runs in a terminal) nor the clipboard (it is the user's).
    if (!supported)
        return QString();
    QClipboard* clipboard = QGuiApplication::clipboard();
    // Our own selection is served by our own event loop, which the reader's wait would block.
    if (clipboard->ownsSelection())
        return clipboard->text(QClipboard::Selection);
    if (!selectionReader)
        selectionReader.reset(new X11SelectionReader);
    return selectionReader->read(XCB_ATOM_PRIMARY, kSelectionBytes, kSelectionWaitMs);
}

bool X11InputEventSource::selectionChangedSince(quint32 time)
{
    if (!selectionWatched)
        return true;
    // After a round trip every owner change the server made before it is in the queue.
    std::free(xcb_get_input_focus_reply(watching, xcb_get_input_focus(watching), nullptr));
    readWatched();
    if (!selectionWatched)
        return true; // the connection broke meanwhile
    // Event times wrap: compared as a signed distance.
    return selectionChangeSeen && qint32(selectionChangedAt - time) >= 0;
}
