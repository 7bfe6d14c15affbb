#include "platform/CompositingWatch.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QX11Info>

#include <xcb/xcb.h>
#include <xcb/xfixes.h>

#include <cstdlib>

namespace {

template <typename Reply> struct Freed
{
    Reply* reply;
    ~Freed() { std::free(reply); }
};

xcb_atom_t internAtom(xcb_connection_t* connection, const QByteArray& name)
{
    Freed<xcb_intern_atom_reply_t> reply{
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, name.size(), name.constData()), nullptr)};
    return reply.reply ? reply.reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

bool hasOwner(xcb_connection_t* connection, xcb_atom_t selection)
{
    Freed<xcb_get_selection_owner_reply_t> reply{
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr)};
    return reply.reply && reply.reply->owner != XCB_WINDOW_NONE;
}

} // namespace

CompositingWatch::CompositingWatch(QObject* parent) : QObject(parent)
{
    if (!QX11Info::isPlatformX11())
        return;
    xcb_connection_t* connection = QX11Info::connection();
    const xcb_query_extension_reply_t* fixes = xcb_get_extension_data(connection, &xcb_xfixes_id);
    m_selection = internAtom(connection, "_NET_WM_CM_S" + QByteArray::number(QX11Info::appScreen()));
    m_running = hasOwner(connection, m_selection);
    if (!fixes || !fixes->present || m_selection == XCB_ATOM_NONE)
        return;
    // The server answers the extension's requests only once a client has said which version it speaks.
    std::free(xcb_xfixes_query_version_reply(
        connection, xcb_xfixes_query_version(connection, XCB_XFIXES_MAJOR_VERSION, XCB_XFIXES_MINOR_VERSION),
        nullptr));
    m_fixesEventBase = fixes->first_event;
    xcb_xfixes_select_selection_input(connection, QX11Info::appRootWindow(), m_selection,
                                      XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER
                                          | XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY
                                          | XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
    xcb_flush(connection);
    QCoreApplication::instance()->installNativeEventFilter(this);
    m_watching = true;
}

CompositingWatch::~CompositingWatch()
{
    if (m_watching)
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool CompositingWatch::nativeEventFilter(const QByteArray& eventType, void* message, long*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != m_fixesEventBase + XCB_XFIXES_SELECTION_NOTIFY)
        return false;
    const auto* notify = reinterpret_cast<const xcb_xfixes_selection_notify_event_t*>(event);
    const bool running = notify->owner != XCB_WINDOW_NONE;
    if (notify->selection != m_selection || running == m_running)
        return false;
    m_running = running;
    emit runningChanged(running);
    return false;
}
