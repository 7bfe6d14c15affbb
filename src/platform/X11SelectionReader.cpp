#include "platform/X11SelectionReader.h"

#include <xcb/xcb.h>

#include <poll.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <limits>
#include <memory>

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T>
using Freed = std::unique_ptr<T, FreeReply>;

std::uint32_t internAtom(xcb_connection_t* connection, const char* name, std::uint16_t length)
{
    Freed<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, length, name), nullptr));
    return atom ? atom->atom : std::uint32_t(XCB_ATOM_NONE);
}

// The next event the predicate accepts, or null once the deadline has passed; others are dropped
// (this connection asks for nothing else).
xcb_generic_event_t* waitFor(xcb_connection_t* connection, const QDeadlineTimer& deadline,
                             const std::function<bool(const xcb_generic_event_t*)>& wanted)
{
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            if (wanted(event))
                return event;
            std::free(event);
        }
        const qint64 left = deadline.remainingTime();
        if (left <= 0 || xcb_connection_has_error(connection))
            return nullptr;
        pollfd readable{xcb_get_file_descriptor(connection), POLLIN, 0};
        poll(&readable, 1, int(left));
    }
}

// Bytes that end inside a character lose that character.
QString decode(const QByteArray& bytes, bool cut, bool utf8)
{
    if (!utf8)
        return QString::fromLatin1(bytes);
    QString text = QString::fromUtf8(bytes);
    if (cut && text.endsWith(QChar::ReplacementCharacter))
        text.chop(1);
    return text;
}

} // namespace

X11SelectionReader::~X11SelectionReader()
{
    if (connection)
        xcb_disconnect(connection);
}

bool X11SelectionReader::open()
{
    if (connection && !xcb_connection_has_error(connection))
        return true;
    if (connection)
        xcb_disconnect(connection);
    int screenNumber = 0;
    connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection))
        return false;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    if (screens.rem == 0)
        return false;
    window = xcb_generate_id(connection);
    // Told when an owner sending in parts has put the next part.
    const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screens.data->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    static const char propertyName[] = "PARLAVINE_SELECTION";
    static const char utf8Name[] = "UTF8_STRING";
    static const char incrName[] = "INCR";
    property = internAtom(connection, propertyName, sizeof propertyName - 1);
    utf8Atom = internAtom(connection, utf8Name, sizeof utf8Name - 1);
    incrAtom = internAtom(connection, incrName, sizeof incrName - 1);
    return property != XCB_ATOM_NONE && utf8Atom != XCB_ATOM_NONE && incrAtom != XCB_ATOM_NONE;
}

QString X11SelectionReader::read(std::uint32_t selection, int maxBytes, int timeoutMs)
{
    if (!open())
        return QString();
    const QDeadlineTimer deadline(timeoutMs);
    bool refused = false;
    QByteArray bytes = convert(selection, utf8Atom, maxBytes, deadline, &refused);
    if (!refused)
        return decode(bytes, bytes.size() >= maxBytes, true);
    // An older owner may offer Latin-1 only.
    bytes = convert(selection, XCB_ATOM_STRING, maxBytes, deadline, &refused);
    return refused ? QString() : decode(bytes, bytes.size() >= maxBytes, false);
}

QByteArray X11SelectionReader::convert(std::uint32_t selection, std::uint32_t target, int maxBytes,
                                       const QDeadlineTimer& deadline, bool* refused)
{
    *refused = false;
    // A part left over from a read that ran out of time must not pass for this answer.
    xcb_delete_property(connection, window, property);
    xcb_convert_selection(connection, window, selection, target, property, XCB_CURRENT_TIME);
    xcb_flush(connection);
    const std::uint32_t requestor = window;
    xcb_generic_event_t* event = waitFor(connection, deadline, [requestor](const xcb_generic_event_t* e) {
        return (e->response_type & 0x7f) == XCB_SELECTION_NOTIFY
               && reinterpret_cast<const xcb_selection_notify_event_t*>(e)->requestor == requestor;
    });
    if (!event)
        return QByteArray();
    const bool answered = reinterpret_cast<xcb_selection_notify_event_t*>(event)->property != XCB_ATOM_NONE;
    std::free(event);
    if (!answered) {
        *refused = true;
        return QByteArray();
    }
    const std::uint32_t words = std::uint32_t(maxBytes) / 4 + 1;
    Freed<xcb_get_property_reply_t> value(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, words), nullptr));
    if (!value)
        return QByteArray();
    if (value->type == incrAtom) {
        xcb_delete_property(connection, window, property); // the owner's signal to send the first part
        xcb_flush(connection);
        return readIncrementally(maxBytes, deadline);
    }
    QByteArray bytes(static_cast<const char*>(xcb_get_property_value(value.get())),
                     xcb_get_property_value_length(value.get()));
    xcb_delete_property(connection, window, property);
    xcb_flush(connection);
    return bytes.left(maxBytes);
}

QByteArray X11SelectionReader::readIncrementally(int maxBytes, const QDeadlineTimer& deadline)
{
    QByteArray bytes;
    const std::uint32_t requestor = window;
    const std::uint32_t name = property;
    // Every part is taken, so the owner finishes; only the first maxBytes are kept.
    for (;;) {
        xcb_generic_event_t* event = waitFor(connection, deadline, [requestor, name](const xcb_generic_event_t* e) {
            if ((e->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
                return false;
            const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(e);
            return notify->window == requestor && notify->atom == name && notify->state == XCB_PROPERTY_NEW_VALUE;
        });
        if (!event)
            return bytes;
        std::free(event);
        Freed<xcb_get_property_reply_t> part(xcb_get_property_reply(
            connection,
            xcb_get_property(connection, 1, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0,
                             std::numeric_limits<std::uint32_t>::max() / 4),
            nullptr));
        xcb_flush(connection);
        if (!part)
            return bytes;
        const int length = xcb_get_property_value_length(part.get());
        if (length == 0)
            return bytes; // the empty part ends the transfer
        if (bytes.size() < maxBytes)
            bytes.append(static_cast<const char*>(xcb_get_property_value(part.get())),
                         std::min(length, maxBytes - bytes.size()));
    }
}
