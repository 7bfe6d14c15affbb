// What the process benchmarks need of the X server where no desktop runs (scripts/bench-close,
// scripts/bench-startup):
//   x11_helper close <window id>      asks a window to close as a window manager would
//                                     (a WM_DELETE_WINDOW client message)
//   x11_helper wait-map <pid> <title> waits until that process maps a window with that title and
//                                     prints "<window id> <ms since the epoch when it did>"
//   x11_helper tray                   the least system tray a client can hide into: owns the tray
//                                     selection of screen 0, prints "ready", docks every icon
//                                     that asks, and runs until the display ends
#include <xcb/xcb.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/types.h>

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

void sendClientMessage(xcb_connection_t* connection, xcb_window_t to, xcb_window_t window, xcb_atom_t type,
                       uint32_t mask, const uint32_t (&data)[3])
{
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = type;
    std::memcpy(event.data.data32, data, sizeof data);
    xcb_send_event(connection, 0, to, mask, reinterpret_cast<const char*>(&event));
}

int closeWindow(xcb_connection_t* connection, xcb_window_t window)
{
    sendClientMessage(connection, window, window, atom(connection, "WM_PROTOCOLS"), XCB_EVENT_MASK_NO_EVENT,
                      {atom(connection, "WM_DELETE_WINDOW"), XCB_CURRENT_TIME, 0});
    // Round trip: the message has reached the server when this returns.
    Reply<xcb_get_input_focus_reply_t>(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    return 0;
}

std::string property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
{
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, name, type, 0, 1024), nullptr));
    if (!reply || reply->type != type)
        return {};
    return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                       size_t(xcb_get_property_value_length(reply.get())));
}

bool isWindowOf(xcb_connection_t* connection, xcb_window_t window, uint32_t pid, const std::string& title,
                xcb_atom_t pidAtom, xcb_atom_t nameAtom, xcb_atom_t utf8)
{
    const std::string windowPid = property(connection, window, pidAtom, XCB_ATOM_CARDINAL);
    if (windowPid.size() != sizeof(uint32_t) || std::memcmp(windowPid.data(), &pid, sizeof pid) != 0)
        return false;
    return property(connection, window, nameAtom, utf8) == title
        || property(connection, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING) == title;
}

int waitForMap(xcb_connection_t* connection, uint32_t pid, const std::string& title)
{
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t pidAtom = atom(connection, "_NET_WM_PID");
    const xcb_atom_t nameAtom = atom(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(connection, "UTF8_STRING");
    const auto found = [](xcb_window_t window) {
        const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::system_clock::now().time_since_epoch());
        std::printf("%u %lld\n", window, static_cast<long long>(now.count()));
        return 0;
    };

    // A window mapped before the events were asked for is found among the existing ones.
    Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(connection, xcb_query_tree(connection, screen->root), nullptr));
    if (tree) {
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
            Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
                connection, xcb_get_window_attributes(connection, children[i]), nullptr));
            if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE
                && isWindowOf(connection, children[i], pid, title, pidAtom, nameAtom, utf8))
                return found(children[i]);
        }
    }
    xcb_flush(connection);

    pollfd descriptor{xcb_get_file_descriptor(connection), POLLIN, 0};
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const Reply<xcb_generic_event_t> owned(event);
            if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY)
                continue;
            const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            if (isWindowOf(connection, window, pid, title, pidAtom, nameAtom, utf8))
                return found(window);
        }
        if (xcb_connection_has_error(connection))
            return 1;
        if (kill(pid_t(pid), 0) != 0 && errno == ESRCH) {
            std::fprintf(stderr, "process %u ended before mapping its window\n", pid);
            return 1;
        }
        poll(&descriptor, 1, 100);
    }
}

int runTray(xcb_connection_t* connection)
{
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_atom_t selection = atom(connection, "_NET_SYSTEM_TRAY_S0");
    const xcb_atom_t opcode = atom(connection, "_NET_SYSTEM_TRAY_OPCODE");
    constexpr uint32_t RequestDock = 0;

    const xcb_window_t tray = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, tray, screen->root, 0, 0, 64, 32, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
    xcb_map_window(connection, tray);
    xcb_set_selection_owner(connection, tray, selection, XCB_CURRENT_TIME);
    Reply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr));
    if (!owner || owner->owner != tray) {
        std::fprintf(stderr, "another tray owns the selection\n");
        return 1;
    }
    // Clients that started first learn of the tray from this announcement.
    sendClientMessage(connection, screen->root, screen->root, atom(connection, "MANAGER"),
                      XCB_EVENT_MASK_STRUCTURE_NOTIFY, {XCB_CURRENT_TIME, selection, tray});
    xcb_flush(connection);
    std::printf("ready\n");
    std::fflush(stdout);

    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const Reply<xcb_generic_event_t> owned(event);
        if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
            continue;
        const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
        if (message->type == opcode && message->data.data32[1] == RequestDock) {
            const xcb_window_t icon = message->data.data32[2];
            xcb_reparent_window(connection, icon, tray, 0, 0);
            xcb_map_window(connection, icon);
            xcb_flush(connection);
        }
    }
    return 0;
}

int usage()
{
    std::fprintf(stderr, "usage: x11_helper close <window id> | wait-map <pid> <title> | tray\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    const std::string command = argv[1];
    if (!((command == "close" && argc == 3) || (command == "wait-map" && argc == 4) || (command == "tray" && argc == 2)))
        return usage();
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    int result = 0;
    if (command == "close")
        result = closeWindow(connection, xcb_window_t(std::strtoul(argv[2], nullptr, 0)));
    else if (command == "wait-map")
        result = waitForMap(connection, uint32_t(std::strtoul(argv[2], nullptr, 10)), argv[3]);
    else
        result = runTray(connection);
    xcb_disconnect(connection);
    return result;
}
